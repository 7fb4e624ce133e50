// Bit fonts as data: sampling a host font, the limits of a matrix, glyph spans
// and the layout of a text in dots.
#include <algorithm>

#include "host/gfx/Graphics.h"
#include "host/gfx/Utf8.h"
#include "labels/ZEL_RasterLab.h"

namespace zel {

using namespace host;

namespace {

constexpr int kMaxRows = 32;
constexpr int kMaxColumn = 31;
constexpr int kSampleSize = 65;

// The dot rows of one character drawn at the top-left of `bmp`: bit j of row r
// is set when pixel (j, r) is not white.
void ReadDots(TBitmap& bmp, std::array<uint32_t, 32>& rows) {
  for (int r = 0; r < kMaxRows; ++r) {
    const TPixel* line = bmp.ScanLine(r);
    uint32_t bits = 0;
    for (int j = 0; j <= kMaxColumn; ++j)
      if ((line[j] & 0xFFFFFF) != 0xFFFFFF) bits |= uint32_t(1) << j;
    rows[size_t(r)] = bits;
  }
}

// First and last column with a dot (31 and 0 without any), and the rows used.
void MeasureGlyph(TRDCharMatrix& m, int code) {
  const auto& rows = m.BitData[size_t(code)];
  uint32_t all = 0;
  int height = 0;
  for (int r = 0; r < kMaxRows; ++r) {
    all |= rows[size_t(r)];
    if (rows[size_t(r)]) height = r + 1;
  }
  if (!all) {
    m.LeftMostBit[size_t(code)] = kMaxColumn;
    m.RightMostBit[size_t(code)] = 0;
    return;
  }
  int first = 0, last = kMaxColumn;
  while (!(all >> first & 1)) ++first;
  while (!(all >> last & 1)) --last;
  m.LeftMostBit[size_t(code)] = uint8_t(first);
  m.RightMostBit[size_t(code)] = uint8_t(last);
  m.FontHeight = std::max(m.FontHeight, int32_t(height));
  m.FontWidth = std::max(m.FontWidth, int32_t(last - first + 1));
}

// The columns of a blank: code 32's when it has sane extents, else half the
// font's width.
TGlyphSpan BlankSpan(const TRDCharMatrix& m) {
  const int l = m.LeftMostBit[32], r = m.RightMostBit[32];
  if (r >= l) return {l, r, true};
  return {0, m.FontWidth / 2, true};
}

}  // namespace

TRDCharMatrix SampleCharMatrix(TFont* Font) {
  TRDCharMatrix m;
  TBitmap bmp(kSampleSize, kSampleSize);
  TCanvas* c = bmp.Canvas();
  c->SetFont(Font);
  // Dots are on or off: an anti-aliased edge would turn grey pixels into dots.
  c->Font()->SetQuality(fqNonAntialiased);
  c->Font()->SetColor(clBlack);
  c->Brush()->SetStyle(bsSolid);
  for (int code = 32; code < 256; ++code) {
    c->Brush()->SetColor(clWhite);
    c->FillRect(Rect(0, 0, kSampleSize, kSampleSize));
    std::string s;
    AppendUtf8(s, char32_t(code));
    c->Brush()->SetStyle(bsClear);
    c->TextOut(0, 0, s);
    c->Brush()->SetStyle(bsSolid);
    ReadDots(bmp, m.BitData[size_t(code)]);
    MeasureGlyph(m, code);
  }
  m.LeftMostBit[32] = 0;
  m.RightMostBit[32] = uint8_t(m.FontWidth / 2);
  return m;
}

TRDCharMatrix ClampCharMatrix(const TRDCharMatrix& m) {
  TRDCharMatrix out = m;
  out.FontHeight = std::clamp(m.FontHeight, int32_t(0), int32_t(kMaxRows));
  out.FontWidth = std::clamp(m.FontWidth, int32_t(0), int32_t(kMaxColumn + 1));
  for (size_t i = 0; i < 256; ++i) {
    out.LeftMostBit[i] = std::min(m.LeftMostBit[i], uint8_t(kMaxColumn));
    out.RightMostBit[i] = std::min(m.RightMostBit[i], uint8_t(kMaxColumn));
  }
  return out;
}

TGlyphSpan GlyphSpan(const TRDCharMatrix& m, uint8_t code, bool Proportional) {
  const bool blank = code < 32 || m.RightMostBit[code] < m.LeftMostBit[code];
  if (!Proportional) return {0, m.FontWidth - 1, blank};
  if (blank) return BlankSpan(m);
  return {m.LeftMostBit[code], m.RightMostBit[code], false};
}

std::vector<uint8_t> RasterCodes(const std::string& Text) {
  std::vector<uint8_t> codes;
  codes.reserve(Text.size());
  for (size_t i = 0; i < Text.size();) codes.push_back(uint8_t(NextCodePoint(Text, i) & 0xFF));
  return codes;
}

TRasterRun LayoutRasterRun(const TRDCharMatrix& m, const std::string& Text, int Pitch,
                           bool Proportional) {
  TRasterRun run;
  run.Codes = RasterCodes(Text);
  run.X.reserve(run.Codes.size());
  run.Spans.reserve(run.Codes.size());
  int x = 0;
  for (const uint8_t code : run.Codes) {
    const TGlyphSpan span = GlyphSpan(m, code, Proportional);
    run.X.push_back(x);
    run.Spans.push_back(span);
    x += Proportional ? Pitch * (span.Columns() + 1) : Pitch * (m.FontWidth + 1);
  }
  run.BitLength = x + 1;
  return run;
}

int RasterTextWidth(const TRDCharMatrix& m, const std::string& Text, int Pitch, bool Proportional) {
  return LayoutRasterRun(m, Text, Pitch, Proportional).BitLength - 1;
}

}  // namespace zel
