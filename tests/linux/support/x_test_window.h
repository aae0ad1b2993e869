// A plain X window that records the left-button events it receives, placed where a test wants
// a click to land, and the pointer moved with the X server's own request.
#pragma once

#include <vector>

// Xlib itself stays out of the header: its macros clash with Qt's names.
using Display = struct _XDisplay;

namespace velmora::test {

struct ButtonEvent {
  bool press;
  int x, y;  // in the window
};

class ClickTarget {
 public:
  // An override-redirect window, so no window manager moves or decorates it.
  ClickTarget(int left, int top, int width, int height);
  ~ClickTarget();
  ClickTarget(const ClickTarget&) = delete;
  ClickTarget& operator=(const ClickTarget&) = delete;

  // The button events that arrived within the time, all of them so far.
  const std::vector<ButtonEvent>& Events(int waitMs);

 private:
  Display* display_;
  unsigned long window_;  // an X Window id
  std::vector<ButtonEvent> events_;
};

void WarpPointer(int x, int y);
void PointerAt(int& x, int& y);

}  // namespace velmora::test
