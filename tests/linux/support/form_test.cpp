#include "form_test.h"

#include "x_test_window.h"

#include <QApplication>
#include <QDateTimeEdit>
#include <QDateTime>
#include <QLineEdit>
#include <QWidget>
#include <QWindow>

namespace velmora::test {
namespace {

void Xdotool(const std::string& arguments) {
  RunCommand("xdotool " + arguments);
  Pump(milliseconds(50));
}

// A synchronous move to p; xdotool would wait in vain for a move to where the pointer is.
std::string MoveCommand(QPoint p) {
  int x = -1, y = -1;
  PointerAt(x, y);
  if (QPoint(x, y) == p) return "";
  return "mousemove --sync " + std::to_string(p.x()) + " " + std::to_string(p.y()) + " ";
}

}  // namespace

void MoveTo(QPoint global) {
  const std::string move = MoveCommand(global);
  if (!move.empty()) Xdotool(move);
}

void ClickAt(QPoint global) {
  Xdotool(MoveCommand(global) + "click 1");
}

void DoubleClickAt(QPoint global) {
  Xdotool(MoveCommand(global) + "click --repeat 2 --delay 80 1");
}

void ClickWidget(const QWidget* widget) {
  ClickAt(widget->mapToGlobal(widget->rect().center()));
}

void PressKey(const std::string& keys) {
  Xdotool("key --delay 30 " + keys);
}

void TypeText(const std::string& text) {
  Xdotool("type --delay 30 -- " + ShellQuoted(text));
}

LocalTime NowPlusSeconds(int seconds) {
  const QDateTime t = QDateTime::currentDateTime().addSecs(seconds);
  return {t.date().year(),
          t.date().month(),
          t.date().day(),
          t.time().hour(),
          t.time().minute(),
          t.time().second(),
          0};
}

void FormTest::SetUp() {
  form = std::make_unique<qt::TForm1>(qt::PatternsFromLocale(QLocale::system()), clock);
  form->ShowCentred();
  ASSERT_TRUE(WaitUntil([&] { return form->windowHandle() && form->windowHandle()->isExposed(); },
                        milliseconds(5000)));
  RunCommand("xdotool windowactivate --sync " + std::to_string(form->winId()));
  ASSERT_TRUE(WaitUntil([&] { return form->isActiveWindow(); }, milliseconds(5000)));
}

void FormTest::TearDown() {
  form.reset();
  Pump(milliseconds(50));
}

void FormTest::SetMoment(std::string_view name, const LocalTime& value) {
  Find<QDateTimeEdit>(name)->setDateTime(QDateTime(QDate(value.year, value.month, value.day),
                                                   QTime(value.hour, value.minute, value.second)));
}

void FormTest::FocusField(std::string_view name) {
  QWidget* field = Find(name);
  ClickWidget(field);
  WaitUntil([&] { return field->hasFocus() || field->isAncestorOf(QApplication::focusWidget()); },
            milliseconds(2000));
}

}  // namespace velmora::test
