// The tray icon of the real main window, created in this process as the program creates it:
// in Wine's notification area from start-up with the tooltip "Velmora", hiding the window when
// it is minimised and bringing it back on a left double click only, both schedules going on
// while the window is hidden, the shell's restart, the end of the session and exit.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/control_names.h"
#include "res/resource_ids.h"
#include "tests/win32/tray/notification_area.h"
#include "tests/win32/tray/tray_test_support.h"
#include "tests/win32/support/form_test.h"
#include "tests/win32/support/input.h"
#include "tests/win32/support/pixels.h"
#include "tests/win32/support/probe.h"
#include "tests/win32/support/test_windows.h"
#include "win/text.h"

namespace velmora::test {
namespace {

// The middle of the part of `front` that `back` overlaps.
POINT MiddleOfOverlap(HWND front, HWND back) {
  RECT a{}, b{}, both{};
  ::GetWindowRect(front, &a);
  ::GetWindowRect(back, &b);
  ::IntersectRect(&both, &a, &b);
  return {(both.left + both.right) / 2, (both.top + both.bottom) / 2};
}

// Where the window's minimise box is, as its own hit test says.
POINT MinimizeBox(HWND window) {
  RECT frame{};
  ::GetWindowRect(window, &frame);
  RECT box{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
  for (int y = frame.top; y < frame.top + 48; ++y) {
    for (int x = frame.left; x < frame.right; ++x) {
      if (::SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) != HTMINBUTTON) continue;
      box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x),
             std::max<LONG>(box.bottom, y)};
    }
  }
  EXPECT_LE(box.left, box.right) << "the window has no minimise box";
  return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
}

// Any popup menu open on the screen.
bool AMenuIsOpen() {
  for (HWND w = ::FindWindowW(L"#32768", nullptr); w;
       w = ::FindWindowExW(nullptr, w, L"#32768", nullptr)) {
    if (::IsWindowVisible(w)) return true;
  }
  return false;
}

// The mouse codes the shell reported on the icon, seen on the component's window.
LRESULT CALLBACK RecordIconEvents(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR codes) {
  if (message == TTrayIcon::kCallbackMessage) {
    reinterpret_cast<std::vector<UINT>*>(codes)->push_back(LOWORD(lParam));
  }
  return ::DefSubclassProc(window, message, wParam, lParam);
}

bool Contains(const std::vector<UINT>& codes, UINT code) {
  return std::find(codes.begin(), codes.end(), code) != codes.end();
}

HICON ApplicationIcon() {
  return static_cast<HICON>(
      ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APPLICATION_ICON), IMAGE_ICON,
                   ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
}

// Whether the screen shows the program's icon at the small icon size in the middle of an icon
// window of the notification area, once that window has painted. Only the pixels the icon
// covers fully are compared: Wine's icon windows have no background, so an icon drawn again over
// itself darkens its half-transparent edge.
::testing::AssertionResult ShowsTheApplicationIcon(HWND iconWindow) {
  RECT r{};
  ::GetClientRect(iconWindow, &r);
  ::MapWindowPoints(iconWindow, nullptr, reinterpret_cast<POINT*>(&r), 2);
  const int cx = ::GetSystemMetrics(SM_CXSMICON);
  const int cy = ::GetSystemMetrics(SM_CYSMICON);
  const int left = (r.left + r.right - cx) / 2;
  const int top = (r.top + r.bottom - cy) / 2;
  const std::vector<std::uint32_t> onWhite = IconPixels(ApplicationIcon());
  const std::vector<std::uint32_t> onBlack = IconPixels(ApplicationIcon(), true);
  std::vector<std::size_t> opaque;
  for (std::size_t i = 0; i < onWhite.size() && i < onBlack.size(); ++i) {
    if (onWhite[i] == onBlack[i]) opaque.push_back(i);
  }
  if (opaque.size() < onWhite.size() / 2) {
    return ::testing::AssertionFailure() << "the program's icon covers too little to be told apart";
  }
  std::size_t differ = 0;
  std::size_t first = 0;
  const auto match = [&](const std::vector<std::uint32_t>& shown) {
    differ = 0;
    for (auto it = opaque.rbegin(); shown.size() == onWhite.size() && it != opaque.rend(); ++it) {
      if (shown[*it] != onWhite[*it]) ++differ, first = *it;
    }
    return shown.size() == onWhite.size() && differ == 0;
  };
  std::vector<std::uint32_t> shown;
  if (PumpUntil(
          [&] {
            shown = ScreenPixels({left, top, left + cx, top + cy});
            return match(shown);
          },
          milliseconds(2000))) {
    return ::testing::AssertionSuccess();
  }
  if (shown.size() != onWhite.size()) return ::testing::AssertionFailure() << "nothing on screen";
  char detail[96];
  std::snprintf(detail, sizeof detail, "first at (%d, %d): %06X for %06X",
                left + static_cast<int>(first) % cx, top + static_cast<int>(first) / cx,
                shown[first], onWhite[first]);
  return ::testing::AssertionFailure()
         << differ << " of " << opaque.size() << " opaque pixels differ, " << detail;
}

class TrayProgramTest : public FormTest {
 protected:
  void SetUp() override {
    if (!tray::test::IsWine()) GTEST_SKIP() << "finds the icon in Wine's own tray window";
    StartForm();
  }

  // The main window as the program creates it, and the icon window that came with it.
  void StartForm() {
    iconsBefore = WineTrayIcons();
    FormTest::SetUp();
    iconWindow = IconWindowAdded(iconsBefore);
  }
  void RestartForm() {
    FormTest::TearDown();
    StartForm();
  }

  TTrayIcon& Tray() const { return *form->TrayIcon1(); }
  HWND Form() const { return form->Handle(); }
  bool IconHeld() const { return ShellHolds(Tray().Handle(), Tray().Id()); }
  bool Visible() const { return ::IsWindowVisible(Form()) != FALSE; }

  void Minimize() {
    ::SendMessageW(Form(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    PumpFor(milliseconds(100));
  }
  // A mouse code on the icon, sent the way the shell sends it.
  void Notify(UINT code) {
    ::SendNotifyMessageW(Tray().Handle(), TTrayIcon::kCallbackMessage, Tray().Id(), code);
    PumpFor(milliseconds(50));
  }

  std::vector<HWND> iconsBefore;
  HWND iconWindow = nullptr;
};

TEST_F(TrayProgramTest, FromStartUpTheIconIsThereWithTheCaptionAsItsTooltip) {
  ASSERT_NE(form->TrayIcon1(), nullptr);
  EXPECT_EQ(Tray().Hint(), "Velmora");
  EXPECT_TRUE(Tray().Enabled());
  EXPECT_TRUE(Tray().IconShown());
  EXPECT_TRUE(IconHeld()) << "the shell holds no icon for the component";
  ASSERT_NE(iconWindow, nullptr) << "no icon appeared in the notification area";
  EXPECT_TRUE(::IsWindowVisible(WineTray()));
  EXPECT_TRUE(::IsWindowVisible(iconWindow));
  EXPECT_TRUE(ShowsTheApplicationIcon(iconWindow))
      << "the notification area does not show the program's icon";
  EXPECT_EQ(WindowText(Form()), "Velmora");
  EXPECT_EQ(TooltipOf(iconWindow), WindowText(Form()));
  // The window itself shows at start, with its taskbar button.
  EXPECT_TRUE(Visible());
  EXPECT_TRUE(HasTaskbarButton(Form()));
}

TEST_F(TrayProgramTest, MinimisingHidesTheWindowIntoTheIconAndALeftDoubleClickBringsItBack) {
  const struct {
    const char* how;
    std::function<void(HWND)> minimize;
  } cases[] = {
      {"WM_SYSCOMMAND SC_MINIMIZE",
       [](HWND form) { ::SendMessageW(form, WM_SYSCOMMAND, SC_MINIMIZE, 0); }},
      {"ShowWindow SW_MINIMIZE", [](HWND form) { ::ShowWindow(form, SW_MINIMIZE); }},
      {"a click on the minimise box", [](HWND form) { ClickAtScreen(MinimizeBox(form)); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    ASSERT_TRUE(Visible());
    c.minimize(Form());
    EXPECT_TRUE(PumpUntil([&] { return !Visible(); }, milliseconds(3000)));
    EXPECT_FALSE(HasTaskbarButton(Form()));
    EXPECT_TRUE(IconHeld()) << "the icon must stay to bring the window back";
    EXPECT_TRUE(::IsWindow(iconWindow) && ::IsWindowVisible(iconWindow));

    OtherWindow other;
    ASSERT_EQ(::GetForegroundWindow(), other.Get());
    Notify(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(Visible());
    EXPECT_FALSE(::IsIconic(Form()));
    EXPECT_TRUE(HasTaskbarButton(Form()));
    EXPECT_EQ(::GetForegroundWindow(), Form());
    EXPECT_EQ(::GetAncestor(::WindowFromPoint(MiddleOfOverlap(Form(), other.Get())), GA_ROOT),
              Form())
        << "the window came back behind another one";
    EXPECT_TRUE(IconHeld());
  }
}

TEST_F(TrayProgramTest, OnlyALeftDoubleClickOnTheIconBringsTheWindowBack) {
  // Each action as the shell reports it, button by button.
  const struct {
    const char* action;
    std::vector<UINT> codes;
    bool restores;
  } cases[] = {
      {"a left click", {WM_LBUTTONDOWN, WM_LBUTTONUP}, false},
      {"a right click", {WM_RBUTTONDOWN, WM_RBUTTONUP}, false},
      {"a right double click",
       {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK, WM_RBUTTONUP},
       false},
      {"a left double click", {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.action);
    Minimize();
    ASSERT_FALSE(Visible());
    OtherWindow other;
    for (const UINT code : c.codes) Notify(code);
    PumpFor(milliseconds(300));
    EXPECT_EQ(Visible(), c.restores);
    EXPECT_EQ(::IsIconic(Form()) != FALSE, !c.restores);
    EXPECT_EQ(::GetForegroundWindow() == Form(), c.restores);
    EXPECT_FALSE(AMenuIsOpen());
    EXPECT_TRUE(IconHeld());
    EXPECT_EQ(Memo(), "");
    if (!Visible()) Notify(WM_LBUTTONDBLCLK);
    ASSERT_TRUE(Visible());
  }
}

// Shown but covered by another window, the window comes to the front as well.
TEST_F(TrayProgramTest, ALeftDoubleClickBringsACoveredWindowToTheFront) {
  OtherWindow other;
  ASSERT_EQ(::GetForegroundWindow(), other.Get());
  const POINT overlap = MiddleOfOverlap(Form(), other.Get());
  ASSERT_EQ(::GetAncestor(::WindowFromPoint(overlap), GA_ROOT), other.Get());
  Notify(WM_LBUTTONDBLCLK);
  EXPECT_EQ(::GetForegroundWindow(), Form());
  EXPECT_EQ(::GetAncestor(::WindowFromPoint(overlap), GA_ROOT), Form());
  EXPECT_TRUE(Visible());
  EXPECT_FALSE(::IsIconic(Form()));
}

// Real mouse input on the icon in the notification area, through the shell to the component.
TEST_F(TrayProgramTest, RealClicksOnTheIconInTheNotificationArea) {
  ASSERT_NE(iconWindow, nullptr);
  std::vector<UINT> codes;
  ASSERT_TRUE(::SetWindowSubclass(Tray().Handle(), RecordIconEvents, 1,
                                  reinterpret_cast<DWORD_PTR>(&codes)));
  const struct {
    const char* action;
    int clicks;
    bool right;
    UINT reported;  // the code the shell must have passed on
    bool restores;
  } cases[] = {
      {"a left click", 1, false, WM_LBUTTONUP, false},
      {"a right click", 1, true, WM_RBUTTONUP, false},
      {"a right double click", 2, true, WM_RBUTTONDBLCLK, false},
      {"a left double click", 2, false, WM_LBUTTONDBLCLK, true},
  };
  Minimize();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.action);
    ASSERT_FALSE(Visible());
    // Far enough from the last click that this one does not join it into a double click.
    PumpFor(milliseconds(::GetDoubleClickTime() + 200));
    OtherWindow other;
    codes.clear();
    ClickAtScreen(CentreOf(iconWindow), c.clicks, c.right);
    EXPECT_TRUE(PumpUntil([&] { return Contains(codes, c.reported); }, milliseconds(3000)))
        << "the click did not reach the component";
    if (c.restores) {
      EXPECT_TRUE(PumpUntil([&] { return Visible(); }, milliseconds(3000)));
      EXPECT_EQ(::GetForegroundWindow(), Form());
    } else {
      PumpFor(milliseconds(::GetDoubleClickTime() + 200));
      EXPECT_FALSE(Visible());
      EXPECT_FALSE(Contains(codes, WM_LBUTTONDBLCLK));
      EXPECT_FALSE(AMenuIsOpen());
    }
  }
  ::RemoveWindowSubclass(Tray().Handle(), RecordIconEvents, 1);
}

// A window away from the form that counts the left button presses it gets.
constexpr POINT kTargetPoint{100, 940};

// What the form writes into the clock panel and whether anything shows the window again.
struct Watch {
  std::vector<std::string> clock;
  int shown = 0;
};

LRESULT CALLBACK WatchClockPanel(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR watch) {
  if (message == SB_SETTEXTW && LOBYTE(LOWORD(wParam)) == kClockPanel) {
    reinterpret_cast<Watch*>(watch)->clock.push_back(
        win::Narrow(reinterpret_cast<const wchar_t*>(lParam)));
  }
  return ::DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK WatchShowing(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR watch) {
  if (message == WM_SHOWWINDOW && wParam) ++reinterpret_cast<Watch*>(watch)->shown;
  return ::DefSubclassProc(window, message, wParam, lParam);
}

// The line of the memo that starts with prefix, or empty.
std::string LineStartingWith(const std::string& memo, const std::string& prefix) {
  std::size_t start = 0;
  while (start <= memo.size()) {
    const std::size_t end = std::min(memo.find("\r\n", start), memo.size());
    const std::string line = memo.substr(start, end - start);
    if (line.rfind(prefix, 0) == 0) return line;
    start = end + 2;
  }
  return {};
}

TEST_F(TrayProgramTest, BothSchedulesGoOnWhileTheWindowIsHiddenInTheTray) {
  ProbeCopy probe(L"托盘 探针.exe");
  ClickTarget target(
      {kTargetPoint.x - 60, kTargetPoint.y - 40, kTargetPoint.x + 60, kTargetPoint.y + 40});
  for (int i = 2; i <= 5; ++i) ::SetWindowTextW(Find(control::kRowPath + std::to_string(i)), L"");
  const LocalTime when = NowPlusSeconds(2);
  ::SetWindowTextW(Find("Edit1"), probe.Path().c_str());
  SetRowMoment(1, when);
  ::SetWindowTextW(Find(control::kClickInterval), L"0");  // only the click at the start moment
  ::SetWindowTextW(Find(control::kClickX), std::to_wstring(kTargetPoint.x).c_str());
  ::SetWindowTextW(Find(control::kClickY), std::to_wstring(kTargetPoint.y).c_str());
  SetPicker(Find(control::kClickStartDate), when);
  SetPicker(Find(control::kClickStartTime), when);
  ClickToolButton(control::kStartButton);
  ClickWindowCentre(Find(control::kClickSwitch));
  ASSERT_TRUE(form->IsChecked(control::kClickSwitch));

  Minimize();
  ASSERT_FALSE(Visible());
  Watch watch;
  ::SetWindowSubclass(Find(control::kStatusBar), WatchClockPanel, 1,
                      reinterpret_cast<DWORD_PTR>(&watch));
  ::SetWindowSubclass(Form(), WatchShowing, 1, reinterpret_cast<DWORD_PTR>(&watch));
  ASSERT_LT(EncodeMoment(win::SystemClock().Now()), EncodeMoment(when))
      << "too slow to hide the window before the moment came";

  const std::string opened = "打开程序-" + win::Narrow(probe.Path()) + "-执行时间-";
  const std::string clicked = "鼠标单击坐标-" + std::to_string(kTargetPoint.x) + "," +
                              std::to_string(kTargetPoint.y) + "-执行时间-";
  EXPECT_TRUE(PumpUntil(
      [&] {
        return probe.Ran() && target.Presses() >= 3 && !LineStartingWith(Memo(), opened).empty() &&
               !LineStartingWith(Memo(), clicked).empty();
      },
      milliseconds(10000)))
      << "memo: " << Memo() << "\nclicks: " << target.Presses();
  // A few more ticks of the clock.
  EXPECT_TRUE(PumpUntil([&] { return watch.clock.size() >= 4; }, milliseconds(5000)));

  EXPECT_FALSE(Visible());
  EXPECT_EQ(watch.shown, 0) << "a tick showed the window";
  EXPECT_EQ(target.Presses(), 3);
  for (const std::string& prefix : {opened, clicked}) {
    const std::string line = LineStartingWith(Memo(), prefix);
    ASSERT_FALSE(line.empty()) << prefix;
    const Moment stamp = ParseMoment(line.substr(prefix.size()), form->Patterns());
    EXPECT_GE(stamp, EncodeMoment(when)) << line;
    EXPECT_LT(stamp, EncodeMoment(when) + 5 / 86400.0) << line;
  }
  // The clock went on, a new second on every tick, each a stamp the form can read back.
  ASSERT_GE(watch.clock.size(), 4u);
  for (std::size_t i = 0; i < watch.clock.size(); ++i) {
    EXPECT_EQ(StampText(ParseMoment(watch.clock[i], form->Patterns()), form->Patterns()),
              watch.clock[i]);
    if (i > 0) {
      EXPECT_NE(watch.clock[i], watch.clock[i - 1]);
    }
  }
  EXPECT_EQ(StatusPanelText(Find(control::kStatusBar), kClockPanel), watch.clock.back());
  ::RemoveWindowSubclass(Find(control::kStatusBar), WatchClockPanel, 1);
  ::RemoveWindowSubclass(Form(), WatchShowing, 1);
}

// Explorer restarted and its new notification area holds none of the old icons.
TEST_F(TrayProgramTest, TheShellsTaskbarCreatedAddsTheIconAgain) {
  const struct {
    const char* how;
    bool hidden;  // the window is hidden into the icon when the shell goes
    std::function<void(HWND)> announce;
  } cases[] = {
      {"sent to the component's window", false,
       [](HWND tray) { ::SendMessageW(tray, TaskbarCreated(), 0, 0); }},
      {"broadcast to every top-level window", true,
       [](HWND) {
         ::SendMessageTimeoutW(HWND_BROADCAST, TaskbarCreated(), 0, 0, SMTO_ABORTIFHUNG, 5000,
                               nullptr);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    if (c.hidden) Minimize();
    NOTIFYICONDATAW forget{};
    forget.cbSize = sizeof(forget);
    forget.hWnd = Tray().Handle();
    forget.uID = Tray().Id();
    ASSERT_TRUE(::Shell_NotifyIconW(NIM_DELETE, &forget));
    ASSERT_FALSE(IconHeld());
    const auto before = WineTrayIcons();

    c.announce(Tray().Handle());
    EXPECT_TRUE(PumpUntil([&] { return IconHeld(); }, milliseconds(3000)));
    iconWindow = IconWindowAdded(before);
    ASSERT_NE(iconWindow, nullptr) << "no icon came back into the notification area";
    EXPECT_EQ(TooltipOf(iconWindow), "Velmora");
    EXPECT_EQ(Visible(), !c.hidden) << "the restart changed the window";
    // The new icon works as the old one did.
    if (c.hidden) {
      PumpFor(milliseconds(::GetDoubleClickTime() + 200));
      ClickAtScreen(CentreOf(iconWindow), 2);
      EXPECT_TRUE(PumpUntil([&] { return Visible(); }, milliseconds(3000)));
    }
  }
}

TEST_F(TrayProgramTest, TheEndOfTheSessionDeletesTheIcon) {
  const struct {
    const char* what;
    WPARAM ending;
    LPARAM how;
  } cases[] = {
      {"the user logs off", TRUE, ENDSESSION_LOGOFF},
      {"the system shuts down", TRUE, 0},
      {"the end of the session was called off", FALSE, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RestartForm();
    ASSERT_TRUE(IconHeld());
    const HWND tray = Tray().Handle();
    EXPECT_EQ(::SendMessageW(tray, WM_QUERYENDSESSION, 0, c.how), TRUE) << "the program objected";
    ::SendMessageW(tray, WM_ENDSESSION, c.ending, c.how);
    EXPECT_EQ(IconHeld(), !c.ending);
    EXPECT_EQ(::IsWindow(iconWindow) != FALSE, !c.ending) << "Wine's tray still shows it";
    EXPECT_TRUE(::IsWindow(tray)) << "the icon went because its window did";
    EXPECT_TRUE(Visible());
  }
}

// What the shell holds at the moment the component's window is being destroyed.
struct AtDestroy {
  HWND iconWindow = nullptr;
  bool seen = false;
  bool held = false;
  bool iconShows = false;
};

LRESULT CALLBACK NoteAtDestroy(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                               DWORD_PTR note) {
  if (message == WM_DESTROY) {
    auto* at = reinterpret_cast<AtDestroy*>(note);
    at->seen = true;
    at->held = ShellHolds(window, static_cast<UINT>(id));
    at->iconShows = ::IsWindow(at->iconWindow) != FALSE;
  }
  return ::DefSubclassProc(window, message, wParam, lParam);
}

// The icon is deleted on exit, before its window goes: not left to the shell's clean-up of
// icons whose window died.
TEST_F(TrayProgramTest, ExitDeletesTheIconBeforeItsWindowGoes) {
  const struct {
    const char* how;
    bool hidden;
    std::function<void()> close;
  } cases[] = {
      {"the Exit button", false, [this] { ClickToolButton(control::kExitButton); }},
      {"WM_CLOSE", false, [this] { ::PostMessageW(Form(), WM_CLOSE, 0, 0); }},
      {"the close box", false, [this] { ::PostMessageW(Form(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
      {"WM_CLOSE while hidden in the tray", true,
       [this] { ::PostMessageW(Form(), WM_CLOSE, 0, 0); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    RestartForm();
    ASSERT_NE(iconWindow, nullptr);
    if (c.hidden) Minimize();
    const HWND formWindow = Form();
    const HWND tray = Tray().Handle();
    const UINT id = Tray().Id();
    AtDestroy at{iconWindow};
    ASSERT_TRUE(::SetWindowSubclass(tray, NoteAtDestroy, id, reinterpret_cast<DWORD_PTR>(&at)));

    c.close();
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(formWindow); }, milliseconds(5000)));
    ASSERT_TRUE(at.seen);
    EXPECT_FALSE(at.held) << "the icon was still there when its window went";
    EXPECT_FALSE(at.iconShows);
    EXPECT_FALSE(::IsWindow(tray));
    EXPECT_FALSE(ShellHolds(tray, id));
    EXPECT_EQ(WineTrayIcons().size(), iconsBefore.size());
  }
}

}  // namespace
}  // namespace velmora::test
