// The process's number and date format settings, as the platform keeps them for
// every program: the decimal separator and the month and day names. They start
// from the process locale the first time they are asked for; a program or a test
// may change them afterwards (FormatSettings() returns the one shared instance).
#pragma once

#include <array>
#include <string>

#include "host/gfx/Persistent.h"

namespace host {

struct TFormatSettings {
  // Decimal separator of the locale. Only "." and "," are meaningful to the
  // controls; a locale with any other separator is recorded as ",".
  char DecimalSeparator = '.';
  char DateSeparator = '/';
  char TimeSeparator = ':';
  std::string ShortDateFormat = "m/d/yyyy";
  std::string LongTimeFormat = "hh:nn:ss";
  std::string ShortTimeFormat = "hh:nn";
  std::string TimeAMString = "AM";
  std::string TimePMString = "PM";
  std::array<std::string, 12> ShortMonthNames;  // January first
  std::array<std::string, 12> LongMonthNames;
  std::array<std::string, 7> ShortDayNames;  // Sunday first, as the platform counts
  std::array<std::string, 7> LongDayNames;
};

// The shared settings, read from the process locale on first use.
TFormatSettings& FormatSettings();
// Reads the settings afresh from the process locale (after a program called
// setlocale) into FormatSettings().
void ResetFormatSettingsFromLocale();

// Formats a date-time value (days since 1899-12-30, the time of day as the
// fraction) with the platform's format letters:
//   d dd ddd dddd   day, two-digit day, short and long day name
//   ddddd           the short date format
//   m mm mmm mmmm   month number, two-digit month, short and long month name
//                   (m/mm right after an hour field mean minutes)
//   yy yyyy         two- and four-digit year
//   h hh  n nn  s ss  z zzz   hour, minute, second, millisecond
//   t tt            short and long time format;  c  short date and long time
//   am/pm a/p ampm  12-hour clock with the marker (ampm uses TimeAMString/PMString)
//   /  :            the date and time separators
//   "text" 'text'   literal text; any other character is copied as it is.
// An empty format means "c". Raises EConvertError when the value lies outside
// the years 1..9999 or is not a finite number.
std::string FormatDateTime(const std::string& Format, double DateTime);

}  // namespace host
