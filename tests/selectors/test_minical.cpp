#include <gtest/gtest.h>

#include <string>

#include "host/ui/Forms.h"
#include "selectors/ZEL_MiniCal.h"
#include "tests/support/Headless.h"

namespace {

using namespace host;
using zel::TMiniCal;

// Every test runs on Monday 20 May 2024 (Whit Monday), 10:00.
class MiniCalTest : public zeltest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    SetNowForTesting(EncodeDate(2024, 5, 20) + 10.0 / 24);
    Form()->SetBounds(0, 0, 320, 200);
    Cal = Make<TMiniCal>(10, 10, 300, 180);
    Cal->SetOnChange([this](TObject*) { ++Changes; });
  }
  void TearDown() override {
    ClearNowForTesting();
    HeadlessTest::TearDown();
  }
  void ClickCell(int col, int row) {
    const TRect r = Cal->CellRect(col, row);
    zeltest::Click(Cal, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }
  void Select(int y, int m, int d) { Cal->SetDate(EncodeDate(y, m, d)); }
  TColor PixelInCell(int col, int row, int dx = 3, int dy = 3) {
    const TRect r = Cal->CellRect(col, row);
    return zeltest::PixelAt(Cal, r.Left + dx, r.Top + dy);
  }
  TMiniCal* Cal = nullptr;
  int Changes = 0;
};

TEST_F(MiniCalTest, StartsOnTodayWithTheEnglishHolidays) {
  EXPECT_EQ(Cal->Year(), 2024);
  EXPECT_EQ(Cal->Month(), 5);
  EXPECT_EQ(Cal->Day(), 20);
  EXPECT_EQ(Cal->Date(), EncodeDate(2024, 5, 20));
  EXPECT_EQ(Cal->GetNumHolidays(), 8);
  EXPECT_EQ(Cal->HolidayList().NrOfColumns(), 3);
  EXPECT_EQ(Cal->Hint(), "Whit Monday");  // the selected date's holiday
}

TEST_F(MiniCalTest, CellSizesFollowTheControlSize) {
  EXPECT_EQ(Cal->DefaultColWidth(), 36);  // (300 - 7) div 8
  EXPECT_EQ(Cal->DefaultRowHeight(), 21);
  EXPECT_EQ(Cal->ColWidths(0), 300 + 2 - 38 * 7);
  EXPECT_EQ(Cal->RowHeights(0), 180 + 2 - 23 * 7);
  Cal->SetCtl3D(false);
  Cal->SetBounds(10, 10, 250, 150);
  EXPECT_EQ(Cal->DefaultColWidth(), 30);  // (250 - 7) div 8
  EXPECT_EQ(Cal->DefaultRowHeight(), 17);
  EXPECT_EQ(Cal->ColWidths(0), 250 + 5 - 32 * 7);
  EXPECT_EQ(Cal->RowHeights(0), 150 + 5 - 19 * 7);
}

TEST_F(MiniCalTest, TheFirstOfTheMonthSitsInItsWeekdayColumn) {
  Select(2024, 9, 10);  // starts on a Sunday
  EXPECT_EQ(Cal->DayNumberAt(7, 2), 1);
  EXPECT_EQ(Cal->DayNumberAt(1, 2), -5);
  Select(2024, 7, 10);  // starts on a Monday
  EXPECT_EQ(Cal->DayNumberAt(1, 2), 1);
  Cal->SetFirstDayOfWeek(zel::dwSun);
  EXPECT_EQ(Cal->DayNumberAt(2, 2), 1);
}

TEST_F(MiniCalTest, MonthAndYearStepsShortenTheDay) {
  Select(2023, 1, 31);
  Changes = 0;
  Cal->NextMonth();
  EXPECT_EQ(Cal->Date(), EncodeDate(2023, 2, 28));
  Select(2024, 2, 29);
  Cal->NextYear();
  EXPECT_EQ(Cal->Date(), EncodeDate(2025, 2, 28));
  Select(2024, 3, 31);
  Cal->PrevMonth();
  EXPECT_EQ(Cal->Date(), EncodeDate(2024, 2, 29));
  Cal->LastDayOfMonth();
  Cal->PrevYear();
  EXPECT_EQ(Cal->Date(), EncodeDate(2023, 2, 28));
  EXPECT_EQ(Changes, 7);  // every step and every SetDate
}

TEST_F(MiniCalTest, InvalidPartsAreKeptAndAMissingDayRaises) {
  Select(2024, 1, 31);
  Cal->SetMonth(0);
  Cal->SetMonth(13);
  Cal->SetDay(32);
  Cal->SetYear(0);
  Cal->SetYear(10000);
  EXPECT_EQ(Cal->Date(), EncodeDate(2024, 1, 31));
  EXPECT_THROW(Cal->SetMonth(2), EConvertError);
  EXPECT_EQ(Cal->Date(), EncodeDate(2024, 1, 31));
  Cal->SetMonth(3);
  EXPECT_EQ(Cal->Date(), EncodeDate(2024, 3, 31));
}

TEST_F(MiniCalTest, StepsAtTheEdgesOfTheCalendarDoNothing) {
  // The loop would hand an escaping exception to the application: none may come.
  int reported = 0;
  Application->SetOnException([&](TObject*, const std::exception&) { ++reported; });
  Select(9999, 12, 31);
  EXPECT_NO_THROW(ClickCell(7, 0));  // ">>"
  EXPECT_NO_THROW(ClickCell(6, 0));  // ">"
  EXPECT_EQ(Cal->Date(), EncodeDate(9999, 12, 31));
  // The grey days of "January 10000" are not picked either.
  EXPECT_GT(Cal->DayNumberAt(7, 7), 31);
  EXPECT_NO_THROW(ClickCell(7, 7));
  EXPECT_EQ(Cal->Date(), EncodeDate(9999, 12, 31));
  Select(1, 1, 1);
  EXPECT_NO_THROW(ClickCell(1, 0));  // "<<"
  EXPECT_NO_THROW(ClickCell(2, 0));  // "<"
  EXPECT_NO_THROW(ClickCell(1, 2));  // a grey day of "December 0"
  EXPECT_EQ(Cal->Date(), EncodeDate(1, 1, 1));
  EXPECT_EQ(reported, 0);
}

TEST_F(MiniCalTest, NavigationButtonsAndToday) {
  ClickCell(6, 0);
  EXPECT_EQ(Cal->Date(), EncodeDate(2024, 6, 20));
  ClickCell(7, 0);
  EXPECT_EQ(Cal->Date(), EncodeDate(2025, 6, 20));
  ClickCell(2, 0);
  ClickCell(1, 0);
  EXPECT_EQ(Cal->Date(), EncodeDate(2024, 5, 20));
  Select(2020, 1, 1);
  ClickCell(0, 1);  // "#"
  EXPECT_EQ(Cal->Date(), EncodeDate(2024, 5, 20));
  Select(2020, 1, 1);
  const TRect r = Cal->CellRect(0, 0);  // the top of "#"
  zeltest::Click(Cal, r.Left + 3, r.Top + 3);
  EXPECT_EQ(Cal->Date(), EncodeDate(2024, 5, 20));
}

TEST_F(MiniCalTest, ClickingADayPicksItAndGreyDaysSwitchMonth) {
  Select(2024, 9, 10);  // 1 September in column 7 of row 2
  Changes = 0;
  ClickCell(1, 3);
  EXPECT_EQ(Cal->Date(), EncodeDate(2024, 9, 2));
  ClickCell(1, 2);  // 26 August
  EXPECT_EQ(Cal->Date(), EncodeDate(2024, 8, 26));
  EXPECT_EQ(Changes, 2);
  Select(2024, 12, 10);
  ClickCell(7, 7);  // grey days of January
  EXPECT_EQ(Cal->Year(), 2025);
  EXPECT_EQ(Cal->Month(), 1);
}

TEST_F(MiniCalTest, WithoutAutoSwitchGreyDaysChangeNothing) {
  Cal->SetAutoSwitch(false);
  Select(2024, 9, 10);
  Changes = 0;
  ClickCell(1, 2);
  ClickCell(7, 7);
  EXPECT_EQ(Cal->Date(), EncodeDate(2024, 9, 10));
  EXPECT_EQ(Changes, 0);
}

TEST_F(MiniCalTest, HolidaysFixedMovableAndOneTime) {
  std::string caption;
  EXPECT_TRUE(Cal->CheckHoliday(2024, 12, 25, caption));
  EXPECT_EQ(caption, "Christmas Day");
  EXPECT_TRUE(Cal->CheckHoliday(2024, 5, 20, caption));
  EXPECT_EQ(caption, "Whit Monday");
  EXPECT_TRUE(Cal->CheckHoliday(2025, 6, 19, caption));
  EXPECT_EQ(caption, "Corpus Christi");
  Cal->SetShowMovableHolidays(false);
  EXPECT_FALSE(Cal->CheckHoliday(2024, 5, 20, caption));
  EXPECT_EQ(caption, "");
  Cal->AddHoliday(3, 3, "Open day", 2025);
  EXPECT_TRUE(Cal->CheckHoliday(2025, 3, 3, caption));
  EXPECT_FALSE(Cal->CheckHoliday(2026, 3, 3, caption));
  Cal->AddRepeatHoliday(4, 7, "Site party");
  int d = 0, m = 0, y = 0;
  bool rep = false;
  std::string text;
  ASSERT_TRUE(Cal->RetrieveHoliday(10, d, m, y, rep, text));
  EXPECT_EQ(d, 4);
  EXPECT_EQ(m, 7);
  EXPECT_EQ(y, TMiniCal::kEveryYear);
  EXPECT_TRUE(rep);
  EXPECT_EQ(text, "Site party");
  EXPECT_FALSE(Cal->RetrieveHoliday(11, d, m, y, rep, text));
  EXPECT_FALSE(Cal->RetrieveHoliday(0, d, m, y, rep, text));
  Cal->ClearHolidayList();
  EXPECT_EQ(Cal->GetNumHolidays(), 0);
}

TEST_F(MiniCalTest, LanguageRebuildsTheHolidayListAndNamesTheHint) {
  Cal->AddRepeatHoliday(4, 7, "Site party");
  Cal->SetLanguage(zel::lgGerman);
  EXPECT_EQ(Cal->GetNumHolidays(), 8);
  EXPECT_EQ(Cal->Hint(), "Pfingstmontag");
  Select(2024, 12, 26);
  EXPECT_EQ(Cal->Hint(), "Stephanitag");
  Cal->SetIndicateHolidays(false);
  EXPECT_EQ(Cal->Hint(), "");
  Cal->SetLanguage(zel::lgDefault);
  Cal->SetIndicateHolidays(true);
  EXPECT_EQ(Cal->Hint(), "Boxing Day");
}

TEST_F(MiniCalTest, DayCellsShowSelectionHolidaysAndToday) {
  Select(2024, 5, 10);
  // May 2024 starts on a Wednesday: day 1 in column 3, day 10 in column 5 of row 3.
  EXPECT_EQ(PixelInCell(5, 3), TColor(0xD0A040));  // selected
  EXPECT_EQ(PixelInCell(3, 2), TColor(0x9BD8F1));  // 1 May, Labor Day
  EXPECT_EQ(PixelInCell(4, 3), TColor(0x9BD8F1));  // 9 May, Ascension
  EXPECT_EQ(PixelInCell(4, 5), TColor(0xF8F8F8));  // 23 May, a plain Thursday
  EXPECT_EQ(PixelInCell(1, 2), TColor(0xF8F8F8));  // a grey April day, Monday colour
  EXPECT_EQ(PixelInCell(7, 3), TColor(0xCCEEFF));  // Sunday 12 May
  // Today (Whit Monday, 20 May) has the red ring: a pixel on its left edge.
  const TRect r = Cal->CellRect(1, 5);
  EXPECT_EQ(zeltest::PixelAt(Cal, r.Left + 2, (r.Top + r.Bottom) / 2), TColor(0x0000FF));
  Cal->SetMarkToday(false);
  EXPECT_EQ(zeltest::PixelAt(Cal, r.Left + 2, (r.Top + r.Bottom) / 2), TColor(0x9BD8F1));
}

TEST_F(MiniCalTest, Golden) {
  Select(2024, 5, 10);
  EXPECT_TRUE(zeltest::MatchesGolden(Form(), "minical-may-2024"));
}

}  // namespace
