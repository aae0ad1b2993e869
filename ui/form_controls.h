// Building the main window, apart from how it behaves: its controls made from the layout table
// in tab order, placed and scaled for the window's density together with their font, the
// toolbar's glyphs and the window's icons and size, and found again by name or by window.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "ui/layout.h"
#include "win/handles.h"

namespace velmora {

// Fixed single border: a caption with the system menu and minimise box, no sizing, no maximise.
// No WS_CLIPCHILDREN: a group box leaves its inside to the form's background.
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// The window carries its own taskbar button.
constexpr DWORD kFormExStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;

// A control found by its name. Toolbar items are not windows: for them window is the toolbar
// and design->id the item's command.
struct Control {
  const ControlSpec* design = nullptr;
  HWND window = nullptr;
};

class FormControls {
 public:
  // Creates every control of the layout on form and lays them out for its density.
  FormControls(HWND form, HINSTANCE instance);
  FormControls(const FormControls&) = delete;
  FormControls& operator=(const FormControls&) = delete;

  // Places every control, the font, the glyphs, the icons and the window's own size for dpi.
  void ApplyDpi(int dpi);
  int Dpi() const { return dpi_; }

  // The one lookup by name; throws Error for a name the window does not have.
  const Control& ByName(std::string_view name) const;
  HWND WindowOf(std::string_view name) const { return ByName(name).window; }
  // The control whose window this is, or null.
  const Control* ByWindow(HWND window) const;
  const std::map<std::string, Control, std::less<>>& All() const { return controls_; }

  HIMAGELIST ImageList1() const { return imageList1_.get(); }
  HFONT Font() const { return font_.get(); }

  // The toolbar's buttons and spacers, in the layout's order.
  static std::vector<const ControlSpec*> ToolbarItems();

 private:
  HWND form_;
  HINSTANCE instance_;
  int dpi_;
  std::map<std::string, Control, std::less<>> controls_;
  win::UniqueFont font_;
  win::UniqueImageList imageList1_;
  win::UniqueImageList disabledImages_;
  win::UniqueIcon bigIcon_;
  win::UniqueIcon smallIcon_;
};

// Centres the form on its monitor and shows it.
void ShowCentredOnMonitor(HWND form, int showCommand);

}  // namespace velmora
