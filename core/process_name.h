// The name rules for finding processes by executable file name.
#pragma once

#include <string>
#include <string_view>

namespace velmora {

// Folds only the ASCII letters a-z; every other byte, multi-byte characters included, stays.
std::string UpperAscii(std::string_view text);
// Everything after the last "\" or ":", or the whole text when it holds neither.
std::string FileNamePart(std::string_view text);
// A process's executable field matches a name by its file-name part or else as a whole.
bool ProcessNameMatches(std::string_view exe, std::string_view name);

}  // namespace velmora
