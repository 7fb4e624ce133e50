// The tree view: node structure and indexes, lazy filling in OnExpanding,
// selection events, keyboard, mouse, scrolling and in-place editing.
#include "host/widgets/StdCtrls.h"
#include "host/widgets/TreeView.h"
#include "tests/support/Headless.h"

using namespace host;
using namespace zeltest;

namespace {

using Strings = std::vector<std::string>;

class Tree : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    Form()->SetBounds(0, 0, 300, 300);
    T = Make<TTreeView>(10, 10, 200, 200);
    T->SetOnChanging([this](TObject*, TTreeNode* n, bool& allow) {
      Log.push_back("changing:" + Name(n));
      allow = !Refuse;
    });
    T->SetOnChange([this](TObject*, TTreeNode* n) { Log.push_back("change:" + Name(n)); });
    T->SetOnExpanded([this](TObject*, TTreeNode* n) { Log.push_back("expanded:" + Name(n)); });
    T->SetOnCollapsing(
        [this](TObject*, TTreeNode* n, bool& allow) { Log.push_back("collapsing:" + Name(n)); });
  }
  static std::string Name(TTreeNode* n) { return n ? n->Text() : "-"; }
  // root, with a (a1, a2) and b (b1).
  void Build() {
    auto* items = T->Items();
    Root = items->Add(nullptr, "root");
    A = items->AddChild(Root, "a");
    B = items->AddChild(Root, "b");
    items->AddChild(A, "a2");
    items->AddChildFirst(A, "a1");
    items->AddChild(B, "b1");
  }
  // Client point in the middle of a node's text.
  TPoint TextPoint(TTreeNode* n) {
    const TRect r = T->NodeRect(n, true);
    return Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }
  void ClickNode(TTreeNode* n) {
    const TPoint p = TextPoint(n);
    Click(static_cast<TControl*>(T), p.x, p.y);
  }
  TTreeView* T = nullptr;
  TTreeNode *Root = nullptr, *A = nullptr, *B = nullptr;
  Strings Log;
  bool Refuse = false;
};

TEST_F(Tree, StructureAndIndexes) {
  Build();
  auto* items = T->Items();
  EXPECT_EQ(items->Count(), 6);
  Strings order;
  for (int i = 0; i < items->GetCount(); ++i) order.push_back(items->Item(i)->Text());
  EXPECT_EQ(order, (Strings{"root", "a", "a1", "a2", "b", "b1"}));
  TTreeNode* a2 = A->Item(1);
  EXPECT_EQ(a2->Index(), 1);
  EXPECT_EQ(a2->AbsoluteIndex(), 3);
  EXPECT_EQ(a2->Level(), 2);
  EXPECT_EQ(a2->GetParent(), A);
  EXPECT_TRUE(a2->HasAsParent(Root));
  EXPECT_FALSE(A->HasAsParent(a2));
  EXPECT_FALSE(a2->HasAsParent(B));
  EXPECT_EQ(items->GetNodeFromIndex(4), B);
  EXPECT_EQ(items->GetNodeFromIndex(6), nullptr);
  EXPECT_EQ(A->Item(5), nullptr);
  // Insert goes before its sibling, Add after the last one.
  items->Insert(B, "between");
  items->Add(Root, "second root");
  EXPECT_EQ(B->Index(), 2);
  EXPECT_EQ(B->AbsoluteIndex(), 5);
  EXPECT_EQ(items->RootCount(), 2);
  A->DeleteChildren();
  EXPECT_FALSE(A->HasChildren());
  EXPECT_EQ(items->Count(), 6);
  B->Delete();
  EXPECT_EQ(items->Count(), 4);
  items->Clear();
  EXPECT_EQ(items->Count(), 0);
  EXPECT_TRUE(Log.empty());  // nothing was selected: no events
}

// Sibling positions are remembered between walks; inserts and deletes in
// front of a node must not leave a walk reading a stale position.
TEST_F(Tree, SiblingWalksStayRightAfterInsertsAndDeletesInFront) {
  auto* items = T->Items();
  Root = items->Add(nullptr, "root");
  for (const char* s : {"c", "d", "e"}) items->AddChild(Root, s);
  auto walk = [&] {
    Strings seen;
    for (TTreeNode* n = Root->GetFirstChild(); n; n = n->GetNextSibling())
      seen.push_back(n->Text() + std::to_string(n->Index()));
    return seen;
  };
  EXPECT_EQ(walk(), (Strings{"c0", "d1", "e2"}));
  items->AddChildFirst(Root, "a");
  items->Insert(Root->Item(1), "b");
  EXPECT_EQ(walk(), (Strings{"a0", "b1", "c2", "d3", "e4"}));
  Root->Item(1)->Delete();
  Root->Item(0)->Delete();
  EXPECT_EQ(walk(), (Strings{"c0", "d1", "e2"}));
  EXPECT_EQ(Root->GetLastChild()->GetPrevSibling()->Text(), "d");
  EXPECT_EQ(items->Item(3)->AbsoluteIndex(), 3);
}

TEST_F(Tree, ExpandingFillsChildrenLazilyAndMayRefuse) {
  auto* items = T->Items();
  TTreeNode* folder = items->Add(nullptr, "folder");
  folder->SetHasChildren(true);  // a button before anything is read
  TTreeNode* empty = items->Add(nullptr, "empty");
  empty->SetHasChildren(true);
  TTreeNode* locked = items->Add(nullptr, "locked");
  items->AddChild(locked, "secret");
  int reads = 0;
  T->SetOnExpanding([&](TObject*, TTreeNode* n, bool& allow) {
    Log.push_back("expanding:" + n->Text());
    if (n == locked) allow = false;
    if (n == folder && n->Count() == 0) {
      ++reads;
      items->AddChild(n, "x");
      items->AddChild(n, "y");
    }
  });
  folder->Expand(false);
  EXPECT_TRUE(folder->Expanded());
  EXPECT_EQ(folder->Count(), 2);
  folder->Collapse(false);
  folder->Expand(false);  // read once only
  EXPECT_EQ(reads, 1);
  empty->Expand(false);  // nothing turned up: stays shut and loses its button
  EXPECT_FALSE(empty->Expanded());
  EXPECT_FALSE(empty->HasChildren());
  locked->Expand(false);
  EXPECT_FALSE(locked->Expanded());
  EXPECT_EQ(Log,
            (Strings{"expanding:folder", "expanded:folder", "collapsing:folder", "expanding:folder",
                     "expanded:folder", "expanding:empty", "expanding:locked"}));
}

TEST_F(Tree, SelectionEventsAndRefusal) {
  Build();
  A->SetSelected(true);  // its ancestors open so it can be seen
  EXPECT_TRUE(Root->Expanded());
  EXPECT_EQ(T->Selected(), A);
  EXPECT_TRUE(A->Selected());
  Refuse = true;
  T->SetSelected(B);
  EXPECT_EQ(T->Selected(), A);
  Refuse = false;
  // Collapsing above the selection moves it up to the collapsed node.
  TTreeNode* a1 = A->Item(0);
  a1->SetSelected(true);
  Log.clear();
  Root->Collapse(false);
  EXPECT_EQ(T->Selected(), Root);
  // Deleting the selected node selects a neighbour.
  T->SetSelected(B);
  Log.clear();
  B->Delete();
  EXPECT_EQ(T->Selected(), A);
  EXPECT_EQ(Log, (Strings{"change:a"}));
}

TEST_F(Tree, SelectionEventLogOrder) {
  Build();
  Root->Expand(false);
  ClickNode(B);
  EXPECT_EQ(Log, (Strings{"expanded:root", "changing:b", "change:b"}));
}

TEST_F(Tree, KeyboardMovesExpandsAndCollapses) {
  Build();
  T->SetFocus();
  Root->SetSelected(true);
  PressKey(Form(), VK_RIGHT);  // opens root
  EXPECT_TRUE(Root->Expanded());
  PressKey(Form(), VK_RIGHT);  // then goes to its first child
  EXPECT_EQ(T->Selected(), A);
  PressKey(Form(), VK_DOWN);
  EXPECT_EQ(T->Selected(), B);  // a is shut: its children are skipped
  PressKey(Form(), VK_UP);
  TypeText(Form(), "+");
  EXPECT_TRUE(A->Expanded());
  PressKey(Form(), VK_END);
  EXPECT_EQ(T->Selected(), B);
  PressKey(Form(), VK_UP);
  EXPECT_EQ(T->Selected()->Text(), "a2");
  PressKey(Form(), VK_LEFT);  // a leaf: to the parent
  EXPECT_EQ(T->Selected(), A);
  PressKey(Form(), VK_LEFT);  // open: shuts it
  EXPECT_FALSE(A->Expanded());
  TypeText(Form(), "-");
  EXPECT_EQ(T->Selected(), A);
  PressKey(Form(), VK_HOME);
  EXPECT_EQ(T->Selected(), Root);
  TypeText(Form(), "b");  // type-ahead
  EXPECT_EQ(T->Selected(), B);
  T->FullExpand();
  EXPECT_TRUE(B->Expanded());
  T->FullCollapse();
  EXPECT_FALSE(Root->Expanded());
}

TEST_F(Tree, MouseButtonTogglesAndDoubleClickExpands) {
  Build();
  const TRect r = T->NodeRect(Root, true);
  // The button sits half an indent left of the text box.
  const int bx = r.Left + 2 - 3 - T->Indent() / 2 - 1;
  const int by = (r.Top + r.Bottom) / 2;
  EXPECT_EQ(T->GetHitTestInfoAt(bx, by), htOnButton);
  Click(static_cast<TControl*>(T), bx, by);
  EXPECT_TRUE(Root->Expanded());
  EXPECT_EQ(T->Selected(), nullptr);  // the button does not select
  const TPoint p = TextPoint(A);
  DblClick(static_cast<TControl*>(T), p.x, p.y);
  EXPECT_EQ(T->Selected(), A);
  EXPECT_TRUE(A->Expanded());
  EXPECT_EQ(T->GetHitTestInfoAt(r.Right + 20, by), htOnRight);
  EXPECT_EQ(T->GetNodeAt(20, T->Height() - 5), nullptr);
}

TEST_F(Tree, LongTreesScrollToTheSelection) {
  auto* items = T->Items();
  for (int i = 0; i < 40; ++i) items->Add(nullptr, "node " + std::to_string(i));
  T->SetFocus();
  items->Item(0)->SetSelected(true);
  EXPECT_EQ(T->TopItem(), items->Item(0));
  PressKey(Form(), VK_NEXT);
  TTreeNode* sel = T->Selected();
  ASSERT_NE(sel, nullptr);
  EXPECT_GT(sel->AbsoluteIndex(), 5);
  EXPECT_FALSE(T->NodeRect(sel, false).IsEmpty());
  PressKey(Form(), VK_END);
  EXPECT_EQ(T->Selected(), items->Item(39));
  const TRect last = T->NodeRect(items->Item(39), false);
  EXPECT_LE(last.Bottom, T->ClientRect().Bottom);
  EXPECT_NE(T->TopItem(), items->Item(0));
  for (int k = 0; k < 20; ++k) Wheel(Form(), 50, 50, 120);  // back to the top
  EXPECT_EQ(T->TopItem(), items->Item(0));
}

TEST_F(Tree, TheScrollBarStepsRepeatsAndDragsByRows) {
  auto* items = T->Items();
  for (int i = 0; i < 40; ++i) items->Add(nullptr, "node " + std::to_string(i));
  items->Item(5)->SetSelected(true);
  // The bar fills the 16 pixels inside the right border, arrows at both ends;
  // the tree's client (190, 190) is on the down arrow.
  MouseDown(Form(), 10 + 190, 10 + 190);
  EXPECT_EQ(T->TopItem(), items->Item(1));
  Advance(400 + 50);  // held: the first repeat, then the next
  EXPECT_EQ(T->TopItem(), items->Item(3));
  MouseUp(Form(), 10 + 190, 10 + 190);
  EXPECT_EQ(T->Selected(), items->Item(5));  // the bar leaves the selection alone
  // The thumb dragged to the bottom shows the last page of rows.
  Drag(static_cast<TControl*>(T), 190, 30, 190, 400);
  const int rows = T->ClientRect().Height() / T->ItemHeight();
  EXPECT_EQ(T->TopItem(), items->Item(40 - rows));
  TTreeNode* top = T->TopItem();
  Click(static_cast<TControl*>(T), 190, 5);  // the up arrow
  EXPECT_EQ(T->TopItem()->AbsoluteIndex(), top->AbsoluteIndex() - 1);
}

TEST_F(Tree, EditingInPlaceKeepsOrDropsTheText) {
  Build();
  T->SetFocus();
  A->SetSelected(true);
  T->SetOnEdited([&](TObject*, TTreeNode*, std::string& s) { s += "!"; });
  PressKey(Form(), VK_F2);
  ASSERT_TRUE(T->IsEditing());
  TypeText(Form(), "renamed");
  PressKey(Form(), VK_RETURN);
  EXPECT_FALSE(T->IsEditing());
  EXPECT_EQ(A->Text(), "renamed!");
  EXPECT_TRUE(T->Focused());
  PressKey(Form(), VK_F2);
  TypeText(Form(), "lost");
  PressKey(Form(), VK_ESCAPE);
  EXPECT_EQ(A->Text(), "renamed!");
  T->SetReadOnly(true);
  PressKey(Form(), VK_F2);
  EXPECT_FALSE(T->IsEditing());
  // A tree freed in the middle of an edit takes its editor along quietly.
  T->SetReadOnly(false);
  PressKey(Form(), VK_F2);
  ASSERT_TRUE(T->IsEditing());
  delete T;
  PressKey(Form(), VK_RETURN);
}

TEST_F(Tree, MultiSelectWithControlAndShift) {
  Build();
  T->SetMultiSelect(true);
  Root->Expand(false);
  ClickNode(Root);
  ClickNode(B);
  const TPoint p = TextPoint(A);
  Click(static_cast<TControl*>(T), p.x, p.y, mbLeft, ssCtrl);
  EXPECT_EQ(T->SelectionCount(), 2);
  EXPECT_TRUE(A->Selected());
  EXPECT_TRUE(B->Selected());
  EXPECT_FALSE(Root->Selected());
  Advance(1000);                                               // not a double click
  Click(static_cast<TControl*>(T), p.x, p.y, mbLeft, ssCtrl);  // again: out
  EXPECT_FALSE(A->Selected());
  ClickNode(Root);
  const TPoint pb = TextPoint(B);
  Click(static_cast<TControl*>(T), pb.x, pb.y, mbLeft, ssShift);
  EXPECT_EQ(T->SelectionCount(), 3);  // root, a, b
}

TEST_F(Tree, PaintsButtonsLinesAndTheSelection) {
  Build();
  Root->Expand(false);
  T->SetFocus();
  B->SetSelected(true);
  Pump();
  const TRect r = T->NodeRect(Root, true);
  const int cx = r.Left + 2 - 3 - T->Indent() / 2 - 1, cy = (r.Top + r.Bottom) / 2;
  EXPECT_EQ(PixelAt(T, cx - 4, cy), ColorToRGB(clGray));    // the button's frame
  EXPECT_EQ(PixelAt(T, cx, cy), ColorToRGB(clWindowText));  // its minus sign
  EXPECT_EQ(PixelAt(T, cx, cy - 2), ColorToRGB(clWindow));  // no plus: it is open
  const TRect sel = T->NodeRect(B, true);
  EXPECT_EQ(PixelAt(T, sel.Left + 1, sel.Top + 1), ColorToRGB(clHighlight));
  SetWindowTheme(T->Handle(), "explorer", nullptr);  // accepted, changes nothing
  EXPECT_EQ(PixelAt(T, sel.Left + 1, sel.Top + 1), ColorToRGB(clHighlight));
}

}  // namespace
