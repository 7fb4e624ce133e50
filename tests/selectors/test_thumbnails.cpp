#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "host/ui/Forms.h"
#include "selectors/ZEL_Thumbnails.h"
#include "tests/support/Headless.h"

namespace {

using namespace host;
using zel::TThumbnails;

constexpr TColor kRed = 0x0000FF;

class ThumbnailsTest : public zeltest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    Form()->SetBounds(0, 0, 440, 440);
    Thumbs = Make<TThumbnails>(0, 0, 260, 400);
    Thumbs->SetOnImageRequest(
        [this](TObject*, int id, zel::TImageRequestProcessing& how, int& mark, TBitmap* img) {
          Requested.push_back(id);
          if (Handler) Handler(id, how, mark, img);
        });
  }
  // Paints now and returns the slides requested by that paint.
  std::vector<int> PaintOnce() {
    Requested.clear();
    Thumbs->Invalidate();
    zeltest::Pump();
    return Requested;
  }
  TColor Pixel(int x, int y) { return zeltest::PixelAt(Thumbs, x, y); }
  TThumbnails* Thumbs = nullptr;
  std::vector<int> Requested;
  std::function<void(int, zel::TImageRequestProcessing&, int&, TBitmap*)> Handler;
};

void Fill(TBitmap* img, int w, int h, TColor c) {
  img->SetSize(w, h);
  img->Canvas()->Brush()->SetColor(c);
  img->Canvas()->FillRect(Rect(0, 0, w, h));
}

TEST_F(ThumbnailsTest, DefaultStripHasOneColumnOfThreeRows) {
  const zel::TThumbLayout L = Thumbs->Layout();
  EXPECT_EQ(L.Pitch, 136);
  EXPECT_EQ(L.Cols, 1);
  EXPECT_EQ(L.Rows, 3);
  EXPECT_EQ(PaintOnce(), (std::vector<int>{1, 2, 3}));
  // Slide 3 starts at y 284 and is cut off by the bottom strip.
  int x = 0, y = 0;
  Thumbs->CalcSlidePos(3, x, y);
  EXPECT_EQ(y, 2 * 136 + 2 + 10);
  EXPECT_EQ(Pixel(60, 395), Pixel(5, 200));  // background, not the slide face
  EXPECT_EQ(Thumbs->NumSldX(), 1);
  EXPECT_EQ(Thumbs->NumSldY(), 3);
}

TEST_F(ThumbnailsTest, WiderStripsGetMoreColumns) {
  Thumbs->SetWidth(400);
  EXPECT_EQ(Thumbs->Layout().Cols, 2);  // (400 + 2 - 20) div 136
  Thumbs->SetWidth(100);
  EXPECT_EQ(Thumbs->Layout().Cols, 1);  // at least one
}

TEST_F(ThumbnailsTest, FirstThumbIxScrollsToTheSlidesRowWithAFraction) {
  Thumbs->SetWidth(400);
  Thumbs->SetFirstThumbIx(4);
  EXPECT_DOUBLE_EQ(Thumbs->FirstThumbIx(), 3.5);
  int x = 0, y = 0;
  Thumbs->CalcSlidePos(4, x, y);
  EXPECT_EQ(x, 136 + 10);
  EXPECT_EQ(y, 2 - 68 + 10);
  EXPECT_EQ(PaintOnce(), (std::vector<int>{3, 5, 7, 4, 6, 8}));
  Thumbs->SetFirstThumbIx(1000);
  EXPECT_DOUBLE_EQ(Thumbs->FirstThumbIx(), 99.5);
  Thumbs->SetFirstThumbIx(-3);
  EXPECT_DOUBLE_EQ(Thumbs->FirstThumbIx(), 1.0);
}

TEST_F(ThumbnailsTest, AColumnChangeRenormalisesThePositionAtPaint) {
  Thumbs->SetWidth(400);
  Thumbs->SetFirstThumbIx(4);  // 3.5 with two columns
  Thumbs->SetWidth(260);
  PaintOnce();
  EXPECT_DOUBLE_EQ(Thumbs->FirstThumbIx(), 3.5);  // one column: slide 3, half a pitch up
  Thumbs->SetWidth(400);
  PaintOnce();
  EXPECT_DOUBLE_EQ(Thumbs->FirstThumbIx(), 3.25);
}

TEST_F(ThumbnailsTest, HitTestFindsSlidesAndNothingInGapsAndBorders) {
  Thumbs->SetWidth(400);
  EXPECT_EQ(Thumbs->CalcSlideIndex(20, 20), 1);
  EXPECT_EQ(Thumbs->CalcSlideIndex(150, 150), 4);
  EXPECT_EQ(Thumbs->CalcSlideIndex(145, 20), 0);  // the gap after slide 1 (x 145)
  EXPECT_EQ(Thumbs->CalcSlideIndex(5, 50), 0);    // the left border
  EXPECT_EQ(Thumbs->CalcSlideIndex(50, 5), 0);    // the top border
  EXPECT_EQ(Thumbs->CalcSlideIndex(50, 147), 0);  // between rows (y 146..147)
  EXPECT_EQ(Thumbs->CalcSlideIndex(50, 148), 3);
  Thumbs->SetFMax(3);
  EXPECT_EQ(Thumbs->CalcSlideIndex(150, 150), 0);  // beyond Max
}

TEST_F(ThumbnailsTest, SingleModeClicksSelectOneSlideAndGapsClearIt) {
  std::vector<int> clicked;
  Thumbs->SetOnImageClick([&](TObject*, int, int, int id) { clicked.push_back(id); });
  zeltest::Click(Thumbs, 50, 200);
  EXPECT_TRUE(Thumbs->GetSelectedSlide(2));
  EXPECT_EQ(Thumbs->NumSlidesSelected(), 1);
  zeltest::Click(Thumbs, 50, 50);
  EXPECT_FALSE(Thumbs->GetSelectedSlide(2));
  EXPECT_EQ(Thumbs->FirstSelectedSlide(), 1);
  zeltest::Click(Thumbs, 5, 50);  // the border
  EXPECT_EQ(Thumbs->NumSlidesSelected(), 0);
  EXPECT_EQ(Thumbs->FirstSelectedSlide(), 0);
  EXPECT_EQ(clicked, (std::vector<int>{2, 1, 0}));
  EXPECT_EQ(Pixel(30, 30), TColor(0xC0C0C0));  // the face shows unselected again
}

TEST_F(ThumbnailsTest, MultipleModeBuildsSelectionsWithCtrlAndShift) {
  Thumbs->SetWidth(400);
  Thumbs->SetSlideSelectMode(zel::ssmMultiple);
  zeltest::Click(Thumbs, 20, 20);                    // 1
  zeltest::Click(Thumbs, 150, 150, mbLeft, ssCtrl);  // + 4
  EXPECT_EQ(Thumbs->NumSlidesSelected(), 2);
  zeltest::Click(Thumbs, 20, 20, mbLeft, ssCtrl);  // - 1, anchor 1
  EXPECT_FALSE(Thumbs->GetSelectedSlide(1));
  zeltest::Click(Thumbs, 150, 290, mbLeft, ssShift);  // 1..6 alone
  EXPECT_EQ(Thumbs->NumSlidesSelected(), 6);
  zeltest::Click(Thumbs, 20, 20);  // a plain click: 1 alone
  EXPECT_EQ(Thumbs->NumSlidesSelected(), 1);
  Thumbs->SetSlideSelectMode(zel::ssmDisabled);  // a mode change clears
  EXPECT_EQ(Thumbs->NumSlidesSelected(), 0);
  zeltest::Click(Thumbs, 20, 20);
  EXPECT_EQ(Thumbs->NumSlidesSelected(), 0);
  Thumbs->SetSelectedSlide(3, true);  // the program still can
  EXPECT_TRUE(Thumbs->GetSelectedSlide(3));
}

TEST_F(ThumbnailsTest, SelectionAccessorsIgnoreSlidesOutsideTheRange) {
  Thumbs->SetMin(5);
  Thumbs->SetFMax(10);
  Thumbs->SetSelectedSlide(4, true);
  Thumbs->SetSelectedSlide(11, true);
  Thumbs->SetSelectedSlide(-100, true);
  EXPECT_EQ(Thumbs->NumSlidesSelected(), 0);
  EXPECT_FALSE(Thumbs->GetSelectedSlide(11));
  Thumbs->SetSelectedSlide(7, true);
  EXPECT_EQ(Thumbs->FirstSelectedSlide(), 7);
  Thumbs->ResetAllSelections();
  EXPECT_EQ(Thumbs->FirstSelectedSlide(), 0);
}

TEST_F(ThumbnailsTest, MinAboveMaxRaisesMaxAndMaxBelowMinLowersMin) {
  Thumbs->SetMin(200);
  EXPECT_EQ(Thumbs->Max(), 200);
  Thumbs->SetSelectedSlide(200, true);  // a range of one slide still has its bit
  EXPECT_TRUE(Thumbs->GetSelectedSlide(200));
  Thumbs->SetFMax(0);
  EXPECT_EQ(Thumbs->Max(), 1);
  EXPECT_EQ(Thumbs->Min(), 1);
  Thumbs->SetMin(0);
  EXPECT_EQ(Thumbs->Min(), 1);
}

TEST_F(ThumbnailsTest, RangeRuleWaitsUntilLoaded) {
  Thumbs->BeginLoading();
  Thumbs->SetMin(200);  // stored before Max, as a form may stream them
  Thumbs->SetFMax(300);
  Thumbs->EndLoading();
  EXPECT_EQ(Thumbs->Min(), 200);
  EXPECT_EQ(Thumbs->Max(), 300);
  Thumbs->SetSelectedSlide(300, true);
  EXPECT_TRUE(Thumbs->GetSelectedSlide(300));
  Thumbs->BeginLoading();
  Thumbs->SetMin(500);
  Thumbs->EndLoading();
  EXPECT_EQ(Thumbs->Max(), 500);
}

TEST_F(ThumbnailsTest, SetterClampsFollowTheRules) {
  Thumbs->SetBaseSize(10);
  EXPECT_EQ(Thumbs->SlideSize(), 50);
  Thumbs->SetSlideMargin(-1);
  Thumbs->SetSlideDist(101);
  Thumbs->SetHiliteThickn(11);
  EXPECT_EQ(Thumbs->SlideMargin(), 0);
  EXPECT_EQ(Thumbs->SlideDistance(), 100);
  EXPECT_EQ(Thumbs->FocusLinewidth(), 10);
  Thumbs->SetWidth(40);
  Thumbs->SetBaseSize(60);
  EXPECT_EQ(Thumbs->SlideSize(), 40);
  Thumbs->SetWidth(0);
  Thumbs->SetBaseSize(60);
  EXPECT_EQ(Thumbs->SlideSize(), 1);  // never a pitch of 0
  EXPECT_EQ(Thumbs->CalcSlideIndex(20, 20), 0);
}

TEST_F(ThumbnailsTest, OnlyShownSlidesAreRequestedOncePerPaint) {
  int first = 0, last = 0;
  Thumbs->SetOnFirstImageRequest([&](TObject*) { ++first; });
  Thumbs->SetOnLastImageRequest([&](TObject*) { ++last; });
  Thumbs->SetWidth(400);
  Thumbs->SetFMax(1000000);
  Thumbs->SetFirstThumbIx(500001);
  EXPECT_EQ(PaintOnce().size(), 6u);
  EXPECT_EQ(PaintOnce().size(), 6u);
  EXPECT_EQ(first, 2);
  EXPECT_EQ(last, 2);
  Thumbs->SetFirstThumbIx(999999);  // the last row: slides 999999, 1000000 only
  EXPECT_EQ(PaintOnce(), (std::vector<int>{999999, 1000000}));
}

TEST_F(ThumbnailsTest, PicturesKeepTheirAspectRatio) {
  Handler = [](int id, zel::TImageRequestProcessing& how, int&, TBitmap* img) {
    how = zel::irpShowSlide;
    if (id == 1) Fill(img, 200, 100, kRed);  // landscape: 120 x 60
    if (id == 2) Fill(img, 100, 200, kRed);  // portrait: 60 x 120
  };
  PaintOnce();
  // Slide 1's picture area: x 17..136, y 19..138; 60 rows centred from y 49.
  EXPECT_EQ(Pixel(70, 52), kRed);
  EXPECT_EQ(Pixel(70, 105), kRed);
  EXPECT_EQ(Pixel(70, 46), TColor(0xC0C0C0));
  EXPECT_EQ(Pixel(70, 111), TColor(0xC0C0C0));
  EXPECT_EQ(Pixel(20, 80), kRed);
  // Slide 2: 60 columns centred from x 47, rows 155..274.
  EXPECT_EQ(Pixel(50, 200), kRed);
  EXPECT_EQ(Pixel(104, 200), kRed);
  EXPECT_EQ(Pixel(44, 200), TColor(0xC0C0C0));
  EXPECT_EQ(Pixel(110, 200), TColor(0xC0C0C0));
}

TEST_F(ThumbnailsTest, AntiAliasAveragesWhereThePlainStretchPicksPixels) {
  Handler = [](int id, zel::TImageRequestProcessing& how, int&, TBitmap* img) {
    how = zel::irpShowSlide;
    Fill(img, 240, 240, clWhite);
    for (int x = 0; x < 240; x += 2)
      for (int y = 0; y < 240; ++y) img->Canvas()->SetPixels(x, y, clBlack);
  };
  PaintOnce();
  const TColor plain = Pixel(70, 70);
  EXPECT_TRUE(plain == clBlack || plain == clWhite);
  Thumbs->SetAntiAlias(true);
  PaintOnce();
  const TColor smooth = Pixel(70, 70);
  EXPECT_NE(smooth, clBlack);
  EXPECT_NE(smooth, clWhite);
}

TEST_F(ThumbnailsTest, AnUnfilledBufferMeansNoImage) {
  Handler = [](int id, zel::TImageRequestProcessing& how, int&, TBitmap* img) {
    how = zel::irpShowSlide;
    if (id == 1) Fill(img, 120, 120, kRed);  // slide 2 draws nothing
  };
  PaintOnce();
  EXPECT_EQ(Pixel(70, 70), kRed);
  EXPECT_EQ(Pixel(70, 200), TColor(0xC0C0C0));  // not slide 1's picture again
}

TEST_F(ThumbnailsTest, ACachedPictureIsCopiedAndStaysTheApplications) {
  auto cache = std::make_unique<TBitmap>();
  Fill(cache.get(), 50, 50, kRed);
  Handler = [&](int, zel::TImageRequestProcessing& how, int&, TBitmap* img) {
    how = zel::irpShowSlide;
    img->Assign(cache.get());
  };
  PaintOnce();
  PaintOnce();
  EXPECT_EQ(Pixel(70, 70), kRed);
  EXPECT_EQ(cache->Width(), 50);  // untouched and still ours
  EXPECT_EQ(cache->Canvas()->Pixels(10, 10), kRed);
}

TEST_F(ThumbnailsTest, EmptySlidesShowTheirNumberAndMarksDrawOnNothing) {
  Handler = [](int id, zel::TImageRequestProcessing& how, int& mark, TBitmap*) {
    if (id == 2) {
      how = zel::irpShowNothing;
      mark = 5;
    }
  };
  PaintOnce();
  EXPECT_EQ(Pixel(30, 50), clWhite);  // slide 1: the white area (y 39..118)
  EXPECT_EQ(Pixel(30, 30), TColor(0xC0C0C0));
  const TColor bg = Pixel(5, 200);
  // Slide 2 (outer box at 10, 148): mark 5, a 7-pixel cross at (20, 160).
  EXPECT_EQ(Pixel(20, 160), TColor(0x000000));
  EXPECT_EQ(Pixel(17, 157), TColor(0x000000));
  EXPECT_EQ(Pixel(30, 200), bg);  // no slide face
}

TEST_F(ThumbnailsTest, AThrowingHandlerCannotLeaveTheStripWorking) {
  int reported = 0;
  Application->SetOnException([&](TObject*, const std::exception&) { ++reported; });
  Handler = [](int id, zel::TImageRequestProcessing&, int&, TBitmap*) {
    if (id == 2) throw std::runtime_error("no picture");
  };
  EXPECT_EQ(PaintOnce(), (std::vector<int>{1, 2}));
  EXPECT_EQ(reported, 1);
  Handler = nullptr;
  EXPECT_EQ(PaintOnce(), (std::vector<int>{1, 2, 3}));  // paints again
}

TEST_F(ThumbnailsTest, HoverOutlinesFollowThePointer) {
  int changes = 0;
  Thumbs->SetOnFocusChange([&](TObject*) { ++changes; });
  PaintOnce();
  zeltest::MouseMove(Thumbs, 50, 50);
  EXPECT_EQ(Thumbs->FocusedSlide(), 1);
  EXPECT_EQ(Pixel(12, 60), TColor(0xFF0000));  // the outline at x0 + 2
  zeltest::MouseMove(Thumbs, 50, 200);
  EXPECT_EQ(Thumbs->FocusedSlide(), 2);
  EXPECT_EQ(Pixel(12, 60), TColor(0xC0C0C0));  // slide 1's outline gone
  EXPECT_EQ(changes, 2);
  Thumbs->SetHiliteThickn(0);
  zeltest::MouseMove(Thumbs, 50, 50);
  EXPECT_EQ(Thumbs->FocusedSlide(), 2);
  EXPECT_EQ(changes, 2);
}

TEST_F(ThumbnailsTest, NoOutlineIsDrawnForASlideThatNoLongerShows) {
  PaintOnce();
  zeltest::MouseMove(Thumbs, 50, 200);  // slide 2
  Thumbs->SetFMax(1);
  PaintOnce();
  const TColor bg = Pixel(5, 200);
  zeltest::MouseMove(Thumbs, 50, 50);  // removing slide 2's outline draws nothing
  EXPECT_EQ(Pixel(12, 200), bg);
  EXPECT_EQ(Thumbs->FocusedSlide(), 1);
}

TEST_F(ThumbnailsTest, AssignCopiesSettingsButNotSelectionOrMarkColour) {
  auto* other = Make<TThumbnails>(0, 0, 260, 400);
  Thumbs->SetFMax(500);
  Thumbs->SetBaseSize(80);
  Thumbs->SetColorCover(0x123456);
  Thumbs->SetMarkColor(0x00FF00);
  Thumbs->SetSlideSelectMode(zel::ssmMultiple);
  Thumbs->SetSelectedSlide(3, true);
  other->Assign(Thumbs);
  EXPECT_EQ(other->Max(), 500);
  EXPECT_EQ(other->SlideSize(), 80);
  EXPECT_EQ(other->ColorCover(), TColor(0x123456));
  EXPECT_EQ(other->ColorMark(), TColor(0x000000));
  EXPECT_EQ(other->SlideSelectMode(), zel::ssmSingle);
  EXPECT_FALSE(other->GetSelectedSlide(3));
  other->SetSelectedSlide(500, true);  // the field covers the copied range
  EXPECT_TRUE(other->GetSelectedSlide(500));
  EXPECT_TRUE(other->OnImageRequest() != nullptr);
}

TEST_F(ThumbnailsTest, Golden) {
  Thumbs->SetWidth(400);
  Handler = [](int id, zel::TImageRequestProcessing& how, int& mark, TBitmap* img) {
    if (id % 3 == 0) return;  // empty, numbered
    how = zel::irpShowSlide;
    Fill(img, id % 2 ? 160 : 90, 120, id % 2 ? TColor(0x40A040) : TColor(0xA06020));
    if (id == 4) mark = 16;
  };
  Thumbs->SetSelectedSlide(2, true);
  EXPECT_TRUE(zeltest::MatchesGolden(Form(), "thumbnails-two-columns"));
}

}  // namespace
