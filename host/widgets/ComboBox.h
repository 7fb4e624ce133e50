// The combo box: an edit box or a fixed choice with a list that drops down.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/ui/Forms.h"
#include "host/widgets/ComboBoxStrings.h"
#include "host/widgets/DropDown.h"

namespace host {

class TEdit;

enum TComboBoxStyle : uint8_t {
  csDropDown,          // an edit box with a list to drop down
  csSimple,            // shown as csDropDown here
  csDropDownList,      // a choice from the list only
  csOwnerDrawFixed,    // csDropDownList whose items the program draws
  csOwnerDrawVariable  // shown as csOwnerDrawFixed here
};

// How an item is shown when it is drawn (a bit set).
enum TOwnerDrawStateFlag : uint16_t {
  odSelected = 1 << 0,
  odGrayed = 1 << 1,
  odDisabled = 1 << 2,
  odChecked = 1 << 3,
  odFocused = 1 << 4,
  odDefault = 1 << 5,
  odHotLight = 1 << 6,
  odInactive = 1 << 7,
  odNoAccel = 1 << 8,
  odNoFocusRect = 1 << 9,
  odComboBoxEdit = 1 << 12,  // the item shown in the closed box, not in the list
};
using TOwnerDrawState = uint16_t;

using TDrawItemEvent =
    std::function<void(TWinControl* Control, int Index, const TRect& Rect, TOwnerDrawState State)>;

// An edit box or a fixed choice with a list that drops down. A choice from
// the list (mouse, or keys in the closed box) runs Click (OnClick) and then
// Select (OnSelect, or else Change and OnChange); a dropped list closes with
// CloseUp (OnCloseUp) before those. Setting ItemIndex or Text by program fires
// nothing. Owner-drawn styles draw each item through DrawItem (OnDrawItem),
// with Canvas() bound to the list (or to the box for the item it shows).
class TCustomComboBox : public TCustomControl, public TDropDownEvents {
 public:
  explicit TCustomComboBox(TComponent* AOwner);
  ~TCustomComboBox() override;

  TComboBoxStrings* Items() { return &FItems; }
  int ItemIndex() const { return FItemIndex; }
  // Selects item i (-1: none) and shows its text; out of range means none.
  void SetItemIndex(int i);
  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle s);
  bool Sorted() const { return FSorted; }
  void SetSorted(bool v);
  // Lines the dropped list shows before it scrolls (default 8).
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int v);
  // Height of a list item; 0 (the default) follows the font.
  int ItemHeight() const;
  void SetItemHeight(int v);
  // Most characters the edit box takes (0: no limit).
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int v);
  bool DroppedDown() const;
  void SetDroppedDown(bool v);
  // The canvas item drawing uses: the list's while it draws, else the box's.
  TCanvas* Canvas() const;
  // The list control inside the drop-down window (for tests and descendants).
  TCustomControl* ListControl() const;
  // The list row of item i in list-control coordinates.
  TRect ListItemRect(int i) const;
  void Clear();
  // The text shown: the edit box's text, or the chosen item's.
  std::string SelText() const;

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent e) { FOnChange = std::move(e); }
  const TNotifyEvent& OnSelect() const { return FOnSelect; }
  void SetOnSelect(TNotifyEvent e) { FOnSelect = std::move(e); }
  const TDrawItemEvent& OnDrawItem() const { return FOnDrawItem; }
  void SetOnDrawItem(TDrawItemEvent e) { FOnDrawItem = std::move(e); }

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetEnabled(bool e) override;
  std::string ClassName() const override { return "TCustomComboBox"; }

 protected:
  // About to drop down: fires OnDropDown. The list shows when it returns.
  virtual void DropDown();
  virtual void CloseUp();
  virtual void Select();
  virtual void Change();
  // Draws item Index (-1: the empty box) in Rect on Canvas(): OnDrawItem, or
  // the text on the brush colour.
  virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);
  // The text type-ahead matches item Index by: its string. An owner-drawn box
  // that shows other text than its strings gives that text here.
  virtual std::string ItemText(int Index) const { return FItems.Strings(Index); }
  void Click() override;
  void Loaded() override;

  void Paint() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char32_t& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void WMGetDlgCode(TMessage& Message) override;
  void WMSetFocus(TMessage& Message) override;
  void WMKillFocus(TMessage& Message) override;
  void CMTextChanged(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;

 private:
  friend class TComboBoxStrings;
  friend class TComboListBox;
  friend class TComboEdit;
  TComboBoxStrings FItems{this};
  int FItemIndex = -1;
  TComboBoxStyle FStyle = csDropDown;
  bool FSorted = false;
  int FDropDownCount = 8;
  int FItemHeight = 0;
  int FMaxLength = 0;
  TEdit* FEdit = nullptr;  // the edit box of csDropDown and csSimple
  std::unique_ptr<TDropDownWindow> FDrop;
  mutable TCanvas* FDrawCanvas = nullptr;  // the list's canvas while it draws
  int FHot = -1;                           // the highlighted list row
  std::string FSearch;                     // type-ahead text
  int64_t FSearchTime = 0;
  bool FSyncing = false;  // the text is being set from the items
  TNotifyEvent FOnChange, FOnSelect;
  TDrawItemEvent FOnDrawItem;

  bool HasEdit() const { return FStyle == csDropDown || FStyle == csSimple; }
  bool OwnerDraws() const { return FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable; }
  TRect ButtonRect() const;
  int AutoHeight() const;
  void UpdateEdit();
  void ItemsChanged(int removedAt, bool cleared);
  // The user chose item i: text, events.
  void Choose(int i);
  void OpenList();
  void CloseList(bool accept);
  void MoveHot(int delta);
  void TypeAhead(char32_t ch);
  bool HandleListKey(Word key, TShiftState shift);
  void EditChanged();
  void PaintList(TCanvas* c, int width, int height);
};

class TComboBox : public TCustomComboBox {
 public:
  explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
  std::string ClassName() const override { return "TComboBox"; }
};

}  // namespace host
