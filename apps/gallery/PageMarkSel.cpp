// The "Instruments" page's band of mark selectors and gradient fills: a
// selector that highlights the mark under the pointer and names the mark
// chosen, one showing only some marks, and gradient fills in every direction
// and mode, with grids and frames.
#include <string>

#include "apps/gallery/Pages.h"
#include "instruments/ZEL_gradfl.h"
#include "instruments/ZEL_marksel.h"

namespace {

using namespace zel;

std::string SelectedText(int mark) {
  return mark < 0 ? "Selected mark: none" : "Selected mark: " + std::to_string(mark);
}

void BuildMarkSelectors(host::TWinControl* p) {
  gallery::Caption(p, 8, 4, "Mark selector (point, click, double click)");
  auto* sel = gallery::Add<TMarkSel>(p, 8, 24, 236, 178);
  sel->SetSelected(19);
  host::TLabel* shown = gallery::Caption(p, 8, 208, SelectedText(sel->Selected()));
  auto report = [shown](host::TObject*, int, int, int mark) {
    shown->SetCaption(SelectedText(mark));
  };
  sel->SetOnMarkClick(report);
  sel->SetOnMarkDblClick(report);

  gallery::Caption(p, 264, 4, "Open marks only, 6 x 4");
  auto* open = gallery::Add<TMarkSel>(p, 264, 24, 180, 120);
  open->SetNrOfColumns(6);
  open->SetNrOfRows(4);
  open->SetFrameStyle(frLowered);
  open->SetColorBackGnd(0xFFFFFF);
  open->SetColorMarks(0x804000);
  open->HideAllMarks();
  for (int m : {10, 11, 12, 16, 17, 18, 22, 23, 24, 28, 29, 30, 34, 35, 36, 40, 42, 46, 47, 48, 49})
    open->SetVis(m, true);
  open->SetSelected(17);
}

TGradFill* AddFill(host::TWinControl* p, int x, int y, TGradType t, const std::string& caption) {
  auto* g = gallery::Add<TGradFill>(p, x, y, 100, 100);
  g->SetFillType(t);
  gallery::Caption(p, x, y + 104, caption);
  return g;
}

void BuildGradients(host::TWinControl* p) {
  const int x0 = 470, dx = 150, y0 = 24, y1 = 150;
  gallery::Caption(p, x0, 4, "Gradient fills");
  AddFill(p, x0, y0, gtHoriz, "top to bottom");
  AddFill(p, x0 + dx, y0, gtVert, "left to right")->SetFrameStyle(frSimple);
  AddFill(p, x0 + 2 * dx, y0, gtMidBandHoriz, "mid band, stacked")->SetFrameStyle(frLowered);
  AddFill(p, x0 + 3 * dx, y0, gtMidBandVert, "mid band, columns")->SetFrameStyle(frRaised);

  TGradFill* rows = AddFill(p, x0, y1, gtHoriz, "grid: rows");
  rows->SetGridMode(gmHoriz);
  rows->SetColorFirst(0x402000);
  rows->SetColorLast(0xFFE0A0);
  TGradFill* cols = AddFill(p, x0 + dx, y1, gtVert, "grid: columns, 8 bands");
  cols->SetGridMode(gmVert);
  cols->SetNrColors(8);
  cols->SetFrameStyle(frEngraved);
  TGradFill* both = AddFill(p, x0 + 2 * dx, y1, gtMidBandHoriz, "grid: both, 5 bands");
  both->SetGridMode(gmBoth);
  both->SetNrColors(5);
  both->SetGridColor(0xFFFFFF);
  both->SetFrameStyle(frEmbossed);
  TGradFill* flipped = AddFill(p, x0 + 3 * dx, y1, gtMidBandVert, "flipped, 4 bands");
  flipped->SetColorFlipped(true);
  flipped->SetNrColors(4);
  flipped->SetFrameStyle(frLowered);
}

const bool registered = gallery::RegisterPage({"Instruments", [](host::TWinControl* parent) {
                                                 BuildMarkSelectors(parent);
                                                 BuildGradients(parent);
                                               }});

}  // namespace
