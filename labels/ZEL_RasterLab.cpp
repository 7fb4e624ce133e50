// TRasterLab: construction, settings, the bit font, the automatic height and
// centring, and Assign.
#include "labels/ZEL_RasterLab.h"

#include <algorithm>
#include <cctype>

#include "host/ui/WindowTimer.h"

namespace zel {

using namespace host;

namespace {

// The font name that selects the built-in dots, in any case.
bool IsDefaultFontName(const std::string& name) {
  static const std::string kDefault = "default";
  return name.size() == kDefault.size() &&
         std::equal(name.begin(), name.end(), kDefault.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) == b;
         });
}

}  // namespace

TRasterLab::TRasterLab(TComponent* AOwner)
    : TFramedControl(AOwner),
      FCharMatrix(BuiltInCharMatrix()),
      FTimer(std::make_unique<TWindowTimer>([this] { Tick(); })) {
  SetControlStyle(TControlStyle(ControlStyle() | csOpaque));
  SetBounds(0, 0, 400, 68);
  Font()->SetName("default");
  Font()->SetSize(8);
  Relayout();
}

TRasterLab::~TRasterLab() = default;

bool TRasterLab::Designing() const { return ComponentState() & csDesigning; }

void TRasterLab::Relayout() { FRun = LayoutRasterRun(FCharMatrix, FText, Pitch(), FProportional); }

void TRasterLab::ApplyAutoSizing() {
  if (FAutoHeight) AdjustAutoHeight();
  if (FAutoCenter) AdjustAutoCenter();
}

void TRasterLab::SetText(const std::string& s) {
  if (s == FText) return;
  FText = s;
  Relayout();
  if (FAutoCenter) AdjustAutoCenter();
  Paint();
}

// A new dot size or spacing changes the pitch: the layout, the height and
// the centring follow.
void TRasterLab::ChangeDots(int& field, int v) {
  if (v == field) return;
  field = v;
  Relayout();
  ApplyAutoSizing();
  Paint();
}

void TRasterLab::SetDotSize(int v) { ChangeDots(FDotSize, std::clamp(v, 1, 32)); }
void TRasterLab::SetDotSpacing(int v) { ChangeDots(FDotSpacing, std::clamp(v, 0, 3)); }

void TRasterLab::SetPosX(int v) { Change(FPosX, v); }
void TRasterLab::SetPosY(int v) { Change(FPosY, v); }

void TRasterLab::SetProportional(bool v) {
  if (v == FProportional) return;
  FProportional = v;
  Relayout();
  if (FAutoCenter) AdjustAutoCenter();
  Paint();
}

void TRasterLab::SetCharBlockMode(TRDBlockMode m) { Change(FCharBlockMode, m); }
void TRasterLab::SetColorDotOn(TColor c) { Change(FColors.On, c); }
void TRasterLab::SetColorDotOff(TColor c) { Change(FColors.Off, c); }
void TRasterLab::SetColorLabBakG(TColor c) { Change(FColors.Back, c); }

void TRasterLab::SetAutoHeight(bool v) {
  if (v == FAutoHeight) return;
  FAutoHeight = v;
  if (v) AdjustAutoHeight();
  Paint();
}

void TRasterLab::SetAutoCenter(bool v) {
  if (v == FAutoCenter) return;
  FAutoCenter = v;
  if (v)
    AdjustAutoCenter();
  else
    FPosX = 1;
  Paint();
}

int TRasterLab::FrameWidth() const {
  switch (FrameStyle()) {
    case frSimple:
    case frLowered:
    case frRaised:
      return 1;
    case frEmbossed:
    case frEngraved:
      return 2;
    default:
      return 0;
  }
}

int TRasterLab::CalcTextBitLength(const std::string& s) const {
  if (s == FText) return FRun.BitLength - 1;
  return RasterTextWidth(FCharMatrix, s, Pitch(), FProportional);
}

void TRasterLab::AdjustAutoHeight() { SetHeight(FrameWidth() + Pitch() * FCharMatrix.FontHeight); }

void TRasterLab::AdjustAutoCenter() {
  FPosX = (Width() - CalcTextBitLength(FText)) / 2 + FrameWidth() + 1;
}

void TRasterLab::SetCharMatrix(const TRDCharMatrix& m) {
  FCharMatrix = ClampCharMatrix(m);
  Relayout();
  ApplyAutoSizing();
  Paint();
}

TRDCharMatrix TRasterLab::CreateBitFont(TFont* f) const {
  return IsDefaultFontName(f->Name()) ? BuiltInCharMatrix() : SampleCharMatrix(f);
}

void TRasterLab::CMFontChanged(TMessage&) {
  FCharMatrix = CreateBitFont(Font());
  Relayout();
  ApplyAutoSizing();
  Paint();
}

void TRasterLab::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TRasterLab*>(Source);
  if (!src) {
    TGraphicControl::Assign(Source);
    return;
  }
  AssignFrame(*src);
  FText = src->FText;
  FColors.Back = src->FColors.Back;
  FColors.On = src->FColors.On;
  Relayout();
  if (FAutoCenter) AdjustAutoCenter();
  Paint();
}

void TRasterLab::AssignTo(TPersistent* Dest) {
  if (auto* dst = dynamic_cast<TRasterLab*>(Dest))
    dst->Assign(this);
  else
    TGraphicControl::AssignTo(Dest);
}

}  // namespace zel
