// The one window procedure of the program, written once for every window class: it binds the
// object handed to CreateWindowExW on WM_NCCREATE, forwards each message to the object's
// HandleMessage, lets go on WM_NCDESTROY, and is the one place where an exception leaving a
// handler is caught and handed to the error reporter.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

namespace velmora::win {

// Where an exception that left a message handler goes. The program installs its error
// reporter; until then the message is shown in a plain box.
using WindowErrorHandler = void (*)(HWND window, const std::string& message);
void SetWindowErrorHandler(WindowErrorHandler handler);
void ReportWindowError(HWND window, const std::string& message);
// Hands the exception being handled to the reporter; only inside a catch block.
void ReportCurrentWindowError(HWND window);

// A WM_CREATE that throws fails the window's creation; what it threw is kept for the caller of
// CreateWindowExW, so that it is reported once, there.
void KeepCreateFailure(std::exception_ptr failure);
// True from a failed WM_CREATE until ThrowCreateFailure: the window is being destroyed unborn.
bool CreateFailing();
// For a CreateWindowExW that returned null: throws what its WM_CREATE threw, or else the
// system's error.
[[noreturn]] void ThrowCreateFailure();

// The window procedure for objects of T, which are passed as the lpParam of CreateWindowExW.
// T has LRESULT HandleMessage(UINT, WPARAM, LPARAM), and Bind(HWND) and Unbind(), called when
// its window is first and last seen.
template <typename T>
LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    if (self) self->Bind(window);
  }
  auto* self = reinterpret_cast<T*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->Unbind();
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  // An exception ends the handler that threw it, is shown, and the event loop goes on. A
  // failed WM_CREATE fails the window's creation instead.
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    if (message == WM_CREATE) {
      KeepCreateFailure(std::current_exception());
      return -1;
    }
    ReportCurrentWindowError(window);
  }
  return 0;
}

}  // namespace velmora::win
