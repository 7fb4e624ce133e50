// The progress bars' band of the "Instruments" page: one colour and the three
// colour mappings, both drawing directions (and the two that draw no bar), a
// grid, value texts with decimals and at an angle, and one bar that counts.
#include "apps/gallery/Pages.h"
#include "instruments/ZEL_ProgBar.h"

namespace {

using namespace zel;

constexpr int kLeft = 150;  // of the horizontal bars, right of their captions
constexpr int kRow = 36;

TProgBar* AddBar(host::TWinControl* p, int x, int y, int w, int h, double value) {
  auto* b = gallery::Add<TProgBar>(p, x, y, w, h);
  b->SetPBarValue(value);
  return b;
}

TProgBar* AddRow(host::TWinControl* p, int y, const std::string& caption, double value) {
  gallery::Caption(p, 8, y + 7, caption);
  TProgBar* b = AddBar(p, kLeft, y, 300, 28, value);
  b->SetTextPosX(150);
  return b;
}

TProgBar* Gradient(TProgBar* b, TColorMapping m) {
  b->SetColorGrad(true);
  b->SetColorMapMode(m);
  return b;
}

// Left: horizontal bars (drRight), one look each.
void BuildHorizontal(host::TWinControl* p) {
  gallery::Caption(p, 8, 4, "Progress bars");
  int y = 24;
  AddRow(p, y, "one colour", 35);
  Gradient(AddRow(p, y += kRow, "cover", 60), cgmCover);
  Gradient(AddRow(p, y += kRow, "stretch", 60), cgmStretch);
  Gradient(AddRow(p, y += kRow, "move", 60), cgmMove);
  TProgBar* grid = Gradient(AddRow(p, y += kRow, "cover, grid 10", 75), cgmCover);
  grid->SetGridDist(10);
  grid->SetShowValue(false);
  TProgBar* dec = AddRow(p, y += kRow, "3 decimals, right", 42.125);
  dec->SetTextDecPl(3);
  dec->SetTextAlignment(host::taRightJustify);
  dec->SetTextPosX(292);
  dec->SetColorMin(0x00A000);
  TProgBar* sci = AddRow(p, y += kRow, "scientific", 12345);
  sci->SetRange(0, 20000);
  sci->SetTextDecPl(-1);
  sci->SetOuterFrameStyle(frEngraved);
  sci->SetInnerFrameStyle(frSimple);
  TProgBar* turned = AddBar(p, kLeft, y += kRow, 300, 44, 64.5);
  gallery::Caption(p, 8, y + 15, "text at 12 degrees");
  turned->SetTextDecPl(1);
  turned->SetTextAngle(12);
  turned->SetTextPosX(150);
  turned->SetTextPosY(22);
  turned->Font()->SetSize(12);
  y += 44 - kRow;
  // Counts by itself from 0 and starts again after 100.
  TProgBar* counting = Gradient(AddRow(p, y += kRow, "auto-increment", 0), cgmMove);
  counting->SetStartInterval(500);
  counting->SetRepeatInterval(60);
  counting->SetOnAutoInc([counting](host::TObject*) {
    if (counting->Value() > counting->Max()) counting->SetPBarValue(counting->Min());
  });
  counting->SetAutoInc(true);
  AddRow(p, y += kRow, "drDown: no bar", 60)->SetDirection(drDown);
  AddRow(p, y += kRow, "drLeft: no bar", 60)->SetDirection(drLeft);
}

// Right: vertical bars (drUp) in the three mappings, one with a grid, and
// their values turned to read upward.
void BuildVertical(host::TWinControl* p) {
  const int x0 = kLeft + 330, top = 24, h = 11 * kRow + 8 - 28;
  const TColorMapping maps[] = {cgmCover, cgmStretch, cgmMove};
  const char* names[] = {"cover", "stretch", "move"};
  for (int i = 0; i < 3; ++i) {
    const int x = x0 + i * 76;
    gallery::Caption(p, x, top + h + 6, names[i]);
    TProgBar* b = Gradient(AddBar(p, x, top, 56, h, 70), maps[i]);
    b->SetDirection(drUp);
    b->SetColorMin(0x00B000);
    b->SetColorMax(0x0000E0);
    b->SetTextAngle(90);
    b->SetTextPosX(28);
    b->SetTextPosY(h / 2);
    if (i == 0) b->SetGridDist(8);
  }
  TProgBar* plain = AddBar(p, x0 + 3 * 76, top, 36, h, 30);
  plain->SetDirection(drUp);
  plain->SetShowValue(false);
  gallery::Caption(p, x0 + 3 * 76, top + h + 6, "one colour");
}

const bool registered = gallery::RegisterPage({"Instruments", [](host::TWinControl* parent) {
                                                 BuildHorizontal(parent);
                                                 BuildVertical(parent);
                                               }});

}  // namespace
