// Drives the older numeric edit box with the numeric input's key sequences, in
// every format, separator setting and a few ranges: nothing may crash, and
// after every key the text is the one the box accepted last; a text the user
// made is one number of the format within the range (or 0).
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

#include "fuzz/HeadlessForm.h"
#include "fuzz/NumIOKeyDriver.h"
#include "numeric/ZEL_NumIO.h"

using namespace host;
using namespace zel;

namespace {

struct TBench {
  TForm* Form = fuzzsupport::HeadlessForm(240, 60);
  TNumIO* Edit = fuzzsupport::Place<TNumIO>(Form, 4, 4, 200, 24);
  TBench() { Edit->SetFocus(); }
};

TBench* gBench = nullptr;

struct TRange {
  double Low, High;
};
constexpr double kMax = std::numeric_limits<double>::max();
constexpr TRange kRanges[] = {{-1000, 1000}, {0, 0}, {1, 5}, {-kMax, kMax}};

void Check(TNumIO* e, const std::string& programText) {
  const std::string t = e->Text();
  if (t != e->LastAcceptedText()) std::abort();
  if (t == programText || t.empty()) return;
  double v = 0;
  if (!e->ConvertNumString(t, v)) std::abort();
  if (v != 0 && (v < e->RangeLow() || v > e->RangeHigh())) std::abort();
  (void)e->GetLabValue();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (!gBench) gBench = new TBench;
  if (size < 2) return 0;
  TNumIO* e = gBench->Edit;
  const TRange& r = kRanges[data[1] >> 4 & 3];
  e->SetRangeHigh(r.High);
  e->SetRangeLow(r.Low);
  e->SetInputFormat(TInFormat(data[0] % 8));
  e->SetDecPlaceSep(TDecPSep(data[1] % 4));
  e->SetFixPointDecPlaces(1 + data[1] / 4 % 4);
  e->SetLabValue(double(data[0]) - 100);
  const std::string programText = e->Text();
  fuzzsupport::PlayNumKeys(e, data + 2, size - 2, fuzzsupport::cdCharMessages,
                           [e, &programText] { Check(e, programText); });
  return 0;
}
