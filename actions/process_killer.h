// Terminates every running process whose executable file name equals a name.
#pragma once

#include <windows.h>

#include <string>

namespace velmora {

// name is a bare file name such as "notepad.exe". Every match is terminated, in snapshot
// order; a process that may not be opened is passed over. Nothing is reported.
void KillProcessByName(const std::string& name);

// How a matching process is opened for termination: the system's OpenProcess, or in a test a
// stand-in that refuses some processes as the system refuses another user's.
using OpenForTerminate = HANDLE (*)(DWORD processId);
void KillProcessByName(const std::string& name, OpenForTerminate open);

}  // namespace velmora
