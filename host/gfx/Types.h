// Basic value types of the drawing layer: colours, points, rectangles and the
// small integer arithmetic the platform offers (MulDiv, Round, Trunc, Frac).
#pragma once

#include <cstdint>
#include <string>

namespace host {

// 0x00BBGGRR for an RGB colour; 0xFF0000nn is system colour nn (see ColorToRGB).
using TColor = uint32_t;

constexpr TColor RGB(uint8_t r, uint8_t g, uint8_t b) {
  return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16);
}
constexpr uint8_t GetRValue(TColor c) { return uint8_t(c & 0xFF); }
constexpr uint8_t GetGValue(TColor c) { return uint8_t((c >> 8) & 0xFF); }
constexpr uint8_t GetBValue(TColor c) { return uint8_t((c >> 16) & 0xFF); }

// The standard named colours.
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// System colours: 0xFF000000 | index.
constexpr TColor clSystemColor = 0xFF000000;
constexpr TColor clScrollBar = clSystemColor | 0;
constexpr TColor clBackground = clSystemColor | 1;
constexpr TColor clActiveCaption = clSystemColor | 2;
constexpr TColor clInactiveCaption = clSystemColor | 3;
constexpr TColor clMenu = clSystemColor | 4;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowFrame = clSystemColor | 6;
constexpr TColor clMenuText = clSystemColor | 7;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clCaptionText = clSystemColor | 9;
constexpr TColor clActiveBorder = clSystemColor | 10;
constexpr TColor clInactiveBorder = clSystemColor | 11;
constexpr TColor clAppWorkSpace = clSystemColor | 12;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clGrayText = clSystemColor | 17;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clInactiveCaptionText = clSystemColor | 19;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor cl3DDkShadow = clSystemColor | 21;
constexpr TColor cl3DLight = clSystemColor | 22;
constexpr TColor clInfoText = clSystemColor | 23;
constexpr TColor clInfoBk = clSystemColor | 24;
constexpr TColor clHotLight = clSystemColor | 26;
constexpr TColor clGradientActiveCaption = clSystemColor | 27;
constexpr TColor clGradientInactiveCaption = clSystemColor | 28;
constexpr TColor clMenuHighlight = clSystemColor | 29;
constexpr TColor clMenuBar = clSystemColor | 30;

// Resolves a system colour to its RGB value in the classic light "Windows
// Standard" scheme of the Windows 2000 era, so that the controls look the same on
// every desktop: button face, menu, scroll bar, borders and 3-D light (212,208,200);
// button shadow, grey text, application workspace, inactive caption (128,128,128);
// button highlight, window, caption text, highlight text white; 3-D dark shadow
// (64,64,64); window text, button text, menu text, window frame, info text black;
// highlight and active caption (10,36,106); info background (255,255,225); desktop
// (58,110,165); hot light (0,0,128); inactive caption text (212,208,200); caption
// gradients (166,202,240) and (192,192,192); menu highlight (49,106,197). An
// unknown system index gives black. Other colours come back with the high byte
// cleared, so the result is always a plain 0x00BBGGRR value.
TColor ColorToRGB(TColor c);
// "clBlack" for a named constant (system colours included), else "$00BBGGRR" in
// upper-case hexadecimal. Aliases print as their main name (clLtGray as clSilver).
std::string ColorToString(TColor c);
// Inverse of ColorToString: a colour name (any case), "$hex", "0xhex" or a decimal
// number within 32 bits. Returns false (and leaves out alone) on other text.
bool StringToColor(const std::string& s, TColor& out);

struct TPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

// Left/Top inclusive, Right/Bottom exclusive, as everywhere on the platform.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

constexpr TRect Rect(int l, int t, int r, int b) { return TRect{l, t, r, b}; }
constexpr TPoint Point(int x, int y) { return TPoint{x, y}; }
// The common part of a and b; an all-zero rectangle when they do not overlap.
TRect IntersectRect(const TRect& a, const TRect& b);
// The smallest rectangle holding both; an empty one counts as absent.
TRect UnionRect(const TRect& a, const TRect& b);
TRect OffsetRect(const TRect& r, int dx, int dy);

// a*b/c with a 64-bit intermediate, rounded to nearest (halves away from zero);
// -1 when c is 0 or the result does not fit in an int, as the platform does.
int MulDiv(int a, int b, int c);
// Round half to even, as the system's Round does; saturates at the int64 range
// (infinities included) and gives 0 for NaN rather than an undefined cast.
int64_t Round(double x);
// Toward zero; saturates like Round.
int64_t Trunc(double x);
// x - Trunc(x), keeping the sign of x.
double Frac(double x);

}  // namespace host
