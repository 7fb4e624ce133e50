// A seam for popups (menus, drop-down lists): while one is open it must see
// every input event of the program first, whichever window the event names,
// because the keyboard belongs to the popup and a press anywhere else closes
// it. The message loop offers each backend event to the installed filter
// before routing it to a form, and skips the event when the filter took it.
#pragma once

#include <functional>

#include "host/backend/Backend.h"

namespace host {

// Returns true when it consumed the event.
using TInputFilter = std::function<bool(const TBackendEvent& Event)>;

// Installs `filter` (an empty one removes it) and returns the filter it
// replaces, so a popup opened from another popup can put the outer one back.
TInputFilter SetInputFilter(TInputFilter filter);

namespace detail {
// True when the installed filter consumed the event.
bool FilterInput(const TBackendEvent& ev);
}  // namespace detail

}  // namespace host
