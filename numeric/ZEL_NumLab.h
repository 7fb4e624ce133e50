/// @file
/// TNumLab: a read-only label showing one number in a framed box, with a caption
/// to its left and a unit text to its right.
#pragma once

#include <functional>
#include <string>

#include "foundation/Zel_captionbox.h"
#include "foundation/Zel_zelbase.h"
#include "host/ui/Controls.h"
#include "numeric/ZEL_NumText.h"

namespace zel {

/// Last chance for the application to change the number text before it is shown.
using TBeforeDisplayEvent = std::function<void(host::TObject* Sender, std::string& Text)>;

/// The label's layout has three zones from its left edge: the left text
/// (0..LeftSpace), the number box (LeftSpace..LeftSpace + LabelWidth) and the right
/// text (the rest). Every setter repaints at once. The number text of each display
/// type is described at TDisplay (ZEL_NumText.h). The captions, alignments, frame
/// style, colour scheme and mouse zone are those of every caption box
/// (foundation/Zel_captionbox.h).
class TNumLab : public TCaptionBoxControl<host::TGraphicControl> {
 public:
  /// Creates the control with its defaults; AOwner frees it.
  explicit TNumLab(host::TComponent* AOwner);

  ///@{
  /// The number shown (default 0); a day count for dtDateTime.
  double Value() const { return FValue; }
  void SetValue(double v);
  ///@}
  ///@{
  /// How Value becomes text (default dtFixP); see TDisplay.
  TDisplay DisplayType() const { return FText.DisplayType; }
  void SetDisplayType(TDisplay t);
  ///@}
  ///@{
  /// Decimals (dtFixP), significant digits (dtFloat), digits in all (dtExp);
  /// negative values are ignored, values above 15 become 15.
  int Precision() const { return FText.Precision; }
  void SetPrecision(int p);
  ///@}
  ///@{
  /// Writes "," instead of "." as the decimal separator (default off; not for
  /// dtHex, dtDateTime, dtState, dtBin).
  bool Comma() const { return FText.Comma; }
  void SetComma(bool c);
  ///@}
  ///@{
  /// Puts a "+" before positive values (default off; same display types as Comma).
  bool ForcePlusSign() const { return FText.ForcePlusSign; }
  void SetForcePlusSign(bool f);
  ///@}
  ///@{
  /// Draws the box without a number (and without asking OnBeforeDisplay).
  bool Empty() const { return FEmpty; }
  void SetEmpty(bool e);
  ///@}
  ///@{
  /// Shown instead of a number wider than the box (not for dtState).
  const std::string& OverflowIndicator() const { return FText.OverflowIndicator; }
  void SetOverflowIndicator(const std::string& s);
  ///@}
  ///@{
  /// The text dtState shows (default "undefined").
  const std::string& StateText() const { return FText.StateText; }
  void SetStateText(const std::string& s);
  ///@}
  ///@{
  /// The date-time format of dtDateTime (default "mmm-dd, yyyy").
  const std::string& DTFormat() const { return FText.DTFormat; }
  void SetDTFormat(const std::string& s);
  ///@}
  /// Width of the left-text zone: negative values are ignored, larger than the
  /// control's width is cut to the width.
  void SetLeftSpace(int v);
  ///@{
  /// Width of the number box in pixels, frame included (default 80).
  int LabelWidth() const { return FLabelWidth; }
  void SetLabelWidth(int v);
  ///@}
  ///@{
  /// Colour of the number (default clBlack).
  host::TColor ColorLabText() const { return FColorLabText; }
  void SetColorLabText(host::TColor c);
  ///@}
  ///@{
  /// Background of the number box (default clBtnFace).
  host::TColor ColorLabBakG() const { return FColorLabBakG; }
  void SetColorLabBakG(host::TColor c);
  ///@}
  ///@{
  /// Background of the zones outside the box (default clBtnFace).
  host::TColor ColorOutBakG() const { return FColorOutBakG; }
  void SetColorOutBakG(host::TColor c);
  ///@}
  ///@{
  /// The zones outside the box show the parent (the label is ANDed onto it).
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool t);
  ///@}

  ///@{
  /// Offered the number text before every paint; see TBeforeDisplayEvent.
  const TBeforeDisplayEvent& OnBeforeDisplay() const { return FOnBeforeDisplay; }
  void SetOnBeforeDisplay(TBeforeDisplayEvent e) { FOnBeforeDisplay = std::move(e); }
  ///@}

  /// The text the box shows now: the display type's text, offered to
  /// OnBeforeDisplay, replaced by OverflowIndicator when wider than LabelWidth - 6.
  /// Empty when Empty is set.
  std::string DisplayText();

  /// Where each part of the label goes, in the control's client pixels.
  struct TLayout {
    TCaptionBoxLayout Captions;  ///< the texts' row, the zones, the caption places
    host::TRect Box;             ///< the number box, frame included (DrawFrame's box)
    host::TRect TextClip;        ///< the number is clipped to this
    /// Filled on the parent before a transparent label is ANDed onto it, so that
    /// the box stays opaque.
    host::TRect Underlay;
  };
  /// The layout for the current properties and font (what Paint draws and the
  /// mouse zones use).
  TLayout Layout() { return ComputeLayout(TMeasureCanvas(Font()).Canvas()); }

  /// From another TNumLab: the layout, texts, colours, frame, value and display
  /// type (not Comma, ForcePlusSign, DTFormat, Enabled, Font or the event).
  void Assign(host::TPersistent* Source) override;
  /// Calls Dest->Assign(this) when Dest is of this class; else the host's assignment.
  void AssignTo(host::TPersistent* Dest) override;
  /// The class name, for the host's streaming and type checks.
  std::string ClassName() const override { return "TNumLab"; }

 protected:
  /// The host control's paint, input and notification handlers, as
  /// this control answers them.
  ///@{
  void Paint() override;
  void MouseMove(host::TShiftState Shift, int X, int Y) override;
  ///@}

 private:
  // settings (ZEL_NumLab.cpp)
  double FValue = 0;
  TNumTextSettings FText;
  bool FEmpty = false;
  int FLabelWidth = 80;
  host::TColor FColorLabText = host::clBlack;
  host::TColor FColorLabBakG = host::clBtnFace;
  host::TColor FColorOutBakG = host::clBtnFace;
  bool FTransparent = false;
  TBeforeDisplayEvent FOnBeforeDisplay;
  std::string DisplayText(host::TCanvas* c);

  // layout (ZEL_NumLab_layout.cpp)
  TLayout ComputeLayout(host::TCanvas* c);

  // painting (ZEL_NumLab_paint.cpp)
  // Visual styles are on for the background (client) or for the texts (font).
  bool StyledClient() const;
  bool StyledFont() const;
  void PaintCaption(host::TCanvas* c, const std::string& s, TCaptionPlace at, int y);
  void PaintNumberBox(host::TCanvas* c, const TLayout& l);
  void PaintNumber(host::TCanvas* c, const TLayout& l);
  void CopyToScreen(host::TBitmap& bmp, const TLayout& l);
};

}  // namespace zel
