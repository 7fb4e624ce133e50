// The cells of the calendar. Every cell is painted from the selected date and
// the page offset alone; the grid calls DrawCell for each cell in turn.
#include <string>

#include "foundation/Zel_univconst.h"
#include "foundation/Zel_zelcolors.h"
#include "host/widgets/Look.h"
#include "selectors/ZEL_MiniCal.h"

namespace zel {

using namespace host;

namespace {

// The button frame of the calendar: a white and a light ring at the top and
// left, a dark and a mid-grey ring at the bottom and right.
constexpr TColor kButtonOuterDark = 0x686868;
constexpr TColor kButtonInnerDark = 0x9CA0A5;
constexpr TColor kButtonInnerLight = 0xE6E2E2;

const char* const kButtonTexts[8] = {"", "<<", "<", "", "", "", ">", ">>"};

}  // namespace

void TMiniCal::DrawCentred(const TRect& r, const std::string& text, TColor bg, TColor fg) {
  TCanvas* c = Canvas();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(bg);
  c->FillRect(r);
  c->Brush()->SetStyle(bsClear);
  c->Font()->SetColor(fg);
  c->TextOut(r.Left + (r.Width() - c->TextWidth(text)) / 2,
             r.Top + (r.Height() - c->TextHeight(text)) / 2, text);
}

void TMiniCal::DrawButtonCell(const TRect& r, const std::string& text) {
  DrawCentred(r, text, clBtnFace, clBlack);
  if (!Ctl3D()) return;
  TRect edge = r;
  Frame3D(Canvas(), edge, clWhite, kButtonOuterDark);
  Frame3D(Canvas(), edge, kButtonInnerLight, kButtonInnerDark);
}

std::string TMiniCal::TitleText() const {
  const auto& names = FShowMonthShort ? MonthShort : MonthLong;
  return std::string(names[FLanguage < kNumLanguages ? FLanguage : lgDefault][FCur.Month - 1]) +
         " " + std::to_string(FCur.Year);
}

void TMiniCal::DrawDayCell(int ACol, int ARow, const TRect& r) {
  const int n = DayNumberAt(ACol, ARow);
  const int days = DaysInMonth(FCur.Year, FCur.Month);
  TColor bg = FDayColors[(FFirstDayOfWeek + ACol - 1) % 7];
  if (n < 1) {
    const int prev = FCur.Month == 1 ? 31 : DaysInMonth(FCur.Year, FCur.Month - 1);
    DrawCentred(r, std::to_string(prev + n), bg, FColorInactiveMonth);
    return;
  }
  if (n > days) {
    DrawCentred(r, std::to_string(n - days), bg, FColorInactiveMonth);
    return;
  }
  TColor fg = FColorActiveMonth;
  std::string caption;
  const bool holiday = FIndicateHolidays && CheckHoliday(FCur.Year, FCur.Month, n, caption);
  if (holiday) {
    bg = FColorHolidayBg;
    fg = FColorHolidayFg;
  }
  if (n == FCur.Day) {
    fg = FColorSelectedFg;
    bg = holiday ? MeanColor(FColorSelectedBg, FColorHolidayBg) : FColorSelectedBg;
  }
  DrawCentred(r, std::to_string(n), bg, fg);
  if (!FMarkToday) return;
  int ty = 0, tm = 0, td = 0;
  DecodeDate(host::Date(), ty, tm, td);
  if (ty != FCur.Year || tm != FCur.Month || td != n) return;
  TCanvas* c = Canvas();
  c->Pen()->SetColor(FColorToday);
  c->Pen()->SetWidth(1);
  c->Brush()->SetStyle(bsClear);
  c->Ellipse(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2);
}

void TMiniCal::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState) {
  Canvas()->SetFont(Font());
  if (ARow == 0) {
    if (ACol == 5) {
      // The title spans columns 3 to 5: this cell and the two before it with
      // their grid lines.
      TRect r = ARect;
      r.Left -= 2 * ARect.Width() + 2;
      DrawButtonCell(r, TitleText());
    } else if (ACol != 0 && ACol != 3 && ACol != 4) {
      DrawButtonCell(ARect, kButtonTexts[ACol]);
    }
    return;
  }
  if (ARow == 1) {
    if (ACol == 0) {
      // "#" covers row 0 of the week-number column too.
      TRect r = ARect;
      r.Top -= RowHeights(0) + GridLineWidth();
      DrawButtonCell(r, "#");
      return;
    }
    const int lang = FLanguage < kNumLanguages ? FLanguage : lgDefault;
    DrawCentred(ARect, WeekDayShort[lang][(FFirstDayOfWeek + ACol - 1) % 7], FColorDayIdBg,
                FColorDayIdFg);
    return;
  }
  if (ACol == 0) {
    DrawCentred(ARect, std::to_string(IsoWeekNumberOfWeekRow(FCur.Year, FCur.Month, ARow - 2)),
                FColorWeekNoBg, FColorWeekNoFg);
    return;
  }
  DrawDayCell(ACol, ARow, ARect);
}

}  // namespace zel
