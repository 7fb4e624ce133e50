// The X11 backend: forms are real windows on an X display (Xvfb works too), the
// loop sleeps on the X connection until the next event or timer, and the
// clipboard is the CLIPBOARD selection shared with the other programs.
#pragma once

#include <memory>

#include "host/backend/Backend.h"

namespace host {

// Opens the display (nullptr: $DISPLAY) and returns a backend for it, or
// nullptr when it cannot be opened. Its window ids are the X window ids, so a
// second X client (a test) can find the windows.
std::unique_ptr<TBackend> CreateX11Backend(const char* displayName = nullptr);

}  // namespace host
