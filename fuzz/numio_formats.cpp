// Feeds arbitrary text to every input format's check and reader, under every
// separator setting: nothing may crash, readers give finite values, and what
// the writers make of a value passes the check it was written for.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "numeric/ZEL_NumIOFormat.h"

using namespace zel;

namespace {

void Require(bool ok) {
  if (!ok) std::abort();
}

// The writer's text passes its own check, except itExp's all-"*" overflow text.
void CheckWritten(double v, TNumFormat f) {
  const std::string text = WriteText(v, f);
  if (f.Format == itExp && text.find_first_not_of('*') == std::string::npos) return;
  Require(CheckText(text, f));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t setup = data[0];
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  const TSepSet sets[] = {{true, false}, {false, true}, {true, true}};
  for (int fmt = itExp; fmt <= itDynamic; ++fmt) {
    for (const TSepSet& sep : sets) {
      TNumFormat f;
      f.Format = TInFormat(fmt);
      f.FixPointDecPlaces = 1 + setup % 15;
      f.SignificantDigits = 1 + (setup >> 4) % 15;
      f.Separators = sep;
      f.WriteSeparator = sep.Point ? '.' : ',';
      CheckText(text, f);
      const double v = ReadText(text, f);
      Require(std::isfinite(v));
      CheckWritten(v, f);
    }
  }
  return 0;
}
