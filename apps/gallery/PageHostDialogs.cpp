// The "Host widgets" page, second band: combo boxes in their three styles,
// date-time pickers, a tree view that reads its branches when they open, and
// buttons that open the colour dialog and a sample modal dialog. A status
// line tells what the last action did.
#include <memory>
#include <string>

#include "apps/gallery/Pages.h"
#include "host/widgets/ComboBox.h"
#include "host/widgets/DateTimePicker.h"
#include "host/widgets/Dialogs.h"
#include "host/widgets/ExtCtrls.h"
#include "host/widgets/StdCtrls.h"
#include "host/widgets/TreeView.h"

namespace {

using namespace host;

using gallery::Add;

TLabel* Caption(TWinControl* parent, int x, int y, const std::string& text, bool bold = false) {
  auto* l = gallery::Caption(parent, x, y, text);
  if (bold) l->Font()->SetStyle(fsBold);
  return l;
}

struct TNamedColor {
  const char* Name;
  TColor Color;
};
constexpr TNamedColor kSwatches[] = {{"Red", clRed},       {"Olive", clOlive}, {"Green", clLime},
                                     {"Teal", clTeal},     {"Navy", clNavy},   {"Purple", clPurple},
                                     {"Silver", clSilver}, {"Black", clBlack}};

void Combos(TWinControl* parent, TLabel* status) {
  Caption(parent, 8, 28, "Combo boxes", true);
  auto* edit = Add<TComboBox>(parent, 8, 48, 150, 0);
  for (const char* s : {"Volt", "Ampere", "Ohm", "Watt", "Hertz", "Farad", "Henry", "Tesla",
                        "Weber", "Siemens", "Coulomb", "Joule"})
    edit->Items()->Add(s);
  edit->SetText("Volt");
  auto* list = Add<TComboBox>(parent, 8, 78, 150, 0);
  list->SetStyle(csDropDownList);
  list->SetSorted(true);
  for (const char* s : {"medium", "low", "high", "off"}) list->Items()->Add(s);
  list->SetItemIndex(2);
  auto* colors = Add<TComboBox>(parent, 8, 108, 150, 0);
  colors->SetStyle(csOwnerDrawFixed);
  colors->SetItemHeight(18);
  for (const TNamedColor& c : kSwatches) colors->Items()->Add(c.Name);
  colors->SetItemIndex(4);
  colors->SetOnDrawItem([colors](TWinControl*, int i, const TRect& r, TOwnerDrawState st) {
    TCanvas* c = colors->Canvas();
    c->FillRect(r);
    c->Brush()->SetColor(kSwatches[i].Color);
    c->Pen()->SetColor(clBlack);
    c->Rectangle(r.Left + 3, r.Top + 2, r.Left + 33, r.Bottom - 2);
    c->Brush()->SetStyle(bsClear);
    c->TextOut(r.Left + 40, r.Top + (r.Height() - c->TextHeight("Ag")) / 2, kSwatches[i].Name);
  });
  for (TComboBox* b : {edit, list, colors})
    b->SetOnChange([b, status](TObject*) { status->SetCaption("Combo box: " + b->Text()); });
}

void Pickers(TWinControl* parent, TLabel* status) {
  Caption(parent, 180, 28, "Date-time pickers", true);
  auto* date = Add<TDateTimePicker>(parent, 180, 48, 170, 0);
  date->SetFormat("dd.MM.yyyy");
  date->SetDateTime(EncodeDate(2025, 12, 24));
  auto* time = Add<TDateTimePicker>(parent, 180, 78, 170, 0);
  time->SetKind(dtkTime);
  time->SetFormat("HH:mm:ss");
  time->SetDateTime(EncodeTime(7, 30, 0, 0));
  auto* both = Add<TDateTimePicker>(parent, 180, 108, 170, 0);
  both->SetFormat("ddd d MMM yyyy h:mm tt");
  both->SetDateTime(EncodeDate(2025, 3, 7) + EncodeTime(19, 30, 0, 0));
  for (TDateTimePicker* p : {date, time, both})
    p->SetOnChange([p, status](TObject*) { status->SetCaption("Picker: " + p->DisplayText()); });
}

// Every node claims children; they are made when it first opens.
void Tree(TWinControl* parent, TLabel* status) {
  Caption(parent, 372, 28, "Tree view", true);
  auto* tree = Add<TTreeView>(parent, 372, 48, 220, 190);
  tree->SetHideSelection(false);
  auto* items = tree->Items();
  TTreeNode* root = items->Add(nullptr, "Instruments");
  for (const char* s : {"Meters", "Probes", "Loggers"})
    items->AddChild(root, s)->SetHasChildren(true);
  items->Add(nullptr, "Archive")->SetHasChildren(true);
  tree->SetOnExpanding([items](TObject*, TTreeNode* n, bool&) {
    if (n->Count() > 0 || n->Level() > 2) return;
    for (int i = 1; i <= 4; ++i)
      items->AddChild(n, n->Text() + " " + std::to_string(i))->SetHasChildren(n->Level() < 2);
  });
  tree->SetOnChange([status](TObject*, TTreeNode* n) {
    if (n) status->SetCaption("Tree: " + n->Text() + " (level " + std::to_string(n->Level()) + ")");
  });
  root->Expand(false);
  root->Item(0)->Expand(false);
  tree->SetSelected(root->Item(0)->Item(1));
}

// A small modal form: a text, a choice, a date, OK and Cancel.
void SampleDialog(TLabel* status) {
  auto form = std::make_unique<TForm>(nullptr);
  form->SetCaption("Sample dialog");
  form->SetBorderStyle(bsDialog);
  form->SetPosition(poScreenCenter);
  form->SetClientWidth(300);
  form->SetClientHeight(150);
  Caption(form.get(), 12, 15, "Name:");
  auto* name = Add<TEdit>(form.get(), 90, 12, 196, 21);
  name->SetText("Probe 7");
  Caption(form.get(), 12, 45, "Range:");
  auto* range = Add<TComboBox>(form.get(), 90, 42, 196, 0);
  range->SetStyle(csDropDownList);
  for (const char* s : {"1 V", "10 V", "100 V"}) range->Items()->Add(s);
  range->SetItemIndex(1);
  Caption(form.get(), 12, 75, "Calibrated:");
  auto* date = Add<TDateTimePicker>(form.get(), 90, 72, 196, 0);
  date->SetFormat("d MMMM yyyy");
  date->SetDateTime(EncodeDate(2025, 6, 1));
  auto* ok = Add<TButton>(form.get(), 130, 112, 75, 25);
  ok->SetCaption("OK");
  ok->SetDefault(true);
  ok->SetModalResult(mrOk);
  auto* cancel = Add<TButton>(form.get(), 211, 112, 75, 25);
  cancel->SetCaption("Cancel");
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  if (form->ShowModal() == mrOk)
    status->SetCaption("Dialog: " + name->Text() + ", " + range->Text() + ", " +
                       date->DisplayText());
  else
    status->SetCaption("Dialog: cancelled");
}

void Dialogs(TWinControl* parent, TLabel* status) {
  Caption(parent, 614, 28, "Dialogs", true);
  auto* swatch = Add<TPanel>(parent, 614, 48, 150, 40);
  swatch->SetParentBackground(false);
  swatch->SetBevelOuter(bvLowered);
  swatch->SetColor(RGB(0x30, 0x70, 0xB0));
  swatch->SetShowCaption(false);
  auto* dialog = new TColorDialog(parent->Owner());
  auto* pick = Add<TButton>(parent, 614, 96, 150, 25);
  pick->SetCaption("Colour dialog...");
  pick->SetOnClick([dialog, swatch, status](TObject*) {
    dialog->SetColor(swatch->Color());
    if (!dialog->Execute()) return;
    swatch->SetColor(dialog->Color());
    status->SetCaption("Colour: " + ColorToString(dialog->Color()));
  });
  auto* sample = Add<TButton>(parent, 614, 128, 150, 25);
  sample->SetCaption("Sample dialog...");
  sample->SetOnClick([status](TObject*) { SampleDialog(status); });
}

const bool registered =
    gallery::RegisterPage({"Host widgets", [](TWinControl* parent) {
                             auto* status =
                                 Caption(parent, 8, 4, "Choose, type, expand or open a dialog.");
                             Combos(parent, status);
                             Pickers(parent, status);
                             Tree(parent, status);
                             Dialogs(parent, status);
                           }});

}  // namespace
