#include "host/gfx/Types.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>

namespace host {

namespace {

// The classic light "Windows Standard" scheme, indexed by system colour number.
// Index 25 is not a system colour; it resolves to black like any unknown index.
constexpr TColor kSystemPalette[] = {
    RGB(212, 208, 200),  // 0 clScrollBar
    RGB(58, 110, 165),   // 1 clBackground
    RGB(10, 36, 106),    // 2 clActiveCaption
    RGB(128, 128, 128),  // 3 clInactiveCaption
    RGB(212, 208, 200),  // 4 clMenu
    RGB(255, 255, 255),  // 5 clWindow
    RGB(0, 0, 0),        // 6 clWindowFrame
    RGB(0, 0, 0),        // 7 clMenuText
    RGB(0, 0, 0),        // 8 clWindowText
    RGB(255, 255, 255),  // 9 clCaptionText
    RGB(212, 208, 200),  // 10 clActiveBorder
    RGB(212, 208, 200),  // 11 clInactiveBorder
    RGB(128, 128, 128),  // 12 clAppWorkSpace
    RGB(10, 36, 106),    // 13 clHighlight
    RGB(255, 255, 255),  // 14 clHighlightText
    RGB(212, 208, 200),  // 15 clBtnFace
    RGB(128, 128, 128),  // 16 clBtnShadow
    RGB(128, 128, 128),  // 17 clGrayText
    RGB(0, 0, 0),        // 18 clBtnText
    RGB(212, 208, 200),  // 19 clInactiveCaptionText
    RGB(255, 255, 255),  // 20 clBtnHighlight
    RGB(64, 64, 64),     // 21 cl3DDkShadow
    RGB(212, 208, 200),  // 22 cl3DLight
    RGB(0, 0, 0),        // 23 clInfoText
    RGB(255, 255, 225),  // 24 clInfoBk
    RGB(0, 0, 0),        // 25 (none)
    RGB(0, 0, 128),      // 26 clHotLight
    RGB(166, 202, 240),  // 27 clGradientActiveCaption
    RGB(192, 192, 192),  // 28 clGradientInactiveCaption
    RGB(49, 106, 197),   // 29 clMenuHighlight
    RGB(212, 208, 200),  // 30 clMenuBar
};

struct NamedColor {
  TColor value;
  const char* name;
};

// Value-to-name looks for the first entry, so aliases (clLtGray, clDkGray) come
// after the names they share a value with.
constexpr NamedColor kNamedColors[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clLtGray, "clLtGray"},
    {clDkGray, "clDkGray"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clHotLight, "clHotLight"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuBar, "clMenuBar"},
};

bool SameText(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i] != 0; ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return i == a.size() && b[i] == 0;
}

// Parses "$hex", "0xhex" or a decimal number (optionally negative) that fits in
// 32 bits; negative decimals wrap as the platform's integer-to-colour cast does.
bool ParseColorNumber(const std::string& s, TColor& out) {
  size_t pos = 0;
  int base = 10;
  bool negative = false;
  if (!s.empty() && s[0] == '$') {
    base = 16;
    pos = 1;
  } else if (s.size() > 1 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    pos = 2;
  } else if (!s.empty() && s[0] == '-') {
    negative = true;
    pos = 1;
  }
  if (pos >= s.size()) return false;
  uint64_t v = 0;
  for (; pos < s.size(); ++pos) {
    const int ch = std::tolower(static_cast<unsigned char>(s[pos]));
    int digit;
    if (ch >= '0' && ch <= '9')
      digit = ch - '0';
    else if (base == 16 && ch >= 'a' && ch <= 'f')
      digit = ch - 'a' + 10;
    else
      return false;
    v = v * base + digit;
    if (v > (negative ? 0x80000000ull : 0xFFFFFFFFull)) return false;
  }
  out = negative ? TColor(0u - uint32_t(v)) : TColor(v);
  return true;
}

}  // namespace

TColor ColorToRGB(TColor c) {
  if ((c & 0xFF000000u) == clSystemColor) {
    const uint32_t index = c & 0xFFu;
    return index < std::size(kSystemPalette) ? kSystemPalette[index] : clBlack;
  }
  return c & 0x00FFFFFFu;
}

std::string ColorToString(TColor c) {
  for (const NamedColor& n : kNamedColors)
    if (n.value == c) return n.name;
  char buf[16];
  std::snprintf(buf, sizeof buf, "$%08X", static_cast<unsigned>(c));
  return buf;
}

bool StringToColor(const std::string& s, TColor& out) {
  for (const NamedColor& n : kNamedColors) {
    if (SameText(s, n.name)) {
      out = n.value;
      return true;
    }
  }
  return ParseColorNumber(s, out);
}

TRect IntersectRect(const TRect& a, const TRect& b) {
  TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
          std::min(a.Bottom, b.Bottom)};
  return r.IsEmpty() ? TRect{} : r;
}

TRect UnionRect(const TRect& a, const TRect& b) {
  if (a.IsEmpty()) return b.IsEmpty() ? TRect{} : b;
  if (b.IsEmpty()) return a;
  return TRect{std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
               std::max(a.Bottom, b.Bottom)};
}

TRect OffsetRect(const TRect& r, int dx, int dy) {
  return TRect{r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const int64_t p = int64_t(a) * b;
  const uint64_t num = p < 0 ? uint64_t(-p) : uint64_t(p);
  const uint64_t den = c < 0 ? uint64_t(-int64_t(c)) : uint64_t(c);
  const uint64_t q = (num + den / 2) / den;
  const bool negative = (p < 0) != (c < 0);
  // A result outside the int range is reported as -1, like a zero divisor.
  if (q > (negative ? uint64_t(1) << 31 : uint64_t(INT32_MAX))) return -1;
  return negative ? int(-int64_t(q)) : int(q);
}

namespace {
// Clamps a value already free of a fractional part into the int64 range.
int64_t SaturateToInt64(double whole) {
  if (std::isnan(whole)) return 0;
  if (whole >= 9223372036854775808.0) return std::numeric_limits<int64_t>::max();
  if (whole < -9223372036854775808.0) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(whole);
}
}  // namespace

int64_t Round(double x) {
  const double lower = std::floor(x);
  const double diff = x - lower;
  double r = lower;
  if (diff > 0.5 || (diff == 0.5 && std::fmod(lower, 2.0) != 0.0)) r = lower + 1.0;
  return SaturateToInt64(r);
}

int64_t Trunc(double x) { return SaturateToInt64(std::trunc(x)); }

double Frac(double x) { return x - std::trunc(x); }

}  // namespace host
