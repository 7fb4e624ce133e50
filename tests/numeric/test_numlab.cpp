// TNumLab on a headless form: settings, texts, paint geometry, zones, Assign.
#include <gtest/gtest.h>

#include "numeric/ZEL_NumLab.h"
#include "tests/support/Headless.h"

using namespace zel;
using host::ColorToRGB;
using host::RGB;
using host::TColor;

namespace {

class NumLabTest : public zeltest::HeadlessTest {
 protected:
  TNumLab* Lab() {
    if (!FLab) {
      FLab = Make<TNumLab>(10, 10, 160, 28);
      FLab->Font()->SetQuality(host::fqNonAntialiased);
    }
    return FLab;
  }
  TColor At(int x, int y) { return zeltest::PixelAt(Lab(), x, y); }

 private:
  TNumLab* FLab = nullptr;
};

}  // namespace

TEST_F(NumLabTest, SettersClampAndIgnore) {
  TNumLab* l = Lab();
  l->SetPrecision(20);
  EXPECT_EQ(l->Precision(), 15);
  l->SetPrecision(-1);
  EXPECT_EQ(l->Precision(), 15);
  l->SetLeftSpace(500);
  EXPECT_EQ(l->LeftSpace(), 160);
  l->SetLeftSpace(-3);
  EXPECT_EQ(l->LeftSpace(), 160);
  l->SetColorScheme(csmSystem);
  EXPECT_EQ(l->ColGrayLine(), host::clBtnShadow);
  EXPECT_EQ(l->ColWhiteLine(), host::clBtnHighlight);
  l->SetColorScheme(csmFixed);
  EXPECT_EQ(l->ColGrayLine(), RGB(128, 128, 128));
}

TEST_F(NumLabTest, DisplayTextHookAndOverflow) {
  TNumLab* l = Lab();
  l->SetValue(3.14159);
  EXPECT_EQ(l->DisplayText(), "3.14");
  int calls = 0;
  l->SetOnBeforeDisplay([&](host::TObject* sender, std::string& text) {
    EXPECT_EQ(sender, l);
    ++calls;
    text = "<" + text + ">";
  });
  EXPECT_EQ(l->DisplayText(), "<3.14>");
  l->SetEmpty(true);
  calls = 0;
  EXPECT_EQ(l->DisplayText(), "");
  zeltest::Pump();
  EXPECT_EQ(calls, 0);
  l->SetEmpty(false);
  l->SetOnBeforeDisplay(nullptr);

  l->SetValue(1e15);
  EXPECT_EQ(l->DisplayText(), "*********");
  l->SetOverflowIndicator("##");
  EXPECT_EQ(l->DisplayText(), "##");
  // The state text is never replaced, however wide.
  l->SetDisplayType(dtState);
  l->SetStateText("a state text far wider than the number box of the label");
  EXPECT_EQ(l->DisplayText(), l->StateText());
}

TEST_F(NumLabTest, LayoutPutsTheBoxBetweenTheCaptionZones) {
  TNumLab* l = Lab();
  // Defaults: LeftSpace 35, LabelWidth 80 on a 160 x 28 label.
  const TNumLab::TLayout L = l->Layout();
  EXPECT_EQ(L.Box, host::Rect(36, 0, 115, 26));
  EXPECT_EQ(L.TextClip, host::Rect(38, 2, 114, 25));
  EXPECT_EQ(L.Underlay, host::Rect(37, 2, 115, 26));
  EXPECT_EQ(L.Captions.BoxLeft, 35);
  EXPECT_EQ(L.Captions.BoxRight, 115);
  host::TBitmap probe(1, 1);
  probe.Canvas()->SetFont(l->Font());
  EXPECT_EQ(L.Captions.TextTop, (28 - probe.Canvas()->TextHeight(kTextHeightProbe)) / 2);
  l->SetLabelWidth(60);
  EXPECT_EQ(l->Layout().Box.Right, 95);
}

TEST_F(NumLabTest, BoxFrameAndBackgroundPixels) {
  TNumLab* l = Lab();
  l->SetEmpty(true);
  const TColor face = ColorToRGB(host::clBtnFace);
  const TColor grey = RGB(128, 128, 128);
  const host::TRect b = l->Layout().Box;
  const int mx = (b.Left + b.Right) / 2, my = (b.Top + b.Bottom) / 2;
  EXPECT_EQ(At(2, 2), face);                     // left zone
  EXPECT_EQ(At(150, 20), face);                  // right zone
  EXPECT_EQ(At(b.Left, my), grey);               // outline, left
  EXPECT_EQ(At(mx, b.Top), grey);                // outline, top
  EXPECT_EQ(At(mx, b.Bottom - 1), grey);         // outline, bottom
  EXPECT_EQ(At(b.Right - 1, my), grey);          // outline, right
  EXPECT_EQ(At(b.Left + 1, my), host::clBlack);  // sunken: dark inner edge
  EXPECT_EQ(At(mx, b.Top + 1), host::clBlack);
  EXPECT_EQ(At(mx, b.Bottom), host::clWhite);  // light outer edge
  EXPECT_EQ(At(b.Right, my), host::clWhite);
  EXPECT_EQ(At(mx, my), face);            // interior
  EXPECT_EQ(At(mx, b.Bottom + 1), face);  // below the box

  l->SetFrameStyle(frNone);
  l->SetColorLabBakG(host::clYellow);
  EXPECT_EQ(At(b.Left, my), host::clYellow);
  EXPECT_EQ(At(b.Right, my), face);
}

TEST_F(NumLabTest, NumberPositionFollowsAlignment) {
  TNumLab* l = Lab();
  l->SetColorLabText(host::clRed);
  l->SetValue(8);
  l->SetDisplayType(dtInt);
  auto redColumns = [&](int& first, int& last) {
    first = 1000, last = -1;
    for (int x = 36; x < 116; ++x)
      for (int y = 2; y < 25; ++y)
        if (At(x, y) == host::clRed) {
          first = std::min(first, x);
          last = std::max(last, x);
        }
  };
  int first, last;
  const TCaptionBoxLayout L = l->Layout().Captions;
  l->SetAlignment(host::taLeftJustify);
  redColumns(first, last);
  EXPECT_GE(first, L.BoxLeft + 4);
  EXPECT_LE(first, L.BoxLeft + 6);
  l->SetAlignment(host::taRightJustify);
  redColumns(first, last);
  EXPECT_LE(last, L.BoxRight - 2);
  EXPECT_GE(last, L.BoxRight - 5);
}

TEST_F(NumLabTest, TransparentZonesShowTheParent) {
  Form()->SetColor(host::clAqua);
  TNumLab* l = Lab();
  l->SetEmpty(true);
  l->SetTransparent(true);
  zeltest::Pump();
  EXPECT_EQ(At(2, 2), host::clAqua);
  EXPECT_EQ(At(150, 20), host::clAqua);
  EXPECT_EQ(At(60, 10), ColorToRGB(host::clBtnFace));  // the box stays opaque
}

TEST_F(NumLabTest, DisabledTextsAreEmbossed) {
  TNumLab* l = Lab();
  l->SetLeftSpace(60);
  l->SetLeftTextAlignment(host::taLeftJustify);
  l->SetLeftText("W");
  // Black pixels of the enabled caption.
  std::vector<std::pair<int, int>> ink;
  for (int x = 0; x < 60; ++x)
    for (int y = 0; y < 28; ++y)
      if (At(x, y) == host::clBlack) ink.emplace_back(x, y);
  ASSERT_FALSE(ink.empty());
  l->SetEnabled(false);
  zeltest::Pump();
  bool sawWhiteShadow = false;
  for (auto [x, y] : ink) {
    EXPECT_EQ(At(x, y), RGB(128, 128, 128));
    const bool shadowCovered =
        std::find(ink.begin(), ink.end(), std::make_pair(x + 1, y + 1)) != ink.end();
    if (!shadowCovered) {
      EXPECT_EQ(At(x + 1, y + 1), host::clWhite);
      sawWhiteShadow = true;
    }
  }
  EXPECT_TRUE(sawWhiteShadow);
}

TEST_F(NumLabTest, ARightAlignedUnitCastsItsLightPassToTheLeft) {
  TNumLab* l = Lab();
  l->SetRightText("W");
  l->SetRightTextAlignment(host::taRightJustify);
  const TCaptionPlace p = l->Layout().Captions.RightCaption;
  EXPECT_EQ(p.ShadowX, p.X - 1);
  l->SetRightTextAlignment(host::taLeftJustify);
  const TCaptionPlace q = l->Layout().Captions.RightCaption;
  EXPECT_EQ(q.ShadowX, q.X + 1);
}

TEST_F(NumLabTest, MouseAreaCodeBeforeTheHandler) {
  TNumLab* l = Lab();
  std::vector<int> seen;
  l->SetOnMouseMove(
      [&](host::TObject*, host::TShiftState, int, int) { seen.push_back(l->MouseAreaCode()); });
  const TCaptionBoxLayout L = l->Layout().Captions;
  zeltest::MouseMove(l, 10, 5);
  zeltest::MouseMove(l, L.BoxLeft + 1, 5);
  zeltest::MouseMove(l, L.BoxRight + 1, 5);
  zeltest::MouseMove(l, L.BoxRight, 5);
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 1}));
}

TEST_F(NumLabTest, AssignCopiesTheListedSettingsOnly) {
  TNumLab* a = Lab();
  auto* b = Make<TNumLab>(10, 50, 160, 28);
  a->SetValue(42);
  a->SetLeftText("U");
  a->SetLabelWidth(60);
  a->SetDisplayType(dtHex);
  a->SetColorLabBakG(host::clYellow);
  a->SetColorScheme(csmSystem);
  a->SetComma(true);
  a->SetForcePlusSign(true);
  a->SetDTFormat("yyyy");
  b->Assign(a);
  EXPECT_EQ(b->Value(), 42);
  EXPECT_EQ(b->LeftText(), "U");
  EXPECT_EQ(b->LabelWidth(), 60);
  EXPECT_EQ(b->DisplayType(), dtHex);
  EXPECT_EQ(b->ColorLabBakG(), host::clYellow);
  EXPECT_EQ(b->ColGrayLine(), host::clBtnShadow);
  EXPECT_FALSE(b->Comma());
  EXPECT_FALSE(b->ForcePlusSign());
  EXPECT_EQ(b->DTFormat(), "mmm-dd, yyyy");

  auto* c = Make<TNumLab>(10, 80, 160, 28);
  a->AssignTo(c);
  EXPECT_EQ(c->Value(), 42);
  host::TFont font;
  EXPECT_THROW(a->AssignTo(&font), host::EConvertError);
}
