#include "host/widgets/VScrollBar.h"

#include <algorithm>

#include "host/widgets/Look.h"

namespace host {

namespace {

constexpr int kMinThumb = 8;

// A small filled triangle pointing up or down, centred in `r`.
void Arrow(TCanvas* c, const TRect& r, bool up, TColor color) {
  const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
  c->Brush()->SetColor(color);
  for (int row = 0; row < 4; ++row) {
    const int half = up ? row : 3 - row;
    c->FillRect(Rect(cx - half, cy - 2 + row, cx + half + 1, cy - 1 + row));
  }
}

}  // namespace

void TVScrollBar::SetRange(int total, int page) {
  FTotal = std::max(0, total);
  FPage = std::max(1, page);
  FPosition = std::clamp(FPosition, 0, MaxPosition());
}

bool TVScrollBar::SetPosition(int p) {
  p = std::clamp(p, 0, MaxPosition());
  if (p == FPosition) return false;
  FPosition = p;
  return true;
}

int TVScrollBar::ButtonHeight(const TRect& r) const { return std::min(r.Width(), r.Height() / 2); }

TRect TVScrollBar::ThumbRect(const TRect& r) const {
  const int bh = ButtonHeight(r);
  const int track = r.Height() - 2 * bh;
  if (track <= 0 || FTotal <= 0) return TRect{};
  const int len = std::clamp(int(int64_t(track) * FPage / std::max(FTotal, 1)), kMinThumb, track);
  const int room = track - len;
  const int maxPos = MaxPosition();
  const int top = maxPos > 0 ? int(int64_t(room) * FPosition / maxPos) : 0;
  return Rect(r.Left, r.Top + bh + top, r.Right, r.Top + bh + top + len);
}

void TVScrollBar::Paint(TCanvas* c, const TRect& r) const {
  const int bh = ButtonHeight(r);
  FillDithered(c, r, clBtnFace, clBtnHighlight);
  const TRect up = Rect(r.Left, r.Top, r.Right, r.Top + bh);
  const TRect down = Rect(r.Left, r.Bottom - bh, r.Right, r.Bottom);
  const TColor glyph = MaxPosition() > 0 ? clBtnText : clGrayText;
  Arrow(c, DrawButtonFace(c, up, fsUp), true, glyph);
  Arrow(c, DrawButtonFace(c, down, fsUp), false, glyph);
  const TRect thumb = ThumbRect(r);
  if (!thumb.IsEmpty() && MaxPosition() > 0) {
    const TRect face = DrawButtonFace(c, thumb, fsUp);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(face);
  }
}

bool TVScrollBar::MouseDown(const TRect& r, int x, int y) {
  if (!r.Contains(x, y)) return false;
  const int bh = ButtonHeight(r);
  const TRect thumb = ThumbRect(r);
  if (y < r.Top + bh)
    SetPosition(FPosition - 1);
  else if (y >= r.Bottom - bh)
    SetPosition(FPosition + 1);
  else if (y < thumb.Top)
    SetPosition(FPosition - FPage);
  else if (y >= thumb.Bottom)
    SetPosition(FPosition + FPage);
  else {
    FDragging = true;
    FDragOffset = y - thumb.Top;
  }
  return true;
}

bool TVScrollBar::MouseMove(const TRect& r, int y) {
  if (!FDragging) return false;
  const int bh = ButtonHeight(r);
  const TRect thumb = ThumbRect(r);
  const int room = r.Height() - 2 * bh - thumb.Height();
  if (room <= 0) return false;
  const int top = std::clamp(y - FDragOffset - (r.Top + bh), 0, room);
  // Nearest position for the thumb's new top.
  return SetPosition(int((int64_t(top) * MaxPosition() * 2 + room) / (2 * room)));
}

}  // namespace host
