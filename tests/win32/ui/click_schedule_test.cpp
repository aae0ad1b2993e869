// The click schedule through the window: CheckBox1 switches its tick on and off, and at the
// start moment a real click lands on a window at the configured point.
#include <windows.h>

#include <string>

#include "ui_test_support.h"

namespace velmora::test {
namespace {

int targetClicks = 0;

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_LBUTTONDOWN) ++targetClicks;
  if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  return ::DefWindowProcW(window, message, wParam, lParam);
}

// A window away from the form that counts the left button presses it gets.
class ClickTarget {
 public:
  ClickTarget() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = TargetProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"VelmoraClickTarget";
    ::RegisterClassW(&wc);
    window_ = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE, wc.lpszClassName, L"target",
                                WS_POPUP | WS_VISIBLE, 40, 40, 120, 120, nullptr, nullptr,
                                wc.hInstance, nullptr);
    targetClicks = 0;
  }
  ~ClickTarget() { ::DestroyWindow(window_); }

 private:
  HWND window_;
};

using ClickScheduleTest = FormTest;

TEST_F(ClickScheduleTest, CheckingTheBoxClicksAtTheStartMomentWhileTheProgramScheduleIsStopped) {
  ClickTarget target;
  ::SetWindowTextW(Find("Edit6"), L"0");  // no interval clicks
  ::SetWindowTextW(Find("Edit7"), L"0100");
  ::SetWindowTextW(Find("Edit8"), L"100");
  const LocalTime when = NowPlusSeconds(2);
  SetPicker(Find("DateTimePicker1"), when);
  SetPicker(Find("DateTimePicker2"), when);

  ClickWindowCentre(Find("CheckBox1"));
  ASSERT_TRUE(form->IsChecked("CheckBox1"));
  ASSERT_TRUE(PumpUntil([] { return targetClicks >= 3; }, milliseconds(8000)))
      << "clicks: " << targetClicks;
  PumpFor(milliseconds(300));
  EXPECT_EQ(targetClicks, 3);  // three down/up pairs
  const std::string prefix = "鼠标单击坐标-0100,100-执行时间-";
  ASSERT_EQ(Memo().rfind(prefix, 0), 0u) << Memo();
  const Moment stamp = ParseMoment(Memo().substr(prefix.size()), form->Patterns());
  EXPECT_GE(stamp, EncodeMoment(when));
  EXPECT_LT(stamp, EncodeMoment(when) + 5 / 86400.0);
  EXPECT_TRUE(ToolButtonEnabled("ToolButton1"));  // the program schedule never started

  // Switched off, a start moment that comes round again clicks nothing.
  ClickWindowCentre(Find("CheckBox1"));
  ASSERT_FALSE(form->IsChecked("CheckBox1"));
  const LocalTime again = NowPlusSeconds(2);
  SetPicker(Find("DateTimePicker1"), again);
  SetPicker(Find("DateTimePicker2"), again);
  PumpFor(milliseconds(3500));
  EXPECT_EQ(targetClicks, 3);
  EXPECT_EQ(Memo().find("\r\n"), std::string::npos) << Memo();
}

}  // namespace
}  // namespace velmora::test
