// Whole pictures of the gradient fill, guarded against unnoticed change.
#include <gtest/gtest.h>

#include "instruments/ZEL_gradfl.h"
#include "tests/support/Headless.h"

using namespace zel;

namespace {

class GradFillGolden : public zeltest::HeadlessTest {};

TEST_F(GradFillGolden, EveryDirectionGridAndFrame) {
  Form()->SetBounds(0, 0, 520, 270);
  const TGradType types[] = {gtHoriz, gtVert, gtMidBandHoriz, gtMidBandVert};
  const TGridMode grids[] = {gmNone, gmHoriz, gmVert, gmBoth};
  const TFrameStyle frames[] = {frNone, frSimple, frLowered, frRaised};
  for (int i = 0; i < 4; ++i) {
    auto* g = Make<TGradFill>(4 + i * 128, 4, 121, 121);
    g->SetFillType(types[i]);
    g->SetFrameStyle(frames[i]);
    auto* h = Make<TGradFill>(4 + i * 128, 132, 121, 121);
    h->SetFillType(types[i]);
    h->SetNrColors(i == 3 ? 8 : 9);
    h->SetColorFirst(0x402000);
    h->SetColorLast(0xFFE0A0);
    h->SetGridMode(grids[i]);
    h->SetFrameStyle(frEngraved);
  }
  zeltest::Pump();
  EXPECT_TRUE(zeltest::MatchesGolden(Form(), "gradfl-looks"));
}

}  // namespace
