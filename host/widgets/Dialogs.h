// The colour dialog, and the hue-saturation-luminance scale it edits with.
//
// Like every modal dialog it runs through TForm::ShowModal, so on the headless
// backend a program drives it with the application's modal hook: the hook
// receives the dialog's form, finds the controls by name (FindComponent) and
// sets texts or clicks buttons. Names: "RedEdit", "GreenEdit", "BlueEdit",
// "HueEdit", "SatEdit", "LumEdit", "BasicColors", "CustomColors", "Preview",
// "AddCustomButton", "OKButton", "CancelButton".
#pragma once

#include <array>
#include <memory>

#include "host/ui/Forms.h"

namespace host {

// Hue 0..239, saturation and luminance 0..240: the scale of the platform's
// colour dialog.
struct THLS {
  int Hue = 0, Sat = 0, Lum = 0;
};
THLS ColorToHLS(TColor c);  // system colours are resolved first
TColor HLSToColor(const THLS& hls);

class TColorDialogForm;

// Asks the user for a colour: 48 basic colours, 16 custom colours that live
// as long as the dialog component, entry of RGB and HSL values, and a preview.
class TColorDialog : public TComponent {
 public:
  explicit TColorDialog(TComponent* AOwner);
  ~TColorDialog() override;

  TColor Color() const { return FColor; }
  void SetColor(TColor c) { FColor = c; }
  TColor CustomColor(int i) const;  // i 0..15; others read as white
  void SetCustomColor(int i, TColor c);
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& t) { FTitle = t; }
  // Shows the dialog modally, starting from Color. True (and Color and the
  // custom colours updated) when the user chose OK.
  bool Execute();
  std::string ClassName() const override { return "TColorDialog"; }

 private:
  TColor FColor = clBlack;
  std::array<TColor, 16> FCustom;
  std::string FTitle = "Color";
};

}  // namespace host
