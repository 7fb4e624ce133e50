// TProgBar: construction, settings, the colour table, the value text and Assign.
#include "instruments/ZEL_ProgBar.h"

#include <algorithm>

#include "foundation/Zel_captionbox.h"

namespace zel {

using namespace host;

namespace {

// One byte (at `shift`) of an end colour, moved the fraction x toward the other end.
TColor InterpolatedByte(TColor c0, TColor c1, int shift, double x) {
  const int b0 = int((c0 >> shift) & 0xFF), b1 = int((c1 >> shift) & 0xFF);
  return TColor(Trunc(b0 + (b1 - b0) * x) & 0xFF) << shift;
}

}  // namespace

TProgBar::TProgBar(TComponent* AOwner)
    : TGraphicControl(AOwner), FAuxBmp(std::make_unique<TBitmap>(10, 10)) {
  FColorTable[0] = 0xFF0000;
  FColorTable[kColorTableSize - 1] = 0x0000FF;
  FillColorTable();
  SetBounds(0, 0, 300, 28);
}

// Entries 1..1022 between the two ends. The ends are resolved first, so a
// system colour at an end blends like the colour it stands for.
void TProgBar::FillColorTable() {
  const TColor c0 = ColorToRGB(FColorTable[0]);
  const TColor c1 = ColorToRGB(FColorTable[kColorTableSize - 1]);
  for (int i = 1; i < kColorTableSize - 1; ++i) {
    const double x = std::clamp(i / double(kColorTableSize - 1), 0.0, 1.0);
    FColorTable[size_t(i)] = (InterpolatedByte(c0, c1, 16, x) | InterpolatedByte(c0, c1, 8, x) |
                              InterpolatedByte(c0, c1, 0, x)) &
                             0xFFFFFF;
  }
}

void TProgBar::SetPBarValue(double v) { Change(FValue, v); }
void TProgBar::SetPBarMin(double v) { Change(FMin, v); }
void TProgBar::SetPBarMax(double v) { Change(FMax, v); }

void TProgBar::SetRange(double A, double B) {
  FMin = std::min(A, B);
  FMax = std::max(A, B);
  Paint();
}

void TProgBar::SetDirection(TDirection d) { Change(FDirection, d); }
void TProgBar::SetColorGrad(bool on) { Change(FShowColorGradient, on); }
void TProgBar::SetColorMapMode(TColorMapping m) { Change(FColorMapMode, m); }

void TProgBar::SetColorMin(TColor c) {
  FColorTable[0] = c;
  FillColorTable();
  Paint();
}

void TProgBar::SetColorMax(TColor c) {
  FColorTable[kColorTableSize - 1] = c;
  FillColorTable();
  Paint();
}

TColor TProgBar::GetBarColorElem(int Index) const {
  if (Index < 0 || Index >= kColorTableSize) return 0;
  return FColorTable[size_t(Index)];
}

void TProgBar::SetBarColorElem(int Index, TColor Color) {
  if (Index >= 0 && Index < kColorTableSize) FColorTable[size_t(Index)] = Color;
}

void TProgBar::SetColorBakG(TColor c) { Change(FColorBackGnd, c); }
void TProgBar::SetColorMargin(TColor c) { Change(FColorMargin, c); }
void TProgBar::SetColorGrid(TColor c) { Change(FColorGrid, c); }
void TProgBar::SetGridDist(int d) { Change(FGridDist, d); }
void TProgBar::SetMarginLeft(int m) { Change(FMarginLeft, m); }
void TProgBar::SetMarginRight(int m) { Change(FMarginRight, m); }
void TProgBar::SetMarginTop(int m) { Change(FMarginTop, m); }
void TProgBar::SetMarginBottom(int m) { Change(FMarginBottom, m); }
void TProgBar::SetOuterFrameStyle(TFrameStyle s) { Change(FFrameStyleOuter, s); }
void TProgBar::SetInnerFrameStyle(TFrameStyle s) { Change(FFrameStyleInner, s); }

void TProgBar::SetColorScheme(TColorScheme s) {
  if (StoreColorScheme(s, FColorScheme, FColGrayLine, FColWhiteLine)) Paint();
}

void TProgBar::SetBakGndFile(const std::string& name) {
  if (name.empty()) {
    FBackGroundImg.clear();
  } else {
    // LoadFromFile leaves the picture as it was when it fails, so the old name
    // still describes what is drawn.
    try {
      FAuxBmp->LoadFromFile(name);
      FBackGroundImg = name;
    } catch (const std::exception&) {
    }
  }
  Paint();
}

void TProgBar::SetShowValue(bool v) {
  FTextVisible = v;
  Paint();
}

void TProgBar::SetTextPosX(int x) {
  FTextPosX = std::clamp(x, 0, std::max(Width(), 0));
  Paint();
}

void TProgBar::SetTextPosY(int y) {
  FTextPosY = std::clamp(y, 0, std::max(Height(), 0));
  Paint();
}

void TProgBar::SetAlignment(TAlignment a) { Change(FTextAlignment, a); }

void TProgBar::SetTextAngle(int a) {
  FTextAngle = std::clamp(a, 0, 360);
  Paint();
}

void TProgBar::SetTextDecPl(int d) {
  FTextDecPlaces = std::clamp(d, -2, 10);
  Paint();
}

std::string TProgBar::ValueText() {
  std::string text = ProgBarValueText(FValue, FTextDecPlaces);
  if (FOnShowValue) FOnShowValue(this, text);
  return text;
}

void TProgBar::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TProgBar*>(Source);
  if (!src) {
    TGraphicControl::Assign(Source);
    return;
  }
  FFrameStyleOuter = src->FFrameStyleOuter;
  FFrameStyleInner = src->FFrameStyleInner;
  FValue = src->FValue;
  FMin = src->FMin;
  FMax = src->FMax;
  FColorMargin = src->FColorMargin;
  FColBlackLine = src->FColBlackLine;
  FColGrayLine = src->FColGrayLine;
  FColWhiteLine = src->FColWhiteLine;
  FColorScheme = src->FColorScheme;
  FDirection = src->FDirection;
  FColorTable = src->FColorTable;
  FAuxBmp->Assign(src->FAuxBmp.get());
  FColorBackGnd = src->FColorBackGnd;
  FShowColorGradient = src->FShowColorGradient;
  FColorGrid = src->FColorGrid;
  FGridDist = src->FGridDist;
  FColorMapMode = src->FColorMapMode;
  FMarginLeft = src->FMarginLeft;
  FMarginRight = src->FMarginRight;
  FMarginTop = src->FMarginTop;
  FMarginBottom = src->FMarginBottom;
  FBackGroundImg = src->FBackGroundImg;
  FTextPosX = src->FTextPosX;
  FTextPosY = src->FTextPosY;
  FTextDecPlaces = src->FTextDecPlaces;
  FTextAngle = src->FTextAngle;
  FTextAlignment = src->FTextAlignment;
  FOnShowValue = src->FOnShowValue;
  FTextVisible = src->FTextVisible;
  Paint();
}

void TProgBar::AssignTo(TPersistent* Dest) {
  if (auto* dst = dynamic_cast<TProgBar*>(Dest))
    dst->Assign(this);
  else
    TGraphicControl::AssignTo(Dest);
}

}  // namespace zel
