#include "selectors/ZEL_MiniCal.h"

#include <algorithm>

namespace zel {

using namespace host;

namespace {

constexpr int kGridSize = 8;

TCalDate PartsOf(TDateTime d) {
  TCalDate c;
  DecodeDate(d, c.Year, c.Month, c.Day);
  return c;
}

}  // namespace

TMiniCal::TMiniCal(TComponent* AOwner) : TCustomDrawGrid(AOwner) {
  FUpdating = true;
  SetColCount(kGridSize);
  SetRowCount(kGridSize);
  SetFixedCols(1);
  SetFixedRows(2);
  SetGridLineWidth(1);
  SetScrollBars(ssNone);
  SetBorderStyle(bsSingle);
  SetOptions((Options() & ~TGridOptions(goRangeSelect)) | goDrawFocusSelected);
  SetDefaultDrawing(false);
  SetDoubleBuffered(true);
  LoadDefaultHolidays();
  FDate = DateOf(Now());
  FCur = PartsOf(FDate);
  FUpdating = false;
  SetBounds(Left(), Top(), 300, 180);
  UpdateCal();
}

TMiniCal::~TMiniCal() = default;

// --- the date

void TMiniCal::StoreDate(TDateTime Value) {
  FCur = PartsOf(Value);  // raises for a value outside the years 1..9999
  FDate = DateOf(Value);
}

void TMiniCal::Changed() {
  UpdateCal();
  if (FOnChange) FOnChange(this);
}

void TMiniCal::SetDate(TDateTime Value) {
  StoreDate(Value);
  Changed();
}

void TMiniCal::MoveTo(const TCalDate& d) { SetDate(EncodeDate(d.Year, d.Month, d.Day)); }

void TMiniCal::SetYear(int v) {
  if (v >= 1 && v <= 9999) StoreDate(EncodeDate(v, FCur.Month, FCur.Day));
  Changed();
}

void TMiniCal::SetMonth(int v) {
  if (v >= 1 && v <= 12) StoreDate(EncodeDate(FCur.Year, v, FCur.Day));
  Changed();
}

void TMiniCal::SetDay(int v) {
  if (v >= 1 && v <= DaysInMonth(FCur.Year, FCur.Month))
    StoreDate(EncodeDate(FCur.Year, FCur.Month, v));
  Changed();
}

void TMiniCal::LastDayOfMonth() { SetDay(DaysInMonth(FCur.Year, FCur.Month)); }

// --- holidays

void TMiniCal::AppendHoliday(int Day, int Month, int Year, const std::string& Caption) {
  const int row = FHolidays.NrOfRows() + 1;
  FHolidays.SetNRows(row);
  FHolidays.SetVal(1, row, Day);
  FHolidays.SetVal(2, row, Month);
  FHolidays.SetVal(3, row, Year);
  FHolidayCaptions.push_back(Caption);
}

void TMiniCal::LoadDefaultHolidays() {
  FHolidays.SetNRows(0);
  FHolidayCaptions.clear();
  for (const TFixedHoliday& h : FixedHolidays(FLanguage))
    AppendHoliday(h.Day, h.Month, kEveryYear, h.Name);
}

void TMiniCal::ClearHolidayList() {
  FHolidays.SetNRows(0);
  FHolidayCaptions.clear();
  UpdateCal();
}

void TMiniCal::AddHoliday(int Day, int Month, const std::string& Caption, int Year) {
  AppendHoliday(Day, Month, Year, Caption);
  UpdateCal();
}

void TMiniCal::AddRepeatHoliday(int Day, int Month, const std::string& Caption) {
  AddHoliday(Day, Month, Caption, kEveryYear);
}

bool TMiniCal::RetrieveHoliday(int HDIndex, int& Day, int& Month, int& Year, bool& IsRepeatHDay,
                               std::string& Description) const {
  if (HDIndex < 1 || HDIndex > GetNumHolidays()) return false;
  Day = FHolidays.GetVal(1, HDIndex);
  Month = FHolidays.GetVal(2, HDIndex);
  Year = FHolidays.GetVal(3, HDIndex);
  IsRepeatHDay = Year == kEveryYear;
  Description = FHolidayCaptions[size_t(HDIndex - 1)];
  return true;
}

bool TMiniCal::CheckHoliday(int Year, int Month, int Day, std::string& Caption) const {
  Caption.clear();
  for (int i = 1; i <= GetNumHolidays(); ++i) {
    const int y = FHolidays.GetVal(3, i);
    if (FHolidays.GetVal(1, i) == Day && FHolidays.GetVal(2, i) == Month &&
        (y == kEveryYear || y == Year)) {
      Caption = FHolidayCaptions[size_t(i - 1)];
      return true;
    }
  }
  if (!FShowMovableHolidays) return false;
  const int k = MovableFeastOn(Year, Month, Day);
  if (k < 0) return false;
  Caption = MovableFeastName(k, FLanguage);
  return true;
}

// --- behaviour and colours

void TMiniCal::SetFirstDayOfWeek(TDayOfWeek v) {
  if (v == FFirstDayOfWeek || v > dwSun) return;
  FFirstDayOfWeek = v;
  Changed();
}

void TMiniCal::SetLanguage(TLanguage v) {
  FLanguage = v;
  LoadDefaultHolidays();
  UpdateCal();
}

void TMiniCal::SetIndicateHolidays(bool v) { SetAndLayOut(FIndicateHolidays, v); }

void TMiniCal::SetShowMovableHolidays(bool v) { SetAndLayOut(FShowMovableHolidays, v); }

void TMiniCal::SetShowHolidayHint(bool v) {
  FShowHolidayHint = v;
  SetHint("");
  if (v) SetShowHint(true);
  UpdateCal();
}

void TMiniCal::SetCtl3D(bool v) {
  TWinControl::SetCtl3D(v);
  Resize();
  Invalidate();
}

void TMiniCal::SetDayColors(TDayOfWeek d, TColor c) {
  if (d > dwSun) return;
  FDayColors[d] = c;
  Changed();
}

// --- layout

void TMiniCal::UpdateCal() {
  if (FUpdating) return;
  FMonthOffset = zel::MonthOffset(FCur.Year, FCur.Month, FFirstDayOfWeek);
  if (FShowHolidayHint) {
    std::string caption;
    if (FIndicateHolidays) CheckHoliday(FCur.Year, FCur.Month, FCur.Day, caption);
    SetHint(caption);
  }
  Invalidate();
}

void TMiniCal::Resize() {
  TCustomDrawGrid::Resize();
  if (FUpdating) return;
  const int lw = GridLineWidth();
  const int k = Ctl3D() ? 2 : 5;
  const int colW = std::max(1, (Width() - 7 * lw) / kGridSize);
  const int rowH = std::max(1, (Height() - 7 * lw) / kGridSize);
  SetDefaultColWidth(colW);
  SetDefaultRowHeight(rowH);
  SetRowHeights(0, std::max(1, Height() + k - (rowH + lw + 1) * 7));
  SetColWidths(0, std::max(1, Width() + k - (colW + lw + 1) * 7));
}

}  // namespace zel
