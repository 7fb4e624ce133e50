// TCustomLabel, TButton and TCheckBox. (The edit and the memo are in Edit.cpp.)
#include "host/widgets/StdCtrls.h"

#include <algorithm>

namespace host {

// --- TCustomLabel

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetControlStyle(TControlStyle(ControlStyle() | csSetCaption));
  SetParentColor(true);
  SetBounds(0, 0, 65, 17);
}

void TCustomLabel::Changed() {
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetAlignment(TAlignment v) {
  if (v == FAlignment) return;
  FAlignment = v;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout v) {
  if (v == FLayout) return;
  FLayout = v;
  Invalidate();
}

void TCustomLabel::SetTransparent(bool v) {
  if (v == FTransparent) return;
  FTransparent = v;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool v) {
  if (v == FAutoSize) return;
  FAutoSize = v;
  Changed();
}

void TCustomLabel::SetWordWrap(bool v) {
  if (v == FWordWrap) return;
  FWordWrap = v;
  Changed();
}

void TCustomLabel::SetShowAccelChar(bool v) {
  if (v == FShowAccelChar) return;
  FShowAccelChar = v;
  Changed();
}

void TCustomLabel::CMTextChanged(TMessage&) { Changed(); }

void TCustomLabel::CMFontChanged(TMessage&) { Changed(); }

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

uint32_t TCustomLabel::DrawFlags() const {
  uint32_t flags = DT_EXPANDTABS;
  if (FWordWrap) flags |= DT_WORDBREAK;
  if (FAlignment == taCenter) flags |= DT_CENTER;
  if (FAlignment == taRightJustify) flags |= DT_RIGHT;
  return flags;
}

void TCustomLabel::DoDrawText(TRect& Rect, uint32_t Flags) {
  std::string text = Caption();
  // An empty caption still measures one line high, so an auto-sized label
  // does not collapse to nothing.
  if ((Flags & DT_CALCRECT) && (text.empty() || (FShowAccelChar && text == "&"))) text += " ";
  if (!FShowAccelChar) Flags |= DT_NOPREFIX;
  TCanvas* c = Canvas();
  c->SetFont(Font());
  if (Flags & DT_CALCRECT)
    DrawText(c, text, Rect, Flags);
  else if (!Enabled())
    DrawDisabledText(c, text, Rect, Flags);
  else
    DrawText(c, text, Rect, Flags);
}

void TCustomLabel::Paint() {
  TCanvas* c = Canvas();
  if (!FTransparent) {
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(ClientRect());
  }
  c->Brush()->SetStyle(bsClear);
  TRect r = ClientRect();
  const uint32_t flags = DrawFlags();
  if (FLayout != tlTop) {
    TRect calc = r;
    DoDrawText(calc, flags | DT_CALCRECT);
    const int dy = FLayout == tlBottom ? Height() - calc.Bottom : (Height() - calc.Bottom) / 2;
    r = OffsetRect(r, 0, dy);
  }
  Canvas()->Brush()->SetStyle(bsClear);
  DoDrawText(r, flags);
}

void TCustomLabel::AdjustBounds() {
  if (!FAutoSize || (ComponentState() & (csLoading | csReading))) return;
  TRect r = ClientRect();
  DoDrawText(r, DrawFlags() | DT_CALCRECT);
  int x = Left();
  if (FAlignment == taRightJustify) x += Width() - r.Right;
  SetBounds(x, Top(), r.Right, r.Bottom);
}

namespace {

// True when `c` is still a control on `form` (a focus control may have gone).
bool StillOn(TForm* form, TWinControl* c) {
  std::vector<TWinControl*> list;
  form->GetTabOrderList(list);
  return std::find(list.begin(), list.end(), c) != list.end();
}

// A button's or check box's accelerator: true when the message carries the
// "&x" letter of its caption and it took the focus, so it should act. A matched
// letter is spent even when an OnExit elsewhere kept the focus from moving.
bool TakeAccel(TWinControl* c, TMessage& Message) {
  if (!c->CanFocus() || !IsAccel(char32_t(Message.WParam), c->Caption())) return false;
  Message.Result = 1;
  c->SetFocus();
  const TForm* form = GetParentForm(c);
  return form && form->ActiveControl() == c;
}

}  // namespace

void TCustomLabel::DefaultHandler(TMessage& Message) {
  // The form offers accelerators; the label passes the focus on.
  if (Message.Msg != CM_DIALOGCHAR || !FShowAccelChar || !FFocusControl) return;
  if (!Visible() || !Enabled() || !IsAccel(char32_t(Message.WParam), Caption())) return;
  TForm* form = FormOf();
  if (!form || !StillOn(form, FFocusControl) || !FFocusControl->CanFocus()) return;
  FFocusControl->SetFocus();
  Message.Result = 1;
}

// --- TButton

TButton::TButton(TComponent* AOwner) : TCustomControl(AOwner) {
  // Every press is a click, however quick: no double clicks.
  SetControlStyle(TControlStyle((ControlStyle() | csSetCaption | csOpaque) & ~csDoubleClicks));
  SetTabStop(true);
  SetBounds(0, 0, 75, 25);
}

void TButton::SetDefault(bool v) {
  if (v == FDefault) return;
  FDefault = v;
  Invalidate();
}

void TButton::Click() {
  // The form learns the result first, so an OnClick handler can still change it.
  if (TForm* f = FormOf(); f && FModalResult != mrNone) f->SetModalResult(FModalResult);
  TCustomControl::Click();
}

void TButton::WndProc(TMessage& Message) {
  if (Message.Msg == CM_DIALOGKEY) {
    CMDialogKey(Message);
    return;
  }
  if (Message.Msg == CM_DIALOGCHAR) {
    if (TakeAccel(this, Message)) Click();
    return;
  }
  TCustomControl::WndProc(Message);
}

void TButton::CMDialogKey(TMessage& Message) {
  const Word key = Word(Message.WParam);
  const TShiftState shift = KeyboardShiftState() & (ssShift | ssCtrl | ssAlt);
  if (shift || !CanFocus()) return;
  TForm* form = FormOf();
  TWinControl* focused = form ? form->ActiveControl() : nullptr;
  // Return goes to the focused button, else to the default one.
  const bool active = Focused() || (FDefault && !dynamic_cast<TButton*>(focused));
  if ((key == VK_RETURN && active) || (key == VK_ESCAPE && FCancel)) {
    Click();
    Message.Result = 1;
  }
}

void TButton::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == VK_SPACE && !FPressed) {
    FPressed = FPressInside = true;
    Invalidate();
  }
}

void TButton::KeyUp(Word& Key, TShiftState Shift) {
  TCustomControl::KeyUp(Key, Shift);
  if (Key != VK_SPACE || !FPressed) return;
  FPressed = false;
  Invalidate();
  Click();
}

void TButton::WMKillFocus(TMessage&) {
  FPressed = false;
  Invalidate();
}

void TButton::WMLButtonDown(TWMMouse& Message) {
  FocusByMouse(this);
  FPressed = FPressInside = true;
  Invalidate();
  TCustomControl::WMLButtonDown(Message);
}

void TButton::WMMouseMove(TWMMouse& Message) {
  const bool inside = ClientRect().Contains(Message.XPos, Message.YPos);
  if (FPressed && inside != FPressInside) {
    FPressInside = inside;
    Invalidate();
  }
  TCustomControl::WMMouseMove(Message);
}

void TButton::WMLButtonUp(TWMMouse& Message) {
  FPressed = false;
  Invalidate();
  TCustomControl::WMLButtonUp(Message);  // clicks when released inside
}

void TButton::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  const bool focused = Focused();
  // The default button (and a focused one) wears a black ring round its edge.
  const bool ring = focused || (FDefault && Enabled());
  if (ring) Frame3D(c, r, cl3DDkShadow, cl3DDkShadow);
  const TRect content = DrawButtonFace(c, r, Pressed() ? fsPressed : fsUp, Color());
  c->SetFont(Font());
  c->Brush()->SetStyle(bsClear);
  TRect textRect = content;
  const uint32_t flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  if (Enabled())
    DrawText(c, Caption(), textRect, flags);
  else
    DrawDisabledText(c, Caption(), textRect, flags);
  if (focused) {
    const TRect f = Rect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2);
    DrawFocusRect(c, Pressed() ? OffsetRect(f, 1, 1) : f);
  }
}

// --- TCheckBox

TCheckBox::TCheckBox(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(
      TControlStyle((ControlStyle() | csSetCaption) & ~(csClickEvents | csDoubleClicks)));
  // Only the square and the caption are drawn: the parent shows round them.
  SetParentColor(true);
  SetParentBackground(true);
  SetTabStop(true);
  SetBounds(0, 0, 97, 17);
}

void TCheckBox::SetState(TCheckBoxState v) {
  if (v == FState) return;
  FState = v;
  Invalidate();
  if (!(ComponentState() & csLoading)) Click();
}

void TCheckBox::SetAlignment(TAlignment v) {
  if (v == FAlignment) return;
  FAlignment = v;
  Invalidate();
}

void TCheckBox::Toggle() {
  switch (FState) {
    case cbUnchecked:
      SetState(FAllowGrayed ? cbGrayed : cbChecked);
      break;
    case cbChecked:
      SetState(cbUnchecked);
      break;
    case cbGrayed:
      SetState(cbChecked);
      break;
  }
}

void TCheckBox::WndProc(TMessage& Message) {
  if (Message.Msg == CM_DIALOGCHAR) {
    if (TakeAccel(this, Message)) Toggle();
    return;
  }
  TCustomControl::WndProc(Message);
}

void TCheckBox::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == VK_SPACE) FSpaceDown = true;
}

void TCheckBox::KeyUp(Word& Key, TShiftState Shift) {
  TCustomControl::KeyUp(Key, Shift);
  if (Key != VK_SPACE || !FSpaceDown) return;
  FSpaceDown = false;
  Toggle();
}

void TCheckBox::WMLButtonDown(TWMMouse& Message) {
  FocusByMouse(this);
  TCustomControl::WMLButtonDown(Message);
}

void TCheckBox::WMLButtonUp(TWMMouse& Message) {
  const bool inside = ClientRect().Contains(Message.XPos, Message.YPos);
  TCustomControl::WMLButtonUp(Message);
  if (inside) Toggle();
}

void TCheckBox::Paint() {
  TCanvas* c = Canvas();
  const TRect r = ClientRect();
  c->SetFont(Font());
  const int boxY = r.Top + (r.Height() - kCheckBoxSize) / 2;
  const bool boxLeft = FAlignment == taRightJustify;
  const int boxX = boxLeft ? r.Left : r.Right - kCheckBoxSize;
  DrawCheckBox(c, boxX, boxY, FState, Enabled());
  TRect text = boxLeft ? Rect(boxX + kCheckBoxSize + 4, r.Top, r.Right, r.Bottom)
                       : Rect(r.Left, r.Top, boxX - 4, r.Bottom);
  c->Brush()->SetStyle(bsClear);
  const uint32_t flags = DT_SINGLELINE | DT_VCENTER;
  if (Enabled())
    DrawText(c, Caption(), text, flags);
  else
    DrawDisabledText(c, Caption(), text, flags);
  if (!Focused() || Caption().empty()) return;
  // The focus rectangle hugs the caption.
  TRect calc = text;
  DrawText(c, Caption(), calc, flags | DT_CALCRECT);
  const int h = calc.Height();
  const int top = text.Top + (text.Height() - h) / 2;
  DrawFocusRect(c, IntersectRect(Rect(text.Left - 1, top - 1, calc.Right + 2, top + h + 1), r));
}

}  // namespace host
