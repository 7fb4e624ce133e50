// Answers the host colour dialog headless: notes the colour it opened with,
// then enters a colour and presses OK, or cancels.
#pragma once

#include <string>

#include "host/widgets/Dialogs.h"
#include "host/widgets/StdCtrls.h"
#include "tests/support/Headless.h"

namespace zeltest {

class ColorDialogDriver {
 public:
  // Every dialog from now on is answered with OK and `chosen`.
  void Choose(host::TColor chosen) { Install(true, chosen); }
  // Every dialog from now on is cancelled.
  void Cancel() { Install(false, 0); }
  int Shown() const { return FShown; }
  // The colour the last dialog opened with.
  host::TColor Opened() const { return FOpened; }

 private:
  int FShown = 0;
  host::TColor FOpened = 0xFFFFFFFF;

  static host::TEdit* Edit(host::TForm* f, const char* name) {
    return dynamic_cast<host::TEdit*>(f->FindComponent(name));
  }
  static int Channel(host::TForm* f, const char* name) { return std::stoi(Edit(f, name)->Text()); }
  void Install(bool accept, host::TColor chosen) {
    host::Application->SetModalHook([this, accept, chosen](host::TForm* f) {
      ++FShown;
      FOpened = host::RGB(uint8_t(Channel(f, "RedEdit")), uint8_t(Channel(f, "GreenEdit")),
                          uint8_t(Channel(f, "BlueEdit")));
      if (!accept) {
        PressKey(f, host::VK_ESCAPE);
        return;
      }
      Edit(f, "RedEdit")->SetText(std::to_string(host::GetRValue(chosen)));
      Edit(f, "GreenEdit")->SetText(std::to_string(host::GetGValue(chosen)));
      Edit(f, "BlueEdit")->SetText(std::to_string(host::GetBValue(chosen)));
      PressKey(f, host::VK_RETURN);
    });
  }
};

}  // namespace zeltest
