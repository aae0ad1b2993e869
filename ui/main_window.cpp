#include "ui/main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/error.h"
#include "core/field_rules.h"
#include "res/resource_ids.h"
#include "ui/control_ids.h"
#include "ui/controls.h"
#include "ui/error_reporter.h"
#include "ui/field_aids.h"
#include "ui/glyphs.h"
#include "win/regional_settings.h"
#include "win/system_error.h"
#include "win/text.h"

namespace velmora {

TForm1* Form1 = nullptr;

namespace {

constexpr wchar_t kClassName[] = L"TForm1";
// Fixed single border: a caption with the system menu and minimise box, no sizing, no maximise.
// No WS_CLIPCHILDREN: a group box leaves its inside to the form's background.
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// The window carries its own taskbar button.
constexpr DWORD kFormExStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;
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

void RegisterFormClass(HINSTANCE instance, WNDPROC proc) {
  WNDCLASSEXW wc{};
  if (::GetClassInfoExW(instance, kClassName, &wc)) return;
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClassName;
  if (!::RegisterClassExW(&wc)) win::RaiseLastOSError();
}

win::UniqueIcon LoadApplicationIcon(HINSTANCE instance, int metric, int dpi) {
  const int size = ::GetSystemMetricsForDpi(metric, static_cast<UINT>(dpi));
  return win::UniqueIcon(static_cast<HICON>(
      ::LoadImageW(instance, MAKEINTRESOURCEW(IDI_APPLICATION_ICON), IMAGE_ICON, size, size, 0)));
}

}  // namespace

TForm1::TForm1(HINSTANCE instance, const RegionalPatterns& patterns, const Clock& clock)
    : instance_(instance), patterns_(patterns), clock_(clock) {}

TForm1::~TForm1() {
  window_.reset();  // while the fonts and image lists its controls use still exist
  if (Form1 == this) Form1 = nullptr;
}

void TForm1::Create() {
  RegisterFormClass(instance_, &TForm1::WindowProc);
  Form1 = this;
  // The size is set in WM_CREATE, once the window knows the density of its monitor.
  if (!::CreateWindowExW(kFormExStyle, kClassName, win::Widen(kFormCaption).c_str(), kFormStyle,
                         CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance_, this)) {
    // What failed inside WM_CREATE is the error to report, once, by the caller.
    if (createFailure_) std::rethrow_exception(std::exchange(createFailure_, nullptr));
    win::RaiseLastOSError();
  }
}

void TForm1::ShowCentred(int showCommand) {
  RECT frame;
  ::GetWindowRect(Handle(), &frame);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  ::GetMonitorInfoW(::MonitorFromWindow(Handle(), MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& screen = monitor.rcMonitor;
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  ::SetWindowPos(Handle(), nullptr, screen.left + (screen.right - screen.left - width) / 2,
                 screen.top + (screen.bottom - screen.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::ShowWindow(Handle(), showCommand);
  ::UpdateWindow(Handle());
}

const Control& TForm1::ControlByName(std::string_view name) const {
  const auto it = controls_.find(name);
  if (it == controls_.end()) throw Error("Component '" + std::string(name) + "' not found");
  return it->second;
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
  const std::wstring wide = (panel == 1 ? L"\t\t" : L"") + win::Widen(text);
  ::SendMessageW(WindowOf("StatusBar1"), SB_SETTEXTW, static_cast<WPARAM>(panel),
                 reinterpret_cast<LPARAM>(wide.c_str()));
}

void TForm1::AppendLog(const std::string& line) {
  const HWND memo = WindowOf("Memo1");
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
  SetMoment("DateTimePicker1", clock_.Now());
  SetMoment("DateTimePicker2", clock_.Now());
  const LocalTime t = clock_.Now();
  for (int i = 1; i <= kRowCount; ++i) {
    SetMoment(RowControlName("FSetDate", i), t);
    SetMoment(RowControlName("FSetTime", i), t);
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
  ::SetWindowTextW(WindowOf("Memo1"), L"");
}

void TForm1::ToolButton4Click() {
  // Posted, so the toolbar is not destroyed inside its own click notification.
  ::PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

void TForm1::CheckBox1Click() {
  clickSchedule_.CheckBox1Click(IsChecked("CheckBox1"));
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
  SetStatusText(1, PointerReadoutText(x, y));
}

void TForm1::SpeedButton1Click(HWND sender) {
  const auto it = std::find_if(controls_.begin(), controls_.end(),
                               [sender](const auto& c) { return c.second.window == sender; });
  if (it == controls_.end()) return;
  const int row = it->second.design->tag;
  const std::optional<std::wstring> chosen = ChooseExecutable(Handle(), openDialog1FileName_);
  if (!chosen) return;
  openDialog1FileName_ = *chosen;
  ::SetWindowTextW(WindowOf("Edit" + std::to_string(row)), chosen->c_str());
}

bool TForm1::FSetDate1KeyPress(wchar_t key) {
  return DateFieldPasses(key);
}

bool TForm1::Edit7KeyPress(wchar_t key) {
  return NumberFieldPasses(key);
}

LRESULT CALLBACK TForm1::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<TForm1*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_.reset(window);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TForm1*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_.release();
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  // The global error reporter: an exception ends the handler that threw it, is shown, and the
  // event loop goes on. A failed WM_CREATE fails the window's creation instead, and Create
  // throws what failed, so it is reported once.
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    if (message == WM_CREATE) {
      self->createFailure_ = std::current_exception();
      return -1;
    }
    ReportCurrentException(window);
  }
  return 0;
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
  dpi_ = static_cast<int>(::GetDpiForWindow(Handle()));
  desktop_ = std::make_unique<DesktopActions>(Handle());
  CreateControls();
  InstallCharFilters();
  ApplyDpi();
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
  if (!createFailure_) ::PostQuitMessage(0);
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
  dpi_ = dpi;
  ApplyDpi();
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
  const HWND toolbar = WindowOf("Toolbar1");
  for (const ControlSpec* item : ToolbarItems()) {
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
  const auto it = std::find_if(controls_.begin(), controls_.end(),
                               [control](const auto& c) { return c.second.window == control; });
  const LRESULT brush = ::DefWindowProcW(Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                         reinterpret_cast<LPARAM>(control));
  if (it != controls_.end() && (it->second.design->flags & kBlue)) ::SetTextColor(dc, kBlueText);
  return brush;
}

void TForm1::CreateControls() {
  const std::vector<ControlSpec>& layout = Layout();
  // Windows are made in tab order, as the dialog keys follow the order of creation: those
  // outside the tab order come last, and radio buttons right after their group box.
  std::vector<const ControlSpec*> topLevel;
  for (const ControlSpec& s : layout) {
    if (s.parent.empty()) topLevel.push_back(&s);
  }
  std::stable_sort(
      topLevel.begin(), topLevel.end(), [](const ControlSpec* a, const ControlSpec* b) {
        const auto rank = [](const ControlSpec* s) { return s->tabOrder < 0 ? 1000 : s->tabOrder; };
        return rank(a) < rank(b);
      });
  for (const ControlSpec* parent : topLevel) {
    controls_[parent->name] = {parent, CreateControlWindow(*parent, Handle(), instance_)};
    for (const ControlSpec& s : layout) {
      if (s.parent == parent->name && s.kind == ControlKind::RadioButton) {
        controls_[s.name] = {&s, CreateControlWindow(s, Handle(), instance_)};
      }
    }
  }
  const HWND toolbar = WindowOf("Toolbar1");
  const std::vector<const ControlSpec*> items = ToolbarItems();
  AddToolbarItems(toolbar, items);
  for (const ControlSpec* s : items) controls_[s->name] = {s, toolbar};
}

void TForm1::InstallCharFilters() {
  for (const auto& [name, c] : controls_) {
    if (c.design->kind == ControlKind::DateField || c.design->kind == ControlKind::TimeField) {
      InstallCharFilter(c.window, &FSetDate1KeyPress);
    }
  }
  for (const char* name : {"Edit6", "Edit7", "Edit8"}) {
    InstallCharFilter(WindowOf(name), &Edit7KeyPress);
  }
  InstallEscapeGuard(WindowOf("Memo1"));
}

std::vector<const ControlSpec*> TForm1::ToolbarItems() {
  std::vector<const ControlSpec*> items;
  for (const ControlSpec& s : Layout()) {
    if (s.kind == ControlKind::ToolButton || s.kind == ControlKind::Spacer) items.push_back(&s);
  }
  return items;
}

void TForm1::ApplyDpi() {
  // The new font and glyphs are handed to the controls before the old ones are freed.
  win::UniqueFont font(::CreateFontW(
      -::MulDiv(kFontPoints, dpi_, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, kFontFace));
  if (!font) win::RaiseLastOSError();
  const int glyphSize = Scale(16, dpi_);
  win::UniqueImageList images = CreateImageList1(glyphSize);
  win::UniqueImageList disabledImages = CreateDisabledImageList(glyphSize);

  for (const ControlSpec& s : Layout()) {
    if (s.kind == ControlKind::ToolButton || s.kind == ControlKind::Spacer) continue;
    const HWND control = WindowOf(s.name);
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(font.get())),
                   FALSE);
    // A radio button's place is counted from its group box.
    POINT origin{0, 0};
    if (!s.parent.empty()) {
      const ControlSpec& box = *ControlByName(s.parent).design;
      origin = {box.left, box.top};
    }
    PlaceControl(control, s, origin, dpi_, font.get());
  }
  ApplyToolbarMetrics(WindowOf("Toolbar1"), ToolbarItems(), dpi_, images.get(),
                      disabledImages.get());
  ApplyStatusBarParts(WindowOf("StatusBar1"), dpi_);
  font_ = std::move(font);
  imageList1_ = std::move(images);
  disabledImages_ = std::move(disabledImages);

  bigIcon_ = LoadApplicationIcon(instance_, SM_CXICON, dpi_);
  smallIcon_ = LoadApplicationIcon(instance_, SM_CXSMICON, dpi_);
  ::SendMessageW(Handle(), WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(static_cast<HICON>(bigIcon_.get())));
  ::SendMessageW(Handle(), WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(static_cast<HICON>(smallIcon_.get())));

  RECT frame{0, 0, Scale(kFormClientWidth, dpi_), Scale(kFormClientHeight, dpi_)};
  ::AdjustWindowRectExForDpi(&frame, kFormStyle, FALSE, kFormExStyle, static_cast<UINT>(dpi_));
  ::SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::InvalidateRect(Handle(), nullptr, TRUE);
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
  const HWND toolbar = WindowOf("Toolbar1");
  ::SendMessageW(toolbar, TB_ENABLEBUTTON, kIdToolButton1,
                 MAKELPARAM(programSchedule_.StartEnabled(), 0));
  ::SendMessageW(toolbar, TB_ENABLEBUTTON, kIdToolButton2,
                 MAKELPARAM(programSchedule_.StopEnabled(), 0));
}

ScheduleContext TForm1::Context() {
  return ScheduleContext{*this, clock_, *desktop_, patterns_};
}

int RunMainWindow(HINSTANCE instance, int showCommand, const Clock& clock,
                  const RegionalPatterns& patterns) {
  try {
    TForm1 form(instance, patterns, clock);
    form.Create();
    form.ShowCentred(showCommand);
    return RunEventLoop();
  } catch (...) {
    ReportCurrentException(nullptr);
    return 1;
  }
}

int RunEventLoop() {
  MSG msg{};
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    // Tab and the other dialog keys move between the main window's controls.
    if (Form1 && Form1->Handle() && ::IsDialogMessageW(Form1->Handle(), &msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace velmora
