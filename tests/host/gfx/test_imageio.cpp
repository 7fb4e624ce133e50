// Image codecs and TBitmap's file members. BMP inputs are built byte by byte here,
// so each header form, depth and compression is pinned down exactly.
#include <gtest/gtest.h>
#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "host/gfx/Graphics.h"
#include "host/gfx/ImageIO.h"
#include "host/gfx/Resources.h"
#include "tests/support/Bounded.h"

using namespace host;
namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

void U16(Bytes& b, uint32_t v) {
  b.push_back(uint8_t(v));
  b.push_back(uint8_t(v >> 8));
}
void U32(Bytes& b, uint32_t v) {
  U16(b, v & 0xFFFF);
  U16(b, v >> 16);
}

// A BMP file described field by field; Build() lays it out as a writer would.
struct Bmp {
  uint32_t header = 40;
  int32_t width = 1;
  int32_t height = 1;
  uint16_t planes = 1;
  uint16_t bits = 24;
  uint32_t compression = 0;
  uint32_t colorsUsed = 0;
  std::vector<uint32_t> palette = {};  // 0xRRGGBB
  std::vector<uint32_t> masks = {};    // after a 40-byte header, inside the later ones
  Bytes pixels = {};
  int64_t offset = -1;  // pixel data offset; -1: right after the palette

  Bytes Build() const {
    Bytes b = {'B', 'M'};
    U32(b, 0);
    U32(b, 0);
    U32(b, 0);  // offset, patched below
    U32(b, header);
    if (header == 12) {
      U16(b, uint32_t(width));
      U16(b, uint32_t(height));
      U16(b, planes);
      U16(b, bits);
    } else {
      for (uint32_t v : {uint32_t(width), uint32_t(height)}) U32(b, v);
      U16(b, planes);
      U16(b, bits);
      for (uint32_t v : {compression, uint32_t(pixels.size()), 2835u, 2835u, colorsUsed, 0u})
        U32(b, v);
      for (size_t i = 0; header > 40 && i < (header - 40) / 4; ++i)
        U32(b, i < masks.size() ? masks[i] : 0);
      if (header == 40)
        for (uint32_t m : masks) U32(b, m);
    }
    for (uint32_t c : palette) {
      b.insert(b.end(), {uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16)});
      if (header != 12) b.push_back(0);
    }
    const uint32_t off = offset < 0 ? uint32_t(b.size()) : uint32_t(offset);
    for (int i = 0; i < 4; ++i) b[10 + i] = uint8_t(off >> (8 * i));
    while (b.size() < off && offset >= 0 && size_t(off) < b.size() + 1024) b.push_back(0);
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
  }
};

constexpr uint32_t O(uint32_t rgb) { return 0xFF000000u | rgb; }
constexpr uint32_t kRed = O(0xFF0000), kGreen = O(0x00FF00), kBlue = O(0x0000FF);

TImageData Decode(const Bytes& b) { return DecodeImage(b.data(), b.size()); }

std::vector<uint32_t> Pixels(const Bytes& b) { return Decode(b).Pixels; }

// A pseudo-random opaque image.
TImageData Noise(int w, int h, uint32_t seed) {
  TImageData img;
  img.Width = w;
  img.Height = h;
  for (int i = 0; i < w * h; ++i) {
    seed = seed * 1664525u + 1013904223u;
    img.Pixels.push_back(O(seed >> 8));
  }
  return img;
}

Bytes WritePng(uint32_t format, int w, int h, const void* buf, const void* colormap = nullptr,
               int entries = 0) {
  png_image im{};
  im.version = PNG_IMAGE_VERSION;
  im.width = png_uint_32(w);
  im.height = png_uint_32(h);
  im.format = format;
  im.colormap_entries = png_uint_32(entries);
  png_alloc_size_t size = 0;
  EXPECT_TRUE(png_image_write_to_memory(&im, nullptr, &size, 0, buf, 0, colormap));
  Bytes out(size);
  EXPECT_TRUE(png_image_write_to_memory(&im, out.data(), &size, 0, buf, 0, colormap));
  out.resize(size);
  return out;
}

void FillBitmap(TBitmap& bmp, TPixel p) {
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x) bmp.ScanLine(y)[x] = p;
}

bool BitmapIs(const TBitmap& bmp, int w, int h, TPixel p) {
  if (bmp.Width() != w || bmp.Height() != h) return false;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (bmp.ScanLine(y)[x] != p) return false;
  return true;
}

class TempDir {
 public:
  TempDir() {
    std::string tmpl = (fs::temp_directory_path() / "zel_imageio_XXXXXX").string();
    FPath = ::mkdtemp(tmpl.data());
  }
  ~TempDir() {
    ::chmod(FPath.c_str(), 0755);
    fs::remove_all(FPath);
  }
  std::string operator/(const std::string& name) const { return (fs::path(FPath) / name).string(); }
  size_t Count() const { return size_t(std::distance(fs::directory_iterator(FPath), {})); }
  const std::string& Path() const { return FPath; }

 private:
  std::string FPath;
};

Bytes FileBytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(f), {});
}

}  // namespace

TEST(ImageIO, IndexedDepthsUnpackHighBitsFirstAndPadRows) {
  Bmp one{.width = 9, .height = 2, .bits = 1, .palette = {0x000000, 0xFFFFFF}};
  one.pixels = {0x80, 0x80, 0, 0, 0xAA, 0x00, 0, 0};  // bottom row first
  std::vector<uint32_t> want(18, O(0));
  want[0] = want[2] = want[4] = want[6] = O(0xFFFFFF);  // top row: 0xAA
  want[9] = want[9 + 8] = O(0xFFFFFF);                  // bottom row: 0x80 0x80
  EXPECT_EQ(Pixels(one.Build()), want);

  Bmp four{.width = 3, .bits = 4, .palette = {0, 0xFF0000, 0x00FF00, 0x0000FF}};
  four.pixels = {0x12, 0x30, 0, 0};
  EXPECT_EQ(Pixels(four.Build()), (std::vector<uint32_t>{kRed, kGreen, kBlue}));

  // Only three table entries: index 7 lies beyond the table and reads black.
  Bmp eight{.width = 4, .bits = 8, .colorsUsed = 3, .palette = {0x0000FF, 0x00FF00, 0xFF0000}};
  eight.pixels = {2, 1, 0, 7};
  EXPECT_EQ(Pixels(eight.Build()), (std::vector<uint32_t>{kRed, kGreen, kBlue, O(0)}));
  EXPECT_EQ(Decode(eight.Build()).SourceBits, 8);
}

TEST(ImageIO, CoreHeaderUsesThreeByteTableEntries) {
  Bmp core{.header = 12, .width = 2, .bits = 8, .palette = {0x0000FF, 0x123456}};
  core.palette.resize(256);
  core.pixels = {1, 0, 0, 0};
  EXPECT_EQ(Pixels(core.Build()), (std::vector<uint32_t>{O(0x123456), kBlue}));
  Bmp rgb{.header = 12, .width = 1, .bits = 24, .pixels = {0x56, 0x34, 0x12, 0}};
  EXPECT_EQ(Pixels(rgb.Build()), (std::vector<uint32_t>{O(0x123456)}));
}

TEST(ImageIO, DirectColourDepthsAndBitFields) {
  Bmp rgb24{.width = 3, .pixels = {0, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0, 0, 0, 0, 0}};
  EXPECT_EQ(Pixels(rgb24.Build()), (std::vector<uint32_t>{kRed, kGreen, kBlue}));
  // 16 bits without fields is 5-5-5; five-bit 16 widens to 132, not 128.
  Bmp rgb16{.width = 2, .bits = 16, .pixels = {0x00, 0x7C, 0x10, 0x00}};
  EXPECT_EQ(Pixels(rgb16.Build()), (std::vector<uint32_t>{kRed, O(132)}));
  Bmp f565{.width = 2, .bits = 16, .compression = 3, .masks = {0xF800, 0x07E0, 0x001F}};
  f565.pixels = {0xE0, 0x07, 0x1F, 0x00};
  EXPECT_EQ(Pixels(f565.Build()), (std::vector<uint32_t>{kGreen, kBlue}));
  // 32 bits BI_RGB: the fourth byte is padding, whatever it holds.
  Bmp rgb32{.width = 1, .bits = 32, .pixels = {0x56, 0x34, 0x12, 0x77}};
  EXPECT_EQ(Pixels(rgb32.Build()), (std::vector<uint32_t>{O(0x123456)}));
  for (uint32_t header : {52u, 56u, 108u}) {
    Bmp v{.header = header, .bits = 32, .compression = 3, .masks = {0xFF, 0xFF00, 0xFF0000}};
    v.pixels = {0x11, 0x22, 0x33, 0x44};
    EXPECT_EQ(Pixels(v.Build()), (std::vector<uint32_t>{O(0x112233)})) << header;
  }
}

TEST(ImageIO, AlphaFromMasksUnlessItIsZeroEverywhere) {
  Bmp v5{.header = 124, .width = 2, .bits = 32, .compression = 3};
  v5.masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
  v5.pixels = {0x30, 0x20, 0x10, 0x80, 1, 2, 3, 0};
  TImageData img = Decode(v5.Build());
  EXPECT_TRUE(img.HasAlpha);
  EXPECT_EQ(img.Pixels, (std::vector<uint32_t>{0x80102030u, 0x00030201u}));
  v5.pixels[3] = 0;
  img = Decode(v5.Build());
  EXPECT_FALSE(img.HasAlpha);
  EXPECT_EQ(img.Pixels[0], O(0x102030));
  Bmp alphaFields{.bits = 32, .compression = 6, .masks = {0xFF00, 0xFF0000, 0xFF000000, 0xFF}};
  alphaFields.pixels = {0x40, 0x10, 0x20, 0x30};
  EXPECT_EQ(Pixels(alphaFields.Build()), (std::vector<uint32_t>{0x40102030u}));
}

TEST(ImageIO, TopDownAndBottomUpGiveTheSameImage) {
  Bmp up{.width = 1, .height = 2, .pixels = {0, 0, 0xFF, 0, 0xFF, 0, 0, 0}};
  Bmp down = up;
  down.height = -2;
  down.pixels = {0xFF, 0, 0, 0, 0, 0, 0xFF, 0};
  EXPECT_EQ(Pixels(up.Build()), (std::vector<uint32_t>{kBlue, kRed}));
  EXPECT_EQ(Pixels(down.Build()), Pixels(up.Build()));
}

TEST(ImageIO, RleEscapesAndUnsetPixels) {
  const std::vector<uint32_t> pal = {0x112233, 0xFF0000, 0x00FF00, 0x0000FF};
  const uint32_t u = O(0x112233);
  Bmp rle8{.width = 4, .height = 3, .bits = 8, .compression = 1, .colorsUsed = 4, .palette = pal};
  rle8.pixels = {3, 1, 0, 0,               // three red, end of line
                 0, 3, 2, 3, 1, 0, 0, 0,   // absolute run of three, padded
                 0, 2, 1, 0, 1, 3, 0, 1};  // delta right by one, one blue, end
  EXPECT_EQ(Pixels(rle8.Build()),
            (std::vector<uint32_t>{u, kBlue, u, u, kGreen, kBlue, kRed, u, kRed, kRed, kRed, u}));

  Bmp rle4{.width = 5, .height = 2, .bits = 4, .compression = 2, .colorsUsed = 4, .palette = pal};
  rle4.pixels = {5, 0x12, 0, 0, 0, 3, 0x31, 0x20, 0, 1};
  EXPECT_EQ(Pixels(rle4.Build()),
            (std::vector<uint32_t>{kBlue, kRed, kGreen, u, u, kRed, kGreen, kRed, kGreen, kRed}));

  // Stopping right after the last row without the end marker is accepted.
  Bmp noEnd{.width = 2, .bits = 8, .compression = 1, .colorsUsed = 4, .palette = pal};
  noEnd.pixels = {2, 3, 0, 0};
  EXPECT_EQ(Pixels(noEnd.Build()), (std::vector<uint32_t>{kBlue, kBlue}));
}

TEST(ImageIO, PngColourTypesAreNormalisedToWords) {
  const uint8_t grey[] = {0, 0x80, 0xFF};
  TImageData img = Decode(WritePng(PNG_FORMAT_GRAY, 3, 1, grey));
  EXPECT_EQ(img.Pixels, (std::vector<uint32_t>{O(0), O(0x808080), O(0xFFFFFF)}));
  EXPECT_FALSE(img.HasAlpha);

  const uint16_t deep[] = {0, 0x8080, 0xFFFF};
  img = Decode(WritePng(PNG_FORMAT_LINEAR_Y, 3, 1, deep));
  EXPECT_EQ(img.SourceBits, 16);
  EXPECT_EQ(img.Pixels, (std::vector<uint32_t>{O(0), O(0x808080), O(0xFFFFFF)}));

  const uint8_t greyAlpha[] = {0x40, 0x80};
  img = Decode(WritePng(PNG_FORMAT_GA, 1, 1, greyAlpha));
  EXPECT_TRUE(img.HasAlpha);
  EXPECT_EQ(img.Pixels[0], 0x80404040u);

  const uint8_t map[] = {0xFF, 0, 0, 0x80, 0, 0, 0xFF, 0xFF}, index[] = {1, 0};
  img = Decode(WritePng(PNG_FORMAT_RGBA_COLORMAP, 2, 1, index, map, 2));
  EXPECT_LE(img.SourceBits, 8);  // really a palette file
  EXPECT_TRUE(img.HasAlpha);     // through its tRNS chunk
  EXPECT_EQ(img.Pixels, (std::vector<uint32_t>{0xFF0000FFu, 0x80FF0000u}));
}

TEST(ImageIO, RoundTripsKeepEveryPixel) {
  for (auto [w, h] : {std::pair{1, 1}, {3, 5}, {17, 2}}) {
    const TImageData img = Noise(w, h, uint32_t(w * 31 + h));
    EXPECT_EQ(Decode(EncodeBmp(img)).Pixels, img.Pixels) << w << "x" << h;
    EXPECT_EQ(Decode(EncodePng(img)).Pixels, img.Pixels) << w << "x" << h;
  }
  TImageData alpha = Noise(5, 3, 7);
  alpha.HasAlpha = true;
  alpha.Pixels[4] = 0x12345678;
  const TImageData back = Decode(EncodePng(alpha));
  EXPECT_TRUE(back.HasAlpha);
  EXPECT_EQ(back.Pixels, alpha.Pixels);
  EXPECT_THROW(EncodeBmp(TImageData{}), EInvalidGraphic);
}

TEST(ImageIO, CapsApplyBeforeAllocating) {
  const Bytes png = EncodePng(Noise(20, 20, 1));
  EXPECT_THROW(DecodePng(png.data(), png.size(), TImageLimits{.MaxDimension = 16}),
               EInvalidGraphic);
  EXPECT_THROW(DecodePng(png.data(), png.size(), TImageLimits{.MaxPixelBytes = 1000}),
               EInvalidGraphic);
}

// Every malformed input is refused with its reason and leaves a bitmap untouched.
TEST(ImageIO, MalformedFilesAreRejected) {
  const std::vector<uint32_t> pal = {0, 0xFFFFFF};
  auto rle = [&](uint16_t bits, int w, int h, Bytes data) {
    return Bmp{.width = w,
               .height = h,
               .bits = bits,
               .compression = bits == 8 ? 1u : 2u,
               .colorsUsed = 2,
               .palette = pal,
               .pixels = std::move(data)}
        .Build();
  };
  auto fields16 = [](std::vector<uint32_t> masks) {
    return Bmp{.bits = 16, .compression = 3, .masks = std::move(masks), .pixels = {0, 0, 0, 0}}
        .Build();
  };
  const Bytes good = Bmp{.width = 2, .height = 2, .pixels = Bytes(16, 0)}.Build();
  Bytes cutPng = EncodePng(Noise(8, 8, 3));
  cutPng.resize(cutPng.size() / 2);
  Bytes badCrc = EncodePng(Noise(8, 8, 3));
  badCrc[45] ^= 0xFF;  // inside the first IDAT chunk's data
  const struct {
    const char* name;
    Bytes bytes;
    const char* reason;
  } cases[] = {
      {"empty", {}, "empty file"},
      {"not an image", {'h', 'e', 'l', 'l', 'o'}, "unknown image format"},
      {"truncated file header", Bytes(good.begin(), good.begin() + 12), "file header truncated"},
      {"truncated info header", Bytes(good.begin(), good.begin() + 30), "info header truncated"},
      {"truncated pixels", Bytes(good.begin(), good.end() - 1), "pixel data truncated"},
      {"odd header size", Bmp{.header = 64}.Build(), "unsupported info header size 64"},
      {"zero width", Bmp{.width = 0}.Build(), "zero width"},
      {"zero height", Bmp{.height = 0}.Build(), "zero height"},
      {"negative width", Bmp{.width = -4}.Build(), "negative width"},
      {"wider than a bitmap", Bmp{.width = 32768}.Build(), "image too large"},
      {"huge area", Bmp{.width = 30000, .height = -30000}.Build(), "image too large"},
      {"planes", Bmp{.planes = 2, .pixels = {0, 0, 0, 0}}.Build(), "bad number of planes 2"},
      {"depth 7", Bmp{.bits = 7}.Build(), "unsupported bits per pixel 7"},
      {"core 32", Bmp{.header = 12, .bits = 32}.Build(), "unsupported bits per pixel 32"},
      {"jpeg", Bmp{.compression = 4}.Build(), "unsupported compression 4"},
      {"rle8 of 4 bits", Bmp{.bits = 4, .compression = 1}.Build(), "RLE8 compression with 4 bits"},
      {"top-down rle", rle(8, 1, -1, {0, 1}), "top-down bitmap with RLE"},
      {"offset past end", Bmp{.pixels = {0, 0, 0, 0}, .offset = 5000}.Build(), "beyond the end"},
      {"offset in header", Bmp{.pixels = {0, 0, 0, 0}, .offset = 20}.Build(), "inside the headers"},
      {"no palette", Bmp{.bits = 8, .pixels = {0, 0, 0, 0}}.Build(), "missing colour table"},
      {"rle8 overrun", rle(8, 4, 1, {5, 1, 0, 1}), "RLE8 run passes the end of the row"},
      {"rle4 absolute overrun", rle(4, 2, 1, {0, 3, 0x11, 0x10, 0, 1}),
       "RLE4 run passes the end of the row"},
      {"rle delta", rle(8, 4, 1, {0, 2, 5, 0, 0, 1}), "delta moves past the end of the row"},
      {"rle delta down", rle(8, 4, 1, {0, 2, 0, 5, 0, 1}), "passes the last row"},
      {"rle past last row", rle(8, 4, 1, {1, 1, 0, 0, 1, 1, 0, 1}), "passes the last row"},
      {"rle without end", rle(8, 4, 2, {1, 1}), "ends before the end-of-bitmap marker"},
      {"rle absolute cut", rle(8, 4, 1, {0, 4, 1, 1}), "RLE8 data truncated"},
      {"masks overlap", fields16({0xF800, 0x0FE0, 0x001F}), "overlapping bit field masks"},
      {"mask with a gap", fields16({0xE800, 0x07E0, 0x001F}), "non-contiguous bit field mask"},
      {"empty mask", fields16({0, 0x07E0, 0x001F}), "empty colour bit field mask"},
      {"mask too wide", fields16({0x1F0000, 0x07E0, 0x001F}), "wider than the pixel"},
      {"masks cut", Bmp{.bits = 16, .compression = 3}.Build(), "bit field masks truncated"},
      {"png cut", cutPng, ""},
      {"png crc", badCrc, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      Decode(c.bytes);
      ADD_FAILURE() << "accepted";
    } catch (const EInvalidGraphic& e) {
      EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << e.what();
    }
    TBitmap bmp(3, 2);
    FillBitmap(bmp, 0x123456);
    try {
      bmp.LoadFromMemory(c.bytes.data(), c.bytes.size());
      ADD_FAILURE() << "accepted";
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(std::string(e.what()).rfind("bitmap data: ", 0), 0u) << e.what();
    }
    EXPECT_TRUE(BitmapIs(bmp, 3, 2, 0x123456));
  }
}

TEST(BitmapIO, FilesRoundTripByContentNotName) {
  TempDir dir;
  TBitmap bmp(7, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 7; ++x) bmp.ScanLine(y)[x] = TPixel(x * 0x102030 + y * 0x050607);
  for (const char* name : {"a.bmp", "b.PNG", "c.dat"}) {
    bmp.SaveToFile(dir / name);
    TBitmap back;
    back.LoadFromFile(dir / name);
    ASSERT_EQ(back.Width(), 7);
    ASSERT_EQ(back.Height(), 3);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 7; ++x) EXPECT_EQ(back.ScanLine(y)[x], bmp.ScanLine(y)[x]) << name;
  }
  EXPECT_TRUE(IsPngData(FileBytes(dir / "b.PNG").data(), 8));
  EXPECT_TRUE(IsBmpData(FileBytes(dir / "c.dat").data(), 2));
  EXPECT_EQ(dir.Count(), 3u);  // no temporaries left behind
}

TEST(BitmapIO, TranslucentPixelsAreLaidOverWhite) {
  const uint8_t greyAlpha[] = {0, 0, 0, 0x80, 0x40, 0xFF};
  const Bytes png = WritePng(PNG_FORMAT_GA, 3, 1, greyAlpha);
  TBitmap bmp;
  bmp.LoadFromMemory(png.data(), png.size());
  EXPECT_EQ(bmp.ScanLine(0)[0], 0xFFFFFFu);
  EXPECT_EQ(bmp.ScanLine(0)[1], 0x7F7F7Fu);
  EXPECT_EQ(bmp.ScanLine(0)[2], 0x404040u);
}

TEST(BitmapIO, LoadFailuresNameTheFile) {
  TempDir dir;
  const Bytes bad = Bmp{
      .width = 4,
      .bits = 8,
      .compression = 1,
      .colorsUsed = 1,
      .palette = {0},
      .pixels = {5, 0, 0,
                 1}}.Build();
  std::ofstream(dir / "x.bmp", std::ios::binary)
      .write(reinterpret_cast<const char*>(bad.data()), std::streamsize(bad.size()));
  TBitmap bmp(2, 2);
  FillBitmap(bmp, 0xABCDEF);
  for (const char* name : {"x.bmp", "missing.bmp"}) {
    try {
      bmp.LoadFromFile(dir / name);
      ADD_FAILURE() << name << " accepted";
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(std::string(e.what()).rfind("bitmap file '" + (dir / name) + "': ", 0), 0u);
    }
  }
  EXPECT_THROW(bmp.LoadFromFile(dir.Path()), EInvalidGraphic);  // a folder
  EXPECT_TRUE(BitmapIs(bmp, 2, 2, 0xABCDEF));
  try {
    bmp.LoadFromFile(dir / "x.bmp");
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(std::string(e.what()),
              "bitmap file '" + (dir / "x.bmp") + "': RLE8 run passes the end of the row");
  }
}

TEST(BitmapIO, LoadingAFifoOrADeviceFailsAtOnce) {
  TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "pipe.bmp").c_str(), 0600), 0);
  for (const std::string& path : {dir / "pipe.bmp", std::string("/dev/zero")}) {
    auto bmp = std::make_shared<TBitmap>(2, 2);
    FillBitmap(*bmp, 0xABCDEF);
    auto message = std::make_shared<std::string>();
    ASSERT_TRUE(testsupport::ReturnsWithin([bmp, message, path] {
      try {
        bmp->LoadFromFile(path);
      } catch (const EInvalidGraphic& e) {
        *message = e.what();
      }
    })) << path
        << " blocked";
    EXPECT_EQ(*message, "bitmap file '" + path + "': cannot read (not a regular file)");
    EXPECT_TRUE(BitmapIs(*bmp, 2, 2, 0xABCDEF));
  }
}

// The atomic replace itself is tested with FileIO; here only that its failures
// reach the caller as EFCreateError naming the file, and nothing is half-saved.
TEST(BitmapIO, FailedSaveKeepsTheOldFile) {
  TempDir dir;
  TBitmap old(2, 2);
  FillBitmap(old, 0x112233);
  old.SaveToFile(dir / "keep.bmp");
  const Bytes before = FileBytes(dir / "keep.bmp");
  TBitmap other(5, 5);
  FillBitmap(other, 0x445566);

  EXPECT_THROW(TBitmap().SaveToFile(dir / "keep.bmp"), EInvalidGraphic);  // nothing to save
  try {
    other.SaveToFile(dir / "no/such/folder.bmp");
    ADD_FAILURE() << "saved into a missing folder";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(std::string(e.what()), "cannot save bitmap file '" + (dir / "no/such/folder.bmp") +
                                         "': " + std::strerror(ENOENT));
  }
  if (::geteuid() != 0) {  // permissions do not bind root
    ::chmod(dir.Path().c_str(), 0555);
    EXPECT_THROW(other.SaveToFile(dir / "keep.bmp"), EFCreateError);
    ::chmod(dir.Path().c_str(), 0755);
  }
  EXPECT_EQ(FileBytes(dir / "keep.bmp"), before);
  EXPECT_EQ(dir.Count(), 1u);  // no temporaries left
}

TEST(BitmapIO, EmbeddedCheckBoxes) {
  TBitmap empty, checked;
  empty.LoadFromResourceName("EMPTYBOX");
  checked.LoadFromResourceName("checkedbox");
  EXPECT_EQ(empty.Width(), 16);
  EXPECT_EQ(empty.Height(), 16);
  EXPECT_EQ(empty.PixelFormat(), pf8bit);
  EXPECT_EQ(checked.Width(), 16);
  // The well of the box is white when empty and carries the black tick when checked.
  EXPECT_EQ(empty.ScanLine(8)[6], 0xFFFFFFu);
  EXPECT_EQ(checked.ScanLine(8)[6], 0x000000u);
  EXPECT_EQ(std::string(FindResource("EMPTYBOX")->Ext), ".bmp");

  try {
    empty.LoadFromResourceName("NOSUCHIMAGE");
    ADD_FAILURE() << "accepted";
  } catch (const EResNotFound& e) {
    EXPECT_EQ(std::string(e.what()), "Resource NOSUCHIMAGE not found");
  }
  EXPECT_EQ(empty.Width(), 16);
}
