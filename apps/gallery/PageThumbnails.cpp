// The thumbnail strip's band of the "Selectors" page: 10,000 slides whose
// pictures (little waveform and spectrum plots) are drawn only when a slide
// shows, so the page opens at once however many slides there are.
#include <cmath>
#include <numbers>
#include <string>

#include "apps/gallery/Pages.h"
#include "host/widgets/ScrollBar.h"
#include "selectors/ZEL_Thumbnails.h"

namespace {

using namespace zel;
using host::TBitmap;
using host::TCanvas;

constexpr int kSlides = 10000;
constexpr int kPlotW = 160, kPlotH = 100;

// A small deterministic pseudo-random value in 0..1 for slide s, bin k.
double Noise(int s, int k) {
  uint32_t h = uint32_t(s) * 2654435761u ^ uint32_t(k) * 40503u;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  h ^= h >> 15;
  return double(h % 1000) / 1000.0;
}

void DrawWaveform(TCanvas* c, int s) {
  const double freq = 1 + s % 7, decay = 0.5 + (s % 5) * 0.4;
  c->Pen()->SetColor(0x40E040);
  for (int x = 0; x < kPlotW; ++x) {
    const double t = double(x) / kPlotW;
    const double v = std::sin(2 * std::numbers::pi * freq * t + s) * std::exp(-decay * t);
    const int y = kPlotH / 2 - int(std::lround(v * (kPlotH / 2 - 8)));
    if (x == 0)
      c->MoveTo(x, y);
    else
      c->LineTo(x, y);
  }
}

void DrawSpectrum(TCanvas* c, int s) {
  c->Brush()->SetColor(0x30A0F0);
  const int peak = 2 + s % 12;
  for (int k = 0; k < 16; ++k) {
    const double level = 0.15 + 0.25 * Noise(s, k) + (k == peak ? 0.55 : 0.0);
    const int top = kPlotH - 6 - int(level * (kPlotH - 20));
    c->FillRect(host::Rect(6 + k * 9, top, 13 + k * 9, kPlotH - 6));
  }
}

void DrawPlot(TBitmap* img, int s) {
  img->SetSize(kPlotW, kPlotH);
  TCanvas* c = img->Canvas();
  c->Brush()->SetColor(0x202020);
  c->FillRect(host::Rect(0, 0, kPlotW, kPlotH));
  c->Pen()->SetColor(0x505050);
  for (int x = 20; x < kPlotW; x += 20) {
    c->MoveTo(x, 0);
    c->LineTo(x, kPlotH);
  }
  if (s % 2)
    DrawSpectrum(c, s);
  else
    DrawWaveform(c, s);
  c->Brush()->SetStyle(host::bsClear);
  c->Font()->SetColor(0xFFFFFF);
  c->TextOut(4, 2, "#" + std::to_string(s));
}

void BuildThumbnails(host::TWinControl* p) {
  gallery::Caption(p, 8, 4, "Thumbnails: 10,000 slides drawn on request (Ctrl/Shift+click)");
  auto* strip = gallery::Add<TThumbnails>(p, 8, 24, 452, 250);
  strip->SetBaseSize(90);
  strip->SetFMax(kSlides);
  strip->SetAntiAlias(true);
  strip->SetSlideSelectMode(ssmMultiple);
  strip->SetOnImageRequest(
      [](host::TObject*, int s, TImageRequestProcessing& how, int& mark, TBitmap* img) {
        if (s % 10 == 0) return;  // every tenth slide is left empty: its number shows
        how = irpShowSlide;
        DrawPlot(img, s);
        if (s % 7 == 0) mark = 16;
      });
  strip->SetSelectedSlide(2, true);
  auto* bar = gallery::Add<host::TScrollBar>(p, 462, 24, 17, 250);
  bar->SetKind(host::sbVertical);
  bar->SetBounds(462, 24, 17, 250);
  const int cols = strip->Layout().Cols;
  bar->SetParams(0, 0, (kSlides - 1) / cols);
  bar->SetPageSize(2);
  bar->SetLargeChange(2);
  bar->SetOnChange([strip, bar, cols](host::TObject*) {
    strip->SetFirstThumbIx(double(1 + bar->Position() * cols));
  });
  auto* caption = gallery::Caption(p, 8, 280, "Click a slide");
  strip->SetOnImageClick([caption, strip](host::TObject*, int, int, int s) {
    caption->SetCaption(s == 0 ? std::string("No slide there")
                               : "Slide " + std::to_string(s) + ", " +
                                     std::to_string(strip->NumSlidesSelected()) + " selected");
  });
}

const bool registered = gallery::RegisterPage({"Selectors", BuildThumbnails});

}  // namespace
