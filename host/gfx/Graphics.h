// Pens, brushes, fonts, canvases and bitmaps, following the classic GDI pixel
// rules that the controls' drawing is defined against:
//  - Rectangle(L, T, R, B) covers columns L..R-1 and rows T..B-1 (outline with the
//    pen inside the box, interior with the brush); with a clear pen the filled area
//    is one pixel smaller to the right and bottom.
//  - LineTo draws up to, but not including, its end point.
//  - Ellipse/Arc/Pie use the bounding box L..R-1, T..B-1; Arc and Pie run
//    counter-clockwise from the ray through their first point to the ray through
//    their second point (equal points: the whole ellipse).
//  - TextOut(x, y) puts the top-left of the text cell at (x, y).
// All coordinates are logical: a canvas may have an origin offset and a clip
// rectangle (a control's canvas on its form's framebuffer has both); nothing is
// ever written outside the clip.
// Pens: a pen wider than 1 draws solid (psInsideFrame too), centred on the one-pixel outline (w/2
// pixels outward, (w-1)/2 inward; an even width leans up and left), with round
// line ends. Dash and dot styles apply to one-pixel lines (LineTo, Polyline,
// Polygon), with gaps left untouched; shape outlines are drawn solid. The pen
// mode applies to everything a shape paints, outline and brush interior alike,
// as the platform's raster mode does, and every pixel is painted once, so xor
// and not drawings can be undone by drawing again. Brush hatch styles fill as
// bsSolid.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/gfx/Persistent.h"
#include "host/gfx/Types.h"

namespace host {

class TCanvas;
class TBitmap;

// clang-format off
enum TPenStyle : uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// Raster operation of the pen: copy, invert the destination (not), xor with the
// pen colour, and the other binary raster operations.
enum TPenMode : uint8_t {
  pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
  pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};
enum TBrushStyle : uint8_t {
  bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross
};

// Font style set: a small bit-flag type.
enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = uint8_t;

enum TFontQuality : uint8_t {
  fqDefault, fqDraft, fqProof, fqNonAntialiased, fqAntialiased, fqClearType, fqClearTypeNatural
};
enum TFontPitch : uint8_t { fpDefault, fpVariable, fpFixed };

// Copy modes: the platform's raster operation codes.
using TCopyMode = uint32_t;
constexpr TCopyMode cmBlackness = 0x00000042;
constexpr TCopyMode cmDstInvert = 0x00550009;
constexpr TCopyMode cmMergeCopy = 0x00C000CA;
constexpr TCopyMode cmMergePaint = 0x00BB0226;
constexpr TCopyMode cmNotSrcCopy = 0x00330008;
constexpr TCopyMode cmNotSrcErase = 0x001100A6;
constexpr TCopyMode cmPatCopy = 0x00F00021;
constexpr TCopyMode cmPatInvert = 0x005A0049;
constexpr TCopyMode cmPatPaint = 0x00FB0A09;
constexpr TCopyMode cmSrcAnd = 0x008800C6;
constexpr TCopyMode cmSrcCopy = 0x00CC0020;
constexpr TCopyMode cmSrcErase = 0x00440328;
constexpr TCopyMode cmSrcInvert = 0x00660046;
constexpr TCopyMode cmSrcPaint = 0x00EE0086;
constexpr TCopyMode cmWhiteness = 0x00FF0062;

// StretchBlt modes.
enum TStretchMode : uint8_t {
  STRETCH_ANDSCANS = 1, BLACKONWHITE = 1, STRETCH_ORSCANS = 2, WHITEONBLACK = 2,
  STRETCH_DELETESCANS = 3, COLORONCOLOR = 3, STRETCH_HALFTONE = 4, HALFTONE = 4
};

enum TFillStyle : uint8_t { fsSurface, fsBorder };
// clang-format on

// Flags of DrawText, as the label's DoDrawText receives them.
constexpr uint32_t DT_LEFT = 0x0000;
constexpr uint32_t DT_CENTER = 0x0001;
constexpr uint32_t DT_RIGHT = 0x0002;
constexpr uint32_t DT_VCENTER = 0x0004;
constexpr uint32_t DT_BOTTOM = 0x0008;
constexpr uint32_t DT_WORDBREAK = 0x0010;
constexpr uint32_t DT_SINGLELINE = 0x0020;
constexpr uint32_t DT_EXPANDTABS = 0x0040;
constexpr uint32_t DT_NOCLIP = 0x0100;
constexpr uint32_t DT_CALCRECT = 0x0400;
constexpr uint32_t DT_NOPREFIX = 0x0800;
constexpr uint32_t DT_END_ELLIPSIS = 0x8000;

// Base of pens, brushes and fonts: a change notification the owner listens to.
class TGraphicsObject : public TPersistent {
 public:
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent e) { FOnChange = std::move(e); }

 protected:
  void Changed();

 private:
  TNotifyEvent FOnChange;
};

class TPen : public TGraphicsObject {
 public:
  TColor Color() const { return FColor; }
  void SetColor(TColor c);
  int Width() const { return FWidth; }
  void SetWidth(int w);  // values below 1 become 1
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle s);
  TPenMode Mode() const { return FMode; }
  void SetMode(TPenMode m);
  void Assign(TPersistent* Source) override;
  std::string ClassName() const override { return "TPen"; }

 private:
  TColor FColor = clBlack;
  int FWidth = 1;
  TPenStyle FStyle = psSolid;
  TPenMode FMode = pmCopy;
};

class TBrush : public TGraphicsObject {
 public:
  TColor Color() const { return FColor; }
  void SetColor(TColor c);  // setting a colour on a clear brush makes it solid
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle s);
  void Assign(TPersistent* Source) override;
  std::string ClassName() const override { return "TBrush"; }

 private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
};

}  // namespace host

#include "host/gfx/Font.h"

namespace host {

// Pixels of a bitmap: 32 bits each, 0x00RRGGBB in memory order B, G, R, X
// (the same layout as a 32-bit device-independent bitmap and an X11 image).
using TPixel = uint32_t;
constexpr TPixel ColorToPixel(TColor c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr TColor PixelToColor(TPixel p) {
  return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
}

// A drawing surface: pixel memory the canvas draws into. A bitmap is one; a form's
// framebuffer is another (a TBitmap owned by the backend).
struct TSurface {
  TPixel* Bits = nullptr;
  int Width = 0;
  int Height = 0;
  int Stride = 0;  // in pixels
};

class TCanvas : public TPersistent {
 public:
  TCanvas();
  ~TCanvas() override;

  TPen* Pen() { return &FPen; }
  TBrush* Brush() { return &FBrush; }
  TFont* Font() { return &FFont; }
  void SetFont(TFont* f) { FFont.Assign(f); }
  TCopyMode CopyMode() const { return FCopyMode; }
  void SetCopyMode(TCopyMode m) { FCopyMode = m; }
  TPoint PenPos() const { return FPenPos; }
  void SetPenPos(TPoint p) { FPenPos = p; }

  // The clip rectangle in logical coordinates (the whole surface when unclipped).
  TRect ClipRect() const;

  // --- pixels and lines
  // Reading outside the surface (or the clip) gives -1 as a TColor (0xFFFFFFFF).
  TColor Pixels(int x, int y) const;
  void SetPixels(int x, int y, TColor c);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Polyline(const std::vector<TPoint>& pts);

  // --- shapes
  void Rectangle(int l, int t, int r, int b);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  void FillRect(const TRect& r);   // brush only, no outline, always copy mode
  void FrameRect(const TRect& r);  // one-pixel outline in the brush colour
  void Ellipse(int l, int t, int r, int b);
  void Arc(int l, int t, int r, int b, int x1, int y1, int x2, int y2);
  void Pie(int l, int t, int r, int b, int x1, int y1, int x2, int y2);
  void Polygon(const std::vector<TPoint>& pts);  // alternate fill rule, then outline
  // Fills with the brush, 4-connected from (x, y), within the clip: fsSurface
  // fills the region of colour c that holds the seed (nothing when the seed has
  // another colour); fsBorder fills the region up to colour c.
  void FloodFill(int x, int y, TColor c, TFillStyle style);

  // --- text (font of the canvas; brush solid fills the text cell first)
  void TextOut(int x, int y, const std::string& s);
  void TextRect(const TRect& r, int x, int y, const std::string& s);
  int TextWidth(const std::string& s);
  int TextHeight(const std::string& s);
  TPoint TextExtent(const std::string& s);  // x = width, y = height

  // --- images (all honour CopyMode, with the brush colour as the pattern, and
  // copy nearest pixels; a canvas may copy onto itself)
  // A Transparent bitmap leaves out its transparent colour (TransparentColor, or
  // its bottom-left pixel when that is clDefault) in Draw and StretchDraw.
  void Draw(int x, int y, TBitmap* src);
  void StretchDraw(const TRect& dst, TBitmap* src);
  void CopyRect(const TRect& dst, TCanvas* src, const TRect& srcRect);

  // --- surface binding, used by bitmaps and by the window layer
  // Draw into `s`; logical (0,0) maps to surface (originX, originY); drawing is
  // clipped to `clip` (surface coordinates) intersected with the surface.
  void BindSurface(const TSurface& s, int originX, int originY, const TRect& clip);
  void BindSurface(const TSurface& s) { BindSurface(s, 0, 0, Rect(0, 0, s.Width, s.Height)); }
  const TSurface& Surface() const { return FSurface; }
  TPoint Origin() const { return FOrigin; }
  // Intersects the current clip with r (logical coordinates).
  void IntersectClip(const TRect& r);
  // Blends colour c with coverage alpha (0..255) into logical (x, y), clipped.
  // Text and anti-aliased shapes draw through this.
  void BlendPixel(int x, int y, TColor c, uint8_t alpha);
  // Writes one pixel through the pen mode (pmCopy, pmNot, pmXor, ...), clipped.
  void PlotPenPixel(int x, int y);

  std::string ClassName() const override { return "TCanvas"; }

 private:
  TPen FPen;
  TBrush FBrush;
  TFont FFont;
  TCopyMode FCopyMode = cmSrcCopy;
  TPoint FPenPos;
  TSurface FSurface;
  TPoint FOrigin;
  TRect FClip;  // surface coordinates
};

// Raw pixel copy with a raster operation and an optional stretch, between two
// surfaces, clipped to the destination canvas. Both images are in logical
// coordinates of their canvases. `mode` is COLORONCOLOR (the source pixel under
// each destination pixel's centre) or HALFTONE (each destination pixel is the
// area-weighted mean of the source pixels it covers). A negative width or height
// runs from the given pixel toward smaller coordinates, so opposite signs on the
// two sides mirror. Source pixels outside the source clip are never read: the
// destination pixels that need them stay as they were. Returns false for a zero
// size or a missing canvas; an unknown copy mode raises EInvalidOperation.
bool StretchBlt(TCanvas* dst, int dx, int dy, int dw, int dh, TCanvas* src, int sx, int sy, int sw,
                int sh, TCopyMode rop, TStretchMode mode = COLORONCOLOR);
// Raster operation of a copy mode on one pixel (d = destination, s = source,
// p = brush pattern colour); exposed for tests and the window layer. Knows the
// cm* codes above; any other code raises EInvalidOperation.
TPixel ApplyRop(TCopyMode rop, TPixel d, TPixel s, TPixel p);

enum TPixelFormat : uint8_t {
  pfDevice,
  pf1bit,
  pf4bit,
  pf8bit,
  pf15bit,
  pf16bit,
  pf24bit,
  pf32bit
};

// A 32-bit bitmap with its own canvas. Resizing keeps the overlapping top-left
// content and fills any new area with white. Sizes are limited to 32767 pixels a
// side (EInvalidGraphic, also for negative sizes) and 256 MiB of pixels
// (EOutOfResources); a refused resize leaves the bitmap as it was.
class TBitmap : public TPersistent {
 public:
  TBitmap();
  TBitmap(int w, int h);
  ~TBitmap() override;

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetWidth(int w) { SetSize(w, FHeight); }
  void SetHeight(int h) { SetSize(FWidth, h); }
  void SetSize(int w, int h);
  bool Empty() const { return FWidth == 0 || FHeight == 0; }
  // Kept for callers that set it; storage is always 32 bits a pixel.
  TPixelFormat PixelFormat() const { return FPixelFormat; }
  void SetPixelFormat(TPixelFormat f) { FPixelFormat = f; }
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool t) { FTransparent = t; }
  TColor TransparentColor() const { return FTransparentColor; }
  void SetTransparentColor(TColor c) { FTransparentColor = c; }

  // Created on first use; it follows the bitmap across resizes (a resize resets
  // its clip to the whole bitmap).
  TCanvas* Canvas();
  TPixel* ScanLine(int row);  // nullptr outside 0..Height-1
  const TPixel* ScanLine(int row) const;
  TSurface Surface();

  // From a TBitmap: size, pixels, pixel format and transparency settings. A null
  // source empties the bitmap; other sources go to TPersistent::Assign.
  void Assign(TPersistent* Source) override;
  // Loads BMP or PNG (chosen by content, not by name). On any failure raises
  // EInvalidGraphic with a clear message and leaves the bitmap unchanged.
  void LoadFromFile(const std::string& path);
  void LoadFromMemory(const void* data, size_t size);
  // Writes PNG when the name ends in ".png" (any case), else BMP (32 bits).
  // Writes a temporary file beside the target and renames it over the target,
  // so a failed save leaves an existing file untouched.
  void SaveToFile(const std::string& path) const;
  // Loads an image embedded from the resources folder, by upper-case stem name;
  // raises EResNotFound when there is none.
  void LoadFromResourceName(const std::string& name);

  std::string ClassName() const override { return "TBitmap"; }

 private:
  int FWidth = 0;
  int FHeight = 0;
  std::vector<TPixel> FPixels;
  std::unique_ptr<TCanvas> FCanvas;
  TPixelFormat FPixelFormat = pf32bit;
  bool FTransparent = false;
  TColor FTransparentColor = clDefault;
  void Rebind();
};

class EInvalidGraphic : public Exception {
 public:
  using Exception::Exception;
};
class EResNotFound : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace host
