/// @file
/// Reading a date and time back from a cell text by the date-time picker's
/// display format (the letters of host/widgets/DateUtils.h), so that what the
/// row dialog's picker writes into a cell reads back to the same value.
///
/// The reader walks the format token by token and consumes the matching front
/// of the text: quoted and plain literals must stand there as written; letter
/// runs read numbers or names. Choices made here:
///  - Names (months, days, the AM/PM markers) compare without regard to case
///    and are accepted both in English and in the names of the process locale
///    (FormatSettings), because the picker writes the locale's names; the
///    longest matching name wins, so "Mar" never cuts "March" short.
///  - Numbers of the one-letter fields take any length but clamp to a few
///    digits' worth instead of overflowing; a value that ends up outside its
///    calendar range makes the text unreadable, as does a date that does not
///    exist (30 February) or a day and month without a year.
///  - "yyy" reads a full year as "yyyy" does, since the picker writes it so; a
///    single "y" carries too little to read and fails.
///  - "t" takes one marker letter, "tt" a whole marker ("am", "pm", or the
///    locale's); an unknown marker fails rather than counting as afternoon.
#pragma once

#include <optional>
#include <string>

#include "host/ui/DateTime.h"

namespace zel {

/// The two-digit-year window: "yy" is read as the year within the hundred
/// years that start CenturyWindow years before CurrentYear.
struct TDateReadContext {
  int CurrentYear = 2000;  ///< the year two-digit years are read around
  int CenturyWindow = 50;  ///< how many years before CurrentYear the window starts
};

/// The value of Text read by Format, or nothing when the text does not match
/// the format (the whole text must be used up) or names an impossible date or time. With no date
/// field read (all of year, month and day zero) the result is the time of day alone.
std::optional<host::TDateTime> ReadDateTimeText(const std::string& Text, const std::string& Format,
                                                const TDateReadContext& Context);
/// The same with the current year of the wall clock.
std::optional<host::TDateTime> ReadDateTimeText(const std::string& Text, const std::string& Format);

}  // namespace zel
