// Feeds arbitrary text to the report list's XML reader on its own. Refusing the
// input is fine; a crash, a sanitizer report or an exception is a finding. When
// the reader accepts a list, its end lies within the input, and reading the list
// cut at that end gives the same elements again.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "replist/ZEL_replist_xml.h"

namespace {

std::vector<std::string> Elements(zel::TRepListXmlReader& reader, std::string_view text, bool& ok) {
  std::vector<std::string> seen;
  ok = reader.Read(text, [&](const zel::TRepListXmlElement& e) {
    seen.push_back(std::to_string(e.Tag) + "," + std::to_string(e.C) + "," + std::to_string(e.R) +
                   ":" + std::string(e.Text));
    return true;
  });
  return seen;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  zel::TRepListXmlReader reader;
  bool ok = false;
  const std::vector<std::string> first = Elements(reader, text, ok);
  if (!ok) return 0;
  if (reader.End() == 0 || reader.End() > text.size()) std::abort();
  bool again = false;
  if (Elements(reader, text.substr(0, reader.End()), again) != first || !again) std::abort();
  return 0;
}
