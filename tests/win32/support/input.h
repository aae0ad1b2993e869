// Real input through the system's input queue, as a user's mouse and keyboard give it.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

namespace velmora::test {

// Moves the pointer to a point of the screen and presses the left (or right) button `clicks`
// times there.
void ClickAtScreen(POINT point, int clicks = 1, bool right = false);
void ClickWindowCentre(HWND window);
// A pointer movement as input, which the window under the pointer hears of: a tooltip does
// not wake up for SetCursorPos alone.
void MovePointer(POINT to);
void PressKey(WORD virtualKey, bool shift = false);
// Keys held down together, pressed in order and let go in reverse, as Alt+F4.
void PressChord(std::initializer_list<WORD> virtualKeys);
// Each character as a key of its own; "\r" is the Enter key.
void TypeText(const std::wstring& text);
// Keys pressed on the X server's keyboard by xdotool, as a user types them ("ctrl+x Escape"):
// they reach the window through Wine's X11 driver, the input queue and TranslateMessage. Wine
// starts a Linux program without handing out a process, so callers wait for the effect of a
// last key. Safe to call from any thread; false when xdotool cannot be started.
bool PressXKeys(const std::string& keys);

POINT CentreOf(HWND window);

}  // namespace velmora::test
