#include "core/click_schedule.h"

#include "core/control_names.h"
#include "core/integer_field.h"
#include "core/log_lines.h"

namespace velmora {

std::int32_t IntervalTicks(std::int32_t minutes) {
  // Unsigned multiplication wraps by definition; the conversion back is modular since C++20.
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(minutes) * 60u);
}

void ClickSchedule::CheckBox1Click(bool checked) {
  if (checked) clickTickCount_ = 0;
  enabled_ = checked;
}

void ClickSchedule::Click(ScheduleContext& ctx) {
  const std::string yText = ctx.form.TextOf(control::kClickY);
  const std::int32_t y = ParseIntegerField(yText);
  const std::string xText = ctx.form.TextOf(control::kClickX);
  const std::int32_t x = ParseIntegerField(xText);
  ctx.desktop.ClickAt(x, y);
  clickTickCount_ = 0;
  ctx.form.AppendLog(ClickLine(xText, yText, ctx.NowStamp()));
}

bool ClickSchedule::CheckTimedClick(ScheduleContext& ctx, Moment m) {
  if (clickedAt_ == m || !SameSecond(ctx.Now(), m, ctx.patterns)) return false;
  Click(ctx);
  clickedAt_ = m;
  return true;
}

void ClickSchedule::Timer4Timer(ScheduleContext& ctx) {
  const Moment m = ComposeMoment(ctx.form.MomentOf(control::kClickStartDate),
                                 ctx.form.MomentOf(control::kClickStartTime), ctx.patterns);
  CheckTimedClick(ctx, m);
  clickTickCount_ = static_cast<std::int32_t>(static_cast<std::uint32_t>(clickTickCount_) + 1u);
  const std::int32_t n = ParseIntegerField(ctx.form.TextOf(control::kClickInterval));
  if (IntervalTicks(n) == clickTickCount_) Click(ctx);
}

}  // namespace velmora
