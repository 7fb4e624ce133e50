// The gallery's page registry. A control family shows itself by adding one
// source file to apps/gallery that registers a builder for its page:
//
//   static const bool registered = gallery::RegisterPage(
//       {"Numeric", [](host::TWinControl* parent) { ...create controls on parent... }});
//
// The file is picked up by the build without touching main.cpp. Several files
// may contribute to one page; each builder gets its own band, stacked from the
// top in registration order. Pages with no builder show what will arrive there.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "host/ui/Controls.h"
#include "host/widgets/StdCtrls.h"

namespace gallery {

struct GalleryPage {
  std::string Title;
  // Creates the page's controls on `parent` (the band's owner is its form).
  // The band grows to hold what the builder placed.
  std::function<void(host::TWinControl* parent)> Build;
};

// Adds a builder; a title that is not one of the families makes a page of its
// own after them. Returns true, for use in a static initialiser.
bool RegisterPage(GalleryPage page);

// One page as the gallery shows it: the family's title, what it will hold when
// empty, and the builders registered for it.
struct PageEntry {
  std::string Title;
  std::string Placeholder;
  std::vector<std::function<void(host::TWinControl*)>> Builders;
};

// The pages in their fixed order: the control families, the host widgets, the
// drawing sheet, then any other registered titles.
std::vector<PageEntry> Pages();

// Page-building shorthands: a control of type T owned by the band's form and
// shown on `parent` at the given bounds.
template <class T>
T* Add(host::TWinControl* parent, int x, int y, int w, int h) {
  auto* c = new T(parent->Owner());
  c->SetParent(parent);
  c->SetBounds(x, y, w, h);
  return c;
}

// A transparent, auto-sized label (the band's ground shows round the text).
inline host::TLabel* Caption(host::TWinControl* parent, int x, int y, const std::string& text) {
  auto* l = Add<host::TLabel>(parent, x, y, 0, 0);
  l->SetTransparent(true);
  l->SetCaption(text);
  return l;
}

}  // namespace gallery
