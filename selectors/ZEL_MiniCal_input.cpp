// Mouse input of the calendar: the navigation buttons and day picks happen on
// the left button's press; the grid's own selection handling is bypassed, so
// the grid never drags a selection across the page.
#include "selectors/ZEL_MiniCal.h"

namespace zel {

using namespace host;

void TMiniCal::GoToday() { SetDate(host::Date()); }

void TMiniCal::ClickButton(int ACol) {
  switch (ACol) {
    case 0:
      GoToday();
      break;
    case 1:
      PrevYear();
      break;
    case 2:
      PrevMonth();
      break;
    case 6:
      NextMonth();
      break;
    case 7:
      NextYear();
      break;
    default:
      break;
  }
}

void TMiniCal::ClickDay(int ACol, int ARow) {
  int n = DayNumberAt(ACol, ARow);
  const int days = DaysInMonth(FCur.Year, FCur.Month);
  TCalDate page{FCur.Year, FCur.Month, 1};
  if (n < 1 || n > days) {
    const TCalDate next = AddMonths(page, n < 1 ? -1 : 1);
    // Without AutoSwitch, or at the edge of the years 1..9999, the grey days
    // are not picked.
    if (!FAutoSwitch || next == page) {
      UpdateCal();
      return;
    }
    n = n < 1 ? n + DaysInMonth(next.Year, next.Month) : n - days;
    page = next;
  }
  if (n >= 1 && n <= DaysInMonth(page.Year, page.Month)) {
    page.Day = n;
    MoveTo(page);
    return;
  }
  UpdateCal();
}

void TMiniCal::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TControl::MouseDown(Button, Shift, X, Y);
  if (CanFocus() && !Focused()) SetFocus();
  if (Button != mbLeft) return;
  const TGridCoord cell = MouseCoord(X, Y);
  if (cell.X < 0 || cell.Y < 0) return;
  if (cell.Y >= 2 && cell.X >= 1) {
    ClickDay(cell.X, cell.Y);
  } else if (cell.Y == 0) {
    ClickButton(cell.X);
  } else if (cell.Y == 1 && cell.X == 0) {
    GoToday();
  }
}

void TMiniCal::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TControl::MouseUp(Button, Shift, X, Y);
}

}  // namespace zel
