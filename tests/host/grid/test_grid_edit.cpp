// In-place editing as a user does it: F2, typing, Enter and clicks start it;
// Enter, arrows and leaving store; Escape gives up; pick lists drop down.
#include <string>
#include <vector>

#include "host/grid/Grids.h"
#include "host/widgets/Menus.h"
#include "tests/support/Headless.h"

using namespace host;
using namespace zeltest;

namespace {

// Column 2 edits through a pick list.
class TPickGrid : public TStringGrid {
 public:
  explicit TPickGrid(TComponent* owner) : TStringGrid(owner) {}
  int Loads = 0;

 protected:
  TEditStyle GetEditStyle(int ACol, int) override { return ACol == 2 ? esPickList : esSimple; }
  TInplaceEdit* CreateEditor() override {
    auto* e = new TInplaceEditList(this);
    e->SetDropDownRows(3);
    e->SetOnGetPickListItems([this](int, int, TStrings* items) {
      ++Loads;
      for (const char* s : {"red", "green", "blue", "cyan", "gray"}) items->Add(s);
    });
    return e;
  }
};

class GridEdit : public HeadlessTest {
 protected:
  TPickGrid* G = nullptr;
  std::vector<std::string> Stored;
  void SetUp() override {
    HeadlessTest::SetUp();
    Form()->SetBounds(0, 0, 400, 300);
    G = Make<TPickGrid>(0, 0, 300, 200);
    G->SetBorderStyle(bsNone);
    G->SetOptions(G->Options() | goEditing);
    G->SetCells(1, 1, "old");
    G->SetOnSetEditText([this](TObject*, int c, int r, const std::string& v) {
      Stored.push_back(std::to_string(c) + "," + std::to_string(r) + "=" + v);
    });
    G->SetFocus();
    Pump();
  }
  TInplaceEdit* Editor() { return G->InplaceEditor(); }
  // The pick list's window while it is open.
  static TForm* PickPopup() {
    for (int i = 0; i < Screen->FormCount(); ++i)
      if (Screen->Forms(i)->ClassName() == "TPickListPopup") return Screen->Forms(i);
    return nullptr;
  }
};

TEST_F(GridEdit, F2OpensWithTheCellTextAndEnterStores) {
  PressKey(Form(), VK_F2);
  ASSERT_TRUE(G->EditorMode());
  ASSERT_NE(Editor(), nullptr);
  EXPECT_TRUE(Editor()->Visible());
  EXPECT_TRUE(Editor()->Focused());
  EXPECT_EQ(Editor()->Text(), "old");
  EXPECT_EQ(Editor()->BoundsRect(), G->CellRect(1, 1));
  PressKey(Form(), VK_END);  // the caret moves within the text
  TypeText(Form(), "er");
  PressKey(Form(), VK_RETURN);
  EXPECT_FALSE(G->EditorMode());
  EXPECT_FALSE(Editor()->Visible());
  EXPECT_TRUE(G->Focused());
  EXPECT_EQ(G->Cells(1, 1), "older");
  EXPECT_EQ(Stored, std::vector<std::string>{"1,1=older"});
}

TEST_F(GridEdit, TypingReplacesTheTextAndEscapeGivesUp) {
  TypeText(Form(), "4.5");
  ASSERT_TRUE(G->EditorMode());
  EXPECT_EQ(Editor()->Text(), "4.5");
  PressKey(Form(), VK_ESCAPE);
  EXPECT_FALSE(G->EditorMode());
  EXPECT_EQ(G->Cells(1, 1), "old");
  EXPECT_TRUE(Stored.empty());
  // Enter toggles the editor; unchanged text is not stored.
  PressKey(Form(), VK_RETURN);
  EXPECT_TRUE(G->EditorMode());
  PressKey(Form(), VK_RETURN);
  EXPECT_FALSE(G->EditorMode());
  EXPECT_TRUE(Stored.empty());
}

TEST_F(GridEdit, ArrowsLeaveTheEditorAndStore) {
  TypeText(Form(), "x");
  PressKey(Form(), VK_DOWN);
  EXPECT_EQ(G->Row(), 2);
  EXPECT_FALSE(G->EditorMode());
  EXPECT_EQ(G->Cells(1, 1), "x");
  // Left at the start of the text moves on to the grid; inside it moves the caret.
  G->SetCol(3);
  TypeText(Form(), "ab");
  PressKey(Form(), VK_LEFT);
  EXPECT_EQ(G->Col(), 3);
  EXPECT_TRUE(G->EditorMode());
  PressKey(Form(), VK_HOME);
  PressKey(Form(), VK_LEFT);
  EXPECT_EQ(G->Col(), 2);
  EXPECT_FALSE(G->EditorMode());
  EXPECT_EQ(G->Cells(3, 2), "ab");
}

TEST_F(GridEdit, AlwaysShowEditorFollowsTheCurrentCell) {
  G->SetCells(2, 2, "blue");
  G->SetOptions(G->Options() | goAlwaysShowEditor);
  EXPECT_TRUE(G->EditorMode());
  TypeText(Form(), "y");
  PressKey(Form(), VK_DOWN);
  EXPECT_TRUE(G->EditorMode());
  EXPECT_EQ(G->Cells(1, 1), "y");
  EXPECT_EQ(Editor()->BoundsRect(), G->CellRect(1, 2));
}

TEST_F(GridEdit, ASecondClickOnTheCurrentCellEdits) {
  Click(G, 150, 60);  // column 2, row 2: becomes current
  EXPECT_FALSE(G->EditorMode());
  Advance(1000);
  Click(G, 150, 60);
  EXPECT_TRUE(G->EditorMode());
  // Clicking another cell stores and moves.
  TypeText(Form(), "green");
  Advance(1000);
  Click(G, 80, 60);
  EXPECT_EQ(G->Col(), 1);
  EXPECT_EQ(G->Cells(2, 2), "green");
  // Without goEditing nothing opens.
  G->SetOptions(G->Options() & ~goEditing);
  PressKey(Form(), VK_F2);
  TypeText(Form(), "z");
  EXPECT_FALSE(G->EditorMode());
}

TEST_F(GridEdit, LeavingTheGridStoresWhatWasTyped) {
  auto* other = Make<TEdit>(10, 250, 100, 20);
  TypeText(Form(), "kept");
  other->SetFocus();
  EXPECT_EQ(G->Cells(1, 1), "kept");
}

TEST_F(GridEdit, PickListDropsDownAndTheKeysChoose) {
  G->SetCol(2);
  PressKey(Form(), VK_F2);
  auto* list = dynamic_cast<TInplaceEditList*>(Editor());
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->EditStyle(), esPickList);
  PressKey(Form(), VK_DOWN, ssAlt);
  ASSERT_TRUE(list->ListVisible());
  EXPECT_EQ(G->Loads, 1);
  EXPECT_FALSE(KeyboardShiftState() & ssAlt);  // the list let Alt's release through
  PressKey(Form(), VK_DOWN);                   // red -> green
  PressKey(Form(), VK_DOWN);
  PressKey(Form(), VK_RETURN);
  EXPECT_FALSE(list->ListVisible());
  EXPECT_EQ(list->Text(), "blue");
  EXPECT_TRUE(G->EditorMode());  // the Enter that chose is spent on the list
  PressKey(Form(), VK_RETURN);
  EXPECT_FALSE(G->EditorMode());
  EXPECT_EQ(G->Cells(2, 1), "blue");
  // Escape closes the list and keeps the text.
  PressKey(Form(), VK_F2);
  PressKey(Form(), VK_F4);
  ASSERT_TRUE(list->ListVisible());
  PressKey(Form(), VK_DOWN);
  PressKey(Form(), VK_ESCAPE);
  EXPECT_FALSE(list->ListVisible());
  EXPECT_TRUE(G->EditorMode());
  EXPECT_EQ(list->Text(), "blue");
  EXPECT_EQ(G->Loads, 2);  // asked afresh for each edit
}

TEST_F(GridEdit, AltDownDropsAPickListWithoutF2AndTheDropKeysCloseIt) {
  G->SetCol(2);
  PressKey(Form(), VK_DOWN, ssAlt);
  ASSERT_TRUE(G->EditorMode());
  auto* list = dynamic_cast<TInplaceEditList*>(Editor());
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(list->ListVisible());
  EXPECT_EQ(Form()->ActiveControl(), Editor());
  EXPECT_EQ(G->Row(), 1);     // the key opened the list instead of moving down
  PressKey(Form(), VK_DOWN);  // red -> green
  PressKey(Form(), VK_DOWN, ssAlt);
  EXPECT_FALSE(list->ListVisible());
  EXPECT_EQ(list->Text(), "green");
  PressKey(Form(), VK_UP, ssAlt);
  EXPECT_TRUE(list->ListVisible());
  PressKey(Form(), VK_F4);
  EXPECT_FALSE(list->ListVisible());
  // F4 opens a closed cell too, straight from the grid.
  PressKey(Form(), VK_RETURN);
  ASSERT_FALSE(G->EditorMode());
  PressKey(Form(), VK_F4);
  EXPECT_TRUE(list->ListVisible());
}

TEST_F(GridEdit, AltDownOnACellWithoutAPickListStillMovesDown) {
  PressKey(Form(), VK_DOWN, ssAlt);
  EXPECT_FALSE(G->EditorMode());
  EXPECT_EQ(G->Row(), 2);
  // Nor does a pick list open where editing is off.
  G->SetOptions(G->Options() & ~goEditing);
  G->SetCol(2);
  PressKey(Form(), VK_DOWN, ssAlt);
  EXPECT_FALSE(G->EditorMode());
  EXPECT_EQ(G->Row(), 3);
}

// The pick list of column 2 dropped down: five values, three rows, so a bar
// at the right with its arrows at both ends.
class PickListBar : public GridEdit {
 protected:
  TInplaceEditList* List = nullptr;
  TForm* Popup = nullptr;
  int BarX = 0;
  void SetUp() override {
    GridEdit::SetUp();
    G->SetCol(2);
    PressKey(Form(), VK_F2);
    List = dynamic_cast<TInplaceEditList*>(Editor());
    ASSERT_NE(List, nullptr);
    PressKey(Form(), VK_F4);
    Popup = PickPopup();
    ASSERT_NE(Popup, nullptr);
    BarX = Popup->Width() - 9;
  }
  // Clicks the top row shown (which closes the list) and gives the text it chose.
  std::string ChooseTopRow() {
    EXPECT_TRUE(List->ListVisible());
    const int rowH = (Popup->Height() - 2) / 3;
    Click(Popup, 10, 1 + rowH / 2);
    return List->Text();
  }
};

TEST_F(PickListBar, AHeldArrowScrollsAndTheListStaysOpen) {
  const int y = Popup->Height() - 5;  // the down arrow
  MouseDown(Popup, BarX, y);
  Advance(400 + 50);  // the press and two repeats would go past the last page
  MouseUp(Popup, BarX, y);
  EXPECT_EQ(ChooseTopRow(), "blue");
}

TEST_F(PickListBar, AThumbLetGoOutsideThePopupStopsDragging) {
  const int thumbY = 1 + 16 + 3;  // at the top the thumb starts below the up arrow
  MouseDown(Popup, BarX, thumbY);
  MouseMove(Popup, BarX, Popup->Height() + 60);
  MouseUp(Popup, BarX, Popup->Height() + 60);
  // Back over the bar without a button: the thumb stays at the end.
  MouseMove(Popup, BarX, thumbY);
  EXPECT_EQ(ChooseTopRow(), "blue");
}

TEST_F(GridEdit, PickListChoosesWithTheMouse) {
  G->SetCol(2);
  PressKey(Form(), VK_F2);
  auto* list = dynamic_cast<TInplaceEditList*>(Editor());
  ASSERT_NE(list, nullptr);
  const TRect cell = G->CellRect(2, 1);
  Click(G, cell.Right - 4, cell.Top + 4);  // the drop-down button
  ASSERT_TRUE(list->ListVisible());
  // The list lies right below the editor; three rows show.
  TForm* popup = PickPopup();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(popup->Top(), list->ClientToScreen(Point(0, list->Height())).y);
  const int rowH = (popup->Height() - 2) / 3;
  Click(popup, 10, 1 + rowH + rowH / 2);  // the second value
  EXPECT_FALSE(list->ListVisible());
  EXPECT_EQ(list->Text(), "green");
  // A press outside the list closes it without choosing.
  Click(G, cell.Right - 4, cell.Top + 4);
  ASSERT_TRUE(list->ListVisible());
  Click(Form(), 350, 250);
  EXPECT_FALSE(list->ListVisible());
  EXPECT_EQ(list->Text(), "green");
}

}  // namespace

namespace {

TEST_F(GridEdit, TypedCharactersPassOnKeyPressBeforeTheEditorOpens) {
  std::u32string seen;
  G->SetOnKeyPress([&](TObject*, char32_t& k) {
    seen += k;
    if (k == U'q') k = 0;     // swallowed: no editor
    if (k == U'a') k = U'b';  // changed: the editor opens with the new one
  });
  TypeText(Form(), "q");
  EXPECT_FALSE(G->EditorMode());
  TypeText(Form(), "a");
  ASSERT_TRUE(G->EditorMode());
  EXPECT_EQ(Editor()->Text(), "b");
  EXPECT_EQ(seen, U"qa");
}

TEST_F(GridEdit, TheFormPreviewsTypedCharactersOnce) {
  std::u32string seen;
  Form()->SetKeyPreview(true);
  Form()->SetOnKeyPress([&](TObject*, char32_t& k) {
    seen += k;
    if (k == U'x') k = 0;
  });
  TypeText(Form(), "x");
  EXPECT_FALSE(G->EditorMode());
  TypeText(Form(), "7");
  ASSERT_TRUE(G->EditorMode());
  EXPECT_EQ(Editor()->Text(), "7");
  EXPECT_EQ(seen, U"x7");
}

// Row selection forbids editing, unless the grid says otherwise: here only
// column 2 of the selected row edits.
class TRowEditGrid : public TStringGrid {
 public:
  explicit TRowEditGrid(TComponent* owner) : TStringGrid(owner) {}
  int EditCol = 2;

 protected:
  bool CanEditShow() override { return (Options() & goEditing) && Col() == EditCol; }
};

TEST_F(GridEdit, RowSelectEditsOnlyWhereCanEditShowAllows) {
  G->SetOptions(G->Options() | goRowSelect);
  PressKey(Form(), VK_F2);
  TypeText(Form(), "z");
  EXPECT_FALSE(G->EditorMode());  // the default keeps row selection read-only

  auto* rows = Make<TRowEditGrid>(0, 0, 300, 200);
  rows->SetBorderStyle(bsNone);
  rows->SetOptions(rows->Options() | goEditing | goRowSelect);
  rows->SetFocus();
  TypeText(Form(), "z");
  EXPECT_FALSE(rows->EditorMode());  // column 1 is current
  rows->SetCol(2);
  TypeText(Form(), "z");
  ASSERT_TRUE(rows->EditorMode());
  EXPECT_EQ(rows->InplaceEditor()->BoundsRect(), rows->CellRect(2, 1));
  PressKey(Form(), VK_RETURN);
  EXPECT_EQ(rows->Cells(2, 1), "z");
  // A cell beside the view scrolls in when its editor opens.
  rows->EditCol = 4;
  rows->SetCol(4);
  EXPECT_EQ(rows->LeftCol(), 1);
  PressKey(Form(), VK_F2);
  ASSERT_TRUE(rows->EditorMode());
  EXPECT_EQ(rows->LeftCol(), 2);
  EXPECT_EQ(rows->InplaceEditor()->BoundsRect(), rows->CellRect(4, 1));
  EXPECT_EQ(rows->CellRect(4, 1).Right, 259);
}

}  // namespace
