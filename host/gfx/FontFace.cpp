// FreeType rasteriser and the face cache behind TFont.
#include "host/gfx/FontFace.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <map>
#include <numbers>

namespace host {

namespace {

// The one FreeType library of the process. Faces hold a reference, so the library
// outlives every face, even one kept by a static TFont until exit.
struct FtLibrary {
  FT_Library Lib = nullptr;
  FtLibrary() {
    if (FT_Init_FreeType(&Lib) != 0) throw EOutOfResources("Cannot initialise the font engine");
  }
  ~FtLibrary() { FT_Done_FreeType(Lib); }
  FtLibrary(const FtLibrary&) = delete;
  FtLibrary& operator=(const FtLibrary&) = delete;
};

std::shared_ptr<FtLibrary> Library() {
  static const std::shared_ptr<FtLibrary> lib = std::make_shared<FtLibrary>();
  return lib;
}

constexpr const char* kDefaultFamily = "DejaVu Sans";
constexpr int kDefaultHeight = -11;    // 8 points at 96 dpi
constexpr int kMaxPixelHeight = 2000;  // keeps a wild Height from rendering giant glyphs
constexpr size_t kFaceCacheLimit = 64;

std::string Lower(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = char(std::tolower(static_cast<unsigned char>(c)));
  return r;
}

std::string Trimmed(const std::string& s) {
  const auto b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return {};
  return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

// Platform family names the controls use, mapped to the metric-compatible faces
// the project installs; other names go to fontconfig as they are.
std::string AliasFamily(const std::string& name) {
  static const std::map<std::string, std::string> aliases = {
      {"", kDefaultFamily},
      {"default", kDefaultFamily},
      {"tahoma", kDefaultFamily},
      {"ms sans serif", kDefaultFamily},
      {"microsoft sans serif", kDefaultFamily},
      {"ms shell dlg", kDefaultFamily},
      {"ms shell dlg 2", kDefaultFamily},
      {"segoe ui", kDefaultFamily},
      {"arial", "Liberation Sans"},
      {"helvetica", "Liberation Sans"},
      {"times new roman", "Liberation Serif"},
      {"times", "Liberation Serif"},
      {"courier new", "Liberation Mono"},
      {"courier", "Liberation Mono"},
  };
  const std::string trimmed = Trimmed(name);
  const auto it = aliases.find(Lower(trimmed));
  return it == aliases.end() ? trimmed : it->second;
}

}  // namespace

// A font file chosen by fontconfig, and what the file lacks of the wanted style.
struct ResolvedFont {
  std::string File;
  int Index = 0;
  std::string Family;
  bool SynthBold = false;
  bool SynthItalic = false;
};

struct FontFaceImpl {
  std::shared_ptr<FtLibrary> Lib = Library();
  FT_Face Face = nullptr;
  ~FontFaceImpl() {
    if (Face) FT_Done_Face(Face);
  }
};

namespace {

struct FcPatternDeleter {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using FcPatternPtr = std::unique_ptr<FcPattern, FcPatternDeleter>;

std::string PatternString(FcPattern* p, const char* object) {
  FcChar8* value = nullptr;
  if (FcPatternGetString(p, object, 0, &value) != FcResultMatch || !value) return {};
  return reinterpret_cast<const char*>(value);
}

int PatternInt(FcPattern* p, const char* object, int fallback) {
  int value = fallback;
  FcPatternGetInteger(p, object, 0, &value);
  return value;
}

// Asks fontconfig for the best scalable font of a family and style. Returns false
// only when fontconfig knows no font at all.
bool MatchFont(const std::string& family, bool bold, bool italic, TFontPitch pitch,
               ResolvedFont& out) {
  // Released at exit: fontconfig keeps its configuration otherwise, which leak
  // checkers rightly report.
  static const bool initialised = FcInit() == FcTrue && (std::atexit(FcFini), true);
  if (!initialised) return false;
  FcPatternPtr pattern(FcPatternCreate());
  if (!pattern) return false;
  if (!family.empty())
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  if (pitch == fpFixed) FcPatternAddInteger(pattern.get(), FC_SPACING, FC_MONO);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  FcPatternPtr match(FcFontMatch(nullptr, pattern.get(), &result));
  if (!match || result != FcResultMatch) return false;
  out.File = PatternString(match.get(), FC_FILE);
  if (out.File.empty()) return false;
  out.Index = PatternInt(match.get(), FC_INDEX, 0);
  out.Family = PatternString(match.get(), FC_FAMILY);
  // fontconfig's own rules may already mark the match for emboldening or shearing
  // (and then report the wanted weight or slant); otherwise the file's style tells.
  FcBool embolden = FcFalse;
  FcMatrix* matrix = nullptr;
  FcPatternGetBool(match.get(), FC_EMBOLDEN, 0, &embolden);
  const bool sheared = FcPatternGetMatrix(match.get(), FC_MATRIX, 0, &matrix) == FcResultMatch;
  const int weight = PatternInt(match.get(), FC_WEIGHT, FC_WEIGHT_REGULAR);
  const int slant = PatternInt(match.get(), FC_SLANT, FC_SLANT_ROMAN);
  out.SynthBold = bold && (embolden == FcTrue || weight < FC_WEIGHT_DEMIBOLD);
  out.SynthItalic = italic && (sheared || slant == FC_SLANT_ROMAN);
  return true;
}

// fontconfig is slow next to a map look-up, so each name and style is matched once.
const ResolvedFont* Resolve(const FontRequest& r) {
  static std::map<std::string, ResolvedFont> cache;
  const bool bold = r.Style & fsBold, italic = r.Style & fsItalic;
  const std::string key =
      Lower(Trimmed(r.Name)) + '|' + char('0' + bold) + char('0' + italic) + char('0' + r.Pitch);
  if (auto it = cache.find(key); it != cache.end()) return &it->second;
  ResolvedFont found;
  if (!MatchFont(AliasFamily(r.Name), bold, italic, r.Pitch, found)) return nullptr;
  return &cache.emplace(key, std::move(found)).first->second;
}

int NormalisedOrientation(int tenths) {
  const int t = tenths % 3600;
  return t < 0 ? t + 3600 : t;
}

// Cosine and sine of an angle in tenths of a degree; exact at the right angles so
// text turned by 90, 180 or 270 degrees lands on whole pixels.
void CosSin(int tenths, double& c, double& s) {
  switch (NormalisedOrientation(tenths)) {
    case 0:
      c = 1, s = 0;
      return;
    case 900:
      c = 0, s = 1;
      return;
    case 1800:
      c = -1, s = 0;
      return;
    case 2700:
      c = 0, s = -1;
      return;
    default: {
      const double a = tenths * std::numbers::pi / 1800.0;
      c = std::cos(a), s = std::sin(a);
    }
  }
}

FT_Fixed ToFixed(double v) { return FT_Fixed(std::lround(v * 65536.0)); }

void CopyBitmap(const FT_Bitmap& bm, FontGlyph& g) {
  g.Width = int(bm.width);
  g.Rows = int(bm.rows);
  g.Coverage.assign(size_t(g.Width) * size_t(g.Rows), 0);
  const int pitch = bm.pitch;
  for (int r = 0; r < g.Rows; ++r) {
    const uint8_t* row = pitch >= 0 ? bm.buffer + size_t(r) * size_t(pitch)
                                    : bm.buffer + size_t(g.Rows - 1 - r) * size_t(-pitch);
    uint8_t* dst = g.Coverage.data() + size_t(r) * size_t(g.Width);
    for (int c = 0; c < g.Width; ++c) {
      if (bm.pixel_mode == FT_PIXEL_MODE_MONO) {
        dst[c] = (row[c >> 3] & (0x80 >> (c & 7))) ? 255 : 0;
      } else if (bm.pixel_mode == FT_PIXEL_MODE_GRAY) {
        const int levels = bm.num_grays > 1 ? bm.num_grays - 1 : 255;
        dst[c] = uint8_t(row[c] * 255 / levels);
      }
    }
  }
}

}  // namespace

std::shared_ptr<FontFace> FontFace::Get(const FontRequest& request) {
  static std::map<std::string, std::shared_ptr<FontFace>> faces;
  const ResolvedFont* font = Resolve(request);
  FontRequest fallback = request;
  fallback.Name = kDefaultFamily;
  if (!font) font = Resolve(fallback);
  if (!font) throw EOutOfResources("No font is installed for \"" + request.Name + "\"");

  const std::string key = font->File + '#' + std::to_string(font->Index) + '|' +
                          std::to_string(request.Height) + '|' + std::to_string(request.Style) +
                          '|' + std::to_string(NormalisedOrientation(request.Orientation)) + '|' +
                          char('0' + request.Antialias);
  if (auto it = faces.find(key); it != faces.end()) return it->second;

  auto face = std::make_shared<FontFace>(PrivateTag{});
  if (!face->Open(*font, request)) {
    const ResolvedFont* other = Resolve(fallback);
    if (!other || other == font || !face->Open(*other, request))
      throw EOutOfResources("Cannot load the font \"" + request.Name + "\" from " + font->File);
  }
  if (faces.size() >= kFaceCacheLimit) {
    std::erase_if(faces, [](const auto& kv) { return kv.second.use_count() == 1; });
  }
  faces.emplace(key, face);
  return face;
}

FontFace::FontFace(PrivateTag) {}
FontFace::~FontFace() = default;

bool FontFace::Open(const ResolvedFont& font, const FontRequest& request) {
  auto impl = std::make_unique<FontFaceImpl>();
  if (FT_New_Face(impl->Lib->Lib, font.File.c_str(), font.Index, &impl->Face) != 0) return false;
  if (!FT_IS_SCALABLE(impl->Face) || impl->Face->units_per_EM == 0) return false;
  FImpl = std::move(impl);
  FFamily = font.Family.empty()
                ? std::string(FImpl->Face->family_name ? FImpl->Face->family_name : "")
                : font.Family;
  FFile = font.File;
  FSynthBold = font.SynthBold;
  FSynthItalic = font.SynthItalic;
  FAntialias = request.Antialias;
  FOrientation = NormalisedOrientation(request.Orientation);
  CosSin(FOrientation, FCos, FSin);
  // Symbol fonts have no Unicode map; like the platform, their 0x20..0xFF codes
  // then reach the glyphs they keep at U+F020..U+F0FF.
  FSymbolMap = FT_Select_Charmap(FImpl->Face, FT_ENCODING_UNICODE) != 0 &&
               FT_Select_Charmap(FImpl->Face, FT_ENCODING_MS_SYMBOL) == 0;
  ComputeMetrics(request.Height);
  return true;
}

// Cell metrics as the platform computes them: from the face's Windows ascent and
// descent (the OS/2 table), which the Liberation faces share with the fonts they
// stand in for, so cell heights match. A negative height is the em size; a
// positive one is the whole cell.
void FontFace::ComputeMetrics(int height) {
  FT_Face face = FImpl->Face;
  if (height == 0) height = kDefaultHeight;
  height = std::clamp(height, -kMaxPixelHeight, kMaxPixelHeight);
  const double upem = face->units_per_EM;
  double winA = face->ascender, winD = -face->descender;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
    winA = os2->usWinAscent, winD = os2->usWinDescent;
  }
  if (winA + winD <= 0) winA = upem * 0.8, winD = upem * 0.2;

  int ppem;
  if (height < 0) {
    ppem = -height;
    FAscent = int(std::lround(winA * ppem / upem));
    FDescent = int(std::lround(winD * ppem / upem));
  } else {
    ppem = std::max(1, int(std::lround(height * upem / (winA + winD))));
    FAscent = int(std::lround(winA * height / (winA + winD)));
    FDescent = height - FAscent;
  }
  FT_Set_Pixel_Sizes(face, 0, FT_UInt(ppem));
  const double scale = ppem / upem;
  const int cell = FAscent + FDescent;

  FLineThickness = std::max(1, int(std::lround(face->underline_thickness * scale)));
  const int below = std::max(1, int(std::lround(-face->underline_position * scale)));
  FUnderlineTop =
      std::clamp(FAscent + below - FLineThickness / 2, 0, std::max(0, cell - FLineThickness));
  const double strike = os2 && os2->version != 0xFFFF && os2->yStrikeoutPosition > 0
                            ? os2->yStrikeoutPosition
                            : upem * 0.25;
  FStrikeTop =
      std::clamp(FAscent - int(std::lround(strike * scale)), 0, std::max(0, cell - FLineThickness));
  FEmboldenStrength = FSynthBold ? std::max(1L, std::lround(ppem / 24.0)) * 64 : 0;
}

int FontFace::TextWidth(std::string_view utf8) {
  int width = 0;
  for (size_t i = 0; i < utf8.size();) width += Glyph(NextCodePoint(utf8, i)).Advance;
  return width;
}

const FontGlyph& FontFace::Glyph(char32_t ch) {
  if (auto it = FByChar.find(ch); it != FByChar.end()) return *it->second;
  uint32_t index = FT_Get_Char_Index(FImpl->Face, FT_ULong(ch));  // 0 is .notdef
  if (index == 0 && FSymbolMap && ch < 0x100)
    index = FT_Get_Char_Index(FImpl->Face, FT_ULong(0xF000 + ch));
  auto it = FGlyphs.find(index);
  if (it == FGlyphs.end()) it = FGlyphs.emplace(index, Render(index)).first;
  FByChar.emplace(ch, &it->second);
  return it->second;
}

// Loads, styles, turns and rasterises one glyph. Hinting happens upright, before the
// turn, so right-angle text stays as crisp as upright text.
FontGlyph FontFace::Render(uint32_t glyphIndex) {
  ++FRenderCount;
  FontGlyph g;
  FT_Face face = FImpl->Face;
  const FT_Int32 flags =
      FT_LOAD_NO_BITMAP | (FAntialias ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO);
  if (FT_Load_Glyph(face, glyphIndex, flags) != 0 && FT_Load_Glyph(face, 0, flags) != 0) return g;
  FT_GlyphSlot slot = face->glyph;
  g.Advance = int((slot->advance.x + 32) >> 6);
  if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
    if (FEmboldenStrength) {
      FT_Outline_EmboldenXY(&slot->outline, FEmboldenStrength, 0);
      g.Advance += int(FEmboldenStrength >> 6);
    }
    if (FSynthItalic) {
      FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};  // about 12 degrees, top to the right
      FT_Outline_Transform(&slot->outline, &shear);
    }
    if (FOrientation != 0) {
      FT_Matrix turn{ToFixed(FCos), ToFixed(-FSin), ToFixed(FSin), ToFixed(FCos)};
      FT_Outline_Transform(&slot->outline, &turn);
    }
  }
  if (FT_Render_Glyph(slot, FAntialias ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) != 0)
    return g;
  g.Left = slot->bitmap_left;
  g.Top = slot->bitmap_top;
  CopyBitmap(slot->bitmap, g);
  return g;
}

}  // namespace host
