// hello-meter [--png FILE]: a meter, a numeric label and a numeric input on one
// form. Typing a value into the input moves the meter's needle and the label.
// With a display it opens a window; with --png (or headless, ZEL_HEADLESS=1) it
// saves the form as a PNG (hello-meter.png by default) and exits.
#include <exception>
#include <iostream>
#include <string>

#include "host/backend/Backend.h"
#include "host/ui/Forms.h"
#include "instruments/ZEL_Meter.h"
#include "numeric/ZEL_NumIO.h"
#include "numeric/ZEL_NumLab.h"

namespace {

// The form owns its controls; the input's OnChange drives the other two.
class THelloForm : public host::TForm {
 public:
  explicit THelloForm(host::TComponent* AOwner) : TForm(AOwner) {
    SetCaption("Hello, meter");
    SetClientWidth(340);
    SetClientHeight(330);

    FMeter = Place<zel::TMeter>(10, 10, 320, 220);
    FMeter->SetMeterLayout(zel::mlCirc120);
    FMeter->SetMinValue(0);
    FMeter->SetMaxValue(10);
    FMeter->SetNrTicks(6);
    FMeter->SetDecPlaces(0);
    FMeter->SetUnitLabel("V");
    FMeter->SetHighThreshold(8);
    FMeter->SetLimWatHighOn(true);

    FLabel = Place<zel::TNumLab>(10, 240, 320, 28);
    FLabel->SetLeftSpace(90);
    FLabel->SetLeftText("Reading");
    FLabel->SetRightText("V");
    FLabel->SetDisplayType(zel::dtFixP);
    FLabel->SetPrecision(2);

    FInput = Place<zel::TNumIO2>(10, 280, 320, 40);
    FInput->SetLeftSpace(90);
    FInput->SetLeftText("Set point");
    FInput->SetRightText("V");
    FInput->SetRangeLow(0);
    FInput->SetRangeHigh(10);
    FInput->SetOnChange([this](host::TObject*) { ShowReading(FInput->Value()); });
  }

  // The value the program starts with, shown by all three controls.
  void Start(double v) {
    FInput->SetValue(v);
    ShowReading(v);
  }

 private:
  zel::TMeter* FMeter = nullptr;
  zel::TNumLab* FLabel = nullptr;
  zel::TNumIO2* FInput = nullptr;

  template <class T>
  T* Place(int x, int y, int w, int h) {
    auto* c = new T(this);
    c->SetParent(this);
    c->SetBounds(x, y, w, h);
    return c;
  }

  void ShowReading(double v) {
    FMeter->SetValue(v);
    FLabel->SetValue(v);
  }
};

int Usage() {
  std::cerr << "usage: hello-meter [--png FILE]\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string png;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a != "--png") return Usage();
    png = "hello-meter.png";
    if (i + 1 < argc) png = argv[++i];
  }
  try {
    host::Application->Initialize();
    host::Application->SetTitle("Hello, meter");
    auto* form = host::Application->CreateForm<THelloForm>();
    form->Start(6.5);
    if (png.empty() && host::CurrentBackend().Name() == "headless") png = "hello-meter.png";
    if (!png.empty()) {
      form->Show();
      host::Application->ProcessMessages();
      form->Framebuffer()->SaveToFile(png);
      std::cout << png << "\n";
      return 0;
    }
    host::Application->Run();
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "hello-meter: " << e.what() << "\n";
    return 1;
  }
}
