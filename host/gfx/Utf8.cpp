// UTF-8 decoding and encoding.
#include "host/gfx/Utf8.h"

namespace host {

namespace {
constexpr char32_t kReplacement = 0xFFFD;
}

char32_t NextCodePoint(std::string_view s, size_t& i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char b0 = byte(i++);
  if (b0 < 0x80) return b0;
  // Lead bytes: C2..DF one continuation byte, E0..EF two, F0..F4 three.
  const int extra = b0 >= 0xC2 && b0 <= 0xDF   ? 1
                    : b0 >= 0xE0 && b0 <= 0xEF ? 2
                    : b0 >= 0xF0 && b0 <= 0xF4 ? 3
                                               : 0;
  if (extra == 0 || i + size_t(extra) > s.size()) return kReplacement;
  char32_t cp = b0 & (0x3F >> extra);
  for (int k = 0; k < extra; ++k) {
    const unsigned char b = byte(i + size_t(k));
    if ((b & 0xC0) != 0x80) return kReplacement;
    cp = (cp << 6) | (b & 0x3F);
  }
  // Overlong forms, surrogates and values past U+10FFFF are not characters.
  static constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
  if (cp < kLeast[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kReplacement;
  i += size_t(extra);
  return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xF0 | (cp >> 18));
    out += char(0x80 | ((cp >> 12) & 0x3F));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

}  // namespace host
