#include "core/control_names.h"
#include "core/click_schedule.h"

#include <gtest/gtest.h>

#include "core/error.h"
#include "fakes.h"
#include "regions.h"

namespace velmora {
namespace {

using test::FakeClock;
using test::FakeDesktop;
using test::FakeForm;

TEST(IntervalTicks, WrapsAsThirtyTwoBitArithmetic) {
  EXPECT_EQ(IntervalTicks(1), 60);
  EXPECT_EQ(IntervalTicks(0), 0);
  EXPECT_EQ(IntervalTicks(-2), -120);
  EXPECT_EQ(IntervalTicks(35791394), 2147483640);
  EXPECT_EQ(IntervalTicks(35791395), -2147483596);
  EXPECT_EQ(IntervalTicks(71582789), 44);
  EXPECT_EQ(IntervalTicks(2147483647), -60);
  EXPECT_EQ(IntervalTicks(-2147483647 - 1), 0);
}

class ClickTick : public ::testing::Test, protected test::ScheduleFakes {
 protected:
  ClickTick() : ScheduleFakes(test::UsRegion()) {
    form.texts = {
        {control::kClickInterval, "1"}, {control::kClickX, "1080"}, {control::kClickY, "654"}};
    SetStart(-3600);  // an hour ago: only the interval clicks
  }

  // The start moment, in seconds from the clock's reading now.
  void SetStart(int seconds) {
    FakeClock at = clock;
    at.Advance(seconds);
    LocalTime date = at.now, time = at.now;
    date.hour = 1;
    time.year = 2000;
    form.moments[control::kClickStartDate] = EncodeMoment(date);
    form.moments[control::kClickStartTime] = EncodeMoment(time);
  }

  // Runs count ticks, a second apart, and returns the tick numbers (counted from 1 since the
  // last call) on which a click happened.
  std::vector<int> RunTicks(int count) {
    std::vector<int> clicked;
    for (int t = 1; t <= count; ++t) {
      clock.Advance(1);
      const std::size_t before = desktop.calls.size();
      schedule.Timer4Timer(ctx);
      if (desktop.calls.size() != before) clicked.push_back(t);
      EXPECT_LE(desktop.calls.size(), before + 1) << "two clicks in one tick";
    }
    return clicked;
  }

  ClickSchedule schedule;
};

TEST_F(ClickTick, IntervalClicksComeEveryNTimesSixtyTicks) {
  form.texts[control::kClickInterval] = "2";
  schedule.CheckBox1Click(true);
  EXPECT_EQ(RunTicks(360), (std::vector<int>{120, 240, 360}));
  EXPECT_EQ(desktop.calls.front(), "click 1080,654");
  EXPECT_EQ(form.log.front(), "鼠标单击坐标-1080,654-执行时间-12/10/2026 2:31:58 PM");
}

TEST_F(ClickTick, AStartMomentClickIsFollowedNTimesSixtyLessOneTicksLater) {
  SetStart(5);
  schedule.CheckBox1Click(true);
  EXPECT_EQ(RunTicks(130), (std::vector<int>{5, 64, 124}));
}

TEST_F(ClickTick, StartMomentAndIntervalNeverClickInTheSameTick) {
  SetStart(60);
  schedule.CheckBox1Click(true);
  EXPECT_EQ(RunTicks(120), (std::vector<int>{60, 119}));
}

TEST_F(ClickTick, TheStartMomentClicksOnceWhenTheClockIsSetBackOverIt) {
  form.texts[control::kClickInterval] = "0";
  SetStart(3);
  schedule.CheckBox1Click(true);
  EXPECT_EQ(RunTicks(10), std::vector<int>{3});
  clock.Advance(-60);
  EXPECT_TRUE(RunTicks(120).empty());
}

TEST_F(ClickTick, ZeroMinutesLeavesOnlyTheStartMomentClick) {
  form.texts[control::kClickInterval] = "0";
  SetStart(3);
  schedule.CheckBox1Click(true);
  EXPECT_EQ(RunTicks(200), std::vector<int>{3});
}

TEST_F(ClickTick, LoweringNBelowTheCountWaitsForAReset) {
  form.texts[control::kClickInterval] = "2";
  schedule.CheckBox1Click(true);
  EXPECT_TRUE(RunTicks(90).empty());
  form.texts[control::kClickInterval] = "1";
  EXPECT_TRUE(RunTicks(300).empty());
  EXPECT_EQ(schedule.ClickTickCount(), 390);

  schedule.CheckBox1Click(false);
  EXPECT_FALSE(schedule.TimerEnabled());
  EXPECT_EQ(schedule.ClickTickCount(), 390);  // kept while off
  schedule.CheckBox1Click(true);
  EXPECT_TRUE(schedule.TimerEnabled());
  EXPECT_EQ(schedule.ClickTickCount(), 0);
  EXPECT_EQ(RunTicks(60), std::vector<int>{60});
}

TEST_F(ClickTick, SwitchingOffAndOnRestartsTheCount) {
  schedule.CheckBox1Click(true);
  RunTicks(30);
  schedule.CheckBox1Click(false);
  schedule.CheckBox1Click(true);
  EXPECT_EQ(RunTicks(61), std::vector<int>{60});
}

TEST_F(ClickTick, AProductThatWrapsToASmallValueClicksThere) {
  form.texts[control::kClickInterval] = "71582789";  // × 60 wraps to 44
  schedule.CheckBox1Click(true);
  EXPECT_EQ(RunTicks(50), std::vector<int>{44});
  form.texts[control::kClickInterval] = "2147483647";  // wraps to -60: never equal
  EXPECT_TRUE(RunTicks(100).empty());
}

TEST_F(ClickTick, TheLogShowsThePointAsTypedAndTheClickUsesItsValue) {
  form.texts[control::kClickX] = "0100";
  form.texts[control::kClickY] = "+0200";
  SetStart(1);
  schedule.CheckBox1Click(true);
  RunTicks(1);
  EXPECT_EQ(desktop.calls, std::vector<std::string>{"click 100,200"});
  ASSERT_EQ(form.log.size(), 1u);
  EXPECT_EQ(form.log[0], "鼠标单击坐标-0100,+0200-执行时间-12/10/2026 2:29:59 PM");
}

TEST_F(ClickTick, TheStampIsTakenAfterTheClick) {
  desktop.duringAction = [&] { clock.Advance(1); };
  SetStart(1);
  schedule.CheckBox1Click(true);
  RunTicks(1);
  EXPECT_EQ(form.log,
            std::vector<std::string>{"鼠标单击坐标-1080,654-执行时间-12/10/2026 2:30:00 PM"});
}

// Which conversion fails, and what the count shows afterwards.
struct ErrorCase {
  const char* field;
  const char* text;
  bool atStartMoment;
  const char* otherField = nullptr;  // also bad, to show the order of conversion
  const char* otherText = nullptr;
  std::int32_t countAfter = 0;
};

TEST_F(ClickTick, ConversionErrorsNameTheTextAndLeaveTheTickAtThatField) {
  const ErrorCase cases[] = {
      {control::kClickInterval, "", false, nullptr, nullptr, 1},
      {control::kClickInterval, "abc", false, nullptr, nullptr, 1},
      {control::kClickInterval, "2147483648", false, nullptr, nullptr, 1},
      {control::kClickInterval, "-1 ", false, nullptr, nullptr, 1},
      // Edit8 is converted before Edit7.
      {control::kClickY, "", true, control::kClickX, "x", 0},
      {control::kClickY, "y", false, control::kClickX, "", 60},
      {control::kClickX, "1e3", true, nullptr, nullptr, 0},
      {control::kClickX, "99999999999", false, nullptr, nullptr, 60},
  };
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE(std::string(c.field) + " '" + c.text + "'");
    ClickSchedule fresh;
    form.texts = {
        {control::kClickInterval, "1"}, {control::kClickX, "1080"}, {control::kClickY, "654"}};
    form.texts[c.field] = c.text;
    if (c.otherField) form.texts[c.otherField] = c.otherText;
    desktop.calls.clear();
    form.log.clear();
    fresh.CheckBox1Click(true);
    SetStart(c.atStartMoment ? 1 : -3600);
    // Run up to the tick where the conversion happens.
    const int ticks = c.atStartMoment || std::string(c.field) == control::kClickInterval ? 1 : 60;
    for (int t = 1; t < ticks; ++t) {
      clock.Advance(1);
      fresh.Timer4Timer(ctx);
    }
    clock.Advance(1);
    try {
      fresh.Timer4Timer(ctx);
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.what(), "'" + std::string(c.text) + "' is not a valid integer value");
    }
    EXPECT_TRUE(desktop.calls.empty());
    EXPECT_TRUE(form.log.empty());
    EXPECT_EQ(fresh.ClickTickCount(), c.countAfter);
    EXPECT_TRUE(fresh.TimerEnabled());
  }
}

TEST_F(ClickTick, ABadFieldIsReportedEveryTickUntilMended) {
  form.texts[control::kClickInterval] = "x";
  schedule.CheckBox1Click(true);
  for (int t = 0; t < 3; ++t) {
    clock.Advance(1);
    EXPECT_THROW(schedule.Timer4Timer(ctx), Error);
  }
  form.texts[control::kClickInterval] = "1";
  EXPECT_EQ(RunTicks(57), std::vector<int>{57});  // the failed ticks still counted
}

}  // namespace
}  // namespace velmora
