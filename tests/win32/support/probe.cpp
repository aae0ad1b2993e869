#include "tests/win32/support/probe.h"

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "actions/process_killer.h"
#include "tests/win32/support/pump.h"
#include "win/text.h"

namespace velmora::test {
namespace {

std::wstring ModuleFolder() {
  wchar_t self[MAX_PATH * 4];
  const DWORD n = ::GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
  return std::filesystem::path(std::wstring(self, n)).parent_path().wstring();
}

}  // namespace

std::wstring TestPaths::velmoraExe;
std::wstring TestPaths::probeExe;

TempFolder::TempFolder(const std::wstring& stem) {
  static std::atomic<int> counter{0};
  wchar_t temp[MAX_PATH + 1];
  const DWORD n = ::GetTempPathW(MAX_PATH + 1, temp);
  path_ = std::wstring(temp, n) + stem + std::to_wstring(::GetCurrentProcessId()) + L"-" +
          std::to_wstring(++counter);
  std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
  // A terminated probe lets go of its exe a moment later.
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
  if (!TestPaths::probeExe.empty()) return TestPaths::probeExe;
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

ProbeCopy::ProbeCopy(const std::wstring& fileName)
    : fileName_(fileName), folder_(L"velmora ui 测试 "), path_(folder_.Make(fileName)) {
  if (!::CopyFileW(ProbePath().c_str(), path_.c_str(), FALSE)) {
    ADD_FAILURE() << "cannot copy the probe from " << win::Narrow(ProbePath());
  }
}

// The folder goes after this, once its probes are ended.
ProbeCopy::~ProbeCopy() {
  KillProcessByName(win::Narrow(fileName_));
}

bool ProbeCopy::Ran() const {
  return ::GetFileAttributesW(RanFile(path_).c_str()) != INVALID_FILE_ATTRIBUTES;
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
  started_ = PumpUntil(
      [&] {
        for (DWORD pid : RanPids(exe)) {
          if (pid == pid_) return true;
        }
        return false;
      },
      milliseconds(15000));
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

std::vector<HWND> WindowsOf(DWORD pid, const wchar_t* className) {
  std::vector<HWND> found;
  HWND w = nullptr;
  while ((w = ::FindWindowExW(nullptr, w, className, nullptr)) != nullptr) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(w, &owner);
    if (owner == pid) found.push_back(w);
  }
  return found;
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
