// The "Table editor" page: a 20 x 200 table of simulated measurements (names,
// attributes, a nominal column, marked and flagged cells, several precisions),
// below it one table shown by two editors at once, and a band that pastes
// tab-separated text (as a spreadsheet or a lab program writes it) into an
// editor through the clipboard.
#include <cmath>
#include <string>

#include "apps/gallery/Pages.h"
#include "host/ui/Clipbrd.h"
#include "host/widgets/StdCtrls.h"
#include "ntabed/ZEL_ntabed.h"

namespace {

using namespace zel;

// Keeps the shared table alive for the page's lifetime. It is created before
// the editors that borrow the table, so (owned components going last-made
// first) it is freed after them.
class TSharedTableHolder : public host::TComponent {
 public:
  using host::TComponent::TComponent;
  TDataTable Table;
};

constexpr int kCols = 20, kRows = 200;

// A bench run: sensor readings drifting with the run number, a site code in
// column 2, some readings lost, some flagged for review.
void FillMeasurements(TNTabEd* e) {
  e->SetSuppressPaint(true);
  e->Redimension(kCols, kRows);
  e->SetAttribColVisible(true);
  e->SetMScaleType(2, mstNominal);
  const char* sites[] = {"north", "south", "east", "west"};
  for (int k = 0; k < 4; ++k) e->SetNominalID(2, k + 1, sites[k]);
  e->SetColName(1, "Time [s]");
  e->SetColName(2, "Site");
  for (int c = 3; c <= kCols; ++c) {
    e->SetColName(c, "U" + std::to_string(c - 2) + " [V]");
    e->SetColAttrib(c, uint8_t(c % 3));
  }
  for (int r = 1; r <= kRows; ++r) {
    e->SetRowName(r, "Run " + std::to_string(r));
    e->SetRowAttrib(r, uint8_t(r % 5 == 0 ? 1 : 0));
    e->SetElem(1, r, 0.25 * r);
    e->SetElem(2, r, r % 7 == 0 ? 9 : 1 + r % 4);  // code 9 has no name
    for (int c = 3; c <= kCols; ++c)
      e->SetElem(c, r, std::sin(0.07 * r + c) * std::pow(10.0, c % 5 - 1));
  }
  e->SetPrecision(1, 2);
  e->SetPrecision(2, 0);
  e->SetPrecision(4, 1);
  e->SetPrecision(5, -1);
  e->SetPrecision(6, 6);
  e->SetCellState(3, 2, kcsMarkedA);
  e->SetCellState(4, 2, kcsMarkedB);
  e->SetCellState(5, 2, kcsMarks);
  e->SetCellState(3, 4, kcsEmpty);
  e->SetCellState(4, 4, kcsInvalid);
  e->SetCellState(6, 3, kcsLocked | kcsMarkedA);
  e->SetElem(7, 3, 1e200);  // too wide for two exponent digits
  e->SetComment("Bench run, simulated");
  e->SetSuppressPaint(false);
}

void BuildMain(host::TWinControl* p) {
  gallery::Caption(p, 8, 4,
                   "Table editor: 20 x 200 measurements (right-click cells, headers or the "
                   "corner for the menus)");
  auto* e = gallery::Add<TNTabEd>(p, 8, 24, 760, 300);
  FillMeasurements(e);
  e->AutoColWidth(0, true, 0);
  e->AutoColWidth(2, true, 0);
  e->AutoColWidth(6, true, 0);  // six decimals
}

void BuildShared(host::TWinControl* p) {
  gallery::Caption(p, 8, 4,
                   "One table, two editors: values, names and marks are shared; precision and "
                   "colours are each editor's own");
  auto* holder = new TSharedTableHolder(p->Owner());
  TDataTable& t = holder->Table;
  t.Resize(4, 6);
  for (int r = 1; r <= 6; ++r) {
    t.SetRowName(r, "Probe " + std::to_string(r));
    for (int c = 1; c <= 4; ++c) t.SetElem(c, r, r * 1.5 + c / 10.0);
  }
  auto* left = gallery::Add<TNTabEd>(p, 8, 24, 370, 190);
  auto* right = gallery::Add<TNTabEd>(p, 398, 24, 370, 190);
  left->AssignAnotherDataMatrix(&t);
  right->AssignAnotherDataMatrix(&t);
  left->SetPrecision(1, 1);
  right->SetPrecision(1, 4);
  right->SetAttribRowVisible(false);
  right->SetColorMarkedA(0x008000);
  for (int c = 1; c <= 4; ++c) right->SetElemMarkedA(c, 2, true);
  left->SetColName(1, "shared");
}

// Lines as another program puts them on the clipboard: tabs between the
// values, "," or "." as decimal separator in the same text, bare LF line ends.
constexpr const char* kPastedText =
    "12.5\t0.031\t-4\n"
    "13.0\t0.029\t-3.5\n"
    "13.5\t0.027\t-3\n"
    "14.0\t0.026\t1.2E1\n";

void BuildPaste(host::TWinControl* p) {
  gallery::Caption(p, 8, 4, "Paste from text: the lines go to the clipboard and into the table");
  auto* memo = gallery::Add<host::TMemo>(p, 8, 24, 250, 120);
  memo->SetText(kPastedText);
  auto* e = gallery::Add<TNTabEd>(p, 398, 24, 370, 150);
  e->Redimension(4, 5);
  e->SetClipboardUseFullPrec(false);
  auto* size = gallery::Caption(p, 8, 184, "");
  auto* paste = gallery::Add<host::TButton>(p, 268, 24, 120, 26);
  paste->SetCaption("Paste into table");
  paste->SetOnClick([memo, e, size](host::TObject*) {
    host::Clipboard()->SetAsText(memo->Text());
    int cols = 1, rows = 1;
    e->GetClipMatrixSize(cols, rows);
    size->SetCaption("Clipboard: " + std::to_string(cols) + " x " + std::to_string(rows));
    e->SetSelection({e->FixedCols(), e->FixedRows(), e->FixedCols(), e->FixedRows()});
    e->ExtractFromClipboard();
  });
  auto* copy = gallery::Add<host::TButton>(p, 268, 56, 120, 26);
  copy->SetCaption("Copy table back");
  copy->SetOnClick([memo, e](host::TObject*) {
    e->SelectAllData();
    e->CopySelection();
    memo->SetText(host::Clipboard()->AsText());
  });
  paste->Click();
}

const bool registered = gallery::RegisterPage({"Table editor", BuildMain}) &&
                        gallery::RegisterPage({"Table editor", BuildShared}) &&
                        gallery::RegisterPage({"Table editor", BuildPaste});

}  // namespace
