#include "actions/process_killer_linux.h"

#include <dirent.h>
#include <unistd.h>

#include <csignal>
#include <memory>
#include <string_view>

#include "core/process_name.h"

namespace velmora {
namespace {

int SendKill(pid_t pid) {
  return ::kill(pid, SIGKILL);
}

// The executable of a process, or empty when it may not be read (another user's, a kernel
// thread, a process that has just ended).
std::string ExecutableOf(std::string_view pid) {
  const std::string link = "/proc/" + std::string(pid) + "/exe";
  std::string target(4096, '\0');
  const ssize_t n = ::readlink(link.c_str(), target.data(), target.size());
  if (n <= 0) return {};
  target.resize(static_cast<std::size_t>(n));
  // A replaced or removed executable still names its file, with this mark behind it.
  constexpr std::string_view kDeleted = " (deleted)";
  if (target.ends_with(kDeleted)) target.resize(target.size() - kDeleted.size());
  return target;
}

bool IsProcessId(std::string_view entry) {
  return !entry.empty() && entry.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

void KillProcessByName(const std::string& name) {
  KillProcessByName(name, SendKill);
}

void KillProcessByName(const std::string& name, TerminateProcessFn terminate) {
  const std::unique_ptr<DIR, int (*)(DIR*)> proc(::opendir("/proc"), ::closedir);
  if (!proc) return;
  while (const dirent* entry = ::readdir(proc.get())) {
    if (!IsProcessId(entry->d_name)) continue;
    const std::string exe = ExecutableOf(entry->d_name);
    if (exe.empty() || !ProcessNameMatches(exe, name, PathStyle::Posix)) continue;
    // A refusal (another user's process, one already gone) is passed over silently.
    terminate(static_cast<pid_t>(std::stol(entry->d_name)));
  }
}

}  // namespace velmora
