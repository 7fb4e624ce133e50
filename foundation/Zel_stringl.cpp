#include "foundation/Zel_stringl.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

#include "foundation/Zel_dstruct.h"  // FoldCase
#include "host/gfx/Utf8.h"

namespace zel {

size_t Utf8CharAt(std::string_view s, size_t i, char32_t& cp) {
  if (i >= s.size()) return 0;
  size_t next = i;
  cp = host::NextCodePoint(s, next);
  return next - i;
}

namespace {

// The UTF-8 form of cp, or "" when cp is no character.
std::string Encode(char32_t cp) {
  std::string s;
  if (cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF)) AppendUtf8(s, cp);
  return s;
}

// The characters of s, one string each, folded when asked: the unit that the
// position-based helpers count in.
std::vector<std::string> SplitChars(std::string_view s, bool fold) {
  std::vector<std::string> out;
  char32_t cp;
  for (size_t i = 0; i < s.size();) {
    const size_t len = Utf8CharAt(s, i, cp);
    const std::string_view ch = s.substr(i, len);
    out.push_back(fold ? FoldCase(ch) : std::string(ch));
    i += len;
  }
  return out;
}

// Calls f(code point, bytes) for every character of s.
template <typename F>
void ForEachChar(std::string_view s, F f) {
  char32_t cp = 0;
  for (size_t i = 0; i < s.size();) {
    const size_t len = Utf8CharAt(s, i, cp);
    f(cp, s.substr(i, len));
    i += len;
  }
}

std::string FixedText(double x, int decimals) {
  char buf[400];  // 309 integer digits, a sign, a point and 30 decimals at most
  std::to_chars_result r;
  if (decimals < 0)
    r = std::to_chars(buf, buf + sizeof buf, x);
  else
    r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, decimals);
  if (r.ec != std::errc()) return "NaN";  // cannot happen with the buffer above
  std::string s(buf, r.ptr);
  if (s[0] == '-' && s.find_first_of("123456789") == std::string::npos) s.erase(0, 1);
  return s;
}

}  // namespace

size_t Utf8Length(std::string_view s) {
  size_t n = 0;
  ForEachChar(s, [&](char32_t, std::string_view) { ++n; });
  return n;
}

std::string strff(double X, int A, int B) {
  std::string s;
  if (std::isnan(X))
    s = "NaN";
  else if (std::isinf(X))
    s = X > 0 ? "Inf" : "-Inf";
  else
    s = FixedText(X, std::min(B, 30));
  const size_t width = size_t(std::clamp(A, 0, 255));
  if (s.size() < width) s.insert(0, width - s.size(), ' ');
  return s;
}

int NumberedPos(std::string_view Sub, std::string_view S, int Start, int N, bool IgnoreCase) {
  if (Sub.empty() || N < 1) return 0;
  const std::vector<std::string> sub = SplitChars(Sub, IgnoreCase);
  const std::vector<std::string> s = SplitChars(S, IgnoreCase);
  const size_t m = sub.size();
  size_t i = size_t(std::max(Start, 1) - 1);
  while (i + m <= s.size()) {
    if (std::equal(sub.begin(), sub.end(), s.begin() + std::ptrdiff_t(i))) {
      if (--N == 0) return int(i + 1);
      i += m;
    } else {
      ++i;
    }
  }
  return 0;
}

int Tokenize(std::string_view S, std::string_view Delimiters, std::vector<std::string>& Tokens) {
  std::vector<char32_t> delims;
  ForEachChar(Delimiters, [&](char32_t cp, std::string_view) { delims.push_back(cp); });
  Tokens.clear();
  std::string token;
  ForEachChar(S, [&](char32_t cp, std::string_view bytes) {
    if (std::find(delims.begin(), delims.end(), cp) == delims.end()) {
      token.append(bytes);
    } else if (!token.empty()) {
      Tokens.push_back(std::move(token));
      token.clear();
    }
  });
  if (!token.empty()) Tokens.push_back(std::move(token));
  return int(Tokens.size());
}

std::string ReplaceCharInString(std::string_view S, char32_t Old, char32_t New) {
  const std::string repl = Encode(New);
  if (repl.empty()) return std::string(S);
  std::string out;
  out.reserve(S.size());
  ForEachChar(S, [&](char32_t cp, std::string_view bytes) {
    // An invalid byte decodes as U+FFFD but must not match a real U+FFFD.
    const bool match = cp == Old && (bytes.size() > 1 || cp < 0x80);
    out.append(match ? std::string_view(repl) : bytes);
  });
  return out;
}

std::string EnsureTrailingChar(char32_t Ch, std::string_view S) {
  const std::string ch = Encode(Ch);
  std::string out(S);
  if (!ch.empty() && !S.ends_with(ch)) out += ch;
  return out;
}

std::string EnsureTrailingBkSlash(std::string_view S) { return EnsureTrailingChar(U'/', S); }

std::string StripLeadingChars(char32_t Ch, std::string_view S) {
  const std::string ch = Encode(Ch);
  if (ch.empty()) return std::string(S);
  while (S.starts_with(ch)) S.remove_prefix(ch.size());
  return std::string(S);
}

std::string StripTrailingChars(char32_t Ch, std::string_view S) {
  const std::string ch = Encode(Ch);
  if (ch.empty()) return std::string(S);
  // Bytes of ch only ever end a whole character, so a byte-wise match is one.
  while (S.ends_with(ch)) S.remove_suffix(ch.size());
  return std::string(S);
}

std::string RemoveControlChars(std::string_view S) {
  std::string out;
  out.reserve(S.size());
  ForEachChar(S, [&](char32_t cp, std::string_view bytes) {
    const bool valid = bytes.size() > 1 || cp < 0x80;
    if (valid && (cp < 0x20 || (cp >= 0x7F && cp <= 0x9F))) return;
    out.append(bytes);
  });
  return out;
}

std::string LeftString(std::string_view S, int N) {
  size_t i = 0;
  char32_t cp;
  for (int k = 0; k < N && i < S.size(); ++k) i += Utf8CharAt(S, i, cp);
  return std::string(S.substr(0, i));
}

}  // namespace zel
