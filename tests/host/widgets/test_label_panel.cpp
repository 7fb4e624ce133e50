// Labels and panels: auto-sizing through DoDrawText, layout, transparency,
// accelerators, bevel and border pixels, the parent background and the mouse
// enter/leave notifications.
#include "host/gfx/FontFace.h"
#include "host/widgets/ExtCtrls.h"
#include "host/widgets/StdCtrls.h"
#include "tests/support/Headless.h"

using namespace host;
using namespace zeltest;

namespace {

// Records what DoDrawText was asked, and can refuse to measure as a turned
// label does.
class ProbeLabel : public TCustomLabel {
 public:
  explicit ProbeLabel(TComponent* o) : TCustomLabel(o) {}
  bool IgnoreCalc = false;
  std::vector<uint32_t> Flags;
  TRect LastDrawRect;

 protected:
  void DoDrawText(TRect& Rect, uint32_t F) override {
    Flags.push_back(F);
    if (F & DT_CALCRECT) {
      if (!IgnoreCalc) TCustomLabel::DoDrawText(Rect, F);
      return;
    }
    LastDrawRect = Rect;
    TCustomLabel::DoDrawText(Rect, F);
  }
};

class Label : public HeadlessTest {
 protected:
  int W(const std::string& s, TControl* c) { return c->Font()->Face().TextWidth(s); }
  int H(TControl* c) { return c->Font()->Face().CellHeight(); }
};

TEST_F(Label, AutoSizeMeasuresThroughDoDrawText) {
  auto* l = Make<ProbeLabel>(10, 10, 100, 40);
  l->SetCaption("Measured");
  EXPECT_EQ(l->Width(), W("Measured", l));
  EXPECT_EQ(l->Height(), H(l));
  ASSERT_FALSE(l->Flags.empty());
  EXPECT_TRUE(l->Flags.back() & DT_CALCRECT);
  // Right-aligned, the right edge stays where it was.
  l->SetAlignment(taRightJustify);
  const int right = l->Left() + l->Width();
  l->SetCaption("Much longer text");
  EXPECT_EQ(l->Left() + l->Width(), right);
  // The accelerator mark takes no room; "&&" is one ampersand.
  l->SetCaption("&File && more");
  EXPECT_EQ(l->Width(), W("File & more", l));
  // An empty caption keeps one line of height.
  l->SetCaption("");
  EXPECT_EQ(l->Height(), H(l));
  // A label that does not measure keeps its size.
  l->IgnoreCalc = true;
  l->SetBounds(10, 10, 150, 30);
  l->SetCaption("anything at all");
  EXPECT_EQ(l->Width(), 150);
  EXPECT_EQ(l->Height(), 30);
}

TEST_F(Label, WordWrapAndLayout) {
  auto* l = Make<ProbeLabel>(10, 10, 60, 40);
  l->SetAutoSize(false);
  l->SetWordWrap(true);
  l->SetCaption("one two three four");
  l->SetAutoSize(true);
  EXPECT_LE(l->Width(), 60);
  EXPECT_GE(l->Height(), 2 * H(l));
  l->SetAutoSize(false);
  l->SetWordWrap(false);
  l->SetBounds(10, 10, 120, 50);
  l->SetLayout(tlBottom);
  Pump();
  EXPECT_EQ(l->LastDrawRect.Top, 50 - H(l));
  l->SetLayout(tlCenter);
  Pump();
  EXPECT_EQ(l->LastDrawRect.Top, (50 - H(l)) / 2);
  EXPECT_FALSE(l->LastDrawRect.Top == 0);
  EXPECT_TRUE(l->Flags.back() & DT_EXPANDTABS);
}

TEST_F(Label, BackgroundUnlessTransparent) {
  Form()->SetColor(clWhite);
  auto* l = Make<TLabel>(10, 10, 80, 20);
  l->SetAutoSize(false);
  l->SetCaption("x");
  l->SetColor(clYellow);
  EXPECT_EQ(PixelAt(l, 70, 15), clYellow);
  l->SetTransparent(true);
  EXPECT_EQ(PixelAt(l, 70, 15), clWhite);
  // ParentColor is the default: a label takes its parent's colour.
  auto* p = Make<TLabel>(10, 40, 80, 20);
  EXPECT_EQ(p->Color(), clWhite);
}

TEST_F(Label, DisabledCaptionIsEmbossed) {
  auto* l = Make<TLabel>(10, 10, 80, 20);
  l->Font()->SetSize(14);
  l->SetCaption("I");
  l->SetEnabled(false);
  bool light = false, shadow = false;
  for (int y = 0; y < l->Height(); ++y)
    for (int x = 0; x < l->Width(); ++x) {
      const TColor c = PixelAt(l, x, y);
      light |= c == clWhite;
      shadow |= c == clGray;
    }
  EXPECT_TRUE(light);
  EXPECT_TRUE(shadow);
}

TEST_F(Label, AcceleratorFocusesTheFocusControl) {
  auto* l = Make<TLabel>(10, 10, 80, 20);
  auto* e1 = Make<TEdit>(10, 40, 80, 21);
  auto* e2 = Make<TEdit>(10, 70, 80, 21);
  l->SetCaption("&Name");
  l->SetFocusControl(e2);
  e1->SetFocus();
  EXPECT_EQ(l->Perform(CM_DIALOGCHAR, 'x'), 0);
  EXPECT_TRUE(e1->Focused());
  EXPECT_EQ(l->Perform(CM_DIALOGCHAR, 'N'), 1);
  EXPECT_TRUE(e2->Focused());
  // A focus control that is gone is left alone.
  e1->SetFocus();
  delete e2;
  EXPECT_EQ(l->Perform(CM_DIALOGCHAR, 'n'), 0);
  EXPECT_TRUE(e1->Focused());
}

TEST_F(Label, AltLetterFocusesTheMemoWithoutTypingIntoTheEdit) {
  // As on the gallery's page: the focus is in an edit, "&Memo" labels a memo.
  auto* edit = Make<TEdit>(10, 10, 80, 21);
  auto* panel = Make<TPanel>(10, 40, 180, 70);
  auto* l = new TLabel(Form());
  l->SetParent(panel);
  l->SetBounds(4, 4, 60, 17);
  l->SetCaption("&Memo (Alt+M):");
  auto* memo = new TMemo(Form());
  memo->SetParent(panel);
  memo->SetBounds(70, 4, 100, 60);
  l->SetFocusControl(memo);
  edit->SetFocus();
  PressKey(Form(), 'M', ssAlt);
  EXPECT_TRUE(memo->Focused());
  EXPECT_EQ(edit->Text(), "");
  EXPECT_EQ(memo->Text(), "");
  // Without Alt the edit (which types characters) gets the letter.
  edit->SetFocus();
  PressKey(Form(), 'M');
  EXPECT_EQ(edit->Text(), "m");
  EXPECT_TRUE(edit->Focused());
}

TEST_F(Label, NoAcceleratorFromADisabledLabelOrToAnUnfocusableControl) {
  auto* l = Make<TLabel>(10, 10, 80, 20);
  auto* edit = Make<TEdit>(10, 40, 80, 21);
  auto* target = Make<TEdit>(10, 70, 80, 21);
  l->SetCaption("&Name");
  l->SetFocusControl(target);
  edit->SetFocus();
  target->SetEnabled(false);
  PressKey(Form(), 'N', ssAlt);
  EXPECT_TRUE(edit->Focused());
  target->SetEnabled(true);
  l->SetEnabled(false);
  PressKey(Form(), 'N', ssAlt);
  l->SetEnabled(true);
  l->SetVisible(false);
  PressKey(Form(), 'N', ssAlt);
  l->SetVisible(true);
  l->SetShowAccelChar(false);  // "&N" is then just text
  PressKey(Form(), 'N', ssAlt);
  EXPECT_TRUE(edit->Focused());
  l->SetShowAccelChar(true);
  PressKey(Form(), 'N', ssAlt);
  EXPECT_TRUE(target->Focused());
}

class Panel : public HeadlessTest {};

TEST_F(Panel, RaisedBevelAndFaceColour) {
  Form()->SetColor(clWhite);
  auto* p = Make<TPanel>(10, 10, 60, 40);
  const TColor light = ColorToRGB(clBtnHighlight), shadow = ColorToRGB(clBtnShadow);
  EXPECT_EQ(PixelAt(p, 0, 0), light);
  EXPECT_EQ(PixelAt(p, 58, 0), light);
  EXPECT_EQ(PixelAt(p, 59, 0), shadow);
  EXPECT_EQ(PixelAt(p, 0, 39), shadow);
  EXPECT_EQ(PixelAt(p, 59, 39), shadow);
  // ParentBackground (the default) shows the parent through the face.
  p->SetColor(clRed);
  EXPECT_EQ(PixelAt(p, 30, 20), clWhite);
  p->SetParentBackground(false);
  EXPECT_EQ(PixelAt(p, 30, 20), clRed);
}

TEST_F(Panel, BevelsNestFromTheOutsideIn) {
  auto* p = Make<TPanel>(10, 10, 60, 40);
  p->SetParentBackground(false);
  p->SetColor(clLime);
  p->SetBevelOuter(bvLowered);
  p->SetBevelInner(bvRaised);
  p->SetBevelWidth(2);
  p->SetBorderWidth(3);
  const TColor light = ColorToRGB(clBtnHighlight), shadow = ColorToRGB(clBtnShadow);
  EXPECT_EQ(PixelAt(p, 1, 10), shadow);  // lowered outer bevel, two wide
  EXPECT_EQ(PixelAt(p, 58, 10), light);
  EXPECT_EQ(PixelAt(p, 2, 10), clLime);  // border band
  EXPECT_EQ(PixelAt(p, 4, 10), clLime);
  EXPECT_EQ(PixelAt(p, 5, 10), light);  // raised inner bevel
  EXPECT_EQ(PixelAt(p, 6, 10), light);
  EXPECT_EQ(PixelAt(p, 7, 10), clLime);
  EXPECT_EQ(PixelAt(p, 53, 10), shadow);
  p->SetBevelInner(bvSpace);
  EXPECT_EQ(PixelAt(p, 5, 10), clLime);
}

TEST_F(Panel, SingleBorderInsetsTheClientArea) {
  auto* p = Make<TPanel>(10, 10, 60, 40);
  p->SetBorderStyle(bsSingle);
  EXPECT_EQ(p->ClientRect(), Rect(2, 2, 58, 38));
  auto* child = new TPanel(Form());
  child->SetParent(p);
  child->SetAlign(alClient);
  EXPECT_EQ(child->BoundsRect(), Rect(2, 2, 58, 38));
  EXPECT_EQ(PixelAt(p, 0, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(PixelAt(p, 1, 1), ColorToRGB(cl3DDkShadow));
}

TEST_F(Panel, CaptionFollowsAlignment) {
  auto* p = Make<TPanel>(10, 10, 120, 30);
  p->SetBevelOuter(bvNone);
  p->SetCaption("H");
  auto darkest = [&] {
    int at = -1;
    for (int x = 0; x < p->Width() && at < 0; ++x)
      for (int y = 0; y < p->Height() && at < 0; ++y)
        if (PixelAt(p, x, y) == clBlack) at = x;
    return at;
  };
  p->SetAlignment(taLeftJustify);
  const int left = darkest();
  p->SetAlignment(taRightJustify);
  const int right = darkest();
  p->SetAlignment(taCenter);
  const int centre = darkest();
  EXPECT_GE(left, 0);
  EXPECT_LT(left, 4);
  EXPECT_GT(right, 110);
  EXPECT_GT(centre, 50);
  EXPECT_LT(centre, 65);
}

// A panel that hears the mouse come and go through the message handlers, as
// a colour button does.
class HoverPanel : public TCustomPanel {
 public:
  explicit HoverPanel(TComponent* o) : TCustomPanel(o) {}
  std::vector<std::string> Log;

 protected:
  void CMMouseEnter(TMessage& m) override {
    TCustomPanel::CMMouseEnter(m);
    Log.push_back("enter");
  }
  void CMMouseLeave(TMessage& m) override {
    TCustomPanel::CMMouseLeave(m);
    Log.push_back("leave");
  }
};

TEST_F(Panel, MouseEnterAndLeave) {
  auto* p = Make<HoverPanel>(10, 10, 60, 40);
  int events = 0;
  p->SetOnMouseEnter([&](TObject*) { ++events; });
  p->SetOnMouseLeave([&](TObject*) { ++events; });
  MouseMove(Form(), 5, 5);
  MouseMove(Form(), 20, 20);
  MouseMove(Form(), 30, 30);
  MouseMove(Form(), 100, 100);
  EXPECT_EQ(p->Log, (std::vector<std::string>{"enter", "leave"}));
  EXPECT_EQ(events, 2);
}

TEST_F(Panel, DialogKeysReachButtonsOnThePanel) {
  auto* p = Make<TPanel>(0, 0, 200, 120);
  auto* cancel = new TButton(Form());
  cancel->SetParent(p);
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  auto* edit = new TEdit(Form());
  edit->SetParent(p);
  edit->SetTop(40);
  edit->SetFocus();
  PressKey(Form(), VK_ESCAPE);
  EXPECT_EQ(Form()->ModalResult(), mrCancel);
}

}  // namespace
