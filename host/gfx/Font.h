// TFont: a FreeType face found by family name through fontconfig.
// Included by Graphics.h; do not include directly.
#pragma once

#include <memory>
#include <string>

#include "host/gfx/WinFont.h"

namespace host {

class FontFace;  // the rasteriser behind a font (FreeType), shared and cached

// Size is in points at 96 dpi; Height in pixels (negative: character height
// without internal leading, as the platform stores it). Setting one sets the other.
// OnChange fires once for each setter call that really changes something.
class TFont : public TGraphicsObject {
 public:
  TFont();
  ~TFont() override;

  std::string Name() const { return FName; }
  void SetName(const std::string& n);
  int Size() const;
  void SetSize(int points);
  int Height() const { return FHeight; }
  void SetHeight(int h);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles s);
  TColor Color() const { return FColor; }
  void SetColor(TColor c);
  // Angle of the text baseline in tenths of a degree, counter-clockwise.
  int Orientation() const { return FOrientation; }
  void SetOrientation(int tenths);
  TFontQuality Quality() const { return FQuality; }
  void SetQuality(TFontQuality q);  // fqNonAntialiased switches anti-aliasing off
  TFontPitch Pitch() const { return FPitch; }
  void SetPitch(TFontPitch p);
  int PixelsPerInch() const { return 96; }

  // The platform handle of this font, created on first use from the properties.
  // The font owns it: it is released when a property changes or the font dies.
  HFONT Handle() const;
  // Takes over a handle (from CreateFontIndirectW): the properties are set from
  // its description and the font releases the handle later. nullptr just drops
  // the current handle; an invalid handle raises EInvalidOperation.
  void SetHandle(HFONT h);
  // The description the properties stand for (what Handle() is created from).
  LOGFONTW Description() const;

  // From another TFont copies name, height, style, colour, orientation, quality and
  // pitch (one OnChange when anything differed); other sources as TPersistent.
  void Assign(TPersistent* Source) override;
  std::string ClassName() const override { return "TFont"; }

  // The face for the current name, size and style (created on first use, cached).
  FontFace& Face() const;

 private:
  std::string FName = "Tahoma";
  int FHeight = -11;  // 8 points
  TFontStyles FStyle = 0;
  TColor FColor = clWindowText;
  int FOrientation = 0;
  TFontQuality FQuality = fqDefault;
  TFontPitch FPitch = fpDefault;
  mutable std::shared_ptr<FontFace> FFace;
  mutable HFONT FHandle = nullptr;
  void FontChanged();
  void ReleaseHandle() const;
};

}  // namespace host
