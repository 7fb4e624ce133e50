// The headless application and form that the fuzz targets of controls drive.
#pragma once

#include <cstdlib>
#include <memory>

#include "host/backend/Headless.h"
#include "host/ui/Forms.h"

namespace fuzzsupport {

inline host::TForm*& BenchForm() {
  static host::TForm* form = nullptr;
  return form;
}

// The one shown form of the run, made with a fresh headless application on the
// first call. It goes at exit, before the message loop's own statics are torn
// down, so its controls can still unregister their windows.
inline host::TForm* HeadlessForm(int width, int height) {
  host::TForm*& form = BenchForm();
  if (form) return form;
  host::ResetApplication(std::make_unique<host::THeadlessBackend>());
  form = new host::TForm(host::Application);
  form->SetBounds(0, 0, width, height);
  form->Show();
  std::atexit([] {
    delete BenchForm();
    BenchForm() = nullptr;
  });
  return form;
}

// A control owned by and placed on the form.
template <class T>
T* Place(host::TForm* form, int left, int top, int width, int height) {
  T* c = new T(form);
  c->SetParent(form);
  c->SetBounds(left, top, width, height);
  return c;
}

}  // namespace fuzzsupport
