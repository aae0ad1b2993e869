// Velmora.exe's tray icon seen from outside, as the shell and the user see it: there from
// start-up to exit with the tooltip "Velmora", the window hidden into it and brought back, added
// again when the shell restarts, and deleted when the session ends.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/control_names.h"
#include "tests/win32/tray/notification_area.h"
#include "tests/win32/tray/tray_test_support.h"
#include "tests/win32/support/probe.h"
#include "tests/win32/support/pump.h"
#include "tests/win32/support/remote_form.h"
#include "tray/tray_icon.h"

namespace velmora::test {
namespace {

// Velmora.exe started as the user starts it, and its tray icon component as the shell sees it.
class Velmora {
 public:
  Velmora() : app_(RemoteForm::Launch(TestPaths::velmoraExe, 30000)) {
    EXPECT_TRUE(app_) << "no main window";
    if (!app_) return;
    const auto trays = WindowsOf(app_->ProcessId(), L"VelmoraTrayIconWindow");
    EXPECT_EQ(trays.size(), 1u) << "one tray icon component";
    if (!trays.empty()) tray_ = trays.front();
    // The identifier is the program's own; the shell says which one it holds for the window.
    for (UINT id = 1; id < 64 && !id_; ++id) {
      if (tray_ && ShellHolds(tray_, id)) id_ = id;
    }
  }

  HWND Form() const { return app_ ? app_->Window() : nullptr; }
  // The component's window, to which the shell reports, and the icon's identifier in it.
  HWND Tray() const { return tray_; }
  UINT Id() const { return id_; }
  bool IconHeld() const { return ShellHolds(tray_, id_); }
  bool Visible() const { return ::IsWindowVisible(Form()) != FALSE; }
  long ExitCode(DWORD timeoutMs) const { return app_->ExitCode(timeoutMs); }
  void ClickToolButton(std::string_view name) const { app_->ClickToolButton(name); }

 private:
  std::optional<RemoteForm> app_;
  HWND tray_ = nullptr;
  UINT id_ = 0;
};

class VelmoraTray : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!tray::test::IsWine()) GTEST_SKIP() << "finds the icon in Wine's own tray window";
  }
};

TEST_F(VelmoraTray, TheIconIsThereFromStartUpToExit) {
  const struct {
    const char* how;
    bool hidden;  // exit while the window is hidden in the tray
    std::function<void(const Velmora&)> close;
  } cases[] = {
      {"the Exit button", false,
       [](const Velmora& app) { app.ClickToolButton(control::kExitButton); }},
      {"WM_CLOSE", false, [](const Velmora& app) { ::PostMessageW(app.Form(), WM_CLOSE, 0, 0); }},
      {"WM_CLOSE while hidden in the tray", true,
       [](const Velmora& app) { ::PostMessageW(app.Form(), WM_CLOSE, 0, 0); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    const auto before = WineTrayIcons();
    Velmora app;
    ASSERT_TRUE(app.Form());
    ASSERT_TRUE(app.Tray());
    ASSERT_TRUE(app.IconHeld()) << "the shell holds no icon for the program";
    const HWND icon = IconWindowAdded(before);
    ASSERT_NE(icon, nullptr) << "no icon appeared in the notification area";
    EXPECT_EQ(TooltipOf(icon), "Velmora");

    // Minimised into the icon, and back on a left double click.
    ::PostMessageW(app.Form(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(PumpUntil([&] { return !app.Visible(); }, milliseconds(3000)));
    EXPECT_FALSE(HasTaskbarButton(app.Form()));
    EXPECT_TRUE(app.IconHeld());
    ::PostMessageW(app.Tray(), TTrayIcon::kCallbackMessage, app.Id(), WM_LBUTTONDBLCLK);
    EXPECT_TRUE(PumpUntil([&] { return app.Visible(); }, milliseconds(3000)));
    EXPECT_TRUE(
        PumpUntil([&] { return ::GetForegroundWindow() == app.Form(); }, milliseconds(3000)));
    EXPECT_FALSE(::IsIconic(app.Form()));

    if (c.hidden) {
      ::ShowWindow(app.Form(), SW_MINIMIZE);
      ASSERT_TRUE(PumpUntil([&] { return !app.Visible(); }, milliseconds(3000)));
    }
    const HWND tray = app.Tray();
    const UINT id = app.Id();
    c.close(app);
    EXPECT_EQ(app.ExitCode(5000), 0);
    // Wine also drops the icons of a program that has ended, so this checks the outcome; that
    // the program deletes its icon itself is checked on the window in this process.
    EXPECT_FALSE(ShellHolds(tray, id));
    EXPECT_EQ(WineTrayIcons().size(), before.size()) << "an icon was left in the tray";
  }
}

TEST_F(VelmoraTray, TheIconComesBackWhenTheShellRestartsAndGoesWhenTheSessionEnds) {
  Velmora app;
  ASSERT_TRUE(app.Form());
  ASSERT_TRUE(app.IconHeld());

  // The shell restarts and its new notification area holds none of the old icons.
  NOTIFYICONDATAW forget{};
  forget.cbSize = sizeof(forget);
  forget.hWnd = app.Tray();
  forget.uID = app.Id();
  ASSERT_TRUE(::Shell_NotifyIconW(NIM_DELETE, &forget));
  ASSERT_FALSE(app.IconHeld());
  const auto before = WineTrayIcons();
  ::SendMessageTimeoutW(HWND_BROADCAST, TaskbarCreated(), 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
  EXPECT_TRUE(PumpUntil([&] { return app.IconHeld(); }, milliseconds(3000)));
  const HWND icon = IconWindowAdded(before);
  ASSERT_NE(icon, nullptr) << "no icon came back into the notification area";
  EXPECT_EQ(TooltipOf(icon), "Velmora");

  // The session ends: the icon goes before the system closes the program.
  DWORD_PTR answer = 0;
  ASSERT_TRUE(::SendMessageTimeoutW(app.Tray(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF,
                                    SMTO_ABORTIFHUNG, 5000, &answer));
  EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE)) << "the program objected";
  ASSERT_TRUE(::SendMessageTimeoutW(app.Tray(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF,
                                    SMTO_ABORTIFHUNG, 5000, nullptr));
  EXPECT_FALSE(app.IconHeld());
  EXPECT_FALSE(::IsWindow(icon)) << "Wine's tray still shows it";
  EXPECT_TRUE(::IsWindow(app.Tray()));
  EXPECT_EQ(app.ExitCode(0), -1) << "ending the program is the system's part";

  ::PostMessageW(app.Form(), WM_CLOSE, 0, 0);
  EXPECT_EQ(app.ExitCode(5000), 0);
}

}  // namespace
}  // namespace velmora::test
