// The glyph sheet of the on/off button: every built-in style in its four
// states (on, off; enabled, disabled), and a captioned, transparent button,
// guarded against unnoticed change.
#include <gtest/gtest.h>

#include <algorithm>

#include "instruments/ZEL_onoffbut.h"
#include "tests/support/Headless.h"

using namespace zel;

namespace {

class OnOffGolden : public zeltest::HeadlessTest {
 protected:
  // The four states of a style side by side at (x, y); returns the width used.
  int PlaceStates(TOnOffButStyle s, int x, int y, int& rowHeight) {
    int used = 0;
    for (bool enabled : {true, false})
      for (bool on : {true, false}) {
        auto* b = Make<TOnOffBut>(x + used, y, 0, 0);
        b->SetButtonStyle(s);
        b->SetFrameStyle(frNone);
        b->SetBounds(x + used, y, b->GlyphWidth() + 2, b->GlyphHeight() + 2);
        b->SetOnOff(on);
        b->SetEnabled(enabled);
        used += b->Width();
        rowHeight = std::max(rowHeight, b->Height());
      }
    return used;
  }
};

TEST_F(OnOffGolden, EveryStyleInEveryState) {
  constexpr int kWidth = 600;
  Form()->SetBounds(0, 0, kWidth, 232);
  int x = 4, y = 4, rowHeight = 0;
  for (int s = oobsCheckbox; s <= oobsUser5; ++s) {
    const auto style = TOnOffButStyle(s);
    int probeHeight = 0;
    TOnOffBut probe(nullptr);
    probe.SetButtonStyle(style);
    if (x + 4 * (probe.GlyphWidth() + 2) > kWidth - 4) {
      x = 4;
      y += rowHeight + 6;
      rowHeight = 0;
    }
    x += PlaceStates(style, x, y, probeHeight) + 10;
    rowHeight = std::max(rowHeight, probeHeight);
  }
  zeltest::Pump();
  EXPECT_TRUE(zeltest::MatchesGolden(Form(), "onoff-glyphs"));
}

TEST_F(OnOffGolden, CaptionsRoundTheGlyphOnATransparentButton) {
  Form()->SetBounds(0, 0, 240, 200);
  Form()->SetColor(host::clTeal);
  for (int i = 0; i < 2; ++i) {
    auto* b = Make<TOnOffBut>(10, 10 + i * 90, 220, 80);
    b->Font()->SetQuality(host::fqNonAntialiased);
    b->SetButtonStyle(oobsTrafficLPed);
    b->SetLeftText("Left");
    b->SetTopText("Top");
    b->SetRightText("Right");
    b->SetBottomText("Bottom");
    b->SetTransparent(i == 0);
    b->SetEnabled(i == 0);
  }
  zeltest::Pump();
  EXPECT_TRUE(zeltest::MatchesGolden(Form(), "onoff-captions"));
}

}  // namespace
