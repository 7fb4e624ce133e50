#include "foundation/Zel_streams.h"

namespace zel {

std::string ReadLnStream(std::istream& Stream, bool& Eof, int Mode) {
  using Traits = std::istream::traits_type;
  std::string line;
  Eof = true;
  std::streambuf* sb = Stream.good() ? Stream.rdbuf() : nullptr;
  if (sb == nullptr) return line;
  for (int c = sb->sbumpc(); c != Traits::eof(); c = sb->sbumpc()) {
    if (c == '\n' && Mode != kLnCRLF) {
      if (Mode == kLnLF && !line.empty() && line.back() == '\r') line.pop_back();
      Eof = Traits::eq_int_type(sb->sgetc(), Traits::eof());
      return line;
    }
    if (c == '\r' && Mode != kLnLF) {
      const int next = sb->sgetc();
      if (next == '\n') {
        sb->sbumpc();
      } else if (Mode == kLnCRLF) {
        line += char(c);
        continue;
      }
      Eof = Traits::eq_int_type(sb->sgetc(), Traits::eof());
      return line;
    }
    line += char(c);
  }
  Stream.setstate(std::ios::eofbit);
  return line;
}

}  // namespace zel
