// The headless backend: windows are just sizes and captions, input comes from a
// queue the program fills, the clock is virtual unless asked otherwise, the
// clipboard lives in the process and beeps are counted. Tests and batch
// rendering run on it.
#pragma once

#include <deque>
#include <map>

#include "host/backend/Backend.h"

namespace host {

class THeadlessBackend : public TBackend {
 public:
  // With a virtual clock time stands still until SetVirtualTime; with a real
  // clock WaitEvent sleeps like a windowing system would.
  explicit THeadlessBackend(bool virtualClock = true);

  std::string Name() const override { return "headless"; }

  // --- top-level windows
  TWindowId CreateWindow(const std::string& caption, int width, int height) override;
  void DestroyWindow(TWindowId w) override;
  void ShowWindow(TWindowId w, bool visible) override;
  void SetWindowCaption(TWindowId w, const std::string& caption) override;
  void SetWindowSize(TWindowId w, int width, int height) override;
  void SetWindowPosition(TWindowId w, int x, int y) override;
  void Present(TWindowId w, const TSurface& framebuffer, const TRect& area) override;
  void SetCursor(TWindowId w, TCursor cursor) override;

  bool WaitEvent(TBackendEvent& ev, int64_t timeoutMs) override;
  bool HasQueuedEvents() const override { return !FQueue.empty(); }
  int64_t Now() const override;
  bool HasVirtualClock() const override { return FVirtualClock; }
  void SetVirtualTime(int64_t ms) override;

  bool ClipboardHasText() const override { return FHasClipboardText; }
  std::string GetClipboardText() const override { return FClipboard; }
  void SetClipboardText(const std::string& s) override;
  void ClearClipboard() override;
  void Beep(unsigned type) override;
  void SetWindowStyle(TWindowId w, const TWindowStyle& style) override;

  // --- for the program that drives it
  // Queues an event; the message loop takes it on its next turn.
  void PostEvent(const TBackendEvent& ev) { FQueue.push_back(ev); }
  size_t PendingEvents() const { return FQueue.size(); }
  int BeepCount() const { return FBeepCount; }
  unsigned LastBeepType() const { return FLastBeepType; }
  int WindowCount() const { return int(FWindows.size()); }
  bool WindowVisible(TWindowId w) const;
  std::string WindowCaption(TWindowId w) const;
  TCursor WindowCursor(TWindowId w) const;
  TPoint WindowPosition(TWindowId w) const;
  TWindowStyle WindowStyle(TWindowId w) const;
  int PresentCount() const { return FPresentCount; }

 private:
  struct Window {
    std::string Caption;
    int Width = 0, Height = 0;
    int X = 0, Y = 0;
    bool Visible = false;
    TCursor Cursor = crDefault;
    TWindowStyle Style;
  };
  bool FVirtualClock;
  int64_t FVirtualNow = 0;
  int64_t FRealStart = 0;
  std::deque<TBackendEvent> FQueue;
  std::map<TWindowId, Window> FWindows;
  TWindowId FNextId = 1;
  std::string FClipboard;
  bool FHasClipboardText = false;
  int FBeepCount = 0;
  unsigned FLastBeepType = 0;
  int FPresentCount = 0;
  const Window* Find(TWindowId w) const;
};

}  // namespace host
