// The seam between the window layer (host/ui) and a windowing system. host/ui
// talks only to this interface, so a backend (headless, X11) plugs in without
// the controls or the message loop knowing which one runs.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "host/gfx/Graphics.h"
#include "host/input/Input.h"

namespace host {

// Opaque id of a top-level window, handed out by the backend; 0 is "none".
using TWindowId = uintptr_t;

// Input and window events, in a form that does not depend on the windowing system.
enum TBackendEventKind : uint8_t {
  bekNone,
  bekMouseDown,   // Button, X, Y, Shift
  bekMouseUp,     // Button, X, Y, Shift
  bekMouseMove,   // X, Y, Shift
  bekMouseWheel,  // WheelDelta (+120 a notch away from the user), X, Y, Shift
  bekMouseLeave,  // the pointer left the window
  bekKeyDown,     // Key (virtual key code), Shift
  bekKeyUp,       // Key, Shift
  bekChar,        // Char (one Unicode character), Shift
  bekClose,       // the user asked to close the window
  bekResize,      // Width, Height: the window's new client size
  bekExpose,      // the windowing system lost the window's pixels: present again
  bekFocusIn,
  bekFocusOut,
  // The window is gone without the program asking: another client destroyed
  // it, or the connection to the windowing system broke (then every window
  // gets one). Nothing more may be drawn into it.
  bekDestroyed,
};

// What a top-level window is to the window manager.
enum TWindowKind : uint8_t {
  wkNormal,  // an application window
  wkDialog,  // kept above its owner, and shown by the window manager as a dialog
};

// How the window manager is to treat a window: its kind, its owner, its frame
// and the client sizes the user may give it (0: no limit). A window that must
// not be resized has its minimum equal to its maximum.
struct TWindowStyle {
  TWindowKind Kind = wkNormal;
  TWindowId Owner = 0;    // a dialog's owner window (0: none)
  bool Decorated = true;  // title bar and frame
  int MinWidth = 0, MinHeight = 0;
  int MaxWidth = 0, MaxHeight = 0;
  bool operator==(const TWindowStyle&) const = default;
};

struct TBackendEvent {
  TBackendEventKind Kind = bekNone;
  TWindowId Window = 0;
  int X = 0, Y = 0;  // client coordinates of Window
  TMouseButton Button = mbLeft;
  int WheelDelta = 0;
  Word Key = 0;  // virtual key code
  char32_t Char = 0;
  TShiftState Shift = 0;  // ssShift, ssAlt, ssCtrl and the buttons held
  int Width = 0, Height = 0;
};

// One windowing system. Every call happens on the GUI thread.
class TBackend {
 public:
  TBackend() = default;
  TBackend(const TBackend&) = delete;
  TBackend& operator=(const TBackend&) = delete;
  virtual ~TBackend() = default;

  // "headless", "x11": shown in diagnostics and used by tests.
  virtual std::string Name() const = 0;

  // --- top-level windows
  virtual TWindowId CreateWindow(const std::string& caption, int width, int height) = 0;
  virtual void DestroyWindow(TWindowId w) = 0;
  virtual void ShowWindow(TWindowId w, bool visible) = 0;
  virtual void SetWindowCaption(TWindowId w, const std::string& caption) = 0;
  virtual void SetWindowSize(TWindowId w, int width, int height) = 0;
  // Moves the window's client area to (x, y) on the screen. Backends whose
  // window manager places windows itself may ignore it.
  virtual void SetWindowPosition(TWindowId w, int x, int y) {}
  // Tells the window manager what the window is (see TWindowStyle). Popups
  // keep their own manners. Backends without a window manager may ignore it.
  virtual void SetWindowStyle(TWindowId w, const TWindowStyle& style) {}
  // Copies `area` (client coordinates) of the window's framebuffer to the screen.
  virtual void Present(TWindowId w, const TSurface& framebuffer, const TRect& area) = 0;
  // Size of the screen the windows appear on (centred forms use it).
  virtual TPoint ScreenSize() const { return Point(1920, 1080); }
  // Sets the pointer shape shown over the window.
  virtual void SetCursor(TWindowId w, TCursor cursor) = 0;

  // --- events and time
  // Waits up to timeoutMs (0: just poll) for the next event. Returns false when
  // none arrived. A backend with a virtual clock never sleeps.
  virtual bool WaitEvent(TBackendEvent& ev, int64_t timeoutMs) = 0;
  // True when WaitEvent would return an event at once.
  virtual bool HasQueuedEvents() const = 0;
  // Milliseconds on the loop's clock (monotonic, or virtual for tests).
  virtual int64_t Now() const = 0;
  // True when Now() only moves when the program advances it.
  virtual bool HasVirtualClock() const { return false; }
  // Moves a virtual clock to `ms`; ignored by a real clock.
  virtual void SetVirtualTime(int64_t ms) {}

  // --- services
  virtual bool ClipboardHasText() const = 0;
  virtual std::string GetClipboardText() const = 0;
  virtual void SetClipboardText(const std::string& s) = 0;
  virtual void ClearClipboard() = 0;
  // The PRIMARY selection of X11: the text last selected in any program, which a
  // middle click pastes. A backend without one keeps it in the process, so
  // select-and-paste still works between the program's own controls.
  virtual bool PrimaryHasText() const { return FPrimaryHasText; }
  virtual std::string GetPrimaryText() const { return FPrimary; }
  virtual void SetPrimaryText(const std::string& s) {
    FPrimary = s;
    FPrimaryHasText = true;
  }
  virtual void ClearPrimary() {
    FPrimary.clear();
    FPrimaryHasText = false;
  }
  // MessageBeep: `type` is the platform's beep type (0xFFFF a simple beep).
  virtual void Beep(unsigned type) = 0;

 private:
  std::string FPrimary;
  bool FPrimaryHasText = false;
};

// The backend in use. Before one is installed the first call installs a
// headless backend, so services (clipboard, beep) work in any program.
TBackend& CurrentBackend();
// Replaces the backend in use. Windows of the old backend must be gone.
void SetCurrentBackend(std::unique_ptr<TBackend> b);
// Picks the backend for a program: X11 when compiled in, $DISPLAY is set and
// $ZEL_HEADLESS is not (an X11 backend that cannot open the display returns
// nullptr and is skipped); otherwise headless with a real clock.
std::unique_ptr<TBackend> CreateDefaultBackend();

}  // namespace host
