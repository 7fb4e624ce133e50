// Feeds arbitrary texts and formats to the row dialog's date reader: the first
// byte splits the input into format and text. Whatever it reads must be a
// value the calendar can decode.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "replist/ZEL_replist_datereader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const size_t split = std::min<size_t>(data[0], size - 1);
  const std::string format(reinterpret_cast<const char*>(data + 1), split);
  const std::string text(reinterpret_cast<const char*>(data + 1 + split), size - 1 - split);
  if (auto v = zel::ReadDateTimeText(text, format, zel::TDateReadContext{2026, 50}))
    (void)host::DecodeDateTime(*v);  // raises (and so reports) for a value out of range
  return 0;
}
