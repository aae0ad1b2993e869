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

  const std::string& Hint() const { return hint_; }
  void SetHint(std::string_view hint);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool HideOnMinimize() const { return hideOnMinimize_; }
  void SetHideOnMinimize(bool hide) { hideOnMinimize_ = hide; }
  // Read once, at creation.
  bool HideOnStartup() const { return hideOnStartup_; }
  void SetHideOnStartup(bool hide) { hideOnStartup_ = hide; }
  TTrayIconClicks RestoreOn() const { return restoreOn_; }
  void SetRestoreOn(TTrayIconClicks click) { restoreOn_ = click; }
  TTrayIconClicks PopupMenuOn() const { return popupMenuOn_; }
  void SetPopupMenuOn(TTrayIconClicks click) { popupMenuOn_ = click; }
  HMENU PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(HMENU menu) { popupMenu_ = menu; }
  HIMAGELIST Icons() const { return icons_; }
  void SetIcons(HIMAGELIST icons);
  int IconIndex() const { return iconIndex_; }
  void SetIconIndex(int index);
  bool Animate() const { return animate_; }
  void SetAnimate(bool animate);
  UINT Interval() const { return interval_; }
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

 private:
  static const wchar_t* WindowClass();
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK OwnerSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR id, DWORD_PTR self);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleOwnerMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

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
  std::string hint_;
  bool enabled_;
  bool hideOnMinimize_;
  bool hideOnStartup_;
  TTrayIconClicks restoreOn_;
  TTrayIconClicks popupMenuOn_;
  HMENU popupMenu_;
  HIMAGELIST icons_;
  int iconIndex_;
  bool animate_;
  UINT interval_;
  TTrayIconEvents events_;

  win::UniqueIcon icon_;
  win::UniqueWindow window_;
  bool iconShown_ = false;
  bool restoring_ = false;    // a restore started here is under way
  bool menuShowing_ = false;  // the popup menu is open
  bool ownerMinimized_ = false;
  bool hiddenByTray_ = false;  // the owner was hidden into the icon on minimise
  bool keptHidden_ = false;    // the owner is kept from showing at start
  bool ownerGone_ = false;     // the owner is being destroyed
};

}  // namespace velmora::tray
