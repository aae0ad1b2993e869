// The click schedule through the window: CheckBox1 switches its tick on and off, and at the
// start moment a real click lands on a window at the configured point.
#include <windows.h>

#include <string>

#include "core/control_names.h"
#include "tests/win32/support/form_test.h"
#include "tests/win32/support/input.h"
#include "tests/win32/support/test_windows.h"

namespace velmora::test {
namespace {

// A window away from the form that counts the left button presses it gets.
constexpr RECT kTargetRect{40, 40, 160, 160};

using ClickScheduleTest = FormTest;

TEST_F(ClickScheduleTest, CheckingTheBoxClicksAtTheStartMomentWhileTheProgramScheduleIsStopped) {
  ClickTarget target(kTargetRect);
  ::SetWindowTextW(Find(control::kClickInterval), L"0");  // no interval clicks
  ::SetWindowTextW(Find(control::kClickX), L"0100");
  ::SetWindowTextW(Find(control::kClickY), L"100");
  const LocalTime when = NowPlusSeconds(2);
  SetPicker(Find(control::kClickStartDate), when);
  SetPicker(Find(control::kClickStartTime), when);

  ClickWindowCentre(Find(control::kClickSwitch));
  ASSERT_TRUE(form->IsChecked(control::kClickSwitch));
  ASSERT_TRUE(PumpUntil([&] { return target.Presses() >= 3; }, milliseconds(8000)))
      << "clicks: " << target.Presses();
  PumpFor(milliseconds(300));
  EXPECT_EQ(target.Presses(), 3);  // three down/up pairs
  const std::string prefix = "鼠标单击坐标-0100,100-执行时间-";
  ASSERT_EQ(Memo().rfind(prefix, 0), 0u) << Memo();
  const Moment stamp = ParseMoment(Memo().substr(prefix.size()), form->Patterns());
  EXPECT_GE(stamp, EncodeMoment(when));
  EXPECT_LT(stamp, EncodeMoment(when) + 5 / 86400.0);
  EXPECT_TRUE(ToolButtonEnabled(control::kStartButton));  // the program schedule never started

  // Switched off, a start moment that comes round again clicks nothing.
  ClickWindowCentre(Find(control::kClickSwitch));
  ASSERT_FALSE(form->IsChecked(control::kClickSwitch));
  const LocalTime again = NowPlusSeconds(2);
  SetPicker(Find(control::kClickStartDate), again);
  SetPicker(Find(control::kClickStartTime), again);
  PumpFor(milliseconds(3500));
  EXPECT_EQ(target.Presses(), 3);
  EXPECT_EQ(Memo().find("\r\n"), std::string::npos) << Memo();
}

}  // namespace
}  // namespace velmora::test
