#include "host/ui/FormatSettings.h"

#include <langinfo.h>

#include <clocale>
#include <string_view>

#include "host/ui/DateTime.h"

namespace host {

namespace {

TFormatSettings ReadFromLocale() {
  TFormatSettings fs;
  const lconv* lc = std::localeconv();
  const char* dp = (lc && lc->decimal_point) ? lc->decimal_point : ".";
  fs.DecimalSeparator = (dp[0] == '.' && dp[1] == '\0') ? '.' : ',';
  for (int i = 0; i < 12; ++i) {
    fs.ShortMonthNames[i] = nl_langinfo(nl_item(ABMON_1 + i));
    fs.LongMonthNames[i] = nl_langinfo(nl_item(MON_1 + i));
  }
  for (int i = 0; i < 7; ++i) {
    fs.ShortDayNames[i] = nl_langinfo(nl_item(ABDAY_1 + i));
    fs.LongDayNames[i] = nl_langinfo(nl_item(DAY_1 + i));
  }
  return fs;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool StartsWithNoCase(const std::string& s, size_t at, const char* word) {
  for (size_t k = 0; word[k]; ++k)
    if (at + k >= s.size() || Lower(s[at + k]) != word[k]) return false;
  return true;
}

// True when the format (outside literals) asks for a 12-hour clock.
bool UsesTwelveHours(const std::string& f) {
  char quote = 0;
  for (size_t i = 0; i < f.size(); ++i) {
    if (quote) {
      if (f[i] == quote) quote = 0;
    } else if (f[i] == '"' || f[i] == '\'') {
      quote = f[i];
    } else if (StartsWithNoCase(f, i, "am/pm") || StartsWithNoCase(f, i, "a/p") ||
               StartsWithNoCase(f, i, "ampm")) {
      return true;
    }
  }
  return false;
}

class TDateFormatter {
 public:
  TDateFormatter(const TDateTimeParts& p, const TFormatSettings& fs) : P(p), FS(fs) {}

  void Run(const std::string& f, int depth) {
    const bool twelve = UsesTwelveHours(f);
    bool afterHour = false;
    size_t i = 0;
    while (i < f.size()) {
      const char c = Lower(f[i]);
      size_t n = 1;
      while (i + n < f.size() && Lower(f[i + n]) == c) ++n;
      if (c == '"' || c == '\'') {
        size_t end = f.find(f[i], i + 1);
        if (end == std::string::npos) end = f.size();
        Out += f.substr(i + 1, end - i - 1);
        i = end + 1;
        continue;
      }
      if (c == 'a') {
        i += Marker(f, i);
        continue;
      }
      if (std::string_view("dmyhnszt").find(c) == std::string_view::npos) {
        n = 1;  // a single-character item or a literal character
        if (c == 'c' || c == '/' || c == ':')
          Field(c, 1, twelve, false, depth);
        else
          Out += f[i];
      } else {
        Field(c, int(n), twelve, afterHour, depth);
      }
      if (c != ' ' && c != ':') afterHour = (c == 'h');
      i += n;
    }
  }

  std::string Out;

 private:
  const TDateTimeParts& P;
  const TFormatSettings& FS;

  // One run of n equal format letters (or one other character).
  void Field(char c, int n, bool twelve, bool afterHour, int depth) {
    switch (c) {
      case 'd':
        Day(n, depth);
        break;
      case 'm':
        if (afterHour)
          Out += n >= 2 ? ZeroPadded(P.Minute, 2) : std::to_string(P.Minute);
        else
          Month(n);
        break;
      case 'y':
        Out += n <= 2 ? ZeroPadded(P.Year % 100, 2) : ZeroPadded(P.Year, 4);
        break;
      case 'h': {
        int h = P.Hour;
        if (twelve) h = (h % 12 == 0) ? 12 : h % 12;
        Out += n >= 2 ? ZeroPadded(h, 2) : std::to_string(h);
        break;
      }
      case 'n':
        Out += n >= 2 ? ZeroPadded(P.Minute, 2) : std::to_string(P.Minute);
        break;
      case 's':
        Out += n >= 2 ? ZeroPadded(P.Second, 2) : std::to_string(P.Second);
        break;
      case 'z':
        Out += n >= 3 ? ZeroPadded(P.MSec, 3) : std::to_string(P.MSec);
        break;
      case 't':
        Sub(n == 1 ? FS.ShortTimeFormat : FS.LongTimeFormat, depth);
        break;
      case 'c':
        Sub(FS.ShortDateFormat, depth);
        if (P.Hour || P.Minute || P.Second || P.MSec) {
          Out += ' ';
          Sub(FS.LongTimeFormat, depth);
        }
        break;
      case '/':
        Out += FS.DateSeparator;
        break;
      case ':':
        Out += FS.TimeSeparator;
        break;
      default:
        break;
    }
  }

  void Day(int n, int depth) {
    if (n == 1) Out += std::to_string(P.Day);
    if (n == 2) Out += ZeroPadded(P.Day, 2);
    if (n == 3) Out += FS.ShortDayNames[P.DayOfWeek];
    if (n == 4) Out += FS.LongDayNames[P.DayOfWeek];
    if (n >= 5) Sub(FS.ShortDateFormat, depth);
  }

  void Month(int n) {
    if (n == 1) Out += std::to_string(P.Month);
    if (n == 2) Out += ZeroPadded(P.Month, 2);
    if (n == 3) Out += FS.ShortMonthNames[P.Month - 1];
    if (n >= 4) Out += FS.LongMonthNames[P.Month - 1];
  }

  // A format nested in the settings; a setting that names itself stops at depth 2.
  void Sub(const std::string& f, int depth) {
    if (depth < 2) Run(f, depth + 1);
  }

  // "am/pm", "a/p" keep the case written in the format; "ampm" uses the settings.
  size_t Marker(const std::string& f, size_t i) {
    const bool pm = P.Hour >= 12;
    if (StartsWithNoCase(f, i, "am/pm")) {
      Out += f.substr(pm ? i + 3 : i, 2);
      return 5;
    }
    if (StartsWithNoCase(f, i, "a/p")) {
      Out += f[pm ? i + 2 : i];
      return 3;
    }
    if (StartsWithNoCase(f, i, "ampm")) {
      Out += pm ? FS.TimePMString : FS.TimeAMString;
      return 4;
    }
    Out += f[i];
    return 1;
  }
};

}  // namespace

TFormatSettings& FormatSettings() {
  static TFormatSettings settings = ReadFromLocale();
  return settings;
}

void ResetFormatSettingsFromLocale() { FormatSettings() = ReadFromLocale(); }

std::string FormatDateTime(const std::string& Format, double DateTime) {
  const TDateTimeParts parts = DecodeDateTime(DateTime);
  TDateFormatter f(parts, FormatSettings());
  f.Run(Format.empty() ? std::string("c") : Format, 0);
  return f.Out;
}

}  // namespace host
