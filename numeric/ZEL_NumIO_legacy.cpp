// TNumIO: construction, settings, the conversion, the change check and the
// value property.
#include <algorithm>
#include <cmath>

#include "foundation/Zel_univconst.h"
#include "host/ui/FormatSettings.h"
#include "host/ui/Messages.h"
#include "host/ui/Windows.h"
#include "numeric/ZEL_NumIO.h"
#include "numeric/ZEL_NumText.h"

namespace zel {

using namespace host;

namespace {

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return s;
}

bool IsLoneSign(const std::string& s) { return s == "+" || s == "-"; }

// An exponent still being typed ("1e", "1e+", "1e-") counts as none, so the
// user can go on typing its digits.
std::string WithoutOpenExponent(std::string s) {
  const size_t e = s.find('e');
  if (e == std::string::npos) return s;
  const std::string tail = s.substr(e);
  if (tail == "e" || tail == "e+" || tail == "e-") s.erase(e);
  return s;
}

bool ReadFloat(const std::string& s, TSepSet sep, bool exponent, double& v) {
  const TFloatScanResult r = FloatScan(s, sep, exponent);
  if (!r.Number || r.Used != s.size()) return false;
  v = r.Value;
  return true;
}

bool ReadInt(const std::string& s, double& v) {
  int32_t i = 0;
  if (!ReadWholeInt(s, i)) return false;
  v = i;
  return true;
}

bool ReadBase(const std::string& s, int base, double& v) {
  int32_t i = 0;
  if (!ReadWholeBase(s, base, i)) return false;
  v = i;
  return true;
}

// The format an itDynamic text stands for: "$" hexadecimal, "%" binary, "&"
// octal (the prefix is taken off s), anything else a number with exponent.
TInFormat DynamicFormat(std::string& s) {
  const char prefix = s.empty() ? ' ' : s[0];
  const TInFormat f =
      prefix == '$' ? itHex : (prefix == '%' ? itBin : (prefix == '&' ? itOct : itExp));
  if (f != itExp) s.erase(0, 1);
  return f;
}

}  // namespace

TNumIO::TNumIO(TComponent* AOwner) : TCustomEdit(AOwner) {
  SetBounds(0, 0, 121, 21);
  if (ComponentState() & csDesigning) {
    FRangeLow = -uc_MaxDouble;
    FRangeHigh = uc_MaxDouble;
  }
}

// --- settings

TSepSet TNumIO::Separators() const {
  switch (FDecPlaceSep) {
    case dpsPoint:
      return {true, false};
    case dpsComma:
      return {false, true};
    case dpsEither:
      return {true, true};
    case dpsLocale:
      break;
  }
  const bool comma = FormatSettings().DecimalSeparator == ',';
  return {!comma, comma};
}

char TNumIO::WriteSeparator() const { return Separators().Point ? '.' : ','; }

void TNumIO::Recheck() {
  FLastAccepted.clear();
  if (!(ComponentState() & csDesigning)) CheckChange(false);
}

void TNumIO::SetInputFormat(TInFormat f) {
  if (f == FInputFormat) return;
  FInputFormat = f;
  Recheck();
}

void TNumIO::SetFixPointDecPlaces(int n) { FFixPointDecPlaces = std::clamp(n, 1, 8); }

void TNumIO::SetDecPlaceSep(TDecPSep s) {
  if (s == FDecPlaceSep) return;
  FDecPlaceSep = s;
  Recheck();
}

void TNumIO::SetRangeLow(double v) {
  if (std::isnan(v)) return;
  if (v < FRangeHigh) {
    FRangeLow = v;
  } else {
    FRangeLow = FRangeHigh;
    FRangeHigh = v;
  }
  Recheck();
}

void TNumIO::SetRangeHigh(double v) {
  if (std::isnan(v)) return;
  if (FRangeLow >= v) {
    FRangeHigh = FRangeLow;
    FRangeLow = v;
  } else {
    FRangeHigh = v;
  }
  Recheck();
}

void TNumIO::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TNumIO*>(Source);
  if (!src) {
    TCustomEdit::Assign(Source);
    return;
  }
  FInputFormat = src->FInputFormat;
  FBeep = src->FBeep;
  FRangeLow = src->FRangeLow;
  FRangeHigh = src->FRangeHigh;
  FDecPlaceSep = src->FDecPlaceSep;
  Invalidate();
}

void TNumIO::AssignTo(TPersistent* Dest) {
  if (auto* dst = dynamic_cast<TNumIO*>(Dest))
    dst->Assign(this);
  else
    TCustomEdit::AssignTo(Dest);
}

// --- conversion

bool TNumIO::ConvertNumString(const std::string& Text, double& Value) const {
  if (Text.empty()) return false;
  Value = 0;
  const size_t start = Text.find_first_not_of(' ');
  if (start == std::string::npos) return true;
  std::string s = Lower(Text.substr(start));
  if (s.find(' ') != std::string::npos) return false;
  const TInFormat format = FInputFormat == itDynamic ? DynamicFormat(s) : FInputFormat;
  switch (format) {
    case itHex:
      return ReadBase(s, 16, Value);
    case itOct:
      return ReadBase(s, 8, Value);
    case itBin:
      return ReadBase(s, 2, Value);
    case itInt:
      return IsLoneSign(s) || ReadInt(s, Value);
    case itExp:
      return IsLoneSign(s) || ReadFloat(WithoutOpenExponent(s), Separators(), true, Value);
    default:
      return IsLoneSign(s) || ReadFloat(s, Separators(), false, Value);
  }
}

// --- the change check

void TNumIO::SetEditText(const std::string& Text) {
  // Raised only for the change SetText makes now: when the text is already
  // this one, no change follows to lower it.
  FInternalChange = true;
  SetText(Text);
  FInternalChange = false;
  FLastAccepted = Text;
}

void TNumIO::PutText(const std::string& text, int caret) {
  SetEditText(text);
  SetSelStart(std::max(0, caret));
}

void TNumIO::Change() {
  if (FInternalChange) return;
  if (ComponentState() & csDesigning)
    TCustomEdit::Change();
  else
    CheckChange(true);
}

bool TNumIO::InRange(double v) const { return v == 0 || (FRangeLow <= v && v <= FRangeHigh); }

bool TNumIO::FixPointPrecheck(std::string& text, int& caret) const {
  const std::string seps =
      std::string(Separators().Point ? "." : "") + (Separators().Comma ? "," : "");
  const size_t first = text.find_first_of(seps);
  // A box that has accepted nothing yet has nothing to put back: its first
  // digits are read and written with their decimals instead.
  if (first == std::string::npos && FLastAccepted.empty()) return true;
  if (first == std::string::npos || text.find_first_of(seps, first + 1) != std::string::npos) {
    caret = int(std::min(FLastAccepted.find_first_of(seps), FLastAccepted.size()));
    return false;
  }
  const size_t decimals = text.size() - first - 1;
  if (decimals > size_t(FFixPointDecPlaces)) text.resize(first + 1 + size_t(FFixPointDecPlaces));
  return true;
}

void TNumIO::Refuse(int caret, bool beep) {
  PutText(FLastAccepted, caret);
  Update();
  if (beep && FBeep) MessageBeep(0);
}

void TNumIO::CheckChange(bool byUser) {
  std::string text = Text();
  const int caret = CaretPos();
  if (FInputFormat == itFixPoint) {
    int putBackCaret = caret;
    if (!FixPointPrecheck(text, putBackCaret)) return Refuse(putBackCaret, byUser);
  }
  double v = 0;
  if (!ConvertNumString(text, v) || !InRange(v)) return Refuse(caret - 1, byUser);
  if (FInputFormat == itFixPoint) {
    // Written with the separator the user typed (one the setting accepts).
    const size_t sep = text.find_first_of(".,");
    text =
        FormatFixed(v, FFixPointDecPlaces, sep == std::string::npos ? WriteSeparator() : text[sep]);
  }
  if (text != Text())
    PutText(text, caret);
  else
    FLastAccepted = text;
  TCustomEdit::Change();
}

// --- the value

double TNumIO::GetLabValue() const {
  std::string s = Text();
  // The other separator character stands for the accepted one, so a text
  // written with "." reads under a comma setting and the other way round.
  const TSepSet sep = Separators();
  if (!(sep.Point && sep.Comma)) {
    const char wanted = sep.Point ? '.' : ',';
    const size_t other = s.find(wanted == '.' ? ',' : '.');
    if (other != std::string::npos) s[other] = wanted;
  }
  if (!s.empty() && (s.back() == '.' || s.back() == ',')) s += '0';
  double v = 0;
  return ConvertNumString(s, v) ? v : 0;
}

void TNumIO::SetLabValue(double x) {
  const char sep = WriteSeparator();
  switch (FInputFormat) {
    case itFloat:
      return SetEditText(FormatFixed(x, 8, sep));
    case itFixPoint:
      return SetEditText(FormatFixed(x, FFixPointDecPlaces, sep));
    case itInt:
      return SetEditText(FormatFixed(std::isfinite(x) ? x : 0, 0, sep));
    case itHex:
      return SetEditText(UIntToBase(LowBits32(x), 16, 8));
    case itOct:
      return SetEditText(UIntToBase(LowBits32(x), 8, 8));
    case itBin:
      return SetEditText(UIntToBase(LowBits32(x), 2, 8));
    case itExp:
    case itDynamic:
      break;
  }
  TNumFormat f;
  f.Format = itExp;
  f.SignificantDigits = 6;
  f.WriteSeparator = sep;
  SetEditText(WriteText(x, f));
}

}  // namespace zel
