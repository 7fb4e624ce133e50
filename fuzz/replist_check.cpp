// Feeds arbitrary text to CheckIfValidReplist; the first line is the DataID
// asked for. A list the XML reader accepts must also pass the check.
#include <cstdint>
#include <sstream>
#include <string>

#include "replist/ZEL_replist.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const size_t eol = text.find('\n');
  const std::string id = text.substr(0, eol == std::string::npos ? 0 : eol);
  std::istringstream in(eol == std::string::npos ? text : text.substr(eol + 1));
  zel::CheckIfValidReplist(in, id);
  return 0;
}
