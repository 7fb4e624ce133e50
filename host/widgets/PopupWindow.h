// TPopupWindow: the borderless top-level window that menus, drop-down lists
// and pick lists are shown in, and the input rules they share.
//
// A popup never takes the keyboard for itself: the form it popped out of gets
// the focus back when it closes. While it is shown it may see every input
// event of the program first (a router), because a press anywhere else must
// close it and the keys often belong to it even though another window has the
// focus.
#pragma once

#include <functional>
#include <string>

#include "host/ui/Forms.h"
#include "host/ui/InputFilter.h"

namespace host {

class TPopupWindow : public TForm {
 public:
  explicit TPopupWindow(TComponent* AOwner);
  // Puts the filter that was in place before back, if it is still routing.
  ~TPopupWindow() override;

  // Shows the window with its top-left at screen point (X, Y), moved left or
  // up as far as needed to stay on the screen. `From` is the form it pops out
  // of, which gets the keyboard back on ClosePopup (default: the active form).
  // Calling it again while shown just moves the window.
  void PopupAt(int X, int Y, TForm* From = nullptr);
  // Hides the window, stops routing and gives the keyboard back.
  void ClosePopup();
  bool PoppedUp() const { return FPoppedUp; }

  // Sees every input event while the window is shown, before the loop routes
  // it; returns true for the events it spent. Set it before PopupAt.
  void SetInputRouter(TInputFilter Router) { FRouter = std::move(Router); }
  // A mouse press on one of our windows outside this one runs this (before the
  // router) and is spent on it: the popup is to close.
  void SetOnOutsidePress(std::function<void()> f) { FOnOutsidePress = std::move(f); }

  std::string ClassName() const override { return "TPopupWindow"; }

  // The screen point of a mouse event; false when its window is none of ours.
  static bool ScreenPointOf(const TBackendEvent& ev, TPoint& p);

 private:
  TForm* FReturnTo = nullptr;
  bool FPoppedUp = false;
  TInputFilter FRouter;
  TInputFilter FOuterFilter;
  bool FRouting = false;
  std::function<void()> FOnOutsidePress;
  // True for a press whose point lies on a window of ours but outside this one.
  bool IsOutsidePress(const TBackendEvent& ev) const;
  bool Filter(const TBackendEvent& ev);
  void StopRouting();
};

// Swallows the character and the key-up that follow a key whose key-down
// closed a popup, so the Enter or Escape that closed a menu or a drop-down
// list does not go on to the control underneath. Any other key or press ends
// the swallowing. Call it after the popup has put the outer filter back.
void SwallowKeyRest(Word Key);

// Shift, Ctrl and Alt. Popups let their key-ups through, so the message loop
// always knows which modifiers are held.
inline bool IsModifierKey(Word Key) {
  return Key == VK_SHIFT || Key == VK_CONTROL || Key == VK_MENU;
}

}  // namespace host
