// Finding and closing the error boxes of a process from outside its user-interface thread,
// which is inside the box's modal loop while the box is open.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace velmora::test {

struct ErrorBox {
  HWND window = nullptr;
  std::string title;
  std::string text;
};

// The visible message boxes of the process, top-level windows of class #32770.
std::vector<ErrorBox> ErrorBoxesOf(DWORD processId);
// Waits up to timeoutMs for a box of the process to be open; returns it, or an empty box.
ErrorBox WaitForErrorBox(DWORD processId, int timeoutMs);
// Presses the box's OK button and waits for it to be gone.
bool CloseErrorBox(const ErrorBox& box, int timeoutMs);

}  // namespace velmora::test
