#include "core/control_names.h"
#include "core/program_schedule.h"

#include <gtest/gtest.h>

#include "core/error.h"
#include "fakes.h"
#include "regions.h"

namespace velmora {
namespace {

using test::FakeClock;
using test::FakeDesktop;
using test::FakeForm;

class ProgramTick : public ::testing::Test, protected test::ScheduleFakes {
 protected:
  ProgramTick() : ScheduleFakes(test::ChinaRegion()) {
    // Every row starts as the window leaves it: the default path at a moment long passed.
    for (int i = 1; i <= kRowCount; ++i) {
      SetRow(i, "E:\\kvtr.exe", In(-3600));
    }
  }

  void SetRow(int row, const std::string& path, const LocalTime& at, bool close = false) {
    // The date field carries a time part and the time field a date part; neither may matter.
    LocalTime datePart = at;
    datePart.hour = 3;
    LocalTime timePart = at;
    timePart.year = 2001;
    form.moments[RowControlName(control::kRowDate, row)] = EncodeMoment(datePart);
    form.moments[RowControlName(control::kRowTime, row)] = EncodeMoment(timePart);
    form.texts[RowControlName(control::kRowPath, row)] = path;
    if (close) {
      form.checked.insert(RowControlName(control::kRowClose, row));
    } else {
      form.checked.erase(RowControlName(control::kRowClose, row));
    }
  }

  LocalTime In(int seconds) {
    FakeClock later = clock;
    later.Advance(seconds);
    return later.now;
  }

  void Tick() { schedule.Timer1Timer(ctx); }

  ProgramSchedule schedule;
};

TEST_F(ProgramTick, OpensADueRowOnceAndLogsTheStampAfterTheAction) {
  SetRow(2, "C:\\Program Files\\工具 箱\\app.exe", In(2));
  desktop.duringAction = [&] { clock.Advance(1); };  // a slow shell
  Tick();
  EXPECT_TRUE(desktop.calls.empty());
  EXPECT_EQ(form.panels[kClockPanel], "2026/12/10 14:29:58");

  clock.Advance(1);
  Tick();
  EXPECT_TRUE(desktop.calls.empty());
  clock.Advance(1);
  Tick();
  ASSERT_EQ(desktop.calls, std::vector<std::string>{"open C:\\Program Files\\工具 箱\\app.exe"});
  EXPECT_EQ(form.log,
            std::vector<std::string>{
                "打开程序-C:\\Program Files\\工具 箱\\app.exe-执行时间-2026/12/10 14:30:01"});
  EXPECT_EQ(form.panels[kClockPanel], "2026/12/10 14:30:01");

  clock.Advance(1);
  Tick();
  EXPECT_EQ(desktop.calls.size(), 1u);  // the row is left as it is and never matches again
}

TEST_F(ProgramTick, CloseKillsByFileNameButLogsTheWholePath) {
  SetRow(1, "D:\\tools\\Notepad.EXE", clock.now, true);
  SetRow(3, "C:calc.exe", clock.now, true);
  Tick();
  EXPECT_EQ(desktop.calls, (std::vector<std::string>{"kill Notepad.EXE", "kill calc.exe"}));
  EXPECT_EQ(form.log, (std::vector<std::string>{
                          "关闭程序-D:\\tools\\Notepad.EXE-执行时间-2026/12/10 14:29:58",
                          "关闭程序-C:calc.exe-执行时间-2026/12/10 14:29:58"}));
}

TEST_F(ProgramTick, RowsRunInOrderAndTheSameRowTwiceRunsTwice) {
  SetRow(4, "b.exe", clock.now);
  SetRow(2, " a.exe ", clock.now);
  SetRow(5, " a.exe ", clock.now);
  SetRow(1, "", clock.now);  // an empty path is skipped even when due
  SetRow(3, "", clock.now);
  Tick();
  EXPECT_EQ(desktop.calls,
            (std::vector<std::string>{"open  a.exe ", "open b.exe", "open  a.exe "}));
  EXPECT_EQ(form.log.size(), 3u);
}

TEST_F(ProgramTick, MillisecondsDoNotMatterButASkippedSecondIsNotMadeUp) {
  for (int i = 1; i <= kRowCount; ++i) SetRow(i, "", clock.now);
  SetRow(1, "late.exe", In(2));
  clock.now.millisecond = 999;
  clock.Advance(1);
  Tick();  // 14:29:59.999
  clock.Advance(2);
  Tick();  // 14:30:01.999: the row's second 14:30:00 had no tick
  EXPECT_TRUE(desktop.calls.empty());

  SetRow(1, "on-time.exe", clock.now);
  clock.now.millisecond = 0;
  Tick();
  EXPECT_EQ(desktop.calls, std::vector<std::string>{"open on-time.exe"});
}

TEST_F(ProgramTick, APassedRowNeverRuns) {
  SetRow(1, "passed.exe", In(-60));
  for (int t = 0; t < 5; ++t, clock.Advance(1)) Tick();
  EXPECT_TRUE(desktop.calls.empty());
}

TEST_F(ProgramTick, ARowActsOnceForItsMomentEvenWhenTheSecondComesAgain) {
  for (int i = 3; i <= kRowCount; ++i) SetRow(i, "", clock.now);
  SetRow(1, "once.exe", clock.now);
  SetRow(2, "once.exe", clock.now);  // another row with the same moment is its own row
  Tick();
  clock.now.millisecond = 900;
  Tick();  // a second tick within the same second
  EXPECT_EQ(desktop.calls, (std::vector<std::string>{"open once.exe", "open once.exe"}));

  // The clock is set back a minute and passes the row's second once more.
  clock.Advance(-60);
  for (int t = 0; t < 61; ++t, clock.Advance(1)) Tick();
  EXPECT_EQ(desktop.calls.size(), 2u);

  // A moment the user sets afresh still runs.
  SetRow(1, "again.exe", In(1));
  clock.Advance(1);
  Tick();
  EXPECT_EQ(desktop.calls.back(), "open again.exe");
}

TEST_F(ProgramTick, AClockSetForwardOrWakingFromSleepSkipsThePassedRowsAndRunsTheNext) {
  for (int i = 1; i <= kRowCount; ++i) SetRow(i, "", clock.now);
  SetRow(1, "skipped.exe", In(30));
  SetRow(2, "after-sleep.exe", In(2 * 3600 + 5));
  SetRow(3, "next.exe", In(90));
  Tick();
  clock.Advance(60);  // set forward by a minute: 30 s ahead has gone by without a tick
  Tick();
  EXPECT_TRUE(desktop.calls.empty());
  for (int t = 0; t < 31; ++t) {
    clock.Advance(1);
    Tick();
  }
  EXPECT_EQ(desktop.calls, std::vector<std::string>{"open next.exe"});

  clock.Advance(3 * 3600);  // asleep past row 2's moment: it does not run late
  Tick();
  clock.Advance(1);
  Tick();
  EXPECT_EQ(desktop.calls.size(), 1u);
  EXPECT_EQ(form.panels[kClockPanel], StampText(EncodeMoment(clock.now), patterns));
}

TEST_F(ProgramTick, EditsTakeEffectOnTheNextTick) {
  for (int i = 1; i <= kRowCount; ++i) SetRow(i, "", clock.now);
  SetRow(1, "first.exe", In(1));
  Tick();
  SetRow(1, "second.exe", In(1), true);
  clock.Advance(1);
  Tick();
  EXPECT_EQ(desktop.calls, std::vector<std::string>{"kill second.exe"});
}

TEST_F(ProgramTick, AnUnreadableRowEndsTheTickThere) {
  // A region whose short date shows no year cannot be read back.
  patterns.shortDate = "M/d";
  SetRow(1, "", clock.now);
  form.panels[kClockPanel] = "previous";
  try {
    Tick();
    FAIL() << "the tick went on";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "'12/10 13:29:58' is not a valid date and time");
  }
  EXPECT_TRUE(form.WasRead("Edit2"));
  EXPECT_FALSE(form.WasRead("Edit3"));
  EXPECT_TRUE(desktop.calls.empty());
  EXPECT_EQ(form.panels[kClockPanel], "previous");
}

TEST_F(ProgramTick, WorksInATwelveHourRegion) {
  patterns = test::KoreaRegion();
  for (int i = 2; i <= kRowCount; ++i) SetRow(i, "", clock.now);
  clock.now = {2026, 12, 10, 12, 0, 5, 500};
  SetRow(1, "noon.exe", clock.now);
  Tick();
  EXPECT_EQ(form.log,
            std::vector<std::string>{"打开程序-noon.exe-执行时间-2026-12-10 오후 12:00:05"});
}

TEST(ProgramScheduleState, StartAndStopSwitchTheTimerAndTheButtons) {
  ProgramSchedule s;
  EXPECT_FALSE(s.TimerEnabled());
  EXPECT_TRUE(s.StartEnabled());
  EXPECT_FALSE(s.StopEnabled());
  s.Start();
  EXPECT_TRUE(s.TimerEnabled());
  EXPECT_FALSE(s.StartEnabled());
  EXPECT_TRUE(s.StopEnabled());
  s.Stop();
  EXPECT_FALSE(s.TimerEnabled());
  EXPECT_TRUE(s.StartEnabled());
  EXPECT_FALSE(s.StopEnabled());
}

}  // namespace
}  // namespace velmora
