/// @file
/// TNumIO2: an edit control for one number, with a caption, a framed text box,
/// optional up/down buttons, a unit text and an optional gauge bar along the
/// bottom that shows the value within RangeLow..RangeHigh and can be dragged.
///
/// The text buffer, not a stored number, is the control's state: Value reads the
/// buffer in the current input format (ZEL_NumIOFormat.h) every time. Every edit
/// must leave the buffer empty, "-", "+" or passing the format's check; a refused
/// edit is undone (with a beep when Beep is set).
///
/// Decimal separators: the control writes numbers with the separator its
/// DecPlaceSep setting accepts (the locale's one, ".", "," or, for "either", "."),
/// and the fixed-point check looks for that separator, so a buffer the control
/// writes always passes its own check and stays editable under every setting.
#pragma once

#include <functional>
#include <string>

#include "foundation/Zel_captionbox.h"
#include "foundation/Zel_zelbase.h"
#include "host/ui/Controls.h"
#include "host/ui/Windows.h"
#include "host/widgets/CaretBlinker.h"
#include "host/widgets/TextBuffer.h"
#include "numeric/ZEL_NumIOFormat.h"
#include "numeric/ZEL_NumIOLegacy.h"  // TNumIO, the older edit box of this unit

namespace zel {

/// Raised by the numeric input (integer overflow, no caret timer).
class EZELNumIO2Error : public EZELError {
 public:
  using EZELError::EZELError;
};

/// Called while the gauge is dragged, with the value under the mouse.
/// The user moved the gauge to GaugeValue (Shift as held).
using TOnGaugeChangeEvent =
    std::function<void(host::TObject* Sender, host::TShiftState Shift, double GaugeValue)>;

/// A numeric input box with a caret, optional step buttons and a bar gauge.
///
/// The caption, the alignments, the frame style, the colour scheme and the
/// mouse zone are those of every caption box (foundation/Zel_captionbox.h).
class TNumIO2 : public TCaptionBoxControl<host::TCustomControl> {
 public:
  /// Creates the control with its defaults; AOwner frees it.
  explicit TNumIO2(host::TComponent* AOwner);

  // --- value model
  ///@{
  /// The buffer. A write that is not empty and fails the format's check is
  /// ignored; otherwise caret and selection go to 0. OnChange does not fire.
  std::string Text() const { return FBuf.Text(); }
  void SetText(const std::string& s);
  ///@}
  ///@{
  /// The buffer read as a number in the input format; writing rewrites the buffer
  /// (see SetNioValue). GetNioValue and SetNioValue are the historical names.
  double Value() const { return GetNioValue(); }
  void SetValue(double v) { SetNioValue(v); }
  ///@}
  /// The same as Value().
  double GetNioValue() const;
  /// Rewrites the buffer in the current format; caret and selection stay (cut
  /// back to the new length). A NaN is ignored; infinities write the largest double.
  void SetNioValue(double v);
  /// The value rounded (halves to even); raises EZELNumIO2Error "integer
  /// overflow" outside the 32-bit range.
  int GetNioIntValue() const;
  /// The syntax check of the current input format.
  bool CheckValidity(const std::string& Instring) const;
  /// Whether Value lies outside RangeLow..RangeHigh (the box then shows the warn
  /// colours).
  bool OutOfRange() const;
  /// How the text is read and written (see TInFormat).
  TInFormat InputFormat() const { return FFormat.Format; }
  /// Reads the value in the old format and writes it back in the new one.
  void SetInputFormat(TInFormat f);
  ///@{
  /// Decimals of itFixPoint (default 2): below 1 ignored, above 15 made 15;
  /// a change reformats the buffer.
  int FixPointDecPlaces() const { return FFormat.FixPointDecPlaces; }
  void SetFixPointDecPlaces(int n);
  ///@}
  ///@{
  /// As FixPointDecPlaces.
  int SignificantDigits() const { return FFormat.SignificantDigits; }
  void SetSignificantDigits(int n);
  ///@}
  ///@{
  /// Which separators count; changing it (except to "either") converts the
  /// separators in the buffer to the new setting's character.
  TDecPSep DecPlaceSep() const { return FDecPlaceSep; }
  void SetDecPlaceSep(TDecPSep s);
  ///@}
  ///@{
  /// Raises RangeHigh along when needed.
  double RangeLow() const { return FRangeLow; }
  void SetRangeLow(double v);
  ///@}
  ///@{
  /// Lowers RangeLow along when needed.
  double RangeHigh() const { return FRangeHigh; }
  void SetRangeHigh(double v);
  ///@}

  // --- layout and look
  void SetLeftSpace(int v);  ///< 0..Width
  ///@{
  /// Width of the text box in pixels, outline included (default 80).
  int TextBoxWidth() const { return FTextBoxWidth; }
  void SetTextBoxWidth(int v);
  ///@}
  ///@{
  /// Background of the text box (default white).
  host::TColor ColorBoxBG() const { return FColorBoxBG; }
  void SetColorBoxBG(host::TColor c);
  ///@}
  ///@{
  /// Colour of the number (default black).
  host::TColor ColorBoxText() const { return FColorBoxText; }
  void SetColorBoxText(host::TColor c);
  ///@}
  ///@{
  /// Background of the zones outside the box (default clBtnFace).
  host::TColor ColorOutBG() const { return FColorOutBG; }
  void SetColorOutBG(host::TColor c);
  ///@}
  ///@{
  /// Box background and number colour while OutOfRange.
  host::TColor ColorWarnBG() const { return FColorWarnBG; }
  void SetColorWarnBG(host::TColor c);
  ///@}
  ///@{
  /// Colour of the number while OutOfRange (default red).
  host::TColor ColorWarnText() const { return FColorWarnText; }
  void SetColorWarnText(host::TColor c);
  ///@}

  // --- buttons
  ///@{
  /// Shows the two step buttons right of the box (default off).
  bool ButVisible() const { return FButVisible; }
  void SetButVisible(bool v);
  ///@}
  ///@{
  /// Draws the buttons raised (default on) instead of flat.
  bool But3D() const { return FBut3D; }
  void SetBut3D(bool v);
  ///@}
  ///@{
  /// Width of the buttons in pixels, 8..50 (default 18).
  int ButWidth() const { return FButWidth; }
  void SetButWidth(int v);
  ///@}
  ///@{
  /// Height of the two buttons together, 18..Height (default 28).
  int ButHeight() const { return FButHeight; }
  void SetButHeight(int v);
  ///@}
  ///@{
  /// Gap between the box and the buttons, 0..50 pixels (default 3).
  int ButSpace() const { return FButSpace; }
  void SetButSpace(int v);
  ///@}
  ///@{
  /// Face colour of the buttons (default clSilver).
  host::TColor ButColor() const { return FButColor; }
  void SetButColor(host::TColor c);
  ///@}
  ///@{
  /// Step of a button click when ButtonPivots is empty.
  double ButIncrem() const { return FButIncrem; }
  void SetButIncrem(double v) { FButIncrem = v; }
  ///@}
  /// Preferred values, ascending: when not empty, the buttons and the gauge move
  /// the value only to these.
  TDoubleArray ButtonPivots;

  // --- gauge
  ///@{
  /// Shows the gauge below the box (default off).
  bool GaugeVisible() const { return FGaugeVisible; }
  void SetGaugeVisible(bool v);
  ///@}
  ///@{
  /// 3..Height - GaugeTopMargin - 18.
  int GaugeHeight() const { return FGaugeHeight; }
  void SetGaugeHeight(int v);
  ///@}
  ///@{
  /// 10..Width - GaugeLeftMargin.
  int GaugeWidth() const { return FGaugeWidth; }
  void SetGaugeWidth(int v);
  ///@}
  ///@{
  /// 0..Width - GaugeWidth.
  int GaugeLeftMargin() const { return FGaugeLeftMargin; }
  void SetGaugeLeftMargin(int v);
  ///@}
  ///@{
  /// 0..Height - GaugeHeight - 18.
  int GaugeTopMargin() const { return FGaugeTopMargin; }
  void SetGaugeTopMargin(int v);
  ///@}
  ///@{
  /// Colour of the gauge's bar (default navy).
  host::TColor GaugeColor() const { return FGaugeColor; }
  void SetGaugeColor(host::TColor c);
  ///@}
  ///@{
  /// Colour of the gauge behind the bar (default clSilver).
  host::TColor GaugeColorBg() const { return FGaugeColorBg; }
  void SetGaugeColorBg(host::TColor c);
  ///@}
  ///@{
  /// Colour of the gauge's outline (default grey).
  host::TColor GaugeColorFrame() const { return FGaugeColorFrame; }
  void SetGaugeColorFrame(host::TColor c);
  ///@}
  ///@{
  /// The gauge's frame (default frLowered).
  TFrameStyle GaugeFrameStyle() const { return FGaugeFrameStyle; }
  void SetGaugeFrameStyle(TFrameStyle s);
  ///@}

  // --- behaviour
  ///@{
  /// Selection shown only while focused.
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool v);
  ///@}
  ///@{
  /// No editing (Ctrl+C still copies) and no caret.
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool v);
  ///@}
  ///@{
  /// The height follows the font (text height of "E0" + 6) at every paint.
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool v);
  ///@}
  ///@{
  /// System beep on refused keys.
  bool Beep() const { return FBeep; }
  void SetBeep(bool v) { FBeep = v; }
  ///@}
  /// Height at least 18; lowering it below ButHeight lowers ButHeight.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  // --- caret and selection (character indices into the buffer)
  ///@{
  /// Moves the caret there; raises SelEnd to it.
  int SelBegin() const { return FSelBegin; }
  void SetSelBegin(int v);
  ///@}
  ///@{
  /// Moves the caret there; lowers SelBegin to it.
  int SelEnd() const { return FSelEnd; }
  void SetSelEnd(int v);
  ///@}
  /// The caret's character index, and whether the blinking caret is shown now.
  ///@{
  int CaretPos() const { return FBuf.Caret(); }
  bool CaretVisible() const { return FBlinker.Visible(); }
  ///@}
  /// x of the gap before character i of the buffer.
  int CharPosToXCoords(int i);
  /// The character gap nearest to x.
  int XCoordsToCharPos(int x);

  /// Takes the focus and restarts the caret timer (unless ReadOnly).
  void SetFocus() override;
  /// Fires OnChange.
  void Changed();

  ///@{
  /// Raised when the user's editing changed the buffer (not for program writes).
  const host::TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(host::TNotifyEvent e) { FOnChange = std::move(e); }
  ///@}
  ///@{
  /// Raised while the user drags the gauge; see TOnGaugeChangeEvent.
  const TOnGaugeChangeEvent& OnGaugeChange() const { return FOnGaugeChange; }
  void SetOnGaugeChange(TOnGaugeChangeEvent e) { FOnGaugeChange = std::move(e); }
  ///@}

  /// From another TNumIO2: layout, texts, colours, frame, format settings, buffer,
  /// caret and selection, range and behaviour flags (not buttons, gauge,
  /// Enabled, Font or the events).
  void Assign(host::TPersistent* Source) override;
  /// Calls Dest->Assign(this) when Dest is of this class; else the host's assignment.
  void AssignTo(host::TPersistent* Dest) override;
  /// The class name, for the host's streaming and type checks.
  std::string ClassName() const override { return "TNumIO2"; }

  /// The hidden window the caret timer (id 1) runs on.
  host::HWND TimerWindow() const { return FBlinker.Handle(); }

  /// Where each part of the control goes, in client pixels, and which part a
  /// pointer position is over. Paint draws these rectangles; the mouse handlers
  /// test against them.
  struct TLayout {
    TCaptionBoxLayout Captions;  ///< the texts' row, the zones, the caption places
    int GaugeBand = 0;           ///< rows at the bottom taken by the gauge (g), 0 without
    host::TRect TextBox;         ///< the text box, outline included
    host::TRect TextClip;        ///< the number is clipped to this
    int TextX = 0;               ///< x of the buffer's first character
    int TextWidth = 0;           ///< of the whole buffer
    /// Rows of the caret and of the selection.
    ///@{
    int CaretTop = 0, CaretBottom = 0;
    ///@}
    host::TRect Buttons;  ///< both buttons, outline included
    int ButtonSplit = 0;  ///< half the button height: the divider is the row above
    /// Where a press steps (inside the outline).
    ///@{
    host::TRect UpButton, DownButton;
    ///@}
    host::TRect Gauge;  ///< the gauge, outline included
    int GaugeFill = 0;  ///< the bar covers Gauge.Left .. GaugeFill - 1
    int Height = 0;     ///< of the control

    /// A press at this row places the caret (0 < Y < H - g).
    bool InTextRows(int Y) const { return Y > 0 && Y < Height - GaugeBand; }
    /// A pointer at (X, Y) works the gauge: below the text rows, within the
    /// gauge's columns widened by `slack` on each side.
    bool OnGauge(int X, int Y, int slack) const {
      return GaugeBand > 0 && Y > Height - GaugeBand && X >= Gauge.Left - slack &&
             X <= Gauge.Right + slack;
    }
  };
  /// The layout for the current properties, font and buffer.
  TLayout Layout() { return ComputeLayout(TMeasureCanvas(Font()).Canvas()); }

 protected:
  /// The host control's paint, input and notification handlers, as
  /// this control answers them.
  ///@{
  void Paint() override;
  void CreateWnd() override;
  void KeyDown(host::Word& Key, host::TShiftState Shift) override;
  void KeyUp(host::Word& Key, host::TShiftState Shift) override;
  void MouseDown(host::TMouseButton Button, host::TShiftState Shift, int X, int Y) override;
  void MouseMove(host::TShiftState Shift, int X, int Y) override;
  void MouseUp(host::TMouseButton Button, host::TShiftState Shift, int X, int Y) override;
  void Click() override;
  void WMSetFocus(host::TMessage& Message) override;
  void WMGetDlgCode(host::TMessage& Message) override;
  ///@}

 private:
  // value model and settings (ZEL_NumIO.cpp)
  // The text and the caret. The selection is kept beside it because here it
  // does not follow the caret: moving the caret leaves the selected characters
  // selected, and the next typed character still replaces them.
  host::TTextBuffer FBuf;
  int FSelBegin = 0, FSelEnd = 0;
  TNumFormat FFormat;
  TDecPSep FDecPlaceSep = dpsEither;
  double FRangeLow = 0;
  double FRangeHigh = 1000;
  int FTextBoxWidth = 80;
  host::TColor FColorBoxBG = host::clWhite;
  host::TColor FColorBoxText = host::clBlack;
  host::TColor FColorOutBG = host::clBtnFace;
  host::TColor FColorWarnBG = 0x6088FFF0;
  host::TColor FColorWarnText = host::clRed;
  bool FButVisible = false;
  bool FBut3D = true;
  int FButWidth = 18;
  int FButHeight = 28;
  int FButSpace = 3;
  host::TColor FButColor = host::clSilver;
  double FButIncrem = 1.0;
  bool FGaugeVisible = false;
  int FGaugeHeight = 8;
  int FGaugeWidth = 82;
  int FGaugeLeftMargin = 35;
  int FGaugeTopMargin = 3;
  host::TColor FGaugeColor = host::RGB(0, 0, 128);
  host::TColor FGaugeColorBg = host::clSilver;
  host::TColor FGaugeColorFrame = host::RGB(128, 128, 128);
  TFrameStyle FGaugeFrameStyle = frLowered;
  bool FHideSelection = true;
  bool FReadOnly = false;
  bool FAutoSize = false;
  bool FBeep = false;
  bool FPaintSuppressed = true;  // until the window handle exists
  host::TNotifyEvent FOnChange;
  TOnGaugeChangeEvent FOnGaugeChange;
  // The format with the separators of the DecPlaceSep setting (the locale's
  // separator as it is now).
  TNumFormat Fmt() const;
  int Length() const;
  // Puts s in the buffer keeping caret and selection (cut back to its length).
  void RewriteBuffer(const std::string& s);

  // layout (ZEL_NumIO_layout.cpp)
  TLayout ComputeLayout(host::TCanvas* c);
  // x of the gap before character i, measured in c's font.
  int GapX(host::TCanvas* c, const TLayout& l, int i) const;
  // The character gap nearest to x.
  int CharPosAt(const TLayout& l, int x) const;

  // painting (ZEL_NumIO_paint.cpp)
  void PaintButtons(host::TCanvas* c, const TLayout& l);
  void PaintGauge(host::TCanvas* c, const TLayout& l);
  void PaintTextBox(host::TCanvas* c, const TLayout& l);
  void PaintCaretAndSelection(host::TCanvas* c, const TLayout& l);

  // input: keys, mouse and the caret timer (ZEL_NumIO_input.cpp)
  bool FGaugeChanged = false;
  bool FShiftDown = false, FCtrlDown = false;
  // The caret's window, its 500 ms ticks and whether it shows. The timer runs
  // from construction; a tick without the focus (or in ReadOnly) ends it.
  host::TCaretBlinker FBlinker{[this] { Redraw(); }};
  void RestartCaretTimer();
  std::string NoTimerMessage() const;
  void ClipboardKey(host::Word Key);
  void EditKey(host::Word Key, bool shift);
  // Removes the selected characters (caret to their start); false without a
  // selection. With zeroWhenEmpty an emptied buffer is written as the value 0.
  bool DeleteSelection(bool zeroWhenEmpty);
  char KeyChar(host::Word Key, bool shift) const;
  void ApplyFixPointOverwrite();
  void Refuse();
  double GaugeValueAt(const TLayout& l, int X) const;
  size_t NearestPivotIndex(double v) const;
  void StepButton(bool up);
};

}  // namespace zel
