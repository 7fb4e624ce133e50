#include "host/widgets/Look.h"

#include <algorithm>
#include <vector>

#include "host/gfx/FontFace.h"
#include "host/gfx/Utf8.h"

namespace host {

namespace {

void HLine(TCanvas* c, int x0, int x1, int y, TColor color) {
  c->Brush()->SetColor(color);
  c->FillRect(Rect(x0, y, x1, y + 1));
}

void VLine(TCanvas* c, int x, int y0, int y1, TColor color) {
  c->Brush()->SetColor(color);
  c->FillRect(Rect(x, y0, x + 1, y1));
}

// Draws two rings (outer, then inner) and shrinks r by 2.
void TwoRings(TCanvas* c, TRect& r, TColor outerTL, TColor outerBR, TColor innerTL,
              TColor innerBR) {
  Frame3D(c, r, outerTL, outerBR);
  Frame3D(c, r, innerTL, innerBR);
}

}  // namespace

namespace {

// One solid triangle: each step from the tip towards the base is one pixel
// longer on either side.
void SolidArrow(TCanvas* c, const TRect& r, TArrowDirection d, int size, TColor color) {
  const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
  c->Brush()->SetColor(color);
  const bool tipFirst = d == adUp || d == adLeft;
  for (int k = 0; k < size; ++k) {
    const int half = tipFirst ? k : size - 1 - k;
    if (d == adUp || d == adDown) {
      const int y = cy - size / 2 + k;
      c->FillRect(Rect(cx - half, y, cx + half + 1, y + 1));
    } else {
      const int x = cx - size / 2 + k;
      c->FillRect(Rect(x, cy - half, x + 1, cy + half + 1));
    }
  }
}

// A button face filled in the face colour with an arrow in its middle.
void ArrowButton(TCanvas* c, const TRect& r, TFaceState state, TArrowDirection d, int size,
                 bool enabled) {
  const TRect face = DrawButtonFace(c, r, state);
  c->Brush()->SetColor(clBtnFace);
  c->FillRect(face);
  DrawArrow(c, face, d, size, clBtnText, enabled);
}

}  // namespace

void DrawArrow(TCanvas* c, const TRect& r, TArrowDirection d, int size, TColor color,
               bool enabled) {
  if (size <= 0) return;
  const TColor saved = c->Brush()->Color();
  const TBrushStyle savedStyle = c->Brush()->Style();
  c->Brush()->SetStyle(bsSolid);
  if (enabled) {
    SolidArrow(c, r, d, size, color);
  } else {
    SolidArrow(c, OffsetRect(r, 1, 1), d, size, clBtnHighlight);
    SolidArrow(c, r, d, size, clBtnShadow);
  }
  c->Brush()->SetColor(saved);
  c->Brush()->SetStyle(savedStyle);
}

void DrawDropDownButton(TCanvas* c, const TRect& r, bool pressed, bool enabled) {
  ArrowButton(c, r, pressed ? fsFlatDown : fsUp, adDown, 4, enabled);
}

void DrawSpinButtons(TCanvas* c, const TRect& up, const TRect& down, bool enabled) {
  ArrowButton(c, up, fsUp, adUp, 3, enabled);
  ArrowButton(c, down, fsUp, adDown, 3, enabled);
}

void Frame3D(TCanvas* c, TRect& r, TColor topLeft, TColor bottomRight, int width) {
  const TColor saved = c->Brush()->Color();
  const TBrushStyle savedStyle = c->Brush()->Style();
  for (int i = 0; i < width && !r.IsEmpty(); ++i) {
    // Top and left own the top-right and bottom-left corners' first pixel, as
    // the platform draws them.
    HLine(c, r.Left, r.Right - 1, r.Top, topLeft);
    VLine(c, r.Left, r.Top, r.Bottom - 1, topLeft);
    HLine(c, r.Left, r.Right, r.Bottom - 1, bottomRight);
    VLine(c, r.Right - 1, r.Top, r.Bottom, bottomRight);
    r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
  }
  c->Brush()->SetColor(saved);
  c->Brush()->SetStyle(savedStyle);
}

void DrawRaisedEdge(TCanvas* c, TRect& r) {
  TwoRings(c, r, clBtnHighlight, cl3DDkShadow, cl3DLight, clBtnShadow);
}

void DrawSunkenEdge(TCanvas* c, TRect& r) {
  TwoRings(c, r, clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight);
}

void DrawPressedEdge(TCanvas* c, TRect& r) {
  TwoRings(c, r, cl3DDkShadow, cl3DDkShadow, clBtnShadow, clBtnShadow);
}

void FillDithered(TCanvas* c, const TRect& r, TColor a, TColor b) {
  const TColor ca = ColorToRGB(a), cb = ColorToRGB(b);
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) c->SetPixels(x, y, ((x + y) & 1) ? cb : ca);
}

TRect DrawButtonFace(TCanvas* c, const TRect& r, TFaceState state, TColor face) {
  TRect inner = r;
  switch (state) {
    case fsUp:
      DrawRaisedEdge(c, inner);
      break;
    case fsPressed:
      DrawPressedEdge(c, inner);
      break;
    case fsLatched:
      DrawSunkenEdge(c, inner);
      break;
    case fsHot:
      Frame3D(c, inner, clBtnHighlight, clBtnShadow);
      break;
    case fsFlatDown:
      Frame3D(c, inner, clBtnShadow, clBtnHighlight);
      break;
    case fsFlatUp:
      break;
  }
  if (state == fsLatched)
    FillDithered(c, inner, face, clBtnHighlight);
  else if (state == fsUp || state == fsPressed) {
    c->Brush()->SetColor(face);
    c->FillRect(inner);
  }
  if (state == fsPressed || state == fsLatched || state == fsFlatDown)
    inner = OffsetRect(inner, 1, 1);
  return inner;
}

void DrawFocusRect(TCanvas* c, const TRect& r) {
  if (r.IsEmpty()) return;
  const TPenMode savedMode = c->Pen()->Mode();
  c->Pen()->SetMode(pmNot);
  // Walk the outline once, so every pixel is inverted exactly once.
  std::vector<TPoint> ring;
  for (int x = r.Left; x < r.Right; ++x) ring.push_back(Point(x, r.Top));
  for (int y = r.Top + 1; y < r.Bottom; ++y) ring.push_back(Point(r.Right - 1, y));
  if (r.Height() > 1)
    for (int x = r.Right - 2; x >= r.Left; --x) ring.push_back(Point(x, r.Bottom - 1));
  if (r.Width() > 1)
    for (int y = r.Bottom - 2; y > r.Top; --y) ring.push_back(Point(r.Left, y));
  for (const TPoint& p : ring)
    if (((p.x + p.y) & 1) == 0) c->PlotPenPixel(p.x, p.y);
  c->Pen()->SetMode(savedMode);
}

void DrawCheckBox(TCanvas* c, int x, int y, TCheckBoxState state, bool enabled) {
  TRect r = Rect(x, y, x + kCheckBoxSize, y + kCheckBoxSize);
  DrawSunkenEdge(c, r);
  const bool greyFace = state == cbGrayed || !enabled;
  if (state == cbGrayed && enabled)
    FillDithered(c, r, clBtnHighlight, clBtnFace);
  else {
    c->Brush()->SetColor(greyFace ? clBtnFace : clWindow);
    c->FillRect(r);
  }
  if (state == cbUnchecked) return;
  // The tick: seven columns, three pixels tall, falling then rising.
  const TColor mark = ColorToRGB(state == cbGrayed || !enabled ? clBtnShadow : clWindowText);
  static constexpr int kDrop[7] = {2, 3, 4, 3, 2, 1, 0};
  for (int i = 0; i < 7; ++i)
    for (int k = 0; k < 3; ++k) c->SetPixels(r.Left + 1 + i, r.Top + 2 + kDrop[i] + k, mark);
}

// --- DrawText

namespace {

struct TextLine {
  std::string Text;
  int Underline = -1;  // byte offset of the accelerator character, or -1
};

// Removes accelerator marks: "&&" becomes "&", "&x" becomes x marked for the
// underline (the last such mark wins, as on the platform).
TextLine StripPrefix(const std::string& s) {
  TextLine out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '&' && i + 1 < s.size()) {
      ++i;
      if (s[i] != '&') out.Underline = int(out.Text.size());
    }
    out.Text += s[i];
  }
  return out;
}

std::string ExpandTabs(TCanvas* c, const std::string& s) {
  if (s.find('\t') == std::string::npos) return s;
  const int tab = std::max(1, c->TextWidth("x") * 8);
  std::string out;
  for (char ch : s) {
    if (ch != '\t') {
      out += ch;
      continue;
    }
    const int w = c->TextWidth(out);
    const int space = std::max(1, c->TextWidth(" "));
    const int target = (w / tab + 1) * tab;
    out.append(size_t(std::max(1, (target - w + space - 1) / space)), ' ');
  }
  return out;
}

// Splits one paragraph at blanks into lines no wider than `width` where possible.
void WrapParagraph(TCanvas* c, const std::string& p, int width, std::vector<std::string>& out) {
  size_t start = 0;
  while (true) {
    size_t lastBreak = std::string::npos;
    size_t i = start;
    while (i < p.size()) {
      size_t next = p.find(' ', i);
      if (next == std::string::npos) next = p.size();
      if (c->TextWidth(p.substr(start, next - start)) > width && lastBreak != std::string::npos)
        break;
      lastBreak = next;
      i = next + 1;
    }
    if (lastBreak == std::string::npos || lastBreak >= p.size()) {
      out.push_back(p.substr(start));
      return;
    }
    out.push_back(p.substr(start, lastBreak - start));
    start = lastBreak;
    while (start < p.size() && p[start] == ' ') ++start;
    if (start >= p.size()) return;
  }
}

std::vector<std::string> SplitLines(TCanvas* c, const std::string& text, const TRect& r,
                                    uint32_t flags) {
  std::vector<std::string> paragraphs;
  if (flags & DT_SINGLELINE) {
    std::string one;
    for (char ch : text)
      if (ch != '\r' && ch != '\n') one += ch;
    paragraphs.push_back(one);
  } else {
    std::string cur;
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\r' || text[i] == '\n') {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        paragraphs.push_back(cur);
        cur.clear();
      } else {
        cur += text[i];
      }
    }
    paragraphs.push_back(cur);
  }
  std::vector<std::string> lines;
  for (std::string& p : paragraphs) {
    if (flags & DT_EXPANDTABS) p = ExpandTabs(c, p);
    if ((flags & DT_WORDBREAK) && !(flags & DT_SINGLELINE))
      WrapParagraph(c, p, r.Width(), lines);
    else
      lines.push_back(p);
  }
  return lines;
}

void DrawLine(TCanvas* c, const TextLine& line, int x, int y, const TRect& clip) {
  c->TextRect(clip, x, y, line.Text);
  if (line.Underline < 0) return;
  FontFace& face = c->Font()->Face();
  size_t end = size_t(line.Underline);
  NextCodePoint(line.Text, end);
  const int u0 = x + c->TextWidth(line.Text.substr(0, size_t(line.Underline)));
  const int u1 = x + c->TextWidth(line.Text.substr(0, end));
  const TColor saved = c->Brush()->Color();
  const TBrushStyle savedStyle = c->Brush()->Style();
  c->Brush()->SetColor(c->Font()->Color());
  const int top = y + face.UnderlineTop();
  c->FillRect(IntersectRect(clip, Rect(u0, top, u1, top + face.LineThickness())));
  c->Brush()->SetColor(saved);
  c->Brush()->SetStyle(savedStyle);
}

}  // namespace

int DrawText(TCanvas* c, const std::string& text, TRect& r, uint32_t flags) {
  std::vector<TextLine> lines;
  for (const std::string& s : SplitLines(c, text, r, flags))
    lines.push_back((flags & DT_NOPREFIX) ? TextLine{s, -1} : StripPrefix(s));
  if (text.empty()) lines.clear();
  const int lineHeight = c->TextHeight("Ag");
  const int height = lineHeight * int(lines.size());
  if (flags & DT_CALCRECT) {
    int widest = 0;
    for (const TextLine& l : lines) widest = std::max(widest, c->TextWidth(l.Text));
    r.Right = r.Left + widest;
    r.Bottom = r.Top + height;
    return height;
  }
  int y = r.Top;
  if (flags & DT_SINGLELINE) {
    if (flags & DT_BOTTOM)
      y = r.Bottom - height;
    else if (flags & DT_VCENTER)
      y = r.Top + (r.Height() - height) / 2;
  }
  // Unclipped text may run anywhere the canvas allows.
  const TRect clip = (flags & DT_NOCLIP) ? c->ClipRect() : r;
  for (const TextLine& l : lines) {
    const int w = c->TextWidth(l.Text);
    int x = r.Left;
    if (flags & DT_RIGHT)
      x = r.Right - w;
    else if (flags & DT_CENTER)
      x = r.Left + (r.Width() - w) / 2;
    // The brush fills only the text cell, as opaque text output does.
    const TRect cell = IntersectRect(clip, Rect(x, y, x + w, y + lineHeight));
    if (!cell.IsEmpty()) DrawLine(c, l, x, y, cell);
    y += lineHeight;
  }
  return height;
}

void DrawDisabledText(TCanvas* c, const std::string& text, TRect r, uint32_t flags) {
  const TColor saved = c->Font()->Color();
  TRect shifted = OffsetRect(r, 1, 1);
  c->Font()->SetColor(clBtnHighlight);
  DrawText(c, text, shifted, flags);
  c->Font()->SetColor(clBtnShadow);
  DrawText(c, text, r, flags);
  c->Font()->SetColor(saved);
}

}  // namespace host
