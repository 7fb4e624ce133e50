#include "selectors/ZEL_Colbut.h"

#include <algorithm>

#include "foundation/Zel_zelcolors.h"

namespace zel {

using namespace host;

namespace {
// Lighter than this is too light for white text.
constexpr int kDarkGray = 96;
}  // namespace

TColor HoverColor(TColor Color) {
  double h = 0, s = 0, l = 0;
  ColorToHSL(Color, h, s, l);
  l = l > 0.3 ? (l + 1) / 2 : l + 0.2;
  return HSLtoColor(h, s, std::min(l, 1.0));
}

TColorButton::TColorButton(TComponent* AOwner) : TCustomPanel(AOwner) {
  SetParentBackground(false);
  TCustomPanel::SetColor(FSavedColor);
}

void TColorButton::SetColor(TColor c) {
  FSavedColor = c;
  ShowFace();
}

void TColorButton::ShowFace() {
  TCustomPanel::SetColor(FHover ? HoverColor(FSavedColor) : FSavedColor);
}

void TColorButton::CMMouseEnter(TMessage& Message) {
  TCustomPanel::CMMouseEnter(Message);
  FHover = true;
  ShowFace();
}

void TColorButton::CMMouseLeave(TMessage& Message) {
  TCustomPanel::CMMouseLeave(Message);
  FHover = false;
  ShowFace();
}

void TColorButton::Click() {
  TCustomPanel::Click();
  if (!FColorDialog) return;
  FColorDialog->SetColor(FSavedColor);
  if (FColorDialog->Execute()) ApplyChosenColor(FColorDialog->Color());
}

// The caption stays readable on the new colour: the system text colour over a
// parent's background, otherwise white on dark colours and black on light ones.
void TColorButton::ApplyChosenColor(TColor c) {
  FHover = false;
  SetColor(c);
  if (ParentBackground())
    Font()->SetColor(clWindowText);
  else
    Font()->SetColor(ColorToGray(c) <= kDarkGray ? clWhite : clBlack);
  if (FOnChange) FOnChange(this);
}

}  // namespace zel
