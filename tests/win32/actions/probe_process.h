// Fixtures for the desktop-action tests: a scratch folder, copies of the probe program under
// chosen names, running probes that are cleaned up, and views of what appeared on the desktop.
#pragma once

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "win/handles.h"

namespace velmora::test {

// A fresh folder under %TEMP%, removed with everything in it at the end of the scope.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::wstring& Path() const { return path_; }
  // Path of relative inside the folder; the folders on the way are created.
  std::wstring Make(const std::wstring& relative) const;

 private:
  std::wstring path_;
};

// The probe program built beside this test program.
std::wstring ProbePath();
// Copies the probe to target, creating the folders on the way.
void CopyProbeTo(const std::wstring& target);
// The marker file the probe appends its process id to when it starts.
std::wstring RanFile(const std::wstring& exe);
// Process ids recorded in the probe's marker file so far.
std::vector<DWORD> RanPids(const std::wstring& exe);

// Polls condition every 20 ms until it holds or timeoutMs have passed, dispatching the
// messages of this thread's windows meanwhile.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

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

// A visible top-level window that stands in for the main window the program hands the shell
// as the owner of anything it shows.
class OwnerWindow {
 public:
  OwnerWindow();
  HWND Handle() const { return window_.get(); }

 private:
  win::UniqueWindow window_;
};

// Ids of the running processes whose parent is this test program.
std::set<DWORD> ChildProcessIds();
// Every top-level window of the desktop that is visible, of any process.
std::set<HWND> VisibleTopLevelWindows();
// Title and class of a window, for failure messages.
std::string Describe(HWND window);

}  // namespace velmora::test
