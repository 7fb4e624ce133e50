// The scroll box as a user meets it: bars only while the content is larger,
// the wheel and the bars scroll the children, a larger box scrolls back, and
// a control reached with Tab comes into view.
#include "host/widgets/ScrollBox.h"
#include "host/widgets/StdCtrls.h"
#include "tests/support/Headless.h"

using namespace host;
using namespace zeltest;

namespace {

// A 200 x 100 box without a border at (0, 0) of the form.
class ScrollBoxTest : public HeadlessTest {
 protected:
  TScrollBox* B = nullptr;
  void SetUp() override {
    HeadlessTest::SetUp();
    Form()->SetBounds(0, 0, 400, 300);
    B = Make<TScrollBox>(0, 0, 200, 100);
    B->SetBorderStyle(bsNone);
    Pump();
  }
  // A plain coloured child window of the box.
  TWinControl* Child(int x, int y, int w, int h, TColor color = clRed) {
    auto* c = new TWinControl(Form());
    c->SetParent(B);
    c->SetBounds(x, y, w, h);
    c->SetColor(color);
    Pump();
    return c;
  }
};

TEST_F(ScrollBoxTest, BarsShowOnlyWhileTheContentIsLarger) {
  TWinControl* c = Child(10, 10, 50, 50);
  EXPECT_EQ(B->ClientRect(), Rect(0, 0, 200, 100));
  c->SetHeight(150);  // taller: a vertical bar, nothing sideways
  Pump();
  EXPECT_EQ(B->ClientRect(), Rect(0, 0, 184, 100));
  EXPECT_TRUE(B->VertScrollBar().Shown());
  EXPECT_FALSE(B->HorzScrollBar().Shown());
  EXPECT_EQ(B->VertScrollBar().Max(), 60);
  EXPECT_EQ(B->VertScrollBar().PageSize(), 100);
  // Reaching 190 fits the box, but not beside the vertical bar: both show.
  c->SetWidth(180);
  Pump();
  EXPECT_EQ(B->ClientRect(), Rect(0, 0, 184, 84));
  EXPECT_EQ(B->HorzScrollBar().Max(), 6);
  c->SetBounds(10, 10, 50, 50);
  Pump();
  EXPECT_FALSE(B->VertScrollBar().Shown());
  EXPECT_FALSE(B->HorzScrollBar().Shown());
}

TEST_F(ScrollBoxTest, TheWheelScrollsTheChildrenAndStopsAtTheEnds) {
  TWinControl* c = Child(10, 10, 50, 290);  // reaches 300: 200 to scroll
  Wheel(Form(), 100, 50, -120);
  EXPECT_EQ(B->ScrollPosY(), TScrollBox::kWheelStep);
  EXPECT_EQ(c->Top(), 10 - TScrollBox::kWheelStep);
  EXPECT_EQ(B->VertScrollBar().Position(), TScrollBox::kWheelStep);
  for (int i = 0; i < 6; ++i) Wheel(Form(), 100, 50, -120);
  EXPECT_EQ(B->ScrollPosY(), 200);
  EXPECT_EQ(c->Top(), -190);
  Wheel(Form(), 100, 50, 120);
  EXPECT_EQ(B->ScrollPosY(), 200 - TScrollBox::kWheelStep);
  // Shift turns the wheel sideways; with nothing to scroll there the box
  // leaves the wheel to its parents.
  EXPECT_FALSE(B->HorzScrollBar().Shown());
  Wheel(Form(), 100, 50, -120, ssShift);
  EXPECT_EQ(B->ScrollPosX(), 0);
  EXPECT_EQ(c->Left(), 10);
}

TEST_F(ScrollBoxTest, ALargerBoxScrollsBackAndDropsItsBar) {
  TWinControl* c = Child(10, 10, 50, 290);
  B->ScrollTo(0, 1000);
  EXPECT_EQ(B->ScrollPosY(), 200);
  B->SetHeight(250);
  Pump();
  EXPECT_EQ(B->ScrollPosY(), 50);  // the content's end stays at the bottom
  EXPECT_EQ(c->Top(), -40);
  B->SetHeight(300);
  Pump();
  EXPECT_EQ(B->ScrollPosY(), 0);
  EXPECT_EQ(c->Top(), 10);
  EXPECT_FALSE(B->VertScrollBar().Shown());
}

TEST_F(ScrollBoxTest, TheBarsTakeTheMouseAndChildrenStayOffThem) {
  // A child as wide as the box reaches under the vertical bar (and so brings
  // the horizontal one: the view is 184 x 84).
  Child(0, 0, 200, 300);
  const TScrollBarLayout bar = B->VertScrollBar().Layout();
  EXPECT_NE(PixelAt(B, bar.Track.Left + 8, bar.Track.Top + 40) & 0xFFFFFF, ColorToRGB(clRed));
  Click(B, bar.LineForward.Left + 8, bar.LineForward.Top + 8);
  EXPECT_EQ(B->ScrollPosY(), TScrollBox::kWheelStep / 3);
  // Dragging the thumb to the end scrolls to the end.
  const TRect thumb = B->VertScrollBar().Layout().Thumb;
  Drag(Form(), thumb.Left + 8, thumb.Top + 4, thumb.Left + 8, 83, 4);
  EXPECT_EQ(B->ScrollPosY(), 216);
}

TEST_F(ScrollBoxTest, TabBringsTheFocusedControlIntoView) {
  auto* top = new TEdit(Form());
  top->SetParent(B);
  top->SetBounds(10, 10, 100, 24);
  auto* low = new TEdit(Form());
  low->SetParent(B);
  low->SetBounds(10, 250, 100, 24);
  top->SetFocus();
  Pump();
  PressKey(Form(), VK_TAB);
  ASSERT_TRUE(low->Focused());
  EXPECT_EQ(low->Top() + low->Height(), B->ClientRect().Bottom);  // the least scroll
  PressKey(Form(), VK_TAB, ssShift);
  ASSERT_TRUE(top->Focused());
  EXPECT_EQ(top->Top(), 0);  // the top edge at the view's top, not back to 10
  EXPECT_EQ(B->ScrollPosY(), 10);
}

}  // namespace
