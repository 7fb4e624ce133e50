// Whole pictures of the raster label: the built-in font in each frame style and
// block mode, single-pixel dots, and a sampled host font.
#include <gtest/gtest.h>

#include "labels/ZEL_RasterLab.h"
#include "tests/support/Headless.h"

using namespace zel;

namespace {

class RasterLabGolden : public zeltest::HeadlessTest {
 protected:
  TRasterLab* Place(int top, const std::string& text, TFrameStyle frame) {
    TRasterLab* l = Make<TRasterLab>(6, top, 300, 0);
    l->SetFrameStyle(frame);
    l->SetText(text);
    l->SetAutoHeight(true);
    return l;
  }
};

TEST_F(RasterLabGolden, BuiltInFontInEveryFrameAndBlockMode) {
  Form()->SetBounds(0, 0, 312, 330);
  Place(4, "Simple 012", frSimple);
  Place(56, "Sunken -4.5V", frLowered)->SetColorDotOn(host::RGB(255, 60, 40));
  TRasterLab* raised = Place(108, "Raised \xC3\x84\xC3\xA9\xC3\xB1", frRaised);
  raised->SetCharBlockMode(rdbmRaster);
  raised->SetColorDotOn(host::RGB(255, 190, 0));
  TRasterLab* ridge = Place(160, "Ridge {x}", frEmbossed);
  ridge->SetCharBlockMode(rdbmOff);
  ridge->SetColorScheme(csmSystem);
  TRasterLab* groove = Place(212, "Groove gjpqy", frEngraved);
  groove->SetDotSize(2);
  groove->SetAutoCenter(true);
  TRasterLab* tiny = Place(252, "DotSize 1, no gaps: fixed width", frLowered);
  tiny->SetDotSize(1);
  tiny->SetDotSpacing(0);
  tiny->SetProportional(false);
  TRasterLab* sampled = Place(272,
                              "Sampled 25.0\xC2\xB0"
                              "C",
                              frLowered);
  sampled->SetDotSize(2);
  sampled->Font()->SetName("DejaVu Sans");
  sampled->Font()->SetSize(11);
  zeltest::Pump();
  EXPECT_TRUE(zeltest::MatchesGolden(Form(), "rasterlab-looks"));
}

}  // namespace
