// Terminate: KillProcessByName with 200 running copies of the probe program. All must be
// gone afterwards; reports how long the call took and how long until the last one ended.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "actions/process_killer.h"
#include "win/handles.h"

namespace {

constexpr int kCopies = 200;

std::wstring Dir(const std::wstring& path) {
  return path.substr(0, path.find_last_of(L'\\'));
}

}  // namespace

int wmain() {
  wchar_t self[MAX_PATH];
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring probe = Dir(self) + L"\\velmora_probe.exe";
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring target = std::wstring(temp) + L"velmora_bench_target.exe";
  if (!::CopyFileW(probe.c_str(), target.c_str(), FALSE)) {
    std::printf("| Terminate | cannot copy the probe program | all gone | FAILED |\n");
    return 1;
  }

  std::vector<velmora::win::UniqueKernelHandle> processes;
  for (int i = 0; i < kCopies; ++i) {
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    std::wstring cmd = L"\"" + target + L"\"";
    if (!::CreateProcessW(target.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &si, &pi)) {
      break;
    }
    ::CloseHandle(pi.hThread);
    processes.emplace_back(pi.hProcess);
  }
  // Let every copy get past its start-up, so the snapshot sees them all.
  for (auto& p : processes) ::WaitForInputIdle(p.get(), 5000);
  ::Sleep(2000);

  const auto start = std::chrono::steady_clock::now();
  velmora::KillProcessByName("VELMORA_BENCH_TARGET.EXE");
  const auto called = std::chrono::steady_clock::now();
  int gone = 0;
  for (auto& p : processes) {
    if (::WaitForSingleObject(p.get(), 10000) == WAIT_OBJECT_0) ++gone;
  }
  const auto ended = std::chrono::steady_clock::now();
  using ms = std::chrono::duration<double, std::milli>;
  const bool ok = gone == kCopies && static_cast<int>(processes.size()) == kCopies;
  std::printf(
      "| Terminate | %d of %zu started copies gone; call %.0f ms, last exit after %.0f ms "
      "| all %d gone | %s |\n",
      gone, processes.size(), ms(called - start).count(), ms(ended - start).count(), kCopies,
      ok ? "met" : "NOT MET");
  ::DeleteFileW(target.c_str());
  ::DeleteFileW((target + L".ran").c_str());
  return ok ? 0 : 1;
}
