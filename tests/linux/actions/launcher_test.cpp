// Opening a path on a Linux desktop: an executable starts detached in the current directory, a
// document goes through xdg-open to the desktop's default application, a missing path opens
// nothing.
#include "actions/launcher_linux.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "test_support.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

// Runs the test in a current directory of its own and puts a recorder in front of xdg-open,
// so the test sees every time the desktop's opener is asked, before the real one runs.
class LauncherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    oldCwd_ = fs::current_path();
    const fs::path cwd = fs::path(folder.Path()) / "当前 目录";
    fs::create_directories(cwd);
    fs::current_path(cwd);
    // Qt splits the opener's command line at spaces, so its folder has none, as PATH's never do.
    const std::string bin = binFolder_.Make("bin/xdg-open");
    recorded_ = folder.Path() + "/xdg-open.calls";
    std::ofstream(bin) << "#!/bin/sh\nprintf '%s\\n' \"$*\" >> " << ShellQuoted(recorded_)
                       << "\nexec /usr/bin/xdg-open \"$@\"\n";
    fs::permissions(bin, fs::perms::owner_all, fs::perm_options::add);
    oldPath_ = std::getenv("PATH");
    ::setenv("PATH", (fs::path(bin).parent_path().string() + ":" + oldPath_).c_str(), 1);
  }
  void TearDown() override {
    ::setenv("PATH", oldPath_.c_str(), 1);
    fs::current_path(oldCwd_);
  }
  std::vector<std::string> OpenerCalls() const {
    std::vector<std::string> calls;
    std::ifstream in(recorded_);
    for (std::string line; std::getline(in, line);) calls.push_back(line);
    return calls;
  }

  TempFolder folder;
  TempFolder binFolder_{"velmora-bin-"};

 private:
  fs::path oldCwd_;
  std::string oldPath_;
  std::string recorded_;
};

TEST_F(LauncherTest, ExecutableStartsDetachedInTheCurrentDirectory) {
  ProbeCopy probe(folder.Make("程序 目录/velmora-probe 探针"));
  OpenWithShell(probe.Path());
  ASSERT_TRUE(WaitUntil([&] { return !probe.Runs().empty(); }, milliseconds(5000)));
  const ProbeRun run = probe.Runs().front();
  EXPECT_EQ(run.cwd, fs::current_path().string());
  EXPECT_EQ(run.argument, "");
  // Detached: not a child of this program, which does not wait for it.
  std::ifstream stat("/proc/" + std::to_string(run.pid) + "/stat");
  std::string line;
  std::getline(stat, line);
  const pid_t parent = std::stoi(line.substr(line.rfind(')') + 4));
  EXPECT_NE(parent, ::getpid());
  EXPECT_TRUE(OpenerCalls().empty());
}

TEST_F(LauncherTest, BareFileNameIsTheFileInTheCurrentDirectory) {
  ProbeCopy probe((fs::current_path() / "probe-here").string());
  OpenWithShell("probe-here");
  ASSERT_TRUE(WaitUntil([&] { return !probe.Runs().empty(); }, milliseconds(5000)));
  EXPECT_EQ(probe.Runs().size(), 1u);
}

TEST_F(LauncherTest, DocumentOpensInTheDesktopsDefaultApplication) {
  // The probe is made the default application for plain text, as a user's settings would.
  // xdg-open splits its data folders at spaces: they live in the folder without any.
  ProbeCopy viewer(binFolder_.Make("velmora-viewer"));
  std::ofstream(binFolder_.Make("data/applications/velmora-viewer.desktop"))
      << "[Desktop Entry]\nType=Application\nName=Viewer\nExec=" << viewer.Path()
      << " %f\nMimeType=text/plain;\n";
  std::ofstream(binFolder_.Make("config/mimeapps.list"))
      << "[Default Applications]\ntext/plain=velmora-viewer.desktop\n";
  ::setenv("XDG_DATA_HOME", (binFolder_.Path() + "/data").c_str(), 1);
  ::setenv("XDG_CONFIG_HOME", (binFolder_.Path() + "/config").c_str(), 1);
  const std::string document = folder.Make("文档 docs/说明 notes.txt");
  std::ofstream(document) << "plain text\n";

  OpenWithShell(document);
  const bool opened = WaitUntil([&] { return !viewer.Runs().empty(); }, milliseconds(10000));
  ::unsetenv("XDG_DATA_HOME");
  ::unsetenv("XDG_CONFIG_HOME");
  ASSERT_TRUE(opened);
  EXPECT_EQ(viewer.Runs().front().argument, document);
  ASSERT_EQ(OpenerCalls().size(), 1u);
  EXPECT_TRUE(OpenerCalls().front().ends_with("notes.txt")) << OpenerCalls().front();
}

TEST_F(LauncherTest, MissingPathOpensNothing) {
  ProbeCopy probe(folder.Make("exists/velmora-probe"));
  const std::string cases[] = {
      "", folder.Path() + "/exists/velmora-probe-missing", folder.Path() + "/absent/velmora-probe",
      "velmora-probe",  // the file is not in the current directory
  };
  for (const std::string& path : cases) OpenWithShell(path);
  Pump(milliseconds(1000));
  EXPECT_TRUE(probe.Runs().empty());
  EXPECT_TRUE(OpenerCalls().empty());
}

}  // namespace
}  // namespace velmora::test
