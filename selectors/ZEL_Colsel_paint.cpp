// TColSel: drawing one item (a colour bar, the edit mark, the name).
#include <cmath>

#include "selectors/ZEL_Colsel.h"

namespace zel {

using namespace host;

namespace {

constexpr TColor kSilver = 0xC0C0C0;
constexpr TColor kGrey = 0x808080;
// The edit mark needs this much bar to fit.
constexpr int kEditMarkMinBar = 12;
// Above this brightness the mark is drawn black, else white.
constexpr double kLightBar = 180;

double Brightness(TColor c) {
  c = ColorToRGB(c);
  const double r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
  return std::sqrt(r * r + b * b + 2 * g * g) / 2;
}

}  // namespace

void TColSel::DrawItem(int Index, const TRect& Rect, TOwnerDrawState /*State*/) {
  if (Index < 0 || Index >= FNumColors) return;
  TCanvas* c = Canvas();
  const TColor brush = c->Brush()->Color(), font = c->Font()->Color();
  const TSlot& s = FSlots[size_t(Index)];
  if (FColorBarWidth > 0) DrawColorBar(c, Rect, s);
  DrawEditMark(c, Rect, s);
  DrawName(c, Rect, s);
  c->Brush()->SetColor(brush);
  c->Font()->SetColor(font);
}

void TColSel::DrawColorBar(TCanvas* c, const TRect& r, const TSlot& s) const {
  const int right = r.Left + 3 + FColorBarWidth;
  if (FOwnEnabled) {
    c->Brush()->SetColor(s.Color);
  } else {
    c->Pen()->SetColor(kSilver);
    c->Brush()->SetColor(kSilver);
    c->Rectangle(r.Left - 1, r.Top - 1, right, r.Bottom + 1);
    c->Pen()->SetColor(kGrey);
  }
  c->Rectangle(r.Left + 3, r.Top + 2, right, r.Bottom - 2);
}

// A small page outline inside the bar, in the colour that shows on it.
void TColSel::DrawEditMark(TCanvas* c, const TRect& r, const TSlot& s) const {
  if (!s.AllowEdit || FColorBarWidth < kEditMarkMinBar || !FOwnEnabled) return;
  const int L = r.Left, T = r.Top, B = r.Bottom;
  c->Pen()->SetColor(Brightness(s.Color) <= kLightBar ? clWhite : clBlack);
  c->Polyline({{L + 5, T + 4},
               {L + 5, B - 5},
               {L + 8, B - 5},
               {L + 11, B - 8},
               {L + 11, T + 7},
               {L + 8, T + 4},
               {L + 5, T + 4}});
  c->Pen()->SetColor(clBlack);
}

void TColSel::DrawName(TCanvas* c, TRect r, const TSlot& s) const {
  c->Font()->SetColor(FOwnEnabled ? clBlack : kGrey);
  c->Brush()->SetColor(FOwnEnabled ? Color() : kSilver);
  r.Left += 3 + FColorBarWidth;
  c->TextRect(r, r.Left + 3, r.Top + (r.Bottom - r.Top - c->TextHeight(s.Name)) / 2, s.Name);
}

}  // namespace zel
