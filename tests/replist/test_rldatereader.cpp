// The row dialog's date reader: the format's fields read back what the
// date-time picker writes.
#include <gtest/gtest.h>

#include "host/ui/FormatSettings.h"
#include "host/widgets/DateUtils.h"
#include "replist/ZEL_replist_datereader.h"

using host::EncodeDate;
using host::EncodeTime;
using zel::ReadDateTimeText;

namespace {

const zel::TDateReadContext k2026{2026, 50};

std::optional<double> Read(const std::string& text, const std::string& format) {
  return ReadDateTimeText(text, format, k2026);
}

// Swaps in German names and markers for one test and puts the old ones back.
class LocaleNames {
 public:
  LocaleNames() : FSaved(host::FormatSettings()) {
    host::TFormatSettings& fs = host::FormatSettings();
    fs.LongMonthNames[2] = "März";
    fs.ShortMonthNames[2] = "Mär";
    fs.LongDayNames[2] = "Dienstag";
    fs.TimeAMString = "vorm.";
    fs.TimePMString = "nachm.";
  }
  ~LocaleNames() { host::FormatSettings() = FSaved; }

 private:
  host::TFormatSettings FSaved;
};

}  // namespace

TEST(RLDateReader, ReadsNumericDatesAndTimes) {
  EXPECT_EQ(Read("24.12.2025", "dd.MM.yyyy"), EncodeDate(2025, 12, 24));
  EXPECT_EQ(Read("3/7/2024 9:05", "M/d/yyyy H:mm"),
            EncodeDate(2024, 3, 7) + EncodeTime(9, 5, 0, 0));
  EXPECT_EQ(Read("'HH' 10:15:30", "'''HH''' HH:mm:ss"), EncodeTime(10, 15, 30, 0));
  // Time alone when no date field was read.
  EXPECT_EQ(Read("23:59", "HH:mm"), EncodeTime(23, 59, 0, 0));
}

TEST(RLDateReader, TwoDigitYearsFollowTheCenturyWindow) {
  EXPECT_EQ(Read("01.02.25", "dd.MM.yy"), EncodeDate(2025, 2, 1));
  EXPECT_EQ(Read("01.02.76", "dd.MM.yy"), EncodeDate(1976, 2, 1));
  EXPECT_EQ(Read("01.02.75", "dd.MM.yy"), EncodeDate(2075, 2, 1));
}

TEST(RLDateReader, TwelveHourMarkersIgnoreCase) {
  EXPECT_EQ(Read("07:30 pm", "hh:mm tt"), EncodeTime(19, 30, 0, 0));
  EXPECT_EQ(Read("07:30 AM", "hh:mm tt"), EncodeTime(7, 30, 0, 0));
  EXPECT_EQ(Read("07:30 am", "hh:mm tt"), EncodeTime(7, 30, 0, 0));
  EXPECT_EQ(Read("12:10 AM", "hh:mm tt"), EncodeTime(0, 10, 0, 0));
  EXPECT_EQ(Read("12:10 PM", "hh:mm tt"), EncodeTime(12, 10, 0, 0));
  EXPECT_EQ(Read("7:30 P", "h:mm t"), EncodeTime(19, 30, 0, 0));
  // Without a marker the hour stays as written.
  EXPECT_EQ(Read("07:30", "hh:mm"), EncodeTime(7, 30, 0, 0));
  EXPECT_FALSE(Read("07:30 xm", "hh:mm tt"));
  EXPECT_FALSE(Read("13:30 PM", "hh:mm tt"));
}

TEST(RLDateReader, NamesInEnglishOrTheLocaleAnyCase) {
  LocaleNames german;
  EXPECT_EQ(Read("5 march 2024", "d MMMM yyyy"), EncodeDate(2024, 3, 5));
  EXPECT_EQ(Read("5 MÄRZ 2024", "d MMMM yyyy"), EncodeDate(2024, 3, 5));
  EXPECT_EQ(Read("5 März 2024", "d MMMM yyyy"), EncodeDate(2024, 3, 5));
  EXPECT_EQ(Read("5 Mär 2024", "d MMM yyyy"), EncodeDate(2024, 3, 5));
  EXPECT_EQ(Read("Dienstag, 5 MAR 2024", "dddd, d MMM yyyy"), EncodeDate(2024, 3, 5));
  EXPECT_EQ(Read("tue 5 Mar 2024", "ddd d MMM yyyy"), EncodeDate(2024, 3, 5));
  EXPECT_EQ(Read("07:30 vorm.", "hh:mm tt"), EncodeTime(7, 30, 0, 0));
  EXPECT_EQ(Read("07:30 NACHM.", "hh:mm tt"), EncodeTime(19, 30, 0, 0));
  EXPECT_FALSE(Read("5 Mars 2024", "d MMMM yyyy x"));
}

TEST(RLDateReader, WhatThePickerWritesReadsBackExactly) {
  LocaleNames german;
  const double v = EncodeDate(2024, 3, 5) + EncodeTime(7, 30, 15, 0);
  for (const char* f : {"dd.MM.yyyy HH:mm:ss", "dddd d MMMM yyyy hh:mm:ss tt",
                        "ddd d MMM yy h:m:s t", "'on' d/M/yyyy 'at' H:mm:ss"}) {
    const std::string text = host::FormatPickerDateTime(f, v);
    EXPECT_EQ(Read(text, f), v) << f << " -> " << text;
  }
}

TEST(RLDateReader, RefusesMismatchesAndImpossibleValues) {
  EXPECT_FALSE(Read("", "dd.MM.yyyy"));
  EXPECT_FALSE(Read("24-12-2025", "dd.MM.yyyy"));
  EXPECT_FALSE(Read("2.12.2025", "dd.MM.yyyy"));
  EXPECT_FALSE(Read("30.02.2025", "dd.MM.yyyy"));
  EXPECT_FALSE(Read("01.13.2025", "dd.MM.yyyy"));
  EXPECT_FALSE(Read("24.12", "dd.MM")) << "a day and month need a year";
  EXPECT_FALSE(Read("25:00", "HH:mm"));
  EXPECT_FALSE(Read("5", "y"));
  EXPECT_FALSE(Read("5 Foo 2024", "d MMM yyyy"));
  EXPECT_FALSE(Read("x", "H"));
  EXPECT_FALSE(Read("24.12.2025 10:00", "dd.MM.yyyy")) << "the time would be lost";
}

TEST(RLDateReader, HugeNumbersClampInsteadOfOverflowing) {
  EXPECT_FALSE(Read("99999999999999999999:00", "H:mm"));
  EXPECT_FALSE(Read("1.1.2000 -99999999999999:0", "d.M.yyyy H:m"));
  EXPECT_EQ(Read(" 7:5", "H:m"), EncodeTime(7, 5, 0, 0));
}
