// The integer field conversion against a slow reference written from the rules: leading
// spaces, an optional sign, then decimal digits, or hexadecimal digits after "$" or "0x"; a
// 32-bit signed result; anything else is the conversion error with the text.
#include <cstdint>
#include <optional>
#include <string>

#include "core/error.h"
#include "core/integer_field.h"
#include "fuzz_check.h"

using velmora::fuzz::Check;

namespace {

std::optional<std::int64_t> Reference(const std::string& text) {
  std::string rest = text;
  while (!rest.empty() && rest.front() == ' ') rest.erase(0, 1);
  std::int64_t sign = 1;
  if (!rest.empty() && (rest.front() == '-' || rest.front() == '+')) {
    if (rest.front() == '-') sign = -1;
    rest.erase(0, 1);
  }
  std::string digits = "0123456789";
  if (rest.rfind("$", 0) == 0) {
    rest.erase(0, 1);
    digits = "0123456789abcdef";
  } else if (rest.rfind("0x", 0) == 0 || rest.rfind("0X", 0) == 0) {
    rest.erase(0, 2);
    digits = "0123456789abcdef";
  }
  if (rest.empty()) return std::nullopt;
  // Leading zeros carry no value; after them the digit count alone bounds the range.
  std::int64_t value = 0;
  for (char c : rest) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    const std::size_t d = digits.find(c);
    if (d == std::string::npos) return std::nullopt;
    value = value * static_cast<std::int64_t>(digits.size()) + static_cast<std::int64_t>(d);
    if (value > 0xFFFFFFFFLL) value = 0xFFFFFFFFLL + 1;  // saturate: already out of range
  }
  value *= sign;
  if (value < -2147483648LL || value > 2147483647LL) return std::nullopt;
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(bytes), size);
  const std::optional<std::int64_t> expected = Reference(text);
  try {
    const std::int32_t got = velmora::ParseIntegerField(text);
    Check(expected.has_value(), "text the rules reject is rejected", text);
    Check(*expected == got, "the value agrees with the rules", text);
  } catch (const velmora::Error& e) {
    Check(!expected.has_value(), "text the rules accept is accepted", text);
    // The message is C text: a NUL byte in the field ends it there.
    const std::string message = "'" + text + "' is not a valid integer value";
    Check(e.what() == std::string(message.c_str()), "the error names the text", text);
  }
  return 0;
}
