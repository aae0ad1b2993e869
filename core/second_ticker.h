// Keeps a one-second tick in step with the wall clock. SecondTicker passes over a tick that
// lands in a second already served; RunBoundaryTicks is the loop of a tick source that waits
// for each second boundary of the wall clock itself.
#pragma once

#include <cstdint>
#include <optional>

#include "core/moment.h"

namespace velmora {

class SecondTicker {
 public:
  // Margin past the boundary for a window timer, which may fire up to a system tick early.
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

// Wall-clock times in 100-ns units, as the system keeps them. Local time differs from it by
// whole minutes, so their second boundaries are the same.
constexpr std::int64_t kUnitsPerMs = 10'000;
constexpr std::int64_t kUnitsPerSecond = 1000 * kUnitsPerMs;
// A tick is due this long after its boundary: late enough that the tick reads the new second.
constexpr std::int64_t kBoundaryLeadUnits = 1 * kUnitsPerMs;

// The first tick time strictly after wallNow.
std::int64_t NextBoundaryDue(std::int64_t wallNow);

// What the boundary loop waits with.
class BoundaryWaiter {
 public:
  enum class Woken { Due, TimedOut, Stopped };
  virtual ~BoundaryWaiter() = default;
  virtual std::int64_t WallNow() = 0;
  // Waits until the wall clock reaches due (an absolute time, which follows a clock that is
  // set), until timeoutMs have passed on a clock that nobody sets, or until stopped.
  virtual Woken WaitUntil(std::int64_t due, std::int64_t timeoutMs) = 0;
  virtual void Tick() = 0;
};

// How long past its due time, by the steady clock, a wait gives up: the wall clock was set
// back, and the next boundary is computed afresh.
constexpr std::int64_t kOverdueMs = 250;

// Ticks once at every second boundary (plus kBoundaryLeadUnits) until the waiter is stopped.
// After every wake the next boundary is taken from the wall clock as it is then, so a clock
// set forward or back, or a resume from sleep, is followed from the next boundary on; a wake
// before the due time (the clock went back, or the wait ended early) ticks nothing.
void RunBoundaryTicks(BoundaryWaiter& waiter);

}  // namespace velmora
