// Pens, brushes and the canvas core: surface binding, pixels, lines, rectangles.
#include <algorithm>

#include "host/gfx/Graphics.h"
#include "host/gfx/Raster.h"

namespace host {

using raster::Mix;
using raster::MixSpan;
using raster::PixelMask;
using raster::PixelOf;
using raster::Target;

// --- graphics objects

void TGraphicsObject::Changed() {
  if (FOnChange) FOnChange(this);
}

// Stores v in field and notifies, unless nothing changes.
template <class T>
static void SetAndNotify(T& field, T v, const std::function<void()>& changed) {
  if (field == v) return;
  field = v;
  changed();
}

void TPen::SetColor(TColor c) {
  SetAndNotify(FColor, c, [this] { Changed(); });
}
void TPen::SetWidth(int w) {
  SetAndNotify(FWidth, std::max(w, 1), [this] { Changed(); });
}
void TPen::SetStyle(TPenStyle s) {
  SetAndNotify(FStyle, s, [this] { Changed(); });
}
void TPen::SetMode(TPenMode m) {
  SetAndNotify(FMode, m, [this] { Changed(); });
}

void TPen::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TPen*>(Source);
  if (src == nullptr) return TPersistent::Assign(Source);
  FColor = src->FColor;
  FWidth = src->FWidth;
  FStyle = src->FStyle;
  FMode = src->FMode;
  Changed();
}

void TBrush::SetColor(TColor c) {
  if (FColor == c && FStyle != bsClear) return;
  FColor = c;
  if (FStyle == bsClear) FStyle = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle s) {
  SetAndNotify(FStyle, s, [this] { Changed(); });
}

void TBrush::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TBrush*>(Source);
  if (src == nullptr) return TPersistent::Assign(Source);
  FColor = src->FColor;
  FStyle = src->FStyle;
  Changed();
}

// --- surface binding

TCanvas::TCanvas() = default;
TCanvas::~TCanvas() = default;

TRect TCanvas::ClipRect() const {
  return FClip.IsEmpty() ? TRect{} : OffsetRect(FClip, -FOrigin.x, -FOrigin.y);
}

void TCanvas::BindSurface(const TSurface& s, int originX, int originY, const TRect& clip) {
  FSurface = s;
  FOrigin = Point(originX, originY);
  FClip = s.Bits != nullptr ? IntersectRect(clip, Rect(0, 0, s.Width, s.Height)) : TRect{};
}

void TCanvas::IntersectClip(const TRect& r) {
  FClip = IntersectRect(FClip, OffsetRect(r, FOrigin.x, FOrigin.y));
}

// --- pixels

TColor TCanvas::Pixels(int x, int y) const {
  const Target t(*this);
  if (!t.clip.Contains(x, y)) return TColor(-1);
  return PixelToColor(t.At(x, y) & raster::kRgbMask);
}

void TCanvas::SetPixels(int x, int y, TColor c) {
  const Target t(*this);
  if (t.clip.Contains(x, y)) t.At(x, y) = PixelOf(c);
}

void TCanvas::PlotPenPixel(int x, int y) {
  const Target t(*this);
  if (t.clip.Contains(x, y)) t.At(x, y) = Mix(FPen.Mode(), t.At(x, y), PixelOf(FPen.Color()));
}

void TCanvas::BlendPixel(int x, int y, TColor c, uint8_t alpha) {
  const Target t(*this);
  if (alpha == 0 || !t.clip.Contains(x, y)) return;
  TPixel& d = t.At(x, y);
  d = raster::BlendOver(d, PixelOf(c), alpha);
}

// --- lines

void TCanvas::MoveTo(int x, int y) { FPenPos = Point(x, y); }

void TCanvas::LineTo(int x, int y) {
  const TPoint from = FPenPos;
  FPenPos = Point(x, y);
  if (FPen.Style() == psClear) return;
  const Target t(*this);
  if (FPen.Width() > 1) {
    raster::StrokePolyline(*this, {from, FPenPos}, false);
    return;
  }
  const TPixel colour = PixelOf(FPen.Color());
  const TPenMode mode = FPen.Mode();
  const TPenStyle style = FPen.Style();
  raster::LinePixels(from.x, from.y, x, y, false, t.clip, [&](int px, int py, int64_t i) {
    if (t.clip.Contains(px, py) && raster::StyleOn(style, i))
      t.At(px, py) = Mix(mode, t.At(px, py), colour);
  });
}

void TCanvas::Polyline(const std::vector<TPoint>& pts) {
  if (FPen.Style() == psClear || pts.size() < 2) return;
  raster::StrokePolyline(*this, pts, false);
}

// --- rectangles

void TCanvas::Rectangle(int l, int t, int r, int b) {
  raster::DrawBoxShape(*this, raster::NormalizedBox(l, t, r, b), false);
}

void TCanvas::FillRect(const TRect& r) {
  if (FBrush.Style() == bsClear) return;
  const Target t(*this);
  raster::FillArea(t, r, PixelOf(FBrush.Color()));
}

void TCanvas::FrameRect(const TRect& r) {
  if (FBrush.Style() == bsClear || r.IsEmpty()) return;
  const Target t(*this);
  raster::PaintRing(t, raster::ShapeRing(r, false, 1, t.clip), PixelOf(FBrush.Color()), nullptr,
                    pmCopy);
}

}  // namespace host
