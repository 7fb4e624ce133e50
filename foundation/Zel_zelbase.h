/// @file
/// The base of the maker's library: the exception every control raises, the small
/// enumerations the controls store in their properties, and the drawing helpers
/// (frames, data-point marks, outlines) shared by all the self-painted controls.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/gfx/Graphics.h"
#include "host/gfx/Persistent.h"
#include "host/gfx/Types.h"

namespace zel {

using host::TColor;

/// The system's arithmetic lives in the host layer; it is re-exported here so the
/// library and the controls share one Round (half to even), Trunc, Frac and MulDiv.
using host::Frac;
using host::MulDiv;
using host::Round;
using host::Trunc;

/// Base of every exception the library and the controls raise. It is a host
/// exception, so the application's exception handler treats it like the others.
class EZELError : public host::Exception {
 public:
  using host::Exception::Exception;
};

/// The message form the controls share: "Component \"<Name>\": <What>".
std::string ComponentMessage(const std::string& Name, const std::string& What);
/// What a control says when its timer cannot be set (see host::TWindowTimer).
inline constexpr const char* kNoTimerAvailable = "no timer available";

/// Frame line colours: ordinal 0 uses fixed grey (128,128,128) and white; any other
/// value uses the system colours clBtnShadow and clBtnHighlight.
enum TColorScheme : uint8_t { csmFixed, csmSystem };

/// Frame styles, by ordinal: none, plain outline, sunken, raised, and two etched
/// outlines (a light ridge and a dark groove). See DrawFrame for the pixels.
enum TFrameStyle : uint8_t { frNone, frSimple, frLowered, frRaised, frEmbossed, frEngraved };

/// Which characters count as decimal separator: the locale's, point, comma, either.
enum TDecPSep : uint8_t { dpsLocale, dpsPoint, dpsComma, dpsEither };

/// Placement of a background image: at its own size at the top-left corner,
/// stretched over the area, or tiled.
enum TBkgFill : uint8_t { bfSimple, bfStretch, bfTile };

/// Direction in which a bar grows: upwards from the bottom, downwards from the top,
/// leftwards from the right edge, rightwards from the left edge.
enum TDirection : uint8_t { drUp, drDown, drLeft, drRight };

/// Vertical means along a column (to the next row), horizontal along a row.
enum TOrientation : uint8_t { orVertical, orHorizontal };

/// Languages of the name tables (Zel_univconst.h). lgDefault uses the English names.
enum TLanguage : uint8_t { lgDefault, lgEnglish, lgGerman, lgFrench, lgSpanish };
constexpr int kNumLanguages = 5;

/// Field delimiter of CSV files.
enum TCSVDelimiters : uint8_t { csvComma, csvSemicolon, csvTab, csvSpace };
/// The delimiter character; values out of range give a comma.
char CSVDelimiterChar(TCSVDelimiters d);

/// How a user's decision is combined with a computed one: loNone keeps the user's
/// decision alone; the others combine both.
enum TLogicOp : uint8_t { loNone, loAnd, loOr, loXor };
/// The combination of UserDecision with Computed under Op (loNone: UserDecision).
bool CombineLogic(TLogicOp Op, bool UserDecision, bool Computed);

using TDoubleArray = std::vector<double>;
using TOpenStringArray = std::vector<std::string>;

/// Draws a frame of the given style whose outermost pixels lie on columns Left and
/// Right and rows Top and Bottom (both included: the box (0, 0, W-1, H-1) frames a
/// W x H bitmap to its edge). Only frame pixels are touched: the interior keeps
/// what is drawn there, so a frame can be drawn after the content.
///
/// Colours c1..c4 are the edge colours lightest first (white, silver, grey, black);
/// the styles use c1 (light), c3 (shadow) and c4 (dark). c2 and c5 are accepted so
/// every caller keeps one call shape, but none of the six styles draws with them.
/// Pixels, with L, T, R, B the box:
///   frNone       nothing.
///   frSimple     a closed outline through the four corners, in c3.
///   frLowered    outline of columns L..R-1, rows T..B-1 in c3; inner top and left
///                line (row T+1 from L+1 to R-2, column L+1 from T+1 to B-2) in c4;
///                outer bottom and right line (row B from L+1 to R, column R from
///                T+1 to B) in c1. Corners (R, T) and (L, B) stay untouched.
///   frRaised     as frLowered with c1 and c4 exchanged.
///   frEmbossed   the outline in c1, the inner and outer lines in c3.
///   frEngraved   the outline in c3, the inner and outer lines in c1.
/// These are exactly the frames the numeric input and the raster label draw for
/// themselves: the numeric input's bevelled text box is the box (LS, 0, LS+TW+2,
/// H-g-1) and its plain one (LS, 0, LS+TW+1, H-g-1); the raster label's frame is
/// (0, 0, W-1, H-1), except that its sunken and raised bevels leave the pixel
/// (1, H-1) out, where this one closes the bevel symmetrically. A frame round the
/// numeric label's box (LS+1, 0, LS+LW, H-2) encloses its text clip exactly.
/// A box narrower or lower than three pixels gets the style's outline colour only.
/// The pen is used for drawing and restored afterwards; unknown styles draw nothing.
void DrawFrame(host::TCanvas* Canvas, TFrameStyle Style, int Left, int Top, int Right, int Bottom,
               TColor c1, TColor c2, TColor c3, TColor c4, TColor c5);

/// Number of data-point marks DrawMarkOnCanvas knows (kinds 0..51).
constexpr int kNumMarks = 52;

/// Draws data-point mark Kind centred at (X, Y), at most 9 x 9 pixels:
///   0        a single dot
///   1..3     plus sign, 5, 7 and 9 pixels      4..6    diagonal cross, same sizes
///   7..9     star (plus and cross), same sizes
///   10..15   square: open 5, 7, 9, then solid 5, 7, 9
///   16..21   circle, 22..27 triangle up, 28..33 triangle down, 34..39 diamond,
///            each in the same six variants as the square
///   40, 41   triangle left, open and solid     42, 43  triangle right, open and solid
///   44, 45   horizontal and vertical bar       46, 47  square, circle with a centre dot
///   48       square with a diagonal cross      49      circle with a plus sign
///   50, 51   solid hourglass and solid bow tie (9 pixels)
/// Outlines, lines and solid marks are drawn in the pen colour through the pen mode;
/// the inside of an open mark is filled with the brush colour unless the brush is
/// clear, so a mark stays readable on a busy picture. Marks are always one pixel
/// thick. Kinds outside 0..51 draw nothing.
void DrawMarkOnCanvas(host::TCanvas* Canvas, int Kind, int X, int Y);

/// Outline through the corners (Left, Top) and (Right, Bottom), both included, with
/// the current pen (colour, mode, style); the interior is left alone.
void DrawRectangle(host::TCanvas* Canvas, int Left, int Top, int Right, int Bottom);

}  // namespace zel
