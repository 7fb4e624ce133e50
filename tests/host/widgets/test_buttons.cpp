// Speed buttons (press, drag off, release, the mouse-leave hook, groups,
// glyphs), push buttons (clicks, modal results, default and cancel keys) and
// check boxes, each with its caption's accelerator.
#include "host/widgets/Buttons.h"
#include "host/widgets/ExtCtrls.h"
#include "host/widgets/StdCtrls.h"
#include "tests/support/Headless.h"

using namespace host;
using namespace zeltest;

namespace {

class SpeedButton : public HeadlessTest {
 protected:
  TSpeedButton* Button(int left, int group = 0) {
    auto* b = Make<TSpeedButton>(left, 10, 30, 30);
    b->SetGroupIndex(group);
    b->SetOnClick([this, b](TObject*) { Clicks.push_back(b); });
    return b;
  }
  std::vector<TSpeedButton*> Clicks;
};

TEST_F(SpeedButton, PressDragOffAndRelease) {
  auto* b = Button(10);
  MouseMove(Form(), 20, 20);
  MouseDown(Form(), 20, 20);
  EXPECT_EQ(b->State(), bsDown);
  MouseMove(Form(), 80, 20);  // off the button: it comes up
  EXPECT_EQ(b->State(), bsUp);
  MouseMove(Form(), 25, 20);  // and back
  EXPECT_EQ(b->State(), bsDown);
  MouseUp(Form(), 25, 20);
  EXPECT_EQ(b->State(), bsUp);
  EXPECT_EQ(Clicks.size(), 1u);
  // Released outside: no click.
  MouseDown(Form(), 20, 20);
  MouseMove(Form(), 80, 20);
  MouseUp(Form(), 80, 20);
  EXPECT_EQ(Clicks.size(), 1u);
  // The right button does not press it; a disabled button does nothing.
  Click(Form(), 20, 20, mbRight);
  b->SetEnabled(false);
  EXPECT_EQ(b->State(), bsDisabled);
  Click(Form(), 20, 20);
  EXPECT_EQ(Clicks.size(), 1u);
  b->SetEnabled(true);
  EXPECT_EQ(b->State(), bsUp);
}

// Ends the press when the mouse leaves, as an auto-repeating button does.
class LeavingButton : public TSpeedButton {
 public:
  explicit LeavingButton(TComponent* o) : TSpeedButton(o) {}
  std::vector<std::string> Log;

 protected:
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
    TSpeedButton::MouseDown(b, s, x, y);
    Log.push_back("down");
  }
  void MouseUp(TMouseButton b, TShiftState s, int x, int y) override {
    TSpeedButton::MouseUp(b, s, x, y);
    Log.push_back("up");
  }
  void CMMouseLeave(TMessage& m) override {
    TSpeedButton::CMMouseLeave(m);
    Log.push_back("leave");
    MouseUp(mbLeft, 0, 0, 0);
  }
};

TEST_F(SpeedButton, MouseLeaveHookSeesTheHeldButton) {
  auto* b = Make<LeavingButton>(10, 10, 30, 30);
  int clicks = 0;
  b->SetOnClick([&](TObject*) { ++clicks; });
  MouseMove(Form(), 20, 20);
  MouseDown(Form(), 20, 20);
  MouseMove(Form(), 100, 20);
  EXPECT_EQ(b->State(), bsUp);
  MouseUp(Form(), 100, 20);
  EXPECT_EQ(b->Log, (std::vector<std::string>{"down", "leave", "up", "up"}));
  // The hook's release comes at (0, 0), inside, but the pointer is gone: leaving
  // cancels the press as it does for a user who drags off. The real release
  // later clicks nothing either.
  EXPECT_EQ(clicks, 0);
  // A press that is released over the button still clicks.
  MouseMove(Form(), 20, 20);
  MouseDown(Form(), 20, 20);
  MouseUp(Form(), 20, 20);
  EXPECT_EQ(clicks, 1);
}

TEST_F(SpeedButton, GroupsLatchOneButtonAtATime) {
  auto* a = Button(10, 1);
  auto* b = Button(50, 1);
  auto* other = Button(90, 2);
  other->SetDown(true);
  Click(Form(), 20, 20);
  EXPECT_TRUE(a->Down());
  EXPECT_EQ(a->State(), bsExclusive);
  Click(Form(), 60, 20);
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down());
  EXPECT_EQ(a->State(), bsUp);
  EXPECT_TRUE(other->Down());  // another group
  // Without AllowAllUp the down button stays down.
  Click(Form(), 60, 20);
  EXPECT_TRUE(b->Down());
  EXPECT_EQ(b->State(), bsExclusive);
  EXPECT_EQ(Clicks.size(), 3u);
  // AllowAllUp spreads through the group; a second click raises it.
  a->SetAllowAllUp(true);
  EXPECT_TRUE(b->AllowAllUp());
  Click(Form(), 60, 20);
  EXPECT_FALSE(b->Down());
  EXPECT_FALSE(a->Down());
  // Without a group a button cannot stay down.
  auto* plain = Button(130);
  plain->SetDown(true);
  EXPECT_FALSE(plain->Down());
}

TEST_F(SpeedButton, AcceleratorPressesLikeAClick) {
  auto* left = Button(10, 1);
  auto* right = Button(50, 1);
  left->SetCaption("&Left");
  right->SetCaption("&Right");
  PressKey(Form(), 'L', ssAlt);
  EXPECT_TRUE(left->Down());
  PressKey(Form(), 'R', ssAlt);
  EXPECT_TRUE(right->Down());
  EXPECT_FALSE(left->Down());
  EXPECT_EQ(Clicks, (std::vector<TSpeedButton*>{left, right}));
  left->SetEnabled(false);
  PressKey(Form(), 'L', ssAlt);
  EXPECT_TRUE(right->Down());
  EXPECT_EQ(Clicks.size(), 2u);
}

TEST_F(SpeedButton, GroupMessageFromAnythingButASpeedButtonIsIgnored) {
  auto* a = Button(10, 1);
  a->SetDown(true);
  auto* stranger = Make<TGraphicControl>(50, 10, 30, 30);
  // Another control speaking the same message for its own purposes, with itself,
  // nothing or no object at all as the sender.
  for (LPARAM sender : {LPARAM(stranger), LPARAM(0), LPARAM(0x1234)}) {
    TMessage m{CM_BUTTONPRESSED, WPARAM(1), sender, 0};
    Form()->Broadcast(m);
    EXPECT_TRUE(a->Down());
    EXPECT_EQ(a->State(), bsExclusive);
    EXPECT_FALSE(a->AllowAllUp());
  }
  // A real member of the group still unlatches it.
  auto* b = Button(90, 1);
  b->SetDown(true);
  EXPECT_FALSE(a->Down());
}

// Another button class speaking the group message, as the controls' switches do.
class TOtherGroupButton : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
};

TEST_F(SpeedButton, GroupSenderIsASiblingOfTheReceiversOwnClassOnly) {
  auto* a = Button(10, 1);
  auto* b = Button(50, 1);
  auto* other = Make<TOtherGroupButton>(90, 10, 30, 30);
  auto* panel = Make<TPanel>(130, 0, 60, 60);
  auto* elsewhere = new TSpeedButton(Form());
  elsewhere->SetParent(panel);
  auto sender = [](TControl* c) { return TMessage{CM_BUTTONPRESSED, WPARAM(1), LPARAM(c), 0}; };
  EXPECT_EQ(GroupMessageSender<TSpeedButton>(a, sender(b)), b);
  EXPECT_EQ(GroupMessageSender<TSpeedButton>(a, sender(other)), nullptr);
  EXPECT_EQ(GroupMessageSender<TOtherGroupButton>(a, sender(other)), other);
  EXPECT_EQ(GroupMessageSender<TOtherGroupButton>(other, sender(a)), nullptr);
  // A speed button under another parent is no sibling.
  EXPECT_EQ(GroupMessageSender<TSpeedButton>(a, sender(elsewhere)), nullptr);
  TMessage fromOther = sender(other);
  a->SetDown(true);
  Form()->Broadcast(fromOther);
  EXPECT_TRUE(a->Down());
}

TEST_F(SpeedButton, GlyphTransparentColourIsTheBottomLeftPixel) {
  auto* b = Make<TSpeedButton>(10, 10, 30, 30);
  TBitmap glyph(8, 8);
  glyph.Canvas()->Brush()->SetColor(clFuchsia);
  glyph.Canvas()->FillRect(Rect(0, 0, 8, 8));
  glyph.Canvas()->Brush()->SetColor(clBlue);
  glyph.Canvas()->FillRect(Rect(2, 2, 6, 6));
  b->SetGlyph(&glyph);
  EXPECT_EQ(b->NumGlyphs(), 1);
  // Centred: the glyph's top-left lands at (11, 11) inside the 2-pixel edge.
  EXPECT_EQ(PixelAt(b, 11 + 3, 11 + 3), clBlue);
  EXPECT_EQ(PixelAt(b, 11, 11), ColorToRGB(clBtnFace));
  b->SetEnabled(false);  // embossed: highlight one pixel down-right, shadow on top
  EXPECT_EQ(PixelAt(b, 11 + 2, 11 + 2), ColorToRGB(clBtnShadow));
  EXPECT_EQ(PixelAt(b, 11 + 6, 11 + 6), ColorToRGB(clBtnHighlight));
}

TEST_F(SpeedButton, FlatShowsItsEdgeOnlyUnderTheMouse) {
  auto* b = Make<TSpeedButton>(10, 10, 30, 30);
  b->SetFlat(true);
  const TColor face = ColorToRGB(clBtnFace);
  EXPECT_EQ(PixelAt(b, 0, 0), face);
  MouseMove(Form(), 20, 20);
  EXPECT_TRUE(b->MouseInControl());
  EXPECT_EQ(PixelAt(b, 0, 0), ColorToRGB(clBtnHighlight));
  MouseMove(Form(), 100, 100);
  EXPECT_EQ(PixelAt(b, 0, 0), face);
}

class Button : public HeadlessTest {};

TEST_F(Button, ClickSetsTheFormsModalResult) {
  auto* ok = Make<TButton>(10, 10, 75, 25);
  ok->SetModalResult(mrOk);
  int clicks = 0;
  ok->SetOnClick([&](TObject*) { ++clicks; });
  Click(ok, 10, 10);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(Form()->ModalResult(), mrOk);
  EXPECT_TRUE(ok->Focused());
  // Pressed, dragged off and released: no click.
  MouseDown(Form(), 20, 20);
  EXPECT_TRUE(ok->Pressed());
  MouseMove(Form(), 150, 100);
  EXPECT_FALSE(ok->Pressed());
  MouseUp(Form(), 150, 100);
  EXPECT_EQ(clicks, 1);
  // A quick second click is a click too.
  Click(ok, 10, 10);
  Click(ok, 10, 10);
  EXPECT_EQ(clicks, 3);
  // The space bar.
  PressKey(Form(), VK_SPACE);
  EXPECT_EQ(clicks, 4);
}

TEST_F(Button, ReturnAndEscapeEndAModalDialog) {
  auto* dlg = new TForm(Application);
  auto* edit = new TEdit(dlg);
  edit->SetParent(dlg);
  auto* ok = new TButton(dlg);
  ok->SetParent(dlg);
  ok->SetTop(40);
  ok->SetDefault(true);
  ok->SetModalResult(mrOk);
  auto* cancel = new TButton(dlg);
  cancel->SetParent(dlg);
  cancel->SetTop(70);
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  Word key = VK_RETURN;
  Application->SetModalHook([&](TForm* f) {
    edit->SetFocus();
    PressKey(f, key);
  });
  EXPECT_EQ(dlg->ShowModal(), mrOk);
  key = VK_ESCAPE;
  EXPECT_EQ(dlg->ShowModal(), mrCancel);
  // Return on a focused non-default button clicks that one.
  Application->SetModalHook([&](TForm* f) {
    cancel->SetFocus();
    PressKey(f, VK_RETURN);
  });
  EXPECT_EQ(dlg->ShowModal(), mrCancel);
  Application->SetModalHook(nullptr);
  delete dlg;
}

TEST_F(Button, AcceleratorFocusesAndClicks) {
  auto* edit = Make<TEdit>(10, 10, 80, 21);
  auto* save = Make<TButton>(10, 40, 75, 25);
  save->SetCaption("&Save");
  int clicks = 0;
  save->SetOnClick([&](TObject*) { ++clicks; });
  edit->SetFocus();
  PressKey(Form(), 'S', ssAlt);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(save->Focused());
  EXPECT_EQ(edit->Text(), "");
  // With the focus on a button the letter alone does it, as in a dialog...
  PressKey(Form(), 'S');
  EXPECT_EQ(clicks, 2);
  // ...but an edit types it.
  edit->SetFocus();
  PressKey(Form(), 'S');
  EXPECT_EQ(edit->Text(), "s");
  EXPECT_EQ(clicks, 2);
  save->SetEnabled(false);
  PressKey(Form(), 'S', ssAlt);
  EXPECT_EQ(clicks, 2);
  EXPECT_TRUE(edit->Focused());
}

TEST_F(Button, AcceleratorOfAModalResultButtonEndsTheDialog) {
  auto* dlg = new TForm(Application);
  auto* edit = new TEdit(dlg);
  edit->SetParent(dlg);
  auto* retry = new TButton(dlg);
  retry->SetParent(dlg);
  retry->SetTop(40);
  retry->SetCaption("&Retry");
  retry->SetModalResult(mrRetry);
  Application->SetModalHook([&](TForm* f) {
    edit->SetFocus();
    PressKey(f, 'R', ssAlt);
  });
  EXPECT_EQ(dlg->ShowModal(), mrRetry);
  Application->SetModalHook(nullptr);
  delete dlg;
}

class CheckBox : public HeadlessTest {};

TEST_F(CheckBox, AcceleratorTogglesAndFocuses) {
  auto* edit = Make<TEdit>(10, 10, 80, 21);
  auto* c = Make<TCheckBox>(10, 40, 100, 17);
  c->SetCaption("&Bold");
  edit->SetFocus();
  PressKey(Form(), 'B', ssAlt);
  EXPECT_TRUE(c->Checked());
  EXPECT_TRUE(c->Focused());
  PressKey(Form(), 'B');  // the focused box types no characters: its letter toggles
  EXPECT_FALSE(c->Checked());
  c->SetVisible(false);
  PressKey(Form(), 'B', ssAlt);
  EXPECT_FALSE(c->Checked());
}

TEST_F(CheckBox, ClicksAndKeysCycleTheStates) {
  auto* c = Make<TCheckBox>(10, 10, 100, 17);
  c->SetCaption("Option");
  int clicks = 0;
  c->SetOnClick([&](TObject*) { ++clicks; });
  Click(c, 5, 8);
  EXPECT_TRUE(c->Checked());
  Click(c, 50, 8);
  EXPECT_FALSE(c->Checked());
  EXPECT_EQ(clicks, 2);
  c->SetAllowGrayed(true);
  PressKey(Form(), VK_SPACE);
  EXPECT_EQ(c->State(), cbGrayed);
  PressKey(Form(), VK_SPACE);
  EXPECT_EQ(c->State(), cbChecked);
  // The program's changes click too, repeated values do not.
  c->SetChecked(false);
  c->SetChecked(false);
  EXPECT_EQ(clicks, 5);
  // Released off the box: no change.
  MouseDown(Form(), 15, 18);
  MouseUp(Form(), 150, 100);
  EXPECT_EQ(c->State(), cbUnchecked);
}

TEST_F(CheckBox, DrawsTheTickInTheSquare) {
  auto* c = Make<TCheckBox>(10, 10, 100, 17);
  const int top = (17 - kCheckBoxSize) / 2;
  EXPECT_EQ(PixelAt(c, 0, top), ColorToRGB(clBtnShadow));
  EXPECT_EQ(PixelAt(c, 3, top + 6), clWhite);
  c->SetChecked(true);
  EXPECT_EQ(PixelAt(c, 3, top + 6), clBlack);
  c->SetEnabled(false);
  EXPECT_EQ(PixelAt(c, 3, top + 6), ColorToRGB(clBtnShadow));
}

}  // namespace
