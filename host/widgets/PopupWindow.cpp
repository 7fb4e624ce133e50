#include "host/widgets/PopupWindow.h"

#include <algorithm>
#include <memory>

#include "host/backend/Popup.h"

namespace host {

TPopupWindow::TPopupWindow(TComponent* AOwner) : TForm(AOwner) {
  SetBorderStyle(bsNone);
  SetColor(clMenu);
}

TPopupWindow::~TPopupWindow() { StopRouting(); }

bool TPopupWindow::ScreenPointOf(const TBackendEvent& ev, TPoint& p) {
  TForm* f = Screen->FormOfWindow(ev.Window);
  if (!f) return false;
  p = f->ClientToScreen(Point(ev.X, ev.Y));
  return true;
}

bool TPopupWindow::IsOutsidePress(const TBackendEvent& ev) const {
  TPoint s;
  return ev.Kind == bekMouseDown && ScreenPointOf(ev, s) && !BoundsRect().Contains(s.x, s.y);
}

void TPopupWindow::PopupAt(int X, int Y, TForm* From) {
  X = std::max(0, std::min(X, Screen->Width() - Width()));
  Y = std::max(0, std::min(Y, Screen->Height() - Height()));
  SetBounds(X, Y, Width(), Height());
  FReturnTo = From ? From : Screen->ActiveForm();
  if (FReturnTo == this) FReturnTo = nullptr;
  HandleNeeded();
  // Placed relative to the form it pops out of: that form's idea of where it
  // is on the screen is the one its own coordinates agree with.
  const TPoint o = FReturnTo ? FReturnTo->ClientOrigin() : TPoint{};
  MakePopupWindow(WindowId(), FReturnTo ? FReturnTo->WindowId() : 0, X - o.x, Y - o.y);
  if ((FRouter || FOnOutsidePress) && !FRouting) {
    FOuterFilter = SetInputFilter([this](const TBackendEvent& ev) { return Filter(ev); });
    FRouting = true;
  }
  FPoppedUp = true;
  Show();
}

void TPopupWindow::ClosePopup() {
  StopRouting();
  FPoppedUp = false;
  Hide();
  if (FReturnTo && Screen->HasForm(FReturnTo) && FReturnTo->Visible()) FReturnTo->Activate();
  FReturnTo = nullptr;
}

void TPopupWindow::StopRouting() {
  if (!FRouting) return;
  FRouting = false;
  SetInputFilter(std::move(FOuterFilter));
}

bool TPopupWindow::Filter(const TBackendEvent& ev) {
  if (FOnOutsidePress && IsOutsidePress(ev)) {
    // The handler may close and even free this window: it runs from a copy,
    // and nothing of the window is touched after it.
    const auto dismiss = FOnOutsidePress;
    dismiss();
    return true;
  }
  return FRouter && FRouter(ev);
}

void SwallowKeyRest(Word Key) {
  auto outer = std::make_shared<TInputFilter>();
  auto finish = [outer] { SetInputFilter(*outer); };
  *outer = SetInputFilter([outer, finish, Key](const TBackendEvent& ev) {
    if (ev.Kind == bekChar || (ev.Kind == bekKeyUp && ev.Key == Key)) {
      if (ev.Kind == bekKeyUp) finish();
      return true;
    }
    if (ev.Kind == bekKeyDown || ev.Kind == bekMouseDown) finish();
    return *outer && (*outer)(ev);
  });
}

}  // namespace host
