// Every identifier the Windows main window uses: the shared control IDs, and its timer IDs.
#pragma once

#include <windows.h>

#include "form/control_ids.h"

namespace velmora {

// Window timers of the main window, named as the components they stand for.
enum TimerId : UINT_PTR {
  kTimer1 = 1,  // program tick
  kTimer3 = 3,  // pointer readout
  kTimer4 = 4,  // click tick
};

}  // namespace velmora
