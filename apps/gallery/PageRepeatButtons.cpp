// The repeating speed buttons' band of the "Host widgets" page: a "−" and "+"
// pair that steps a numeric label while held, first after half a second and
// then five times a second; a plain click steps once.
#include <algorithm>

#include "apps/gallery/Pages.h"
#include "numeric/ZEL_NumLab.h"
#include "selectors/ZEL_repsbut.h"

namespace {

using namespace zel;
using gallery::Add;

constexpr double kLimit = 100;

TRepSpeedButton* AddStepper(host::TWinControl* p, int x, const char* caption, double step,
                            TNumLab* value) {
  auto* b = Add<TRepSpeedButton>(p, x, 26, 28, 28);
  b->SetCaption(caption);
  b->Font()->SetSize(12);
  auto stepIt = [value, step](host::TObject*) {
    value->SetValue(std::clamp(value->Value() + step, -kLimit, kLimit));
  };
  b->SetOnRepeatClick(stepIt);
  b->SetOnClick(stepIt);
  return b;
}

void Build(host::TWinControl* p) {
  gallery::Caption(p, 8, 4, "Repeating speed buttons")->Font()->SetStyle(host::fsBold);
  auto* value = Add<TNumLab>(p, 8, 26, 200, 28);
  value->SetLeftSpace(70);
  value->SetLabelWidth(80);
  value->SetLeftText("setpoint");
  value->SetRightText("mV");
  value->SetDisplayType(dtFixP);
  value->SetPrecision(1);
  value->SetValue(12.5);
  value->SetTransparent(true);  // the captions on the page's ground
  AddStepper(p, 216, "\xE2\x88\x92", -0.5, value);
  AddStepper(p, 248, "+", 0.5, value);
  gallery::Caption(p, 288, 33, "hold to repeat (-100 to 100)");
}

const bool registered = gallery::RegisterPage({"Host widgets", Build});

}  // namespace
