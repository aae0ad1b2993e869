#include "x_test_window.h"

#include <X11/Xlib.h>

#include <chrono>
#include <stdexcept>
#include <thread>

namespace velmora::test {
namespace {

Display* OpenDisplay() {
  Display* display = ::XOpenDisplay(nullptr);
  if (!display) throw std::runtime_error("no X display");
  return display;
}

}  // namespace

ClickTarget::ClickTarget(int left, int top, int width, int height) : display_(OpenDisplay()) {
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  attributes.background_pixel = WhitePixel(display_, DefaultScreen(display_));
  attributes.event_mask = ButtonPressMask | ButtonReleaseMask | ExposureMask;
  window_ = ::XCreateWindow(display_, DefaultRootWindow(display_), left, top,
                            static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
                            CopyFromParent, InputOutput, CopyFromParent,
                            CWOverrideRedirect | CWBackPixel | CWEventMask, &attributes);
  ::XMapRaised(display_, window_);
  ::XSync(display_, False);
  XEvent event;
  ::XWindowEvent(display_, window_, ExposureMask, &event);
}

ClickTarget::~ClickTarget() {
  ::XDestroyWindow(display_, window_);
  ::XCloseDisplay(display_);
}

const std::vector<ButtonEvent>& ClickTarget::Events(int waitMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  while (std::chrono::steady_clock::now() < deadline) {
    while (::XPending(display_)) {
      XEvent event;
      ::XNextEvent(display_, &event);
      if ((event.type == ButtonPress || event.type == ButtonRelease) &&
          event.xbutton.button == Button1) {
        events_.push_back({event.type == ButtonPress, event.xbutton.x, event.xbutton.y});
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return events_;
}

void WarpPointer(int x, int y) {
  Display* display = OpenDisplay();
  ::XWarpPointer(display, None, DefaultRootWindow(display), 0, 0, 0, 0, x, y);
  ::XSync(display, False);
  ::XCloseDisplay(display);
}

void PointerAt(int& x, int& y) {
  Display* display = OpenDisplay();
  Window root, child;
  int wx, wy;
  unsigned mask;
  ::XQueryPointer(display, DefaultRootWindow(display), &root, &child, &x, &y, &wx, &wy, &mask);
  ::XCloseDisplay(display);
}

}  // namespace velmora::test
