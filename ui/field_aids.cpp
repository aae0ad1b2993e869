#include "ui/field_aids.h"

#include <commctrl.h>
#include <commdlg.h>

#include <cstdio>
#include <vector>

#include "core/error.h"

namespace velmora {
namespace {

constexpr UINT_PTR kCharFilterId = 0x4B46;   // "KF"
constexpr UINT_PTR kEscapeGuardId = 0x4547;  // "EG"

LRESULT CALLBACK CharFilterProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                DWORD_PTR data) {
  switch (msg) {
    case WM_CHAR:
      // A character outside the basic plane comes as two surrogates; neither is a digit.
      if (!reinterpret_cast<CharFilter>(data)(static_cast<wchar_t>(wp))) return 0;
      break;
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(hwnd, CharFilterProc, id);
      break;
  }
  return ::DefSubclassProc(hwnd, msg, wp, lp);
}

LRESULT CALLBACK EscapeGuardProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                 DWORD_PTR) {
  switch (msg) {
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (wp == VK_ESCAPE) return 0;
      break;
    case WM_CHAR:
      if (wp == VK_ESCAPE) return 0;
      break;
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(hwnd, EscapeGuardProc, id);
      break;
  }
  return ::DefSubclassProc(hwnd, msg, wp, lp);
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
  if (!::SetWindowSubclass(control, CharFilterProc, kCharFilterId,
                           reinterpret_cast<DWORD_PTR>(filter))) {
    throw Error("The key filter cannot be installed on a field");
  }
}

void InstallEscapeGuard(HWND memo) {
  if (!::SetWindowSubclass(memo, EscapeGuardProc, kEscapeGuardId, 0)) {
    throw Error("The key filter cannot be installed on the message list");
  }
}

}  // namespace velmora
