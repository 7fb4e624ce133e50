/// @file
/// Colour helpers of the base library: brightness, HSL conversion, mixing, and the
/// table of named colours the colour selector offers.
#pragma once

#include <array>

#include "host/gfx/Types.h"

namespace zel {

using host::TColor;

/// Grey level 0..255 of equal brightness, with the ITU-R BT.601 luma weights
/// 0.299 R + 0.587 G + 0.114 B, rounded. System colours are resolved first.
int ColorToGray(TColor Color);

/// Hue H in degrees 0 <= H < 360, saturation S and lightness L in 0..1 (the
/// double-cone HSL model). Greys have H = 0 and S = 0. System colours are resolved.
void ColorToHSL(TColor Color, double& H, double& S, double& L);
/// Inverse of ColorToHSL: H is taken modulo 360, S and L are clamped to 0..1 and
/// each channel is rounded to the nearest byte, so a round trip through both
/// functions returns every channel within 1.
TColor HSLtoColor(double H, double S, double L);

/// The colour half-way between C1 and C2, channel by channel (halves round up).
TColor MeanColor(TColor C1, TColor C2);

/// A colour with a human-readable name, as the colour selector lists them.
struct TPredefinedColor {
  TColor Color;
  const char* Name;
};

constexpr int kNumPredefinedColors = 47;
/// Entries 0..15: the 16 basic VGA colours (black, maroon, ... white); 16..19: money
/// green, sky blue, cream and medium grey; 20..46: 27 system colours, clScrollBar to
/// clInfoBk in index order, then clHotLight and clMenuHighlight (kept as 0xFF0000nn
/// so they follow the palette; ColorToRGB resolves them when drawn). The selector's palettes load
/// 0..15, 0..19, 0..46 and 20..46.
extern const std::array<TPredefinedColor, kNumPredefinedColors> PredefinedColors;

}  // namespace zel
