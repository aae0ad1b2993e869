#include "actions/launcher.h"

#include <shellapi.h>

#include "win/text.h"

namespace velmora {

void OpenWithShell(HWND owner, const std::string& path) {
  // The result is deliberately not examined: a row that cannot be opened is still logged.
  ::ShellExecuteW(owner, L"open", win::Widen(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace velmora
