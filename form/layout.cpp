#include "form/layout.h"

#include "core/control_names.h"
#include "form/control_ids.h"

namespace velmora {
namespace {

constexpr int kRowPitch = 28;

// One line of the design. A row entry stands for the same control in each of the five rows:
// its name and parent get the row number appended, its top (unless it sits in a row's group
// box) moves down by kRowPitch per row, and its tab order by tabStep per row.
struct Entry {
  const char* name;
  ControlKind kind;
  int id;  // for a row entry: its RowRole
  const char* parent;
  int left, top, width, height;
  const char* text;
  unsigned flags;
  int tabOrder;
  int image = -1;
  bool perRow = false;
  int tabStep = 0;
};

using K = ControlKind;

// clang-format off
const Entry kDesign[] = {
  // name              kind           id                  parent      left  top  width height text           flags                 tab  image
  {"Toolbar1",         K::Toolbar,    kIdToolbar1,        "",            0,   0,  911,  29,  "",              kNoFlags,              -1},
  {"ToolButton1",      K::ToolButton, kIdToolButton1,     "Toolbar1",    4,   2,   52,  25,  "开始",          kNoFlags,              -1,  0},
  {"Spacer1",          K::Spacer,     kIdSpacer1,         "Toolbar1",   56,   2,    8,  25,  "",              kGrooved,              -1},
  {"ToolButton2",      K::ToolButton, kIdToolButton2,     "Toolbar1",   64,   2,   52,  25,  "停止",          kDisabled,             -1,  4},
  {"Spacer2",          K::Spacer,     kIdSpacer2,         "Toolbar1",  116,   2,    8,  25,  "",              kNoFlags,              -1},
  {"ToolButton3",      K::ToolButton, kIdToolButton3,     "Toolbar1",  124,   2,   76,  25,  "清除信息",      kNoFlags,              -1,  6},
  {"Spacer3",          K::Spacer,     kIdSpacer3,         "Toolbar1",  200,   2,    8,  25,  "",              kNoFlags,              -1},
  {"ToolButton4",      K::ToolButton, kIdToolButton4,     "Toolbar1",  208,   2,   52,  25,  "退出",          kNoFlags,              -1,  2},

  {"Label1",           K::Label,      LabelId(1),         "",           17,  38,    0,   0,  "选择程序",      kNoFlags,              -1},
  {"Label2",           K::Label,      LabelId(2),         "",          528,  38,    0,   0,  "执行时间",      kNoFlags,              -1},
  {"Label3",           K::Label,      LabelId(3),         "",          746,  38,    0,   0,  "执行操作",      kNoFlags,              -1},
  {"Label4",           K::Label,      LabelId(4),         "",           17, 201,    0,   0,  "信息显示",      kNoFlags,              -1},
  {"Label5",           K::Label,      LabelId(5),         "",          734, 197,    0,   0,  "只能关闭和程序名相同的进程", kBlue,  -1},
  {"Label6",           K::Label,      LabelId(6),         "",          649, 254,    0,   0,  "启用时间",      kNoFlags,              -1},
  {"Label7",           K::Label,      LabelId(7),         "",          649, 310,    0,   0,  "时间间隔",      kNoFlags,              -1},
  {"Label8",           K::Label,      LabelId(8),         "",          752, 332,    0,   0,  "分",            kNoFlags,              -1},
  {"Label9",           K::Label,      LabelId(9),         "",          649, 367,    0,   0,  "鼠标单击坐标点", kNoFlags,             -1},
  {"Label10",          K::Label,      LabelId(10),        "",          786, 318,  120,  39,
   "启用鼠标点击后如果\r\n启用时间小于当前时\r\n间则默认间隔时间计时",                  kBlue,                 -1},

  // Schedule rows: row i has its top at 57 + 28 * (i - 1); the radio buttons sit in its group box.
  {"Edit",             K::Edit,       kRoleEdit,          "",           17,  57,  475,  21,  "E:\\kvtr.exe",   kNoFlags,               0, -1, true, 1},
  {"SpeedButton",      K::SpeedButton, kRoleSpeedButton,  "",          498,  57,   23,  22,  "...",           kNoFlags,              -1, -1, true},
  {"FSetDate",         K::DateField,  kRoleFSetDate,      "",          530,  57,   97,  21,  "",              kNoFlags,               5, -1, true, 2},
  {"FSetTime",         K::TimeField,  kRoleFSetTime,      "",          633,  57,   97,  21,  "",              kNoFlags,               6, -1, true, 2},
  {"GroupBox",         K::GroupBox,   kRoleGroupBox,      "",          736,  57,  162,  22,  "",              kNoFlags,              22, -1, true, 1},
  {"rbtOp",            K::RadioButton, kRoleRbtOp,        "GroupBox",   10,   1,   73,  17,  "打开程序",      kChecked | kFirstInBox, 0, -1, true},
  {"rbtColse",         K::RadioButton, kRoleRbtColse,     "GroupBox",   89,   1,   65,  17,  "关闭程序",      kNoFlags,               1, -1, true},

  {"Memo1",            K::Memo,       kIdMemo1,           "",           17, 220,  610, 187,  "",              kNoFlags,              15},

  // The click schedule.
  {"CheckBox1",        K::CheckBox,   kIdCheckBox1,       "",          649, 222,   97,  17,  "启用鼠标单击",  kNoFlags,              27},
  {"DateTimePicker1",  K::DateField,  kIdDateTimePicker1, "",          649, 273,   97,  21,  "",              kNoFlags,              28},
  {"DateTimePicker2",  K::TimeField,  kIdDateTimePicker2, "",          752, 273,   97,  21,  "",              kNoFlags,              29},
  {"Edit6",            K::Edit,       kIdEdit6,           "",          649, 329,   97,  21,  "1",             kNoFlags,              30},
  {"Edit7",            K::Edit,       kIdEdit7,           "",          649, 386,   97,  21,  "1080",          kNoFlags,              31},
  {"Edit8",            K::Edit,       kIdEdit8,           "",          752, 386,   97,  21,  "654",           kNoFlags,              32},

  {"StatusBar1",       K::StatusBar,  kIdStatusBar1,      "",            0, 420,  911,  19,  "",              kNoFlags,              -1},
};
// clang-format on

std::vector<ControlSpec> Expand() {
  std::vector<ControlSpec> controls;
  for (const Entry& e : kDesign) {
    const int rows = e.perRow ? kRowCount : 1;
    for (int i = 1; i <= rows; ++i) {
      ControlSpec s{e.name,   e.kind, e.id,    e.parent,   e.left,  e.top, e.width,
                    e.height, e.text, e.flags, e.tabOrder, e.image, 0};
      if (e.perRow) {
        const std::string suffix = std::to_string(i);
        s.name += suffix;
        s.id = RowControlId(static_cast<RowRole>(e.id), i);
        s.tag = i;
        if (!s.parent.empty()) {
          s.parent += suffix;
        } else {
          s.top += kRowPitch * (i - 1);
          s.tabOrder += e.tabStep * (i - 1);
        }
      }
      controls.push_back(std::move(s));
    }
  }
  return controls;
}

}  // namespace

const std::vector<ControlSpec>& Layout() {
  static const std::vector<ControlSpec> controls = Expand();
  return controls;
}

}  // namespace velmora
