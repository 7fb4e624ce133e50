#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "host/gfx/Graphics.h"

namespace host {
namespace {

TEST(ColorToRGB, ResolvesTheClassicPalette) {
  EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
  EXPECT_EQ(ColorToRGB(clMenuBar), RGB(212, 208, 200));
  EXPECT_EQ(ColorToRGB(clBtnShadow), RGB(128, 128, 128));
  EXPECT_EQ(ColorToRGB(clBtnHighlight), RGB(255, 255, 255));
  EXPECT_EQ(ColorToRGB(cl3DDkShadow), RGB(64, 64, 64));
  EXPECT_EQ(ColorToRGB(clHighlight), RGB(10, 36, 106));
  EXPECT_EQ(ColorToRGB(clInfoBk), RGB(255, 255, 225));
  EXPECT_EQ(ColorToRGB(clBackground), RGB(58, 110, 165));
  EXPECT_EQ(ColorToRGB(clHotLight), RGB(0, 0, 128));
  EXPECT_EQ(ColorToRGB(clInactiveCaptionText), RGB(212, 208, 200));
  EXPECT_EQ(ColorToRGB(clGradientActiveCaption), RGB(166, 202, 240));
  EXPECT_EQ(ColorToRGB(clGradientInactiveCaption), RGB(192, 192, 192));
  EXPECT_EQ(ColorToRGB(clMenuHighlight), RGB(49, 106, 197));
  EXPECT_EQ(ColorToRGB(clWindowText), clBlack);
}

TEST(ColorToRGB, PlainAndUnknownColours) {
  EXPECT_EQ(ColorToRGB(0x00123456), 0x00123456u);
  EXPECT_EQ(ColorToRGB(clSystemColor | 25), clBlack);   // no such system colour
  EXPECT_EQ(ColorToRGB(clSystemColor | 200), clBlack);  // far out of the table
  EXPECT_EQ(ColorToRGB(clNone), 0x00FFFFFFu);           // high byte cleared
}

TEST(ColorNames, EveryNameRoundTrips) {
  const TColor named[] = {clBlack,      clMaroon,        clGreen,
                          clOlive,      clNavy,          clPurple,
                          clTeal,       clGray,          clSilver,
                          clRed,        clLime,          clYellow,
                          clBlue,       clFuchsia,       clAqua,
                          clWhite,      clMoneyGreen,    clSkyBlue,
                          clCream,      clMedGray,       clNone,
                          clDefault,    clScrollBar,     clBtnFace,
                          cl3DDkShadow, clInfoBk,        clMenuBar,
                          clHighlight,  clWindow,        clInactiveBorder,
                          clHotLight,   clMenuHighlight, clGradientInactiveCaption};
  for (TColor c : named) {
    const std::string name = ColorToString(c);
    ASSERT_EQ(name.rfind("cl", 0), 0u) << std::hex << c;
    TColor back = 1;
    ASSERT_TRUE(StringToColor(name, back)) << name;
    EXPECT_EQ(back, c) << name;
  }
  EXPECT_EQ(ColorToString(clBtnFace), "clBtnFace");
  EXPECT_EQ(ColorToString(clLtGray), "clSilver");  // an alias prints as its main name
  TColor c = 0;
  ASSERT_TRUE(StringToColor("CLDKGRAY", c));
  EXPECT_EQ(c, clGray);
}

TEST(ColorNames, NumbersInAndOut) {
  EXPECT_EQ(ColorToString(0x00ABCDEF), "$00ABCDEF");
  EXPECT_EQ(ColorToString(clSystemColor | 25), "$FF000019");
  TColor c = 7;
  ASSERT_TRUE(StringToColor("$00ABCDEF", c));
  EXPECT_EQ(c, 0x00ABCDEFu);
  ASSERT_TRUE(StringToColor("0xff", c));
  EXPECT_EQ(c, 0xFFu);
  ASSERT_TRUE(StringToColor("-1", c));
  EXPECT_EQ(c, 0xFFFFFFFFu);
  ASSERT_TRUE(StringToColor("4294967295", c));
  EXPECT_EQ(c, 0xFFFFFFFFu);
  c = 7;
  for (const char* bad : {"", "$", "0x", "-", "12x", "$100000000", "4294967296", "clNothing"})
    EXPECT_FALSE(StringToColor(bad, c)) << bad;
  EXPECT_EQ(c, 7u);  // untouched by failures
}

TEST(RectHelpers, IntersectUnionOffset) {
  EXPECT_EQ(IntersectRect(Rect(0, 0, 10, 10), Rect(5, 5, 20, 20)), Rect(5, 5, 10, 10));
  EXPECT_EQ(IntersectRect(Rect(0, 0, 10, 10), Rect(10, 0, 20, 10)), TRect{});  // touching only
  EXPECT_EQ(UnionRect(Rect(0, 0, 2, 2), Rect(5, 1, 6, 8)), Rect(0, 0, 6, 8));
  EXPECT_EQ(UnionRect(Rect(3, 3, 3, 9), Rect(5, 1, 6, 8)), Rect(5, 1, 6, 8));  // empty ignored
  EXPECT_EQ(OffsetRect(Rect(1, 2, 3, 4), -1, 10), Rect(0, 12, 2, 14));
}

TEST(MulDiv, RoundsHalvesAwayFromZero) {
  EXPECT_EQ(MulDiv(1, 1, 2), 1);
  EXPECT_EQ(MulDiv(-1, 1, 2), -1);
  EXPECT_EQ(MulDiv(3, 5, 2), 8);
  EXPECT_EQ(MulDiv(3, -5, 2), -8);
  EXPECT_EQ(MulDiv(7, 1, 3), 2);
  EXPECT_EQ(MulDiv(8, 1, -3), -3);
  EXPECT_EQ(MulDiv(100000, 100000, 100000), 100000);  // product beyond 32 bits
  EXPECT_EQ(MulDiv(INT_MIN, 1, 1), INT_MIN);
}

TEST(MulDiv, ZeroDivisorAndOverflowGiveMinusOne) {
  EXPECT_EQ(MulDiv(5, 5, 0), -1);
  EXPECT_EQ(MulDiv(INT_MAX, 2, 1), -1);
  EXPECT_EQ(MulDiv(INT_MIN, -1, 1), -1);
}

TEST(Round, HalvesGoToEven) {
  EXPECT_EQ(Round(0.5), 0);
  EXPECT_EQ(Round(1.5), 2);
  EXPECT_EQ(Round(2.5), 2);
  EXPECT_EQ(Round(-0.5), 0);
  EXPECT_EQ(Round(-1.5), -2);
  EXPECT_EQ(Round(-2.5), -2);
  EXPECT_EQ(Round(2.4999999), 2);
  EXPECT_EQ(Round(-2.5000001), -3);
  EXPECT_EQ(Round(4503599627370497.0), 4503599627370497);  // 2^52 + 1, no fraction left
}

TEST(Round, HugeValuesSaturate) {
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
  EXPECT_EQ(Round(1e300), kMax);
  EXPECT_EQ(Round(-1e300), kMin);
  EXPECT_EQ(Round(INFINITY), kMax);
  EXPECT_EQ(Round(NAN), 0);
  EXPECT_EQ(Trunc(-1e300), kMin);
  EXPECT_EQ(Trunc(-2.9), -2);
  EXPECT_EQ(Trunc(2.9), 2);
  EXPECT_DOUBLE_EQ(Frac(-2.75), -0.75);
  EXPECT_DOUBLE_EQ(Frac(1e300), 0.0);
}

TEST(Assign, UnknownPairsRaiseTheCannotAssignError) {
  TPen pen;
  TBrush brush;
  try {
    brush.Assign(&pen);
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a TPen to a TBrush");
  }
  try {
    pen.Assign(nullptr);
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a nil to a TPen");
  }
  EXPECT_THROW(pen.AssignTo(nullptr), EConvertError);
}

TEST(GraphicsObjects, NotifyOnRealChangesOnly) {
  TPen pen;
  int changes = 0;
  pen.SetOnChange([&](TObject* sender) {
    EXPECT_EQ(sender, &pen);
    ++changes;
  });
  pen.SetColor(clRed);
  pen.SetColor(clRed);
  pen.SetWidth(0);  // becomes 1, which it already was
  EXPECT_EQ(pen.Width(), 1);
  pen.SetWidth(3);
  pen.SetMode(pmXor);
  EXPECT_EQ(changes, 3);

  TPen copy;
  int copyChanges = 0;
  copy.SetOnChange([&](TObject*) { ++copyChanges; });
  copy.Assign(&pen);
  EXPECT_EQ(copyChanges, 1);
  EXPECT_EQ(copy.Color(), clRed);
  EXPECT_EQ(copy.Width(), 3);
  EXPECT_EQ(copy.Mode(), pmXor);
}

TEST(GraphicsObjects, ColouringAClearBrushMakesItSolid) {
  TBrush brush;
  brush.SetStyle(bsClear);
  int changes = 0;
  brush.SetOnChange([&](TObject*) { ++changes; });
  brush.SetColor(clWhite);  // same colour, but the style changes
  EXPECT_EQ(brush.Style(), bsSolid);
  EXPECT_EQ(changes, 1);
}

}  // namespace
}  // namespace host
