// The grid and the popup menu on the "Host widgets" page: an editable string
// grid with fixed header cells and a column whose values come from a pick
// list, and a right-click menu with accelerators, a check item, a bitmap, a
// disabled item and a submenu that act on the grid.
#include "apps/gallery/Gallery.h"
#include "apps/gallery/Pages.h"
#include "host/grid/Grids.h"
#include "host/ui/Clipbrd.h"
#include "host/widgets/Menus.h"

namespace {

using namespace host;

const char* const kUnits[] = {"V", "mV", "A", "mA", "Ohm", "Hz"};

// Column 3 offers the units as a pick list.
class TUnitGrid : public TStringGrid {
 public:
  explicit TUnitGrid(TComponent* owner) : TStringGrid(owner) {}

 protected:
  TEditStyle GetEditStyle(int ACol, int) override { return ACol == 3 ? esPickList : esSimple; }
  TInplaceEdit* CreateEditor() override {
    auto* e = new TInplaceEditList(this);
    e->SetDropDownRows(4);
    e->SetOnGetPickListItems([](int, int, TStrings* items) {
      for (const char* u : kUnits) items->Add(u);
    });
    return e;
  }
};

TMenuItem* AddItem(TMenuItem* parent, const std::string& caption, TNotifyEvent click = {}) {
  auto* item = new TMenuItem(parent->Owner() ? parent->Owner() : nullptr);
  item->SetCaption(caption);
  item->SetOnClick(std::move(click));
  parent->Add(item);
  return item;
}

void FillGrid(TStringGrid* g) {
  const char* heads[] = {"", "Channel", "Value", "Unit", "Note"};
  for (int c = 0; c < 5; ++c) g->SetCells(c, 0, heads[c]);
  const char* names[] = {"Supply", "Sense", "Load", "Clock", "Probe", "Spare", "Aux", "Ref"};
  const char* values[] = {"12.00", "3.30", "0.85", "10.000", "47", "", "1.25", "2.500"};
  const char* units[] = {"V", "mV", "A", "Hz", "Ohm", "", "V", "V"};
  for (int r = 1; r < g->RowCount(); ++r) {
    g->SetCells(0, r, std::to_string(r));
    g->SetCells(1, r, names[(r - 1) % 8] + std::string(r > 8 ? " 2" : ""));
    g->SetCells(2, r, values[(r - 1) % 8]);
    g->SetCells(3, r, units[(r - 1) % 8]);
  }
  g->SetCells(4, 1, "regulated");
}

// The row's cells right of the header column, tab-separated as spreadsheets
// paste them.
std::string RowText(TStringGrid* g, int row) {
  std::string text;
  for (int c = g->FixedCols(); c < g->ColCount(); ++c) {
    if (c > g->FixedCols()) text += '\t';
    text += g->Cells(c, row);
  }
  return text;
}

TPopupMenu* MakeMenu(TComponent* owner, TStringGrid* g, TBitmap* icon) {
  auto* menu = new TPopupMenu(owner);
  TMenuItem* root = menu->Items();
  AddItem(root, "&Edit cell", [g](TObject*) {
    g->SetFocus();
    g->ShowEditor();
  });
  AddItem(root, "Clea&r cell", [g](TObject*) { g->SetCells(g->Col(), g->Row(), ""); });
  TMenuItem* lines = AddItem(root, "Grid &lines");
  lines->SetChecked(true);
  lines->SetOnClick([g, lines](TObject*) {
    lines->SetChecked(!lines->Checked());
    const TGridOptions all = goVertLine | goHorzLine;
    g->SetOptions(lines->Checked() ? g->Options() | all : g->Options() & ~all);
  });
  AddItem(root, "-");
  TMenuItem* width = AddItem(root, "Column &width");
  for (int w : {48, 64, 96}) {
    AddItem(width, std::to_string(w) + " pixels",
            [g, w](TObject*) { g->SetColWidths(g->Col(), w); });
  }
  TMenuItem* copy =
      AddItem(root, "&Copy row", [g](TObject*) { Clipboard()->SetAsText(RowText(g, g->Row())); });
  copy->SetBitmap(icon);
  AddItem(root, "&Undo")->SetEnabled(false);
  return menu;
}

// A 16 x 16 picture of two sheets, for the menu.
void DrawIcon(TBitmap* b) {
  b->SetSize(16, 16);
  TCanvas* c = b->Canvas();
  c->Brush()->SetColor(clMenu);
  c->FillRect(Rect(0, 0, 16, 16));
  c->Pen()->SetColor(RGB(0x30, 0x50, 0x90));
  for (int k : {0, 4}) {
    c->Brush()->SetColor(clWhite);
    c->Rectangle(2 + k, 1 + k, 11 + k, 12 + k);
  }
  b->SetTransparent(true);
}

void Build(TWinControl* parent) {
  auto* note = new gallery::TGalleryNote(parent->Owner());
  note->SetParent(parent);
  note->SetBounds(12, 8, 560, 20);
  note->SetNote(
      "Grid: type or press F2 to edit a cell, Enter stores, Escape gives up; the Unit column "
      "drops a pick list (Alt+Down). Drag header borders to size. Right-click for the menu.");
  note->SetHeight(36);
  auto* g = new TUnitGrid(parent->Owner());
  g->SetParent(parent);
  g->SetBounds(12, 48, 420, 190);
  g->SetColCount(5);
  g->SetRowCount(17);
  g->SetColWidths(0, 28);
  g->SetColWidths(4, 175);
  g->SetDefaultRowHeight(20);
  g->SetOptions(g->Options() | goEditing | goColSizing | goRowSizing | goTabs | goThumbTracking);
  FillGrid(g);
  auto* icon = new TBitmap();
  DrawIcon(icon);
  g->SetPopupMenu(MakeMenu(parent->Owner(), g, icon));
  delete icon;
}

const bool registered = gallery::RegisterPage({"Host widgets", Build});

}  // namespace
