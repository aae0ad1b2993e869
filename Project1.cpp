// The program's entry: safe DLL search, the common controls, then the main window and its
// event loop.
#include <windows.h>
#include <commctrl.h>

#include <exception>

#include "ui/error_reporter.h"
#include "ui/main_window.h"
#include "win/regional_settings.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  // Before anything can load a DLL: search only System32, never the current directory.
  ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                      ICC_BAR_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  try {
    const velmora::win::SystemClock clock;
    velmora::TForm1 form(instance, velmora::win::ReadRegionalPatterns(), clock);
    form.Create();
    form.ShowCentred(show);
    return velmora::RunEventLoop();
  } catch (const std::exception& e) {
    velmora::ReportError(nullptr, e.what());
    return 1;
  }
}
