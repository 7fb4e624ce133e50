#ifdef ZEL_HAVE_X11
#include "host/backend/X11Backend.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "host/backend/X11Keys.h"
#include "host/input/Input.h"

#include "host/backend/X11Internal.h"

// Xlib last: its macros must not reach the library's headers.
#include <X11/Xatom.h>

namespace host {

namespace {
int64_t MonotonicMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// An error the server reported, held until the events read with it are
// handled (see TX11Backend::ReportErrors).
struct TErrorNote {
  Display* Dpy;
  int Code;
  XID Resource;
  std::string Text;
};
std::vector<TErrorNote>& ErrorNotes() {
  static std::vector<TErrorNote> notes;
  return notes;
}

// Xlib's default error handler ends the program. Errors come from requests to
// windows that went away meanwhile (a clipboard requestor that quit, or our
// own window destroyed by another client while we drew into it): they are
// reported, unless they are of that kind, and the program carries on.
int OnXError(Display* dpy, XErrorEvent* e) {
  if (e->error_code == BadWindow) return 0;
  char text[160] = "";
  XGetErrorText(dpy, e->error_code, text, sizeof text);
  ErrorNotes().push_back(
      TErrorNote{dpy, e->error_code, e->resourceid,
                 std::string(text) + " (request " + std::to_string(int(e->request_code)) + ")"});
  return 0;
}

// Called first when the connection breaks (the server quit or killed us);
// the backend's exit handler runs next and returns, so Xlib does not end the
// program from inside some request. One line says what happened.
int OnXIOError(Display* dpy) {
  std::fprintf(stderr, "X11: lost the connection to display %s\n", DisplayString(dpy));
  return 0;
}
}  // namespace

std::unique_ptr<TBackend> CreateX11Backend(const char* displayName) {
  Display* dpy = XOpenDisplay(displayName);
  if (!dpy) return nullptr;
  // The framebuffer is true colour; a palette display cannot show it.
  if (DefaultVisual(dpy, DefaultScreen(dpy))->c_class != TrueColor) {
    std::fprintf(stderr, "X11: the display has no true-colour visual; running headless\n");
    XCloseDisplay(dpy);
    return nullptr;
  }
  XSetErrorHandler(OnXError);
  XSetIOErrorHandler(OnXIOError);
  return std::make_unique<x11::TX11Backend>(dpy);
}

}  // namespace host

namespace host::x11 {

namespace {

constexpr long kWindowEvents = ExposureMask | StructureNotifyMask | KeyPressMask | KeyReleaseMask |
                               ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                               EnterWindowMask | LeaveWindowMask | FocusChangeMask;
constexpr int kWheelNotch = 120;

// True when the server stores a 24-bit colour as 0x00RRGGBB in 32 bits, the way
// the framebuffer does, so its pixels go out unchanged.
bool ServerTakesFramebufferPixels(Display* dpy, Visual* v, int depth) {
  if (v->c_class != TrueColor || (depth != 24 && depth != 32)) return false;
  if (v->red_mask != 0xFF0000 || v->green_mask != 0xFF00 || v->blue_mask != 0xFF) return false;
  uint32_t probe = 1;
  bool littleEndian = *reinterpret_cast<uint8_t*>(&probe) == 1;
  if ((ImageByteOrder(dpy) == LSBFirst) != littleEndian) return false;
  int n = 0;
  XPixmapFormatValues* formats = XListPixmapFormats(dpy, &n);
  bool ok = false;
  for (int i = 0; i < n; ++i)
    if (formats[i].depth == depth) ok = formats[i].bits_per_pixel == 32;
  if (formats) XFree(formats);
  return ok;
}

// An 8-bit channel value placed into the bits of a visual's channel mask.
unsigned long ScaleToMask(unsigned v8, unsigned long mask) {
  if (!mask) return 0;
  int shift = __builtin_ctzl(mask);
  unsigned long top = mask >> shift;
  return ((v8 * top + 127) / 255) << shift;
}

}  // namespace

uint16_t StateToShift(unsigned state) {
  uint16_t s = 0;
  if (state & ShiftMask) s |= ssShift;
  if (state & ControlMask) s |= ssCtrl;
  if (state & Mod1Mask) s |= ssAlt;
  if (state & Button1Mask) s |= ssLeft;
  if (state & Button2Mask) s |= ssMiddle;
  if (state & Button3Mask) s |= ssRight;
  return s;
}

TX11Backend::TX11Backend(Display* dpy)
    : FDpy(dpy),
      FScreen(DefaultScreen(dpy)),
      FRoot(RootWindow(dpy, FScreen)),
      FVisual(DefaultVisual(dpy, FScreen)),
      FDepth(DefaultDepth(dpy, FScreen)),
      FGc(XCreateGC(dpy, FRoot, 0, nullptr)),
      FDirectPixels(ServerTakesFramebufferPixels(dpy, FVisual, FDepth)),
      FStart(MonotonicMs()) {
  // A piece of a selection must fit into one request, with room for its header.
  FMaxPiece = size_t(std::max(XMaxRequestSize(dpy) * 4 - 256, 4096L));
  XSetIOErrorExitHandler(dpy, &TX11Backend::OnConnectionBroken, this);
  InternAtoms();
  CreateClipWindow();
  OpenInputMethod();
}

void TX11Backend::OnConnectionBroken(Display*, void* self) {
  static_cast<TX11Backend*>(self)->FLost = true;
}

TX11Backend::~TX11Backend() {
  // With the connection gone Xlib sends nothing; what is left is freeing memory.
  if (!FLost) HandClipboardToManager();
  for (auto& [w, win] : FWindows) {
    if (win.Ic) XDestroyIC(win.Ic);
    XDestroyWindow(FDpy, w);
  }
  for (auto& [shape, c] : FCursors) XFreeCursor(FDpy, c);
  if (FIm) XCloseIM(FIm);
  XFreeGC(FDpy, FGc);
  XCloseDisplay(FDpy);
}

void TX11Backend::InternAtoms() {
  const char* names[] = {"WM_PROTOCOLS",
                         "WM_DELETE_WINDOW",
                         "_NET_WM_NAME",
                         "UTF8_STRING",
                         "CLIPBOARD",
                         "TARGETS",
                         "TEXT",
                         "INCR",
                         "TIMESTAMP",
                         "ZEL_SELECTION",
                         "_NET_WM_WINDOW_TYPE",
                         "_NET_WM_WINDOW_TYPE_POPUP_MENU",
                         "MULTIPLE",
                         "ATOM_PAIR",
                         "_NET_WM_PID",
                         "_NET_WM_WINDOW_TYPE_NORMAL",
                         "_NET_WM_WINDOW_TYPE_DIALOG",
                         "_MOTIF_WM_HINTS"};
  constexpr int n = int(sizeof names / sizeof names[0]);
  static_assert(sizeof(TAtoms) == n * sizeof(Atom));
  Atom atoms[n];
  XInternAtoms(FDpy, const_cast<char**>(names), n, False, atoms);
  std::memcpy(&FAtoms, atoms, sizeof atoms);
}

// --- windows

TWindowId TX11Backend::CreateWindow(const std::string& caption, int width, int height) {
  XSetWindowAttributes a{};
  // No background: the framebuffer covers every pixel, and a server-side clear
  // before each expose would only flicker.
  a.background_pixmap = None;
  a.bit_gravity = NorthWestGravity;
  a.event_mask = kWindowEvents;
  Window w = XCreateWindow(FDpy, FRoot, 0, 0, unsigned(std::max(width, 1)),
                           unsigned(std::max(height, 1)), 0, CopyFromParent, InputOutput,
                           CopyFromParent, CWBackPixmap | CWBitGravity | CWEventMask, &a);
  Atom protocols[] = {FAtoms.WmDeleteWindow};
  XSetWMProtocols(FDpy, w, protocols, 1);
  XWMHints hints{};
  hints.flags = InputHint | StateHint;
  hints.input = True;
  hints.initial_state = NormalState;
  XSetWMHints(FDpy, w, &hints);
  XClassHint cls{const_cast<char*>("zel"), const_cast<char*>("ZelControls")};
  XSetClassHint(FDpy, w, &cls);
  TWin win;
  win.Width = width;
  win.Height = height;
  if (FIm)
    win.Ic = XCreateIC(FIm, XNInputStyle, XIMPreeditNothing | XIMStatusNothing, XNClientWindow, w,
                       XNFocusWindow, w, nullptr);
  FWindows[w] = win;
  SetIdentity(w);
  SetWindowStyle(TWindowId(w), TWindowStyle{});
  SetWindowCaption(w, caption);
  return TWindowId(w);
}

void TX11Backend::SetIdentity(Window w) {
  // Which process on which machine owns the window: window managers use it
  // to offer killing a program that stopped answering.
  long pid = long(getpid());
  XChangeProperty(FDpy, w, FAtoms.NetWmPid, XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&pid), 1);
  char host[256] = "";
  if (gethostname(host, sizeof host - 1) != 0) return;
  char* list[] = {host};
  XTextProperty machine;
  if (!XStringListToTextProperty(list, 1, &machine)) return;
  XSetWMClientMachine(FDpy, w, &machine);
  XFree(machine.value);
}

void TX11Backend::SetWindowStyle(TWindowId id, const TWindowStyle& style) {
  auto it = FWindows.find(Window(id));
  if (it == FWindows.end() || it->second.Popup) return;
  Window w = it->first;
  it->second.Style = style;
  bool dialog = style.Kind == wkDialog;
  Atom type = dialog ? FAtoms.NetWmWindowTypeDialog : FAtoms.NetWmWindowTypeNormal;
  XChangeProperty(FDpy, w, FAtoms.NetWmWindowType, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&type), 1);
  if (dialog && style.Owner && FWindows.count(Window(style.Owner)))
    XSetTransientForHint(FDpy, w, Window(style.Owner));
  else
    XDeleteProperty(FDpy, w, XA_WM_TRANSIENT_FOR);
  // The Motif hints are what window managers read for "no frame": flags say
  // the decorations field counts, which is all (1) or none (0).
  long motif[5] = {2, 0, style.Decorated ? 1 : 0, 0, 0};
  XChangeProperty(FDpy, w, FAtoms.MotifWmHints, FAtoms.MotifWmHints, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(motif), 5);
  WriteNormalHints(w, it->second);
  XFlush(FDpy);
}

void TX11Backend::WriteNormalHints(Window w, const TWin& win) {
  XSizeHints hints{};
  // The position, when the program gave one, is meant for the client area
  // rather than the frame around it.
  hints.flags = PWinGravity;
  hints.win_gravity = StaticGravity;
  if (win.Placed) {
    hints.flags |= PPosition;
    hints.x = win.X;
    hints.y = win.Y;
  }
  const TWindowStyle& s = win.Style;
  if (s.MinWidth > 0 || s.MinHeight > 0) {
    hints.flags |= PMinSize;
    hints.min_width = std::max(s.MinWidth, 1);
    hints.min_height = std::max(s.MinHeight, 1);
  }
  if (s.MaxWidth > 0 || s.MaxHeight > 0) {
    hints.flags |= PMaxSize;
    // One limit alone leaves the other side free.
    hints.max_width = s.MaxWidth > 0 ? s.MaxWidth : 1 << 15;
    hints.max_height = s.MaxHeight > 0 ? s.MaxHeight : 1 << 15;
  }
  XSetWMNormalHints(FDpy, w, &hints);
}

void TX11Backend::DestroyWindow(TWindowId id) {
  auto it = FWindows.find(Window(id));
  if (it == FWindows.end()) return;
  ReleasePopup(it->first);
  if (it->second.Ic) XDestroyIC(it->second.Ic);
  XDestroyWindow(FDpy, it->first);
  FWindows.erase(it);
  // Events still queued for a window that is gone would reach nobody.
  std::erase_if(FQueue, [id](const TBackendEvent& e) { return e.Window == id; });
  XFlush(FDpy);
}

void TX11Backend::ShowWindow(TWindowId id, bool visible) {
  auto it = FWindows.find(Window(id));
  if (it == FWindows.end() || it->second.Shown == visible) return;
  Window w = it->first;
  it->second.Shown = visible;
  if (!visible) {
    ReleasePopup(w);
    XUnmapWindow(FDpy, w);
  } else if (it->second.Popup) {
    XMapRaised(FDpy, w);
    FPopupStack.push_back(w);
    Grab(w);
  } else {
    XMapRaised(FDpy, w);
  }
  XFlush(FDpy);
}

void TX11Backend::SetWindowCaption(TWindowId id, const std::string& caption) {
  Window w = Window(id);
  if (!FWindows.count(w)) return;
  // WM_NAME for old window managers, _NET_WM_NAME for the UTF-8 text.
  XTextProperty name;
  char* list[] = {const_cast<char*>(caption.c_str())};
  if (Xutf8TextListToTextProperty(FDpy, list, 1, XStdICCTextStyle, &name) >= Success) {
    XSetWMName(FDpy, w, &name);
    XFree(name.value);
  }
  XChangeProperty(FDpy, w, FAtoms.NetWmName, FAtoms.Utf8String, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(caption.data()), int(caption.size()));
  XFlush(FDpy);
}

void TX11Backend::SetWindowSize(TWindowId id, int width, int height) {
  auto it = FWindows.find(Window(id));
  if (it == FWindows.end()) return;
  // Noted now, so the configure event that confirms it reports no resize.
  it->second.Width = width;
  it->second.Height = height;
  XResizeWindow(FDpy, it->first, unsigned(std::max(width, 1)), unsigned(std::max(height, 1)));
  XFlush(FDpy);
}

void TX11Backend::SetWindowPosition(TWindowId id, int x, int y) {
  auto it = FWindows.find(Window(id));
  // A popup is placed by MakePopup, relative to the window it belongs to.
  if (it == FWindows.end() || it->second.Popup) return;
  // A form larger than the screen, centred, would start above and left of it,
  // with its top rows (and a frame's title bar) out of reach: keep the
  // top-left corner on the screen.
  x = std::max(x, 0);
  y = std::max(y, 0);
  // A position the program asks for (the window manager may still choose).
  it->second.Placed = true;
  it->second.X = x;
  it->second.Y = y;
  WriteNormalHints(it->first, it->second);
  XMoveWindow(FDpy, it->first, x, y);
  XFlush(FDpy);
}

TPoint TX11Backend::ScreenSize() const {
  return Point(DisplayWidth(FDpy, FScreen), DisplayHeight(FDpy, FScreen));
}

void TX11Backend::Present(TWindowId id, const TSurface& fb, const TRect& area) {
  auto it = FWindows.find(Window(id));
  if (it == FWindows.end() || !fb.Bits) return;
  TRect r = IntersectRect(area, Rect(0, 0, std::min(fb.Width, it->second.Width),
                                     std::min(fb.Height, it->second.Height)));
  if (r.IsEmpty()) return;
  PutPixels(it->first, fb, r);
  XFlush(FDpy);
}

void TX11Backend::PutPixels(Window w, const TSurface& fb, const TRect& r) {
  if (FDirectPixels) {
    // The image only borrows the framebuffer's rows: data is detached again
    // before XDestroyImage would free it.
    XImage* img =
        XCreateImage(FDpy, FVisual, unsigned(FDepth), ZPixmap, 0, reinterpret_cast<char*>(fb.Bits),
                     unsigned(fb.Stride), unsigned(fb.Height), 32, fb.Stride * 4);
    if (!img) return;
    XPutImage(FDpy, w, FGc, img, r.Left, r.Top, r.Left, r.Top, unsigned(r.Width()),
              unsigned(r.Height()));
    img->data = nullptr;
    XDestroyImage(img);
    return;
  }
  // Any other true-colour layout: place each channel by the visual's masks.
  XImage* img = XCreateImage(FDpy, FVisual, unsigned(FDepth), ZPixmap, 0, nullptr,
                             unsigned(r.Width()), unsigned(r.Height()), 32, 0);
  if (!img) return;
  std::vector<char> data(size_t(img->bytes_per_line) * size_t(r.Height()));
  img->data = data.data();
  for (int y = 0; y < r.Height(); ++y) {
    const TPixel* row = fb.Bits + size_t(r.Top + y) * size_t(fb.Stride) + r.Left;
    for (int x = 0; x < r.Width(); ++x) {
      TPixel p = row[x];
      unsigned long v = ScaleToMask((p >> 16) & 0xFF, FVisual->red_mask) |
                        ScaleToMask((p >> 8) & 0xFF, FVisual->green_mask) |
                        ScaleToMask(p & 0xFF, FVisual->blue_mask);
      XPutPixel(img, x, y, v);
    }
  }
  XPutImage(FDpy, w, FGc, img, 0, 0, r.Left, r.Top, unsigned(r.Width()), unsigned(r.Height()));
  img->data = nullptr;
  XDestroyImage(img);
}

Cursor TX11Backend::FontCursor(int cursor) {
  if (cursor == -1) {  // crNone: a cursor of one transparent pixel
    auto it = FCursors.find(cursor);
    if (it != FCursors.end()) return it->second;
    char bit = 0;
    Pixmap blank = XCreateBitmapFromData(FDpy, FRoot, &bit, 1, 1);
    XColor black{};
    Cursor c = XCreatePixmapCursor(FDpy, blank, blank, &black, &black, 0, 0);
    XFreePixmap(FDpy, blank);
    return FCursors[cursor] = c;
  }
  unsigned shape = CursorFontShape(cursor);
  auto it = FCursors.find(int(shape));
  if (it != FCursors.end()) return it->second;
  return FCursors[int(shape)] = XCreateFontCursor(FDpy, shape);
}

void TX11Backend::SetCursor(TWindowId id, TCursor cursor) {
  if (!FWindows.count(Window(id))) return;
  XDefineCursor(FDpy, Window(id), FontCursor(cursor));
  // At once: the hourglass is set before work that keeps the loop away.
  XFlush(FDpy);
}

void TX11Backend::Beep(unsigned) {
  XBell(FDpy, 0);
  XFlush(FDpy);
}

// --- popups

void TX11Backend::MakePopup(TWindowId id, TWindowId owner, int x, int y) {
  auto it = FWindows.find(Window(id));
  if (it == FWindows.end()) return;
  Window w = it->first;
  if (owner && FWindows.count(Window(owner))) {
    Window child;
    XTranslateCoordinates(FDpy, Window(owner), FRoot, x, y, &x, &y, &child);
  }
  if (!it->second.Popup) {
    it->second.Popup = true;
    XSetWindowAttributes a{};
    a.override_redirect = True;
    a.save_under = True;
    XChangeWindowAttributes(FDpy, w, CWOverrideRedirect | CWSaveUnder, &a);
    Atom type = FAtoms.NetWmWindowTypePopupMenu;
    XChangeProperty(FDpy, w, FAtoms.NetWmWindowType, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&type), 1);
    if (owner) XSetTransientForHint(FDpy, w, Window(owner));
  }
  XMoveWindow(FDpy, w, x, y);
  XFlush(FDpy);
}

void TX11Backend::Grab(Window w) {
  constexpr unsigned mask =
      ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask | LeaveWindowMask;
  // A fresh popup may not be viewable for a moment on a busy server: retry briefly.
  for (int attempt = 0; attempt < 20; ++attempt) {
    int pointer =
        XGrabPointer(FDpy, w, True, mask, GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
    if (pointer == GrabSuccess) break;
    XSync(FDpy, False);
    poll(nullptr, 0, 5);
  }
  XGrabKeyboard(FDpy, w, True, GrabModeAsync, GrabModeAsync, CurrentTime);
}

void TX11Backend::ReleasePopup(Window w) {
  auto it = std::find(FPopupStack.begin(), FPopupStack.end(), w);
  if (it == FPopupStack.end()) return;
  bool wasNewest = it + 1 == FPopupStack.end();
  FPopupStack.erase(it);
  if (!wasNewest) return;
  if (FPopupStack.empty()) {
    XUngrabPointer(FDpy, CurrentTime);
    XUngrabKeyboard(FDpy, CurrentTime);
  } else {
    Grab(FPopupStack.back());
  }
}

// --- events

int64_t TX11Backend::Now() const { return MonotonicMs() - FStart; }

bool TX11Backend::HasQueuedEvents() const {
  // XPending reads what has arrived; events it finds may still turn out to be
  // selection traffic that yields no backend event, which costs one empty turn.
  return !FQueue.empty() || XPending(FDpy) > 0;
}

bool TX11Backend::WaitEvent(TBackendEvent& ev, int64_t timeoutMs) {
  int64_t deadline = MonotonicMs() + std::max<int64_t>(timeoutMs, 0);
  for (;;) {
    DrainConnection();
    if (FLost) ConnectionLost();
    if (!FQueue.empty()) {
      ev = FQueue.front();
      FQueue.pop_front();
      return true;
    }
    int64_t left = deadline - MonotonicMs();
    if (left <= 0) return false;
    WaitReadable(left);
  }
}

void TX11Backend::DrainConnection() {
  while (!FLost && XPending(FDpy) > 0) {
    XEvent e;
    XNextEvent(FDpy, &e);
    HandleXEvent(e);
  }
  ExpireIncrSends();
  ReportErrors();
}

void TX11Backend::ReportErrors() {
  // The server sends a window's DestroyNotify before the error of a drawing
  // request that was on its way meanwhile; once the events are handled, an
  // error about a window that is gone is no fault of ours.
  std::erase_if(ErrorNotes(), [this](const TErrorNote& n) {
    if (n.Dpy != FDpy) return false;
    if (n.Code != BadDrawable || FWindows.count(Window(n.Resource)))
      std::fprintf(stderr, "X11: %s\n", n.Text.c_str());
    return true;
  });
}

void TX11Backend::WaitReadable(int64_t timeoutMs) {
  if (FLost) {  // nothing will ever arrive: just let the time pass
    poll(nullptr, 0, int(std::min<int64_t>(timeoutMs, 1 << 30)));
    return;
  }
  XFlush(FDpy);
  // Wake at least once a second while pieces of a selection are being sent,
  // so a requestor that stopped reading is noticed.
  if (!FIncrSends.empty()) timeoutMs = std::min<int64_t>(timeoutMs, 1000);
  pollfd p{ConnectionNumber(FDpy), POLLIN, 0};
  poll(&p, 1, int(std::min<int64_t>(timeoutMs, 1 << 30)));
}

bool TX11Backend::WaitFor(const std::function<bool(const XEvent&)>& match, int64_t timeoutMs,
                          XEvent& out) {
  int64_t deadline = MonotonicMs() + timeoutMs;
  for (;;) {
    if (FLost) return false;  // no answer can come any more
    while (!FLost && XPending(FDpy) > 0) {
      XNextEvent(FDpy, &out);
      if (match(out)) return true;
      HandleXEvent(out);
    }
    int64_t left = deadline - MonotonicMs();
    if (left <= 0) return false;
    WaitReadable(left);
  }
}

void TX11Backend::NoteTime(const XEvent& e) {
  switch (e.type) {
    case KeyPress:
    case KeyRelease:
      FLastTime = e.xkey.time;
      break;
    case ButtonPress:
    case ButtonRelease:
      FLastTime = e.xbutton.time;
      break;
    case MotionNotify:
      FLastTime = e.xmotion.time;
      break;
    case EnterNotify:
    case LeaveNotify:
      FLastTime = e.xcrossing.time;
      break;
    case PropertyNotify:
      FLastTime = e.xproperty.time;
      break;
    default:
      break;
  }
}

Time TX11Backend::ServerTime() {
  if (FLastTime != CurrentTime) return FLastTime;
  // A zero-length append changes nothing but earns a PropertyNotify with the
  // server's time in it.
  XChangeProperty(FDpy, FClipWindow, FAtoms.Timestamp, XA_INTEGER, 32, PropModeAppend, nullptr, 0);
  XEvent e;
  Window clip = FClipWindow;
  Atom prop = FAtoms.Timestamp;
  if (WaitFor(
          [clip, prop](const XEvent& x) {
            return x.type == PropertyNotify && x.xproperty.window == clip &&
                   x.xproperty.atom == prop;
          },
          1000, e))
    FLastTime = e.xproperty.time;
  return FLastTime;
}

void TX11Backend::Queue(const TBackendEvent& ev) { FQueue.push_back(ev); }

void TX11Backend::QueueMotion(const TBackendEvent& ev) {
  // Only the newest position of a run of moves matters.
  if (!FQueue.empty()) {
    TBackendEvent& last = FQueue.back();
    if (last.Kind == bekMouseMove && last.Window == ev.Window && last.Shift == ev.Shift) {
      last = ev;
      return;
    }
  }
  Queue(ev);
}

void TX11Backend::HandleButton(const XButtonEvent& e, bool press) {
  TBackendEvent ev;
  ev.Window = TWindowId(e.window);
  ev.X = e.x;
  ev.Y = e.y;
  ev.Shift = StateToShift(e.state);
  switch (e.button) {
    case Button1:
      ev.Button = mbLeft;
      break;
    case Button2:
      ev.Button = mbMiddle;
      break;
    case Button3:
      ev.Button = mbRight;
      break;
    case Button4:
    case Button5:
      // A wheel notch is a press and a release; the press is the notch.
      if (!press) return;
      ev.Kind = bekMouseWheel;
      ev.WheelDelta = e.button == Button4 ? kWheelNotch : -kWheelNotch;
      Queue(ev);
      return;
    default:
      return;  // horizontal wheel and extra buttons
  }
  ev.Kind = press ? bekMouseDown : bekMouseUp;
  Queue(ev);
}

void TX11Backend::HandleConfigure(const XConfigureEvent& e) {
  auto it = FWindows.find(e.window);
  if (it == FWindows.end()) return;
  if (e.width == it->second.Width && e.height == it->second.Height) return;
  it->second.Width = e.width;
  it->second.Height = e.height;
  TBackendEvent ev;
  ev.Kind = bekResize;
  ev.Window = TWindowId(e.window);
  ev.Width = e.width;
  ev.Height = e.height;
  // Only the final size of a drag matters.
  std::erase_if(
      FQueue, [&](const TBackendEvent& q) { return q.Kind == bekResize && q.Window == ev.Window; });
  Queue(ev);
}

void TX11Backend::WindowGone(Window w) {
  auto it = FWindows.find(w);
  if (it == FWindows.end()) return;  // one we destroyed ourselves, or not ours
  ReleasePopup(w);
  if (it->second.Ic && !FLost) XDestroyIC(it->second.Ic);
  FWindows.erase(it);
  TWindowId id = TWindowId(w);
  std::erase_if(FQueue, [id](const TBackendEvent& e) { return e.Window == id; });
  TBackendEvent ev;
  ev.Kind = bekDestroyed;
  ev.Window = id;
  Queue(ev);
}

void TX11Backend::ConnectionLost() {
  FPopupStack.clear();  // no grab to give back
  while (!FWindows.empty()) WindowGone(FWindows.begin()->first);
}

void TX11Backend::HandleXEvent(XEvent& e) {
  NoteTime(e);
  // The input method may take keys for a compose sequence.
  if (FIm && XFilterEvent(&e, None)) return;
  TBackendEvent ev;
  switch (e.type) {
    case KeyPress:
    case KeyRelease:
      HandleKey(e.xkey, e.type == KeyPress);
      return;
    case ButtonPress:
    case ButtonRelease:
      HandleButton(e.xbutton, e.type == ButtonPress);
      return;
    case MotionNotify:
      ev.Kind = bekMouseMove;
      ev.Window = TWindowId(e.xmotion.window);
      ev.X = e.xmotion.x;
      ev.Y = e.xmotion.y;
      ev.Shift = StateToShift(e.xmotion.state);
      QueueMotion(ev);
      return;
    case EnterNotify:
    case LeaveNotify:
      // Crossings caused by a popup's grab are not the pointer moving.
      if (e.xcrossing.mode != NotifyNormal) return;
      ev.Kind = e.type == EnterNotify ? bekMouseMove : bekMouseLeave;
      ev.Window = TWindowId(e.xcrossing.window);
      ev.X = e.xcrossing.x;
      ev.Y = e.xcrossing.y;
      ev.Shift = StateToShift(e.xcrossing.state);
      Queue(ev);
      return;
    case FocusIn:
    case FocusOut:
      if (e.xfocus.mode == NotifyGrab || e.xfocus.mode == NotifyUngrab ||
          e.xfocus.detail == NotifyPointer)
        return;
      ev.Kind = e.type == FocusIn ? bekFocusIn : bekFocusOut;
      ev.Window = TWindowId(e.xfocus.window);
      FocusInputContext(e.xfocus.window, e.type == FocusIn);
      Queue(ev);
      return;
    case Expose:
      // The last of a series; the form presents its whole picture once.
      if (e.xexpose.count > 0) return;
      ev.Kind = bekExpose;
      ev.Window = TWindowId(e.xexpose.window);
      if (std::none_of(FQueue.begin(), FQueue.end(), [&](const TBackendEvent& q) {
            return q.Kind == bekExpose && q.Window == ev.Window;
          }))
        Queue(ev);
      return;
    case ConfigureNotify:
      HandleConfigure(e.xconfigure);
      return;
    case DestroyNotify:
      // Our own windows are forgotten before they are destroyed; one still
      // known was destroyed by another client.
      if (e.xdestroywindow.window == e.xdestroywindow.event) WindowGone(e.xdestroywindow.window);
      return;
    case ClientMessage:
      if (e.xclient.message_type == FAtoms.WmProtocols &&
          Atom(e.xclient.data.l[0]) == FAtoms.WmDeleteWindow) {
        ev.Kind = bekClose;
        ev.Window = TWindowId(e.xclient.window);
        Queue(ev);
      }
      return;
    case MappingNotify:
      XRefreshKeyboardMapping(&e.xmapping);
      return;
    case SelectionRequest:
      HandleSelectionRequest(e.xselectionrequest);
      return;
    case SelectionClear:
      HandleSelectionClear(e.xselectionclear);
      return;
    case PropertyNotify:
      if (e.xproperty.state == PropertyDelete) HandleSelectionPropertyDelete(e.xproperty);
      return;
    default:
      return;
  }
}

}  // namespace host::x11
#endif  // ZEL_HAVE_X11
