// The one exception type of the program: its message is shown to the user as it stands.
#pragma once

#include <exception>
#include <stdexcept>
#include <string>

namespace velmora {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// The message as the error box shows it: a "." is appended when its last character sorts
// after ".". Bytes of a UTF-8 sequence are all above '.', as the character they belong to is.
inline std::string ReportedText(std::string message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') message += '.';
  return message;
}

// The message of the exception being handled, or "Unknown error" when it carries none. Only
// inside a catch block.
inline std::string CurrentErrorMessage() {
  try {
    throw;
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "Unknown error";
  }
}

}  // namespace velmora
