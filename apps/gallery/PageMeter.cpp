// The "Instruments" page, meter band: analog meters in several layouts, driven
// by a simulated signal every 100 ms, and one that follows the mouse.
//   - a quarter circle on an ivory dial image, with lamps;
//   - a logarithmic 300-degree dial with range bands, an anchor knob image and
//     a second needle that holds the recent peak;
//   - a full circle whose needle follows the pointer over its dial;
//   - a half circle, a 270-degree dial on a tiled brushed background and a
//     120-degree dial with a shadowed needle.
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "apps/gallery/Pages.h"
#include "host/ui/WindowTimer.h"
#include "instruments/ZEL_Meter.h"

namespace {

using namespace zel;
using host::RGB;

// The meter takes its images by file name: the gallery's embedded images are
// written once to the temporary folder for it.
std::string ResourceFile(const std::string& name) {
  const auto path = std::filesystem::temp_directory_path() / ("zel-gallery-" + name + ".png");
  host::TBitmap b;
  b.LoadFromResourceName(name);
  b.SaveToFile(path.string());
  return path.string();
}

// A smooth, deterministic test signal in 0..1: two slow sines.
double Signal(double t) { return 0.5 + 0.32 * std::sin(0.9 * t) + 0.12 * std::sin(2.3 * t + 1); }

// Owns the timer that drives the meters; the form owns it, so the timer stops
// when the gallery closes.
class TMeterDemo : public host::TComponent {
 public:
  explicit TMeterDemo(host::TComponent* owner) : TComponent(owner), FTimer([this] { Tick(); }) {}
  TMeter* Volts = nullptr;
  TMeter* Hertz = nullptr;
  std::vector<TMeter*> Others;
  // The first reading at once, so the page never shows all needles at rest.
  void Start() {
    Tick();
    FTimer.Start(100);
  }

 private:
  host::TWindowTimer FTimer;
  int FTicks = 0;
  double FPeak = 0;

  void Tick() {
    const double t = ++FTicks * 0.1;
    Volts->SetValue(10 * Signal(t));
    // Two decades and a half, swept logarithmically; the peak decays slowly.
    const double hz = std::pow(10.0, 0.2 + 2.6 * Signal(0.7 * t + 2));
    FPeak = std::max(hz, FPeak * 0.97);
    Hertz->SetValue(hz);
    Hertz->SetValue2(FPeak);
    for (size_t i = 0; i < Others.size(); ++i) {
      TMeter* m = Others[i];
      const double s = Signal(t * (0.6 + 0.25 * double(i)) + double(i));
      m->SetValue(m->MeterMinValue() + s * (m->MeterMaxValue() - m->MeterMinValue()));
    }
  }
};

TMeter* AddMeter(host::TWinControl* p, int x, int y, int w, int h, TMeterLayout layout,
                 const std::string& title) {
  gallery::Caption(p, x, y, title);
  TMeter* m = gallery::Add<TMeter>(p, x, y + 18, w, h);
  m->SetMeterLayout(layout);
  return m;
}

TMeter* VoltMeter(host::TWinControl* p, int x, int y) {
  TMeter* m = AddMeter(p, x, y, 297, 209, mlCirc90, "quarter circle, dial image, lamps");
  m->SetBakGndFname(ResourceFile("METERBKG"));
  m->SetBGFillMode(bfStretch);
  m->SetMaxValue(10);
  m->SetNrTicks(4);
  m->SetLowThreshold(1.5);
  m->SetHighThreshold(8.5);
  m->SetUnitLabel("V DC");
  m->SetColorScale(RGB(30, 30, 30));
  TNeedleLayout* n = m->NeedleLayout();
  n->SetColorBody(RGB(200, 30, 20));
  n->SetColorOutline(RGB(120, 10, 10));
  n->SetHeadSize(14);
  n->SetHeadMidLeng(12);
  n->SetShadowDx(-2);
  n->SetShadowDy(-2);
  n->SetShadowColor(RGB(205, 200, 185));
  return m;
}

TMeter* LogMeter(host::TWinControl* p, int x, int y) {
  TMeter* m =
      AddMeter(p, x, y, 297, 209, mlCirc300, "logarithmic, bands, peak-hold needle, anchor image");
  m->SetMinValue(1);
  m->SetMaxValue(1000);
  m->SetLogarithmic(true);
  m->SetDecPlaces(0);
  m->SetLowThreshold(2);
  m->SetHighThreshold(400);
  m->SetScaleBkWidth(6);
  m->SetScaleBkVis(true);
  m->SetColorBakgLow(RGB(120, 170, 255));
  m->SetColorBakgNorm(RGB(235, 235, 235));
  m->SetUnitLabel("Hz");
  m->SetACoverFname(ResourceFile("METERANCHOR"));
  m->NeedleLayout()->SetThickness(3);
  m->NeedleLayout()->SetColorBody(RGB(40, 40, 40));
  TNeedleLayout* peak = m->NeedleLayoutSec();
  peak->SetColorBody(RGB(230, 120, 0));
  peak->SetColorOutline(RGB(150, 70, 0));
  peak->SetPercentNeedleLength(80);
  peak->SetHeadSize(10);
  peak->SetHeadMidLeng(8);
  peak->SetVisible(true);
  return m;
}

// The needle follows the pointer; the label below reads the value off.
void MouseMeter(host::TWinControl* p, int x, int y) {
  TMeter* m = AddMeter(p, x, y, 230, 209, mlCirc360, "full circle: follows the mouse");
  m->SetMaxValue(360);
  m->SetNrTicks(8);
  m->SetDecPlaces(0);
  m->SetLimWatHighOn(false);
  m->SetLimWatLowOn(false);
  m->SetSizeAnchor(10);
  m->SetColorBakG(RGB(20, 24, 30));
  m->SetColorScale(RGB(120, 220, 255));
  host::TFont labels;
  labels.Assign(m->Font());
  labels.SetColor(RGB(200, 230, 255));
  m->SetFont(&labels);
  m->NeedleLayout()->SetColorBody(RGB(255, 200, 40));
  m->NeedleLayout()->SetColorOutline(RGB(255, 200, 40));
  host::TLabel* readout = gallery::Caption(p, x, y + 18 + 212, "move the mouse over the dial");
  m->SetOnMouseMoveInMeter([m, readout](host::TObject*, bool within, host::TShiftState, double v) {
    if (!within) return;
    m->SetValue(v);
    readout->SetCaption("bearing " + MeterLabelText(v, 1) + "\xC2\xB0");
  });
}

void Build(host::TWinControl* p) {
  auto* demo = new TMeterDemo(p->Owner());
  demo->Volts = VoltMeter(p, 8, 8);
  demo->Hertz = LogMeter(p, 320, 8);
  MouseMeter(p, 632, 8);

  TMeter* half = AddMeter(p, 8, 270, 297, 170, mlCirc180, "half circle, sunken frame");
  half->SetMinValue(-50);
  half->SetMaxValue(50);
  half->SetNrTicks(5);
  half->SetDecPlaces(0);
  half->SetFrameStyle(frLowered);
  half->SetColorCover(RGB(60, 64, 72));
  half->SetUnitLabel(
      "\xC2\xB0"
      "C");
  half->SetLowThreshold(-30);
  half->SetHighThreshold(30);
  demo->Others.push_back(half);

  TMeter* tiled = AddMeter(p, 320, 270, 297, 170, mlCirc270, "270 degrees, tiled background");
  tiled->SetBakGndFname(ResourceFile("METERTILE"));
  tiled->SetBGFillMode(bfTile);
  tiled->SetMaxValue(6);
  tiled->SetNrTicks(6);
  tiled->SetUnitLabel("bar");
  tiled->SetLowThreshold(0.5);
  tiled->SetHighThreshold(5);
  tiled->SetSizeAnchor(12);
  tiled->NeedleLayout()->SetThickness(2);
  tiled->NeedleLayout()->SetColorBody(RGB(20, 20, 20));
  demo->Others.push_back(tiled);

  TMeter* wide = AddMeter(p, 632, 270, 230, 170, mlCirc120, "120 degrees, shadowed needle");
  wide->SetMaxValue(100);
  wide->SetNrTicks(5);
  wide->SetDecPlaces(0);
  wide->SetUnitLabel("%");
  wide->SetLowThreshold(10);
  wide->SetHighThreshold(90);
  wide->NeedleLayout()->SetShadowDx(3);
  wide->NeedleLayout()->SetShadowDy(-3);
  demo->Others.push_back(wide);

  demo->Start();
}

const bool registered = gallery::RegisterPage({"Instruments", Build});

}  // namespace
