// TColorButton: the hover highlight, the dialog it opens and what a choice or
// a cancel leaves behind.
#include <gtest/gtest.h>

#include "foundation/Zel_zelcolors.h"
#include "selectors/ZEL_Colbut.h"
#include "tests/selectors/ColorDialogDriver.h"
#include "tests/support/Headless.h"

using namespace zel;
using host::TColor;

namespace {

double Lightness(TColor c) {
  double h = 0, s = 0, l = 0;
  ColorToHSL(c, h, s, l);
  return l;
}

class ColorButtonTest : public zeltest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    Dialog = new host::TColorDialog(Form());
    Button = Make<TColorButton>(20, 20, 80, 40);
    Button->SetColor(kStart);
    Button->SetOnChange([this](host::TObject*) {
      ++Changes;
      ColorInOnChange = Button->Color();
    });
  }
  void Enter() { zeltest::MouseMove(Form(), 50, 40); }
  void Leave() { zeltest::MouseMove(Form(), 150, 100); }
  // Apart in time, so that two clicks never make a double click.
  void ClickIt() {
    zeltest::Advance(1000);
    zeltest::Click(Form(), 50, 40);
  }

  static constexpr TColor kStart = 0x204080;
  host::TColorDialog* Dialog = nullptr;
  TColorButton* Button = nullptr;
  zeltest::ColorDialogDriver Driver;
  int Changes = 0;
  TColor ColorInOnChange = 0;
};

}  // namespace

TEST(ColorButtonHover, LightensByTheLightnessRuleAndKeepsTheHue) {
  const TColor light = HSLtoColor(200, 0.5, 0.9), dark = HSLtoColor(200, 0.5, 0.1);
  EXPECT_NEAR(Lightness(HoverColor(light)), 0.95, 0.005);
  EXPECT_NEAR(Lightness(HoverColor(dark)), 0.3, 0.005);
  EXPECT_NEAR(Lightness(HoverColor(HSLtoColor(0, 0, 0.29))), 0.49, 0.005);
  EXPECT_NEAR(Lightness(HoverColor(HSLtoColor(0, 0, 0.32))), 0.66, 0.005);
  EXPECT_EQ(HoverColor(host::clWhite), host::clWhite);
  double h = 0, s = 0, l = 0;
  ColorToHSL(HoverColor(dark), h, s, l);
  EXPECT_NEAR(h, 200, 2);
  EXPECT_NEAR(s, 0.5, 0.02);
}

TEST_F(ColorButtonTest, ThePointerOverTheButtonLightensTheFaceUntilItLeaves) {
  Enter();
  EXPECT_EQ(Button->Color(), HoverColor(kStart));
  EXPECT_EQ(zeltest::PixelAt(Button, 40, 20), HoverColor(kStart));
  EXPECT_EQ(Button->ButtonColor(), kStart);
  Leave();
  EXPECT_EQ(Button->Color(), kStart);
  EXPECT_EQ(zeltest::PixelAt(Button, 40, 20), kStart);
}

TEST_F(ColorButtonTest, TheDialogStartsFromTheButtonsColourNotTheLighterFace) {
  Button->SetColorDialog(Dialog);
  Driver.Cancel();
  ClickIt();
  EXPECT_EQ(Driver.Shown(), 1);
  EXPECT_EQ(Driver.Opened(), kStart);
}

TEST_F(ColorButtonTest, AChosenColourStaysWhenThePointerLeaves) {
  Button->SetColorDialog(Dialog);
  int clicks = 0;
  Button->SetOnClick([&](host::TObject*) {
    EXPECT_EQ(Driver.Shown(), 0);  // OnClick comes before the dialog
    ++clicks;
  });
  Driver.Choose(0x30C0F0);
  ClickIt();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(ColorInOnChange, TColor(0x30C0F0));
  Leave();
  EXPECT_EQ(Button->Color(), TColor(0x30C0F0));
  Enter();
  EXPECT_EQ(Button->Color(), HoverColor(0x30C0F0));
}

TEST_F(ColorButtonTest, TheCaptionTurnsWhiteOnDarkAndBlackOnLightColours) {
  Button->SetColorDialog(Dialog);
  Driver.Choose(host::RGB(96, 96, 96));  // grey 96: still dark
  ClickIt();
  EXPECT_EQ(Button->Font()->Color(), host::clWhite);
  Driver.Choose(host::RGB(97, 97, 97));
  ClickIt();
  EXPECT_EQ(Button->Font()->Color(), host::clBlack);
  Button->SetParentBackground(true);
  Driver.Choose(host::RGB(10, 10, 10));
  ClickIt();
  EXPECT_EQ(Button->Font()->Color(), host::clWindowText);
}

TEST_F(ColorButtonTest, CancellingChangesNothingAndFiresNothing) {
  Button->SetColorDialog(Dialog);
  const TColor font = Button->Font()->Color();
  Driver.Cancel();
  ClickIt();
  Leave();
  EXPECT_EQ(Changes, 0);
  EXPECT_EQ(Button->Color(), kStart);
  EXPECT_EQ(Button->Font()->Color(), font);
}

TEST_F(ColorButtonTest, WithoutADialogAClickOnlyClicks) {
  int clicks = 0;
  Button->SetOnClick([&](host::TObject*) { ++clicks; });
  Driver.Choose(0);
  ClickIt();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(Driver.Shown(), 0);
  EXPECT_EQ(Changes, 0);
}

TEST_F(ColorButtonTest, AColourSetUnderThePointerIsWhatTheFaceReturnsTo) {
  Enter();
  Button->SetColor(0x00FF00);
  EXPECT_EQ(Button->Color(), HoverColor(0x00FF00));
  Leave();
  EXPECT_EQ(Button->Color(), TColor(0x00FF00));
}
