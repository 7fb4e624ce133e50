/// @file
/// TRepSpeedButton: a speed button that repeats while the left button holds it,
/// as used for stepping a value up or down.
///
/// State model: idle until a left press; then the start phase (one interval of
/// StartClickInterval) and the repeat phase (every RepeatClickInterval) until the
/// release, the pointer leaving the button, or the press losing the mouse. The
/// repeats run on the button's own timer (a hidden window with timer id 1), so
/// they keep their pace whatever else the form is doing; an exception thrown by a
/// handler reaches Application->HandleException and the repeats go on.
///
/// Every tick first checks that the press still holds the mouse capture. A
/// handler that opens a dialog takes the capture away, and the release then goes
/// to the dialog, never to the button; without the check the button would go on
/// repeating behind the dialog and after it closed.
#pragma once

#include "foundation/Zel_zelbase.h"
#include "host/ui/WindowTimer.h"
#include "host/widgets/Buttons.h"

namespace zel {

/// The exception of the repeating speed button.
class EZELRepSpeedButton : public EZELError {
 public:
  using EZELError::EZELError;
};

/// A speed button that raises OnRepeatClick while the left mouse button holds it.
class TRepSpeedButton : public host::TSpeedButton {
 public:
  /// Creates the control with its defaults; AOwner frees it.
  explicit TRepSpeedButton(host::TComponent* AOwner);

  ///@{
  /// Delay from the press to the first repeat, at least 10 ms (500).
  int StartClickInterval() const { return FStartClickInterval; }
  void SetStartClickInterval(int v);
  ///@}
  ///@{
  /// Period of the repeats after the first, at least 10 ms (200).
  int RepeatClickInterval() const { return FRepeatClickInterval; }
  void SetRepeatClickInterval(int v);
  ///@}
  ///@{
  /// Raised at every repeat while the button is held (after the start interval,
  /// then every RepeatClickInterval).
  const host::TNotifyEvent& OnRepeatClick() const { return FOnRepeatClick; }
  void SetOnRepeatClick(host::TNotifyEvent e);
  ///@}

  /// True while a left press is held and the repeats run.
  bool Repeating() const { return FTimerEnabled; }
  /// The class name, for the host's streaming and type checks.
  std::string ClassName() const override { return "TRepSpeedButton"; }

 protected:
  /// Called at every repeat before OnRepeatClick, for descendants.
  virtual void RepeatClickEvent() {}

  /// The host control's paint, input and notification handlers, as
  /// this control answers them.
  ///@{
  void MouseDown(host::TMouseButton Button, host::TShiftState Shift, int X, int Y) override;
  void MouseUp(host::TMouseButton Button, host::TShiftState Shift, int X, int Y) override;
  void CMMouseLeave(host::TMessage& Message) override;
  ///@}
  /// A button disabled while held (a handler that reached a limit) stops.
  void CMEnabledChanged(host::TMessage& Message) override;

 private:
  int FStartClickInterval = 500;
  int FRepeatClickInterval = 200;
  host::TNotifyEvent FOnRepeatClick;
  bool FTimerEnabled = false;  // a left press is held
  bool FStartPhase = true;     // the next tick is the first after the press
  host::TWindowTimer FTimer;

  bool Designing() const { return ComponentState() & host::csDesigning; }
  void EnterStartPhase();
  void EnterRepeatPhase();
  void SetTimer(int interval);
  void Tick();
  // Ends the held press without a click.
  void EndPress(int X, int Y);
};

}  // namespace zel
