#include "probe_process.h"

#include <tlhelp32.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "win/text.h"

namespace velmora::test {
namespace {

std::wstring ModuleFolder() {
  wchar_t self[MAX_PATH * 4];
  const DWORD n = ::GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
  return std::filesystem::path(std::wstring(self, n)).parent_path().wstring();
}

}  // namespace

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  wchar_t temp[MAX_PATH + 1];
  const DWORD n = ::GetTempPathW(MAX_PATH + 1, temp);
  path_ = std::wstring(temp, n) + L"velmora-actions-" + std::to_wstring(::GetCurrentProcessId()) +
          L"-" + std::to_wstring(++counter);
  std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
  // Best effort: a probe that is still shutting down may hold its exe a moment longer.
  std::error_code ignored;
  for (int attempt = 0; attempt < 50; ++attempt) {
    std::filesystem::remove_all(path_, ignored);
    if (!std::filesystem::exists(path_, ignored)) return;
    ::Sleep(100);
  }
}

std::wstring TempFolder::Make(const std::wstring& relative) const {
  const std::filesystem::path full = std::filesystem::path(path_) / relative;
  std::filesystem::create_directories(full.parent_path());
  return full.wstring();
}

std::wstring ProbePath() {
  return ModuleFolder() + L"\\velmora_probe.exe";
}

void CopyProbeTo(const std::wstring& target) {
  std::filesystem::create_directories(std::filesystem::path(target).parent_path());
  if (!::CopyFileW(ProbePath().c_str(), target.c_str(), FALSE)) {
    throw std::runtime_error("cannot copy the probe to " + win::Narrow(target));
  }
}

std::wstring RanFile(const std::wstring& exe) {
  return exe + L".ran";
}

std::vector<DWORD> RanPids(const std::wstring& exe) {
  std::vector<DWORD> pids;
  std::ifstream in(std::filesystem::path(RanFile(exe)));
  for (unsigned long pid = 0; in >> pid;) pids.push_back(static_cast<DWORD>(pid));
  return pids;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (::GetTickCount64() >= deadline) return false;
    // Messages go on meanwhile: a test's owner window answers whoever sends to it.
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
  }
}

RunningProbe::RunningProbe(const std::wstring& exe) {
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info)) {
    return;
  }
  ::CloseHandle(info.hThread);
  process_.reset(info.hProcess);
  pid_ = info.dwProcessId;
  // Running its own code, not merely created: the probe has written its id.
  started_ = WaitUntil(
      [&] {
        for (DWORD pid : RanPids(exe)) {
          if (pid == pid_) return true;
        }
        return false;
      },
      15000);
}

RunningProbe::~RunningProbe() {
  if (process_ && ExitCode() == STILL_ACTIVE) {
    ::TerminateProcess(process_.get(), 99);
    ::WaitForSingleObject(process_.get(), 5000);
  }
}

bool RunningProbe::EndsWithin(DWORD timeoutMs) const {
  return process_ && ::WaitForSingleObject(process_.get(), timeoutMs) == WAIT_OBJECT_0;
}

DWORD RunningProbe::ExitCode() const {
  DWORD code = 0;
  ::GetExitCodeProcess(process_.get(), &code);
  return code;
}

std::set<DWORD> ChildProcessIds() {
  std::set<DWORD> children;
  win::UniqueKernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return children;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more;
       more = ::Process32NextW(snapshot.get(), &entry)) {
    if (entry.th32ParentProcessID == ::GetCurrentProcessId()) children.insert(entry.th32ProcessID);
  }
  return children;
}

OwnerWindow::OwnerWindow()
    : window_(::CreateWindowExW(0, L"STATIC", L"Velmora", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                                320, 200, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr)) {
}

std::set<HWND> VisibleTopLevelWindows() {
  std::set<HWND> windows;
  ::EnumWindows(
      [](HWND window, LPARAM found) -> BOOL {
        if (::IsWindowVisible(window)) reinterpret_cast<std::set<HWND>*>(found)->insert(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::string Describe(HWND window) {
  wchar_t title[256] = L"";
  wchar_t className[256] = L"";
  ::GetWindowTextW(window, title, 256);
  ::GetClassNameW(window, className, 256);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  std::ostringstream out;
  out << "\"" << win::Narrow(title) << "\" (class " << win::Narrow(className) << ", process " << pid
      << ")";
  return out.str();
}

}  // namespace velmora::test
