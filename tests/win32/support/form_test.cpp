#include "tests/win32/support/form_test.h"

#include <commctrl.h>

#include "core/control_names.h"
#include "tests/win32/support/input.h"
#include "ui/layout.h"
#include "win/text.h"

namespace velmora::test {

LocalTime NowPlusSeconds(int seconds) {
  const LocalTime now = win::SystemClock().Now();
  LocalTime t =
      DecodeMoment(EncodeMoment({now.year, now.month, now.day, now.hour, now.minute, now.second}) +
                   seconds / 86400.0);
  t.millisecond = 0;
  return t;
}

Moment TruncatedToSecond(Moment m) {
  LocalTime t = DecodeMoment(m);
  t.millisecond = 0;
  return EncodeMoment(t);
}

void SetPicker(HWND picker, const LocalTime& value) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(value.year);
  st.wMonth = static_cast<WORD>(value.month);
  st.wDay = static_cast<WORD>(value.day);
  st.wHour = static_cast<WORD>(value.hour);
  st.wMinute = static_cast<WORD>(value.minute);
  st.wSecond = static_cast<WORD>(value.second);
  ASSERT_TRUE(::SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st)));
}

LocalTime PickerValue(HWND picker) {
  SYSTEMTIME st{};
  EXPECT_EQ(::SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)), GDT_VALID);
  return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

RECT RectIn(HWND control, HWND form) {
  RECT r;
  ::GetWindowRect(control, &r);
  ::MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::string WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return win::Narrow(text);
}

std::string StatusPanelText(HWND statusBar, int panel) {
  const auto length = LOWORD(::SendMessageW(statusBar, SB_GETTEXTLENGTHW, panel, 0));
  std::wstring text(length + 1u, L'\0');
  ::SendMessageW(statusBar, SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(text.data()));
  text.resize(length);
  return win::Narrow(text);
}

void FormTest::SetUp() {
  form = std::make_unique<TForm1>(::GetModuleHandleW(nullptr), win::ReadRegionalPatterns(), clock);
  form->Create();
  form->ShowCentred(SW_SHOWNORMAL);
  ::SetForegroundWindow(form->Handle());
  PumpFor(milliseconds(200));
}

void FormTest::TearDown() {
  form.reset();
  PumpFor(milliseconds(50));
}

void FormTest::ClickToolButton(std::string_view name) {
  const Control& c = form->ControlByName(name);
  const auto index = ::SendMessageW(c.window, TB_COMMANDTOINDEX, c.design->id, 0);
  RECT r{};
  ASSERT_TRUE(::SendMessageW(c.window, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r)));
  POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  ::ClientToScreen(c.window, &centre);
  ClickAtScreen(centre);
}

bool FormTest::ToolButtonEnabled(std::string_view name) const {
  const Control& c = form->ControlByName(name);
  return ::SendMessageW(c.window, TB_ISBUTTONENABLED, c.design->id, 0) != 0;
}

void FormTest::SetRowMoment(int row, const LocalTime& when) {
  SetPicker(Find(RowControlName(control::kRowDate, row)), when);
  SetPicker(Find(RowControlName(control::kRowTime, row)), when);
}

}  // namespace velmora::test
