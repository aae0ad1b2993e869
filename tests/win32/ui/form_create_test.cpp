// FormCreate: every date and time field starts at the moment of start-up, read from the clock
// in the order the start-up sequence gives.
#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "core/control_names.h"
#include "tests/win32/support/error_box.h"
#include "tests/win32/support/form_test.h"
#include "tests/win32/support/input.h"
#include "tests/win32/support/probe.h"

namespace velmora::test {
namespace {

// Hands out the readings it was given, one per call, then keeps giving the last.
class ScriptedClock : public Clock {
 public:
  explicit ScriptedClock(std::vector<LocalTime> readings) : readings_(std::move(readings)) {}
  LocalTime Now() const override {
    const LocalTime t = readings_[std::min(next_, readings_.size() - 1)];
    ++next_;
    return t;
  }

 private:
  std::vector<LocalTime> readings_;
  mutable std::size_t next_ = 0;
};

std::vector<std::string> RowFields() {
  std::vector<std::string> names;
  for (int i = 1; i <= 5; ++i) {
    names.push_back(control::kRowDate + std::to_string(i));
    names.push_back(control::kRowTime + std::to_string(i));
  }
  return names;
}

void ExpectSameSecond(const LocalTime& actual, const LocalTime& expected) {
  EXPECT_EQ(actual.year, expected.year);
  EXPECT_EQ(actual.month, expected.month);
  EXPECT_EQ(actual.day, expected.day);
  EXPECT_EQ(actual.hour, expected.hour);
  EXPECT_EQ(actual.minute, expected.minute);
  EXPECT_EQ(actual.second, expected.second);
}

TEST(FormCreate, PickersTakeTheFirstTwoReadingsAndEveryRowTheThird) {
  // Three readings in three different seconds, so each field shows which one it got.
  const ScriptedClock clock({{2031, 3, 4, 5, 6, 7, 100},
                             {2031, 3, 4, 5, 6, 8, 200},
                             {2031, 3, 4, 5, 6, 9, 300},
                             {2031, 3, 4, 5, 6, 10, 400}});
  TForm1 form(::GetModuleHandleW(nullptr), win::ReadRegionalPatterns(), clock);
  form.Create();
  ExpectSameSecond(PickerValue(form.WindowOf(control::kClickStartDate)), {2031, 3, 4, 5, 6, 7});
  ExpectSameSecond(PickerValue(form.WindowOf(control::kClickStartTime)), {2031, 3, 4, 5, 6, 8});
  for (const std::string& name : RowFields()) {
    SCOPED_TRACE(name);
    ExpectSameSecond(PickerValue(form.WindowOf(name)), {2031, 3, 4, 5, 6, 9});
  }
  // The form reads these values the way the ticks do.
  EXPECT_EQ(TruncatedToSecond(form.MomentOf("FSetTime3")), EncodeMoment({2031, 3, 4, 5, 6, 9}));
}

TEST(FormCreate, WithTheSystemClockEveryFieldIsTheStartUpMoment) {
  const win::SystemClock clock;
  const Moment before = TruncatedToSecond(EncodeMoment(clock.Now()));
  TForm1 form(::GetModuleHandleW(nullptr), win::ReadRegionalPatterns(), clock);
  form.Create();
  const Moment after = TruncatedToSecond(EncodeMoment(clock.Now()));
  std::vector<std::string> names = RowFields();
  names.push_back(control::kClickStartDate);
  names.push_back(control::kClickStartTime);
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const Moment m = TruncatedToSecond(form.MomentOf(name));
    EXPECT_GE(m, before);
    EXPECT_LE(m, after);
  }
  // All rows share one reading.
  for (const std::string& name : RowFields()) {
    EXPECT_EQ(form.MomentOf(name), form.MomentOf("FSetDate1")) << name;
  }
}

// A failure while the window is being created is shown once, in one error box; the program
// then ends with 1 and leaves no window behind.
TEST(FormCreate, AFailureWhileTheWindowIsCreatedShowsOneErrorBox) {
  // A reading that names no real date: the first field FormCreate sets cannot hold it.
  const ScriptedClock clock({{2026, 2, 30, 12, 0, 0, 0}});
  const DWORD pid = ::GetCurrentProcessId();
  // The forms of earlier tests left their quit messages behind, which would end the box's
  // modal loop at once; a starting program has none.
  MSG quit;
  while (::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  ErrorBox first, second;
  std::thread watcher([&] {
    first = WaitForErrorBox(pid, 15000);
    if (!first.window) return;
    CloseErrorBox(first, 3000);
    second = WaitForErrorBox(pid, 3000);
    if (second.window) CloseErrorBox(second, 3000);
  });
  const int result =
      RunMainWindow(::GetModuleHandleW(nullptr), SW_SHOWNORMAL, clock, win::ReadRegionalPatterns());
  watcher.join();

  EXPECT_EQ(result, 1);
  ASSERT_TRUE(first.window) << "no error box";
  EXPECT_EQ(first.title, "velmora_ui_tests");
  EXPECT_EQ(first.text, "Invalid argument to date encode.");
  EXPECT_FALSE(second.window) << "a second box: " << second.text;
  EXPECT_EQ(Form1, nullptr);
  EXPECT_FALSE(::FindWindowW(L"TForm1", nullptr));
}

}  // namespace
}  // namespace velmora::test
