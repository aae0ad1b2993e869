// The program's entry: safe DLL search, the common controls, then the main window and its
// event loop.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "ui/main_window.h"
#include "win/regional_settings.h"

namespace {

// The shell opens some document types through COM handlers, which need an apartment.
class ComApartment {
 public:
  ComApartment()
      : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) ::CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  HRESULT result_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  // Before anything can load a DLL: search only System32, never the current directory.
  ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                      ICC_BAR_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  const ComApartment com;
  const velmora::win::SystemClock clock;
  return velmora::RunMainWindow(instance, show, clock, velmora::win::ReadRegionalPatterns());
}
