// The click schedule: a left click at a fixed point at a start moment and then every N minutes.
#pragma once

#include <cstdint>
#include <optional>

#include "core/schedule_context.h"

namespace velmora {

// N minutes in one-second ticks, wrapping as 32-bit signed arithmetic does.
std::int32_t IntervalTicks(std::int32_t minutes);

class ClickSchedule {
 public:
  // Switching on resets the count; switching off keeps it until the next switching on.
  void CheckBox1Click(bool checked);
  bool TimerEnabled() const { return enabled_; }
  std::int32_t ClickTickCount() const { return clickTickCount_; }

  // One tick: the start-moment test, then the interval count. Conversion errors throw.
  void Timer4Timer(ScheduleContext& ctx);
  // Clicks when now lies in the second of m; true when it clicked. The start moment is
  // clicked once, even when the wall clock is set back and passes that second again.
  bool CheckTimedClick(ScheduleContext& ctx, Moment m);

 private:
  void Click(ScheduleContext& ctx);

  std::int32_t clickTickCount_ = 0;
  bool enabled_ = false;
  std::optional<Moment> clickedAt_;
};

}  // namespace velmora
