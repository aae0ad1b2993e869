#include "ui/layout.h"

#include <windows.h>

namespace velmora {

int Scale(int value, int dpi) {
  return ::MulDiv(value, dpi, 96);
}

}  // namespace velmora
