#include "core/second_ticker.h"

namespace velmora {

int SecondTicker::DelayToNextSecond(const LocalTime& now) {
  return 1000 - now.millisecond + kMarginMs;
}

bool SecondTicker::Claim(const LocalTime& now) {
  const std::int64_t day = static_cast<std::int64_t>(EncodeMoment({now.year, now.month, now.day}));
  const std::int64_t second = day * 86400 + now.hour * 3600 + now.minute * 60 + now.second;
  if (last_ == second) return false;
  last_ = second;
  return true;
}

std::int64_t NextBoundaryDue(std::int64_t wallNow) {
  // Floor division, so that a time before the epoch rounds the same way.
  std::int64_t second = wallNow / kUnitsPerSecond;
  if (wallNow % kUnitsPerSecond < 0) --second;
  std::int64_t due = second * kUnitsPerSecond + kBoundaryLeadUnits;
  if (due <= wallNow) due += kUnitsPerSecond;
  return due;
}

void RunBoundaryTicks(BoundaryWaiter& waiter) {
  std::int64_t due = NextBoundaryDue(waiter.WallNow());
  for (;;) {
    const std::int64_t untilDueMs = (due - waiter.WallNow() + kUnitsPerMs - 1) / kUnitsPerMs;
    const auto woken = waiter.WaitUntil(due, (untilDueMs > 0 ? untilDueMs : 0) + kOverdueMs);
    if (woken == BoundaryWaiter::Woken::Stopped) return;
    const std::int64_t now = waiter.WallNow();
    if (now >= due) waiter.Tick();
    due = NextBoundaryDue(now);
  }
}

}  // namespace velmora
