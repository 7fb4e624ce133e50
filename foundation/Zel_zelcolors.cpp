#include "foundation/Zel_zelcolors.h"

#include <algorithm>
#include <cmath>

namespace zel {

namespace {

uint8_t ToByte(double unit) { return uint8_t(std::lround(std::clamp(unit, 0.0, 1.0) * 255.0)); }

// One channel of HSL to RGB: p and q are the cone's lower and upper values, t the
// hue shifted for the channel, in turns (0..1).
double HueToChannel(double p, double q, double t) {
  if (t < 0) t += 1;
  if (t > 1) t -= 1;
  if (t < 1.0 / 6) return p + (q - p) * 6 * t;
  if (t < 1.0 / 2) return q;
  if (t < 2.0 / 3) return p + (q - p) * (2.0 / 3 - t) * 6;
  return p;
}

}  // namespace

int ColorToGray(TColor Color) {
  const TColor c = host::ColorToRGB(Color);
  return int(std::lround(0.299 * host::GetRValue(c) + 0.587 * host::GetGValue(c) +
                         0.114 * host::GetBValue(c)));
}

void ColorToHSL(TColor Color, double& H, double& S, double& L) {
  const TColor c = host::ColorToRGB(Color);
  const double r = host::GetRValue(c) / 255.0, g = host::GetGValue(c) / 255.0,
               b = host::GetBValue(c) / 255.0;
  const double hi = std::max({r, g, b}), lo = std::min({r, g, b});
  L = (hi + lo) / 2;
  const double d = hi - lo;
  if (d <= 0) {
    H = 0;
    S = 0;
    return;
  }
  S = L > 0.5 ? d / (2 - hi - lo) : d / (hi + lo);
  double h;
  if (hi == r)
    h = (g - b) / d + (g < b ? 6 : 0);
  else if (hi == g)
    h = (b - r) / d + 2;
  else
    h = (r - g) / d + 4;
  H = h * 60;
  if (H >= 360) H -= 360;
}

TColor HSLtoColor(double H, double S, double L) {
  S = std::clamp(std::isnan(S) ? 0.0 : S, 0.0, 1.0);
  L = std::clamp(std::isnan(L) ? 0.0 : L, 0.0, 1.0);
  if (S == 0 || !std::isfinite(H)) return host::RGB(ToByte(L), ToByte(L), ToByte(L));
  double t = std::fmod(H, 360.0) / 360.0;
  if (t < 0) t += 1;
  const double q = L < 0.5 ? L * (1 + S) : L + S - L * S;
  const double p = 2 * L - q;
  return host::RGB(ToByte(HueToChannel(p, q, t + 1.0 / 3)), ToByte(HueToChannel(p, q, t)),
                   ToByte(HueToChannel(p, q, t - 1.0 / 3)));
}

TColor MeanColor(TColor C1, TColor C2) {
  const TColor a = host::ColorToRGB(C1), b = host::ColorToRGB(C2);
  auto mid = [](uint8_t x, uint8_t y) { return uint8_t((x + y + 1) / 2); };
  return host::RGB(mid(host::GetRValue(a), host::GetRValue(b)),
                   mid(host::GetGValue(a), host::GetGValue(b)),
                   mid(host::GetBValue(a), host::GetBValue(b)));
}

const std::array<TPredefinedColor, kNumPredefinedColors> PredefinedColors = {{
    {host::clBlack, "Black"},
    {host::clMaroon, "Maroon"},
    {host::clGreen, "Green"},
    {host::clOlive, "Olive"},
    {host::clNavy, "Navy"},
    {host::clPurple, "Purple"},
    {host::clTeal, "Teal"},
    {host::clGray, "Gray"},
    {host::clSilver, "Silver"},
    {host::clRed, "Red"},
    {host::clLime, "Lime"},
    {host::clYellow, "Yellow"},
    {host::clBlue, "Blue"},
    {host::clFuchsia, "Fuchsia"},
    {host::clAqua, "Aqua"},
    {host::clWhite, "White"},
    {host::clMoneyGreen, "Money Green"},
    {host::clSkyBlue, "Sky Blue"},
    {host::clCream, "Cream"},
    {host::clMedGray, "Medium Gray"},
    {host::clScrollBar, "Scroll Bar"},
    {host::clBackground, "Desktop"},
    {host::clActiveCaption, "Active Caption"},
    {host::clInactiveCaption, "Inactive Caption"},
    {host::clMenu, "Menu"},
    {host::clWindow, "Window"},
    {host::clWindowFrame, "Window Frame"},
    {host::clMenuText, "Menu Text"},
    {host::clWindowText, "Window Text"},
    {host::clCaptionText, "Caption Text"},
    {host::clActiveBorder, "Active Border"},
    {host::clInactiveBorder, "Inactive Border"},
    {host::clAppWorkSpace, "Application Workspace"},
    {host::clHighlight, "Highlight"},
    {host::clHighlightText, "Highlight Text"},
    {host::clBtnFace, "Button Face"},
    {host::clBtnShadow, "Button Shadow"},
    {host::clGrayText, "Gray Text"},
    {host::clBtnText, "Button Text"},
    {host::clInactiveCaptionText, "Inactive Caption Text"},
    {host::clBtnHighlight, "Button Highlight"},
    {host::cl3DDkShadow, "3D Dark Shadow"},
    {host::cl3DLight, "3D Light"},
    {host::clInfoText, "Info Text"},
    {host::clInfoBk, "Info Background"},
    {host::clHotLight, "Hot Light"},
    {host::clMenuHighlight, "Menu Highlight"},
}};

}  // namespace zel
