// The program schedule driven through the window: Start and Stop on the toolbar, a row that
// opens a real program in its second, the clock panel after every tick, and Clear.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "core/control_names.h"
#include "tests/win32/support/form_test.h"
#include "tests/win32/support/input.h"
#include "tests/win32/support/probe.h"
#include "win/text.h"

namespace velmora::test {
namespace {

// Every text the form writes into the clock panel, with the wall clock at that moment.
struct ClockWrite {
  std::string text;
  LocalTime at;
};
std::vector<ClockWrite> clockWrites;

LRESULT CALLBACK RecordClockPanel(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR) {
  if (message == SB_SETTEXTW && LOBYTE(LOWORD(wParam)) == kClockPanel) {
    clockWrites.push_back(
        {win::Narrow(reinterpret_cast<const wchar_t*>(lParam)), win::SystemClock().Now()});
  }
  return ::DefSubclassProc(window, message, wParam, lParam);
}

class ProgramScheduleTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    clockWrites.clear();
    ::SetWindowSubclass(Find(control::kStatusBar), RecordClockPanel, 1, 0);
  }
  void TearDown() override {
    ::RemoveWindowSubclass(Find(control::kStatusBar), RecordClockPanel, 1);
    FormTest::TearDown();
  }

  void SetRow(int row, const std::wstring& path, const LocalTime& when, bool close = false) {
    const std::string n = std::to_string(row);
    ::SetWindowTextW(Find(control::kRowPath + n), path.c_str());
    SetRowMoment(row, when);
    if (close) ClickWindowCentre(Find(control::kRowClose + n));
  }

  // Empties the other rows so that only the rows a test sets can act.
  void ClearRowsExcept(int keep) {
    for (int i = 1; i <= 5; ++i) {
      if (i != keep) ::SetWindowTextW(Find(control::kRowPath + std::to_string(i)), L"");
    }
  }

  // The stamp of a log line that starts with prefix, read back as a moment.
  Moment StampOf(const std::string& line, const std::string& prefix) {
    EXPECT_EQ(line.rfind(prefix, 0), 0u) << line;
    const std::string stamp = line.substr(prefix.size());
    const Moment m = ParseMoment(stamp, form->Patterns());
    EXPECT_EQ(StampText(m, form->Patterns()), stamp);
    return m;
  }
};

TEST_F(ProgramScheduleTest, StartRunsARowInItsSecondAndStopEndsTheTicks) {
  ProbeCopy probe(L"探针 程序.exe");
  ClearRowsExcept(1);
  const LocalTime when = NowPlusSeconds(2);
  SetRow(1, probe.Path(), when);

  // The clock panel is empty until the first tick, which comes after Start (the click itself
  // pumps messages long enough for that tick to land, so the order is checked on the writes).
  EXPECT_EQ(StatusPanelText(Find(control::kStatusBar), kClockPanel), "");
  const Moment startedAt = EncodeMoment(NowPlusSeconds(0));
  ClickToolButton(control::kStartButton);
  EXPECT_FALSE(ToolButtonEnabled(control::kStartButton));
  EXPECT_TRUE(ToolButtonEnabled(control::kStopButton));

  const std::string prefix = "打开程序-" + win::Narrow(probe.Path()) + "-执行时间-";
  ASSERT_TRUE(PumpUntil([&] { return probe.Ran() && !Memo().empty(); }, milliseconds(10000)))
      << "memo: " << Memo();
  const Moment stamp = StampOf(Memo(), prefix);
  EXPECT_GE(stamp, EncodeMoment(when));
  EXPECT_LT(stamp, EncodeMoment(when) + 5 / 86400.0);

  // The row is left as it was and does not run again.
  PumpFor(milliseconds(2200));
  EXPECT_EQ(Memo().find("\r\n"), std::string::npos) << Memo();
  EXPECT_EQ(WindowText(Find("Edit1")), win::Narrow(probe.Path()));

  ClickToolButton(control::kStopButton);
  EXPECT_TRUE(ToolButtonEnabled(control::kStartButton));
  EXPECT_FALSE(ToolButtonEnabled(control::kStopButton));

  // Each tick wrote the stamp of its own now, and no second was written twice.
  ASSERT_GE(clockWrites.size(), 3u);
  EXPECT_GE(EncodeMoment(clockWrites.front().at), startedAt);
  for (std::size_t i = 0; i < clockWrites.size(); ++i) {
    EXPECT_EQ(clockWrites[i].text, StampText(EncodeMoment(clockWrites[i].at), form->Patterns()));
    if (i > 0) {
      EXPECT_NE(clockWrites[i].text, clockWrites[i - 1].text);
    }
  }
  // After Stop no tick comes, and the panel keeps its last text.
  const std::size_t writes = clockWrites.size();
  PumpFor(milliseconds(2200));
  EXPECT_EQ(clockWrites.size(), writes);
  EXPECT_EQ(StatusPanelText(Find(control::kStatusBar), kClockPanel), clockWrites.back().text);
}

TEST_F(ProgramScheduleTest, ClearEmptiesTheListWhileRunningAndLaterLinesStartAtTheTop) {
  ClearRowsExcept(2);
  form->AppendLog("first line");
  form->AppendLog("second line");
  ClickToolButton(control::kStartButton);
  ASSERT_TRUE(PumpUntil([] { return !clockWrites.empty(); }, milliseconds(3000)));

  ClickToolButton(control::kClearButton);
  EXPECT_EQ(Memo(), "");
  EXPECT_FALSE(ToolButtonEnabled(control::kStartButton));  // still running

  // A close row of a name no process has: it terminates nothing and still logs.
  const std::wstring path =
      L"C:\\无此 程序\\velmora-none-" + std::to_wstring(::GetCurrentProcessId()) + L".exe";
  SetRow(2, path, NowPlusSeconds(2), true);
  ASSERT_TRUE(::SendMessageW(Find("rbtColse2"), BM_GETCHECK, 0, 0) == BST_CHECKED);
  ASSERT_TRUE(PumpUntil([&] { return !Memo().empty(); }, milliseconds(6000)));
  StampOf(Memo(), "关闭程序-" + win::Narrow(path) + "-执行时间-");
  ClickToolButton(control::kStopButton);
}

}  // namespace
}  // namespace velmora::test
