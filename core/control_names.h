// The names of the controls the program's code refers to, each beside its role. The names are
// the run-time key (the layout table, every lookup by name, the tools that drive the window
// from outside); spelling them through these constants makes a misspelt name a compile error.
#pragma once

namespace velmora {

// The program rows, numbered from 1. A row's control is named by its role's prefix and the
// row number (RowControlName): "Edit3" is the path of row 3.
inline constexpr int kRowCount = 5;

namespace control {

// A program row's controls, by prefix.
inline constexpr char kRowPath[] = "Edit";
inline constexpr char kRowDate[] = "FSetDate";
inline constexpr char kRowTime[] = "FSetTime";
inline constexpr char kRowOpen[] = "rbtOp";
inline constexpr char kRowClose[] = "rbtColse";
inline constexpr char kRowBrowse[] = "SpeedButton";

// The click panel.
inline constexpr char kClickInterval[] = "Edit6";  // minutes between clicks
inline constexpr char kClickX[] = "Edit7";         // the click point
inline constexpr char kClickY[] = "Edit8";
inline constexpr char kClickStartDate[] = "DateTimePicker1";
inline constexpr char kClickStartTime[] = "DateTimePicker2";
inline constexpr char kClickSwitch[] = "CheckBox1";

// The rest of the window.
inline constexpr char kMessageList[] = "Memo1";
inline constexpr char kStatusBar[] = "StatusBar1";
inline constexpr char kToolbar[] = "Toolbar1";
inline constexpr char kStartButton[] = "ToolButton1";
inline constexpr char kStopButton[] = "ToolButton2";
inline constexpr char kClearButton[] = "ToolButton3";
inline constexpr char kExitButton[] = "ToolButton4";

}  // namespace control

// The panels of the status bar.
enum StatusPanel : int {
  kClockPanel = 0,    // the program tick's clock
  kPointerPanel = 1,  // the pointer readout, right-aligned
};

}  // namespace velmora
