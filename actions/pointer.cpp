#include "actions/pointer.h"

#include <windows.h>

#include "win/system_error.h"

namespace velmora {

void ClickAt(std::int32_t x, std::int32_t y) {
  // The pointer calls are not examined: a click that cannot be made is silent.
  POINT saved{};
  ::GetCursorPos(&saved);
  ::SetCursorPos(x, y);
  // One SendInput call, so the user's own input cannot fall between the six events.
  INPUT events[6]{};
  for (int i = 0; i < 6; ++i) {
    events[i].type = INPUT_MOUSE;
    events[i].mi.dwFlags = i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  }
  ::SendInput(6, events, sizeof(INPUT));
  ::SetCursorPos(saved.x, saved.y);
}

PointerPosition ReadPointer() {
  POINT p{};
  ::SetLastError(0);
  if (!::GetCursorPos(&p)) win::RaiseLastOSError();
  return {p.x, p.y};
}

}  // namespace velmora
