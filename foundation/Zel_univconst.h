/// @file
/// Universal constants of the base library: numeric limits and the day and month
/// name tables, indexed by TLanguage.
#pragma once

#include <array>
#include <limits>
#include <numbers>

#include "foundation/Zel_zelbase.h"

namespace zel {

/// Largest value of a single-precision real: what survives storage as "real".
constexpr double uc_MaxReal = std::numeric_limits<float>::max();
/// Largest finite double.
constexpr double uc_MaxDouble = std::numeric_limits<double>::max();
/// Natural logarithm of 10.
constexpr double uc_ln10 = std::numbers::ln10;

/// Names in UTF-8, indexed [TLanguage][i]: seven short weekday names, Monday first;
/// twelve month names, January first. lgDefault carries the English names.
extern const std::array<std::array<const char*, 7>, kNumLanguages> WeekDayShort;
extern const std::array<std::array<const char*, 12>, kNumLanguages> MonthShort;
extern const std::array<std::array<const char*, 12>, kNumLanguages> MonthLong;

}  // namespace zel
