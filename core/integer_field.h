// Conversion of a text field into a 32-bit signed integer.
#pragma once

#include <cstdint>
#include <string_view>

namespace velmora {

// Leading spaces, an optional sign, then decimal digits or hexadecimal digits after "$" or
// "0x". Anything else, the empty text, or a value outside 32 bits throws
// Error("'text' is not a valid integer value").
std::int32_t ParseIntegerField(std::string_view text);

}  // namespace velmora
