// hello-meter [--png FILE] [--type TEXT]: a meter, a numeric label and a numeric
// input on one form. Typing a value into the input moves the meter's needle and
// the label. With a display it opens a window; with --png (or headless,
// ZEL_HEADLESS=1) it saves the form as a PNG (hello-meter.png by default) and
// exits. Headless, --type TEXT types TEXT over the input's number first, as a
// user would, and prints what the three controls then show.
#include <exception>
#include <iostream>
#include <string>

#include "host/backend/Backend.h"
#include "host/backend/Headless.h"
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

  // Selects the input's whole number and types text over it, key by key, through
  // the headless backend's input queue.
  void TypeIntoInput(host::THeadlessBackend& backend, const std::string& text) {
    FInput->SetFocus();
    FInput->SetSelBegin(0);
    FInput->SetSelEnd(int(FInput->Text().size()));
    for (char ch : text) {
      // A key press as a keyboard delivers it: key down, the character, key up.
      for (host::TBackendEventKind kind : {host::bekKeyDown, host::bekChar, host::bekKeyUp}) {
        host::TBackendEvent ev;
        ev.Kind = kind;
        ev.Window = WindowId();
        ev.Key = KeyOf(ch);
        ev.Char = char32_t(static_cast<unsigned char>(ch));
        backend.PostEvent(ev);
      }
    }
    host::Application->ProcessMessages();
  }

  void PrintReadings() const {
    std::cout << "input " << FInput->Text() << " meter " << FMeter->Value() << " label "
              << FLabel->Value() << "\n";
  }

 private:
  zel::TMeter* FMeter = nullptr;
  zel::TNumLab* FLabel = nullptr;
  zel::TNumIO2* FInput = nullptr;

  // The virtual key that types a character of a number (0: none).
  static host::Word KeyOf(char ch) {
    if (ch >= '0' && ch <= '9') return host::Word(ch);
    switch (ch) {
      case '.':
        return host::VK_OEM_PERIOD;
      case ',':
        return host::VK_OEM_COMMA;
      case '-':
        return host::VK_OEM_MINUS;
      case '+':
        return host::VK_ADD;
      default:
        return 0;
    }
  }

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
  std::cerr << "usage: hello-meter [--png FILE] [--type TEXT]\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string png, typed;
  bool type = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--type" && i + 1 < argc) {
      type = true;
      typed = argv[++i];
    } else if (a == "--png") {
      png = "hello-meter.png";
      if (i + 1 < argc && std::string(argv[i + 1]).rfind("--", 0) != 0) png = argv[++i];
    } else {
      return Usage();
    }
  }
  try {
    host::Application->Initialize();
    host::Application->SetTitle("Hello, meter");
    auto* form = host::Application->CreateForm<THelloForm>();
    form->Start(6.5);
    auto* headless = dynamic_cast<host::THeadlessBackend*>(&host::CurrentBackend());
    if (type && !headless) {
      std::cerr << "hello-meter: --type needs the headless backend (ZEL_HEADLESS=1)\n";
      return 2;
    }
    if (png.empty() && headless) png = "hello-meter.png";
    if (!png.empty()) {
      form->Show();
      host::Application->ProcessMessages();
      if (type) {
        form->TypeIntoInput(*headless, typed);
        form->PrintReadings();
      }
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
