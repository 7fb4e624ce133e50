// Calendar arithmetic of date-time values, shared by the date formatting of
// the numeric controls and the date-time picker.
#include "host/ui/DateTime.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "host/gfx/Persistent.h"
#include "host/ui/FormatSettings.h"

using namespace host;

namespace {

TEST(DateTime, EncodeDecodeRoundTripsAndRejectsImpossibleDates) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
  EXPECT_EQ(EncodeDate(2000, 3, 1) - EncodeDate(2000, 2, 28), 2.0);  // 2000 is a leap year
  EXPECT_EQ(EncodeDate(1900, 3, 1) - EncodeDate(1900, 2, 28), 1.0);  // 1900 is not
  for (TDateTime d : {-693593.0, -1.0, 0.0, 45000.0, 2958465.0}) {
    int y, m, day;
    DecodeDate(d, y, m, day);
    EXPECT_EQ(EncodeDate(y, m, day), d) << d;
  }
  TDateTime out = 0;
  EXPECT_FALSE(TryEncodeDate(2023, 2, 29, out));
  EXPECT_FALSE(TryEncodeDate(2024, 13, 1, out));
  EXPECT_FALSE(TryEncodeDate(0, 1, 1, out));
  EXPECT_THROW(EncodeDate(2024, 4, 31), EConvertError);
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
  EXPECT_THROW(DecodeDateTime(3.0e6), EConvertError);
  EXPECT_EQ(DayOfWeek(EncodeDate(2025, 12, 24)), 4);  // a Wednesday
}

TEST(DateTime, TimesBeforeTheEpochCountForwardFromMidnight) {
  const TDateTimeParts p = DecodeDateTime(-1.25);
  EXPECT_EQ(p.Year * 10000 + p.Month * 100 + p.Day, 18991229);
  EXPECT_EQ(p.Hour, 6);
  EXPECT_EQ(ComposeDateTime(-1, EncodeTime(6, 0, 0, 0)), -1.25);
  EXPECT_EQ(EncodeDateTime(p), -1.25);
  // A time a hair short of midnight belongs to the next day.
  const TDateTimeParts q = DecodeDateTime(1.0 - 1e-10);
  EXPECT_EQ(q.Day, 31);
  EXPECT_EQ(q.Hour, 0);
}

// The first day of year 1 is valid all day long, not only at midnight: its
// times are negative values just below -693593.
TEST(DateTime, FirstDayOfYearOneKeepsItsTimes) {
  const TDateTimeParts p = DecodeDateTime(-693593.5);
  EXPECT_EQ(p.Year * 10000 + p.Month * 100 + p.Day, 10101);
  EXPECT_EQ(p.Hour, 12);
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", -693593.5), "0001-01-01 12:00");
  EXPECT_THROW(DecodeDateTime(-693594.0), EConvertError);
  EXPECT_THROW(FormatDateTime("yyyy", -693594.0), EConvertError);
}

// Runs the body with local time equal to UTC, so the wall clock can be checked
// against the seconds since 1970 the C library counts.
class UtcZone {
 public:
  UtcZone() {
    if (const char* tz = std::getenv("TZ")) FSaved = tz;
    setenv("TZ", "UTC", 1);
    tzset();
  }
  ~UtcZone() {
    if (FSaved)
      setenv("TZ", FSaved->c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
  }

 private:
  std::optional<std::string> FSaved;
};

TEST(WallClock, NowIsTheCalendarDateAndTimeOfTheSystemClock) {
  UtcZone utc;
  const double unixDays = double(std::time(nullptr)) / 86400.0;
  const TDateTime now = Now();
  // 25569 days lie between 1899-12-30 and 1970-01-01; allow a few seconds.
  EXPECT_NEAR(now, unixDays + 25569.0, 5.0 / 86400.0);
  EXPECT_EQ(Date(), DateOf(now));
}

TEST(WallClock, ATestCanFixTheClockAndGiveItBack) {
  const TDateTime fixed = EncodeDate(2024, 2, 29) + EncodeTime(23, 59, 59, 500);
  SetNowForTesting(fixed);
  EXPECT_EQ(Now(), fixed);
  EXPECT_EQ(Date(), EncodeDate(2024, 2, 29));
  ClearNowForTesting();
  EXPECT_GT(Now(), EncodeDate(2025, 1, 1));  // the real clock again
}

}  // namespace
