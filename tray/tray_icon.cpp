// TTrayIcon: the shell's notification-icon record kept in step with the properties, the
// component's own window that receives the shell's reports, and a subclass of the main window
// that turns its minimise into hiding it.
#include "tray/tray_icon.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cwchar>
#include <iterator>
#include <vector>

#include "res/resource_ids.h"
#include "win/system_error.h"
#include "win/text.h"
#include "win/window_hook.h"
#include "win/window_thunk.h"

namespace velmora::tray {
namespace {

constexpr UINT_PTR kAnimateTimer = 1;

// Explorer broadcasts this to every top-level window when it (re)creates the taskbar, which
// then holds none of the icons it had.
UINT TaskbarCreatedMessage() {
  static const UINT message = ::RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

UINT NextId() {
  static std::atomic<UINT> next{1};
  return next++;
}

// The tooltip field holds 127 characters and a terminator; a cut never splits a surrogate pair.
std::wstring TipText(std::string_view hint) {
  constexpr std::size_t kMax = std::size(NOTIFYICONDATAW{}.szTip) - 1;
  std::wstring tip = win::Widen(hint);
  if (tip.size() > kMax) {
    tip.resize(kMax);
    if (IS_HIGH_SURROGATE(tip.back())) tip.pop_back();
  }
  return tip;
}

// The application icon at the small icon size, an icon of its own.
win::UniqueIcon LoadApplicationIcon() {
  HICON icon = nullptr;
  if (FAILED(::LoadIconMetric(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APPLICATION_ICON),
                              LIM_SMALL, &icon))) {
    // A program linked without the icon resource still gets an icon it can be found by.
    ::LoadIconMetric(nullptr, IDI_APPLICATION, LIM_SMALL, &icon);
  }
  return win::UniqueIcon(icon);
}

// Clears a flag when the scope ends, also by an exception from an event handler.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = false; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
};

template <typename Handler, typename... Args>
void Fire(const Handler& handler, Args... args) {
  if (handler) handler(args...);
}

}  // namespace

TTrayIcon::TTrayIcon(HWND owner, TTrayIconSettings settings, NotifyIconFunction notifyIcon)
    : owner_(owner),
      notifyIcon_(std::move(notifyIcon)),
      id_(NextId()),
      settings_(std::move(settings)) {
  icon_ = LoadApplicationIcon();
  // A hidden top-level window rather than a message-only one: "TaskbarCreated" and the
  // end-of-session messages are broadcast to top-level windows only, and a message-only window
  // would never learn that the shell restarted. WS_EX_TOOLWINDOW keeps it off the taskbar.
  if (!::CreateWindowExW(WS_EX_TOOLWINDOW, WindowClass(), L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                         nullptr, ::GetModuleHandleW(nullptr), this)) {
    win::ThrowCreateFailure();
  }
  // Lets the shell's message through to an elevated copy of the program; failure only means the
  // filter is not needed.
  ::ChangeWindowMessageFilterEx(Handle(), TaskbarCreatedMessage(), MSGFLT_ALLOW, nullptr);
  HookOwner();
  Notify(NIM_MODIFY);

  LoadCurrentIcon();
  if (settings_.enabled) AddIcon();
  // Keeping the window from showing is only safe while the icon is there to bring it back.
  if (settings_.hideOnStartup && iconShown_) {
    hidden_ = Hidden::AtStart;
    ::ShowWindow(owner_, SW_HIDE);
  }
  Notify(NIM_MODIFY);
  UpdateAnimateTimer();
}

TTrayIcon::~TTrayIcon() {
  DeleteIcon();
  KeepOwnerReachable();
  if (owner_) OwnerHook().Unwatch(owner_, reinterpret_cast<std::uintptr_t>(this));
  window_.reset();
}

// Properties

void TTrayIcon::SetHint(std::string_view hint) {
  if (hint == settings_.hint) return;
  settings_.hint = hint;
  Notify(NIM_MODIFY);
}

void TTrayIcon::SetEnabled(bool enabled) {
  if (enabled) {
    settings_.enabled = true;
    if (!iconShown_) AddIcon();
    HookOwner();
  } else if (settings_.enabled) {
    settings_.enabled = false;
    DeleteIcon();
    KeepOwnerReachable();
  }
}

void TTrayIcon::SetIcons(HIMAGELIST icons) {
  settings_.icons = icons;
  LoadCurrentIcon();
  Notify(NIM_MODIFY);
  UpdateAnimateTimer();
}

void TTrayIcon::SetIconIndex(int index) {
  settings_.iconIndex = index;
  LoadCurrentIcon();
  Notify(NIM_MODIFY);
}

void TTrayIcon::SetAnimate(bool animate) {
  settings_.animate = animate;
  UpdateAnimateTimer();
}

void TTrayIcon::SetInterval(UINT milliseconds) {
  settings_.interval = milliseconds;
  UpdateAnimateTimer();
}

void TTrayIcon::Restore() {
  // While the menu's own loop runs, the choice in the menu decides what happens next.
  if (menuShowing_ || !owner_) return;
  FlagScope restoring(restoring_);
  hidden_ = Hidden::None;
  if (::IsIconic(owner_)) {
    ::ShowWindow(owner_, SW_RESTORE);
  } else if (!::IsWindowVisible(owner_)) {
    ::ShowWindow(owner_, SW_SHOW);
  }
  if (settings_.enabled) ::SetForegroundWindow(owner_);
  Fire(events_.onRestore);
}

// The component's window

const wchar_t* TTrayIcon::WindowClass() {
  static const wchar_t kName[] = L"VelmoraTrayIconWindow";
  static const ATOM atom = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &win::WindowProc<TTrayIcon>;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kName;
    return ::RegisterClassExW(&wc);
  }();
  return atom ? kName : nullptr;
}

LRESULT TTrayIcon::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == TaskbarCreatedMessage()) {
    OnTaskbarCreated();
    return 0;
  }
  switch (message) {
    case kCallbackMessage:
      // The record keeps the original callback form (no NIM_SETVERSION), where lParam is the
      // mouse or balloon message itself.
      OnIconNotify(LOWORD(lParam));
      return 0;
    case WM_QUERYENDSESSION:
      return OnQueryEndSession();
    case WM_ENDSESSION:
      OnEndSession(wParam != FALSE);
      return 0;
    case WM_TIMER:
      if (wParam == kAnimateTimer) OnAnimateTimer();
      return 0;
    case WM_COMMAND:
      // A choice in the popup menu belongs to the window the menu serves.
      ::SendMessageW(owner_, WM_COMMAND, wParam, lParam);
      return 0;
  }
  return ::DefWindowProcW(Handle(), message, wParam, lParam);
}

// A mouse or balloon event on the icon.
void TTrayIcon::OnIconNotify(UINT code) {
  switch (code) {
    case WM_LBUTTONDOWN:
      OnClick(ticLeftClick);
      break;
    case WM_LBUTTONUP:
      OnClick(ticLeftClickUp);
      break;
    case WM_LBUTTONDBLCLK:
      OnClick(ticLeftDblClick);
      break;
    case WM_RBUTTONDOWN:
      OnClick(ticRightClick);
      break;
    case WM_RBUTTONUP:
      OnClick(ticRightClickUp);
      break;
    case WM_RBUTTONDBLCLK:
      OnClick(ticRightDblClick);
      break;
    case NIN_BALLOONHIDE:
      Fire(events_.onBalloonHide);
      break;
    case NIN_BALLOONTIMEOUT:
      Fire(events_.onBalloonTimeout);
      break;
    case NIN_BALLOONUSERCLICK:
      Fire(events_.onBalloonClick);
      break;
  }
}

void TTrayIcon::OnClick(TTrayIconClicks click) {
  if (click == settings_.restoreOn) Restore();
  if (click == settings_.popupMenuOn && settings_.popupMenu) ShowPopupMenu();
  Fire(events_.onClick, click);
}

// The session may end unless the owner objects.
BOOL TTrayIcon::OnQueryEndSession() {
  return events_.onQueryEndSession ? events_.onQueryEndSession() : TRUE;
}

// The icon goes before the program is closed, so none is left behind in the shell.
void TTrayIcon::OnEndSession(bool ending) {
  if (ending) DeleteIcon();
}

// The shell restarted, or it has only now come up: add the icon to the new taskbar.
void TTrayIcon::OnTaskbarCreated() {
  if (!settings_.enabled) return;
  AddIcon();
  KeepOwnerReachable();
}

void TTrayIcon::OnAnimateTimer() {
  const int count = settings_.icons ? ::ImageList_GetImageCount(settings_.icons) : 0;
  if (count <= 0) return;
  settings_.iconIndex = (settings_.iconIndex + 1) % count;
  LoadCurrentIcon();
  Notify(NIM_MODIFY);
}

// The main window

// The main window, watched for being minimised, restored and destroyed.
win::WindowHook& TTrayIcon::OwnerHook() {
  static win::WindowHook hook(&TTrayIcon::OwnerProc);
  return hook;
}

LRESULT CALLBACK TTrayIcon::OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const std::vector<std::uintptr_t> trays = OwnerHook().Watchers(window);
  for (const std::uintptr_t tray : trays) {
    reinterpret_cast<TTrayIcon*>(tray)->BeforeOwnerMessage(message, lParam);
  }
  const LRESULT result = OwnerHook().CallNext(window, message, wParam, lParam);
  if (message == WM_SIZE) {
    for (const std::uintptr_t tray : trays) {
      // A component that the main window's own handling released is no longer watching.
      const std::vector<std::uintptr_t> still = OwnerHook().Watchers(window);
      if (std::find(still.begin(), still.end(), tray) == still.end()) continue;
      reinterpret_cast<TTrayIcon*>(tray)->OnOwnerSize(wParam);
    }
  }
  return result;
}

void TTrayIcon::BeforeOwnerMessage(UINT message, LPARAM lParam) {
  switch (message) {
    case WM_WINDOWPOSCHANGING:
      if (hidden_ == Hidden::AtStart) {
        reinterpret_cast<WINDOWPOS*>(lParam)->flags &= ~SWP_SHOWWINDOW;
      }
      break;
    case WM_DESTROY:
      ownerGone_ = true;
      break;
    case WM_NCDESTROY:
      // The hook goes with the window; nothing of it is left to release.
      owner_ = nullptr;
      break;
  }
}

// Every way of minimising (the minimise box, SC_MINIMIZE, ShowWindow) and of restoring ends in
// WM_SIZE, so that is the one place watched.
void TTrayIcon::OnOwnerSize(WPARAM kind) {
  if (kind == SIZE_MINIMIZED) {
    if (!ownerMinimized_) OnOwnerMinimized();
  } else if (kind == SIZE_RESTORED || kind == SIZE_MAXIMIZED) {
    const bool wasMinimized = ownerMinimized_;
    ownerMinimized_ = false;
    // Restored by someone else (the program itself, another tool): finish it the same way.
    if (wasMinimized && !restoring_) Restore();
  }
}

void TTrayIcon::OnOwnerMinimized() {
  ownerMinimized_ = true;
  // The main window carries its own taskbar button, so hiding it takes that button away too.
  // Only with the icon actually in the notification area: otherwise nothing would be left to
  // bring the window back, and it stays minimised on the taskbar.
  if (settings_.enabled && settings_.hideOnMinimize && iconShown_) {
    ::ShowWindow(owner_, SW_HIDE);
    if (hidden_ == Hidden::None) hidden_ = Hidden::OnMinimize;
  }
  Fire(events_.onMinimize);
}

// The shell's record and its operations

NOTIFYICONDATAW TTrayIcon::Record() const {
  NOTIFYICONDATAW record{};
  record.cbSize = sizeof(record);
  record.hWnd = Handle();
  record.uID = id_;
  record.uFlags = NIF_MESSAGE | NIF_ICON;
  record.uCallbackMessage = kCallbackMessage;
  record.hIcon = icon_.get();
  const std::wstring tip = TipText(settings_.hint);
  if (!tip.empty()) {
    record.uFlags |= NIF_TIP;
    std::wmemcpy(record.szTip, tip.c_str(), tip.size() + 1);
  }
  return record;
}

// Failures of modify and delete change nothing the program could act on and are ignored.
BOOL TTrayIcon::Notify(DWORD message) {
  NOTIFYICONDATAW record = Record();
  return notifyIcon_(message, &record);
}

void TTrayIcon::AddIcon() {
  // No NIM_SETVERSION: version 4 would move the mouse code into LOWORD(lParam) and hide the
  // plain tooltip unless NIF_SHOWTIP is set, and version 3 would replace the right-button
  // messages a keyboard user's Enter sends by codes the click kinds do not know.
  if (Notify(NIM_ADD)) {
    iconShown_ = true;
    return;
  }
  // The shell refuses to add an icon it still holds, as when "TaskbarCreated" comes while the
  // icon survived; a modify that succeeds says it is there. Any other failure leaves the icon
  // pending (Enabled stays on): at logon the program may start before the notification area
  // exists, and the shell's "TaskbarCreated" then brings the icon in.
  iconShown_ = Notify(NIM_MODIFY) != FALSE;
}

void TTrayIcon::DeleteIcon() {
  Notify(NIM_DELETE);
  iconShown_ = false;
}

void TTrayIcon::LoadCurrentIcon() {
  // ImageList_GetIcon makes a new icon; an index outside the list falls back to the program's.
  win::UniqueIcon fromList(
      settings_.icons ? ::ImageList_GetIcon(settings_.icons, settings_.iconIndex, ILD_NORMAL)
                      : nullptr);
  icon_ = fromList ? std::move(fromList) : LoadApplicationIcon();
}

void TTrayIcon::UpdateAnimateTimer() {
  if (settings_.animate && settings_.icons) {
    ::SetTimer(Handle(), kAnimateTimer, settings_.interval, nullptr);
  } else {
    ::KillTimer(Handle(), kAnimateTimer);
  }
}

// Watching the main window again is harmless.
void TTrayIcon::HookOwner() {
  if (owner_ && !OwnerHook().Watch(owner_, reinterpret_cast<std::uintptr_t>(this))) {
    win::RaiseLastOSError();
  }
}

// With the icon gone, a main window hidden into it would be out of reach: put it back on the
// taskbar, minimised as the user left it.
void TTrayIcon::KeepOwnerReachable() {
  if (iconShown_ || ownerGone_ || !owner_ || ::IsWindowVisible(owner_)) return;
  if (hidden_ == Hidden::None) return;
  hidden_ = Hidden::None;
  ::ShowWindow(owner_, SW_SHOWMINNOACTIVE);
}

void TTrayIcon::ShowPopupMenu() {
  FlagScope showing(menuShowing_);
  POINT at{};
  ::GetCursorPos(&at);
  // The menu only closes on a click elsewhere when its window is in the foreground, and the
  // WM_NULL after it lets the next click on the icon through.
  ::SetForegroundWindow(Handle());
  ::TrackPopupMenuEx(settings_.popupMenu, TPM_RIGHTBUTTON, at.x, at.y, Handle(), nullptr);
  ::PostMessageW(Handle(), WM_NULL, 0, 0);
}

}  // namespace velmora::tray
