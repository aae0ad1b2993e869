// The one-second timers Timer1 and Timer4 through the window: their ticks go on inside the
// open-file dialog's modal loop, Stop and unchecking end them at once, and none of their
// threads outlives the window.
#include <windows.h>
#include <commctrl.h>
#include <tlhelp32.h>

#include <atomic>
#include <thread>

#include "ui/control_ids.h"
#include "core/control_names.h"
#include "tests/win32/support/form_test.h"
#include "tests/win32/support/input.h"
#include "win/handles.h"

namespace velmora::test {
namespace {

// The tick messages that reached the form, Timer1's and Timer4's.
std::atomic<int> tickMessages[2];

LRESULT CALLBACK CountTicks(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR) {
  if (message == kTimer1Tick) ++tickMessages[0];
  if (message == kTimer4Tick) ++tickMessages[1];
  return ::DefSubclassProc(window, message, wParam, lParam);
}

int ThreadsOfThisProcess() {
  const win::UniqueKernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
  THREADENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  int count = 0;
  for (BOOL more = ::Thread32First(snapshot.get(), &entry); more;
       more = ::Thread32Next(snapshot.get(), &entry)) {
    if (entry.th32OwnerProcessID == ::GetCurrentProcessId()) ++count;
  }
  return count;
}

// The visible dialog the window owns, while a modal one is open.
HWND OwnedDialog(HWND owner) {
  for (HWND w = nullptr; (w = ::FindWindowExW(nullptr, w, L"#32770", nullptr)) != nullptr;) {
    if (::GetWindow(w, GW_OWNER) == owner && ::IsWindowVisible(w)) return w;
  }
  return nullptr;
}

class SecondTimerTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    for (auto& n : tickMessages) n = 0;
    ::SetWindowSubclass(form->Handle(), CountTicks, 1, 0);
  }

  // Timer 0 is Timer1 (Start and Stop), timer 1 is Timer4 (CheckBox1), both by real clicks.
  void SwitchOn(int timer) {
    if (timer == 0) return ClickToolButton(control::kStartButton);
    ClickWindowCentre(Find(control::kClickSwitch));
    ASSERT_TRUE(form->IsChecked(control::kClickSwitch));
  }
  void SwitchOff(int timer) {
    if (timer == 0) return ClickToolButton(control::kStopButton);
    ClickWindowCentre(Find(control::kClickSwitch));
    ASSERT_FALSE(form->IsChecked(control::kClickSwitch));
  }
  bool BothTicked(int from[2]) {
    return PumpUntil([&] { return tickMessages[0] > from[0] && tickMessages[1] > from[1]; },
                     milliseconds(4000));
  }
};

TEST_F(SecondTimerTest, StopAndUncheckingEndTheirOwnTicksAtOnce) {
  for (const int first : {0, 1}) {
    SCOPED_TRACE(first == 0 ? "Stop first" : "unchecking first");
    SwitchOn(0);
    SwitchOn(1);
    int none[2] = {0, 0};
    ASSERT_TRUE(BothTicked(none));

    // The one switched off gets no further tick message; the other goes on ticking.
    const int second = 1 - first;
    SwitchOff(first);
    const int stoppedAt = tickMessages[first];
    const int otherAt = tickMessages[second];
    PumpFor(milliseconds(2500));
    EXPECT_EQ(tickMessages[first], stoppedAt);
    EXPECT_GE(tickMessages[second], otherAt + 2);

    SwitchOff(second);
    const int lastAt = tickMessages[second];
    PumpFor(milliseconds(2500));
    EXPECT_EQ(tickMessages[first], stoppedAt);
    EXPECT_EQ(tickMessages[second], lastAt);
    for (auto& n : tickMessages) n = 0;
  }
}

TEST_F(SecondTimerTest, TicksGoOnWhileTheOpenFileDialogIsOpen) {
  SwitchOn(0);
  SwitchOn(1);
  int none[2] = {0, 0};
  ASSERT_TRUE(BothTicked(none));

  const HWND formWindow = form->Handle();
  std::atomic<bool> done{false};
  bool sawDialog = false;
  int whileOpen[2] = {0, 0};
  std::thread driver([&] {
    HWND dialog = nullptr;
    for (int waited = 0; waited < 10000 && !dialog; waited += 20) {
      dialog = OwnedDialog(formWindow);
      if (!dialog) ::Sleep(20);
    }
    sawDialog = dialog != nullptr;
    if (dialog) {
      const int at[2] = {tickMessages[0], tickMessages[1]};
      ::Sleep(2500);
      for (int i = 0; i < 2; ++i) whileOpen[i] = tickMessages[i] - at[i];
      ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
      for (int waited = 0; waited < 10000 && ::IsWindow(dialog); waited += 20) ::Sleep(20);
    }
    done = true;
  });
  ClickWindowCentre(Find("SpeedButton1"));
  PumpUntil([&] { return done.load(); }, milliseconds(30000));
  driver.join();

  ASSERT_TRUE(sawDialog) << "no open-file dialog";
  EXPECT_GE(whileOpen[0], 2) << "Timer1 stopped ticking inside the dialog";
  EXPECT_GE(whileOpen[1], 2) << "Timer4 stopped ticking inside the dialog";
  SwitchOff(0);
  SwitchOff(1);
}

TEST_F(SecondTimerTest, EachTimerThatIsOnHasOneThreadAndNoneOutlivesTheWindow) {
  const int before = ThreadsOfThisProcess();
  SwitchOn(0);
  SwitchOn(1);
  int none[2] = {0, 0};
  ASSERT_TRUE(BothTicked(none));
  EXPECT_EQ(ThreadsOfThisProcess(), before + 2);
  SwitchOff(0);
  EXPECT_EQ(ThreadsOfThisProcess(), before + 1);
  SwitchOn(0);
  int now[2] = {tickMessages[0], tickMessages[1]};
  ASSERT_TRUE(BothTicked(now));

  // The window goes while both tick, as at exit.
  form.reset();
  EXPECT_EQ(ThreadsOfThisProcess(), before);
}

}  // namespace
}  // namespace velmora::test
