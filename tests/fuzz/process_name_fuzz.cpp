// The process name rules on arbitrary bytes, invalid UTF-8 included.
#include <string>

#include "core/process_name.h"
#include "fuzz_check.h"

using velmora::fuzz::Check;

namespace {

bool IsAsciiLower(char c) {
  return c >= 'a' && c <= 'z';
}
bool IsAsciiUpper(char c) {
  return c >= 'A' && c <= 'Z';
}

// Equal when each byte is the same or the same ASCII letter in the other case.
bool EqualIgnoringAsciiCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const char x = a[i], y = b[i];
    const bool sameLetter =
        (IsAsciiLower(x) && y == x - 'a' + 'A') || (IsAsciiUpper(x) && y == x - 'A' + 'a');
    if (x != y && !sameLetter) return false;
  }
  return true;
}

// Flips the case of the ASCII letters the mask picks.
std::string FlipAsciiCase(std::string s, std::uint64_t mask) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (!((mask >> (i % 64)) & 1)) continue;
    if (IsAsciiLower(s[i]))
      s[i] = static_cast<char>(s[i] - 'a' + 'A');
    else if (IsAsciiUpper(s[i]))
      s[i] = static_cast<char>(s[i] - 'A' + 'a');
  }
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  const std::uint64_t mask = data.ConsumeIntegral<std::uint64_t>();
  const std::string name = data.ConsumeRandomLengthString(64);
  const std::string exe = data.ConsumeRemainingBytesAsString();

  const std::string upper = velmora::UpperAscii(exe);
  Check(upper.size() == exe.size(), "UpperAscii keeps the length", exe);
  for (std::size_t i = 0; i < exe.size(); ++i) {
    const bool folded = IsAsciiLower(exe[i]) && upper[i] == exe[i] - 'a' + 'A';
    Check(upper[i] == exe[i] ? !IsAsciiLower(exe[i]) : folded,
          "UpperAscii folds a-z and leaves every other byte", exe);
  }

  const std::string part = velmora::FileNamePart(exe);
  Check(part.size() <= exe.size() && exe.compare(exe.size() - part.size(), part.size(), part) == 0,
        "the file-name part is a suffix", exe);
  Check(part.find_first_of("\\:") == std::string::npos, "the file-name part has no \\ or :", exe);
  const std::size_t cut = exe.size() - part.size();
  Check(cut == 0 ? part == exe : (exe[cut - 1] == '\\' || exe[cut - 1] == ':'),
        "the file-name part starts right after the last \\ or :", exe);

  const bool matches = velmora::ProcessNameMatches(exe, name);
  Check(matches == (EqualIgnoringAsciiCase(part, name) || EqualIgnoringAsciiCase(exe, name)),
        "a name matches its file-name part or the whole field, ASCII case aside", exe + "|" + name);
  Check(
      velmora::ProcessNameMatches(FlipAsciiCase(exe, ~mask), FlipAsciiCase(name, mask)) == matches,
      "the case of ASCII letters never matters", exe + "|" + name);
  Check(velmora::ProcessNameMatches(exe, part), "a field matches its own file-name part", exe);
  if (name.find_first_of("\\:") == std::string::npos) {
    Check(velmora::ProcessNameMatches("C:\\dir\\" + name, name), "a path matches its file name",
          name);
  }
  return 0;
}
