// The main window's design as data: every control with its kind, place at 96 DPI, text,
// initial state and tab order. Both editions build their window from this table and scale it.
#pragma once

#include <string>
#include <vector>

namespace velmora {

enum class ControlKind {
  Toolbar,
  ToolButton,  // an item of the toolbar, not a window of its own
  Spacer,      // a separator item of the toolbar
  Label,
  Edit,
  SpeedButton,
  DateField,
  TimeField,
  GroupBox,
  RadioButton,
  CheckBox,
  Memo,
  StatusBar,
};

enum ControlFlag : unsigned {
  kNoFlags = 0,
  kChecked = 1,
  kDisabled = 2,
  kBlue = 4,        // text in blue instead of the window-text colour
  kFirstInBox = 8,  // the radio button that starts its group
  kGrooved = 16,    // a spacer drawn as a grooved line
};

struct ControlSpec {
  std::string name;
  ControlKind kind;
  int id;
  std::string parent;  // empty for the window itself; else the toolbar or the group box it sits in
  // Pixels at 96 DPI in the parent's client area. A label with no width is sized to its text.
  int left, top, width, height;
  std::string text;  // UTF-8; lines of a label are separated by CR LF
  unsigned flags;
  int tabOrder;  // -1 for a control outside the tab order
  int image;     // tool buttons: the glyph of ImageList1
  int tag;       // the row a control belongs to, 0 for none
};

constexpr int kFormClientWidth = 911;
constexpr int kFormClientHeight = 439;
constexpr int kFontPoints = 8;
inline constexpr char kFontFaceName[] = "Tahoma";
inline constexpr char kFormCaption[] = "Velmora";
// The status bar's panels: the clock, then the pointer readout.
inline constexpr int kStatusPanelWidths[] = {200, 100};

// Every control, schedule rows expanded to one entry per row control, parents before children.
const std::vector<ControlSpec>& Layout();

}  // namespace velmora
