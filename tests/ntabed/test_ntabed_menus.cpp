#include <gtest/gtest.h>

#include <string>

#include "host/ui/Clipbrd.h"
#include "host/widgets/Menus.h"
#include "host/widgets/StdCtrls.h"
#include "ntabed/ZEL_ntabed.h"
#include "tests/ntabed/FocusedEditor.h"
#include "tests/support/Headless.h"

using host::TMenuItem;
using host::TRect;
using zel::TNTabEd;

namespace {

class NTabEdMenus : public zeltest::FocusedTableEditor {
 protected:
  void Created(TNTabEd* e) override {
    e->SetOnBeforePopup([this](host::TObject*, host::TPopupMenu* m) { LastMenu = m; });
  }
  // A right click in the middle of a grid cell; the menu it opens closes at
  // once, as nobody drives it.
  void RightClick(int gc, int gr) {
    const TRect r = Ed()->CellRect(gc, gr);
    zeltest::Click(Ed(), (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2, host::mbRight);
  }
  TMenuItem* D(int i) { return Ed()->PopupDTAction()->Items()->Items(i - 1); }
  TMenuItem* H(int i) { return Ed()->PopupHTAction()->Items()->Items(i - 1); }
  host::TPopupMenu* LastMenu = nullptr;
};

}  // namespace

TEST_F(NTabEdMenus, TheMenusCarryTheirNamesCaptionsAndCaptionLimits) {
  TNTabEd* e = Ed();
  EXPECT_EQ(e->PopupDTAction()->Name(), "PopupDTAction");
  EXPECT_EQ(D(10)->Name(), "DIt10");
  EXPECT_EQ(D(10)->Caption(), "Extract from Clipboard");
  EXPECT_EQ(D(2)->Items(3)->Name(), "M2It4");
  EXPECT_EQ(D(3)->Items(0)->Caption(), "Range");
  EXPECT_EQ(H(5)->Name(), "HIt5");
  EXPECT_EQ(e->PopupHCaptions(2), "Change Precision");
  EXPECT_EQ(e->PopupDCaptions(0), "");
  EXPECT_EQ(e->PopupHCaptions(6), "");
  e->SetPopupDCaptions(13, "x");  // ignored
  e->SetPopupDCaptions(6, std::string(60, 'c'));
  EXPECT_EQ(e->PopupDCaptions(6), std::string(50, 'c'));
  e->SetPopupMCaptions(2, "Spalte");
  EXPECT_EQ(D(1)->Items(1)->Caption(), "Spalte");
  EXPECT_EQ(D(2)->Items(1)->Caption(), "Spalte");
  EXPECT_EQ(D(3)->Items(1)->Caption(), "Column");
  e->SetPopupUCaptions(4, "Alle");
  EXPECT_EQ(D(4)->Items(3)->Caption(), "Alle");
  EXPECT_EQ(e->PopupUCaptions(4), "Alle");
}

TEST_F(NTabEdMenus, ARightClickOnADataCellOpensTheDataMenuWithTheReadOnlyBox) {
  TNTabEd* e = Ed();
  RightClick(3, 2);
  EXPECT_EQ(LastMenu, e->PopupDTAction());
  EXPECT_TRUE(D(9)->HasBitmap());
  host::TBitmap empty;
  empty.LoadFromResourceName("EMPTYBOX");
  EXPECT_EQ(D(9)->Bitmap()->Canvas()->Pixels(8, 8), empty.Canvas()->Pixels(8, 8));
  D(9)->Click();
  EXPECT_TRUE(e->DataReadOnly());
  RightClick(3, 2);
  host::TBitmap checked;
  checked.LoadFromResourceName("CHECKEDBOX");
  bool same = true;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      same = same && D(9)->Bitmap()->Canvas()->Pixels(x, y) == checked.Canvas()->Pixels(x, y);
  EXPECT_TRUE(same);
}

TEST_F(NTabEdMenus, PasteClearAndExtractNeedTheirBitACopyAndWritableData) {
  TNTabEd* e = Ed();
  RightClick(3, 2);
  EXPECT_FALSE(D(8)->Enabled());  // nothing copied yet
  EXPECT_TRUE(D(6)->Enabled());
  e->SetPopupDMask(0xFFFF);  // a full mask still offers no paste of nothing
  EXPECT_FALSE(D(8)->Enabled());
  RightClick(3, 2);
  EXPECT_FALSE(D(8)->Enabled());
  D(7)->Click();
  RightClick(3, 2);
  EXPECT_TRUE(D(8)->Enabled());
  // Clear and Extract follow their mask bits, not only the read-only state.
  e->SetPopupDMask(0xFFFF & ~(1 << 5) & ~(1 << 9));
  RightClick(3, 2);
  EXPECT_FALSE(D(6)->Enabled());
  EXPECT_FALSE(D(10)->Enabled());
  EXPECT_TRUE(D(8)->Enabled());
  e->SetPopupDMask(0xFFFF);
  e->SetDataReadOnly(true);
  RightClick(3, 2);
  EXPECT_FALSE(D(6)->Enabled());
  EXPECT_FALSE(D(8)->Enabled());
  EXPECT_FALSE(D(10)->Enabled());
  EXPECT_TRUE(D(7)->Enabled());
}

TEST_F(NTabEdMenus, MaskWritesSetTheItemsAndReportASetupChange) {
  TNTabEd* e = Ed();
  int setups = 0;
  e->SetOnChangeSetup([&](host::TObject*) { ++setups; });
  e->SetPopupDMask(1 << 10);
  EXPECT_TRUE(D(11)->Enabled());
  EXPECT_FALSE(D(1)->Enabled());
  e->SetPopupHMask(1);
  EXPECT_TRUE(H(1)->Enabled());
  EXPECT_FALSE(H(2)->Enabled());
  EXPECT_EQ(setups, 2);
  EXPECT_EQ(e->PopupHMask(), 1);
}

TEST_F(NTabEdMenus, MarkingSubmenusReachRangeColumnRowOrAll) {
  TNTabEd* e = Ed();
  e->SetSelection({3, 2, 3, 2});  // data cell (2, 2)
  int changes = 0;
  e->SetOnCellStateChanged([&](host::TObject*) { ++changes; });
  D(1)->Items(0)->Click();  // A, range
  EXPECT_TRUE(e->ElemMarkedA(2, 2));
  EXPECT_EQ(e->NrOfMarkedDataA(), 1);
  D(2)->Items(1)->Click();  // B, column
  EXPECT_EQ(e->NrOfMarkedDataB(), 4);
  EXPECT_TRUE(e->ElemMarkedB(2, 4));
  D(4)->Items(1)->Click();  // unmark B, column
  D(2)->Items(2)->Click();  // B, row
  EXPECT_EQ(e->NrOfMarkedDataB(), 3);
  EXPECT_TRUE(e->ElemMarkedB(1, 2));
  D(1)->Items(3)->Click();  // A, all
  EXPECT_EQ(e->NrOfMarkedDataA(), 12);
  D(3)->Items(0)->Click();  // unmark A, range
  EXPECT_EQ(e->NrOfMarkedDataA(), 11);
  D(5)->Click();
  EXPECT_FALSE(e->IfAnyMarked());
  EXPECT_EQ(changes, 7);
}

TEST_F(NTabEdMenus, ClearToggleEmptyAndSelectAllActOnTheSelection) {
  TNTabEd* e = Ed();
  e->Fill(5);
  e->SetCellState(1, 1, zel::kcsMarkedA);
  e->SetSelection({2, 1, 3, 2});
  D(12)->Click();
  EXPECT_TRUE(e->IsEmpty(1, 1) && e->IsEmpty(2, 2));
  EXPECT_FALSE(e->IsEmpty(3, 1));
  int changes = 0;
  e->SetOnChange([&](host::TObject*) { ++changes; });
  D(6)->Click();
  EXPECT_EQ(e->Elem(2, 2), 0);
  EXPECT_EQ(e->CellState(1, 1), 0);
  EXPECT_EQ(e->Elem(3, 1), 5);
  EXPECT_EQ(changes, 1);
  // With OnClear the program clears; the editor does nothing itself.
  host::TObject* sender = nullptr;
  e->SetOnClear([&](host::TObject* s) { sender = s; });
  e->SetSelection({4, 4, 4, 4});
  D(6)->Click();
  EXPECT_EQ(sender, D(6));
  EXPECT_EQ(e->Elem(3, 4), 5);
  int selections = 0;
  e->SetOnSelectionChanged([&](host::TObject*) { ++selections; });
  D(11)->Click();
  EXPECT_EQ(e->Selection(), (host::TGridRect{2, 1, 4, 4}));
  EXPECT_EQ(selections, 1);
}

TEST_F(NTabEdMenus, TheHeaderMenuFollowsTheClickedHeader) {
  TNTabEd* e = Ed();
  RightClick(3, 0);  // the name of data column 2
  EXPECT_EQ(LastMenu, e->PopupHTAction());
  EXPECT_EQ(H(3)->Caption(), "Select Column");
  EXPECT_EQ(H(5)->Caption(), "Delete Column");
  EXPECT_TRUE(H(2)->Enabled());
  H(3)->Click();
  EXPECT_EQ(e->Selection(), (host::TGridRect{3, 1, 3, 4}));
  RightClick(0, 3);  // the name of data row 3
  EXPECT_EQ(H(4)->Caption(), "Insert Row");
  EXPECT_FALSE(H(2)->Enabled());  // precision belongs to columns
  H(3)->Click();
  EXPECT_EQ(e->Selection(), (host::TGridRect{2, 3, 4, 3}));
  e->SetDataReadOnly(true);
  RightClick(1, 2);  // the attribute of data row 2
  EXPECT_FALSE(H(4)->Enabled());
  EXPECT_FALSE(H(5)->Enabled());
  EXPECT_TRUE(H(3)->Enabled());
}

TEST_F(NTabEdMenus, ChangePrecisionStepsDownAndWrapsFromMinusOneToTen) {
  TNTabEd* e = Ed();
  e->SetPrecision(1, 0);
  int layouts = 0;
  e->SetOnLayoutChanged([&](host::TObject*) { ++layouts; });
  RightClick(2, 0);
  H(2)->Click();
  EXPECT_EQ(e->Precision(1), -1);
  H(2)->Click();
  EXPECT_EQ(e->Precision(1), 10);
  H(2)->Click();
  EXPECT_EQ(e->Precision(1), 9);
  EXPECT_EQ(layouts, 3);
}

TEST_F(NTabEdMenus, InsertingFromTheHeaderMenuKeepsLaterChangesReported) {
  TNTabEd* e = Ed();
  int changes = 0;
  e->SetOnChange([&](host::TObject*) { ++changes; });
  RightClick(3, 0);
  H(4)->Click();
  EXPECT_EQ(e->NrOfColumns(), 4);
  EXPECT_EQ(e->ColName(2), "(...)");
  RightClick(0, 2);
  H(4)->Click();
  EXPECT_EQ(e->NrOfRows(), 5);
  EXPECT_EQ(e->RowName(2), "(...)");
  EXPECT_EQ(changes, 0);
  e->Data->SetElem(1, 1, 3);  // a change made to the table itself
  EXPECT_EQ(changes, 1);
}

TEST_F(NTabEdMenus, DeletingTheOnlyRowDoesNothingButStillReportsTheSetup) {
  TNTabEd* e = Ed();
  e->Redimension(3, 1);
  int setups = 0;
  e->SetOnChangeSetup([&](host::TObject*) { ++setups; });
  RightClick(0, 1);
  H(5)->Click();
  EXPECT_EQ(e->NrOfRows(), 1);
  EXPECT_EQ(setups, 1);
  RightClick(3, 0);
  H(5)->Click();
  EXPECT_EQ(e->NrOfColumns(), 2);
  EXPECT_EQ(setups, 2);
}

TEST_F(NTabEdMenus, HeadingEditorStoresNamesAndClampedAttributes) {
  TNTabEd* e = Ed();
  int headings = 0;
  e->SetOnHeadingChanged([&](host::TObject*) { ++headings; });
  auto edit = [&](int gc, int gr, const std::string& text, host::Word end = host::VK_RETURN) {
    RightClick(gc, gr);
    H(1)->Click();
    ASSERT_TRUE(e->HeadingEditorOpen());
    e->HeadingEditor()->SetText(text);
    zeltest::PressKey(Form(), end);
    EXPECT_FALSE(e->HeadingEditorOpen());
  };
  edit(2, 0, std::string(55, 'n'));
  EXPECT_EQ(e->ColName(1), std::string(50, 'n'));
  edit(0, 2, "Probe 7");
  EXPECT_EQ(e->RowName(2), "Probe 7");
  edit(1, 1, "300");
  EXPECT_EQ(e->RowAttrib(1), 255);
  edit(1, 2, "-4");
  EXPECT_EQ(e->RowAttrib(2), 0);
  edit(1, 3, "12.6");
  EXPECT_EQ(e->RowAttrib(3), 13);
  edit(1, 3, "x");
  EXPECT_EQ(e->RowAttrib(3), 13);
  edit(0, 3, "dropped", host::VK_ESCAPE);
  EXPECT_NE(e->RowName(3), "dropped");
  EXPECT_EQ(headings, 5);
  // The corner cells edit nothing.
  e->EditHeading(1, 0);
  EXPECT_FALSE(e->HeadingEditorOpen());
}

TEST_F(NTabEdMenus, TheCommentEditorOpensFromTheCornerAndStoresOnEnter) {
  TNTabEd* e = Ed();
  RightClick(0, 0);
  ASSERT_TRUE(e->CommentEditorOpen());
  EXPECT_EQ(e->CommentEditor()->Left(), e->TCustomGrid::ColWidths(0));
  EXPECT_EQ(e->CommentEditor()->Height(), 80);
  EXPECT_EQ(zeltest::PixelAt(e, 5, 12), host::TColor(0x808000));  // "Comment:" corner
  int changes = 0;
  e->SetOnChange([&](host::TObject*) { ++changes; });
  zeltest::TypeText(Form(), "run 4");
  zeltest::PressKey(Form(), host::VK_RETURN);
  EXPECT_FALSE(e->CommentEditorOpen());
  EXPECT_EQ(e->Comment(), "run 4");
  EXPECT_EQ(changes, 1);
  RightClick(0, 0);
  zeltest::TypeText(Form(), "gone");
  zeltest::PressKey(Form(), host::VK_ESCAPE);
  EXPECT_EQ(e->Comment(), "run 4");
  e->SetCommentEditingAllowed(false);
  RightClick(0, 0);
  EXPECT_FALSE(e->CommentEditorOpen());
}

TEST_F(NTabEdMenus, APopupMenuOrTheBlockKeepTheBuiltInMenusShut) {
  TNTabEd* e = Ed();
  host::TPopupMenu own(Form());
  own.Items()->Add(new TMenuItem(&own));
  int ownPopups = 0;
  own.SetOnPopup([&](host::TObject*) { ++ownPopups; });
  e->SetPopupMenu(&own);
  RightClick(3, 2);
  RightClick(3, 0);
  EXPECT_EQ(LastMenu, nullptr);
  EXPECT_EQ(ownPopups, 2);
  RightClick(0, 0);  // the comment editor still opens
  EXPECT_TRUE(e->CommentEditorOpen());
  zeltest::PressKey(Form(), host::VK_ESCAPE);
  e->SetPopupMenu(nullptr);
  e->SetBlockInternalPopup(true);
  RightClick(3, 2);
  RightClick(0, 0);
  EXPECT_EQ(LastMenu, nullptr);
  EXPECT_FALSE(e->CommentEditorOpen());
}

TEST_F(NTabEdMenus, ARightClickNeverAlsoOpensTheParentsMenu) {
  TNTabEd* e = Ed();
  host::TPopupMenu formMenu(Form());
  formMenu.Items()->Add(new TMenuItem(&formMenu));
  int formPopups = 0;
  formMenu.SetOnPopup([&](host::TObject*) { ++formPopups; });
  Form()->SetPopupMenu(&formMenu);
  RightClick(3, 2);
  RightClick(2, 0);
  EXPECT_EQ(LastMenu, e->PopupHTAction());
  EXPECT_EQ(formPopups, 0);
}
