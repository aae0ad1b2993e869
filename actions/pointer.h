// The two operations on the mouse pointer: a left click at a screen point that puts the
// pointer back afterwards, and reading where the pointer is.
#pragma once

#include <cstdint>

namespace velmora {

struct PointerPosition {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

// Remembers the pointer, moves it to (x, y), three left down/up pairs, moves it back.
void ClickAt(std::int32_t x, std::int32_t y);
// Throws velmora::Error with the platform's message when the position cannot be read.
PointerPosition ReadPointer();

}  // namespace velmora
