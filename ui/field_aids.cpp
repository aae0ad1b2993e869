#include "ui/field_aids.h"

#include <commctrl.h>
#include <commdlg.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "core/error.h"
#include "win/window_hook.h"

namespace velmora {
namespace {

LRESULT CALLBACK CharFilterProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
LRESULT CALLBACK EscapeGuardProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
win::WindowHook charFilters(&CharFilterProc);
win::WindowHook escapeGuards(&EscapeGuardProc);

LRESULT CALLBACK CharFilterProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CHAR) {
    // A character outside the basic plane comes as two surrogates; neither is a digit.
    for (const std::uintptr_t filter : charFilters.Watchers(hwnd)) {
      if (!reinterpret_cast<CharFilter>(filter)(static_cast<wchar_t>(wp))) return 0;
    }
  }
  return charFilters.CallNext(hwnd, msg, wp, lp);
}

LRESULT CALLBACK EscapeGuardProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  const bool escape = (msg == WM_KEYDOWN || msg == WM_KEYUP || msg == WM_CHAR) && wp == VK_ESCAPE;
  if (escape) return 0;
  return escapeGuards.CallNext(hwnd, msg, wp, lp);
}

}  // namespace

std::optional<std::wstring> ChooseExecutable(HWND owner, const std::wstring& proposed) {
  // Room for long paths; the dialog writes the full path of the chosen file here.
  std::vector<wchar_t> file(32768, L'\0');
  proposed.copy(file.data(), file.size() - 1);
  static constexpr wchar_t kFilter[] = L"可执行文件\0*.EXE\0";
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = kFilter;
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  // Browsing must not move the current directory that relative row paths are opened from.
  // A name typed into the dialog must be a file that exists: the dialog says so itself and
  // stays open, rather than a mistyped path landing in the row.
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR |
              OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
  if (::GetOpenFileNameW(&ofn)) return std::wstring(file.data());
  // FALSE with no extended error is the user's Cancel.
  if (const DWORD code = ::CommDlgExtendedError()) {
    char text[64];
    std::snprintf(text, sizeof(text), "The open-file dialog failed with code 0x%04lX",
                  static_cast<unsigned long>(code));
    throw Error(text);
  }
  return std::nullopt;
}

void InstallCharFilter(HWND control, CharFilter filter) {
  if (!charFilters.Watch(control, reinterpret_cast<std::uintptr_t>(filter))) {
    throw Error("The key filter cannot be installed on a field");
  }
}

void InstallEscapeGuard(HWND memo) {
  if (!escapeGuards.Watch(memo, 0)) {
    throw Error("The key filter cannot be installed on the message list");
  }
}

}  // namespace velmora
