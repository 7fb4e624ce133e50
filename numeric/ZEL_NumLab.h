// TNumLab: a read-only label showing one number in a framed box, with a caption
// to its left and a unit text to its right.
#pragma once

#include <functional>
#include <string>

#include "foundation/Zel_zelbase.h"
#include "host/ui/Controls.h"
#include "numeric/ZEL_NumText.h"

namespace zel {

// Last chance for the application to change the number text before it is shown.
using TBeforeDisplayEvent = std::function<void(host::TObject* Sender, std::string& Text)>;

// The label's layout has three zones from its left edge: the left text
// (0..LeftSpace), the number box (LeftSpace..LeftSpace + LabelWidth) and the right
// text (the rest). Every setter repaints at once. The number text of each display
// type is described at TDisplay (ZEL_NumText.h).
class TNumLab : public host::TGraphicControl {
 public:
  explicit TNumLab(host::TComponent* AOwner);

  double Value() const { return FValue; }
  void SetValue(double v);
  TDisplay DisplayType() const { return FText.DisplayType; }
  void SetDisplayType(TDisplay t);
  // Decimals (dtFixP), significant digits (dtFloat), digits in all (dtExp);
  // negative values are ignored, values above 15 become 15.
  int Precision() const { return FText.Precision; }
  void SetPrecision(int p);
  bool Comma() const { return FText.Comma; }
  void SetComma(bool c);
  bool ForcePlusSign() const { return FText.ForcePlusSign; }
  void SetForcePlusSign(bool f);
  // Draws the box without a number (and without asking OnBeforeDisplay).
  bool Empty() const { return FEmpty; }
  void SetEmpty(bool e);
  // Shown instead of a number wider than the box (not for dtState).
  const std::string& OverflowIndicator() const { return FText.OverflowIndicator; }
  void SetOverflowIndicator(const std::string& s);
  const std::string& StateText() const { return FText.StateText; }
  void SetStateText(const std::string& s);
  const std::string& DTFormat() const { return FText.DTFormat; }
  void SetDTFormat(const std::string& s);
  const std::string& LeftText() const { return FLeftText; }
  void SetLeftText(const std::string& s);
  const std::string& RightText() const { return FRightText; }
  void SetRightText(const std::string& s);
  // Width of the left-text zone: negative values are ignored, larger than the
  // control's width is cut to the width.
  int LeftSpace() const { return FLeftSpace; }
  void SetLeftSpace(int v);
  int LabelWidth() const { return FLabelWidth; }
  void SetLabelWidth(int v);
  host::TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(host::TAlignment a);
  host::TAlignment LeftTextAlignment() const { return FLeftTextAlignment; }
  void SetLeftTextAlignment(host::TAlignment a);
  host::TAlignment RightTextAlignment() const { return FRightTextAlignment; }
  void SetRightTextAlignment(host::TAlignment a);
  host::TColor ColorLabText() const { return FColorLabText; }
  void SetColorLabText(host::TColor c);
  host::TColor ColorLabBakG() const { return FColorLabBakG; }
  void SetColorLabBakG(host::TColor c);
  host::TColor ColorOutText() const { return FColorOutText; }
  void SetColorOutText(host::TColor c);
  host::TColor ColorOutBakG() const { return FColorOutBakG; }
  void SetColorOutBakG(host::TColor c);
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle s);
  // Ordinal 0: grey and white frame lines are fixed RGB colours; else system colours.
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme s);
  // The zones outside the box show the parent (the label is ANDed onto it).
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool t);
  void SetEnabled(bool e) override;

  const TBeforeDisplayEvent& OnBeforeDisplay() const { return FOnBeforeDisplay; }
  void SetOnBeforeDisplay(TBeforeDisplayEvent e) { FOnBeforeDisplay = std::move(e); }

  // The zone under the mouse at the last move: 0 left text, 1 box, 2 right text.
  int MouseAreaCode() const { return FMouseAreaCode; }

  // The text the box shows now: the display type's text, offered to
  // OnBeforeDisplay, replaced by OverflowIndicator when wider than LabelWidth - 6.
  // Empty when Empty is set.
  std::string DisplayText();

  // From another TNumLab: the layout, texts, colours, frame, value and display
  // type (not Comma, ForcePlusSign, DTFormat, Enabled, Font or the event).
  void Assign(host::TPersistent* Source) override;
  void AssignTo(host::TPersistent* Dest) override;
  std::string ClassName() const override { return "TNumLab"; }

  // The frame line colours ColorScheme selects.
  host::TColor ColGrayLine() const { return FColGrayLine; }
  host::TColor ColWhiteLine() const { return FColWhiteLine; }

 protected:
  void Paint() override;
  void MouseMove(host::TShiftState Shift, int X, int Y) override;

 private:
  double FValue = 0;
  TNumTextSettings FText;
  bool FEmpty = false;
  std::string FLeftText, FRightText;
  int FLeftSpace = 35;
  int FLabelWidth = 80;
  host::TAlignment FAlignment = host::taCenter;
  host::TAlignment FLeftTextAlignment = host::taRightJustify;
  host::TAlignment FRightTextAlignment = host::taLeftJustify;
  host::TColor FColorLabText = host::clBlack;
  host::TColor FColorLabBakG = host::clBtnFace;
  host::TColor FColorOutText = host::clBlack;
  host::TColor FColorOutBakG = host::clBtnFace;
  TFrameStyle FFrameStyle = frLowered;
  TColorScheme FColorScheme = csmFixed;
  host::TColor FColBlackLine = host::clBlack;
  host::TColor FColGrayLine = host::RGB(128, 128, 128);
  host::TColor FColWhiteLine = host::RGB(255, 255, 255);
  bool FTransparent = false;
  int FMouseAreaCode = 0;
  TBeforeDisplayEvent FOnBeforeDisplay;

  // Stores v in `field` and repaints when it differs.
  template <class T>
  void Change(T& field, const T& v) {
    if (field == v) return;
    field = v;
    Redraw();
  }
  void Redraw();
  // Visual styles are on for the background (client) or for the texts (font).
  bool StyledClient() const;
  bool StyledFont() const;
  std::string DisplayText(host::TCanvas* c);
  void DrawOuterText(host::TCanvas* c, const std::string& s, int x, int whiteX, int y);
  void DrawNumberBox(host::TCanvas* c);
};

}  // namespace zel
