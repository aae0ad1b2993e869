// The main window as designed: every control by name with its kind, place, text, state and
// tab order, and the window's own properties. The expectations are written out here from the
// design, apart from the shared layout table, so a slip in either shows.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTimeEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <vector>

#include "form_test.h"

namespace velmora::test {
namespace {

enum Check { kNoCheck = -1, kUnchecked = 0, kChecked = 1 };
constexpr int kFitsText = -1;  // an auto-sized label: as wide and high as its text

struct Expected {
  std::string name;
  const char* className;
  int left, top, width, height;  // in the window's client area
  std::string text;
  bool enabled;
  Check check;
};

std::vector<Expected> Design() {
  std::vector<Expected> d = {
      {"Toolbar1", "QToolBar", 0, 0, 911, 29, "", true, kNoCheck},
      {"ToolButton1", "QToolButton", 4, 2, 52, 25, "开始", true, kNoCheck},
      {"ToolButton2", "QToolButton", 64, 2, 52, 25, "停止", false, kNoCheck},
      {"ToolButton3", "QToolButton", 124, 2, 76, 25, "清除信息", true, kNoCheck},
      {"ToolButton4", "QToolButton", 208, 2, 52, 25, "退出", true, kNoCheck},
      {"Label1", "QLabel", 17, 38, kFitsText, kFitsText, "选择程序", true, kNoCheck},
      {"Label2", "QLabel", 528, 38, kFitsText, kFitsText, "执行时间", true, kNoCheck},
      {"Label3", "QLabel", 746, 38, kFitsText, kFitsText, "执行操作", true, kNoCheck},
      {"Label4", "QLabel", 17, 201, kFitsText, kFitsText, "信息显示", true, kNoCheck},
      {"Label5", "QLabel", 734, 197, kFitsText, kFitsText, "只能关闭和程序名相同的进程", true,
       kNoCheck},
      {"Label6", "QLabel", 649, 254, kFitsText, kFitsText, "启用时间", true, kNoCheck},
      {"Label7", "QLabel", 649, 310, kFitsText, kFitsText, "时间间隔", true, kNoCheck},
      {"Label8", "QLabel", 752, 332, kFitsText, kFitsText, "分", true, kNoCheck},
      {"Label9", "QLabel", 649, 367, kFitsText, kFitsText, "鼠标单击坐标点", true, kNoCheck},
      {"Label10", "QLabel", 786, 318, 120, 39,
       "启用鼠标点击后如果\n启用时间小于当前时\n间则默认间隔时间计时", true, kNoCheck},
      {"Memo1", "QPlainTextEdit", 17, 220, 610, 187, "", true, kNoCheck},
      {"CheckBox1", "QCheckBox", 649, 222, 97, 17, "启用鼠标单击", true, kUnchecked},
      {"DateTimePicker1", "QDateEdit", 649, 273, 97, 21, "", true, kNoCheck},
      {"DateTimePicker2", "QTimeEdit", 752, 273, 97, 21, "", true, kNoCheck},
      {"Edit6", "QLineEdit", 649, 329, 97, 21, "1", true, kNoCheck},
      {"Edit7", "QLineEdit", 649, 386, 97, 21, "1080", true, kNoCheck},
      {"Edit8", "QLineEdit", 752, 386, 97, 21, "654", true, kNoCheck},
      {"StatusBar1", "QStatusBar", 0, 420, 911, 19, "", true, kNoCheck},
  };
  for (int i = 1; i <= 5; ++i) {
    const std::string n = std::to_string(i);
    const int top = 57 + 28 * (i - 1);
    d.push_back({"Edit" + n, "QLineEdit", 17, top, 475, 21, "E:\\kvtr.exe", true, kNoCheck});
    d.push_back({"SpeedButton" + n, "QPushButton", 498, top, 23, 22, "...", true, kNoCheck});
    d.push_back({"FSetDate" + n, "QDateEdit", 530, top, 97, 21, "", true, kNoCheck});
    d.push_back({"FSetTime" + n, "QTimeEdit", 633, top, 97, 21, "", true, kNoCheck});
    d.push_back({"GroupBox" + n, "QGroupBox", 736, top, 162, 22, "", true, kNoCheck});
    d.push_back(
        {"rbtOp" + n, "QRadioButton", 736 + 10, top + 1, 73, 17, "打开程序", true, kChecked});
    d.push_back(
        {"rbtColse" + n, "QRadioButton", 736 + 89, top + 1, 65, 17, "关闭程序", true, kUnchecked});
  }
  return d;
}

using LayoutTest = FormTest;

TEST_F(LayoutTest, EveryControlByNameAtItsPlaceWithItsTextAndState) {
  for (const Expected& e : Design()) {
    SCOPED_TRACE(e.name);
    QWidget* w = Find(e.name);
    EXPECT_STREQ(w->metaObject()->className(), e.className);
    EXPECT_EQ(w->objectName().toStdString(), e.name);
    EXPECT_EQ(w->mapTo(form.get(), QPoint(0, 0)), QPoint(e.left, e.top));
    if (e.width == kFitsText) {
      EXPECT_EQ(w->size(), w->sizeHint());
    } else {
      EXPECT_EQ(w->size(), QSize(e.width, e.height));
    }
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->isEnabled(), e.enabled);
    if (!e.text.empty()) {
      EXPECT_EQ(form->TextOf(e.name), e.text);
    }
    if (e.check != kNoCheck) {
      EXPECT_EQ(form->IsChecked(e.name), e.check == kChecked);
    }
  }
}

TEST_F(LayoutTest, BlueLabelsAndTheSpeedButtonsTags) {
  for (const char* name : {"Label5", "Label10"}) {
    EXPECT_EQ(Find<QLabel>(name)->palette().color(QPalette::WindowText), QColor(0, 0, 255));
  }
  EXPECT_NE(Find<QLabel>("Label1")->palette().color(QPalette::WindowText), QColor(0, 0, 255));
  for (int i = 1; i <= 5; ++i) {
    auto* button = Find<QPushButton>("SpeedButton" + std::to_string(i));
    EXPECT_EQ(button->property("Tag").toInt(), i);
    EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
  }
}

TEST_F(LayoutTest, WindowIsFixedWithItsCaptionAndNoMaximise) {
  EXPECT_EQ(form->windowTitle(), "Velmora");
  EXPECT_EQ(form->size(), QSize(911, 439));
  EXPECT_EQ(form->minimumSize(), form->maximumSize());
  EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(form->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(form->windowIcon().isNull());
  // What the window manager lets the user do with it: no maximising, no resizing.
  const std::string actions =
      RunCommand("xprop -id " + std::to_string(form->winId()) + " _NET_WM_ALLOWED_ACTIONS");
  EXPECT_NE(actions.find("_NET_WM_ACTION_MINIMIZE"), std::string::npos) << actions;
  EXPECT_NE(actions.find("_NET_WM_ACTION_CLOSE"), std::string::npos) << actions;
  EXPECT_EQ(actions.find("MAXIMIZE"), std::string::npos) << actions;
  EXPECT_EQ(actions.find("RESIZE"), std::string::npos) << actions;
  // Centred on the screen, frame and all.
  const QRect screen = QApplication::primaryScreen()->geometry();
  EXPECT_LE(std::abs(form->frameGeometry().center().x() - screen.center().x()), 2);
  EXPECT_LE(std::abs(form->frameGeometry().center().y() - screen.center().y()), 2);
}

TEST_F(LayoutTest, TimersAndTrayIconByName) {
  const struct {
    const char* name;
    int interval;
    bool active;
  } timers[] = {{"Timer1", 1000, false}, {"Timer3", 100, true}, {"Timer4", 1000, false}};
  for (const auto& t : timers) {
    auto* timer = Find<QTimer>(t.name);
    EXPECT_EQ(timer->interval(), t.interval) << t.name;
    EXPECT_EQ(timer->isActive(), t.active) << t.name;
  }
  auto* tray = form->Find<QSystemTrayIcon>("TrayIcon1");
  EXPECT_EQ(tray->toolTip(), "Velmora");
  EXPECT_TRUE(tray->isVisible());
  EXPECT_THROW(form->ControlByName("Edit9"), Error);
}

TEST_F(LayoutTest, FieldsShowTheStartUpMomentInTheLocalesPatterns) {
  const Moment now = EncodeMoment(clock.Now());
  for (const auto& [name, kind] :
       std::vector<std::pair<std::string, ControlKind>>{{"DateTimePicker1", ControlKind::DateField},
                                                        {"DateTimePicker2", ControlKind::TimeField},
                                                        {"FSetDate1", ControlKind::DateField},
                                                        {"FSetTime5", ControlKind::TimeField}}) {
    SCOPED_TRACE(name);
    const Moment value = form->MomentOf(name);
    EXPECT_LE(now - value, 10.0 / 86400);
    EXPECT_GE(now - value, 0.0);
    const std::string shown = kind == ControlKind::DateField ? DateText(value, form->Patterns())
                                                             : TimeText(value, form->Patterns());
    EXPECT_EQ(Find<QDateTimeEdit>(name)->text().toStdString(), shown);
  }
  EXPECT_EQ(form->StatusText(0), "");
}

// The Tab key walks the fields in the designed order and comes round to the start.
TEST_F(LayoutTest, TabOrderIsTheDesignedOne) {
  std::vector<std::string> order;
  for (int i = 1; i <= 5; ++i) order.push_back("Edit" + std::to_string(i));
  for (int i = 1; i <= 5; ++i) {
    order.push_back("FSetDate" + std::to_string(i));
    order.push_back("FSetTime" + std::to_string(i));
  }
  order.push_back("Memo1");
  for (int i = 1; i <= 5; ++i) order.push_back("rbtOp" + std::to_string(i));
  for (const char* n :
       {"CheckBox1", "DateTimePicker1", "DateTimePicker2", "Edit6", "Edit7", "Edit8", "Edit1"}) {
    order.push_back(n);
  }
  FocusField("Edit1");
  const auto focusedName = [] {
    QWidget* w = QApplication::focusWidget();
    // The line edit inside a date field stands for the field.
    while (w && w->objectName().isEmpty()) w = w->parentWidget();
    return w ? w->objectName().toStdString() : std::string("(none)");
  };
  ASSERT_EQ(focusedName(), "Edit1");
  for (std::size_t i = 1; i < order.size(); ++i) {
    PressKey("Tab");
    WaitUntil([&] { return focusedName() == order[i]; }, milliseconds(1000));
    ASSERT_EQ(focusedName(), order[i]) << "after " << order[i - 1];
  }
}

// A checked Close button is where Tab lands in its group.
TEST_F(LayoutTest, TabLandsOnTheCheckedRadioButtonOfAGroup) {
  ClickWidget(Find("rbtColse2"));
  ASSERT_TRUE(form->IsChecked("rbtColse2"));
  FocusField("Memo1");
  PressKey("Tab");
  PressKey("Tab");
  EXPECT_EQ(QApplication::focusWidget(), Find("rbtColse2"));
}

}  // namespace
}  // namespace velmora::test
