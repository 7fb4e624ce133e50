/// @file
/// The texts of the table editor's cells, as pure functions so that they can be
/// tested and measured without a window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zel {

/// A value as the table editor shows it, in a field of at least Width characters
/// (1..20) with Precision (-1..10):
/// - Precision 0..8 and a value that fits the fixed field (|x| >= 10^-d or x = 0,
///   and |x| at most 999999999, 9999999.9, 999999.99 .. 0.99999999 for d = 0..8,
///   i.e. 10^(8-d) - 10^-d from one decimal on): fixed notation with that many decimals,
///   right-aligned, "." as decimal point, no thousands separators.
/// - Anything else: exponent notation "d.dddE+dd", Width + 6 characters wide
///   (one more for the minus sign of a negative value at Width 1, which keeps at
///   least one mantissa digit). The mantissa takes as many digits as fit; an
///   exponent that needs more than two digits turns every character into "*",
///   so a column never shows a misleading short exponent.
/// Infinities and NaN read "+Inf", "-Inf" and "NaN", right-aligned in the same
/// field as the exponent form.
std::string FormatTableNumber(double x, int Width, int Precision);

/// The integer a category code is read from: x rounded half to even, or nothing
/// when x is NaN, infinite or beyond the int range (so it can never be taken for
/// a category by accident).
std::optional<int> RoundToInt(double x);

/// The text of a categorical cell: Name when the rounded value is a category
/// code 1..150 with a name (NameOf gives it), else the scale type's name, ":"
/// and the value (the integer, or the shortest decimal text for a value that has
/// none).
template <typename NameOf>
std::string CategoryCellText(double x, const std::string& ScaleTypeName, NameOf nameOf);

/// The text of a cell whose value has no category name: the scale type's
/// name, ":" and the value.
std::string CategoryFallbackText(double x, const std::string& ScaleTypeName);

template <typename NameOf>
std::string CategoryCellText(double x, const std::string& ScaleTypeName, NameOf nameOf) {
  const std::optional<int> n = RoundToInt(x);
  if (n && *n >= 1 && *n <= 150) {
    std::string name = nameOf(*n);
    if (!name.empty()) return name;
  }
  return CategoryFallbackText(x, ScaleTypeName);
}

}  // namespace zel
