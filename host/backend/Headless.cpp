#include "host/backend/Headless.h"

#include <chrono>
#include <thread>

namespace host {

namespace {
int64_t MonotonicMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
}  // namespace

THeadlessBackend::THeadlessBackend(bool virtualClock)
    : FVirtualClock(virtualClock), FRealStart(MonotonicMs()) {}

TWindowId THeadlessBackend::CreateWindow(const std::string& caption, int width, int height) {
  TWindowId id = FNextId++;
  FWindows[id] = Window{caption, width, height, 0, 0, false, crDefault, TWindowStyle{}};
  return id;
}

void THeadlessBackend::DestroyWindow(TWindowId w) {
  FWindows.erase(w);
  // Events still queued for a window that is gone would reach nobody.
  std::erase_if(FQueue, [w](const TBackendEvent& e) { return e.Window == w; });
}

void THeadlessBackend::ShowWindow(TWindowId w, bool visible) {
  if (auto it = FWindows.find(w); it != FWindows.end()) it->second.Visible = visible;
}

void THeadlessBackend::SetWindowCaption(TWindowId w, const std::string& caption) {
  if (auto it = FWindows.find(w); it != FWindows.end()) it->second.Caption = caption;
}

void THeadlessBackend::SetWindowSize(TWindowId w, int width, int height) {
  if (auto it = FWindows.find(w); it != FWindows.end()) {
    it->second.Width = width;
    it->second.Height = height;
  }
}

void THeadlessBackend::SetWindowPosition(TWindowId w, int x, int y) {
  if (auto it = FWindows.find(w); it != FWindows.end()) {
    it->second.X = x;
    it->second.Y = y;
  }
}

void THeadlessBackend::SetWindowStyle(TWindowId w, const TWindowStyle& style) {
  if (auto it = FWindows.find(w); it != FWindows.end()) it->second.Style = style;
}

void THeadlessBackend::Present(TWindowId w, const TSurface&, const TRect&) {
  // Nothing to show: the framebuffer the form owns is the picture.
  if (FWindows.count(w)) ++FPresentCount;
}

void THeadlessBackend::SetCursor(TWindowId w, TCursor cursor) {
  if (auto it = FWindows.find(w); it != FWindows.end()) it->second.Cursor = cursor;
}

bool THeadlessBackend::WaitEvent(TBackendEvent& ev, int64_t timeoutMs) {
  if (!FQueue.empty()) {
    ev = FQueue.front();
    FQueue.pop_front();
    return true;
  }
  if (!FVirtualClock && timeoutMs > 0)
    std::this_thread::sleep_for(std::chrono::milliseconds(timeoutMs));
  return false;
}

int64_t THeadlessBackend::Now() const {
  return FVirtualClock ? FVirtualNow : MonotonicMs() - FRealStart;
}

void THeadlessBackend::SetVirtualTime(int64_t ms) {
  if (FVirtualClock && ms > FVirtualNow) FVirtualNow = ms;
}

void THeadlessBackend::SetClipboardText(const std::string& s) {
  FClipboard = s;
  FHasClipboardText = true;
}

void THeadlessBackend::ClearClipboard() {
  FClipboard.clear();
  FHasClipboardText = false;
}

void THeadlessBackend::Beep(unsigned type) {
  ++FBeepCount;
  FLastBeepType = type;
}

bool THeadlessBackend::WindowVisible(TWindowId w) const {
  const Window* win = Find(w);
  return win && win->Visible;
}

std::string THeadlessBackend::WindowCaption(TWindowId w) const {
  const Window* win = Find(w);
  return win ? win->Caption : std::string();
}

TCursor THeadlessBackend::WindowCursor(TWindowId w) const {
  const Window* win = Find(w);
  return win ? win->Cursor : crDefault;
}

TPoint THeadlessBackend::WindowPosition(TWindowId w) const {
  const Window* win = Find(w);
  return win ? Point(win->X, win->Y) : TPoint{};
}

TWindowStyle THeadlessBackend::WindowStyle(TWindowId w) const {
  const Window* win = Find(w);
  return win ? win->Style : TWindowStyle{};
}

const THeadlessBackend::Window* THeadlessBackend::Find(TWindowId w) const {
  auto it = FWindows.find(w);
  return it == FWindows.end() ? nullptr : &it->second;
}

}  // namespace host
