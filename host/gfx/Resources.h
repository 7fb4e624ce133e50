// Images embedded into the library from the resources/ folder at build time, so
// controls find their artwork without files beside the program.
#pragma once

#include <cstddef>
#include <string>

namespace host {

// One embedded file. Name is the file's stem in upper case ("emptybox.bmp" ->
// "EMPTYBOX"), Ext its extension in lower case with the dot (".bmp").
struct EmbeddedResource {
  const char* Name;
  const char* Ext;
  const unsigned char* Data;
  size_t Size;
};

// The table of every embedded file, ended by an entry whose Name is nullptr.
// Generated at build time (cmake/EmbedResources.cmake).
const EmbeddedResource* EmbeddedResources();

// The resource of that name, matched without regard to case; nullptr if none.
const EmbeddedResource* FindResource(const std::string& name);

}  // namespace host
