// The "Report list" page: a few hundred measurement records in a report list
// view, sortable by header, with a filter line (mode and case), and buttons
// that export the list as XML, CSV and HTML into a folder and read it back.
// Channel, value and unit can be edited in place (click the current cell or
// type over it); "Edit row…" opens the generated dialog on the selected row.
#include <filesystem>
#include <system_error>

#include "apps/gallery/Pages.h"
#include "foundation/Zel_stringl.h"
#include "host/widgets/ComboBox.h"
#include "replist/ZEL_replist_view.h"

namespace {

using namespace host;
using namespace zel;

constexpr int kRecords = 300;
constexpr int kListWidth = 660;

enum TColumn { colChannel = 1, colValue, colUnit, colStatus, colReference, colDate };

// A day of readings from a test bench: every channel has its unit and limits,
// and a reading inside the limits is marked good.
void FillRecords(TReportListView* v) {
  struct TChannel {
    const char* Unit;
    double Base, Low, High;
  };
  const TChannel kinds[] = {{"V", 12.0, 11.6, 12.4},
                            {"A", 0.85, 0.7, 1.0},
                            {"Hz", 50.0, 49.8, 50.2},
                            {"°C", 24.0, 18.0, 30.0},
                            {"hPa", 1013.0, 995.0, 1030.0}};
  v->SetNrOfColumns(6);
  v->SetNrOfRows(kRecords);
  const char* heads[] = {"Channel", "Value", "Unit", "Good", "Reference", "Date"};
  for (int c = 1; c <= 6; ++c) v->SetHeader(c, heads[c - 1]);
  v->SetColumnCheckMode(colStatus, cmBox);
  v->SetColumnCheckMode(colReference, cmRadio);
  v->SetColumnAlignment(colValue, taRightJustify);
  // The row dialog builds its fields from these; the check columns show as
  // read-only text there.
  const char* formats[] = {"[s][90]",  "[f][90]",  "[l:5][80]V|A|Hz|°C|hPa",
                           "[#s][60]", "[#s][60]", "[dyyyy-MM-dd HH:mm][140]"};
  for (int c = 1; c <= 6; ++c) v->SetColumnFormat(c, formats[c - 1]);
  for (int c : {colChannel, colValue, colUnit}) v->SetColumnEditable(c, true);
  for (int r = 1; r <= kRecords; ++r) {
    const TChannel& k = kinds[(r - 1) % 5];
    // A deterministic wobble, so the page looks the same on every start.
    const double wobble = double((r * 7919) % 1000) / 1000.0 - 0.5;
    // Some readings stray a little beyond the limits.
    const double value = k.Base + wobble * (k.High - k.Low) * 1.2;
    v->SetElem(colChannel, r,
               "CH" +
                   std::string(r < 10    ? "00"
                               : r < 100 ? "0"
                                         : "") +
                   std::to_string(r));
    v->SetElem(colValue, r, strff(value, 1, k.Base >= 100 ? 1 : 3));
    v->SetElem(colUnit, r, k.Unit);
    v->SetElemChecked(colStatus, r, value >= k.Low && value <= k.High);
    v->SetElemChecked(colReference, r, false);
    const int minute = r * 5;
    v->SetElem(colDate, r,
               "2026-03-" + std::string(minute / 1440 < 9 ? "0" : "") +
                   std::to_string(minute / 1440 + 1) + " " +
                   std::to_string(100 + minute / 60 % 24).substr(1) + ":" +
                   std::to_string(100 + minute % 60).substr(1));
  }
  v->SetElemChecked(colReference, 1, true);
  // The add-on leaves room for the sort mark, so a sorted header keeps its name.
  v->FitAllColWidths(colDate, true, 22, 160, 24);
}

std::string DefaultFolder() {
  std::error_code ec;
  const auto tmp = std::filesystem::temp_directory_path(ec);
  return ((ec ? std::filesystem::path("/tmp") : tmp) / "zel-report-list").string();
}

// The page's state: a component of the band's form, so it lives exactly as
// long as the controls it acts on.
struct TReportPage : TComponent {
  explicit TReportPage(TComponent* AOwner) : TComponent(AOwner) {}
  TReportListView* List = nullptr;
  TEdit* Filter = nullptr;
  TComboBox* Mode = nullptr;
  TCheckBox* IgnoreCase = nullptr;
  TEdit* Folder = nullptr;
  TLabel* Status = nullptr;

  void ApplyFilter() {
    try {
      List->FilterAndSort(Filter->Text(), {colChannel, colValue, colUnit, colDate},
                          IgnoreCase->Checked(), TFilterMode(std::max(Mode->ItemIndex(), 0)), -1,
                          true);
      Status->SetCaption(std::to_string(List->NumVisibleRows()) + " of " +
                         std::to_string(List->NrOfRows()) + " records shown");
    } catch (const EZELError& e) {
      Status->SetCaption(e.what());
    }
  }

  std::string PathOf(const char* name) const {
    return (std::filesystem::path(Folder->Text()) / name).string();
  }

  // Runs one file action and reports its outcome (or the reason it failed).
  template <class F>
  void Run(const std::string& done, F&& action) {
    try {
      std::error_code ec;
      std::filesystem::create_directories(Folder->Text(), ec);
      if (ec) throw EZELError("cannot create " + Folder->Text() + ": " + ec.message());
      Status->SetCaption(action() ? done : "Failed: " + List->RLData()->LastError());
    } catch (const std::exception& e) {
      Status->SetCaption(e.what());
    }
  }

  void Export(const char* kind) {
    const std::string k = kind;
    Run("Exported " + k + " to " + Folder->Text(), [&] {
      const int n = List->NrOfRows(), c = List->NrOfColumns();
      if (k == "XML") List->SaveAsXMLFile(PathOf("measurements.xml"), "bench");
      if (k == "CSV")
        return List->ExportCSV(PathOf("measurements.csv"), csvSemicolon, true, true, 1, 1, c, n) >=
               0;
      if (k == "HTML")
        List->ExportHTMLTable(PathOf("measurements.html"), 1, 1, c, n, {}, 1, 0, 2, true, "", "",
                              "");
      return true;
    });
  }

  // The dialog opens on the first selected row, beside the list.
  void EditRow() {
    const int row = List->FirstSelectedRow();
    if (row == 0) {
      Status->SetCaption("Select a row to edit");
      return;
    }
    const TPoint at = List->ClientToScreen(TPoint{40, 40});
    if (List->EditRowEntries(row, at.x, at.y) == mrOk)
      Status->SetCaption("Row " + std::to_string(row) + " changed");
  }

  void Import() {
    Run("Imported measurements.xml", [&] {
      const bool ok = List->LoadFromXMLFile(PathOf("measurements.xml"), "bench");
      if (ok) ApplyFilter();
      return ok;
    });
  }
};

void BuildPage(TWinControl* parent) {
  auto* page = new TReportPage(parent->Owner());
  gallery::Caption(parent, 8, 8, "Filter");
  page->Filter = gallery::Add<TEdit>(parent, 50, 4, 200, 24);
  page->Mode = gallery::Add<TComboBox>(parent, 258, 4, 100, 24);
  page->Mode->SetStyle(csDropDownList);
  for (const char* m : {"Simple", "Boolean", "Grep"}) page->Mode->Items()->Add(m);
  page->Mode->SetItemIndex(0);
  page->IgnoreCase = gallery::Add<TCheckBox>(parent, 366, 6, 110, 20);
  page->IgnoreCase->SetCaption("Ignore case");
  page->IgnoreCase->SetChecked(true);
  auto* edit = gallery::Add<TButton>(parent, 484, 4, 86, 24);
  edit->SetCaption("Edit row…");
  edit->SetOnClick([page](TObject*) { page->EditRow(); });

  page->List = gallery::Add<TReportListView>(parent, 8, 34, kListWidth, 300);
  page->List->SetCommonHeaderVisible(true);
  page->List->SetCommonHeader("Bench 3 - measurements of 2026-03-01");
  page->List->SetRowSelectMode(2);
  FillRecords(page->List);
  page->List->SelectRow(1);

  gallery::Caption(parent, 8, 346, "Folder");
  page->Folder = gallery::Add<TEdit>(parent, 58, 342, 300, 24);
  page->Folder->SetText(DefaultFolder());
  int x = 366;
  for (const char* kind : {"XML", "CSV", "HTML"}) {
    auto* b = gallery::Add<TButton>(parent, x, 342, 86, 24);
    b->SetCaption(std::string("Export ") + kind);
    b->SetOnClick([page, kind](TObject*) { page->Export(kind); });
    x += 92;
  }
  auto* import = gallery::Add<TButton>(parent, x, 342, 70, 24);
  import->SetCaption("Import");
  import->SetOnClick([page](TObject*) { page->Import();
});
page->Status = gallery::Caption(parent, 8, 374, "");

page->Filter->SetOnChange([page](TObject*) { page->ApplyFilter(); });
page->Mode->SetOnChange([page](TObject*) { page->ApplyFilter(); });
page->IgnoreCase->SetOnClick([page](TObject*) { page->ApplyFilter(); });
page->ApplyFilter();
}  // namespace

const bool registered = gallery::RegisterPage({"Report list", BuildPage});

}  // namespace
