#include "core/process_name.h"

namespace velmora {

std::string UpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

std::string FileNamePart(std::string_view text, PathStyle style) {
  const std::size_t last = text.find_last_of(style == PathStyle::Windows ? "\\:" : "/");
  return std::string(last == std::string_view::npos ? text : text.substr(last + 1));
}

bool ProcessNameMatches(std::string_view exe, std::string_view name, PathStyle style) {
  const std::string wanted = UpperAscii(name);
  return UpperAscii(FileNamePart(exe, style)) == wanted || UpperAscii(exe) == wanted;
}

}  // namespace velmora
