// TSevenSeg: where the digits go.
#include <algorithm>

#include "numeric/ZEL_sevenseg.h"

namespace zel {

using namespace host;

// The stored Margin and InterDigDist may not fit the size in use (the control
// shrank after they were written, or Assign brought them from a bigger one):
// the margin keeps at least two pixels of height and width inside it, the gap
// leaves a digit at least one pixel. What remains may still be empty.
TSevenSeg::TLayout TSevenSeg::ComputeLayout(int Width, int Height, int NumDigits, int Margin,
                                            int InterDigDist) {
  TLayout l;
  l.Margin = std::max(0, std::min({Margin, Height / 2 - 1, Width / 2 - 1}));
  const int pitch = (Width - 2 * l.Margin) / std::max(1, NumDigits);
  l.InterDigDist = std::max(0, std::min(InterDigDist, pitch - 1));
  l.DigitWidth = pitch - l.InterDigDist;
  l.DigitHeight = Height - 2 * l.Margin;
  return l;
}

TRect TSevenSeg::TLayout::Digit(int j) const {
  const int left = Margin + j * (DigitWidth + InterDigDist);
  return Rect(left, Margin, left + DigitWidth, Margin + DigitHeight);
}

TRect TSevenSeg::TLayout::PointIn(const TRect& digit) const {
  return Rect(digit.Left + DigitWidth * 5 / 6, digit.Top + DigitHeight * 5 / 6, digit.Right,
              digit.Bottom);
}

}  // namespace zel
