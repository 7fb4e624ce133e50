// Image file codecs: BMP (our own strict reader and a simple writer) and PNG
// (through libpng), to and from a plain pixel buffer. TBitmap's file members are
// built on these; tests and fuzz targets call them directly.
//
// Every decoder checks sizes with overflow-safe arithmetic and caps the image
// before allocating, and raises EInvalidGraphic with the bare reason ("RLE8 run
// passes the end of the row"); the caller adds which file it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "host/gfx/Graphics.h"

namespace host {

// A decoded image. Pixels are 0xAARRGGBB, rows top-down, no padding. Decoders set
// alpha to 0xFF when the source has no alpha channel.
struct TImageData {
  int Width = 0;
  int Height = 0;
  std::vector<uint32_t> Pixels;
  // The source carried alpha; encoders write an alpha channel only when set.
  bool HasAlpha = false;
  // Bits a pixel of the source (1, 4, 8, 16, 24, 32; PNG: 8 for palette images).
  int SourceBits = 32;
};

// Caps applied before any pixel memory is allocated: a hostile header cannot make
// us reserve gigabytes. Fuzz targets pass smaller ones to stay fast.
struct TImageLimits {
  int MaxDimension = 32767;                      // the largest side a TBitmap takes
  uint64_t MaxPixelBytes = uint64_t(256) << 20;  // of the 32-bit decoded image
};

// Raised when writing an image file fails (the target stays as it was).
class EFCreateError : public Exception {
 public:
  using Exception::Exception;
};

bool IsBmpData(const uint8_t* data, size_t size);
bool IsPngData(const uint8_t* data, size_t size);

// BMP: core (12), info (40), V2/V3 (52/56), V4 (108) and V5 (124) headers;
// 1/4/8/16/24/32 bits a pixel; BI_RGB, BI_RLE8, BI_RLE4, BI_BITFIELDS and
// BI_ALPHABITFIELDS; bottom-up or top-down (not with RLE). Pixels that RLE data
// leaves unset take the first palette colour; palette indexes beyond the palette
// read as black. A 32-bit image whose alpha mask yields zero everywhere is taken
// as opaque, since many writers fill that byte with zeros.
TImageData DecodeBmp(const uint8_t* data, size_t size, const TImageLimits& limits = {});
// PNG of any colour type and depth, interlaced or not, normalised to 8 bits a
// channel; transparency (alpha channel or tRNS) sets HasAlpha.
TImageData DecodePng(const uint8_t* data, size_t size, const TImageLimits& limits = {});
// Picks the decoder by the signature ("BM" or the PNG signature).
TImageData DecodeImage(const uint8_t* data, size_t size, const TImageLimits& limits = {});

// A 32-bit BI_RGB bottom-up BMP with a 40-byte info header: the simplest form
// every reader accepts, and lossless for our 32-bit bitmaps. Alpha is not stored.
std::vector<uint8_t> EncodeBmp(const TImageData& img);
// An 8-bit RGB PNG, or RGBA when the image HasAlpha.
std::vector<uint8_t> EncodePng(const TImageData& img);

// Raises EInvalidGraphic unless the image is whole (positive size, pixel count
// matching, within the default caps); returns its pixel count. Shared by the encoders.
size_t CheckEncodable(const TImageData& img);

}  // namespace host
