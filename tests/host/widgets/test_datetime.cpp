// The picker's format letters, and the date-time picker's
// key editing, mouse, limits and calendar drop-down.
#include "host/ui/FormatSettings.h"
#include "host/widgets/DateTimePicker.h"
#include "tests/support/Headless.h"

using namespace host;
using namespace zeltest;

namespace {

// English names whatever the machine's locale, so texts can be compared.
void EnglishNames() {
  TFormatSettings& fs = FormatSettings();
  fs.ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  fs.LongMonthNames = {"January", "February", "March",     "April",   "May",      "June",
                       "July",    "August",   "September", "October", "November", "December"};
  fs.ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  fs.LongDayNames = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  fs.TimeAMString = "AM";
  fs.TimePMString = "PM";
}

TEST(DateUtils, FormatLettersAndLiterals) {
  EnglishNames();
  const TDateTime v = EncodeDate(2025, 3, 7) + EncodeTime(19, 5, 9, 0);
  EXPECT_EQ(FormatPickerDateTime("yyyy-MM-dd HH:mm:ss", v), "2025-03-07 19:05:09");
  EXPECT_EQ(FormatPickerDateTime("d/M/yy h:m:s tt", v), "7/3/25 7:5:9 PM");
  EXPECT_EQ(FormatPickerDateTime("dddd, MMMM d", v), "Friday, March 7");
  EXPECT_EQ(FormatPickerDateTime("ddd MMM hh t", v), "Fri Mar 07 P");
  EXPECT_EQ(FormatPickerDateTime("'Day' d 'o''clock' H", v), "Day 7 o'clock 19");
  EXPECT_EQ(FormatPickerDateTime("h tt", EncodeDate(2025, 3, 7)), "12 AM");
  EXPECT_EQ(FormatPickerDateTime("'open", v), "open");  // unterminated quote
  // Case matters: m is the minute, M the month.
  EXPECT_EQ(FormatPickerDateTime("m M", v), "5 3");
  const auto tokens = TokenizeDateFormat("dd.MM.yyyy");
  ASSERT_EQ(tokens.size(), 5u);
  EXPECT_EQ(tokens[1].Text, ".");
  EXPECT_EQ(tokens[4].Letter, 'y');
  EXPECT_EQ(tokens[4].Count, 4);
}

class Picker : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    EnglishNames();
    P = Make<TDateTimePicker>(10, 10, 180, 0);
    P->SetFormat("dd.MM.yyyy HH:mm");
    P->SetDateTime(EncodeDate(2024, 1, 31) + EncodeTime(23, 45, 0, 0));
    P->SetOnChange([this](TObject*) { ++Changes; });
    P->SetFocus();
    Changes = 0;
  }
  TDateTimePicker* P = nullptr;
  int Changes = 0;
};

TEST_F(Picker, ArrowsStepTheSelectedFieldRoundItsRange) {
  EXPECT_EQ(P->DisplayText(), "31.01.2024 23:45");
  PressKey(Form(), VK_UP);  // day 31 wraps to 1 within January
  EXPECT_EQ(P->DisplayText(), "01.01.2024 23:45");
  PressKey(Form(), VK_DOWN);
  PressKey(Form(), VK_RIGHT);
  PressKey(Form(), VK_UP);  // February has no 31st: the day follows the month
  EXPECT_EQ(P->DisplayText(), "29.02.2024 23:45");
  PressKey(Form(), VK_RIGHT);
  PressKey(Form(), VK_DOWN);  // 2023 is no leap year
  EXPECT_EQ(P->DisplayText(), "28.02.2023 23:45");
  PressKey(Form(), VK_RIGHT);
  PressKey(Form(), VK_UP);  // hour 23 wraps to 0 without touching the date
  EXPECT_EQ(P->DisplayText(), "28.02.2023 00:45");
  PressKey(Form(), VK_END);
  EXPECT_EQ(P->DisplayText(), "28.02.2023 23:45");
  EXPECT_EQ(Changes, 6);
  PressKey(Form(), VK_RIGHT);
  PressKey(Form(), VK_RIGHT);  // stays on the last field
  EXPECT_EQ(P->SelectedField(), 4);
}

TEST_F(Picker, DigitsFillAFieldAndMoveOn) {
  TypeText(Form(), "24");
  EXPECT_EQ(P->SelectedField(), 1);  // two digits fill the day
  TypeText(Form(), "3");             // no month 3x: it moves on at once
  EXPECT_EQ(P->SelectedField(), 2);
  TypeText(Form(), "2025");
  EXPECT_EQ(P->DisplayText(), "24.03.2025 23:45");
  TypeText(Form(), "7:05");  // ':' moves on from the hour
  EXPECT_EQ(P->DisplayText(), "24.03.2025 07:05");
  P->SetSelectedField(0);
  TypeText(Form(), "0");  // no day 0: waits for the second digit
  EXPECT_EQ(P->DisplayText(), "24.03.2025 07:05");
  TypeText(Form(), "9");
  EXPECT_EQ(P->DisplayText(), "09.03.2025 07:05");
}

TEST_F(Picker, NamesAndTwelveHourClock) {
  P->SetFormat("ddd d MMMM yy h:mm tt");
  EXPECT_EQ(P->DisplayText(), "Wed 31 January 24 11:45 PM");
  P->SetSelectedField(2);
  TypeText(Form(), "m");  // next month named m..: March
  EXPECT_EQ(P->DisplayText(), "Sun 31 March 24 11:45 PM");
  TypeText(Form(), "m");  // then May
  EXPECT_EQ(P->DisplayText(), "Fri 31 May 24 11:45 PM");
  P->SetSelectedField(6);
  TypeText(Form(), "a");
  EXPECT_EQ(P->DisplayText(), "Fri 31 May 24 11:45 AM");
  P->SetSelectedField(0);  // the day name moves within the week
  PressKey(Form(), VK_HOME);
  EXPECT_EQ(P->DisplayText(), "Sun 26 May 24 11:45 AM");
}

TEST_F(Picker, LimitsClampAndProgramWritesFireChange) {
  P->SetMinDate(EncodeDate(2024, 1, 1));
  P->SetMaxDate(EncodeDate(2024, 12, 31));
  EXPECT_EQ(Changes, 0);
  P->SetSelectedField(2);
  PressKey(Form(), VK_UP);  // 2025 is past the limit
  EXPECT_EQ(P->DateTime(), EncodeDate(2024, 12, 31));
  P->SetDate(EncodeDate(2024, 6, 1));
  EXPECT_EQ(P->Date(), EncodeDate(2024, 6, 1));
  EXPECT_EQ(Changes, 2);
  P->SetDateTime(P->DateTime());  // unchanged: no event
  EXPECT_EQ(Changes, 2);
  EXPECT_THROW(P->SetDateTime(1e9), EConvertError);
}

TEST_F(Picker, ClickSelectsTheFieldUnderThePointer) {
  TCanvas* c = Form()->Canvas();
  c->Font()->Assign(P->Font());
  const int x = 4 + c->TextWidth("31.01.") + 2;
  Click(static_cast<TControl*>(P), x, 8);
  EXPECT_EQ(P->SelectedField(), 2);
}

TEST_F(Picker, CalendarDropsPicksWithKeysAndMouseAndCloses) {
  std::vector<std::string> events;
  P->SetOnDropDown([&](TObject*) { events.push_back("drop"); });
  P->SetOnCloseUp([&](TObject*) { events.push_back("close"); });
  PressKey(Form(), VK_DOWN, ssAlt);
  ASSERT_TRUE(P->DroppedDown());
  PressKey(Form(), VK_RIGHT);   // 1 Feb
  PressKey(Form(), VK_NEXT);    // 1 Mar
  PressKey(Form(), VK_RETURN);  // picks it, keeping the time
  EXPECT_FALSE(P->DroppedDown());
  EXPECT_EQ(P->DateTime(), EncodeDate(2024, 3, 1) + EncodeTime(23, 45, 0, 0));
  EXPECT_EQ(Changes, 1);
  // The button opens it; a click on a day picks that day.
  Click(static_cast<TControl*>(P), P->Width() - 8, 8);
  ASSERT_TRUE(P->DroppedDown());
  TControl* cal = P->CalendarControl();
  ASSERT_NE(GetParentForm(cal), Form());                // a window of its own
  Click(cal, cal->Width() / 2, cal->Height() * 3 / 4);  // a day late in March
  EXPECT_FALSE(P->DroppedDown());
  const TDateTimeParts picked = DecodeDateTime(P->DateTime());
  EXPECT_EQ(picked.Month, 3);
  EXPECT_GT(picked.Day, 14);
  EXPECT_EQ(picked.Hour, 23);
  // Escape closes without a change; a press elsewhere closes too.
  PressKey(Form(), VK_F4);
  const TDateTime before = P->DateTime();
  PressKey(Form(), VK_ESCAPE);
  EXPECT_FALSE(P->DroppedDown());
  PressKey(Form(), VK_F4);
  Click(Form(), 5, 100);
  EXPECT_FALSE(P->DroppedDown());
  EXPECT_EQ(P->DateTime(), before);
  EXPECT_EQ(events, (std::vector<std::string>{"drop", "close", "drop", "close", "drop", "close",
                                              "drop", "close"}));
}

TEST_F(Picker, TimeOnlyFormatShowsSpinButtonsAndNoCalendar) {
  P->SetFormat("HH:mm");
  PressKey(Form(), VK_F4);
  EXPECT_FALSE(P->DroppedDown());
  Click(static_cast<TControl*>(P), P->Width() - 8, 4);  // the upper spin button
  EXPECT_EQ(P->DisplayText(), "00:45");
  Wheel(Form(), 20, 20, -120);
  EXPECT_EQ(P->DisplayText(), "23:45");
}

TEST_F(Picker, ANewPickerStartsAtTheWallClocksNow) {
  SetNowForTesting(EncodeDate(2026, 12, 8) + EncodeTime(9, 15, 30, 0));
  auto* p = Make<TDateTimePicker>(10, 40, 180, 0);
  ClearNowForTesting();
  EXPECT_DOUBLE_EQ(p->DateTime(), EncodeDate(2026, 12, 8) + EncodeTime(9, 15, 30, 0));
  EXPECT_DOUBLE_EQ(p->Date(), EncodeDate(2026, 12, 8));
}

}  // namespace
