// TSevenSeg: the segment pieces, the glyphs built from them on the master
// canvas, and the image cache of one stretched glyph per character.
#include <algorithm>
#include <array>

#include "numeric/ZEL_sevenseg.h"

namespace zel {

using namespace host;

namespace {

constexpr int kMasterWidth = 312, kMasterHeight = 432;
constexpr int kCells = int(SevenSegCharList.size());

enum TPiece : uint8_t { pcVert, pcHorz, pcDot, pcPlus, pcColon, pcDeg };
constexpr int kPieceCount = 6;
constexpr const char* kPieceResources[kPieceCount] = {"SEGVERT", "SEGHORZ",  "SEGDOT",
                                                      "SEGPLUS", "SEGCOLON", "SEGDEG"};

// A piece at its place on the master canvas (top-left corner). The places
// lean right as they go up, which slants the whole glyph.
struct TPlacement {
  TPiece Piece;
  int X, Y;
};

// What a glyph is made of, one character per piece: '1'..'7' the segments
// (top, upper left, upper right, middle, lower left, lower right, bottom), '+'
// the plus, ':' the colon, 'o' the degree ring, '.' the decimal point. In the
// order of SevenSegCharList; B and D are the lower-case shapes.
constexpr const char* kGlyphs[kCells] = {"123567", "36",   "13457",   "13467",  "2346", "12467",
                                         "124567", "136",  "1234567", "123467", "4",    "+",
                                         ":",      "o",    "123456",  "24567",  "1257", "34567",
                                         "12457",  "1245", "."};

TPlacement PlacementOf(char part) {
  static constexpr TPlacement segments[7] = {
      {pcHorz, 94, 0},  {pcVert, 37, 23},   {pcVert, 244, 23}, {pcHorz, 57, 197},
      {pcVert, 0, 220}, {pcVert, 207, 220}, {pcHorz, 20, 394}};
  switch (part) {
    case '+':
      return {pcPlus, 57, 120};
    case ':':
      return {pcColon, 122, 121};
    case 'o':
      return {pcDeg, 150, 0};
    case '.':
      return {pcDot, 269, 394};
    default:
      return segments[part - '1'];
  }
}

// Where a piece's interior is: the white region at its centre; the colon has
// two, one dot in each half.
std::vector<TPoint> FillSeeds(TPiece p, const TBitmap& b) {
  const int x = b.Width() / 2;
  if (p == pcColon) return {{x, b.Height() / 4}, {x, b.Height() * 3 / 4}};
  return {{x, b.Height() / 2}};
}

}  // namespace

// Inking starts from the loaded pieces each time, so that it never depends on
// the colour before.
void TSevenSeg::InkPieces(TColor ink) {
  if (!FPiecesLoaded) {
    for (int i = 0; i < kPieceCount; ++i) FPieces[i].LoadFromResourceName(kPieceResources[i]);
    FPiecesLoaded = true;
  }
  for (int i = 0; i < kPieceCount; ++i) {
    TBitmap& b = FInkedPieces[i];
    b.Assign(&FPieces[i]);
    TCanvas* c = b.Canvas();
    c->Brush()->SetColor(ink);
    for (const TPoint s : FillSeeds(TPiece(i), b))
      c->FloodFill(s.x, s.y, c->Pixels(s.x, s.y), fsSurface);
  }
}

namespace {

// Every pixel still white after the pieces were ANDed onto the white master,
// the ground round the glyph and any hole a piece encloses, becomes `back`.
// (Lit segments are never pure white: see InkOf.)
void FillBackground(TBitmap& master, TColor back) {
  const TPixel white = ColorToPixel(clWhite), ground = ColorToPixel(back);
  for (int y = 0; y < master.Height(); ++y) {
    TPixel* row = master.ScanLine(y);
    std::replace_if(
        row, row + master.Width(), [white](TPixel p) { return (p & 0xFFFFFF) == white; }, ground);
  }
}

// White is the artwork's ground, so a white ink is drawn one step darker.
TColor InkOf(TColor c) {
  const TColor rgb = ColorToRGB(c);
  return rgb == clWhite ? RGB(254, 254, 254) : rgb;
}

void BuildGlyph(TBitmap& master, const char* parts, std::array<TBitmap, kPieceCount>& pieces,
                TColor back) {
  TCanvas* c = master.Canvas();
  c->Brush()->SetColor(clWhite);
  c->FillRect(Rect(0, 0, kMasterWidth, kMasterHeight));
  c->SetCopyMode(cmSrcAnd);
  for (const char* p = parts; *p; ++p) {
    const TPlacement at = PlacementOf(*p);
    c->Draw(at.X, at.Y, &pieces[at.Piece]);
  }
  c->SetCopyMode(cmSrcCopy);
  FillBackground(master, back);
}

}  // namespace

TRect TSevenSeg::CacheCell(int i) const {
  const int x = (i % FCacheColumns) * FLayout.DigitWidth;
  const int y = (i / FCacheColumns) * FLayout.DigitHeight;
  return Rect(x, y, x + FLayout.DigitWidth, y + FLayout.DigitHeight);
}

// The cells run in rows of as many as a bitmap's width holds, so that a
// display of one very wide digit still gets a cache.
void TSevenSeg::RebuildCache() {
  FLastWidth = Width();
  FLastHeight = Height();
  FLayout = ComputeLayout(Width(), Height(), FNumDigits, FMargin, FInterDigDist);
  if (FLayout.Empty()) {
    FCache.SetSize(0, 0);
    return;
  }
  const int cw = FLayout.DigitWidth, h = FLayout.DigitHeight;
  FCacheColumns = std::clamp(32767 / cw, 1, kCells);
  const int rows = (kCells + FCacheColumns - 1) / FCacheColumns;
  FCache.SetSize(FCacheColumns * cw, rows * h);
  const TColor back = ColorToRGB(FColorBackGnd);
  TCanvas* cache = FCache.Canvas();
  cache->Brush()->SetColor(back);
  cache->FillRect(Rect(0, 0, FCache.Width(), FCache.Height()));

  InkPieces(InkOf(FColorText));
  FMaster.SetSize(kMasterWidth, kMasterHeight);
  for (int i = 0; i < kCells; ++i) {
    BuildGlyph(FMaster, kGlyphs[i], FInkedPieces, back);
    const TRect cell = CacheCell(i);
    StretchBlt(cache, cell.Left, cell.Top, cw, h, FMaster.Canvas(), 0, 0, kMasterWidth,
               kMasterHeight, cmSrcCopy, HALFTONE);
  }
}

}  // namespace zel
