#include "host/gfx/Resources.h"

#include <cctype>

namespace host {

namespace {

bool SameName(const char* stored, const std::string& wanted) {
  size_t i = 0;
  for (; stored[i] != '\0'; ++i) {
    if (i == wanted.size()) return false;
    if (stored[i] != std::toupper(static_cast<unsigned char>(wanted[i]))) return false;
  }
  return i == wanted.size();
}

}  // namespace

const EmbeddedResource* FindResource(const std::string& name) {
  for (const EmbeddedResource* r = EmbeddedResources(); r->Name != nullptr; ++r)
    if (SameName(r->Name, name)) return r;
  return nullptr;
}

}  // namespace host
