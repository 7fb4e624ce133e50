#include "host/ui/Themes.h"

namespace host {

namespace {
// The switched-on style: a dark slate scheme, distinct from every classic colour
// so a test sees at once which path a control took.
constexpr TColor kStyleBack = RGB(0x2B, 0x2F, 0x3A);
constexpr TColor kStyleFace = RGB(0x3C, 0x41, 0x4F);
constexpr TColor kStyleEdit = RGB(0x1E, 0x21, 0x29);
constexpr TColor kStyleLine = RGB(0x5A, 0x61, 0x73);
constexpr TColor kStyleText = RGB(0xE6, 0xE8, 0xEE);
constexpr TColor kStyleTextDim = RGB(0x84, 0x8A, 0x99);
constexpr TColor kStyleHot = RGB(0x4F, 0x8C, 0xD9);
}  // namespace

TColor TCustomStyleServices::GetStyleColor(TStyleColor c) const {
  switch (c) {
    case scBorder:
    case scGrid:
    case scSplitter:
      return kStyleLine;
    case scEdit:
    case scComboBox:
    case scListBox:
    case scListView:
    case scTreeView:
      return kStyleEdit;
    case scButtonHot:
    case scButtonFocused:
      return kStyleHot;
    case scButtonNormal:
    case scButtonPressed:
    case scPanel:
    case scCategoryButtons:
    case scCategoryPanelGroup:
      return kStyleFace;
    default:
      return kStyleBack;
  }
}

TColor TCustomStyleServices::GetStyleFontColor(TStyleFont f) const {
  switch (f) {
    case sfButtonTextDisabled:
    case sfCaptionTextInactive:
    case sfEditBoxTextDisabled:
    case sfListItemTextDisabled:
    case sfPanelTextDisabled:
    case sfWindowTextDisabled:
      return kStyleTextDim;
    case sfButtonTextHot:
    case sfEditBoxTextHot:
      return kStyleHot;
    default:
      return kStyleText;
  }
}

TColor TCustomStyleServices::GetSystemColor(TColor c) const {
  if (!FEnabled || (c & clSystemColor) != clSystemColor) return ColorToRGB(c);
  switch (c) {
    case clWindow:
    case clInfoBk:
      return kStyleEdit;
    case clBtnFace:
    case clMenu:
    case clMenuBar:
      return kStyleFace;
    case clWindowText:
    case clBtnText:
    case clMenuText:
    case clCaptionText:
    case clInfoText:
    case clHighlightText:
      return kStyleText;
    case clGrayText:
    case clInactiveCaptionText:
      return kStyleTextDim;
    case clHighlight:
    case clHotLight:
    case clMenuHighlight:
      return kStyleHot;
    case clBtnShadow:
    case clWindowFrame:
    case cl3DDkShadow:
      return kStyleLine;
    default:
      return ColorToRGB(c);
  }
}

TCustomStyleServices* StyleServices() {
  static TCustomStyleServices services;
  return &services;
}

}  // namespace host
