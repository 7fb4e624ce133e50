// The control classes: TControl (position, look, mouse), TGraphicControl (no
// window, paints on its parent), TWinControl (children, focus, keys, a handle)
// and TCustomControl (a windowed control with a canvas).
//
// Every input reaches a control as a message through Perform -> WndProc, so a
// control can intercept any message by overriding WndProc or one of the message
// handlers (WMLButtonDown, CMMouseLeave, ...), and the protected hooks
// (MouseDown, KeyDown, Click, ...) are called from those handlers.
//
// Canvases: a control's canvas draws straight into its form's framebuffer, with
// the origin at the control's top-left and a clip of the control's visible part,
// so a graphic control painted with cmSrcAnd really shows its parent through.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/gfx/Graphics.h"
#include "host/input/Input.h"
#include "host/ui/Component.h"
#include "host/ui/Messages.h"

namespace host {

class TWinControl;
class TForm;
class TPopupMenu;  // the widget layer defines it; controls only hold the slot
class TControl;

namespace detail {
void PaintTree(TWinControl* w, const TRect& clip);
}

// Shows a control's popup menu at a screen point. The widget layer, which
// defines TPopupMenu, installs it; until then right clicks show nothing.
using TPopupHandler = std::function<void(TPopupMenu* Menu, TControl* Sender, int X, int Y)>;
void SetPopupMenuHandler(TPopupHandler handler);

enum TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind : uint8_t { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = uint8_t;
enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
enum TVerticalAlignment : uint8_t { taAlignTop, taAlignBottom, taVerticalCenter };
enum TStyleElement : uint8_t { seFont = 1, seClient = 2, seBorder = 4 };
using TStyleElements = uint8_t;
// Border of forms and of the bordered widgets (panels, edits use bsNone/bsSingle).
enum TFormBorderStyle : uint8_t {
  bsNone,
  bsSingle,
  bsSizeable,
  bsDialog,
  bsToolWindow,
  bsSizeToolWin
};
using TBorderStyle = TFormBorderStyle;

// Reading order and alignment of text; only left to right is drawn here.
enum TBiDiMode : uint8_t {
  bdLeftToRight,
  bdRightToLeft,
  bdRightToLeftNoAlign,
  bdRightToLeftReadingOnly
};
enum TDragKind : uint8_t { dkDrag, dkDock };
enum TDragMode : uint8_t { dmManual, dmAutomatic };
using THelpContext = int;
// Bevels: the cut of a bevel line, the look of a windowed control's bevelled
// edge and which of its edges have one.
enum TBevelCut : uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
enum TBevelKind : uint8_t { bkNone, bkTile, bkSoft, bkFlat };
enum TBevelEdge : uint8_t { beLeft = 1, beTop = 2, beRight = 4, beBottom = 8 };
using TBevelEdges = uint8_t;
using TBevelWidth = int;

// The smallest and largest size a control may take; 0 is no limit. A maximum
// set below its minimum pulls the minimum down with it, a minimum set above
// the maximum pushes the maximum up, so the pair always allows some size.
class TSizeConstraints : public TPersistent {
 public:
  int MinWidth() const { return FMinWidth; }
  void SetMinWidth(int v);
  int MinHeight() const { return FMinHeight; }
  void SetMinHeight(int v);
  int MaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(int v);
  int MaxHeight() const { return FMaxHeight; }
  void SetMaxHeight(int v);
  // A width or height brought inside the limits.
  int ConstrainWidth(int w) const { return Constrain(w, FMinWidth, FMaxWidth); }
  int ConstrainHeight(int h) const { return Constrain(h, FMinHeight, FMaxHeight); }
  // Runs after every change (the control applies the new limits).
  void SetOnChange(TNotifyEvent e) { FOnChange = std::move(e); }
  void Assign(TPersistent* Source) override;
  std::string ClassName() const override { return "TSizeConstraints"; }

 private:
  int FMinWidth = 0, FMinHeight = 0, FMaxWidth = 0, FMaxHeight = 0;
  TNotifyEvent FOnChange;
  static int Constrain(int v, int lo, int hi);
  void SetLimit(int& limit, int v, int& other, bool isMax);
  void Change();
};

// A property a control can take from its parent (ShowHint, BiDiMode, Ctl3D):
// the value, its Parent* flag, and the message that makes a child follow.
template <class T>
struct TFollowed {
  T Value;
  bool FromParent;
  unsigned ChildMessage;
};

// How a control takes part in the mouse and paint machinery.
enum TControlStyleFlag : uint16_t {
  csAcceptsControls = 1 << 0,  // may be a parent at design time
  csCaptureMouse = 1 << 1,     // takes the mouse capture on a button press
  csClickEvents = 1 << 2,      // a press and release inside it is a Click
  csDoubleClicks = 1 << 3,     // a second quick press is a double click
  csOpaque = 1 << 4,           // paints every pixel: no background erase
  csFramed = 1 << 5,
  csSetCaption = 1 << 6,  // the name becomes the caption while they are equal
  csNoStdEvents = 1 << 7,
};
using TControlStyle = uint16_t;
// Transient control state.
enum TControlStateFlag : uint16_t {
  csLButtonDown = 1 << 0,
  csClicked = 1 << 1,
  csFocusing = 1 << 2
};
using TControlState = uint16_t;

// A mouse message unpacked.
struct TWMMouse {
  unsigned Msg = 0;
  WPARAM Keys = 0;  // MK_ flags
  int XPos = 0;
  int YPos = 0;
  LRESULT Result = 0;
  explicit TWMMouse(const TMessage& m)
      : Msg(m.Msg), Keys(m.WParam), XPos(LParamX(m.LParam)), YPos(LParamY(m.LParam)) {}
};

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta,
                                            TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent =
    std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
// A right click asks for a context menu at MousePos, in the control's client
// coordinates; a handler that sets Handled shows its own menu or none, and no
// popup menu of the control or its parents opens.
using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;
// Key is one Unicode character; a handler sets it to 0 to swallow the key.
using TKeyPressEvent = std::function<void(TObject* Sender, char32_t& Key)>;

// Base of every visible control.
class TControl : public TComponent {
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
  void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
  void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
  void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
  // Every change of position or size goes through here (negative sizes become 0).
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect BoundsRect() const { return Rect(FLeft, FTop, FLeft + FWidth, FTop + FHeight); }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
  virtual TRect ClientRect() const { return Rect(0, 0, FWidth, FHeight); }
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  void SetClientWidth(int w) { SetWidth(FWidth - ClientWidth() + w); }
  void SetClientHeight(int h) { SetHeight(FHeight - ClientHeight() + h); }

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign a);
  // Kept edges: with akRight (and no akLeft) the control follows its parent's
  // right edge; with both it stretches. Same for top/bottom.
  TAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TAnchors a) { FAnchors = a; }

  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible here and in every parent up to a form that is shown.
  bool Showing() const;
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool e);

  // The font; ParentFont (default on) makes it follow the parent's font, and
  // assigning a font switches ParentFont off.
  TFont* Font() { return &FFont; }
  void SetFont(TFont* f) { FFont.Assign(f); }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool v);
  TColor Color() const { return FColor; }
  virtual void SetColor(TColor c);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool v);

  // Limits SetBounds applies to every size the control is given.
  TSizeConstraints* Constraints() { return &FConstraints; }
  void SetConstraints(TSizeConstraints* c) { FConstraints.Assign(c); }

  // --- stored only: kept and read back for the forms that set them, without
  // an effect here (text runs left to right, there is no drag and drop and no
  // help system). ParentBiDiMode follows the parent as ParentFont does.
  TBiDiMode BiDiMode() const { return FBiDiMode.Value; }
  void SetBiDiMode(TBiDiMode v) { SetOwnValue(FBiDiMode, v); }
  bool ParentBiDiMode() const { return FBiDiMode.FromParent; }
  void SetParentBiDiMode(bool v) { SetFollowing(FBiDiMode, v); }
  TCursor DragCursor() const { return FDragCursor; }
  void SetDragCursor(TCursor v) { FDragCursor = v; }
  TDragKind DragKind() const { return FDragKind; }
  void SetDragKind(TDragKind v) { FDragKind = v; }
  TDragMode DragMode() const { return FDragMode; }
  void SetDragMode(TDragMode v) { FDragMode = v; }
  THelpContext HelpContext() const { return FHelpContext; }
  void SetHelpContext(THelpContext v) { FHelpContext = v; }

  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& h) { FHint = h; }
  bool ShowHint() const { return FShowHint.Value; }
  void SetShowHint(bool v) { SetOwnValue(FShowHint, v); }
  bool ParentShowHint() const { return FShowHint.FromParent; }
  void SetParentShowHint(bool v) { SetFollowing(FShowHint, v); }
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor c);
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* m) { FPopupMenu = m; }
  TStyleElements StyleElements() const { return FStyleElements; }
  void SetStyleElements(TStyleElements s);
  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle s) { FControlStyle = s; }
  TControlState ControlState() const { return FControlState; }
  // The text of the control (a caption for labels and buttons).
  const std::string& Text() const { return FText; }
  void SetText(const std::string& s);
  const std::string& Caption() const { return FText; }
  void SetCaption(const std::string& s) { SetText(s); }
  void SetName(const std::string& n) override;

  // Marks the control's area for painting on the next loop turn.
  virtual void Invalidate();
  // Paints the pending parts of the form now.
  virtual void Update();
  // Invalidate and Update: the control is on screen when it returns.
  virtual void Repaint();
  void Refresh() { Repaint(); }
  // Sends a message to the control's window procedure and returns its result.
  LRESULT Perform(unsigned Msg, WPARAM WParam = 0, LPARAM LParam = 0);
  virtual void WndProc(TMessage& Message);

  TPoint ClientOrigin() const;  // the client's top-left in screen coordinates
  TPoint ClientToScreen(TPoint p) const;
  TPoint ScreenToClient(TPoint p) const;
  // The control's visible part in its form's client coordinates (empty when
  // not on a form or hidden behind the parents' edges).
  TRect VisibleRectInForm() const;
  void BringToFront();
  void SendToBack();
  bool MouseCapture() const;
  void SetMouseCapture(bool on);

  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent e) { FOnClick = std::move(e); }
  const TNotifyEvent& OnDblClick() const { return FOnDblClick; }
  void SetOnDblClick(TNotifyEvent e) { FOnDblClick = std::move(e); }
  const TMouseEvent& OnMouseDown() const { return FOnMouseDown; }
  void SetOnMouseDown(TMouseEvent e) { FOnMouseDown = std::move(e); }
  const TMouseMoveEvent& OnMouseMove() const { return FOnMouseMove; }
  void SetOnMouseMove(TMouseMoveEvent e) { FOnMouseMove = std::move(e); }
  const TMouseEvent& OnMouseUp() const { return FOnMouseUp; }
  void SetOnMouseUp(TMouseEvent e) { FOnMouseUp = std::move(e); }
  const TMouseWheelEvent& OnMouseWheel() const { return FOnMouseWheel; }
  void SetOnMouseWheel(TMouseWheelEvent e) { FOnMouseWheel = std::move(e); }
  const TMouseWheelUpDownEvent& OnMouseWheelDown() const { return FOnMouseWheelDown; }
  void SetOnMouseWheelDown(TMouseWheelUpDownEvent e) { FOnMouseWheelDown = std::move(e); }
  const TMouseWheelUpDownEvent& OnMouseWheelUp() const { return FOnMouseWheelUp; }
  void SetOnMouseWheelUp(TMouseWheelUpDownEvent e) { FOnMouseWheelUp = std::move(e); }
  const TNotifyEvent& OnMouseEnter() const { return FOnMouseEnter; }
  void SetOnMouseEnter(TNotifyEvent e) { FOnMouseEnter = std::move(e); }
  const TNotifyEvent& OnMouseLeave() const { return FOnMouseLeave; }
  void SetOnMouseLeave(TNotifyEvent e) { FOnMouseLeave = std::move(e); }
  const TContextPopupEvent& OnContextPopup() const { return FOnContextPopup; }
  void SetOnContextPopup(TContextPopupEvent e) { FOnContextPopup = std::move(e); }
  const TNotifyEvent& OnResize() const { return FOnResize; }
  void SetOnResize(TNotifyEvent e) { FOnResize = std::move(e); }

  // Wheel handling: OnMouseWheel, then DoMouseWheelDown/Up; true when handled.
  // The loop offers the wheel to the focused control and then its parents.
  virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);

  std::string ClassName() const override { return "TControl"; }

 protected:
  // Draws the control. Called by the loop (clipped to the invalid part) or
  // directly by the control to draw at once.
  virtual void Paint() {}
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void Click();
  virtual void DblClick();
  virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
  virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
  virtual void Resize();
  // Asked, from the clicked control up to the form, before a popup menu opens:
  // fires OnContextPopup. A control that deals with right clicks itself (an
  // internal menu, a right-button gesture) overrides it to set Handled, so its
  // parents' menus stay shut.
  virtual void DoContextPopup(TPoint MousePos, bool& Handled);

  // Message handlers; each default does what the platform does and calls the hooks.
  virtual void WMLButtonDown(TWMMouse& Message);
  virtual void WMLButtonUp(TWMMouse& Message);
  virtual void WMLButtonDblClk(TWMMouse& Message);
  virtual void WMRButtonDown(TWMMouse& Message);
  virtual void WMRButtonUp(TWMMouse& Message);
  virtual void WMMButtonDown(TWMMouse& Message);
  virtual void WMMButtonUp(TWMMouse& Message);
  virtual void WMMouseMove(TWMMouse& Message);
  virtual void CMMouseEnter(TMessage& Message);
  virtual void CMMouseLeave(TMessage& Message);
  virtual void CMEnabledChanged(TMessage& Message) { Invalidate(); }
  virtual void CMVisibleChanged(TMessage& Message) {}
  virtual void CMColorChanged(TMessage& Message) { Invalidate(); }
  // The font changed: set by the program, assigned, or following the parent
  // (ParentFont). This is where a control reacts to its font (re-measures,
  // rebuilds what it derives from it); the font's own OnChange belongs to the
  // control, which turns it into this message. Overrides call the base: it
  // repaints and, for a windowed control, lets the children follow.
  virtual void CMFontChanged(TMessage& Message) { Invalidate(); }
  virtual void CMTextChanged(TMessage& Message) { Invalidate(); }
  virtual void CMParentFontChanged(TMessage& Message);
  virtual void CMParentColorChanged(TMessage& Message);
  virtual void CMParentShowHintChanged(TMessage& Message);
  virtual void CMParentBiDiModeChanged(TMessage& Message);
  // Right click (LParam: the screen point): from this control up, the first
  // that handles DoContextPopup or has a PopupMenu ends the search; the menu
  // opens with this control as its sender. Result 1 once handled; a handler
  // that has already set a non-zero Result keeps every menu shut.
  virtual void WMContextMenu(TMessage& Message);
  // Messages no handler took.
  virtual void DefaultHandler(TMessage& Message) {}

  // Binds `canvas` to the form's framebuffer at this control's place; used by the
  // controls' Canvas() accessors.
  void PrepareCanvas(TCanvas& canvas) const;
  void SetControlStateFlag(TControlStateFlag f, bool on);

  TForm* FormOf() const;  // the form the control is on, or nullptr

 private:
  friend class TWinControl;
  friend class TForm;
  friend class TApplication;
  friend void detail::PaintTree(TWinControl* w, const TRect& clip);
  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  TAlign FAlign = alNone;
  TAnchors FAnchors = akLeft | akTop;
  bool FVisible = true;
  bool FEnabled = true;
  TFont FFont;
  bool FParentFont = true;
  bool FChangingFontFromParent = false;
  TColor FColor = clWindow;
  bool FParentColor = false;
  std::string FHint;
  TFollowed<bool> FShowHint{false, true, CM_PARENTSHOWHINTCHANGED};
  TCursor FCursor = crDefault;
  TSizeConstraints FConstraints;
  TFollowed<TBiDiMode> FBiDiMode{bdLeftToRight, true, CM_PARENTBIDIMODECHANGED};
  TCursor FDragCursor = crDrag;
  TDragKind FDragKind = dkDrag;
  TDragMode FDragMode = dmManual;
  THelpContext FHelpContext = 0;
  TPopupMenu* FPopupMenu = nullptr;
  TStyleElements FStyleElements = seFont | seClient | seBorder;
  TControlStyle FControlStyle = csCaptureMouse | csClickEvents | csDoubleClicks;
  TControlState FControlState = 0;
  std::string FText;
  TNotifyEvent FOnClick, FOnDblClick, FOnMouseEnter, FOnMouseLeave, FOnResize;
  TMouseEvent FOnMouseDown, FOnMouseUp;
  TMouseMoveEvent FOnMouseMove;
  TMouseWheelEvent FOnMouseWheel;
  TMouseWheelUpDownEvent FOnMouseWheelDown, FOnMouseWheelUp;
  TContextPopupEvent FOnContextPopup;

  void Dispatch(TMessage& Message);
  void DispatchMouse(TMessage& Message);
  void DoMouseDown(TWMMouse& Message, TMouseButton Button, TShiftState Extra);
  void DoMouseUp(TWMMouse& Message, TMouseButton Button);
  void FontChanged();
  void RequestAlign();
  // The three ways a followed property changes: the control sets its own
  // value, switches following on or off, or takes its parent's value (`get`
  // reads it from the parent). Every change tells the children.
  template <class T>
  void SetOwnValue(TFollowed<T>& p, T v) {
    p.FromParent = false;
    StoreFollowed(p, v);
  }
  template <class T>
  void SetFollowing(TFollowed<T>& p, bool on) {
    p.FromParent = on;
    if (on && FParent) Perform(p.ChildMessage);
  }
  template <class T, class Get>
  void FollowParent(TFollowed<T>& p, Get get) {
    if (p.FromParent && FParent) StoreFollowed(p, T(std::invoke(get, *FParent)));
  }
  template <class T>
  void StoreFollowed(TFollowed<T>& p, T v) {
    if (p.Value == v) return;
    p.Value = v;
    NotifyFollowers(p.ChildMessage);
  }
  void NotifyFollowers(unsigned childMessage);
};

// A control without a window: it paints on its parent's surface.
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  // The canvas, bound to the form's framebuffer at this control's place and
  // clipped to its visible part (further clipped while the loop paints).
  TCanvas* Canvas() const;
  std::string ClassName() const override { return "TGraphicControl"; }

 private:
  std::unique_ptr<TCanvas> FCanvas;
};

// A control with a window: children, focus and keyboard input.
class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* AOwner);
  // Destroys the child controls too, as the platform does.
  ~TWinControl() override;

  int ControlCount() const { return int(FControls.size()); }
  TControl* Controls(int i) const;  // in z-order, bottom first; nullptr out of range
  void InsertControl(TControl* c);
  void RemoveControl(TControl* c);
  bool ContainsControl(const TControl* c) const;  // c is this or a descendant
  // The child (deepest with AllLevels) at client point p that is visible and,
  // unless AllowDisabled, enabled; nullptr when none.
  TControl* ControlAtPos(TPoint p, bool AllowDisabled, bool AllLevels = false) const;
  // Sends the message to every child until one sets a non-zero Result.
  void Broadcast(TMessage& Message);
  // Lays out the aligned children in the client area.
  virtual void Realign();

  // --- window handle
  // Creates the handle on first use (CreateWnd runs once).
  HWND Handle();
  bool HandleAllocated() const { return FHandle != 0; }
  void HandleNeeded() { Handle(); }

  // --- focus
  virtual bool CanFocus() const;
  bool Focused() const;
  virtual void SetFocus();
  int TabOrder() const;
  void SetTabOrder(int v);
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool v) { FTabStop = v; }
  // The next (or previous) focusable control after `current` among this
  // control's descendants in tab order, wrapping; nullptr when there is none.
  TWinControl* FindNextControl(TWinControl* current, bool GoForward, bool CheckTabStop) const;
  // Moves the focus as Tab (GoForward) or Shift+Tab does.
  void SelectNext(TWinControl* current, bool GoForward, bool CheckTabStop);
  // Descendants in tab order: each child followed by its own descendants.
  void GetTabOrderList(std::vector<TWinControl*>& list) const;

  // --- stored only: the 3-D look and the bevelled edge are kept and read back
  // for the forms that set them; the widgets draw their own look. ParentCtl3D
  // follows the parent as ParentFont does.
  bool Ctl3D() const { return FCtl3D.Value; }
  void SetCtl3D(bool v) { SetOwnValue(FCtl3D, v); }
  bool ParentCtl3D() const { return FCtl3D.FromParent; }
  void SetParentCtl3D(bool v) { SetFollowing(FCtl3D, v); }
  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut v) { FBevelInner = v; }
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut v) { FBevelOuter = v; }
  TBevelKind BevelKind() const { return FBevelKind; }
  void SetBevelKind(TBevelKind v) { FBevelKind = v; }
  TBevelWidth BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(TBevelWidth v) { FBevelWidth = v < 1 ? 1 : v; }
  TBevelEdges BevelEdges() const { return FBevelEdges; }
  void SetBevelEdges(TBevelEdges v) { FBevelEdges = v; }

  bool DoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool v) { FDoubleBuffered = v; }
  // On: the parent's background shows instead of this control's Color.
  bool ParentBackground() const { return FParentBackground; }
  void SetParentBackground(bool v);

  const TNotifyEvent& OnEnter() const { return FOnEnter; }
  void SetOnEnter(TNotifyEvent e) { FOnEnter = std::move(e); }
  const TNotifyEvent& OnExit() const { return FOnExit; }
  void SetOnExit(TNotifyEvent e) { FOnExit = std::move(e); }
  const TKeyEvent& OnKeyDown() const { return FOnKeyDown; }
  void SetOnKeyDown(TKeyEvent e) { FOnKeyDown = std::move(e); }
  const TKeyPressEvent& OnKeyPress() const { return FOnKeyPress; }
  void SetOnKeyPress(TKeyPressEvent e) { FOnKeyPress = std::move(e); }
  const TKeyEvent& OnKeyUp() const { return FOnKeyUp; }
  void SetOnKeyUp(TKeyEvent e) { FOnKeyUp = std::move(e); }

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetParent(TWinControl* AParent) override;
  void SetVisible(bool v) override;
  void SetEnabled(bool e) override;
  void WndProc(TMessage& Message) override;
  std::string ClassName() const override { return "TWinControl"; }

 protected:
  // Creates the window; runs once, when the handle is first needed (at the
  // latest when the control shows on a shown form). Overrides call the base first.
  virtual void CreateWnd();
  // Releases the window; runs when the control is destroyed.
  virtual void DestroyWnd();
  // Key hooks. KeyDown fires OnKeyDown; a hook that sets Key to 0 swallows it.
  virtual void KeyDown(Word& Key, TShiftState Shift);
  virtual void KeyPress(char32_t& Key);
  virtual void KeyUp(Word& Key, TShiftState Shift);
  virtual void DoEnter();
  virtual void DoExit();
  // Paints this window's own part: erases the background with Color (unless
  // csOpaque or ParentBackground), then Paint.
  virtual void PaintWindow();

  virtual void WMKeyDown(TMessage& Message);
  virtual void WMKeyUp(TMessage& Message);
  virtual void WMChar(TMessage& Message);
  virtual void WMSetFocus(TMessage& Message) {}
  virtual void WMKillFocus(TMessage& Message) {}
  virtual void WMTimer(TMessage& Message) {}
  // The keys this control wants (DLGC_ flags); 0 lets Tab and the arrows move
  // the focus and Return/Escape go to the form.
  virtual void WMGetDlgCode(TMessage& Message) { Message.Result = 0; }
  virtual void CMEnter(TMessage& Message) { DoEnter(); }
  virtual void CMExit(TMessage& Message) { DoExit(); }
  void CMFontChanged(TMessage& Message) override;
  void CMColorChanged(TMessage& Message) override;
  void CMEnabledChanged(TMessage& Message) override;
  virtual void CMParentCtl3DChanged(TMessage& Message);

  // Form key preview: true when the form's handlers swallowed the key.
  bool PreviewKeyDown(Word& Key, TShiftState Shift);

 private:
  friend class TControl;
  friend class TForm;
  friend class TApplication;
  friend void detail::PaintTree(TWinControl* w, const TRect& clip);
  std::vector<TControl*> FControls;    // z-order
  std::vector<TWinControl*> FTabList;  // tab order
  HWND FHandle = 0;
  bool FTabStop = false;
  bool FDoubleBuffered = false;
  bool FParentBackground = false;
  bool FAligning = false;
  TFollowed<bool> FCtl3D{true, true, CM_PARENTCTL3DCHANGED};
  TBevelCut FBevelInner = bvRaised;
  TBevelCut FBevelOuter = bvLowered;
  TBevelKind FBevelKind = bkNone;
  TBevelWidth FBevelWidth = 1;
  TBevelEdges FBevelEdges = beLeft | beTop | beRight | beBottom;
  TNotifyEvent FOnEnter, FOnExit;
  TKeyEvent FOnKeyDown, FOnKeyUp;
  TKeyPressEvent FOnKeyPress;
  void AlignControls();
  void AnchorChildren(int dw, int dh);
  void NotifyChildren(unsigned msg);
  void CreateChildHandles();
  void ReleaseFocusWithin();
};

// A windowed control that paints itself on its own canvas.
class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  TCanvas* Canvas() const;
  std::string ClassName() const override { return "TCustomControl"; }

 private:
  std::unique_ptr<TCanvas> FCanvas;
};

// The form a control is on (its top-level parent if that is a form), or nullptr.
TForm* GetParentForm(const TControl* c);

}  // namespace host
