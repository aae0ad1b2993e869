// The toolbar glyphs of ImageList1, drawn at run time at any pixel size so that they stay
// sharp at every display density.
#pragma once

#include "win/handles.h"

namespace velmora {

constexpr int kGlyphCount = 8;

// 0 blue right-pointing triangle, 2 open door with a blue arrow pointing left, 4 blue square,
// 6 green rounded block; 1, 3, 5 and 7 are grey versions of the glyph before each.
win::UniqueImageList CreateImageList1(int size);
// The same eight positions, each holding the grey version of its pair: the toolbar draws a
// disabled button's image from here at the button's own image index.
win::UniqueImageList CreateDisabledImageList(int size);

}  // namespace velmora
