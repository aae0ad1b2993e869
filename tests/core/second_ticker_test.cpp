#include "core/second_ticker.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(SecondTicker, ArmsForJustAfterTheNextBoundary) {
  EXPECT_EQ(SecondTicker::DelayToNextSecond({2026, 12, 10, 9, 0, 0, 0}), 1015);
  EXPECT_EQ(SecondTicker::DelayToNextSecond({2026, 12, 10, 9, 0, 0, 985}), 30);
  EXPECT_EQ(SecondTicker::DelayToNextSecond({2026, 12, 10, 9, 0, 0, 999}), 16);
}

TEST(SecondTicker, EachCalendarSecondIsClaimedOnce) {
  SecondTicker ticker;
  EXPECT_TRUE(ticker.Claim({2026, 12, 10, 9, 0, 0, 5}));
  EXPECT_FALSE(ticker.Claim({2026, 12, 10, 9, 0, 0, 990}));  // an early second timer message
  EXPECT_TRUE(ticker.Claim({2026, 12, 10, 9, 0, 1, 2}));
  EXPECT_TRUE(ticker.Claim({2026, 12, 10, 9, 0, 3, 2}));   // a late one skips, never doubles
  EXPECT_TRUE(ticker.Claim({2026, 12, 11, 9, 0, 3, 2}));   // same time of day, next day
  EXPECT_TRUE(ticker.Claim({2026, 12, 10, 8, 59, 0, 0}));  // the clock was set back
  ticker.Reset();
  EXPECT_TRUE(ticker.Claim({2026, 12, 10, 8, 59, 0, 0}));
}

}  // namespace
}  // namespace velmora
