// Terminating processes by executable name, against real running copies of the probe.
#include "actions/process_killer.h"

#include <gtest/gtest.h>

#include "core/process_name.h"
#include "tests/win32/support/probe.h"
#include "tests/win32/support/pump.h"
#include "win/text.h"

namespace velmora {
namespace {

using test::CopyProbeTo;
using test::RunningProbe;
using test::TempFolder;

// Long enough for Wine to tear a process down; a probe left alone lives two minutes.
constexpr DWORD kEndTimeoutMs = 10000;
// How long a process that must survive is watched after the call.
constexpr DWORD kSurviveMs = 700;

TEST(KillProcessByName, EndsEveryProcessRunningUnderTheNameAndNoOther) {
  TempFolder folder;
  const std::wstring twin = folder.Make(L"velmora_twin.exe");
  const std::wstring twinElsewhere = folder.Make(L"other place\\velmora_twin.exe");
  const std::wstring bystander = folder.Make(L"velmora_bystander.exe");
  for (const auto& exe : {twin, twinElsewhere, bystander}) CopyProbeTo(exe);

  // Two processes of one file and a third of a copy in another folder, all one name.
  RunningProbe first(twin);
  RunningProbe second(twin);
  RunningProbe third(twinElsewhere);
  RunningProbe other(bystander);
  for (const RunningProbe* p : {&first, &second, &third, &other}) {
    ASSERT_TRUE(p->Started());
    ASSERT_EQ(p->ExitCode(), STILL_ACTIVE);
  }

  KillProcessByName("velmora_twin.exe");

  for (const RunningProbe* p : {&first, &second, &third}) {
    EXPECT_TRUE(p->EndsWithin(kEndTimeoutMs)) << "process " << p->Pid() << " still runs";
    EXPECT_EQ(p->ExitCode(), 0u) << "process " << p->Pid();
  }
  EXPECT_FALSE(other.EndsWithin(kSurviveMs));
  EXPECT_EQ(other.ExitCode(), STILL_ACTIVE);
}

// Names compare exactly apart from the case of the ASCII letters a-z.
struct NameCase {
  const wchar_t* running;  // file name of the running probe copy
  const char* name;        // name handed to KillProcessByName
  bool ends;
};

const NameCase kNameCases[] = {
    {L"notepad.exe", "NOTEPAD.EXE", true},
    {L"notepad.exe", "Notepad.Exe", true},
    {L"NOTEPAD.EXE", "notepad.exe", true},
    {L"notepad.exe", "notepad", false},
    {L"notepad.exe", "notepad.ex", false},
    {L"notepad.exe", " notepad.exe", false},
    {L"notepad.exe", "", false},
    {L"记事本.exe", "记事本.exe", true},
    {L"记事本.exe", "记事本.EXE", true},
    {L"记事本.exe", "记事木.exe", false},
    // Letters outside ASCII are not folded, though the system's own comparison would fold them.
    {L"äpfel.exe", "äPFEL.EXE", true},
    {L"äpfel.exe", "ÄPFEL.EXE", false},
};

TEST(KillProcessByName, FoldsOnlyAsciiLetters) {
  for (const NameCase& c : kNameCases) {
    SCOPED_TRACE(win::Narrow(c.running) + " killed by \"" + c.name + "\"");
    TempFolder folder;
    const std::wstring exe = folder.Make(c.running);
    CopyProbeTo(exe);
    RunningProbe probe(exe);
    ASSERT_TRUE(probe.Started());

    KillProcessByName(c.name);

    if (c.ends) {
      EXPECT_TRUE(probe.EndsWithin(kEndTimeoutMs));
      EXPECT_EQ(probe.ExitCode(), 0u);
    } else {
      EXPECT_FALSE(probe.EndsWithin(kSurviveMs));
      EXPECT_EQ(probe.ExitCode(), STILL_ACTIVE);
    }
  }
}

// A Close row's path is reduced to its file name before the processes are looked up.
TEST(KillProcessByName, EndsTheProcessNamedByAPathsFileNamePart) {
  TempFolder folder;
  const std::wstring exe = folder.Make(L"velmora_drive.exe");
  CopyProbeTo(exe);
  const std::string paths[] = {
      "C:velmora_drive.exe",
      "D:\\elsewhere\\velmora_drive.exe",
      win::Narrow(exe),
      "velmora_drive.exe",
  };
  for (const std::string& path : paths) {
    SCOPED_TRACE(path);
    EXPECT_EQ(FileNamePart(path), "velmora_drive.exe");
    RunningProbe probe(exe);
    ASSERT_TRUE(probe.Started());

    KillProcessByName(FileNamePart(path));

    EXPECT_TRUE(probe.EndsWithin(kEndTimeoutMs));
    EXPECT_EQ(probe.ExitCode(), 0u);
  }
}

}  // namespace
}  // namespace velmora
