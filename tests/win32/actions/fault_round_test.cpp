// Faults the desktop actions must survive: processes that may not be terminated, and paths at
// and beyond the classic 260-character limit, the last as a program row meets it.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "actions/desktop_actions.h"
#include "actions/launcher.h"
#include "actions/process_killer.h"
#include "core/fakes.h"
#include "core/process_name.h"
#include "core/program_schedule.h"
#include "tests/win32/support/probe.h"
#include "tests/win32/support/pump.h"
#include "tests/win32/support/test_windows.h"
#include "win/text.h"

namespace velmora {
namespace {

using test::milliseconds;
using test::OwnerWindow;
using test::PumpUntil;
using test::RanPids;
using test::RunningProbe;
using test::TempFolder;

DWORD refusedPid = 0;

// Refuses one process as the system refuses another user's or a protected one.
HANDLE OpenRefusingOne(DWORD processId) {
  if (processId == refusedPid) {
    ::SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  return ::OpenProcess(PROCESS_TERMINATE, FALSE, processId);
}

TEST(FaultRound, AProcessThatMayNotBeTerminatedIsPassedOverAndTheOthersStillEnd) {
  TempFolder folder;
  const std::wstring exe = folder.Make(L"guarded.exe");
  test::CopyProbeTo(exe);
  RunningProbe first(exe), second(exe), third(exe);
  ASSERT_TRUE(first.Started() && second.Started() && third.Started());
  refusedPid = second.Pid();
  KillProcessByName("guarded.exe", OpenRefusingOne);
  EXPECT_TRUE(first.EndsWithin(5000));
  EXPECT_TRUE(third.EndsWithin(5000));
  EXPECT_EQ(second.ExitCode(), STILL_ACTIVE);
  EXPECT_EQ(first.ExitCode(), 0u);
  EXPECT_EQ(third.ExitCode(), 0u);
}

// A folder chain under root whose exe path is exactly `length` characters long.
std::wstring PathOfLength(const std::wstring& root, std::size_t length) {
  const std::wstring name = L"\\长路径 probe.exe";
  std::wstring path = root;
  while (path.size() + name.size() < length) {
    const std::size_t room = length - name.size() - path.size();
    // Each folder is at most 100 characters, and never leaves a stub shorter than 2.
    std::size_t part = std::min<std::size_t>(100, room - 1);
    if (room - 1 - part == 1) --part;
    path += L"\\" + std::wstring(part, L'd');
  }
  path += name;
  return path;
}

// Paths past MAX_PATH need the \\?\ form for the file system calls the test makes itself.
std::wstring Extended(const std::wstring& path) {
  return L"\\\\?\\" + path;
}

void CopyProbeToLongPath(const std::wstring& target) {
  for (std::size_t slash = target.find(L'\\', 3); slash != std::wstring::npos;
       slash = target.find(L'\\', slash + 1)) {
    ::CreateDirectoryW(Extended(target.substr(0, slash)).c_str(), nullptr);
  }
  ASSERT_TRUE(::CopyFileW(Extended(test::ProbePath()).c_str(), Extended(target).c_str(), FALSE))
      << ::GetLastError();
}

TEST(FaultRound, AProgramAtTheLongestClassicPathOpensAndCloses) {
  TempFolder folder;
  const std::wstring exe = PathOfLength(folder.Path(), 259);
  ASSERT_EQ(exe.size(), 259u);
  CopyProbeToLongPath(exe);
  const OwnerWindow owner;
  OpenWithShell(owner.Handle(), win::Narrow(exe));
  EXPECT_TRUE(PumpUntil([&] { return !RanPids(exe).empty(); }, milliseconds(10000)));
  KillProcessByName(FileNamePart(win::Narrow(exe)));
  EXPECT_TRUE(PumpUntil([&] { return test::ChildProcessIds().empty(); }, milliseconds(5000)));
}

// A row whose path runs past the classic limit, run as the program runs it: the shell refuses
// the path silently, so nothing starts and no box appears, and the row still writes its line.
// A Close row with that path ends what runs under its file name.
TEST(FaultRound, ARowWithAPathPastTheClassicLimitStartsNothingShowsNothingAndIsLogged) {
  TempFolder folder;
  const std::wstring exe = PathOfLength(folder.Path(), 300);
  ASSERT_EQ(exe.size(), 300u);
  CopyProbeToLongPath(exe);
  // A bystander with the same file name at a short path: only the Close row may end it.
  const std::wstring bystander = folder.Make(L"长路径 probe.exe");
  test::CopyProbeTo(bystander);
  RunningProbe other(bystander);
  ASSERT_TRUE(other.Started());

  const OwnerWindow owner;
  DesktopActions desktop(owner.Handle());
  test::FakeForm form;
  const test::FakeClock clock;
  const RegionalPatterns patterns;
  ScheduleContext ctx{form, clock, desktop, patterns};
  const Moment due = EncodeMoment(clock.now);
  const std::string path = win::Narrow(exe);
  const std::string stamp = StampText(due, patterns);
  const std::set<HWND> windowsBefore = test::VisibleTopLevelWindows();
  const std::set<DWORD> childrenBefore = test::ChildProcessIds();

  EXPECT_TRUE(RunIfDue(ctx, path, RowAction::Open, due));
  EXPECT_EQ(form.log, std::vector<std::string>{"打开程序-" + path + "-执行时间-" + stamp});
  // Anything the shell would start or show appears well within this time.
  PumpUntil([] { return false; }, milliseconds(2000));
  EXPECT_TRUE(RanPids(Extended(exe)).empty()) << "the shell started the program";
  for (HWND w : test::VisibleTopLevelWindows()) {
    if (!windowsBefore.count(w)) ADD_FAILURE() << "a window appeared: " << test::Describe(w);
  }
  EXPECT_EQ(test::ChildProcessIds(), childrenBefore) << "a process started";
  EXPECT_EQ(other.ExitCode(), STILL_ACTIVE);

  EXPECT_TRUE(RunIfDue(ctx, path, RowAction::Close, due));
  EXPECT_TRUE(other.EndsWithin(5000));
  ASSERT_EQ(form.log.size(), 2u);
  EXPECT_EQ(form.log[1], "关闭程序-" + path + "-执行时间-" + stamp);
  EXPECT_TRUE(PumpUntil([&] { return test::ChildProcessIds().empty(); }, milliseconds(5000)));
}

}  // namespace
}  // namespace velmora
