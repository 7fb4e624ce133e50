// Compiles arbitrary filter expressions in every mode and tests them against a
// few texts and a small table. The first byte picks the mode (bits 0-1) and
// IgnoreCase (bit 2); the rest up to the first line break is the expression,
// what follows is one more text to test. EZELRepListError is the only
// acceptable failure, and a boolean expression's error must name a position.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "replist/ZEL_replist_filter.h"

namespace {

const char* const kTexts[] = {"", "CH1", "CH16 12.5 V", "Straße", "°C low battery", "ÄÖÜ ß ẞ"};

// Without wildcards and case folding a simple pattern is a plain substring.
void CheckSimpleAgainstFind(const zel::TRowFilter& f, std::string_view exp, std::string_view text) {
  if (f.Mode() != zel::fmSimple || f.IgnoreCase() || exp.find_first_of("*?") != exp.npos) return;
  if (f.MatchesText(text) != (text.find(exp) != text.npos)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const auto mode = zel::TFilterMode(data[0] % 3);
  const bool ignoreCase = (data[0] & 4) != 0;
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  const size_t cut = rest.find('\n');
  const std::string exp(rest.substr(0, cut));
  // Cells hold at most 255 characters; longer texts only slow the run down.
  const std::string extra(cut == rest.npos ? "" : rest.substr(cut + 1, 1024));
  try {
    const zel::TRowFilter f(exp, mode, ignoreCase);
    for (const char* t : kTexts) {
      f.MatchesText(t);
      CheckSimpleAgainstFind(f, exp, t);
    }
    f.MatchesText(extra);
    CheckSimpleAgainstFind(f, exp, extra);
    zel::TRLData table(nullptr);
    table.SetNrOfColumns(2);
    table.SetNrOfRows(3);
    table.SetColumnCheckMode(2, zel::cmBox);
    table.SetElem(1, 1, extra);
    table.SetElem(2, 2, extra);
    table.SetElem(1, 3, exp);
    const std::vector<uint8_t> keep = zel::FilterRows(table, f, {0, 2, 1, 7}, nullptr, nullptr);
    if (keep.size() != 4 || keep[0] != 0) std::abort();
    for (int r = 1; r <= 3; ++r)
      if (bool(keep[size_t(r)]) != f.MatchesRow(table, r, {1, 2})) std::abort();
  } catch (const zel::EZELRepListError& e) {
    if (mode == zel::fmBoolean &&
        std::string_view(e.what()).find("at position ") == std::string_view::npos)
      std::abort();
  }
  return 0;
}
