/// @file
/// TSevenSeg: a short text shown as slanted seven-segment digits, like an LED or
/// LCD display.
///
/// Glyphs are assembled from six segment pieces (embedded images SEGVERT,
/// SEGHORZ, SEGDOT, SEGPLUS, SEGCOLON, SEGDEG: black outlines on white) on a
/// master canvas of 312 x 432 pixels, and stretched once into an image cache of
/// one cell per character of SevenSegCharList. Painting only copies cells, so a
/// display that changes its caption many times a second costs a few block
/// copies each time.
///
/// Invariants:
///   - the cache always matches the size, NumDigits, Margin, InterDigDist and
///     colours: every setter of these, Assign and every resize rebuild it before
///     repainting. Caption, FrameStyle and ColorScheme do not touch it.
///   - Margin and InterDigDist hold what was written (clamped at 0 and at their
///     own upper limits); the values a rebuild uses are clamped further to what
///     the current size holds (Layout). A digit narrower than one pixel or a
///     cache lower than one pixel caches nothing; such a display paints its
///     background and frame only.
///   - the resize path is the Resize override, so a handler the application
///     puts into the published OnResize runs as well and cannot stop rebuilds.
///
/// Colours: lit segments in ColorText (pure white drawn as 254,254,254, since
/// white is the artwork's background), unlit segments are not drawn, everything
/// else is ColorBackGnd, holes that a piece encloses (the degree ring's) too.
///
/// Choices of this implementation:
///   - the pieces (scripts/make-segment-pieces) are hexagonal bars with pointed
///     45-degree ends, a round point, a cross, two dots and a ring, slanted as
///     the glyph is. A piece is inked by flood-filling the white region at its
///     centre; the colon has two such regions, one dot in each half, and is
///     filled at the centre of each half. The ring lies so that the piece's
///     centre falls on the ring, not in its hole.
///   - the cache keeps its cells in rows when 21 cells of a very wide digit
///     would exceed a bitmap's width.
///   - FrameStyle and ColorScheme repaint at once, as in every framed control
///     of the library (TFramedControl), rather than waiting for the loop.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/Zel_captionbox.h"
#include "host/ui/Controls.h"

namespace zel {

/// The characters that have glyphs, in the order of the image cache's cells;
/// the degree sign is U+00B0. The last cell holds the lone decimal point.
inline constexpr std::u32string_view SevenSegCharList = U"0123456789-+:\u00B0ABCDEF.";
constexpr int kSevenSegPointCell = 20;  ///< the cell of the lone decimal point

// --- the caption (ZEL_sevenseg_caption.cpp)

/// What one digit position shows: the cache cell of its character (-1 blank)
/// and whether its decimal point is lit.
struct TSevenSegPosition {
  int Cell = -1;       ///< cache cell of the character, -1 for a blank
  bool Point = false;  ///< the position's decimal point is lit
  /// Same cell and same point.
  friend bool operator==(const TSevenSegPosition&, const TSevenSegPosition&) = default;
};

/// The cell of a character, letters a..z taken as upper case; -1 when it has no
/// glyph.
int SevenSegCell(char32_t c);

/// The positions a caption fills, at most NumDigits of them, walking the UTF-8
/// text by code point. A "." or "," after a character lights that position's
/// point; one that follows no character takes a blank position of its own.
/// Characters beyond NumDigits positions are not shown.
std::vector<TSevenSegPosition> SevenSegPositions(std::string_view Caption, int NumDigits);

// --- the control

/// A short text shown as slanted seven-segment digits, like an LED or LCD display.
class TSevenSeg : public TFramedControl<host::TGraphicControl> {
 public:
  /// Creates the control with its defaults; AOwner frees it.
  explicit TSevenSeg(host::TComponent* AOwner);
  /// Frees the glyph cache.
  ~TSevenSeg() override;

  ///@{
  /// Digit positions, 1..32; other values are ignored.
  int NumDigits() const { return FNumDigits; }
  void SetNumDigits(int n);
  ///@}
  ///@{
  /// Colour of the lit segments (default clRed); a change rebuilds the glyph cache.
  host::TColor ColorText() const { return FColorText; }
  void SetColorText(host::TColor c);
  ///@}
  ///@{
  /// Colour behind the digits (default dark grey, RGB 51,51,51); a change rebuilds
  /// the glyph cache.
  host::TColor ColorBackGnd() const { return FColorBackGnd; }
  void SetColorBackGnd(host::TColor c);
  ///@}
  ///@{
  /// Border round the digit row: 0 .. Height div 2 - 1 when written.
  int Margin() const { return FMargin; }
  void SetMargin(int m);
  ///@}
  ///@{
  /// Gap between digits: 0..255 when written.
  int InterDigDist() const { return FInterDigDist; }
  void SetInterDigDist(int d);
  ///@}

  /// Where the digits go, in the control's pixels, from the values in use.
  struct TLayout {
    int Margin = 0;        ///< Margin, clamped to the size
    int InterDigDist = 0;  ///< InterDigDist, clamped so a digit keeps a pixel
    int DigitWidth = 0;    ///< of one cache cell
    int DigitHeight = 0;   ///< of the cache
    /// Nothing can be cached or drawn.
    bool Empty() const { return DigitWidth < 1 || DigitHeight < 1; }
    /// Digit position j (from 0 on the left).
    host::TRect Digit(int j) const;
    /// The decimal point's corner of a digit-sized rectangle: its lower right
    /// sixth in each direction.
    host::TRect PointIn(const host::TRect& digit) const;
  };
  /// The layout for a size and settings; pure arithmetic, used by the cache, by
  /// Paint and by anyone who wants to know where a digit is.
  static TLayout ComputeLayout(int Width, int Height, int NumDigits, int Margin, int InterDigDist);
  /// The layout the cache was built for (that of the current properties).
  const TLayout& Layout() const { return FLayout; }

  /// From another TSevenSeg: colours, NumDigits, Caption, the frame style, line
  /// colours and scheme, Margin and InterDigDist; rebuilds this control's own
  /// cache and invalidates. Other sources go to the host.
  void Assign(host::TPersistent* Source) override;
  /// Calls Dest->Assign(this) when Dest is of this class; else the host's assignment.
  void AssignTo(host::TPersistent* Dest) override;
  /// The class name, for the host's streaming and type checks.
  std::string ClassName() const override { return "TSevenSeg"; }

 protected:
  /// The host control's paint, input and notification handlers, as
  /// this control answers them.
  ///@{
  void Paint() override;
  ///@}
  /// Rebuilds the cache when the size changed, then runs the published OnResize.
  void Resize() override;
  /// A new caption shows at once.
  void CMTextChanged(host::TMessage& Message) override;

 private:
  // settings (ZEL_sevenseg.cpp)
  int FNumDigits = 4;
  host::TColor FColorText = host::clRed;
  host::TColor FColorBackGnd = host::RGB(51, 51, 51);
  int FMargin = 8;
  int FInterDigDist = 2;
  // Stores a setting that the cache depends on, rebuilds it and repaints.
  template <class T>
  void ChangeCached(T& field, T v);

  // the image cache (ZEL_sevenseg_cache.cpp)
  // The six pieces as loaded (on the first rebuild that draws), and copies
  // with their interiors in the ink of the last rebuild.
  std::array<host::TBitmap, 6> FPieces, FInkedPieces;
  bool FPiecesLoaded = false;
  void InkPieces(host::TColor ink);
  host::TBitmap FMaster;
  host::TBitmap FCache;
  TLayout FLayout;
  int FCacheColumns = 1;  // cells a cache row holds
  int FLastWidth = -1, FLastHeight = -1;
  bool SizeChanged() const { return Width() != FLastWidth || Height() != FLastHeight; }
  void RebuildCache();
  // Cell i of the cache (0 .. 20).
  host::TRect CacheCell(int i) const;

  // painting (ZEL_sevenseg_paint.cpp)
  void PaintPosition(host::TCanvas* c, int j, const TSevenSegPosition& p);
};

}  // namespace zel
