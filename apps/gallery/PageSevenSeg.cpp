// The seven-segment band of the "Numeric" page: a running clock, a
// temperature with point and degree sign, a hexadecimal display in LCD colours
// and a small panel reading, in different sizes and colours.
#include "apps/gallery/Pages.h"
#include "host/ui/DateTime.h"
#include "host/ui/WindowTimer.h"
#include "numeric/ZEL_sevenseg.h"

namespace {

using namespace zel;

// Shows "12:30" until the first tick, then the time of day; the colon blinks
// with the seconds.
class TClockDisplay : public TSevenSeg {
 public:
  explicit TClockDisplay(host::TComponent* AOwner) : TSevenSeg(AOwner) {
    SetNumDigits(5);  // the colon takes a position of its own
    SetCaption("12:30");
    FTimer.Start(1000);
  }

 private:
  host::TWindowTimer FTimer{[this] { Tick(); }};
  void Tick() {
    const host::TDateTimeParts t = host::DecodeDateTime(host::Now());
    SetCaption(host::ZeroPadded(t.Hour, 2) + (t.Second % 2 ? " " : ":") +
               host::ZeroPadded(t.Minute, 2));
  }
};

void Build(host::TWinControl* p) {
  gallery::Caption(p, 8, 4, "Seven-segment displays");
  constexpr int top = 24;
  auto* clock = gallery::Add<TClockDisplay>(p, 8, top, 300, 96);
  clock->SetInterDigDist(4);

  auto* temperature = gallery::Add<TSevenSeg>(p, 324, top + 10, 216, 76);
  temperature->SetCaption(
      "-9.\xC2\xB0"
      "C");
  temperature->SetColorText(host::RGB(255, 160, 0));
  temperature->SetFrameStyle(frRaised);

  auto* hex = gallery::Add<TSevenSeg>(p, 556, top + 24, 270, 48);
  hex->SetNumDigits(6);
  hex->SetCaption("c0FFEE");
  hex->SetColorText(host::RGB(20, 30, 20));
  hex->SetColorBackGnd(host::RGB(168, 196, 150));
  hex->SetMargin(5);

  auto* volts = gallery::Add<TSevenSeg>(p, 842, top + 40, 110, 32);
  volts->SetCaption("-12.5");
  volts->SetColorText(host::clYellow);
  volts->SetColorBackGnd(host::clBlack);
  volts->SetMargin(4);
  volts->SetInterDigDist(1);
  volts->SetFrameStyle(frSimple);
}

const bool registered = gallery::RegisterPage({"Numeric", Build});

}  // namespace
