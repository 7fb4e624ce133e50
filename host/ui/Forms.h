// Forms, the application (message loop, exceptions, virtual clock, modal
// dialogs) and the screen.
#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/backend/Backend.h"
#include "host/ui/Controls.h"

namespace host {

class TBackend;
struct TBackendEvent;
class TApplication;
namespace detail {
void DispatchEvent(const TBackendEvent& ev);
TApplication* ApplicationIfAny();  // nullptr while none exists (or it is going)
}  // namespace detail

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;
constexpr TModalResult mrClose = 11;

enum TCloseAction : uint8_t { caNone, caHide, caFree, caMinimize };
enum TPosition : uint8_t {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;

// A top-level window with a framebuffer that its controls paint into.
class TForm : public TWinControl {
 public:
  explicit TForm(TComponent* AOwner);
  ~TForm() override;

  // The canvas of the form's client area (OnPaint draws with it).
  TCanvas* Canvas() const;
  // The pixels of the client area: what the form shows.
  TBitmap* Framebuffer() { return &FFramebuffer; }

  void SetCaption(const std::string& s) { SetText(s); }
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool v) { FKeyPreview = v; }
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition p) { FPosition = p; }
  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  // bsNone: no frame; bsDialog, bsSingle, bsToolWindow: the user cannot resize
  // the window; bsDialog: a dialog above the form that opened it.
  void SetBorderStyle(TFormBorderStyle b);
  // The focused control of this form (nullptr: the form itself).
  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* c);
  // True for the form that receives the keyboard input.
  bool Active() const { return FActive; }

  // Shows the form and runs a nested loop until ModalResult is non-zero; hides
  // it and returns that result. Headless, the application's modal hook drives
  // the dialog; a dialog nobody can close raises EInvalidOperation.
  TModalResult ShowModal();
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult r) { FModalResult = r; }
  bool Modal() const { return FModal; }
  // Asks OnCloseQuery and OnClose; hides, frees (later, from the loop) or keeps
  // the form as OnClose decides. Closing the main form ends the application.
  void Close();
  // Frees the form from the loop once the current message is handled.
  void Release();

  // Paints the invalid parts of the form into the framebuffer and presents
  // them (with whatever was drawn directly since the last turn).
  void PaintPending();
  // Marks a part of the client area (form coordinates) invalid.
  void InvalidateFormRect(const TRect& r);
  // Notes a part drawn outside the paint cycle, to be presented next turn.
  void NotePresent(const TRect& r);
  bool HasPendingPaint() const { return !FDirty.empty(); }

  const TNotifyEvent& OnShow() const { return FOnShow; }
  void SetOnShow(TNotifyEvent e) { FOnShow = std::move(e); }
  const TNotifyEvent& OnHide() const { return FOnHide; }
  void SetOnHide(TNotifyEvent e) { FOnHide = std::move(e); }
  const TNotifyEvent& OnPaint() const { return FOnPaint; }
  void SetOnPaint(TNotifyEvent e) { FOnPaint = std::move(e); }
  const TCloseEvent& OnClose() const { return FOnClose; }
  void SetOnClose(TCloseEvent e) { FOnClose = std::move(e); }
  const TCloseQueryEvent& OnCloseQuery() const { return FOnCloseQuery; }
  void SetOnCloseQuery(TCloseQueryEvent e) { FOnCloseQuery = std::move(e); }

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetVisible(bool v) override;
  void SetParent(TWinControl* AParent) override;
  void Invalidate() override;
  bool CanFocus() const override { return Showing() && Enabled(); }
  void SetFocus() override;
  std::string ClassName() const override { return "TForm"; }

  // The window id of the backend (0 until the handle exists).
  uintptr_t WindowId() const { return FWindow; }
  // What the form asks of the window manager: a dialog (modal, or bsDialog)
  // above the form that was active when it was shown; the size limits of
  // Constraints, at least a small floor; a fixed size for the fixed border
  // styles. Handed to the backend whenever one of them changes.
  TWindowStyle WindowStyle() const;
  // Makes this the form that receives keyboard input.
  void Activate();

 protected:
  void CreateWnd() override;
  void DestroyWnd() override;
  void Paint() override;
  virtual void DoShow();
  virtual void DoHide();
  virtual bool CloseQuery();
  void WndProc(TMessage& Message) override;
  void CMDialogKey(TMessage& Message);
  // The caption is the window's title.
  void CMTextChanged(TMessage& Message) override;

 private:
  friend class TApplication;
  TBitmap FFramebuffer;
  std::unique_ptr<TCanvas> FCanvas;
  uintptr_t FWindow = 0;
  bool FKeyPreview = false;
  TPosition FPosition = poDesigned;
  TFormBorderStyle FBorderStyle = bsSizeable;
  TWinControl* FActiveControl = nullptr;
  bool FActive = false;
  bool FModal = false;
  TWindowId FOwnerWindow = 0;  // chosen when the form is shown
  TWindowStyle FSentStyle;     // what the backend window was last told
  TModalResult FModalResult = mrNone;
  std::vector<TRect> FDirty;  // form coordinates, merged
  TRect FPresent;             // drawn directly since the last turn, not yet presented
  TNotifyEvent FOnShow, FOnHide, FOnPaint;
  TCloseEvent FOnClose;
  TCloseQueryEvent FOnCloseQuery;
  void ApplyPosition();
  void CreateBackendWindow();
  void ApplyWindowStyle();
  TWindowId FindOwnerWindow() const;
  // The windowing system destroyed the window: the form is hidden (a modal
  // one ends), a main form ends the application; showing it again opens a
  // new window.
  void WindowDestroyed();
  void CloseModal();
  void FocusFirst();
  friend class TWinControl;
  void ControlGone(TControl* c);
};

// The program: message loop, timers, exceptions, modal dialogs.
class TApplication : public TComponent {
 public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  // Picks the backend (see CreateDefaultBackend) unless one is installed already.
  void Initialize();
  // Creates a form owned by the application; the first one becomes MainForm.
  template <class T>
  T* CreateForm() {
    T* f = new T(this);
    if (!FMainForm) FMainForm = f;
    return f;
  }
  TForm* MainForm() const { return FMainForm; }
  void SetMainForm(TForm* f) { FMainForm = f; }
  // Shows the main form and runs the loop until Terminate.
  void Run();
  // Handles every pending event, posted message and due timer, then paints.
  void ProcessMessages();
  // Waits for the next event or timer (not with a virtual clock), handles it
  // and what else is pending.
  void HandleMessage();
  void Terminate() { FTerminated = true; }
  bool Terminated() const { return FTerminated; }
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& t) { FTitle = t; }

  // Call from a catch block: hands the exception being handled to OnException,
  // or shows it (headless: on stderr). Exceptions of message handlers and timer
  // ticks arrive here from the loop.
  void HandleException(TObject* Sender);
  const TExceptionEvent& OnException() const { return FOnException; }
  void SetOnException(TExceptionEvent e) { FOnException = std::move(e); }
  virtual void ShowException(const std::exception& E);

  // --- clock
  int64_t Now() const;
  // Virtual clock: moves time forward by ms, firing every timer that falls due on
  // the way in due order, each at its own time; then handles what is pending.
  void AdvanceTime(int64_t ms);

  // Headless dialogs: called with the form when ShowModal starts, so a program can
  // fill its fields and press its buttons (set ModalResult to end it).
  using TModalHook = std::function<void(TForm* Form)>;
  void SetModalHook(TModalHook hook) { FModalHook = std::move(hook); }

  // The form that receives keyboard input (nullptr when none is shown).
  TForm* ActiveForm() const;
  int ModalLevel() const { return FModalLevel; }
  // True when a turn of the loop has something to do now: queued input, posted
  // messages, a due timer or a pending paint.
  bool HasPendingWork() const;

  std::string ClassName() const override { return "TApplication"; }

 private:
  friend class TForm;
  friend void detail::DispatchEvent(const TBackendEvent& ev);
  friend void ResetApplication(std::unique_ptr<TBackend> backend);
  TForm* FMainForm = nullptr;
  bool FTerminated = false;
  std::string FTitle;
  TExceptionEvent FOnException;
  TModalHook FModalHook;
  int FModalLevel = 0;
  std::vector<TForm*> FModalStack;  // innermost last; only it takes input
  bool PumpEvents(int64_t timeoutMs);
  void Deliver(const TBackendEvent& ev);
  void FinishTurn();
};

// The screen: cursor override and the list of forms.
class TScreen : public TComponent {
 public:
  explicit TScreen(TComponent* AOwner) : TComponent(AOwner) {}
  // While not crDefault, this cursor shows everywhere (crHourGlass while busy).
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor c);
  int FormCount() const { return int(FForms.size()); }
  TForm* Forms(int i) const;
  // True while `f` exists (a form freed by a handler is gone from the list).
  bool HasForm(const TForm* f) const;
  TForm* ActiveForm() const;
  TWinControl* ActiveControl() const;
  // The form showing backend window `w`, or nullptr when it is none of ours.
  TForm* FormOfWindow(uintptr_t w) const;
  int Width() const;
  int Height() const;
  std::string ClassName() const override { return "TScreen"; }

 private:
  friend class TForm;
  TCursor FCursor = crDefault;
  std::vector<TForm*> FForms;
};

// The message a backend mouse event becomes: a button's down (its double-click
// message when `DoubleClick`), up, or WM_MOUSEMOVE for a move. Other kinds of
// event map to no message (0).
unsigned MouseMessageOf(const TBackendEvent& ev, bool DoubleClick = false);

// True when `Key` is the accelerator of `Caption`: the character after the first
// single '&' ("&&" stands for a literal ampersand), compared regardless of case.
bool IsAccel(char32_t Key, const std::string& Caption);
// The accelerator of `Caption` as IsAccel compares it (case-folded); 0 if none.
char32_t AccelCharOf(const std::string& Caption);

// The global application and screen: `Application->ProcessMessages()`. They
// come into being on first use.
struct TApplicationRef {
  TApplication* operator->() const;
  operator TApplication*() const;
};
struct TScreenRef {
  TScreen* operator->() const;
  operator TScreen*() const;
};
inline constexpr TApplicationRef Application{};
inline constexpr TScreenRef Screen{};

// Destroys the application (with the forms it owns), every hidden window and
// timer, and starts afresh on the given backend. Tests call it between cases.
void ResetApplication(std::unique_ptr<TBackend> backend);

}  // namespace host
