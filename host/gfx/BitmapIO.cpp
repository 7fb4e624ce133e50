// TBitmap's file members: loading BMP/PNG from files, memory and embedded
// resources, and saving with an atomic replace. Decoding happens into a separate
// buffer and the bitmap is touched only once the whole image is good, so a failed
// load leaves it as it was.

#include <cctype>
#include <new>

#include "host/gfx/FileIO.h"
#include "host/gfx/Graphics.h"
#include "host/gfx/ImageIO.h"
#include "host/gfx/Resources.h"

namespace host {

namespace {

// Larger files are refused before reading: no image within the pixel caps needs more.
constexpr size_t kMaxFileSize = size_t(1) << 30;

std::string FileLabel(const std::string& path) { return "bitmap file '" + path + "'"; }

// A folder, a FIFO, a device or an oversized file is refused before any byte is
// read, so a load can neither block nor read without bound.
std::string ReadImageFile(const std::string& path) {
  std::string bytes, reason;
  if (!ReadRegularFile(path, kMaxFileSize, bytes, reason))
    throw EInvalidGraphic(FileLabel(path) + ": cannot read (" + reason + ")");
  return bytes;
}

TPixelFormat FormatOfDepth(int bits) {
  if (bits <= 1) return pf1bit;
  if (bits <= 4) return pf4bit;
  if (bits <= 8) return pf8bit;
  if (bits <= 16) return pf16bit;
  if (bits <= 24) return pf24bit;
  return pf32bit;
}

// Our bitmaps have no alpha: a translucent pixel is laid over white, the colour a
// fresh bitmap starts with, so transparent areas look like blank ones.
TPixel Flatten(uint32_t argb) {
  const uint32_t a = argb >> 24;
  if (a == 255) return argb & 0x00FFFFFF;
  TPixel out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const uint32_t c = (argb >> shift) & 0xFF;
    out |= ((c * a + 255 * (255 - a) + 127) / 255) << shift;
  }
  return out;
}

// Puts a whole decoded image into the bitmap. Only the resize can fail, and it
// does so before any pixel of the bitmap changes.
void Adopt(TBitmap& bmp, const TImageData& img) {
  bmp.SetSize(img.Width, img.Height);
  for (int y = 0; y < img.Height; ++y) {
    const uint32_t* src = img.Pixels.data() + size_t(y) * size_t(img.Width);
    TPixel* dst = bmp.ScanLine(y);
    for (int x = 0; x < img.Width; ++x) dst[x] = Flatten(src[x]);
  }
  bmp.SetPixelFormat(FormatOfDepth(img.SourceBits));
}

// Decodes and adopts, naming the source in any error. Memory shortage is not a
// fault of the file, so it keeps its own exception type.
void LoadInto(TBitmap& bmp, const void* data, size_t size, const std::string& label) {
  try {
    Adopt(bmp, DecodeImage(static_cast<const uint8_t*>(data), size));
  } catch (const EInvalidGraphic& e) {
    throw EInvalidGraphic(label + ": " + e.what());
  } catch (const EOutOfResources& e) {
    throw EOutOfResources(label + ": " + e.what());
  } catch (const std::bad_alloc&) {
    throw EOutOfResources(label + ": not enough memory for the image");
  }
}

TImageData Snapshot(const TBitmap& bmp) {
  TImageData img;
  img.Width = bmp.Width();
  img.Height = bmp.Height();
  img.Pixels.reserve(size_t(img.Width) * size_t(img.Height));
  for (int y = 0; y < img.Height; ++y) {
    const TPixel* row = bmp.ScanLine(y);
    for (int x = 0; x < img.Width; ++x) img.Pixels.push_back(0xFF000000u | (row[x] & 0xFFFFFF));
  }
  return img;
}

bool EndsWithPng(const std::string& path) {
  if (path.size() < 4) return false;
  std::string ext = path.substr(path.size() - 4);
  for (char& c : ext) c = char(std::tolower(static_cast<unsigned char>(c)));
  return ext == ".png";
}

// Saves through an atomic replace, so a failed save keeps the old file.
void ReplaceFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::string reason;
  const std::string_view view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (!WriteFileAtomically(path, view, reason))
    throw EFCreateError("cannot save " + FileLabel(path) + ": " + reason);
}

}  // namespace

void TBitmap::LoadFromFile(const std::string& path) {
  const std::string bytes = ReadImageFile(path);
  LoadInto(*this, bytes.data(), bytes.size(), FileLabel(path));
}

void TBitmap::LoadFromMemory(const void* data, size_t size) {
  LoadInto(*this, data, size, "bitmap data");
}

void TBitmap::LoadFromResourceName(const std::string& name) {
  const EmbeddedResource* res = FindResource(name);
  if (!res) throw EResNotFound("Resource " + name + " not found");
  LoadInto(*this, res->Data, res->Size, "resource " + name);
}

void TBitmap::SaveToFile(const std::string& path) const {
  std::vector<uint8_t> bytes;
  try {
    const TImageData img = Snapshot(*this);
    bytes = EndsWithPng(path) ? EncodePng(img) : EncodeBmp(img);
  } catch (const EInvalidGraphic& e) {
    throw EInvalidGraphic("cannot save " + FileLabel(path) + ": " + e.what());
  }
  ReplaceFile(path, bytes);
}

}  // namespace host
