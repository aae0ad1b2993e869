// The one-second timers of the main window, Timer1 and Timer4. Each tick comes at a second
// boundary of the wall clock: a thread of the timer sleeps on a waitable timer set to the
// absolute time of the next boundary and posts one message to the window per boundary. The
// tick itself runs on the user-interface thread, in the event loop (a modal loop included),
// like every other handler; the post is all the two threads share.
#pragma once

#include <windows.h>

#include <thread>

#include "core/second_ticker.h"
#include "win/handles.h"

namespace velmora {

class SecondTimer {
 public:
  // message is posted to the window at every second boundary while the timer is on.
  explicit SecondTimer(UINT message) : message_(message) {}
  ~SecondTimer() { Disable(); }
  SecondTimer(const SecondTimer&) = delete;
  SecondTimer& operator=(const SecondTimer&) = delete;

  // Switches the timer on: the first tick comes at the first boundary from now. Throws Error
  // when the system cannot give it a timer or a thread.
  void Enable(HWND window);
  // Switches it off: when this returns no tick message is posted or waiting any more, and the
  // thread has ended.
  void Disable();
  bool Enabled() const { return thread_.joinable(); }

  // For the posted message: true when the timer is on and now lies in a calendar second that
  // has had no tick yet, which it then takes.
  bool Claim(const LocalTime& now);

  // Whether the system gives high-resolution waitable timers; a plain one is used where not.
  static bool HighResolution();

 private:
  UINT message_;
  HWND window_ = nullptr;
  SecondTicker ticker_;
  win::UniqueKernelHandle stop_;
  win::UniqueKernelHandle timer_;
  std::thread thread_;
};

}  // namespace velmora
