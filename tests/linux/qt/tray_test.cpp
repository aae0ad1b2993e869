// The tray icon in a real tray host: minimising hides the window into it while the schedules
// go on, a double click brings it back, the icon returns when the host restarts, and with no
// host the window stays minimised on the taskbar.
#include <signal.h>
#include <unistd.h>

#include <QSystemTrayIcon>
#include <QWindow>
#include <cstdlib>
#include <fstream>

#include "form_test.h"

namespace velmora::test {
namespace {

// The tray host x-session started, or the one a test put in its place.
pid_t TrayHostPid() {
  std::ifstream in(std::getenv("VELMORA_TRAY_HOST_PIDFILE"));
  pid_t pid = 0;
  in >> pid;
  return pid;
}

void StopTrayHost() {
  ::kill(TrayHostPid(), SIGTERM);
  WaitUntil([] { return !QSystemTrayIcon::isSystemTrayAvailable(); }, milliseconds(5000));
}

// A new host in its own session, so it outlives this test; x-session ends it at the end.
void StartTrayHost() {
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::setsid();
    ::execlp("trayer", "trayer", "--edge", "bottom", "--align", "right", "--widthtype", "request",
             "--height", "24", "--SetDockType", "true", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  std::ofstream(std::getenv("VELMORA_TRAY_HOST_PIDFILE"), std::ios::trunc) << pid << '\n';
}

class TrayTest : public FormTest {
 protected:
  QSystemTrayIcon* Icon() const { return form->TrayIcon1(); }
  bool IconDocked() const {
    const QRect r = Icon()->geometry();
    return QSystemTrayIcon::isSystemTrayAvailable() && r.isValid() && !r.isEmpty() &&
           r.top() > 900;  // in the host at the bottom edge, not a window of its own
  }
  void Minimise() { RunCommand("xdotool windowminimize " + std::to_string(form->winId())); }
  void RestoreByDoubleClick() {
    DoubleClickAt(Icon()->geometry().center());
    ASSERT_TRUE(
        WaitUntil([&] { return form->isVisible() && !form->isMinimized(); }, milliseconds(3000)));
  }
};

TEST_F(TrayTest, MinimiseHidesIntoTheIconWhileTicksGoOnAndADoubleClickRestores) {
  ASSERT_TRUE(WaitUntil([&] { return IconDocked(); }, milliseconds(5000)));
  EXPECT_EQ(Icon()->toolTip(), "Velmora");
  ClickWidget(Find("ToolButton1"));
  Minimise();
  ASSERT_TRUE(WaitUntil([&] { return !form->isVisible(); }, milliseconds(3000)));
  // No taskbar entry: the window is withdrawn, not merely iconic.
  EXPECT_EQ(RunCommand("xdotool search --onlyvisible --name '^Velmora$' 2>/dev/null | grep -c " +
                       std::to_string(form->winId())),
            "0");
  const std::string clock = form->StatusText(0);
  EXPECT_TRUE(WaitUntil([&] { return form->StatusText(0) != clock; }, milliseconds(2500)));
  EXPECT_TRUE(Icon()->isVisible());

  RestoreByDoubleClick();
  EXPECT_TRUE(form->windowHandle()->isExposed() ||
              WaitUntil([&] { return form->windowHandle()->isExposed(); }, milliseconds(2000)));
}

TEST_F(TrayTest, WithoutAHostMinimisedStaysOnTheTaskbarAndTheIconReturnsWithTheHost) {
  ASSERT_TRUE(WaitUntil([&] { return IconDocked(); }, milliseconds(5000)));
  StopTrayHost();
  ASSERT_FALSE(QSystemTrayIcon::isSystemTrayAvailable());
  Minimise();
  ASSERT_TRUE(WaitUntil([&] { return form->isMinimized(); }, milliseconds(3000)));
  Pump(milliseconds(300));
  EXPECT_TRUE(form->isVisible());
  RunCommand("xdotool windowactivate --sync " + std::to_string(form->winId()));
  ASSERT_TRUE(WaitUntil([&] { return !form->isMinimized(); }, milliseconds(3000)));

  StartTrayHost();
  ASSERT_TRUE(WaitUntil([&] { return IconDocked(); }, milliseconds(10000)))
      << "the icon did not come back into the restarted host";
  Minimise();
  ASSERT_TRUE(WaitUntil([&] { return !form->isVisible(); }, milliseconds(3000)));
  RestoreByDoubleClick();
}

}  // namespace
}  // namespace velmora::test
