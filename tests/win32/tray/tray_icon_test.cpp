// TTrayIcon under Wine: the records it hands the shell, hiding a real top-level window on
// minimise and bringing it back, the shell's restart, the end of the session and destruction.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "res/resource_ids.h"
#include "tests/win32/tray/tray_test_support.h"
#include "tray/tray_icon.h"

namespace velmora::tray::test {
namespace {

static_assert(ticNone == 0 && ticLeftClick == 1 && ticLeftDblClick == 2 && ticLeftClickUp == 3 &&
              ticRightClick == 4 && ticRightDblClick == 5 && ticRightClickUp == 6);

TTrayIconSettings Velmora() {
  TTrayIconSettings settings;
  settings.hint = "Velmora";
  return settings;
}

// The component as the main window makes it, for a real top-level window that stands in for the
// main window, telling a fake shell.
struct IconOnHost {
  explicit IconOnHost(const TTrayIconSettings& settings = Velmora(), bool shellReady = true,
                      bool hostShown = true)
      : shell(shellReady), host(hostShown), tray(host, settings, shell.Function()) {}
  FakeShell shell;
  HostWindow host;
  TTrayIcon tray;
};

// The component with the settings the main window gives it.
class TrayIcon : public testing::Test, protected IconOnHost {};

// Two small icons, red then blue.
win::UniqueImageList RedAndBlueIcons() {
  const int cx = ::GetSystemMetrics(SM_CXSMICON);
  const int cy = ::GetSystemMetrics(SM_CYSMICON);
  win::UniqueImageList list(::ImageList_Create(cx, cy, ILC_COLOR24, 2, 0));
  ::ImageList_Add(list.get(), SolidBitmap(RGB(255, 0, 0)).get(), nullptr);
  ::ImageList_Add(list.get(), SolidBitmap(RGB(0, 0, 255)).get(), nullptr);
  return list;
}

void Minimize(HWND window) {
  ::ShowWindow(window, SW_MINIMIZE);
  PumpPending();
}

TEST_F(TrayIcon, DefaultsAreThoseTheMainWindowRunsWith) {
  EXPECT_EQ(tray.Hint(), "Velmora");
  EXPECT_TRUE(tray.Enabled());
  EXPECT_TRUE(tray.HideOnMinimize());
  EXPECT_FALSE(tray.HideOnStartup());
  EXPECT_EQ(tray.RestoreOn(), ticLeftDblClick);
  EXPECT_EQ(tray.PopupMenuOn(), ticRightClickUp);
  EXPECT_EQ(tray.PopupMenu(), nullptr);
  EXPECT_EQ(tray.Icons(), nullptr);
  EXPECT_EQ(tray.IconIndex(), 0);
  EXPECT_FALSE(tray.Animate());
  EXPECT_EQ(tray.Interval(), 1000u);
}

TEST_F(TrayIcon, AddsTheIconAtCreationWithTheHintAsTooltip) {
  const auto adds = shell.CallsOf(NIM_ADD);
  ASSERT_EQ(adds.size(), 1u);
  const NOTIFYICONDATAW& record = adds[0].data;
  EXPECT_EQ(record.cbSize, sizeof(NOTIFYICONDATAW));
  EXPECT_EQ(record.hWnd, tray.Handle());
  EXPECT_NE(record.hWnd, host.Get());
  EXPECT_EQ(record.uID, tray.Id());
  EXPECT_EQ(record.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
  EXPECT_EQ(record.uFlags, 7u);
  EXPECT_EQ(record.uCallbackMessage, 0x2422u);
  EXPECT_NE(record.hIcon, nullptr);
  EXPECT_STREQ(record.szTip, L"Velmora");
  EXPECT_TRUE(tray.IconShown());
  EXPECT_TRUE(shell.Holds(tray.Handle(), tray.Id()));
}

TEST_F(TrayIcon, EachInstanceHasItsOwnIdentifier) {
  TTrayIcon second(host, Velmora(), shell.Function());
  EXPECT_NE(tray.Id(), second.Id());
  EXPECT_TRUE(shell.Holds(tray.Handle(), tray.Id()));
  EXPECT_TRUE(shell.Holds(second.Handle(), second.Id()));
}

TEST_F(TrayIcon, ShowsACopyOfTheApplicationIcon) {
  HICON application = static_cast<HICON>(
      ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APPLICATION_ICON), IMAGE_ICON,
                   ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  ASSERT_NE(application, nullptr);

  const HICON shown = shell.CallsOf(NIM_ADD).at(0).data.hIcon;
  EXPECT_NE(shown, application);
  const auto pixels = IconPixels(shown);
  ASSERT_FALSE(pixels.empty());
  EXPECT_EQ(pixels, IconPixels(application));
  EXPECT_NE(pixels, std::vector<std::uint32_t>(pixels.size(), 0xFFFFFF))
      << "the icon draws nothing";
}

TEST_F(TrayIcon, TheComponentWindowIsAHiddenTopLevelWindow) {
  win::UniqueWindow messageOnly(
      ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
  ASSERT_TRUE(messageOnly);
  const HWND messageParent = ::GetAncestor(messageOnly.get(), GA_PARENT);

  EXPECT_EQ(::GetParent(tray.Handle()), nullptr);
  EXPECT_EQ(::GetWindow(tray.Handle(), GW_OWNER), nullptr);
  EXPECT_EQ(::GetAncestor(tray.Handle(), GA_PARENT), ::GetDesktopWindow());
  EXPECT_NE(::GetAncestor(tray.Handle(), GA_PARENT), messageParent);
  EXPECT_FALSE(::IsWindowVisible(tray.Handle()));
  EXPECT_FALSE(HasTaskbarButton(tray.Handle()));
}

// The shell announces itself to all top-level windows; the component must be among them,
// which is why its window is a hidden top-level window and not a message-only one.
TEST(TrayIconOwnSetUp, ABroadcastTaskbarCreatedReachesTheComponent) {
  struct Case {
    const char* how;
    void (*broadcast)();
  };
  const Case cases[] = {
      {"SendMessageTimeout",
       [] {
         ::SendMessageTimeoutW(HWND_BROADCAST, TaskbarCreated(), 0, 0, SMTO_ABORTIFHUNG, 5000,
                               nullptr);
       }},
      {"PostMessage", [] { ::PostMessageW(HWND_BROADCAST, TaskbarCreated(), 0, 0); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    IconOnHost setup;
    auto& [shell, host, tray] = setup;
    shell.Restart();
    shell.ClearCalls();
    c.broadcast();
    EXPECT_TRUE(PumpUntil([&] { return shell.Holds(tray.Handle(), tray.Id()); }));
    ASSERT_FALSE(shell.CallsOf(NIM_ADD).empty());
    EXPECT_STREQ(shell.CallsOf(NIM_ADD).back().data.szTip, L"Velmora");
    EXPECT_TRUE(tray.IconShown());
  }
}

TEST(TrayIconOwnSetUp, MinimisingHidesTheWindowAndALeftDoubleClickBringsItBack) {
  struct Case {
    const char* how;
    void (*minimize)(HWND);
  };
  const Case cases[] = {
      {"ShowWindow(SW_MINIMIZE)", [](HWND window) { Minimize(window); }},
      {"WM_SYSCOMMAND SC_MINIMIZE sent",
       [](HWND window) { ::SendMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0); }},
      {"WM_SYSCOMMAND SC_MINIMIZE posted",
       [](HWND window) {
         ::PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
         PumpPending();
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    IconOnHost setup;
    auto& [shell, host, tray] = setup;
    PumpPending();
    ASSERT_TRUE(HasTaskbarButton(host));

    c.minimize(host);
    EXPECT_FALSE(::IsWindowVisible(host));
    EXPECT_FALSE(HasTaskbarButton(host));
    EXPECT_TRUE(shell.Holds(tray.Handle(), tray.Id())) << "the icon stays";

    OtherWindow other;
    SendIconEvent(tray, WM_LBUTTONDBLCLK);
    PumpPending();
    EXPECT_TRUE(::IsWindowVisible(host));
    EXPECT_FALSE(::IsIconic(host));
    EXPECT_TRUE(HasTaskbarButton(host));
    EXPECT_EQ(::GetForegroundWindow(), host.Get());
    EXPECT_TRUE(shell.Holds(tray.Handle(), tray.Id()));
  }
}

TEST_F(TrayIcon, OtherMouseActionsLeaveTheWindowHidden) {
  const UINT codes[] = {WM_MOUSEMOVE,   WM_LBUTTONDOWN, WM_LBUTTONUP,
                        WM_RBUTTONDOWN, WM_RBUTTONUP,   WM_RBUTTONDBLCLK};
  Minimize(host);
  ASSERT_FALSE(::IsWindowVisible(host));
  for (const UINT code : codes) {
    SCOPED_TRACE(code);
    SendIconEvent(tray, code);
    PumpPending();
    EXPECT_FALSE(::IsWindowVisible(host));
  }
  SendIconEvent(tray, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(::IsWindowVisible(host)) << "the same window does come back on a double click";
}

TEST_F(TrayIcon, MouseCodesBecomeClickKinds) {
  const struct {
    UINT code;
    TTrayIconClicks kind;
  } cases[] = {
      {WM_LBUTTONDOWN, ticLeftClick},      {WM_LBUTTONUP, ticLeftClickUp},
      {WM_LBUTTONDBLCLK, ticLeftDblClick}, {WM_RBUTTONDOWN, ticRightClick},
      {WM_RBUTTONUP, ticRightClickUp},     {WM_RBUTTONDBLCLK, ticRightDblClick},
  };
  std::vector<TTrayIconClicks> fired;
  TTrayIconEvents events;
  events.onClick = [&](TTrayIconClicks kind) { fired.push_back(kind); };
  tray.SetEvents(events);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    fired.clear();
    SendIconEvent(tray, c.code);
    EXPECT_EQ(fired, std::vector<TTrayIconClicks>{c.kind});
  }
  fired.clear();
  SendIconEvent(tray, WM_MOUSEMOVE);
  EXPECT_TRUE(fired.empty());
}

TEST(TrayIconOwnSetUp, RestoreOnChoosesTheClickThatBringsTheWindowBack) {
  const struct {
    TTrayIconClicks restoreOn;
    UINT code;
    bool restores;
  } cases[] = {
      {ticLeftDblClick, WM_LBUTTONDBLCLK, true}, {ticLeftDblClick, WM_LBUTTONUP, false},
      {ticLeftClick, WM_LBUTTONDOWN, true},      {ticLeftClick, WM_LBUTTONDBLCLK, false},
      {ticRightClickUp, WM_RBUTTONUP, true},     {ticNone, WM_LBUTTONDBLCLK, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "restoreOn " << c.restoreOn << ", code " << c.code);
    TTrayIconSettings settings = Velmora();
    settings.restoreOn = c.restoreOn;
    IconOnHost setup(settings);
    auto& [shell, host, tray] = setup;
    EXPECT_EQ(tray.RestoreOn(), c.restoreOn);
    Minimize(host);
    SendIconEvent(tray, c.code);
    PumpPending();
    EXPECT_EQ(::IsWindowVisible(host) != FALSE, c.restores);
  }
}

TEST_F(TrayIcon, BalloonCodesFireTheBalloonEvents) {
  const struct {
    UINT code;
    int event;  // 0 hidden, 1 timed out, 2 clicked
  } cases[] = {{0x403, 0}, {0x404, 1}, {0x405, 2}};
  int counts[3] = {};
  int clicks = 0;
  TTrayIconEvents events;
  events.onBalloonHide = [&] { ++counts[0]; };
  events.onBalloonTimeout = [&] { ++counts[1]; };
  events.onBalloonClick = [&] { ++counts[2]; };
  events.onClick = [&](TTrayIconClicks) { ++clicks; };
  tray.SetEvents(events);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    counts[0] = counts[1] = counts[2] = 0;
    SendIconEvent(tray, c.code);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(counts[i], i == c.event ? 1 : 0) << "event " << i;
  }
  EXPECT_EQ(clicks, 0);
}

TEST_F(TrayIcon, TaskbarCreatedAddsTheIconAgain) {
  const NOTIFYICONDATAW first = shell.CallsOf(NIM_ADD).at(0).data;
  shell.Restart();
  shell.ClearCalls();

  ::SendMessageW(tray.Handle(), TaskbarCreated(), 0, 0);
  const auto adds = shell.CallsOf(NIM_ADD);
  ASSERT_EQ(adds.size(), 1u);
  EXPECT_TRUE(adds[0].result);
  EXPECT_EQ(adds[0].data.hWnd, first.hWnd);
  EXPECT_EQ(adds[0].data.uID, first.uID);
  EXPECT_EQ(adds[0].data.uFlags, 7u);
  EXPECT_STREQ(adds[0].data.szTip, L"Velmora");
  EXPECT_TRUE(shell.Holds(tray.Handle(), tray.Id()));
  Minimize(host);
  EXPECT_FALSE(::IsWindowVisible(host));
}

// The message also comes while the shell still holds the icon; the refused add must not make
// the component believe the icon is gone.
TEST_F(TrayIcon, TaskbarCreatedWhileTheIconSurvivedKeepsItShown) {
  shell.ClearCalls();
  ::SendMessageW(tray.Handle(), TaskbarCreated(), 0, 0);
  ASSERT_EQ(shell.CallsOf(NIM_ADD).size(), 1u);
  EXPECT_FALSE(shell.CallsOf(NIM_ADD)[0].result);
  EXPECT_TRUE(tray.IconShown());
  Minimize(host);
  EXPECT_FALSE(::IsWindowVisible(host));
}

TEST_F(TrayIcon, TaskbarCreatedDoesNothingWhileDisabled) {
  tray.SetEnabled(false);
  shell.ClearCalls();
  ::SendMessageW(tray.Handle(), TaskbarCreated(), 0, 0);
  EXPECT_TRUE(shell.Calls().empty());
  EXPECT_FALSE(shell.HoldsAny());
}

// At logon the program may start before the notification area exists.
TEST(TrayIconOwnSetUp, AShellThatComesUpLaterStillGetsTheIcon) {
  IconOnHost setup(Velmora(), /*shellReady=*/false);
  auto& [shell, host, tray] = setup;
  ASSERT_FALSE(shell.CallsOf(NIM_ADD).empty());
  EXPECT_FALSE(shell.CallsOf(NIM_ADD)[0].result);
  EXPECT_TRUE(tray.Enabled()) << "a refused add leaves the icon pending, not switched off";
  EXPECT_FALSE(tray.IconShown());

  // With no icon to come back through, minimising leaves the window on the taskbar.
  Minimize(host);
  EXPECT_TRUE(::IsWindowVisible(host));
  EXPECT_TRUE(::IsIconic(host));
  EXPECT_TRUE(HasTaskbarButton(host));
  ::ShowWindow(host, SW_RESTORE);
  PumpPending();

  shell.SetReady(true);
  ::SendMessageTimeoutW(HWND_BROADCAST, TaskbarCreated(), 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
  PumpPending();
  EXPECT_TRUE(tray.IconShown());
  EXPECT_TRUE(shell.Holds(tray.Handle(), tray.Id()));
  EXPECT_STREQ(shell.CallsOf(NIM_ADD).back().data.szTip, L"Velmora");
  Minimize(host);
  EXPECT_FALSE(::IsWindowVisible(host));
  SendIconEvent(tray, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(::IsWindowVisible(host));
}

// The shell restarted while the window was hidden into the icon, and the new one refuses it.
TEST_F(TrayIcon, AWindowHiddenIntoALostIconComesBackToTheTaskbar) {
  Minimize(host);
  ASSERT_FALSE(::IsWindowVisible(host));
  shell.Restart();
  shell.SetReady(false);
  ::SendMessageW(tray.Handle(), TaskbarCreated(), 0, 0);
  EXPECT_FALSE(tray.IconShown());
  EXPECT_TRUE(::IsWindowVisible(host));
  EXPECT_TRUE(::IsIconic(host));
  EXPECT_TRUE(HasTaskbarButton(host));
}

TEST(TrayIconOwnSetUp, EndOfSession) {
  const struct {
    const char* what;
    UINT message;
    WPARAM wParam;
    bool objects;
    LRESULT answer;
    bool deleted;
  } cases[] = {
      {"query", WM_QUERYENDSESSION, 0, false, TRUE, false},
      {"query, the owner objects", WM_QUERYENDSESSION, 0, true, FALSE, false},
      {"the session ends", WM_ENDSESSION, TRUE, false, 0, true},
      {"the session goes on", WM_ENDSESSION, FALSE, false, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    IconOnHost setup;
    auto& [shell, host, tray] = setup;
    if (c.objects) {
      TTrayIconEvents events;
      events.onQueryEndSession = [] { return false; };
      tray.SetEvents(events);
    }
    shell.ClearCalls();
    EXPECT_EQ(::SendMessageW(tray.Handle(), c.message, c.wParam, ENDSESSION_LOGOFF), c.answer);
    EXPECT_EQ(shell.Holds(tray.Handle(), tray.Id()), !c.deleted);
    const auto deletes = shell.CallsOf(NIM_DELETE);
    ASSERT_EQ(deletes.size(), c.deleted ? 1u : 0u);
    if (c.deleted) {
      EXPECT_EQ(deletes[0].data.uID, tray.Id());
      EXPECT_EQ(deletes[0].data.hWnd, tray.Handle());
    }
  }
}

TEST(TrayIconOwnSetUp, DestructionDeletesTheIcon) {
  FakeShell shell;
  HostWindow host;
  HWND window = nullptr;
  UINT id = 0;
  {
    TTrayIcon tray(host, Velmora(), shell.Function());
    window = tray.Handle();
    id = tray.Id();
    ASSERT_TRUE(shell.Holds(window, id));
    shell.ClearCalls();
  }
  const auto deletes = shell.CallsOf(NIM_DELETE);
  ASSERT_EQ(deletes.size(), 1u);
  EXPECT_EQ(deletes[0].data.hWnd, window);
  EXPECT_EQ(deletes[0].data.uID, id);
  EXPECT_FALSE(shell.HoldsAny());
  EXPECT_FALSE(::IsWindow(window));
  // The main window goes on working without its subclass.
  Minimize(host);
  EXPECT_TRUE(::IsWindowVisible(host));
}

// The main window is usually destroyed first, with the component released in its WM_DESTROY
// or later.
TEST_F(TrayIcon, TheOwnerMayBeDestroyedFirst) {
  Minimize(host);
  host.Destroy();
  SendIconEvent(tray, WM_LBUTTONDBLCLK);
  ::SendMessageW(tray.Handle(), TaskbarCreated(), 0, 0);
  EXPECT_TRUE(tray.IconShown());
}

TEST(TrayIconOwnSetUp, SettingTheHintModifiesTheTooltip) {
  const struct {
    const char* what;
    std::string hint;
    std::wstring tip;
    UINT flags;
  } cases[] = {
      {"new text", "Velmora 2", L"Velmora 2", 7},
      {"Chinese", "定时执行工具", L"定时执行工具", 7},
      {"exactly 127", std::string(127, 'a'), std::wstring(127, L'a'), 7},
      {"cut to 127", std::string(300, 'b'), std::wstring(127, L'b'), 7},
      {"Chinese cut to 127",
       [] {
         std::string s;
         for (int i = 0; i < 130; ++i) s += "时";
         return s;
       }(),
       std::wstring(127, L'时'), 7},
      {"a pair is never split (U+1F552 at 127 and 128)", std::string(126, 'c') + "\xF0\x9F\x95\x92",
       std::wstring(126, L'c'), 7},
      {"empty clears the tooltip flag", "", L"", 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    IconOnHost setup;
    auto& [shell, host, tray] = setup;
    shell.ClearCalls();
    tray.SetHint(c.hint);
    EXPECT_EQ(tray.Hint(), c.hint);
    ASSERT_EQ(shell.Calls().size(), 1u);
    const auto& call = shell.Calls()[0];
    EXPECT_EQ(call.message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_TRUE(call.result);
    EXPECT_EQ(call.data.uFlags, c.flags);
    EXPECT_EQ(std::wstring(call.data.szTip), c.tip);
    EXPECT_EQ(call.data.uID, tray.Id());
  }
}

TEST_F(TrayIcon, SettingTheSameHintSendsNothing) {
  shell.ClearCalls();
  tray.SetHint("Velmora");
  EXPECT_TRUE(shell.Calls().empty());
}

TEST_F(TrayIcon, DisablingDeletesTheIconAndPutsAHiddenWindowBackOnTheTaskbar) {
  Minimize(host);
  ASSERT_FALSE(::IsWindowVisible(host));

  tray.SetEnabled(false);
  EXPECT_FALSE(tray.Enabled());
  EXPECT_FALSE(shell.HoldsAny());
  EXPECT_TRUE(::IsWindowVisible(host));
  EXPECT_TRUE(::IsIconic(host));
  EXPECT_TRUE(HasTaskbarButton(host));

  ::ShowWindow(host, SW_RESTORE);
  Minimize(host);
  EXPECT_TRUE(::IsWindowVisible(host)) << "no hiding without an icon";

  ::ShowWindow(host, SW_RESTORE);
  tray.SetEnabled(true);
  EXPECT_TRUE(shell.Holds(tray.Handle(), tray.Id()));
  Minimize(host);
  EXPECT_FALSE(::IsWindowVisible(host));
}

TEST(TrayIconOwnSetUp, HideOnMinimizeOffMinimisesToTheTaskbar) {
  TTrayIconSettings settings = Velmora();
  settings.hideOnMinimize = false;
  IconOnHost setup(settings);
  auto& [shell, host, tray] = setup;
  Minimize(host);
  EXPECT_TRUE(::IsWindowVisible(host));
  EXPECT_TRUE(HasTaskbarButton(host));
  tray.SetHideOnMinimize(true);
  ::ShowWindow(host, SW_RESTORE);
  Minimize(host);
  EXPECT_FALSE(::IsWindowVisible(host));
}

// Restored by other means than the icon, the window is brought to the front all the same.
TEST_F(TrayIcon, ARestoreFromElsewhereBringsTheWindowToTheFront) {
  int restores = 0;
  TTrayIconEvents events;
  events.onRestore = [&] { ++restores; };
  tray.SetEvents(events);
  Minimize(host);
  OtherWindow other;
  ::ShowWindow(host, SW_RESTORE);
  PumpPending();
  EXPECT_FALSE(::IsIconic(host));
  EXPECT_EQ(restores, 1);
  EXPECT_TRUE(::IsWindowVisible(host));
  EXPECT_EQ(::GetForegroundWindow(), host.Get());
}

// A window that is shown but covered comes to the front too: restoring a minimised window
// activates it anyway, this does not.
TEST_F(TrayIcon, RestoreBringsACoveredWindowToTheFront) {
  OtherWindow other;
  ASSERT_EQ(::GetForegroundWindow(), other.Get());
  tray.Restore();
  EXPECT_EQ(::GetForegroundWindow(), host.Get());
}

TEST(TrayIconOwnSetUp, HideOnStartupKeepsTheWindowHiddenUntilRestored) {
  const struct {
    const char* what;
    bool shellReady;
    bool keptHidden;
  } cases[] = {
      {"icon shown", true, true},
      {"no icon to come back through", false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TTrayIconSettings settings = Velmora();
    settings.hideOnStartup = true;
    IconOnHost setup(settings, c.shellReady, /*hostShown=*/false);
    auto& [shell, host, tray] = setup;
    ::ShowWindow(host, SW_SHOWNORMAL);
    PumpPending();
    EXPECT_EQ(::IsWindowVisible(host) == FALSE, c.keptHidden);
    SendIconEvent(tray, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(::IsWindowVisible(host));
  }
}

TEST_F(TrayIcon, IconsAndIconIndexChooseTheImage) {
  const auto list = RedAndBlueIcons();
  const int cx = ::GetSystemMetrics(SM_CXSMICON);
  const int cy = ::GetSystemMetrics(SM_CYSMICON);
  const std::vector<std::uint32_t> allRed(static_cast<std::size_t>(cx * cy), 0xFF0000);
  const std::vector<std::uint32_t> allBlue(allRed.size(), 0x0000FF);

  const auto application = IconPixels(shell.CallsOf(NIM_ADD).at(0).data.hIcon);
  const struct {
    const char* what;
    HIMAGELIST icons;
    int index;
    const std::vector<std::uint32_t>& pixels;
  } cases[] = {
      {"list, index 0", list.get(), 0, allRed},
      {"list, index 1", list.get(), 1, allBlue},
      {"index outside the list", list.get(), 5, application},
      {"no list", nullptr, 1, application},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    tray.SetIcons(c.icons);
    tray.SetIconIndex(c.index);
    EXPECT_EQ(tray.Icons(), c.icons);
    EXPECT_EQ(tray.IconIndex(), c.index);
    const auto& last = shell.Calls().back();
    EXPECT_EQ(last.message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(IconPixels(last.data.hIcon), c.pixels);
  }
}

TEST(TrayIconOwnSetUp, AnimateCyclesThroughTheIcons) {
  const auto list = RedAndBlueIcons();
  TTrayIconSettings settings = Velmora();
  settings.icons = list.get();
  IconOnHost setup(settings);
  auto& [shell, host, tray] = setup;
  tray.SetInterval(30);
  // Each icon is replaced by the next, so its colour is read while the shell is being told.
  std::vector<std::uint32_t> seen;
  shell.SetObserver([&](const FakeShell::Call& call) {
    if (call.message != NIM_MODIFY) return;
    const auto pixels = IconPixels(call.data.hIcon);
    seen.push_back(pixels.empty() ? 0xFFFFFFFF : pixels[0]);
  });
  tray.SetAnimate(true);
  EXPECT_TRUE(tray.Animate());
  EXPECT_TRUE(PumpUntil([&] { return seen.size() >= 4; }));
  ASSERT_GE(seen.size(), 4u);
  EXPECT_EQ(seen[0], 0x0000FFu);
  EXPECT_EQ(seen[1], 0xFF0000u);
  EXPECT_EQ(seen[2], 0x0000FFu);
  EXPECT_EQ(seen[3], 0xFF0000u);
}

// The popup menu is none here; given one, the right button's release opens it at the pointer
// and its choice reaches the main window.
TEST_F(TrayIcon, APopupMenuOpensAndItsChoiceReachesTheOwner) {
  win::UniqueHandle<HMENU, &::DestroyMenu> menu(::CreatePopupMenu());
  ::AppendMenuW(menu.get(), MF_STRING, 4242, L"恢复");
  tray.SetPopupMenu(menu.get());
  EXPECT_EQ(tray.PopupMenu(), static_cast<HMENU>(menu.get()));

  // Inside the menu's own loop: note that it is open, then pick its first item.
  static bool menuSeen = false;
  menuSeen = false;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
    HWND menuWindow = ::FindWindowW(L"#32768", nullptr);
    if (!menuWindow || !::IsWindowVisible(menuWindow)) return;
    menuSeen = true;
    ::PostMessageW(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageW(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
  });
  SendIconEvent(tray, WM_RBUTTONUP);
  ::KillTimer(nullptr, timer);
  PumpPending();
  EXPECT_TRUE(menuSeen);
  EXPECT_EQ(host.LastCommand(), 4242);
}

}  // namespace
}  // namespace velmora::tray::test
