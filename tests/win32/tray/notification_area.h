// What the notification area shows, seen from outside the program that put the icon there.
// Without a desktop tray in the X display, Wine keeps the icons in its X11 driver's stand-alone
// tray window, one child window per icon, each with a tooltip control of its own.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "tests/win32/support/input.h"
#include "tests/win32/support/pixels.h"

namespace velmora::tray::test {

using velmora::test::CentreOf;
using velmora::test::ClickAtScreen;
using velmora::test::ScreenPixels;

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

}  // namespace velmora::tray::test

// The tests of the whole program see the notification area by the same names.
namespace velmora::test {
using tray::test::IconWindowAdded;
using tray::test::IsWine;
using tray::test::ShellHolds;
using tray::test::TooltipOf;
using tray::test::WineTray;
using tray::test::WineTrayIcons;
}  // namespace velmora::test
