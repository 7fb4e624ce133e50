// A fixture with one table editor, large enough for its 3 x 4 cells to show
// whole, holding the focus so typed keys reach it.
#pragma once

#include "ntabed/ZEL_ntabed.h"
#include "tests/support/Headless.h"

namespace zeltest {

class FocusedTableEditor : public HeadlessTest {
 protected:
  zel::TNTabEd* Ed() {
    if (!FEd) {
      Form()->SetBounds(0, 0, 420, 260);
      FEd = Make<zel::TNTabEd>(0, 0, 400, 240);
      FEd->SetFocus();
      Pump();
      Created(FEd);
    }
    return FEd;
  }
  // For a fixture that wires the new editor up.
  virtual void Created(zel::TNTabEd*) {}

 private:
  zel::TNTabEd* FEd = nullptr;
};

}  // namespace zeltest
