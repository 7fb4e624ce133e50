// Date and time values as the platform keeps them (TDateTime: days since
// 1899-12-30, the time of day as the fraction) and their calendar arithmetic
// on the proleptic Gregorian calendar, years 1..9999. Before 1899-12-30 the
// value is negative and its fraction still counts forward from midnight, as on
// the platform: -1.25 is 1899-12-29 06:00.
#pragma once

#include <string>

namespace host {

using TDateTime = double;

bool IsLeapYear(int Year);
// 28 to 31; 0 for a month outside 1..12.
int DaysInMonth(int Year, int Month);

// False for a date outside 0001-01-01 .. 9999-12-31 or a day the month lacks.
bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date);
// Raises EConvertError ("Invalid argument to date encode") where TryEncodeDate fails.
TDateTime EncodeDate(int Year, int Month, int Day);
// False unless Hour < 24, Min < 60, Sec < 60 and MSec < 1000 (all non-negative).
bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Time);
// Raises EConvertError ("Invalid argument to time encode") where TryEncodeTime fails.
TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec);
// A date and a time of day as one value (the time counts away from zero for
// dates before 1899-12-30).
TDateTime ComposeDateTime(TDateTime Date, TDateTime Time);

// The calendar fields of a value. A time that rounds up to midnight (to the
// millisecond) belongs to the next day. Values outside the years 1..9999 (or
// not finite) raise EConvertError.
struct TDateTimeParts {
  int Year = 1899, Month = 12, Day = 30;
  int Hour = 0, Minute = 0, Second = 0, MSec = 0;
  int DayOfWeek = 6;  // 0 = Sunday
};
TDateTimeParts DecodeDateTime(TDateTime Value);
TDateTime EncodeDateTime(const TDateTimeParts& p);  // raises like EncodeDate/EncodeTime
void DecodeDate(TDateTime Value, int& Year, int& Month, int& Day);
void DecodeTime(TDateTime Value, int& Hour, int& Min, int& Sec, int& MSec);
// The platform's numbering: 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime Value);
TDateTime DateOf(TDateTime Value);  // midnight of the value's day
TDateTime TimeOf(TDateTime Value);  // the time of day alone (0 <= result < 1)

// --- the wall clock (local time), beside the message loop's clock
// The loop's clock (TBackend::Now) measures intervals and may be virtual; these
// tell the calendar date and time, for "today" marks and default dates. A test
// fixes them with SetNowForTesting so its pictures and results are the same on
// every day it runs.
TDateTime Now();   // the local date and time, to the millisecond
TDateTime Date();  // today at midnight
// Makes Now (and Date) answer `Value` until ClearNowForTesting.
void SetNowForTesting(TDateTime Value);
// Gives Now back to the system clock.
void ClearNowForTesting();

// A calendar field in decimal with leading zeros up to Width digits (5, 2 -> "05").
std::string ZeroPadded(int Value, int Width);

}  // namespace host
