// The global error reporter: its title and text, and a failing tick that shows one box at a
// time while the schedule keeps ticking.
#include <windows.h>

#include <atomic>
#include <thread>

#include "core/control_names.h"
#include "tests/win32/support/error_box.h"
#include "ui/error_reporter.h"
#include "tests/win32/support/form_test.h"
#include "tests/win32/support/input.h"
#include "tests/win32/support/probe.h"

namespace velmora::test {
namespace {

TEST(ErrorReporter, TitleIsTheFileNameUpToItsFirstPeriodInTitleCase) {
  const struct {
    const wchar_t* path;
    const char* title;
  } cases[] = {
      {L"C:\\Program Files\\Velmora\\Velmora.exe", "Velmora"},
      {L"C:\\Tools\\VELMORA.EXE", "Velmora"},
      {L"D:\\a.b\\my.tool.v2.exe", "my"},
      {L"Z:\\work\\ÜBER定时.exe", "Über定时"},
      {L"plain", "plain"},
  };
  for (const auto& c : cases) EXPECT_EQ(ApplicationTitle(c.path), c.title);
}

TEST(ErrorReporter, APeriodIsAppendedOnlyAfterACharacterThatSortsAfterIt) {
  const struct {
    const char* message;
    const char* shown;
  } cases[] = {
      {"'x' is not a valid integer value", "'x' is not a valid integer value."},
      {"Already ends with a period.", "Already ends with a period."},
      {"Ends with a bracket)", "Ends with a bracket)"},
      {"Ends with a dash -", "Ends with a dash -"},
      {"Ends with a slash/", "Ends with a slash/."},
      {"结尾是中文", "结尾是中文."},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ReportedText(c.message), c.shown);
}

using FailingTickTest = FormTest;

// Row 1 holds a path, so each tick composes its moment; with a short-date pattern that has no
// day the date text cannot be read back, and every tick fails at row 1.
TEST_F(FailingTickTest, OneBoxAtATimeWithTheExactTitleAndTextWhileTheTimerGoesOn) {
  RegionalPatterns bad = form->Patterns();
  bad.shortDate = "yyyy" + bad.dateSeparator + "MM";
  form->UsePatterns(bad);
  const std::string expectedText = "'" + DateText(form->MomentOf("FSetDate1"), bad) + " " +
                                   TimeText(form->MomentOf("FSetTime1"), bad) +
                                   "' is not a valid date and time.";

  struct Seen {
    ErrorBox first, second;
    std::size_t boxesWhileOpen = 0;
    bool firstClosed = false, secondClosed = false;
  } seen;
  std::atomic<bool> done{false};
  const DWORD pid = ::GetCurrentProcessId();
  const HWND formWindow = form->Handle();
  std::thread watcher([&] {
    seen.first = WaitForErrorBox(pid, 10000);
    if (seen.first.window) {
      ::Sleep(2600);  // two or three more ticks fail meanwhile
      seen.boxesWhileOpen = ErrorBoxesOf(pid).size();
      seen.firstClosed = CloseErrorBox(seen.first, 3000);
      seen.second = WaitForErrorBox(pid, 5000);
      // A settings change makes the form read the real regional patterns again, so the
      // ticks after this box succeed.
      ::SendMessageW(formWindow, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"intl"));
      if (seen.second.window) seen.secondClosed = CloseErrorBox(seen.second, 3000);
    }
    done = true;
  });
  ClickToolButton(control::kStartButton);
  PumpUntil([&] { return done.load(); }, milliseconds(40000));
  watcher.join();

  ASSERT_TRUE(seen.first.window) << "no error box";
  EXPECT_EQ(seen.first.title, "velmora_ui_tests");
  EXPECT_EQ(seen.first.text, expectedText);
  EXPECT_EQ(seen.boxesWhileOpen, 1u);
  EXPECT_TRUE(seen.firstClosed);
  ASSERT_TRUE(seen.second.window) << "the timer stopped after the first failure";
  EXPECT_EQ(seen.second.text, expectedText);
  EXPECT_TRUE(seen.secondClosed);
  EXPECT_EQ(form->Patterns().shortDate, win::ReadRegionalPatterns().shortDate);
  EXPECT_TRUE(
      PumpUntil([&] { return !StatusPanelText(Find(control::kStatusBar), kClockPanel).empty(); },
                milliseconds(4000)));
  EXPECT_FALSE(ErrorBoxOpen());
  ClickToolButton(control::kStopButton);
}

}  // namespace
}  // namespace velmora::test
