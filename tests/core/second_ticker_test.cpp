#include "core/second_ticker.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

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

TEST(NextBoundaryDue, IsTheLeadPastTheFirstBoundaryThatHasNotBeenServed) {
  constexpr std::int64_t s = kUnitsPerSecond;
  constexpr std::int64_t lead = kBoundaryLeadUnits;
  struct Case {
    std::int64_t now;
    std::int64_t due;
  } cases[] = {
      {100 * s, 100 * s + lead},             // on the boundary itself
      {100 * s + lead - 1, 100 * s + lead},  // between the boundary and its tick
      {100 * s + lead, 101 * s + lead},      // the tick's own time: the next one
      {100 * s + 999 * kUnitsPerMs, 101 * s + lead},
      {-1, lead},  // before the epoch, floor and not truncation
      {-s - 1, -s + lead},
  };
  for (const Case& c : cases) EXPECT_EQ(NextBoundaryDue(c.now), c.due) << c.now;
}

// A wall clock that can be set, a steady clock that cannot, and an absolute wait on the wall
// clock, stepped in tenths of a millisecond.
class SimulatedWaiter : public BoundaryWaiter {
 public:
  struct Event {
    std::int64_t atSteady;
    std::int64_t wallJump = 0;  // the clock is set by this much
    std::int64_t sleep = 0;     // the machine sleeps this long: both clocks move on
  };
  struct TickAt {
    std::int64_t wall;
    std::int64_t steady;
  };
  static constexpr std::int64_t kStep = kUnitsPerMs / 10;

  SimulatedWaiter(std::int64_t wallStart, std::int64_t end, std::vector<Event> events,
                  std::int64_t earlyBy)
      : offset_(wallStart), end_(end), events_(std::move(events)), earlyBy_(earlyBy) {}

  std::int64_t WallNow() override { return steady_ + offset_; }
  Woken WaitUntil(std::int64_t due, std::int64_t timeoutMs) override {
    const std::int64_t start = steady_;
    for (;;) {
      Step();  // every wait takes time, however short
      if (steady_ >= end_) return Woken::Stopped;
      if (WallNow() >= due - earlyBy_) return Woken::Due;
      if (steady_ - start >= timeoutMs * kUnitsPerMs) return Woken::TimedOut;
    }
  }
  void Tick() override { ticks.push_back({WallNow(), steady_}); }

  std::vector<TickAt> ticks;

 private:
  void Step() {
    steady_ += kStep;
    for (Event& e : events_) {
      if (e.atSteady < 0 || steady_ < e.atSteady) continue;
      offset_ += e.wallJump;
      steady_ += e.sleep;
      e.atSteady = -1;
    }
  }

  std::int64_t steady_ = 0;
  std::int64_t offset_;
  std::int64_t end_;
  std::vector<Event> events_;
  std::int64_t earlyBy_;
};

TEST(RunBoundaryTicks, TicksAtEveryBoundaryAndReAlignsAfterTheClockMoves) {
  constexpr std::int64_t s = kUnitsPerSecond;
  constexpr std::int64_t ms = kUnitsPerMs;
  const std::int64_t start = 1'000'000 * s + 420 * ms;  // mid-second
  struct Case {
    const char* name;
    std::vector<SimulatedWaiter::Event> events;
    std::int64_t earlyBy;
  } cases[] = {
      {"a clock nobody sets", {}, 0},
      {"set forward an hour mid-second", {{3 * s + 400 * ms, 3600 * s + 300 * ms}}, 0},
      {"set back an hour", {{3 * s + 400 * ms, -3600 * s}}, 0},
      {"set back half a second into a second already served", {{3 * s + 700 * ms, -500 * ms}}, 0},
      {"set back a second just before a boundary", {{3 * s + 560 * ms, -s}}, 0},
      {"a resume after ten minutes asleep", {{5 * s + 300 * ms, 0, 600 * s}}, 0},
      {"a timer that fires early", {}, 3 * ms / 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::int64_t end = 12 * s;
    for (const auto& e : c.events) end += e.sleep;
    SimulatedWaiter waiter(start, end, c.events, c.earlyBy);
    RunBoundaryTicks(waiter);
    const auto& ticks = waiter.ticks;
    ASSERT_GE(ticks.size(), 9u);
    // The first tick comes at the first boundary after the start.
    EXPECT_EQ(ticks.front().wall, start - 420 * ms + s + kBoundaryLeadUnits);
    std::int64_t changedAt = -1;  // the steady time of the event before this tick, if any
    for (std::size_t i = 0; i < ticks.size(); ++i) {
      const std::int64_t wall = ticks[i].wall;
      const bool aligned = wall % s == kBoundaryLeadUnits;
      for (const auto& e : c.events) {
        if (e.atSteady <= ticks[i].steady && (i == 0 || e.atSteady > ticks[i - 1].steady)) {
          changedAt = e.atSteady;
        }
      }
      if (i == 0) continue;
      const std::int64_t sincePrevious = wall - ticks[i - 1].wall;
      if (changedAt < 0) {
        // Nothing moved: exactly one tick a second, each on its boundary.
        EXPECT_TRUE(aligned) << i << ": " << wall % s;
        EXPECT_EQ(sincePrevious, s) << i;
      } else {
        // The clock moved: never two ticks in one second, and on a boundary again once the
        // wait has given up on its old due time and the next boundary has come.
        EXPECT_NE(wall / s, ticks[i - 1].wall / s) << i;
        if (aligned) {
          changedAt = -1;
        } else {
          EXPECT_LE(ticks[i].steady - changedAt, c.events[0].sleep + 2 * s + kOverdueMs * ms) << i;
        }
      }
    }
    EXPECT_EQ(changedAt, -1) << "the last ticks were not on their boundaries";
  }
}

}  // namespace
}  // namespace velmora
