// The probe program and its copies: a scratch folder, copies under chosen names, running
// probes that are cleaned up, and views of what appeared on the desktop.
#pragma once

#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "win/handles.h"

namespace velmora::test {

// Paths handed to the test program on its command line (--velmora=PATH, --probe=PATH).
struct TestPaths {
  static std::wstring velmoraExe;
  static std::wstring probeExe;
};

// A fresh folder under %TEMP%, its name made of stem and a number of its own, removed with
// everything in it at the end of the scope.
class TempFolder {
 public:
  explicit TempFolder(const std::wstring& stem = L"velmora-actions-");
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::wstring& Path() const { return path_; }
  // Path of relative inside the folder; the folders on the way are created.
  std::wstring Make(const std::wstring& relative) const;

 private:
  std::wstring path_;
};

// The probe program: the one named on the command line, else the one beside this program.
std::wstring ProbePath();
// Copies the probe to target, creating the folders on the way.
void CopyProbeTo(const std::wstring& target);
// The marker file the probe appends its process id to when it starts.
std::wstring RanFile(const std::wstring& exe);
// Process ids recorded in the probe's marker file so far.
std::vector<DWORD> RanPids(const std::wstring& exe);

// A copy of the probe under a file name of its own, in a fresh folder whose name has spaces and
// Chinese characters. Its processes are terminated and the folder removed at the end.
class ProbeCopy {
 public:
  explicit ProbeCopy(const std::wstring& fileName);
  ~ProbeCopy();
  ProbeCopy(const ProbeCopy&) = delete;
  ProbeCopy& operator=(const ProbeCopy&) = delete;

  const std::wstring& Path() const { return path_; }
  const std::wstring& FileName() const { return fileName_; }
  // True once the probe has been started at least once.
  bool Ran() const;

 private:
  std::wstring fileName_;
  TempFolder folder_;
  std::wstring path_;
};

// A probe started with CreateProcessW that has recorded its start. Terminated (exit code 99)
// at the end of the scope if still running, so a failed test leaves nothing behind.
class RunningProbe {
 public:
  explicit RunningProbe(const std::wstring& exe);
  ~RunningProbe();
  RunningProbe(RunningProbe&&) = default;
  RunningProbe& operator=(RunningProbe&&) = default;

  bool Started() const { return started_; }
  DWORD Pid() const { return pid_; }
  bool EndsWithin(DWORD timeoutMs) const;
  // STILL_ACTIVE while it runs.
  DWORD ExitCode() const;

 private:
  win::UniqueKernelHandle process_;
  DWORD pid_ = 0;
  bool started_ = false;
};

// Ids of the running processes whose parent is this test program.
std::set<DWORD> ChildProcessIds();
// Every top-level window of the desktop that is visible, of any process.
std::set<HWND> VisibleTopLevelWindows();
// The top-level windows of a process with the given class.
std::vector<HWND> WindowsOf(DWORD pid, const wchar_t* className);
// Title and class of a window, for failure messages.
std::string Describe(HWND window);

}  // namespace velmora::test
