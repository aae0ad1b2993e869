// Fixtures for the tray icon tests: a stand-in for the shell's notification area that records
// every call, a host window standing in for the main window, and small message-loop helpers.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <chrono>
#include <functional>
#include <set>
#include <utility>
#include <vector>

#include "tray/tray_icon.h"
#include "win/handles.h"

namespace velmora::tray::test {

// Holds icons the way the notification area does: an add of an icon it holds, a modify or a
// delete of one it does not hold fail. While not `ready` (the shell has not come up yet),
// every add fails.
class FakeShell {
 public:
  struct Call {
    DWORD message;
    NOTIFYICONDATAW data;
    BOOL result;
  };

  NotifyIconFunction Function() {
    return [this](DWORD message, NOTIFYICONDATAW* data) { return Handle(message, *data); };
  }
  bool Holds(HWND window, UINT id) const { return icons_.count({window, id}) != 0; }
  bool HoldsAny() const { return !icons_.empty(); }
  // Explorer restarted: the new notification area holds no icons.
  void Restart() { icons_.clear(); }
  void SetReady(bool ready) { ready_ = ready; }

  const std::vector<Call>& Calls() const { return calls_; }
  std::vector<Call> CallsOf(DWORD message) const {
    std::vector<Call> found;
    for (const Call& call : calls_) {
      if (call.message == message) found.push_back(call);
    }
    return found;
  }
  void ClearCalls() { calls_.clear(); }
  // Called with each call as it is made, while its icon is still alive.
  void SetObserver(std::function<void(const Call&)> observer) { observer_ = std::move(observer); }

 private:
  BOOL Handle(DWORD message, const NOTIFYICONDATAW& data) {
    const std::pair<HWND, UINT> key{data.hWnd, data.uID};
    BOOL result = FALSE;
    switch (message) {
      case NIM_ADD:
        result = ready_ && icons_.insert(key).second;
        break;
      case NIM_MODIFY:
        result = icons_.count(key) != 0;
        break;
      case NIM_DELETE:
        result = icons_.erase(key) != 0;
        break;
    }
    calls_.push_back({message, data, result});
    if (observer_) observer_(calls_.back());
    return result;
  }

  std::set<std::pair<HWND, UINT>> icons_;
  std::vector<Call> calls_;
  bool ready_ = true;
  std::function<void(const Call&)> observer_;
};

// A top-level window with its own taskbar button, as the main window has. It remembers the
// last WM_COMMAND it received.
class HostWindow {
 public:
  explicit HostWindow(bool show = true) {
    static const ATOM atom = [] {
      WNDCLASSEXW wc{};
      wc.cbSize = sizeof(wc);
      wc.lpfnWndProc = &HostWindow::WindowProc;
      wc.hInstance = ::GetModuleHandleW(nullptr);
      wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
      wc.lpszClassName = L"VelmoraTrayTestHost";
      return ::RegisterClassExW(&wc);
    }();
    (void)atom;
    window_.reset(::CreateWindowExW(0, L"VelmoraTrayTestHost", L"Velmora", WS_OVERLAPPEDWINDOW, 120,
                                    120, 420, 260, nullptr, nullptr, ::GetModuleHandleW(nullptr),
                                    this));
    if (show) {
      ::ShowWindow(window_.get(), SW_SHOWNORMAL);
      ::SetForegroundWindow(window_.get());
    }
  }
  HWND Get() const { return window_.get(); }
  operator HWND() const { return window_.get(); }
  WORD LastCommand() const { return lastCommand_; }
  void Destroy() { window_.reset(); }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      ::SetWindowLongPtrW(
          window, GWLP_USERDATA,
          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<HostWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && message == WM_COMMAND) self->lastCommand_ = LOWORD(wParam);
    return ::DefWindowProcW(window, message, wParam, lParam);
  }

  win::UniqueWindow window_;
  WORD lastCommand_ = 0;
};

inline void PumpMessages() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

// Runs the message loop until `done` holds or the (generous) limit passes.
inline bool PumpUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds limit = std::chrono::seconds(10)) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    PumpMessages();
  }
  return true;
}

// A window gets a taskbar button while it is visible and either unowned and no tool window, or
// marked as an app window.
inline bool HasTaskbarButton(HWND window) {
  if (!::IsWindowVisible(window)) return false;
  const LONG_PTR exStyle = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
  if (exStyle & WS_EX_APPWINDOW) return true;
  return !::GetWindow(window, GW_OWNER) && !(exStyle & WS_EX_TOOLWINDOW);
}

// Delivers a mouse or balloon event the way the shell reports it.
inline void SendIconEvent(const TTrayIcon& tray, UINT code) {
  ::SendMessageW(tray.Handle(), TTrayIcon::kCallbackMessage, tray.Id(), code);
}

inline UINT TaskbarCreated() {
  return ::RegisterWindowMessageW(L"TaskbarCreated");
}

using UniqueDc = win::UniqueHandle<HDC, &::DeleteDC>;

// The icon drawn on white (or on black) at the small icon size, as 0x00RRGGBB values.
inline std::vector<DWORD> IconPixels(HICON icon, bool onBlack = false) {
  const int cx = ::GetSystemMetrics(SM_CXSMICON);
  const int cy = ::GetSystemMetrics(SM_CYSMICON);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = cx;
  info.bmiHeader.biHeight = -cy;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueDc dc(::CreateCompatibleDC(nullptr));
  win::UniqueBitmap dib(::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib) return {};
  std::vector<DWORD> pixels;
  {
    win::SelectedObject selected(dc.get(), dib.get());
    ::PatBlt(dc.get(), 0, 0, cx, cy, onBlack ? BLACKNESS : WHITENESS);
    ::DrawIconEx(dc.get(), 0, 0, icon, cx, cy, 0, nullptr, DI_NORMAL);
    ::GdiFlush();
    const auto* first = static_cast<const DWORD*>(bits);
    for (int i = 0; i < cx * cy; ++i) pixels.push_back(first[i] & 0x00FFFFFF);
  }
  return pixels;
}

// A bitmap of one colour at the small icon size, for an image list.
inline win::UniqueBitmap SolidBitmap(COLORREF color) {
  const int cx = ::GetSystemMetrics(SM_CXSMICON);
  const int cy = ::GetSystemMetrics(SM_CYSMICON);
  win::ScreenDc screen;
  win::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen, cx, cy));
  UniqueDc dc(::CreateCompatibleDC(screen));
  win::SelectedObject selected(dc.get(), bitmap.get());
  win::UniqueBrush brush(::CreateSolidBrush(color));
  RECT all{0, 0, cx, cy};
  ::FillRect(dc.get(), &all, brush.get());
  return bitmap;
}

}  // namespace velmora::tray::test
