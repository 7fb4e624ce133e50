// zel_gallery [--png DIR] [--size WxH]: shows every control family on its own
// page. In a window when a display is available; headless (or with --png) it
// writes one PNG a page into DIR (out/gallery by default) and prints their
// paths. --size sets the window's size, to see how the pages scroll.
#include <cstdio>
#include <exception>
#include <iostream>
#include <string>

#include "apps/gallery/Gallery.h"
#include "host/backend/Backend.h"

namespace {

int Usage() {
  std::cerr << "usage: zel_gallery [--png DIR] [--size WxH]\n";
  return 2;
}

// "800x600" into its two numbers; false for anything else.
bool ParseSize(const std::string& s, int& w, int& h) {
  char x = 0, rest = 0;
  return std::sscanf(s.c_str(), "%d%c%d%c", &w, &x, &h, &rest) == 3 && x == 'x' && w > 0 && h > 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string pngDir;
  bool png = false;
  int width = 0, height = 0;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--size") {
      if (i + 1 >= argc || !ParseSize(argv[++i], width, height)) return Usage();
      continue;
    }
    if (a != "--png") return Usage();
    png = true;
    if (i + 1 < argc && std::string(argv[i + 1]).rfind("--", 0) != 0) pngDir = argv[++i];
  }
  if (pngDir.empty()) pngDir = "out/gallery";
  try {
    host::Application->Initialize();
    host::Application->SetTitle("ZEL Controls gallery");
    auto* form = host::Application->CreateForm<gallery::TGalleryForm>();
    if (width > 0) form->SetBounds(form->Left(), form->Top(), width, height);
    if (png || host::CurrentBackend().Name() == "headless") {
      form->Show();
      for (const std::string& path : gallery::RenderPages(form, pngDir)) std::cout << path << "\n";
      return 0;
    }
    host::Application->Run();
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "zel_gallery: " << e.what() << "\n";
    return 1;
  }
}
