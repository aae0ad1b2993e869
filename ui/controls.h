// Making and placing the window's controls from their layout entries, one kind at a time.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "ui/layout.h"

namespace velmora {

// The child window for one entry (toolbar items excepted), with its text and initial state.
HWND CreateControlWindow(const ControlSpec& design, HWND parent, HINSTANCE instance);

// Moves and sizes a control for dpi, its place counted from origin (at 96 DPI); a label without
// a width is sized to its text in font.
void PlaceControl(HWND window, const ControlSpec& design, POINT origin, int dpi, HFONT font);

// Adds the tool buttons and spacers to the toolbar, in the order given.
void AddToolbarItems(HWND toolbar, const std::vector<const ControlSpec*>& items);
// Glyphs, item widths and heights and the left indent of the toolbar for dpi.
void ApplyToolbarMetrics(HWND toolbar, const std::vector<const ControlSpec*>& items, int dpi,
                         HIMAGELIST images, HIMAGELIST disabledImages);

// The status bar's panels from kStatusPanelWidths at dpi. The last one runs on to the bar's
// right edge, which leaves it more than its width.
void ApplyStatusBarParts(HWND statusBar, int dpi);

}  // namespace velmora
