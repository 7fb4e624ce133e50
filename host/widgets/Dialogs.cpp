#include "host/widgets/Dialogs.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <vector>

#include "host/widgets/ExtCtrls.h"
#include "host/widgets/Look.h"
#include "host/widgets/StdCtrls.h"

namespace host {

namespace {

constexpr int kHlsMax = 240;
constexpr int kRgbMax = 255;
// Hue shown for greys, which have none.
constexpr int kUndefinedHue = kHlsMax * 2 / 3;

int HueToRgb(int n1, int n2, int hue) {
  if (hue < 0) hue += kHlsMax;
  if (hue > kHlsMax) hue -= kHlsMax;
  if (hue < kHlsMax / 6) return n1 + ((n2 - n1) * hue + kHlsMax / 12) / (kHlsMax / 6);
  if (hue < kHlsMax / 2) return n2;
  if (hue < kHlsMax * 2 / 3)
    return n1 + ((n2 - n1) * (kHlsMax * 2 / 3 - hue) + kHlsMax / 12) / (kHlsMax / 6);
  return n1;
}

uint8_t ToByte(int v) { return uint8_t(std::clamp((v * kRgbMax + kHlsMax / 2) / kHlsMax, 0, 255)); }

// The 48 basic colours, eight to a row, as 0xRRGGBB.
constexpr uint32_t kBasicColors[48] = {
    0xFF8080, 0xFFFF80, 0x80FF80, 0x00FF80, 0x80FFFF, 0x0080FF, 0xFF80C0, 0xFF80FF,
    0xFF0000, 0xFFFF00, 0x80FF00, 0x00FF40, 0x00FFFF, 0x0080C0, 0x8080C0, 0xFF00FF,
    0x804040, 0xFF8040, 0x00FF00, 0x008080, 0x004080, 0x8080FF, 0x800040, 0xFF0080,
    0x800000, 0xFF8000, 0x008000, 0x008040, 0x0000FF, 0x0000A0, 0x800080, 0x8000FF,
    0x400000, 0x804000, 0x004000, 0x004040, 0x000080, 0x000040, 0x400040, 0x400080,
    0x000000, 0x808000, 0x808040, 0x808080, 0x408080, 0xC0C0C0, 0x400040, 0xFFFFFF};

TColor FromRgbHex(uint32_t v) { return RGB(uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)); }

// A grid of colour cells; a click picks one.
class TColorCells : public TCustomControl {
 public:
  static constexpr int kCellW = 24, kCellH = 20;
  TColorCells(TComponent* owner, std::vector<TColor> colors, int columns)
      : TCustomControl(owner), FColors(std::move(colors)), FColumns(columns) {
    SetControlStyle(TControlStyle(ControlStyle() | csOpaque));
    SetTabStop(true);
    const int rows = (int(FColors.size()) + columns - 1) / columns;
    SetBounds(0, 0, columns * kCellW, rows * kCellH);
  }
  int Selected() const { return FSelected; }
  void SetSelected(int i) {
    FSelected = (i >= 0 && i < int(FColors.size())) ? i : -1;
    Invalidate();
  }
  TColor ColorAt(int i) const { return FColors[size_t(i)]; }
  void SetColorAt(int i, TColor c) {
    FColors[size_t(i)] = c;
    Invalidate();
  }
  // Selects the cell of exactly this colour, or none.
  void SelectColor(TColor c) {
    auto it = std::find(FColors.begin(), FColors.end(), ColorToRGB(c));
    SetSelected(it == FColors.end() ? -1 : int(it - FColors.begin()));
  }
  std::function<void(int)> OnPick;
  std::string ClassName() const override { return "TColorCells"; }

 protected:
  void Paint() override {
    TCanvas* c = Canvas();
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(ClientRect());
    for (int i = 0; i < int(FColors.size()); ++i) {
      TRect r = CellRect(i);
      r = Rect(r.Left + 3, r.Top + 3, r.Right - 3, r.Bottom - 3);
      TRect inner = r;
      DrawSunkenEdge(c, inner);
      c->Brush()->SetColor(FColors[size_t(i)]);
      c->FillRect(inner);
      if (i == FSelected) {
        c->Brush()->SetColor(clBlack);
        c->FrameRect(Rect(r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom + 2));
        if (Focused()) DrawFocusRect(c, Rect(r.Left - 3, r.Top - 3, r.Right + 3, r.Bottom + 3));
      }
    }
  }
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    FocusByMouse(this);
    TCustomControl::MouseDown(Button, Shift, X, Y);
    const int col = X / kCellW, row = Y / kCellH, i = row * FColumns + col;
    if (Button == mbLeft && X >= 0 && col < FColumns && i >= 0 && i < int(FColors.size())) Pick(i);
  }
  void KeyDown(Word& Key, TShiftState Shift) override {
    TCustomControl::KeyDown(Key, Shift);
    const int n = int(FColors.size());
    const int step = Key == VK_LEFT    ? -1
                     : Key == VK_RIGHT ? 1
                     : Key == VK_UP    ? -FColumns
                     : Key == VK_DOWN  ? FColumns
                                       : 0;
    if (step == 0) return;
    Pick(std::clamp(std::max(FSelected, 0) + step, 0, n - 1));
    Key = 0;
  }
  void WMGetDlgCode(TMessage& m) override { m.Result = DLGC_WANTARROWS; }
  void WMSetFocus(TMessage&) override { Invalidate(); }
  void WMKillFocus(TMessage&) override { Invalidate(); }

 private:
  std::vector<TColor> FColors;
  int FColumns;
  int FSelected = -1;
  TRect CellRect(int i) const {
    const int x = (i % FColumns) * kCellW, y = (i / FColumns) * kCellH;
    return Rect(x, y, x + kCellW, y + kCellH);
  }
  void Pick(int i) {
    SetSelected(i);
    if (OnPick) OnPick(i);
  }
};

}  // namespace

THLS ColorToHLS(TColor c) {
  c = ColorToRGB(c);
  const int r = int(c & 0xFF), g = int((c >> 8) & 0xFF), b = int((c >> 16) & 0xFF);
  const int cMax = std::max({r, g, b}), cMin = std::min({r, g, b});
  THLS out;
  out.Lum = ((cMax + cMin) * kHlsMax + kRgbMax) / (2 * kRgbMax);
  if (cMax == cMin) {
    out.Hue = kUndefinedHue;
    return out;
  }
  const int sum = cMax + cMin, diff = cMax - cMin;
  if (out.Lum <= kHlsMax / 2)
    out.Sat = (diff * kHlsMax + sum / 2) / sum;
  else
    out.Sat = (diff * kHlsMax + (2 * kRgbMax - sum) / 2) / (2 * kRgbMax - sum);
  auto delta = [&](int v) { return ((cMax - v) * (kHlsMax / 6) + diff / 2) / diff; };
  int h = 0;
  if (r == cMax)
    h = delta(b) - delta(g);
  else if (g == cMax)
    h = kHlsMax / 3 + delta(r) - delta(b);
  else
    h = 2 * kHlsMax / 3 + delta(g) - delta(r);
  if (h < 0) h += kHlsMax;
  if (h >= kHlsMax) h -= kHlsMax;
  out.Hue = h;
  return out;
}

TColor HLSToColor(const THLS& in) {
  const int h = std::clamp(in.Hue, 0, kHlsMax - 1);
  const int s = std::clamp(in.Sat, 0, kHlsMax);
  const int l = std::clamp(in.Lum, 0, kHlsMax);
  if (s == 0) {
    const uint8_t v = ToByte(l);
    return RGB(v, v, v);
  }
  const int m2 = l <= kHlsMax / 2 ? (l * (kHlsMax + s) + kHlsMax / 2) / kHlsMax
                                  : l + s - (l * s + kHlsMax / 2) / kHlsMax;
  const int m1 = 2 * l - m2;
  return RGB(ToByte(HueToRgb(m1, m2, h + kHlsMax / 3)), ToByte(HueToRgb(m1, m2, h)),
             ToByte(HueToRgb(m1, m2, h - kHlsMax / 3)));
}

// --- the dialog's form

class TColorDialogForm : public TForm {
 public:
  TColorDialogForm(TColorDialog* dialog, TColor start) : TForm(nullptr), FDialog(dialog) {
    SetName("ColorDialogForm");
    SetCaption(dialog->Title());
    SetBorderStyle(bsDialog);
    SetPosition(poMainFormCenter);
    SetClientWidth(444);
    SetClientHeight(300);
    BuildPalettes();
    BuildEntry();
    BuildButtons();
    ShowColor(ColorToRGB(start), srcPalette);
  }
  TColor Current() const { return FCurrent; }
  TColor Custom(int i) const { return FCustom->ColorAt(i); }

 private:
  TColorDialog* FDialog;
  TColor FCurrent = clBlack;
  bool FUpdating = false;
  TColorCells* FBasic = nullptr;
  TColorCells* FCustom = nullptr;
  TPanel* FPreview = nullptr;
  std::array<TEdit*, 3> FRgb{};  // red, green, blue
  std::array<TEdit*, 3> FHls{};  // hue, saturation, luminance
  int FNextCustom = 0;

  template <class T>
  T* Make(const std::string& name, int x, int y, int w, int h) {
    T* c = new T(this);
    c->SetName(name);
    c->SetParent(this);
    c->SetBounds(x, y, w, h);
    return c;
  }
  TLabel* Caption(const std::string& text, int x, int y) {
    TLabel* l = new TLabel(this);
    l->SetParent(this);
    l->SetBounds(x, y, 0, 0);
    l->SetCaption(text);  // an auto-sized label grows to its caption
    return l;
  }

  void BuildPalettes() {
    std::vector<TColor> basic;
    for (uint32_t v : kBasicColors) basic.push_back(FromRgbHex(v));
    TLabel* basicCaption = Caption("&Basic colors:", 8, 8);
    FBasic = new TColorCells(this, basic, 8);
    basicCaption->SetFocusControl(FBasic);
    FBasic->SetName("BasicColors");
    FBasic->SetParent(this);
    FBasic->SetBounds(8, 26, FBasic->Width(), FBasic->Height());
    FBasic->OnPick = [this](int i) { ShowColor(FBasic->ColorAt(i), srcPalette); };
    std::vector<TColor> custom;
    for (int i = 0; i < 16; ++i) custom.push_back(ColorToRGB(FDialog->CustomColor(i)));
    TLabel* customCaption = Caption("&Custom colors:", 8, 156);
    FCustom = new TColorCells(this, custom, 8);
    customCaption->SetFocusControl(FCustom);
    FCustom->SetName("CustomColors");
    FCustom->SetParent(this);
    FCustom->SetBounds(8, 174, FCustom->Width(), FCustom->Height());
    FCustom->OnPick = [this](int i) {
      FNextCustom = i;
      ShowColor(FCustom->ColorAt(i), srcPalette);
    };
  }

  void BuildEntry() {
    FPreview = Make<TPanel>("Preview", 216, 26, 100, 72);
    FPreview->SetBevelOuter(bvLowered);
    FPreview->SetParentBackground(false);
    FPreview->SetShowCaption(false);
    Caption("Color", 216, 102);
    static const char* const kHlsNames[3] = {"HueEdit", "SatEdit", "LumEdit"};
    static const char* const kHlsCaptions[3] = {"Hu&e:", "&Sat:", "&Lum:"};
    static const char* const kRgbNames[3] = {"RedEdit", "GreenEdit", "BlueEdit"};
    static const char* const kRgbCaptions[3] = {"&Red:", "&Green:", "Bl&ue:"};
    for (int i = 0; i < 3; ++i) {
      const int y = 126 + i * 28;
      TLabel* hlsCaption = Caption(kHlsCaptions[i], 216, y + 3);
      FHls[size_t(i)] = Make<TEdit>(kHlsNames[i], 252, y, 44, 21);
      hlsCaption->SetFocusControl(FHls[size_t(i)]);
      FHls[size_t(i)]->SetOnChange([this](TObject*) { FromEdits(false); });
      TLabel* rgbCaption = Caption(kRgbCaptions[i], 320, y + 3);
      FRgb[size_t(i)] = Make<TEdit>(kRgbNames[i], 368, y, 44, 21);
      rgbCaption->SetFocusControl(FRgb[size_t(i)]);
      FRgb[size_t(i)]->SetOnChange([this](TObject*) { FromEdits(true); });
    }
    TButton* add = Make<TButton>("AddCustomButton", 216, 214, 196, 25);
    add->SetCaption("&Add to Custom Colors");
    add->SetOnClick([this](TObject*) { AddCustom(); });
  }

  void BuildButtons() {
    TButton* ok = Make<TButton>("OKButton", 252, 262, 75, 25);
    ok->SetCaption("OK");
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    TButton* cancel = Make<TButton>("CancelButton", 337, 262, 75, 25);
    cancel->SetCaption("Cancel");
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
  }

  // Which edits a new colour came from: those keep what the user typed.
  enum TSource { srcPalette, srcRgb, srcHls };

  void ShowColor(TColor c, TSource source) {
    FCurrent = ColorToRGB(c);
    FUpdating = true;
    const THLS hls = ColorToHLS(FCurrent);
    const int hlsValues[3] = {hls.Hue, hls.Sat, hls.Lum};
    const int rgbValues[3] = {int(FCurrent & 0xFF), int((FCurrent >> 8) & 0xFF),
                              int((FCurrent >> 16) & 0xFF)};
    for (int i = 0; i < 3; ++i) {
      if (source != srcHls) FHls[size_t(i)]->SetText(std::to_string(hlsValues[i]));
      if (source != srcRgb) FRgb[size_t(i)]->SetText(std::to_string(rgbValues[i]));
    }
    FUpdating = false;
    FPreview->SetColor(FCurrent);
    FBasic->SelectColor(FCurrent);
  }

  // A number typed into an edit: digits only, clamped; false for no number.
  static bool ReadNumber(TEdit* e, int hi, int& v) {
    const std::string& s = e->Text();
    if (s.empty() || s.size() > 6 || !std::all_of(s.begin(), s.end(), ::isdigit)) return false;
    v = std::min(std::stoi(s), hi);
    return true;
  }

  void FromEdits(bool rgb) {
    if (FUpdating) return;
    int v[3];
    if (rgb) {
      for (int i = 0; i < 3; ++i)
        if (!ReadNumber(FRgb[size_t(i)], 255, v[i])) return;
      ShowColor(RGB(uint8_t(v[0]), uint8_t(v[1]), uint8_t(v[2])), srcRgb);
    } else {
      const int hi[3] = {kHlsMax - 1, kHlsMax, kHlsMax};
      for (int i = 0; i < 3; ++i)
        if (!ReadNumber(FHls[size_t(i)], hi[i], v[i])) return;
      ShowColor(HLSToColor({v[0], v[1], v[2]}), srcHls);
    }
  }

  void AddCustom() {
    FCustom->SetColorAt(FNextCustom, FCurrent);
    FCustom->SetSelected(FNextCustom);
    FNextCustom = (FNextCustom + 1) % 16;
  }
};

// --- TColorDialog

TColorDialog::TColorDialog(TComponent* AOwner) : TComponent(AOwner) { FCustom.fill(clWhite); }

TColorDialog::~TColorDialog() = default;

TColor TColorDialog::CustomColor(int i) const {
  return i >= 0 && i < 16 ? FCustom[size_t(i)] : clWhite;
}

void TColorDialog::SetCustomColor(int i, TColor c) {
  if (i >= 0 && i < 16) FCustom[size_t(i)] = c;
}

bool TColorDialog::Execute() {
  auto form = std::make_unique<TColorDialogForm>(this, FColor);
  if (form->ShowModal() != mrOk) return false;
  FColor = form->Current();
  for (int i = 0; i < 16; ++i) FCustom[size_t(i)] = form->Custom(i);
  return true;
}

}  // namespace host
