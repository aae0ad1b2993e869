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

}  // namespace velmora
