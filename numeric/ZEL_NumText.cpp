#include "numeric/ZEL_NumText.h"

#include <locale.h>

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "host/gfx/Persistent.h"
#include "host/gfx/Types.h"
#include "host/ui/FormatSettings.h"

namespace zel {

namespace {

// Big enough for any double in fixed notation with 15 decimals.
constexpr int kBufSize = 512;

int ClampDecimals(int d) { return d < 0 ? 0 : (d > 15 ? 15 : d); }

std::string WithSeparator(std::string s, char sep) {
  if (sep != '.')
    for (char& c : s)
      if (c == '.') c = sep;
  return s;
}

// "-0.00" and the like lose their sign: the value shown is zero.
std::string DropNegativeZero(std::string s) {
  if (!s.empty() && s[0] == '-' && s.find_first_of("123456789") == std::string::npos) s.erase(0, 1);
  return s;
}

std::string ExponentText(int e, int expDigits) {
  std::string digits = std::to_string(e < 0 ? -e : e);
  if (int(digits.size()) < expDigits) digits.insert(0, size_t(expDigits) - digits.size(), '0');
  return std::string("E") + (e < 0 ? "-" : "+") + digits;
}

// Mantissa text and decimal exponent of v rounded to `digits` significant digits.
void SplitScientific(double v, int digits, std::string& mantissa, int& exponent) {
  char buf[kBufSize];
  auto r = std::to_chars(buf, buf + kBufSize, v, std::chars_format::scientific, digits - 1);
  std::string s(buf, r.ptr);
  const size_t e = s.find('e');
  mantissa = s.substr(0, e);
  exponent = std::atoi(s.c_str() + e + 1);
}

std::string TrimFractionZeros(std::string s) {
  if (s.find('.') == std::string::npos) return s;
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  return s;
}

// Value of a text made by FormatFixed (with ".").
double FixedValue(const std::string& s) {
  double v = 0;
  ParseDecimalText(s, v);
  return v;
}

// Fixed text of x (0 <= x < 60) with two integer digits; `carry` is set when
// the rounded text would read 60 (the text is then that of 0).
std::string SexagesimalField(double x, int decimals, bool& carry) {
  std::string s = FormatFixed(x, decimals);
  carry = FixedValue(s) >= 60.0;
  if (carry) s = FormatFixed(0.0, decimals);
  if (s.find('.') == 1 || s.size() == 1) s.insert(0, "0");
  return s;
}

}  // namespace

std::string NonFiniteText(double v) {
  if (std::isnan(v)) return "NAN";
  if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
  return "";
}

std::string FormatFixed(double v, int decimals, char sep) {
  if (!std::isfinite(v)) return NonFiniteText(v);
  char buf[kBufSize];
  auto r = std::to_chars(buf, buf + kBufSize, v, std::chars_format::fixed, ClampDecimals(decimals));
  return WithSeparator(DropNegativeZero(std::string(buf, r.ptr)), sep);
}

std::string FormatScientific(double v, int digits, int expDigits, char sep) {
  if (!std::isfinite(v)) return NonFiniteText(v);
  std::string mantissa;
  int exponent = 0;
  SplitScientific(v, digits < 1 ? 1 : (digits > 17 ? 17 : digits), mantissa, exponent);
  return WithSeparator(mantissa, sep) + ExponentText(exponent, expDigits);
}

std::string FormatGeneral(double v, int digits, char sep) {
  if (!std::isfinite(v)) return NonFiniteText(v);
  if (v == 0) return "0";
  digits = digits < 1 ? 1 : (digits > 17 ? 17 : digits);
  std::string mantissa;
  int exponent = 0;
  SplitScientific(v, digits, mantissa, exponent);
  if (exponent < digits && exponent >= -5)
    return WithSeparator(TrimFractionZeros(FormatFixed(v, digits - 1 - exponent)), sep);
  return WithSeparator(TrimFractionZeros(mantissa), sep) + ExponentText(exponent, 2);
}

std::string FormatEngineering(double v, int decimals, char sep) {
  if (!std::isfinite(v)) return NonFiniteText(v);
  decimals = ClampDecimals(decimals);
  if (v == 0) return FormatFixed(0.0, decimals, sep) + ExponentText(0, 2);
  std::string mantissa;
  int e10 = 0;
  SplitScientific(v, 17, mantissa, e10);
  int e3 = (e10 >= 0 ? e10 / 3 : (e10 - 2) / 3) * 3;
  // Scaled in two steps so that the tiniest values do not divide by zero.
  auto scaled = [v](int e) {
    return e < -290 ? v * 1e300 / std::pow(10.0, e + 300) : v / std::pow(10.0, e);
  };
  std::string m = FormatFixed(scaled(e3), decimals);
  if (std::fabs(FixedValue(m)) >= 1000.0) {  // rounding reached the next power of 1000
    e3 += 3;
    m = FormatFixed(scaled(e3), decimals);
  }
  return WithSeparator(m, sep) + ExponentText(e3, 2);
}

std::string FormatDegrees(double v, int fields, int decimals, char sep) {
  if (!std::isfinite(v)) return NonFiniteText(v);
  static const std::string kDegree = "\xC2\xB0";
  decimals = ClampDecimals(decimals);
  if (fields <= 1) return FormatFixed(v, decimals, sep) + kDegree;
  const double a = std::fabs(v);
  double deg = std::floor(a);
  std::string minutes, seconds;
  bool carry = false;
  if (fields == 2) {
    minutes = SexagesimalField((a - deg) * 60.0, decimals, carry);
  } else {
    const double totalSec = (a - deg) * 3600.0;
    int min = int(std::floor(totalSec / 60.0));
    bool secondsCarry = false;
    seconds = SexagesimalField(totalSec - min * 60.0, decimals, secondsCarry);
    if (secondsCarry) min += 1;
    carry = min >= 60;
    if (carry) min -= 60;
    minutes = UIntToBase(uint64_t(min), 10, 2);
  }
  if (carry) deg += 1;
  std::string s = FormatFixed(deg, 0) + kDegree + WithSeparator(minutes, sep) + "'";
  if (fields >= 3) s += WithSeparator(seconds, sep) + "\"";
  const bool zero = s.find_first_of("123456789") == std::string::npos;
  return (v < 0 && !zero) ? "-" + s : s;
}

std::string UIntToBase(uint64_t v, int base, int minDigits) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string s;
  do {
    s.insert(s.begin(), kDigits[v % uint64_t(base)]);
    v /= uint64_t(base);
  } while (v != 0);
  if (int(s.size()) < minDigits) s.insert(0, size_t(minDigits) - s.size(), '0');
  return s;
}

bool ParseDecimalText(const std::string& s, double& out) {
  size_t start = s.find_first_not_of(' ');
  if (start == std::string::npos) return false;
  if (s.find_first_not_of("0123456789.eE+-", start) != std::string::npos) return false;
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
  const char* begin = s.c_str() + start;
  char* end = nullptr;
  const double v = strtod_l(begin, &end, cLocale);
  if (end == begin || *end != '\0') return false;
  out = v;
  return true;
}

namespace {

// Rounded value as a sign and digits in the given base.
std::string SignedBase(double v, int base, int minDigits) {
  const int64_t i = host::Round(v);
  const uint64_t mag = i < 0 ? uint64_t(0) - uint64_t(i) : uint64_t(i);
  return (i < 0 ? "-" : "") + UIntToBase(mag, base, minDigits);
}

std::string DateText(double v, const TNumTextSettings& s) {
  try {
    return host::FormatDateTime(s.DTFormat, v);
  } catch (const host::EConvertError&) {
    return s.OverflowIndicator;
  }
}

std::string TypeText(double v, const TNumTextSettings& s) {
  const int p = s.Precision;
  switch (s.DisplayType) {
    case dtFloat:
      return FormatGeneral(v, p);
    case dtFixP:
      return FormatFixed(v, p);
    case dtExp:
      return FormatScientific(v, p, 3);
    case dtHex:
      return SignedBase(v, 16, 1);
    case dtZeroInt:
      return SignedBase(v, 10, p);
    case dtInt:
      return SignedBase(v, 10, 1);
    case dtDateTime:
      return DateText(v, s);
    case dtState:
      return s.StateText;
    case dtBin:
      return SignedBase(v, 2, 1);
    case dtOct:
      return SignedBase(v, 8, 1);
    case dtDeg:
      return FormatDegrees(v, 1, p);
    case dtDegMin:
      return FormatDegrees(v, 2, p);
    case dtDegMinSec:
      return FormatDegrees(v, 3, p);
    case dtEEng:
      return FormatEngineering(v, p);
    case dtEEngNoDP:
      return FormatEngineering(v, 0);
  }
  return FormatFixed(v, p);
}

}  // namespace

std::string NumberText(double Value, const TNumTextSettings& s) {
  const TDisplay t = s.DisplayType;
  if (t != dtState && t != dtDateTime && !std::isfinite(Value)) return NonFiniteText(Value);
  std::string text = TypeText(Value, s);
  if (t == dtHex || t == dtDateTime || t == dtState || t == dtBin) return text;
  const char from = s.Comma ? '.' : ',';
  const char to = s.Comma ? ',' : '.';
  for (char& c : text)
    if (c == from) c = to;
  if (s.ForcePlusSign && Value > 0) text.insert(0, "+");
  return text;
}

}  // namespace zel
