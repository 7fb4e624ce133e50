#include <algorithm>

#include "host/ui/Controls.h"
#include "host/ui/Forms.h"
#include "host/ui/Loop.h"

namespace host {

namespace {

// A character typed with Alt held goes to the form as an accelerator; it is
// never typed into the focused control. One that nothing takes is dropped
// without a beep: Linux desktops stay silent there, and window-manager chords
// that leak through would otherwise beep.
void WMSysChar(TWinControl* w, TMessage& m) {
  if (TForm* f = GetParentForm(w)) m.Result = f->Perform(CM_DIALOGCHAR, m.WParam, m.LParam);
}

// An accelerator is offered to every control until one takes it; a hidden or
// disabled container keeps it from the controls inside.
void CMDialogChar(TWinControl* w, TMessage& m) {
  if (!w->Parent() || (w->Visible() && w->Enabled())) w->Broadcast(m);
}

}  // namespace

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) { FColor = clBtnFace; }

TWinControl::~TWinControl() {
  SetComponentStateFlag(csDestroying, true);
  ReleaseFocusWithin();
  // Children without an owner belong to their parent and go with it; owned ones
  // are only detached, their owner frees them.
  while (!FControls.empty()) {
    TControl* c = FControls.back();
    RemoveControl(c);
    if (!c->Owner()) delete c;
  }
  if (FHandle) TWinControl::DestroyWnd();
}

TControl* TWinControl::Controls(int i) const {
  if (i < 0 || i >= ControlCount()) return nullptr;
  return FControls[size_t(i)];
}

void TWinControl::InsertControl(TControl* c) {
  c->FParent = this;
  FControls.push_back(c);
  auto* w = dynamic_cast<TWinControl*>(c);
  if (w) FTabList.push_back(w);
  c->Perform(CM_PARENTFONTCHANGED);
  c->Perform(CM_PARENTCOLORCHANGED);
  c->Perform(CM_PARENTSHOWHINTCHANGED);
  c->Perform(CM_PARENTBIDIMODECHANGED);
  if (w) w->Perform(CM_PARENTCTL3DCHANGED);
  if (w && FHandle && w->Visible()) w->HandleNeeded();
  if (c->Align() != alNone) Realign();
  c->Invalidate();
}

void TWinControl::RemoveControl(TControl* c) {
  if (std::find(FControls.begin(), FControls.end(), c) == FControls.end()) return;
  c->Invalidate();
  if (TForm* f = GetParentForm(this)) f->ControlGone(c);
  std::erase(FControls, c);
  std::erase(FTabList, c);
  c->FParent = nullptr;
  if (c->Align() != alNone && !(ComponentState() & csDestroying)) Realign();
}

bool TWinControl::ContainsControl(const TControl* c) const {
  for (; c; c = c->Parent())
    if (c == this) return true;
  return false;
}

TControl* TWinControl::ControlAtPos(TPoint p, bool AllowDisabled, bool AllLevels) const {
  // Child windows lie above the graphic controls of their parent.
  for (int pass = 0; pass < 2; ++pass) {
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
      TControl* c = *it;
      auto* w = dynamic_cast<TWinControl*>(c);
      if ((pass == 0) != (w != nullptr)) continue;
      if (!c->Visible() || (!AllowDisabled && !c->Enabled())) continue;
      if (!c->BoundsRect().Contains(p.x, p.y)) continue;
      // A child window shows only inside its parent's client area: a point on
      // the parent's edge (a border, a scroll bar) belongs to the parent.
      const TPoint inner = Point(p.x - c->Left(), p.y - c->Top());
      if (AllLevels && w && w->ClientRect().Contains(inner.x, inner.y)) {
        if (TControl* hit = w->ControlAtPos(inner, AllowDisabled, true)) return hit;
      }
      return c;
    }
  }
  return nullptr;
}

void TWinControl::Broadcast(TMessage& Message) {
  // A copy: a handler may add or remove controls.
  auto list = FControls;
  for (TControl* c : list) {
    c->WndProc(Message);
    if (Message.Result != 0) return;
  }
}

void TWinControl::NotifyChildren(unsigned msg) {
  auto list = FControls;
  for (TControl* c : list) c->Perform(msg);
}

void TWinControl::Realign() {
  if (FAligning) return;
  FAligning = true;
  try {
    AlignControls();
  } catch (...) {
    FAligning = false;
    throw;
  }
  FAligning = false;
}

void TWinControl::AlignControls() {
  TRect r = ClientRect();
  for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient}) {
    for (TControl* c : FControls) {
      if (c->Align() != a || !c->Visible()) continue;
      int w = c->Width(), h = c->Height();
      switch (a) {
        case alTop:
          c->SetBounds(r.Left, r.Top, r.Width(), h);
          r.Top += c->Height();
          break;
        case alBottom:
          c->SetBounds(r.Left, r.Bottom - h, r.Width(), h);
          r.Bottom -= c->Height();
          break;
        case alLeft:
          c->SetBounds(r.Left, r.Top, w, r.Height());
          r.Left += c->Width();
          break;
        case alRight:
          c->SetBounds(r.Right - w, r.Top, w, r.Height());
          r.Right -= c->Width();
          break;
        default:
          c->SetBounds(r.Left, r.Top, r.Width(), r.Height());
          break;
      }
    }
  }
}

void TWinControl::AnchorChildren(int dw, int dh) {
  for (TControl* c : FControls) {
    if (c->Align() != alNone) continue;
    int l = c->Left(), t = c->Top(), w = c->Width(), h = c->Height();
    TAnchors a = c->Anchors();
    if (a & akRight) (a & akLeft) ? w += dw : l += dw;
    if (a & akBottom) (a & akTop) ? h += dh : t += dh;
    c->SetBounds(l, t, w, h);
  }
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  int oldW = ClientWidth(), oldH = ClientHeight();
  TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  int dw = ClientWidth() - oldW, dh = ClientHeight() - oldH;
  if (dw == 0 && dh == 0) return;
  AnchorChildren(dw, dh);
  Realign();
}

void TWinControl::SetParent(TWinControl* AParent) {
  if (!AParent) ReleaseFocusWithin();
  TControl::SetParent(AParent);
  if (AParent && AParent->HandleAllocated() && Visible()) HandleNeeded();
}

void TWinControl::SetVisible(bool v) {
  if (!v) ReleaseFocusWithin();
  TControl::SetVisible(v);
  if (v && Parent() && Parent()->HandleAllocated()) HandleNeeded();
}

void TWinControl::SetEnabled(bool e) {
  if (!e) ReleaseFocusWithin();
  TControl::SetEnabled(e);
}

void TWinControl::ReleaseFocusWithin() {
  TForm* f = GetParentForm(this);
  if (!f || f == this) return;
  if (f->ActiveControl() && ContainsControl(f->ActiveControl())) {
    if (ComponentState() & csDestroying)
      f->ControlGone(this);  // no exit events for a control half destroyed
    else
      f->SetActiveControl(nullptr);
  }
}

void TWinControl::SetParentBackground(bool v) {
  if (v == FParentBackground) return;
  FParentBackground = v;
  Invalidate();
}

HWND TWinControl::Handle() {
  if (!FHandle) {
    if (Parent()) Parent()->HandleNeeded();
    CreateWnd();
    if (!FHandle) FHandle = detail::RegisterWindow(this);  // an override forgot the base
    CreateChildHandles();
  }
  return FHandle;
}

void TWinControl::CreateChildHandles() {
  for (TControl* c : FControls)
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w->Visible()) w->HandleNeeded();
}

void TWinControl::CreateWnd() {
  if (!FHandle) FHandle = detail::RegisterWindow(this);
}

void TWinControl::DestroyWnd() {
  if (!FHandle) return;
  detail::UnregisterWindow(FHandle);
  FHandle = 0;
}

bool TWinControl::CanFocus() const {
  if (!GetParentForm(this)) return false;
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() const {
  TForm* f = GetParentForm(this);
  return f && f->Active() && f->ActiveControl() == this;
}

void TWinControl::SetFocus() {
  TForm* f = GetParentForm(this);
  if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  f->Activate();
  f->SetActiveControl(this);
}

int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  auto& list = Parent()->FTabList;
  return int(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int v) {
  if (!Parent()) return;
  auto& list = Parent()->FTabList;
  std::erase(list, this);
  v = std::clamp(v, 0, int(list.size()));
  list.insert(list.begin() + v, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
  for (TWinControl* w : FTabList) {
    list.push_back(w);
    w->GetTabOrderList(list);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool GoForward,
                                          bool CheckTabStop) const {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  int n = int(list.size());
  if (n == 0) return nullptr;
  int i = int(std::find(list.begin(), list.end(), current) - list.begin());
  if (i == n) i = GoForward ? -1 : n;  // not in the list: start at an end
  for (int step = 0; step < n; ++step) {
    i = GoForward ? (i + 1) % n : (i - 1 + n) % n;
    TWinControl* c = list[size_t(i)];
    if (c == current) break;
    if ((!CheckTabStop || c->TabStop()) && c->CanFocus()) return c;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool GoForward, bool CheckTabStop) {
  if (TWinControl* next = FindNextControl(current, GoForward, CheckTabStop)) next->SetFocus();
}

void TWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      WMKeyDown(m);
      break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      WMKeyUp(m);
      break;
    case WM_CHAR:
      WMChar(m);
      break;
    case WM_SYSCHAR:
      WMSysChar(this, m);
      break;
    case CM_DIALOGCHAR:
      CMDialogChar(this, m);
      break;
    case WM_SETFOCUS:
      WMSetFocus(m);
      break;
    case WM_KILLFOCUS:
      WMKillFocus(m);
      break;
    case WM_TIMER:
      WMTimer(m);
      break;
    case WM_GETDLGCODE:
      WMGetDlgCode(m);
      break;
    case CM_ENTER:
      CMEnter(m);
      break;
    case CM_EXIT:
      CMExit(m);
      break;
    case CM_PARENTCTL3DCHANGED:
      CMParentCtl3DChanged(m);
      break;
    default:
      TControl::WndProc(m);
      break;
  }
}

bool TWinControl::PreviewKeyDown(Word& Key, TShiftState Shift) {
  TForm* f = GetParentForm(this);
  if (!f || f == this || !f->KeyPreview()) return false;
  static_cast<TWinControl*>(f)->KeyDown(Key, Shift);
  return Key == 0;
}

void TWinControl::WMKeyDown(TMessage& m) {
  Word key = Word(m.WParam);
  TShiftState shift = KeyboardShiftState();
  if (!PreviewKeyDown(key, shift)) KeyDown(key, shift);
  m.WParam = key;  // 0 tells the loop the key was taken
}

void TWinControl::WMKeyUp(TMessage& m) {
  Word key = Word(m.WParam);
  TShiftState shift = KeyboardShiftState();
  TForm* f = GetParentForm(this);
  if (f && f != this && f->KeyPreview()) {
    static_cast<TWinControl*>(f)->KeyUp(key, shift);
    if (key == 0) return;
  }
  KeyUp(key, shift);
  m.WParam = key;
}

void TWinControl::WMChar(TMessage& m) {
  char32_t ch = char32_t(m.WParam);
  TForm* f = GetParentForm(this);
  if (f && f != this && f->KeyPreview()) {
    static_cast<TWinControl*>(f)->KeyPress(ch);
    if (ch == 0) return;
  }
  KeyPress(ch);
  m.WParam = ch;
}

void TWinControl::KeyDown(Word& Key, TShiftState Shift) {
  if (FOnKeyDown) FOnKeyDown(this, Key, Shift);
}

void TWinControl::KeyPress(char32_t& Key) {
  if (FOnKeyPress) FOnKeyPress(this, Key);
}

void TWinControl::KeyUp(Word& Key, TShiftState Shift) {
  if (FOnKeyUp) FOnKeyUp(this, Key, Shift);
}

void TWinControl::DoEnter() {
  if (FOnEnter) FOnEnter(this);
}

void TWinControl::DoExit() {
  if (FOnExit) FOnExit(this);
}

void TWinControl::PaintWindow() {
  if (!(ControlStyle() & csOpaque) && !FParentBackground) {
    TCanvas canvas;
    PrepareCanvas(canvas);
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(ClientRect());
  }
  Paint();
}

void TWinControl::CMFontChanged(TMessage& m) {
  TControl::CMFontChanged(m);
  NotifyChildren(CM_PARENTFONTCHANGED);
}

void TWinControl::CMColorChanged(TMessage& m) {
  TControl::CMColorChanged(m);
  NotifyChildren(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMParentCtl3DChanged(TMessage&) { FollowParent(FCtl3D, &TWinControl::Ctl3D); }

void TWinControl::CMEnabledChanged(TMessage& m) {
  if (!Enabled()) ReleaseFocusWithin();
  TControl::CMEnabledChanged(m);
}

}  // namespace host
