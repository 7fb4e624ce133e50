// Whole-bar pictures of the progress bar in a few of its looks, guarded
// against unnoticed change.
#include <gtest/gtest.h>

#include "instruments/ZEL_ProgBar.h"
#include "tests/support/Headless.h"

using namespace zel;

namespace {

class ProgBarGolden : public zeltest::HeadlessTest {
 protected:
  TProgBar* Place(int left, int top, int width, int height) {
    auto* b = Make<TProgBar>(left, top, width, height);
    b->Font()->SetQuality(host::fqNonAntialiased);
    return b;
  }
};

TEST_F(ProgBarGolden, BarsInTheirLooks) {
  Form()->SetBounds(0, 0, 300, 190);
  TProgBar* plain = Place(8, 6, 220, 28);
  plain->SetPBarValue(35);
  plain->SetTextPosX(110);
  TProgBar* cover = Place(8, 40, 220, 28);
  cover->SetColorGrad(true);
  cover->SetColorMapMode(cgmCover);
  cover->SetPBarValue(60);
  cover->SetGridDist(10);
  cover->SetShowValue(false);
  TProgBar* stretch = Place(8, 74, 220, 28);
  stretch->SetColorGrad(true);
  stretch->SetPBarValue(60);
  stretch->SetTextDecPl(-1);
  stretch->SetTextPosX(110);
  TProgBar* move = Place(8, 108, 220, 28);
  move->SetColorGrad(true);
  move->SetColorMapMode(cgmMove);
  move->SetOuterFrameStyle(frEmbossed);
  move->SetInnerFrameStyle(frSimple);
  move->SetPBarValue(1e12);
  move->SetTextPosX(110);
  TProgBar* etched = Place(8, 142, 220, 40);
  etched->SetOuterFrameStyle(frEngraved);
  etched->SetColorMin(0x00A000);
  etched->SetPBarValue(80);
  etched->SetTextDecPl(2);
  etched->SetTextAlignment(host::taRightJustify);
  etched->SetTextPosX(210);
  etched->SetTextPosY(20);
  TProgBar* up = Place(236, 6, 56, 176);
  up->SetDirection(drUp);
  up->SetColorGrad(true);
  up->SetColorMapMode(cgmCover);
  up->SetColorMin(0x00C000);
  up->SetPBarValue(70);
  up->SetGridDist(8);
  up->SetTextPosX(28);
  up->SetTextPosY(88);
  up->SetTextAngle(90);
  up->SetTextDecPl(1);
  zeltest::Pump();
  EXPECT_TRUE(zeltest::MatchesGolden(Form(), "progbar-looks"));
}

}  // namespace
