// The text of a platform error, as the error box shows it.
#include "win/system_error.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "core/error.h"
#include "win/text.h"

namespace velmora {
namespace {

// The system's own text for a code in the user's language, without its closing line break.
std::string SystemText(DWORD code) {
  wchar_t buffer[1024];
  DWORD n = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             code, 0, buffer, 1024, nullptr);
  while (n > 0 && (buffer[n - 1] == L'\r' || buffer[n - 1] == L'\n')) --n;
  return win::Narrow(std::wstring_view(buffer, n));
}

TEST(SystemErrorMessage, NamesTheCodeThenGivesTheSystemsTextOnTheNextLine) {
  for (DWORD code : {ERROR_ACCESS_DENIED, ERROR_FILE_NOT_FOUND, ERROR_INVALID_PARAMETER}) {
    SCOPED_TRACE(code);
    const std::string text = SystemText(code);
    ASSERT_FALSE(text.empty()) << "the system has no text for " << code;
    const std::string message = win::SystemErrorMessage(code);
    EXPECT_EQ(message, "System Error.  Code: " + std::to_string(code) + ".\r\n" + text);
    EXPECT_NE(message.back(), '\n');
  }
  EXPECT_EQ(win::SystemErrorMessage(5).rfind("System Error.  Code: 5.\r\n", 0), 0u);
}

TEST(SystemErrorMessage, WithoutACodeSaysAnOsCallFailed) {
  EXPECT_EQ(win::SystemErrorMessage(0), "A call to an OS function failed");
}

TEST(RaiseLastOSError, ThrowsTheMessageForTheLastError) {
  for (DWORD code : {DWORD{ERROR_ACCESS_DENIED}, DWORD{0}}) {
    SCOPED_TRACE(code);
    ::SetLastError(code);
    try {
      win::RaiseLastOSError();
    } catch (const Error& e) {
      EXPECT_EQ(e.what(), win::SystemErrorMessage(code));
      continue;
    }
    ADD_FAILURE() << "nothing was thrown";
  }
}

}  // namespace
}  // namespace velmora
