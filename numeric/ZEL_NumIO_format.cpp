// Checks, readers and writers of the numeric input's buffer.
#include <algorithm>
#include <cmath>
#include <limits>

#include "host/gfx/Types.h"
#include "numeric/ZEL_NumIOFormat.h"
#include "numeric/ZEL_NumText.h"

namespace zel {

namespace {

constexpr double kMaxDouble = std::numeric_limits<double>::max();

char Upper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Character classes of the floating-point scanner, in table column order.
enum TCharClass { ccSep, ccBlank, ccSign, ccDigit, ccE, ccOther };

// Without `exponent` an "E" is an "other" character: it ends the number.
TCharClass Classify(char c, TSepSet sep, bool exponent) {
  c = Upper(c);
  if (sep.Contains(c)) return ccSep;  // tested first
  if (c == ' ') return ccBlank;
  if (c == '+' || c == '-') return ccSign;
  if (IsDigit(c)) return ccDigit;
  if (c == 'E' && exponent) return ccE;
  return ccOther;
}

constexpr int kAccept = 9;
constexpr int kReject = -1;

// States 1..8 (rows) by character class (columns).
constexpr int8_t kFloatTable[8][6] = {
    {4, 1, 2, 3, -1, -1},    // 1 start
    {4, -1, -1, 3, -1, -1},  // 2 after sign
    {4, 9, 9, 3, 6, 9},      // 3 integer digits
    {-1, 9, 9, 5, 6, 9},     // 4 after separator
    {-1, 9, 9, 5, 6, 9},     // 5 fraction digits
    {-1, -1, 7, 8, -1, 9},   // 6 after "E"
    {-1, -1, -1, 8, -1, 9},  // 7 after exponent sign
    {9, 9, 9, 8, 9, 9},      // 8 exponent digits
};

struct TFloatScan {
  int State = 1;
  std::string Work;  // the accepted characters, commas as "."
  bool ExponentTooBig = false;
  size_t Used = 0;  // index of the character that ended the scan
};

// Runs the scanner to its end state. Once the exponent exceeds the limit, the
// check stops (reject) and the reader only stops copying.
TFloatScan ScanFloat(const std::string& s, TSepSet sep, bool forReading, bool exponentAllowed) {
  TFloatScan scan;
  int exponent = 0;
  for (size_t i = 0; scan.State != kAccept && scan.State != kReject; ++i) {
    const char c = i < s.size() ? s[i] : '\x01';  // past the end: an "other" character
    const int next = kFloatTable[scan.State - 1][Classify(c, sep, exponentAllowed)];
    if (next == 8 && exponent <= kMaxExponent) exponent = exponent * 10 + (c - '0');
    scan.State = next;
    scan.Used = std::min(i, s.size());
    if (next < 1 || next > 8) break;
    if (exponent > kMaxExponent) {
      scan.ExponentTooBig = true;
      if (!forReading) scan.State = kReject;
    }
    if (!scan.ExponentTooBig) scan.Work += (c == ',') ? '.' : Upper(c);
  }
  return scan;
}

}  // namespace

bool FloatScanCheck(const std::string& s, TSepSet sep) {
  return ScanFloat(s, sep, false, true).State == kAccept;
}

double FloatScanRead(const std::string& s) { return FloatScan(s, TSepSet{true, true}, true).Value; }

TFloatScanResult FloatScan(const std::string& s, TSepSet sep, bool exponent) {
  TFloatScan scan = ScanFloat(s, sep, true, exponent);
  if (scan.State != kAccept) return {};
  std::string& w = scan.Work;
  // An exponent without digits ("1E", "1E+") counts as no exponent.
  while (!w.empty() && (w.back() == 'E' || w.back() == '+' || w.back() == '-') &&
         w.find('E') != std::string::npos)
    w.pop_back();
  if (!w.empty() && w.back() == '.') w += '0';
  double v = 0;
  if (!ParseDecimalText(w, v)) return {};
  return {true, scan.Used, std::clamp(v, -kMaxDouble, kMaxDouble)};
}

bool PlainDecimalCheck(const std::string& s, TSepSet sep) {
  if (s.empty()) return false;
  int state = 0;  // 0 start, 1 sign, 2 separator seen, 3 integer digits, 4 fraction digits
  for (char c : s) {
    const bool digit = IsDigit(c);
    const bool separator = sep.Contains(c);
    if (state == 0 && (c == '+' || c == '-'))
      state = 1;
    else if (state != 2 && state != 4 && separator)
      state = 2;
    else if (state != 2 && state != 4 && digit)
      state = 3;
    else if ((state == 2 || state == 4) && digit)
      state = 4;
    else
      return false;
  }
  return true;
}

bool FixPointCheck(const std::string& s, TSepSet sep, int decPlaces) {
  if (!PlainDecimalCheck(s, sep)) return false;
  long pos = 0;
  for (size_t i = 0; i < s.size(); ++i)
    if (sep.Contains(s[i])) {
      pos = long(i) + 1;
      break;
    }
  return pos == long(s.size()) - decPlaces;
}

bool IntCheck(const std::string& s) {
  if (s.empty()) return false;
  if (s.size() == 1) return IsDigit(s[0]);
  if (!(s[0] == '+' || s[0] == '-' || IsDigit(s[0]))) return false;
  for (size_t i = 1; i < s.size(); ++i)
    if (!IsDigit(s[i])) return false;
  return true;
}

namespace {

int DigitValue(char c) {
  c = Upper(c);
  if (IsDigit(c)) return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

// The digits of the base from position i on, up to the first other character.
struct TDigitRun {
  uint32_t Low = 0;       // the value's low 32 bits (wrap-around)
  bool Beyond32 = false;  // the value needs more than 32 bits
  size_t End = 0;         // index after the last digit
};

TDigitRun ReadDigitRun(const std::string& s, size_t i, int base) {
  TDigitRun run;
  for (; i < s.size() && DigitValue(s[i]) < base; ++i) {
    const uint64_t next = uint64_t(run.Low) * uint64_t(base) + uint64_t(DigitValue(s[i]));
    if (next > std::numeric_limits<uint32_t>::max()) run.Beyond32 = true;
    run.Low = uint32_t(next);
  }
  run.End = i;
  return run;
}

}  // namespace

bool BaseDigitsCheck(const std::string& s, int base) {
  if (s.empty()) return false;
  for (char c : s)
    if (DigitValue(c) >= base) return false;
  return true;
}

int32_t ReadBaseDigits(const std::string& s, int base) {
  size_t i = s.find_first_not_of(' ');
  if (i == std::string::npos) return 0;
  if (base == 16 && s[i] == '$') ++i;
  return int32_t(ReadDigitRun(s, i, base).Low);
}

namespace {

constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();
constexpr int64_t kInt32Min = std::numeric_limits<int32_t>::min();

// The signed decimal integer of a sign (or none) followed by a digit run.
int64_t SignedValue(bool negative, const TDigitRun& run) {
  if (run.Beyond32) return negative ? kInt32Min - 1 : kInt32Max + 1;
  return negative ? -int64_t(run.Low) : int64_t(run.Low);
}

bool HasSign(const std::string& s) { return !s.empty() && (s[0] == '+' || s[0] == '-'); }

}  // namespace

int32_t ReadIntText(const std::string& s) {
  if (!IntCheck(s)) return 0;
  const int64_t v = SignedValue(s[0] == '-', ReadDigitRun(s, HasSign(s) ? 1 : 0, 10));
  return int32_t(std::clamp(v, kInt32Min, kInt32Max));
}

bool ReadWholeInt(const std::string& s, int32_t& v) {
  const size_t start = HasSign(s) ? 1 : 0;
  const TDigitRun run = ReadDigitRun(s, start, 10);
  if (run.End == start || run.End != s.size()) return false;
  const int64_t value = SignedValue(s[0] == '-', run);
  if (value < kInt32Min || value > kInt32Max) return false;
  v = int32_t(value);
  return true;
}

bool ReadWholeBase(const std::string& s, int base, int32_t& v) {
  const TDigitRun run = ReadDigitRun(s, 0, base);
  if (run.End != s.size() || run.Beyond32) return false;
  v = int32_t(run.Low);
  return true;
}

uint32_t LowBits32(double v) {
  if (!std::isfinite(v)) return 0;
  return uint32_t(uint64_t(host::Round(v)));
}

namespace {

int PrefixBase(char c) { return c == '$' ? 16 : (c == '%' ? 2 : (c == '&' ? 8 : 0)); }

}  // namespace

bool CheckText(const std::string& s, const TNumFormat& f) {
  switch (f.Format) {
    case itExp:
      return FloatScanCheck(s, f.Separators);
    case itFloat:
      return PlainDecimalCheck(s, f.Separators);
    case itFixPoint:
      return FixPointCheck(s, f.Separators, f.FixPointDecPlaces);
    case itInt:
      return IntCheck(s);
    case itHex:
      return BaseDigitsCheck(s, 16);
    case itOct:
      return BaseDigitsCheck(s, 8);
    case itBin:
      return BaseDigitsCheck(s, 2);
    case itDynamic:
      if (s.empty()) return false;
      if (int base = PrefixBase(s[0])) return BaseDigitsCheck(s.substr(1), base);
      return FloatScanCheck(s, f.Separators);
  }
  return false;
}

double ReadText(const std::string& s, const TNumFormat& f) {
  switch (f.Format) {
    case itExp:
    case itFloat:
    case itFixPoint:
      return FloatScanRead(s);
    case itInt:
      return ReadIntText(s);
    case itHex:
      return ReadBaseDigits(s, 16);
    case itOct:
      return ReadBaseDigits(s, 8);
    case itBin:
      return ReadBaseDigits(s, 2);
    case itDynamic:
      if (s.empty()) return 0;
      if (int base = PrefixBase(s[0])) return ReadBaseDigits(s.substr(1), base);
      return FloatScanRead(s);
  }
  return 0;
}

namespace {

// Scientific text in a field of digits + 8 characters with a four-digit exponent,
// shortened to two exponent digits; "*" throughout when those do not suffice.
std::string ExpFieldText(double v, int digits, char sep) {
  std::string s = FormatScientific(v, digits, 4, sep);
  const size_t width = size_t(digits) + 8;
  if (s.size() < width) s.insert(0, width - s.size(), ' ');
  const size_t first = s.size() - 4;  // the exponent's first digit
  const bool fits = s[first] == '0' && s[first + 1] == '0';
  s.erase(first, 2);
  if (!fits) s.assign(s.size(), '*');
  return s;
}

std::string LowBits(double v, int base, int digits) {
  return UIntToBase(LowBits32(v), base, digits);
}

}  // namespace

std::string WriteText(double v, const TNumFormat& f) {
  if (std::isnan(v)) v = 0;
  if (v > kMaxDouble) v = kMaxDouble;
  if (v < -kMaxDouble) v = -kMaxDouble;
  switch (f.Format) {
    case itExp:
      return ExpFieldText(v, f.SignificantDigits, f.WriteSeparator);
    case itFloat:
    case itFixPoint:
      return FormatFixed(v, f.FixPointDecPlaces, f.WriteSeparator);
    case itInt:
    case itDynamic:
      return std::to_string(host::Round(v));
    case itHex:
      return LowBits(v, 16, 8);
    case itOct:
      return LowBits(v, 8, 11);
    case itBin:
      return LowBits(v, 2, 32);
  }
  return "";
}

}  // namespace zel
