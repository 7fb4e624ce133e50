// zel_gallery [--png DIR]: shows every control family on its own page. In a
// window when a display is available; headless (or with --png) it writes one
// PNG a page into DIR (out/gallery by default) and prints their paths.
#include <exception>
#include <iostream>
#include <string>

#include "apps/gallery/Gallery.h"
#include "host/backend/Backend.h"

namespace {

int Usage() {
  std::cerr << "usage: zel_gallery [--png DIR]\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string pngDir;
  bool png = false;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a != "--png") return Usage();
    png = true;
    if (i + 1 < argc && std::string(argv[i + 1]).rfind("--", 0) != 0) pngDir = argv[++i];
  }
  if (pngDir.empty()) pngDir = "out/gallery";
  try {
    host::Application->Initialize();
    host::Application->SetTitle("ZEL Controls gallery");
    auto* form = host::Application->CreateForm<gallery::TGalleryForm>();
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
