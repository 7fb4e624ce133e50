// TOnOffBut: Paint. Everything is drawn into an off-screen bitmap, and, when
// transparent, into a mask that is black wherever the button covers its parent;
// the mask is ANDed onto the screen and the bitmap (black where the parent shows)
// ORed over it.
#include "foundation/Zel_captionbox.h"
#include "instruments/ZEL_onoffbut.h"

namespace zel {

using namespace host;

namespace {

constexpr TFrameColors kMaskFrame{clBlack, clBlack, clBlack, clBlack, clBlack};

void DrawCaptionAt(TCanvas* c, const std::string& s, TPoint p, bool enabled, TColor ink) {
  if (s.empty()) return;
  DrawCaption(c, s, TCaptionPlace{p.x, p.x + 1}, p.y, enabled, ink);
}

}  // namespace

void TOnOffBut::Paint() {
  if (!Visible() && !(ComponentState() & csDesigning)) return;
  const int W = Width(), H = Height();
  if (W <= 0 || H <= 0) return;
  TBitmap bmp(W, H);
  TCanvas* c = bmp.Canvas();
  c->SetFont(Font());
  const TLayout l = ComputeLayout(c);
  TCanvas* mask = nullptr;
  if (FTransparent) {
    FMask.SetSize(W, H);
    mask = FMask.Canvas();
    mask->SetFont(Font());
    FillBox(mask, Rect(0, 0, W, H), clWhite, clWhite);
  }
  const TColor ground = FTransparent ? clBlack : FColorBackgnd;
  FillBox(c, Rect(0, 0, W, H), ground, ground);
  PaintCaptions(c, mask, l);
  PaintGlyph(bmp, l);
  PaintFrame(c, mask);
  CopyToScreen(bmp);
}

void TOnOffBut::PaintCaptions(TCanvas* c, TCanvas* mask, const TLayout& l) {
  const bool enabled = Enabled();
  const std::pair<const std::string*, TPoint> captions[] = {{&FLeftText, l.LeftText},
                                                            {&FTopText, l.TopText},
                                                            {&FRightText, l.RightText},
                                                            {&FBottomText, l.BottomText}};
  for (const auto& [text, at] : captions) {
    DrawCaptionAt(c, *text, at, enabled, FColorText);
    // Both passes of an engraved caption are opaque in the mask.
    if (mask) DrawCaptionAt(mask, *text, at, enabled, clBlack);
  }
}

// The glyph's key pixels take the background (black when transparent, so the
// parent shows); every other glyph pixel is opaque in the mask. Only the part
// of the glyph inside the control is touched.
void TOnOffBut::PaintGlyph(TBitmap& bmp, const TLayout& l) {
  TBitmap& img = FButImg[FOnOff][Enabled()];
  bmp.Canvas()->Draw(l.Glyph.Left, l.Glyph.Top, &img);
  const TRect r =
      Rect(std::max(l.Glyph.Left, 0), std::max(l.Glyph.Top, 0),
           std::min(l.Glyph.Right, bmp.Width()), std::min(l.Glyph.Bottom, bmp.Height()));
  const TPixel key = ColorToPixel(kOnOffKeyColor);
  const TPixel ground = ColorToPixel(FTransparent ? clBlack : ColorToRGB(FColorBackgnd));
  const TPixel opaque = ColorToPixel(clBlack), clear = ColorToPixel(clWhite);
  for (int y = r.Top; y < r.Bottom; ++y) {
    TPixel* row = bmp.ScanLine(y);
    TPixel* maskRow = FTransparent ? FMask.ScanLine(y) : nullptr;
    for (int x = r.Left; x < r.Right; ++x) {
      const bool isKey = (row[x] & 0xFFFFFF) == key;
      if (isKey) row[x] = ground;
      if (maskRow) maskRow[x] = isKey ? clear : opaque;
    }
  }
}

void TOnOffBut::PaintFrame(TCanvas* c, TCanvas* mask) {
  const TRect box = Rect(0, 0, Width() - 1, Height() - 1);
  DrawBoxFrame(c, FFrameStyle, box, ClassicFrameColors());
  if (mask) DrawBoxFrame(mask, FFrameStyle, box, kMaskFrame);
}

void TOnOffBut::CopyToScreen(TBitmap& bmp) {
  TCanvas* screen = Canvas();
  if (FTransparent) {
    screen->SetCopyMode(cmSrcAnd);
    screen->Draw(0, 0, &FMask);
    screen->SetCopyMode(cmSrcPaint);
    screen->Draw(0, 0, &bmp);
  } else {
    screen->SetCopyMode(cmSrcCopy);
    screen->Draw(0, 0, &bmp);
  }
  screen->SetCopyMode(cmSrcCopy);
}

}  // namespace zel
