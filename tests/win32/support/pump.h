// The one way tests and harnesses wait: dispatching this thread's messages (the main window's
// dialog keys included) until a condition holds or the time is up.
#pragma once

#include <chrono>
#include <functional>

namespace velmora::test {

using std::chrono::milliseconds;

// Dispatches the messages already waiting, without waiting for more.
void PumpPending();
// Dispatches messages until done() holds or the limit passes; returns done().
bool PumpUntil(const std::function<bool()>& done, milliseconds limit = std::chrono::seconds(10));
// Dispatches messages for the whole duration.
void PumpFor(milliseconds duration);

}  // namespace velmora::test
