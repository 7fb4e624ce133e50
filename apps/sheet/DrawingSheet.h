// The demonstration sheet of the drawing layer: every canvas primitive, every
// frame style, all data-point marks, the colour helpers and turned text on one
// page, so a single look shows whether the drawing rules hold.
#pragma once

#include "host/gfx/Graphics.h"

namespace zel {

// The size the sheet is laid out for; a smaller canvas shows its top-left part.
constexpr int kDrawingSheetWidth = 1320;
constexpr int kDrawingSheetHeight = 900;

// Paints the sheet onto c, which covers w x h pixels from its origin.
void PaintDrawingSheet(host::TCanvas* c, int w, int h);

}  // namespace zel
