// Windows the tests put on the desktop: a host standing in for the main window, another window
// that takes the foreground, and a target that records the clicks it gets.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "win/handles.h"

namespace velmora::test {

// A window's text through WM_GETTEXT, which, unlike GetWindowText, also reaches the controls of
// another process's window.
std::string TextOfWindow(HWND window);

// A top-level window with its own taskbar button, as the main window has. It remembers the
// last WM_COMMAND it received.
class HostWindow {
 public:
  explicit HostWindow(bool show = true);
  HWND Get() const { return window_.get(); }
  operator HWND() const { return window_.get(); }
  WORD LastCommand() const { return lastCommand_; }
  void Destroy() { window_.reset(); }

  void Bind(HWND window) { window_.reset(window); }
  void Unbind() { (void)window_.release(); }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  win::UniqueWindow window_;
  WORD lastCommand_ = 0;
};

// A visible top-level window that stands in for the main window the program hands the shell
// as the owner of anything it shows.
class OwnerWindow {
 public:
  OwnerWindow();
  HWND Handle() const { return window_.get(); }

 private:
  win::UniqueWindow window_;
};

// Another top-level window that takes the foreground, placed over part of the main window and
// away from the notification area, so that coming back "in front" means something.
class OtherWindow {
 public:
  OtherWindow();
  HWND Get() const { return window_.Get(); }

 private:
  HostWindow window_;
};

// A borderless topmost window that never takes the foreground and records its button messages
// as letters: "D" left down, "U" left up, "C" left double-click, "?" any other button.
class ClickTarget {
 public:
  // screen: where it stands. doubleClicks: its class asks for double-click messages.
  explicit ClickTarget(const RECT& screen, bool doubleClicks = false);

  HWND Handle() const { return window_.get(); }
  const std::string& Buttons() const { return buttons_; }
  const std::vector<POINT>& Points() const { return points_; }
  // Left button presses, double-clicks included.
  int Presses() const;
  void Forget();

  void Bind(HWND window) { window_.reset(window); }
  void Unbind() { (void)window_.release(); }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  LRESULT OnButton(char kind, LPARAM lParam);

  win::UniqueWindow window_;
  std::string buttons_;
  std::vector<POINT> points_;
};

}  // namespace velmora::test
