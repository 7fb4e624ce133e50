#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <string>

#include "foundation/Zel_zelcolors.h"

using namespace zel;
using host::RGB;

TEST(ColorToGray, LumaWeightsAndSystemColours) {
  EXPECT_EQ(ColorToGray(host::clWhite), 255);
  EXPECT_EQ(ColorToGray(host::clBlack), 0);
  EXPECT_EQ(ColorToGray(host::clLime), 150);  // 0.587 * 255
  EXPECT_EQ(ColorToGray(host::clBlue), 29);   // 0.114 * 255: blue counts least
  EXPECT_EQ(ColorToGray(RGB(10, 20, 30)), 18);
  EXPECT_EQ(ColorToGray(host::clBtnFace), ColorToGray(host::ColorToRGB(host::clBtnFace)));
}

TEST(ColorToHSL, KnownColours) {
  double h, s, l;
  ColorToHSL(host::clRed, h, s, l);
  EXPECT_DOUBLE_EQ(h, 0);
  EXPECT_DOUBLE_EQ(s, 1);
  EXPECT_DOUBLE_EQ(l, 0.5);
  ColorToHSL(host::clNavy, h, s, l);
  EXPECT_DOUBLE_EQ(h, 240);
  EXPECT_NEAR(l, 128 / 510.0, 1e-12);
  ColorToHSL(RGB(255, 0, 128), h, s, l);  // magenta side: hue wraps below 360
  EXPECT_GT(h, 300);
  EXPECT_LT(h, 360);
  ColorToHSL(host::clGray, h, s, l);
  EXPECT_EQ(h, 0);
  EXPECT_EQ(s, 0);
  ColorToHSL(host::clWindow, h, s, l);  // system colour resolved: white
  EXPECT_DOUBLE_EQ(l, 1);
}

TEST(HSLtoColor, RoundTripOverAGridOfColours) {
  int worst = 0;
  for (int r = 0; r <= 255; r += 15)
    for (int g = 0; g <= 255; g += 15)
      for (int b = 0; b <= 255; b += 15) {
        double h, s, l;
        ColorToHSL(RGB(r, g, b), h, s, l);
        ASSERT_GE(h, 0);
        ASSERT_LT(h, 360);
        const TColor c = HSLtoColor(h, s, l);
        worst = std::max({worst, std::abs(host::GetRValue(c) - r), std::abs(host::GetGValue(c) - g),
                          std::abs(host::GetBValue(c) - b)});
      }
  EXPECT_LE(worst, 1);
}

TEST(HSLtoColor, OutOfRangeArgumentsAreTamed) {
  EXPECT_EQ(HSLtoColor(-120, 1, 0.5), HSLtoColor(240, 1, 0.5));
  EXPECT_EQ(HSLtoColor(720, 1, 0.5), host::clRed);
  EXPECT_EQ(HSLtoColor(0, 1, 1.5), host::clWhite);
  EXPECT_EQ(HSLtoColor(0, -1, 0.5), RGB(128, 128, 128));
  EXPECT_EQ(HSLtoColor(std::nan(""), 1, 0), host::clBlack);
}

TEST(MeanColor, HalfWayPerChannel) {
  EXPECT_EQ(MeanColor(host::clBlack, host::clWhite), RGB(128, 128, 128));
  EXPECT_EQ(MeanColor(RGB(10, 20, 30), RGB(20, 40, 60)), RGB(15, 30, 45));
  EXPECT_EQ(MeanColor(host::clRed, host::clBlue), RGB(128, 0, 128));
  EXPECT_EQ(MeanColor(host::clWindow, host::clBlack), RGB(128, 128, 128));
}

TEST(PredefinedColors, PaletteRangesHoldWhatTheSelectorExpects) {
  const TColor vga[16] = {host::clBlack,  host::clMaroon,  host::clGreen, host::clOlive,
                          host::clNavy,   host::clPurple,  host::clTeal,  host::clGray,
                          host::clSilver, host::clRed,     host::clLime,  host::clYellow,
                          host::clBlue,   host::clFuchsia, host::clAqua,  host::clWhite};
  for (int i = 0; i < 16; ++i) EXPECT_EQ(PredefinedColors[i].Color, vga[i]) << i;
  EXPECT_EQ(PredefinedColors[16].Color, host::clMoneyGreen);
  EXPECT_EQ(PredefinedColors[17].Color, host::clSkyBlue);
  EXPECT_EQ(PredefinedColors[18].Color, host::clCream);
  EXPECT_EQ(PredefinedColors[19].Color, host::clMedGray);
  std::set<TColor> system;
  std::set<std::string> names;
  for (int i = 0; i < kNumPredefinedColors; ++i) {
    const bool isSystem = (PredefinedColors[i].Color & 0xFF000000) == host::clSystemColor;
    EXPECT_EQ(isSystem, i >= 20) << i;
    if (isSystem) system.insert(PredefinedColors[i].Color);
    ASSERT_NE(PredefinedColors[i].Name, nullptr);
    names.insert(PredefinedColors[i].Name);
  }
  EXPECT_EQ(system.size(), 27u);
  EXPECT_EQ(names.size(), size_t(kNumPredefinedColors));
  EXPECT_EQ(names.count(""), 0u);
}
