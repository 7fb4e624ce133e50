// The X11 backend's class, shared by its sources (windows and events in
// X11Backend.cpp, keys in X11Input.cpp, the clipboard in X11Clipboard.cpp).
// Only they include Xlib: its macros (None, Bool, Status...) stay out of the
// rest of the library.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "host/backend/Backend.h"
#include "host/backend/Popup.h"

// After every header of the library, so Xlib's macros cannot reach them.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace host::x11 {

// Atoms the backend talks with, interned once.
struct TAtoms {
  Atom WmProtocols, WmDeleteWindow, NetWmName, Utf8String, Clipboard, Targets, Text, Incr,
      Timestamp, Transfer, NetWmWindowType, NetWmWindowTypePopupMenu, Multiple, AtomPair, NetWmPid,
      NetWmWindowTypeNormal, NetWmWindowTypeDialog, MotifWmHints;
};

// A selection being sent piece by piece (INCR) to a requestor that asked for
// more than one request can carry.
struct TIncrSend {
  Window Requestor = 0;
  Atom Property = 0;
  Atom Type = 0;
  std::string Data;
  size_t Offset = 0;
  int64_t LastActivity = 0;  // a requestor that stops reading is given up
};

// How the selection's owner answered a request.
enum class TAnswer { Data, Refused, Silent };

// One selection the backend can own: CLIPBOARD (copy and paste) or PRIMARY
// (select, then middle-click). Both are served and converted by the same code.
struct TSelection {
  Atom Name = 0;
  std::string Text;  // what we serve while we own it
  bool Owned = false;
  Time OwnTime = CurrentTime;  // requests older than our ownership are refused
};

class TX11Backend final : public TBackend, public TPopupWindows {
 public:
  explicit TX11Backend(Display* dpy);
  ~TX11Backend() override;

  std::string Name() const override { return "x11"; }

  // --- top-level windows
  TWindowId CreateWindow(const std::string& caption, int width, int height) override;
  void DestroyWindow(TWindowId w) override;
  void ShowWindow(TWindowId w, bool visible) override;
  void SetWindowCaption(TWindowId w, const std::string& caption) override;
  void SetWindowSize(TWindowId w, int width, int height) override;
  void SetWindowPosition(TWindowId w, int x, int y) override;
  void Present(TWindowId w, const TSurface& framebuffer, const TRect& area) override;
  void SetCursor(TWindowId w, TCursor cursor) override;
  TPoint ScreenSize() const override;

  bool WaitEvent(TBackendEvent& ev, int64_t timeoutMs) override;
  bool HasQueuedEvents() const override;
  int64_t Now() const override;

  bool ClipboardHasText() const override;
  std::string GetClipboardText() const override;
  void SetClipboardText(const std::string& s) override;
  void ClearClipboard() override;
  bool PrimaryHasText() const override;
  std::string GetPrimaryText() const override;
  void SetPrimaryText(const std::string& s) override;
  void ClearPrimary() override;
  void Beep(unsigned type) override;

  void MakePopup(TWindowId w, TWindowId owner, int x, int y) override;
  void SetWindowStyle(TWindowId w, const TWindowStyle& style) override;

 private:
  struct TWin {
    int Width = 0, Height = 0;
    bool Popup = false;
    bool Shown = false;
    XIC Ic = nullptr;
    // WM_NORMAL_HINTS carry both the place the program asked for and the
    // size limits, so both are kept to write the whole property each time.
    bool Placed = false;
    int X = 0, Y = 0;
    TWindowStyle Style;
  };

  Display* FDpy;
  int FScreen;
  Window FRoot;
  Visual* FVisual;
  int FDepth;
  GC FGc;
  bool FDirectPixels;  // the framebuffer's pixels are the server's: no conversion
  bool FLost = false;  // the connection broke: every window is gone, no request goes out
  TAtoms FAtoms{};
  XIM FIm = nullptr;
  int64_t FStart;
  Time FLastTime = CurrentTime;  // newest server time seen in an event
  std::map<Window, TWin> FWindows;
  std::vector<Window> FPopupStack;  // shown popups, newest last: it holds the grab
  std::deque<TBackendEvent> FQueue;
  std::map<int, Cursor> FCursors;

  // --- the clipboard (X11Clipboard.cpp)
  Window FClipWindow = 0;  // owns the selections and receives conversions
  TSelection FClipboard, FPrimary;
  std::vector<TIncrSend> FIncrSends;
  size_t FMaxPiece;  // the most bytes one property change may carry

  // --- events (X11Backend.cpp)
  // Xlib's handler for a broken connection; `self` is the backend. Returning
  // (instead of Xlib's exit) lets the program leave its loop in order.
  static void OnConnectionBroken(Display* dpy, void* self);
  void InternAtoms();
  // Reads whatever the server has sent and handles it; no blocking.
  void DrainConnection();
  // Reports the server's errors for this connection that are worth a line.
  void ReportErrors();
  // Sleeps until the connection is readable or timeoutMs passed.
  void WaitReadable(int64_t timeoutMs);
  // Handles one X event: input becomes queued backend events, selection
  // traffic is answered at once.
  void HandleXEvent(XEvent& e);
  void Queue(const TBackendEvent& ev);
  void QueueMotion(const TBackendEvent& ev);
  void HandleButton(const XButtonEvent& e, bool press);
  void HandleConfigure(const XConfigureEvent& e);
  // Forgets a window the server destroyed and tells the program so.
  void WindowGone(Window w);
  // After the connection broke: every window is gone.
  void ConnectionLost();
  void NoteTime(const XEvent& e);
  // Waits (up to timeoutMs) for an event `match` accepts, handling the others
  // meanwhile; true with it in `out`.
  bool WaitFor(const std::function<bool(const XEvent&)>& match, int64_t timeoutMs, XEvent& out);
  // A server time for requests that need one when no event has given one yet.
  Time ServerTime();
  Cursor FontCursor(int cursor);
  void Grab(Window w);
  void SetIdentity(Window w);
  void WriteNormalHints(Window w, const TWin& win);
  void ReleasePopup(Window w);
  void PutPixels(Window w, const TSurface& fb, const TRect& r);

  // --- keys (X11Input.cpp)
  void OpenInputMethod();
  void HandleKey(XKeyEvent& e, bool press);
  void FocusInputContext(Window w, bool focused);
  char32_t TypedChar(XKeyEvent& e, unsigned long keysym, uint16_t shift);

  // --- the clipboard (X11Clipboard.cpp)
  void CreateClipWindow();
  void HandClipboardToManager();
  // The selection of that name, or nullptr when it is neither of ours.
  TSelection* SelectionNamed(Atom name);
  void TakeSelection(TSelection& sel, const std::string& text);
  void HandleSelectionRequest(const XSelectionRequestEvent& r);
  void HandleSelectionClear(const XSelectionClearEvent& e);
  void HandleSelectionPropertyDelete(const XPropertyEvent& e);
  bool ServeTarget(const TSelection& sel, const XSelectionRequestEvent& r, Atom property);
  bool ServeMultiple(const TSelection& sel, const XSelectionRequestEvent& r, Atom property);
  void StartIncr(Window requestor, Atom property, Atom type, std::string data);
  void ExpireIncrSends();
  // Asking another owner; `selection` is the selection's atom.
  bool AskTargets(Atom selection, std::vector<Atom>& targets);
  TAnswer Convert(Atom selection, Atom target, std::string& data, Atom& type);
  bool ReadIncr(std::string& data);
  bool SelectionHasText(const TSelection& sel);
  std::string SelectionText(const TSelection& sel);
};

// Shift state bits (ssShift, ssCtrl, ssAlt, ssLeft, ssRight, ssMiddle) of an
// X modifier and button mask.
uint16_t StateToShift(unsigned state);

}  // namespace host::x11
