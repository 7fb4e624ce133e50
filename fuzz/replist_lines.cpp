// Feeds arbitrary bytes to LoadLinesFromFile; the first byte picks the first row.
// Every line must land in its own row of the chosen column.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "replist/ZEL_replist.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const int firstRow = 1 + data[0] % 16;
  const std::string path = "/tmp/zel_fuzz_lines_" + std::to_string(::getpid());
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(data + 1), std::streamsize(size - 1));
  zel::TRLData t(nullptr);
  t.SetNrOfColumns(2);
  t.SetColumnCheckMode(2, zel::cmBox);
  const int lines = t.LoadLinesFromFile(2, firstRow, path);
  if (lines < 0) std::abort();
  if (lines > 0 && t.NrOfRows() != firstRow + lines - 1) std::abort();
  return 0;
}
