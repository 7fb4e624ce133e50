// Whole pictures of the mark selector, guarded against unnoticed change.
#include <gtest/gtest.h>

#include "instruments/ZEL_marksel.h"
#include "tests/support/Headless.h"

using namespace zel;

namespace {

class MarkSelGolden : public zeltest::HeadlessTest {};

TEST_F(MarkSelGolden, SelectorsInTheirLooks) {
  Form()->SetBounds(0, 0, 500, 390);
  // Default, with a selection and (below) the pointer over another mark.
  auto* plain = Make<TMarkSel>(4, 4, 236, 178);
  plain->SetSelected(19);
  // Disabled, with a selection.
  auto* off = Make<TMarkSel>(250, 4, 236, 178);
  off->SetSelected(27);
  off->SetEnabled(false);
  // 13 x 4, raised frame, own colours, mark 0 as a dot.
  auto* wide = Make<TMarkSel>(4, 190, 340, 110);
  wide->SetNrOfColumns(13);
  wide->SetNrOfRows(4);
  wide->SetFrameStyle(frRaised);
  wide->SetShowZeroAsCross(false);
  wide->SetColorBackGnd(0xFFFFFF);
  wide->SetColorMarks(0x804000);
  wide->SetColorSelBG(0x80FFFF);
  wide->SetColorSelFG(0x0000C0);
  wide->SetSelected(36);
  // Only the solid marks, 4 x 3.
  auto* solid = Make<TMarkSel>(350, 190, 136, 110);
  solid->SetNrOfColumns(4);
  solid->SetNrOfRows(3);
  solid->SetFrameStyle(frLowered);
  solid->HideAllMarks();
  for (int m : {13, 14, 15, 19, 20, 21, 25, 26, 27, 31, 32}) solid->SetVis(m, true);
  solid->SetSelected(20);
  zeltest::Pump();
  zeltest::MouseMove(plain, 130, 72);  // highlights mark 20
  EXPECT_TRUE(zeltest::MatchesGolden(Form(), "marksel-looks"));
}

}  // namespace
