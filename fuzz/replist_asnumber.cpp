// Feeds arbitrary text to TRLData::AsNumber in a plain and in a check column.
// Refusing the text with EZELDStructError is the only acceptable failure, and an
// accepted text must give a finite number.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "replist/ZEL_replist.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zel::TRLData t(nullptr);
  t.SetNrOfColumns(2);
  t.SetNrOfRows(1);
  t.SetColumnCheckMode(2, zel::cmBox);
  const std::string text(reinterpret_cast<const char*>(data), size);
  for (int c = 1; c <= 2; ++c) {
    t.SetElem(c, 1, text);
    try {
      if (!std::isfinite(t.AsNumber(c, 1))) std::abort();
    } catch (const zel::EZELDStructError&) {
    }
  }
  return 0;
}
