// The "Numeric" page: numeric labels in every display type, and numeric inputs
// in several formats with buttons, gauges, pivots and warning colours. The
// inputs are live: the labels on the right follow the first two as they change.
#include "apps/gallery/Pages.h"
#include "numeric/ZEL_NumIO.h"
#include "numeric/ZEL_NumLab.h"

namespace {

using namespace zel;

constexpr int kRow = 34;

TNumLab* AddLabel(host::TWinControl* parent, int x, int y, TDisplay type, double value,
                  const std::string& left, const std::string& right) {
  auto* l = new TNumLab(parent->Owner());
  l->SetParent(parent);
  l->SetBounds(x, y, 270, 28);
  l->SetLeftSpace(110);
  l->SetLabelWidth(120);
  l->SetLeftText(left);
  l->SetRightText(right);
  l->SetDisplayType(type);
  l->SetValue(value);
  return l;
}

TNumIO2* AddInput(host::TWinControl* parent, int y, TInFormat format, double value,
                  const std::string& left, const std::string& right) {
  auto* n = new TNumIO2(parent->Owner());
  n->SetParent(parent);
  n->SetBounds(320, y, 330, 28);
  n->SetLeftSpace(110);
  n->SetTextBoxWidth(120);
  n->SetLeftText(left);
  n->SetRightText(right);
  n->SetInputFormat(format);
  n->SetValue(value);
  n->SetBeep(true);
  return n;
}

// Labels down the left: one per display type, then the special looks.
void BuildLabels(host::TWinControl* p) {
  struct Row {
    TDisplay Type;
    double Value;
    const char* Left;
    const char* Right;
  };
  const Row rows[] = {{dtFixP, 3.14159, "fixed point", "m"},
                      {dtFloat, 12345.678, "general", "V"},
                      {dtExp, 1234.5, "exponential", "A"},
                      {dtInt, 2.5, "integer", "pcs"},
                      {dtZeroInt, 42, "zero-padded", ""},
                      {dtHex, 48879, "hexadecimal", ""},
                      {dtBin, 10, "binary", ""},
                      {dtOct, 511, "octal", ""},
                      {dtDateTime, 45296.75, "date", ""},
                      {dtState, 0, "state", ""},
                      {dtDeg, 47.3769, "degrees", ""},
                      {dtDegMin, 47.3769, "deg min", "N"},
                      {dtDegMinSec, 8.5417, "deg min sec", "E"},
                      {dtEEng, 0.00047, "engineering", "F"},
                      {dtEEngNoDP, 12345678, "eng. no dec.", "Hz"}};
  int y = 4;
  for (const Row& r : rows) {
    TNumLab* l = AddLabel(p, 8, y, r.Type, r.Value, r.Left, r.Right);
    if (r.Type == dtState) l->SetStateText("idle");
    if (r.Type == dtZeroInt || r.Type == dtFloat) l->SetPrecision(6);
    y += kRow;
  }
  AddLabel(p, 8, y, dtFixP, 1e15, "overflow", "");
  y += kRow;
  TNumLab* plus = AddLabel(p, 8, y, dtFixP, 2.5, "comma, sign", "bar");
  plus->SetComma(true);
  plus->SetForcePlusSign(true);
  y += kRow;
  TNumLab* raised = AddLabel(p, 8, y, dtFixP, 21.5, "raised frame",
                             "\xC2\xB0"
                             "C");
  raised->SetFrameStyle(frRaised);
  raised->SetColorLabBakG(host::clWhite);
  raised->SetColorLabText(host::clNavy);
  y += kRow;
  TNumLab* transparent = AddLabel(p, 8, y, dtFixP, 99.9, "transparent", "%");
  transparent->SetTransparent(true);
  y += kRow;
  AddLabel(p, 8, y, dtFixP, 7, "disabled", "kg")->SetEnabled(false);
}

// Inputs down the middle; the first two drive labels on the right.
void BuildInputs(host::TWinControl* p) {
  int y = 4;
  TNumIO2* main = AddInput(p, y, itFloat, 250, "float", "mV");
  main->SetHeight(42);
  main->SetButVisible(true);
  main->SetButHeight(28);
  main->SetGaugeVisible(true);
  main->SetGaugeLeftMargin(110);
  main->SetGaugeWidth(122);
  TNumLab* echo = AddLabel(p, 680, y, dtFixP, 250, "value", "mV");
  main->SetOnChange([main, echo](host::TObject*) { echo->SetValue(main->Value()); });
  TNumLab* drag = AddLabel(p, 680, y + kRow, dtFixP, 0, "dragging", "mV");
  main->SetOnGaugeChange(
      [drag](host::TObject*, host::TShiftState, double v) { drag->SetValue(v); });
  y += 52;

  TNumIO2* pivots = AddInput(p, y, itInt, 10, "pivots", "steps");
  pivots->SetHeight(42);
  pivots->SetButVisible(true);
  pivots->SetButHeight(28);
  pivots->SetGaugeVisible(true);
  pivots->SetGaugeLeftMargin(110);
  pivots->SetGaugeWidth(122);
  pivots->SetRangeHigh(100);
  pivots->ButtonPivots = {0, 10, 20, 50, 100};
  TNumLab* pivotEcho = AddLabel(p, 680, y + 10, dtInt, 10, "pivot", "");
  pivots->SetOnChange(
      [pivots, pivotEcho](host::TObject*) { pivotEcho->SetValue(pivots->Value()); });
  y += 52;

  TNumIO2* fix = AddInput(p, y, itFixPoint, 12.34, "fixed point", "s");
  fix->SetFixPointDecPlaces(2);
  y += kRow;
  AddInput(p, y, itExp, 6.02214e23, "exponent", "1/mol")->SetRangeHigh(1e30);
  y += kRow;
  AddInput(p, y, itHex, 48879, "hexadecimal", "")->SetRangeHigh(65535);
  y += kRow;
  AddInput(p, y, itDynamic, 31, "$ % & prefix", "");
  y += kRow;
  TNumIO2* comma = AddInput(p, y, itFloat, 2.5, "comma only", "kg");
  comma->SetDecPlaceSep(dpsComma);
  y += kRow;
  AddInput(p, y, itFloat, 1500, "out of range", "0..1000");
  y += kRow;
  TNumIO2* raised = AddInput(p, y, itFloat, 3, "raised, left", "");
  raised->SetFrameStyle(frRaised);
  raised->SetAlignment(host::taLeftJustify);
  y += kRow;
  AddInput(p, y, itFloat, 42, "read-only", "")->SetReadOnly(true);
  y += kRow;
  TNumIO2* off = AddInput(p, y, itFloat, 7, "disabled", "");
  off->SetButVisible(true);
  off->SetEnabled(false);
}

const bool registered = gallery::RegisterPage({"Numeric", [](host::TWinControl* parent) {
                                                 BuildLabels(parent);
                                                 BuildInputs(parent);
                                               }});

}  // namespace
