// Paint: the background, then each shown slide (asking the application for
// its picture), the strips that hide slides scrolled partly out, the frame,
// and one copy of the off-screen bitmap to the screen.
#include <algorithm>

#include "host/ui/Forms.h"
#include "selectors/ZEL_Thumbnails.h"

namespace zel {

using namespace host;

namespace {

constexpr int kBorder = 10;
// The picture area of an empty slide leaves this much room above and below.
constexpr int kEmptyInset = 20;

// Clears a flag when the scope ends, however it ends.
class TFlagGuard {
 public:
  explicit TFlagGuard(bool& f) : FFlag(f) { FFlag = true; }
  ~TFlagGuard() { FFlag = false; }
  TFlagGuard(const TFlagGuard&) = delete;
  TFlagGuard& operator=(const TFlagGuard&) = delete;

 private:
  bool& FFlag;
};

void FillBox(TCanvas* c, TColor color, int l, int t, int r, int b) {
  c->Pen()->SetColor(color);
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(color);
  c->Rectangle(l, t, r, b);
}

}  // namespace

void TThumbnails::DrawFrameStyle(TCanvas* c, TFrameStyle st, int l, int t, int r, int b) const {
  DrawFrame(c, st, l, t, r, b, 0xFFFFFF, 0xC0C0C0, 0x808080, 0x000000, 0x000000);
}

void TThumbnails::DrawEmptyFace(TCanvas* c, const TThumbLayout& L, int x0, int y0, int s) {
  const int x1 = x0 + L.Box(), y1 = y0 + L.Box();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(clWhite);
  c->Rectangle(x0 + L.Margin, y0 + L.Margin + kEmptyInset, x1 - L.Margin,
               y1 - L.Margin - kEmptyInset);
  const std::string text = std::to_string(s);
  c->Font()->SetColor(clBlack);
  c->TextOut((x0 + x1) / 2 - c->TextWidth(text) / 2, (y0 + y1) / 2 - c->TextHeight(text) / 2, text);
}

// Fits the picture into the S x S area, keeping its aspect ratio.
void TThumbnails::DrawPicture(TCanvas* c, int x0, int y0) {
  const int iw = FImgBuffer->Width(), ih = FImgBuffer->Height();
  if (iw <= 0 || ih <= 0) return;  // the handler left it empty: no image
  const int S = FSlideSize, M = FSlideMargin;
  int dx = x0 + M, dy = y0 + M, dw = S, dh = S;
  if (iw < ih) {
    dw = int(Round(double(iw) * S / ih));
    dx += (S - dw) / 2;
  } else {
    dh = int(Round(double(ih) * S / iw));
    dy += (S - dh) / 2;
  }
  StretchBlt(c, dx, dy, dw, dh, FImgBuffer->Canvas(), 0, 0, iw, ih, cmSrcCopy,
             FAntiAlias ? HALFTONE : COLORONCOLOR);
  DrawFrameStyle(c, FInnerFrameStyle, dx, dy, dx + dw, dy + dh);
}

void TThumbnails::PaintSlide(TCanvas* c, const TThumbLayout& L, int s) {
  TImageRequestProcessing how = irpShowEmpty;
  int mark = -1;
  // Emptied for every slide, so a handler that draws nothing never shows the
  // previous slide's picture.
  FImgBuffer->SetSize(0, 0);
  if (FOnImageRequest) FOnImageRequest(this, s, how, mark, FImgBuffer.get());
  const TPoint p = L.SlidePos(s);
  const int x0 = p.x, y0 = p.y, x1 = x0 + L.Box(), y1 = y0 + L.Box();
  if (how != irpShowNothing) {
    FillBox(c, GetSelectedSlide(s) ? FColorSelected : FColorCover, x0, y0, x1 + 1, y1 + 1);
    DrawFrameStyle(c, FOuterFrameStyle, x0, y0, x1, y1);
  }
  c->Pen()->SetColor(clBlack);
  if (how == irpShowEmpty) DrawEmptyFace(c, L, x0, y0, s);
  if (how == irpShowSlide) DrawPicture(c, x0, y0);
  if (mark != -1) {
    c->Pen()->SetColor(FColorMark);
    DrawMarkOnCanvas(c, mark, x0 + 10, y0 + 12);
  }
  if (FOnSlideRendered) FOnSlideRendered(this, c, x0, y0, s);
}

void TThumbnails::PaintSlides(TCanvas* c, const TThumbLayout& L) {
  if (FOnFirstImageRequest) FOnFirstImageRequest(this);
  for (int i = 1; i <= L.Cols; ++i) {
    for (int j = 1; j <= L.Rows; ++j) {
      const long s = long(L.First) + long(L.Cols) * (j - 1) + i - 1;
      if (s >= FMin && s <= FMax) PaintSlide(c, L, int(s));
    }
  }
  if (FOnLastImageRequest) FOnLastImageRequest(this);
}

void TThumbnails::HideScrolledEdges(TCanvas* c, int Left, int Right) const {
  const int H = Height();
  FillBox(c, FColorBackGnd, Left, Left, Right, kBorder);
  FillBox(c, FColorBackGnd, Left, H - kBorder, Right, H - Left);
}

void TThumbnails::Paint() {
  const bool designing = (ComponentState() & csDesigning) != 0;
  if ((!Visible() && !designing) || FIsWorking) return;
  const int W = Width(), H = Height();
  if (W <= 0 || H <= 0) return;
  TFlagGuard working(FIsWorking);
  Canvas()->SetFont(Font());
  FBuffer->SetSize(W, H);
  TCanvas* c = FBuffer->Canvas();
  c->SetFont(Font());
  FillBox(c, FColorBackGnd, 0, 0, W, H);
  TThumbLayout L = Layout();
  if (L.Cols != FNumSldX) {
    FNumSldX = L.Cols;
    FFirstThumbIx = NormalisedPos(FFirstThumbIx, L.Cols);
    L = Layout();
  }
  FNumSldY = L.Rows;
  try {
    PaintSlides(c, L);
  } catch (...) {
    // A failing handler costs the rest of this paint's slides, not the
    // control: the frame is drawn and the application's handler is told.
    Application->HandleException(this);
  }
  FImgBuffer->SetSize(0, 0);
  HideScrolledEdges(c, 0, W);
  DrawFrameStyle(c, FFrameStyle, 0, 0, W - 2, H - 2);
  Canvas()->Draw(0, 0, FBuffer.get());
}

}  // namespace zel
