// The program's entry: the user-interface thread's set-up, then the main window and its event
// loop.
#include <windows.h>

#include "ui/main_window.h"
#include "win/regional_settings.h"
#include "win/system_clock.h"
#include "win/ui_thread.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  const velmora::win::UiThreadSetup uiThread;
  const velmora::win::SystemClock clock;
  return velmora::RunMainWindow(instance, show, clock, velmora::win::ReadRegionalPatterns());
}
