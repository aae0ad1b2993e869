// Opening paths through the shell: programs and documents really start, missing paths start
// nothing and show nothing.
#include "actions/launcher.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "actions/process_killer.h"
#include "core/process_name.h"
#include "tests/win32/support/probe.h"
#include "tests/win32/support/pump.h"
#include "tests/win32/support/test_windows.h"
#include "win/text.h"

namespace velmora {
namespace {

using test::CopyProbeTo;
using test::milliseconds;
using test::OwnerWindow;
using test::PumpUntil;
using test::RanPids;
using test::TempFolder;

// Starting a process through the shell under Wine can take a few seconds on a cold prefix.
constexpr DWORD kStartTimeoutMs = 20000;
constexpr DWORD kEndTimeoutMs = 10000;

// Waits for the probe at exe to record its start, then ends it by name and checks it ended.
void ExpectStartedThenEnd(const std::wstring& exe) {
  ASSERT_TRUE(PumpUntil([&] { return !RanPids(exe).empty(); }, milliseconds(kStartTimeoutMs)))
      << "the shell did not start " << win::Narrow(exe);
  const std::vector<DWORD> pids = RanPids(exe);
  EXPECT_EQ(pids.size(), 1u) << "started more than once";
  win::UniqueKernelHandle process(
      ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pids.front()));
  ASSERT_TRUE(process) << "started process " << pids.front() << " is gone already";

  KillProcessByName(FileNamePart(win::Narrow(exe)));

  EXPECT_EQ(::WaitForSingleObject(process.get(), kEndTimeoutMs), WAIT_OBJECT_0);
}

TEST(OpenWithShell, StartsTheProgramAtThePath) {
  const wchar_t* programs[] = {
      L"工具 箱\\记事 本.exe",
      L"plain\\velmora_opened.exe",
      L"C++ & co (x86)\\a;b,c.exe",
  };
  for (const wchar_t* relative : programs) {
    SCOPED_TRACE(win::Narrow(relative));
    TempFolder folder;
    const std::wstring exe = folder.Make(relative);
    CopyProbeTo(exe);
    const OwnerWindow owner;

    OpenWithShell(owner.Handle(), win::Narrow(exe));

    ExpectStartedThenEnd(exe);
  }
}

// A file type of our own, registered for the current user for the scope of a test, whose
// "open" command is a probe copy.
class ProbeFileType {
 public:
  ProbeFileType(const wchar_t* extension, const std::wstring& handler) : extension_(extension) {
    Register(HKEY_CURRENT_USER, L"Software\\Classes\\", handler);
    // Wine's HKEY_CLASSES_ROOT is HKLM\Software\Classes alone, without the user's classes
    // merged in as on Windows; there the type must be registered machine-wide.
    HKEY found = nullptr;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, extension_.c_str(), 0, KEY_READ, &found) ==
        ERROR_SUCCESS) {
      ::RegCloseKey(found);
    } else {
      machineWide_ = true;
      Register(HKEY_CLASSES_ROOT, L"", handler);
    }
  }
  ~ProbeFileType() {
    Unregister(HKEY_CURRENT_USER, L"Software\\Classes\\");
    if (machineWide_) Unregister(HKEY_CLASSES_ROOT, L"");
  }
  ProbeFileType(const ProbeFileType&) = delete;
  ProbeFileType& operator=(const ProbeFileType&) = delete;

 private:
  static constexpr const wchar_t* kProgId = L"Velmora.ProbeDocument";

  void Register(HKEY root, const std::wstring& classes, const std::wstring& handler) const {
    SetDefault(root, classes + extension_, kProgId);
    SetDefault(root, classes + kProgId + L"\\shell\\open\\command", L"\"" + handler + L"\" \"%1\"");
  }

  void Unregister(HKEY root, const std::wstring& classes) const {
    ::RegDeleteTreeW(root, (classes + extension_).c_str());
    ::RegDeleteTreeW(root, (classes + kProgId).c_str());
  }

  static void SetDefault(HKEY root, const std::wstring& key, const std::wstring& value) {
    ::RegSetKeyValueW(root, key.c_str(), nullptr, REG_SZ, value.c_str(),
                      static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  }

  std::wstring extension_;
  bool machineWide_ = false;
};

TEST(OpenWithShell, OpensADocumentInItsAssociatedProgram) {
  TempFolder folder;
  const std::wstring handler = folder.Make(L"handler\\velmora_viewer.exe");
  CopyProbeTo(handler);
  ProbeFileType type(L".velmoraprobe", handler);
  const std::wstring document = folder.Make(L"文 档\\说明 书.velmoraprobe");
  {
    HANDLE file = ::CreateFileW(document.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    ::CloseHandle(file);
  }

  const OwnerWindow owner;
  OpenWithShell(owner.Handle(), win::Narrow(document));

  ExpectStartedThenEnd(handler);
}

// Runs OpenWithShell on a thread of its own, so that a modal box it might open cannot hang
// the test, and watches the desktop meanwhile for new windows and new child processes.
TEST(OpenWithShell, MissingPathStartsNothingAndShowsNothing) {
  TempFolder folder;
  const OwnerWindow owner;
  const HWND ownerWindow = owner.Handle();
  const std::wstring missing[] = {
      folder.Make(L"不存在\\记事 本.exe"),
      folder.Path() + L"\\nothing.txt",
      folder.Path() + L"\\no folder\\nothing.txt",
      folder.Path() + L"\\nothing.velmoraunknown",
  };
  for (const std::wstring& path : missing) {
    SCOPED_TRACE(win::Narrow(path));
    const std::set<HWND> windowsBefore = test::VisibleTopLevelWindows();
    const std::set<DWORD> childrenBefore = test::ChildProcessIds();

    // Shared with the thread, which may outlive this iteration if the call never returns.
    struct Outcome {
      std::atomic<bool> returned{false};
      std::atomic<bool> threw{false};
    };
    const auto outcome = std::make_shared<Outcome>();
    std::thread opener([outcome, ownerWindow, text = win::Narrow(path)] {
      try {
        OpenWithShell(ownerWindow, text);
      } catch (...) {
        outcome->threw = true;
      }
      outcome->returned = true;
    });

    // Anything the shell would show or start appears well within this time.
    std::set<HWND> newWindows;
    std::set<DWORD> newChildren;
    PumpUntil(
        [&] {
          for (HWND w : test::VisibleTopLevelWindows()) {
            if (!windowsBefore.count(w)) newWindows.insert(w);
          }
          for (DWORD pid : test::ChildProcessIds()) {
            if (!childrenBefore.count(pid)) newChildren.insert(pid);
          }
          return false;
        },
        milliseconds(2000));

    for (HWND w : newWindows) {
      ADD_FAILURE() << "a window appeared: " << test::Describe(w);
      ::PostMessageW(w, WM_CLOSE, 0, 0);  // lets a modal box end so the thread can return
    }
    EXPECT_TRUE(newChildren.empty()) << newChildren.size() << " process(es) started";
    for (DWORD pid : newChildren) {
      win::UniqueKernelHandle child(::OpenProcess(PROCESS_TERMINATE, FALSE, pid));
      if (child) ::TerminateProcess(child.get(), 99);
    }
    if (PumpUntil([&] { return outcome->returned.load(); }, milliseconds(10000))) {
      opener.join();
    } else {
      ADD_FAILURE() << "OpenWithShell did not return";
      opener.detach();
    }
    EXPECT_FALSE(outcome->threw);
    EXPECT_TRUE(RanPids(path).empty());
  }
}

}  // namespace
}  // namespace velmora
