#include "core/integer_field.h"

#include <charconv>
#include <string>
#include <system_error>

#include "core/error.h"

namespace velmora {

std::int32_t ParseIntegerField(std::string_view text) {
  const auto fail = [&]() -> std::int32_t {
    throw Error("'" + std::string(text) + "' is not a valid integer value");
  };
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == text.size()) return fail();
  // The magnitude may reach 2^31 for the most negative value; anything larger is out of range.
  constexpr std::uint64_t kLimit = std::uint64_t{1} << 31;
  // Only digits of the base are left: an unsigned reading takes no sign and no prefix.
  std::uint64_t magnitude = 0;
  const char* const end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data() + i, end, magnitude, base);
  if (error != std::errc() || stop != end || magnitude > kLimit) return fail();
  if (!negative && magnitude == kLimit) return fail();
  const auto value = static_cast<std::int64_t>(magnitude);
  return static_cast<std::int32_t>(negative ? -value : value);
}

}  // namespace velmora
