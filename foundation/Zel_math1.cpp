#include "foundation/Zel_math1.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

namespace zel {

bool IsValidDecInt(std::string_view Text) {
  while (!Text.empty() && Text.front() == ' ') Text.remove_prefix(1);
  while (!Text.empty() && Text.back() == ' ') Text.remove_suffix(1);
  // from_chars takes a minus sign itself but no plus sign.
  if (!Text.empty() && Text.front() == '+') {
    Text.remove_prefix(1);
    if (Text.empty() || Text.front() < '0' || Text.front() > '9') return false;
  }
  int32_t v;
  const auto r = std::from_chars(Text.data(), Text.data() + Text.size(), v);
  return r.ec == std::errc() && r.ptr == Text.data() + Text.size();
}

double IntNeg(double x) { return std::floor(x); }

}  // namespace zel
