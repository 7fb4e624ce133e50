// UTF-8, the encoding of every text in the library: decoding that survives any
// bytes, and encoding of single code points.
#pragma once

#include <string>
#include <string_view>

namespace host {

// Decodes one code point from UTF-8 at s[i] (i < s.size()) and advances i;
// malformed bytes give U+FFFD and advance by one, so no text can make the decoder
// stop or overrun.
char32_t NextCodePoint(std::string_view s, size_t& i);

// Appends cp encoded as UTF-8; values that are no character (surrogates, beyond
// U+10FFFF) append U+FFFD instead.
void AppendUtf8(std::string& out, char32_t cp);

}  // namespace host
