// What the Linux tests share: scratch folders with awkward names, copies of the probe program,
// probes started and cleaned up, waiting with the Qt event loop running, and real X input.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace velmora::test {

using std::chrono::milliseconds;

// A fresh folder under the temporary directory, by default with a space and Chinese characters
// in its name; removed with everything in it at the end of the scope.
class TempFolder {
 public:
  explicit TempFolder(const std::string& prefix = "velmora 测试 ");
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }
  // Path of relative inside the folder; the folders on the way are created.
  std::string Make(const std::string& relative) const;

 private:
  std::string path_;
};

// The probe program, built beside the test programs.
std::string ProbePath();

// What one start of a probe recorded.
struct ProbeRun {
  pid_t pid = 0;
  std::string cwd;
  std::string argument;
};

// A copy of the probe under a chosen path, executable. Every process started from it is
// killed and the copy removed at the end of the scope.
class ProbeCopy {
 public:
  explicit ProbeCopy(std::string path);
  ~ProbeCopy();
  ProbeCopy(const ProbeCopy&) = delete;
  ProbeCopy& operator=(const ProbeCopy&) = delete;

  const std::string& Path() const { return path_; }
  std::string FileName() const;
  // The starts recorded so far, oldest first.
  std::vector<ProbeRun> Runs() const;

 private:
  std::string path_;
};

// A probe started as a child of this program, which has recorded its start. Killed at the
// end of the scope if still running.
class RunningProbe {
 public:
  explicit RunningProbe(const ProbeCopy& probe);
  ~RunningProbe();
  RunningProbe(const RunningProbe&) = delete;
  RunningProbe& operator=(const RunningProbe&) = delete;

  pid_t Pid() const { return pid_; }
  bool Started() const { return started_; }
  // True when it ended within the time; its end is then reaped.
  bool EndsWithin(milliseconds timeout);
  // The signal that ended it, 0 when it has not ended or exited by itself.
  int EndSignal() const { return endSignal_; }

 private:
  pid_t pid_ = -1;
  bool started_ = false;
  bool ended_ = false;
  int endSignal_ = 0;
};

// True when the process exists and is not a zombie.
bool ProcessAlive(pid_t pid);

// Runs the Qt event loop (when there is one) until done() holds or the time is up; returns
// done().
bool WaitUntil(const std::function<bool()>& done, milliseconds timeout);
void Pump(milliseconds duration);

// Runs a shell command (xdotool and friends); its standard output, trimmed.
std::string RunCommand(const std::string& command);
// Quotes a text for the shell.
std::string ShellQuoted(const std::string& text);

}  // namespace velmora::test
