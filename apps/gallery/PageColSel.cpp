// The colour selectors' band of the "Selectors" page: one selector for each
// palette, one whose colours the user can redefine (press the colour bar),
// a disabled one, and colour buttons that open the colour dialog. A line at
// the bottom tells what was chosen last.
#include <string>

#include "apps/gallery/Pages.h"
#include "host/widgets/Dialogs.h"
#include "selectors/ZEL_Colbut.h"
#include "selectors/ZEL_Colsel.h"

namespace {

using namespace zel;
using gallery::Add;
using gallery::Caption;

constexpr int kRow = 32;
constexpr int kBoxLeft = 150;

TColSel* AddSelector(host::TWinControl* p, int y, const std::string& caption,
                     void (TColSel::*load)()) {
  Caption(p, 8, y + 4, caption);
  auto* s = Add<TColSel>(p, kBoxLeft, y, 190, 0);
  (s->*load)();
  return s;
}

void BuildSelectors(host::TWinControl* p, host::TLabel* status) {
  Caption(p, 8, 4, "Colour selectors")->Font()->SetStyle(host::fsBold);
  int y = 26;
  AddSelector(p, y, "basic VGA (16)", &TColSel::LoadBasicVGAPalette);
  AddSelector(p, y += kRow, "extended (20)", &TColSel::LoadExtendedPalette);
  TColSel* standard = AddSelector(p, y += kRow, "standard (47)", &TColSel::LoadStandardPalette);
  standard->SetDropDownCount(12);
  standard->SetSelColor(host::clTeal);
  TColSel* system =
      AddSelector(p, y += kRow, "system colours (27)", &TColSel::LoadWindowsSystemPalette);
  system->SetSelColor(host::clInfoBk);
  TColSel* editable =
      AddSelector(p, y += kRow, "editable (press the bar)", &TColSel::LoadExtendedPalette);
  editable->SetAllColorEditFlags();
  editable->SetColorBarWidth(44);
  editable->SetSelColor(host::clSkyBlue);
  TColSel* off = AddSelector(p, y += kRow, "disabled", &TColSel::LoadBasicVGAPalette);
  off->SetSelColor(host::clRed);
  off->SetEnabled(false);
  for (TColSel* s : {standard, system, editable}) {
    s->SetOnChange(
        [s, status](host::TObject*) { status->SetCaption("selected: " + s->GetSelColorID()); });
  }
}

void BuildButtons(host::TWinControl* p, host::TLabel* status) {
  Caption(p, 380, 4, "Colour buttons")->Font()->SetStyle(host::fsBold);
  auto* dialog = new host::TColorDialog(p->Owner());
  const struct {
    host::TColor Color, Text;
    const char* Caption;
  } looks[] = {{host::RGB(40, 60, 140), host::clWhite, "deep blue"},
               {host::RGB(250, 230, 120), host::clBlack, "pale yellow"}};
  int y = 26;
  for (const auto& look : looks) {
    auto* b = Add<TColorButton>(p, 380, y, 150, 44);
    b->SetColor(look.Color);
    b->Font()->SetColor(look.Text);
    b->SetCaption(look.Caption);
    b->SetColorDialog(dialog);
    b->SetOnChange([b, status](host::TObject*) {
      status->SetCaption("button colour: " + host::ColorToString(b->ButtonColor()));
    });
    y += 54;
  }
  Caption(p, 380, y, "Point at a button, click it.");
}

const bool registered = gallery::RegisterPage({"Selectors", [](host::TWinControl* parent) {
                                                 auto* status =
                                                     Caption(parent, 8, 226, "Choose a colour.");
                                                 BuildSelectors(parent, status);
                                                 BuildButtons(parent, status);
                                               }});

}  // namespace
