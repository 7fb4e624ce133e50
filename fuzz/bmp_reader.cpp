// Feeds arbitrary bytes to the image readers (BMP, and PNG by its signature).
// Refusing the input with EInvalidGraphic is the only acceptable failure; any
// other exception, crash or sanitizer report is a finding. An accepted image must
// survive a BMP round trip unchanged, which catches reader/writer disagreement.
#include <cstdint>
#include <cstdlib>

#include "host/gfx/ImageIO.h"

namespace {

// Small caps keep each run fast; the checks they exercise are the same.
constexpr host::TImageLimits kLimits{.MaxDimension = 2048, .MaxPixelBytes = 1u << 20};

bool SameColours(const host::TImageData& a, const host::TImageData& b) {
  if (a.Width != b.Width || a.Height != b.Height || a.Pixels.size() != b.Pixels.size())
    return false;
  for (size_t i = 0; i < a.Pixels.size(); ++i)
    if ((a.Pixels[i] ^ b.Pixels[i]) & 0x00FFFFFF) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  host::TImageData img;
  try {
    img = host::DecodeImage(data, size, kLimits);
  } catch (const host::EInvalidGraphic&) {
    return 0;
  }
  const std::vector<uint8_t> bmp = host::EncodeBmp(img);
  if (!SameColours(img, host::DecodeBmp(bmp.data(), bmp.size(), kLimits))) std::abort();
  return 0;
}
