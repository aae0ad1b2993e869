// Opens a path on a Linux desktop: an executable file starts detached in the current directory,
// any other path opens in the desktop's default application. Fire and forget: failures are
// silent, and a missing path opens nothing.
#pragma once

#include <string>

namespace velmora {

void OpenWithShell(const std::string& path);

}  // namespace velmora
