// The Linux edition's entry: the regional patterns from the locale, the X display the pointer
// actions need, the main window and the event loop until it closes.
#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>

#include "actions/x11_display.h"
#include "qt/main_window.h"
#include "qt/regional_patterns.h"

int main(int argc, char** argv) {
  // The clicks and the pointer readout go through X11; the window is an X11 window too, so
  // that the clicks can reach it (on Wayland it runs through XWayland).
  if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "xcb", 1);
  if (!velmora::PointerDisplay()) {
    std::fprintf(stderr,
                 "Velmora needs an X11 display and cannot open %s. Start it in an X11 "
                 "session, or on Wayland with XWayland running.\n",
                 velmora::DisplayName().c_str());
    return 1;
  }
  QApplication app(argc, argv);
  app.setApplicationName("Velmora");
  app.setQuitOnLastWindowClosed(true);
  const velmora::qt::SystemClock clock;
  velmora::qt::TForm1 form(velmora::qt::PatternsFromLocale(QLocale::system()), clock);
  form.ShowCentred();
  return app.exec();
}
