// Feeds arbitrary text to the positional number scanner and the row-and-column
// counting built on it. Each result is checked against what the scanner
// promises: it stops inside the text and never moves back, no value is an
// infinity or NaN, and the counted size covers every cell the walk fills.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "foundation/Zel_numscan.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (size_t pos = 0; pos <= text.size(); pos += 1 + pos / 4) {
    const zel::TNumScan s = zel::ScanNumber(text, pos);
    Check(s.Stop >= pos || pos >= text.size());
    Check(s.Stop <= text.size());
    Check(std::isfinite(s.Value));
    Check(s.Valid || s.Value == 0);
  }

  int cols = 0, rows = 0;
  const bool any = zel::CountNumberGrid(text, cols, rows);
  Check(cols >= 1 && rows >= 1);
  // Counting keeps commas as separators; splitting them never finds fewer rows.
  int maxCol = -1, maxRow = -1;
  const zel::TNumberGrid g = zel::ScanNumberGrid(text, false, [&](int c, int r, double v) {
    Check(std::isfinite(v));
    Check(c >= 0 && r >= 0 && r >= maxRow);
    maxCol = c > maxCol ? c : maxCol;
    maxRow = r;
  });
  Check(any == g.Any());
  if (any) Check(maxCol + 1 <= cols && maxRow + 1 <= rows);
  const zel::TNumberGrid split = zel::ScanNumberGrid(text, true, [](int, int, double) {});
  Check(split.LineEnds >= 0);
  return 0;
}
