/// @file
/// TNumIO: the older numeric entry box, a plain single-line edit (TCustomEdit)
/// that checks its text after every change and puts back the last accepted text
/// when a change makes it invalid. Painting, caret and keys are the edit's own.
///
/// State model: the edit text is the value; beside it the control keeps the last
/// accepted text and an internal-change flag. A change the control makes itself
/// (SetEditText) is neither checked nor reported, and the flag is lowered as soon
/// as that change is done, so the next change of the user is checked again.
/// Every text SetEditText sets counts as accepted from then on.
///
/// A change is accepted when ConvertNumString reads the whole text in the input
/// format and the value lies within RangeLow..RangeHigh, or is 0 (so a box can
/// always be cleared to 0). A refused change puts the last accepted text back,
/// moves the caret one place left (never before the start) and beeps when Beep
/// is set. A lone "+" or "-" reads as 0, so a negative number can be typed from
/// the left; a lone "$", "%" or "&" in itDynamic reads as 0 for the same reason.
///
/// Decimal separators: DecPlaceSep chooses what the check accepts ("." only, ","
/// only, either, or the locale's one). SetLabValue writes the separator the
/// setting accepts ("." for "either"), and GetLabValue turns the other
/// character into the accepted one, so what the box writes it also reads and
/// lets the user edit, under every setting.
///
/// itHex, itOct and itBin read their digits as a 32-bit pattern (eight F digits
/// read -1, as in TNumIO2); a text whose value needs more than 32 bits is
/// refused, and so is an itInt text beyond the 32-bit range.
///
/// Ranges: a box placed in the designer starts with -+uc_MaxDouble; one created
/// at run time starts with 0..0 and so accepts only 0 until its range is set.
#pragma once

#include <string>

#include "foundation/Zel_zelbase.h"
#include "host/widgets/StdCtrls.h"
#include "numeric/ZEL_NumIOFormat.h"

namespace zel {

/// The older numeric entry box: an edit that refuses changes making its text invalid.
class TNumIO : public host::TCustomEdit {
 public:
  /// Creates the control with its defaults; AOwner frees it.
  explicit TNumIO(host::TComponent* AOwner);

  ///@{
  /// How the text is checked and written (default itDynamic).
  TInFormat InputFormat() const { return FInputFormat; }
  void SetInputFormat(TInFormat f);
  ///@}
  ///@{
  /// Decimals of itFixPoint, 1..8 (clamped); the text is not checked again.
  int FixPointDecPlaces() const { return FFixPointDecPlaces; }
  void SetFixPointDecPlaces(int n);
  ///@}
  ///@{
  /// Which decimal separator the check accepts (default dpsLocale); see above.
  TDecPSep DecPlaceSep() const { return FDecPlaceSep; }
  void SetDecPlaceSep(TDecPSep s);
  ///@}
  ///@{
  /// The accepted range (0..0 at run time, see above). Writing a bound past the
  /// other one swaps them: the old other bound takes
  /// its place and the new value becomes the other bound. NaN is ignored.
  double RangeLow() const { return FRangeLow; }
  void SetRangeLow(double v);
  double RangeHigh() const { return FRangeHigh; }
  void SetRangeHigh(double v);
  ///@}
  ///@{
  /// Beep when a change is refused.
  bool Beep() const { return FBeep; }
  void SetBeep(bool v) { FBeep = v; }
  ///@}

  /// The value of the text: 0 when it is no number of the format.
  double GetLabValue() const;
  /// Writes x in the input format (through SetEditText): itFloat 8 decimals,
  /// itFixPoint FixPointDecPlaces decimals, itInt none; itHex 8 digits, itOct and
  /// itBin at least 8 digits and as many as the value's low 32 bits need;
  /// itExp and itDynamic 6 significant digits with a two-digit exponent, "*"
  /// throughout when that does not suffice. The base formats and itInt write
  /// NaN and infinities as 0.
  void SetLabValue(double x);
  /// The same as GetLabValue().
  double LabValue() const { return GetLabValue(); }

  /// The syntax test and conversion of the input format: true when the whole
  /// text (after leading blanks) is one number of the format; Value is then the
  /// number. An empty text gives false and leaves Value alone; a text of blanks
  /// only gives true and 0.
  bool ConvertNumString(const std::string& Text, double& Value) const;
  /// Sets the text as the control's own change: not checked, OnChange does not
  /// fire, and the text becomes the last accepted text.
  void SetEditText(const std::string& Text);
  /// The text the box puts back when a change is refused.
  const std::string& LastAcceptedText() const { return FLastAccepted; }

  /// From another TNumIO: InputFormat, Beep, RangeLow, RangeHigh, DecPlaceSep.
  void Assign(host::TPersistent* Source) override;
  /// Calls Dest->Assign(this) when Dest is of this class; else the host's assignment.
  void AssignTo(host::TPersistent* Dest) override;
  /// The class name, for the host's streaming and type checks.
  std::string ClassName() const override { return "TNumIO"; }

 protected:
  /// The change check, then OnChange for an accepted change.
  void Change() override;

 private:
  TInFormat FInputFormat = itDynamic;
  int FFixPointDecPlaces = 2;
  TDecPSep FDecPlaceSep = dpsLocale;
  double FRangeLow = 0;
  double FRangeHigh = 0;
  bool FBeep = false;
  std::string FLastAccepted;
  bool FInternalChange = false;

  // The separators DecPlaceSep accepts, and the one the control writes.
  TSepSet Separators() const;
  char WriteSeparator() const;
  // Forgets the last accepted text and checks the current one, after a setting
  // the check depends on changed.
  void Recheck();
  // The beep is for the user's changes: a setting the program writes puts a
  // text back silently.
  void CheckChange(bool byUser);
  // The fixed-point rules before the conversion: false when the text must be
  // put back (caret to `caret`); otherwise `text` may come back cut to the
  // allowed decimals.
  bool FixPointPrecheck(std::string& text, int& caret) const;
  bool InRange(double v) const;
  void Refuse(int caret, bool beep);
  // The text set as the control's own, caret placed afterwards.
  void PutText(const std::string& text, int caret);
};

}  // namespace zel
