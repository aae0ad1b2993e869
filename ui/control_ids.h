// Every identifier the main window uses: child-control IDs, timer IDs and private messages.
#pragma once

#include <windows.h>

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

// Window timers of the main window, named as the components they stand for.
enum TimerId : UINT_PTR {
  kTimer3 = 3,  // pointer readout
};

// The ticks of the one-second timers, posted to the main window at each second boundary.
enum TickMessage : UINT {
  kTimer1Tick = WM_APP + 1,  // program tick
  kTimer4Tick = WM_APP + 4,  // click tick
};

}  // namespace velmora
