#include <gtest/gtest.h>

#include <string>

#include "selectors/ZEL_MiniCalDates.h"

namespace {

using zel::TCalDate;

TEST(MiniCalDates, EasterSundayOfKnownYears) {
  struct {
    int year, day, month;
  } const cases[] = {{2019, 21, 4}, {2024, 31, 3}, {2025, 20, 4},
                     {2000, 23, 4}, {2008, 23, 3}, {2038, 25, 4}};
  for (const auto& c : cases) {
    int d = 0, m = 0;
    zel::CalcEasterSunday(c.year, d, m);
    EXPECT_EQ(d, c.day) << c.year;
    EXPECT_EQ(m, c.month) << c.year;
  }
}

TEST(MiniCalDates, IsoWeeksAtTheYearEdges) {
  EXPECT_EQ(zel::IsoWeekNumber(2020, 12, 31), 53);
  EXPECT_EQ(zel::IsoWeekNumber(2021, 1, 1), 53);
  EXPECT_EQ(zel::IsoWeekNumber(2021, 1, 3), 53);
  EXPECT_EQ(zel::IsoWeekNumber(2021, 1, 4), 1);
  EXPECT_EQ(zel::IsoWeekNumber(2024, 12, 30), 1);  // Monday of 2025's first week
  EXPECT_EQ(zel::IsoWeekNumber(2024, 12, 29), 52);
  EXPECT_EQ(zel::IsoWeekNumber(2026, 1, 1), 1);
  EXPECT_EQ(zel::IsoWeekNumber(2027, 1, 1), 53);
  EXPECT_EQ(zel::IsoWeekNumber(1, 1, 1), 1);  // a Monday
}

TEST(MiniCalDates, WeekRowsRunIntoTheNextYear) {
  // December 2020 starts on a Tuesday in week 49; row 5 is 5 January 2021.
  EXPECT_EQ(zel::IsoWeekNumberOfWeekRow(2020, 12, 0), 49);
  EXPECT_EQ(zel::IsoWeekNumberOfWeekRow(2020, 12, 4), 53);
  EXPECT_EQ(zel::IsoWeekNumberOfWeekRow(2020, 12, 5), 1);
  // Past the last representable day the week numbers still come out.
  EXPECT_EQ(zel::IsoWeekNumberOfWeekRow(9999, 12, 5), 1);
}

TEST(MiniCalDates, MovableFeastsFollowEaster) {
  EXPECT_EQ(zel::MovableFeastOn(2024, 3, 31), 0);  // Easter Day
  EXPECT_EQ(zel::MovableFeastOn(2024, 4, 1), 1);   // Easter Monday
  EXPECT_EQ(zel::MovableFeastOn(2024, 5, 9), 2);   // Ascension
  EXPECT_EQ(zel::MovableFeastOn(2024, 5, 20), 4);  // Whit Monday
  EXPECT_EQ(zel::MovableFeastOn(2025, 6, 19), 5);  // Corpus Christi in June
  EXPECT_EQ(zel::MovableFeastOn(2024, 5, 21), -1);
  EXPECT_EQ(zel::MovableFeastOn(2024, 7, 1), -1);
  EXPECT_STREQ(zel::MovableFeastName(4, zel::lgGerman), "Pfingstmontag");
  EXPECT_STREQ(zel::MovableFeastName(4, zel::lgDefault), "Whit Monday");
}

TEST(MiniCalDates, FixedHolidaysByLanguageWithEnglishForOrdinalZero) {
  const auto fr = zel::FixedHolidays(zel::lgFrench);
  EXPECT_EQ(fr[0].Day, 25);
  EXPECT_EQ(fr[0].Month, 12);
  EXPECT_STREQ(fr[0].Name, "Noël");
  EXPECT_STREQ(zel::FixedHolidays(zel::lgDefault)[7].Name, "Labor Day");
  EXPECT_STREQ(zel::FixedHolidays(zel::lgSpanish)[5].Name, "Día de Todos los Santos");
}

TEST(MiniCalDates, MonthOffsetPlacesTheFirstInItsWeekdayColumn) {
  // September 2024 starts on a Sunday, July 2024 on a Monday.
  EXPECT_EQ(zel::MonthOffset(2024, 9, 0), -5);  // day 1 in column 7 of row 2
  EXPECT_EQ(zel::MonthOffset(2024, 7, 0), 1);   // day 1 in column 1
  EXPECT_EQ(zel::MonthOffset(2024, 7, 6), 0);   // Sunday first: day 1 in column 2
}

TEST(MiniCalDates, MonthStepsShortenTheDayToTheTargetMonth) {
  EXPECT_EQ(zel::AddMonths({2023, 1, 31}, 1), (TCalDate{2023, 2, 28}));
  EXPECT_EQ(zel::AddMonths({2024, 3, 31}, -1), (TCalDate{2024, 2, 29}));
  EXPECT_EQ(zel::AddMonths({2024, 1, 15}, -1), (TCalDate{2023, 12, 15}));
  EXPECT_EQ(zel::AddMonths({2023, 12, 15}, 1), (TCalDate{2024, 1, 15}));
  EXPECT_EQ(zel::AddYears({2024, 2, 29}, 1), (TCalDate{2025, 2, 28}));
  EXPECT_EQ(zel::AddYears({2024, 2, 29}, -4), (TCalDate{2020, 2, 28}));
}

TEST(MiniCalDates, StepsThatWouldLeaveYearsOneToNineThousandDoNothing) {
  EXPECT_EQ(zel::AddMonths({9999, 12, 31}, 1), (TCalDate{9999, 12, 31}));
  EXPECT_EQ(zel::AddMonths({1, 1, 1}, -1), (TCalDate{1, 1, 1}));
  EXPECT_EQ(zel::AddYears({9999, 6, 1}, 1), (TCalDate{9999, 6, 1}));
  EXPECT_EQ(zel::AddYears({1, 6, 1}, -1), (TCalDate{1, 6, 1}));
  EXPECT_EQ(zel::AddMonths({9999, 11, 30}, 1), (TCalDate{9999, 12, 30}));
}

}  // namespace
