// TReportListView: in-place editing of single cells through the host grid's
// editor. The list fires OnGetEditText and OnSetEditText itself, with the data
// row, and so goes past the draw grid's versions of the hooks (they would fire
// the same events a second time, with the grid row).
#include "replist/ZEL_replist_view.h"

namespace zel {

using namespace host;

namespace {

// The list's in-place editor: in a password column it masks the text as the
// cell does, so editing a password never shows it in the clear.
class TRLInplaceEdit : public TInplaceEdit {
 public:
  using TInplaceEdit::TInplaceEdit;

 protected:
  void UpdateContents() override {
    const auto* view = static_cast<const TReportListView*>(Grid());
    SetPasswordChar(view->ColumnIsPwd(view->DataColOf(view->Col())) ? U'*' : 0);
    TInplaceEdit::UpdateContents();
  }
};

}  // namespace

TInplaceEdit* TReportListView::CreateEditor() { return new TRLInplaceEdit(this); }

// The grid's own rule refuses every cell under row selection, which the list
// always uses; the list decides per cell instead: an editable column in an
// enabled data row.
bool TReportListView::CanEditShow() {
  if (!(Options() & goEditing) || (ComponentState() & csDesigning)) return false;
  if (Row() < HeadCount() || Col() < FixedCols() || Col() >= ColCount()) return false;
  const int c = DataColOf(Col()), r = DataRowOf(Row());
  return ValidRow(r) && ColumnEditable(c) && RowEnabled(r);
}

std::string TReportListView::GetEditText(int ACol, int ARow) {
  const int r = DataRowOf(ARow);
  std::string value = FRLData->Elem(DataColOf(ACol), r);
  if (OnGetEditText()) OnGetEditText()(this, ACol, r, value);
  return value;
}

void TReportListView::SetEditText(int ACol, int ARow, const std::string& Value) {
  const int c = DataColOf(ACol), r = DataRowOf(ARow);
  if (ValidCol(c) && ValidRow(r)) {
    // A check cell keeps its state; an empty one, which has no flag yet,
    // starts unchecked as SetElem makes it.
    if (ColumnCheckMode(c) != cmNone)
      FRLData->Strings()->SetString(c, r, (FRLData->ElemChecked(c, r) ? "X" : " ") + Value);
    else
      FRLData->SetElem(c, r, Value);
  }
  TCustomGrid::SetEditText(ACol, ARow, Value);
  if (OnSetEditText()) OnSetEditText()(this, ACol, r, Value);
}

}  // namespace zel
