// Whole-control pictures of the numeric label and the numeric input, each in a
// few of its looks side by side, guarded against unnoticed change.
#include <gtest/gtest.h>

#include "numeric/ZEL_NumIO.h"
#include "numeric/ZEL_NumLab.h"
#include "tests/support/Headless.h"

using namespace zel;

namespace {

class NumericGolden : public zeltest::HeadlessTest {
 protected:
  template <class T>
  T* Place(int top, int height) {
    T* c = Make<T>(8, top, 224, height);
    c->Font()->SetQuality(host::fqNonAntialiased);
    return c;
  }
};

TEST_F(NumericGolden, NumericLabelsInTheirLooks) {
  Form()->SetBounds(0, 0, 240, 132);
  TNumLab* plain = Place<TNumLab>(6, 26);
  plain->SetLeftText("U");
  plain->SetRightText("V");
  plain->SetValue(12.5);
  TNumLab* sunken = Place<TNumLab>(38, 26);
  sunken->SetFrameStyle(frLowered);
  sunken->SetLeftText("Gain");
  sunken->SetRightText("dB");
  sunken->SetValue(-3.25);
  TNumLab* overflow = Place<TNumLab>(70, 26);
  overflow->SetFrameStyle(frRaised);
  overflow->SetValue(1.0e300);
  TNumLab* disabled = Place<TNumLab>(102, 26);
  disabled->SetLeftText("off");
  disabled->SetValue(7);
  disabled->SetEnabled(false);
  zeltest::Pump();
  EXPECT_TRUE(zeltest::MatchesGolden(Form(), "numeric-numlab"));
}

TEST_F(NumericGolden, NumericInputsWithButtonsAndGauge) {
  Form()->SetBounds(0, 0, 240, 132);
  TNumIO2* plain = Place<TNumIO2>(6, 26);
  plain->SetLeftText("f");
  plain->SetRightText("Hz");
  plain->SetValue(50);
  TNumIO2* buttons = Place<TNumIO2>(38, 26);
  buttons->SetButVisible(true);
  buttons->SetLeftText("Step");
  buttons->SetValue(0.125);
  TNumIO2* gauge = Place<TNumIO2>(70, 40);
  gauge->SetRangeLow(0);
  gauge->SetRangeHigh(10);
  gauge->SetGaugeVisible(true);
  gauge->SetValue(6);
  zeltest::Pump();
  EXPECT_TRUE(zeltest::MatchesGolden(Form(), "numeric-numio"));
}

}  // namespace
