#include "apps/gallery/Pages.h"

#include <algorithm>

namespace gallery {

namespace {

std::vector<PageEntry>& Registry() {
  // The families come first and in this order whatever the link order of the
  // page files, so the gallery reads the same on every build.
  static std::vector<PageEntry> pages = {
      {"Numeric",
       "The numeric label, numeric input, seven-segment display and legacy "
       "numeric edit will appear here.",
       {}},
      {"Report list", "The report list view over its report data will appear here.", {}},
      {"Table editor", "The numeric table editor will appear here.", {}},
      {"Instruments",
       "The meter, progress bar, on/off buttons, mark selector and gradient "
       "fill will appear here.",
       {}},
      {"Labels", "The raster label and the rotated label will appear here.", {}},
      {"Selectors",
       "The mini calendar, thumbnails, colour selector, colour button, folder "
       "tree and repeating speed button will appear here.",
       {}},
      {"Host widgets",
       "The host's edit, memo, label, panel, speed button, combo box, date "
       "picker, tree view and menus will appear here.",
       {}},
      {"Drawing", "The drawing layer's demonstration sheet will appear here.", {}},
  };
  return pages;
}

}  // namespace

bool RegisterPage(GalleryPage page) {
  auto& pages = Registry();
  auto it = std::find_if(pages.begin(), pages.end(),
                         [&](const PageEntry& e) { return e.Title == page.Title; });
  if (it == pages.end()) {
    pages.push_back(PageEntry{page.Title, "", {}});
    it = pages.end() - 1;
  }
  if (page.Build) it->Builders.push_back(std::move(page.Build));
  return true;
}

std::vector<PageEntry> Pages() { return Registry(); }

}  // namespace gallery
