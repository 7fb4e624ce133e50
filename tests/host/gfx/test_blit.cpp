// Copy modes, stretched copies, canvas image members and bitmap storage.
#include <gtest/gtest.h>

#include "host/gfx/Graphics.h"
#include "tests/host/gfx/test_canvas_art.h"

namespace host {
namespace {

using testing::Art;
using testing::CountColor;
using Rows = std::vector<std::string>;

// Sizes bmp to the pixels given row by row and sets them.
void Fill(TBitmap& bmp, const std::vector<std::vector<TColor>>& rows) {
  bmp.SetSize(int(rows[0].size()), int(rows.size()));
  for (size_t y = 0; y < rows.size(); ++y)
    for (size_t x = 0; x < rows[y].size(); ++x) bmp.Canvas()->SetPixels(int(x), int(y), rows[y][x]);
}

TEST(CopyModes, NamedCodesFollowTheirFormulas) {
  // Destination 1100, source 1010, pattern 1111 0000 in every byte.
  const TPixel d = 0xCCCCCC, s = 0xAAAAAA, p = 0xF0F0F0;
  const std::pair<TCopyMode, TPixel> table[] = {
      {cmBlackness, 0x000000},  {cmDstInvert, 0x333333},  {cmMergeCopy, 0xA0A0A0},
      {cmMergePaint, 0xDDDDDD}, {cmNotSrcCopy, 0x555555}, {cmNotSrcErase, 0x111111},
      {cmPatCopy, 0xF0F0F0},    {cmPatInvert, 0x3C3C3C},  {cmPatPaint, 0xFDFDFD},
      {cmSrcAnd, 0x888888},     {cmSrcCopy, 0xAAAAAA},    {cmSrcErase, 0x222222},
      {cmSrcInvert, 0x666666},  {cmSrcPaint, 0xEEEEEE},   {cmWhiteness, 0xFFFFFF}};
  for (const auto& [rop, expected] : table) EXPECT_EQ(ApplyRop(rop, d, s, p), expected) << rop;
}

TEST(CopyModes, UnknownCodeIsRefusedBeforeDrawing) {
  TBitmap src(2, 2), dst(2, 2);
  src.Canvas()->SetPixels(0, 0, clBlack);
  try {
    ApplyRop(0x00123456, 0, 0, 0);
    FAIL() << "no exception";
  } catch (const EInvalidOperation& e) {
    EXPECT_STREQ(e.what(), "Unsupported copy mode $00123456");
  }
  dst.Canvas()->SetCopyMode(0x00990066);
  EXPECT_THROW(dst.Canvas()->Draw(0, 0, &src), EInvalidOperation);
  EXPECT_THROW(StretchBlt(dst.Canvas(), 0, 0, 0, 0, src.Canvas(), 0, 0, 2, 2, 7),
               EInvalidOperation);
  EXPECT_EQ(CountColor(dst, clWhite), 4);
}

TEST(CopyModes, DrawHonoursTheCanvasCopyMode) {
  TBitmap glyph;
  Fill(glyph, {{clBlack, clWhite, clRed}});
  TBitmap dst;
  Fill(dst, {{clBlue, clBlue, clWhite}});
  dst.Canvas()->SetCopyMode(cmSrcAnd);  // white lets the destination show through
  dst.Canvas()->Draw(0, 0, &glyph);
  EXPECT_EQ(Art(dst, {{clBlue, 'b'}, {clRed, 'r'}}), Rows{"Xbr"});
  dst.Canvas()->SetCopyMode(cmNotSrcCopy);
  dst.Canvas()->Draw(0, 0, &glyph);
  EXPECT_EQ(Art(dst, {{clAqua, 'a'}}), Rows{".Xa"});
  dst.Canvas()->SetCopyMode(cmPatCopy);  // the brush is the pattern
  dst.Canvas()->Brush()->SetColor(clLime);
  dst.Canvas()->Draw(1, 0, &glyph);
  EXPECT_EQ(Art(dst, {{clAqua, 'a'}, {clLime, 'g'}}), Rows{".gg"});
}

TEST(StretchBlt, HalftoneAveragesTheCoveredArea) {
  TBitmap src;
  Fill(src, {{RGB(0, 0, 0), RGB(100, 10, 1)}, {RGB(200, 20, 2), RGB(255, 30, 4)}});
  TBitmap dst(3, 1);
  // 2x2 -> 1x1: the plain mean, rounded: (0+100+200+255)/4 = 138.75.
  EXPECT_TRUE(StretchBlt(dst.Canvas(), 0, 0, 1, 1, src.Canvas(), 0, 0, 2, 2, cmSrcCopy, HALFTONE));
  EXPECT_EQ(dst.Canvas()->Pixels(0, 0), RGB(139, 15, 2));
  // 3x1 -> 2x1: each output pixel is one and a half input pixels.
  TBitmap row;
  Fill(row, {{RGB(0, 0, 0), RGB(90, 90, 90), RGB(30, 30, 30)}});
  StretchBlt(dst.Canvas(), 1, 0, 2, 1, row.Canvas(), 0, 0, 3, 1, cmSrcCopy, HALFTONE);
  EXPECT_EQ(dst.Canvas()->Pixels(1, 0), RGB(30, 30, 30));  // (0*2 + 90*1) / 3
  EXPECT_EQ(dst.Canvas()->Pixels(2, 0), RGB(50, 50, 50));  // (90*1 + 30*2) / 3
}

TEST(StretchBlt, NearestPixelScalesAndMirrors) {
  TBitmap src;
  Fill(src, {{clRed, clLime, clBlue, clBlack}});
  const std::map<TColor, char> legend{{clRed, 'r'}, {clLime, 'g'}, {clBlue, 'b'}};
  TBitmap dst(8, 2);
  StretchBlt(dst.Canvas(), 0, 0, 8, 1, src.Canvas(), 0, 0, 4, 1, cmSrcCopy);
  StretchBlt(dst.Canvas(), 3, 1, -4, 1, src.Canvas(), 0, 0, 4, 1, cmSrcCopy);  // mirrored
  EXPECT_EQ(Art(dst, legend), (Rows{"rrggbbXX", "Xbgr...."}));
  TBitmap down(2, 1);  // 4 -> 2 takes the pixel under each output centre
  StretchBlt(down.Canvas(), 0, 0, 2, 1, src.Canvas(), 0, 0, 4, 1, cmSrcCopy);
  EXPECT_EQ(Art(down, legend), Rows{"gX"});
  TBitmap column(1, 3);  // vertical mirror through a negative source height
  TBitmap tall;
  Fill(tall, {{clRed}, {clLime}, {clBlue}});
  StretchBlt(column.Canvas(), 0, 0, 1, 3, tall.Canvas(), 0, 2, 1, -3, cmSrcCopy);
  EXPECT_EQ(Art(column, legend), (Rows{"b", "g", "r"}));
}

TEST(StretchBlt, UnreadableSourceLeavesTheDestination) {
  TBitmap src;
  Fill(src, {{clRed, clRed}});
  TBitmap dst(4, 1);
  EXPECT_TRUE(StretchBlt(dst.Canvas(), 0, 0, 4, 1, src.Canvas(), -1, 0, 4, 1, cmSrcCopy));
  EXPECT_EQ(Art(dst, {{clRed, 'r'}}), Rows{".rr."});
  EXPECT_FALSE(StretchBlt(dst.Canvas(), 0, 0, 0, 1, src.Canvas(), 0, 0, 2, 1, cmSrcCopy));
  EXPECT_FALSE(StretchBlt(dst.Canvas(), 0, 0, 1, 1, nullptr, 0, 0, 2, 1, cmSrcCopy));
  EXPECT_TRUE(StretchBlt(dst.Canvas(), 0, 0, 1, 1, nullptr, 0, 0, 0, 0, cmBlackness));
  EXPECT_EQ(dst.Canvas()->Pixels(0, 0), clBlack);
}

TEST(CanvasCopyRect, CopyingOntoItselfReadsTheOriginal) {
  TBitmap bmp;
  Fill(bmp, {{clRed, clLime, clBlue, clWhite}});
  bmp.Canvas()->CopyRect(Rect(1, 0, 4, 1), bmp.Canvas(), Rect(0, 0, 3, 1));
  EXPECT_EQ(Art(bmp, {{clRed, 'r'}, {clLime, 'g'}, {clBlue, 'b'}}), Rows{"rrgb"});
  // Inverting a region in place, as a selection highlight does.
  bmp.Canvas()->SetCopyMode(cmNotSrcCopy);
  bmp.Canvas()->CopyRect(Rect(0, 0, 2, 1), bmp.Canvas(), Rect(0, 0, 2, 1));
  EXPECT_EQ(Art(bmp, {{clAqua, 'a'}, {clLime, 'g'}, {clBlue, 'b'}}), Rows{"aagb"});
}

TEST(CanvasDraw, TransparentBitmapSkipsItsKeyColour) {
  TBitmap glyph;
  Fill(glyph, {{clRed, clLime}, {clBlue, clRed}});
  glyph.SetTransparent(true);  // key: the bottom-left pixel, blue
  TBitmap dst(2, 2);
  dst.Canvas()->Draw(0, 0, &glyph);
  EXPECT_EQ(Art(dst, {{clRed, 'r'}, {clLime, 'g'}}), (Rows{"rg", ".r"}));
  glyph.SetTransparentColor(clRed);
  TBitmap big(4, 4);
  big.Canvas()->StretchDraw(Rect(0, 0, 4, 4), &glyph);
  EXPECT_EQ(Art(big, {{clBlue, 'b'}, {clLime, 'g'}}), (Rows{"..gg", "..gg", "bb..", "bb.."}));
}

TEST(CanvasDraw, ClippedCanvasGetsOnlyItsPart) {
  TBitmap frame(6, 3);
  TCanvas control;
  control.BindSurface(frame.Surface(), 2, 1, Rect(2, 1, 4, 2));
  TBitmap black(10, 10);
  black.Canvas()->Brush()->SetColor(clBlack);
  black.Canvas()->FillRect(Rect(0, 0, 10, 10));
  control.Draw(-3, -3, &black);
  StretchBlt(&control, -5, -5, 30, 30, black.Canvas(), 0, 0, 10, 10, cmSrcCopy, HALFTONE);
  EXPECT_EQ(Art(frame), (Rows{"......", "..XX..", "......"}));
}

TEST(Bitmap, ResizeKeepsTheOverlapAndWhitensNewArea) {
  TBitmap bmp;
  Fill(bmp, {{clRed, clLime}, {clBlue, clBlack}});
  TCanvas* canvas = bmp.Canvas();
  bmp.SetSize(3, 1);
  EXPECT_EQ(Art(bmp, {{clRed, 'r'}, {clLime, 'g'}}), Rows{"rg."});
  bmp.SetHeight(2);
  EXPECT_EQ(bmp.Canvas(), canvas);  // the same canvas follows the bitmap
  canvas->SetPixels(2, 1, clBlack);
  EXPECT_EQ(Art(bmp, {{clRed, 'r'}, {clLime, 'g'}}), (Rows{"rg.", "..X"}));
  EXPECT_EQ(bmp.ScanLine(1)[2], ColorToPixel(clBlack));
  EXPECT_EQ(bmp.ScanLine(2), nullptr);
  EXPECT_EQ(bmp.ScanLine(-1), nullptr);
  bmp.SetSize(0, 5);
  EXPECT_TRUE(bmp.Empty());
  EXPECT_EQ(bmp.ScanLine(0), nullptr);
  EXPECT_EQ(canvas->Pixels(0, 0), TColor(-1));
}

TEST(Bitmap, ImpossibleSizesRaiseAndKeepTheBitmap) {
  TBitmap bmp;
  Fill(bmp, {{clRed}});
  EXPECT_THROW(bmp.SetSize(40000, 1), EInvalidGraphic);
  EXPECT_THROW(bmp.SetSize(-1, 1), EInvalidGraphic);
  try {
    bmp.SetSize(30000, 30000);
    FAIL() << "no exception";
  } catch (const EOutOfResources& e) {
    EXPECT_STREQ(e.what(),
                 "Not enough storage for a bitmap of 30000 x 30000 pixels (at most 256 MiB)");
  }
  EXPECT_EQ(bmp.Width(), 1);
  EXPECT_EQ(bmp.Canvas()->Pixels(0, 0), clRed);
}

TEST(Bitmap, AssignCopiesBitmapsOnly) {
  TBitmap src;
  Fill(src, {{clRed, clLime}});
  src.SetTransparent(true);
  TBitmap dst(5, 5);
  dst.Assign(&src);
  src.Canvas()->SetPixels(0, 0, clBlack);  // a copy, not shared storage
  EXPECT_EQ(Art(dst, {{clRed, 'r'}, {clLime, 'g'}}), Rows{"rg"});
  EXPECT_TRUE(dst.Transparent());
  TPen pen;
  try {
    dst.Assign(&pen);
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a TPen to a TBitmap");
  }
  EXPECT_EQ(dst.Width(), 2);
  dst.Assign(nullptr);
  EXPECT_TRUE(dst.Empty());
}

}  // namespace
}  // namespace host
