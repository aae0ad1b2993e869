#include "tests/win32/support/pump.h"

#include <windows.h>

#include <algorithm>

#include "ui/main_window.h"

namespace velmora::test {

void PumpPending() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;  // posted by a main window the test closed
    // Tab and the other dialog keys move between the main window's controls, as in the
    // program's own event loop.
    if (Form1 && Form1->Handle() && ::IsDialogMessageW(Form1->Handle(), &msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

bool PumpUntil(const std::function<bool()>& done, milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    PumpPending();
    if (done && done()) return true;
    const auto left = deadline - std::chrono::steady_clock::now();
    if (left <= milliseconds(0)) return done && done();
    const auto wait =
        std::min<long long>(20, std::chrono::duration_cast<milliseconds>(left).count() + 1);
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(wait), QS_ALLINPUT);
  }
}

void PumpFor(milliseconds duration) {
  PumpUntil(nullptr, duration);
}

}  // namespace velmora::test
