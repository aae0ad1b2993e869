// Opens a path through the shell's "open" verb: a program starts, a document opens in its
// associated application. Fire and forget: failures are silent.
#pragma once

#include <windows.h>

#include <string>

namespace velmora {

void OpenWithShell(HWND owner, const std::string& path);

}  // namespace velmora
