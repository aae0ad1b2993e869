// Terminating by executable name on Linux: every running copy, the name rule, an executable
// removed while it runs, and a process that refuses the signal passed over.
#include "actions/process_killer_linux.h"

#include <signal.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <memory>

#include "test_support.h"

namespace velmora::test {
namespace {

constexpr milliseconds kEndTimeout(3000);

TEST(ProcessKiller, EveryRunningCopyEndsAndOthersStay) {
  TempFolder folder;
  ProbeCopy probe(folder.Make("a/velmora-kill 探针"));
  ProbeCopy sameNameElsewhere(folder.Make("b 目录/velmora-kill 探针"));
  ProbeCopy other(folder.Make("a/velmora-keep 探针"));
  RunningProbe first(probe), second(probe), third(sameNameElsewhere), bystander(other);
  ASSERT_TRUE(first.Started() && second.Started() && third.Started() && bystander.Started());

  KillProcessByName("velmora-kill 探针");

  for (RunningProbe* p : {&first, &second, &third}) {
    ASSERT_TRUE(p->EndsWithin(kEndTimeout)) << p->Pid();
    EXPECT_EQ(p->EndSignal(), SIGKILL);
  }
  EXPECT_FALSE(bystander.EndsWithin(milliseconds(300)));
}

TEST(ProcessKiller, NameRuleIsExactApartFromAsciiCase) {
  TempFolder folder;
  ProbeCopy probe(folder.Make("工具/velmora-rule 探针.bin"));
  const struct {
    std::string name;
    bool ends;
  } cases[] = {
      {"velmora-rule 探针.bin", true},
      {"VELMORA-RULE 探针.BIN", true},
      {probe.Path(), true},
      {"velmora-rule 探针", false},
      {"velmora-rule 探木.bin", false},
      {"工具/velmora-rule 探针.bin", false},
      {"", false},
  };
  for (const auto& c : cases) {
    RunningProbe running(probe);
    ASSERT_TRUE(running.Started());
    KillProcessByName(c.name);
    EXPECT_EQ(running.EndsWithin(c.ends ? kEndTimeout : milliseconds(300)), c.ends) << c.name;
  }
}

TEST(ProcessKiller, RemovedExecutableStillMatchesByItsName) {
  TempFolder folder;
  ProbeCopy probe(folder.Make("velmora-gone"));
  RunningProbe running(probe);
  ASSERT_TRUE(running.Started());
  std::filesystem::remove(probe.Path());
  KillProcessByName("velmora-gone");
  EXPECT_TRUE(running.EndsWithin(kEndTimeout));
}

pid_t refusedPid = 0;
int RefuseOne(pid_t pid) {
  if (pid == refusedPid) {
    errno = EPERM;
    return -1;
  }
  return ::kill(pid, SIGKILL);
}

TEST(ProcessKiller, RefusedProcessIsPassedOverAndTheRestEnd) {
  TempFolder folder;
  ProbeCopy probe(folder.Make("velmora-refuse"));
  RunningProbe refused(probe), ended(probe);
  ASSERT_TRUE(refused.Started() && ended.Started());
  refusedPid = refused.Pid();
  KillProcessByName("velmora-refuse", RefuseOne);
  EXPECT_TRUE(ended.EndsWithin(kEndTimeout));
  EXPECT_FALSE(refused.EndsWithin(milliseconds(300)));
}

}  // namespace
}  // namespace velmora::test
