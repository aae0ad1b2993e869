// Every identifier the Windows main window uses: the shared control IDs, and its timer IDs.
#pragma once

#include <windows.h>

#include "form/control_ids.h"

namespace velmora {

// Window timers of the main window, named as the components they stand for.
enum TimerId : UINT_PTR {
  kTimer3 = 3,  // pointer readout
};

// The ticks of the one-second timers, posted to the main window at each second boundary.
enum TickMessage : UINT {
  kTimer1Tick = WM_APP + 1,  // program tick
  kTimer4Tick = WM_APP + 4,  // click tick
};

}  // namespace velmora
