#include "host/widgets/DateUtils.h"

#include "host/ui/FormatSettings.h"

namespace host {

namespace {

bool IsFieldLetter(char c) {
  switch (c) {
    case 'd':
    case 'M':
    case 'y':
    case 'h':
    case 'H':
    case 'm':
    case 's':
    case 't':
      return true;
    default:
      return false;
  }
}

// A quoted literal starting at f[i] (the quote); advances i past it.
std::string QuotedLiteral(const std::string& f, size_t& i) {
  std::string out;
  ++i;
  while (i < f.size()) {
    if (f[i] == '\'') {
      if (i + 1 < f.size() && f[i + 1] == '\'') {
        out += '\'';
        i += 2;
        continue;
      }
      ++i;
      return out;
    }
    out += f[i++];
  }
  return out;
}

void AppendLiteral(std::vector<TDateFormatToken>& tokens, const std::string& text) {
  if (text.empty()) return;
  if (!tokens.empty() && tokens.back().Letter == 0)
    tokens.back().Text += text;
  else
    tokens.push_back({0, 0, text});
}

}  // namespace

std::vector<TDateFormatToken> TokenizeDateFormat(const std::string& Format) {
  std::vector<TDateFormatToken> tokens;
  size_t i = 0;
  while (i < Format.size()) {
    const char c = Format[i];
    if (c == '\'') {
      AppendLiteral(tokens, QuotedLiteral(Format, i));
    } else if (IsFieldLetter(c)) {
      size_t n = 1;
      while (i + n < Format.size() && Format[i + n] == c) ++n;
      tokens.push_back({c, int(n), {}});
      i += n;
    } else {
      AppendLiteral(tokens, std::string(1, c));
      ++i;
    }
  }
  return tokens;
}

std::string FormatDateToken(const TDateFormatToken& t, const TDateTimeParts& p) {
  const TFormatSettings& fs = FormatSettings();
  const int hour12 = p.Hour % 12 == 0 ? 12 : p.Hour % 12;
  const int two = t.Count >= 2 ? 2 : 1;
  switch (t.Letter) {
    case 'd':
      if (t.Count >= 4) return fs.LongDayNames[size_t(p.DayOfWeek)];
      if (t.Count == 3) return fs.ShortDayNames[size_t(p.DayOfWeek)];
      return ZeroPadded(p.Day, two);
    case 'M':
      if (t.Count >= 4) return fs.LongMonthNames[size_t(p.Month - 1)];
      if (t.Count == 3) return fs.ShortMonthNames[size_t(p.Month - 1)];
      return ZeroPadded(p.Month, two);
    case 'y':
      if (t.Count >= 3) return ZeroPadded(p.Year, 4);
      return t.Count == 2 ? ZeroPadded(p.Year % 100, 2) : ZeroPadded(p.Year % 10, 1);
    case 'h':
      return ZeroPadded(hour12, two);
    case 'H':
      return ZeroPadded(p.Hour, two);
    case 'm':
      return ZeroPadded(p.Minute, two);
    case 's':
      return ZeroPadded(p.Second, two);
    case 't': {
      const std::string& marker = p.Hour < 12 ? fs.TimeAMString : fs.TimePMString;
      return t.Count >= 2 ? marker : marker.substr(0, 1);
    }
    default:
      return t.Text;
  }
}

std::string FormatPickerDateTime(const std::string& Format, TDateTime Value) {
  const TDateTimeParts p = DecodeDateTime(Value);
  std::string out;
  for (const TDateFormatToken& t : TokenizeDateFormat(Format)) out += FormatDateToken(t, p);
  return out;
}

}  // namespace host
