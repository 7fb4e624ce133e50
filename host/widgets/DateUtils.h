// The date-picker format letters that the date-time picker shows and edits
// (the calendar arithmetic itself lives in host/ui/DateTime.h):
//
//   d dd        day of the month, without and with a leading zero
//   ddd dddd    short and long day name
//   M MM        month number, without and with a leading zero
//   MMM MMMM    short and long month name
//   y yy        last digit, last two digits of the year;  yyy yyyy  the full year
//   h hh        hour on the 12-hour clock;   H HH  hour on the 24-hour clock
//   m mm        minute;   s ss  second
//   t tt        "A"/"P" and "AM"/"PM"
//   'text'      literal text ('' for a quote); any other character is copied.
//
// Letters are case-sensitive (M month, m minute).
#pragma once

#include <string>
#include <vector>

#include "host/ui/DateTime.h"

namespace host {

// One piece of a picker format: a run of a field letter, or literal text.
struct TDateFormatToken {
  char Letter = 0;   // d M y h H m s t, or 0 for literal text
  int Count = 0;     // run length of the letter
  std::string Text;  // the literal text (quotes resolved)
};
// Splits a picker format into tokens; an unterminated quote runs to the end.
std::vector<TDateFormatToken> TokenizeDateFormat(const std::string& Format);

// The text of one token for the given fields. Names come from FormatSettings().
std::string FormatDateToken(const TDateFormatToken& Token, const TDateTimeParts& p);
// The whole value in a picker format.
std::string FormatPickerDateTime(const std::string& Format, TDateTime Value);

}  // namespace host
