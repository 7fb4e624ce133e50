// TBitmap core: size, pixel storage, the canvas bound to it and Assign. Loading
// and saving image files live in BitmapIO.cpp.
#include <algorithm>
#include <cstring>
#include <new>

#include "host/gfx/Graphics.h"

namespace host {

namespace {

constexpr int kMaxSide = 32767;
constexpr uint64_t kMaxBytes = uint64_t(256) << 20;
constexpr TPixel kWhite = 0x00FFFFFF;

std::string SizeText(int w, int h) { return std::to_string(w) + " x " + std::to_string(h); }

// Refuses sizes no platform bitmap could have, before anything is allocated, so
// a wild size gives a clear error instead of an allocation failure.
void CheckSize(int w, int h) {
  if (w < 0 || h < 0 || w > kMaxSide || h > kMaxSide)
    throw EInvalidGraphic("Invalid bitmap size " + SizeText(w, h) + ": each side must be 0 to " +
                          std::to_string(kMaxSide) + " pixels");
  if (uint64_t(w) * uint64_t(h) * sizeof(TPixel) > kMaxBytes)
    throw EOutOfResources("Not enough storage for a bitmap of " + SizeText(w, h) +
                          " pixels (at most 256 MiB)");
}

std::vector<TPixel> AllocatePixels(int w, int h) {
  try {
    return std::vector<TPixel>(size_t(w) * size_t(h), kWhite);
  } catch (const std::bad_alloc&) {
    throw EOutOfResources("Not enough storage for a bitmap of " + SizeText(w, h) + " pixels");
  }
}

}  // namespace

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int w, int h) { SetSize(w, h); }

TBitmap::~TBitmap() = default;

void TBitmap::SetSize(int w, int h) {
  if (w == FWidth && h == FHeight) return;
  CheckSize(w, h);
  std::vector<TPixel> pixels = AllocatePixels(w, h);
  const int keepW = std::min(w, FWidth), keepH = std::min(h, FHeight);
  for (int y = 0; y < keepH && keepW > 0; ++y)
    std::memcpy(pixels.data() + size_t(y) * size_t(w), FPixels.data() + size_t(y) * size_t(FWidth),
                size_t(keepW) * sizeof(TPixel));
  FPixels.swap(pixels);
  FWidth = w;
  FHeight = h;
  Rebind();
}

TCanvas* TBitmap::Canvas() {
  if (!FCanvas) {
    FCanvas = std::make_unique<TCanvas>();
    Rebind();
  }
  return FCanvas.get();
}

TPixel* TBitmap::ScanLine(int row) {
  if (Empty() || row < 0 || row >= FHeight) return nullptr;
  return &FPixels[size_t(row) * size_t(FWidth)];
}

const TPixel* TBitmap::ScanLine(int row) const { return const_cast<TBitmap*>(this)->ScanLine(row); }

TSurface TBitmap::Surface() {
  return TSurface{Empty() ? nullptr : FPixels.data(), FWidth, FHeight, FWidth};
}

void TBitmap::Rebind() {
  if (FCanvas) FCanvas->BindSurface(Surface());
}

void TBitmap::Assign(TPersistent* Source) {
  if (Source == nullptr) {
    SetSize(0, 0);
    return;
  }
  auto* src = dynamic_cast<TBitmap*>(Source);
  if (src == nullptr) return TPersistent::Assign(Source);
  if (src == this) return;
  std::vector<TPixel> pixels = AllocatePixels(src->FWidth, src->FHeight);
  std::copy(src->FPixels.begin(), src->FPixels.end(), pixels.begin());
  FPixels.swap(pixels);
  FWidth = src->FWidth;
  FHeight = src->FHeight;
  FPixelFormat = src->FPixelFormat;
  FTransparent = src->FTransparent;
  FTransparentColor = src->FTransparentColor;
  Rebind();
}

}  // namespace host
