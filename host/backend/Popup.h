// Popup windows for menus and drop-down lists. On a windowing system they must
// be windows of their own that the window manager leaves alone (no frame, no
// focus change), placed exactly where the program says, and while one is open
// the program must see the click that lands outside it, so it can close. A
// backend without such windows (headless) needs none of this: there every
// window is just a framebuffer the program places itself.
#pragma once

#include "host/backend/Backend.h"

namespace host {

// Implemented by backends that have real popup windows, next to TBackend.
class TPopupWindows {
 public:
  virtual ~TPopupWindows() = default;
  // See MakePopupWindow.
  virtual void MakePopup(TWindowId w, TWindowId owner, int x, int y) = 0;
};

// Turns window `w` (made by CreateWindow, before it is shown; again later to
// move it) into a popup whose top-left is at (x, y) in client coordinates of
// the top-level window `owner`, or in screen coordinates when owner is 0.
// While the popup is shown it holds the pointer and keyboard grab: input over
// the program's own windows goes to them as usual, and a press anywhere else
// goes to the newest popup, in its client coordinates (so outside its client
// rectangle). Hiding or destroying the popup gives the grab back to the popup
// opened before it (a submenu's parent), or ends it.
// Returns false when the backend has no popup windows (nothing to do then).
bool MakePopupWindow(TWindowId w, TWindowId owner, int x, int y);

}  // namespace host
