#include "win/window_thunk.h"

#include <utility>

#include "core/error.h"
#include "win/system_error.h"
#include "win/text.h"

namespace velmora::win {
namespace {

void ShowPlainBox(HWND window, const std::string& message) {
  ::MessageBoxW(window, Widen(message).c_str(), nullptr, MB_OK | MB_ICONERROR);
}

WindowErrorHandler errorHandler = &ShowPlainBox;
thread_local std::exception_ptr createFailure;

}  // namespace

void SetWindowErrorHandler(WindowErrorHandler handler) {
  errorHandler = handler ? handler : &ShowPlainBox;
}

void ReportWindowError(HWND window, const std::string& message) {
  errorHandler(window, message);
}

void ReportCurrentWindowError(HWND window) {
  ReportWindowError(window, CurrentErrorMessage());
}

void KeepCreateFailure(std::exception_ptr failure) {
  createFailure = std::move(failure);
}

bool CreateFailing() {
  return createFailure != nullptr;
}

void ThrowCreateFailure() {
  if (createFailure) std::rethrow_exception(std::exchange(createFailure, nullptr));
  RaiseLastOSError();
}

}  // namespace velmora::win
