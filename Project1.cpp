// The program's entry: safe DLL search, then the main window and its event loop.
#include <windows.h>

#include "ui/main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  // Before anything can load a DLL: search only System32, never the current directory.
  ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  HWND window = velmora::CreateMainWindow(instance);
  if (!window) return 1;
  ::ShowWindow(window, show);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
