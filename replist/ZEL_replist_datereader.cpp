// The format-driven date and time reader of the row dialog.
#include "replist/ZEL_replist_datereader.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "foundation/Zel_dstruct.h"
#include "host/ui/FormatSettings.h"
#include "host/widgets/DateUtils.h"

namespace zel {

namespace {

constexpr std::array<std::string_view, 12> kLongMonths = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<std::string_view, 12> kShortMonths = {
    "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::array<std::string_view, 7> kLongDays = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                       "Thursday", "Friday", "Saturday"};
constexpr std::array<std::string_view, 7> kShortDays = {"Sun", "Mon", "Tue", "Wed",
                                                        "Thu", "Fri", "Sat"};

// A number typed into a one-letter field saturates here: far beyond every
// calendar range, so the range check still refuses it.
constexpr int kFieldLimit = 99999;

struct TReadState {
  std::string_view Text;
  size_t Pos = 0;
  int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
  bool TwelveHour = false;
  int Marker = 0;  // 0 none read, 1 morning, 2 afternoon
};

// Length of the longest name of either list that the text starts with
// (ignoring case), and its index; 0 when none matches.
template <size_t N>
size_t MatchName(const TReadState& s, const std::array<std::string_view, N>& english,
                 const std::array<std::string, N>& local, int& index) {
  const std::string_view rest = s.Text.substr(s.Pos);
  size_t best = 0;
  auto consider = [&](std::string_view name, int i) {
    if (name.empty() || name.size() <= best || name.size() > rest.size()) return;
    if (FoldCase(rest.substr(0, name.size())) == FoldCase(name)) best = name.size(), index = i;
  };
  for (size_t i = 0; i < N; ++i) consider(english[i], int(i)), consider(local[i], int(i));
  return best;
}

// Exactly `digits` decimal digits.
bool ReadFixedDigits(TReadState& s, int digits, int& value) {
  if (s.Pos + size_t(digits) > s.Text.size()) return false;
  value = 0;
  for (int k = 0; k < digits; ++k) {
    const char ch = s.Text[s.Pos + size_t(k)];
    if (ch < '0' || ch > '9') return false;
    value = value * 10 + (ch - '0');
  }
  s.Pos += size_t(digits);
  return true;
}

// Leading spaces, an optional sign, then at least one digit; clamps.
bool ReadFreeNumber(TReadState& s, int& value) {
  size_t i = s.Pos;
  while (i < s.Text.size() && s.Text[i] == ' ') ++i;
  bool negative = false;
  if (i < s.Text.size() && (s.Text[i] == '+' || s.Text[i] == '-')) negative = s.Text[i++] == '-';
  const size_t first = i;
  int v = 0;
  for (; i < s.Text.size() && s.Text[i] >= '0' && s.Text[i] <= '9'; ++i)
    v = std::min(v * 10 + (s.Text[i] - '0'), kFieldLimit);
  if (i == first) return false;
  value = negative ? -v : v;
  s.Pos = i;
  return true;
}

// A number field of run length `count`: 1 any length, 2 exactly two digits.
bool ReadNumberField(TReadState& s, int count, int& value) {
  if (count == 1) return ReadFreeNumber(s, value);
  return count == 2 && ReadFixedDigits(s, 2, value);
}

// "t": one marker letter; "tt": a whole marker, "am"/"pm" or the locale's.
bool ReadMarker(TReadState& s, int count) {
  if (count > 2) return false;
  const host::TFormatSettings& fs = host::FormatSettings();
  std::array<std::string, 2> local = {fs.TimeAMString, fs.TimePMString};
  if (count == 1)
    for (std::string& m : local) m = m.substr(0, 1);
  static constexpr std::array<std::string_view, 2> kLetters = {"a", "p"}, kWords = {"am", "pm"};
  int which = 0;
  const size_t n = MatchName(s, count == 1 ? kLetters : kWords, local, which);
  if (n == 0) return false;
  s.Pos += n;
  s.Marker = which + 1;
  return true;
}

bool ReadMonthName(TReadState& s, int count) {
  const host::TFormatSettings& fs = host::FormatSettings();
  int month = 0;
  const size_t n = count == 3 ? MatchName(s, kShortMonths, fs.ShortMonthNames, month)
                              : MatchName(s, kLongMonths, fs.LongMonthNames, month);
  if (n == 0) return false;
  s.Pos += n;
  s.Month = month + 1;
  return true;
}

// Day names are read over and otherwise ignored: the date decides the day.
bool SkipDayName(TReadState& s, int count) {
  const host::TFormatSettings& fs = host::FormatSettings();
  int day = 0;
  const size_t n = count == 3 ? MatchName(s, kShortDays, fs.ShortDayNames, day)
                              : MatchName(s, kLongDays, fs.LongDayNames, day);
  s.Pos += n;
  return n > 0;
}

bool ReadYear(TReadState& s, int count, const TDateReadContext& ctx) {
  if (count >= 3) return count <= 4 && ReadFixedDigits(s, 4, s.Year);
  if (count != 2) return false;
  int yy = 0;
  if (!ReadFixedDigits(s, 2, yy)) return false;
  const int pivot = ctx.CurrentYear - ctx.CenturyWindow;
  s.Year = pivot / 100 * 100 + yy;
  if (ctx.CenturyWindow != 0 && s.Year < pivot) s.Year += 100;
  return true;
}

bool ReadField(TReadState& s, const host::TDateFormatToken& t, const TDateReadContext& ctx) {
  switch (t.Letter) {
    case 'y':
      return ReadYear(s, t.Count, ctx);
    case 'M':
      return t.Count >= 3 ? t.Count <= 4 && ReadMonthName(s, t.Count)
                          : ReadNumberField(s, t.Count, s.Month);
    case 'd':
      return t.Count >= 3 ? t.Count <= 4 && SkipDayName(s, t.Count)
                          : ReadNumberField(s, t.Count, s.Day);
    case 'h':
      s.TwelveHour = true;
      return ReadNumberField(s, t.Count, s.Hour);
    case 'H':
      return ReadNumberField(s, t.Count, s.Hour);
    case 'm':
      return ReadNumberField(s, t.Count, s.Minute);
    case 's':
      return ReadNumberField(s, t.Count, s.Second);
    case 't':
      return ReadMarker(s, t.Count);
    default:
      return false;
  }
}

bool ReadLiteral(TReadState& s, const std::string& literal) {
  if (s.Text.substr(s.Pos, literal.size()) != literal) return false;
  s.Pos += literal.size();
  return true;
}

std::optional<host::TDateTime> Compose(const TReadState& s) {
  int hour = s.Hour;
  // Without a marker the hour stands as written: "hh:mm" alone must not
  // push every time into the afternoon.
  if (s.TwelveHour && s.Marker == 1 && hour == 12) hour = 0;
  if (s.TwelveHour && s.Marker == 2 && hour != 12) hour += 12;
  host::TDateTime time = 0;
  if (!host::TryEncodeTime(hour, s.Minute, s.Second, 0, time)) return std::nullopt;
  if (s.Year == 0 && s.Month == 0 && s.Day == 0) return time;
  host::TDateTime date = 0;
  if (!host::TryEncodeDate(s.Year, s.Month, s.Day, date)) return std::nullopt;
  return host::ComposeDateTime(date, time);
}

}  // namespace

std::optional<host::TDateTime> ReadDateTimeText(const std::string& Text, const std::string& Format,
                                                const TDateReadContext& Context) {
  TReadState s;
  s.Text = Text;
  for (const host::TDateFormatToken& t : host::TokenizeDateFormat(Format)) {
    const bool ok = t.Letter == 0 ? ReadLiteral(s, t.Text) : ReadField(s, t, Context);
    if (!ok) return std::nullopt;
  }
  // Text left over is text the format does not describe: reading it as the
  // front alone would lose the rest when the value is written back.
  if (s.Pos != s.Text.size()) return std::nullopt;
  return Compose(s);
}

std::optional<host::TDateTime> ReadDateTimeText(const std::string& Text,
                                                const std::string& Format) {
  int year = 0, month = 0, day = 0;
  host::DecodeDate(host::Date(), year, month, day);
  return ReadDateTimeText(Text, Format, TDateReadContext{year, 50});
}

}  // namespace zel
