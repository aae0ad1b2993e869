// The toolbar glyphs of ImageList1 and the application icon, for the Qt edition.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace velmora::qt {

constexpr int kGlyphCount = 8;

// 0 blue right-pointing triangle, 2 open door with a blue arrow pointing left, 4 blue square,
// 6 green rounded block; 1, 3, 5 and 7 are grey versions of the glyph before each. Drawn at
// size device-independent pixels for the given pixel ratio, so they stay sharp.
QPixmap Glyph(int index, int size, qreal pixelRatio);
// A tool button's icon: the glyph at index, and its grey version for the disabled state.
QIcon ToolButtonIcon(int index, qreal pixelRatio);
// The clock with a silver bezel and a teal dial, in every size the icon file holds.
QIcon ApplicationIcon();

}  // namespace velmora::qt
