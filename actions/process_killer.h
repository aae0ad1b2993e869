// Terminates every running process whose executable file name equals a name.
#pragma once

#include <string>

namespace velmora {

// name is a bare file name such as "notepad.exe". Every match is terminated, in snapshot
// order; a process that may not be opened is passed over. Nothing is reported.
void KillProcessByName(const std::string& name);

}  // namespace velmora
