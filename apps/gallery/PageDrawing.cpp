// The "Drawing" page: the drawing layer's demonstration sheet, painted live
// through a control's canvas on the form.
#include "apps/gallery/Pages.h"
#include "apps/sheet/DrawingSheet.h"
#include "host/ui/Controls.h"

namespace {

class TDrawingSheetView : public host::TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  std::string ClassName() const override { return "TDrawingSheetView"; }

 protected:
  void Paint() override { zel::PaintDrawingSheet(Canvas(), Width(), Height()); }
};

const bool registered = gallery::RegisterPage(
    {"Drawing", [](host::TWinControl* parent) {
       auto* view = new TDrawingSheetView(parent->Owner());
       view->SetParent(parent);
       view->SetBounds(8, 4, zel::kDrawingSheetWidth, zel::kDrawingSheetHeight);
     }});

}  // namespace
