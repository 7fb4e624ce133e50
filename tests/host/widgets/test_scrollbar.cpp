// The scroll bar: the geometry every part is drawn and hit-tested from, arrow
// and page presses that repeat on the virtual clock, thumb drags, keys, the
// disabled look, and 64-bit ranges.
#include <cstdint>
#include <limits>
#include <vector>

#include "host/widgets/ScrollBar.h"
#include "tests/support/Headless.h"

using namespace host;
using namespace zeltest;

namespace {

// A vertical bar 232 pixels long: arrows of 16, a 200-pixel track. Max 99 with
// a page of 25 gives positions 0..75 and a 50-pixel thumb (room 150: two
// pixels a position).
class ScrollBarTest : public HeadlessTest {
 protected:
  TScrollBar* S = nullptr;
  std::vector<TScrollCode> Codes;
  int Changes = 0;
  void SetUp() override {
    HeadlessTest::SetUp();
    Form()->SetBounds(0, 0, 300, 300);
    S = Make<TScrollBar>(10, 10, 121, 16);
    S->SetKind(sbVertical);
    S->SetBounds(10, 10, 16, 232);
    S->SetParams(0, 0, 99);
    S->SetPageSize(25);
    S->SetOnScroll([this](TObject*, TScrollCode code, int64_t&) { Codes.push_back(code); });
    S->SetOnChange([this](TObject*) { ++Changes; });
    Pump();
  }
  TScrollBarLayout L() const { return S->Bar().Layout(); }
};

TEST_F(ScrollBarTest, TheThumbStandsForThePageAndThePosition) {
  EXPECT_EQ(L().LineBack, Rect(0, 0, 16, 16));
  EXPECT_EQ(L().LineForward, Rect(0, 216, 16, 232));
  EXPECT_EQ(L().Thumb, Rect(0, 16, 16, 66));
  EXPECT_TRUE(L().PageBack.IsEmpty());
  EXPECT_EQ(L().PageForward, Rect(0, 66, 16, 216));
  S->SetPosition(37);
  EXPECT_EQ(L().Thumb, Rect(0, 90, 16, 140));
  EXPECT_EQ(L().PageBack, Rect(0, 16, 16, 90));
  S->SetPosition(1000);  // the last position shows the last page
  EXPECT_EQ(S->Position(), 75);
  EXPECT_EQ(L().Thumb, Rect(0, 166, 16, 216));
  EXPECT_EQ(S->Bar().HitTest(8, 170), sbpThumb);
  EXPECT_EQ(S->Bar().HitTest(8, 100), sbpPageBack);
  // A tiny page still leaves a thumb that can be grabbed; a track shorter
  // than that minimum is all thumb.
  S->SetPageSize(1);
  EXPECT_EQ(L().Thumb.Height(), TWindowScrollBar::kMinThumb);
  S->SetBounds(10, 10, 16, 36);
  EXPECT_EQ(L().Thumb, Rect(0, 16, 16, 20));
}

TEST_F(ScrollBarTest, AShrunkRangeOrGrownPageMovesThePositionAndSaysSo) {
  S->SetPosition(75);
  Changes = 0;
  S->SetPageSize(50);  // the last page now starts at 50
  EXPECT_EQ(S->Position(), 50);
  EXPECT_EQ(Changes, 1);
  S->SetMax(30);  // the page shrinks to the 31 positions there are
  EXPECT_EQ(S->PageSize(), 31);
  EXPECT_EQ(S->Position(), 0);
  EXPECT_TRUE(L().Thumb.IsEmpty());
  EXPECT_EQ(Changes, 2);
  S->SetParams(5, 10, 0);  // Max below Min: a single position
  EXPECT_EQ(S->Max(), 10);
  EXPECT_EQ(S->Position(), 10);
}

TEST_F(ScrollBarTest, AHorizontalBarLaysOutAlongItsWidth) {
  S->SetKind(sbHorizontal);
  EXPECT_EQ(S->Width(), 232);  // the new kind swapped width and height
  EXPECT_EQ(S->Height(), 16);
  S->SetPosition(37);
  EXPECT_EQ(L().LineBack, Rect(0, 0, 16, 16));
  EXPECT_EQ(L().Thumb, Rect(90, 0, 140, 16));
  Click(static_cast<TControl*>(S), 220, 8);
  EXPECT_EQ(S->Position(), 38);
}

TEST_F(ScrollBarTest, AHeldArrowStepsThenRepeatsUntilReleased) {
  MouseDown(Form(), 18, 235);  // the down arrow
  EXPECT_EQ(S->Position(), 1);
  EXPECT_EQ(S->Bar().Pressed(), sbpLineForward);
  Advance(399);
  EXPECT_EQ(S->Position(), 1);
  Advance(1);  // the first repeat after the delay, then quicker ones
  EXPECT_EQ(S->Position(), 2);
  Advance(100);
  EXPECT_EQ(S->Position(), 4);
  // Off the arrow the repeats pause; back on, they go on.
  MouseMove(Form(), 100, 235);
  Advance(200);
  EXPECT_EQ(S->Position(), 4);
  MouseMove(Form(), 18, 235);
  Advance(50);
  EXPECT_EQ(S->Position(), 5);
  MouseUp(Form(), 18, 235);
  Advance(1000);
  EXPECT_EQ(S->Position(), 5);
  EXPECT_EQ(Codes.back(), scEndScroll);
  EXPECT_EQ(std::count(Codes.begin(), Codes.end(), scLineDown), 5);
  EXPECT_EQ(Changes, 5);
}

TEST_F(ScrollBarTest, APressWhoseCaptureIsTakenStopsRepeating) {
  MouseDown(Form(), 18, 235);
  EXPECT_EQ(S->Position(), 1);
  S->SetMouseCapture(false);  // as a modal dialog opened meanwhile would
  Advance(1000);
  EXPECT_EQ(S->Position(), 1);
  EXPECT_EQ(S->Bar().Pressed(), sbpNone);
  MouseUp(Form(), 18, 235);
  // A dragged thumb lets go as well: later moves do not drag it.
  MouseDown(Form(), 18, 30);
  S->SetMouseCapture(false);
  MouseMove(Form(), 18, 200);
  EXPECT_EQ(S->Position(), 1);
  EXPECT_FALSE(S->Bar().Dragging());
  MouseUp(Form(), 18, 200);
}

TEST_F(ScrollBarTest, AHeldPageStopsWhereTheThumbReachesThePointer) {
  S->SetLargeChange(10);
  Click(Form(), 18, 200);  // below the thumb: one page
  EXPECT_EQ(S->Position(), 10);
  EXPECT_EQ(Codes.front(), scPageDown);
  S->SetPosition(0);
  // The thumb covers 16 + 2p .. 66 + 2p: the pointer at 136 (form 146) is
  // under it from position 40 on.
  MouseDown(Form(), 18, 146);
  Advance(2000);
  EXPECT_EQ(S->Position(), 40);
  MouseUp(Form(), 18, 146);
  // Above the thumb pages back.
  Click(Form(), 18, 30);
  EXPECT_EQ(S->Position(), 30);
}

TEST_F(ScrollBarTest, TheDraggedThumbTracksThePointerAndSettlesOnRelease) {
  // Grabbed at its middle (41) and moved 75 pixels: 37.5 positions, nearest 38.
  Drag(static_cast<TControl*>(S), 8, 41, 8, 116);
  EXPECT_EQ(S->Position(), 38);
  EXPECT_NE(std::find(Codes.begin(), Codes.end(), scTrack), Codes.end());
  ASSERT_GE(Codes.size(), 2u);
  EXPECT_EQ(Codes[Codes.size() - 2], scPosition);
  EXPECT_EQ(Codes.back(), scEndScroll);
  // Far past the end: the last position, the thumb at the track's end.
  Drag(static_cast<TControl*>(S), 8, 100, 8, 400);
  EXPECT_EQ(S->Position(), 75);
  EXPECT_EQ(L().Thumb.Bottom, 216);
  Drag(static_cast<TControl*>(S), 8, 190, 8, -50);
  EXPECT_EQ(S->Position(), 0);
}

TEST_F(ScrollBarTest, TheProgramMayMoveTheProposedPosition) {
  S->SetOnScroll([](TObject*, TScrollCode code, int64_t& pos) {
    if (code == scLineDown) pos = (pos + 4) / 5 * 5;  // snaps to fives
  });
  Click(Form(), 18, 235);
  EXPECT_EQ(S->Position(), 5);
  Click(Form(), 18, 235);
  EXPECT_EQ(S->Position(), 10);
}

TEST_F(ScrollBarTest, KeysStepPageAndGoToTheEnds) {
  S->SetFocus();
  S->SetLargeChange(20);
  PressKey(Form(), VK_DOWN);
  EXPECT_EQ(S->Position(), 1);
  PressKey(Form(), VK_NEXT);
  EXPECT_EQ(S->Position(), 21);
  PressKey(Form(), VK_END);
  EXPECT_EQ(S->Position(), 75);
  PressKey(Form(), VK_HOME);
  EXPECT_EQ(S->Position(), 0);
  EXPECT_EQ(Codes.back(), scEndScroll);
}

TEST_F(ScrollBarTest, NothingToScrollShowsEmbossedArrowsAndTakesNoPress) {
  const TRect arrow = L().LineForward;
  const int cx = (arrow.Left + arrow.Right) / 2, cy = (arrow.Top + arrow.Bottom) / 2;
  EXPECT_EQ(PixelAt(static_cast<TControl*>(S), cx, cy), ColorToRGB(clBtnText));
  S->SetEnabled(false);
  Pump();
  EXPECT_EQ(PixelAt(static_cast<TControl*>(S), cx, cy), ColorToRGB(clBtnShadow));
  EXPECT_TRUE(L().Thumb.IsEmpty());
  Click(Form(), 18, 235);
  EXPECT_EQ(S->Position(), 0);
  // A range of one page is as good as none.
  S->SetEnabled(true);
  S->SetParams(0, 0, 24);
  Pump();
  EXPECT_TRUE(L().Thumb.IsEmpty());
  EXPECT_EQ(PixelAt(static_cast<TControl*>(S), cx, cy), ColorToRGB(clBtnShadow));
  Click(Form(), 18, 235);
  EXPECT_TRUE(Codes.empty());
}

// Vertical and horizontal at rest, with nothing to scroll, and held: an arrow
// pressed in, the track darkened on the side a page press pages through.
TEST_F(ScrollBarTest, TheBarsStatesMatchTheirGoldenImage) {
  Form()->SetBounds(0, 0, 200, 260);
  S->SetPosition(37);
  auto* h = Make<TScrollBar>(40, 10, 150, 16);
  h->SetParams(10, 0, 99);
  h->SetPageSize(10);
  auto* none = Make<TScrollBar>(40, 40, 150, 16);
  none->SetEnabled(false);
  auto* arrow = Make<TScrollBar>(40, 70, 150, 16);
  auto* page = Make<TScrollBar>(40, 100, 150, 16);
  page->SetPageSize(20);
  Pump();
  MouseDown(Form(), 40 + 8, 70 + 8);  // the left arrow of a bar at 0: held, nothing moves
  Pump();
  EXPECT_EQ(arrow->Bar().Pressed(), sbpLineBack);
  ASSERT_TRUE(MatchesGolden(Form(), "host-widgets-scrollbar-arrow"));
  MouseUp(Form(), 40 + 8, 70 + 8);
  MouseDown(Form(), 40 + 100, 100 + 8);  // the track right of the thumb
  Pump();
  ASSERT_TRUE(MatchesGolden(Form(), "host-widgets-scrollbar"));
  MouseUp(Form(), 40 + 100, 100 + 8);
}

TEST(WindowScrollBar, EdgeStripsLieAlongTheRightAndBottomEdges) {
  const TRect client = Rect(2, 2, 98, 48);
  EXPECT_EQ(TWindowScrollBar::EdgeStrip(client, sbVertical), Rect(82, 2, 98, 48));
  EXPECT_EQ(TWindowScrollBar::EdgeStrip(client, sbHorizontal), Rect(2, 32, 98, 48));
  // Narrower than a bar: the bar takes what there is.
  EXPECT_EQ(TWindowScrollBar::EdgeStrip(Rect(0, 0, 10, 5), sbHorizontal), Rect(0, 0, 10, 5));
}

TEST(WindowScrollBar, SixtyFourBitRangesKeepTheThumbInProportion) {
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
  TWindowScrollBar bar(nullptr, sbVertical);
  bar.SetBounds(Rect(0, 0, 16, 232));
  bar.SetParams(kMax / 2 + 1, 0, kMax, int64_t(1) << 40);
  // A minimal thumb (8) in a 200-pixel track: room 192, the middle at 96.
  EXPECT_EQ(bar.Layout().Thumb, Rect(0, 16 + 96, 16, 16 + 104));
  EXPECT_EQ(bar.PositionAtThumb(16), 0);
  EXPECT_EQ(bar.PositionAtThumb(16 + 192), kMax);
  EXPECT_NEAR(double(bar.PositionAtThumb(16 + 96)), double(kMax / 2), double(kMax) / 192);
  // The whole int64 range, and steps that would overflow saturate.
  bar.SetParams(kMax, kMin, kMax, 0);
  EXPECT_EQ(bar.Layout().Thumb.Bottom, 216);
  bar.SetLargeChange(kMax);
  bar.Scroll(scPageDown);
  EXPECT_EQ(bar.Position(), kMax);
  bar.Scroll(scPageUp);
  EXPECT_EQ(bar.Position(), 0);
  bar.Scroll(scPageUp);
  bar.Scroll(scPageUp);
  EXPECT_EQ(bar.Position(), kMin);
}

}  // namespace
