// TSevenSeg: which glyph and point each digit position shows, from the caption.
#include "host/gfx/Utf8.h"
#include "numeric/ZEL_sevenseg.h"

namespace zel {

namespace {

bool IsPoint(char32_t c) { return c == U'.' || c == U','; }

}  // namespace

int SevenSegCell(char32_t c) {
  if (c >= U'a' && c <= U'z') c -= U'a' - U'A';
  const size_t at = SevenSegCharList.find(c);
  return at == std::u32string_view::npos ? -1 : int(at);
}

std::vector<TSevenSegPosition> SevenSegPositions(std::string_view Caption, int NumDigits) {
  std::vector<TSevenSegPosition> out;
  size_t i = 0;
  while (int(out.size()) < NumDigits && i < Caption.size()) {
    TSevenSegPosition p;
    const char32_t c = host::NextCodePoint(Caption, i);
    if (IsPoint(c)) {
      p.Point = true;
    } else {
      p.Cell = SevenSegCell(c);
      // A point right after the character belongs to its position.
      size_t next = i;
      if (next < Caption.size() && IsPoint(host::NextCodePoint(Caption, next))) {
        p.Point = true;
        i = next;
      }
    }
    out.push_back(p);
  }
  return out;
}

}  // namespace zel
