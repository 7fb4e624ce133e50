/// @file
/// The value model of the numeric input: checking its text buffer against an input
/// format, reading the buffer as a number and writing a number into it. These are
/// pure functions so that the control, its tests and the fuzz targets share them.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/Zel_numscan.h"

namespace zel {

/// Input formats of the numeric input (ordinals as stored).
enum TInFormat : uint8_t {
  itExp,       ///< floating point with optional exponent
  itFloat,     ///< floating point without exponent
  itFixPoint,  ///< exactly FixPointDecPlaces characters after the separator
  itInt,       ///< signed decimal integer
  itHex,       ///< unsigned 32-bit pattern, hexadecimal
  itOct,       ///< unsigned 32-bit pattern, octal
  itBin,       ///< unsigned 32-bit pattern, binary
  itDynamic    ///< decimal number, or "$" hexadecimal, "%" binary, "&" octal integer
};

/// The characters that count as decimal separator while checking.
struct TSepSet {
  bool Point = true;  ///< "." counts
  bool Comma = true;  ///< "," counts
  /// Whether c counts as a separator.
  bool Contains(char c) const { return (c == '.' && Point) || (c == ',' && Comma); }
};

/// Everything the checks, the readers and the writers depend on.
struct TNumFormat {
  TInFormat Format = itFloat;  ///< how the text is read and written
  int FixPointDecPlaces = 2;   ///< 1..15
  int SignificantDigits = 6;   ///< 1..15
  TSepSet Separators;          ///< the separators the check accepts
  /// The separator written into the buffer. The control keeps it one of the
  /// accepted separators, so that what it writes passes its own check.
  char WriteSeparator = '.';
};

/// Largest magnitude of an exponent the floating-point scanner takes (the
/// scanner is the base library's positional number scanner).
constexpr int kMaxExponent = kScanMaxExponent;

/// The floating-point scanner as a check: a number (sign, digits, separator,
/// fraction, "E", exponent sign, exponent digits) followed by anything. "1E" and
/// "1E+" pass, "E5" and "" do not; an exponent beyond 4200 fails.
bool FloatScanCheck(const std::string& s, TSepSet sep);
/// The floating-point scanner as a reader: either separator, 0 when the text is
/// no number, results clamped to the largest double.
double FloatScanRead(const std::string& s);
/// What the reader found at the start of a text.
struct TFloatScanResult {
  bool Number = false;  ///< the scan ended on a number
  size_t Used = 0;      ///< characters of the text that belong to it
  double Value = 0;     ///< 0 unless Number; clamped to the largest double
};
/// The floating-point reader with its choices open: only the separators of `sep`
/// count, and without `exponent` an "E" ends the number like any other character.
/// FloatScanRead is FloatScan(s, either separator, with exponent).Value.
TFloatScanResult FloatScan(const std::string& s, TSepSet sep, bool exponent);
/// Sign, digits, one separator, digits; every character must fit. "-", "." pass.
bool PlainDecimalCheck(const std::string& s, TSepSet sep);
/// The plain decimal check, and the 1-based position of the first separator (0
/// when there is none) must equal the length minus `decPlaces`: "12.34" passes
/// with 2 places, and so does "12", whose missing separator counts as position 0.
bool FixPointCheck(const std::string& s, TSepSet sep, int decPlaces);
/// "+", "-" or a digit, then digits only; a lone sign fails.
bool IntCheck(const std::string& s);
/// Not empty and every character a digit of the base (2, 8 or 16, either case).
bool BaseDigitsCheck(const std::string& s, int base);
/// Digits of the base after leading blanks (a leading "$" is skipped for base 16),
/// up to the first other character, accumulated as a signed 32-bit pattern with
/// wrap-around: eight F digits read as -1.
int32_t ReadBaseDigits(const std::string& s, int base);
/// A text passing IntCheck as an integer; beyond the 32-bit range it saturates
/// (2147483647 above, -2147483648 below); a text failing the check reads 0.
int32_t ReadIntText(const std::string& s);
/// Whole-text readers: true only when every character of `s` belongs to the
/// number and the number fits 32 bits; `v` is set only then.
///   ReadWholeInt: optional "+" or "-", then at least one decimal digit, within
///     -2147483648..2147483647.
///   ReadWholeBase: digits of the base (2, 8 or 16, either case), at most 32 bits
///     of value (leading zeros are free), read as a signed 32-bit pattern like
///     ReadBaseDigits; an empty text reads 0.
///@{
bool ReadWholeInt(const std::string& s, int32_t& v);
bool ReadWholeBase(const std::string& s, int base, int32_t& v);
///@}
/// The rounded value's low 32 bits, as the base formats write them; NaN and
/// infinities give 0.
uint32_t LowBits32(double v);

/// The check of the format.
bool CheckText(const std::string& s, const TNumFormat& f);
/// The buffer as a number in the format.
double ReadText(const std::string& s, const TNumFormat& f);
/// The buffer text of a number in the format. Infinite values are written as the
/// largest double; NaN as 0 (the control does not write NaN).
///   itExp: SignificantDigits digits, right-aligned in SignificantDigits + 8
///     characters with a two-digit exponent (" 1.23457E+05"); an exponent of three
///     or more digits gives a text of "*" only.
///   itFloat, itFixPoint: FixPointDecPlaces decimals.  itInt, itDynamic: rounded
///   decimal integer.  itHex, itOct, itBin: the rounded value's low 32 bits in
///   8, 11 or 32 digits.
std::string WriteText(double v, const TNumFormat& f);

}  // namespace zel
