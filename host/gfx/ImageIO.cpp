// BMP reading and writing, and the format dispatch. The reader is strict: every
// field is checked against the file's real size before it is used, and a file
// that does not describe a whole image is refused rather than half-decoded.
#include "host/gfx/ImageIO.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace host {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;

enum BmpCompression : uint32_t {
  BI_RGB = 0,
  BI_RLE8 = 1,
  BI_RLE4 = 2,
  BI_BITFIELDS = 3,
  BI_ALPHABITFIELDS = 6
};

[[noreturn]] void Fail(const std::string& reason) { throw EInvalidGraphic(reason); }

uint16_t GetU16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t GetU32(const uint8_t* p) {
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
int32_t GetI32(const uint8_t* p) { return static_cast<int32_t>(GetU32(p)); }

// True when [off, off + len) lies inside a buffer of `size` bytes, without
// overflowing on hostile values.
bool Fits(uint64_t off, uint64_t len, uint64_t size) { return off <= size && len <= size - off; }

constexpr uint32_t Opaque(uint32_t rgb) { return 0xFF000000u | rgb; }

// One colour channel of a bit-field pixel: where it sits and how to widen it to 8 bits.
struct Channel {
  uint32_t Mask = 0;
  int Shift = 0;
  uint32_t Max = 0;  // largest value of the field

  explicit Channel(uint32_t mask = 0) : Mask(mask) {
    if (mask == 0) return;
    Shift = std::countr_zero(mask);
    Max = mask >> Shift;
  }
  uint32_t Get(uint32_t v) const {
    if (Max == 0) return 0;
    const uint64_t field = (v & Mask) >> Shift;
    return Max == 255 ? uint32_t(field) : uint32_t((field * 255 + Max / 2) / Max);
  }
};

bool IsContiguous(uint32_t mask) {
  if (mask == 0) return true;
  const uint32_t shifted = mask >> std::countr_zero(mask);
  return (shifted & (shifted + 1)) == 0;
}

// Everything the headers say, checked.
struct BmpInfo {
  uint32_t HeaderSize = 0;
  int Width = 0;
  int Height = 0;  // always positive
  bool TopDown = false;
  int Bits = 0;
  uint32_t Compression = BI_RGB;
  uint32_t ColorsUsed = 0;
  std::array<uint32_t, 4> Masks{};  // R, G, B, A
  uint64_t PaletteOffset = 0;
  uint64_t PixelOffset = 0;
};

std::string Num(uint64_t v) { return std::to_string(v); }

bool IsKnownHeaderSize(uint32_t s) {
  return s == kCoreHeaderSize || s == kInfoHeaderSize || s == 52 || s == 56 || s == 108 || s == 124;
}

void ReadCoreHeader(const uint8_t* h, BmpInfo& info, uint16_t& planes) {
  info.Width = GetU16(h + 4);
  info.Height = GetU16(h + 6);
  planes = GetU16(h + 8);
  info.Bits = GetU16(h + 10);
}

void ReadInfoHeader(const uint8_t* h, BmpInfo& info, uint16_t& planes) {
  const int64_t width = GetI32(h + 4);
  const int64_t height = GetI32(h + 8);
  if (width < 0) Fail("negative width " + std::to_string(width));
  info.Width = int(std::min<int64_t>(width, INT32_MAX));
  info.TopDown = height < 0;
  info.Height = int(std::min<int64_t>(height < 0 ? -height : height, INT32_MAX));
  planes = GetU16(h + 12);
  info.Bits = GetU16(h + 14);
  info.Compression = GetU32(h + 16);
  info.ColorsUsed = GetU32(h + 32);
}

void CheckFormat(const BmpInfo& info, uint16_t planes) {
  if (planes != 1) Fail("bad number of planes " + Num(planes));
  const int b = info.Bits;
  const bool core = info.HeaderSize == kCoreHeaderSize;
  const bool listed = b == 1 || b == 4 || b == 8 || b == 24 || (!core && (b == 16 || b == 32));
  if (!listed) Fail("unsupported bits per pixel " + Num(uint64_t(b)));
  switch (info.Compression) {
    case BI_RGB:
      break;
    case BI_RLE8:
    case BI_RLE4:
      if (b != (info.Compression == BI_RLE8 ? 8 : 4))
        Fail("RLE" + Num(info.Compression == BI_RLE8 ? 8 : 4) + " compression with " + Num(b) +
             " bits per pixel");
      if (info.TopDown) Fail("top-down bitmap with RLE compression");
      break;
    case BI_BITFIELDS:
    case BI_ALPHABITFIELDS:
      if (b != 16 && b != 32) Fail("bit fields with " + Num(b) + " bits per pixel");
      break;
    default:
      Fail("unsupported compression " + Num(info.Compression));
  }
}

void CheckSize(const BmpInfo& info, const TImageLimits& limits) {
  if (info.Width == 0) Fail("zero width");
  if (info.Height == 0) Fail("zero height");
  if (info.Width > limits.MaxDimension || info.Height > limits.MaxDimension ||
      uint64_t(info.Width) * uint64_t(info.Height) * 4 > limits.MaxPixelBytes)
    Fail("image too large (" + Num(info.Width) + " x " + Num(info.Height) + ")");
}

// Bit-field masks come after a 40-byte header, or inside the later headers.
void ReadMasks(const uint8_t* data, size_t size, BmpInfo& info) {
  const bool fields = info.Compression == BI_BITFIELDS || info.Compression == BI_ALPHABITFIELDS;
  uint64_t afterHeader = kFileHeaderSize + info.HeaderSize;
  if (!fields) {
    if (info.Bits == 16) info.Masks = {0x7C00, 0x03E0, 0x001F, 0};
    if (info.Bits == 32) info.Masks = {0xFF0000, 0xFF00, 0xFF, 0};
    info.PaletteOffset = afterHeader;
    return;
  }
  const uint8_t* m = data + kFileHeaderSize + kInfoHeaderSize;
  int count = info.HeaderSize >= 56 ? 4 : 3;
  if (info.HeaderSize == kInfoHeaderSize) {
    count = info.Compression == BI_ALPHABITFIELDS ? 4 : 3;
    if (!Fits(afterHeader, uint64_t(count) * 4, size)) Fail("bit field masks truncated");
    afterHeader += uint64_t(count) * 4;
  }
  for (int i = 0; i < count; ++i) info.Masks[i] = GetU32(m + 4 * i);
  info.PaletteOffset = afterHeader;
}

void CheckMasks(const BmpInfo& info) {
  const uint64_t limit = info.Bits == 16 ? 0xFFFF : 0xFFFFFFFF;
  uint32_t seen = 0;
  for (int i = 0; i < 4; ++i) {
    const uint32_t m = info.Masks[i];
    if (m == 0 && i < 3) Fail("empty colour bit field mask");
    if (m > limit) Fail("bit field mask wider than the pixel");
    if (!IsContiguous(m)) Fail("non-contiguous bit field mask");
    if (seen & m) Fail("overlapping bit field masks");
    seen |= m;
  }
}

BmpInfo ReadBmpInfo(const uint8_t* data, size_t size, const TImageLimits& limits) {
  if (size < kFileHeaderSize + 4) Fail("file header truncated");
  if (!IsBmpData(data, size)) Fail("not a BMP file");
  BmpInfo info;
  info.PixelOffset = GetU32(data + 10);
  info.HeaderSize = GetU32(data + kFileHeaderSize);
  if (!IsKnownHeaderSize(info.HeaderSize))
    Fail("unsupported info header size " + Num(info.HeaderSize));
  if (!Fits(kFileHeaderSize, info.HeaderSize, size)) Fail("info header truncated");
  const uint8_t* h = data + kFileHeaderSize;
  uint16_t planes = 0;
  if (info.HeaderSize == kCoreHeaderSize)
    ReadCoreHeader(h, info, planes);
  else
    ReadInfoHeader(h, info, planes);
  CheckFormat(info, planes);
  CheckSize(info, limits);
  ReadMasks(data, size, info);
  if (info.Bits == 16 || info.Bits == 32) CheckMasks(info);
  if (info.PixelOffset < info.PaletteOffset)
    Fail("pixel data offset " + Num(info.PixelOffset) + " lies inside the headers");
  if (info.PixelOffset >= size)
    Fail("pixel data offset " + Num(info.PixelOffset) + " beyond the end of the file (" +
         Num(size) + " bytes)");
  return info;
}

// The colour table, always 256 entries so any index is safe; entries the file
// does not define stay black.
using Palette = std::array<uint32_t, 256>;

Palette ReadPalette(const uint8_t* data, const BmpInfo& info) {
  Palette pal;
  pal.fill(Opaque(0));
  if (info.Bits > 8) return pal;
  const uint64_t entrySize = info.HeaderSize == kCoreHeaderSize ? 3 : 4;
  const uint64_t full = uint64_t(1) << info.Bits;
  uint64_t count = info.ColorsUsed == 0 ? full : std::min<uint64_t>(info.ColorsUsed, full);
  // Some writers leave out the unused tail of the table; the pixel offset tells.
  count = std::min(count, (info.PixelOffset - info.PaletteOffset) / entrySize);
  if (count == 0) Fail("missing colour table");
  for (uint64_t i = 0; i < count; ++i) {
    const uint8_t* e = data + info.PaletteOffset + i * entrySize;
    pal[i] = Opaque((uint32_t(e[2]) << 16) | (uint32_t(e[1]) << 8) | e[0]);
  }
  return pal;
}

// Decodes one stored row of an uncompressed image into `out`.
class RowDecoder {
 public:
  RowDecoder(const BmpInfo& info, const Palette& pal)
      : FBits(info.Bits), FWidth(info.Width), FPal(pal) {
    for (int i = 0; i < 4; ++i) FChannels[i] = Channel(info.Masks[i]);
  }

  void Decode(const uint8_t* row, uint32_t* out) const {
    switch (FBits) {
      case 1:
      case 4:
      case 8:
        DecodeIndexed(row, out);
        break;
      case 24:
        for (int x = 0; x < FWidth; ++x, row += 3)
          out[x] = Opaque((uint32_t(row[2]) << 16) | (uint32_t(row[1]) << 8) | row[0]);
        break;
      case 16:
        for (int x = 0; x < FWidth; ++x) out[x] = FromFields(GetU16(row + 2 * x));
        break;
      default:
        for (int x = 0; x < FWidth; ++x) out[x] = FromFields(GetU32(row + 4 * x));
        break;
    }
  }

 private:
  int FBits;
  int FWidth;
  const Palette& FPal;
  std::array<Channel, 4> FChannels;

  void DecodeIndexed(const uint8_t* row, uint32_t* out) const {
    const int perByte = 8 / FBits;
    const uint32_t mask = (1u << FBits) - 1;
    for (int x = 0; x < FWidth; ++x) {
      const int shift = 8 - FBits * (x % perByte + 1);
      out[x] = FPal[(row[x / perByte] >> shift) & mask];
    }
  }

  uint32_t FromFields(uint32_t v) const {
    const uint32_t a = FChannels[3].Mask ? FChannels[3].Get(v) : 255;
    return (a << 24) | (FChannels[0].Get(v) << 16) | (FChannels[1].Get(v) << 8) |
           FChannels[2].Get(v);
  }
};

void DecodeUncompressed(const uint8_t* data, size_t size, const BmpInfo& info, const Palette& pal,
                        TImageData& img) {
  const uint64_t stride = (uint64_t(info.Width) * uint64_t(info.Bits) + 31) / 32 * 4;
  const uint64_t need = stride * uint64_t(info.Height);
  if (!Fits(info.PixelOffset, need, size))
    Fail("pixel data truncated (" + Num(need) + " bytes needed, " + Num(size - info.PixelOffset) +
         " present)");
  const RowDecoder rows(info, pal);
  for (int r = 0; r < info.Height; ++r) {
    const int y = info.TopDown ? r : info.Height - 1 - r;
    rows.Decode(data + info.PixelOffset + uint64_t(r) * stride,
                img.Pixels.data() + size_t(y) * size_t(info.Width));
  }
}

// RLE4/RLE8 stream walker. Rows count from the bottom, as stored.
class RleDecoder {
 public:
  RleDecoder(const uint8_t* data, size_t size, const BmpInfo& info, const Palette& pal,
             TImageData& img)
      : FData(data + info.PixelOffset),
        FSize(size - info.PixelOffset),
        FFour(info.Compression == BI_RLE4),
        FWidth(info.Width),
        FHeight(info.Height),
        FPal(pal),
        FImg(img) {}

  void Run() {
    for (;;) {
      if (FPos + 2 > FSize) {
        // A writer may stop right after the last row without the final marker.
        if (FY >= FHeight) return;
        Fail("RLE data ends before the end-of-bitmap marker");
      }
      const uint8_t count = FData[FPos];
      const uint8_t value = FData[FPos + 1];
      FPos += 2;
      if (count > 0) {
        Encoded(count, value);
      } else if (value == 0) {
        FX = 0;
        NextRow(1);
      } else if (value == 1) {
        return;
      } else if (value == 2) {
        Delta();
      } else {
        Absolute(value);
      }
    }
  }

 private:
  const uint8_t* FData;
  size_t FSize;
  bool FFour;
  int FWidth;
  int FHeight;
  const Palette& FPal;
  TImageData& FImg;
  size_t FPos = 0;
  int FX = 0;
  int FY = 0;

  std::string Name() const { return FFour ? "RLE4" : "RLE8"; }

  void NextRow(int dy) {
    if (dy > FHeight - FY) Fail(Name() + " data passes the last row");
    FY += dy;
  }

  // Checks that n pixels fit at the current position; returns the row to write.
  uint32_t* Target(int n) {
    if (FY >= FHeight) Fail(Name() + " data passes the last row");
    if (n > FWidth - FX) Fail(Name() + " run passes the end of the row");
    return FImg.Pixels.data() + size_t(FHeight - 1 - FY) * size_t(FWidth) + FX;
  }

  void Encoded(int n, uint8_t value) {
    uint32_t* out = Target(n);
    for (int i = 0; i < n; ++i)
      out[i] = FPal[FFour ? ((i & 1) ? value & 0x0F : value >> 4) : value];
    FX += n;
  }

  void Absolute(int n) {
    const size_t bytes = FFour ? (size_t(n) + 1) / 2 : size_t(n);
    const size_t padded = bytes + (bytes & 1);  // runs end on a 16-bit boundary
    if (!Fits(FPos, padded, FSize)) Fail(Name() + " data truncated");
    uint32_t* out = Target(n);
    const uint8_t* src = FData + FPos;
    for (int i = 0; i < n; ++i)
      out[i] = FPal[FFour ? ((i & 1) ? src[i / 2] & 0x0F : src[i / 2] >> 4) : src[i]];
    FX += n;
    FPos += padded;
  }

  void Delta() {
    if (!Fits(FPos, 2, FSize)) Fail(Name() + " data truncated");
    const int dx = FData[FPos];
    const int dy = FData[FPos + 1];
    FPos += 2;
    if (dx > FWidth - FX) Fail(Name() + " delta moves past the end of the row");
    FX += dx;
    NextRow(dy);
  }
};

// Many 32-bit writers leave the alpha byte zero; an all-transparent picture is
// never what they meant.
void SettleAlpha(TImageData& img) {
  const bool allClear =
      std::all_of(img.Pixels.begin(), img.Pixels.end(), [](uint32_t p) { return p >> 24 == 0; });
  if (allClear) {
    for (uint32_t& p : img.Pixels) p |= 0xFF000000u;
    img.HasAlpha = false;
  } else {
    img.HasAlpha = true;
  }
}

void PutU16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}
void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, v >> 16);
}

}  // namespace

bool IsBmpData(const uint8_t* data, size_t size) {
  return size >= 2 && data[0] == 'B' && data[1] == 'M';
}

TImageData DecodeBmp(const uint8_t* data, size_t size, const TImageLimits& limits) {
  const BmpInfo info = ReadBmpInfo(data, size, limits);
  const Palette pal = ReadPalette(data, info);
  TImageData img;
  img.Width = info.Width;
  img.Height = info.Height;
  img.SourceBits = info.Bits;
  const size_t count = size_t(info.Width) * size_t(info.Height);
  if (info.Compression == BI_RLE8 || info.Compression == BI_RLE4) {
    img.Pixels.assign(count, pal[0]);
    RleDecoder(data, size, info, pal, img).Run();
  } else {
    img.Pixels.resize(count);
    DecodeUncompressed(data, size, info, pal, img);
  }
  if (info.Masks[3] != 0) SettleAlpha(img);
  return img;
}

TImageData DecodeImage(const uint8_t* data, size_t size, const TImageLimits& limits) {
  if (IsBmpData(data, size)) return DecodeBmp(data, size, limits);
  if (IsPngData(data, size)) return DecodePng(data, size, limits);
  Fail(size == 0 ? "empty file" : "unknown image format");
}

size_t CheckEncodable(const TImageData& img) {
  if (img.Width <= 0 || img.Height <= 0) Fail("the image is empty");
  const uint64_t count = uint64_t(img.Width) * uint64_t(img.Height);
  if (img.Pixels.size() != count) Fail("pixel buffer does not match the image size");
  if (count * 4 > TImageLimits{}.MaxPixelBytes) Fail("image too large to save");
  return size_t(count);
}

std::vector<uint8_t> EncodeBmp(const TImageData& img) {
  const size_t count = CheckEncodable(img);
  const uint32_t headers = kFileHeaderSize + kInfoHeaderSize;
  const uint32_t pixelBytes = uint32_t(count * 4);
  std::vector<uint8_t> out;
  out.reserve(headers + pixelBytes);
  out.push_back('B');
  out.push_back('M');
  PutU32(out, headers + pixelBytes);
  PutU32(out, 0);  // reserved
  PutU32(out, headers);
  PutU32(out, kInfoHeaderSize);
  PutU32(out, uint32_t(img.Width));
  PutU32(out, uint32_t(img.Height));  // positive: bottom-up
  PutU16(out, 1);                     // planes
  PutU16(out, 32);
  PutU32(out, BI_RGB);
  PutU32(out, pixelBytes);
  PutU32(out, 3780);  // 96 dpi in pixels per metre
  PutU32(out, 3780);
  PutU32(out, 0);  // colours used
  PutU32(out, 0);  // colours important
  out.resize(headers + size_t(pixelBytes));
  uint8_t* dst = out.data() + headers;
  for (int y = img.Height - 1; y >= 0; --y) {
    const uint32_t* row = img.Pixels.data() + size_t(y) * size_t(img.Width);
    for (int x = 0; x < img.Width; ++x, dst += 4) {
      dst[0] = uint8_t(row[x]);
      dst[1] = uint8_t(row[x] >> 8);
      dst[2] = uint8_t(row[x] >> 16);
      dst[3] = 0;  // reserved in BI_RGB
    }
  }
  return out;
}

}  // namespace host
