/// @file
/// TMiniCal: a month calendar on an 8 x 8 draw grid. Row 0 holds the navigation
/// buttons ("<<" "<" title ">" ">>"), row 1 the weekday names, rows 2..7 six
/// weeks; column 0 holds the ISO week numbers under a "#" button that also
/// stands for "today".
///
/// State model. The only navigation state is the selected date; the month page
/// shown is the page of that date. UpdateCal derives the page from it (the day
/// number of the first day cell, FMonthOffset) and the hint; every change of
/// date, of the first weekday or of the holiday rules goes through it. Cells
/// are painted from the date and FMonthOffset alone, so the grid's own current
/// cell plays no part (it stays where the grid puts it).
///
/// Holidays are rows of a TIntMatrix (day, month, year or kEveryYear) with the
/// caption of row i at index i - 1 of FHolidayCaptions; the two always have
/// the same length. The Easter-based feasts are computed, not stored.
///
/// Dates stay inside the years 1..9999: a month or year step, a click on a day
/// of a neighbouring month or a Year write that would leave them does nothing,
/// so no exception escapes a mouse handler. Writing Month (or Year) so that the
/// current day does not exist in the new month raises EConvertError and keeps
/// the date, as the date encoding does; the steps reduce the day first.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "foundation/Zel_matrix.h"
#include "foundation/Zel_zelbase.h"
#include "host/grid/Grids.h"
#include "host/ui/DateTime.h"
#include "selectors/ZEL_MiniCalDates.h"

namespace zel {

/// Days of the week, Monday first (ordinals are stored in forms).
enum TDayOfWeek : uint8_t { dwMon, dwTue, dwWed, dwThu, dwFri, dwSat, dwSun };

/// Background colours of the day columns, by weekday.
using TDayColors = std::array<TColor, 7>;

/// A month calendar with week numbers, holidays and navigation buttons.
class TMiniCal : public host::TCustomDrawGrid {
 public:
  /// The year entry of a holiday that repeats every year.
  static constexpr int kEveryYear = -99999;

  /// Creates the control with its defaults; AOwner frees it.
  explicit TMiniCal(host::TComponent* AOwner);
  /// Frees the holiday list.
  ~TMiniCal() override;

  // --- the date
  ///@{
  /// The selected date (its time of day dropped); the page shown is its month.
  /// Every change raises OnChange.
  host::TDateTime Date() const { return FDate; }
  void SetDate(host::TDateTime Value);
  ///@}
  /// The parts of the selected date. A write outside 1..9999, 1..12 or the month's
  /// days is ignored; a month or year without the current day raises EConvertError
  /// and keeps the date. Each write raises OnChange.
  ///@{
  int Year() const { return FCur.Year; }
  int Month() const { return FCur.Month; }
  int Day() const { return FCur.Day; }
  void SetYear(int v);
  void SetMonth(int v);
  void SetDay(int v);
  ///@}
  /// Turn the page by a month or a year; the day is reduced to the new month's
  /// length, and a step out of the years 1..9999 does nothing.
  ///@{
  void PrevMonth() { MoveTo(AddMonths(FCur, -1)); }
  void NextMonth() { MoveTo(AddMonths(FCur, 1)); }
  void PrevYear() { MoveTo(AddYears(FCur, -1)); }
  void NextYear() { MoveTo(AddYears(FCur, 1)); }
  ///@}
  /// Selects the last day of the current month.
  void LastDayOfMonth();

  // --- holidays
  /// Empties the holiday list (the Easter-based feasts stay, as they are computed).
  void ClearHolidayList();
  /// A holiday of one year.
  void AddHoliday(int Day, int Month, const std::string& Caption, int Year);
  /// A holiday of every year.
  void AddRepeatHoliday(int Day, int Month, const std::string& Caption);
  /// Holidays in the list.
  int GetNumHolidays() const { return FHolidays.NrOfRows(); }
  /// False (and nothing written) outside 1..GetNumHolidays().
  bool RetrieveHoliday(int HDIndex, int& Day, int& Month, int& Year, bool& IsRepeatHDay,
                       std::string& Description) const;
  /// The first listed holiday on the date, else (with ShowMovableHolidays) the
  /// Easter-based feast on it.
  bool CheckHoliday(int Year, int Month, int Day, std::string& Caption) const;
  /// Easter Sunday of a Gregorian year (zel::CalcEasterSunday).
  static void CalcEasterSunday(int Year, int& Day, int& Month) {
    zel::CalcEasterSunday(Year, Day, Month);
  }
  /// The holiday list itself, for reading.
  const TIntMatrix& HolidayList() const { return FHolidays; }

  // --- behaviour
  ///@{
  /// A click on a grey day of the neighbouring month selects it and turns the page
  /// (default on); off, such clicks are ignored.
  bool AutoSwitch() const { return FAutoSwitch; }
  void SetAutoSwitch(bool v) { FAutoSwitch = v; }
  ///@}
  ///@{
  /// The weekday of column 1 (default dwMon).
  TDayOfWeek FirstDayOfWeek() const { return FFirstDayOfWeek; }
  void SetFirstDayOfWeek(TDayOfWeek v);
  ///@}
  /// Language of the names of months, weekdays and holidays (default lgEnglish).
  TLanguage Language() const { return FLanguage; }
  /// Rebuilds the holiday list in the new language (added holidays are lost).
  void SetLanguage(TLanguage v);
  ///@{
  /// Draws holidays in their own colours (default on).
  bool IndicateHolidays() const { return FIndicateHolidays; }
  void SetIndicateHolidays(bool v);
  ///@}
  ///@{
  /// Counts the Easter-based feasts as holidays (default on).
  bool ShowMovableHolidays() const { return FShowMovableHolidays; }
  void SetShowMovableHolidays(bool v);
  ///@}
  ///@{
  /// The control's hint names the holiday on the selected date (default on).
  bool ShowHolidayHint() const { return FShowHolidayHint; }
  void SetShowHolidayHint(bool v);
  ///@}
  ///@{
  /// Circles today's date in ColorToday (default on).
  bool MarkToday() const { return FMarkToday; }
  void SetMarkToday(bool v) { SetAndRepaint(FMarkToday, v); }
  ///@}
  ///@{
  /// The title shows the short month name (default on) instead of the long one.
  bool ShowMonthShort() const { return FShowMonthShort; }
  void SetShowMonthShort(bool v) { SetAndRepaint(FShowMonthShort, v); }
  ///@}
  /// Button cells get a 3-D frame; also changes the height of row 0 and the
  /// width of column 0 (see Resize).
  void SetCtl3D(bool v);

  // --- colours
  ///@{
  /// Text colour of the current month's days (default black) and of the
  /// neighbouring months' grey days (default silver).
  TColor ColorActiveMonth() const { return FColorActiveMonth; }
  void SetColorActiveMonth(TColor c) { SetAndRepaint(FColorActiveMonth, c); }
  TColor ColorInactiveMonth() const { return FColorInactiveMonth; }
  void SetColorInactiveMonth(TColor c) { SetAndRepaint(FColorInactiveMonth, c); }
  ///@}
  ///@{
  /// Background and text of the week-number column (default silver and black).
  TColor ColorWeekNoBg() const { return FColorWeekNoBg; }
  void SetColorWeekNoBg(TColor c) { SetAndRepaint(FColorWeekNoBg, c); }
  TColor ColorWeekNoFg() const { return FColorWeekNoFg; }
  void SetColorWeekNoFg(TColor c) { SetAndRepaint(FColorWeekNoFg, c); }
  ///@}
  ///@{
  /// Background and text of the weekday-name row (default silver and black).
  TColor ColorDayIdBg() const { return FColorDayIdBg; }
  void SetColorDayIdBg(TColor c) { SetAndRepaint(FColorDayIdBg, c); }
  TColor ColorDayIdFg() const { return FColorDayIdFg; }
  void SetColorDayIdFg(TColor c) { SetAndRepaint(FColorDayIdFg, c); }
  ///@}
  ///@{
  /// Background and text of the selected day (default mid blue, 0xD0A040, and white); a
  /// selected holiday mixes the two backgrounds.
  TColor ColorSelectedBg() const { return FColorSelectedBg; }
  void SetColorSelectedBg(TColor c) { SetAndRepaint(FColorSelectedBg, c); }
  TColor ColorSelectedFg() const { return FColorSelectedFg; }
  void SetColorSelectedFg(TColor c) { SetAndRepaint(FColorSelectedFg, c); }
  ///@}
  ///@{
  /// Background and text of holidays (default light orange, 0x9BD8F1, and dark red).
  TColor ColorHolidayBg() const { return FColorHolidayBg; }
  void SetColorHolidayBg(TColor c) { SetAndRepaint(FColorHolidayBg, c); }
  TColor ColorHolidayFg() const { return FColorHolidayFg; }
  void SetColorHolidayFg(TColor c) { SetAndRepaint(FColorHolidayFg, c); }
  ///@}
  ///@{
  /// Colour of the circle round today's date (default red).
  TColor ColorToday() const { return FColorToday; }
  void SetColorToday(TColor c) { SetAndRepaint(FColorToday, c); }
  ///@}
  /// Background of the day cells by weekday (defaults: near white, Saturday and
  /// Sunday tinted); 0 for a value outside the enumeration.
  ///@{
  TColor DayColors(TDayOfWeek d) const { return d <= dwSun ? FDayColors[d] : 0; }
  /// Lays the calendar out again and raises OnChange.
  void SetDayColors(TDayOfWeek d, TColor c);
  ///@}

  ///@{
  /// Raised after every change of the date, by the program or by the user.
  const host::TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(host::TNotifyEvent e) { FOnChange = std::move(e); }
  ///@}

  // --- page geometry, for painting, clicks and tests
  /// The day number in a day cell (column 1..7, row 2..7): below 1 and above
  /// the month's length for the neighbouring months' days.
  int DayNumberAt(int ACol, int ARow) const { return (ARow - 2) * 7 + FMonthOffset + ACol - 1; }
  /// The day number of the first day cell (column 1, row 2); 1 or less.
  int MonthOffset() const { return FMonthOffset; }

  /// The class name, for the host's streaming and type checks.
  std::string ClassName() const override { return "TMiniCal"; }

 protected:
  /// The host control's paint, input and notification handlers, as
  /// this control answers them.
  ///@{
  void DrawCell(int ACol, int ARow, const host::TRect& ARect, host::TGridDrawState AState) override;
  void MouseDown(host::TMouseButton Button, host::TShiftState Shift, int X, int Y) override;
  void MouseUp(host::TMouseButton Button, host::TShiftState Shift, int X, int Y) override;
  void Resize() override;
  ///@}

 private:
  // ZEL_MiniCal.cpp: state and change paths
  host::TDateTime FDate = 0;
  TCalDate FCur;
  TLanguage FLanguage = lgEnglish;
  TDayOfWeek FFirstDayOfWeek = dwMon;
  int FMonthOffset = 1;
  TDayColors FDayColors = {0xF8F8F8, 0xF8F8F8, 0xF8F8F8, 0xF8F8F8, 0xF8F8F8, 0xBBDDEE, 0xCCEEFF};
  TColor FColorActiveMonth = 0x000000;
  TColor FColorInactiveMonth = 0xC0C0C0;
  TColor FColorWeekNoBg = 0xC0C0C0, FColorWeekNoFg = 0x000000;
  TColor FColorDayIdBg = 0xC0C0C0, FColorDayIdFg = 0x000000;
  TColor FColorSelectedBg = 0xD0A040, FColorSelectedFg = 0xFFFFFF;
  TColor FColorHolidayBg = 0x9BD8F1, FColorHolidayFg = 0x0000C0;
  TColor FColorToday = 0x0000FF;
  bool FAutoSwitch = true;
  bool FShowHolidayHint = true;
  bool FMarkToday = true;
  bool FIndicateHolidays = true;
  bool FShowMovableHolidays = true;
  bool FShowMonthShort = true;
  bool FUpdating = false;  // while the constructor sets up: no layout yet
  std::vector<std::string> FHolidayCaptions;
  TIntMatrix FHolidays{3, 0};
  host::TNotifyEvent FOnChange;

  // Stores a date inside 1..9999, lays out and raises OnChange.
  void MoveTo(const TCalDate& d);
  void StoreDate(host::TDateTime Value);
  void Changed();
  void UpdateCal();
  void LoadDefaultHolidays();
  void AppendHoliday(int Day, int Month, int Year, const std::string& Caption);
  template <class T>
  void SetAndRepaint(T& field, T v) {
    if (field == v) return;
    field = v;
    Invalidate();
  }
  template <class T>
  void SetAndLayOut(T& field, T v) {
    if (field == v) return;
    field = v;
    UpdateCal();
  }

  // ZEL_MiniCal_paint.cpp
  void DrawButtonCell(const host::TRect& r, const std::string& text);
  void DrawTitle(const host::TRect& r);
  void DrawDayCell(int ACol, int ARow, const host::TRect& r);
  void DrawCentred(const host::TRect& r, const std::string& text, TColor bg, TColor fg);
  std::string TitleText() const;

  // ZEL_MiniCal_input.cpp
  void ClickDay(int ACol, int ARow);
  void ClickButton(int ACol);
  void GoToday();
};

}  // namespace zel
