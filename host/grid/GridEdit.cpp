// In-place editing: the grid's side (show, store, cancel) and the editors,
// with the pick list's drop-down.
#include <algorithm>

#include "host/grid/Grids.h"
#include "host/widgets/Look.h"
#include "host/widgets/PopupWindow.h"
#include "host/widgets/ScrollBar.h"

namespace host {

// --- the grid's side

bool TCustomGrid::CanEditShow() {
  return (FOptions & goEditing) && !(FOptions & goRowSelect) && FCurrent.X >= FFixedCols &&
         FCurrent.Y >= FFixedRows && FCurrent.X < ColCount() && FCurrent.Y < RowCount() &&
         !(ComponentState() & csDesigning);
}

TInplaceEdit* TCustomGrid::CreateEditor() { return new TInplaceEditList(this); }

void TCustomGrid::SetEditorMode(bool v) {
  if (v)
    ShowEditor();
  else
    HideEditor();
}

void TCustomGrid::ShowEditor() {
  if (!CanEditShow()) return;
  // Under row selection the cell to edit may lie beside the view.
  if (FOptions & goRowSelect) ShowCell(FCurrent.X, FCurrent.Y, true);
  FEditorMode = true;
  UpdateEditor();
}

bool TCustomGrid::IsDropDownKey(Word Key, TShiftState Shift) {
  return Key == VK_F4 || ((Key == VK_DOWN || Key == VK_UP) && (Shift & ssAlt));
}

// The list drops at once, without F2 first: the key a combo box opens with
// should open a pick-list cell the same way.
bool TCustomGrid::DropDownEditor() {
  if (!CanEditShow() || GetEditStyle(FCurrent.X, FCurrent.Y) != esPickList) return false;
  ShowEditor();
  auto* list = dynamic_cast<TInplaceEditList*>(FInplaceEdit);
  if (!FEditorMode || !list) return false;
  list->DropDown();
  return true;
}

void TCustomGrid::HideEditor() {
  FEditorMode = false;
  CloseEditor();
}

bool TCustomGrid::EditorFocused() const { return FInplaceEdit && FInplaceEdit->Focused(); }

// Puts the editor on the current cell, loading its text when the cell changed.
void TCustomGrid::UpdateEditor() {
  if (!FEditorMode) return;
  if (!CanEditShow()) {
    HideEditor();
    return;
  }
  if (!FInplaceEdit) {
    FInplaceEdit = CreateEditor();
    FInplaceEdit->FGrid = this;
    FInplaceEdit->SetParent(this);
  }
  const bool fresh = FInplaceCol != FCurrent.X || FInplaceRow != FCurrent.Y;
  FInplaceCol = FCurrent.X;
  FInplaceRow = FCurrent.Y;
  if (fresh) FInplaceEdit->UpdateContents();
  FInplaceEdit->Move(CellRect(FCurrent.X, FCurrent.Y));
  if (fresh && Focused() && FInplaceEdit->CanFocus()) FInplaceEdit->SetFocus();
}

// Stores the editor's text, but only when the user changed it: the text the
// grid gave may not read back to the same value (a shortened or rounded
// display), and merely opening an editor must never alter a cell.
void TCustomGrid::StoreEdit() {
  if (!FInplaceEdit || FInplaceCol < 0) return;
  const std::string text = FInplaceEdit->Text();
  if (text == FInplaceEdit->FOriginal) return;
  FInplaceEdit->FOriginal = text;
  SetEditText(FInplaceCol, FInplaceRow, text);
}

void TCustomGrid::CloseEditor() {
  if (!FInplaceEdit || FInplaceCol < 0) return;
  const bool hadFocus = EditorFocused();
  StoreEdit();
  InvalidateCell(FInplaceCol, FInplaceRow);
  FInplaceCol = FInplaceRow = -1;
  if (auto* list = dynamic_cast<TInplaceEditList*>(FInplaceEdit)) list->CloseUp(false);
  // The focus comes back to the grid before the editor goes, so it never
  // falls out of the control.
  if (hadFocus && CanFocus()) SetFocus();
  FInplaceEdit->Hide();
}

void TCustomGrid::CancelEdit() {
  if (FInplaceEdit && FInplaceCol >= 0) FInplaceEdit->SetText(FInplaceEdit->FOriginal);
  HideEditor();
}

void TCustomGrid::TypeIntoEditor(char32_t ch) {
  ShowEditor();
  if (!FInplaceEdit || !FEditorMode) return;
  // The typed character replaces the selected (whole) text. It goes straight
  // to the editor's KeyPress: the form's key preview has already seen it on
  // its way to the grid.
  FInplaceEdit->KeyPress(ch);
}

// --- TInplaceEdit

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
  SetBorderStyle(bsNone);
  SetAutoSize(false);
  SetTabStop(false);
  SetVisible(false);
}

void TInplaceEdit::UpdateContents() {
  FOriginal = FGrid->GetEditText(FGrid->FInplaceCol, FGrid->FInplaceRow);
  SetText(FOriginal);
  SelectAll();
  SetModified(false);
}

void TInplaceEdit::Move(const TRect& r) {
  SetBoundsRect(r);
  Show();
  Invalidate();
}

void TInplaceEdit::WMGetDlgCode(TMessage& Message) {
  // Enter and Escape end the edit rather than pressing the form's buttons.
  Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS;
  if (FGrid && (FGrid->Options() & goTabs)) Message.Result |= DLGC_WANTTAB;
}

bool TInplaceEdit::ForwardsToGrid(Word Key, TShiftState Shift) const {
  // Left and Right leave the editor only from the matching end of the text,
  // with nothing selected; Home and End only with Ctrl.
  const int len = Buffer().Length();
  const bool caretOnly = SelLength() == 0 && !(Shift & ssShift);
  switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
      return true;
    case VK_LEFT:
      return (Shift & ssCtrl) || (caretOnly && SelStart() == 0);
    case VK_RIGHT:
      return (Shift & ssCtrl) || (caretOnly && SelStart() == len);
    case VK_HOME:
    case VK_END:
      return Shift & ssCtrl;
    case VK_TAB:
      return FGrid && (FGrid->Options() & goTabs);
    default:
      return false;
  }
}

void TInplaceEdit::KeyDown(Word& Key, TShiftState Shift) {
  if (FGrid && Key == VK_ESCAPE) {
    FGrid->CancelEdit();
    Key = 0;
    return;
  }
  if (FGrid && ForwardsToGrid(Key, Shift)) {
    FGrid->KeyDown(Key, Shift);
    Key = 0;
    return;
  }
  TCustomEdit::KeyDown(Key, Shift);
}

void TInplaceEdit::KeyPress(char32_t& Key) {
  if (FGrid && (Key == U'\r' || Key == U'\t' || Key == 27)) {
    // Enter goes to the grid, which ends the edit (and may advance).
    if (Key == U'\r') FGrid->KeyPress(Key);
    Key = 0;
    return;
  }
  TCustomEdit::KeyPress(Key);
}

void TInplaceEdit::WMKillFocus(TMessage& Message) {
  TCustomEdit::WMKillFocus(Message);
  // Leaving for another control stores the text, so no edit is lost; the
  // editor stays open over its cell.
  if (!FGrid || (FGrid->ComponentState() & csDestroying)) return;
  TWinControl* now = Screen->ActiveControl();
  if (now != FGrid && now != this) FGrid->StoreEdit();
}

// The wheel belongs to the grid: it moves the current row.
bool TInplaceEdit::DoMouseWheelDown(TShiftState, TPoint) { return false; }
bool TInplaceEdit::DoMouseWheelUp(TShiftState, TPoint) { return false; }

// --- the drop-down of a pick list

// The list under a TInplaceEditList: one row a value, the current one lit; the
// mouse or Up, Down, Page Up, Page Down, Enter and Escape choose. It is open
// only while the edit has the focus, and takes the input meanwhile.
class TPickListPopup : public TPopupWindow {
 public:
  explicit TPickListPopup(TInplaceEditList* edit);
  int ItemIndex() const { return FIndex; }
  void SetItemIndex(int i);
  void Open();
  std::string ClassName() const override { return "TPickListPopup"; }

 protected:
  void Paint() override;

 private:
  TInplaceEditList* FEdit;
  TWindowScrollBar FBar{this, sbVertical};  // positions are rows
  int FIndex = -1;
  int FRowHeight = 16;
  int Rows() const { return int(FBar.PageSize()); }
  int TopRow() const { return int(FBar.Position()); }
  int ItemAt(int y) const { return y < 1 ? -1 : TopRow() + (y - 1) / FRowHeight; }
  // Inside the frame; empty while every value fits.
  TRect BarRect() const {
    if (!FBar.Active()) return TRect{};
    return TWindowScrollBar::EdgeStrip(Rect(1, 1, Width() - 1, Height() - 1), sbVertical);
  }
  bool Route(const TBackendEvent& ev);
  void RouteMouse(const TBackendEvent& ev);
  bool ScrollBarMouse(const TBackendEvent& ev, TPoint p);
};

TPickListPopup::TPickListPopup(TInplaceEditList* edit) : TPopupWindow(nullptr), FEdit(edit) {
  SetColor(clWindow);
  TCanvas* c = Canvas();
  c->SetFont(edit->Font());
  SetFont(edit->Font());
  FRowHeight = c->TextHeight("Ag") + 2;
  TStrings* items = edit->PickList();
  const int rows = std::clamp(items->Count(), 1, edit->DropDownRows());
  FBar.SetRows(items->Count(), rows);
  int widest = 0;
  for (int i = 0; i < items->Count(); ++i)
    widest = std::max(widest, c->TextWidth(items->Strings(i)));
  const int bar = FBar.Active() ? TWindowScrollBar::kThickness : 0;
  SetBounds(0, 0, std::max(edit->Width(), widest + 8 + bar), rows * FRowHeight + 2);
  FBar.SetBounds(BarRect());
  SetInputRouter([this](const TBackendEvent& ev) { return Route(ev); });
  // A press anywhere else (the edit's own button too) closes the list.
  SetOnOutsidePress([edit] { edit->CloseUp(false); });
}

void TPickListPopup::Open() {
  const TPoint at = FEdit->ClientToScreen(Point(0, FEdit->Height()));
  PopupAt(at.x, at.y);
}

void TPickListPopup::SetItemIndex(int i) {
  const int n = FEdit->PickList()->Count();
  if (n == 0) return;
  i = std::clamp(i, 0, n - 1);
  FIndex = i;
  FBar.MakeRowVisible(i);  // the lit row stays in view
  Invalidate();
}

void TPickListPopup::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(clWindowFrame);
  c->FrameRect(r);
  TStrings* items = FEdit->PickList();
  const int textRight = Width() - 1 - BarRect().Width();
  c->SetFont(Font());
  for (int k = 0; k < Rows(); ++k) {
    const int i = TopRow() + k;
    const TRect row = Rect(1, 1 + k * FRowHeight, textRight, 1 + (k + 1) * FRowHeight);
    const bool lit = i == FIndex;
    c->Brush()->SetColor(lit ? clHighlight : clWindow);
    c->Font()->SetColor(lit ? clHighlightText : clWindowText);
    c->TextRect(row, row.Left + 2, row.Top + 1, i < items->Count() ? items->Strings(i) : "");
  }
  FBar.Paint(c);
}

bool TPickListPopup::Route(const TBackendEvent& ev) {
  switch (ev.Kind) {
    case bekKeyDown: {
      // Modifier presses go on, so the loop knows they are held: Alt+Down is
      // told from Down by that state as well as by the event's own.
      if (IsModifierKey(ev.Key)) return false;
      const Word key = ev.Key;
      const bool alt = (ev.Shift | KeyboardShiftState()) & ssAlt;
      if ((key == VK_DOWN || key == VK_UP) && !alt) {
        SetItemIndex(FIndex + (key == VK_DOWN ? 1 : -1));
      } else if (key == VK_NEXT || key == VK_PRIOR) {
        SetItemIndex(FIndex + (key == VK_NEXT ? Rows() : -Rows()));
      } else if (key == VK_RETURN || key == VK_ESCAPE || key == VK_F4 || key == VK_DOWN ||
                 key == VK_UP) {
        // This popup is gone after CloseUp: only locals from here on.
        FEdit->CloseUp(key != VK_ESCAPE);
        SwallowKeyRest(key);
      }
      return true;
    }
    case bekChar:
      return true;
    case bekKeyUp:
      return !IsModifierKey(ev.Key);
    case bekMouseDown:
    case bekMouseUp:
    case bekMouseMove:
      RouteMouse(ev);
      return true;
    case bekMouseWheel:
      if (FBar.SetPosition(FBar.Position() + (ev.WheelDelta < 0 ? 1 : -1))) Invalidate();
      return true;
    default:
      return false;
  }
}

void TPickListPopup::RouteMouse(const TBackendEvent& ev) {
  TPoint s;
  if (!ScreenPointOf(ev, s)) return;
  const TPoint p = ScreenToClient(s);
  if (ScrollBarMouse(ev, p) || !ClientRect().Contains(p.x, p.y)) return;
  const int i = ItemAt(p.y);
  if (i < 0 || i >= FEdit->PickList()->Count()) return;
  SetItemIndex(i);
  if (ev.Kind == bekMouseUp) FEdit->CloseUp(true);
}

// The popup routes raw input itself, so it hands the bar its share: a press
// on the bar, and every move and release, inside or out, until that press ends.
bool TPickListPopup::ScrollBarMouse(const TBackendEvent& ev, TPoint p) {
  if (ev.Kind == bekMouseDown) return ev.Button == mbLeft && FBar.MouseDown(p.x, p.y);
  if (ev.Kind == bekMouseMove) return FBar.MouseMove(p.x, p.y);
  return ev.Button == mbLeft && FBar.MouseUp(p.x, p.y);
}

// --- TInplaceEditList

TInplaceEditList::TInplaceEditList(TComponent* AOwner) : TInplaceEdit(AOwner) {}

TInplaceEditList::~TInplaceEditList() = default;

void TInplaceEditList::UpdateContents() {
  CloseUp(false);
  FEditStyle = Grid()->GetEditStyle(Grid()->Col(), Grid()->Row());
  // Values the event supplies are asked for afresh on each edit.
  if (FOnGetPickListItems) {
    FPickList.Clear();
    FPickListLoaded = false;
  }
  TInplaceEdit::UpdateContents();
}

TRect TInplaceEditList::ButtonRect() const {
  if (FEditStyle == esSimple) return TRect{};
  return Rect(std::max(Width() - TWindowScrollBar::kThickness, 0), 0, Width(), Height());
}

void TInplaceEditList::Paint() {
  TInplaceEdit::Paint();
  const TRect b = ButtonRect();
  if (b.IsEmpty()) return;
  TCanvas* c = Canvas();
  if (FEditStyle == esPickList) {
    DrawDropDownButton(c, b, ListVisible(), true);
    return;
  }
  // The ellipsis button: three dots where the pick list has its arrow.
  const TRect face = DrawButtonFace(c, b, fsUp);
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(clBtnText);
  const int cx = (face.Left + face.Right) / 2, cy = (face.Top + face.Bottom) / 2;
  for (int k = -1; k <= 1; ++k) c->FillRect(Rect(cx + 3 * k - 1, cy + 2, cx + 3 * k + 1, cy + 4));
}

void TInplaceEditList::WMLButtonDown(TWMMouse& Message) {
  if (ButtonRect().Contains(Message.XPos, Message.YPos)) {
    ButtonPressed();
    return;
  }
  TInplaceEdit::WMLButtonDown(Message);
}

void TInplaceEditList::WMLButtonDblClk(TWMMouse& Message) {
  // A quick second press on the button is just another press of it.
  if (ButtonRect().Contains(Message.XPos, Message.YPos)) {
    ButtonPressed();
    return;
  }
  // A double click in a pick list steps to the next value, as the platform does.
  if (FEditStyle == esPickList) {
    SelectNextValue(1);
    return;
  }
  TInplaceEdit::WMLButtonDblClk(Message);
}

void TInplaceEditList::ButtonPressed() {
  if (FEditStyle == esEllipsis) {
    if (FOnEditButtonClick) FOnEditButtonClick(Grid());
    return;
  }
  if (ListVisible())
    CloseUp(false);
  else
    DropDown();
}

void TInplaceEditList::KeyDown(Word& Key, TShiftState Shift) {
  if (FEditStyle == esPickList && TCustomGrid::IsDropDownKey(Key, Shift)) {
    ButtonPressed();
    Key = 0;
    return;
  }
  TInplaceEdit::KeyDown(Key, Shift);
}

void TInplaceEditList::DropDown() {
  if (FEditStyle != esPickList || ListVisible() || !Grid()) return;
  if (!FPickListLoaded && FOnGetPickListItems) {
    FOnGetPickListItems(Grid()->Col(), Grid()->Row(), &FPickList);
    FPickListLoaded = true;
  }
  if (FPickList.Count() == 0) return;
  FList = std::make_unique<TPickListPopup>(this);
  FList->SetItemIndex(std::max(FPickList.IndexOf(Text()), 0));
  FList->Open();
  Invalidate();
}

void TInplaceEditList::CloseUp(bool Accept) {
  if (!FList) return;
  // Off the member first: closing hands the focus back, which may call here again.
  std::unique_ptr<TPickListPopup> list = std::move(FList);
  const int i = list->ItemIndex();
  list->ClosePopup();
  list.reset();
  if (Accept && i >= 0 && i < FPickList.Count()) {
    SetText(FPickList.Strings(i));
    SelectAll();
  }
  Invalidate();
}

void TInplaceEditList::SelectNextValue(int step) {
  if (!FPickListLoaded && FOnGetPickListItems) {
    FOnGetPickListItems(Grid()->Col(), Grid()->Row(), &FPickList);
    FPickListLoaded = true;
  }
  const int n = FPickList.Count();
  if (n == 0) return;
  const int i = FPickList.IndexOf(Text());
  SetText(FPickList.Strings(((i + step) % n + n) % n));
  SelectAll();
}

void TInplaceEditList::WMKillFocus(TMessage& Message) {
  CloseUp(false);
  TInplaceEdit::WMKillFocus(Message);
}

}  // namespace host
