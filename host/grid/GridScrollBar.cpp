#include "host/grid/GridScrollBar.h"

#include <algorithm>

#include "host/widgets/Look.h"

namespace host {

namespace {

constexpr int kMinThumb = 8;

// A small filled triangle centred in `r`, pointing toward `dir`: 0 up, 1 down,
// 2 left, 3 right.
void Arrow(TCanvas* c, const TRect& r, int dir, TColor color) {
  const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
  c->Brush()->SetColor(color);
  for (int k = 0; k < 4; ++k) {
    const int half = (dir == 0 || dir == 2) ? k : 3 - k;
    if (dir < 2)
      c->FillRect(Rect(cx - half, cy - 2 + k, cx + half + 1, cy - 1 + k));
    else
      c->FillRect(Rect(cx - 2 + k, cy - half, cx - 1 + k, cy + half + 1));
  }
}

}  // namespace

void TGridScrollBar::SetRange(int64_t max, int64_t page, int64_t position) {
  FMax = std::max<int64_t>(max, 0);
  FPage = std::max<int64_t>(page, 1);
  FPosition = std::clamp<int64_t>(position, 0, FMax);
}

int TGridScrollBar::ButtonLength() const {
  const int along = FVertical ? FBounds.Height() : FBounds.Width();
  const int across = FVertical ? FBounds.Width() : FBounds.Height();
  return std::min(across, along / 2);
}

int TGridScrollBar::TrackStart() const {
  return (FVertical ? FBounds.Top : FBounds.Left) + ButtonLength();
}

int TGridScrollBar::TrackLength() const {
  const int along = FVertical ? FBounds.Height() : FBounds.Width();
  return std::max(along - 2 * ButtonLength(), 0);
}

int TGridScrollBar::ThumbLength() const {
  const int track = TrackLength();
  // In doubles: page and range may be far beyond what int64 products allow.
  const double share = double(FPage) / double(FPage + FMax);
  return std::clamp(int(track * share), std::min(kMinThumb, track), track);
}

TRect TGridScrollBar::ThumbRect() const {
  const int track = TrackLength();
  if (FMax <= 0 || track <= 0) return TRect{};
  const int room = track - ThumbLength();
  const int lead = TrackStart() + int(double(room) * double(FPosition) / double(FMax));
  if (FVertical) return Rect(FBounds.Left, lead, FBounds.Right, lead + ThumbLength());
  return Rect(lead, FBounds.Top, lead + ThumbLength(), FBounds.Bottom);
}

int64_t TGridScrollBar::PositionAtThumb(int lead) const {
  const int room = TrackLength() - ThumbLength();
  if (room <= 0 || FMax <= 0) return 0;
  const double share = double(std::clamp(lead - TrackStart(), 0, room)) / room;
  return std::clamp<int64_t>(int64_t(share * double(FMax) + 0.5), 0, FMax);
}

TGridScrollBar::TPart TGridScrollBar::HitTest(int x, int y) const {
  if (!FBounds.Contains(x, y)) return spNone;
  const int p = Along(x, y);
  const int start = FVertical ? FBounds.Top : FBounds.Left;
  const int end = FVertical ? FBounds.Bottom : FBounds.Right;
  if (p < start + ButtonLength()) return spLineBack;
  if (p >= end - ButtonLength()) return spLineForward;
  const TRect thumb = ThumbRect();
  if (thumb.IsEmpty()) return spNone;
  const int lead = FVertical ? thumb.Top : thumb.Left;
  const int trail = FVertical ? thumb.Bottom : thumb.Right;
  if (p < lead) return spPageBack;
  if (p >= trail) return spPageForward;
  return spThumb;
}

void TGridScrollBar::Paint(TCanvas* c) const {
  if (!Shown()) return;
  FillDithered(c, FBounds, clBtnFace, clBtnHighlight);
  const int b = ButtonLength();
  const TRect& r = FBounds;
  const TRect back = FVertical ? Rect(r.Left, r.Top, r.Right, r.Top + b)
                               : Rect(r.Left, r.Top, r.Left + b, r.Bottom);
  const TRect forward = FVertical ? Rect(r.Left, r.Bottom - b, r.Right, r.Bottom)
                                  : Rect(r.Right - b, r.Top, r.Right, r.Bottom);
  const TColor glyph = FMax > 0 ? clBtnText : clGrayText;
  Arrow(c, DrawButtonFace(c, back, fsUp), FVertical ? 0 : 2, glyph);
  Arrow(c, DrawButtonFace(c, forward, fsUp), FVertical ? 1 : 3, glyph);
  const TRect thumb = ThumbRect();
  if (thumb.IsEmpty()) return;
  const TRect face = DrawButtonFace(c, thumb, fsUp);
  c->Brush()->SetColor(clBtnFace);
  c->FillRect(face);
}

}  // namespace host
