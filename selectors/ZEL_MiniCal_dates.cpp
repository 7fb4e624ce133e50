#include <algorithm>

#include "host/ui/DateTime.h"
#include "selectors/ZEL_MiniCalDates.h"

namespace zel {

namespace {

constexpr int kMinYear = 1;
constexpr int kMaxYear = 9999;

// Language ordinals 1..4 have names of their own; every other ordinal reads
// the English table, as the day and month name tables do for lgDefault.
int NameColumn(TLanguage Language) {
  return (Language >= lgEnglish && Language <= lgSpanish) ? int(Language) - 1 : 0;
}

constexpr const char* kMovableNames[6][4] = {
    {"Easter Day", "Ostersonntag", "Le jour de Pâques", "Domingo de Resurrección"},
    {"Easter Monday", "Ostermontag", "Lundi de Pâques", "Lunes de Pascua"},
    {"Ascension Day", "Christi Himmelfahrt", "Ascension du Christ", "Ascensión de Cristo"},
    {"Pentecost", "Pfingstsonntag", "Dimanche de Pentecôte", "Domingo de Pentecostés"},
    {"Whit Monday", "Pfingstmontag", "Lundi de Pentecôte", "Lunes de Pentecostés"},
    {"Corpus Christi", "Fronleichnam", "Corpus Christi", "Corpus Cristi"},
};

struct TFixedRow {
  int Day;
  int Month;
  const char* Names[4];
};
constexpr TFixedRow kFixedRows[kNumFixedHolidays] = {
    {25, 12, {"Christmas Day", "Weihnachten", "Noël", "Navidad"}},
    {26, 12, {"Boxing Day", "Stephanitag", "Jour de boxe", "Día de San Esteban"}},
    {1, 1, {"New Year's Day", "Neujahrstag", "Nouvel An Jour", "Día de Año Nuevo"}},
    {6, 1, {"Epiphany", "Hl. Drei Könige", "Épiphanie", "Epifanía"}},
    {15, 8, {"Assumption of Mary", "Maria Himmelfahrt", "Assomption", "Asunción"}},
    {1, 11, {"All Saints", "Allerheiligen", "La Toussaint", "Día de Todos los Santos"}},
    {8,
     12,
     {"Immaculate Conception", "Maria Empfängnis", "Immaculée Conception",
      "Inmaculada Concepción"}},
    {1, 5, {"Labor Day", "Tag der Arbeit", "Fête du Travail", "Día del Trabajo"}},
};

// Days counted from 1 March, so Easter and the feasts after it compare as
// plain numbers (March d -> d, April d -> d + 31, May d -> d + 61, June d + 92).
int DayFromFirstOfMarch(int Month, int Day) {
  constexpr int kBefore[4] = {0, 31, 61, 92};
  return kBefore[Month - 3] + Day;
}

// Days since 0001-01-01 (day 0), for the weekday and week arithmetic.
long DayNumber(int Year, int Month, int Day) {
  const long y = Year - 1;
  long n = y * 365 + y / 4 - y / 100 + y / 400;
  for (int m = 1; m < Month; ++m) n += host::DaysInMonth(Year, m);
  return n + Day - 1;
}

bool InYearRange(int Year) { return Year >= kMinYear && Year <= kMaxYear; }

}  // namespace

int IsoWeekDay(int Year, int Month, int Day) {
  // 0001-01-01 was a Monday.
  return int(DayNumber(Year, Month, Day) % 7) + 1;
}

int IsoWeekNumber(int Year, int Month, int Day) {
  // The week belongs to the year of its Thursday.
  const long thursday = DayNumber(Year, Month, Day) - IsoWeekDay(Year, Month, Day) + 4;
  int y = Year;
  if (thursday < DayNumber(Year, 1, 1)) {
    y = Year - 1;
  } else if (thursday >= DayNumber(Year + 1, 1, 1)) {
    y = Year + 1;
  }
  return int((thursday - DayNumber(y, 1, 1)) / 7) + 1;
}

void CalcEasterSunday(int Year, int& Day, int& Month) {
  const int K = Year / 100;
  const int B = (3 * K + 3) / 4;
  const int A = Year % 19;
  const int D = (19 * A + B - (8 * K + 13) / 25 + 15) % 30;
  const int G = D + 21 - (A / 11 + D) / 29;
  const int E = G + 7 - (G + (Year + Year / 4 - B + 2) % 7 - 7) % 7;
  if (E >= 32) {
    Day = E - 31;
    Month = 4;
  } else {
    Day = E;
    Month = 3;
  }
}

const char* MovableFeastName(int k, TLanguage Language) {
  if (k < 0 || k >= int(kMovableFeastOffsets.size())) return "";
  return kMovableNames[k][NameColumn(Language)];
}

std::array<TFixedHoliday, kNumFixedHolidays> FixedHolidays(TLanguage Language) {
  std::array<TFixedHoliday, kNumFixedHolidays> out{};
  const int col = NameColumn(Language);
  for (int i = 0; i < kNumFixedHolidays; ++i)
    out[size_t(i)] = {kFixedRows[i].Day, kFixedRows[i].Month, kFixedRows[i].Names[col]};
  return out;
}

int MovableFeastOn(int Year, int Month, int Day) {
  if (Month < 3 || Month > 6) return -1;
  int ed = 0, em = 0;
  CalcEasterSunday(Year, ed, em);
  const int dist = DayFromFirstOfMarch(Month, Day) - DayFromFirstOfMarch(em, ed);
  const auto* it = std::find(kMovableFeastOffsets.begin(), kMovableFeastOffsets.end(), dist);
  return it == kMovableFeastOffsets.end() ? -1 : int(it - kMovableFeastOffsets.begin());
}

int IsoWeekNumberOfWeekRow(int Year, int Month, int Row) {
  // Walk forward month by month; the date may run into the year after 9999,
  // whose week numbers are still well defined.
  int day = 1 + Row * 7;
  while (day > host::DaysInMonth(Year, Month)) {
    day -= host::DaysInMonth(Year, Month);
    if (++Month > 12) {
      Month = 1;
      ++Year;
    }
  }
  return IsoWeekNumber(Year, Month, day);
}

int MonthOffset(int Year, int Month, int FirstDayOfWeek) {
  const int a = (IsoWeekDay(Year, Month, 1) - FirstDayOfWeek + 7) % 7;
  return a == 0 ? -5 : 2 - a;
}

TCalDate AddMonths(const TCalDate& d, int Months) {
  const long total = long(d.Year) * 12 + (d.Month - 1) + Months;
  const int y = int(total / 12);
  if (total < 0 || !InYearRange(y)) return d;
  const int m = int(total % 12) + 1;
  return {y, m, std::min(d.Day, host::DaysInMonth(y, m))};
}

TCalDate AddYears(const TCalDate& d, int Years) {
  const long y = long(d.Year) + Years;
  if (y < kMinYear || y > kMaxYear) return d;
  const int day = (d.Month == 2 && d.Day == 29) ? 28 : d.Day;
  return {int(y), d.Month, day};
}

}  // namespace zel
