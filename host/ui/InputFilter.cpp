#include "host/ui/InputFilter.h"

#include <utility>

namespace host {

namespace {
TInputFilter& Installed() {
  static TInputFilter filter;
  return filter;
}
}  // namespace

TInputFilter SetInputFilter(TInputFilter filter) {
  return std::exchange(Installed(), std::move(filter));
}

bool detail::FilterInput(const TBackendEvent& ev) {
  // A copy: the filter may replace itself while it runs (a popup closing).
  TInputFilter filter = Installed();
  return filter && filter(ev);
}

}  // namespace host
