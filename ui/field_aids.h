// The helps around the fields: the executable chooser of the browse buttons and the
// character filters of the date, time and number fields.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace velmora {

// The open-file dialog with the one filter entry "可执行文件" (*.EXE), proposing `proposed`
// as its file name. The chosen full path, or nothing when the user cancels; throws Error
// when the dialog cannot be shown.
std::optional<std::wstring> ChooseExecutable(HWND owner, const std::wstring& proposed);

// Sees each typed character before the field does: true lets it through, false discards it.
using CharFilter = bool (*)(wchar_t key);

// Subclasses the control so that typed characters the filter refuses never reach it. Keys
// that produce no character and text that arrives other than by typing are not affected.
// Throws Error when the control cannot be subclassed.
void InstallCharFilter(HWND control, CharFilter filter);

// Subclasses a multi-line edit so that Esc never reaches it. Once the dialog keys have asked
// such an edit for its dialog code it takes itself to be in a dialog, and on Esc posts WM_CLOSE
// to its parent: the window would close and every value typed into it would be lost. Throws
// Error when the control cannot be subclassed.
void InstallEscapeGuard(HWND memo);

}  // namespace velmora
