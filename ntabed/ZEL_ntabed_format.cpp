#include "ntabed/ZEL_ntabed_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "foundation/Zel_stringl.h"
#include "foundation/Zel_zelbase.h"

namespace zel {

namespace {

constexpr int kMaxMantissaDigits = 16;  // a double holds 17 significant digits

bool FitsFixed(double x, int d) {
  if (d < 0 || d > 8) return false;
  const double ax = std::fabs(x);
  const double unit = std::pow(10.0, -d);
  // 999999999 without decimals, else eight digits: 9999999.9 .. 0.99999999.
  const double limit = d == 0 ? 999999999.0 : std::pow(10.0, 8 - d) - unit;
  return (ax >= unit || x == 0) && ax <= limit;
}

std::string PadLeft(std::string s, size_t width) {
  if (s.size() < width) s.insert(0, width - s.size(), ' ');
  return s;
}

// d.dddE+dddd: the four-digit form the two-digit text is cut from.
std::string ExponentForm(double x, int width) {
  const int sign = std::signbit(x) ? 1 : 0;
  // width + 8 characters hold sign, digit, point, mantissa digits, "E", the
  // exponent sign and four digits.
  const int digits = std::clamp(width + 8 - 8 - sign, 1, kMaxMantissaDigits);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*E", digits, x);
  std::string s(buf);
  const size_t e = s.find('E');
  const int exp = std::atoi(s.c_str() + e + 1);
  char tail[16];
  std::snprintf(tail, sizeof tail, "E%c%04d", exp < 0 ? '-' : '+', std::abs(exp));
  return PadLeft(s.substr(0, e) + tail, size_t(width + 8));
}

std::string NonFiniteText(double x, int width) {
  const char* t = std::isnan(x) ? "NaN" : (x < 0 ? "-Inf" : "+Inf");
  return PadLeft(t, size_t(width + 6));
}

}  // namespace

std::string FormatTableNumber(double x, int Width, int Precision) {
  Width = std::clamp(Width, 1, 20);
  if (!std::isfinite(x)) return NonFiniteText(x, Width);
  if (FitsFixed(x, Precision)) return strff(x, Width, Precision);
  std::string s = ExponentForm(x, Width);
  // s ends in E, a sign and four digits; keep the last two.
  const size_t hi = s.size() - 4;
  const bool shortExponent = s[hi] == '0' && s[hi + 1] == '0';
  s.erase(hi, 2);
  if (!shortExponent) s.assign(s.size(), '*');
  return s;
}

std::optional<int> RoundToInt(double x) {
  if (!std::isfinite(x)) return std::nullopt;
  if (x < double(std::numeric_limits<int>::min()) || x > double(std::numeric_limits<int>::max()))
    return std::nullopt;
  return int(Round(x));
}

std::string CategoryFallbackText(double x, const std::string& ScaleTypeName) {
  const std::optional<int> n = RoundToInt(x);
  return ScaleTypeName + ":" + (n ? std::to_string(*n) : strff(x, 1, -1));
}

}  // namespace zel
