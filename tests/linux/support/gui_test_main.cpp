// One main for the Linux tests that need a desktop: a real QApplication on the X display, so
// that widgets, the desktop services and the tray icon are the ones a user's session has.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
