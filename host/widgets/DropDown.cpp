#include "host/widgets/DropDown.h"

namespace host {

TDropDownWindow::TDropDownWindow(TWinControl* owner, std::unique_ptr<TCustomControl> content)
    : FOwner(owner), FContent(std::move(content)) {}

TDropDownWindow::~TDropDownWindow() {
  // The content first: a form frees the unowned children it still holds.
  FContent.reset();
  FForm.reset();
}

TPoint TDropDownWindow::DropPoint(int height) const {
  const TPoint below = FOwner->ClientToScreen(Point(0, FOwner->Height()));
  if (below.y + height <= Screen->Height()) return below;
  const TPoint above = FOwner->ClientToScreen(Point(0, -height));
  return above.y >= 0 ? above : below;
}

void TDropDownWindow::Open(int width, int height) {
  TForm* ownerForm = GetParentForm(FOwner);
  if (!ownerForm) return;
  if (!FForm) {
    // Made on first use: a combo box that never drops adds no form.
    FForm = std::make_unique<TPopupWindow>(nullptr);
    FForm->SetColor(clWindow);
    FForm->SetInputRouter([this](const TBackendEvent& ev) { return Route(ev); });
    FForm->SetOnOutsidePress([this] {
      if (FOnDismiss) FOnDismiss();
    });
  }
  const TPoint p = DropPoint(height);
  FForm->SetBounds(p.x, p.y, width, height);
  FContent->SetParent(FForm.get());
  FContent->SetBounds(0, 0, width, height);
  FForm->PopupAt(p.x, p.y, ownerForm);
  ownerForm->Activate();  // the keyboard stays with the owner
}

void TDropDownWindow::Close() {
  if (IsOpen()) FForm->ClosePopup();
}

bool TDropDownWindow::Route(const TBackendEvent& ev) {
  TForm* form = Screen->FormOfWindow(ev.Window);
  switch (ev.Kind) {
    case bekKeyDown:
    case bekKeyUp:
    case bekChar:
      // A popup holding the keyboard grab receives the keys: they are the owner's.
      if (form != FForm.get()) return false;
      RouteKey(ev);
      return true;
    case bekMouseDown:
    case bekMouseUp:
    case bekMouseMove:
    case bekMouseWheel:
      break;
    default:
      return false;
  }
  if (!form) return false;
  const TPoint s = form->ClientToScreen(Point(ev.X, ev.Y));
  // Elsewhere: the loop routes it (the outside press was handled before).
  if (!FForm->BoundsRect().Contains(s.x, s.y)) return false;
  // Over the window: the loop routes it, unless a modal form would keep it
  // from the content; then the content gets it here.
  if (form == FForm.get() && Application->ModalLevel() == 0) return false;
  RouteMouse(ev, s);
  return true;
}

void TDropDownWindow::RouteKey(const TBackendEvent& ev) {
  if (ev.Kind == bekChar)
    FOwner->Perform(WM_CHAR, WPARAM(ev.Char));
  else
    FOwner->Perform(ev.Kind == bekKeyDown ? WM_KEYDOWN : WM_KEYUP, ev.Key);
}

void TDropDownWindow::RouteMouse(const TBackendEvent& ev, TPoint screen) {
  if (ev.Kind == bekMouseWheel) {
    FContent->DoMouseWheel(TShiftState(ev.Shift), ev.WheelDelta, screen);
    return;
  }
  const TPoint local = FContent->ScreenToClient(screen);
  WPARAM keys = 0;
  if (ev.Kind == bekMouseDown || (ev.Shift & ssLeft)) keys |= MK_LBUTTON;
  FContent->Perform(MouseMessageOf(ev), keys, PointToLParam(local.x, local.y));
}

}  // namespace host
