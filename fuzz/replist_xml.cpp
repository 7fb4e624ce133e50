// Feeds arbitrary text to the report-list XML reader, through the string and the
// open-file entry points. Refusing the input is fine; a crash, a sanitizer report
// or an exception is a finding. A list that was accepted must come back
// unchanged after writing it out and reading it again.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "replist/ZEL_replist.h"

namespace {

// The reader accepts lists of up to 16M cells; a fuzz run stays with small ones.
bool TooBigForFuzzing(const std::string& s) {
  long product = 1;
  for (const char* tag : {"<numcols>", "<numrows>"}) {
    const size_t p = s.find(tag);
    if (p != std::string::npos)
      product *= std::clamp(std::strtol(s.c_str() + p + 9, nullptr, 10), 1L, 1L << 20);
    if (product > (1L << 18)) return true;
  }
  return false;
}

void ExpectSame(const zel::TRLData& a, const zel::TRLData& b) {
  bool same = a.NrOfColumns() == b.NrOfColumns() && a.NrOfRows() == b.NrOfRows() &&
              a.Comment() == b.Comment() && a.CommonHeader() == b.CommonHeader();
  for (int c = 1; same && c <= a.NrOfColumns(); ++c)
    same = a.Header(c) == b.Header(c) && a.ColumnFormat(c) == b.ColumnFormat(c) &&
           a.ColumnCheckMode(c) == b.ColumnCheckMode(c);
  for (int r = 1; same && r <= a.NrOfRows(); ++r)
    for (int c = 0; same && c <= a.NrOfColumns(); ++c)
      same = a.Strings()->GetString(c, r) == b.Strings()->GetString(c, r);
  if (!same) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (TooBigForFuzzing(text)) return 0;
  zel::TRLData a(nullptr);
  std::istringstream open(text);
  a.ReadFromOpenXMLFile(open, "");
  if (!a.ReadFromXMLString(text, "")) return 0;
  std::ostringstream out;
  a.WriteToXMLStream(out, true, a.DataID());
  zel::TRLData b(nullptr);
  if (!b.ReadFromXMLString(out.str(), a.DataID())) std::abort();
  ExpectSame(a, b);
  return 0;
}
