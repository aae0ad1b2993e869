// The real program as a user starts and ends it: Exit, the close box and Alt+F4 each end it,
// and with no X display it says so once and ends.
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <sstream>

#include "form_test.h"

namespace velmora::test {
namespace {

// The client rectangle of an X window and its frame extents: left, right, top, bottom.
struct Placed {
  QRect client;
  int frame[4] = {0, 0, 0, 0};
};

Placed PlacementOf(const std::string& window) {
  Placed p;
  std::istringstream geometry(RunCommand("xwininfo -id " + window +
                                         " | awk '/Absolute upper-left X/{x=$4} /Absolute "
                                         "upper-left Y/{y=$4} /Width:/{w=$2} /Height:/{h=$2} "
                                         "END{print x, y, w, h}'"));
  int x = 0, y = 0, w = 0, h = 0;
  geometry >> x >> y >> w >> h;
  p.client = QRect(x, y, w, h);
  std::istringstream extents(
      RunCommand("xprop -id " + window + " _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g'"));
  extents >> p.frame[0] >> p.frame[1] >> p.frame[2] >> p.frame[3];
  return p;
}

class VelmoraExeTest : public ::testing::Test {
 protected:
  // Starts the program and waits for its main window.
  std::string Start() {
    program.setProgram(VELMORA_EXE);
    program.start();
    if (!program.waitForStarted(5000)) return {};
    std::string window;
    WaitUntil(
        [&] {
          window = RunCommand("xdotool search --onlyvisible --pid " +
                              std::to_string(program.processId()) +
                              " --name '^Velmora$' 2>/dev/null | head -n1");
          return !window.empty() && PlacementOf(window).client.width() == 911;
        },
        milliseconds(10000));
    Pump(milliseconds(300));
    return window;
  }
  bool EndsWithin(milliseconds timeout) {
    return WaitUntil([&] { return program.state() == QProcess::NotRunning; }, timeout);
  }
  // Ended by itself within a few seconds, as a program that closes its window does.
  void ExpectEndsOfItself() {
    ASSERT_TRUE(EndsWithin(milliseconds(5000)));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
  }
  void TearDown() override {
    if (program.state() != QProcess::NotRunning) {
      program.kill();
      program.waitForFinished(3000);
    }
  }

  QProcess program;
};

TEST_F(VelmoraExeTest, ExitEndsTheProgram) {
  const std::string window = Start();
  ASSERT_FALSE(window.empty());
  const QRect client = PlacementOf(window).client;
  // The middle of ToolButton4, 208 + 52 / 2 across and 2 + 25 / 2 down.
  ClickAt(client.topLeft() + QPoint(234, 14));
  ExpectEndsOfItself();
}

TEST_F(VelmoraExeTest, TheCloseBoxEndsTheProgram) {
  const std::string window = Start();
  ASSERT_FALSE(window.empty());
  const Placed placed = PlacementOf(window);
  ASSERT_GT(placed.frame[2], 0) << "no title bar";
  // The window manager's close button sits at the right end of the title bar.
  const QPoint closeBox(placed.client.right() + placed.frame[1] - 10,
                        placed.client.top() - placed.frame[2] / 2);
  ClickAt(closeBox);
  ExpectEndsOfItself();
}

TEST_F(VelmoraExeTest, AltF4EndsTheProgramAndEscDoesNot) {
  const std::string window = Start();
  ASSERT_FALSE(window.empty());
  RunCommand("xdotool windowactivate --sync " + window + " key Escape");
  EXPECT_FALSE(EndsWithin(milliseconds(800)));
  RunCommand("xdotool windowactivate --sync " + window + " key alt+F4");
  ExpectEndsOfItself();
}

TEST_F(VelmoraExeTest, WithoutAnXDisplayItSaysSoOnceAndEnds) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("DISPLAY", ":4077");
  env.remove("QT_QPA_PLATFORM");
  program.setProcessEnvironment(env);
  program.setProgram(VELMORA_EXE);
  program.start();
  ASSERT_TRUE(program.waitForFinished(10000));
  EXPECT_EQ(program.exitCode(), 1);
  const QString said = program.readAllStandardError();
  EXPECT_TRUE(said.contains("X11 display")) << said.toStdString();
  EXPECT_TRUE(said.contains(":4077")) << said.toStdString();
  EXPECT_EQ(said.count("Velmora needs"), 1);
}

}  // namespace
}  // namespace velmora::test
