#include "host/ui/DateTime.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <optional>

#include "host/gfx/Persistent.h"
#include "host/gfx/Types.h"

namespace host {

namespace {
constexpr int64_t kMsPerDay = 86400000;
// Days from 1970-01-01 to 1899-12-30 (the platform's day 0).
constexpr int64_t kEpochShift = 25569;

// Proleptic Gregorian calendar: days since 1970-01-01 of a civil date, and back.
int64_t DaysFromCivil(int y, int m, int d) {
  y -= m <= 2 ? 1 : 0;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& y, int& m, int& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  d = int(doy - (153 * mp + 2) / 5 + 1);
  m = int(mp < 10 ? mp + 3 : mp - 9);
  y = int(yoe + era * 400 + (m <= 2 ? 1 : 0));
}

}  // namespace

bool IsLeapYear(int Year) { return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0); }

int DaysInMonth(int Year, int Month) {
  static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (Month < 1 || Month > 12) return 0;
  return Month == 2 && IsLeapYear(Year) ? 29 : days[Month - 1];
}

bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date) {
  if (Year < 1 || Year > 9999 || Day < 1 || Day > DaysInMonth(Year, Month)) return false;
  Date = double(DaysFromCivil(Year, Month, Day) + kEpochShift);
  return true;
}

TDateTime EncodeDate(int Year, int Month, int Day) {
  TDateTime d = 0;
  if (!TryEncodeDate(Year, Month, Day, d)) throw EConvertError("Invalid argument to date encode");
  return d;
}

bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Time) {
  if (Hour < 0 || Hour > 23 || Min < 0 || Min > 59 || Sec < 0 || Sec > 59 || MSec < 0 || MSec > 999)
    return false;
  Time = double(((int64_t(Hour) * 60 + Min) * 60 + Sec) * 1000 + MSec) / double(kMsPerDay);
  return true;
}

TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec) {
  TDateTime t = 0;
  if (!TryEncodeTime(Hour, Min, Sec, MSec, t))
    throw EConvertError("Invalid argument to time encode");
  return t;
}

TDateTime ComposeDateTime(TDateTime Date, TDateTime Time) {
  const double day = std::trunc(Date);
  const double time = std::fabs(Frac(Time));
  return day < 0 ? day - time : day + time;
}

TDateTimeParts DecodeDateTime(TDateTime Value) {
  // Days since 1899-12-30 of the first day of year 1 and of the day after 9999-12-31.
  constexpr double kMinDays = -693593.0;
  constexpr double kEndDays = 2958466.0;
  if (!std::isfinite(Value) || Value <= kMinDays - 1 || Value >= kEndDays)
    throw EConvertError("Invalid argument to date encode");
  int64_t days = int64_t(std::trunc(Value));
  int64_t ms = std::llround(std::fabs(Value - double(days)) * double(kMsPerDay));
  if (ms >= kMsPerDay) {  // rounded up to midnight: the next calendar day
    ms -= kMsPerDay;
    days += 1;
  }
  TDateTimeParts p;
  CivilFromDays(days - kEpochShift, p.Year, p.Month, p.Day);
  p.DayOfWeek = int(((days % 7) + 7 + 6) % 7);  // day 0 was a Saturday
  p.Hour = int(ms / 3600000);
  p.Minute = int(ms / 60000 % 60);
  p.Second = int(ms / 1000 % 60);
  p.MSec = int(ms % 1000);
  return p;
}

TDateTime EncodeDateTime(const TDateTimeParts& p) {
  return ComposeDateTime(EncodeDate(p.Year, p.Month, p.Day),
                         EncodeTime(p.Hour, p.Minute, p.Second, p.MSec));
}

void DecodeDate(TDateTime Value, int& Year, int& Month, int& Day) {
  TDateTimeParts p = DecodeDateTime(Value);
  Year = p.Year;
  Month = p.Month;
  Day = p.Day;
}

void DecodeTime(TDateTime Value, int& Hour, int& Min, int& Sec, int& MSec) {
  TDateTimeParts p = DecodeDateTime(Value);
  Hour = p.Hour;
  Min = p.Minute;
  Sec = p.Second;
  MSec = p.MSec;
}

int DayOfWeek(TDateTime Value) { return DecodeDateTime(Value).DayOfWeek + 1; }

TDateTime DateOf(TDateTime Value) {
  TDateTimeParts p = DecodeDateTime(Value);
  return EncodeDate(p.Year, p.Month, p.Day);
}

TDateTime TimeOf(TDateTime Value) {
  TDateTimeParts p = DecodeDateTime(Value);
  return EncodeTime(p.Hour, p.Minute, p.Second, p.MSec);
}

namespace {

std::optional<TDateTime>& FixedNow() {
  static std::optional<TDateTime> fixed;
  return fixed;
}

TDateTime SystemNow() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t secs = system_clock::to_time_t(now);
  const int ms = int(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
  std::tm local{};
  localtime_r(&secs, &local);
  // A leap second (tm_sec 60) is shown as the last second of its minute.
  return ComposeDateTime(
      EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday),
      EncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59), std::max(ms, 0)));
}

}  // namespace

TDateTime Now() { return FixedNow() ? *FixedNow() : SystemNow(); }

TDateTime Date() { return DateOf(Now()); }

void SetNowForTesting(TDateTime Value) { FixedNow() = Value; }

void ClearNowForTesting() { FixedNow().reset(); }

std::string ZeroPadded(int Value, int Width) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*d", Width, Value);
  return buf;
}

}  // namespace host
