// Feeds arbitrary bytes to the PNG reader, the loader behind bitmap files such
// as the meter's background and anchor images. Refusing the input with
// EInvalidGraphic is the only acceptable failure; any other exception, crash or
// sanitizer report is a finding. An accepted image must survive a PNG round
// trip with the same colours and transparency, which catches reader/writer
// disagreement.
#include <cstdint>
#include <cstdlib>

#include "host/gfx/ImageIO.h"

namespace {

constexpr host::TImageLimits kLimits{.MaxDimension = 2048, .MaxPixelBytes = 1u << 20};

bool SameImage(const host::TImageData& a, const host::TImageData& b) {
  if (a.Width != b.Width || a.Height != b.Height || a.Pixels.size() != b.Pixels.size() ||
      a.HasAlpha != b.HasAlpha)
    return false;
  const uint32_t mask = a.HasAlpha ? 0xFFFFFFFF : 0x00FFFFFF;
  for (size_t i = 0; i < a.Pixels.size(); ++i)
    if ((a.Pixels[i] ^ b.Pixels[i]) & mask) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  host::TImageData img;
  try {
    img = host::DecodePng(data, size, kLimits);
  } catch (const host::EInvalidGraphic&) {
    return 0;
  }
  const std::vector<uint8_t> png = host::EncodePng(img);
  if (!SameImage(img, host::DecodePng(png.data(), png.size(), kLimits))) std::abort();
  return 0;
}
