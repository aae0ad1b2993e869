// Keeps a one-second timer in step with the wall clock: each tick is armed to land just after
// the next second boundary, and a tick that lands in a second already served is passed over.
#pragma once

#include <cstdint>
#include <optional>

#include "core/moment.h"

namespace velmora {

class SecondTicker {
 public:
  // Margin past the boundary, so that a timer that fires a little early still lands after it.
  static constexpr int kMarginMs = 15;

  // Milliseconds from now until kMarginMs past the next second boundary.
  static int DelayToNextSecond(const LocalTime& now);

  // True when now lies in a calendar second that has had no tick yet; that second is then
  // taken.
  bool Claim(const LocalTime& now);
  void Reset() { last_.reset(); }

 private:
  std::optional<std::int64_t> last_;
};

}  // namespace velmora
