#include "host/ui/Controls.h"

#include <algorithm>

#include "host/ui/Forms.h"
#include "host/ui/Loop.h"

namespace host {

namespace {
TPopupHandler& PopupHandler() {
  static TPopupHandler handler;
  return handler;
}
}  // namespace

void SetPopupMenuHandler(TPopupHandler handler) { PopupHandler() = std::move(handler); }

// --- TSizeConstraints

int TSizeConstraints::Constrain(int v, int lo, int hi) {
  if (hi > 0 && v > hi) v = hi;
  return lo > 0 && v < lo ? lo : v;
}

void TSizeConstraints::SetLimit(int& limit, int v, int& other, bool isMax) {
  v = std::max(v, 0);
  if (v == limit) return;
  limit = v;
  // Keep min <= max wherever both are set: the value just set wins.
  if (isMax && v > 0 && other > v) other = v;
  if (!isMax && other > 0 && v > other) other = v;
  Change();
}

void TSizeConstraints::SetMinWidth(int v) { SetLimit(FMinWidth, v, FMaxWidth, false); }
void TSizeConstraints::SetMinHeight(int v) { SetLimit(FMinHeight, v, FMaxHeight, false); }
void TSizeConstraints::SetMaxWidth(int v) { SetLimit(FMaxWidth, v, FMinWidth, true); }
void TSizeConstraints::SetMaxHeight(int v) { SetLimit(FMaxHeight, v, FMinHeight, true); }

void TSizeConstraints::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TSizeConstraints*>(Source);
  if (!src) return TPersistent::Assign(Source);
  FMinWidth = src->FMinWidth;
  FMinHeight = src->FMinHeight;
  FMaxWidth = src->FMaxWidth;
  FMaxHeight = src->FMaxHeight;
  Change();
}

void TSizeConstraints::Change() {
  if (FOnChange) FOnChange(this);
}

// --- TControl

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
  FFont.SetOnChange([this](TObject*) { FontChanged(); });
  // New limits take effect on the size the control has now.
  FConstraints.SetOnChange([this](TObject*) { SetBounds(FLeft, FTop, FWidth, FHeight); });
}

TControl::~TControl() {
  detail::ForgetControl(this);
  if (FParent) FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* AParent) {
  if (AParent == FParent) return;
  auto* self = dynamic_cast<TWinControl*>(this);
  if (self && AParent && self->ContainsControl(AParent))
    throw EInvalidOperation("A control cannot have itself or its child as its parent");
  if (FParent) FParent->RemoveControl(this);
  if (AParent) AParent->InsertControl(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  AWidth = FConstraints.ConstrainWidth(std::max(AWidth, 0));
  AHeight = FConstraints.ConstrainHeight(std::max(AHeight, 0));
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  bool resized = AWidth != FWidth || AHeight != FHeight;
  Invalidate();  // the old place shows the parent again
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  Invalidate();
  RequestAlign();
  if (resized) Resize();
}

void TControl::RequestAlign() {
  if (FParent && FAlign != alNone) FParent->Realign();
}

void TControl::SetAlign(TAlign a) {
  if (a == FAlign) return;
  FAlign = a;
  if (FParent) FParent->Realign();
}

void TControl::SetVisible(bool v) {
  if (v == FVisible) return;
  if (!v) Invalidate();
  FVisible = v;
  if (v) Invalidate();
  Perform(CM_VISIBLECHANGED, WPARAM(v));
  RequestAlign();
}

bool TControl::Showing() const {
  const TControl* c = this;
  for (; c->FParent; c = c->FParent)
    if (!c->FVisible) return false;
  return c->FVisible && dynamic_cast<const TForm*>(c) != nullptr;
}

void TControl::SetEnabled(bool e) {
  if (e == FEnabled) return;
  FEnabled = e;
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetParentFont(bool v) {
  if (v == FParentFont) return;
  FParentFont = v;
  if (v && FParent) Perform(CM_PARENTFONTCHANGED);
}

void TControl::FontChanged() {
  // A font set by the program stops following the parent's.
  if (!FChangingFontFromParent) FParentFont = false;
  Perform(CM_FONTCHANGED);
}

void TControl::CMParentFontChanged(TMessage&) {
  if (!FParentFont || !FParent) return;
  FChangingFontFromParent = true;
  FFont.Assign(FParent->Font());
  FChangingFontFromParent = false;
}

void TControl::SetColor(TColor c) {
  FParentColor = false;
  if (c == FColor) return;
  FColor = c;
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool v) {
  if (v == FParentColor) return;
  FParentColor = v;
  if (v && FParent) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::CMParentColorChanged(TMessage&) {
  if (!FParentColor || !FParent || FColor == FParent->Color()) return;
  FColor = FParent->Color();
  Perform(CM_COLORCHANGED);
}

void TControl::CMParentShowHintChanged(TMessage&) { FollowParent(FShowHint, &TControl::ShowHint); }

void TControl::CMParentBiDiModeChanged(TMessage&) { FollowParent(FBiDiMode, &TControl::BiDiMode); }

void TControl::NotifyFollowers(unsigned childMessage) {
  if (auto* w = dynamic_cast<TWinControl*>(this)) w->NotifyChildren(childMessage);
}

void TControl::SetCursor(TCursor c) {
  if (c == FCursor) return;
  FCursor = c;
  Perform(CM_CURSORCHANGED);
  detail::UpdateCursor();
}

void TControl::SetStyleElements(TStyleElements s) {
  if (s == FStyleElements) return;
  FStyleElements = s;
  Invalidate();
}

void TControl::SetText(const std::string& s) {
  if (s == FText) return;
  FText = s;
  Perform(CM_TEXTCHANGED);
}

void TControl::SetName(const std::string& n) {
  bool follow =
      (FControlStyle & csSetCaption) && FText == Name() && !(ComponentState() & csLoading);
  TComponent::SetName(n);
  if (follow) SetText(n);
}

TForm* TControl::FormOf() const { return GetParentForm(this); }

void TControl::Invalidate() {
  if (TForm* f = FormOf()) f->InvalidateFormRect(VisibleRectInForm());
}

void TControl::Update() {
  if (TForm* f = FormOf()) f->PaintPending();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

LRESULT TControl::Perform(unsigned Msg, WPARAM WParam, LPARAM LParam) {
  TMessage m{Msg, WParam, LParam, 0};
  WndProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& Message) { Dispatch(Message); }

void TControl::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case WM_MOUSEMOVE:
      DispatchMouse(m);
      break;
    case WM_CONTEXTMENU:
      WMContextMenu(m);
      break;
    case CM_MOUSEENTER:
      CMMouseEnter(m);
      break;
    case CM_MOUSELEAVE:
      CMMouseLeave(m);
      break;
    case CM_ENABLEDCHANGED:
      CMEnabledChanged(m);
      break;
    case CM_VISIBLECHANGED:
      CMVisibleChanged(m);
      break;
    case CM_COLORCHANGED:
      CMColorChanged(m);
      break;
    case CM_FONTCHANGED:
      CMFontChanged(m);
      break;
    case CM_TEXTCHANGED:
      CMTextChanged(m);
      break;
    case CM_PARENTFONTCHANGED:
      CMParentFontChanged(m);
      break;
    case CM_PARENTCOLORCHANGED:
      CMParentColorChanged(m);
      break;
    case CM_PARENTSHOWHINTCHANGED:
      CMParentShowHintChanged(m);
      break;
    case CM_PARENTBIDIMODECHANGED:
      CMParentBiDiModeChanged(m);
      break;
    default:
      DefaultHandler(m);
      break;
  }
}

void TControl::DispatchMouse(TMessage& m) {
  TWMMouse mm(m);
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
      WMLButtonDown(mm);
      break;
    case WM_LBUTTONUP:
      WMLButtonUp(mm);
      break;
    case WM_LBUTTONDBLCLK:
      WMLButtonDblClk(mm);
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      WMRButtonDown(mm);
      break;
    case WM_RBUTTONUP:
      WMRButtonUp(mm);
      break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      WMMButtonDown(mm);
      break;
    case WM_MBUTTONUP:
      WMMButtonUp(mm);
      break;
    default:
      WMMouseMove(mm);
      break;
  }
  m.Result = mm.Result;
}

void TControl::DoMouseDown(TWMMouse& m, TMouseButton Button, TShiftState Extra) {
  if (FControlStyle & csNoStdEvents) return;
  MouseDown(Button, TShiftState(KeysToShiftState(m.Keys) | Extra), m.XPos, m.YPos);
}

void TControl::DoMouseUp(TWMMouse& m, TMouseButton Button) {
  if (FControlStyle & csNoStdEvents) return;
  MouseUp(Button, KeysToShiftState(m.Keys), m.XPos, m.YPos);
}

void TControl::WMLButtonDown(TWMMouse& m) {
  if (FControlStyle & csCaptureMouse) SetMouseCapture(true);
  if (FControlStyle & csClickEvents) SetControlStateFlag(csClicked, true);
  DoMouseDown(m, mbLeft, 0);
}

void TControl::WMLButtonDblClk(TWMMouse& m) {
  if (FControlStyle & csCaptureMouse) SetMouseCapture(true);
  if (FControlStyle & csClickEvents) DblClick();
  DoMouseDown(m, mbLeft, ssDouble);
}

void TControl::WMLButtonUp(TWMMouse& m) {
  if (FControlStyle & csCaptureMouse) SetMouseCapture(false);
  if (FControlState & csClicked) {
    SetControlStateFlag(csClicked, false);
    // A press that ends outside the control is no click.
    if (ClientRect().Contains(m.XPos, m.YPos)) Click();
  }
  DoMouseUp(m, mbLeft);
}

void TControl::WMRButtonDown(TWMMouse& m) {
  DoMouseDown(m, mbRight, m.Msg == WM_RBUTTONDBLCLK ? ssDouble : 0);
}
void TControl::WMRButtonUp(TWMMouse& m) { DoMouseUp(m, mbRight); }
void TControl::WMMButtonDown(TWMMouse& m) {
  DoMouseDown(m, mbMiddle, m.Msg == WM_MBUTTONDBLCLK ? ssDouble : 0);
}
void TControl::WMMButtonUp(TWMMouse& m) { DoMouseUp(m, mbMiddle); }

void TControl::WMMouseMove(TWMMouse& m) {
  if (!(FControlStyle & csNoStdEvents)) MouseMove(KeysToShiftState(m.Keys), m.XPos, m.YPos);
}

void TControl::WMContextMenu(TMessage& m) {
  if (m.Result != 0) return;
  const TPoint screen = Point(LParamX(m.LParam), LParamY(m.LParam));
  for (TControl* c = this; c; c = c->FParent) {
    bool handled = false;
    c->DoContextPopup(c->ScreenToClient(screen), handled);
    if (!handled && !c->FPopupMenu) continue;
    if (!handled && PopupHandler()) PopupHandler()(c->FPopupMenu, this, screen.x, screen.y);
    m.Result = 1;
    return;
  }
}

void TControl::DoContextPopup(TPoint MousePos, bool& Handled) {
  if (FOnContextPopup) FOnContextPopup(this, MousePos, Handled);
}

void TControl::CMMouseEnter(TMessage&) {
  if (FOnMouseEnter) FOnMouseEnter(this);
}

void TControl::CMMouseLeave(TMessage&) {
  if (FOnMouseLeave) FOnMouseLeave(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FOnMouseDown) FOnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (FOnMouseMove) FOnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FOnMouseUp) FOnMouseUp(this, Button, Shift, X, Y);
}

void TControl::Click() {
  if (FOnClick) FOnClick(this);
}

void TControl::DblClick() {
  if (FOnDblClick) FOnDblClick(this);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  bool handled = false;
  if (FOnMouseWheel) FOnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
  if (handled) return true;
  if (WheelDelta < 0) return DoMouseWheelDown(Shift, MousePos);
  if (WheelDelta > 0) return DoMouseWheelUp(Shift, MousePos);
  return false;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  if (FOnMouseWheelDown) FOnMouseWheelDown(this, Shift, MousePos, handled);
  return handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  if (FOnMouseWheelUp) FOnMouseWheelUp(this, Shift, MousePos, handled);
  return handled;
}

void TControl::Resize() {
  if (FOnResize) FOnResize(this);
}

TPoint TControl::ClientOrigin() const {
  TPoint p;
  const TControl* c = this;
  for (; c->FParent; c = c->FParent) {
    p.x += c->FLeft;
    p.y += c->FTop;
  }
  // The top level: a form's client area starts at its screen position.
  p.x += c->FLeft;
  p.y += c->FTop;
  return p;
}

TPoint TControl::ClientToScreen(TPoint p) const {
  TPoint o = ClientOrigin();
  return Point(p.x + o.x, p.y + o.y);
}

TPoint TControl::ScreenToClient(TPoint p) const {
  TPoint o = ClientOrigin();
  return Point(p.x - o.x, p.y - o.y);
}

TRect TControl::VisibleRectInForm() const {
  TRect r = Rect(0, 0, FWidth, FHeight);
  const TControl* c = this;
  for (; c->FParent; c = c->FParent) {
    if (!c->FVisible) return TRect{};
    r = OffsetRect(r, c->FLeft, c->FTop);
    r = IntersectRect(r, c->FParent->ClientRect());
  }
  if (!dynamic_cast<const TForm*>(c) || r.IsEmpty()) return TRect{};
  return r;
}

void TControl::PrepareCanvas(TCanvas& canvas) const {
  TForm* form = FormOf();
  if (!form) {
    canvas.BindSurface(TSurface{});  // nowhere to draw: everything is clipped away
    return;
  }
  TRect clip = VisibleRectInForm();
  if (const TRect* paintClip = detail::Loop().PaintClip) clip = IntersectRect(clip, *paintClip);
  TPoint origin = ClientOrigin();
  TPoint formOrigin = form->ClientOrigin();
  canvas.BindSurface(form->Framebuffer()->Surface(), origin.x - formOrigin.x,
                     origin.y - formOrigin.y, clip);
  // Drawing outside the paint cycle (a direct Paint) reaches the screen next turn.
  if (!detail::Loop().PaintClip) form->NotePresent(clip);
}

void TControl::SetControlStateFlag(TControlStateFlag f, bool on) {
  if (on)
    FControlState |= f;
  else
    FControlState &= TControlState(~f);
}

void TControl::BringToFront() {
  if (!FParent) return;
  auto& list = FParent->FControls;
  std::erase(list, this);
  list.push_back(this);
  Invalidate();
}

void TControl::SendToBack() {
  if (!FParent) return;
  auto& list = FParent->FControls;
  std::erase(list, this);
  list.insert(list.begin(), this);
  Invalidate();
}

bool TControl::MouseCapture() const { return detail::Loop().Capture == this; }

void TControl::SetMouseCapture(bool on) {
  auto& l = detail::Loop();
  if (on)
    l.Capture = this;
  else if (l.Capture == this)
    l.Capture = nullptr;
}

// --- TGraphicControl

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), FCanvas(std::make_unique<TCanvas>()) {}

TGraphicControl::~TGraphicControl() = default;

TCanvas* TGraphicControl::Canvas() const {
  PrepareCanvas(*FCanvas);
  return FCanvas.get();
}

// --- TCustomControl

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TCanvas>()) {}

TCustomControl::~TCustomControl() = default;

TCanvas* TCustomControl::Canvas() const {
  PrepareCanvas(*FCanvas);
  return FCanvas.get();
}

TForm* GetParentForm(const TControl* c) {
  if (!c) return nullptr;
  while (c->Parent()) c = c->Parent();
  return dynamic_cast<TForm*>(const_cast<TControl*>(c));
}

}  // namespace host
