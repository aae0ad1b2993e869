// The one entry of every Windows test program: the user-interface thread set up as the program
// sets it up, the paths of Velmora.exe and of the probe program from --velmora=PATH and
// --probe=PATH, then the tests.
#include <gtest/gtest.h>

#include <string_view>

#include "tests/win32/support/probe.h"
#include "win/text.h"
#include "win/ui_thread.h"

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
  const velmora::win::UiThreadSetup uiThread;
  return RUN_ALL_TESTS();
}
