#include "selectors/ZEL_Colsel.h"

#include "foundation/Zel_zelcolors.h"

namespace zel {

using namespace host;

TColSel::TColSel(TComponent* AOwner) : TCustomComboBox(AOwner) {
  for (int i = 1; i <= kMaxColors; ++i) {
    Slot(i).Color = PredefinedColors[size_t(i - 1)].Color;
    Slot(i).Name = ColorToString(Slot(i).Color);
  }
  SetSorted(false);
  SetStyle(csOwnerDrawFixed);
}

void TColSel::Loaded() {
  TCustomComboBox::Loaded();
  ReloadList();
}

// The strings run from slot NumColors down to slot 1; item i still stands
// for slot i + 1.
void TColSel::ReloadList() {
  Clear();
  for (int i = FNumColors; i >= 1; --i) Items()->Add(Slot(i).Name);
  SetItemIndex(FSelected - 1);
}

void TColSel::StoreColor(int i, TColor c, std::string name) {
  if (FOnColorNameChange) FOnColorNameChange(this, name);
  Slot(i).Color = c;
  Slot(i).Name = std::move(name);
}

// --- selection

TColor TColSel::SelColor() const { return Slot(FSelected).Color; }

void TColSel::SetSelColor(TColor c) {
  const TColor rgb = ColorToRGB(c);
  int found = 0;
  for (int i = 1; i <= FNumColors && !found; ++i)
    if (ColorToRGB(Slot(i).Color) == rgb) found = i;
  if (found) {
    FSelected = found;
    SetItemIndex(found - 1);
  } else {
    StoreColor(FSelected, c, ColorToString(rgb));
  }
  Refresh();
}

std::string TColSel::GetSelColorID() const {
  return ItemIndex() < 0 ? std::string() : Slot(FSelected).Name;
}

// --- slots

TColor TColSel::GetArrayColor(int i) const { return InRange(i) ? Slot(i).Color : 0; }

void TColSel::SetArrayColor(int i, TColor c) {
  if (!InRange(i)) return;
  StoreColor(i, c, ColorToString(c));
  Refresh();
}

std::string TColSel::GetArrayColorName(int i) const {
  return InRange(i) ? Slot(i).Name : std::string();
}

void TColSel::SetArrayColorName(int i, const std::string& Name) {
  if (!InRange(i)) return;
  Slot(i).Name = Name;
  Refresh();
}

bool TColSel::GetArrayAllowEdit(int i) const { return InRange(i) && Slot(i).AllowEdit; }

void TColSel::SetArrayAllowEdit(int i, bool AllowEdit) {
  if (!InRange(i)) return;
  Slot(i).AllowEdit = AllowEdit;
  Refresh();
}

void TColSel::SetAllColorEditFlags() {
  for (TSlot& s : FSlots) s.AllowEdit = true;
  Refresh();
}

void TColSel::ResetAllColorEditFlags() {
  for (TSlot& s : FSlots) s.AllowEdit = false;
  Refresh();
}

// --- settings

void TColSel::SetNumColors(int n) {
  if (n <= 0 || n > kMaxColors) return;
  FNumColors = n;
  FSelected = 1;
  ReloadList();
}

void TColSel::SetColorBarWidth(int w) {
  if (w < 0 || w == FColorBarWidth) return;
  FColorBarWidth = w;
  Refresh();
}

void TColSel::SetEnabled(bool e) {
  FOwnEnabled = e;
  TCustomComboBox::SetEnabled(e);
  Refresh();
}

// --- palettes

// Slots 1..count from PredefinedColors[firstSource ...], each named through
// OnColorNameChange.
void TColSel::LoadPalette(int count, int firstSource) {
  FSelected = 1;
  FNumColors = count;
  for (int i = 1; i <= count; ++i) {
    const TColor c = PredefinedColors[size_t(firstSource + i - 1)].Color;
    StoreColor(i, c, ColorToString(c));
  }
  ReloadList();
}

void TColSel::LoadBasicVGAPalette() { LoadPalette(16, 0); }
void TColSel::LoadExtendedPalette() { LoadPalette(20, 0); }
void TColSel::LoadStandardPalette() { LoadPalette(47, 0); }
void TColSel::LoadWindowsSystemPalette() { LoadPalette(27, 20); }

}  // namespace zel
