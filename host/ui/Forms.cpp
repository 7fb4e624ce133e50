#include "host/ui/Forms.h"

#include <algorithm>

#include "host/backend/Backend.h"
#include "host/gfx/Utf8.h"
#include "host/ui/Loop.h"

namespace host {

namespace {
// More separate invalid rectangles than this are merged into their union:
// painting a little more beats walking the tree many times.
constexpr size_t kMaxDirtyRects = 16;
// The smallest client area a user may shrink a form to when its Constraints
// say nothing: enough to keep the window something one can grab again.
constexpr int kMinClientWidth = 100;
constexpr int kMinClientHeight = 40;

bool FixedSize(TFormBorderStyle b) { return b == bsDialog || b == bsSingle || b == bsToolWindow; }

bool Touch(const TRect& a, const TRect& b) {
  return a.Left <= b.Right && b.Left <= a.Right && a.Top <= b.Bottom && b.Top <= a.Bottom;
}
}  // namespace

TForm::TForm(TComponent* AOwner) : TWinControl(AOwner), FCanvas(std::make_unique<TCanvas>()) {
  FVisible = false;
  FParentFont = false;
  FParentColor = false;
  FColor = clBtnFace;
  FWidth = 320;
  FHeight = 240;
  FFramebuffer.SetSize(FWidth, FHeight);
  Screen->FForms.push_back(this);
}

TForm::~TForm() {
  SetComponentStateFlag(csDestroying, true);
  FActiveControl = nullptr;
  // The children go while this is still a form, so they can leave it cleanly.
  while (ControlCount() > 0) {
    TControl* c = Controls(ControlCount() - 1);
    RemoveControl(c);
    if (!c->Owner() || c->Owner() == this) delete c;
  }
  DestroyWnd();
  std::erase(Screen->FForms, this);
  if (TApplication* app = detail::ApplicationIfAny()) {
    if (app->FMainForm == this) app->FMainForm = nullptr;
    std::erase(app->FModalStack, this);
  }
}

TCanvas* TForm::Canvas() const {
  PrepareCanvas(*FCanvas);
  return FCanvas.get();
}

void TForm::CMTextChanged(TMessage& m) {
  TWinControl::CMTextChanged(m);
  if (FWindow) CurrentBackend().SetWindowCaption(FWindow, Caption());
}

void TForm::SetParent(TWinControl* AParent) {
  if (AParent) throw EInvalidOperation("A form is a top-level window and takes no parent");
}

void TForm::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  int oldW = FWidth, oldH = FHeight;
  bool moved = ALeft != FLeft || ATop != FTop;
  TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (moved && FWindow) CurrentBackend().SetWindowPosition(FWindow, FLeft, FTop);
  // New Constraints arrive here too. Limits first: a window manager may hold a
  // fixed window to its old size otherwise.
  ApplyWindowStyle();
  if (FWidth == oldW && FHeight == oldH) return;
  FFramebuffer.SetSize(FWidth, FHeight);
  if (FWindow) CurrentBackend().SetWindowSize(FWindow, FWidth, FHeight);
  Invalidate();
}

void TForm::Invalidate() { InvalidateFormRect(ClientRect()); }

void TForm::InvalidateFormRect(const TRect& area) {
  TRect r = IntersectRect(area, ClientRect());
  if (r.IsEmpty()) return;
  // Merge with every invalid rectangle it touches, repeatedly, so the list stays
  // a set of separate areas.
  bool merged = true;
  while (merged) {
    merged = false;
    for (auto it = FDirty.begin(); it != FDirty.end(); ++it) {
      if (!Touch(*it, r)) continue;
      r = UnionRect(*it, r);
      FDirty.erase(it);
      merged = true;
      break;
    }
  }
  FDirty.push_back(r);
  if (FDirty.size() > kMaxDirtyRects) {
    TRect all = FDirty.front();
    for (const TRect& d : FDirty) all = UnionRect(all, d);
    FDirty.assign(1, all);
  }
}

void TForm::NotePresent(const TRect& r) {
  if (r.IsEmpty()) return;
  FPresent = FPresent.IsEmpty() ? r : UnionRect(FPresent, r);
}

void TForm::PaintPending() {
  if (FDirty.empty() && FPresent.IsEmpty()) return;
  auto dirty = std::move(FDirty);
  FDirty.clear();
  TRect shown = FPresent;
  FPresent = TRect{};
  for (const TRect& r : dirty) {
    detail::PaintTree(this, r);
    shown = shown.IsEmpty() ? r : UnionRect(shown, r);
  }
  if (FWindow && FVisible) CurrentBackend().Present(FWindow, FFramebuffer.Surface(), shown);
}

void TForm::Paint() {
  if (FOnPaint) FOnPaint(this);
}

void TForm::CreateWnd() {
  TWinControl::CreateWnd();
  if (!FWindow) CreateBackendWindow();
}

void TForm::CreateBackendWindow() {
  FWindow = CurrentBackend().CreateWindow(Caption(), FWidth, FHeight);
  CurrentBackend().SetWindowPosition(FWindow, FLeft, FTop);
  FSentStyle = TWindowStyle{};  // what a new window starts with
  ApplyWindowStyle();
}

void TForm::SetBorderStyle(TFormBorderStyle b) {
  FBorderStyle = b;
  ApplyWindowStyle();
}

TWindowId TForm::FindOwnerWindow() const {
  // The form that opened this one: its owner when that is a shown form, else
  // the one the user was working in, else the main form.
  auto usable = [this](const TForm* f) { return f && f != this && f->FVisible && f->FWindow; };
  if (auto* f = dynamic_cast<const TForm*>(Owner()); usable(f)) return f->FWindow;
  if (TForm* f = Screen->ActiveForm(); usable(f)) return f->FWindow;
  if (TForm* f = Application->MainForm(); usable(f)) return f->FWindow;
  return 0;
}

TWindowStyle TForm::WindowStyle() const {
  TWindowStyle s;
  if (FModal || FBorderStyle == bsDialog) {
    s.Kind = wkDialog;
    s.Owner = FOwnerWindow;
  }
  s.Decorated = FBorderStyle != bsNone;
  if (FixedSize(FBorderStyle)) {
    s.MinWidth = s.MaxWidth = FWidth;
    s.MinHeight = s.MaxHeight = FHeight;
    return s;
  }
  // The floor never forbids the size the program gave the form.
  s.MinWidth =
      FConstraints.MinWidth() > 0 ? FConstraints.MinWidth() : std::min(kMinClientWidth, FWidth);
  s.MinHeight =
      FConstraints.MinHeight() > 0 ? FConstraints.MinHeight() : std::min(kMinClientHeight, FHeight);
  s.MaxWidth = FConstraints.MaxWidth();
  s.MaxHeight = FConstraints.MaxHeight();
  return s;
}

void TForm::ApplyWindowStyle() {
  if (!FWindow) return;
  TWindowStyle s = WindowStyle();
  if (s == FSentStyle) return;
  FSentStyle = s;
  CurrentBackend().SetWindowStyle(FWindow, s);
}

void TForm::WindowDestroyed() {
  // The form's handle stays: messages posted to it still arrive.
  FWindow = 0;
  bool isMain = Application->MainForm() == this;
  if (FVisible) Hide();
  if (isMain) Application->Terminate();
}

void TForm::DestroyWnd() {
  if (FWindow) CurrentBackend().DestroyWindow(FWindow);
  FWindow = 0;
  TWinControl::DestroyWnd();
}

void TForm::SetVisible(bool v) {
  if (v == FVisible) return;
  if (v) {
    HandleNeeded();
    if (!FWindow) CreateBackendWindow();  // the last one was destroyed from outside
    // Before it is shown: window managers read a dialog's manners at mapping.
    FOwnerWindow = FindOwnerWindow();
    ApplyWindowStyle();
    ApplyPosition();
    FVisible = true;
    CurrentBackend().ShowWindow(FWindow, true);
    Activate();
    if (!FActiveControl) FocusFirst();
    DoShow();
    Invalidate();
  } else {
    FVisible = false;
    if (FWindow) CurrentBackend().ShowWindow(FWindow, false);
    bool wasActive = FActive;
    FActive = false;
    DoHide();
    // The keyboard goes to the last other form that is shown.
    if (wasActive)
      for (auto it = Screen->FForms.rbegin(); it != Screen->FForms.rend(); ++it)
        if ((*it)->FVisible) {
          (*it)->Activate();
          break;
        }
  }
}

void TForm::ApplyPosition() {
  switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
    case poMainFormCenter:
    case poOwnerFormCenter:
      SetBounds((Screen->Width() - FWidth) / 2, (Screen->Height() - FHeight) / 2, FWidth, FHeight);
      break;
    default:
      break;
  }
}

void TForm::DoShow() {
  if (FOnShow) FOnShow(this);
}

void TForm::DoHide() {
  if (FOnHide) FOnHide(this);
}

void TForm::Activate() {
  for (TForm* f : Screen->FForms) f->FActive = false;
  FActive = true;
}

void TForm::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  Activate();
}

void TForm::FocusFirst() {
  if (TWinControl* c = FindNextControl(nullptr, true, true)) SetActiveControl(c);
}

void TForm::SetActiveControl(TWinControl* c) {
  if (c == FActiveControl) return;
  if (c && (c == this || GetParentForm(c) != this))
    throw EInvalidOperation("The active control must be a control on the form");
  TWinControl* old = FActiveControl;
  FActiveControl = c;
  if (old) {
    old->Perform(CM_EXIT);
    old->Perform(WM_KILLFOCUS);
  }
  // An exit handler may have moved the focus elsewhere already.
  if (c && FActiveControl == c) {
    c->Perform(WM_SETFOCUS);
    c->Perform(CM_ENTER);
    // A parent that scrolls brings the control into view.
    for (TWinControl* p = c->Parent(); p && FActiveControl == c; p = p->Parent())
      p->Perform(CM_FOCUSCHANGED, 0, LPARAM(c));
  }
}

void TForm::ControlGone(TControl* c) {
  if (FActiveControl &&
      (FActiveControl == c || (dynamic_cast<TWinControl*>(c) &&
                               static_cast<TWinControl*>(c)->ContainsControl(FActiveControl))))
    FActiveControl = nullptr;
}

bool TForm::CloseQuery() {
  bool can = true;
  if (FOnCloseQuery) FOnCloseQuery(this, can);
  return can;
}

void TForm::Close() {
  if (FModal) {
    FModalResult = mrCancel;  // the modal loop asks OnCloseQuery and OnClose
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  if (FOnClose) FOnClose(this, action);
  if (action == caNone) return;
  bool isMain = Application->MainForm() == this;
  if (action == caFree)
    Release();
  else
    Hide();
  if (isMain) Application->Terminate();
}

void TForm::CloseModal() {
  if (!CloseQuery()) {
    FModalResult = mrNone;
    return;
  }
  TCloseAction action = caHide;
  if (FOnClose) FOnClose(this, action);
  if (action == caNone) FModalResult = mrNone;
}

void TForm::Release() { PostMessage(Handle(), CM_RELEASE, 0, 0); }

void TForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_RELEASE:
      delete this;
      return;  // nothing of this may be touched after
    case CM_DIALOGKEY:
      CMDialogKey(m);
      return;
    case WM_CLOSE:
      Close();
      return;
    default:
      TWinControl::WndProc(m);
      return;
  }
}

void TForm::CMDialogKey(TMessage& m) {
  Word key = Word(m.WParam);
  TShiftState shift = KeyboardShiftState();
  if (key == VK_TAB && !(shift & (ssCtrl | ssAlt))) {
    SelectNext(FActiveControl, !(shift & ssShift), true);
    m.Result = 1;
  } else if (key >= VK_LEFT && key <= VK_DOWN && FActiveControl) {
    SelectNext(FActiveControl, key == VK_RIGHT || key == VK_DOWN, false);
    m.Result = 1;
  } else {
    Broadcast(m);  // Return and Escape: default and cancel buttons take them
  }
}

TModalResult TForm::ShowModal() {
  if (FVisible || FModal) throw EInvalidOperation("Cannot make a visible window modal");
  TApplication* app = Application;
  FModalResult = mrNone;
  FModal = true;
  app->FModalStack.push_back(this);
  ++app->FModalLevel;
  auto finish = [&] {
    --app->FModalLevel;
    std::erase(app->FModalStack, this);
    FModal = false;
    Hide();
  };
  // A dialog opened from a mouse press must get the mouse itself: the control that
  // was pressed gives up its capture, as the platform does when a window goes modal.
  if (TControl* captured = detail::Loop().Capture) captured->SetMouseCapture(false);
  try {
    Show();
    if (app->FModalHook) app->FModalHook(this);
    for (;;) {
      app->ProcessMessages();
      if (FModalResult != mrNone) CloseModal();
      // A dialog whose window was destroyed from outside ends as cancelled.
      if (FModalResult != mrNone || app->Terminated() || !FWindow) break;
      if (CurrentBackend().HasVirtualClock() && !app->HasPendingWork())
        throw EInvalidOperation("Modal form \"" + Name() +
                                "\" waits for input that cannot come: nothing is queued and no "
                                "modal hook closed it");
      app->HandleMessage();
    }
  } catch (...) {
    finish();
    throw;
  }
  finish();
  if (FModalResult == mrNone) FModalResult = mrCancel;  // ended by Terminate
  return FModalResult;
}

// --- TScreen

void TScreen::SetCursor(TCursor c) {
  if (c == FCursor) return;
  FCursor = c;
  detail::UpdateCursor();
}

TForm* TScreen::Forms(int i) const {
  if (i < 0 || i >= FormCount()) return nullptr;
  return FForms[size_t(i)];
}

bool TScreen::HasForm(const TForm* f) const {
  return std::find(FForms.begin(), FForms.end(), f) != FForms.end();
}

TForm* TScreen::ActiveForm() const {
  for (TForm* f : FForms)
    if (f->Active()) return f;
  return nullptr;
}

TWinControl* TScreen::ActiveControl() const {
  TForm* f = ActiveForm();
  return f ? f->ActiveControl() : nullptr;
}

TForm* TScreen::FormOfWindow(uintptr_t w) const {
  if (w == 0) return nullptr;  // 0 is no window, even for a form not shown yet
  for (TForm* f : FForms)
    if (f->WindowId() == w) return f;
  return nullptr;
}

unsigned MouseMessageOf(const TBackendEvent& ev, bool DoubleClick) {
  // Each button's messages come as down, up, double click in a row.
  const unsigned down = ev.Button == mbLeft    ? WM_LBUTTONDOWN
                        : ev.Button == mbRight ? WM_RBUTTONDOWN
                                               : WM_MBUTTONDOWN;
  switch (ev.Kind) {
    case bekMouseDown:
      return DoubleClick ? down + 2 : down;
    case bekMouseUp:
      return down + 1;
    case bekMouseMove:
      return WM_MOUSEMOVE;
    default:
      return 0;
  }
}

namespace {

// Accelerators match regardless of case; ASCII and Latin-1 letters are folded,
// which covers the captions the library and its users write.
char32_t FoldAccelCase(char32_t c) {
  const bool upper = (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
  return upper ? c + 0x20 : c;
}

}  // namespace

char32_t AccelCharOf(const std::string& Caption) {
  for (size_t i = 0; i + 1 < Caption.size(); ++i) {
    if (Caption[i] != '&') continue;
    if (Caption[i + 1] == '&') {
      ++i;
      continue;
    }
    size_t next = i + 1;
    return FoldAccelCase(NextCodePoint(Caption, next));
  }
  return 0;
}

bool IsAccel(char32_t Key, const std::string& Caption) {
  return Key != 0 && AccelCharOf(Caption) == FoldAccelCase(Key);
}

int TScreen::Width() const { return CurrentBackend().ScreenSize().x; }
int TScreen::Height() const { return CurrentBackend().ScreenSize().y; }

}  // namespace host
