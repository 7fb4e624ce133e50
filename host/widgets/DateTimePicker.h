// The date-time picker: a date, a time or both, shown through a display
// format (DateUtils.h letters) and edited field by field with the keys, with a
// month calendar that drops down for the date.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/widgets/DateUtils.h"
#include "host/widgets/DropDown.h"

namespace host {

enum TDateTimeKind : uint8_t { dtkDate, dtkTime, dtkDateTime };
enum TDTDateMode : uint8_t { dmComboBox, dmUpDown };

// Keys: Left and Right pick the field, Up and Down (and the wheel) step it
// round its range, Home and End go to its first and last value, digits type
// it (a field that cannot take another digit passes on to the next), letters
// choose a month name or A/P, a separator character moves on, and F4 or
// Alt+Down drops the calendar. Every change of DateTime by the user or the
// program fires Change (OnChange).
class TDateTimePicker : public TCustomControl, public TDropDownEvents {
 public:
  explicit TDateTimePicker(TComponent* AOwner);
  ~TDateTimePicker() override;

  TDateTime DateTime() const { return FDateTime; }
  // Kept within MinDate..MaxDate when those are set.
  void SetDateTime(TDateTime v);
  TDateTime Date() const;
  void SetDate(TDateTime v);  // keeps the time of day
  TDateTime Time() const;
  void SetTime(TDateTime v);  // keeps the date
  // 0 means no limit.
  TDateTime MinDate() const { return FMinDate; }
  void SetMinDate(TDateTime v);
  TDateTime MaxDate() const { return FMaxDate; }
  void SetMaxDate(TDateTime v);

  // The display format; empty shows the kind's default ("M/d/yyyy",
  // "h:mm:ss tt", or both).
  const std::string& Format() const { return FFormat; }
  void SetFormat(const std::string& f);
  // The format in use (Format, or the kind's default).
  std::string EffectiveFormat() const;
  TDateTimeKind Kind() const { return FKind; }
  void SetKind(TDateTimeKind k);
  // dmComboBox: a button drops the calendar; dmUpDown: spin buttons step the field.
  TDTDateMode DateMode() const { return FDateMode; }
  void SetDateMode(TDTDateMode m);
  // The text shown.
  std::string DisplayText() const;
  // The field the keys edit (an index among the format's fields), -1 when the
  // format has none.
  int SelectedField() const { return FField; }
  void SetSelectedField(int i);
  int FieldCount() const;

  bool DroppedDown() const { return FDrop->IsOpen(); }
  void SetDroppedDown(bool v);
  // The calendar inside the drop-down (for tests and descendants).
  TCustomControl* CalendarControl() const { return FDrop->Content(); }

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent e) { FOnChange = std::move(e); }

  // A height of 0 takes the font's line height plus the border.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  std::string ClassName() const override { return "TDateTimePicker"; }

 protected:
  virtual void Change();
  virtual void DropDown();
  virtual void CloseUp();
  void Paint() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char32_t& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void WMGetDlgCode(TMessage& Message) override;
  void WMSetFocus(TMessage& Message) override { Invalidate(); }
  void WMKillFocus(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;

 private:
  friend class TMonthCalendarView;
  TDateTime FDateTime = 0;
  TDateTime FMinDate = 0, FMaxDate = 0;
  std::string FFormat;
  TDateTimeKind FKind = dtkDate;
  TDTDateMode FDateMode = dmComboBox;
  std::vector<TDateFormatToken> FTokens;
  int FField = 0;
  int FTyped = 0;       // digits typed into the field so far
  int FTypedCount = 0;  // how many
  std::unique_ptr<TDropDownWindow> FDrop;
  TNotifyEvent FOnChange;

  void Retokenize();
  const TDateFormatToken* FieldToken(int i) const;
  bool HasDateFields() const;
  bool ShowsCalendarButton() const;
  TRect ButtonRect() const;
  // Sets the value from edited parts, clamped to the limits; fires Change.
  void Apply(TDateTimeParts p);
  void StepField(int delta);
  void SetFieldValue(int value);
  void FieldLimits(const TDateFormatToken& t, const TDateTimeParts& p, int& lo, int& hi) const;
  int FieldValue(const TDateFormatToken& t, const TDateTimeParts& p) const;
  void TypeDigit(int digit);
  bool TypeLetter(char32_t ch);
  void NextField(int delta);
  int FieldAt(int x);
  int TextLeft() const;
};

}  // namespace host
