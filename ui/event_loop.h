// Running the program: the main window made and shown, and the event loop of the
// user-interface thread, with keyboard navigation between the main window's controls.
#pragma once

#include <windows.h>

#include "core/moment.h"
#include "core/schedule_context.h"

namespace velmora {

// The program: creates and shows the main window and runs the event loop until it closes. A
// failure on the way is shown in one error box, and the result is then 1.
int RunMainWindow(HINSTANCE instance, int showCommand, const Clock& clock,
                  const RegionalPatterns& patterns);

// The event loop of the user-interface thread; returns when the main window has closed.
int RunEventLoop();

}  // namespace velmora
