// The mini calendars' band of the "Selectors" page: this month with this
// year's holidays (fixed days and the Easter-based feasts) in English, and the
// same date in German with the long month name and a one-time holiday.
#include "apps/gallery/Pages.h"
#include "host/ui/DateTime.h"
#include "selectors/ZEL_MiniCal.h"

namespace {

using namespace zel;

void BuildMiniCal(host::TWinControl* p) {
  gallery::Caption(p, 8, 4, "Mini calendars (today ringed, holidays coloured)");
  auto* en = gallery::Add<TMiniCal>(p, 8, 24, 300, 180);
  auto* de = gallery::Add<TMiniCal>(p, 320, 24, 300, 180);
  de->SetLanguage(lgGerman);
  de->SetShowMonthShort(false);
  int y = 0, m = 0, d = 0;
  host::DecodeDate(host::Date(), y, m, d);
  de->AddHoliday(d == 1 ? 2 : 1, m, "Tag der offenen Tür", y);
  auto* caption = gallery::Caption(p, 8, 210, "");
  auto showHint = [caption](TMiniCal* c) {
    caption->SetCaption(c->Hint().empty() ? "(no holiday selected)" : c->Hint());
  };
  en->SetOnChange([en, showHint](host::TObject*) { showHint(en); });
  de->SetOnChange([de, showHint](host::TObject*) { showHint(de); });
  showHint(en);
}

const bool registered = gallery::RegisterPage({"Selectors", BuildMiniCal});

}  // namespace
