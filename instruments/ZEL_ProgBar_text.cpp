// The progress bar's value text: fixed point, or scientific with a two- or
// three-digit exponent.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "instruments/ZEL_ProgBar.h"

namespace zel {

namespace {

constexpr int kMaxDecPlaces = 10;

std::string NotANumberText(double v) {
  if (std::isnan(v)) return "NAN";
  return v < 0 ? "-INF" : "INF";
}

// The value's 15 significant digits as d.ddd, trailing zeros dropped down to
// one decimal, and its decimal exponent.
void SplitScientific(double v, std::string& mantissa, int& exponent) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.14E", v);
  const std::string s = buf;
  const size_t e = s.find('E');
  mantissa = s.substr(0, e);
  exponent = std::atoi(s.c_str() + e + 1);
  const size_t point = mantissa.find('.');
  size_t end = mantissa.find_last_not_of('0');
  mantissa.erase(std::max(end, point + 1) + 1);
}

std::string ExponentText(int exponent, int digits) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "E%c%0*d", exponent < 0 ? '-' : '+', digits, std::abs(exponent));
  return buf;
}

}  // namespace

std::string ProgBarValueText(double Value, int DecPlaces) {
  if (!std::isfinite(Value)) return NotANumberText(Value);
  DecPlaces = std::clamp(DecPlaces, -2, kMaxDecPlaces);
  if (DecPlaces >= 0) {
    char buf[400];  // the longest double in fixed point has 309 digits
    std::snprintf(buf, sizeof buf, "%.*f", DecPlaces, Value);
    return buf;
  }
  std::string mantissa;
  int exponent = 0;
  SplitScientific(Value, mantissa, exponent);
  const std::string full = mantissa + ExponentText(exponent, 3);
  if (DecPlaces == -2) return full;
  if (std::abs(exponent) > 99) return std::string(full.size(), '*');
  return mantissa + ExponentText(exponent, 2);
}

}  // namespace zel
