// The table editor's built-in popup menus: one for data cells (marking, clear,
// clipboard, read-only, select all, empty state) and one for headers (edit the
// heading, step the precision, select, insert, delete), their captions and
// enable masks.
#include <algorithm>

#include "host/gfx/Graphics.h"
#include "host/widgets/Menus.h"
#include "ntabed/ZEL_ntabed.h"

namespace zel {

using namespace host;

namespace {

constexpr size_t kMaxCaption = 50;
constexpr int kDataItems = 12, kHeadItems = 5, kSubItems = 4;
constexpr const char* kDataCaptions[kDataItems] = {"Mark as type A", "Mark as type B",
                                                   "Unmark type A",  "Unmark type B",
                                                   "Unmark All",     "Clear",
                                                   "Copy",           "Paste",
                                                   "Data Read-Only", "Extract from Clipboard",
                                                   "Select All",     "Toggle Empty State"};
constexpr const char* kHeadCaptions[kHeadItems] = {"Edit Heading", "Change Precision", "Select..",
                                                   "Insert..", "Delete.."};
constexpr const char* kScopeCaptions[kSubItems] = {"Range", "Column", "Row", "All"};
// Data items by number.
enum : int { kClear = 6, kCopy = 7, kPaste = 8, kReadOnly = 9, kExtract = 10 };

TMenuItem* NewItem(TComponent* owner, TMenuItem* parent, const std::string& name,
                   const std::string& caption, TNotifyEvent onClick) {
  auto* item = new TMenuItem(owner);
  item->SetName(name);
  item->SetCaption(caption);
  if (onClick) item->SetOnClick(std::move(onClick));
  parent->Add(item);
  return item;
}

std::string ItemCaption(TMenuItem* const* items, int count, int Index) {
  return Index >= 1 && Index <= count ? items[Index - 1]->Caption() : std::string();
}

bool Bit(int mask, int item) { return (mask >> (item - 1)) & 1; }

}  // namespace

void TNTabEd::BuildMenus() {
  FDataMenu = new TPopupMenu(this);
  FDataMenu->SetName("PopupDTAction");
  FDataMenu->SetOnPopup([this](TObject*) { DataMenuOpening(); });
  const char* subNames[4] = {"M1It", "M2It", "U1It", "U2It"};
  for (int i = 1; i <= kDataItems; ++i) {
    TNotifyEvent action;
    switch (i) {
      case 5:
        action = [this](TObject*) { UnMarkAllElems(); };
        break;
      case kClear:
        action = [this](TObject*) { ClearSelection(); };
        break;
      case kCopy:
        action = [this](TObject*) { CopySelection(); };
        break;
      case kPaste:
        action = [this](TObject*) { PasteCopy(); };
        break;
      case kReadOnly:
        action = [this](TObject*) { SetDataReadOnly(!FReadOnly); };
        break;
      case kExtract:
        action = [this](TObject*) { ExtractFromClipboard(); };
        break;
      case 11:
        action = [this](TObject*) { SelectAllData(); };
        break;
      case 12:
        action = [this](TObject*) { ToggleEmptySelection(); };
        break;
      default:
        break;
    }
    FDItems[i - 1] = NewItem(this, FDataMenu->Items(), "DIt" + std::to_string(i),
                             kDataCaptions[i - 1], std::move(action));
  }
  for (int m = 0; m < 4; ++m) {
    const uint8_t bits = m % 2 == 0 ? kcsMarkedA : kcsMarkedB;
    const bool set = m < 2;
    TMenuItem** sub = set ? FMItems[m % 2] : FUItems[m % 2];
    for (int k = 0; k < kSubItems; ++k)
      sub[k] = NewItem(this, FDItems[m], subNames[m] + std::to_string(k + 1), kScopeCaptions[k],
                       [this, k, bits, set](TObject*) { MarkCells(k, bits, set); });
  }
  FDItems[kPaste - 1]->SetEnabled(false);  // nothing to paste yet

  FHeadMenu = new TPopupMenu(this);
  FHeadMenu->SetName("PopupHTAction");
  const TNotifyEvent headActions[kHeadItems] = {
      [this](TObject*) { EditHeading(FClickPos.X, FClickPos.Y); },
      [this](TObject*) { ChangePrecisionAtClick(); }, [this](TObject*) { SelectAtClick(); },
      [this](TObject*) { InsertAtClick(); }, [this](TObject*) { DeleteAtClick(); }};
  for (int i = 1; i <= kHeadItems; ++i)
    FHItems[i - 1] = NewItem(this, FHeadMenu->Items(), "HIt" + std::to_string(i),
                             kHeadCaptions[i - 1], headActions[i - 1]);
}

// ---------------------------------------------------------------- captions and masks

std::string TNTabEd::PopupDCaptions(int Index) const {
  return ItemCaption(FDItems, kDataItems, Index);
}
std::string TNTabEd::PopupHCaptions(int Index) const {
  return ItemCaption(FHItems, kHeadItems, Index);
}
std::string TNTabEd::PopupMCaptions(int Index) const {
  return ItemCaption(FMItems[0], kSubItems, Index);
}
std::string TNTabEd::PopupUCaptions(int Index) const {
  return ItemCaption(FUItems[0], kSubItems, Index);
}

void TNTabEd::SetPopupDCaptions(int Index, const std::string& s) {
  if (Index >= 1 && Index <= kDataItems) FDItems[Index - 1]->SetCaption(s.substr(0, kMaxCaption));
}

void TNTabEd::SetPopupHCaptions(int Index, const std::string& s) {
  if (Index >= 1 && Index <= kHeadItems) FHItems[Index - 1]->SetCaption(s.substr(0, kMaxCaption));
}

void TNTabEd::SetPopupMCaptions(int Index, const std::string& s) {
  if (Index < 1 || Index > kSubItems) return;
  for (auto& sub : FMItems) sub[Index - 1]->SetCaption(s.substr(0, kMaxCaption));
}

void TNTabEd::SetPopupUCaptions(int Index, const std::string& s) {
  if (Index < 1 || Index > kSubItems) return;
  for (auto& sub : FUItems) sub[Index - 1]->SetCaption(s.substr(0, kMaxCaption));
}

void TNTabEd::SetPopupDMask(int Mask) {
  FDMask = Mask;
  for (int i = 1; i <= kDataItems; ++i) FDItems[i - 1]->SetEnabled(Bit(Mask, i));
  // A mask cannot offer a paste of nothing.
  if (!FCopyDone) FDItems[kPaste - 1]->SetEnabled(false);
  ChangedSetup();
}

void TNTabEd::SetPopupHMask(int Mask) {
  FHMask = Mask;
  for (int i = 1; i <= kHeadItems; ++i) FHItems[i - 1]->SetEnabled(Bit(Mask, i));
  ChangedSetup();
}

// ---------------------------------------------------------------- opening

void TNTabEd::PopupAt(TPopupMenu* Menu, int X, int Y) {
  if (FOnBeforePopup) FOnBeforePopup(this, Menu);
  Menu->SetPopupComponent(this);
  const TPoint at = ClientToScreen(Point(X, Y));
  Menu->Popup(at.x, at.y);
}

void TNTabEd::ShowDataMenu(int X, int Y) {
  TBitmap box;
  box.LoadFromResourceName(FReadOnly ? "CHECKEDBOX" : "EMPTYBOX");
  FDItems[kReadOnly - 1]->SetBitmap(&box);
  PopupAt(FDataMenu, X + 10, Y - 20);
}

// Writing, clearing and extracting need writable data and their mask bit;
// pasting needs a copy besides.
void TNTabEd::DataMenuOpening() {
  FDItems[kPaste - 1]->SetEnabled(FCopyDone && Bit(FDMask, kPaste) && !FReadOnly);
  FDItems[kClear - 1]->SetEnabled(Bit(FDMask, kClear) && !FReadOnly);
  FDItems[kExtract - 1]->SetEnabled(Bit(FDMask, kExtract) && !FReadOnly);
}

bool TNTabEd::ClickOnColumnHeader() const { return FClickPos.X > FColOffset; }

void TNTabEd::ShowHeaderMenu(TGridCoord cell) {
  const bool column = cell.X > FColOffset;
  FHItems[1]->SetEnabled(column && Bit(FHMask, 2));
  FHItems[2]->SetEnabled(Bit(FHMask, 3));
  FHItems[3]->SetEnabled(Bit(FHMask, 4) && !FReadOnly);
  FHItems[4]->SetEnabled(Bit(FHMask, 5) && !FReadOnly);
  const char* what = column ? "Column" : "Row";
  FHItems[2]->SetCaption(std::string("Select ") + what);
  FHItems[3]->SetCaption(std::string("Insert ") + what);
  FHItems[4]->SetCaption(std::string("Delete ") + what);
  InvertHeaderFrame(cell);
  const TRect r = CellRect(cell.X, cell.Y);
  PopupAt(FHeadMenu, r.Left + 20, r.Top + 20);
  InvertHeaderFrame({-1, -1});
}

void TNTabEd::InvertHeaderFrame(TGridCoord cell) {
  if (FFramedCell.X >= 0) InvalidateCell(FFramedCell.X, FFramedCell.Y);
  FFramedCell = cell;
  if (cell.X >= 0) InvalidateCell(cell.X, cell.Y);
}

// ---------------------------------------------------------------- data actions

TGridRect TNTabEd::DataSelection() const {
  const TGridRect g = Selection();
  auto col = [&](int x) { return std::clamp(x - FColOffset, 1, NrOfColumns()); };
  auto row = [&](int y) { return std::clamp(y - FRowOffset, 1, NrOfRows()); };
  return {col(g.Left), row(g.Top), col(g.Right), row(g.Bottom)};
}

void TNTabEd::MarkCells(int Scope, uint8_t Bits, bool Set) {
  TGridRect b = DataSelection();
  if (Scope == 1 || Scope == 3) b.Top = 1, b.Bottom = NrOfRows();
  if (Scope == 2 || Scope == 3) b.Left = 1, b.Right = NrOfColumns();
  CellWork([&] {
    for (int r = b.Top; r <= b.Bottom; ++r)
      for (int c = b.Left; c <= b.Right; ++c) {
        const uint8_t s = Data->GetCellState(c, r);
        Data->SetCellState(c, r, Set ? uint8_t(s | Bits) : uint8_t(s & ~Bits));
      }
  });
  ChangedCellStates();
}

void TNTabEd::ClearSelection() {
  if (FOnClear) {
    FOnClear(FDItems[kClear - 1]);
    return;
  }
  const TGridRect b = DataSelection();
  CellWork([&] {
    for (int r = b.Top; r <= b.Bottom; ++r)
      for (int c = b.Left; c <= b.Right; ++c) {
        Data->ElemMatrix().SetElem(c, r, 0);
        Data->SetCellState(c, r, 0);
      }
  });
  ChangedData();
  ChangedCellStates();
}

void TNTabEd::ToggleEmptySelection() {
  const TGridRect b = DataSelection();
  CellWork([&] {
    for (int r = b.Top; r <= b.Bottom; ++r)
      for (int c = b.Left; c <= b.Right; ++c)
        Data->SetCellState(c, r, uint8_t(Data->GetCellState(c, r) ^ kcsEmpty));
  });
  ChangedCellStates();
}

void TNTabEd::SelectAllData() { SelectDataBlock(1, 1, NrOfColumns(), NrOfRows()); }

void TNTabEd::SelectDataBlock(int c0, int r0, int c1, int r1) {
  auto col = [&](int c) { return std::clamp(c, 1, NrOfColumns()) + FColOffset; };
  auto row = [&](int r) { return std::clamp(r, 1, NrOfRows()) + FRowOffset; };
  SetSelection({col(c0), row(r0), col(c1), row(r1)});
  Invalidate();
  CheckSelection();
}

// ---------------------------------------------------------------- header actions

void TNTabEd::ChangePrecisionAtClick() {
  const int c = FClickPos.X - FColOffset;
  if (c < 1 || c > NrOfColumns()) return;
  const int p = Precision(c);
  {
    TInternSuppress s(*this);  // one layout report for the whole step
    SetPrecision(c, p == -1 ? 10 : p - 1);
  }
  // Open again at once so the user can keep stepping.
  const TGridCoord cell = FClickPos;
  InvertHeaderFrame(cell);
  const TRect r = CellRect(cell.X, cell.Y);
  PopupAt(FHeadMenu, r.Left + 20, r.Top + 20);
  InvertHeaderFrame({-1, -1});
  Invalidate();
  ChangedLayout();
}

void TNTabEd::SelectAtClick() {
  const int c = FClickPos.X - FColOffset, r = FClickPos.Y - FRowOffset;
  if (ClickOnColumnHeader())
    SelectDataBlock(c, 1, c, NrOfRows());
  else
    SelectDataBlock(1, r, NrOfColumns(), r);
}

// The table's change notification is off only while the new column (row) is
// made and named; it is back on afterwards, so later edits are reported.
void TNTabEd::InsertAtClick() {
  const bool column = ClickOnColumnHeader();
  const int ix = column ? FClickPos.X - FColOffset : FClickPos.Y - FRowOffset;
  if (column) {
    InsertColumn(ix);
    Quietly([&] { Data->SetColName(ix, "(...)"); });
  } else {
    InsertRow(ix);
    Quietly([&] { Data->SetRowName(ix, "(...)"); });
  }
  Invalidate();
}

void TNTabEd::DeleteAtClick() {
  const bool column = ClickOnColumnHeader();
  Quietly([&] {
    if (column)
      RemoveColumn(FClickPos.X - FColOffset);
    else
      RemoveRow(FClickPos.Y - FRowOffset);
  });
  Invalidate();
  ChangedSetup();
}

}  // namespace zel
