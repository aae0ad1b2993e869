#include "win/window_hook.h"

#include <algorithm>

namespace velmora::win {

bool WindowHook::Watch(HWND window, std::uintptr_t watcher) {
  if (Hooked* hooked = Find(window)) {
    if (std::find(hooked->watchers.begin(), hooked->watchers.end(), watcher) ==
        hooked->watchers.end()) {
      hooked->watchers.push_back(watcher);
    }
    return true;
  }
  ::SetLastError(ERROR_SUCCESS);
  const auto next = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc_)));
  if (!next && ::GetLastError() != ERROR_SUCCESS) return false;
  hooked_.push_back({window, next, {watcher}});
  return true;
}

void WindowHook::Unwatch(HWND window, std::uintptr_t watcher) {
  Hooked* hooked = Find(window);
  if (!hooked) return;
  std::erase(hooked->watchers, watcher);
  if (!hooked->watchers.empty()) return;
  const auto current = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(window, GWLP_WNDPROC));
  if (current != proc_) return;
  ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hooked->next));
  std::erase_if(hooked_, [window](const Hooked& h) { return h.window == window; });
}

std::vector<std::uintptr_t> WindowHook::Watchers(HWND window) const {
  const Hooked* hooked = Find(window);
  return hooked ? hooked->watchers : std::vector<std::uintptr_t>{};
}

LRESULT WindowHook::CallNext(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const Hooked* hooked = Find(window);
  if (!hooked) return ::DefWindowProcW(window, message, wParam, lParam);
  const WNDPROC next = hooked->next;
  if (message == WM_NCDESTROY) {
    std::erase_if(hooked_, [window](const Hooked& h) { return h.window == window; });
  }
  return ::CallWindowProcW(next, window, message, wParam, lParam);
}

WindowHook::Hooked* WindowHook::Find(HWND window) {
  const auto it = std::find_if(hooked_.begin(), hooked_.end(),
                               [window](const Hooked& h) { return h.window == window; });
  return it == hooked_.end() ? nullptr : &*it;
}

const WindowHook::Hooked* WindowHook::Find(HWND window) const {
  const auto it = std::find_if(hooked_.begin(), hooked_.end(),
                               [window](const Hooked& h) { return h.window == window; });
  return it == hooked_.end() ? nullptr : &*it;
}

}  // namespace velmora::win
