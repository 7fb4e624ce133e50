#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "host/ui/Clipbrd.h"
#include "ntabed/ZEL_ntabed.h"
#include "tests/support/Headless.h"

using host::Clipboard;
using host::TGridRect;
using zel::TNTabEd;

namespace {

class NTabEdClip : public zeltest::HeadlessTest {
 protected:
  TNTabEd* Ed() {
    if (!FEd) FEd = Make<TNTabEd>(0, 0, 200, 120);
    return FEd;
  }
  // Selects data cells c0..c1 x r0..r1 (the attribute column shows).
  void Select(int c0, int r0, int c1, int r1) { Ed()->SetSelection({c0 + 1, r0, c1 + 1, r1}); }
  void Extract(const std::string& text) {
    Clipboard()->SetAsText(text);
    Ed()->ExtractFromClipboard();
  }

 private:
  TNTabEd* FEd = nullptr;
};

}  // namespace

TEST_F(NTabEdClip, CopyWritesTabSeparatedRowsWithTheColumnsPrecision) {
  TNTabEd* e = Ed();
  e->SetClipboardUseFullPrec(false);
  e->SetPrecision(1, 2);
  e->SetElem(1, 1, 2.5);
  Select(1, 1, 1, 1);
  e->CopySelection();
  EXPECT_EQ(Clipboard()->AsText(), " 2.50\r\n");
  e->SetPrecision(2, 1);
  e->SetElem(2, 1, -1);
  e->SetElem(1, 2, 12345678.126);
  e->SetElem(2, 2, 0.04);
  e->SetIsEmpty(2, 2, true);
  Select(1, 1, 2, 2);
  e->CopySelection();
  EXPECT_EQ(Clipboard()->AsText(), " 2.50\t-1.0\r\n 12345678.13\t####\r\n");
  e->SetPrecision(1, -1);
  Select(1, 1, 1, 1);
  e->CopySelection();
  EXPECT_EQ(Clipboard()->AsText(), " 2.5E+0000\r\n");
}

TEST_F(NTabEdClip, FullPrecisionIsA22CharacterExponentForm) {
  TNTabEd* e = Ed();
  e->SetElem(1, 1, -1.0 / 3);
  e->SetElem(2, 1, 6.02214076e23);
  e->SetCellState(3, 1, zel::kcsInvalid);
  Select(1, 1, 3, 1);
  e->CopySelection();
  EXPECT_EQ(Clipboard()->AsText(), " -3.3333333333333E-0001\t 6.0221407600000E+0023\t####\r\n");
  // What was copied reads back to 14 significant digits.
  Select(1, 2, 1, 2);
  e->ExtractFromClipboard();
  EXPECT_NEAR(e->Elem(1, 2), -1.0 / 3, 1e-14);
  EXPECT_DOUBLE_EQ(e->Elem(2, 2), 6.02214076e23);
}

TEST_F(NTabEdClip, PasteRestoresValuesAndStatesAndClipsAtTheTableEdge) {
  TNTabEd* e = Ed();
  EXPECT_FALSE(e->CopyDone());
  e->PasteCopy();  // nothing copied: nothing happens
  EXPECT_EQ(e->Elem(1, 1), 0);
  e->SetElem(1, 1, 1);
  e->SetElem(2, 1, 2);
  e->SetElem(1, 2, 3);
  e->SetCellState(2, 1, zel::kcsEmpty | zel::kcsMarkedB);
  e->SetCellState(1, 2, zel::kcsInvalid);
  Select(1, 1, 2, 2);
  e->CopySelection();
  EXPECT_TRUE(e->CopyDone());
  int pastes = 0, changes = 0;
  e->SetOnPaste([&](host::TObject*) { ++pastes; });
  e->SetOnChange([&](host::TObject*) { ++changes; });
  Select(2, 3, 2, 3);
  e->PasteCopy();
  EXPECT_EQ(e->Elem(2, 3), 1);
  EXPECT_EQ(e->Elem(3, 3), 2);
  EXPECT_EQ(e->CellState(3, 3), zel::kcsEmpty | zel::kcsMarkedB);
  EXPECT_EQ(e->Elem(2, 4), 3);
  EXPECT_EQ(e->CellState(2, 4), zel::kcsInvalid);
  EXPECT_EQ(e->Selection(), (TGridRect{3, 3, 4, 4}));
  EXPECT_EQ(pastes, 1);
  EXPECT_EQ(changes, 1);
  // At the corner only the cell that fits is written; the selection stays inside.
  Select(3, 4, 3, 4);
  e->PasteCopy();
  EXPECT_EQ(e->Elem(3, 4), 1);
  EXPECT_EQ(e->Selection(), (TGridRect{4, 4, 4, 4}));
  EXPECT_EQ(e->NrOfColumns(), 3);
}

TEST_F(NTabEdClip, ExtractReadsNumbersOutOfMixedTextRowByRow) {
  TNTabEd* e = Ed();
  e->SetCellState(1, 1, zel::kcsMarkedA);
  int pastes = 0;
  e->SetOnPaste([&](host::TObject*) { ++pastes; });
  Select(1, 1, 1, 1);
  Extract("T1: 1,5\tx\r\n1.5E3 3. --1\r\n");
  EXPECT_EQ(e->Elem(1, 1), 1);
  EXPECT_EQ(e->Elem(2, 1), 1);
  EXPECT_EQ(e->Elem(3, 1), 5);
  EXPECT_EQ(e->Elem(1, 2), 1500);
  EXPECT_EQ(e->Elem(2, 2), 3);
  EXPECT_EQ(e->Elem(3, 2), 0);                     // the two minus signs: 0, and the 1 does not fit
  EXPECT_EQ(e->CellState(1, 1), zel::kcsMarkedA);  // states stay
  EXPECT_EQ(e->Selection(), (TGridRect{2, 1, 4, 2}));
  EXPECT_EQ(pastes, 1);
}

TEST_F(NTabEdClip, ExtractTakesBareLineFeedsAsRowEnds) {
  TNTabEd* e = Ed();
  Select(1, 1, 1, 1);
  Extract("1\t2\n3\t4\n");
  EXPECT_EQ(e->Elem(1, 2), 3);
  EXPECT_EQ(e->Elem(2, 2), 4);
  EXPECT_EQ(e->Elem(3, 1), 0);
  EXPECT_EQ(e->Selection(), (TGridRect{2, 1, 3, 2}));
}

TEST_F(NTabEdClip, ExtractBeyondTheTableIsClippedAndTheSelectionStaysInside) {
  TNTabEd* e = Ed();
  Select(2, 3, 2, 3);
  Extract("1 2 3 4 5\n6 7 8 9 10\n11\n12\n");
  EXPECT_EQ(e->Elem(2, 3), 1);
  EXPECT_EQ(e->Elem(3, 3), 2);
  EXPECT_EQ(e->Elem(3, 4), 7);
  EXPECT_EQ(e->NrOfColumns(), 3);
  EXPECT_EQ(e->NrOfRows(), 4);
  EXPECT_EQ(e->Selection(), (TGridRect{3, 3, 4, 4}));
  // Huge exponents are clamped, tiny ones vanish.
  Select(1, 1, 1, 1);
  Extract("1E9999 -1e400 1e-9999");
  EXPECT_EQ(e->Elem(1, 1), std::numeric_limits<double>::max());
  EXPECT_EQ(e->Elem(2, 1), -std::numeric_limits<double>::max());
  EXPECT_EQ(e->Elem(3, 1), 0);
}

TEST_F(NTabEdClip, ExtractWithoutTextOnTheClipboardDoesNothing) {
  TNTabEd* e = Ed();
  e->SetElem(1, 1, 7);
  Clipboard()->Clear();
  int pastes = 0;
  e->SetOnPaste([&](host::TObject*) { ++pastes; });
  e->ExtractFromClipboard();
  EXPECT_EQ(e->Elem(1, 1), 7);
  EXPECT_EQ(pastes, 0);
  int c = 0, r = 0;
  EXPECT_FALSE(e->GetClipMatrixSize(c, r));
  EXPECT_EQ(c, 1);
  EXPECT_EQ(r, 1);
}

TEST_F(NTabEdClip, ClipMatrixSizeCountsRowsColumnsAndTheLastLine) {
  TNTabEd* e = Ed();
  int c = 0, r = 0;
  Clipboard()->SetAsText("1\t2\r\n3\t4\r\n");
  EXPECT_TRUE(e->GetClipMatrixSize(c, r));
  EXPECT_EQ(c, 2);
  EXPECT_EQ(r, 3);
  Clipboard()->SetAsText("1,5");
  EXPECT_TRUE(e->GetClipMatrixSize(c, r));
  EXPECT_EQ(c, 1);
  Clipboard()->SetAsText("1\n2 3 4");  // a last line without a line break
  EXPECT_TRUE(e->GetClipMatrixSize(c, r));
  EXPECT_EQ(c, 3);
  EXPECT_EQ(r, 2);
  Clipboard()->SetAsText("1 2\n3\n");  // bare LF ends rows as CRLF does
  EXPECT_TRUE(e->GetClipMatrixSize(c, r));
  EXPECT_EQ(c, 2);
  EXPECT_EQ(r, 3);
}

TEST_F(NTabEdClip, ACopiedBlockExtractsBackToTheSameValues) {
  TNTabEd* e = Ed();
  e->Redimension(3, 4);
  for (int r = 1; r <= 2; ++r)
    for (int c = 1; c <= 3; ++c) e->SetElem(c, r, c * 1.5 - r * 100.25);
  Select(1, 1, 3, 2);
  e->CopySelection();
  int c = 0, r = 0;
  EXPECT_TRUE(e->GetClipMatrixSize(c, r));
  EXPECT_EQ(c, 3);
  EXPECT_EQ(r, 3);
  Select(1, 3, 1, 3);
  e->ExtractFromClipboard();
  for (int row = 1; row <= 2; ++row)
    for (int col = 1; col <= 3; ++col) EXPECT_EQ(e->Elem(col, row + 2), e->Elem(col, row));
}
