// The one pixel reader: what a drawing leaves on a 32-bit surface, and what the screen shows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace velmora::test {

// Runs paint on a fresh cx by cy 32-bit surface (all zero, so transparent) and gives its
// pixels row by row from the top, as 0xAARRGGBB values; empty when no surface can be made.
std::vector<std::uint32_t> DrawnPixels(int cx, int cy, const std::function<void(HDC)>& paint);

// The icon drawn on white (or on black) at the small icon size, as 0x00RRGGBB values.
std::vector<std::uint32_t> IconPixels(HICON icon, bool onBlack = false);

// The pixels of the screen inside `area`, as 0x00RRGGBB values, row by row.
std::vector<std::uint32_t> ScreenPixels(const RECT& area);

}  // namespace velmora::test
