#include "host/widgets/ScrollBar.h"

#include <algorithm>
#include <cstdint>

#include "host/ui/Windows.h"
#include "host/widgets/Look.h"

namespace host {

namespace {

constexpr uintptr_t kRepeatTimer = 1;

// Positions may span the whole int64 range, so distances between them and
// products with pixel counts are taken in 128 bits.
__extension__ using int128 = __int128;
int128 Diff(int64_t a, int64_t b) { return int128(a) - b; }
// How many positions Min..Max holds, saturated to int64.
int64_t PositionCount(int64_t min, int64_t max) {
  return int64_t(std::min<int128>(Diff(max, min) + 1, INT64_MAX));
}

bool IsPagePart(TScrollBarPart p) { return p == sbpPageBack || p == sbpPageForward; }

// What a held arrow or track part repeats.
TScrollCode CodeOfPart(TScrollBarPart p) {
  switch (p) {
    case sbpLineBack:
      return scLineUp;
    case sbpLineForward:
      return scLineDown;
    case sbpPageBack:
      return scPageUp;
    default:
      return scPageDown;
  }
}

// The keys of a focused bar; the arrows of either direction work on either kind.
constexpr struct {
  Word Key;
  TScrollCode Code;
} kKeyCodes[] = {{VK_UP, scLineUp},      {VK_LEFT, scLineUp},  {VK_DOWN, scLineDown},
                 {VK_RIGHT, scLineDown}, {VK_PRIOR, scPageUp}, {VK_NEXT, scPageDown},
                 {VK_HOME, scTop},       {VK_END, scBottom}};

}  // namespace

// --- TWindowScrollBar: state

TWindowScrollBar::TWindowScrollBar(TControl* Host, TScrollBarKind Kind)
    : FHost(Host), FKind(Kind) {}

TWindowScrollBar::~TWindowScrollBar() { DeallocateHWnd(FRepeatWnd); }

void TWindowScrollBar::SetKind(TScrollBarKind v) {
  if (v == FKind) return;
  Cancel();
  FKind = v;
}

void TWindowScrollBar::SetBounds(const TRect& r) {
  if (r.IsEmpty() && FPressed != sbpNone) Cancel();
  FBounds = r;
}

void TWindowScrollBar::SetParams(int64_t APosition, int64_t AMin, int64_t AMax, int64_t APage) {
  FMin = AMin;
  FMax = std::max(AMin, AMax);
  FPage = std::max<int64_t>(APage, 0);
  FPosition = std::clamp(APosition, FMin, FMax);
  FTrackPos = std::clamp(FTrackPos, FMin, FMax);
}

bool TWindowScrollBar::SetPosition(int64_t v) {
  v = std::clamp(v, FMin, FMax);
  if (v == FPosition) return false;
  FPosition = v;
  return true;
}

void TWindowScrollBar::SetRows(int64_t Count, int64_t Page) {
  Page = std::max<int64_t>(Page, 1);
  SetParams(FPosition, 0, std::max<int64_t>(Count - Page, 0), Page);
}

bool TWindowScrollBar::MakeRowVisible(int64_t Row) {
  if (Row < FPosition) return SetPosition(Row);
  if (Row - FPosition >= FPage) return SetPosition(Row - FPage + 1);
  return false;
}

void TWindowScrollBar::SetEnabled(bool v) {
  if (v == FEnabled) return;
  if (!v) Cancel();
  FEnabled = v;
}

// --- geometry: the one source of every part's rectangle

TRect TWindowScrollBar::EdgeStrip(const TRect& Client, TScrollBarKind Kind) {
  if (Kind == sbVertical)
    return Rect(std::max(Client.Left, Client.Right - kThickness), Client.Top, Client.Right,
                Client.Bottom);
  return Rect(Client.Left, std::max(Client.Top, Client.Bottom - kThickness), Client.Right,
              Client.Bottom);
}

int TWindowScrollBar::Across() const { return Vertical() ? FBounds.Width() : FBounds.Height(); }

int TWindowScrollBar::Length() const { return Vertical() ? FBounds.Height() : FBounds.Width(); }

// Square arrows, squeezed when the bar is shorter than two of them.
int TWindowScrollBar::ButtonLength() const { return std::max(std::min(Across(), Length() / 2), 0); }

// In proportion to the share of the content that shows; with no page the
// platform draws a square thumb.
int TWindowScrollBar::ThumbLength(int track) const {
  const int wanted =
      FPage <= 0 ? ButtonLength() : int(track * int128(FPage) / (FPage + Diff(FMax, FMin)));
  return std::clamp(wanted, std::min(kMinThumb, track), track);
}

TRect TWindowScrollBar::Span(int a, int b) const {
  if (b <= a) return TRect{};
  return Vertical() ? Rect(FBounds.Left, a, FBounds.Right, b)
                    : Rect(a, FBounds.Top, b, FBounds.Bottom);
}

TScrollBarLayout TWindowScrollBar::Layout() const {
  TScrollBarLayout l;
  if (!Shown()) return l;
  const int start = Vertical() ? FBounds.Top : FBounds.Left;
  const int end = start + Length();
  const int b = ButtonLength();
  l.LineBack = Span(start, start + b);
  l.LineForward = Span(end - b, end);
  l.Track = Span(start + b, end - b);
  const int track = std::max(end - b - (start + b), 0);
  if (!Active() || track <= 0) {
    l.PageBack = l.Track;
    return l;
  }
  const int thumb = ThumbLength(track);
  const int lead =
      start + b + int((track - thumb) * Diff(ThumbPosition(), FMin) / Diff(FMax, FMin));
  l.PageBack = Span(start + b, lead);
  l.Thumb = Span(lead, lead + thumb);
  l.PageForward = Span(lead + thumb, end - b);
  return l;
}

TScrollBarPart TWindowScrollBar::HitTest(int X, int Y) const {
  if (!FBounds.Contains(X, Y)) return sbpNone;
  const TScrollBarLayout l = Layout();
  if (l.LineBack.Contains(X, Y)) return sbpLineBack;
  if (l.LineForward.Contains(X, Y)) return sbpLineForward;
  if (l.Thumb.Contains(X, Y)) return sbpThumb;
  if (l.PageBack.Contains(X, Y)) return sbpPageBack;
  if (l.PageForward.Contains(X, Y)) return sbpPageForward;
  return sbpNone;
}

int64_t TWindowScrollBar::PositionAtThumb(int lead) const {
  const TScrollBarLayout l = Layout();
  const int track = Vertical() ? l.Track.Height() : l.Track.Width();
  const int room = track - ThumbLength(track);
  if (room <= 0 || FMax <= FMin) return FMin;
  const int trackStart = Vertical() ? l.Track.Top : l.Track.Left;
  const int off = std::clamp(lead - trackStart, 0, room);
  // The nearest position: (2 * off * range + room) / (2 * room).
  return int64_t(FMin + (2 * off * Diff(FMax, FMin) + room) / (2 * room));
}

// --- paint

void TWindowScrollBar::Paint(TCanvas* c) const {
  if (!Shown()) return;
  const TScrollBarLayout l = Layout();
  const bool active = Active();
  const TScrollBarPart hot =
      FPressed != sbpNone && HitTest(FPointer.x, FPointer.y) == FPressed ? FPressed : sbpNone;
  c->Brush()->SetStyle(bsSolid);
  FillDithered(c, FBounds, clBtnFace, clBtnHighlight);
  // A held page press darkens the part of the track it pages through.
  if (IsPagePart(hot))
    FillDithered(c, hot == sbpPageBack ? l.PageBack : l.PageForward, cl3DDkShadow, clBtnShadow);
  const TFaceState back = hot == sbpLineBack ? fsPressed : fsUp;
  const TFaceState forward = hot == sbpLineForward ? fsPressed : fsUp;
  DrawArrow(c, DrawButtonFace(c, l.LineBack, back), Vertical() ? adUp : adLeft, 4, clBtnText,
            active);
  DrawArrow(c, DrawButtonFace(c, l.LineForward, forward), Vertical() ? adDown : adRight, 4,
            clBtnText, active);
  if (l.Thumb.IsEmpty()) return;
  const TRect face = DrawButtonFace(c, l.Thumb, fsUp);
  c->Brush()->SetColor(clBtnFace);
  c->FillRect(face);
}

// --- input

void TWindowScrollBar::Notify(TScrollCode code, int64_t pos) {
  if (FOnScroll) FOnScroll(code, pos);
  if (SetPosition(pos)) Repaint();
}

// Steps saturate instead of overflowing near the ends of the int64 range.
void TWindowScrollBar::Step(TScrollCode code) {
  const bool line = code == scLineUp || code == scLineDown;
  const int64_t page = FLargeChange > 0 ? FLargeChange : std::max<int64_t>(FPage, 1);
  const int64_t d = line ? FSmallChange : page;
  if (code == scLineUp || code == scPageUp)
    Notify(code, Diff(FPosition, FMin) > d ? FPosition - d : FMin);
  else
    Notify(code, Diff(FMax, FPosition) > d ? FPosition + d : FMax);
}

void TWindowScrollBar::Scroll(TScrollCode Code) {
  if (!Active()) return;
  if (Code == scTop || Code == scBottom)
    Notify(Code, Code == scTop ? FMin : FMax);
  else if (Code <= scPageDown)  // a line or a page, either way
    Step(Code);
  else
    return;
  Notify(scEndScroll, FPosition);
}

bool TWindowScrollBar::MouseDown(int X, int Y) {
  if (!Shown() || !FBounds.Contains(X, Y)) return false;
  if (!Active()) return true;  // a disabled bar still takes its presses
  Cancel();
  const TScrollBarPart part = HitTest(X, Y);
  if (part == sbpNone) return true;
  FPressed = part;
  FPointer = Point(X, Y);
  FCaptured = FHost && FHost->MouseCapture();
  if (part == sbpThumb) {
    const TRect thumb = Layout().Thumb;
    FGrip = Along(X, Y) - (Vertical() ? thumb.Top : thumb.Left);
    FTrackPos = FPosition;
  } else {
    Step(CodeOfPart(part));
    StartRepeat();
  }
  Repaint();
  return true;
}

bool TWindowScrollBar::MouseMove(int X, int Y) {
  if (FPressed == sbpNone || PressLost()) return false;
  const bool wasHot = HitTest(FPointer.x, FPointer.y) == FPressed;
  FPointer = Point(X, Y);
  if (Dragging()) {
    const int64_t pos = PositionAtThumb(Along(X, Y) - FGrip);
    if (pos != FTrackPos) {
      FTrackPos = pos;
      Repaint();
      Notify(scTrack, pos);
    }
  } else if (wasHot != (HitTest(X, Y) == FPressed)) {
    Repaint();  // the held arrow or page shows up or down as the pointer leaves or returns
  }
  return true;
}

bool TWindowScrollBar::MouseUp(int X, int Y) {
  if (FPressed == sbpNone) return false;
  FPointer = Point(X, Y);
  const bool dragged = Dragging();
  StopRepeat();
  FPressed = sbpNone;
  if (dragged) Notify(scPosition, FTrackPos);
  Notify(scEndScroll, FPosition);
  Repaint();
  return true;
}

void TWindowScrollBar::Cancel() {
  if (FPressed == sbpNone) return;
  StopRepeat();
  FPressed = sbpNone;
  Repaint();
}

// The platform's feel: one step on the press, a pause, then quick repeats.
// Without a timer (SetTimer failed) the press still steps once.
void TWindowScrollBar::StartRepeat() {
  if (!FRepeatWnd)
    FRepeatWnd = AllocateHWnd([this](TMessage& m) {
      if (m.Msg == WM_TIMER) RepeatTick();
    });
  FRepeatStarted = false;
  SetTimer(FRepeatWnd, kRepeatTimer, kRepeatDelay);
}

void TWindowScrollBar::StopRepeat() {
  // The window goes with the press: an idle bar holds no window.
  DeallocateHWnd(FRepeatWnd);
  FRepeatWnd = 0;
}

void TWindowScrollBar::RepeatTick() {
  if (FPressed == sbpNone || Dragging() || !Active()) return StopRepeat();
  if (PressLost()) return;
  if (!FRepeatStarted) {
    FRepeatStarted = true;
    SetTimer(FRepeatWnd, kRepeatTimer, kRepeatInterval);
  }
  // Only while the pointer is on the held part: a page press stops when the
  // thumb has come under the pointer.
  if (HitTest(FPointer.x, FPointer.y) == FPressed) Step(CodeOfPart(FPressed));
}

// A host that had the capture and lost it (a modal dialog took it, say) will
// not see the release: the press ends here instead of repeating on.
bool TWindowScrollBar::PressLost() {
  if (!FCaptured || FHost->MouseCapture()) return false;
  Cancel();
  return true;
}

void TWindowScrollBar::Repaint() const {
  if (FHost) FHost->Invalidate();
}

// --- TScrollBar

TScrollBar::TScrollBar(TComponent* AOwner) : TCustomControl(AOwner), FBar(this, sbHorizontal) {
  SetTabStop(true);
  SetControlStyle(TControlStyle(ControlStyle() | csOpaque));
  FBar.SetLargeChange(1);
  FBar.SetOnScroll([this](TScrollCode code, int64_t& pos) { BarScrolled(code, pos); });
  SetParams(0, 0, 100);
  SetBounds(Left(), Top(), 121, TWindowScrollBar::kThickness);
}

void TScrollBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  FBar.SetBounds(Rect(0, 0, Width(), Height()));
}

void TScrollBar::SetKind(TScrollBarKind v) {
  if (v == Kind()) return;
  FBar.SetKind(v);
  if (!(ComponentState() & csLoading)) SetBounds(Left(), Top(), Height(), Width());
  Invalidate();
}

void TScrollBar::SetPageSize(int64_t v) { Apply(Position(), FMinValue, FMaxValue, v); }

void TScrollBar::SetParams(int64_t APosition, int64_t AMin, int64_t AMax) {
  Apply(APosition, AMin, AMax, PageSize());
}

// The one path every range, page and position change takes: clamp, store,
// repaint, and OnChange when the position moved.
void TScrollBar::Apply(int64_t pos, int64_t min, int64_t max, int64_t page) {
  max = std::max(min, max);
  page = std::clamp<int64_t>(page, 0, PositionCount(min, max));
  const int64_t old = Position();
  const bool shape = min != FMinValue || max != FMaxValue || page != PageSize();
  FMinValue = min;
  FMaxValue = max;
  // The bar's last position leaves the last page in view.
  FBar.SetParams(pos, min, max - std::max<int64_t>(page - 1, 0), page);
  if (shape || Position() != old) Invalidate();
  if (Position() != old) Change();
}

void TScrollBar::Change() {
  if (FOnChange) FOnChange(this);
}

// The program sees every step first and may move the proposed position; the
// position it leaves is the bar's.
void TScrollBar::BarScrolled(TScrollCode code, int64_t& pos) {
  if (FOnScroll) FOnScroll(this, code, pos);
  if (FBar.SetPosition(pos)) {
    Invalidate();
    Change();
  }
}

void TScrollBar::Paint() { FBar.Paint(Canvas()); }

void TScrollBar::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  for (const auto& k : kKeyCodes)
    if (Key == k.Key) {
      FBar.Scroll(k.Code);
      Key = 0;
      return;
    }
}

void TScrollBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    if (CanFocus() && !Focused()) SetFocus();
    FBar.MouseDown(X, Y);
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TScrollBar::MouseMove(TShiftState Shift, int X, int Y) {
  FBar.MouseMove(X, Y);
  TCustomControl::MouseMove(Shift, X, Y);
}

void TScrollBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) FBar.MouseUp(X, Y);
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TScrollBar::WMGetDlgCode(TMessage& Message) { Message.Result = DLGC_WANTARROWS; }

void TScrollBar::CMEnabledChanged(TMessage& Message) {
  FBar.SetEnabled(Enabled());
  TCustomControl::CMEnabledChanged(Message);
}

}  // namespace host
