// Whole pictures of the rotated label: angles, anchors, frames, a transparent
// label over a coloured ground and a disabled one.
#include <gtest/gtest.h>

#include "host/widgets/ExtCtrls.h"
#include "labels/ZEL_RotLab.h"
#include "tests/support/Headless.h"

using namespace zel;

namespace {

class RotLabGolden : public zeltest::HeadlessTest {
 protected:
  TRotLab* Place(int x, int y, int angle, const std::string& caption) {
    TRotLab* l = Make<TRotLab>(x, y, 110, 110);
    l->SetCaption(caption);
    l->SetTextAngle(angle);
    return l;
  }
};

TEST_F(RotLabGolden, AnglesAnchorsFramesAndLooks) {
  Form()->SetBounds(0, 0, 470, 240);
  Form()->SetColor(host::RGB(200, 215, 230));
  TRotLab* upright = Place(4, 4, 0, "0 degrees");
  upright->SetTransparent(false);
  upright->SetColor(host::clWhite);
  Place(118, 4, 90, "90 up")->SetFrameStyle(frRaised);
  TRotLab* down = Place(232, 4, 270, "270 down");
  down->SetFrameStyle(frSimple);
  down->Font()->SetColor(host::clNavy);
  TRotLab* left = Place(346, 4, 45, "left end");
  left->SetAutoCenter(false);
  left->SetPosX(20);
  left->SetPosY(90);
  left->SetAlignment(host::taLeftJustify);
  left->SetFrameStyle(frEmbossed);
  TRotLab* crisp = Place(4, 118, 30, "no smoothing");
  crisp->SetAntiAlias(false);
  crisp->SetTransparent(false);
  crisp->SetColor(host::RGB(255, 250, 220));
  crisp->SetFrameStyle(frEngraved);
  Place(118, 118, 180, "upside down")->Font()->SetStyle(host::fsBold);
  Place(232, 118, -30, "disabled")->SetEnabled(false);
  TRotLab* right = Place(346, 118, 0, "right end");
  right->SetAutoCenter(false);
  right->SetPosX(100);
  right->SetPosY(55);
  right->SetAlignment(host::taRightJustify);
  zeltest::Pump();
  EXPECT_TRUE(zeltest::MatchesGolden(Form(), "rotlab-looks"));
}

}  // namespace
