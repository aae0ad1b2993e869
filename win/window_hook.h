// A procedure put in front of the window procedure of windows whose class the program did not
// write: the fields that filter keys, the speed buttons, and the main window as the tray icon
// watches it. It replaces the window procedure (GWLP_WNDPROC) and keeps the one it replaced
// here. The comctl32 subclass functions would do the same, but they look their chain up in a
// window property on every message, and under Wine each property read is a round trip to the
// wineserver (about 0.1 ms on a small machine), paid twice for every tick, key and timer
// message of each window so watched.
//
// One WindowHook per hook procedure; the procedure asks Watchers() for what it serves and hands
// every message on through CallNext. For the user-interface thread only.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace velmora::win {

class WindowHook {
 public:
  explicit WindowHook(WNDPROC proc) : proc_(proc) {}
  WindowHook(const WindowHook&) = delete;
  WindowHook& operator=(const WindowHook&) = delete;

  // Starts serving watcher on window; the first watcher puts the procedure in front. Watching
  // twice is harmless. False when the window's procedure cannot be replaced.
  bool Watch(HWND window, std::uintptr_t watcher);
  // Stops serving watcher. The last one takes the procedure out again, unless another one was
  // put in front of it since: then it stays and only hands the messages on.
  void Unwatch(HWND window, std::uintptr_t watcher);
  // A copy, so that a watcher may stop watching while it is being served.
  std::vector<std::uintptr_t> Watchers(HWND window) const;
  // Hands the message to the procedure that was replaced; after WM_NCDESTROY the window is
  // forgotten.
  LRESULT CallNext(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  struct Hooked {
    HWND window;
    WNDPROC next;
    std::vector<std::uintptr_t> watchers;
  };
  Hooked* Find(HWND window);
  const Hooked* Find(HWND window) const;

  WNDPROC proc_;
  std::vector<Hooked> hooked_;
};

}  // namespace velmora::win
