#include "numeric/ZEL_NumDraw.h"

namespace zel {

using namespace host;

const char* const kNumHeightProbe = "(8g]}\xC3\x9C\xC3\x84\xC2\xA7";

int LeftCaptionX(TAlignment a, int zoneEnd, int w) {
  if (a == taLeftJustify) return 7;
  if (a == taRightJustify) return zoneEnd - w - 5;
  return (zoneEnd - w) / 2;
}

int RightCaptionX(TAlignment a, int zoneStart, int width, int w) {
  if (a == taLeftJustify) return zoneStart + 7;
  if (a == taRightJustify) return width - w - 6;
  return (width - (zoneStart + w)) / 2 + zoneStart + 1;
}

void DrawCaption(TCanvas* c, const std::string& s, int x, int whiteX, int y, bool enabled,
                 TColor ink, TColor light, bool greyPass) {
  c->Brush()->SetStyle(bsClear);
  if (enabled) {
    c->Font()->SetColor(ink);
    c->TextOut(x, y, s);
  } else {
    c->Font()->SetColor(light);
    c->TextOut(whiteX, y + 1, s);
    if (greyPass) {
      c->Font()->SetColor(RGB(128, 128, 128));
      c->TextOut(x, y, s);
    }
  }
  c->Brush()->SetStyle(bsSolid);
}

}  // namespace zel
