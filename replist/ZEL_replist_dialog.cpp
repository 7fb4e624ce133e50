// TReportListView: the row edit dialog. One labelled field per column, built
// from the column format, on a form of its own or on the caller's form; OK
// writes the fields back into the row.
//
// Every editor the dialog makes is named "runtime_rlre_<kind><column>" and
// carries its data column in Tag. A scope frees them all again however the
// call ends (an exception from a handler included), so the caller's form is
// left as it was and a second call finds no names taken.
//
// Choices where the behaviour was open:
//  - A date cell that does not read by its format (an empty one without a
//    default included) starts the picker at today's date and is written back
//    only when the user changed the picker; it never becomes the date of
//    value 0. An impossible date (30 February) counts as unreadable instead of
//    stopping the dialog.
//  - Edit boxes of password columns mask their text as the list does.
#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "host/ui/Forms.h"
#include "host/widgets/Buttons.h"
#include "host/widgets/ComboBox.h"
#include "host/widgets/DateTimePicker.h"
#include "host/widgets/DateUtils.h"
#include "host/widgets/StdCtrls.h"
#include "numeric/ZEL_NumIOLegacy.h"
#include "replist/ZEL_replist_datereader.h"
#include "replist/ZEL_replist_dialog.h"
#include "replist/ZEL_replist_view.h"

namespace zel {

using namespace host;

// --- the format --------------------------------------------------------------

int TRLFieldFormat::DropDownLines() const {
  const size_t colon = TypeText.find(':');
  return colon == std::string::npos ? 0 : std::max(ReadFormatCount(TypeText, colon + 1), 0);
}

TRLFieldFormat ParseFieldFormat(const std::string& Format) {
  TRLFieldFormat f;
  const size_t open = Format.find('['), close = Format.find(']');
  if (open != std::string::npos && (close == std::string::npos || open < close))
    f.TypeText =
        Format.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
  if (!f.TypeText.empty() && f.TypeText[0] == '#') f.ReadOnly = true, f.TypeText.erase(0, 1);
  std::string rest = close == std::string::npos ? Format : Format.substr(close + 1);
  const size_t wOpen = rest.find('['), wClose = rest.find(']');
  if (wOpen != std::string::npos && wClose != std::string::npos && wOpen < wClose) {
    const int w = ReadFormatCount(rest.substr(wOpen + 1, wClose - wOpen - 1), 0);
    f.Width = w < 1 ? 200 : std::min(w, kMaxFieldWidth);
    rest.erase(0, wClose + 1);
  }
  f.Rest = std::move(rest);
  return f;
}

namespace {

constexpr const char* kPrefix = "runtime_rlre_";
constexpr int kRowPitch = 25;    // one field per 25 pixels
constexpr int kButtonRoom = 45;  // above the fields of a dialog of its own
constexpr TColor kReadOnlyBkgd = 0xE0E0E0;
constexpr TColor kReadOnlyText = 0x808080;
constexpr double kDialogRange = 1.7E308;  // number fields take any double

bool NameHas(const TComponent* c, const char* part) {
  return c->Name().find(part) != std::string::npos;
}

// Frees, however the dialog ends, the fields it put on the form (every
// component named with the prefix, from the last to the first) and a form
// it made itself, and clears the view's dialog state.
class TDialogScope {
 public:
  TDialogScope(TForm* form, bool ownForm, TForm*& slot, TControl*& cancel)
      : FForm(form), FOwnForm(ownForm), FSlot(slot), FCancel(cancel) {
    FSlot = form;
  }
  ~TDialogScope() {
    FSlot = nullptr;
    FCancel = nullptr;
    if (FOwnForm) {
      delete FForm;
      return;
    }
    for (int i = FForm->ComponentCount() - 1; i >= 0; --i)
      if (TComponent* c = FForm->Components(i); c && NameHas(c, kPrefix)) delete c;
  }
  TDialogScope(const TDialogScope&) = delete;
  TDialogScope& operator=(const TDialogScope&) = delete;

 private:
  TForm* FForm;
  bool FOwnForm;
  TForm*& FSlot;
  TControl*& FCancel;
};

// A date field whose cell did not read: written back only when the user
// moved the picker away from where it started.
struct TUnreadDate {
  TDateTimePicker* Picker;
  TDateTime Start;
};

}  // namespace

// --- building and running --------------------------------------------------

namespace {

// Puts the fields of one row on a form. Keeps what the write-back needs.
class TRowFieldBuilder {
 public:
  TRowFieldBuilder(TReportListView* view, TForm* form, int row, int labelWidth, int x0)
      : FView(view), FForm(form), FRow(row), FLabelWidth(labelWidth), FX0(x0) {}

  std::vector<TUnreadDate> UnreadDates;
  int WidestField = 0;

  void Build(int col, int top, const std::string& format) {
    const TRLFieldFormat f = ParseFieldFormat(format);
    WidestField = std::max(WidestField, f.Width);
    AddLabel(col, top);
    TWinControl* field = MakeField(col, f);
    if (!field) return;
    field->SetTag(col);
    field->SetParent(FForm);
    field->SetBounds(FLabelWidth + FX0 + 12, top, f.Width, field->Height());
    if (f.ReadOnly) {
      field->SetEnabled(false);
      field->SetColor(kReadOnlyBkgd);
      field->Font()->SetColor(kReadOnlyText);
    } else {
      field->SetOnKeyPress([v = FView](TObject* s, char32_t& k) { v->EdRowKeyPress(s, k); });
    }
  }

 private:
  TReportListView* FView;
  TForm* FForm;
  int FRow, FLabelWidth, FX0;

  template <class T>
  T* Named(const char* kind, int col) {
    auto* c = new T(FForm);
    c->SetName(std::string(kPrefix) + kind + std::to_string(col));
    return c;
  }

  void AddLabel(int col, int top) {
    auto* l = Named<TLabel>("Label", col);
    l->SetTag(col);
    l->SetAutoSize(false);
    l->SetAlignment(taRightJustify);
    l->SetCaption(FView->Header(col) + ":");
    l->SetParent(FForm);
    l->SetBounds(FX0 + 8, top + 3, FLabelWidth, l->Height());
  }

  TWinControl* MakeField(int col, const TRLFieldFormat& f) {
    const std::string cell = FView->Elem(col, FRow);
    switch (f.Letter()) {
      case 'c':
      case 'l':
        return MakeCombo(col, f, cell);
      case 'd':
        return MakeDatePicker(col, f, cell);
      case 'e':
      case 'f':
      case 'h':
      case 'i':
        return MakeNumber(col, f, cell);
      case 's': {
        auto* e = Named<TEdit>("Edit", col);
        if (FView->ColumnIsPwd(col)) e->SetPasswordChar(U'*');
        e->SetText(cell.empty() ? DefaultValueOfFormat("[s][]" + f.Rest, FRow) : cell);
        return e;
      }
      default:
        return nullptr;
    }
  }

  TWinControl* MakeCombo(int col, const TRLFieldFormat& f, const std::string& cell) {
    auto* cb = Named<TComboBox>("CBox", col);
    cb->SetStyle(f.Letter() == 'c' ? csDropDown : csDropDownList);
    std::string items = f.Rest;
    if (items.empty() || items.back() != '|') items += '|';
    for (size_t from = 0, bar; (bar = items.find('|', from)) != std::string::npos; from = bar + 1)
      cb->Items()->Add(items.substr(from, bar - from));
    if (const int lines = f.DropDownLines(); lines > 0) cb->SetDropDownCount(lines);
    if (f.Letter() == 'c')
      cb->SetText(cell);
    else
      cb->SetItemIndex(cb->Items()->IndexOf(cell));
    return cb;
  }

  TWinControl* MakeNumber(int col, const TRLFieldFormat& f, const std::string& cell) {
    auto* n = Named<TNumIO>("NumIO", col);
    n->SetRangeLow(-kDialogRange);
    n->SetRangeHigh(kDialogRange);
    // Either separator before any text: a cell may hold "2.5" or "2,5"
    // whatever the locale says, and must not be refused and emptied.
    n->SetDecPlaceSep(dpsEither);
    const char letter = f.Letter();
    n->SetInputFormat(letter == 'e'   ? itDynamic
                      : letter == 'f' ? itFloat
                      : letter == 'h' ? itHex
                                      : itInt);
    n->SetEditText(cell.empty()
                       ? DefaultValueOfFormat(std::string("[") + letter + "][]" + f.Rest, FRow)
                       : cell);
    return n;
  }

  TWinControl* MakeDatePicker(int col, const TRLFieldFormat& f, const std::string& cell) {
    auto* p = Named<TDateTimePicker>("DtPick", col);
    p->SetFormat(f.DateFormat());
    // Without a format of its own the picker shows its default one; the
    // cell is read (and written) in what the picker shows.
    const std::string& text = cell.empty() && !f.Rest.empty() ? f.Rest : cell;
    if (const std::optional<TDateTime> v = ReadDateTimeText(text, p->EffectiveFormat())) {
      p->SetDateTime(*v);
    } else {
      p->SetDateTime(host::Date());
      UnreadDates.push_back({p, p->DateTime()});
    }
    return p;
  }
};

}  // namespace

int TReportListView::EditRowEntries(int Row, int PosLeft, int PosTop) {
  return EditRowEntries(Row, PosLeft, PosTop, "Editing Row " + std::to_string(Row), "OK", "Cancel");
}

int TReportListView::EditRowEntries(int Row, int PosLeft, int PosTop,
                                    const std::string& FormCaption, const std::string& ButOKCaption,
                                    const std::string& ButCancelCaption) {
  auto* form = new TForm(this);
  TDialogScope scope(form, true, FContainerForm, FSBERCancel);
  form->SetBorderStyle(bsDialog);
  form->SetBounds(PosLeft, PosTop, form->Width(), form->Height());
  auto button = [&](const std::string& caption, void (TReportListView::*handler)(TObject*)) {
    auto* b = new TSpeedButton(form);
    b->SetCaption(caption);
    b->SetParent(form);
    b->SetOnClick([this, handler](TObject* s) { (this->*handler)(s); });
    return b;
  };
  TSpeedButton* ok = button(ButOKCaption, &TReportListView::EdRowOKClick);
  TSpeedButton* cancel = button(ButCancelCaption, &TReportListView::EdRowCancelClick);
  ok->SetName("runtime_rlre_OK");
  cancel->SetName("runtime_rlre_Cancel");
  FSBERCancel = cancel;
  return RunRowDialog(Row, form, true, 0, 0, FormCaption);
}

int TReportListView::EditRowEntries(int Row, TForm* ContainerForm, int PosLeft, int PosTop) {
  if (!ContainerForm) return mrCancel;
  TDialogScope scope(ContainerForm, false, FContainerForm, FSBERCancel);
  return RunRowDialog(Row, ContainerForm, false, PosLeft, PosTop, "");
}

int TReportListView::RunRowDialog(int Row, TForm* Form, bool OwnForm, int x0, int y0,
                                  const std::string& Caption) {
  // A cell still open in place is stored first: the dialog shows it, and
  // the editor closing later cannot write its old text over the dialog's.
  HideEditor();
  const int ytop = OwnForm ? kButtonRoom : 0;
  int w = 0;
  for (int c = 1; c <= NrOfColumns(); ++c) w = std::max(w, Form->Canvas()->TextWidth(Header(c)));
  w += 8;
  TRowFieldBuilder fields(this, Form, Row, w, x0);
  for (int c = 1; c <= NrOfColumns(); ++c) {
    std::string format = ColumnFormat(c);
    if (FOnRequestEditFormat) FOnRequestEditFormat(this, c, Row, format);
    fields.Build(c, ytop + (c - 1) * kRowPitch + y0, format);
  }
  const int f = fields.WidestField + w;
  const int width = f + 28, height = NrOfColumns() * kRowPitch + ytop + 38;
  if (OwnForm) {
    Form->SetBounds(Form->Left(), Form->Top(), width, height);
    if (auto* cancel = Form->FindComponent("runtime_rlre_Cancel"))
      static_cast<TControl*>(cancel)->SetBounds(f - 69, 4, 81, 29);
    if (auto* ok = Form->FindComponent("runtime_rlre_OK"))
      static_cast<TControl*>(ok)->SetBounds(f - 154, 4, 81, 29);
  } else {
    Form->SetBounds(Form->Left(), Form->Top(), std::max(Form->Width(), width),
                    std::max(Form->Height(), height));
  }
  Form->SetCaption(Caption);
  const int result = Form->ShowModal();
  if (result != mrOk) return result;
  RunBulk(bkData, [&] {
    for (int i = 0; i < Form->ComponentCount(); ++i) {
      TComponent* c = Form->Components(i);
      if (NameHas(c, "runtime_rlre_Edit") || NameHas(c, "runtime_rlre_NumIO") ||
          NameHas(c, "runtime_rlre_CBox")) {
        SetElem(c->Tag(), Row, static_cast<TControl*>(c)->Text());
      } else if (NameHas(c, "runtime_rlre_DtPick")) {
        auto* p = static_cast<TDateTimePicker*>(c);
        const bool untouched = std::any_of(
            fields.UnreadDates.begin(), fields.UnreadDates.end(),
            [&](const TUnreadDate& u) { return u.Picker == p && u.Start == p->DateTime(); });
        if (!untouched)
          SetElem(c->Tag(), Row, FormatPickerDateTime(p->EffectiveFormat(), p->DateTime()));
      }
    }
  });
  return result;
}

void TReportListView::EdRowOKClick(TObject*) {
  if (FContainerForm) FContainerForm->SetModalResult(mrOk);
}

void TReportListView::EdRowCancelClick(TObject*) {
  if (FContainerForm) FContainerForm->SetModalResult(mrCancel);
}

void TReportListView::EdRowKeyPress(TObject*, char32_t& Key) {
  if (Key == U'\r' && FContainerForm) FContainerForm->SetModalResult(mrOk);
}

}  // namespace zel
