#include "apps/sheet/DrawingSheet.h"

#include <cmath>
#include <string>
#include <vector>

#include "foundation/Zel_stringl.h"
#include "foundation/Zel_zelbase.h"
#include "foundation/Zel_zelcolors.h"

namespace zel {

namespace {

using host::Point;
using host::Rect;
using host::RGB;
using host::TBitmap;
using host::TCanvas;
using host::TPoint;

constexpr TColor kPage = RGB(212, 208, 200);
constexpr TColor kTitle = RGB(0, 0, 128);
constexpr TColor kNote = RGB(96, 96, 96);

// --- small drawing helpers

void SetFont(TCanvas* c, int size, host::TFontStyles style = 0, TColor colour = host::clBlack,
             const char* name = "Liberation Sans") {
  host::TFont* f = c->Font();
  f->SetName(name);
  f->SetSize(size);
  f->SetStyle(style);
  f->SetColor(colour);
  f->SetOrientation(0);
  f->SetQuality(host::fqDefault);
}

// Text with a clear brush, so labels never paint boxes over the drawing.
void Label(TCanvas* c, int x, int y, const std::string& s, TColor colour = kNote, int size = 7) {
  SetFont(c, size, 0, colour);
  c->Brush()->SetStyle(host::bsClear);
  c->TextOut(x, y, s);
}

void Fill(TCanvas* c, const host::TRect& r, TColor colour) {
  c->Brush()->SetStyle(host::bsSolid);
  c->Brush()->SetColor(colour);
  c->FillRect(r);
}

void PenAndBrush(TCanvas* c, TColor pen, TColor brush, int width = 1) {
  c->Pen()->SetColor(pen);
  c->Pen()->SetWidth(width);
  c->Pen()->SetStyle(host::psSolid);
  c->Pen()->SetMode(host::pmCopy);
  c->Brush()->SetStyle(host::bsSolid);
  c->Brush()->SetColor(brush);
}

void Line(TCanvas* c, int x1, int y1, int x2, int y2) {
  c->MoveTo(x1, y1);
  c->LineTo(x2, y2);
}

void ClassicFrame(TCanvas* c, TFrameStyle style, int l, int t, int r, int b) {
  DrawFrame(c, style, l, t, r, b, host::clWhite, host::clSilver, host::clGray, host::clBlack, 0);
}

// A white panel with a sunken frame and a title; returns the top-left of its body.
TPoint Panel(TCanvas* c, int x, int y, int w, int h, const std::string& title) {
  Fill(c, Rect(x, y, x + w, y + h), host::clWhite);
  ClassicFrame(c, frLowered, x, y, x + w - 1, y + h - 1);
  SetFont(c, 9, host::fsBold, kTitle);
  c->Brush()->SetStyle(host::bsClear);
  c->TextOut(x + 10, y + 6, title);
  return Point(x + 10, y + 30);
}

// --- the panels

void LinesPanel(TCanvas* c, TPoint o) {
  const char* styles[] = {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot"};
  for (int i = 0; i < 5; ++i) {
    const int y = o.y + 6 + i * 14;
    Label(c, o.x, y - 6, styles[i]);
    PenAndBrush(c, host::clBlack, host::clWhite);
    c->Pen()->SetStyle(host::TPenStyle(i));
    Line(c, o.x + 80, y, o.x + 190, y);
  }
  for (int w = 1; w <= 5; ++w) {
    const int y = o.y + 84 + (w - 1) * 14;
    Label(c, o.x, y - 6, "width " + std::to_string(w));
    PenAndBrush(c, host::clNavy, host::clWhite, w);
    Line(c, o.x + 80, y, o.x + 190, y);
  }
  // A fan of one-pixel lines in every direction: end points are never drawn.
  const int cx = o.x + 250, cy = o.y + 50;
  for (int i = 0; i < 24; ++i) {
    const double a = i * 15 * 3.14159265358979 / 180;
    PenAndBrush(c, HSLtoColor(i * 15, 1, 0.4), host::clWhite);
    Line(c, cx, cy, cx + int(std::lround(44 * std::cos(a))),
         cy - int(std::lround(44 * std::sin(a))));
  }
  Label(c, cx - 40, cy + 50, "LineTo fan, 15 deg");
  // Pen modes over coloured stripes.
  for (int i = 0; i < 6; ++i)
    Fill(c, Rect(o.x + i * 30, o.y + 160, o.x + i * 30 + 30, o.y + 200),
         HSLtoColor(i * 60, 0.8, 0.6));
  const std::pair<host::TPenMode, const char*> modes[] = {
      {host::pmNot, "pmNot"}, {host::pmXor, "pmXor red"}, {host::pmCopy, "pmCopy"}};
  for (int i = 0; i < 3; ++i) {
    PenAndBrush(c, host::clRed, host::clWhite, 4);
    c->Pen()->SetMode(modes[i].first);
    Line(c, o.x, o.y + 168 + i * 12, o.x + 180, o.y + 168 + i * 12);
    Label(c, o.x + 188, o.y + 162 + i * 12, modes[i].second);
  }
  // Polyline and single pixels.
  PenAndBrush(c, RGB(0, 128, 0), host::clWhite, 2);
  std::vector<TPoint> zig;
  for (int i = 0; i <= 8; ++i) zig.push_back(Point(o.x + i * 14, o.y + (i % 2 ? 212 : 232)));
  c->Polyline(zig);
  Label(c, o.x + 120, o.y + 216, "Polyline");
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x)
      if ((x + y) % 3 == 0) c->SetPixels(o.x + 250 + x, o.y + 206 + y, HSLtoColor(x * 15, 1, 0.35));
  Label(c, o.x + 200, o.y + 216, "Pixels");
}

void ShapesPanel(TCanvas* c, TPoint o) {
  PenAndBrush(c, host::clNavy, host::clYellow);
  c->Rectangle(o.x, o.y, o.x + 60, o.y + 40);
  PenAndBrush(c, host::clNavy, host::clYellow);
  c->Brush()->SetStyle(host::bsClear);
  c->Rectangle(o.x + 70, o.y, o.x + 130, o.y + 40);
  PenAndBrush(c, host::clNavy, host::clYellow);
  c->Pen()->SetStyle(host::psClear);
  c->Rectangle(o.x + 140, o.y, o.x + 200, o.y + 40);
  PenAndBrush(c, host::clMaroon, host::clSkyBlue, 3);
  c->Rectangle(o.x + 210, o.y, o.x + 290, o.y + 40);
  Label(c, o.x, o.y + 42, "Rectangle: filled, clear brush, clear pen, pen width 3");

  PenAndBrush(c, host::clBlack, RGB(255, 200, 200));
  c->Ellipse(o.x, o.y + 62, o.x + 50, o.y + 112);
  c->Ellipse(o.x + 60, o.y + 72, o.x + 140, o.y + 102);
  for (int s = 1; s <= 8; ++s) {  // tiny ellipses, where rounding shows first
    const int x = o.x + 150 + (s - 1) * (s + 8) / 2 + s * 6;
    c->Ellipse(x, o.y + 80, x + s, o.y + 80 + s);
  }
  Label(c, o.x, o.y + 114, "Ellipse (50, 80 x 30, boxes of 1 to 8 px)");

  const int ay = o.y + 134;
  PenAndBrush(c, RGB(0, 128, 0), host::clLime, 2);
  c->Arc(o.x, ay, o.x + 60, ay + 60, o.x + 60, ay + 30, o.x + 30, ay);
  c->Arc(o.x + 70, ay, o.x + 130, ay + 60, o.x + 130, ay + 30, o.x + 130, ay + 30);
  PenAndBrush(c, host::clBlack, RGB(255, 160, 0));
  c->Pie(o.x + 140, ay, o.x + 200, ay + 60, o.x + 200, ay + 10, o.x + 170, ay + 60);
  c->Pie(o.x + 210, ay, o.x + 270, ay + 60, o.x + 240, ay + 60, o.x + 270, ay + 10);
  Label(c, o.x, ay + 62, "Arc: quarter, whole;  Pie: from ray 1 to ray 2, counter-clockwise");

  // A self-crossing star: the alternate rule leaves its centre open.
  std::vector<TPoint> star;
  for (int i = 0; i < 5; ++i) {
    const double a = (90 + i * 144) * 3.14159265358979 / 180;
    star.push_back(Point(o.x + 30 + int(std::lround(28 * std::cos(a))),
                         o.y + 228 - int(std::lround(28 * std::sin(a)))));
  }
  PenAndBrush(c, host::clPurple, RGB(220, 180, 255));
  c->Polygon(star);
  PenAndBrush(c, host::clTeal, RGB(180, 240, 240));
  c->Polygon(
      {Point(o.x + 80, o.y + 254), Point(o.x + 120, o.y + 210), Point(o.x + 160, o.y + 254)});
  Label(c, o.x + 172, o.y + 236, "Polygon (alternate fill)");
}

void FillsPanel(TCanvas* c, TPoint o) {
  for (int i = 0; i < 8; ++i)
    Fill(c, Rect(o.x + i * 20, o.y, o.x + i * 20 + 20, o.y + 30), PredefinedColors[i + 8].Color);
  c->Brush()->SetColor(host::clBlack);
  c->FrameRect(Rect(o.x + 170, o.y, o.x + 230, o.y + 30));
  c->Brush()->SetColor(host::clRed);
  c->FrameRect(Rect(o.x + 175, o.y + 5, o.x + 225, o.y + 25));
  Label(c, o.x, o.y + 32, "FillRect strips;  FrameRect (brush colour)");

  // Surface fill: the connected white region inside overlapping outlines.
  const int fy = o.y + 56;
  PenAndBrush(c, host::clBlack, host::clWhite);
  c->Brush()->SetStyle(host::bsClear);
  c->Ellipse(o.x, fy, o.x + 80, fy + 60);
  c->Rectangle(o.x + 40, fy + 20, o.x + 120, fy + 80);
  PenAndBrush(c, host::clBlack, RGB(120, 200, 255));
  c->FloodFill(o.x + 20, fy + 30, host::clWhite, host::fsSurface);
  // Border fill: everything up to the red ring, whatever colours lie inside.
  PenAndBrush(c, host::clRed, host::clWhite, 2);
  c->Brush()->SetStyle(host::bsClear);
  c->Ellipse(o.x + 140, fy, o.x + 220, fy + 80);
  PenAndBrush(c, host::clBlue, host::clWhite);
  Line(c, o.x + 160, fy + 40, o.x + 200, fy + 40);
  PenAndBrush(c, host::clBlack, host::clYellow);
  c->FloodFill(o.x + 180, fy + 20, host::clRed, host::fsBorder);
  Label(c, o.x, fy + 84, "FloodFill fsSurface;  fsBorder up to red");

  // Gradients from the colour helpers.
  const int gy = o.y + 160;
  for (int x = 0; x < 290; ++x) {
    const TColor a = HSLtoColor(x * 360.0 / 290, 1, 0.5);
    Fill(c, Rect(o.x + x, gy, o.x + x + 1, gy + 16), a);
    const int g = ColorToGray(a);
    Fill(c, Rect(o.x + x, gy + 18, o.x + x + 1, gy + 30), RGB(g, g, g));
    Fill(c, Rect(o.x + x, gy + 32, o.x + x + 1, gy + 46), HSLtoColor(210, 0.7, x / 289.0));
  }
  Label(c, o.x, gy + 48, "HSLtoColor hues;  ColorToGray of them;  lightness 0..1");
  const TColor a = host::clRed, b = host::clBlue;
  Fill(c, Rect(o.x, gy + 66, o.x + 40, gy + 86), a);
  Fill(c, Rect(o.x + 40, gy + 66, o.x + 80, gy + 86), MeanColor(a, b));
  Fill(c, Rect(o.x + 80, gy + 66, o.x + 120, gy + 86), b);
  Label(c, o.x + 128, gy + 70, "MeanColor(red, blue)");
}

// A 40 x 40 test image: a gradient, a disc and a caption.
void MakeSource(TBitmap& src) {
  src.SetSize(40, 40);
  TCanvas* s = src.Canvas();
  for (int y = 0; y < 40; ++y) Fill(s, Rect(0, y, 40, y + 1), HSLtoColor(200, 0.8, 0.2 + y / 60.0));
  PenAndBrush(s, host::clBlack, host::clYellow);
  s->Ellipse(8, 8, 32, 32);
  Label(s, 3, 26, "src", host::clWhite);
}

void Stripes(TCanvas* c, int x, int y, int w, int h) {
  for (int i = 0; i < w; i += 6)
    Fill(c, Rect(x + i, y, x + std::min(i + 3, w), y + h), host::clFuchsia);
}

void CopiesPanel(TCanvas* c, TPoint o) {
  TBitmap src;
  MakeSource(src);
  c->SetCopyMode(host::cmSrcCopy);
  c->Draw(o.x, o.y, &src);
  c->StretchDraw(Rect(o.x + 50, o.y, o.x + 130, o.y + 40), &src);
  c->CopyRect(Rect(o.x + 140, o.y, o.x + 160, o.y + 40), src.Canvas(), Rect(10, 0, 30, 40));
  Label(c, o.x, o.y + 42, "Draw;  StretchDraw 2:1;  CopyRect of the middle");

  const std::pair<host::TCopyMode, const char*> modes[] = {
      {host::cmSrcCopy, "SrcCopy"},     {host::cmSrcAnd, "SrcAnd"},
      {host::cmSrcPaint, "SrcPaint"},   {host::cmSrcInvert, "SrcInvert"},
      {host::cmNotSrcCopy, "NotSrc"},   {host::cmSrcErase, "SrcErase"},
      {host::cmMergePaint, "MergePnt"}, {host::cmDstInvert, "DstInvert"}};
  for (int i = 0; i < 8; ++i) {
    const int x = o.x + (i % 4) * 72, y = o.y + 64 + (i / 4) * 62;
    Stripes(c, x, y, 48, 48);
    c->SetCopyMode(modes[i].first);
    c->Draw(x + 4, y + 4, &src);
    c->SetCopyMode(host::cmSrcCopy);
    Label(c, x, y + 48, modes[i].second);
  }

  // Scaling a fine checkerboard down: nearest pixel keeps hard pixels, halftone
  // averages them to grey.
  TBitmap checker(48, 48);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 48; ++x)
      checker.Canvas()->SetPixels(x, y, (x + y) % 2 ? host::clBlack : host::clWhite);
  const int sy = o.y + 196;
  c->Draw(o.x, sy, &checker);
  host::StretchBlt(c, o.x + 60, sy, 30, 30, checker.Canvas(), 0, 0, 48, 48, host::cmSrcCopy,
                   host::COLORONCOLOR);
  host::StretchBlt(c, o.x + 100, sy, 30, 30, checker.Canvas(), 0, 0, 48, 48, host::cmSrcCopy,
                   host::HALFTONE);
  host::StretchBlt(c, o.x + 140, sy, 48, 48, src.Canvas(), 10, 10, 12, 12, host::cmSrcCopy,
                   host::COLORONCOLOR);
  host::StretchBlt(c, o.x + 196, sy, 48, 48, src.Canvas(), 10, 10, 12, 12, host::cmSrcCopy,
                   host::HALFTONE);
  Label(c, o.x, sy + 50, "StretchBlt down: nearest, halftone; up 4x: nearest, halftone");
}

void TextPanel(TCanvas* c, TPoint o) {
  struct Sample {
    const char* font;
    int size;
    host::TFontStyles style;
    const char* text;
  };
  const Sample samples[] = {
      {"Liberation Sans", 9, 0, "Liberation Sans 9: The quick brown fox"},
      {"Liberation Serif", 11, 0, "Liberation Serif 11: jumps over"},
      {"Liberation Mono", 10, 0, "Liberation Mono 10: 0123456789"},
      {"Liberation Sans", 12, host::fsBold, "Bold 12"},
      {"Liberation Sans", 12, host::fsItalic, "Italic 12"},
      {"Liberation Sans", 12, host::fsUnderline, "Underline 12"},
      {"Liberation Sans", 12, host::fsStrikeOut, "Strike-out 12"},
      {"DejaVu Sans", 10, 0, "UTF-8: Grüße, Ärger, Œuvre, € ½ ± µ — Ωμέγα"},
  };
  int y = o.y;
  for (const Sample& s : samples) {
    SetFont(c, s.size, s.style, host::clBlack, s.font);
    c->Brush()->SetStyle(host::bsClear);
    c->TextOut(o.x, y, s.text);
    y += c->TextHeight(s.text) + 2;
  }
  SetFont(c, 10);
  c->Font()->SetQuality(host::fqNonAntialiased);
  c->Brush()->SetStyle(host::bsClear);
  c->TextOut(o.x, y, "Anti-aliasing off");
  y += c->TextHeight("A") + 8;

  // An opaque brush fills the text cell; a clear one lets the stripes through.
  Stripes(c, o.x, y, 300, 20);
  SetFont(c, 10, host::fsBold);
  c->Brush()->SetStyle(host::bsSolid);
  c->Brush()->SetColor(host::clYellow);
  c->TextOut(o.x + 4, y + 2, "opaque brush");
  c->Brush()->SetStyle(host::bsClear);
  c->TextOut(o.x + 150, y + 2, "clear brush");
  y += 28;

  // TextRect clips to its rectangle; the measured extent frames a text exactly.
  SetFont(c, 10);
  PenAndBrush(c, host::clRed, RGB(220, 255, 220));
  const host::TRect clip = Rect(o.x, y, o.x + 120, y + 18);
  c->TextRect(clip, o.x + 4, y + 1, "TextRect clips this long text");
  c->Brush()->SetColor(host::clRed);
  c->FrameRect(Rect(clip.Left - 1, clip.Top - 1, clip.Right + 1, clip.Bottom + 1));
  const std::string measured = "TextExtent";
  const TPoint ext = c->TextExtent(measured);
  c->Brush()->SetStyle(host::bsClear);
  c->TextOut(o.x + 160, y, measured);
  c->Brush()->SetColor(host::clBlue);
  c->FrameRect(Rect(o.x + 160, y, o.x + 160 + ext.x, y + ext.y));
  Label(c, o.x + 164 + ext.x, y + 3, std::to_string(ext.x) + " x " + std::to_string(ext.y));
}

void TurnedTextPanel(TCanvas* c, TPoint o) {
  const int cx = o.x + 130, cy = o.y + 120;
  for (int deg = 0; deg < 360; deg += 45) {
    SetFont(c, 9, deg % 90 == 0 ? host::fsBold : 0, HSLtoColor(deg, 0.9, 0.35));
    c->Font()->SetOrientation(deg * 10);
    c->Brush()->SetStyle(host::bsClear);
    c->TextOut(cx, cy, "        " + std::to_string(deg) + " degrees");
  }
  PenAndBrush(c, host::clRed, host::clRed);
  c->Ellipse(cx - 2, cy - 2, cx + 3, cy + 3);
  SetFont(c, 8, 0, kNote);
  c->Font()->SetOrientation(900);
  c->Brush()->SetStyle(host::bsClear);
  c->TextOut(o.x, o.y + 250, "Orientation 900: bottom to top");
  Label(c, o.x + 20, o.y + 236, "turned about the red dot (the anchor)");
}

void FramesPanel(TCanvas* c, TPoint o) {
  const char* names[] = {"0 frNone",   "1 frSimple",   "2 frLowered",
                         "3 frRaised", "4 frEmbossed", "5 frEngraved"};
  for (int s = 0; s < 6; ++s) {
    const int x = o.x + s * 88;
    Fill(c, Rect(x - 4, o.y - 4, x + 84, o.y + 96), kPage);
    ClassicFrame(c, TFrameStyle(s), x, o.y, x + 79, o.y + 39);
    ClassicFrame(c, TFrameStyle(s), x + 10, o.y + 50, x + 29, o.y + 69);
    ClassicFrame(c, TFrameStyle(s), x + 40, o.y + 50, x + 45, o.y + 55);
    DrawFrame(c, TFrameStyle(s), x + 52, o.y + 50, x + 79, o.y + 69, host::cl3DLight,
              host::clBtnHighlight, host::clBtnShadow, host::cl3DDkShadow, 0);
    Label(c, x + 2, o.y + 76, names[s], host::clBlack);
  }
  Label(c, o.x, o.y + 100,
        "DrawFrame: 80 x 40, 20 x 20 and 6 x 6 boxes, and with system colours (right)");
  // Nested outlines, as a focus rectangle of several lines is drawn.
  PenAndBrush(c, host::clNavy, host::clWhite);
  for (int k = 1; k <= 3; ++k)
    DrawRectangle(c, o.x + k - 1, o.y + 124 + k - 1, o.x + 120 - k, o.y + 170 - k);
  PenAndBrush(c, host::clRed, host::clWhite);
  DrawRectangle(c, o.x + 140, o.y + 124, o.x + 140, o.y + 169);
  DrawRectangle(c, o.x + 150, o.y + 146, o.x + 200, o.y + 146);
  Label(c, o.x, o.y + 174, "DrawRectangle: nested; 1-px wide");
  // The predefined colours, each labelled in a colour readable on it.
  for (int i = 0; i < kNumPredefinedColors; ++i) {
    const int x = o.x + 220 + (i % 12) * 27, y = o.y + 120 + (i / 12) * 20;
    const TColor col = PredefinedColors[i].Color;
    PenAndBrush(c, host::clGray, col);
    c->Rectangle(x, y, x + 26, y + 19);
    Label(c, x + 4, y + 4, std::to_string(i),
          ColorToGray(col) <= 96 ? host::clWhite : host::clBlack);
  }
  Label(c, o.x + 220, o.y + 202, "PredefinedColors 0..46 (VGA, extended, system)");
}

void MarksPanel(TCanvas* c, TPoint o) {
  constexpr int kPerRow = 26, kPitch = 49;
  // Natural size, twice: pen navy with brush yellow, pen black with brush white.
  for (int k = 0; k < kNumMarks; ++k) {
    const int x = o.x + (k % kPerRow) * kPitch, y = o.y + (k / kPerRow) * 24;
    Label(c, x, y + 3, std::to_string(k));
    PenAndBrush(c, host::clNavy, host::clYellow);
    DrawMarkOnCanvas(c, k, x + 24, y + 9);
    PenAndBrush(c, host::clBlack, host::clWhite);
    DrawMarkOnCanvas(c, k, x + 38, y + 9);
  }
  // Magnified four times, each from its own 12 x 12 cell as a selector shows it.
  TBitmap cell(12, 12);
  TCanvas* m = cell.Canvas();
  const int my = o.y + 56;
  for (int k = 0; k < kNumMarks; ++k) {
    Fill(m, Rect(0, 0, 12, 12), RGB(232, 232, 232));
    PenAndBrush(m, host::clBlack, host::clWhite);
    DrawMarkOnCanvas(m, k, 5, 5);
    const int x = o.x + (k % kPerRow) * kPitch, y = my + (k / kPerRow) * 66;
    Label(c, x, y, std::to_string(k));
    host::StretchBlt(c, x, y + 13, 48, 48, m, 0, 0, 12, 12, host::cmSrcCopy, host::COLORONCOLOR);
  }
}

}  // namespace

void PaintDrawingSheet(host::TCanvas* c, int w, int h) {
  c->SetCopyMode(host::cmSrcCopy);
  Fill(c, Rect(0, 0, w, h), kPage);
  SetFont(c, 14, host::fsBold, kTitle);
  c->Brush()->SetStyle(host::bsClear);
  c->TextOut(12, 8, "ZEL Controls - drawing layer");
  LinesPanel(c, Panel(c, 10, 36, 330, 290, "Lines and pens"));
  ShapesPanel(c, Panel(c, 350, 36, 330, 290, "Shapes"));
  FillsPanel(c, Panel(c, 690, 36, 310, 290, "Fills and colour helpers"));
  CopiesPanel(c, Panel(c, 1010, 36, 300, 290, "Copies and copy modes"));
  TextPanel(c, Panel(c, 10, 336, 400, 290, "Text"));
  TurnedTextPanel(c, Panel(c, 420, 336, 290, 290, "Turned text"));
  FramesPanel(c, Panel(c, 720, 336, 590, 290, "Frames, outlines and predefined colours"));
  MarksPanel(c,
             Panel(c, 10, 636, 1300, 254,
                   "Data-point marks 0..51: pen navy / black, brush yellow / white; magnified 4x"));
}

}  // namespace zel
