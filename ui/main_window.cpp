#include "ui/main_window.h"
namespace velmora {
namespace {
LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}
}  // namespace
HWND CreateMainWindow(HINSTANCE instance) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"TForm1";
  RegisterClassW(&wc);
  return CreateWindowExW(0, L"TForm1", L"Velmora", WS_OVERLAPPED | WS_SYSMENU | WS_MINIMIZEBOX,
                         CW_USEDEFAULT, CW_USEDEFAULT, 927, 478, nullptr, nullptr, instance, nullptr);
}
}  // namespace velmora
