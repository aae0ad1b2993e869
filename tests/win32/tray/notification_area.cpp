#include "tests/win32/tray/notification_area.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "tests/win32/support/input.h"
#include "tests/win32/support/probe.h"
#include "tests/win32/support/test_windows.h"
#include "tests/win32/tray/tray_test_support.h"

namespace velmora::tray::test {
namespace {

using velmora::test::MovePointer;

DWORD ProcessOf(HWND window) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  return pid;
}

// The visible tooltip windows of a process.
std::vector<HWND> VisibleTooltipsOf(DWORD pid) {
  std::vector<HWND> tips = velmora::test::WindowsOf(pid, TOOLTIPS_CLASSW);
  std::erase_if(tips, [](HWND tip) { return !::IsWindowVisible(tip); });
  return tips;
}

}  // namespace

bool IsWine() {
  return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

HWND WineTray() {
  return ::FindWindowW(L"__winex11_standalone_tray", nullptr);
}

std::vector<HWND> WineTrayIcons() {
  std::vector<HWND> icons;
  const HWND tray = WineTray();
  for (HWND child = tray ? ::GetWindow(tray, GW_CHILD) : nullptr; child;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    icons.push_back(child);
  }
  return icons;
}

HWND IconWindowAdded(const std::vector<HWND>& before) {
  for (HWND icon : WineTrayIcons()) {
    if (std::find(before.begin(), before.end(), icon) == before.end()) return icon;
  }
  return nullptr;
}

bool ShellHolds(HWND window, UINT id) {
  NOTIFYICONDATAW probe{};
  probe.cbSize = sizeof(probe);
  probe.hWnd = window;
  probe.uID = id;
  return ::Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
}

std::string TooltipOf(HWND iconWindow, std::chrono::milliseconds limit) {
  const DWORD shell = ProcessOf(iconWindow);
  const POINT centre = CentreOf(iconWindow);
  RECT r{};
  ::GetWindowRect(iconWindow, &r);
  // The tooltip shows once the pointer has come in and rested, so it comes in from outside.
  MovePointer({centre.x, r.bottom + 40});
  PumpFor(milliseconds(100));
  MovePointer(centre);
  std::string text;
  const bool shown = PumpUntil(
      [&] {
        for (HWND tip : VisibleTooltipsOf(shell)) {
          text = velmora::test::TextOfWindow(tip);
          if (!text.empty()) return true;
        }
        return false;
      },
      limit);
  // Away again, so that the tip does not stay over whatever comes next.
  MovePointer({centre.x, r.bottom + 40});
  return shown ? text : std::string();
}

}  // namespace velmora::tray::test
