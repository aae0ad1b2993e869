// TTrayIcon against the real Shell_NotifyIconW. Under Wine the icons live in the X11 driver's
// stand-alone tray window; the tests find the icon there and click it with real mouse input.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/win32/tray/notification_area.h"
#include "tests/win32/support/pump.h"
#include "tests/win32/tray/tray_test_support.h"
#include "tray/tray_icon.h"

namespace velmora::tray::test {
namespace {

TTrayIconSettings Velmora() {
  TTrayIconSettings settings;
  settings.hint = "Velmora";
  return settings;
}

class RealShell : public testing::Test {
 protected:
  void SetUp() override {
    if (!IsWine()) GTEST_SKIP() << "finds the icon in Wine's own tray window";
  }
};

TEST_F(RealShell, HoldsTheIconFromCreationToDestruction) {
  HostWindow host;
  const auto before = WineTrayIcons();
  HWND window = nullptr;
  UINT id = 0;
  {
    TTrayIcon tray(host, Velmora());
    window = tray.Handle();
    id = tray.Id();
    EXPECT_TRUE(tray.IconShown()) << "the real add returned FALSE";
    EXPECT_TRUE(ShellHolds(window, id));
    EXPECT_NE(IconWindowAdded(before), nullptr);
  }
  // Wine also drops the icons of a destroyed window, so this checks the outcome; the delete
  // itself is checked against the recording shell.
  EXPECT_FALSE(ShellHolds(window, id));
  EXPECT_EQ(WineTrayIcons().size(), before.size());
}

TEST_F(RealShell, EndOfSessionDeletesTheIcon) {
  HostWindow host;
  TTrayIcon tray(host, Velmora());
  ASSERT_TRUE(ShellHolds(tray.Handle(), tray.Id()));
  ::SendMessageW(tray.Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_FALSE(ShellHolds(tray.Handle(), tray.Id()));
  EXPECT_TRUE(::IsWindow(tray.Handle())) << "the shell forgot the icon, not a dead window";
}

TEST_F(RealShell, ADoubleClickOnTheIconBringsTheMinimisedWindowBack) {
  HostWindow host;
  const auto before = WineTrayIcons();
  TTrayIcon tray(host, Velmora());
  std::vector<TTrayIconClicks> clicks;
  TTrayIconEvents events;
  events.onClick = [&](TTrayIconClicks click) { clicks.push_back(click); };
  tray.SetEvents(events);
  HWND icon = IconWindowAdded(before);
  ASSERT_NE(icon, nullptr);

  ::ShowWindow(host, SW_MINIMIZE);
  PumpPending();
  ASSERT_FALSE(::IsWindowVisible(host));

  ClickAtScreen(CentreOf(icon), 1);
  EXPECT_TRUE(
      PumpUntil([&] { return std::count(clicks.begin(), clicks.end(), ticLeftClickUp) == 1; }));
  EXPECT_FALSE(::IsWindowVisible(host)) << "a single click does nothing";

  // Far enough apart that the next click starts a new double click.
  PumpUntil([] { return false; }, milliseconds(::GetDoubleClickTime() + 200));
  HostWindow other;
  clicks.clear();
  ClickAtScreen(CentreOf(icon), 2);
  EXPECT_TRUE(PumpUntil([&] { return ::IsWindowVisible(host) != FALSE; }));
  EXPECT_NE(std::find(clicks.begin(), clicks.end(), ticLeftDblClick), clicks.end());
  EXPECT_FALSE(::IsIconic(host));
  EXPECT_EQ(::GetForegroundWindow(), host.Get());
}

// The shell refuses a second add of an icon it holds; the component must still count it shown.
TEST_F(RealShell, TaskbarCreatedWhileTheIconSurvivedKeepsItShown) {
  HostWindow host;
  TTrayIcon tray(host, Velmora());
  ASSERT_TRUE(tray.IconShown());
  ::SendMessageTimeoutW(HWND_BROADCAST, TaskbarCreated(), 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
  PumpPending();
  EXPECT_TRUE(tray.IconShown());
  EXPECT_TRUE(ShellHolds(tray.Handle(), tray.Id()));
  ::ShowWindow(host, SW_MINIMIZE);
  PumpPending();
  EXPECT_FALSE(::IsWindowVisible(host));
}

}  // namespace
}  // namespace velmora::tray::test
