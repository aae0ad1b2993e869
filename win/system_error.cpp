#include "win/system_error.h"

#include <windows.h>

#include "core/error.h"
#include "win/text.h"

namespace velmora::win {

std::string SystemErrorMessage(unsigned long code) {
  if (code == 0) return "A call to an OS function failed";
  wchar_t* buffer = nullptr;
  const DWORD n =
      ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                           FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text(buffer ? buffer : L"", n);
  if (buffer) ::LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
    text.pop_back();
  }
  return "System Error.  Code: " + std::to_string(static_cast<int>(code)) + ".\r\n" + Narrow(text);
}

void RaiseLastOSError() {
  throw Error(SystemErrorMessage(::GetLastError()));
}

}  // namespace velmora::win
