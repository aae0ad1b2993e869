// The design table as the Windows window uses it: the shared layout, the font face as the
// W functions take it, and scaling to the window's density.
#pragma once

#include "form/layout.h"

namespace velmora {

inline constexpr wchar_t kFontFace[] = L"Tahoma";

// A length at 96 DPI converted to the given DPI, rounded to the nearest pixel.
int Scale(int value, int dpi);

}  // namespace velmora
