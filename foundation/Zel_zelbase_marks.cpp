// The 52 data-point marks. Each mark is a shape tested pixel by pixel on a grid of
// at most 9 x 9 around its centre, so every symbol is exact at these tiny sizes
// whatever the rasteriser does with polygons and ellipses.
#include <array>
#include <cstdlib>

#include "foundation/Zel_zelbase.h"

namespace zel {

namespace {

enum class Shape : uint8_t {
  Dot,
  Plus,
  Cross,
  Star,
  Square,
  Circle,
  TriUp,
  TriDown,
  TriLeft,
  TriRight,
  Diamond,
  HBar,
  VBar,
  Hourglass,
  Bowtie
};

// Lines: every pixel of the shape in the pen colour. Open: the shape's border in
// the pen colour, its inside in the brush colour. Solid: all of it in the pen colour.
enum class Fill : uint8_t { Lines, Open, Solid };

// A decoration drawn in the pen colour inside an open shape.
enum class Extra : uint8_t { None, CentreDot, DiagonalCross, PlusSign };

struct MarkDef {
  Shape shape;
  int8_t radius;  // half the edge length: 2, 3 or 4 gives 5, 7 or 9 pixels
  Fill fill;
  Extra extra = Extra::None;
};

constexpr int kMaxRadius = 4;

// The six variants of a closed shape: open in three sizes, then solid.
constexpr std::array<MarkDef, 6> Variants(Shape s) {
  return {{{s, 2, Fill::Open},
           {s, 3, Fill::Open},
           {s, 4, Fill::Open},
           {s, 2, Fill::Solid},
           {s, 3, Fill::Solid},
           {s, 4, Fill::Solid}}};
}

constexpr std::array<MarkDef, kNumMarks> BuildMarks() {
  std::array<MarkDef, kNumMarks> m{};
  int k = 0;
  m[k++] = {Shape::Dot, 0, Fill::Lines};
  for (Shape s : {Shape::Plus, Shape::Cross, Shape::Star})
    for (int8_t r : {2, 3, 4}) m[k++] = {s, r, Fill::Lines};
  for (Shape s : {Shape::Square, Shape::Circle, Shape::TriUp, Shape::TriDown, Shape::Diamond})
    for (const MarkDef& d : Variants(s)) m[k++] = d;
  m[k++] = {Shape::TriLeft, 4, Fill::Open};
  m[k++] = {Shape::TriLeft, 4, Fill::Solid};
  m[k++] = {Shape::TriRight, 4, Fill::Open};
  m[k++] = {Shape::TriRight, 4, Fill::Solid};
  m[k++] = {Shape::HBar, 4, Fill::Lines};
  m[k++] = {Shape::VBar, 4, Fill::Lines};
  m[k++] = {Shape::Square, 4, Fill::Open, Extra::CentreDot};
  m[k++] = {Shape::Circle, 4, Fill::Open, Extra::CentreDot};
  m[k++] = {Shape::Square, 4, Fill::Open, Extra::DiagonalCross};
  m[k++] = {Shape::Circle, 4, Fill::Open, Extra::PlusSign};
  m[k++] = {Shape::Hourglass, 4, Fill::Solid};
  m[k++] = {Shape::Bowtie, 4, Fill::Solid};
  return m;
}

constexpr std::array<MarkDef, kNumMarks> kMarks = BuildMarks();

// Triangle with 45-degree sides: its base, 2r+1 wide, lies r rows below its apex,
// and it is centred vertically (the extra row of an even height goes below).
// Steps of one pixel keep the edges crisp even at five pixels.
bool InTriangleUp(int dx, int dy, int r) {
  const int top = -(r + 1) / 2;
  return dy >= top && dy <= top + r && std::abs(dx) <= dy - top;
}

bool Inside(Shape s, int r, int dx, int dy) {
  const int ax = std::abs(dx), ay = std::abs(dy);
  if (ax > r || ay > r) return false;
  switch (s) {
    case Shape::Dot:
      return dx == 0 && dy == 0;
    case Shape::Plus:
      return dx == 0 || dy == 0;
    case Shape::Cross:
      return ax == ay;
    case Shape::Star:
      return dx == 0 || dy == 0 || ax == ay;
    case Shape::Square:
      return true;
    case Shape::Circle:
      return dx * dx + dy * dy <= r * r + r;
    case Shape::TriUp:
      return InTriangleUp(dx, dy, r);
    case Shape::TriDown:
      return InTriangleUp(dx, -dy, r);
    case Shape::TriLeft:
      return InTriangleUp(dy, dx, r);
    case Shape::TriRight:
      return InTriangleUp(dy, -dx, r);
    case Shape::Diamond:
      return ax + ay <= r;
    case Shape::HBar:
      return dy == 0;
    case Shape::VBar:
      return dx == 0;
    case Shape::Hourglass:
      return ax <= ay;
    case Shape::Bowtie:
      return ay <= ax;
  }
  return false;
}

bool OnBorder(const MarkDef& m, int dx, int dy) {
  return !Inside(m.shape, m.radius, dx - 1, dy) || !Inside(m.shape, m.radius, dx + 1, dy) ||
         !Inside(m.shape, m.radius, dx, dy - 1) || !Inside(m.shape, m.radius, dx, dy + 1);
}

bool OnExtra(Extra e, int dx, int dy) {
  switch (e) {
    case Extra::CentreDot:
      return dx == 0 && dy == 0;
    case Extra::DiagonalCross:
      return std::abs(dx) == std::abs(dy);
    case Extra::PlusSign:
      return dx == 0 || dy == 0;
    default:
      return false;
  }
}

enum class Ink : uint8_t { None, Pen, Brush };

Ink InkAt(const MarkDef& m, int dx, int dy) {
  if (!Inside(m.shape, m.radius, dx, dy)) return Ink::None;
  if (m.fill != Fill::Open) return Ink::Pen;
  if (OnBorder(m, dx, dy) || OnExtra(m.extra, dx, dy)) return Ink::Pen;
  return Ink::Brush;
}

}  // namespace

void DrawMarkOnCanvas(host::TCanvas* Canvas, int Kind, int X, int Y) {
  if (Canvas == nullptr || Kind < 0 || Kind >= kNumMarks) return;
  const MarkDef& m = kMarks[Kind];
  const bool pen = Canvas->Pen()->Style() != host::psClear;
  const bool brush = Canvas->Brush()->Style() != host::bsClear;
  const TColor brushColor = host::ColorToRGB(Canvas->Brush()->Color());
  for (int dy = -kMaxRadius; dy <= kMaxRadius; ++dy) {
    for (int dx = -kMaxRadius; dx <= kMaxRadius; ++dx) {
      const Ink ink = InkAt(m, dx, dy);
      if (ink == Ink::Pen && pen) Canvas->PlotPenPixel(X + dx, Y + dy);
      if (ink == Ink::Brush && brush) Canvas->SetPixels(X + dx, Y + dy, brushColor);
    }
  }
}

}  // namespace zel
