// The field aids in the real window: typed-character filters under real keys and for every
// printable character, the pointer readout, and the chooser with its filter, its proposal of
// the last file and Cancel.
#include <QApplication>
#include <QDateTimeEdit>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "core/field_rules.h"
#include "form_test.h"
#include "x_test_window.h"

namespace velmora::test {
namespace {

using FieldAidsTest = FormTest;

TEST_F(FieldAidsTest, NumberFieldTakesDigitsOnlyAndDeleteStillWorks) {
  auto* edit = Find<QLineEdit>("Edit6");
  FocusField("Edit6");
  PressKey("Home Delete Delete");
  ASSERT_EQ(edit->text(), "");
  TypeText("1a-2 3x");
  EXPECT_EQ(edit->text(), "123");
  PressKey("BackSpace");
  EXPECT_EQ(edit->text(), "123");
  PressKey("Left Delete");
  EXPECT_EQ(edit->text(), "12");
}

TEST_F(FieldAidsTest, DateFieldTakesDigitsAndBackspaceButNoLetters) {
  auto* field = Find<QDateTimeEdit>("FSetDate1");
  FocusField("FSetDate1");
  const QString before = field->text();
  TypeText("a-x ");
  EXPECT_EQ(field->text(), before);
  PressKey("End BackSpace");
  EXPECT_NE(field->text(), before);
}

// Every printable ASCII character and a few others, as a key that types it, through the same
// event path as typing: exactly the digits reach the fields, and Backspace only the dates.
TEST_F(FieldAidsTest, FiltersPassExactlyTheirCharacters) {
  std::u32string characters;
  for (char32_t c = 0x20; c < 0x7f; ++c) characters += c;
  characters += U"，中０٣é";
  for (const char* name : {"Edit7", "Edit8", "Edit6"}) {
    auto* edit = Find<QLineEdit>(name);
    edit->setFocus();
    edit->clear();
    std::string expected;
    for (char32_t c : characters) {
      const QString text = QString::fromUcs4(&c, 1);
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
      QApplication::sendEvent(edit, &press);
      if (NumberFieldPasses(c)) expected += static_cast<char>(c);
    }
    EXPECT_EQ(expected, "0123456789");
    EXPECT_EQ(edit->text().toStdString(), expected) << name;
  }
}

TEST_F(FieldAidsTest, PointerReadoutFollowsThePointer) {
  const struct { int x, y; } cases[] = {{0, 0}, {1279, 1023}, {640, 17}};
  for (const auto& c : cases) {
    WarpPointer(c.x, c.y);
    const std::string expected = PointerReadoutText(c.x, c.y);
    EXPECT_TRUE(WaitUntil([&] { return form->StatusText(1) == expected; }, milliseconds(1000)))
        << form->StatusText(1) << " for " << expected;
  }
  EXPECT_EQ(PointerReadoutText(0, 0), "当前鼠标坐标0 -- 0");
}

// What the open dialog shows: its filter entries and the names it lists.
struct DialogView {
  QStringList filters;
  QStringList names;
  QString proposed;
};

QFileDialog* OpenDialog() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* d = qobject_cast<QFileDialog*>(w); d && d->isVisible()) return d;
  }
  return nullptr;
}

// Clicks the browse button; while the dialog runs its loop, a timer reads what it shows
// once wanted appears among its names, then runs the xdotool commands.
DialogView Browse(const QWidget* button, const QString& wanted,
                  const std::vector<std::string>& commands) {
  DialogView view;
  bool done = false;
  QTimer sampler;
  sampler.setInterval(50);
  QElapsedTimer shown;
  shown.start();
  QObject::connect(&sampler, &QTimer::timeout, [&] {
    QFileDialog* dialog = OpenDialog();
    if (!dialog) return;
    if (shown.elapsed() > 8000) {  // stuck: closed, so the test goes on and fails
      dialog->reject();
      return;
    }
    if (done) return;
    auto* list = dialog->findChild<QListView*>("listView");
    QStringList names;
    for (int r = 0; list && r < list->model()->rowCount(list->rootIndex()); ++r) {
      names << list->model()->index(r, 0, list->rootIndex()).data().toString();
    }
    if (!names.contains(wanted)) return;
    done = true;
    view = {dialog->nameFilters(), names, dialog->selectedFiles().value(0)};
    // The modal dialog has the keyboard focus.
    for (const std::string& command : commands) RunCommand("xdotool " + command);
  });
  sampler.start();
  ClickWidget(button);
  WaitUntil([&] { return done && !OpenDialog(); }, milliseconds(10000));
  return view;
}

TEST_F(FieldAidsTest, ChooserListsExecutablesProposesTheLastAndCancels) {
  namespace fs = std::filesystem;
  TempFolder folder;
  ProbeCopy probe(folder.Make("velmora-exe"));
  std::ofstream(folder.Make("notes.txt")) << "not a program\n";
  fs::create_directories(folder.Path() + "/子目录");
  const fs::path oldCwd = fs::current_path();
  fs::current_path(folder.Path());  // with no file chosen yet, the dialog opens here

  const DialogView first =
      Browse(Find("SpeedButton3"), "velmora-exe", {"type --delay 30 velmora-exe", "key Return"});
  fs::current_path(oldCwd);
  EXPECT_EQ(first.filters, QStringList{"可执行文件 (*)"});
  EXPECT_TRUE(first.names.contains("子目录"));
  EXPECT_FALSE(first.names.contains("notes.txt"));
  ASSERT_TRUE(WaitUntil([&] { return form->TextOf("Edit3") == probe.Path(); }, milliseconds(2000)))
      << form->TextOf("Edit3");
  for (const char* other : {"Edit1", "Edit2", "Edit4", "Edit5"}) {
    EXPECT_EQ(form->TextOf(other), "E:\\kvtr.exe") << other;
  }

  // The next browse proposes the file chosen last; Cancel leaves the row as it was.
  const DialogView second = Browse(Find("SpeedButton1"), "velmora-exe", {"key Escape"});
  EXPECT_EQ(second.proposed.toStdString(), probe.Path());
  Pump(milliseconds(200));
  EXPECT_EQ(form->TextOf("Edit1"), "E:\\kvtr.exe");
  EXPECT_EQ(form->TextOf("Edit3"), probe.Path());
}

}  // namespace
}  // namespace velmora::test
