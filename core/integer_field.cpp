#include "core/integer_field.h"

#include <string>

#include "core/error.h"

namespace velmora {
namespace {

int DigitValue(char c, int base) {
  int v = -1;
  if (c >= '0' && c <= '9') v = c - '0';
  if (base == 16 && c >= 'a' && c <= 'f') v = c - 'a' + 10;
  if (base == 16 && c >= 'A' && c <= 'F') v = c - 'A' + 10;
  return v;
}

}  // namespace

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
  constexpr std::int64_t kLimit = std::int64_t{1} << 31;
  std::int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const int d = DigitValue(text[i], base);
    if (d < 0) return fail();
    magnitude = magnitude * base + d;
    if (magnitude > kLimit) return fail();
  }
  if (!negative && magnitude == kLimit) return fail();
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace velmora
