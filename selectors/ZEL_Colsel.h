/// @file
/// TColSel: a drop-down list of colours, each shown as a colour bar and its name.
///
/// State model: a fixed table of 47 slots (colour, name, editable flag), of
/// which slots 1..NumColors are offered. List item i always stands for slot
/// i + 1 and is drawn from the slot, never from the item's string; the item
/// strings are the slot names in reverse order (as the list has always been
/// loaded, and as code reading Items() finds them), so type-ahead goes by the
/// slots' names as shown instead of by the strings. The selected slot follows
/// every choice made in the list; slots beyond NumColors keep their colours and
/// names and come back when NumColors grows.
///
/// A slot marked editable can be redefined by the user: a press that opens the
/// list with the pointer over the colour bar (x < ColorBarWidth) of the shown
/// slot opens the colour dialog first. Only a press does that; a list opened by
/// the keyboard (F4, Alt+Down) or by the program opens just the list, and the
/// pointer leaving the box forgets where it was.
///
/// A box made at run time has an empty list until NumColors is set or a palette
/// is loaded; one loaded from a form fills its list in Loaded.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "host/widgets/ComboBox.h"

namespace zel {

/// Lets the application rename a slot that gets a new colour.
using TOnColorNameChangeEvent = std::function<void(host::TObject* Sender, std::string& ColorName)>;

/// A drop-down list of colours, each shown as a colour bar and its name.
class TColSel : public host::TCustomComboBox {
 public:
  static constexpr int kMaxColors = 47;  ///< slots in the table

  /// Creates the control with its defaults; AOwner frees it.
  explicit TColSel(host::TComponent* AOwner);

  ///@{
  /// The colour of the selected slot. Writing selects the first offered slot
  /// of the same RGB value, or else gives the selected slot that colour.
  host::TColor SelColor() const;
  void SetSelColor(host::TColor c);
  ///@}
  /// The name of the selected slot; "" while the list shows no item.
  std::string GetSelColorID() const;

  /// Slot accessors, i in 1..NumColors; others read as 0, "" or false and are
  /// ignored on write. AllowEdit marks a slot the user may redefine through the
  /// colour dialog.
  ///@{
  host::TColor GetArrayColor(int i) const;
  /// Stores the colour under its ColorToString name (OnColorNameChange may
  /// change it).
  void SetArrayColor(int i, host::TColor c);
  std::string GetArrayColorName(int i) const;
  /// Renames the slot as given; the colour stays and no event fires, since the
  /// application chose the name itself.
  void SetArrayColorName(int i, const std::string& Name);
  bool GetArrayAllowEdit(int i) const;
  void SetArrayAllowEdit(int i, bool AllowEdit);
  ///@}
  /// All 47 slots editable, or none.
  ///@{
  void SetAllColorEditFlags();
  void ResetAllColorEditFlags();
  ///@}

  ///@{
  /// Slots offered, 1..47 (others ignored); writing selects slot 1 and
  /// reloads the list.
  int NumColors() const { return FNumColors; }
  void SetNumColors(int n);
  ///@}
  ///@{
  /// Width of the colour bar in pixels, not negative (30).
  int ColorBarWidth() const { return FColorBarWidth; }
  void SetColorBarWidth(int w);
  ///@}
  /// A disabled box draws its names grey and hides the edit marks.
  void SetEnabled(bool e) override;

  /// Palettes from PredefinedColors: 16 VGA colours, those and 4 more, all 47,
  /// the 27 system colours. Each selects slot 1 and reloads the list.
  ///@{
  void LoadBasicVGAPalette();
  void LoadExtendedPalette();
  void LoadStandardPalette();
  void LoadWindowsSystemPalette();
  ///@}

  ///@{
  /// Asked for the name of every colour stored by SetArrayColor or chosen in the
  /// colour dialog, before the slot takes it.
  const TOnColorNameChangeEvent& OnColorNameChange() const { return FOnColorNameChange; }
  void SetOnColorNameChange(TOnColorNameChangeEvent e) { FOnColorNameChange = std::move(e); }
  ///@}

  /// True while the last pointer move over the box was over the colour bar.
  bool MouseOverBar() const { return FMouseOverBar; }
  /// The class name, for the host's streaming and type checks.
  std::string ClassName() const override { return "TColSel"; }

 protected:
  /// The host control's paint, input and notification handlers, as
  /// this control answers them.
  ///@{
  void Loaded() override;
  ///@}
  /// A choice in the list selects its slot, then OnClick.
  void Click() override;
  /// The colour dialog for an editable slot (see above), then the list.
  void DropDown() override;
  /// The host control's paint, input and notification handlers, as
  /// this control answers them.
  ///@{
  void DrawItem(int Index, const host::TRect& Rect, host::TOwnerDrawState State) override;
  std::string ItemText(int Index) const override;
  void MouseDown(host::TMouseButton Button, host::TShiftState Shift, int X, int Y) override;
  void MouseMove(host::TShiftState Shift, int X, int Y) override;
  void CMMouseLeave(host::TMessage& Message) override;
  ///@}

 private:
  struct TSlot {
    host::TColor Color = 0;
    std::string Name;
    bool AllowEdit = false;
  };
  std::array<TSlot, kMaxColors> FSlots;
  int FNumColors = 20;
  int FSelected = 1;  // the selected slot, 1-based
  int FColorBarWidth = 30;
  bool FMouseOverBar = false;
  bool FOwnEnabled = true;
  bool FPressing = false;  // a mouse press is opening the list
  TOnColorNameChangeEvent FOnColorNameChange;

  // ZEL_Colsel.cpp
  bool InRange(int i) const { return i >= 1 && i <= FNumColors; }
  TSlot& Slot(int i) { return FSlots[size_t(i - 1)]; }
  const TSlot& Slot(int i) const { return FSlots[size_t(i - 1)]; }
  // Gives slot i the colour under the name, after OnColorNameChange.
  void StoreColor(int i, host::TColor c, std::string name);
  void LoadPalette(int count, int firstSource);
  void ReloadList();

  // ZEL_Colsel_paint.cpp
  void DrawColorBar(host::TCanvas* c, const host::TRect& r, const TSlot& s) const;
  void DrawEditMark(host::TCanvas* c, const host::TRect& r, const TSlot& s) const;
  void DrawName(host::TCanvas* c, host::TRect r, const TSlot& s) const;

  // ZEL_Colsel_input.cpp
  void EditColor(int i);
};

}  // namespace zel
