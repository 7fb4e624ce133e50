// PNG through libpng. libpng reports errors by longjmp, which must never jump
// over a C++ object with a destructor: every function below that calls setjmp
// holds only plain locals, and all C++ objects (the image, row pointers, the
// output buffer) live in its callers.
#include <png.h>

#include <bit>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include "host/gfx/ImageIO.h"

namespace host {

namespace {

constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// Where libpng's error text lands before the longjmp.
struct PngErrorText {
  char Message[160] = "";
};

void OnPngError(png_structp png, png_const_charp msg) {
  auto* err = static_cast<PngErrorText*>(png_get_error_ptr(png));
  std::snprintf(err->Message, sizeof err->Message, "%s", msg ? msg : "libpng error");
  png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}  // recoverable; the image is still sound

struct PngSource {
  const uint8_t* Data;
  size_t Size;
  size_t Pos;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t len) {
  auto* src = static_cast<PngSource*>(png_get_io_ptr(png));
  if (len > src->Size - src->Pos) png_error(png, "file truncated");
  std::memcpy(out, src->Data + src->Pos, len);
  src->Pos += len;
}

void WriteToMemory(png_structp png, png_bytep data, png_size_t len) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  try {
    out->insert(out->end(), data, data + len);
  } catch (...) {
    png_error(png, "out of memory");  // an exception must not unwind through libpng
  }
}

void FlushMemory(png_structp) {}

// Owns libpng's read or write state.
class PngHandle {
 public:
  PngHandle(bool write, PngErrorText* err) : FWrite(write) {
    FPng = write ? png_create_write_struct(PNG_LIBPNG_VER_STRING, err, OnPngError, OnPngWarning)
                 : png_create_read_struct(PNG_LIBPNG_VER_STRING, err, OnPngError, OnPngWarning);
    if (FPng) FInfo = png_create_info_struct(FPng);
    if (!FPng || !FInfo) {
      Destroy();
      throw EInvalidGraphic("cannot initialise libpng");
    }
  }
  ~PngHandle() { Destroy(); }
  PngHandle(const PngHandle&) = delete;
  PngHandle& operator=(const PngHandle&) = delete;
  png_structp Png() const { return FPng; }
  png_infop Info() const { return FInfo; }

 private:
  bool FWrite;
  png_structp FPng = nullptr;
  png_infop FInfo = nullptr;

  void Destroy() {
    if (!FPng) return;
    if (FWrite)
      png_destroy_write_struct(&FPng, FInfo ? &FInfo : nullptr);
    else
      png_destroy_read_struct(&FPng, FInfo ? &FInfo : nullptr, nullptr);
  }
};

// Our pixels are 0xAARRGGBB words; tell libpng how that lies in memory, with a
// filler byte in place of alpha when there is none.
void SetWordLayout(png_structp png, bool alpha, png_uint_32 filler) {
  if constexpr (std::endian::native == std::endian::little) {
    png_set_bgr(png);
    if (!alpha) png_set_filler(png, filler, PNG_FILLER_AFTER);
  } else {
    if (alpha)
      png_set_swap_alpha(png);
    else
      png_set_filler(png, filler, PNG_FILLER_BEFORE);
  }
}

struct PngHeader {
  png_uint_32 Width;
  png_uint_32 Height;
  int Bits;
  bool Alpha;
};

// Reads the header and sets up the conversion to 8-bit words. False on a libpng error.
bool ReadPngHeader(png_structp png, png_infop info, int maxDim, PngHeader* hdr) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_user_limits(png, png_uint_32(maxDim), png_uint_32(maxDim));
  png_read_info(png, info);
  int depth = 0;
  int colorType = 0;
  png_get_IHDR(png, info, &hdr->Width, &hdr->Height, &depth, &colorType, nullptr, nullptr, nullptr);
  const bool trns = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  hdr->Alpha = (colorType & PNG_COLOR_MASK_ALPHA) != 0 || trns;
  hdr->Bits = colorType == PNG_COLOR_TYPE_PALETTE ? depth : depth * png_get_channels(png, info);
  if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colorType == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (trns) png_set_tRNS_to_alpha(png);
  if (depth == 16) png_set_scale_16(png);
  if (!(colorType & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(png);
  SetWordLayout(png, hdr->Alpha, 0xFF);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != png_size_t(hdr->Width) * 4)
    png_error(png, "unexpected row layout after conversion");
  return true;
}

bool ReadPngRows(png_structp png, png_infop info, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_image(png, rows);
  png_read_end(png, info);
  return true;
}

bool WritePngRows(png_structp png, png_infop info, const TImageData* img, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_IHDR(png, info, png_uint_32(img->Width), png_uint_32(img->Height), 8,
               img->HasAlpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  SetWordLayout(png, img->HasAlpha, 0);
  png_write_image(png, rows);
  png_write_end(png, info);
  return true;
}

std::vector<png_bytep> RowPointers(uint32_t* pixels, int width, int height) {
  std::vector<png_bytep> rows(static_cast<size_t>(height));
  for (int y = 0; y < height; ++y)
    rows[size_t(y)] = reinterpret_cast<png_bytep>(pixels + size_t(y) * size_t(width));
  return rows;
}

}  // namespace

bool IsPngData(const uint8_t* data, size_t size) {
  return size >= sizeof kPngSignature &&
         std::memcmp(data, kPngSignature, sizeof kPngSignature) == 0;
}

TImageData DecodePng(const uint8_t* data, size_t size, const TImageLimits& limits) {
  if (!IsPngData(data, size)) throw EInvalidGraphic("not a PNG file");
  PngErrorText err;
  PngHandle h(false, &err);
  PngSource src{data, size, 0};
  png_set_read_fn(h.Png(), &src, ReadFromMemory);
  PngHeader hdr{};
  if (!ReadPngHeader(h.Png(), h.Info(), limits.MaxDimension, &hdr))
    throw EInvalidGraphic(err.Message);
  if (uint64_t(hdr.Width) * hdr.Height * 4 > limits.MaxPixelBytes)
    throw EInvalidGraphic("image too large (" + std::to_string(hdr.Width) + " x " +
                          std::to_string(hdr.Height) + ")");
  TImageData img;
  img.Width = int(hdr.Width);
  img.Height = int(hdr.Height);
  img.HasAlpha = hdr.Alpha;
  img.SourceBits = hdr.Bits;
  img.Pixels.resize(size_t(hdr.Width) * hdr.Height);
  std::vector<png_bytep> rows = RowPointers(img.Pixels.data(), img.Width, img.Height);
  if (!ReadPngRows(h.Png(), h.Info(), rows.data())) throw EInvalidGraphic(err.Message);
  return img;
}

std::vector<uint8_t> EncodePng(const TImageData& img) {
  CheckEncodable(img);
  PngErrorText err;
  PngHandle h(true, &err);
  std::vector<uint8_t> out;
  png_set_write_fn(h.Png(), &out, WriteToMemory, FlushMemory);
  // libpng copies each row before transforming it, so the pixels are only read.
  std::vector<png_bytep> rows =
      RowPointers(const_cast<uint32_t*>(img.Pixels.data()), img.Width, img.Height);
  if (!WritePngRows(h.Png(), h.Info(), &img, rows.data())) throw EInvalidGraphic(err.Message);
  return out;
}

}  // namespace host
