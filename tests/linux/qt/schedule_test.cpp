// Both schedules in the real window, driven by real clicks: a row opens a probe and a Close
// row ends its running copies, the click schedule clicks a test window three times at the
// point, Clear and typing in the message list, and the error box that comes once while the
// ticks go on.
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTimer>

#include "core/log_lines.h"
#include "qt/error_reporter.h"
#include "form_test.h"
#include "x_test_window.h"

namespace velmora::test {
namespace {

constexpr milliseconds kTickWait(6000);

using ProgramScheduleTest = FormTest;

TEST_F(ProgramScheduleTest, RowTwoSecondsAheadOpensItsPathAndLogsTheLine) {
  TempFolder folder;
  ProbeCopy probe(folder.Make("程序 目录/velmora-row 探针"));
  Find<QLineEdit>("Edit2")->setText(QString::fromStdString(probe.Path()));
  const LocalTime target = NowPlusSeconds(2);
  SetMoment("FSetDate2", target);
  SetMoment("FSetTime2", target);

  ClickWidget(Find("ToolButton1"));
  ASSERT_TRUE(WaitUntil([&] { return !Find("ToolButton1")->isEnabled(); }, milliseconds(2000)));
  EXPECT_TRUE(Find("ToolButton2")->isEnabled());
  ASSERT_TRUE(WaitUntil([&] { return !probe.Runs().empty(); }, kTickWait));
  const std::string stamp = StampText(EncodeMoment(target), form->Patterns());
  EXPECT_EQ(Memo(), OpenedLine(probe.Path(), stamp));
  // The clock panel shows the current stamp while the schedule runs.
  EXPECT_FALSE(form->StatusText(0).empty());
  EXPECT_NO_THROW(ParseMoment(form->StatusText(0), form->Patterns()));

  // The row does not act again; Stop switches the tick off.
  Pump(milliseconds(2500));
  EXPECT_EQ(probe.Runs().size(), 1u);
  ClickWidget(Find("ToolButton2"));
  ASSERT_TRUE(WaitUntil([&] { return Find("ToolButton1")->isEnabled(); }, milliseconds(2000)));
  EXPECT_FALSE(Find("ToolButton2")->isEnabled());
  const std::string clock = form->StatusText(0);
  Pump(milliseconds(2200));
  EXPECT_EQ(form->StatusText(0), clock);
}

TEST_F(ProgramScheduleTest, CloseRowEndsBothRunningCopies) {
  TempFolder folder;
  ProbeCopy probe(folder.Make("velmora-close 探针"));
  RunningProbe first(probe), second(probe);
  ASSERT_TRUE(first.Started() && second.Started());
  Find<QLineEdit>("Edit3")->setText(QString::fromStdString(probe.Path()));
  ClickWidget(Find("rbtColse3"));
  ASSERT_TRUE(form->IsChecked("rbtColse3"));
  EXPECT_FALSE(form->IsChecked("rbtOp3"));
  const LocalTime target = NowPlusSeconds(2);
  SetMoment("FSetDate3", target);
  SetMoment("FSetTime3", target);

  ClickWidget(Find("ToolButton1"));
  ASSERT_TRUE(first.EndsWithin(kTickWait));
  ASSERT_TRUE(second.EndsWithin(milliseconds(1000)));
  EXPECT_TRUE(WaitUntil([&] { return !Memo().empty(); }, milliseconds(1000)));
  EXPECT_EQ(Memo(), ClosedLine(probe.Path(), StampText(EncodeMoment(target), form->Patterns())));
}

using ClickScheduleTest = FormTest;

TEST_F(ClickScheduleTest, ClickLandsThreeTimesAtThePointAndThePointerGoesBack) {
  ClickTarget target(1100, 40, 150, 100);
  Find<QLineEdit>("Edit7")->setText("1150");
  Find<QLineEdit>("Edit8")->setText("70");
  const LocalTime start = NowPlusSeconds(2);
  SetMoment("DateTimePicker1", start);
  SetMoment("DateTimePicker2", start);

  QWidget* box = Find("CheckBox1");
  const QPoint checkBox = box->mapToGlobal(box->rect().center());
  ClickAt(checkBox);
  ASSERT_TRUE(form->IsChecked("CheckBox1"));
  ASSERT_TRUE(WaitUntil([&] { return !Memo().empty(); }, kTickWait));
  const std::vector<ButtonEvent>& events = target.Events(300);
  ASSERT_EQ(events.size(), 6u);
  for (std::size_t i = 0; i < events.size(); ++i) {
    EXPECT_EQ(events[i].press, i % 2 == 0);
    EXPECT_EQ(QPoint(events[i].x, events[i].y), QPoint(50, 30));
  }
  int x = 0, y = 0;
  PointerAt(x, y);
  EXPECT_EQ(QPoint(x, y), checkBox);
  EXPECT_EQ(Memo(), ClickLine("1150", "70", StampText(EncodeMoment(start), form->Patterns())));

  // Unchecked, the schedule stops.
  ClickAt(checkBox);
  ASSERT_FALSE(form->IsChecked("CheckBox1"));
  EXPECT_FALSE(Find<QTimer>("Timer4")->isActive());
}

using MessageListTest = FormTest;

TEST_F(MessageListTest, TypedTextStaysAndLinesFollowItAndClearEmpties) {
  FocusField("Memo1");
  TypeText("note");
  ASSERT_TRUE(WaitUntil([&] { return Memo() == "note"; }, milliseconds(2000)));
  form->AppendLog("one");
  form->AppendLog("two");
  EXPECT_EQ(Memo(), "note\none\ntwo");
  ClickWidget(Find("ToolButton3"));
  EXPECT_TRUE(WaitUntil([&] { return Memo().empty(); }, milliseconds(2000)));
  form->AppendLog("three");
  EXPECT_EQ(Memo(), "three");
  // A long line wraps at the list's width instead of scrolling sideways.
  EXPECT_EQ(Find<QPlainTextEdit>("Memo1")->lineWrapMode(), QPlainTextEdit::WidgetWidth);
}

using ErrorBoxTest = FormTest;

std::vector<QMessageBox*> OpenBoxes() {
  std::vector<QMessageBox*> boxes;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) boxes.push_back(box);
  }
  return boxes;
}

// A click schedule with an interval that is no number fails on every tick: one box shows the
// error while the program schedule's clock goes on ticking behind it. The box runs its own
// loop, so what the test sees is sampled by a timer of its own inside that loop.
TEST_F(ErrorBoxTest, OneBoxAtATimeWhileTicksGoOn) {
  Find<QLineEdit>("Edit6")->setText("");
  std::size_t mostBoxes = 0;
  std::vector<std::string> clocks;
  QString text, title;
  bool closedByEnter = false, shownAgain = false;
  QTimer sampler;
  sampler.setInterval(50);
  QObject::connect(&sampler, &QTimer::timeout, [&] {
    const auto boxes = OpenBoxes();
    mostBoxes = std::max(mostBoxes, boxes.size());
    if (boxes.empty()) return;
    if (closedByEnter) {
      // Shown again by a later tick: the test is over, the ticks stop failing.
      shownAgain = true;
      Find<QLineEdit>("Edit6")->setText("1");
      for (QMessageBox* box : boxes) box->done(QMessageBox::Ok);
      return;
    }
    text = boxes.front()->text();
    title = boxes.front()->windowTitle();
    if (clocks.empty() || clocks.back() != form->StatusText(0)) {
      clocks.push_back(form->StatusText(0));
    }
    if (clocks.size() >= 4) {
      closedByEnter = true;
      RunCommand("xdotool windowactivate --sync " + std::to_string(boxes.front()->winId()) +
                 " key Return");
    }
  });
  sampler.start();
  ClickWidget(Find("ToolButton1"));
  ClickWidget(Find("CheckBox1"));
  WaitUntil([&] { return shownAgain && OpenBoxes().empty(); }, milliseconds(15000));
  sampler.stop();

  EXPECT_EQ(mostBoxes, 1u);
  EXPECT_GE(clocks.size(), 4u) << "the clock panel stood still behind the box";
  EXPECT_EQ(text.toStdString(), "'' is not a valid integer value.");
  EXPECT_EQ(title, qt::ApplicationTitle());
  EXPECT_TRUE(closedByEnter);
  EXPECT_TRUE(shownAgain);
}

}  // namespace
}  // namespace velmora::test
