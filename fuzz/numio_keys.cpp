// Drives a headless numeric input with arbitrary key sequences: nothing may
// crash, and after every key the buffer is empty, "-", "+" or passes the check
// of its input format.
#include <cstdint>
#include <cstdlib>

#include "fuzz/HeadlessForm.h"
#include "host/ui/Clipbrd.h"
#include "numeric/ZEL_NumIO.h"

using namespace host;
using namespace zel;

namespace {

// The keys the control treats specially, and a few it refuses.
const Word kKeys[] = {
    '0',           '1',     '5',         '9',        '4',         '6',          'A',
    'E',           'F',     'G',         'Z',        'C',         'X',          'V',
    VK_NUMPAD3,    VK_ADD,  VK_SUBTRACT, VK_DECIMAL, VK_OEM_PLUS, VK_OEM_MINUS, VK_OEM_COMMA,
    VK_OEM_PERIOD, VK_BACK, VK_DELETE,   VK_HOME,    VK_END,      VK_LEFT,      VK_RIGHT,
    VK_UP,         VK_DOWN, VK_SHIFT,    VK_CONTROL, VK_F1,       VK_SPACE};
constexpr size_t kKeyCount = sizeof kKeys / sizeof kKeys[0];

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
  for (size_t i = 2; i < size; ++i) {
    const uint8_t b = data[i];
    if (b >= 0xF0) {  // a mouse click somewhere on the control
      e->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam((b & 0x0F) * 13, (b & 3) * 12));
      e->Perform(WM_LBUTTONUP, 0, PointToLParam((b & 0x0F) * 13, (b & 3) * 12));
    } else {
      const Word key = kKeys[b % kKeyCount];
      e->Perform(WM_KEYDOWN, key, 0);
      if (b & 0x80) e->Perform(WM_KEYUP, key, 0);
    }
    if (!Acceptable(e)) std::abort();
  }
  e->Perform(WM_KEYUP, VK_SHIFT, 0);
  e->Perform(WM_KEYUP, VK_CONTROL, 0);
  return 0;
}
