#include "ui/controls.h"

#include <commctrl.h>

#include <iterator>
#include <string>

#include "core/error.h"
#include "win/handles.h"
#include "win/system_error.h"
#include "win/text.h"
#include "win/window_hook.h"

namespace velmora {
namespace {

struct WindowKind {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
};

WindowKind KindOf(const ControlSpec& design) {
  // Every control that takes part in the tab order starts its own group, so the arrow keys
  // never move the focus out of it; only the two radio buttons of a box share a group.
  constexpr DWORD kTabStop = WS_TABSTOP | WS_GROUP;
  switch (design.kind) {
    case ControlKind::Toolbar:
      return {TOOLBARCLASSNAMEW, TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NORESIZE | CCS_NOPARENTALIGN, 0};
    case ControlKind::Label:
      return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
    case ControlKind::Edit:
      return {L"EDIT", kTabStop | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::SpeedButton:
      return {L"BUTTON", BS_PUSHBUTTON, 0};
    case ControlKind::DateField:
      return {DATETIMEPICK_CLASSW, kTabStop | DTS_UPDOWN | DTS_SHORTDATEFORMAT, 0};
    case ControlKind::TimeField:
      return {DATETIMEPICK_CLASSW, kTabStop | DTS_UPDOWN | DTS_TIMEFORMAT, 0};
    case ControlKind::GroupBox:
      // Its radio buttons follow it as siblings, as in a dialog; WS_GROUP closes the group of
      // the radio buttons before it.
      return {L"BUTTON", BS_GROUPBOX | WS_GROUP, 0};
    case ControlKind::RadioButton:
      return {L"BUTTON", BS_AUTORADIOBUTTON | (design.flags & kFirstInBox ? kTabStop : 0), 0};
    case ControlKind::CheckBox:
      return {L"BUTTON", BS_AUTOCHECKBOX | kTabStop, 0};
    case ControlKind::Memo:
      return {L"EDIT", kTabStop | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL,
              WS_EX_CLIENTEDGE};
    case ControlKind::StatusBar:
      return {STATUSCLASSNAMEW, CCS_NORESIZE | CCS_NOPARENTALIGN, 0};
    case ControlKind::ToolButton:
    case ControlKind::Spacer:
      break;
  }
  throw Error("'" + design.name + "' is not a window of its own");
}

// A speed button reacts to the mouse like any button but never keeps the keyboard focus:
// the focus goes straight back to the control that had it.
LRESULT CALLBACK FocuslessButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
win::WindowHook focuslessButtons(&FocuslessButtonProc);

LRESULT CALLBACK FocuslessButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETFOCUS) {
    const HWND previous = reinterpret_cast<HWND>(wParam);
    ::SetFocus(previous && ::IsWindow(previous) ? previous : ::GetAncestor(window, GA_ROOT));
    return 0;
  }
  return focuslessButtons.CallNext(window, message, wParam, lParam);
}

SIZE TextExtent(const std::string& text, HFONT font) {
  win::ScreenDc dc;
  win::SelectedObject selected(dc, font);
  RECT r{0, 0, 0, 0};
  const std::wstring wide = win::Widen(text);
  ::DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r, DT_CALCRECT | DT_NOPREFIX);
  return {r.right - r.left, r.bottom - r.top};
}

}  // namespace

HWND CreateControlWindow(const ControlSpec& design, HWND parent, HINSTANCE instance) {
  const WindowKind kind = KindOf(design);
  const DWORD style =
      WS_CHILD | WS_VISIBLE | kind.style | (design.flags & kDisabled ? WS_DISABLED : 0);
  const HWND window = ::CreateWindowExW(
      kind.exStyle, kind.className, win::Widen(design.text).c_str(), style, 0, 0, 0, 0, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(design.id)), instance, nullptr);
  if (!window) win::RaiseLastOSError();
  if (design.flags & kChecked) ::SendMessageW(window, BM_SETCHECK, BST_CHECKED, 0);
  if (design.kind == ControlKind::SpeedButton) {
    // Without it the button only keeps the focus once clicked: not worth failing the window.
    (void)focuslessButtons.Watch(window, 0);
  }
  if (design.kind == ControlKind::Memo) {
    // The message list has no limit: 0 lifts the edit control's default of 32,767.
    ::SendMessageW(window, EM_SETLIMITTEXT, 0, 0);
  }
  return window;
}

void PlaceControl(HWND window, const ControlSpec& design, POINT origin, int dpi, HFONT font) {
  int width = Scale(design.width, dpi);
  int height = Scale(design.height, dpi);
  if (design.kind == ControlKind::Label && design.width == 0) {
    const SIZE extent = TextExtent(design.text, font);
    width = extent.cx;
    height = extent.cy;
  }
  ::SetWindowPos(window, nullptr, Scale(origin.x + design.left, dpi),
                 Scale(origin.y + design.top, dpi), width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void AddToolbarItems(HWND toolbar, const std::vector<const ControlSpec*>& items) {
  ::SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  std::vector<std::wstring> texts;
  texts.reserve(items.size());
  std::vector<TBBUTTON> buttons;
  for (const ControlSpec* item : items) {
    TBBUTTON b{};
    b.idCommand = item->id;
    if (item->kind == ControlKind::Spacer) {
      b.fsStyle = BTNS_SEP;
      b.iBitmap = item->width;
    } else {
      texts.push_back(win::Widen(item->text));
      b.iBitmap = item->image;
      b.fsState = item->flags & kDisabled ? 0 : TBSTATE_ENABLED;
      b.fsStyle = BTNS_BUTTON;
      b.iString = reinterpret_cast<INT_PTR>(texts.back().c_str());
    }
    buttons.push_back(b);
  }
  // The toolbar copies the captions.
  ::SendMessageW(toolbar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
}

void ApplyToolbarMetrics(HWND toolbar, const std::vector<const ControlSpec*>& items, int dpi,
                         HIMAGELIST images, HIMAGELIST disabledImages) {
  ::SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
  ::SendMessageW(toolbar, TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(disabledImages));
  if (items.empty()) return;
  ::SendMessageW(toolbar, TB_SETINDENT, Scale(items.front()->left, dpi), 0);
  ::SendMessageW(toolbar, TB_SETBUTTONSIZE, 0,
                 MAKELPARAM(Scale(items.front()->width, dpi), Scale(items.front()->height, dpi)));
  for (const ControlSpec* item : items) {
    TBBUTTONINFOW info{};
    info.cbSize = sizeof(info);
    if (item->kind == ControlKind::Spacer) {
      info.dwMask = TBIF_IMAGE;  // a separator's image index is its width
      info.iImage = Scale(item->width, dpi);
    } else {
      info.dwMask = TBIF_SIZE;
      info.cx = static_cast<WORD>(Scale(item->width, dpi));
    }
    ::SendMessageW(toolbar, TB_SETBUTTONINFOW, item->id, reinterpret_cast<LPARAM>(&info));
  }
}

void ApplyStatusBarParts(HWND statusBar, int dpi) {
  int edges[std::size(kStatusPanelWidths)];
  int right = 0;
  for (std::size_t i = 0; i < std::size(kStatusPanelWidths); ++i) {
    right += Scale(kStatusPanelWidths[i], dpi);
    edges[i] = right;
  }
  // The pointer readout in the last panel is wider than the 100 pixels it is given: the panel
  // runs on to the bar's right edge, as a status bar's last panel does, so it shows whole.
  edges[std::size(edges) - 1] = -1;
  ::SendMessageW(statusBar, SB_SETPARTS, std::size(edges), reinterpret_cast<LPARAM>(edges));
}

}  // namespace velmora
