// The identifiers of the main window's controls, shared by both editions: the Windows window
// uses them as child-control IDs, and the design table names each control's row role by them.
#pragma once

namespace velmora {

enum ControlId : int {
  kIdToolbar1 = 100,
  kIdToolButton1,
  kIdSpacer1,
  kIdToolButton2,
  kIdSpacer2,
  kIdToolButton3,
  kIdSpacer3,
  kIdToolButton4,
  kIdStatusBar1,
  kIdMemo1,
  kIdCheckBox1,
  kIdDateTimePicker1,
  kIdDateTimePicker2,
  kIdEdit6,
  kIdEdit7,
  kIdEdit8,
  kIdLabel1 = 150,   // Label n is kIdLabel1 + n - 1
  kIdRowBase = 200,  // the controls of schedule row i are RowControlId(role, i)
};

// The controls of one schedule row, in the order of their IDs.
enum RowRole : int {
  kRoleEdit,
  kRoleSpeedButton,
  kRoleFSetDate,
  kRoleFSetTime,
  kRoleGroupBox,
  kRoleRbtOp,
  kRoleRbtColse,
};

constexpr int RowControlId(RowRole role, int row) {
  return kIdRowBase + 10 * row + role;
}
constexpr int LabelId(int n) {
  return kIdLabel1 + n - 1;
}

}  // namespace velmora
