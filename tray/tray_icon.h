// The notification-area icon of the main window: shows the program's icon with a tooltip, hides
// the main window into it when minimised and brings the window back on the chosen click.
#pragma once

#include <windows.h>
#include <shellapi.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <string_view>

#include "win/handles.h"

namespace velmora::win {
class WindowHook;
}

namespace velmora::tray {

// Mouse actions on the icon, in the order the property values are numbered.
enum TTrayIconClicks {
  ticNone,
  ticLeftClick,
  ticLeftDblClick,
  ticLeftClickUp,
  ticRightClick,
  ticRightDblClick,
  ticRightClickUp,
};

// The shell's icon service; Shell_NotifyIconW unless a test puts a recorder in its place.
using NotifyIconFunction = std::function<BOOL(DWORD message, NOTIFYICONDATAW* data)>;

// Start values of the properties. The defaults are those the main window runs with, apart from
// the hint, which the owner gives.
struct TTrayIconSettings {
  std::string hint;  // UTF-8
  bool enabled = true;
  bool hideOnMinimize = true;
  bool hideOnStartup = false;
  TTrayIconClicks restoreOn = ticLeftDblClick;
  TTrayIconClicks popupMenuOn = ticRightClickUp;
  HMENU popupMenu = nullptr;   // not owned; its commands reach the owner as WM_COMMAND
  HIMAGELIST icons = nullptr;  // not owned
  int iconIndex = 0;
  bool animate = false;
  UINT interval = 1000;  // ms between icons while animating
};

// Handlers the owner may assign; every one may stay empty.
struct TTrayIconEvents {
  std::function<void(TTrayIconClicks)> onClick;
  std::function<void()> onBalloonHide;
  std::function<void()> onBalloonTimeout;
  std::function<void()> onBalloonClick;
  std::function<void()> onMinimize;
  std::function<void()> onRestore;
  std::function<bool()> onQueryEndSession;  // false objects to ending the session
};

class TTrayIcon {
 public:
  // The message the shell sends to Handle() about mouse and balloon events on the icon.
  static constexpr UINT kCallbackMessage = 0x2422;

  // Adds the icon for `owner` (the main window, normally from its WM_CREATE once its controls
  // exist) and watches the owner's minimise and restore. Destroy it with the owner, at the
  // latest in the owner's WM_DESTROY. Throws velmora::Error when its window cannot be made.
  explicit TTrayIcon(HWND owner, TTrayIconSettings settings = {},
                     NotifyIconFunction notifyIcon = &::Shell_NotifyIconW);
  ~TTrayIcon();
  TTrayIcon(const TTrayIcon&) = delete;
  TTrayIcon& operator=(const TTrayIcon&) = delete;

  const std::string& Hint() const { return settings_.hint; }
  void SetHint(std::string_view hint);
  bool Enabled() const { return settings_.enabled; }
  void SetEnabled(bool enabled);
  bool HideOnMinimize() const { return settings_.hideOnMinimize; }
  void SetHideOnMinimize(bool hide) { settings_.hideOnMinimize = hide; }
  // Read once, at creation.
  bool HideOnStartup() const { return settings_.hideOnStartup; }
  void SetHideOnStartup(bool hide) { settings_.hideOnStartup = hide; }
  TTrayIconClicks RestoreOn() const { return settings_.restoreOn; }
  void SetRestoreOn(TTrayIconClicks click) { settings_.restoreOn = click; }
  TTrayIconClicks PopupMenuOn() const { return settings_.popupMenuOn; }
  void SetPopupMenuOn(TTrayIconClicks click) { settings_.popupMenuOn = click; }
  HMENU PopupMenu() const { return settings_.popupMenu; }
  void SetPopupMenu(HMENU menu) { settings_.popupMenu = menu; }
  HIMAGELIST Icons() const { return settings_.icons; }
  void SetIcons(HIMAGELIST icons);
  int IconIndex() const { return settings_.iconIndex; }
  void SetIconIndex(int index);
  bool Animate() const { return settings_.animate; }
  void SetAnimate(bool animate);
  UINT Interval() const { return settings_.interval; }
  void SetInterval(UINT milliseconds);
  void SetEvents(TTrayIconEvents events) { events_ = std::move(events); }

  // The component's own window, to which the shell reports.
  HWND Handle() const { return window_.get(); }
  // The icon's identifier within Handle(), unique to this instance.
  UINT Id() const { return id_; }
  // Whether the shell holds the icon now (an Enabled icon may still wait for the shell).
  bool IconShown() const { return iconShown_; }
  // Brings the main window back, as the restore click does.
  void Restore();

  // The component's window procedure (win::WindowProc) binds and forwards here.
  void Bind(HWND window) { window_.reset(window); }
  void Unbind() { (void)window_.release(); }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static const wchar_t* WindowClass();
  static win::WindowHook& OwnerHook();
  static LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // A message to the main window, before the main window handles it.
  void BeforeOwnerMessage(UINT message, LPARAM lParam);

  void OnIconNotify(UINT code);
  void OnClick(TTrayIconClicks click);
  BOOL OnQueryEndSession();
  void OnEndSession(bool ending);
  void OnTaskbarCreated();
  void OnAnimateTimer();
  void OnOwnerSize(WPARAM kind);
  void OnOwnerMinimized();

  NOTIFYICONDATAW Record() const;
  BOOL Notify(DWORD message);
  void AddIcon();
  void DeleteIcon();
  void LoadCurrentIcon();
  void UpdateAnimateTimer();
  void HookOwner();
  void KeepOwnerReachable();
  void ShowPopupMenu();

  HWND owner_;
  NotifyIconFunction notifyIcon_;
  UINT id_;
  TTrayIconSettings settings_;
  TTrayIconEvents events_;

  win::UniqueIcon icon_;
  win::UniqueWindow window_;
  bool iconShown_ = false;
  bool restoring_ = false;    // a restore started here is under way
  bool menuShowing_ = false;  // the popup menu is open
  bool ownerMinimized_ = false;
  // Why the owner is out of sight because of the icon, if it is.
  enum class Hidden {
    None,
    OnMinimize,  // hidden into the icon when minimised
    AtStart,     // kept from showing at start
  };
  Hidden hidden_ = Hidden::None;
  bool ownerGone_ = false;  // the owner is being destroyed
};

}  // namespace velmora::tray
