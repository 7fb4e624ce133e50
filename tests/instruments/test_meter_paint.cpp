// The meter's pictures: needle geometry, lamps, frame, bands, anchors and the
// background and anchor images by pixels where they are exact, and golden
// images of reviewed layouts.
#include <filesystem>
#include <fstream>
#include <string>

#include "instruments/ZEL_Meter.h"
#include "tests/support/Headless.h"

namespace {

using namespace zel;
using host::Point;
using host::RGB;
using host::TColor;
using zeltest::PixelAt;

const TColor kWhite = RGB(255, 255, 255);
const TColor kGrey = RGB(128, 128, 128);

class MeterPaint : public zeltest::HeadlessTest {
 protected:
  TMeter* m = nullptr;
  std::filesystem::path dir;

  void SetUp() override {
    HeadlessTest::SetUp();
    Form()->SetBounds(0, 0, 297, 209);
    m = Make<TMeter>(0, 0, 297, 209);
    dir =
        std::filesystem::temp_directory_path() /
        ("zel-meter-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::create_directories(dir);
  }
  void TearDown() override {
    std::filesystem::remove_all(dir);
    HeadlessTest::TearDown();
  }
  TColor At(int x, int y) { return PixelAt(m, x, y); }
  // A w x h image of one colour, with optional pixels set, saved as PNG.
  std::string Image(const std::string& name, int w, int h, TColor fill,
                    std::initializer_list<std::pair<host::TPoint, TColor>> pixels = {}) {
    host::TBitmap b(w, h);
    b.Canvas()->Brush()->SetColor(fill);
    b.Canvas()->FillRect(host::Rect(0, 0, w, h));
    for (auto& [p, c] : pixels) b.Canvas()->SetPixels(p.x, p.y, c);
    const std::string path = (dir / name).string();
    b.SaveToFile(path);
    return path;
  }
};

TEST(MeterNeedlePolygon, HasItsCornersWhereTheShapeSays) {
  TNeedleLayout L;
  L.SetHeadAngle(90);
  const auto p = NeedlePolygon(L, 90, 100, 100, 50);  // straight up, 50 long
  ASSERT_EQ(p.size(), 7u);
  EXPECT_EQ(p[0], Point(114, 64));  // barbs 20 back at +-45 degrees
  EXPECT_EQ(p[1], Point(100, 50));  // tip
  EXPECT_EQ(p[2], Point(86, 64));
  EXPECT_EQ(p[3], Point(100, 70));  // a shaft without thickness is a line
  EXPECT_EQ(p[4], Point(100, 100));
  L.SetThickness(6);
  const auto q = NeedlePolygon(L, 0, 100, 100, 50);  // pointing right
  EXPECT_EQ(q[4], Point(100, 97));
  EXPECT_EQ(q[5], Point(100, 103));
  EXPECT_EQ(q[6], Point(130, 103));
}

TEST(MeterBackgroundTiles, CoverTheAreaAndSkipAnImageWithoutArea) {
  const auto t = BackgroundTiles(100, 50, 40, 30);
  ASSERT_EQ(t.size(), 6u);  // 3 columns of 2
  EXPECT_EQ(t[1], host::Rect(0, 30, 40, 60));
  EXPECT_EQ(t[5], host::Rect(80, 30, 120, 60));
  EXPECT_TRUE(BackgroundTiles(100, 50, 0, 30).empty());
  EXPECT_TRUE(BackgroundTiles(100, 50, 40, 0).empty());
}

TEST_F(MeterPaint, TheNeedlePointsAtTheValueWithItsShadowOffset) {
  m->NeedleLayout()->SetShadowDx(3);
  m->NeedleLayout()->SetShadowDy(3);
  m->SetValue(0.5);  // straight up from (148, 191)
  EXPECT_EQ(At(148, 120), host::clBlack);
  EXPECT_EQ(At(145, 117), kGrey);  // 3 left of and above the needle
  EXPECT_EQ(At(151, 120), kWhite);
  // The tip at R - 4 = 171 above the centre.
  EXPECT_EQ(At(148, 20), host::clBlack);
}

TEST_F(MeterPaint, ANeedleDrawnByTheApplicationStaysUnderTheCover) {
  m->SetOnBeforeDrawNeedle([](host::TObject*, host::TCanvas* c, bool& drawn) {
    c->Brush()->SetColor(host::clRed);
    c->FillRect(host::Rect(0, 0, 297, 209));
    drawn = true;
  });
  m->SetValue(0.5);
  EXPECT_EQ(At(148, 120), host::clRed);                      // no built-in needle
  EXPECT_EQ(At(4, 100), host::ColorToRGB(host::clBtnFace));  // the side rim
}

TEST_F(MeterPaint, TheSecondaryNeedleShowsValueSecWhileVisible) {
  m->NeedleLayoutSec()->SetColorBody(host::clRed);
  m->NeedleLayoutSec()->SetThickness(6);
  m->SetValue2(0.5);
  EXPECT_EQ(At(148, 130), kWhite);  // hidden: nothing drawn
  m->NeedleLayoutSec()->SetVisible(true);
  m->SetValue2(0.4);
  m->SetValue2(0.5);
  EXPECT_EQ(At(148, 130), host::clRed);
}

TEST_F(MeterPaint, LampsLightForTheViolatedLimit) {
  const int y = 8 + 13, high = 297 - 10 - 18 + 5, low = 10 + 8 + 5;
  EXPECT_EQ(At(high, y), kGrey);
  m->SetValue(1);
  EXPECT_EQ(At(high, y), host::clRed);
  EXPECT_EQ(At(low, y), kGrey);
  m->SetValue(0);
  EXPECT_EQ(At(high, y), kGrey);
  EXPECT_EQ(At(low, y), host::clRed);
  EXPECT_EQ(At(10 + 8, 8 + 8), host::clBlack);  // the lamp's outline
  m->SetLimWatLowOn(false);
  EXPECT_EQ(At(low, y), kWhite);
}

TEST_F(MeterPaint, TheFrameFollowsItsStyle) {
  EXPECT_EQ(At(0, 100), kWhite);  // raised: light top and left
  EXPECT_EQ(At(100, 0), kWhite);
  EXPECT_EQ(At(296, 100), kGrey);
  EXPECT_EQ(At(100, 208), kGrey);
  m->SetFrameStyle(frLowered);
  EXPECT_EQ(At(0, 100), kGrey);
  EXPECT_EQ(At(296, 100), kWhite);
  m->SetFrameStyle(frEmbossed);
  EXPECT_EQ(At(295, 100), kWhite);  // the outer ring's right side
  EXPECT_EQ(At(296, 100), kGrey);
}

TEST_F(MeterPaint, BandsRingTheScaleInTheirColours) {
  m->SetLowThreshold(0.3);
  m->SetHighThreshold(0.7);
  m->SetScaleBkWidth(10);
  m->SetScaleBkVis(true);
  int x = 0, y = 0;
  auto ring = [&](double v, double pct) {
    m->ConvertToPixelCoords(v, pct, x, y);
    return At(x, y);
  };
  EXPECT_EQ(ring(0.15, 95), RGB(0, 255, 0));
  EXPECT_EQ(ring(0.5, 95), RGB(255, 128, 0));
  EXPECT_EQ(ring(0.85, 95), RGB(255, 0, 0));
  EXPECT_EQ(ring(0.15, 80), kWhite);  // inside the ring
}

TEST_F(MeterPaint, AnchorsAreAPostedHalfDiscOrAFullDisc) {
  const TColor face = host::ColorToRGB(host::clBtnFace);
  EXPECT_EQ(At(148, 185), face);         // mlCirc90: the disc
  EXPECT_EQ(At(148 - 20, 196), face);    // and the post down to the rim
  EXPECT_EQ(At(148 - 24, 196), kWhite);  // its lit left edge
  m->SetMeterLayout(mlCirc300);
  const int cx = m->MeterCenterX(), cy = m->MeterCenterY();
  EXPECT_EQ(At(cx, cy), face);
  EXPECT_EQ(At(cx, cy + 24 + 3), kWhite);  // the dial below the disc
}

TEST_F(MeterPaint, AnAnchorImageLetsItsBlackPixelsThrough) {
  m->SetValue(1);  // needle away from the anchor's upper left corner
  m->SetACoverFname(Image("anchor.png", 3, 3, host::clBlack,
                          {{Point(1, 1), host::clRed}, {Point(2, 2), RGB(1, 0, 0)}}));
  ASSERT_FALSE(m->AnchorImage().empty());
  EXPECT_EQ(At(148, 191), host::clRed);
  EXPECT_EQ(At(147, 190), kWhite);        // black: the dial shows
  EXPECT_EQ(At(149, 192), RGB(1, 0, 0));  // near black is opaque
}

TEST_F(MeterPaint, ImageNamesOfMissingOrBrokenFilesAreHandled) {
  m->SetBakGndFname((dir / "missing.png").string());
  EXPECT_EQ(m->BackGroundImg(), "");
  const std::string broken = (dir / "broken.png").string();
  std::ofstream(broken) << "not an image";
  EXPECT_THROW(m->SetBakGndFname(broken), host::EInvalidGraphic);
  EXPECT_EQ(m->BackGroundImg(), broken);
  m->SetACoverFname(broken);
  EXPECT_EQ(m->AnchorImage(), "");
  // At load time a broken background is dropped instead of raised.
  m->BeginLoading();
  m->SetBakGndFname(broken);
  m->EndLoading();
  EXPECT_EQ(m->BackGroundImg(), "");
}

TEST_F(MeterPaint, TheBackgroundImageIsPlacedByItsFillMode) {
  const TColor blue = RGB(0, 0, 255);
  m->SetBakGndFname(Image("bg.png", 40, 40, blue));
  EXPECT_EQ(At(30, 30), blue);  // simple: at its own size in the corner
  EXPECT_EQ(At(148, 150), kWhite);
  m->SetBGFillMode(bfTile);
  EXPECT_EQ(At(148, 150), blue);
  m->SetBGFillMode(bfStretch);
  EXPECT_EQ(At(200, 150), blue);
}

TEST_F(MeterPaint, AnEmptiedScaleLabelIsNotDrawn) {
  struct Place {
    int X, Y;
    std::string Text;
  };
  std::vector<Place> seen;
  bool suppress = false;
  m->SetOnBeforeDrawScaleLabel(
      [&](host::TObject*, host::TCanvas*, std::string& label, int x, int y) {
        seen.push_back({x, y, label});
        if (suppress) label.clear();
      });
  auto inkAt = [&](const Place& p) {
    int ink = 0;
    for (int y = p.Y; y < p.Y + 10; ++y)
      for (int x = p.X; x < p.X + 15; ++x) ink += At(x, y) == host::clBlack;
    return ink;
  };
  m->SetValue(0.01);
  ASSERT_EQ(seen.size(), 6u);
  EXPECT_EQ(seen[1].Text, "0.2");
  const Place second = seen[1];
  EXPECT_GT(inkAt(second), 0);
  suppress = true;
  m->SetValue(0.02);
  EXPECT_EQ(inkAt(second), 0);
}

TEST_F(MeterPaint, TooSmallForItsRimsDrawsNothing) {
  int paints = 0;
  m->SetOnMeterRendered([&](host::TObject*, host::TCanvas*) { ++paints; });
  m->SetBounds(0, 0, 60, 30);
  EXPECT_LE(m->MeterRadius(), 0);
  m->SetValue(0.5);
  m->SetMeterLayout(mlCirc300);
  EXPECT_EQ(paints, 0);
  m->SetHeight(80);
  m->SetValue(0.6);
  EXPECT_EQ(paints, 1);
}

TEST_F(MeterPaint, QuarterCircleWithBandsMatchesItsGolden) {
  m->SetMaxValue(10);
  m->SetLowThreshold(2);
  m->SetHighThreshold(8);
  m->SetScaleBkWidth(8);
  m->SetScaleBkVis(true);
  m->SetUnitLabel("Volt");
  m->NeedleLayout()->SetShadowDx(2);
  m->NeedleLayout()->SetShadowDy(-2);
  m->SetValue(6.5);
  EXPECT_TRUE(zeltest::MatchesGolden(Form(), "meter-circ90-bands"));
}

TEST_F(MeterPaint, LogarithmicDialWithTwoNeedlesMatchesItsGolden) {
  m->SetMeterLayout(mlCirc300);
  m->SetMinValue(1);
  m->SetMaxValue(1000);
  m->SetLogarithmic(true);
  m->SetDecPlaces(0);
  m->SetHighThreshold(500);
  m->SetUnitLabel("Hz");
  m->SetSizeAnchor(14);
  m->NeedleLayout()->SetThickness(3);
  m->NeedleLayout()->SetColorBody(RGB(40, 40, 40));
  m->NeedleLayoutSec()->SetVisible(true);
  m->NeedleLayoutSec()->SetColorBody(RGB(220, 0, 0));
  m->NeedleLayoutSec()->SetPercentNeedleLength(70);
  m->SetValue2(700);
  m->SetValue(42);
  EXPECT_TRUE(zeltest::MatchesGolden(Form(), "meter-circ300-log"));
}

TEST_F(MeterPaint, HalfCircleMatchesItsGolden) {
  m->SetMeterLayout(mlCirc180);
  m->SetMinValue(-50);
  m->SetMaxValue(50);
  m->SetNrTicks(5);
  m->SetDecPlaces(0);
  m->SetFrameStyle(frLowered);
  m->SetColorCover(RGB(60, 64, 72));
  m->SetValue(12.5);
  EXPECT_TRUE(zeltest::MatchesGolden(Form(), "meter-circ180"));
}

}  // namespace
