// zel_panel [--png DIR] [--seconds N] [--proc DIR]: the machine's CPU, memory,
// load, disk and network figures, live, one sample a second. In a window when
// a display is available; with --png (or headless) it takes N samples (5 by
// default) on the loop's clock, which a headless run advances without waiting,
// and saves DIR/panel.png. --proc reads another /proc tree (a recorded one).
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "apps/panel/Panel.h"
#include "host/backend/Backend.h"
#include "host/backend/Headless.h"

namespace {

int Usage() {
  std::cerr << "usage: zel_panel [--png DIR] [--seconds N] [--proc DIR]\n";
  return 2;
}

bool ParseCount(const std::string& s, int& n) {
  try {
    size_t used = 0;
    n = std::stoi(s, &used);
    return used == s.size() && n >= 1 && n <= 86400;
  } catch (const std::exception&) {
    return false;
  }
}

// N one-second ticks, then the picture. On a virtual clock the panel's own
// timer takes them; a headless run on the real clock (no display, no --png)
// takes its samples in a row rather than wait.
std::string RenderPng(panel::TPanelForm* form, const std::string& dir, int seconds) {
  form->Show();
  form->Start();
  const bool virtualClock = host::CurrentBackend().HasVirtualClock();
  for (int i = 1; i < seconds; ++i) {
    if (virtualClock)
      host::Application->AdvanceTime(1000);
    else
      form->Tick();
  }
  host::Application->ProcessMessages();
  std::filesystem::create_directories(dir);
  const auto path = std::filesystem::absolute(std::filesystem::path(dir) / "panel.png");
  form->Framebuffer()->SaveToFile(path.string());
  return path.string();
}

}  // namespace

int main(int argc, char** argv) {
  std::string pngDir, procRoot = "/proc";
  bool png = false;
  int seconds = 5;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const bool hasValue = i + 1 < argc && std::string(argv[i + 1]).rfind("--", 0) != 0;
    if (a == "--png") {
      png = true;
      if (hasValue) pngDir = argv[++i];
    } else if (a == "--seconds") {
      if (!hasValue || !ParseCount(argv[++i], seconds)) return Usage();
    } else if (a == "--proc") {
      if (!hasValue) return Usage();
      procRoot = argv[++i];
    } else {
      return Usage();
    }
  }
  if (pngDir.empty()) pngDir = "out/panel";
  try {
    // A picture is always rendered headless, on a clock the program advances.
    if (png)
      host::ResetApplication(std::make_unique<host::THeadlessBackend>(true));
    else
      host::Application->Initialize();
    host::Application->SetTitle("ZEL Controls panel");
    auto* form = new panel::TPanelForm(host::Application, procRoot);
    host::Application->SetMainForm(form);
    if (png || host::CurrentBackend().Name() == "headless") {
      std::cout << RenderPng(form, pngDir, seconds) << "\n";
      return 0;
    }
    form->Start();
    host::Application->Run();
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "zel_panel: " << e.what() << "\n";
    return 1;
  }
}
