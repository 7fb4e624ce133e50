#include "host/backend/Popup.h"

namespace host {

bool MakePopupWindow(TWindowId w, TWindowId owner, int x, int y) {
  auto* popups = dynamic_cast<TPopupWindows*>(&CurrentBackend());
  if (!popups) return false;
  popups->MakePopup(w, owner, x, y);
  return true;
}

}  // namespace host
