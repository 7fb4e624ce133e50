#include "host/gfx/Persistent.h"

namespace host {

void TPersistent::Assign(TPersistent* Source) {
  if (Source == nullptr) AssignError(nullptr);
  Source->AssignTo(this);
}

// Reached when neither side knows the other: this object is the source.
void TPersistent::AssignTo(TPersistent* Dest) {
  if (Dest == nullptr) throw EConvertError("Cannot assign a " + ClassName() + " to a nil");
  Dest->AssignError(this);
}

void TPersistent::AssignError(TPersistent* Source) {
  const std::string from = Source != nullptr ? Source->ClassName() : "nil";
  throw EConvertError("Cannot assign a " + from + " to a " + ClassName());
}

}  // namespace host
