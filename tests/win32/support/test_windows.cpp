#include "tests/win32/support/test_windows.h"

#include <algorithm>

#include "tests/win32/support/pump.h"
#include "win/text.h"
#include "win/window_thunk.h"

namespace velmora::test {
namespace {

// Registers a class of this module served by the object passed at creation.
template <typename T>
const wchar_t* ClassOf(const wchar_t* name, HBRUSH background, UINT style = 0) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (::GetClassInfoExW(::GetModuleHandleW(nullptr), name, &wc)) return name;
  wc.style = style;
  wc.lpfnWndProc = &win::WindowProc<T>;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  ::RegisterClassExW(&wc);
  return name;
}

}  // namespace

std::string TextOfWindow(HWND window) {
  wchar_t buffer[1024]{};
  ::SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer),
                        SMTO_ABORTIFHUNG, 2000, nullptr);
  return win::Narrow(buffer);
}

HostWindow::HostWindow(bool show) {
  const wchar_t* name =
      ClassOf<HostWindow>(L"VelmoraTestHost", reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  ::CreateWindowExW(0, name, L"Velmora", WS_OVERLAPPEDWINDOW, 120, 120, 420, 260, nullptr, nullptr,
                    ::GetModuleHandleW(nullptr), this);
  if (show) {
    ::ShowWindow(Get(), SW_SHOWNORMAL);
    ::SetForegroundWindow(Get());
  }
}

LRESULT HostWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) lastCommand_ = LOWORD(wParam);
  return ::DefWindowProcW(Get(), message, wParam, lParam);
}

OwnerWindow::OwnerWindow()
    : window_(::CreateWindowExW(0, L"STATIC", L"Velmora", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                                320, 200, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr)) {
}

OtherWindow::OtherWindow() {
  ::SetWindowPos(window_, HWND_TOP, 700, 600, 0, 0, SWP_NOSIZE);
  ::SetForegroundWindow(window_);
  PumpFor(milliseconds(100));
}

ClickTarget::ClickTarget(const RECT& screen, bool doubleClicks) {
  const wchar_t* name =
      doubleClicks ? ClassOf<ClickTarget>(L"VelmoraDoubleClickTarget",
                                          reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1), CS_DBLCLKS)
                   : ClassOf<ClickTarget>(L"VelmoraClickTarget",
                                          reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1));
  ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, name, L"点击目标",
                    WS_POPUP | WS_VISIBLE, screen.left, screen.top, screen.right - screen.left,
                    screen.bottom - screen.top, nullptr, nullptr, ::GetModuleHandleW(nullptr),
                    this);
  ::UpdateWindow(Handle());
}

int ClickTarget::Presses() const {
  return static_cast<int>(std::count(buttons_.begin(), buttons_.end(), 'D') +
                          std::count(buttons_.begin(), buttons_.end(), 'C'));
}

void ClickTarget::Forget() {
  buttons_.clear();
  points_.clear();
}

LRESULT ClickTarget::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;  // a click lands without taking the focus from the form
    case WM_LBUTTONDOWN:
      return OnButton('D', lParam);
    case WM_LBUTTONUP:
      return OnButton('U', lParam);
    case WM_LBUTTONDBLCLK:
      return OnButton('C', lParam);
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
      return OnButton('?', lParam);
  }
  return ::DefWindowProcW(Handle(), message, wParam, lParam);
}

// Records one button message and where in the client area it fell.
LRESULT ClickTarget::OnButton(char kind, LPARAM lParam) {
  buttons_ += kind;
  points_.push_back({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
  return 0;
}

}  // namespace velmora::test
