// TNumIO2: geometry and painting. Everything is drawn into a bitmap of the
// control's size that is copied to the screen in one step.
#include <algorithm>

#include "foundation/Zel_stringl.h"
#include "numeric/ZEL_NumDraw.h"
#include "numeric/ZEL_NumIO.h"

namespace zel {

using namespace host;

namespace {

constexpr TColor kGrey = RGB(128, 128, 128);

// Width of the first `chars` characters of s.
int PrefixWidth(TCanvas* c, const std::string& s, int chars) {
  size_t at = 0;
  char32_t cp;
  for (int i = 0; i < chars && at < s.size(); ++i) at += Utf8CharAt(s, at, cp);
  return c->TextWidth(s.substr(0, at));
}

void Line(TCanvas* c, int x1, int y1, int x2, int y2) {
  c->MoveTo(x1, y1);
  c->LineTo(x2, y2);
}

// A canvas that measures text in the control's font.
struct TMeasure {
  TBitmap Bitmap{1, 1};
  explicit TMeasure(TFont* f) { Bitmap.Canvas()->SetFont(f); }
  TCanvas* Canvas() { return Bitmap.Canvas(); }
};

}  // namespace

int TNumIO2::CharPosToXCoords(int i) {
  TMeasure m(Font());
  const int w = m.Canvas()->TextWidth(FBuffer);
  const int wp = PrefixWidth(m.Canvas(), FBuffer, i);
  switch (FAlignment) {
    case taLeftJustify:
      return FLeftSpace + 4 + wp;
    case taRightJustify:
      return FLeftSpace + FTextBoxWidth - w - 2 + wp;
    default:
      return FLeftSpace + (FTextBoxWidth - w) / 2 + 2 + wp;
  }
}

int TNumIO2::XCoordsToCharPos(int x) {
  const int n = Length();
  if (n == 0) return 0;
  TMeasure m(Font());
  const int w = m.Canvas()->TextWidth(FBuffer);
  const int a = std::max(w / n, 1);  // average character width
  int c;
  switch (FAlignment) {
    case taLeftJustify:
      c = x - FLeftSpace - 3;
      break;
    case taRightJustify:
      c = x + w - FLeftSpace - FTextBoxWidth + 3;
      break;
    default:
      c = x - FLeftSpace - (FTextBoxWidth - w) / 2 - 1;
      break;
  }
  c = std::max(c, 0);
  return std::min((std::min(w, c) + a / 2) / a, n);
}

// Inner bevel lines of a frame: a top-left polyline and a bottom-right one, in
// the colours the style gives them (sunken: dark then light; raised: light then
// dark; the etched styles: grey or white for both).
void TNumIO2::PaintBevel(TCanvas* c, TFrameStyle style, TPoint a, TPoint corner1, TPoint b,
                         TPoint d, TPoint corner2, TPoint e) {
  TColor topLeft, bottomRight;
  switch (style) {
    case frLowered:
      topLeft = FColBlackLine, bottomRight = FColWhiteLine;
      break;
    case frRaised:
      topLeft = FColWhiteLine, bottomRight = FColBlackLine;
      break;
    case frEmbossed:
      topLeft = bottomRight = FColGrayLine;
      break;
    case frEngraved:
      topLeft = bottomRight = FColWhiteLine;
      break;
    default:
      return;
  }
  c->Pen()->SetColor(topLeft);
  c->Polyline({a, corner1, b});
  c->Pen()->SetColor(bottomRight);
  c->Polyline({d, corner2, e});
}

void TNumIO2::PaintButtons(TCanvas* c) {
  const int x0 = FLeftSpace + FTextBoxWidth + FButSpace;
  const int bw = FButWidth, hb = FButHeight / 2, cx = x0 + bw / 2;
  c->Pen()->SetColor(kGrey);
  c->Brush()->SetColor(FButColor);
  c->Rectangle(x0, 0, x0 + bw + 1, 2 * hb - 1);
  Line(c, x0, hb - 1, x0 + bw, hb - 1);
  if (FBut3D) {
    c->Pen()->SetColor(clWhite);
    c->Polyline({Point(x0 + 1, 2 * hb - 3), Point(x0 + 1, hb), Point(x0 + bw, hb)});
    c->Polyline({Point(x0 + 1, hb - 2), Point(x0 + 1, 1), Point(x0 + bw, 1)});
    c->Pen()->SetColor(clBlack);
    c->Polyline({Point(x0 + 1, 2 * hb - 1), Point(x0 + bw + 1, 2 * hb - 1), Point(x0 + bw + 1, 1)});
  }
  c->Pen()->SetColor(Enabled() ? clBlack : kGrey);
  const int up = hb / 2, down = hb + hb / 2;
  for (int k = 0; k < 3; ++k) {
    Line(c, cx - k, up - 1 + k, cx + 2 + k, up - 1 + k);
    Line(c, cx - k, down - k, cx + 2 + k, down - k);
  }
}

void TNumIO2::PaintGauge(TCanvas* c) {
  const int H = Height();
  const int y1 = H - FGaugeHeight - 1, y2 = H - 1;
  const int L = FGaugeLeftMargin, W = FGaugeWidth;
  c->Pen()->SetColor(FGaugeFrameStyle == frNone ? FGaugeColorBg : FGaugeColorFrame);
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(FGaugeColorBg);
  c->Rectangle(L, y1, L + W, y2);

  double f = 1;
  if (FRangeHigh > FRangeLow) f = (GetNioValue() - FRangeLow) / (FRangeHigh - FRangeLow);
  f = std::clamp(f, 0.0, 1.0);
  const TColor bar = Enabled() ? FGaugeColor : kGrey;
  c->Pen()->SetColor(bar);
  c->Brush()->SetColor(bar);
  c->Rectangle(L, y1, L + int(Round(W * f)), y2);

  if (FGaugeFrameStyle == frNone) return;
  TColor outline = FColGrayLine;
  if (FGaugeFrameStyle == frSimple) outline = FGaugeColorFrame;
  if (FGaugeFrameStyle == frEmbossed) outline = FColWhiteLine;
  c->Pen()->SetColor(outline);
  c->Brush()->SetStyle(bsClear);
  c->Rectangle(L, y1, L + W, y2);
  c->Brush()->SetStyle(bsSolid);
  PaintBevel(c, FGaugeFrameStyle, Point(L + 1, y2 - 2), Point(L + 1, y1 + 1),
             Point(L + W - 1, y1 + 1), Point(L + 1, y2), Point(L + W, y2), Point(L + W, y1));
}

void TNumIO2::PaintTextBox(TCanvas* c) {
  const int g = GaugeBand(), H = Height();
  const int s = H - g - 4, LS = FLeftSpace, TW = FTextBoxWidth;
  const bool warn = OutOfRange();
  TColor pen = FFrameStyle == frEmbossed ? FColWhiteLine : FColGrayLine;
  if (FFrameStyle == frNone) pen = !Enabled() ? clSilver : (warn ? FColorWarnBG : FColorBoxBG);
  c->Pen()->SetColor(pen);
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(!Enabled() ? clSilver : (warn ? FColorWarnBG : FColorBoxBG));
  if (FFrameStyle == frNone || FFrameStyle == frSimple) {
    c->Rectangle(LS, 0, LS + TW + 2, H - g);
    return;
  }
  c->Rectangle(LS, 0, LS + TW + 2, H - g - 1);
  PaintBevel(c, FFrameStyle, Point(LS + 1, s + 1), Point(LS + 1, 1), Point(LS + TW + 1, 1),
             Point(LS + 1, s + 3), Point(LS + TW + 2, s + 3), Point(LS + TW + 2, 0));
}

void TNumIO2::Paint() {
  if (FPaintSuppressed || !Parent() || (!Visible() && !(ComponentState() & csDesigning))) return;
  TMeasure m(Font());
  if (FAutoSize) {
    const int h = m.Canvas()->TextHeight("E0") + 6;
    if (h != Height()) TCustomControl::SetBounds(Left(), Top(), Width(), h);
  }
  const int W = Width(), H = Height(), g = GaugeBand();
  if (W <= 0 || H <= 0) return;
  TBitmap bmp(W, H);
  TCanvas* c = bmp.Canvas();
  c->SetFont(Font());
  const int ty = (H - g - c->TextHeight(kNumHeightProbe)) / 2;

  c->Pen()->SetColor(FColorOutBG);
  c->Brush()->SetColor(FColorOutBG);
  c->Rectangle(0, 0, W, H);

  int w = c->TextWidth(FLeftText);
  int x = LeftCaptionX(FLeftTextAlignment, FLeftSpace, w);
  DrawCaption(c, FLeftText, x, x + 1, ty, Enabled(), FColorOutText);

  if (FButVisible) PaintButtons(c);

  const int end = FLeftSpace + (FButVisible ? FButWidth + FButSpace : 0) + FTextBoxWidth;
  w = c->TextWidth(FRightText);
  x = RightCaptionX(FRightTextAlignment, end, W, w);
  DrawCaption(c, FRightText, x, x + 1, ty, Enabled(), FColorOutText);

  if (FGaugeVisible) PaintGauge(c);
  PaintTextBox(c);

  c->Font()->SetColor(!Enabled() ? kGrey : (OutOfRange() ? FColorWarnText : FColorBoxText));
  const int s = H - g - 4;
  c->TextRect(Rect(FLeftSpace + 3, 2, FLeftSpace + FTextBoxWidth - 1, s + 1), CharPosToXCoords(0),
              ty, FBuffer);

  const int caretX = CharPosToXCoords(FCaret) - FLeftSpace - 1;
  if (FCaretVisible && caretX > 0 && caretX < FTextBoxWidth) {
    c->Pen()->SetColor(clBlack);
    Line(c, FLeftSpace + caretX, 3, FLeftSpace + caretX, H - g - 3);
  }

  if (FSelBegin < FSelEnd && (Focused() || !FHideSelection)) {
    const int lo = FLeftSpace, hi = FLeftSpace + FTextBoxWidth;
    const TRect r = Rect(std::clamp(CharPosToXCoords(FSelBegin), lo, hi), 3,
                         std::clamp(CharPosToXCoords(FSelEnd), lo, hi), H - g - 3);
    c->SetCopyMode(cmNotSrcCopy);
    c->CopyRect(r, c, r);
    c->SetCopyMode(cmSrcCopy);
  }

  Canvas()->SetCopyMode(cmSrcCopy);
  Canvas()->Draw(0, 0, &bmp);
}

}  // namespace zel
