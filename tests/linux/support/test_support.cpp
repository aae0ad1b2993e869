#include "test_support.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace velmora::test {
namespace fs = std::filesystem;

TempFolder::TempFolder(const std::string& prefix) {
  std::string pattern = (fs::temp_directory_path() / (prefix + "XXXXXX")).string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::string TempFolder::Make(const std::string& relative) const {
  const fs::path p = fs::path(path_) / relative;
  fs::create_directories(p.parent_path());
  return p.string();
}

std::string ProbePath() {
  return (fs::read_symlink("/proc/self/exe").parent_path() / "velmora_probe").string();
}

ProbeCopy::ProbeCopy(std::string path) : path_(std::move(path)) {
  fs::create_directories(fs::path(path_).parent_path());
  fs::copy_file(ProbePath(), path_, fs::copy_options::overwrite_existing);
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add);
}

ProbeCopy::~ProbeCopy() {
  // Only a process that still runs this copy: a recorded id may have been reused since.
  for (const ProbeRun& run : Runs()) {
    std::error_code error;
    const fs::path exe = fs::read_symlink("/proc/" + std::to_string(run.pid) + "/exe", error);
    if (!error && exe.string().starts_with(path_)) ::kill(run.pid, SIGKILL);
  }
  std::error_code ignored;
  fs::remove(path_, ignored);
  fs::remove(path_ + ".ran", ignored);
}

std::string ProbeCopy::FileName() const {
  return fs::path(path_).filename().string();
}

std::vector<ProbeRun> ProbeCopy::Runs() const {
  std::vector<ProbeRun> runs;
  std::ifstream in(path_ + ".ran");
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    ProbeRun run;
    std::string pid;
    std::getline(fields, pid, '\t');
    std::getline(fields, run.cwd, '\t');
    std::getline(fields, run.argument);
    run.pid = static_cast<pid_t>(std::stol(pid));
    runs.push_back(run);
  }
  return runs;
}

RunningProbe::RunningProbe(const ProbeCopy& probe) {
  const std::size_t before = probe.Runs().size();
  pid_ = ::fork();
  if (pid_ == 0) {
    ::execl(probe.Path().c_str(), probe.Path().c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  started_ =
      pid_ > 0 && WaitUntil([&] { return probe.Runs().size() > before; }, milliseconds(5000));
}

RunningProbe::~RunningProbe() {
  if (pid_ > 0 && !ended_) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
}

bool RunningProbe::EndsWithin(milliseconds timeout) {
  if (ended_) return true;
  WaitUntil(
      [&] {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) != pid_) return false;
        ended_ = true;
        endSignal_ = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
        return true;
      },
      timeout);
  return ended_;
}

bool ProcessAlive(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return false;
  const std::size_t close = line.rfind(')');
  return close != std::string::npos && close + 2 < line.size() && line[close + 2] != 'Z';
}

bool WaitUntil(const std::function<bool()>& done, milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) return done();
    if (QCoreApplication::instance()) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    std::this_thread::sleep_for(milliseconds(5));
  }
  return true;
}

void Pump(milliseconds duration) {
  WaitUntil([] { return false; }, duration);
}

std::string RunCommand(const std::string& command) {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
  if (!pipe) return {};
  std::string out;
  std::array<char, 256> buffer;
  while (std::fgets(buffer.data(), buffer.size(), pipe.get())) out += buffer.data();
  while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
  return out;
}

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace velmora::test
