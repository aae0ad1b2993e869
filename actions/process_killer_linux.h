// Terminates every running process whose executable file name equals a name, on Linux.
#pragma once

#include <sys/types.h>

#include <string>

namespace velmora {

// name is a bare file name such as "xterm". The executable of each process is the target of
// /proc/PID/exe; every match is sent SIGKILL, in /proc order. A process that may not be read
// or signalled is passed over. Nothing is reported.
void KillProcessByName(const std::string& name);

// How a matching process is ended: SIGKILL, or in a test a stand-in that refuses some
// processes as the system refuses another user's. Returns -1 when refused.
using TerminateProcessFn = int (*)(pid_t pid);
void KillProcessByName(const std::string& name, TerminateProcessFn terminate);

}  // namespace velmora
