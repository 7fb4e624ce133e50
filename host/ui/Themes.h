// Visual-style services. This host draws the classic look, so styles report
// themselves off; a test switch turns them on so the controls' styled paths can
// be exercised, answering with a fixed dark palette.
#pragma once

#include "host/gfx/Types.h"

namespace host {

enum TStyleColor : uint8_t {
  scBorder,
  scButtonDisabled,
  scButtonFocused,
  scButtonHot,
  scButtonNormal,
  scButtonPressed,
  scCategoryButtons,
  scCategoryButtonsGradientBase,
  scCategoryButtonsGradientEnd,
  scCategoryPanelGroup,
  scComboBox,
  scComboBoxDisabled,
  scEdit,
  scEditDisabled,
  scGrid,
  scGenericBackground,
  scGenericGradientBase,
  scGenericGradientEnd,
  scHintGradientBase,
  scHintGradientEnd,
  scListBox,
  scListBoxDisabled,
  scListView,
  scPanel,
  scPanelDisabled,
  scSplitter,
  scToolBarGradientBase,
  scToolBarGradientEnd,
  scTreeView,
  scWindow
};

enum TStyleFont : uint8_t {
  sfButtonTextDisabled,
  sfButtonTextFocused,
  sfButtonTextHot,
  sfButtonTextNormal,
  sfButtonTextPressed,
  sfCaptionTextInactive,
  sfCaptionTextNormal,
  sfCategoryPanelGroupHeaderHot,
  sfCategoryPanelGroupHeaderNormal,
  sfEditBoxTextDisabled,
  sfEditBoxTextFocused,
  sfEditBoxTextHot,
  sfEditBoxTextNormal,
  sfEditBoxTextSelected,
  sfListItemTextDisabled,
  sfListItemTextNormal,
  sfListItemTextSelected,
  sfPanelTextDisabled,
  sfPanelTextNormal,
  sfWindowTextDisabled,
  sfWindowTextNormal
};

class TCustomStyleServices {
 public:
  // False on this host unless a test switched styles on.
  bool Enabled() const { return FEnabled; }
  bool IsSystemStyle() const { return !FEnabled; }
  // Colours of the active style (only meaningful while Enabled).
  TColor GetStyleColor(TStyleColor c) const;
  TColor GetStyleFontColor(TStyleFont f) const;
  // A system colour as the active style shows it: the classic palette's RGB
  // when styles are off.
  TColor GetSystemColor(TColor c) const;
  // Test switch.
  void SetEnabled(bool on) { FEnabled = on; }

 private:
  bool FEnabled = false;
};

TCustomStyleServices* StyleServices();

}  // namespace host
