// TNumLab: where the captions, the number box and its text go.
#include "numeric/ZEL_NumLab.h"

namespace zel {

using namespace host;

// The box spans LeftSpace + 1 .. LeftSpace + LabelWidth over all rows but the
// last two; its frame encloses the text clip, which keeps two pixels off the
// top and three off the bottom.
TNumLab::TLayout TNumLab::ComputeLayout(TCanvas* c) {
  const int H = Height();
  TLayout l;
  l.Captions = CaptionBoxLayout(CaptionMetrics(c, FLabelWidth, H));
  const int left = LeftSpace(), right = LeftSpace() + FLabelWidth;
  // A right-aligned caption casts its light pass to the left of its ink.
  if (RightTextAlignment() == taRightJustify)
    l.Captions.RightCaption.ShadowX = Width() - c->TextWidth(RightText()) - 7;
  l.Box = Rect(left + 1, 0, right, H - 2);
  l.TextClip = Rect(left + 3, 2, right - 1, H - 3);
  l.Underlay = Rect(left + 2, 2, right, H - 2);
  return l;
}

}  // namespace zel
