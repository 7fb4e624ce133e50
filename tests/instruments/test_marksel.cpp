// The mark selector: where the marks sit, which mark a point chooses, the
// hover highlight and what a click or double click does.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "instruments/ZEL_marksel.h"
#include "tests/support/Headless.h"

using namespace zel;
using host::TColor;
using zeltest::PixelAt;

namespace {

TColor Face() { return host::ColorToRGB(host::clBtnFace); }

class MarkSel : public zeltest::HeadlessTest {
 protected:
  TMarkSel* Sel() {
    if (!FSel) {
      Form()->SetBounds(0, 0, 300, 240);
      FSel = Make<TMarkSel>(10, 10, 236, 178);
      zeltest::Pump();  // on the screen before the pointer comes
    }
    return FSel;
  }
  host::TPoint At(int mark) { return Sel()->Layout().Points[size_t(mark)]; }
  void ClickMark(int mark) { zeltest::Click(Sel(), At(mark).x, At(mark).y); }
  // A fresh full picture, as Paint would put it on the screen.
  std::unique_ptr<host::TBitmap> Picture() {
    auto bmp = std::make_unique<host::TBitmap>(Sel()->Width(), Sel()->Height());
    Sel()->DrawMarks(*bmp);
    return bmp;
  }

 private:
  TMarkSel* FSel = nullptr;
};

TEST_F(MarkSel, DefaultGridHasPitch29AndPutsMarksRowByRow) {
  const TMarkSel::TLayout l = Sel()->Layout();
  EXPECT_EQ(l.MarkDistHorz, 29);
  EXPECT_EQ(l.MarkDistVert, 29);
  EXPECT_EQ(l.Points[0], host::Point(14, 14));
  EXPECT_EQ(l.Points[1], host::Point(43, 14));
  EXPECT_EQ(l.Points[7], host::Point(217, 14));
  EXPECT_EQ(l.Points[8], host::Point(14, 43));
  EXPECT_EQ(l.Points[51], host::Point(14 + 3 * 29, 14 + 6 * 29));
  EXPECT_EQ(l.Cell(8), host::Rect(3, 32, 31, 60));
  EXPECT_EQ(l.HiLiteCell(8), host::Rect(4, 33, 30, 59));
  // 48 cells: the four marks beyond them lie below the control.
  EXPECT_TRUE(l.Inside[47]);
  EXPECT_FALSE(l.Inside[48]);
  EXPECT_FALSE(l.Inside[51]);
}

TEST_F(MarkSel, HiddenMarksGiveUpTheirSlotsAndMarkZeroStays) {
  Sel()->SetVis(1, false);
  EXPECT_FALSE(Sel()->GetVis(1));
  EXPECT_EQ(At(2), host::Point(43, 14));
  EXPECT_FALSE(Sel()->Layout().OnGrid[1]);
  Sel()->SetVis(0, false);
  Sel()->HideAllMarks();
  EXPECT_TRUE(Sel()->GetVis(0));
  EXPECT_FALSE(Sel()->GetVis(51));
  // Out-of-range reads give mark 0's flag.
  EXPECT_TRUE(Sel()->GetVis(-1));
  EXPECT_TRUE(Sel()->GetVis(52));
  Sel()->ShowAllMarks();
  EXPECT_TRUE(Sel()->GetVis(1));
  EXPECT_EQ(At(2), host::Point(72, 14));
}

TEST_F(MarkSel, SettersIgnoreValuesOutsideTheirRanges) {
  Sel()->SetNrOfColumns(0);
  Sel()->SetNrOfColumns(52);
  Sel()->SetNrOfRows(0);
  EXPECT_EQ(Sel()->NrOfColumns(), 8);
  EXPECT_EQ(Sel()->NrOfRows(), 6);
  Sel()->SetNrOfColumns(51);
  EXPECT_EQ(Sel()->NrOfColumns(), 51);
  Sel()->SetSelected(52);
  Sel()->SetSelected(-2);
  EXPECT_EQ(Sel()->Selected(), -1);
  Sel()->SetSelected(51);
  EXPECT_EQ(Sel()->Selected(), 51);
  Sel()->SetSelected(-1);
  EXPECT_EQ(Sel()->Selected(), -1);
}

TEST_F(MarkSel, ClickSelectsTheMarkAndReportsIt) {
  std::vector<int> got;
  int clicks = 0;
  Sel()->SetOnMarkClick([&](host::TObject* s, int x, int y, int m) {
    EXPECT_EQ(s, Sel());
    EXPECT_EQ(x, 16);
    EXPECT_EQ(y, 45);
    got.push_back(m);
  });
  Sel()->SetOnClick([&](host::TObject*) { ++clicks; });
  zeltest::Click(Sel(), 16, 45);
  EXPECT_EQ(Sel()->Selected(), 8);
  EXPECT_EQ(got, std::vector<int>{8});
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(Sel()->LastHiLite(), 8);
}

TEST_F(MarkSel, TiesGoToTheLowerIndex) {
  // 84 wide, 8 columns: pitch 10, marks 0, 1, 2 at x = 5, 15, 25.
  Sel()->SetBounds(10, 10, 84, 64);
  EXPECT_EQ(Sel()->MarkAt(10, 5), 0);
  EXPECT_EQ(Sel()->MarkAt(11, 5), 1);
  EXPECT_EQ(Sel()->MarkAt(20, 5), 1);
  EXPECT_EQ(Sel()->MarkAt(21, 5), 2);
  // The point equally far from four marks.
  EXPECT_EQ(Sel()->MarkAt(20, 10), 1);
}

TEST_F(MarkSel, WithOnlyMarkZeroEveryClickSelectsIt) {
  Sel()->HideAllMarks();
  zeltest::Click(Sel(), 200, 150);
  EXPECT_EQ(Sel()->Selected(), 0);
  Sel()->SetSelected(-1);
  zeltest::Click(Sel(), 3, 170);
  EXPECT_EQ(Sel()->Selected(), 0);
}

TEST_F(MarkSel, ClickNearTheBottomEdgeChoosesOnlyAmongCellsInsideTheControl) {
  // Mark 48 sits at y = 188, below the control; row 5 (y = 159) is farther
  // from y = 176 but is the row the user sees.
  zeltest::Click(Sel(), 14, 176);
  EXPECT_EQ(Sel()->Selected(), 40);
  EXPECT_EQ(Sel()->MarkAt(14, 1000), 40);
  // With mark 1 hidden, every mark moves one slot back: mark 48 is the last
  // cell and is chosen.
  Sel()->SetVis(1, false);
  EXPECT_EQ(Sel()->MarkAt(232, 176), 48);
}

TEST_F(MarkSel, ReleaseOutsideTheControlSelectsNothing) {
  int reported = 0;
  Sel()->SetOnMarkClick([&](host::TObject*, int, int, int) { ++reported; });
  zeltest::Drag(Sel(), 14, 14, 260, 14);
  EXPECT_EQ(Sel()->Selected(), -1);
  EXPECT_EQ(reported, 0);
}

TEST_F(MarkSel, DoubleClickReportsTheMarkThroughItsOwnEvent) {
  std::vector<int> dbl;
  Sel()->SetOnMarkDblClick([&](host::TObject*, int, int, int m) { dbl.push_back(m); });
  zeltest::DblClick(Sel(), At(9).x, At(9).y);
  EXPECT_EQ(dbl, std::vector<int>{9});
  EXPECT_EQ(Sel()->Selected(), 9);
}

TEST_F(MarkSel, HandlerClearingTheSelectionLeavesNoHighlight) {
  Sel()->SetOnMarkClick([&](host::TObject*, int, int, int) { Sel()->SetSelected(-1); });
  ClickMark(9);
  EXPECT_EQ(Sel()->Selected(), -1);
  const host::TRect h = Sel()->Layout().HiLiteCell(9);
  EXPECT_EQ(PixelAt(Sel(), h.Left + 1, h.Top + 1), Face());
}

TEST_F(MarkSel, SelectedCellIsOutlinedAndFilled) {
  Sel()->SetSelected(8);
  zeltest::Pump();
  EXPECT_EQ(PixelAt(Sel(), 3, 32), TColor(0x800000));   // outline
  EXPECT_EQ(PixelAt(Sel(), 30, 59), TColor(0x800000));  // far corner
  EXPECT_EQ(PixelAt(Sel(), 5, 34), TColor(0xFFFFFF));   // inside
  EXPECT_EQ(PixelAt(Sel(), 16, 45), TColor(0x800000));  // the symbol (a dot at 14 + 2)
  EXPECT_EQ(PixelAt(Sel(), 35, 34), Face());
}

TEST_F(MarkSel, MarkZeroIsACrossOverItsCell) {
  EXPECT_EQ(PixelAt(Sel(), 4, 4), TColor(0));
  EXPECT_EQ(PixelAt(Sel(), 29, 29), TColor(0));  // (dh + 1, dv + 1) is not drawn
  EXPECT_EQ(PixelAt(Sel(), 30, 30), Face());
  EXPECT_EQ(PixelAt(Sel(), 4, 29), TColor(0));
  Sel()->SetShowZeroAsCross(false);
  zeltest::Pump();
  EXPECT_EQ(PixelAt(Sel(), 4, 4), Face());
  EXPECT_EQ(PixelAt(Sel(), 16, 16), TColor(0));  // the dot
}

TEST_F(MarkSel, DisabledSelectorIsDrawnInGreys) {
  Sel()->SetSelected(8);
  Sel()->SetEnabled(false);
  zeltest::Pump();
  EXPECT_EQ(PixelAt(Sel(), 35, 34), TColor(0xC0C0C0));
  EXPECT_EQ(PixelAt(Sel(), 5, 34), TColor(0xDEDEDE));
  EXPECT_EQ(PixelAt(Sel(), 3, 32), TColor(0x808080));
  EXPECT_EQ(PixelAt(Sel(), 4, 4), TColor(0x808080));
}

TEST_F(MarkSel, HoverHighlightsTheCellUnderThePointerAndRestoresTheLast) {
  const host::TRect h9 = Sel()->Layout().HiLiteCell(9);
  zeltest::MouseMove(Sel(), 40, 40);
  EXPECT_EQ(Sel()->LastHiLite(), 9);
  EXPECT_EQ(PixelAt(Sel(), h9.Left, h9.Top), TColor(0x0000FF));
  EXPECT_EQ(PixelAt(Sel(), 45, 45), TColor(0xFFFFFF));  // the centre of the star (mark 9)
  zeltest::MouseMove(Sel(), 70, 40);
  EXPECT_EQ(Sel()->LastHiLite(), 10);
  EXPECT_EQ(PixelAt(Sel(), h9.Left, h9.Top), Face());
  EXPECT_EQ(PixelAt(Sel(), 45, 45), TColor(0));
}

TEST_F(MarkSel, RestoringTheSelectedCellKeepsItsSelectionLook) {
  Sel()->SetSelected(9);
  zeltest::MouseMove(Sel(), 40, 40);
  zeltest::MouseMove(Sel(), 70, 40);
  const host::TRect c9 = Sel()->Layout().Cell(9);
  EXPECT_EQ(PixelAt(Sel(), c9.Left, c9.Top), TColor(0x800000));
  EXPECT_EQ(PixelAt(Sel(), c9.Left + 2, c9.Top + 2), TColor(0xFFFFFF));
}

TEST_F(MarkSel, FirstMoveOverMarkZeroHighlightsNothing) {
  zeltest::MouseMove(Sel(), 14, 14);
  EXPECT_EQ(Sel()->LastHiLite(), 0);
  EXPECT_EQ(PixelAt(Sel(), 10, 5), Face());
}

TEST_F(MarkSel, FullRepaintRemovesTheHighlightUntilTheNextMark) {
  zeltest::MouseMove(Sel(), 43, 43);
  Sel()->SetColorMarks(0x008000);
  const host::TRect h9 = Sel()->Layout().HiLiteCell(9);
  EXPECT_EQ(PixelAt(Sel(), h9.Left, h9.Top), Face());
  zeltest::MouseMove(Sel(), 44, 44);
  EXPECT_EQ(PixelAt(Sel(), h9.Left, h9.Top), Face());
  zeltest::MouseMove(Sel(), 72, 43);
  EXPECT_EQ(PixelAt(Sel(), Sel()->Layout().HiLiteCell(10).Left, h9.Top), TColor(0x0000FF));
}

TEST_F(MarkSel, MarkHiddenWhileHighlightedLeavesNoGhost) {
  zeltest::MouseMove(Sel(), 43, 43);  // highlight mark 9
  Sel()->SetVis(9, false);            // mark 10 takes its slot
  zeltest::MouseMove(Sel(), 130, 130);
  // Everything but the new highlight is the picture itself.
  const auto picture = Picture();
  const host::TRect lit = Sel()->Layout().HiLiteCell(Sel()->LastHiLite());
  for (int y = 0; y < Sel()->Height(); ++y) {
    for (int x = 0; x < Sel()->Width(); ++x) {
      if (lit.Contains(x, y)) continue;
      ASSERT_EQ(PixelAt(Sel(), x, y), picture->Canvas()->Pixels(x, y)) << x << "," << y;
    }
  }
}

TEST_F(MarkSel, OnPaintFollowsEveryFullPaint) {
  int paints = 0;
  Sel()->SetOnPaint([&](host::TObject*) { ++paints; });
  Sel()->SetColorSelBG(0x00FFFF);
  EXPECT_EQ(paints, 1);
  Sel()->SetColorSelBG(0x00FFFF);
  EXPECT_EQ(paints, 1);
  ClickMark(3);
  EXPECT_GE(paints, 2);
}

TEST_F(MarkSel, AssignCopiesGridSelectionColoursAndVisibility) {
  Sel()->SetNrOfColumns(13);
  Sel()->SetSelected(7);
  Sel()->SetColorHiLiteBG(0x00FF00);
  Sel()->SetVis(5, false);
  auto* copy = Make<TMarkSel>(0, 0, 100, 100);
  copy->Assign(Sel());
  EXPECT_EQ(copy->NrOfColumns(), 13);
  EXPECT_EQ(copy->Selected(), 7);
  EXPECT_EQ(copy->ColorHiLiteBG(), TColor(0x00FF00));
  EXPECT_FALSE(copy->GetVis(5));
}

TEST_F(MarkSel, TinyAndEmptySizesPaintAndChooseMarkZeroWithoutHarm) {
  for (int size : {0, 1, 3, 5}) {
    Sel()->SetBounds(10, 10, size, size);
    Sel()->SetNrOfColumns(51);
    zeltest::Pump();
    zeltest::MouseMove(Form(), 10, 10);
    EXPECT_EQ(Sel()->MarkAt(0, 0), 0) << size;
    Sel()->SetNrOfColumns(1);
    zeltest::Pump();
  }
  Sel()->SetBounds(10, 10, 2, 2);
  zeltest::Click(Sel(), 1, 1);
  EXPECT_EQ(Sel()->Selected(), 0);
}

}  // namespace
