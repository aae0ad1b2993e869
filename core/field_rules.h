// The character filters of the date, time and number fields, and the pointer readout text.
#pragma once

#include <cstdint>
#include <string>

namespace velmora {

// Date and time fields take the digits and Backspace; every other character is discarded.
bool DateFieldPasses(char32_t c);
// The interval and click-point fields take the digits only, Backspace included in the discards.
bool NumberFieldPasses(char32_t c);

// "当前鼠标坐标" + x + " -- " + y.
std::string PointerReadoutText(std::int32_t x, std::int32_t y);

}  // namespace velmora
