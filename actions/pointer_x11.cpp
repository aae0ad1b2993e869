// The pointer actions through the X server: XTest injects the events, the server tells where
// the pointer is.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <cstdlib>

#include "actions/pointer.h"
#include "actions/x11_display.h"
#include "core/error.h"

namespace velmora {

Display* PointerDisplay() {
  static Display* const display = ::XOpenDisplay(nullptr);
  return display;
}

std::string DisplayName() {
  const char* name = std::getenv("DISPLAY");
  return name && *name ? name : "(DISPLAY is not set)";
}

namespace {

constexpr unsigned kLeftButton = 1;

bool QueryPointer(Display* display, PointerPosition& position) {
  Window root = 0, child = 0;
  int rootX = 0, rootY = 0, windowX = 0, windowY = 0;
  unsigned mask = 0;
  ::XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &windowX,
                  &windowY, &mask);
  // The root coordinates are valid even when the pointer is on another screen.
  position = {rootX, rootY};
  return root != 0;
}

}  // namespace

void ClickAt(std::int32_t x, std::int32_t y) {
  // The results of the pointer calls are not examined: a click that cannot be made is silent.
  Display* display = PointerDisplay();
  if (!display) return;
  PointerPosition saved;
  QueryPointer(display, saved);
  const int screen = DefaultScreen(display);
  ::XTestFakeMotionEvent(display, screen, x, y, CurrentTime);
  // The six events go out in one request stream with no pause between them.
  for (int i = 0; i < 3; ++i) {
    ::XTestFakeButtonEvent(display, kLeftButton, True, CurrentTime);
    ::XTestFakeButtonEvent(display, kLeftButton, False, CurrentTime);
  }
  ::XTestFakeMotionEvent(display, screen, saved.x, saved.y, CurrentTime);
  ::XSync(display, False);
}

PointerPosition ReadPointer() {
  Display* display = PointerDisplay();
  if (!display) throw Error("Cannot open the X display " + DisplayName());
  PointerPosition position;
  if (!QueryPointer(display, position)) throw Error("A call to an OS function failed");
  return position;
}

}  // namespace velmora
