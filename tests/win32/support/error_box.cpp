#include "tests/win32/support/error_box.h"

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
  struct Search {
    DWORD pid;
    std::vector<HWND> found;
  } search{processId, {}};
  ::EnumWindows(
      [](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        DWORD pid = 0;
        ::GetWindowThreadProcessId(w, &pid);
        wchar_t className[16]{};
        ::GetClassNameW(w, className, 16);
        if (pid == s->pid && ::IsWindowVisible(w) && std::wstring(className) == L"#32770") {
          s->found.push_back(w);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  std::vector<ErrorBox> boxes;
  for (HWND w : search.found) boxes.push_back({w, TextOfWindow(w), MessageOf(w)});
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
