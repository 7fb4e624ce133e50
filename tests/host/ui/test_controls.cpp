// Control plumbing: window handles, parents, broadcasts, hit testing, closing,
// message packing and text input beyond the keyboard layout.
#include <string>
#include <vector>

#include "host/ui/Forms.h"
#include "tests/support/Headless.h"

using namespace host;
using namespace zeltest;

namespace {

class Counted : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  int Creates = 0;
  std::vector<unsigned> Seen;
  LRESULT Answer = 0;
  std::u32string Typed;

 protected:
  void CreateWnd() override {
    TCustomControl::CreateWnd();
    ++Creates;
  }
  void WndProc(TMessage& m) override {
    if (m.Msg >= WM_USER && m.Msg < CM_BASE) {
      Seen.push_back(m.Msg);
      m.Result = Answer;
      return;
    }
    TCustomControl::WndProc(m);
  }
  void KeyPress(char32_t& ch) override { Typed += ch; }
};

class Controls : public HeadlessTest {};

TEST_F(Controls, HandleIsCreatedOnceWhenTheControlShowsOnAShownForm) {
  TForm hidden(nullptr);
  auto* c = new Counted(&hidden);
  c->SetParent(&hidden);
  EXPECT_FALSE(c->HandleAllocated());
  hidden.Show();
  EXPECT_TRUE(c->HandleAllocated());
  EXPECT_EQ(c->Creates, 1);
  hidden.Hide();
  hidden.Show();
  c->Handle();
  EXPECT_EQ(c->Creates, 1);
  // Placed on a form that already shows: created at once, unless hidden.
  auto* later = new Counted(Form());
  later->SetVisible(false);
  later->SetParent(Form());
  EXPECT_FALSE(later->HandleAllocated());
  later->Show();
  EXPECT_EQ(later->Creates, 1);
}

TEST_F(Controls, AControlCannotBecomeItsOwnAncestor) {
  auto* outer = Make<Counted>(0, 0, 50, 50);
  auto* inner = new Counted(Form());
  inner->SetParent(outer);
  EXPECT_THROW(outer->SetParent(inner), EInvalidOperation);
  EXPECT_THROW(outer->SetParent(outer), EInvalidOperation);
  EXPECT_EQ(outer->Parent(), Form());
  EXPECT_THROW(Form()->SetParent(outer), EInvalidOperation);
}

TEST_F(Controls, BroadcastStopsAtTheFirstAnswer) {
  auto* a = Make<Counted>(0, 0, 10, 10);
  auto* b = Make<Counted>(20, 0, 10, 10);
  auto* c = Make<Counted>(40, 0, 10, 10);
  b->Answer = 1;
  TMessage m{WM_USER + 5, 0, 0, 0};
  Form()->Broadcast(m);
  EXPECT_EQ(a->Seen.size(), 1u);
  EXPECT_EQ(b->Seen.size(), 1u);
  EXPECT_TRUE(c->Seen.empty());
  EXPECT_EQ(m.Result, 1);
}

TEST_F(Controls, HitTestPrefersChildWindowsAndSkipsHiddenOnes) {
  auto* blot = Make<TGraphicControl>(0, 0, 50, 50);
  auto* window = Make<Counted>(10, 10, 20, 20);
  blot->BringToFront();  // above in z-order, still below any child window
  EXPECT_EQ(Form()->ControlAtPos(Point(15, 15), false), window);
  EXPECT_EQ(Form()->ControlAtPos(Point(5, 5), false), blot);
  window->Hide();
  EXPECT_EQ(Form()->ControlAtPos(Point(15, 15), false), blot);
  blot->SetEnabled(false);
  EXPECT_EQ(Form()->ControlAtPos(Point(5, 5), false), nullptr);
  EXPECT_EQ(Form()->ControlAtPos(Point(5, 5), true), blot);
}

TEST_F(Controls, CloseQueryCanRefuseAndClosingTheMainFormEndsTheProgram) {
  auto* f = Application->CreateForm<TForm>();
  f->Show();
  bool allow = false;
  f->SetOnCloseQuery([&](TObject*, bool& can) { can = allow; });
  f->Close();
  EXPECT_TRUE(f->Visible());
  EXPECT_FALSE(Application->Terminated());
  allow = true;
  f->Close();
  EXPECT_FALSE(f->Visible());
  EXPECT_TRUE(Application->Terminated());
}

TEST_F(Controls, MouseMessagesCarryNegativeCoordinates) {
  LPARAM l = PointToLParam(-5, 300);
  EXPECT_EQ(LParamX(l), -5);
  EXPECT_EQ(LParamY(l), 300);
  auto* c = Make<Counted>(50, 50, 20, 20);
  std::vector<TPoint> moves;
  c->SetOnMouseMove([&](TObject*, TShiftState, int x, int y) { moves.push_back(Point(x, y)); });
  MouseDown(Form(), 55, 55);
  MouseMove(Form(), 10, 20);  // captured: left of and above the control
  MouseUp(Form(), 10, 20);
  ASSERT_FALSE(moves.empty());
  EXPECT_EQ(moves.back(), Point(-40, -30));
}

TEST_F(Controls, CharactersNoKeyTypesStillArrive) {
  auto* c = Make<Counted>(0, 0, 10, 10);
  c->SetFocus();
  TypeText(Form(), "a\xC3\xA9\xE2\x82\xAC");  // a, e acute, euro sign
  EXPECT_EQ(c->Typed, U"a\u00E9\u20AC");
}

TEST_F(Controls, ClientAndScreenCoordinatesRoundTrip) {
  Form()->SetBounds(100, 200, 300, 200);
  auto* outer = Make<Counted>(10, 20, 100, 100);
  auto* inner = new Counted(Form());
  inner->SetParent(outer);
  inner->SetBounds(5, 6, 10, 10);
  EXPECT_EQ(inner->ClientOrigin(), Point(115, 226));
  EXPECT_EQ(inner->ScreenToClient(inner->ClientToScreen(Point(3, 4))), Point(3, 4));
  EXPECT_EQ(GetParentForm(inner), Form());
  EXPECT_EQ(inner->VisibleRectInForm(), Rect(15, 26, 25, 36));
  inner->SetLeft(95);  // half outside its parent
  EXPECT_EQ(inner->VisibleRectInForm(), Rect(105, 26, 110, 36));
}

TEST_F(Controls, StoredOnlyPropertiesStartWithThePlatformDefaults) {
  auto* w = Make<TCustomControl>(0, 0, 10, 10);
  auto* g = Make<TGraphicControl>(0, 0, 10, 10);
  for (TControl* c : {static_cast<TControl*>(w), static_cast<TControl*>(g)}) {
    EXPECT_EQ(c->BiDiMode(), bdLeftToRight);
    EXPECT_TRUE(c->ParentBiDiMode());
    EXPECT_EQ(c->DragCursor(), crDrag);
    EXPECT_EQ(c->DragKind(), dkDrag);
    EXPECT_EQ(c->DragMode(), dmManual);
    EXPECT_EQ(c->HelpContext(), 0);
    EXPECT_EQ(c->Constraints()->MaxWidth(), 0);
  }
  EXPECT_TRUE(w->Ctl3D());
  EXPECT_TRUE(w->ParentCtl3D());
  EXPECT_EQ(w->BevelInner(), bvRaised);
  EXPECT_EQ(w->BevelOuter(), bvLowered);
  EXPECT_EQ(w->BevelKind(), bkNone);
  EXPECT_EQ(w->BevelWidth(), 1);
  EXPECT_EQ(w->BevelEdges(), beLeft | beTop | beRight | beBottom);
}

// ShowHint, BiDiMode and Ctl3D follow the parent while their Parent* flag is
// on: when placed, when the parent's value changes, down every level.
TEST_F(Controls, ParentFlagsFollowTheParentUntilTheControlSetsItsOwnValue) {
  auto* outer = Make<TCustomControl>(0, 0, 100, 100);
  outer->SetShowHint(true);
  outer->SetBiDiMode(bdRightToLeft);
  outer->SetCtl3D(false);
  auto* inner = new TCustomControl(Form());
  inner->SetParent(outer);
  auto* leaf = new TCustomControl(Form());
  leaf->SetParent(inner);
  auto* label = new TGraphicControl(Form());
  label->SetParent(inner);
  EXPECT_TRUE(leaf->ShowHint());
  EXPECT_EQ(label->BiDiMode(), bdRightToLeft);
  EXPECT_FALSE(leaf->Ctl3D());

  outer->SetShowHint(false);
  outer->SetBiDiMode(bdRightToLeftNoAlign);
  outer->SetCtl3D(true);
  EXPECT_FALSE(leaf->ShowHint());
  EXPECT_FALSE(label->ShowHint());
  EXPECT_EQ(label->BiDiMode(), bdRightToLeftNoAlign);
  EXPECT_TRUE(leaf->Ctl3D());
  EXPECT_TRUE(inner->ParentShowHint() && inner->ParentBiDiMode() && inner->ParentCtl3D());

  // A value of its own stops the following, for it and for what follows it.
  inner->SetCtl3D(false);
  inner->SetBiDiMode(bdLeftToRight);
  EXPECT_FALSE(inner->ParentCtl3D());
  EXPECT_FALSE(inner->ParentBiDiMode());
  outer->SetCtl3D(true);
  outer->SetBiDiMode(bdRightToLeft);
  EXPECT_FALSE(leaf->Ctl3D());
  EXPECT_EQ(label->BiDiMode(), bdLeftToRight);
  // Switching the flag back on takes the parent's value at once.
  inner->SetParentCtl3D(true);
  inner->SetParentBiDiMode(true);
  EXPECT_TRUE(leaf->Ctl3D());
  EXPECT_EQ(label->BiDiMode(), bdRightToLeft);
}

TEST_F(Controls, SizeConstraintsHoldEverySizeTheControlIsGiven) {
  auto* c = Make<TCustomControl>(0, 0, 50, 50);
  TSizeConstraints* k = c->Constraints();
  k->SetMinWidth(40);
  k->SetMaxWidth(80);
  k->SetMaxHeight(30);  // applies to the size the control has now
  EXPECT_EQ(c->Height(), 30);
  c->SetBounds(5, 5, 10, 100);
  EXPECT_EQ(c->BoundsRect(), Rect(5, 5, 45, 35));
  c->SetWidth(200);
  EXPECT_EQ(c->Width(), 80);
  // A maximum below the minimum pulls the minimum down, and the other way round.
  k->SetMaxWidth(20);
  EXPECT_EQ(k->MinWidth(), 20);
  EXPECT_EQ(c->Width(), 20);
  k->SetMinHeight(60);
  EXPECT_EQ(k->MaxHeight(), 60);
  EXPECT_EQ(c->Height(), 60);
  // Zero is no limit; an aligned control is held too.
  k->SetMaxWidth(0);
  k->SetMinWidth(0);
  c->SetWidth(300);
  EXPECT_EQ(c->Width(), 300);
  c->SetAlign(alTop);
  EXPECT_EQ(c->Height(), 60);
  EXPECT_EQ(c->Width(), Form()->ClientWidth());
}

}  // namespace
