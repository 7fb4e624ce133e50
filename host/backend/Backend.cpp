#include "host/backend/Backend.h"

#include <cstdlib>

#include "host/backend/Headless.h"

// The X11 backend joins by providing this header with CreateX11Backend().
#if defined(ZEL_HAVE_X11) && __has_include("host/backend/X11Backend.h")
#include "host/backend/X11Backend.h"
#define ZEL_USE_X11 1
#endif

namespace host {

namespace {
std::unique_ptr<TBackend>& Slot() {
  // Never destroyed: windows closed by static destructors at exit still reach it.
  static auto* backend = new std::unique_ptr<TBackend>;
  return *backend;
}
}  // namespace

TBackend& CurrentBackend() {
  auto& b = Slot();
  if (!b) b = std::make_unique<THeadlessBackend>(true);
  return *b;
}

void SetCurrentBackend(std::unique_ptr<TBackend> b) { Slot() = std::move(b); }

std::unique_ptr<TBackend> CreateDefaultBackend() {
#ifdef ZEL_USE_X11
  const char* display = std::getenv("DISPLAY");
  const char* headless = std::getenv("ZEL_HEADLESS");
  bool wantHeadless = headless && *headless && std::string(headless) != "0";
  if (display && *display && !wantHeadless) {
    if (auto b = CreateX11Backend()) return b;
  }
#endif
  return std::make_unique<THeadlessBackend>(false);
}

}  // namespace host
