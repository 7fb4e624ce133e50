// Drawing shared by the numeric label and the numeric input: the placement of
// the captions left and right of the number box, and their embossed look.
#pragma once

#include <string>

#include "host/gfx/Graphics.h"
#include "host/ui/Controls.h"

namespace zel {

// Text whose height centres a single line: it holds the tallest and deepest glyphs.
extern const char* const kNumHeightProbe;

// x of the left caption (width w) in the zone 0..zoneEnd: left 7, right
// zoneEnd - w - 5, centre (zoneEnd - w) div 2.
int LeftCaptionX(host::TAlignment a, int zoneEnd, int w);
// x of the right caption (width w) in the zone zoneStart..width: left
// zoneStart + 7, right width - w - 6, centre (width - (zoneStart + w)) div 2 +
// zoneStart + 1.
int RightCaptionX(host::TAlignment a, int zoneStart, int width, int w);

// Draws a caption with a clear brush. Enabled: in `ink` at (x, y). Disabled:
// embossed, `light` at (whiteX, y + 1) and then, when greyPass, grey
// (128,128,128) at (x, y). Leaves the brush solid.
void DrawCaption(host::TCanvas* c, const std::string& s, int x, int whiteX, int y, bool enabled,
                 host::TColor ink, host::TColor light = host::clWhite, bool greyPass = true);

}  // namespace zel
