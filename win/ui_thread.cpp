#include "win/ui_thread.h"

#include <commctrl.h>
#include <objbase.h>

namespace velmora::win {
UiThreadSetup::UiThreadSetup() {
  // Before anything can load a DLL: search only System32, never the current directory.
  ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                      ICC_BAR_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  // The shell opens some document types through COM handlers, which need an apartment.
  com_ = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
}

UiThreadSetup::~UiThreadSetup() {
  if (SUCCEEDED(com_)) ::CoUninitialize();
}

}  // namespace velmora::win
