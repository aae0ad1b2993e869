#include "actions/process_killer.h"

#include <windows.h>
#include <tlhelp32.h>

#include "core/process_name.h"
#include "win/handles.h"
#include "win/text.h"

namespace velmora {
namespace {

using CreateSnapshotFn = HANDLE(WINAPI*)(DWORD, DWORD);
using ProcessWalkFn = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32W*);

// The enumeration functions are bound by name at run time, so a system without them
// terminates nothing instead of failing to start.
template <typename Fn>
Fn Bind(HMODULE kernel, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(kernel, name)));
}

HANDLE OpenWithTerminateRight(DWORD processId) {
  return ::OpenProcess(PROCESS_TERMINATE, FALSE, processId);
}

}  // namespace

void KillProcessByName(const std::string& name) {
  KillProcessByName(name, OpenWithTerminateRight);
}

void KillProcessByName(const std::string& name, OpenForTerminate open) {
  const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
  if (!kernel) return;
  const auto createSnapshot = Bind<CreateSnapshotFn>(kernel, "CreateToolhelp32Snapshot");
  const auto first = Bind<ProcessWalkFn>(kernel, "Process32FirstW");
  const auto next = Bind<ProcessWalkFn>(kernel, "Process32NextW");
  if (!createSnapshot || !first || !next) return;

  win::UniqueKernelHandle snapshot(createSnapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = first(snapshot.get(), &entry); more; more = next(snapshot.get(), &entry)) {
    if (!ProcessNameMatches(win::Narrow(entry.szExeFile), name)) continue;
    // Another user's or a protected process cannot be opened; it is passed over silently.
    win::UniqueKernelHandle process(open(entry.th32ProcessID));
    if (process) ::TerminateProcess(process.get(), 0);
  }
}

}  // namespace velmora
