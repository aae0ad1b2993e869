// The X display that the pointer actions use: opened once, on first use, and kept to exit.
#pragma once

#include <string>

using Display = struct _XDisplay;

namespace velmora {

// The pointer's display, or null when none can be opened.
Display* PointerDisplay();
// The display the program asks for: $DISPLAY, or a word saying it is not set.
std::string DisplayName();

}  // namespace velmora
