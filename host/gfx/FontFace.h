// FontFace: one font at one size, style, orientation and rendering mode, with its
// metrics and a cache of rendered glyphs. TFont asks for it; the canvas draws with it.
// Faces are shared: equal requests get the same instance, so a second TextOut of the
// same text renders nothing anew. GUI thread only (nothing here is locked).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/gfx/Graphics.h"
#include "host/gfx/Utf8.h"

namespace host {

// What a TFont asks for. Height follows the platform: negative is the character
// height (em size) in pixels, positive the cell height, 0 the default size.
struct FontRequest {
  std::string Name;
  int Height = -11;
  TFontStyles Style = 0;
  int Orientation = 0;  // tenths of a degree, counter-clockwise
  bool Antialias = true;
  TFontPitch Pitch = fpDefault;
};

// A rendered glyph: coverage 0..255 per pixel, placed relative to the pen
// position on the baseline (Left to the right, Top upward, as FreeType has it).
// For a rotated face the bitmap is already rotated.
struct FontGlyph {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Rows = 0;
  int Advance = 0;  // unrotated, whole pixels
  std::vector<uint8_t> Coverage;
};

struct FontFaceImpl;
struct ResolvedFont;

class FontFace {
  struct PrivateTag {};

 public:
  explicit FontFace(PrivateTag);  // through Get() only
  // The shared face for a request. Unknown names get fontconfig's best match;
  // raises EOutOfResources when no usable font exists at all.
  static std::shared_ptr<FontFace> Get(const FontRequest& request);
  ~FontFace();
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  // Family and file actually used (after aliasing and fallback).
  const std::string& FamilyName() const { return FFamily; }
  const std::string& FileName() const { return FFile; }
  bool SyntheticBold() const { return FSynthBold; }
  bool SyntheticItalic() const { return FSynthItalic; }
  int Orientation() const { return FOrientation; }  // 0..3599
  // Cosine and sine of the orientation; exact at right angles, so turned text
  // lands on whole pixels.
  double Cos() const { return FCos; }
  double Sin() const { return FSin; }

  // Cell metrics in pixels, rounded as the platform does; the cell height is
  // Ascent + Descent whatever the text.
  int Ascent() const { return FAscent; }
  int Descent() const { return FDescent; }
  int CellHeight() const { return FAscent + FDescent; }
  // Rows of the underline and strike-out bars, measured down from the cell top.
  int UnderlineTop() const { return FUnderlineTop; }
  int StrikeOutTop() const { return FStrikeTop; }
  int LineThickness() const { return FLineThickness; }

  // Sum of the glyph advances of UTF-8 text (no kerning, as the platform).
  int TextWidth(std::string_view utf8);
  // The glyph of a code point; characters the face lacks give its .notdef glyph.
  const FontGlyph& Glyph(char32_t ch);

  // Number of glyphs rendered so far by this face (lets tests and benchmarks see
  // that the cache works).
  size_t RenderCount() const { return FRenderCount; }

 private:
  bool Open(const ResolvedFont& font, const FontRequest& request);
  void ComputeMetrics(int height);
  FontGlyph Render(uint32_t glyphIndex);

  std::unique_ptr<FontFaceImpl> FImpl;
  std::string FFamily;
  std::string FFile;
  bool FSynthBold = false;
  bool FSynthItalic = false;
  bool FAntialias = true;
  bool FSymbolMap = false;
  int FOrientation = 0;
  double FCos = 1;
  double FSin = 0;
  int FAscent = 0;
  int FDescent = 0;
  int FUnderlineTop = 0;
  int FStrikeTop = 0;
  int FLineThickness = 1;
  long FEmboldenStrength = 0;  // 26.6 pixels, 0 when not emboldening
  size_t FRenderCount = 0;
  std::unordered_map<uint32_t, FontGlyph> FGlyphs;  // by glyph index
  std::unordered_map<char32_t, const FontGlyph*> FByChar;
};

}  // namespace host
