// Feeds arbitrary bytes to ImportCSV (the first byte picks the delimiter and the
// header option). An accepted file must survive an export and a new import with
// every cell unchanged.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "replist/ZEL_replist.h"

namespace {

std::string TempPath(const char* what) {
  return "/tmp/zel_fuzz_" + std::string(what) + "_" + std::to_string(::getpid());
}

// Rows x columns of the table the text can describe, over-estimated.
bool TooBigForFuzzing(const std::string& s, char delim) {
  size_t lines = 1, fields = 1;
  for (const char ch : s) {
    lines += ch == '\n' || ch == '\r';
    fields += ch == delim;
  }
  return lines * fields > (1u << 18);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const auto delim = zel::TCSVDelimiters(data[0] % 4);
  const bool headers = data[0] & 4;
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  if (TooBigForFuzzing(text, zel::CSVDelimiterChar(delim))) return 0;
  const std::string in = TempPath("csv_in"), out = TempPath("csv_out");
  std::ofstream(in, std::ios::binary) << text;
  zel::TRLData a(nullptr);
  const int rows = a.ImportCSV(in, delim, headers);
  if (rows < 0) return 0;
  if (rows != a.NrOfRows()) std::abort();
  if (a.ExportCSV(out, delim, headers, false, 1, 1, a.NrOfColumns(), a.NrOfRows()) != rows)
    std::abort();
  zel::TRLData b(nullptr);
  if (b.ImportCSV(out, delim, headers) != rows) std::abort();
  for (int r = 1; r <= rows; ++r)
    for (int c = 1; c <= a.NrOfColumns(); ++c)
      if (a.Elem(c, r) != b.Elem(c, r)) std::abort();
  return 0;
}
