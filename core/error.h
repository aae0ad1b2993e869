// The one exception type of the program: its message is shown to the user as it stands.
#pragma once

#include <stdexcept>
#include <string>

namespace velmora {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace velmora
