#include "foundation/Zel_numscan.h"

#include <charconv>
#include <cstdint>
#include <limits>

namespace zel {

namespace {

constexpr double kMaxDouble = std::numeric_limits<double>::max();

enum TCharClass : uint8_t { ccSep, ccBlank, ccSign, ccDigit, ccE, ccOther };
enum TState : int8_t {
  stError = -1,
  stStart,
  stSign,
  stInteger,
  stPoint,
  stFraction,
  stExpMark,
  stExpSign,
  stExpDigits,
  stEnd
};

constexpr TState E = stError, D = stEnd;
// Rows: states start..exp digits; columns: the character classes.
constexpr TState kNext[8][6] = {
    {stPoint, stStart, stSign, stInteger, E, E},
    {stPoint, E, E, stInteger, E, E},
    {stPoint, D, D, stInteger, stExpMark, D},
    {E, D, D, stFraction, stExpMark, D},
    {E, D, D, stFraction, stExpMark, D},
    {E, E, stExpSign, stExpDigits, E, D},
    {E, E, E, stExpDigits, E, D},
    {D, D, D, stExpDigits, D, D},
};

bool IsBlank(char c, TScanSeparators seps) {
  return c == ' ' || (seps.TabsAreBlanks && (c == '\t' || c == '\r')) ||
         (seps.CommaIsBlank && c == ',');
}

TCharClass Classify(char c, TScanSeparators seps) {
  if (IsBlank(c, seps)) return ccBlank;
  if ((c == '.' && seps.Point) || (c == ',' && seps.Comma)) return ccSep;
  if (c == '+' || c == '-') return ccSign;
  if (c >= '0' && c <= '9') return ccDigit;
  if (c == 'E' || c == 'e') return ccE;
  return ccOther;
}

// The number text handed to the converter: short texts stay on the stack.
class TNumberText {
 public:
  void Push(char c) {
    if (FLen < sizeof FSmall) {
      FSmall[FLen++] = c;
      return;
    }
    if (FBig.empty()) FBig.assign(FSmall, FLen);
    FBig += c;
    ++FLen;
  }
  void Pop() {
    --FLen;
    if (!FBig.empty()) FBig.pop_back();
  }
  char Back() const { return Data()[FLen - 1]; }
  size_t Size() const { return FLen; }
  const char* Data() const { return FBig.empty() ? FSmall : FBig.data(); }

 private:
  char FSmall[120];
  size_t FLen = 0;
  std::string FBig;
};

// Where the value's leading digit lies, as a power of ten, to tell an
// overflow from an underflow when the converter gives up.
struct TMagnitude {
  int IntDigits = 0;     // significant digits before the point
  int LeadingZeros = 0;  // fraction zeros before the first significant digit
  bool SeenNonZero = false;
  int Exponent = 0;
  bool Overflows() const {
    const long mag = IntDigits > 0 ? IntDigits : -LeadingZeros;
    return mag + Exponent > 0;
  }
};

double Convert(TNumberText& text, const TMagnitude& mag) {
  // An exponent without digits ("1E", "1E-") counts as none.
  while (text.Size() > 0 && (text.Back() == 'E' || text.Back() == '+' || text.Back() == '-')) {
    const bool mark = text.Back() == 'E';
    text.Pop();
    if (mark) break;
  }
  if (text.Size() > 0 && text.Back() == '.') text.Push('0');
  const char* first = text.Data();
  const char* last = first + text.Size();
  if (first < last && *first == '+') ++first;
  const bool negative = first < last && *first == '-';
  double v = 0;
  const auto r = std::from_chars(first, last, v);
  if (r.ec == std::errc::result_out_of_range)
    v = mag.Overflows() ? kMaxDouble : 0.0;
  else if (r.ec != std::errc())
    return 0;
  if (r.ec == std::errc::result_out_of_range && negative) v = -v;
  if (v > kMaxDouble) return kMaxDouble;
  if (v < -kMaxDouble) return -kMaxDouble;
  return v;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Most numbers in real text are plain ("12.5", "-3e-2"): the converter can
// read them in place, and the automaton only has to agree on where they end.
// Anything else (commas, "+", dangling exponents, overlong or out-of-range
// texts) goes the full way.
bool ScanPlain(std::string_view Text, size_t Pos, TScanSeparators Seps, TNumScan& out) {
  constexpr size_t kPlainMax = 40;  // short enough that the exponent limit cannot matter
  if (!Seps.Point) return false;
  const size_t n = Text.size();
  size_t i = Pos;
  while (i < n && IsBlank(Text[i], Seps)) ++i;
  const size_t first = i;
  if (i < n && Text[i] == '-') ++i;
  if (i >= n || !(IsDigit(Text[i]) || Text[i] == '.')) return false;
  double v = 0;
  const char* begin = Text.data() + first;
  const auto r = std::from_chars(begin, Text.data() + n, v);
  if (r.ec != std::errc() || size_t(r.ptr - begin) > kPlainMax) return false;
  const size_t stop = size_t(r.ptr - Text.data());
  if (stop < n) {
    const char c = Text[stop];
    if (IsDigit(c) || c == 'e' || c == 'E' || c == '.' || (c == ',' && Seps.Comma)) return false;
  }
  out.Value = v;
  out.Stop = stop;
  out.Valid = true;
  return true;
}

}  // namespace

TNumScan ScanNumber(std::string_view Text, size_t Pos, TScanSeparators Seps) {
  TNumScan result;
  if (ScanPlain(Text, Pos, Seps, result)) return result;
  TNumberText text;
  TMagnitude mag;
  int expSign = 1, expAbs = 0;
  bool expFrozen = false;
  TState state = stStart;
  size_t i = Pos;
  for (;; ++i) {
    const char c = i < Text.size() ? Text[i] : (Seps.EndIsBlank ? ' ' : 'Z');
    const TCharClass cls = Classify(c, Seps);
    const TState next = kNext[state][cls];
    if (next == stError || next == stEnd) {
      result.Stop = i < Text.size() ? i : Text.size();
      if (next == stError) return result;
      break;
    }
    if (next == stExpDigits) {
      const int d = c - '0';
      if (!expFrozen && expAbs * 10 + d <= kScanMaxExponent) {
        expAbs = expAbs * 10 + d;
        text.Push(c);
      } else {
        expFrozen = true;
      }
    } else if (next != stStart) {
      if (next == stExpSign && c == '-') expSign = -1;
      if (next == stInteger && c != '0') mag.SeenNonZero = true;
      if (next == stInteger && mag.SeenNonZero) ++mag.IntDigits;
      if (next == stFraction && !mag.SeenNonZero) {
        if (c == '0')
          ++mag.LeadingZeros;
        else
          mag.SeenNonZero = true;
      }
      text.Push(cls == ccSep ? '.' : (cls == ccE ? 'E' : c));
    }
    state = next;
  }
  mag.Exponent = expSign * expAbs;
  result.Value = Convert(text, mag);
  result.Valid = true;
  return result;
}

namespace detail {

size_t FirstNumberStart(std::string_view Text) {
  for (size_t i = 0; i < Text.size(); ++i)
    if (StartsNumber(Text[i])) return i;
  return Text.size();
}

size_t NextNumberStart(std::string_view Text, size_t Pos, int& LineFeeds) {
  if (Pos >= Text.size()) return Text.size();
  // The character that ended the number is passed over, unless it is the line
  // feed itself (a number right before a bare LF), which must still count.
  if (Text[Pos] != '\n') ++Pos;
  for (; Pos < Text.size(); ++Pos) {
    if (Text[Pos] == '\n')
      ++LineFeeds;
    else if (StartsNumber(Text[Pos]))
      return Pos;
  }
  return Text.size();
}

}  // namespace detail

bool CountNumberGrid(std::string_view Text, int& NCols, int& NRows) {
  NCols = 1;
  NRows = 1;
  const TNumberGrid g = ScanNumberGrid(Text, false, [](int, int, double) {});
  if (!g.Any()) return false;
  // The widest row counts, the last one too when no line break ends it.
  NCols = g.MaxCol + 1;
  NRows = g.LineEnds + 1;
  return true;
}

}  // namespace zel
