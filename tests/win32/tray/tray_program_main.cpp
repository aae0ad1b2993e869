// Runs the tray icon tests of the whole program. The paths of Velmora.exe and of the probe
// program come as --velmora=PATH and --probe=PATH.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string_view>

#include "tests/win32/ui/ui_test_support.h"
#include "win/text.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg.rfind("--velmora=", 0) == 0) {
      velmora::test::TestPaths::velmoraExe = velmora::win::Widen(arg.substr(10));
    }
    if (arg.rfind("--probe=", 0) == 0) {
      velmora::test::TestPaths::probeExe = velmora::win::Widen(arg.substr(8));
    }
  }
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                      ICC_BAR_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  return RUN_ALL_TESTS();
}
