#ifdef ZEL_HAVE_X11
// The clipboard of the X11 backend: the CLIPBOARD selection, and beside it
// PRIMARY, the text last selected, which a middle click pastes. Copying (or
// selecting) makes the backend the selection's owner, which answers other
// programs' requests until another program takes the selection; pasting asks
// the owner for the text and waits a while for the answer. Texts larger than
// one request travel in pieces (INCR). Both selections share every step; only
// the clipboard is handed to a clipboard manager on quitting.
#include <algorithm>
#include <climits>
#include <cstdio>
#include <string_view>

#include "host/gfx/Utf8.h"

#include "host/backend/X11Internal.h"

// Xlib last: its macros must not reach the library's headers.
#include <X11/Xatom.h>

namespace host::x11 {

namespace {

// How long a paste waits for the owner's answer (and for each piece of a large one).
constexpr int64_t kAnswerTimeoutMs = 1000;
// How long quitting waits for a clipboard manager to take the text.
constexpr int64_t kManagerTimeoutMs = 3000;
// A requestor that reads no piece of a large text for this long is given up.
constexpr int64_t kIncrStallMs = 5000;

std::string Latin1ToUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (unsigned char c : s) AppendUtf8(out, c);
  return out;
}

std::string Utf8ToLatin1(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    char32_t cp = NextCodePoint(s, i);
    out.push_back(cp <= 0xFF ? char(cp) : '?');
  }
  return out;
}

// Text from another program may be anything: make it valid UTF-8, so no
// control ever meets a broken sequence (each bad byte becomes U+FFFD).
std::string ValidUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) AppendUtf8(out, NextCodePoint(s, i));
  return out;
}

}  // namespace

void TX11Backend::CreateClipWindow() {
  XSetWindowAttributes a{};
  a.event_mask = PropertyChangeMask;
  FClipWindow =
      XCreateWindow(FDpy, FRoot, -10, -10, 1, 1, 0, 0, InputOnly, CopyFromParent, CWEventMask, &a);
  FClipboard.Name = FAtoms.Clipboard;
  FPrimary.Name = XA_PRIMARY;
}

TSelection* TX11Backend::SelectionNamed(Atom name) {
  if (name == FClipboard.Name) return &FClipboard;
  if (name == FPrimary.Name) return &FPrimary;
  return nullptr;
}

// --- copying: owning the selection and answering requests

void TX11Backend::TakeSelection(TSelection& sel, const std::string& text) {
  sel.Text = text;
  sel.OwnTime = ServerTime();
  XSetSelectionOwner(FDpy, sel.Name, FClipWindow, sel.OwnTime);
  // The server's clock in events lags behind its own when no input came for a
  // while, and a time older than the last owner's is refused: copying is the
  // user's latest action, so take the selection at the server's present time.
  if (XGetSelectionOwner(FDpy, sel.Name) != FClipWindow)
    XSetSelectionOwner(FDpy, sel.Name, FClipWindow, CurrentTime);
  sel.Owned = XGetSelectionOwner(FDpy, sel.Name) == FClipWindow;
  // The text stays pasteable in this program; other programs cannot get it.
  if (!sel.Owned) std::fprintf(stderr, "X11: could not take the selection\n");
}

void TX11Backend::SetClipboardText(const std::string& s) { TakeSelection(FClipboard, s); }
void TX11Backend::SetPrimaryText(const std::string& s) { TakeSelection(FPrimary, s); }

void TX11Backend::ClearClipboard() {
  FClipboard.Text.clear();
  FClipboard.Owned = false;
  // Whoever owns it, the clipboard is empty afterwards, as on the platform.
  XSetSelectionOwner(FDpy, FClipboard.Name, None, CurrentTime);
  XSync(FDpy, False);
}

void TX11Backend::ClearPrimary() {
  // Only our own selection is given up: another program's selected text is
  // not ours to take away.
  FPrimary.Text.clear();
  if (!FPrimary.Owned) return;
  FPrimary.Owned = false;
  if (XGetSelectionOwner(FDpy, FPrimary.Name) == FClipWindow)
    XSetSelectionOwner(FDpy, FPrimary.Name, None, CurrentTime);
  XSync(FDpy, False);
}

void TX11Backend::HandleSelectionClear(const XSelectionClearEvent& e) {
  // Another program took the selection: its text is the one to paste now.
  TSelection* sel = SelectionNamed(e.selection);
  if (!sel || e.window != FClipWindow) return;
  sel->Owned = false;
  sel->Text.clear();
}

void TX11Backend::HandClipboardToManager() {
  // The selection dies with its owner. A clipboard manager, where the desktop
  // runs one, keeps the text for the others when asked to before we go.
  if (!FClipboard.Owned) return;
  Atom manager = XInternAtom(FDpy, "CLIPBOARD_MANAGER", False);
  if (XGetSelectionOwner(FDpy, manager) == None) return;
  XConvertSelection(FDpy, manager, XInternAtom(FDpy, "SAVE_TARGETS", False), FAtoms.Transfer,
                    FClipWindow, ServerTime());
  // The manager now asks for the text (answered while waiting), then replies.
  XEvent e;
  WaitFor(
      [manager](const XEvent& x) {
        return x.type == SelectionNotify && x.xselection.selection == manager;
      },
      kManagerTimeoutMs, e);
}

void TX11Backend::HandleSelectionRequest(const XSelectionRequestEvent& r) {
  XSelectionEvent answer{};
  answer.type = SelectionNotify;
  answer.display = FDpy;
  answer.requestor = r.requestor;
  answer.selection = r.selection;
  answer.target = r.target;
  answer.time = r.time;
  answer.property = None;  // refused, unless served below
  // Old clients name no property: the target's name is the property then.
  Atom property = r.property != None ? r.property : r.target;
  const TSelection* sel = SelectionNamed(r.selection);
  bool current = sel && (r.time == CurrentTime || r.time >= sel->OwnTime);
  if (current && sel->Owned && ServeTarget(*sel, r, property)) answer.property = property;
  XSendEvent(FDpy, r.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&answer));
  XFlush(FDpy);
}

bool TX11Backend::ServeTarget(const TSelection& sel, const XSelectionRequestEvent& r,
                              Atom property) {
  auto put = [&](Atom type, int format, const void* data, size_t count) {
    XChangeProperty(FDpy, r.requestor, property, type, format, PropModeReplace,
                    static_cast<const unsigned char*>(data), int(count));
  };
  if (r.target == FAtoms.Targets) {
    Atom targets[] = {FAtoms.Targets,    FAtoms.Timestamp, FAtoms.Multiple,
                      FAtoms.Utf8String, XA_STRING,        FAtoms.Text};
    put(XA_ATOM, 32, targets, sizeof targets / sizeof targets[0]);
    return true;
  }
  if (r.target == FAtoms.Timestamp) {
    long t = long(sel.OwnTime);
    put(XA_INTEGER, 32, &t, 1);
    return true;
  }
  if (r.target == FAtoms.Multiple) return ServeMultiple(sel, r, property);
  std::string data;
  Atom type;
  if (r.target == FAtoms.Utf8String || r.target == FAtoms.Text) {
    data = sel.Text;
    type = FAtoms.Utf8String;
  } else if (r.target == XA_STRING) {
    data = Utf8ToLatin1(sel.Text);
    type = XA_STRING;
  } else {
    return false;
  }
  if (data.size() > FMaxPiece)
    StartIncr(r.requestor, property, type, std::move(data));
  else
    put(type, 8, data.data(), data.size());
  return true;
}

bool TX11Backend::ServeMultiple(const TSelection& sel, const XSelectionRequestEvent& r,
                                Atom property) {
  // The requestor lists (target, property) pairs in the property; each pair is
  // served on its own, and one that cannot be gets None as its property.
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* value = nullptr;
  if (XGetWindowProperty(FDpy, r.requestor, property, 0, 1 << 16, False, AnyPropertyType, &type,
                         &format, &count, &after, &value) != Success)
    return false;
  std::vector<unsigned long> pairs;
  if (value && format == 32) {
    auto* items = reinterpret_cast<unsigned long*>(value);
    pairs.assign(items, items + (count - count % 2));
  }
  if (value) XFree(value);
  if (pairs.empty()) return false;
  for (size_t i = 0; i < pairs.size(); i += 2) {
    XSelectionRequestEvent one = r;
    one.target = Atom(pairs[i]);
    bool served = one.target != FAtoms.Multiple && pairs[i + 1] != None &&
                  ServeTarget(sel, one, Atom(pairs[i + 1]));
    if (!served) pairs[i + 1] = None;
  }
  XChangeProperty(FDpy, r.requestor, property, FAtoms.AtomPair, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(pairs.data()), int(pairs.size()));
  return true;
}

void TX11Backend::StartIncr(Window requestor, Atom property, Atom type, std::string data) {
  // The requestor deleting a property is our cue to write the next piece.
  XSelectInput(FDpy, requestor, PropertyChangeMask);
  long size = long(data.size());
  XChangeProperty(FDpy, requestor, property, FAtoms.Incr, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&size), 1);
  FIncrSends.push_back(TIncrSend{requestor, property, type, std::move(data), 0, Now()});
}

void TX11Backend::HandleSelectionPropertyDelete(const XPropertyEvent& e) {
  auto it = std::find_if(FIncrSends.begin(), FIncrSends.end(), [&](const TIncrSend& s) {
    return s.Requestor == e.window && s.Property == e.atom;
  });
  if (it == FIncrSends.end()) return;
  size_t n = std::min(FMaxPiece, it->Data.size() - it->Offset);
  // The last piece is an empty one: it tells the requestor the text is complete.
  XChangeProperty(FDpy, it->Requestor, it->Property, it->Type, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(it->Data.data() + it->Offset), int(n));
  it->Offset += n;
  it->LastActivity = Now();
  if (n == 0) {
    Window requestor = it->Requestor;
    FIncrSends.erase(it);
    if (std::none_of(FIncrSends.begin(), FIncrSends.end(),
                     [&](const TIncrSend& s) { return s.Requestor == requestor; }))
      XSelectInput(FDpy, requestor, NoEventMask);
  }
  XFlush(FDpy);
}

void TX11Backend::ExpireIncrSends() {
  int64_t now = Now();
  std::erase_if(FIncrSends,
                [now](const TIncrSend& s) { return now - s.LastActivity > kIncrStallMs; });
}

// --- pasting: asking the owner

namespace {
// Takes (and deletes) a property's whole value. Items of format 32 come as
// longs, as Xlib hands them out.
bool TakeProperty(Display* dpy, Window w, Atom property, std::string& data, Atom& type,
                  int& format) {
  unsigned long count = 0, after = 0;
  unsigned char* value = nullptr;
  if (XGetWindowProperty(dpy, w, property, 0, LONG_MAX / 4, True, AnyPropertyType, &type, &format,
                         &count, &after, &value) != Success)
    return false;
  size_t unit = format == 32 ? sizeof(long) : format == 16 ? sizeof(short) : 1;
  data.assign(reinterpret_cast<char*>(value), value ? count * unit : 0);
  if (value) XFree(value);
  return type != None;
}
}  // namespace

TAnswer TX11Backend::Convert(Atom selection, Atom target, std::string& data, Atom& type) {
  if (XGetSelectionOwner(FDpy, selection) == None) return TAnswer::Refused;
  Time time = ServerTime();
  XDeleteProperty(FDpy, FClipWindow, FAtoms.Transfer);
  XConvertSelection(FDpy, selection, target, FAtoms.Transfer, FClipWindow, time);
  XEvent e;
  Window clip = FClipWindow;
  bool answered = WaitFor(
      [clip, selection](const XEvent& x) {
        return x.type == SelectionNotify && x.xselection.requestor == clip &&
               x.xselection.selection == selection;
      },
      kAnswerTimeoutMs, e);
  if (!answered) return TAnswer::Silent;
  if (e.xselection.property == None) return TAnswer::Refused;
  int format = 0;
  if (!TakeProperty(FDpy, FClipWindow, FAtoms.Transfer, data, type, format))
    return TAnswer::Refused;
  if (type != FAtoms.Incr) return TAnswer::Data;
  return ReadIncr(data) ? TAnswer::Data : TAnswer::Silent;
}

bool TX11Backend::ReadIncr(std::string& data) {
  // Taking the INCR property (done) asks for the first piece; each piece taken
  // asks for the next; an empty one ends the text.
  data.clear();
  Window clip = FClipWindow;
  Atom transfer = FAtoms.Transfer;
  for (;;) {
    XEvent e;
    bool arrived = WaitFor(
        [clip, transfer](const XEvent& x) {
          return x.type == PropertyNotify && x.xproperty.window == clip &&
                 x.xproperty.atom == transfer && x.xproperty.state == PropertyNewValue;
        },
        kAnswerTimeoutMs, e);
    if (!arrived) return false;
    std::string piece;
    Atom type;
    int format = 0;
    if (!TakeProperty(FDpy, FClipWindow, FAtoms.Transfer, piece, type, format)) return false;
    if (piece.empty()) return true;
    data += piece;
  }
}

bool TX11Backend::AskTargets(Atom selection, std::vector<Atom>& targets) {
  std::string raw;
  Atom type;
  if (Convert(selection, FAtoms.Targets, raw, type) != TAnswer::Data || type != XA_ATOM)
    return false;
  targets.resize(raw.size() / sizeof(long));
  for (size_t i = 0; i < targets.size(); ++i)
    targets[i] = Atom(reinterpret_cast<const unsigned long*>(raw.data())[i]);
  return true;
}

bool TX11Backend::SelectionHasText(const TSelection& sel) {
  if (sel.Owned) return true;
  std::vector<Atom> targets;
  if (!AskTargets(sel.Name, targets)) return false;
  for (Atom t : targets)
    if (t == FAtoms.Utf8String || t == XA_STRING || t == FAtoms.Text) return true;
  return false;
}

std::string TX11Backend::SelectionText(const TSelection& sel) {
  if (sel.Owned) return sel.Text;
  std::string data;
  Atom type;
  TAnswer a = Convert(sel.Name, FAtoms.Utf8String, data, type);
  if (a == TAnswer::Data) return ValidUtf8(data);
  // Owners that know only Latin-1 text refuse UTF-8; one that is silent is not
  // asked twice.
  if (a == TAnswer::Refused && Convert(sel.Name, XA_STRING, data, type) == TAnswer::Data)
    return Latin1ToUtf8(data);
  return "";
}

// Talking to the owner changes the connection's state, not the selection's
// content: hence the const calls below use the non-const conversation.
bool TX11Backend::ClipboardHasText() const {
  return const_cast<TX11Backend*>(this)->SelectionHasText(FClipboard);
}
std::string TX11Backend::GetClipboardText() const {
  return const_cast<TX11Backend*>(this)->SelectionText(FClipboard);
}
bool TX11Backend::PrimaryHasText() const {
  return const_cast<TX11Backend*>(this)->SelectionHasText(FPrimary);
}
std::string TX11Backend::GetPrimaryText() const {
  return const_cast<TX11Backend*>(this)->SelectionText(FPrimary);
}

}  // namespace host::x11
#endif  // ZEL_HAVE_X11
