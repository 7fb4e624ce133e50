#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "ntabed/ZEL_ntabed.h"
#include "tests/support/Headless.h"

using host::TColor;
using host::TRect;
using zel::TNTabEd;

namespace {

class NTabEdPaint : public zeltest::HeadlessTest {
 protected:
  TNTabEd* Ed() {
    if (!FEd) {
      Form()->SetBounds(0, 0, 420, 220);
      FEd = Make<TNTabEd>(0, 0, 420, 220);
      // Glyph pixels in exactly the text colour.
      FEd->Font()->SetQuality(host::fqNonAntialiased);
    }
    return FEd;
  }
  // Counts the pixels of colour c inside a cell's rectangle (grid coordinates).
  int CountIn(int gc, int gr, TColor c) {
    const TRect r = Ed()->CellRect(gc, gr);
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) n += zeltest::PixelAt(Ed(), x, y) == c;
    return n;
  }

 private:
  TNTabEd* FEd = nullptr;
};

}  // namespace

// A table with one cell of every kind, shared by the picture tests.
void FillSampler(TNTabEd* e) {
  e->SetAttribColVisible(true);
  e->Clear();
  e->SetElem(1, 1, 3.14159);
  e->SetElem(2, 1, 1e200);
  e->SetElem(3, 1, 0.001);
  e->SetCellState(1, 2, 64);
  e->SetCellState(2, 2, 128);
  e->SetCellState(3, 2, 192);
  e->SetCellState(1, 3, 1);
  e->SetCellState(2, 3, 2 | 64);
  e->SetCellState(3, 4, 3);
  e->SetMScaleType(3, zel::mstNominal);
  e->SetNominalID(3, 3, "red");
  e->SetElem(3, 3, 3);
  e->SetPrecision(1, 2);
  e->SetColAttrib(2, 7);
  e->SetRowAttrib(4, 255);
}

TEST_F(NTabEdPaint, MarkedCellsShowTheirMarkColours) {
  TNTabEd* e = Ed();
  FillSampler(e);
  // Data (c, r) is grid (c + 1, r + 1) with both attribute lines shown.
  EXPECT_GT(CountIn(2, 3, e->ColorMarkedA()), 0);
  EXPECT_GT(CountIn(3, 3, e->ColorMarkedB()), 0);
  EXPECT_GT(CountIn(4, 3, e->ColorMarkedBoth()), 0);
  EXPECT_EQ(CountIn(4, 3, e->ColorMarkedA()), 0);
  EXPECT_GT(CountIn(3, 2, e->ColorNormal()), 0) << "an unmarked cell";
}

TEST_F(NTabEdPaint, TheSelectedCellUsesTheRangeSelectionColours) {
  TNTabEd* e = Ed();
  FillSampler(e);
  const TRect r = e->CellRect(2, 2);
  EXPECT_EQ(zeltest::PixelAt(e, r.Right - 2, r.Bottom - 2), e->ColorRangeSelBG());
  EXPECT_GT(CountIn(2, 2, e->ColorRangeSelFG()), 0);
  const TRect other = e->CellRect(3, 2);
  EXPECT_EQ(zeltest::PixelAt(e, other.Right - 2, other.Bottom - 2),
            host::ColorToRGB(host::clWindow));
}

TEST_F(NTabEdPaint, EmptyCellsShowNothingYetOfferTheirMarkColour) {
  TNTabEd* e = Ed();
  FillSampler(e);
  TColor offered = 0;
  std::string text = "?";
  e->SetOnBeforeRenderCell([&](host::TObject*, int c, int r, std::string& t, TColor& fg, TColor&,
                               host::TFontStyles& st) {
    if (c == 2 && r == 3) {
      offered = fg;
      text = t;
      EXPECT_EQ(st, host::fsBold);
    }
  });
  e->Invalidate();
  const TColor bg = host::ColorToRGB(host::clWindow);
  EXPECT_EQ(CountIn(3, 4, bg) + CountIn(3, 4, host::clSilver), [&] {
    const TRect r = e->CellRect(3, 4);
    return (r.Right - r.Left) * (r.Bottom - r.Top);
  }()) << "only background (and no text) in the empty marked cell";
  EXPECT_EQ(offered, e->ColorMarkedA());
  EXPECT_EQ(text, "");
  EXPECT_EQ(e->CellText(3, 4), "") << "empty and invalid together show nothing";
  EXPECT_EQ(e->CellText(1, 3), "-nan-");
}

TEST_F(NTabEdPaint, TheRenderHookDecidesTextAndColours) {
  TNTabEd* e = Ed();
  e->SetOnBeforeRenderCell([&](host::TObject*, int c, int r, std::string& t, TColor& fg, TColor& bg,
                               host::TFontStyles&) {
    if (c == 3 && r == 4) {
      t = "W";
      fg = 0x00FF00;
      bg = 0x123456;
    }
  });
  e->Invalidate();
  const TRect r = e->CellRect(4, 4);
  EXPECT_EQ(zeltest::PixelAt(e, r.Right - 2, r.Top + 1), 0x123456u);
  EXPECT_GT(CountIn(4, 4, 0x00FF00), 0);
}

TEST_F(NTabEdPaint, CategoriesShowTheirNamesOrTheScaleAndCode) {
  TNTabEd* e = Ed();
  FillSampler(e);
  EXPECT_EQ(e->CellText(3, 3), "red");
  e->SetElem(3, 3, 200);
  EXPECT_EQ(e->CellText(3, 3), "nominal:200");
  e->SetElem(3, 3, -1e300);
  EXPECT_EQ(e->CellText(3, 3), "nominal:-1e+300");
  EXPECT_EQ(e->CellText(1, 1), "3.14");
  EXPECT_EQ(e->CellText(2, 1), "*******");
}

TEST_F(NTabEdPaint, TheCurrentColumnAndRowHeadersAreHighlighted) {
  TNTabEd* e = Ed();
  FillSampler(e);
  e->SetColorSelected(0x0000C0);
  EXPECT_GT(CountIn(2, 0, 0x0000C0), 0) << "name of the current column";
  EXPECT_GT(CountIn(0, 2, 0x0000C0), 0) << "name of the current row";
  EXPECT_EQ(CountIn(3, 0, 0x0000C0), 0);
  e->SetFocus();
  zeltest::PressKey(Form(), host::VK_RIGHT);
  EXPECT_EQ(CountIn(2, 0, 0x0000C0), 0);
  EXPECT_GT(CountIn(3, 0, 0x0000C0), 0);
}

TEST_F(NTabEdPaint, TheCellCursorNamesTheCurrentCell) {
  TNTabEd* e = Ed();
  e->SetFocus();
  zeltest::PressKey(Form(), host::VK_DOWN);
  EXPECT_GT(CountIn(0, 0, e->ColorNormal()), 0);
  e->SetShowCellCursor(false);
  EXPECT_EQ(CountIn(0, 0, e->ColorNormal()), 0);
}

TEST_F(NTabEdPaint, AutoColWidthFitsTheWidestValue) {
  TNTabEd* e = Ed();
  e->SetPrecision(2, 1);
  e->SetElem(2, 3, -12345.5);
  e->SetColName(2, "a very long column name");
  host::TCanvas* c = e->Canvas();
  c->SetFont(e->Font());
  const int widest = c->TextWidth("-12345.5");
  EXPECT_EQ(e->AutoColWidth(2, false, 0), widest + 8);
  EXPECT_EQ(e->ColWidths(2), widest + 8);
  EXPECT_EQ(e->AutoColWidth(2, true, 3), c->TextWidth("a very long column name") + 11);
  EXPECT_EQ(e->AutoColWidth(-1, true, 0), c->TextWidth("Attrib") + 8);
  EXPECT_EQ(e->AutoColWidth(9, true, 0), 8) << "no such column: nothing measured";
}

TEST_F(NTabEdPaint, AutoRowHeightHasAFloorOfEight) {
  TNTabEd* e = Ed();
  e->Font()->SetHeight(-3);
  EXPECT_EQ(e->AutoRowHeight(1, 0), 8);
  EXPECT_EQ(e->RowHeights(1), 8);
  e->Font()->SetSize(14);
  host::TCanvas* c = e->Canvas();
  c->SetFont(e->Font());
  EXPECT_EQ(e->AutoRowHeight(0, 1), c->TextHeight("9GMg") + 3);
  EXPECT_EQ(e->AutoRowHeight(-1, 0), e->AutoRowHeight(2, 0));
  EXPECT_EQ(e->RowHeights(-1), 0) << "the hidden attribute row is left alone";
}

// The editor hears of font changes through the host's notification, its own
// font's and (with ParentFont) the parent's alike.
TEST_F(NTabEdPaint, OptimizedRowHeightFollowsTheParentsFont) {
  TNTabEd* e = Ed();
  e->SetParentFont(true);
  e->SetOptimizeRowHeight(true);
  zeltest::Pump();
  const int before = e->DefaultRowHeight();
  Form()->Font()->SetSize(20);
  zeltest::Pump();
  ASSERT_TRUE(e->ParentFont());
  EXPECT_GT(e->DefaultRowHeight(), before);
  host::TCanvas* c = e->Canvas();
  c->SetFont(e->Font());
  const int at20 = c->TextHeight("9") + 4;
  EXPECT_EQ(e->DefaultRowHeight(), at20);
  e->Font()->SetSize(9);  // its own font now: the same notification
  zeltest::Pump();
  EXPECT_LT(e->DefaultRowHeight(), at20);
  c->SetFont(e->Font());
  EXPECT_EQ(e->DefaultRowHeight(), c->TextHeight("9") + 4);
}

TEST_F(NTabEdPaint, NothingPaintsWhileSuppressed) {
  TNTabEd* e = Ed();
  zeltest::Pump();
  e->SetSuppressPaint(true);
  e->SetColorBackground(0x00FFFF);
  const TRect r = e->CellRect(3, 3);
  EXPECT_NE(zeltest::PixelAt(e, r.Right - 2, r.Bottom - 2), 0x00FFFFu);
  e->SetSuppressPaint(false);
  EXPECT_EQ(zeltest::PixelAt(e, r.Right - 2, r.Bottom - 2), 0x00FFFFu);
}

TEST_F(NTabEdPaint, EveryKindOfCellMatchesItsPicture) {
  TNTabEd* e = Ed();
  FillSampler(e);
  e->SetColName(1, "Voltage");
  e->SetRowName(1, "Run 1");
  e->SetComment("sample");
  EXPECT_TRUE(zeltest::MatchesGolden(Form(), "ntabed-cells"));
}

TEST_F(NTabEdPaint, AutoColWidthOfANominalColumnFitsItsCategoryNames) {
  TNTabEd* e = Ed();
  e->SetMScaleType(1, zel::mstNominal);
  e->SetNominalID(1, 2, "southwest");
  e->SetElem(1, 4, 2);
  host::TCanvas* c = e->Canvas();
  c->SetFont(e->Font());
  EXPECT_EQ(e->AutoColWidth(1, false, 0), c->TextWidth("southwest") + 8);
}
