#include "ui/event_loop.h"

#include "ui/error_reporter.h"
#include "ui/main_window.h"

namespace velmora {

int RunMainWindow(HINSTANCE instance, int showCommand, const Clock& clock,
                  const RegionalPatterns& patterns) {
  try {
    TForm1 form(instance, patterns, clock);
    form.Create();
    form.ShowCentred(showCommand);
    return RunEventLoop();
  } catch (...) {
    ReportCurrentException(nullptr);
    return 1;
  }
}

int RunEventLoop() {
  MSG msg{};
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    // Tab and the other dialog keys move between the main window's controls.
    if (Form1 && Form1->Handle() && ::IsDialogMessageW(Form1->Handle(), &msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace velmora
