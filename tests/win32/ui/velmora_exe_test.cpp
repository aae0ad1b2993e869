// Velmora.exe itself, driven from outside: the title of its error box, and that closing its
// window by any means ends the process at once, schedules running or not.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "core/control_names.h"
#include "tests/win32/support/error_box.h"
#include "tests/win32/support/form_test.h"
#include "tests/win32/support/input.h"
#include "tests/win32/support/probe.h"
#include "tests/win32/support/remote_form.h"

namespace velmora::test {
namespace {

// Velmora.exe started as the user starts it, terminated at the end if it still runs.
std::optional<RemoteForm> StartVelmora() {
  auto app = RemoteForm::Launch(TestPaths::velmoraExe, 30000);
  EXPECT_TRUE(app) << "no main window";
  return app;
}

TEST(VelmoraExe, AFailingClickTickShowsOneBoxTitledVelmoraAndKeepsTicking) {
  const auto app = StartVelmora();
  ASSERT_TRUE(app);
  app->SetText(control::kClickInterval, L"x");
  app->Click(control::kClickSwitch);

  const ErrorBox first = WaitForErrorBox(app->ProcessId(), 8000);
  ASSERT_TRUE(first.window);
  EXPECT_EQ(first.title, "Velmora");
  EXPECT_EQ(first.text, "'x' is not a valid integer value.");
  ::Sleep(2600);
  EXPECT_EQ(ErrorBoxesOf(app->ProcessId()).size(), 1u);
  ASSERT_TRUE(CloseErrorBox(first, 3000));
  const ErrorBox second = WaitForErrorBox(app->ProcessId(), 5000);
  ASSERT_TRUE(second.window) << "the click tick stopped after its first failure";
  EXPECT_EQ(second.text, first.text);

  // Closing the window while the box is open still ends the program at once.
  ::PostMessageW(app->Window(), WM_CLOSE, 0, 0);
  EXPECT_EQ(app->ExitCode(5000), 0);
}

TEST(VelmoraExe, ClosingByAnyMeansEndsTheProgramAtOnceWithBothSchedulesRunning) {
  const struct {
    const char* how;
    std::function<void(const RemoteForm&)> close;
  } cases[] = {
      {"the Exit button", [](const RemoteForm& app) { app.ClickToolButton(control::kExitButton); }},
      {"the close box",
       [](const RemoteForm& app) { ::PostMessageW(app.Window(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
      {"Alt+F4",
       [](const RemoteForm& app) {
         ::SetForegroundWindow(app.Window());
         ::Sleep(200);
         INPUT keys[4]{};
         const WORD vks[4] = {VK_MENU, VK_F4, VK_F4, VK_MENU};
         for (int i = 0; i < 4; ++i) {
           keys[i].type = INPUT_KEYBOARD;
           keys[i].ki.wVk = vks[i];
           keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
         }
         ::SendInput(4, keys, sizeof(INPUT));
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    const auto app = StartVelmora();
    ASSERT_TRUE(app);
    app->Click(control::kClickSwitch);
    app->ClickToolButton(control::kStartButton);
    ::Sleep(1500);
    ASSERT_EQ(app->ExitCode(0), -1);
    c.close(*app);
    EXPECT_EQ(app->ExitCode(5000), 0);
  }
}

}  // namespace
}  // namespace velmora::test
