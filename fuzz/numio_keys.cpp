// Drives a headless numeric input with arbitrary key sequences: nothing may
// crash, and after every key the buffer is empty, "-", "+" or passes the check
// of its input format.
#include <cstdint>
#include <cstdlib>

#include "fuzz/HeadlessForm.h"
#include "fuzz/NumIOKeyDriver.h"
#include "host/ui/Clipbrd.h"
#include "numeric/ZEL_NumIO.h"

using namespace host;
using namespace zel;

namespace {

struct TBench {
  TForm* Form = fuzzsupport::HeadlessForm(240, 60);
  TNumIO2* Edit = fuzzsupport::Place<TNumIO2>(Form, 4, 4, 200, 40);
  TBench() {
    Edit->SetButVisible(true);
    Edit->SetGaugeVisible(true);
    Edit->SetFocus();
  }
};

TBench* gBench = nullptr;

bool Acceptable(TNumIO2* e) {
  const std::string t = e->Text();
  return t.empty() || t == "-" || t == "+" || e->CheckValidity(t);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (!gBench) gBench = new TBench;
  if (size < 2) return 0;
  TNumIO2* e = gBench->Edit;
  e->SetInputFormat(TInFormat(data[0] % 8));
  e->SetDecPlaceSep(TDecPSep(data[1] % 4));
  e->SetFixPointDecPlaces(1 + data[1] / 4 % 4);
  e->SetText("");
  e->SetValue(double(data[0]) - 100);
  Clipboard()->SetAsText("12.5");
  fuzzsupport::PlayNumKeys(e, data + 2, size - 2, fuzzsupport::cdKeyDownOnly, [e] {
    if (!Acceptable(e)) std::abort();
  });
  return 0;
}
