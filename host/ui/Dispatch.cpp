// From backend events to control messages, as the platform routes them: mouse
// capture, double clicks, enter/leave, wheel, dialog keys and key preview; and
// the painting of a form's invalid parts, parents before children.
#include <cstdlib>

#include "host/backend/Backend.h"
#include "host/ui/Forms.h"
#include "host/ui/InputFilter.h"
#include "host/ui/Loop.h"

namespace host::detail {

namespace {

// Two presses make a double click when this close in time and space.
constexpr int64_t kDoubleClickMs = 500;
constexpr int kDoubleClickPx = 4;

// The top-left of `c` in its form's client coordinates.
TPoint FormOffset(const TControl* c) {
  TPoint o = c->ClientOrigin();
  TForm* f = GetParentForm(c);
  TPoint fo = f ? f->ClientOrigin() : TPoint{};
  return Point(o.x - fo.x, o.y - fo.y);
}

LPARAM LocalPos(const TControl* c, int formX, int formY) {
  TPoint o = FormOffset(c);
  return PointToLParam(formX - o.x, formY - o.y);
}

// The enabled control under a form point: disabled controls leave the mouse to
// their parent.
TControl* ControlUnder(TForm* form, int x, int y) {
  TControl* c = form->ControlAtPos(Point(x, y), true, true);
  if (!c) c = form;
  while (c != form && !c->Enabled()) c = c->Parent();
  return c;
}

WPARAM MouseKeys() {
  auto& l = Loop();
  WPARAM k = 0;
  if (l.Buttons & ssLeft) k |= MK_LBUTTON;
  if (l.Buttons & ssRight) k |= MK_RBUTTON;
  if (l.Buttons & ssMiddle) k |= MK_MBUTTON;
  if (l.Keyboard & ssShift) k |= MK_SHIFT;
  if (l.Keyboard & ssCtrl) k |= MK_CONTROL;
  return k;
}

TShiftState ButtonFlag(TMouseButton b) {
  return b == mbLeft ? ssLeft : b == mbRight ? ssRight : ssMiddle;
}

void SetHover(TControl* c) {
  auto& l = Loop();
  if (c == l.Hover) return;
  TControl* old = l.Hover;
  l.Hover = c;
  if (old) old->Perform(CM_MOUSELEAVE);
  if (c && Loop().Hover == c) c->Perform(CM_MOUSEENTER);
  UpdateCursor();
}

void MouseMove(TForm* form, const TBackendEvent& ev) {
  SetHover(ControlUnder(form, ev.X, ev.Y));
  TControl* target = Loop().Capture ? Loop().Capture : Loop().Hover;
  if (target) target->Perform(WM_MOUSEMOVE, MouseKeys(), LocalPos(target, ev.X, ev.Y));
}

bool IsDoubleClick(TControl* target, const TBackendEvent& ev, TPoint screen, int64_t now) {
  auto& l = Loop();
  return !l.LastClickWasDouble && l.LastClickControl == target &&
         l.LastClickButton == TMouseButton(ev.Button) && now - l.LastClickTime <= kDoubleClickMs &&
         std::abs(screen.x - l.LastClickPos.x) <= kDoubleClickPx &&
         std::abs(screen.y - l.LastClickPos.y) <= kDoubleClickPx &&
         (target->ControlStyle() & csDoubleClicks);
}

void MouseDown(TForm* form, const TBackendEvent& ev) {
  auto& l = Loop();
  SetHover(ControlUnder(form, ev.X, ev.Y));
  TControl* target = l.Capture ? l.Capture : l.Hover;
  if (!target) return;
  l.Buttons |= ButtonFlag(ev.Button);
  TPoint screen = form->ClientToScreen(Point(ev.X, ev.Y));
  int64_t now = CurrentBackend().Now();
  bool dbl = IsDoubleClick(target, ev, screen, now);
  l.LastClickControl = target;
  l.LastClickButton = TMouseButton(ev.Button);
  l.LastClickTime = now;
  l.LastClickPos = screen;
  l.LastClickWasDouble = dbl;
  // The pressed control keeps the mouse until every button is up.
  l.Capture = target;
  target->Perform(MouseMessageOf(ev, dbl), MouseKeys(), LocalPos(target, ev.X, ev.Y));
}

void MouseUp(TForm* form, const TBackendEvent& ev) {
  auto& l = Loop();
  TControl* target = l.Capture ? l.Capture : ControlUnder(form, ev.X, ev.Y);
  l.Buttons &= TShiftState(~ButtonFlag(ev.Button));
  if (!(l.Buttons & (ssLeft | ssRight | ssMiddle))) l.Capture = nullptr;
  if (!target) return;
  target->Perform(MouseMessageOf(ev), MouseKeys(), LocalPos(target, ev.X, ev.Y));
  if (ev.Button == mbRight && Loop().LastClickControl == target) {
    TPoint screen = form->ClientToScreen(Point(ev.X, ev.Y));
    target->Perform(WM_CONTEXTMENU, 0, PointToLParam(screen.x, screen.y));
  }
  // The release may have uncovered another control under the pointer.
  SetHover(ControlUnder(form, ev.X, ev.Y));
}

void MouseWheel(TForm* form, const TBackendEvent& ev) {
  TControl* c = form->ActiveControl();
  if (!c) c = ControlUnder(form, ev.X, ev.Y);
  TPoint screen = form->ClientToScreen(Point(ev.X, ev.Y));
  TShiftState shift = KeysToShiftState(MouseKeys());
  for (; c; c = c->Parent())
    if (c->DoMouseWheel(shift, ev.WheelDelta, screen)) return;
}

TShiftState ModifierOf(Word key) {
  return key == VK_SHIFT ? ssShift : key == VK_CONTROL ? ssCtrl : key == VK_MENU ? ssAlt : 0;
}

LRESULT DialogMaskOf(Word key) {
  switch (key) {
    case VK_TAB:
      return DLGC_WANTTAB;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      return DLGC_WANTARROWS;
    case VK_RETURN:
    case VK_ESCAPE:
      return DLGC_WANTALLKEYS;
    default:
      return 0;
  }
}

// Alt without Ctrl: Ctrl+Alt is AltGr, which types characters.
bool IsAltChord() { return (Loop().Keyboard & (ssAlt | ssCtrl)) == ssAlt; }

// The character of an Alt chord's key: its letter or digit. The key code names
// the key by the first layout group, so Alt+M stays 'm' on any layout.
char32_t AltCharOf(Word key) {
  if (key >= 'A' && key <= 'Z') return (Loop().Keyboard & ssShift) ? key : key + 32;
  if (key >= '0' && key <= '9') return key;
  return 0;
}

void KeyDown(TForm* form, const TBackendEvent& ev) {
  auto& l = Loop();
  l.Keyboard |= ModifierOf(ev.Key);
  l.SuppressChar = false;
  TWinControl* target = form->ActiveControl() ? form->ActiveControl() : form;
  if (LRESULT mask = DialogMaskOf(ev.Key)) {
    LRESULT code = target->Perform(WM_GETDLGCODE, ev.Key);
    if (!(code & (mask | DLGC_WANTALLKEYS)) &&
        form->Perform(CM_DIALOGKEY, ev.Key, KeyboardShiftState()) != 0) {
      l.SuppressChar = true;  // the key's character is spent too
      return;
    }
  }
  TMessage m{(l.Keyboard & ssAlt) ? WM_SYSKEYDOWN : WM_KEYDOWN, ev.Key, 0, 0};
  target->WndProc(m);
  // The platform turns an Alt chord into its character itself; a handler that
  // took the key (Key = 0) took the character with it.
  const char32_t ch = m.WParam && IsAltChord() ? AltCharOf(ev.Key) : 0;
  if (!ch) return;
  l.SuppressChar = true;  // a backend's own character for the chord is not typed
  // The key's handler may have moved the focus or freed the control it went to.
  target = form->ActiveControl() ? form->ActiveControl() : form;
  target->Perform(WM_SYSCHAR, WPARAM(ch));
}

void KeyUp(TForm* form, const TBackendEvent& ev) {
  Loop().Keyboard &= TShiftState(~ModifierOf(ev.Key));
  TWinControl* target = form->ActiveControl() ? form->ActiveControl() : form;
  target->Perform(WM_KEYUP, ev.Key);
}

void Char(TForm* form, const TBackendEvent& ev) {
  if (Loop().SuppressChar) {
    Loop().SuppressChar = false;
    return;
  }
  TWinControl* target = form->ActiveControl() ? form->ActiveControl() : form;
  const WPARAM ch = WPARAM(ev.Char);
  if (IsAltChord()) {
    target->Perform(WM_SYSCHAR, ch);
    return;
  }
  // A control that does not type characters (a button, a check box) leaves a
  // plain letter to the accelerators of the form.
  if (ch > ' ' && !(target->Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) &&
      form->Perform(CM_DIALOGCHAR, ch) != 0)
    return;
  target->Perform(WM_CHAR, ch);
}

bool IsInput(TBackendEventKind k) {
  return k == bekMouseDown || k == bekMouseUp || k == bekMouseMove || k == bekMouseWheel ||
         k == bekKeyDown || k == bekKeyUp || k == bekChar || k == bekClose;
}

}  // namespace

void DispatchEvent(const TBackendEvent& ev) {
  if (FilterInput(ev)) return;  // an open popup took it
  TForm* form = Screen->FormOfWindow(ev.Window);
  if (!form) return;
  TApplication* app = Application;
  // While a modal form runs, the others take no input.
  if (IsInput(ev.Kind) && !app->FModalStack.empty() && app->FModalStack.back() != form) return;
  if (ev.Kind != bekKeyDown && ev.Kind != bekKeyUp)
    Loop().Keyboard = TShiftState(ev.Shift & (ssShift | ssCtrl | ssAlt));
  switch (ev.Kind) {
    case bekMouseMove:
      MouseMove(form, ev);
      break;
    case bekMouseDown:
      MouseDown(form, ev);
      break;
    case bekMouseUp:
      MouseUp(form, ev);
      break;
    case bekMouseWheel:
      MouseWheel(form, ev);
      break;
    case bekMouseLeave:
      if (!Loop().Capture) SetHover(nullptr);
      break;
    case bekKeyDown:
      KeyDown(form, ev);
      break;
    case bekKeyUp:
      KeyUp(form, ev);
      break;
    case bekChar:
      Char(form, ev);
      break;
    case bekClose:
      form->Close();
      break;
    case bekResize:
      form->SetBounds(form->Left(), form->Top(), ev.Width, ev.Height);
      break;
    case bekExpose:
      form->NotePresent(form->ClientRect());
      break;
    case bekFocusIn:
      form->Activate();
      break;
    default:
      break;
  }
}

void PaintTree(TWinControl* w, const TRect& clip) {
  TRect vis = IntersectRect(w->VisibleRectInForm(), clip);
  if (vis.IsEmpty()) return;
  auto& l = Loop();
  const TRect* saved = l.PaintClip;
  auto paintGuarded = [&](auto&& fn, const TRect& r) {
    l.PaintClip = &r;
    try {
      fn();
    } catch (...) {
      Application->HandleException(w);
    }
    l.PaintClip = saved;
  };
  paintGuarded([&] { w->PaintWindow(); }, vis);
  // Graphic children are part of the parent's picture; child windows lie above.
  auto children = w->FControls;
  for (TControl* c : children) {
    if (dynamic_cast<TWinControl*>(c) || !c->Visible()) continue;
    TRect r = IntersectRect(c->VisibleRectInForm(), vis);
    if (!r.IsEmpty()) paintGuarded([&] { c->Paint(); }, r);
  }
  for (TControl* c : children)
    if (auto* cw = dynamic_cast<TWinControl*>(c); cw && cw->Visible()) PaintTree(cw, vis);
}

void UpdateCursor() {
  // A screen cursor (the hourglass while busy) shows over every form at once, not
  // only once the pointer moves; restoring it gives each form its arrow back.
  const TCursor screen = Screen->Cursor();
  for (int i = 0; i < Screen->FormCount(); ++i)
    if (TForm* f = Screen->Forms(i); f && f->WindowId())
      CurrentBackend().SetCursor(f->WindowId(), screen == crDefault ? crArrow : screen);
  TControl* hover = Loop().Hover;
  TForm* form = hover ? GetParentForm(hover) : nullptr;
  if (screen != crDefault || !form || !form->WindowId()) return;
  TCursor cursor = crDefault;
  for (TControl* c = hover; c && cursor == crDefault; c = c->Parent()) cursor = c->Cursor();
  CurrentBackend().SetCursor(form->WindowId(), cursor == crDefault ? crArrow : cursor);
}

}  // namespace host::detail
