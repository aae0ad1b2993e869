// The platform error raised when an OS call that must succeed fails.
#pragma once

#include <string>

namespace velmora::win {

// "System Error.  Code: N." (N signed, as %d prints it) and the system's text for N on the next
// line, or "A call to an OS function failed" when code is 0.
std::string SystemErrorMessage(unsigned long code);
// Throws velmora::Error with the message for GetLastError().
[[noreturn]] void RaiseLastOSError();

}  // namespace velmora::win
