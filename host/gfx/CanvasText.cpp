// Text on a canvas: TextOut, TextRect and the measuring calls, drawn with the
// canvas font's FreeType face, blended as TCanvas::BlendPixel blends.
#include <algorithm>
#include <cmath>
#include <vector>

#include "host/gfx/FontFace.h"
#include "host/gfx/Graphics.h"
#include "host/gfx/Raster.h"

namespace host {

namespace {

// The text cell of a run anchored at (X, Y): u runs along the baseline, v down
// the cell, both from the cell's top-left corner; the cell is turned
// counter-clockwise about the anchor by the face's orientation.
struct CellFrame {
  int X = 0;
  int Y = 0;
  double C = 1;
  double S = 0;
  double ToX(double u, double v) const { return X + u * C + v * S; }
  double ToY(double u, double v) const { return Y - u * S + v * C; }
};

// Fills the cell rectangle u0 <= u < u1, v0 <= v < v1 with a solid colour, inside
// `clip` (logical). A pixel belongs to it when its centre does, so an upright or
// right-angled rectangle fills exactly its whole pixels.
void FillCellRect(TCanvas& canvas, const CellFrame& f, double u0, double v0, double u1, double v1,
                  TColor color, const TRect& clip) {
  if (u1 <= u0 || v1 <= v0) return;
  const double xs[] = {f.ToX(u0, v0), f.ToX(u1, v0), f.ToX(u0, v1), f.ToX(u1, v1)};
  const double ys[] = {f.ToY(u0, v0), f.ToY(u1, v0), f.ToY(u0, v1), f.ToY(u1, v1)};
  const auto [xmin, xmax] = std::minmax_element(std::begin(xs), std::end(xs));
  const auto [ymin, ymax] = std::minmax_element(std::begin(ys), std::end(ys));
  const TRect box = IntersectRect(clip, Rect(int(std::floor(*xmin)), int(std::floor(*ymin)),
                                             int(std::ceil(*xmax)), int(std::ceil(*ymax))));
  // Upright or right-angled, the corners are whole pixels and the box is the area.
  if (f.S == 0 || f.C == 0) {
    raster::FillArea(raster::Target(canvas), box, raster::PixelOf(color));
    return;
  }
  for (int py = box.Top; py < box.Bottom; ++py) {
    const double dy = py + 0.5 - f.Y;
    for (int px = box.Left; px < box.Right; ++px) {
      const double dx = px + 0.5 - f.X;
      const double u = dx * f.C - dy * f.S, v = dx * f.S + dy * f.C;
      if (u >= u0 && u < u1 && v >= v0 && v < v1) canvas.SetPixels(px, py, color);
    }
  }
}

struct PlacedGlyph {
  const FontGlyph* Glyph;
  int PenX;  // along the baseline, from the cell's left edge
};

// Looks up the glyphs of a text once, for measuring and drawing alike.
std::vector<PlacedGlyph> Layout(FontFace& face, const std::string& s, int& width) {
  std::vector<PlacedGlyph> run;
  run.reserve(s.size());
  width = 0;
  for (size_t i = 0; i < s.size();) {
    const FontGlyph& g = face.Glyph(NextCodePoint(s, i));
    run.push_back({&g, width});
    width += g.Advance;
  }
  return run;
}

// Blends a glyph's coverage into the pixels inside `clip` (logical, within the
// canvas clip); full coverage is a plain store.
void DrawGlyph(const raster::Target& t, const FontGlyph& g, int originX, int originY, TPixel colour,
               const TRect& clip) {
  const int left = originX + g.Left, top = originY - g.Top;
  const TRect box = IntersectRect(clip, Rect(left, top, left + g.Width, top + g.Rows));
  for (int py = box.Top; py < box.Bottom; ++py) {
    const uint8_t* row = g.Coverage.data() + size_t(py - top) * size_t(g.Width) + (box.Left - left);
    TPixel* d = &t.At(box.Left, py);
    for (int i = 0; i < box.Width(); ++i) {
      const uint8_t a = row[i];
      if (a == 255)
        d[i] = colour;
      else if (a != 0)
        d[i] = raster::BlendOver(d[i], colour, a);
    }
  }
}

// Draws a run with its cell at (x, y), inside `clip` (logical); returns its width.
int DrawRun(TCanvas& canvas, int x, int y, const std::string& s, const TRect& clip, bool fillCell) {
  TFont& font = *canvas.Font();
  FontFace& face = font.Face();
  int width = 0;
  const std::vector<PlacedGlyph> run = Layout(face, s, width);
  const CellFrame frame{x, y, face.Cos(), face.Sin()};
  const int height = face.CellHeight();
  if (fillCell)
    FillCellRect(canvas, frame, 0, 0, width, height, ColorToRGB(canvas.Brush()->Color()), clip);

  const TColor color = ColorToRGB(font.Color());
  const raster::Target target(canvas);
  const TRect glyphClip = IntersectRect(clip, target.clip);
  for (const PlacedGlyph& p : run) {
    const int ox = int(Round(frame.ToX(p.PenX, face.Ascent())));
    const int oy = int(Round(frame.ToY(p.PenX, face.Ascent())));
    DrawGlyph(target, *p.Glyph, ox, oy, raster::PixelOf(color), glyphClip);
  }
  const auto line = [&](int top) {
    FillCellRect(canvas, frame, 0, top, width, top + face.LineThickness(), color, clip);
  };
  if (font.Style() & fsUnderline) line(face.UnderlineTop());
  if (font.Style() & fsStrikeOut) line(face.StrikeOutTop());
  return width;
}

}  // namespace

void TCanvas::TextOut(int x, int y, const std::string& s) {
  const int width = DrawRun(*this, x, y, s, ClipRect(), Brush()->Style() != bsClear);
  // The platform moves the pen along the unturned baseline, whatever the angle.
  SetPenPos(Point(x + width, y));
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& s) {
  const TRect clip = IntersectRect(ClipRect(), r);
  if (Brush()->Style() != bsClear)
    FillCellRect(*this, CellFrame{}, r.Left, r.Top, r.Right, r.Bottom, ColorToRGB(Brush()->Color()),
                 clip);
  DrawRun(*this, x, y, s, clip, false);
}

int TCanvas::TextWidth(const std::string& s) { return Font()->Face().TextWidth(s); }

int TCanvas::TextHeight(const std::string&) { return Font()->Face().CellHeight(); }

TPoint TCanvas::TextExtent(const std::string& s) { return Point(TextWidth(s), TextHeight(s)); }

}  // namespace host
