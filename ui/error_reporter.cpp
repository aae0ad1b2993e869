#include "ui/error_reporter.h"

#include "core/error.h"
#include "win/text.h"

namespace velmora {
namespace {

bool boxOpen = false;  // the user-interface thread is the only one that reports

}  // namespace

std::string ApplicationTitle(std::wstring_view modulePath) {
  const std::size_t slash = modulePath.find_last_of(L"\\/:");
  std::wstring name(slash == std::wstring_view::npos ? modulePath : modulePath.substr(slash + 1));
  name = name.substr(0, name.find(L'.'));
  if (name.size() > 1) {
    ::CharLowerBuffW(name.data() + 1, static_cast<DWORD>(name.size() - 1));
  }
  return win::Narrow(name);
}

const std::string& ApplicationTitle() {
  static const std::string title = [] {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
      const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
      if (n < path.size()) return ApplicationTitle(std::wstring_view(path.data(), n));
      path.resize(path.size() * 2);
    }
  }();
  return title;
}

void ReportError(HWND owner, const std::string& message) {
  if (boxOpen) return;
  boxOpen = true;
  ::MessageBoxW(owner, win::Widen(ReportedText(message)).c_str(),
                win::Widen(ApplicationTitle()).c_str(), MB_ICONERROR | MB_OK);
  boxOpen = false;
}

void ReportCurrentException(HWND owner) {
  ReportError(owner, CurrentErrorMessage());
}

bool ErrorBoxOpen() {
  return boxOpen;
}

}  // namespace velmora
