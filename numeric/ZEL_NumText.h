/// @file
/// Number-to-text conversions shared by the numeric label and the numeric input.
/// They never depend on the process locale: the decimal separator is always a
/// parameter, and reading always takes "." (callers convert "," first).
#pragma once

#include <cstdint>
#include <string>

namespace zel {

/// How the numeric label turns its value into text (ordinals as stored).
enum TDisplay : uint8_t {
  dtFloat,      ///< Precision significant digits, fixed or scientific, zeros trimmed: 3.14, 1.5E+20
  dtFixP,       ///< fixed point with Precision decimals: 3.14
  dtExp,        ///< Precision digits in all, three exponent digits: 1.2E+003
  dtHex,        ///< rounded value in upper-case hexadecimal, "-" for negatives: FF, -1A
  dtZeroInt,    ///< rounded value with leading zeros to Precision digits: 0042, -0042
  dtInt,        ///< rounded value (halves to even): 42
  dtDateTime,   ///< days since 1899-12-30 formatted with DTFormat: Jan-05, 2024
  dtState,      ///< StateText as it is
  dtBin,        ///< rounded value in binary: 101, -101
  dtOct,        ///< rounded value in octal: 17, -17
  dtDeg,        ///< degrees with Precision decimals and the degree sign: 12.50°
  dtDegMin,     ///< whole degrees, minutes with Precision decimals: 12°30.00'
  dtDegMinSec,  ///< whole degrees and minutes, seconds with Precision decimals: 12°30'15.00"
  dtEEng,       ///< engineering notation, Precision decimals, exponent a multiple of 3: 12.35E+03
  dtEEngNoDP    ///< engineering notation without decimals: 12E+03
};

/// Fixed point with `decimals` decimals (0..15) and `sep` as separator; no leading
/// blanks; a result that rounds to zero carries no minus sign.
std::string FormatFixed(double v, int decimals, char sep = '.');
/// Scientific notation: `digits` significant digits (at least 1), "E", the
/// exponent's sign and at least `expDigits` exponent digits: 1.2E+003.
std::string FormatScientific(double v, int digits, int expDigits, char sep = '.');
/// General format: `digits` significant digits (0 counts as 1); fixed notation when
/// the value's integer digits do not exceed `digits` and its magnitude is at least
/// 0.00001, else scientific with at least two exponent digits; trailing zeros and
/// a trailing separator removed.
std::string FormatGeneral(double v, int digits, char sep = '.');
/// Engineering notation: mantissa 1 <= |m| < 1000 with `decimals` decimals, then
/// "E", sign and at least two exponent digits; the exponent is a multiple of 3.
std::string FormatEngineering(double v, int decimals, char sep = '.');
/// Degrees (fields 1), degrees and minutes (2) or degrees, minutes and seconds (3);
/// the last field carries `decimals` decimals, the others are whole numbers, and
/// minutes and seconds have two integer digits. A last field that rounds up to 60
/// carries into the field before it.
std::string FormatDegrees(double v, int fields, int decimals, char sep = '.');
/// Digits of v in base 2, 8 or 16 (upper case), left-padded with zeros to minDigits.
std::string UIntToBase(uint64_t v, int base, int minDigits = 1);
/// "NAN", "INF" or "-INF" for a value that is not finite; empty otherwise.
std::string NonFiniteText(double v);
/// Converts a decimal text with "." as separator and an optional exponent (the
/// whole text must be a number; leading blanks allowed). Out-of-range magnitudes
/// come back as +-infinity or 0, as the C library's conversion gives them.
/// Returns false, leaving `out` alone, when the text is no number.
bool ParseDecimalText(const std::string& s, double& out);

/// The settings of the label's number text.
struct TNumTextSettings {
  TDisplay DisplayType = dtFixP;  ///< how the value becomes text
  /// Decimals (dtFixP, dtDeg..., dtEEng), significant digits (dtFloat), digits in
  /// all (dtExp) or the zero-padded width (dtZeroInt).
  int Precision = 2;
  bool Comma = false;                     ///< "," instead of "." as decimal separator
  bool ForcePlusSign = false;             ///< a "+" before positive values
  std::string StateText = "undefined";    ///< the text of dtState
  std::string DTFormat = "mmm-dd, yyyy";  ///< the date-time format of dtDateTime
  /// Shown for a date-time value outside the years 1..9999.
  std::string OverflowIndicator = "*********";
};

/// The label's number text before OnBeforeDisplay and the width test: the text of
/// the display type, then (except for dtHex, dtDateTime, dtState and dtBin) every
/// separator made "," or "." by Comma and a "+" put before a positive value when
/// ForcePlusSign is set.
std::string NumberText(double Value, const TNumTextSettings& s);

}  // namespace zel
