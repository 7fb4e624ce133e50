#include <gtest/gtest.h>

#include <string>

#include "host/ui/Messages.h"
#include "host/widgets/Menus.h"
#include "host/widgets/StdCtrls.h"
#include "ntabed/ZEL_ntabed.h"
#include "tests/ntabed/FocusedEditor.h"
#include "tests/support/Headless.h"

using host::TGridCoord;
using zel::TNTabEd;

namespace {

class NTabEdEdit : public zeltest::FocusedTableEditor {
 protected:
  // Moves to data cell (c, r) and types text followed by Enter.
  void TypeInto(int c, int r, const std::string& text) {
    TNTabEd* e = Ed();
    e->SetCol(c + 1);  // the attribute column shows
    e->SetRow(r);
    zeltest::TypeText(Form(), text);
    zeltest::PressKey(Form(), host::VK_RETURN);
  }
  TGridCoord Current() { return {Ed()->Col() - 1, Ed()->Row()}; }
};

}  // namespace

TEST_F(NTabEdEdit, TypedNumbersTakeCommaOrPointAndBlanksAroundThem) {
  TNTabEd* e = Ed();
  e->SetElem(1, 1, 9);
  TypeInto(1, 1, "1,5");
  EXPECT_EQ(e->Elem(1, 1), 1.5);
  TypeInto(2, 1, " 2 ");
  EXPECT_EQ(e->Elem(2, 1), 2);
  TypeInto(3, 1, "-1.5e2");
  EXPECT_EQ(e->Elem(3, 1), -150);
  EXPECT_EQ(e->CellState(1, 1), 0);
}

TEST_F(NTabEdEdit, InvalidTextKeepsTheValueAndMarksTheCellUntilAGoodOne) {
  TNTabEd* e = Ed();
  e->SetElem(1, 1, 4);
  e->SetElemMarkedA(1, 1, true);
  TypeInto(1, 1, "abc");
  EXPECT_EQ(e->Elem(1, 1), 4);
  EXPECT_EQ(e->CellState(1, 1), zel::kcsInvalid | zel::kcsMarkedA);
  EXPECT_EQ(e->CellText(1, 1), "-nan-");
  TypeInto(1, 1, "12x");  // a number with trailing garbage is no number
  EXPECT_EQ(e->Elem(1, 1), 4);
  TypeInto(1, 1, "7");
  EXPECT_EQ(e->Elem(1, 1), 7);
  EXPECT_EQ(e->CellState(1, 1), zel::kcsMarkedA);  // only the invalid bit goes
}

TEST_F(NTabEdEdit, AnEmptyCellTakesTheValueButStaysEmpty) {
  TNTabEd* e = Ed();
  e->SetIsEmpty(2, 2, true);
  TypeInto(2, 2, "3.25");
  EXPECT_EQ(e->Elem(2, 2), 3.25);
  EXPECT_TRUE(e->IsEmpty(2, 2));
}

TEST_F(NTabEdEdit, CategoryNamesStoreTheirCodeAndClearEveryStateBit) {
  TNTabEd* e = Ed();
  e->SetMScaleType(2, zel::mstNominal);
  e->SetNominalID(2, 3, "red");
  e->SetCellState(2, 1, zel::kcsMarkedA | zel::kcsMarkedB | zel::kcsInvalid);
  TypeInto(2, 1, "RED");
  EXPECT_EQ(e->Elem(2, 1), 3);
  EXPECT_EQ(e->CellState(2, 1), 0);
  e->SetCellState(2, 2, zel::kcsMarkedA | zel::kcsInvalid);
  TypeInto(2, 2, "7");
  EXPECT_EQ(e->Elem(2, 2), 7);
  EXPECT_EQ(e->CellState(2, 2), zel::kcsMarkedA);
  TypeInto(2, 2, "blue");
  EXPECT_EQ(e->Elem(2, 2), 7);
  EXPECT_TRUE(e->CellState(2, 2) & zel::kcsInvalid);
}

TEST_F(NTabEdEdit, EditTextsAreTheCategoryNameOrTheNumberAndCanBeChanged) {
  TNTabEd* e = Ed();
  e->SetMScaleType(1, zel::mstOrdinal);
  e->SetNominalID(1, 2, "low");
  e->SetElem(1, 1, 2);
  e->SetElem(1, 2, 5);
  e->SetElem(2, 1, 1.25);
  e->SetPrecision(2, 2);
  std::string seen;
  e->SetOnGetEditText([&](host::TObject*, int c, int r, std::string& v) {
    seen += v + ";";
    if (c == 3 && r == 1) v = "x" + v;
  });
  e->SetCol(2), e->SetRow(1);
  e->ShowEditor();
  EXPECT_EQ(e->InplaceEditor()->Text(), "low");
  e->HideEditor();
  e->SetRow(2);
  e->ShowEditor();
  EXPECT_EQ(e->InplaceEditor()->Text(), "5");
  e->HideEditor();
  e->SetCol(3), e->SetRow(1);
  e->ShowEditor();
  EXPECT_EQ(e->InplaceEditor()->Text(), "x1.25");
  EXPECT_EQ(seen, "low;5;1.25;");
  e->HideEditor();
}

TEST_F(NTabEdEdit, CategoricalColumnsPickFromTheirNamesInCodeOrder) {
  TNTabEd* e = Ed();
  e->SetMScaleType(1, zel::mstNominal);
  e->SetNominalID(1, 5, "five");
  e->SetNominalID(1, 2, "two");
  e->SetNomEditDropDownCount(3);
  e->SetCol(2), e->SetRow(1);
  e->ShowEditor();
  auto* list = dynamic_cast<host::TInplaceEditList*>(e->InplaceEditor());
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->EditStyle(), host::esPickList);
  EXPECT_EQ(list->DropDownRows(), 3);
  list->DropDown();
  ASSERT_EQ(list->PickList()->Count(), 2);
  EXPECT_EQ(list->PickList()->Strings(0), "two");
  EXPECT_EQ(list->PickList()->Strings(1), "five");
  list->CloseUp(false);
  e->SetNomEditDropDownCount(5);
  EXPECT_EQ(list->DropDownRows(), 5);
  e->HideEditor();
}

TEST_F(NTabEdEdit, AutoAdvanceMovesDownOrRightAfterEnter) {
  TNTabEd* e = Ed();
  TypeInto(1, 1, "1");
  EXPECT_EQ(Current(), (TGridCoord{1, 2}));
  e->SetAutoAdvanceDir(zel::orHorizontal);
  TypeInto(1, 1, "2");
  EXPECT_EQ(Current(), (TGridCoord{2, 1}));
  e->SetAutoAdvance(false);
  TypeInto(1, 1, "3");
  EXPECT_EQ(Current(), (TGridCoord{1, 1}));
  EXPECT_EQ(e->Elem(1, 1), 3);
}

TEST_F(NTabEdEdit, LockedCellsTakeNoTypingButArrowsAndEnterStillMove) {
  TNTabEd* e = Ed();
  e->SetElem(1, 1, 5);
  e->SetCellState(1, 1, zel::kcsLocked);
  e->SetCol(2), e->SetRow(1);
  zeltest::TypeText(Form(), "9");
  EXPECT_FALSE(e->EditorMode());
  EXPECT_EQ(Current(), (TGridCoord{1, 1}));  // the swallowed key did not advance
  zeltest::PressKey(Form(), host::VK_F2);    // nor does F2 open an editor
  EXPECT_FALSE(e->EditorMode());
  EXPECT_EQ(e->Elem(1, 1), 5);
  zeltest::PressKey(Form(), host::VK_RIGHT);
  EXPECT_EQ(Current(), (TGridCoord{2, 1}));
  zeltest::PressKey(Form(), host::VK_LEFT);
  zeltest::PressKey(Form(), host::VK_RETURN);  // Enter advances as ever
  EXPECT_EQ(Current(), (TGridCoord{1, 2}));
}

TEST_F(NTabEdEdit, ReadOnlyDataTakeNoTyping) {
  TNTabEd* e = Ed();
  e->SetDataReadOnly(true);
  EXPECT_FALSE(e->Options() & host::goEditing);
  TypeInto(1, 1, "8");
  EXPECT_EQ(e->Elem(1, 1), 0);
  e->SetDataReadOnly(false);
  EXPECT_TRUE(e->Options() & host::goEditing);
  TypeInto(1, 1, "8");
  EXPECT_EQ(e->Elem(1, 1), 8);
}

TEST_F(NTabEdEdit, SetEditTextReportsAfterStoring) {
  TNTabEd* e = Ed();
  int changes = 0;
  e->SetOnChange([&](host::TObject*) { ++changes; });
  std::string stored;
  e->SetOnSetEditText([&](host::TObject*, int c, int r, const std::string& v) {
    stored = std::to_string(c) + "," + std::to_string(r) + "=" + v;
    EXPECT_EQ(e->Elem(1, 1), 4.5);  // the value is in before the event
  });
  TypeInto(1, 1, "4.5");
  EXPECT_EQ(stored, "2,1=4.5");
  EXPECT_EQ(changes, 1);
}

TEST_F(NTabEdEdit, AFirstClickSelectsASecondClickOnTheSameCellEdits) {
  TNTabEd* e = Ed();
  int selections = 0;
  e->SetOnSelectionChanged([&](host::TObject*) { ++selections; });
  const host::TRect r = e->CellRect(3, 2);
  const int x = (r.Left + r.Right) / 2, y = (r.Top + r.Bottom) / 2;
  zeltest::Click(e, x, y);
  EXPECT_EQ(Current(), (TGridCoord{2, 2}));
  EXPECT_FALSE(e->EditorMode());
  EXPECT_EQ(selections, 1);
  zeltest::Click(e, x, y);
  EXPECT_TRUE(e->EditorMode());
  e->HideEditor();
  // Not on a locked cell, however often it is clicked.
  e->SetCellState(2, 2, zel::kcsLocked);
  zeltest::Click(e, x, y);
  zeltest::Click(e, x, y);
  EXPECT_FALSE(e->EditorMode());
}
