// The program's one error reporter: whatever a window handler throws ends up here and is
// shown to the user in a message box; the event loop then goes on.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "core/error.h"

namespace velmora {

// The executable's file name up to its first period, every character after the first in
// lower case: "C:\Tools\VELMORA.EXE" gives "Velmora".
std::string ApplicationTitle(std::wstring_view modulePath);
// The title of this process, from its own executable.
const std::string& ApplicationTitle();

// Shows the message in an error box owned by owner and returns when the box is closed. While
// a box is open (ticks go on inside its modal loop) a further error is not shown: one failing
// timer cannot pile up boxes faster than the user can close them.
void ReportError(HWND owner, const std::string& message);

// Reports the exception being handled: its message, or "Unknown error" when it carries none.
// Call it only inside a catch block.
void ReportCurrentException(HWND owner);

// True while an error box is open.
bool ErrorBoxOpen();

}  // namespace velmora
