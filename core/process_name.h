// The name rules for finding processes by executable file name.
#pragma once

#include <string>
#include <string_view>

namespace velmora {

// Folds only the ASCII letters a-z; every other byte, multi-byte characters included, stays.
std::string UpperAscii(std::string_view text);
// Where a path's file-name part begins: after its last "\" or ":" on Windows, after its last
// "/" on Linux.
enum class PathStyle { Windows, Posix };

// Everything after the last separator of the style, or the whole text when it holds none.
std::string FileNamePart(std::string_view text, PathStyle style = PathStyle::Windows);
// A process's executable field matches a name by its file-name part or else as a whole.
bool ProcessNameMatches(std::string_view exe, std::string_view name,
                        PathStyle style = PathStyle::Windows);

}  // namespace velmora
