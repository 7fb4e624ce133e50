// The "Legacy edit" band of the "Numeric" page: the older edit box in several
// formats, each with its range, and beside it the value the box reads, which
// follows every accepted change. A refused key beeps and puts the text back.
#include "apps/gallery/Pages.h"
#include "numeric/ZEL_NumIO.h"
#include "numeric/ZEL_NumText.h"

namespace {

using namespace zel;

struct Row {
  const char* Title;
  TInFormat Format;
  double Low, High, Value;
  const char* Range;
};

void AddRow(host::TWinControl* p, int y, const Row& r) {
  gallery::Caption(p, 8, y + 3, r.Title);
  auto* box = gallery::Add<TNumIO>(p, 120, y, 130, 22);
  box->SetInputFormat(r.Format);
  box->SetRangeHigh(r.High);
  box->SetRangeLow(r.Low);
  box->SetFixPointDecPlaces(2);
  box->SetDecPlaceSep(dpsEither);
  box->SetBeep(true);
  box->SetLabValue(r.Value);
  gallery::Caption(p, 262, y + 3, r.Range);
  host::TLabel* echo = gallery::Caption(p, 380, y + 3, "");
  auto show = [box, echo] { echo->SetCaption("= " + FormatGeneral(box->GetLabValue(), 10)); };
  show();
  box->SetOnChange([show](host::TObject*) { show(); });
}

void BuildLegacyEdit(host::TWinControl* p) {
  gallery::Caption(p, 8, 4, "Legacy edit")->Font()->SetStyle(host::fsBold);
  const Row rows[] = {
      {"fixed point", itFixPoint, 0, 100, 12.34, "0 .. 100"},
      {"integer", itInt, -1000, 1000, -42, "-1000 .. 1000"},
      {"hexadecimal", itHex, 0, 65535, 48879, "0 .. FFFF"},
      {"octal", itOct, 0, 4095, 511, "0 .. 7777"},
      {"binary", itBin, 0, 255, 10, "0 .. 11111111"},
      {"exponential", itExp, -1e30, 1e30, 6.02214e23, "-1E30 .. 1E30"},
      {"$ % && prefix", itDynamic, -1e6, 1e6, 31, "-1E6 .. 1E6"},
  };
  int y = 28;
  for (const Row& r : rows) {
    AddRow(p, y, r);
    y += 28;
  }
}

const bool registered = gallery::RegisterPage({"Numeric", BuildLegacyEdit});

}  // namespace
