// TColSel: choices, the pointer over the colour bar, the colour dialog.
#include <memory>

#include "host/widgets/Dialogs.h"
#include "selectors/ZEL_Colsel.h"

namespace zel {

using namespace host;

void TColSel::Click() {
  if (ItemIndex() >= 0) FSelected = ItemIndex() + 1;
  TCustomComboBox::Click();
}

std::string TColSel::ItemText(int Index) const {
  return Index >= 0 && Index < FNumColors ? FSlots[size_t(Index)].Name : std::string();
}

void TColSel::MouseMove(TShiftState Shift, int X, int Y) {
  FMouseOverBar = X < FColorBarWidth;
  TCustomComboBox::MouseMove(Shift, X, Y);
}

// The press is a position of its own, and only a press may open the dialog.
void TColSel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FMouseOverBar = X < FColorBarWidth;
  FPressing = true;
  try {
    TCustomComboBox::MouseDown(Button, Shift, X, Y);
  } catch (...) {
    FPressing = false;
    throw;
  }
  FPressing = false;
}

void TColSel::CMMouseLeave(TMessage& Message) {
  TCustomComboBox::CMMouseLeave(Message);
  FMouseOverBar = false;
}

void TColSel::DropDown() {
  const int shown = ItemIndex() + 1;
  if (FPressing && FMouseOverBar && InRange(shown) && Slot(shown).AllowEdit) EditColor(shown);
  TCustomComboBox::DropDown();
}

// The shown slot (the one whose bar was pressed, and so the one checked for
// being editable) takes the colour chosen in the dialog and is the selected
// slot from then on. OnChange fires before OnColorNameChange; the slot already
// carries the new colour's own name then, so an OnChange handler never sees
// the new colour under the old one's name.
void TColSel::EditColor(int i) {
  FSelected = i;
  auto dialog = std::make_unique<TColorDialog>(nullptr);
  dialog->SetColor(Slot(i).Color);
  if (dialog->Execute()) {
    const TColor c = dialog->Color();
    Slot(i).Color = c;
    Slot(i).Name = ColorToString(ColorToRGB(c));
    Change();
    StoreColor(i, c, Slot(i).Name);
  }
  Refresh();
}

}  // namespace zel
