// The drop-down window of combo boxes, date pickers and colour choosers.
#pragma once

#include <functional>
#include <memory>

#include "host/ui/Forms.h"
#include "host/widgets/PopupWindow.h"

namespace host {

// Shows a content control (a combo box's list, a picker's calendar) in a
// popup window that drops from an owner control: below it, or above it when
// the screen ends first. The window never takes the keyboard: keys stay with
// the owner, which drives the content (keys that reach the popup window go
// on to the owner). While it is open it sees every input first: a press
// outside it asks for it to close (and is spent on that), and it takes its own
// mouse input even while a modal dialog runs.
class TDropDownWindow {
 public:
  // The drop-down keeps `content`, which the caller made without an owner.
  TDropDownWindow(TWinControl* owner, std::unique_ptr<TCustomControl> content);
  ~TDropDownWindow();
  TDropDownWindow(const TDropDownWindow&) = delete;
  TDropDownWindow& operator=(const TDropDownWindow&) = delete;

  // Opens the window with the content filling it, or resizes and moves it
  // when it is open already. Nothing happens while the owner is on no form.
  void Open(int width, int height);
  void Close();
  bool IsOpen() const { return FForm && FForm->PoppedUp(); }
  TCustomControl* Content() const { return FContent.get(); }
  // The popup form while open.
  TForm* PopupForm() const { return IsOpen() ? FForm.get() : nullptr; }
  // Called when a press lands outside the window, which should then close.
  void SetOnDismiss(std::function<void()> f) { FOnDismiss = std::move(f); }

 private:
  TWinControl* FOwner;
  std::unique_ptr<TCustomControl> FContent;
  std::unique_ptr<TPopupWindow> FForm;
  std::function<void()> FOnDismiss;
  TPoint DropPoint(int height) const;
  bool Route(const TBackendEvent& ev);
  void RouteKey(const TBackendEvent& ev);
  void RouteMouse(const TBackendEvent& ev, TPoint screen);
};

// The two events of every control with a drop-down window (combo box, date
// picker, colour box): OnDropDown just before the window shows, OnCloseUp
// just after it closed. The control fires them from its DropDown and CloseUp.
class TDropDownEvents {
 public:
  const TNotifyEvent& OnDropDown() const { return FOnDropDown; }
  void SetOnDropDown(TNotifyEvent e) { FOnDropDown = std::move(e); }
  const TNotifyEvent& OnCloseUp() const { return FOnCloseUp; }
  void SetOnCloseUp(TNotifyEvent e) { FOnCloseUp = std::move(e); }

 protected:
  void FireDropDown(TObject* Sender) const {
    if (FOnDropDown) FOnDropDown(Sender);
  }
  void FireCloseUp(TObject* Sender) const {
    if (FOnCloseUp) FOnCloseUp(Sender);
  }

 private:
  TNotifyEvent FOnDropDown, FOnCloseUp;
};

}  // namespace host
