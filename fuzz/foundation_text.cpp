// Feeds arbitrary bytes to the base library's text readers: the line reader under
// every line-end mode, and the UTF-8 string helpers. Each result is checked
// against what the helper promises, so a wrong cut or a lost byte aborts.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/Zel_streams.h"
#include "foundation/Zel_stringl.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// Lines plus their line ends must account for every byte of the input.
void ReadAllLines(const std::string& text, int mode) {
  std::istringstream in(text);
  bool eof = false;
  size_t bytes = 0, lines = 0;
  while (!eof) {
    bytes += zel::ReadLnStream(in, eof, mode).size();
    Check(++lines <= text.size() + 1);
  }
  Check(bytes <= text.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const int n = data[0] % 40 - 4;
  const char32_t ch = data[1] < 0x80 ? data[1] : U'é';
  const std::string s(reinterpret_cast<const char*>(data + 2), size - 2);
  for (int mode = 0; mode <= 2; ++mode) ReadAllLines(s, mode);

  const std::string left = zel::LeftString(s, n);
  Check(s.starts_with(left) &&
        zel::Utf8Length(left) == std::min<size_t>(std::max(n, 0), zel::Utf8Length(s)));

  for (char c : zel::RemoveControlChars(s)) Check(uint8_t(c) >= 0x20 && c != 0x7F);

  std::vector<std::string> tokens;
  const int count = zel::Tokenize(s, std::string_view(s).substr(0, size % 4), tokens);
  Check(count == int(tokens.size()));
  for (const std::string& t : tokens) Check(!t.empty() && s.find(t) != std::string::npos);

  const int pos = zel::NumberedPos(left, s, 1, 1 + n % 3, data[0] & 1);
  Check(pos >= 0 && size_t(pos) <= zel::Utf8Length(s));

  const std::string stripped = zel::StripTrailingChars(ch, zel::StripLeadingChars(ch, s));
  Check(stripped.size() <= s.size() && s.find(stripped) != std::string::npos);
  Check(zel::ReplaceCharInString(s, ch, ch) == s);
  return 0;
}
