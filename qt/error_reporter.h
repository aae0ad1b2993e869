// The program's one error reporter in the Qt edition: whatever a handler throws ends up here
// and is shown in a message box; the event loop then goes on.
#pragma once

#include <QString>
#include <string>

#include "core/error.h"

class QWidget;

namespace velmora::qt {

// The executable's file name up to its first period, every character after the first in
// lower case: "/usr/bin/velmora" gives "velmora", "VELMORA.bin" "Velmora".
QString ApplicationTitle(const QString& executablePath);
// The title of this process, from its own executable.
QString ApplicationTitle();

// Shows the message in an error box over owner and returns when the box is closed. While a
// box is open (ticks go on inside its modal loop) a further error is not shown: one failing
// timer cannot pile up boxes faster than the user can close them.
void ReportError(QWidget* owner, const std::string& message);
bool ErrorBoxOpen();

// Runs a handler with the reporter as its exception barrier.
template <typename Handler>
void Guarded(QWidget* owner, Handler&& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    ReportError(owner, e.what());
  } catch (...) {
    ReportError(owner, "Unknown error");
  }
}

}  // namespace velmora::qt
