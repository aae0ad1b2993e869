#include "tests/win32/support/input.h"

#include <iterator>
#include <vector>

#include "tests/win32/support/pump.h"
#include "win/text.h"

namespace velmora::test {
namespace {

INPUT Key(WORD virtualKey, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = virtualKey;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return in;
}

}  // namespace

bool PressXKeys(const std::string& keys) {
  static const wchar_t kXdotool[] = L"Z:\\usr\\bin\\xdotool";
  std::wstring command = L"xdotool key --delay 30 " + win::Widen(keys);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(kXdotool, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
    return false;
  }
  if (process.hProcess) ::CloseHandle(process.hProcess);
  if (process.hThread) ::CloseHandle(process.hThread);
  return true;
}

POINT CentreOf(HWND window) {
  RECT r{};
  ::GetWindowRect(window, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void ClickAtScreen(POINT point, int clicks, bool right) {
  ::SetCursorPos(point.x, point.y);
  PumpFor(milliseconds(50));
  std::vector<INPUT> events;
  for (int i = 0; i < clicks; ++i) {
    for (const DWORD flag : {right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN,
                             right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP}) {
      INPUT in{};
      in.type = INPUT_MOUSE;
      in.mi.dwFlags = flag;
      events.push_back(in);
    }
  }
  ::SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT));
  PumpFor(milliseconds(100));
}

void ClickWindowCentre(HWND window) {
  ClickAtScreen(CentreOf(window));
}

void MovePointer(POINT to) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = ::MulDiv(to.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = ::MulDiv(to.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &input, sizeof(input));
}

void PressKey(WORD virtualKey, bool shift) {
  if (shift) return PressChord({VK_SHIFT, virtualKey});
  PressChord({virtualKey});
}

void PressChord(std::initializer_list<WORD> virtualKeys) {
  std::vector<INPUT> events;
  for (WORD vk : virtualKeys) events.push_back(Key(vk, false));
  for (auto it = std::rbegin(virtualKeys); it != std::rend(virtualKeys); ++it) {
    events.push_back(Key(*it, true));
  }
  ::SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT));
  PumpFor(milliseconds(80));
}

void TypeText(const std::wstring& text) {
  for (wchar_t c : text) {
    if (c == L'\r') {
      PressKey(VK_RETURN);
      continue;
    }
    INPUT events[2]{};
    for (int i = 0; i < 2; ++i) {
      events[i].type = INPUT_KEYBOARD;
      events[i].ki.wScan = c;
      events[i].ki.dwFlags = KEYEVENTF_UNICODE | (i == 1 ? KEYEVENTF_KEYUP : 0);
    }
    ::SendInput(2, events, sizeof(INPUT));
    PumpFor(milliseconds(15));
  }
  PumpFor(milliseconds(100));
}

}  // namespace velmora::test
