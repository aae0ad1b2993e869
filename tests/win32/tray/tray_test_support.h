// Fixtures for the tray icon tests: a stand-in for the shell's notification area that records
// every call, and the component made for a host window that stands in for the main window.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <set>
#include <utility>
#include <vector>

#include "tray/tray_icon.h"
#include "tests/win32/support/pixels.h"
#include "tests/win32/support/pump.h"
#include "tests/win32/support/test_windows.h"
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

  explicit FakeShell(bool ready = true) : ready_(ready) {}

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
  bool ready_;
  std::function<void(const Call&)> observer_;
};

using velmora::test::HostWindow;
using velmora::test::IconPixels;
using velmora::test::milliseconds;
using velmora::test::OtherWindow;
using velmora::test::PumpFor;
using velmora::test::PumpPending;
using velmora::test::PumpUntil;

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

// A bitmap of one colour at the small icon size, for an image list.
inline win::UniqueBitmap SolidBitmap(COLORREF color) {
  const int cx = ::GetSystemMetrics(SM_CXSMICON);
  const int cy = ::GetSystemMetrics(SM_CYSMICON);
  win::ScreenDc screen;
  win::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen, cx, cy));
  win::UniqueDc dc(::CreateCompatibleDC(screen));
  win::SelectedObject selected(dc.get(), bitmap.get());
  win::UniqueBrush brush(::CreateSolidBrush(color));
  RECT all{0, 0, cx, cy};
  ::FillRect(dc.get(), &all, brush.get());
  return bitmap;
}

}  // namespace velmora::tray::test

namespace velmora::test {
using tray::TTrayIcon;
using tray::test::HasTaskbarButton;
using tray::test::TaskbarCreated;
}  // namespace velmora::test
