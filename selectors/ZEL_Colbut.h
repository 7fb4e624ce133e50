/// @file
/// TColorButton: a panel that shows a colour and lets the user choose another
/// through an assigned colour dialog.
///
/// State model: the button's colour is the one the program set or the user
/// chose (ButtonColor). While the pointer is over the button the face shows a
/// lighter version of it, so Color() then reads the lighter face; leaving
/// returns the face to the button's colour. The colour itself changes only
/// through SetColor or the dialog, never through the hover: the dialog starts
/// from the button's colour, a colour set while the pointer is over the button
/// is what the face returns to, and a colour chosen in the dialog stays when the
/// pointer leaves. After a choice the face shows the chosen colour as it is, so
/// the user sees what was picked; the highlight returns with the next entry.
///
/// ColorDialog is a plain reference: the dialog component must outlive the
/// button, or be unassigned before it goes.
#pragma once

#include "host/widgets/Dialogs.h"
#include "host/widgets/ExtCtrls.h"

namespace zel {

/// The lighter face colour the button shows under the pointer: lightness L
/// (0..1) becomes (L + 1) / 2 above 0.3 and L + 0.2 otherwise, at most 1; hue
/// and saturation stay.
host::TColor HoverColor(host::TColor Color);

/// A panel showing one colour; a click opens ColorDialog to choose another.
class TColorButton : public host::TCustomPanel {
 public:
  /// Creates the control with its defaults; AOwner frees it.
  explicit TColorButton(host::TComponent* AOwner);

  /// Sets the button's colour; under the pointer the face shows it lighter.
  void SetColor(host::TColor c) override;
  /// The button's colour without the hover highlight.
  host::TColor ButtonColor() const { return FSavedColor; }
  ///@{
  /// The dialog a click opens, preset with the current colour (nullptr by
  /// default: the click does nothing). Not owned: the application frees it.
  host::TColorDialog* ColorDialog() const { return FColorDialog; }
  void SetColorDialog(host::TColorDialog* d) { FColorDialog = d; }
  ///@}
  ///@{
  /// Fires after a colour was chosen in the dialog.
  const host::TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(host::TNotifyEvent e) { FOnChange = std::move(e); }
  ///@}

  /// The class name, for the host's streaming and type checks.
  std::string ClassName() const override { return "TColorButton"; }

 protected:
  /// OnClick, then the dialog when one is assigned.
  void Click() override;
  /// The host control's paint, input and notification handlers, as
  /// this control answers them.
  ///@{
  void CMMouseEnter(host::TMessage& Message) override;
  void CMMouseLeave(host::TMessage& Message) override;
  ///@}

 private:
  host::TColorDialog* FColorDialog = nullptr;
  host::TColor FSavedColor = host::clBtnFace;
  bool FHover = false;  // the face shows the highlight
  host::TNotifyEvent FOnChange;
  void ShowFace();
  void ApplyChosenColor(host::TColor c);
};

}  // namespace zel
