// The texts of the message-list lines, one per kind of action.
#pragma once

#include <string>

namespace velmora {

std::string OpenedLine(const std::string& path, const std::string& stamp);
std::string ClosedLine(const std::string& path, const std::string& stamp);
// x and y are the click point fields exactly as typed.
std::string ClickLine(const std::string& x, const std::string& y, const std::string& stamp);

}  // namespace velmora
