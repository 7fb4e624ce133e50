// Drawing speed of the canvas, side by side with the floors and the libraries
// users compare it with. Every piece of work is timed as the canvas does it and
// as memset/memcpy (for fills and copies) or cairo with antialias none and
// pixman (for shapes, text and stretching) do the same work on a surface of the
// same size; after the runs a summary prints each ratio beside its target.
// cairo and pixman are optional: without them only the floors are compared.
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "bench/support/Bench.h"
#include "host/gfx/FontFace.h"
#include "host/gfx/Graphics.h"

#ifdef ZEL_BENCH_CAIRO
#include <cairo.h>
#include <pixman.h>
#endif

namespace {

using namespace host;

constexpr int kW = 1920, kH = 1080;
const std::vector<TPoint> kStar{{100, 0}, {160, 199}, {0, 70}, {199, 70}, {40, 199}};
const char* const kText = "-12.345 mV";

// --- the canvas

void Fill(benchmark::State& state) {
  const int w = int(state.range(0)), h = int(state.range(1));
  TBitmap bmp(w, h);
  TCanvas* c = bmp.Canvas();
  int n = 0;
  for (auto _ : state) {
    c->Brush()->SetColor((n++ & 1) ? clRed : clBlue);
    c->FillRect(Rect(0, 0, w, h));
    benchmark::DoNotOptimize(bmp.ScanLine(0));
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * w * h * int64_t(sizeof(TPixel)));
}
BENCHMARK(Fill)->Args({16, 16})->Args({256, 256})->Args({kW, kH});

// Rows that do not cover the surface's width: one pen-mode span per row.
void SpanFill(benchmark::State& state) {
  TBitmap bmp(kW, kH);
  TCanvas* c = bmp.Canvas();
  c->Pen()->SetStyle(psClear);
  int n = 0;
  for (auto _ : state) {
    c->Brush()->SetColor((n++ & 1) ? clRed : clBlue);
    c->Rectangle(1, 0, kW, kH + 1);  // a clear pen fills one pixel less: columns 1..kW-2
    benchmark::DoNotOptimize(bmp.ScanLine(0));
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * (kW - 2) * kH * int64_t(sizeof(TPixel)));
}
BENCHMARK(SpanFill);

void MemsetBaseline(benchmark::State& state) {
  const size_t bytes = size_t(state.range(0)) * size_t(state.range(1)) * sizeof(TPixel);
  std::vector<unsigned char> buf(bytes);
  int n = 0;
  for (auto _ : state) {
    std::memset(buf.data(), (n++ & 1) ? 0x12 : 0x34, bytes);
    benchmark::DoNotOptimize(buf.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}
BENCHMARK(MemsetBaseline)->Args({16, 16})->Args({256, 256})->Args({kW, kH})->Args({kW - 2, kH});

void MemcpyBaseline(benchmark::State& state) {
  const size_t bytes = size_t(kW) * kH * sizeof(TPixel);
  std::vector<unsigned char> a(bytes, 0x12), b(bytes);
  for (auto _ : state) {
    std::memcpy(b.data(), a.data(), bytes);
    benchmark::DoNotOptimize(b.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}
BENCHMARK(MemcpyBaseline);

// A whole 1080p bitmap drawn onto another in the given copy mode.
void CopyBlit(benchmark::State& state) {
  const TCopyMode mode = TCopyMode(state.range(0));
  TBitmap src(kW, kH), dst(kW, kH);
  src.Canvas()->Brush()->SetColor(clRed);
  src.Canvas()->Ellipse(0, 0, kW, kH);
  dst.Canvas()->SetCopyMode(mode);
  for (auto _ : state) {
    dst.Canvas()->Draw(0, 0, &src);
    benchmark::DoNotOptimize(dst.ScanLine(0));
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kW * kH * int64_t(sizeof(TPixel)));
}
BENCHMARK(CopyBlit)->Arg(int64_t(cmSrcCopy))->Arg(int64_t(cmSrcAnd))->Arg(int64_t(cmSrcInvert));

// 64 one-pixel lines fanning out over 512 x 512.
void Lines(benchmark::State& state) {
  TBitmap bmp(512, 512);
  TCanvas* c = bmp.Canvas();
  for (auto _ : state) {
    for (int i = 0; i < 64; ++i) {
      c->MoveTo(256, 256);
      c->LineTo(i * 8, i % 2 ? 0 : 511);
    }
    benchmark::DoNotOptimize(bmp.ScanLine(0));
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * 64);
}
BENCHMARK(Lines);

void Ellipse(benchmark::State& state) {
  const int size = int(state.range(0));
  TBitmap bmp(size + 2, size + 2);
  TCanvas* c = bmp.Canvas();
  c->Brush()->SetColor(clYellow);
  for (auto _ : state) {
    c->Ellipse(1, 1, size + 1, size + 1);
    benchmark::DoNotOptimize(bmp.ScanLine(0));
  }
}
BENCHMARK(Ellipse)->Arg(16)->Arg(200);

// A meter's range band: a thin sector of a 200-pixel circle.
void Pie(benchmark::State& state) {
  TBitmap bmp(202, 202);
  TCanvas* c = bmp.Canvas();
  c->Brush()->SetColor(clLime);
  for (auto _ : state) {
    c->Pie(1, 1, 201, 201, 200, 20, 20, 20);
    benchmark::DoNotOptimize(bmp.ScanLine(0));
  }
}
BENCHMARK(Pie);

// A filled and outlined 200-pixel star.
void Star(benchmark::State& state) {
  TBitmap bmp(200, 200);
  TCanvas* c = bmp.Canvas();
  c->Brush()->SetColor(clRed);
  for (auto _ : state) {
    c->Polygon(kStar);
    benchmark::DoNotOptimize(bmp.ScanLine(0));
  }
}
BENCHMARK(Star);

// A needle-like polygon, as a meter draws it.
void Needle(benchmark::State& state) {
  TBitmap bmp(200, 200);
  TCanvas* c = bmp.Canvas();
  c->Brush()->SetColor(clRed);
  const std::vector<TPoint> needle{{100, 190}, {104, 100}, {100, 10}, {96, 100}};
  for (auto _ : state) {
    c->Polygon(needle);
    benchmark::DoNotOptimize(bmp.ScanLine(0));
  }
}
BENCHMARK(Needle);

// The seven-segment cache build: a 312 x 432 master glyph into a 40 x 55 cell.
void Stretch(benchmark::State& state) {
  const TStretchMode mode = TStretchMode(state.range(0));
  TBitmap src(312, 432), dst(40, 55);
  src.Canvas()->Brush()->SetColor(clBlack);
  src.Canvas()->Polygon({{60, 20}, {250, 20}, {200, 400}, {10, 400}});
  for (auto _ : state) {
    StretchBlt(dst.Canvas(), 0, 0, 40, 55, src.Canvas(), 0, 0, 312, 432, cmSrcCopy, mode);
    benchmark::DoNotOptimize(dst.ScanLine(0));
  }
}
BENCHMARK(Stretch)->Arg(COLORONCOLOR)->Arg(HALFTONE);

// A 1024 x 768 picture halved.
void Halve(benchmark::State& state) {
  const TStretchMode mode = TStretchMode(state.range(0));
  TBitmap src(1024, 768), dst(512, 384);
  src.Canvas()->Brush()->SetColor(clNavy);
  src.Canvas()->Polygon(kStar);
  for (auto _ : state) {
    StretchBlt(dst.Canvas(), 0, 0, 512, 384, src.Canvas(), 0, 0, 1024, 768, cmSrcCopy, mode);
    benchmark::DoNotOptimize(dst.ScanLine(0));
  }
}
BENCHMARK(Halve)->Arg(COLORONCOLOR)->Arg(HALFTONE);

// 100 short anti-aliased texts, glyphs cached.
void Texts(benchmark::State& state) {
  TBitmap bmp(200, 40);
  TCanvas* c = bmp.Canvas();
  c->TextOut(2, 2, kText);  // the first call fills the glyph cache
  for (auto _ : state) {
    for (int i = 0; i < 100; ++i) c->TextOut(2 + i % 7, 2 + i % 5, kText);
    benchmark::DoNotOptimize(bmp.ScanLine(0));
  }
}
BENCHMARK(Texts);

#ifdef ZEL_BENCH_CAIRO
// --- cairo (image surface, antialias none) and pixman on the same work

struct CairoCanvas {
  cairo_surface_t* surface;
  cairo_t* cr;
  CairoCanvas(int w, int h)
      : surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h)), cr(cairo_create(surface)) {
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_set_line_width(cr, 1);
  }
  ~CairoCanvas() {
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
  }
  CairoCanvas(const CairoCanvas&) = delete;
  CairoCanvas& operator=(const CairoCanvas&) = delete;
  void Done() {
    cairo_surface_flush(surface);
    benchmark::DoNotOptimize(cairo_image_surface_get_data(surface));
  }
  // Fills the current path in `fill`, then strokes it in black, as the canvas
  // draws a shape with a brush and a one-pixel pen.
  void FillAndStroke(double r, double g, double b) {
    cairo_set_source_rgb(cr, r, g, b);
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_stroke(cr);
  }
};

void CairoFill(benchmark::State& state) {
  CairoCanvas c(kW, kH);
  cairo_set_operator(c.cr, CAIRO_OPERATOR_SOURCE);
  int n = 0;
  for (auto _ : state) {
    const bool red = (n++ & 1) != 0;
    cairo_set_source_rgb(c.cr, red ? 1 : 0, 0, red ? 0 : 1);
    cairo_rectangle(c.cr, 0, 0, kW, kH);
    cairo_fill(c.cr);
    c.Done();
  }
}
BENCHMARK(CairoFill);

void PixmanFill(benchmark::State& state) {
  std::vector<uint32_t> bits(size_t(kW) * kH);
  int n = 0;
  for (auto _ : state) {
    pixman_fill(bits.data(), kW, 32, 0, 0, kW, kH, (n++ & 1) ? 0xFF0000 : 0x0000FF);
    benchmark::DoNotOptimize(bits.data());
  }
}
BENCHMARK(PixmanFill);

void CairoCopy(benchmark::State& state) {
  CairoCanvas src(kW, kH), dst(kW, kH);
  cairo_set_operator(dst.cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(dst.cr, src.surface, 0, 0);
  for (auto _ : state) {
    cairo_paint(dst.cr);
    dst.Done();
  }
}
BENCHMARK(CairoCopy);

void PixmanCopy(benchmark::State& state) {
  std::vector<uint32_t> a(size_t(kW) * kH, 0x123456), b(size_t(kW) * kH);
  pixman_image_t* src = pixman_image_create_bits(PIXMAN_x8r8g8b8, kW, kH, a.data(), kW * 4);
  pixman_image_t* dst = pixman_image_create_bits(PIXMAN_x8r8g8b8, kW, kH, b.data(), kW * 4);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_SRC, src, nullptr, dst, 0, 0, 0, 0, 0, 0, kW, kH);
    benchmark::DoNotOptimize(b.data());
  }
  pixman_image_unref(src);
  pixman_image_unref(dst);
}
BENCHMARK(PixmanCopy);

void CairoLines(benchmark::State& state) {
  CairoCanvas c(512, 512);
  cairo_set_source_rgb(c.cr, 0, 0, 0);
  for (auto _ : state) {
    for (int i = 0; i < 64; ++i) {
      cairo_move_to(c.cr, 256.5, 256.5);
      cairo_line_to(c.cr, i * 8 + 0.5, i % 2 ? 0.5 : 511.5);
      cairo_stroke(c.cr);
    }
    c.Done();
  }
}
BENCHMARK(CairoLines);

void CairoEllipse(benchmark::State& state) {
  const int size = int(state.range(0));
  CairoCanvas c(size + 2, size + 2);
  for (auto _ : state) {
    cairo_new_path(c.cr);
    cairo_arc(c.cr, 1 + size / 2.0, 1 + size / 2.0, (size - 1) / 2.0, 0, 2 * 3.14159265358979);
    c.FillAndStroke(1, 1, 0);
    c.Done();
  }
}
BENCHMARK(CairoEllipse)->Arg(16)->Arg(200);

void CairoPie(benchmark::State& state) {
  CairoCanvas c(202, 202);
  for (auto _ : state) {
    cairo_move_to(c.cr, 101, 101);
    cairo_arc_negative(c.cr, 101, 101, 99.5, -0.68, -2.46);
    cairo_close_path(c.cr);
    c.FillAndStroke(0, 1, 0);
    c.Done();
  }
}
BENCHMARK(CairoPie);

void CairoPolygon(benchmark::State& state, const std::vector<TPoint>& pts) {
  CairoCanvas c(200, 200);
  cairo_set_fill_rule(c.cr, CAIRO_FILL_RULE_EVEN_ODD);
  for (auto _ : state) {
    cairo_move_to(c.cr, pts[0].x + 0.5, pts[0].y + 0.5);
    for (size_t i = 1; i < pts.size(); ++i) cairo_line_to(c.cr, pts[i].x + 0.5, pts[i].y + 0.5);
    cairo_close_path(c.cr);
    c.FillAndStroke(1, 0, 0);
    c.Done();
  }
}
BENCHMARK_CAPTURE(CairoPolygon, Star, kStar);

void CairoHalve(benchmark::State& state) {
  CairoCanvas src(1024, 768), dst(512, 384);
  cairo_set_operator(dst.cr, CAIRO_OPERATOR_SOURCE);
  cairo_scale(dst.cr, 0.5, 0.5);
  cairo_set_source_surface(dst.cr, src.surface, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(dst.cr), cairo_filter_t(state.range(0)));
  for (auto _ : state) {
    cairo_paint(dst.cr);
    dst.Done();
  }
}
BENCHMARK(CairoHalve)->Arg(CAIRO_FILTER_NEAREST)->Arg(CAIRO_FILTER_GOOD);

void CairoTexts(benchmark::State& state) {
  CairoCanvas c(200, 40);
  TBitmap probe(1, 1);
  const std::string family = probe.Canvas()->Font()->Face().FamilyName();
  cairo_select_font_face(c.cr, family.c_str(), CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(c.cr, 11);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_set_font_options(c.cr, options);
  cairo_font_options_destroy(options);
  cairo_set_source_rgb(c.cr, 0, 0, 0);
  for (auto _ : state) {
    for (int i = 0; i < 100; ++i) {
      cairo_move_to(c.cr, 2 + i % 7, 13 + i % 5);
      cairo_show_text(c.cr, kText);
    }
    c.Done();
  }
}
BENCHMARK(CairoTexts);
#endif

// --- the summary

struct Target {
  const char* label;
  const char* ours;
  const char* base;
  const char* baseName;
  double limit;
};

void PrintSummary(const zelbench::TFigureReporter& rep) {
  const Target targets[] = {
      {"fill 1080p", "Fill/1920/1080", "MemsetBaseline/1920/1080", "memset", 1.25},
      {"span fill 1080p", "SpanFill", "MemsetBaseline/1918/1080", "memset", 1.25},
      {"copy blit 1080p", "CopyBlit/13369376", "MemcpyBaseline", "memcpy", 1.25},
      {"and blit 1080p", "CopyBlit/8913094", "MemcpyBaseline", "memcpy", 0},
      {"xor blit 1080p", "CopyBlit/6684742", "MemcpyBaseline", "memcpy", 0},
      {"fill 1080p", "Fill/1920/1080", "CairoFill", "cairo", 0},
      {"fill 1080p", "Fill/1920/1080", "PixmanFill", "pixman", 0},
      {"copy blit 1080p", "CopyBlit/13369376", "CairoCopy", "cairo", 0},
      {"copy blit 1080p", "CopyBlit/13369376", "PixmanCopy", "pixman", 0},
      {"64 lines", "Lines", "CairoLines", "cairo", 1},
      {"ellipse 16", "Ellipse/16", "CairoEllipse/16", "cairo", 1},
      {"ellipse 200", "Ellipse/200", "CairoEllipse/200", "cairo", 1},
      {"pie 200", "Pie", "CairoPie", "cairo", 1},
      {"star 200", "Star", "CairoPolygon/Star", "cairo", 1},
      {"halve nearest", "Halve/3", "CairoHalve/3", "cairo", 1},
      {"halve averaging", "Halve/4", "CairoHalve/1", "cairo", 1},
      {"100 texts", "Texts", "CairoTexts", "cairo", 1},
  };
  std::printf("Summary (CPU time, ours / theirs; lower is better)\n");
  for (const Target& g : targets)
    zelbench::PrintRatio(rep, std::string(g.label) + " vs " + g.baseName, g.ours, g.base, g.limit);
}

}  // namespace

ZEL_BENCH_MAIN(PrintSummary)
