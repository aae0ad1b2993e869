// What the user-interface thread sets up before its first window, for the program and for
// every test and harness that makes its windows: DLLs load from System32 only, the common
// controls are registered, and the thread joins a COM apartment for the scope.
#pragma once

#include <windows.h>

namespace velmora::win {

class UiThreadSetup {
 public:
  UiThreadSetup();
  ~UiThreadSetup();
  UiThreadSetup(const UiThreadSetup&) = delete;
  UiThreadSetup& operator=(const UiThreadSetup&) = delete;

 private:
  HRESULT com_;
};

}  // namespace velmora::win
