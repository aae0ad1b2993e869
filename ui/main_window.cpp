#include "ui/main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/control_names.h"
#include "core/error.h"
#include "core/field_rules.h"
#include "ui/control_ids.h"
#include "ui/error_reporter.h"
#include "ui/field_aids.h"
#include "win/regional_settings.h"
#include "win/system_error.h"
#include "win/text.h"
#include "win/window_thunk.h"

namespace velmora {

TForm1* Form1 = nullptr;

namespace {

constexpr wchar_t kClassName[] = L"TForm1";
constexpr COLORREF kBlueText = RGB(0, 0, 255);
constexpr UINT kTimer3IntervalMs = 100;

SYSTEMTIME ToSystemTime(const LocalTime& t) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(t.year);
  st.wMonth = static_cast<WORD>(t.month);
  st.wDay = static_cast<WORD>(t.day);
  // Day 0, 30 December 1899, was a Saturday.
  const auto day = static_cast<long long>(EncodeMoment({t.year, t.month, t.day}));
  st.wDayOfWeek = static_cast<WORD>(((day + 6) % 7 + 7) % 7);
  st.wHour = static_cast<WORD>(t.hour);
  st.wMinute = static_cast<WORD>(t.minute);
  st.wSecond = static_cast<WORD>(t.second);
  st.wMilliseconds = static_cast<WORD>(t.millisecond);
  return st;
}

void RegisterFormClass(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  if (::GetClassInfoExW(instance, kClassName, &wc)) return;
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &win::WindowProc<TForm1>;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClassName;
  if (!::RegisterClassExW(&wc)) win::RaiseLastOSError();
}

}  // namespace

TForm1::TForm1(HINSTANCE instance, const RegionalPatterns& patterns, const Clock& clock)
    : instance_(instance), patterns_(patterns), clock_(clock) {}

TForm1::~TForm1() {
  window_.reset();  // while the fonts and image lists its controls use still exist
  controls_.reset();
  if (Form1 == this) Form1 = nullptr;
}

void TForm1::Create() {
  RegisterFormClass(instance_);
  // Whatever a handler of the program's windows throws is shown by the one reporter.
  win::SetWindowErrorHandler(&ReportError);
  Form1 = this;
  // The size is set in WM_CREATE, once the window knows the density of its monitor.
  if (!::CreateWindowExW(kFormExStyle, kClassName, win::Widen(kFormCaption).c_str(), kFormStyle,
                         CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance_, this)) {
    // What failed inside WM_CREATE is the error to report, once, by the caller.
    win::ThrowCreateFailure();
  }
}

void TForm1::ShowCentred(int showCommand) {
  ShowCentredOnMonitor(Handle(), showCommand);
}

Moment TForm1::MomentOf(std::string_view name) const {
  SYSTEMTIME st{};
  if (::SendMessageW(WindowOf(name), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) !=
      GDT_VALID) {
    throw Error("'" + std::string(name) + "' holds no date and time");
  }
  return EncodeMoment(
      {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds});
}

std::string TForm1::TextOf(std::string_view name) const {
  const HWND window = WindowOf(name);
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return win::Narrow(text);
}

bool TForm1::IsChecked(std::string_view name) const {
  return ::SendMessageW(WindowOf(name), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TForm1::SetStatusText(int panel, const std::string& text) {
  // Two leading tabs right-align a status-bar panel's text.
  const std::wstring wide = (panel == kPointerPanel ? L"\t\t" : L"") + win::Widen(text);
  ::SendMessageW(WindowOf(control::kStatusBar), SB_SETTEXTW, static_cast<WPARAM>(panel),
                 reinterpret_cast<LPARAM>(wide.c_str()));
}

void TForm1::AppendLog(const std::string& line) {
  const HWND memo = WindowOf(control::kMessageList);
  // A line break goes in front unless the list is empty or already ends with one; the text
  // the user typed stays as it is.
  const auto lastLine = ::SendMessageW(memo, EM_GETLINECOUNT, 0, 0) - 1;
  const auto lastLineStart = ::SendMessageW(memo, EM_LINEINDEX, static_cast<WPARAM>(lastLine), 0);
  const bool endsWithBreak =
      ::SendMessageW(memo, EM_LINELENGTH, static_cast<WPARAM>(lastLineStart), 0) == 0;
  const std::wstring text = (endsWithBreak ? L"" : L"\r\n") + win::Widen(line);
  const int end = ::GetWindowTextLengthW(memo);
  ::SendMessageW(memo, EM_SETSEL, static_cast<WPARAM>(end), end);
  ::SendMessageW(memo, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TForm1::FormCreate() {
  SetMoment(control::kClickStartDate, clock_.Now());
  SetMoment(control::kClickStartTime, clock_.Now());
  const LocalTime t = clock_.Now();
  for (int i = 1; i <= kRowCount; ++i) {
    SetMoment(RowControlName(control::kRowDate, i), t);
    SetMoment(RowControlName(control::kRowTime, i), t);
  }
}

void TForm1::ToolButton1Click() {
  programSchedule_.Start();
  timer1_.Enable(Handle());
  UpdateToolButtons();
}

void TForm1::ToolButton2Click() {
  programSchedule_.Stop();
  timer1_.Disable();
  UpdateToolButtons();
}

void TForm1::ToolButton3Click() {
  ::SetWindowTextW(WindowOf(control::kMessageList), L"");
}

void TForm1::ToolButton4Click() {
  // Posted, so the toolbar is not destroyed inside its own click notification.
  ::PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

void TForm1::CheckBox1Click() {
  clickSchedule_.CheckBox1Click(IsChecked(control::kClickSwitch));
  if (clickSchedule_.TimerEnabled()) {
    timer4_.Enable(Handle());
  } else {
    timer4_.Disable();
  }
}

// The ticks come from their own thread, which goes on posting while a tick's message box is
// open; a tick in a second that already had one is passed over.
void TForm1::Timer1Timer() {
  if (!timer1_.Claim(clock_.Now())) return;
  ScheduleContext ctx = Context();
  programSchedule_.Timer1Timer(ctx);
}

void TForm1::Timer4Timer() {
  if (!timer4_.Claim(clock_.Now())) return;
  ScheduleContext ctx = Context();
  clickSchedule_.Timer4Timer(ctx);
}

// Each coordinate from a read of its own, x first.
void TForm1::Timer3Timer() {
  const std::int32_t x = readPointer_().x;
  const std::int32_t y = readPointer_().y;
  SetStatusText(kPointerPanel, PointerReadoutText(x, y));
}

void TForm1::SpeedButton1Click(HWND sender) {
  const Control* button = controls_->ByWindow(sender);
  if (!button) return;
  const int row = button->design->tag;
  const std::optional<std::wstring> chosen = ChooseExecutable(Handle(), openDialog1FileName_);
  if (!chosen) return;
  openDialog1FileName_ = *chosen;
  ::SetWindowTextW(WindowOf(control::kRowPath + std::to_string(row)), chosen->c_str());
}

bool TForm1::FSetDate1KeyPress(wchar_t key) {
  return DateFieldPasses(key);
}

bool TForm1::Edit7KeyPress(wchar_t key) {
  return NumberFieldPasses(key);
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate();
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case kTimer1Tick:
      Timer1Timer();
      return 0;
    case kTimer4Tick:
      Timer4Timer();
      return 0;
    case WM_ACTIVATE:
      OnActivate(LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam));
      return 0;
    case WM_NEXTDLGCTL:
      OnNextDlgCtl(wParam, LOWORD(lParam) != 0);
      return 0;
    case WM_SYSCOMMAND:
      if (OnSysCommand(wParam & 0xFFF0)) return 0;
      break;
    case WM_SETTINGCHANGE:
      OnSettingChange();
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_CTLCOLORSTATIC:
      return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
  }
  return ::DefWindowProcW(Handle(), message, wParam, lParam);
}

// Builds the controls from the layout; the tray icon joins here, then FormCreate runs.
void TForm1::OnCreate() {
  desktop_ = std::make_unique<DesktopActions>(Handle());
  controls_ = std::make_unique<FormControls>(Handle(), instance_);
  InstallCharFilters();
  // The icon goes into the notification area as soon as the layout stands.
  trayIcon1_ =
      std::make_unique<tray::TTrayIcon>(Handle(), tray::TTrayIconSettings{.hint = "Velmora"});
  FormCreate();
  // The pointer readout runs from start to exit.
  if (!::SetTimer(Handle(), kTimer3, kTimer3IntervalMs, nullptr)) win::RaiseLastOSError();
}

// Closing by any means ends the program at once; the timers die with the window, their
// threads joined while it still exists. A window whose creation failed ends no loop: its
// caller still has an error to show.
void TForm1::OnDestroy() {
  timer1_.Disable();
  timer4_.Disable();
  trayIcon1_.reset();
  if (!win::CreateFailing()) ::PostQuitMessage(0);
}

void TForm1::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return;
  switch (id) {
    case kIdToolButton1:
      return ToolButton1Click();
    case kIdToolButton2:
      return ToolButton2Click();
    case kIdToolButton3:
      return ToolButton3Click();
    case kIdToolButton4:
      return ToolButton4Click();
    case kIdCheckBox1:
      return CheckBox1Click();
  }
  for (int i = 1; i <= kRowCount; ++i) {
    if (id == RowControlId(kRoleSpeedButton, i)) {
      return SpeedButton1Click(::GetDlgItem(Handle(), id));
    }
  }
}

void TForm1::OnTimer(UINT_PTR id) {
  if (id == kTimer3) Timer3Timer();
}

// Gives the focus back to the control that had it when the window was last active.
void TForm1::OnActivate(bool active) {
  if (!active) {
    const HWND focus = ::GetFocus();
    if (focus && ::IsChild(Handle(), focus)) lastFocus_ = focus;
    return;
  }
  if (!lastFocus_ || !::IsWindow(lastFocus_)) lastFocus_ = WindowOf("Edit1");
  ::SetFocus(lastFocus_);
}

// A control asks for the focus to move on, as a multi-line edit does for Tab: what a dialog
// would do with the request.
void TForm1::OnNextDlgCtl(WPARAM target, bool isWindow) {
  const HWND next = isWindow ? reinterpret_cast<HWND>(target)
                             : ::GetNextDlgTabItem(Handle(), ::GetFocus(), target != 0);
  if (!next) return;
  ::SetFocus(next);
  if (::SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) {
    ::SendMessageW(next, EM_SETSEL, 0, -1);
  }
}

// The window keeps its size: sizing and maximising are refused whoever asks for them.
bool TForm1::OnSysCommand(WPARAM command) {
  return command == SC_MAXIMIZE || command == SC_SIZE;
}

// The user changed the regional formats (or another setting): stamps follow at once.
void TForm1::OnSettingChange() {
  UsePatterns(win::ReadRegionalPatterns());
}

// Moved to a monitor of another density: everything is laid out again at the new one.
void TForm1::OnDpiChanged(int dpi, const RECT& suggested) {
  controls_->ApplyDpi(dpi);
  ::SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT TForm1::OnNotify(const NMHDR& header) {
  if (header.idFrom == kIdToolbar1 && header.code == NM_CUSTOMDRAW) {
    return OnToolbarCustomDraw(reinterpret_cast<const NMCUSTOMDRAW&>(header));
  }
  return 0;
}

// The toolbar draws every separator as a groove; only the spacers marked grooved keep it, the
// others are painted over as plain gaps once the toolbar has drawn itself.
LRESULT TForm1::OnToolbarCustomDraw(const NMCUSTOMDRAW& draw) {
  if (draw.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYPOSTPAINT;
  if (draw.dwDrawStage != CDDS_POSTPAINT) return CDRF_DODEFAULT;
  const HWND toolbar = WindowOf(control::kToolbar);
  for (const ControlSpec* item : FormControls::ToolbarItems()) {
    if (item->kind != ControlKind::Spacer || (item->flags & kGrooved)) continue;
    const auto index = ::SendMessageW(toolbar, TB_COMMANDTOINDEX, item->id, 0);
    RECT r{};
    if (::SendMessageW(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r))) {
      ::FillRect(draw.hdc, &r, ::GetSysColorBrush(COLOR_BTNFACE));
    }
  }
  return CDRF_DODEFAULT;
}

LRESULT TForm1::OnCtlColorStatic(HDC dc, HWND control) {
  const Control* c = controls_->ByWindow(control);
  const LRESULT brush = ::DefWindowProcW(Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                         reinterpret_cast<LPARAM>(control));
  if (c && (c->design->flags & kBlue)) ::SetTextColor(dc, kBlueText);
  return brush;
}

void TForm1::InstallCharFilters() {
  for (const auto& [name, c] : controls_->All()) {
    if (c.design->kind == ControlKind::DateField || c.design->kind == ControlKind::TimeField) {
      InstallCharFilter(c.window, &FSetDate1KeyPress);
    }
  }
  for (const char* name : {control::kClickInterval, control::kClickX, control::kClickY}) {
    InstallCharFilter(WindowOf(name), &Edit7KeyPress);
  }
  InstallEscapeGuard(WindowOf(control::kMessageList));
}

void TForm1::SetMoment(std::string_view name, const LocalTime& value) {
  const SYSTEMTIME st = ToSystemTime(value);
  if (!::SendMessageW(WindowOf(name), DTM_SETSYSTEMTIME, GDT_VALID,
                      reinterpret_cast<LPARAM>(&st))) {
    throw Error("'" + std::string(name) + "' cannot hold " +
                StampText(EncodeMoment(value), patterns_));
  }
}

void TForm1::UpdateToolButtons() {
  const HWND toolbar = WindowOf(control::kToolbar);
  ::SendMessageW(toolbar, TB_ENABLEBUTTON, kIdToolButton1,
                 MAKELPARAM(programSchedule_.StartEnabled(), 0));
  ::SendMessageW(toolbar, TB_ENABLEBUTTON, kIdToolButton2,
                 MAKELPARAM(programSchedule_.StopEnabled(), 0));
}

ScheduleContext TForm1::Context() {
  return ScheduleContext{*this, clock_, *desktop_, patterns_};
}

}  // namespace velmora
