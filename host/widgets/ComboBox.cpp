#include "host/widgets/ComboBox.h"

#include <algorithm>

#include "host/gfx/Utf8.h"
#include "host/widgets/ComboListBox.h"
#include "host/widgets/Look.h"
#include "host/widgets/StdCtrls.h"

namespace host {

namespace {

constexpr int kButtonWidth = 16;
constexpr int64_t kTypeAheadMs = 1000;

// True when the text is one character typed again and again ("aaa").
bool IsRepeat(const std::string& s) {
  return s.size() > 1 && std::all_of(s.begin(), s.end(), [&](char c) { return c == s[0]; });
}

}  // namespace

// The edit box of the editable styles: the list keys go to the combo box.
class TComboEdit : public TEdit {
 public:
  explicit TComboEdit(TCustomComboBox* box) : TEdit(box), FBox(box) {
    SetBorderStyle(bsNone);
    SetAutoSize(false);
    SetTabStop(false);
  }
  std::string ClassName() const override { return "TComboEdit"; }

 protected:
  void WMGetDlgCode(TMessage& m) override {
    TEdit::WMGetDlgCode(m);
    if (FBox->DroppedDown()) m.Result |= DLGC_WANTALLKEYS;
  }
  void KeyDown(Word& Key, TShiftState Shift) override {
    if (FBox->OnKeyDown()) FBox->OnKeyDown()(FBox, Key, Shift);
    if (Key != 0 && FBox->HandleListKey(Key, Shift)) Key = 0;
    if (Key != 0) TEdit::KeyDown(Key, Shift);
  }
  void KeyPress(char32_t& Key) override {
    if (FBox->OnKeyPress()) FBox->OnKeyPress()(FBox, Key);
    if (Key == '\r' || Key == 27) Key = 0;  // spent on the list
    if (Key != 0) TEdit::KeyPress(Key);
  }
  void Change() override {
    TEdit::Change();
    FBox->EditChanged();
  }
  void WMKillFocus(TMessage& m) override {
    TEdit::WMKillFocus(m);
    FBox->CloseList(false);
    FBox->Invalidate();
  }
  void WMSetFocus(TMessage& m) override {
    TEdit::WMSetFocus(m);
    FBox->Invalidate();
  }

 private:
  TCustomComboBox* FBox;
};

// --- the combo box

TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TCustomControl(AOwner) {
  SetColor(clWindow);
  SetTabStop(true);
  // A click on the box only opens the list; OnClick means a choice.
  SetControlStyle(TControlStyle((ControlStyle() | csOpaque) & ~csClickEvents));
  FDrop = std::make_unique<TDropDownWindow>(this, std::make_unique<TComboListBox>(this));
  FDrop->SetOnDismiss([this] { CloseList(false); });
  FEdit = new TComboEdit(this);
  FEdit->SetParent(this);
  SetBounds(Left(), Top(), 145, AutoHeight());
}

TCustomComboBox::~TCustomComboBox() { FDrop.reset(); }

TCanvas* TCustomComboBox::Canvas() const {
  return FDrawCanvas ? FDrawCanvas : TCustomControl::Canvas();
}

TCustomControl* TCustomComboBox::ListControl() const { return FDrop->Content(); }

int TCustomComboBox::ItemHeight() const {
  if (FItemHeight > 0) return FItemHeight;
  TCanvas* c = TCustomControl::Canvas();
  c->Font()->Assign(const_cast<TCustomComboBox*>(this)->Font());
  return c->TextHeight("Ag") + 2;
}

void TCustomComboBox::SetItemHeight(int v) {
  v = std::max(0, v);
  if (v == FItemHeight) return;
  FItemHeight = v;
  SetBounds(Left(), Top(), Width(), Height());
  Invalidate();
}

int TCustomComboBox::AutoHeight() const { return ItemHeight() + 6; }

void TCustomComboBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  // The height follows the items, as on the platform.
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AutoHeight());
  UpdateEdit();
}

TRect TCustomComboBox::ButtonRect() const {
  return Rect(std::max(2, Width() - 2 - kButtonWidth), 2, Width() - 2, Height() - 2);
}

TRect TCustomComboBox::ListItemRect(int i) const {
  auto* list = static_cast<TComboListBox*>(FDrop->Content());
  const int ih = ItemHeight();
  const int right = list->Width() - 1 - list->ScrollRect().Width();
  const int y = 1 + (i - int(list->Scroll().Position())) * ih;
  return Rect(1, y, right, y + ih);
}

void TCustomComboBox::UpdateEdit() {
  if (!FEdit) return;
  FEdit->SetVisible(HasEdit());
  // Tab and Shift+Tab stop at the edit box itself, so neither gets stuck
  // between the box and its edit.
  FEdit->SetTabStop(HasEdit());
  SetTabStop(!HasEdit());
  if (!HasEdit()) return;
  const int ih = ItemHeight();
  const int top = std::max(3, (Height() - ih) / 2 + 1);
  FEdit->SetBounds(4, top, std::max(0, ButtonRect().Left - 5), std::max(0, Height() - 3 - top));
  FEdit->SetMaxLength(FMaxLength);
  FEdit->SetEnabled(Enabled());
  if (FEdit->Text() != Text()) {
    FSyncing = true;
    FEdit->SetText(Text());
    FSyncing = false;
  }
}

void TCustomComboBox::SetStyle(TComboBoxStyle s) {
  if (s == FStyle) return;
  FStyle = s;
  if (!HasEdit() && FItemIndex < 0 && !Text().empty()) SetText("");
  UpdateEdit();
  Invalidate();
}

void TCustomComboBox::SetSorted(bool v) {
  if (v == FSorted) return;
  FSorted = v;
  if (!v) return;
  const std::string chosen = FItems.Strings(FItemIndex);
  FItems.Sort();
  if (FItemIndex >= 0) FItemIndex = FItems.IndexOf(chosen);
  Invalidate();
}

void TCustomComboBox::SetDropDownCount(int v) { FDropDownCount = std::max(1, v); }

void TCustomComboBox::SetMaxLength(int v) {
  FMaxLength = std::max(0, v);
  UpdateEdit();
}

void TCustomComboBox::SetEnabled(bool e) {
  TCustomControl::SetEnabled(e);
  if (!e) CloseList(false);
  UpdateEdit();
}

void TCustomComboBox::SetItemIndex(int i) {
  if (i < -1 || i >= FItems.Count()) i = -1;
  FItemIndex = i;
  FSyncing = true;
  if (i >= 0 || !HasEdit()) SetText(FItems.Strings(i));
  FSyncing = false;
  UpdateEdit();
  Invalidate();
}

void TCustomComboBox::Clear() {
  FItems.Clear();
  SetText("");
}

std::string TCustomComboBox::SelText() const { return FEdit && HasEdit() ? FEdit->SelText() : ""; }

void TCustomComboBox::ItemsChanged(int removedAt, bool cleared) {
  if (cleared) {
    FItemIndex = -1;
    FHot = -1;
  } else if (removedAt >= 0) {
    if (FItemIndex == removedAt)
      FItemIndex = -1;
    else if (FItemIndex > removedAt)
      --FItemIndex;
  }
  if (FItemIndex >= FItems.Count()) FItemIndex = -1;
  if (FHot >= FItems.Count()) FHot = FItems.Count() - 1;
  if (DroppedDown()) OpenList();  // resizes the list to the new items
  Invalidate();
}

void TCustomComboBox::CMTextChanged(TMessage& Message) {
  TCustomControl::CMTextChanged(Message);
  if (FSyncing) return;
  // Text set by the program: a list style shows it only when it is an item.
  if (!HasEdit()) {
    const int i = FItems.IndexOf(Text());
    if (i != FItemIndex) {
      FItemIndex = i;
      if (i < 0 && !Text().empty()) {
        FSyncing = true;
        SetText("");
        FSyncing = false;
      }
    }
  } else {
    FItemIndex = FItems.IndexOf(Text());
  }
  UpdateEdit();
}

void TCustomComboBox::CMFontChanged(TMessage& Message) {
  TCustomControl::CMFontChanged(Message);
  SetBounds(Left(), Top(), Width(), Height());
}

void TCustomComboBox::EditChanged() {
  if (FSyncing) return;
  FSyncing = true;
  SetText(FEdit->Text());
  FSyncing = false;
  FItemIndex = FItems.IndexOf(Text());
  Change();
}

void TCustomComboBox::Loaded() {
  TCustomControl::Loaded();
  UpdateEdit();
}

void TCustomComboBox::Click() { TCustomControl::Click(); }

void TCustomComboBox::DropDown() { FireDropDown(this); }

void TCustomComboBox::CloseUp() { FireCloseUp(this); }

void TCustomComboBox::Select() {
  if (FOnSelect)
    FOnSelect(this);
  else
    Change();
}

void TCustomComboBox::Change() {
  if (FOnChange) FOnChange(this);
}

void TCustomComboBox::Choose(int i) {
  if (i < 0 || i >= FItems.Count()) return;
  if (i == FItemIndex && Text() == FItems.Strings(i)) return;
  SetItemIndex(i);
  if (FEdit && HasEdit()) FEdit->SelectAll();
  Click();
  Select();
}

bool TCustomComboBox::DroppedDown() const { return FDrop && FDrop->IsOpen(); }

void TCustomComboBox::SetDroppedDown(bool v) {
  if (v == DroppedDown()) return;
  if (v) {
    // The list takes the mouse from here on; a modal dialog that DropDown may
    // show must not find it captured by the box.
    SetMouseCapture(false);
    DropDown();
    OpenList();
  } else {
    CloseList(false);
  }
}

void TCustomComboBox::OpenList() {
  auto* list = static_cast<TComboListBox*>(FDrop->Content());
  const int count = FItems.Count();
  const int rows = std::clamp(count, 1, FDropDownCount);
  list->Scroll().SetRows(count, rows);
  if (!DroppedDown()) {
    FHot = FItemIndex;
    if (FHot >= 0 && (FHot < list->Scroll().Position() || FHot >= list->Scroll().Position() + rows))
      list->Scroll().SetPosition(FHot - rows / 2);
  }
  list->SetFont(Font());
  FDrop->Open(Width(), rows * ItemHeight() + 2);
  list->Invalidate();
  Invalidate();
}

void TCustomComboBox::CloseList(bool accept) {
  if (!DroppedDown()) return;
  const int chosen = FHot;
  FDrop->Close();
  Invalidate();
  CloseUp();
  if (accept) Choose(chosen);
}

void TCustomComboBox::MoveHot(int delta) {
  const int count = FItems.Count();
  if (count == 0) return;
  int from = DroppedDown() ? FHot : FItemIndex;
  if (from < 0) from = delta > 0 ? -1 : count;  // nothing chosen: from before the ends
  const int to = std::clamp(from + delta, 0, count - 1);
  if (!DroppedDown()) {
    Choose(to);
    return;
  }
  FHot = to;
  auto* list = static_cast<TComboListBox*>(FDrop->Content());
  list->Scroll().MakeRowVisible(to);
  list->Invalidate();
}

void TCustomComboBox::TypeAhead(char32_t ch) {
  const int64_t now = Application->Now();
  if (now - FSearchTime > kTypeAheadMs) FSearch.clear();
  FSearchTime = now;
  AppendUtf8(FSearch, ch);
  const int count = FItems.Count();
  if (count == 0) return;
  const int current = DroppedDown() ? FHot : FItemIndex;
  // A repeated letter steps through the items that start with it; a longer
  // prefix stays on the current item while it still matches.
  const bool repeat = IsRepeat(FSearch);
  const std::string prefix = repeat ? FSearch.substr(0, 1) : FSearch;
  const int start = (FSearch.size() > 1 && !repeat) ? std::max(current, 0) : current + 1;
  for (int k = 0; k < count; ++k) {
    const int i = ((start + k) % count + count) % count;
    if (!TComboBoxStrings::StartsNoCase(ItemText(i), prefix)) continue;
    if (DroppedDown())
      MoveHot(i - FHot);
    else
      Choose(i);
    return;
  }
}

bool TCustomComboBox::HandleListKey(Word key, TShiftState shift) {
  const bool alt = shift & ssAlt;
  if (key == VK_F4 || (alt && (key == VK_DOWN || key == VK_UP))) {
    SetDroppedDown(!DroppedDown());
    return true;
  }
  const int page = std::max(1, FDropDownCount - 1);
  switch (key) {
    case VK_UP:
      MoveHot(-1);
      return true;
    case VK_DOWN:
      MoveHot(1);
      return true;
    case VK_PRIOR:
      MoveHot(-page);
      return true;
    case VK_NEXT:
      MoveHot(page);
      return true;
    case VK_HOME:
    case VK_END:
      // In an edit box these move the caret unless the list is open.
      if (HasEdit() && !DroppedDown()) return false;
      MoveHot(key == VK_HOME ? -FItems.Count() : FItems.Count());
      return true;
    case VK_RETURN:
    case VK_ESCAPE:
      if (!DroppedDown()) return false;
      CloseList(key == VK_RETURN);
      return true;
    default:
      return false;
  }
}

void TCustomComboBox::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key != 0 && HandleListKey(Key, Shift)) Key = 0;
}

void TCustomComboBox::KeyPress(char32_t& Key) {
  TCustomControl::KeyPress(Key);
  if (Key == 0) return;
  if (HasEdit()) {
    // Keys typed while the box has the focus itself belong to its edit box.
    if (FEdit->CanFocus()) {
      FEdit->SetFocus();
      FEdit->Perform(WM_CHAR, WPARAM(Key));
    }
  } else if (Key >= ' ') {
    TypeAhead(Key);
  }
  Key = 0;
}

void TCustomComboBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (HasEdit() && FEdit->CanFocus())
    FEdit->SetFocus();
  else
    FocusByMouse(this);
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  // A list style opens anywhere; an edit box only on its button.
  if (!HasEdit() || ButtonRect().Contains(X, Y)) SetDroppedDown(!DroppedDown());
}

bool TCustomComboBox::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  if (TCustomControl::DoMouseWheelDown(Shift, MousePos)) return true;
  MoveHot(1);
  return true;
}

bool TCustomComboBox::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  if (TCustomControl::DoMouseWheelUp(Shift, MousePos)) return true;
  MoveHot(-1);
  return true;
}

void TCustomComboBox::WMGetDlgCode(TMessage& Message) {
  Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | (DroppedDown() ? DLGC_WANTALLKEYS : 0);
}

void TCustomComboBox::WMSetFocus(TMessage& Message) {
  // An edit box takes the focus over from the box.
  if (HasEdit() && FEdit->CanFocus()) {
    FEdit->SetFocus();
    FEdit->SelectAll();
  }
  Invalidate();
}

void TCustomComboBox::WMKillFocus(TMessage& Message) {
  // Handing the focus to the own edit box keeps the list open.
  TForm* f = GetParentForm(this);
  if (!(HasEdit() && f && f->ActiveControl() == FEdit)) CloseList(false);
  Invalidate();
}

// --- painting

void TCustomComboBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  if (FOnDrawItem && OwnerDraws()) {
    FOnDrawItem(this, Index, Rect, State);
    return;
  }
  TCanvas* c = Canvas();
  c->FillRect(Rect);
  if (Index >= 0)
    c->TextRect(Rect, Rect.Left + 2, Rect.Top + (Rect.Height() - c->TextHeight("Ag")) / 2,
                FItems.Strings(Index));
}

void TCustomComboBox::PaintList(TCanvas* c, int width, int height) {
  auto* list = static_cast<TComboListBox*>(FDrop->Content());
  c->Brush()->SetColor(clWindowFrame);
  c->FrameRect(Rect(0, 0, width, height));
  c->Brush()->SetColor(Color());
  c->FillRect(Rect(1, 1, width - 1, height - 1));
  FDrawCanvas = c;
  c->IntersectClip(Rect(1, 1, ListItemRect(0).Right, height - 1));
  for (int i = int(list->Scroll().Position()); i < FItems.Count(); ++i) {
    const TRect r = ListItemRect(i);
    if (r.Top >= height - 1) break;
    const bool hot = i == FHot;
    c->Font()->Assign(Font());
    c->Brush()->SetColor(hot ? clHighlight : Color());
    if (hot) c->Font()->SetColor(clHighlightText);
    DrawItem(i, r, TOwnerDrawState(hot ? (odSelected | odFocused) : 0));
    if (hot) DrawFocusRect(c, r);
  }
  FDrawCanvas = nullptr;
  list->Scroll().Paint(list->Canvas());
}

void TCustomComboBox::Paint() {
  TCanvas* c = TCustomControl::Canvas();
  TRect r = Rect(0, 0, Width(), Height());
  DrawSunkenEdge(c, r);
  c->Brush()->SetColor(Enabled() ? Color() : clBtnFace);
  c->FillRect(r);
  DrawDropDownButton(c, ButtonRect(), DroppedDown(), Enabled());
  if (HasEdit()) return;  // the edit box shows the text
  const TRect item = Rect(3, 3, ButtonRect().Left - 1, Height() - 3);
  const bool focused = Focused() && !DroppedDown();
  c->Font()->Assign(Font());
  c->Brush()->SetColor(focused ? clHighlight : (Enabled() ? Color() : clBtnFace));
  if (focused) c->Font()->SetColor(clHighlightText);
  if (!Enabled()) c->Font()->SetColor(clGrayText);
  TOwnerDrawState state = odComboBoxEdit;
  if (focused) state |= odSelected | odFocused;
  if (!Enabled()) state |= odDisabled | odGrayed;
  FDrawCanvas = c;
  c->IntersectClip(item);
  if (FItemIndex >= 0)
    DrawItem(FItemIndex, item, state);
  else
    c->FillRect(item);
  FDrawCanvas = nullptr;
  if (focused) DrawFocusRect(c, item);
}

}  // namespace host
