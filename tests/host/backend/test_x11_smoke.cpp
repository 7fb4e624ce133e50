// The X11 backend against a real X server: the test starts its own Xvfb on a
// free display, shows a form, drives it with XTest input like a user, reads
// the window's pixels back, and exchanges clipboard text with other X clients.
#ifdef ZEL_HAVE_X11
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "host/backend/Popup.h"
#include "host/backend/X11Backend.h"
#include "host/ui/Clipbrd.h"
#include "host/ui/Forms.h"
#include "host/ui/Windows.h"
#include "host/widgets/StdCtrls.h"
#include "ntabed/ZEL_ntabed.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xfixes.h>
#include <X11/keysym.h>
// Xlib's event-type macro would hide the control's key hook of that name.
#undef KeyPress

using namespace host;

namespace {

int64_t Ms() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// A child process with its stdin/stdout as pipes.
struct Child {
  pid_t Pid = -1;
  int In = -1, Out = -1;
};

Child Spawn(const std::vector<std::string>& argv, bool quietStderr = true) {
  int in[2], out[2];
  if (pipe(in) != 0 || pipe(out) != 0) return {};
  pid_t pid = fork();
  if (pid == 0) {
    dup2(in[0], 0);
    dup2(out[1], 1);
    if (quietStderr) {
      int null = open("/dev/null", O_WRONLY);
      dup2(null, 2);
    }
    for (int fd : {in[0], in[1], out[0], out[1]}) close(fd);
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  return Child{pid, in[1], out[0]};
}

void Stop(Child& c) {
  if (c.In >= 0) close(c.In);
  if (c.Out >= 0) close(c.Out);
  if (c.Pid > 0) {
    kill(c.Pid, SIGTERM);
    waitpid(c.Pid, nullptr, 0);
  }
  c = Child{};
}

// One Xvfb for the test program, on a display it picks itself (-displayfd).
struct Xvfb {
  Child Server;
  std::string Display;  // ":N", empty when it could not start
  std::string Problem;

  Xvfb() {
    Server = Spawn(
        {"Xvfb", "-displayfd", "1", "-screen", "0", "800x600x24", "-nolisten", "tcp", "-noreset"});
    if (Server.Pid <= 0) {
      Problem = "cannot fork";
      return;
    }
    std::string number;
    int64_t deadline = Ms() + 10000;
    while (Ms() < deadline) {
      pollfd p{Server.Out, POLLIN, 0};
      if (poll(&p, 1, 100) <= 0) continue;
      char c;
      if (read(Server.Out, &c, 1) != 1) break;  // Xvfb missing or failed
      if (c == '\n') break;
      number += c;
    }
    if (number.empty()) {
      Problem = "Xvfb did not start (is the xvfb package installed?)";
      Stop(Server);
      return;
    }
    Display = ":" + number;
  }
  ~Xvfb() { Stop(Server); }
};

// The value of a window's property (items of format 32 as longs), and its
// type; the property is deleted, as a requestor does.
std::string TakeProperty(Display* dpy, Window w, Atom property, Atom* type = nullptr) {
  Atom t = None;
  int format = 0;
  unsigned long n = 0, after = 0;
  unsigned char* data = nullptr;
  XGetWindowProperty(dpy, w, property, 0, 1 << 20, True, AnyPropertyType, &t, &format, &n, &after,
                     &data);
  if (type) *type = t;
  size_t unit = format == 32 ? sizeof(long) : format == 16 ? sizeof(short) : 1;
  std::string value(reinterpret_cast<char*>(data), data ? n * unit : 0);
  if (data) XFree(data);
  return value;
}

Xvfb& Server() {
  static Xvfb server;
  return server;
}

// A control painted in one colour that logs the input reaching it.
class Probe : public TCustomControl {
 public:
  explicit Probe(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
  std::vector<std::string> Log;
  TColor Fill = clRed;

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(Fill);
    Canvas()->FillRect(ClientRect());
  }
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
    Log.push_back("down " + std::to_string(int(b)) + " " + std::to_string(x) + "," +
                  std::to_string(y));
  }
  void KeyDown(Word& key, TShiftState s) override {
    Log.push_back("key " + std::to_string(key) + ((s & ssShift) ? " shift" : ""));
  }
  void KeyPress(char32_t& ch) override { Log.push_back("char " + std::to_string(int(ch))); }
};

class X11Smoke : public ::testing::Test {
 protected:
  void SetUp() override {
    if (Server().Display.empty())
      GTEST_SKIP() << "No X server for the X11 tests: " << Server().Problem;
    auto backend = CreateX11Backend(Server().Display.c_str());
    ASSERT_TRUE(backend) << "cannot open " << Server().Display;
    ResetApplication(std::move(backend));
    Dpy = XOpenDisplay(Server().Display.c_str());
    ASSERT_TRUE(Dpy);
  }
  void TearDown() override {
    ResetApplication(nullptr);
    if (Dpy) XCloseDisplay(Dpy);
  }

  // Runs the application's loop until `done` holds or two seconds pass.
  bool PumpUntil(const std::function<bool()>& done) {
    int64_t deadline = Ms() + 2000;
    while (!done()) {
      if (Ms() > deadline) return false;
      Application->ProcessMessages();
      CurrentBackend().WaitEvent(Pending, 0);  // nothing: ProcessMessages took it all
      XSync(Dpy, False);
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
  }

  // A shown 200 x 120 form with a probe at (20, 30, 60, 40), on screen.
  TForm* ShowForm() {
    TForm* f = Application->CreateForm<TForm>();
    f->SetBounds(0, 0, 200, 120);
    f->SetCaption("Smoke Grüße");
    Box = new Probe(f);
    Box->SetParent(f);
    Box->SetBounds(20, 30, 60, 40);
    f->Show();
    Win = Window(f->WindowId());
    EXPECT_TRUE(PumpUntil([&] {
      XWindowAttributes a;
      return XGetWindowAttributes(Dpy, Win, &a) && a.map_state == IsViewable &&
             PixelOnScreen(40, 50) == 0xFF0000;
    })) << "the form never showed its picture";
    return f;
  }

  // The window pixel as the X server shows it (0xRRGGBB).
  unsigned long PixelOnScreen(int x, int y) {
    XImage* img = XGetImage(Dpy, Win, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!img) return ~0UL;
    unsigned long p = XGetPixel(img, 0, 0) & 0xFFFFFF;
    XDestroyImage(img);
    return p;
  }

  static unsigned long Face() { return ColorToPixel(ColorToRGB(clBtnFace)); }

  // Runs the loop for a while, so input sent meanwhile is handled.
  void PumpFor(int ms) {
    int64_t until = Ms() + ms;
    PumpUntil([&] { return Ms() >= until; });
  }

  void PointerTo(Window w, int x, int y) {
    int rx, ry;
    Window child;
    XTranslateCoordinates(Dpy, w, DefaultRootWindow(Dpy), x, y, &rx, &ry, &child);
    XTestFakeMotionEvent(Dpy, DefaultScreen(Dpy), rx, ry, 0);
    XSync(Dpy, False);
  }
  void ClickAt(Window w, int x, int y, unsigned button = 1) {
    PointerTo(w, x, y);
    XTestFakeButtonEvent(Dpy, button, True, 0);
    XTestFakeButtonEvent(Dpy, button, False, 0);
    XSync(Dpy, False);
  }
  void Key(KeySym sym, bool press) {
    XTestFakeKeyEvent(Dpy, XKeysymToKeycode(Dpy, sym), press, 0);
    XSync(Dpy, False);
  }
  void Tap(KeySym sym) {
    Key(sym, true);
    Key(sym, false);
  }
  // Where the window's top-left is on the screen.
  TPoint RootPosition(Window w) {
    int x, y;
    Window child;
    XTranslateCoordinates(Dpy, w, DefaultRootWindow(Dpy), 0, 0, &x, &y, &child);
    return Point(x, y);
  }
  // What a window manager sends when the user clicks the window's close button.
  void PressCloseButton(Window w) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(Dpy, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = long(XInternAtom(Dpy, "WM_DELETE_WINDOW", False));
    XSendEvent(Dpy, w, False, NoEventMask, &e);
    XSync(Dpy, False);
  }
  // True when another client holds the pointer grab (tried, and given back).
  bool PointerHeldByTheProgram() {
    int r = XGrabPointer(Dpy, DefaultRootWindow(Dpy), False, ButtonPressMask, GrabModeAsync,
                         GrabModeAsync, None, None, CurrentTime);
    if (r == GrabSuccess) XUngrabPointer(Dpy, CurrentTime);
    XSync(Dpy, False);
    return r == AlreadyGrabbed;
  }
  bool Logged(const std::string& s) {
    return std::find(Box->Log.begin(), Box->Log.end(), s) != Box->Log.end();
  }

  Display* Dpy = nullptr;
  Window Win = 0;
  Probe* Box = nullptr;
  TBackendEvent Pending;
};

TEST_F(X11Smoke, FormIsAWindowWithItsCaptionAndPicture) {
  TForm* f = ShowForm();
  EXPECT_EQ(CurrentBackend().Name(), "x11");
  EXPECT_EQ(TakeProperty(Dpy, Win, XInternAtom(Dpy, "_NET_WM_NAME", False)), "Smoke Grüße");
  EXPECT_EQ(PixelOnScreen(40, 50), 0xFF0000UL);  // the probe
  EXPECT_EQ(PixelOnScreen(150, 100), Face());    // the form's face
  // A repaint after a change reaches the screen without any expose.
  Box->Fill = clBlue;
  Box->Invalidate();
  EXPECT_TRUE(PumpUntil([&] { return PixelOnScreen(40, 50) == 0x0000FF; }));
  // Where the form goes, the window goes.
  f->SetBounds(50, 40, 200, 120);
  EXPECT_TRUE(PumpUntil([&] { return RootPosition(Win) == Point(50, 40); }));
  // Never so far up or left that the top-left corner leaves the screen.
  f->SetBounds(-30, -20, 200, 120);
  EXPECT_TRUE(PumpUntil([&] { return RootPosition(Win) == Point(0, 0); }));
}

TEST_F(X11Smoke, MouseAndKeyboardReachTheControl) {
  ShowForm();
  ClickAt(Win, 30, 45);
  EXPECT_TRUE(PumpUntil([&] { return Logged("down 0 10,15"); }));
  ClickAt(Win, 31, 46, 3);
  EXPECT_TRUE(PumpUntil([&] { return Logged("down 1 11,16"); }));
  // The wheel: button 4 away from the user, 5 towards; 6 and 7 (sideways) are ignored.
  Box->SetOnMouseWheel([&](TObject*, TShiftState, int delta, TPoint, bool& handled) {
    Box->Log.push_back("wheel " + std::to_string(delta));
    handled = true;
  });
  for (unsigned b : {4u, 6u, 5u}) ClickAt(Win, 31, 46, b);
  EXPECT_TRUE(PumpUntil([&] { return Logged("wheel -120"); }));
  EXPECT_EQ(std::count_if(Box->Log.begin(), Box->Log.end(),
                          [](const std::string& s) { return s.rfind("wheel", 0) == 0; }),
            2);
  EXPECT_TRUE(Logged("wheel 120"));

  XSetInputFocus(Dpy, Win, RevertToParent, CurrentTime);
  Tap(XK_a);
  EXPECT_TRUE(PumpUntil([&] { return Logged("key 65") && Logged("char 97"); }));
  Key(XK_Shift_L, true);
  Tap(XK_a);
  Key(XK_Shift_L, false);
  EXPECT_TRUE(PumpUntil([&] { return Logged("key 65 shift") && Logged("char 65"); }));
  // The keypad with NumLock on types digits, with it off moves the caret.
  Tap(XK_Num_Lock);
  Tap(XK_KP_1);
  EXPECT_TRUE(PumpUntil([&] { return Logged("key 97") && Logged("char 49"); }))
      << "NumLock on: VK_NUMPAD1 and '1'";
  Tap(XK_Num_Lock);
  Box->Log.clear();
  Tap(XK_KP_1);
  EXPECT_TRUE(PumpUntil([&] { return Logged("key 35"); })) << "NumLock off: VK_END";
  EXPECT_FALSE(Logged("char 49"));
}

TEST_F(X11Smoke, ResizeAndCloseComeFromTheWindow) {
  TForm* f = ShowForm();
  XResizeWindow(Dpy, Win, 300, 180);
  XSync(Dpy, False);
  EXPECT_TRUE(PumpUntil([&] { return f->Width() == 300 && f->Height() == 180; }));
  // The new area is painted and shown.
  EXPECT_TRUE(PumpUntil([&] { return PixelOnScreen(290, 170) == Face(); }));

  PressCloseButton(Win);
  EXPECT_TRUE(PumpUntil([&] { return !f->Visible(); }));
  EXPECT_TRUE(Application->Terminated());  // it was the main form
}

TEST_F(X11Smoke, ModalDialogRunsItsOwnLoopUntilTheWindowCloses) {
  ShowForm();
  Probe* mainBox = Box;
  TForm* dialog = Application->CreateForm<TForm>();
  dialog->SetBounds(0, 0, 160, 45);  // leaves the lower part of the main form bare
  Box = new Probe(dialog);
  Box->SetParent(dialog);
  Box->SetBounds(10, 10, 50, 30);
  // While the dialog's loop runs, a timer plays the user: a click into the
  // dialog, a click into the main form (ignored), then the close button.
  int step = 0;
  HWND timer = AllocateHWnd([&](TMessage& m) {
    if (m.Msg != WM_TIMER) return;
    Window dw = Window(dialog->WindowId());
    XWindowAttributes a;
    if (!XGetWindowAttributes(Dpy, dw, &a) || a.map_state != IsViewable) return;
    if (step == 0) {
      XRaiseWindow(Dpy, dw);
      ClickAt(dw, 20, 20);
      ClickAt(Win, 50, 60);  // onto the main form's probe
    } else if (step == 1 && Logged("down 0 10,10")) {
      PressCloseButton(dw);
    } else {
      return;
    }
    ++step;
  });
  SetTimer(timer, 1, 50);
  TModalResult result = dialog->ShowModal();
  DeallocateHWnd(timer);
  EXPECT_EQ(result, mrCancel);
  EXPECT_TRUE(Logged("down 0 10,10"));
  EXPECT_TRUE(mainBox->Log.empty()) << "the main form took input during the dialog";
  EXPECT_FALSE(dialog->Visible());
}

TEST_F(X11Smoke, HourGlassShowsUntilRestored) {
  ShowForm();
  PointerTo(Win, 40, 50);
  PumpFor(200);  // the pointer arrives: the probe is hovered
  int major = 5, minor = 0;
  ASSERT_TRUE(XFixesQueryVersion(Dpy, &major, &minor));
  auto CursorPixels = [&] {
    XFixesCursorImage* c = XFixesGetCursorImage(Dpy);
    std::string pixels = c ? std::string(reinterpret_cast<char*>(c->pixels),
                                         size_t(c->width) * c->height * sizeof(unsigned long))
                           : "";
    if (c) XFree(c);
    return pixels;
  };
  std::string arrow = CursorPixels();
  // The server takes the change from the program's connection in its own time.
  auto shows = [&](bool busy) {
    for (int64_t until = Ms() + 1000; Ms() < until;) {
      if ((CursorPixels() != arrow) == busy) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
  };
  host::Screen->SetCursor(crHourGlass);  // no loop turn: a busy program shows it at once
  EXPECT_TRUE(shows(true));
  host::Screen->SetCursor(crDefault);
  EXPECT_TRUE(shows(false));
}

TEST_F(X11Smoke, PopupTakesOutsideClicksAndGivesTheGrabBack) {
  TForm* main = ShowForm();
  TForm* popup = Application->CreateForm<TForm>();
  popup->SetBounds(0, 0, 80, 60);
  popup->HandleNeeded();
  std::vector<TPoint> presses;
  popup->SetOnMouseDown(
      [&](TObject*, TMouseButton, TShiftState, int x, int y) { presses.push_back(Point(x, y)); });
  ASSERT_TRUE(MakePopupWindow(popup->WindowId(), main->WindowId(), 30, 40));
  popup->Show();
  Window pw = Window(popup->WindowId());
  ASSERT_TRUE(PumpUntil([&] {
    XWindowAttributes a;
    return XGetWindowAttributes(Dpy, pw, &a) && a.map_state == IsViewable;
  }));
  XWindowAttributes a;
  XGetWindowAttributes(Dpy, pw, &a);
  EXPECT_TRUE(a.override_redirect);
  TPoint owner = RootPosition(Win), at = RootPosition(pw);
  EXPECT_EQ(at, Point(owner.x + 30, owner.y + 40));
  // Nobody else can grab the pointer while the popup is open.
  EXPECT_TRUE(PumpUntil([&] { return PointerHeldByTheProgram(); }));
  // A press outside every window of the program reaches the popup, outside it.
  ClickAt(DefaultRootWindow(Dpy), 700, 500);
  ASSERT_TRUE(PumpUntil([&] { return !presses.empty(); }));
  EXPECT_EQ(presses[0], Point(700 - at.x, 500 - at.y));
  popup->Hide();
  EXPECT_TRUE(PumpUntil([&] { return !PointerHeldByTheProgram(); }));
}

// --- what the window manager is told

// A window's property as items of 32 bits (longs), left in place.
std::vector<long> LongProperty(Display* dpy, Window w, const char* name) {
  Atom type = None;
  int format = 0;
  unsigned long n = 0, after = 0;
  unsigned char* data = nullptr;
  XGetWindowProperty(dpy, w, XInternAtom(dpy, name, False), 0, 64, False, AnyPropertyType, &type,
                     &format, &n, &after, &data);
  std::vector<long> items;
  if (data && format == 32)
    items.assign(reinterpret_cast<long*>(data), reinterpret_cast<long*>(data) + n);
  if (data) XFree(data);
  return items;
}

TEST_F(X11Smoke, WindowsTellTheWindowManagerWhatTheyAre) {
  TForm* main = ShowForm();
  auto sizeHints = [&](Window w) {
    XSizeHints h{};
    long supplied = 0;
    XGetWMNormalHints(Dpy, w, &h, &supplied);
    return h;
  };
  auto typeIs = [&](Window w, const char* type) {
    return LongProperty(Dpy, w, "_NET_WM_WINDOW_TYPE") ==
           std::vector<long>{long(XInternAtom(Dpy, type, False))};
  };
  EXPECT_EQ(LongProperty(Dpy, Win, "_NET_WM_PID"), std::vector<long>{long(getpid())});
  XTextProperty machine{};
  char host[256] = "";
  gethostname(host, sizeof host - 1);
  ASSERT_TRUE(XGetWMClientMachine(Dpy, Win, &machine));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(machine.value), machine.nitems), host);
  XFree(machine.value);
  EXPECT_TRUE(typeIs(Win, "_NET_WM_WINDOW_TYPE_NORMAL"));
  // The Constraints' limits, and the position the program gave, in one set of hints.
  main->Constraints()->SetMinWidth(150);
  main->Constraints()->SetMinHeight(90);
  main->SetLeft(30);
  EXPECT_TRUE(PumpUntil([&] {
    XSizeHints h = sizeHints(Win);
    return (h.flags & PMinSize) && h.min_width == 150 && h.min_height == 90 &&
           (h.flags & PPosition) && h.x == 30;
  }));
  EXPECT_FALSE(sizeHints(Win).flags & PMaxSize) << "a sizeable form has no maximum";

  TForm* dialog = Application->CreateForm<TForm>();
  dialog->SetBorderStyle(bsDialog);
  dialog->SetBounds(0, 0, 140, 60);
  dialog->Show();
  Window dw = Window(dialog->WindowId());
  EXPECT_TRUE(typeIs(dw, "_NET_WM_WINDOW_TYPE_DIALOG"));
  Window owner = None;
  EXPECT_TRUE(XGetTransientForHint(Dpy, dw, &owner));
  EXPECT_EQ(owner, Win) << "a dialog stays above the form it was opened from";
  XSizeHints h = sizeHints(dw);
  EXPECT_TRUE((h.flags & PMinSize) && (h.flags & PMaxSize));
  EXPECT_EQ(Point(h.min_width, h.min_height), Point(140, 60));
  EXPECT_EQ(Point(h.max_width, h.max_height), Point(140, 60)) << "a fixed dialog is not resizable";

  // No frame for bsNone; no longer a dialog, and now sizeable down to a floor.
  dialog->SetBorderStyle(bsNone);
  EXPECT_TRUE(PumpUntil([&] { return typeIs(dw, "_NET_WM_WINDOW_TYPE_NORMAL"); }));
  std::vector<long> motif = LongProperty(Dpy, dw, "_MOTIF_WM_HINTS");
  ASSERT_GE(motif.size(), 3u);
  EXPECT_TRUE((motif[0] & 2) && motif[2] == 0) << "decorations are switched off";
  EXPECT_FALSE(XGetTransientForHint(Dpy, dw, &owner));
  h = sizeHints(dw);
  EXPECT_FALSE(h.flags & PMaxSize);
  EXPECT_GT(h.min_width, 0);
  EXPECT_LE(h.min_width, 140);
}

// --- windows that go away from outside

TEST_F(X11Smoke, FormWhoseWindowAnotherClientDestroysIsHiddenAndCanShowAgain) {
  ShowForm();
  TForm* second = Application->CreateForm<TForm>();
  second->SetBounds(0, 0, 120, 80);
  second->Show();
  Window gone = Window(second->WindowId());
  ASSERT_TRUE(PumpUntil([&] {
    XWindowAttributes a;
    return XGetWindowAttributes(Dpy, gone, &a) && a.map_state == IsViewable;
  }));
  XDestroyWindow(Dpy, gone);
  XSync(Dpy, False);
  EXPECT_TRUE(PumpUntil([&] { return !second->Visible() && second->WindowId() == 0; }));
  EXPECT_FALSE(Application->Terminated()) << "only the main form's window ends the program";
  second->Show();
  EXPECT_NE(second->WindowId(), 0u);
  EXPECT_NE(Window(second->WindowId()), gone);
}

// What became of a program whose main window something outside ended.
struct Ending {
  bool Finished = false;  // within the time bound
  int ExitCode = -1;      // the child's exit status: 0 when Run returned, terminated
  std::string Errors;     // what it wrote to stderr
};

// Runs a program with a main form, repainted every 20 ms like a blinking
// caret, in a child process on a connection of its own; once it runs, `end`
// is done to its window from this process's connection.
Ending RunProgramAndEndItsWindow(Display* dpy, const std::function<void(Window)>& end) {
  int idPipe[2], errPipe[2];
  if (pipe(idPipe) != 0 || pipe(errPipe) != 0) return {};
  pid_t pid = fork();
  if (pid == 0) {
    dup2(errPipe[1], 2);
    close(idPipe[0]);
    close(errPipe[0]);
    auto backend = CreateX11Backend(Server().Display.c_str());
    if (!backend) _exit(3);
    ResetApplication(std::move(backend));
    TForm* main = Application->CreateForm<TForm>();
    main->SetBounds(0, 0, 150, 100);
    HWND blink = AllocateHWnd([&](TMessage& m) {
      if (m.Msg != WM_TIMER) return;
      main->Invalidate();
      if (uintptr_t id = main->WindowId(); id && idPipe[1] >= 0) {
        (void)!write(idPipe[1], &id, sizeof id);
        close(idPipe[1]);
        idPipe[1] = -1;
      }
    });
    SetTimer(blink, 1, 20);
    Application->Run();
    bool ended = Application->Terminated() && !main->Visible() && main->WindowId() == 0;
    DeallocateHWnd(blink);
    ResetApplication(nullptr);  // closing a connection that is gone must not hang either
    _exit(ended ? 0 : 1);
  }
  close(idPipe[1]);
  close(errPipe[1]);
  Ending out;
  uintptr_t id = 0;
  pollfd p{idPipe[0], POLLIN, 0};
  if (poll(&p, 1, 5000) > 0 && read(idPipe[0], &id, sizeof id) == ssize_t(sizeof id)) {
    end(Window(id));
    XSync(dpy, False);
  }
  close(idPipe[0]);
  int status = 0;
  for (int64_t until = Ms() + 5000; Ms() < until && !out.Finished;) {
    out.Finished = waitpid(pid, &status, WNOHANG) == pid;
    if (!out.Finished) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (!out.Finished) {
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
  }
  out.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  char buf[4096];
  for (ssize_t n; (n = read(errPipe[0], buf, sizeof buf)) > 0;) out.Errors.append(buf, size_t(n));
  close(errPipe[0]);
  return out;
}

TEST_F(X11Smoke, ProgramEndsWhenAnotherClientDestroysItsMainWindow) {
  ResetApplication(nullptr);  // the child must not inherit this test's connection
  Ending e = RunProgramAndEndItsWindow(Dpy, [&](Window w) { XDestroyWindow(Dpy, w); });
  EXPECT_TRUE(e.Finished) << "the loop ran on without its window";
  EXPECT_EQ(e.ExitCode, 0) << e.Errors;
  EXPECT_EQ(e.Errors.find("Bad"), std::string::npos) << e.Errors;
}

TEST_F(X11Smoke, ProgramEndsInOrderWhenItsConnectionIsKilled) {
  ResetApplication(nullptr);
  Ending e = RunProgramAndEndItsWindow(Dpy, [&](Window w) { XKillClient(Dpy, w); });
  EXPECT_TRUE(e.Finished) << "the loop ran on without its connection";
  EXPECT_EQ(e.ExitCode, 0) << "Xlib ended the program instead of its loop: " << e.Errors;
  EXPECT_NE(e.Errors.find("lost the connection"), std::string::npos) << e.Errors;
}

// A program gets a window when a display is there and nobody asked for headless.
TEST(X11Selection, DisplayAndHeadlessSwitchPickTheBackend) {
  if (Server().Display.empty())
    GTEST_SKIP() << "No X server for the X11 tests: " << Server().Problem;
  auto pick = [](const char* display, const char* headless) {
    display ? setenv("DISPLAY", display, 1) : unsetenv("DISPLAY");
    headless ? setenv("ZEL_HEADLESS", headless, 1) : unsetenv("ZEL_HEADLESS");
    return CreateDefaultBackend()->Name();
  };
  // The environment as it was, for the tests that follow in this process.
  const char* oldDisplay = std::getenv("DISPLAY");
  const char* oldHeadless = std::getenv("ZEL_HEADLESS");
  std::string keptDisplay = oldDisplay ? oldDisplay : "",
              keptHeadless = oldHeadless ? oldHeadless : "";
  std::string display = Server().Display;
  EXPECT_EQ(pick(display.c_str(), nullptr), "x11");
  EXPECT_EQ(pick(display.c_str(), "0"), "x11");
  EXPECT_EQ(pick(display.c_str(), "1"), "headless");
  EXPECT_EQ(pick(nullptr, nullptr), "headless");
  // A display that cannot be opened falls back instead of failing.
  EXPECT_EQ(pick(":4999", nullptr), "headless");
  pick(oldDisplay ? keptDisplay.c_str() : nullptr, oldHeadless ? keptHeadless.c_str() : nullptr);
}

// --- the clipboard with other programs

// Reads everything a child writes to stdout while the application keeps
// answering the X server.
std::string ReadWhilePumping(Child& c) {
  std::string out;
  int64_t deadline = Ms() + 10000;
  while (Ms() < deadline) {
    Application->ProcessMessages();
    pollfd p{c.Out, POLLIN, 0};
    if (poll(&p, 1, 5) <= 0) continue;
    char buf[65536];
    ssize_t n = read(c.Out, buf, sizeof buf);
    if (n <= 0) break;
    out.append(buf, size_t(n));
  }
  return out;
}

std::string BigText() {
  std::string s;
  // Over 1 MB with multi-byte characters, more than any single request carries.
  for (int i = 0; s.size() < 1'200'000; ++i) s += "Zeile " + std::to_string(i) + " Größe µ €\n";
  return s;
}

class X11Clipboard : public X11Smoke {
 protected:
  // What another program pastes from the clipboard (xclip -o), or from
  // another selection ("primary").
  std::string PastedByXclip(const std::string& selection = "clipboard") {
    Child c = Spawn({"xclip", "-display", Server().Display, "-selection", selection, "-o"});
    std::string s = ReadWhilePumping(c);
    Stop(c);
    return s;
  }
  // Another program copies `text` (xclip -i) and keeps serving it.
  Child CopiedByXclip(const std::string& text, const std::string& selection = "clipboard") {
    Child c =
        Spawn({"xclip", "-display", Server().Display, "-selection", selection, "-i", "-quiet"});
    EXPECT_EQ(write(c.In, text.data(), text.size()), ssize_t(text.size()));
    close(c.In);
    c.In = -1;
    std::string name = selection;
    std::transform(name.begin(), name.end(), name.begin(), ::toupper);
    Atom atom = XInternAtom(Dpy, name.c_str(), False);
    int64_t deadline = Ms() + 5000;
    while (XGetSelectionOwner(Dpy, atom) == None && Ms() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return c;
  }
};

TEST_F(X11Clipboard, CopiedTextIsPastedByAnotherProgram) {
  ASSERT_EQ(system("command -v xclip >/dev/null"), 0) << "xclip is needed (scripts/setup-deps)";
  Clipboard()->SetAsText("Grüße 12,5 µV");
  EXPECT_EQ(PastedByXclip(), "Grüße 12,5 µV");
  // In pieces, when larger than one request.
  std::string big = BigText();
  Clipboard()->SetAsText(big);
  EXPECT_TRUE(PastedByXclip() == big) << "the large text did not arrive whole";
  // Still pasteable in this program, without asking the server.
  EXPECT_EQ(Clipboard()->AsText().size(), big.size());
}

TEST_F(X11Clipboard, TextCopiedByAnotherProgramIsPasted) {
  ASSERT_EQ(system("command -v xclip >/dev/null"), 0) << "xclip is needed (scripts/setup-deps)";
  Child small = CopiedByXclip("12,5 Ω\tnext");
  EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));
  EXPECT_EQ(Clipboard()->AsText(), "12,5 Ω\tnext");
  Stop(small);

  std::string big = BigText();
  Child large = CopiedByXclip(big);
  // The owner really sends this one in pieces.
  Atom utf8 = XInternAtom(Dpy, "UTF8_STRING", False), prop = XInternAtom(Dpy, "PROBE", False);
  Window w = XCreateSimpleWindow(Dpy, DefaultRootWindow(Dpy), 0, 0, 1, 1, 0, 0, 0);
  XConvertSelection(Dpy, XInternAtom(Dpy, "CLIPBOARD", False), utf8, prop, w, CurrentTime);
  XEvent e;
  XIfEvent(
      Dpy, &e, [](Display*, XEvent* x, XPointer) -> Bool { return x->type == SelectionNotify; },
      nullptr);
  Atom type = None;
  TakeProperty(Dpy, w, prop, &type);
  EXPECT_EQ(type, XInternAtom(Dpy, "INCR", False));
  XDestroyWindow(Dpy, w);
  XSync(Dpy, False);
  Stop(large);  // that transfer is abandoned; a fresh owner serves the backend
  large = CopiedByXclip(big);
  std::string pasted = Clipboard()->AsText();
  EXPECT_EQ(pasted.size(), big.size());
  EXPECT_TRUE(pasted == big);
  Stop(large);
}

// A table editor's block goes to a text editor as tab-separated lines, and
// lines from a spreadsheet-like program come back as numbers, with the bare
// LF line ends such programs write.
TEST_F(X11Clipboard, TableEditorBlocksTravelToAndFromOtherPrograms) {
  ASSERT_EQ(system("command -v xclip >/dev/null"), 0) << "xclip is needed (scripts/setup-deps)";
  TForm* f = Application->CreateForm<TForm>();
  f->SetBounds(0, 0, 320, 200);
  auto* e = new zel::TNTabEd(f);
  e->SetParent(f);
  e->SetBounds(0, 0, 320, 200);
  f->Show();
  e->SetClipboardUseFullPrec(false);
  e->SetPrecision(1, 1);
  e->SetPrecision(2, 2);
  e->SetElem(1, 1, 1.5);
  e->SetElem(2, 1, -2);
  e->SetElem(1, 2, 30);
  e->SetIsEmpty(2, 2, true);
  e->SetSelection({2, 1, 3, 2});
  e->CopySelection();
  EXPECT_EQ(PastedByXclip(), " 1.5\t-2.00\r\n 30.0\t####\r\n");

  const std::string lines = "t\tU [V]\n0.5\t12.25\n1.0\t-3E2\n";
  Child other = CopiedByXclip(lines);
  // Our ownership ends when the other program takes the clipboard.
  ASSERT_TRUE(PumpUntil([&] { return Clipboard()->AsText() == lines; }));
  int cols = 0, rows = 0;
  EXPECT_TRUE(e->GetClipMatrixSize(cols, rows));
  EXPECT_EQ(cols, 2);
  EXPECT_EQ(rows, 3);  // the trailing line break counts a row
  e->SetSelection({2, 3, 2, 3});
  e->ExtractFromClipboard();
  EXPECT_EQ(e->Elem(1, 3), 0.5);
  EXPECT_EQ(e->Elem(2, 3), 12.25);
  EXPECT_EQ(e->Elem(1, 4), 1);
  EXPECT_EQ(e->Elem(2, 4), -300);
  EXPECT_EQ(e->Selection(), (host::TGridRect{2, 3, 3, 4}));
  Stop(other);
}

// --- the PRIMARY selection: what is selected, a middle click pastes

TEST_F(X11Clipboard, SelectedTextIsOfferedAsPrimaryBesideTheClipboard) {
  ASSERT_EQ(system("command -v xclip >/dev/null"), 0) << "xclip is needed (scripts/setup-deps)";
  Clipboard()->SetAsText("copied");
  PrimarySelection()->SetAsText("selected µV");
  EXPECT_EQ(PastedByXclip("primary"), "selected µV");
  EXPECT_EQ(PastedByXclip("clipboard"), "copied") << "selecting must not replace the clipboard";
  std::string big = BigText();  // in pieces, as the clipboard sends it
  PrimarySelection()->SetAsText(big);
  EXPECT_TRUE(PastedByXclip("primary") == big) << "the large selection did not arrive whole";
}

TEST_F(X11Clipboard, TextSelectedInAnotherProgramIsReadFromPrimary) {
  ASSERT_EQ(system("command -v xclip >/dev/null"), 0) << "xclip is needed (scripts/setup-deps)";
  PrimarySelection()->SetAsText("ours");
  Child other = CopiedByXclip("theirs Ω", "primary");
  // Our ownership ends when the other program takes the selection.
  EXPECT_TRUE(PumpUntil([&] { return PrimarySelection()->AsText() == "theirs Ω"; }))
      << "still serving our own text after losing PRIMARY";
  EXPECT_TRUE(PrimarySelection()->HasFormat(CF_TEXT));
  Stop(other);
  // Clearing gives up only a selection of our own; another owner's stays.
  other = CopiedByXclip("kept", "primary");
  PrimarySelection()->Clear();
  EXPECT_NE(XGetSelectionOwner(Dpy, XA_PRIMARY), Window(None));
  EXPECT_EQ(PrimarySelection()->AsText(), "kept");
  Stop(other);
}

// Waits on `dpy` (up to five seconds) for an event `match` accepts.
bool NextEvent(Display* dpy, XEvent& e, const std::function<bool(const XEvent&)>& match) {
  for (int64_t until = Ms() + 5000; Ms() < until;) {
    while (XPending(dpy)) {
      XNextEvent(dpy, &e);
      if (match(e)) return true;
    }
    pollfd p{ConnectionNumber(dpy), POLLIN, 0};
    poll(&p, 1, 20);
  }
  return false;
}

TEST_F(X11Clipboard, QuittingHandsTheTextToTheClipboardManager) {
  // A clipboard manager on a connection (and thread) of its own: on
  // SAVE_TARGETS it fetches the clipboard's text, then confirms.
  std::atomic<bool> ready{false};
  std::string saved;
  bool refused = false;  // the unknown target's property came back as None
  std::string display = Server().Display;
  std::thread manager([&] {
    Display* m = XOpenDisplay(display.c_str());
    Window w = XCreateSimpleWindow(m, DefaultRootWindow(m), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(m, XInternAtom(m, "CLIPBOARD_MANAGER", False), w, CurrentTime);
    XSync(m, False);
    ready = true;
    XEvent req, got;
    if (NextEvent(m, req, [&](const XEvent& e) {
          return e.type == SelectionRequest &&
                 e.xselectionrequest.target == XInternAtom(m, "SAVE_TARGETS", False);
        })) {
      // Desktop managers fetch every target at once, through MULTIPLE.
      Atom prop = XInternAtom(m, "KEPT", False), list = XInternAtom(m, "WANTED", False);
      unsigned long pairs[] = {XInternAtom(m, "UTF8_STRING", False), prop,
                               XInternAtom(m, "NO_SUCH_TARGET", False), prop};
      XChangeProperty(m, w, list, XInternAtom(m, "ATOM_PAIR", False), 32, PropModeReplace,
                      reinterpret_cast<unsigned char*>(pairs), 4);
      XConvertSelection(m, XInternAtom(m, "CLIPBOARD", False), XInternAtom(m, "MULTIPLE", False),
                        list, w, CurrentTime);
      if (NextEvent(m, got, [](const XEvent& e) { return e.type == SelectionNotify; })) {
        saved = TakeProperty(m, w, prop);
        std::string answered = TakeProperty(m, w, list);
        refused = answered.size() == 4 * sizeof(long) &&
                  reinterpret_cast<const unsigned long*>(answered.data())[3] == None;
      }
      XSelectionEvent answer{};
      answer.type = SelectionNotify;
      answer.requestor = req.xselectionrequest.requestor;
      answer.selection = req.xselectionrequest.selection;
      answer.target = req.xselectionrequest.target;
      answer.property = req.xselectionrequest.property;
      answer.time = req.xselectionrequest.time;
      XSendEvent(m, answer.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&answer));
    }
    XCloseDisplay(m);
  });
  while (!ready) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  Clipboard()->SetAsText("kept after quitting µ");
  ResetApplication(nullptr);  // the program ends: its X connection closes
  manager.join();
  EXPECT_EQ(saved, "kept after quitting µ");
  EXPECT_TRUE(refused);
}

TEST_F(X11Clipboard, SilentOwnerGivesEmptyTextSoon) {
  // An owner that never answers: this connection takes the selection and sleeps.
  Window w = XCreateSimpleWindow(Dpy, DefaultRootWindow(Dpy), 0, 0, 1, 1, 0, 0, 0);
  XSetSelectionOwner(Dpy, XInternAtom(Dpy, "CLIPBOARD", False), w, CurrentTime);
  XSync(Dpy, False);
  int64_t start = Ms();
  EXPECT_EQ(Clipboard()->AsText(), "");
  EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
  EXPECT_LT(Ms() - start, 5000);
  // Clearing empties the clipboard whoever owned it.
  Clipboard()->Clear();
  EXPECT_EQ(XGetSelectionOwner(Dpy, XInternAtom(Dpy, "CLIPBOARD", False)), Window(None));
}

// Alt+M typed on the keyboard: the label "&Memo" hands the focus to its memo,
// and neither the edit that had the focus nor the memo types an 'm'.
TEST_F(X11Smoke, AltLetterOfALabelFocusesItsMemo) {
  TForm* f = ShowForm();
  auto* edit = new TEdit(f);
  edit->SetParent(f);
  edit->SetBounds(100, 5, 90, 21);
  auto* label = new TLabel(f);
  label->SetParent(f);
  label->SetBounds(100, 32, 40, 17);
  label->SetCaption("&Memo");
  auto* memo = new TMemo(f);
  memo->SetParent(f);
  memo->SetBounds(100, 50, 90, 60);
  label->SetFocusControl(memo);
  edit->SetFocus();
  XSetInputFocus(Dpy, Win, RevertToParent, CurrentTime);
  Key(XK_Alt_L, true);
  Tap(XK_m);
  Key(XK_Alt_L, false);
  EXPECT_TRUE(PumpUntil([&] { return memo->Focused(); })) << "Alt+M did not reach the label";
  EXPECT_EQ(edit->Text(), "");
  EXPECT_EQ(memo->Text(), "");
  // Without Alt the memo types the letter.
  Tap(XK_m);
  EXPECT_TRUE(PumpUntil([&] { return memo->Text() == "m"; }));
}

}  // namespace
#endif  // ZEL_HAVE_X11
