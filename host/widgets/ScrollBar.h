// Scroll bars: TWindowScrollBar, the bar a control draws in its own edge (the
// platform's window scroll bars), and TScrollBar, the stand-alone control
// built on it.
//
// Why an embedded part and not a child control: the grid paints its bars after
// its cells and reserves their strip in its ClientRect, the tree view and the
// drop-down lists keep them inside their border, and every one of them already
// takes the mouse for the whole control. A part that the host lays out, paints
// and feeds its mouse events keeps one window per control, one capture and one
// paint pass; TScrollBar is the same part filling a control of its own.
//
// State model. The bar shows positions Min..Max of the content (64-bit: the
// grid scrolls by pixels through a hundred million rows) and PageSize, the
// length of what the view shows, which sizes the thumb. With Max <= Min (or
// Enabled off) there is nothing to scroll: the bar shows embossed arrows and no
// thumb, and presses on it do nothing. Position always lies in Min..Max.
//
// Input. A press on an arrow steps SmallChange, on the track LargeChange (the
// page when 0); both repeat while the button is held, the first time after
// kRepeatDelay and then every kRepeatInterval, and pause while the pointer is
// off the pressed part, so a held page press stops once the thumb reaches the
// pointer. A press on the thumb drags it: scTrack while it moves, scPosition on
// release. Every step goes through OnScroll with the proposed position, which
// the host may change (the grid snaps it to a row start); then scEndScroll.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "host/ui/Controls.h"

namespace host {

enum TScrollBarKind : uint8_t { sbHorizontal, sbVertical };
enum TScrollCode : uint8_t {
  scLineUp,
  scLineDown,
  scPageUp,
  scPageDown,
  scPosition,
  scTrack,
  scTop,
  scBottom,
  scEndScroll
};

// The parts of a bar, back (top or left) to forward.
enum TScrollBarPart : uint8_t {
  sbpNone,
  sbpLineBack,
  sbpPageBack,
  sbpThumb,
  sbpPageForward,
  sbpLineForward
};

// Where each part of a bar lies, in its host's client coordinates. Paint,
// hit-testing and tests all read it; with nothing to scroll Thumb and
// PageForward are empty and PageBack is the whole track.
struct TScrollBarLayout {
  TRect LineBack, PageBack, Thumb, PageForward, LineForward;
  TRect Track;  // between the arrows
};

// The bar a control draws in its own edge. The host places it (SetBounds),
// feeds it the view's range and its mouse events, and paints it; the setters
// only store, so the host repaints after them, while presses, drags and
// repeats repaint the host themselves.
class TWindowScrollBar {
 public:
  // The platform's scroll bar width (height for a horizontal bar).
  static constexpr int kThickness = 16;
  static constexpr int kMinThumb = 8;
  static constexpr unsigned kRepeatDelay = 400;    // ms before the first repeat
  static constexpr unsigned kRepeatInterval = 50;  // ms between repeats
  // The strip a bar of `Kind` takes inside `Client`: along its right edge for
  // a vertical bar, its bottom edge for a horizontal one.
  static TRect EdgeStrip(const TRect& Client, TScrollBarKind Kind);
  // Code is what the user did; ScrollPos comes in as the position the bar
  // proposes and is taken (clamped) as the new Position when the handler returns.
  using TScrollNotify = std::function<void(TScrollCode Code, int64_t& ScrollPos)>;

  // Host is the control the bar is drawn in: it is repainted when the bar changes.
  TWindowScrollBar(TControl* Host, TScrollBarKind Kind);
  ~TWindowScrollBar();
  TWindowScrollBar(const TWindowScrollBar&) = delete;
  TWindowScrollBar& operator=(const TWindowScrollBar&) = delete;

  TScrollBarKind Kind() const { return FKind; }
  void SetKind(TScrollBarKind v);
  bool Vertical() const { return FKind == sbVertical; }

  // Where the bar lies in the host; empty while it is not shown.
  TRect Bounds() const { return FBounds; }
  void SetBounds(const TRect& r);
  bool Shown() const { return !FBounds.IsEmpty(); }

  int64_t Min() const { return FMin; }
  int64_t Max() const { return FMax; }
  int64_t PageSize() const { return FPage; }
  int64_t Position() const { return FPosition; }
  // Sets range, page and position at once (the position clamped into the
  // range). Hosts set these as their view changes, often while they paint.
  void SetParams(int64_t APosition, int64_t AMin, int64_t AMax, int64_t APage);
  // Clamps to Min..Max; true when the position changed (the host repaints).
  bool SetPosition(int64_t v);
  // For a list that scrolls by rows: Count rows of which Page show, the
  // position being the first row shown (0..Count - Page).
  void SetRows(int64_t Count, int64_t Page);
  // Scrolls the least that brings `Row` into the page; true when it moved.
  bool MakeRowVisible(int64_t Row);
  int64_t SmallChange() const { return FSmallChange; }
  void SetSmallChange(int64_t v) { FSmallChange = v < 1 ? 1 : v; }
  // 0: a page (PageSize) at a time.
  int64_t LargeChange() const { return FLargeChange; }
  void SetLargeChange(int64_t v) { FLargeChange = v < 0 ? 0 : v; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool v);
  // True when there is something to scroll: the thumb shows and presses act.
  bool Active() const { return FEnabled && FMax > FMin; }

  const TScrollNotify& OnScroll() const { return FOnScroll; }
  void SetOnScroll(TScrollNotify e) { FOnScroll = std::move(e); }

  // The rectangles of the parts as they are now.
  TScrollBarLayout Layout() const;
  TScrollBarPart HitTest(int X, int Y) const;
  // The position a thumb whose leading edge is at pixel `lead` along the bar
  // stands for (nearest, clamped to Min..Max).
  int64_t PositionAtThumb(int lead) const;
  void Paint(TCanvas* c) const;

  // Mouse events in the host's client coordinates. MouseDown is true when the
  // press fell on the bar (the host then leaves it alone); MouseMove and
  // MouseUp are true while the bar owns the press.
  bool MouseDown(int X, int Y);
  bool MouseMove(int X, int Y);
  bool MouseUp(int X, int Y);
  // The part held down (sbpNone when none).
  TScrollBarPart Pressed() const { return FPressed; }
  bool Dragging() const { return FPressed == sbpThumb; }
  // Scrolls as the keyboard asks (a line, a page, scTop, scBottom) through
  // OnScroll, then scEndScroll; nothing when there is nothing to scroll.
  void Scroll(TScrollCode Code);
  // Ends a press without a last step (the host lost the mouse, or hides the bar).
  void Cancel();

 private:
  TControl* FHost;
  TScrollBarKind FKind;
  TRect FBounds;
  int64_t FMin = 0, FMax = 0, FPage = 0, FPosition = 0;
  int64_t FSmallChange = 1, FLargeChange = 0;
  bool FEnabled = true;
  TScrollNotify FOnScroll;
  TScrollBarPart FPressed = sbpNone;
  TPoint FPointer{};            // the pointer while a part is held
  int FGrip = 0;                // pointer distance from the thumb's lead while dragging
  int64_t FTrackPos = 0;        // where the dragged thumb stands
  HWND FRepeatWnd = 0;          // the hidden window of the repeat timer
  bool FRepeatStarted = false;  // the first repeat came: the rest come quicker
  bool FCaptured = false;       // the host held the mouse capture when the press began

  int Along(int x, int y) const { return Vertical() ? y : x; }
  int Across() const;
  int Length() const;
  int ButtonLength() const;
  int ThumbLength(int track) const;
  // The rectangle covering pixels a..b along the bar.
  TRect Span(int a, int b) const;
  int64_t ThumbPosition() const { return Dragging() ? FTrackPos : FPosition; }
  void Step(TScrollCode code);  // a line or a page back or forward
  void Notify(TScrollCode code, int64_t pos);
  void StartRepeat();
  void StopRepeat();
  void RepeatTick();
  bool PressLost();
  void Repaint() const;
};

using TScrollEvent =
    std::function<void(TObject* Sender, TScrollCode ScrollCode, int64_t& ScrollPos)>;

// The stand-alone scroll bar control. Max is the last position of the content
// and PageSize the part the program shows of it, so Position reaches
// Max - PageSize + 1 at most (Max with no page), as the platform's bar does.
// Arrow keys step, Page Up/Down page, Home/End go to the ends.
class TScrollBar : public TCustomControl {
 public:
  explicit TScrollBar(TComponent* AOwner);

  TScrollBarKind Kind() const { return FBar.Kind(); }
  // Outside loading, a new kind swaps width and height.
  void SetKind(TScrollBarKind v);
  int64_t Min() const { return FMinValue; }
  void SetMin(int64_t v) { SetParams(Position(), v, FMaxValue); }
  int64_t Max() const { return FMaxValue; }
  void SetMax(int64_t v) { SetParams(Position(), FMinValue, v); }
  int64_t Position() const { return FBar.Position(); }
  void SetPosition(int64_t v) { SetParams(v, FMinValue, FMaxValue); }
  int64_t PageSize() const { return FBar.PageSize(); }
  void SetPageSize(int64_t v);  // 0 to the number of positions
  int64_t SmallChange() const { return FBar.SmallChange(); }
  void SetSmallChange(int64_t v) { FBar.SetSmallChange(v); }
  int64_t LargeChange() const { return FBar.LargeChange(); }
  void SetLargeChange(int64_t v) { FBar.SetLargeChange(v < 1 ? 1 : v); }
  // Max below Min is taken as Min; fires OnChange when the position moved.
  void SetParams(int64_t APosition, int64_t AMin, int64_t AMax);

  const TScrollEvent& OnScroll() const { return FOnScroll; }
  void SetOnScroll(TScrollEvent e) { FOnScroll = std::move(e); }
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent e) { FOnChange = std::move(e); }

  // The bar itself, for its layout.
  const TWindowScrollBar& Bar() const { return FBar; }
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  std::string ClassName() const override { return "TScrollBar"; }

 protected:
  // Runs after the position changed; fires OnChange.
  virtual void Change();
  void Paint() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void WMGetDlgCode(TMessage& Message) override;
  void CMEnabledChanged(TMessage& Message) override;

 private:
  TWindowScrollBar FBar;
  int64_t FMinValue = 0, FMaxValue = 100;
  TScrollEvent FOnScroll;
  TNotifyEvent FOnChange;
  void Apply(int64_t pos, int64_t min, int64_t max, int64_t page);
  void BarScrolled(TScrollCode code, int64_t& pos);
};

}  // namespace host
