#include "tests/win32/tray/notification_area.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "tests/win32/tray/tray_test_support.h"
#include "win/handles.h"
#include "win/text.h"

namespace velmora::tray::test {
namespace {

DWORD ProcessOf(HWND window) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  return pid;
}

// The visible tooltip windows of a process.
std::vector<HWND> VisibleTooltipsOf(DWORD pid) {
  struct Search {
    DWORD pid;
    std::vector<HWND> found;
  } search{pid, {}};
  ::EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        wchar_t className[64]{};
        ::GetClassNameW(window, className, 64);
        if (ProcessOf(window) == s->pid && ::IsWindowVisible(window) &&
            ::CompareStringOrdinal(className, -1, TOOLTIPS_CLASSW, -1, TRUE) == CSTR_EQUAL) {
          s->found.push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string TextOf(HWND window) {
  wchar_t buffer[256]{};
  // WM_GETTEXT, unlike GetWindowText, asks a window of another process; a tooltip answers
  // with the tip it shows.
  ::SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                        2000, nullptr);
  return win::Narrow(buffer);
}

POINT CentreOf(HWND window) {
  RECT r{};
  ::GetWindowRect(window, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// A pointer movement as input, which the window under the pointer hears of: a tooltip does
// not wake up for SetCursorPos alone.
void MovePointer(POINT to) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = ::MulDiv(to.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = ::MulDiv(to.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &input, sizeof(input));
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
  PumpUntil([] { return false; }, std::chrono::milliseconds(100));
  MovePointer(centre);
  std::string text;
  const bool shown = PumpUntil(
      [&] {
        for (HWND tip : VisibleTooltipsOf(shell)) {
          text = TextOf(tip);
          if (!text.empty()) return true;
        }
        return false;
      },
      limit);
  // Away again, so that the tip does not stay over whatever comes next.
  MovePointer({centre.x, r.bottom + 40});
  return shown ? text : std::string();
}

void ClickIcon(HWND iconWindow, int clicks, bool right) {
  const POINT centre = CentreOf(iconWindow);
  ::SetCursorPos(centre.x, centre.y);
  PumpUntil([] { return false; }, std::chrono::milliseconds(50));
  std::vector<INPUT> inputs;
  for (int i = 0; i < clicks; ++i) {
    for (const DWORD flag : {right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN,
                             right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP}) {
      INPUT input{};
      input.type = INPUT_MOUSE;
      input.mi.dwFlags = flag;
      inputs.push_back(input);
    }
  }
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

std::vector<DWORD> ScreenPixels(const RECT& area) {
  const int cx = area.right - area.left;
  const int cy = area.bottom - area.top;
  if (cx <= 0 || cy <= 0) return {};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = cx;
  info.bmiHeader.biHeight = -cy;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  win::ScreenDc screen;
  UniqueDc dc(::CreateCompatibleDC(screen));
  win::UniqueBitmap dib(::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib) return {};
  std::vector<DWORD> pixels;
  win::SelectedObject selected(dc.get(), dib.get());
  ::BitBlt(dc.get(), 0, 0, cx, cy, screen, area.left, area.top, SRCCOPY);
  ::GdiFlush();
  const auto* first = static_cast<const DWORD*>(bits);
  for (int i = 0; i < cx * cy; ++i) pixels.push_back(first[i] & 0x00FFFFFF);
  return pixels;
}

}  // namespace velmora::tray::test
