#include "tests/win32/support/error_box.h"

#include "tests/win32/support/probe.h"
#include "tests/win32/support/test_windows.h"

namespace velmora::test {
namespace {

// The message of a box is its one static control that holds text.
std::string MessageOf(HWND box) {
  std::string message;
  for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    wchar_t className[32]{};
    ::GetClassNameW(child, className, 32);
    if (::CompareStringOrdinal(className, -1, L"Static", -1, TRUE) != CSTR_EQUAL) continue;
    const std::string text = TextOfWindow(child);
    if (!text.empty()) message = text;
  }
  return message;
}

}  // namespace

std::vector<ErrorBox> ErrorBoxesOf(DWORD processId) {
  std::vector<ErrorBox> boxes;
  for (HWND w : WindowsOf(processId, L"#32770")) {
    if (::IsWindowVisible(w)) boxes.push_back({w, TextOfWindow(w), MessageOf(w)});
  }
  return boxes;
}

ErrorBox WaitForErrorBox(DWORD processId, int timeoutMs) {
  for (int waited = 0; waited < timeoutMs; waited += 50) {
    const auto boxes = ErrorBoxesOf(processId);
    if (!boxes.empty() && !boxes.front().text.empty()) return boxes.front();
    ::Sleep(50);
  }
  return {};
}

bool CloseErrorBox(const ErrorBox& box, int timeoutMs) {
  ::PostMessageW(box.window, WM_COMMAND, IDOK, 0);
  for (int waited = 0; waited < timeoutMs; waited += 50) {
    if (!::IsWindow(box.window) || !::IsWindowVisible(box.window)) return true;
    ::Sleep(50);
  }
  return false;
}

}  // namespace velmora::test
