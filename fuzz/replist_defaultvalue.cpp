// Feeds arbitrary column formats to TRLData::DefaultValue; the first two bytes
// give the row number. Any result is fine as long as it fits a cell.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "replist/ZEL_replist.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const int row = int(int16_t(uint16_t(data[0] | (data[1] << 8))));
  zel::TRLData t(nullptr);
  t.SetColumnFormat(1, std::string(reinterpret_cast<const char*>(data + 2), size - 2));
  if (t.DefaultValue(1, row).size() > 4 * 255 + 1) std::abort();
  return 0;
}
