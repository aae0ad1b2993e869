// What the notification area shows, seen from outside the program that put the icon there.
// Without a desktop tray in the X display, Wine keeps the icons in its X11 driver's stand-alone
// tray window, one child window per icon, each with a tooltip control of its own.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

namespace velmora::tray::test {

bool IsWine();

// Wine's stand-alone tray window, or null before it has held an icon.
HWND WineTray();
// The windows standing for icons in Wine's stand-alone tray.
std::vector<HWND> WineTrayIcons();
// The first icon window that is not in `before`.
HWND IconWindowAdded(const std::vector<HWND>& before);

// Asks the shell whether it holds the icon: a modify that changes nothing succeeds only then.
bool ShellHolds(HWND window, UINT id);

// Rests the pointer on an icon window until its tooltip shows and gives the tooltip's text;
// empty when none shows within the limit. Messages of this thread are dispatched meanwhile.
std::string TooltipOf(HWND iconWindow,
                      std::chrono::milliseconds limit = std::chrono::milliseconds(4000));

// Real mouse input on the middle of a window: `clicks` presses of the left or right button.
void ClickIcon(HWND iconWindow, int clicks, bool right = false);

// The pixels of the screen inside `area`, as 0x00RRGGBB values, row by row.
std::vector<DWORD> ScreenPixels(const RECT& area);

}  // namespace velmora::tray::test
