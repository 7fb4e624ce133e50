/// @file
/// Numeric helpers of the math library.
#pragma once

#include <string_view>

namespace zel {

/// True when Text is a decimal integer that fits in 32 bits: optional blanks, an
/// optional sign, at least one digit, optional blanks, and nothing else.
bool IsValidDecInt(std::string_view Text);

/// x rounded toward negative infinity (so IntNeg(-0.5) is -1, unlike Trunc).
/// Infinities and NaN come back unchanged.
double IntNeg(double x);

}  // namespace zel
