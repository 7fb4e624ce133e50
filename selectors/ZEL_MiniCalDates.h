/// @file
/// The calendar arithmetic of the mini calendar, kept apart from the grid so it
/// can be tested on its own: ISO 8601 week numbers, Easter Sunday and the feasts
/// that move with it, the fixed holidays of each language, the first cell of a
/// month page, and month and year steps that never leave the years 1..9999.
#pragma once

#include <array>
#include <string>

#include "foundation/Zel_zelbase.h"

namespace zel {

/// A date of the proleptic Gregorian calendar, years 1..9999.
struct TCalDate {
  int Year = 1;   ///< 1..9999
  int Month = 1;  ///< 1..12
  int Day = 1;    ///< 1..31
  /// Same year, month and day.
  friend bool operator==(const TCalDate&, const TCalDate&) = default;
};

/// The week of the year the date falls in, counted by ISO 8601: weeks start on
/// Monday, week 1 holds the year's first Thursday, so 31 December may lie in
/// week 1 of the next year and 1 January in week 52 or 53 of the previous one.
int IsoWeekNumber(int Year, int Month, int Day);

/// The week number shown for week row Row (0..5) of a month page: the week of
/// the month's first day plus Row weeks.
int IsoWeekNumberOfWeekRow(int Year, int Month, int Row);

/// The weekday of a date, Monday 1 .. Sunday 7.
int IsoWeekDay(int Year, int Month, int Day);

/// Easter Sunday of a Gregorian year (Lichtenberg's form of Gauss's rule).
void CalcEasterSunday(int Year, int& Day, int& Month);

/// The feasts that move with Easter, as days after Easter Sunday.
constexpr std::array<int, 6> kMovableFeastOffsets = {0, 1, 39, 49, 50, 60};

/// The name of movable feast k (index into kMovableFeastOffsets) in a language.
/// Languages without a table of their own (lgDefault) use the English names.
const char* MovableFeastName(int k, TLanguage Language);

/// The every-year holidays a new calendar starts with: day, month and name.
struct TFixedHoliday {
  int Day;           ///< 1..31
  int Month;         ///< 1..12
  const char* Name;  ///< in the calendar's language
};
constexpr int kNumFixedHolidays = 8;  ///< fixed holidays of a new calendar
/// The fixed holidays of a new calendar, with their names in Language
/// (English for languages without a table of their own).
std::array<TFixedHoliday, kNumFixedHolidays> FixedHolidays(TLanguage Language);

/// The index into kMovableFeastOffsets of the movable feast on the date, or -1.
/// Only March to June can hold one (Corpus Christi is at latest 24 June).
int MovableFeastOn(int Year, int Month, int Day);

/// The day number shown in the first day column of the first week row: 1 when
/// the month starts in that column, else 0 or less (the previous month's days).
/// FirstDayOfWeek is 0 for Monday .. 6 for Sunday. A month whose first day falls
/// on the first column gets a whole week of the previous month before it, so
/// every page shows days of both neighbours (offset -5 .. 1).
int MonthOffset(int Year, int Month, int FirstDayOfWeek);

/// Steps keeping the day where the target month has it, else its last day
/// (31 January + 1 month = 28 or 29 February). A step that would leave the years
/// 1..9999 gives the date back unchanged.
TCalDate AddMonths(const TCalDate& d, int Months);
/// 29 February becomes 28 February first; then the year changes.
TCalDate AddYears(const TCalDate& d, int Years);

}  // namespace zel
