/// @file
/// TRasterLab: a dot-matrix display. The text is drawn as square dots from a bit
/// font (the built-in 7 x 12 font or one sampled from any host font) and can
/// scroll continuously on the label's own timer.
///
/// State model. The label keeps the current bit font (rebuilt when the font
/// changes, replaced by SetCharMatrix), the text decoded once into character
/// codes with the x offset of every glyph (a run, rebuilt when the text, the bit
/// font, the dot pitch or the spacing mode change), and two scroll offsets that
/// are added to PosX/PosY when painting. Because the run is kept, a paint draws
/// only the glyphs that fall inside the label: a scroll tick costs the same for
/// ten characters as for ten thousand.
///
/// Invariants: 1 <= DotSize <= 32, 0 <= DotSpacing <= 3, ScrollInterval >= 10,
/// ScrollIncrement >= 1; the bit font always has FontHeight <= 32 and every
/// LeftMostBit/RightMostBit <= 31. A character whose RightMostBit is below its
/// LeftMostBit has no dots and is shown and measured as a blank (code 32);
/// codes below 32 are blanks too. Codes are the low 8 bits of each character of
/// the UTF-8 text, so Latin-1 letters show as themselves.
///
/// Decisions where the behaviour was ours to choose:
///   - rdsmLeft moves the text left; once its last dot has left the label
///     (PosX + scroll X + length <= 0) it re-enters at the right edge. rdsmDown
///     moves it down and, once the scroll Y offset exceeds the height, restarts
///     one text height above the top; rdsmUp mirrors that at the top edge. The
///     restart fires OnScrollLoopRestart, as for rdsmRight.
///   - Without ScrollLoop the text stops once it is out of view, in every
///     direction, so the offsets never run away.
///   - The frame is DrawFrame's (0, 0, W-1, H-1) in the scheme's line colours;
///     its sunken and raised bevels also set the pixel (1, H-1), which closes the
///     bevel's corner. Frame pixels no style covers show the label's Color.
///   - The raster of dot gaps is laid from the offset's remainder taken
///     non-negative, so a text scrolled above or left of the label keeps the
///     dots whole to the far edge.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "foundation/Zel_captionbox.h"
#include "foundation/Zel_zelbase.h"
#include "host/ui/Controls.h"

namespace host {
class TWindowTimer;
}

namespace zel {

/// A bit font: per character code the dot columns used and a 32-bit row
/// pattern for each of up to 32 rows (bit j set = a dot in column j).
struct TRDCharMatrix {
  int32_t FontWidth = 0;   ///< widest glyph in dots
  int32_t FontHeight = 0;  ///< rows used, at most 32
  /// First and last dot column of each code (0..31); RightMostBit below
  /// LeftMostBit means the glyph has no dots.
  ///@{
  std::array<uint8_t, 256> LeftMostBit{};
  std::array<uint8_t, 256> RightMostBit{};
  ///@}
  std::array<std::array<uint32_t, 32>, 256> BitData{};  ///< [code][row] dot pattern
};

/// How the area without lit dots is drawn (see TRasterLab::CharBlockMode).
enum TRDBlockMode : uint8_t { rdbmOff, rdbmOn, rdbmRaster };
/// Direction of the scrolling, rdsmOff for none.
enum TRDScrollMode : uint8_t { rdsmOff, rdsmLeft, rdsmRight, rdsmDown, rdsmUp };

/// Raised by TRasterLab ("no timer available").
class EZELRasterLabError : public EZELError {
 public:
  using EZELError::EZELError;
};

// --- bit fonts (ZEL_RasterLab_font.cpp, ZEL_RasterLab_bitfont.cpp)

/// The built-in font: FontWidth 7, FontHeight 12, glyphs for codes 32..255.
TRDCharMatrix BuiltInCharMatrix();
/// Samples a host font: each code 32..255 drawn black on white without
/// anti-aliasing, the top-left 32 x 32 pixels read as dots. A character with no
/// dots gets LeftMostBit 31 and RightMostBit 0; the blank (32) spans columns
/// 0 .. FontWidth div 2.
TRDCharMatrix SampleCharMatrix(host::TFont* Font);
/// A matrix made safe to paint: FontHeight within 0..32, FontWidth within
/// 0..32, every LeftMostBit/RightMostBit at most 31.
TRDCharMatrix ClampCharMatrix(const TRDCharMatrix& m);

/// The dot columns a character occupies: First..Last, and whether it has dots
/// to draw at all (a blank has columns but no dots).
struct TGlyphSpan {
  int First = 0;      ///< first dot column
  int Last = -1;      ///< last dot column
  bool Blank = true;  ///< no dots to draw
  /// Columns the glyph occupies, 0 when Last is before First.
  int Columns() const { return Last >= First ? Last - First + 1 : 0; }
};
/// Fixed width: columns 0 .. FontWidth-1. Proportional: LeftMostBit ..
/// RightMostBit, or the blank's columns for codes below 32 and for characters
/// whose extents are reversed (no dots).
TGlyphSpan GlyphSpan(const TRDCharMatrix& m, uint8_t code, bool Proportional);

/// The character codes of a UTF-8 text: the low 8 bits of each code point.
std::vector<uint8_t> RasterCodes(const std::string& Text);

/// A text laid out in a bit font at a dot pitch: each glyph's code, its x offset
/// from the text's start and its span, and the BitLength PaintString reports.
struct TRasterRun {
  std::vector<uint8_t> Codes;     ///< character codes, in text order
  std::vector<int> X;             ///< x offset of each glyph from the text's start
  std::vector<TGlyphSpan> Spans;  ///< dot columns of each glyph
  int BitLength = 1;              ///< drawn length in pixels plus 1
};
/// Lays out Text in the font m at dot pitch Pitch (DotSize + DotSpacing).
TRasterRun LayoutRasterRun(const TRDCharMatrix& m, const std::string& Text, int Pitch,
                           bool Proportional);

/// Width of a text in pixels at a pitch: proportional, the sum over characters
/// of Pitch * (columns + 1); fixed, Pitch * (FontWidth + 1) a character.
int RasterTextWidth(const TRDCharMatrix& m, const std::string& Text, int Pitch, bool Proportional);

/// The colours of a dot-matrix text.
struct TRasterColors {
  host::TColor On = host::clLime;            ///< lit dots
  host::TColor Off = host::RGB(64, 64, 64);  ///< unlit dots
  host::TColor Back = host::clBlack;         ///< the ground and the gaps
};

/// The label. Setters repaint at once.
class TRasterLab : public TFramedControl<host::TGraphicControl> {
 public:
  /// Creates the control with its defaults; AOwner frees it.
  explicit TRasterLab(host::TComponent* AOwner);
  /// Frees what the control owns.
  ~TRasterLab() override;

  ///@{
  /// The text shown (UTF-8, default "Text"); codes are the low 8 bits of each
  /// character.
  const std::string& Text() const { return FText; }
  void SetText(const std::string& s);
  ///@}
  ///@{
  /// Side of one dot in pixels, clamped to 1..32 (default 3).
  int DotSize() const { return FDotSize; }
  void SetDotSize(int v);
  ///@}
  ///@{
  /// Gap between dots in pixels, clamped to 0..3 (default 1).
  int DotSpacing() const { return FDotSpacing; }
  void SetDotSpacing(int v);
  ///@}
  ///@{
  /// Where the text's first dot goes, in client pixels (default 1, 1); the
  /// scroll offsets are added to it. AutoCenter sets PosX itself.
  int PosX() const { return FPosX; }
  void SetPosX(int v);
  int PosY() const { return FPosY; }
  void SetPosY(int v);
  ///@}
  ///@{
  /// Each glyph as wide as its dots (default) instead of FontWidth.
  bool Proportional() const { return FProportional; }
  void SetProportional(bool v);
  ///@}
  ///@{
  /// How the area without lit dots is shown: rdbmOff in ColorLabBakG; rdbmOn
  /// (default) and rdbmRaster as unlit dots separated by gaps of ColorLabBakG,
  /// rdbmOn also with a stripe of it before each glyph.
  TRDBlockMode CharBlockMode() const { return FCharBlockMode; }
  void SetCharBlockMode(TRDBlockMode m);
  ///@}
  ///@{
  /// Colour of the lit dots (default clLime).
  host::TColor ColorDotOn() const { return FColors.On; }
  void SetColorDotOn(host::TColor c);
  ///@}
  ///@{
  /// Colour of the unlit dots (default dark grey, RGB 64,64,64).
  host::TColor ColorDotOff() const { return FColors.Off; }
  void SetColorDotOff(host::TColor c);
  ///@}
  ///@{
  /// Colour of the ground and of the gaps between dots (default clBlack).
  host::TColor ColorLabBakG() const { return FColors.Back; }
  void SetColorLabBakG(host::TColor c);
  ///@}
  ///@{
  /// Height := frame width + pitch * FontHeight, now and whenever the font or
  /// the dots change.
  bool AutoHeight() const { return FAutoHeight; }
  void SetAutoHeight(bool v);
  ///@}
  ///@{
  /// PosX centres the text; switching off puts PosX back at 1.
  bool AutoCenter() const { return FAutoCenter; }
  void SetAutoCenter(bool v);
  ///@}

  /// The scrolling direction (default rdsmOff).
  TRDScrollMode ScrollMode() const { return FScrollMode; }
  /// Outside design mode starts the timer (rdsmOff stops it and puts the text
  /// back in place). Raises EZELRasterLabError when no timer can be set; the
  /// mode stays set.
  void SetScrollMode(TRDScrollMode m);
  ///@{
  /// Milliseconds between scroll steps (default 100); below 10 becomes 10; a
  /// change restarts the timer.
  int ScrollInterval() const { return FScrollInterval; }
  void SetScrollInterval(int ms);
  ///@}
  ///@{
  /// Pixels a scroll step moves the text (default 1); 0 becomes 1, negatives
  /// their magnitude.
  int ScrollIncrement() const { return FScrollIncrement; }
  void SetScrollIncrement(int px);
  ///@}
  ///@{
  /// The text re-enters at the opposite edge once it has left (default on);
  /// off, it stops out of view. The setter repaints even when unchanged.
  bool ScrollLoop() const { return FScrollLoop; }
  void SetScrollLoop(bool v);
  ///@}
  ///@{
  /// Raised after every scroll step; assigning it restarts the timer.
  const host::TNotifyEvent& OnScrollTimer() const { return FOnScrollTimer; }
  void SetOnScrollTimer(host::TNotifyEvent e);
  ///@}
  ///@{
  /// Raised when a looping text re-enters at the opposite edge.
  const host::TNotifyEvent& OnScrollLoopRestart() const { return FOnScrollLoopRestart; }
  void SetOnScrollLoopRestart(host::TNotifyEvent e) { FOnScrollLoopRestart = std::move(e); }
  ///@}

  /// The offsets the scrolling has reached, and whether the timer runs.
  ///@{
  int ScrollX() const { return FScrollX; }
  int ScrollY() const { return FScrollY; }
  bool TimerRunning() const;
  ///@}
  /// The text's drawn length in pixels (what PaintString reports for it).
  int BitLength() const { return FRun.BitLength; }

  /// The bit font in use: built in for the default font name, else sampled from
  /// Font; rebuilt whenever the font changes.
  const TRDCharMatrix& CharMatrix() const { return FCharMatrix; }
  /// Replaces the bit font (clamped as ClampCharMatrix says) and repaints.
  void SetCharMatrix(const TRDCharMatrix& m);
  /// The bit font the label would make of Font: the built-in one for the
  /// default font name, otherwise SampleCharMatrix.
  TRDCharMatrix CreateBitFont(host::TFont* Font) const;
  /// Width of s in pixels in the current font, pitch and spacing mode.
  int CalcTextBitLength(const std::string& s) const;
  /// What AutoHeight and AutoCenter do, once: set the height for the font, or
  /// PosX to centre the text (no repaint).
  ///@{
  void AdjustAutoHeight();
  void AdjustAutoCenter();
  ///@}
  /// The dot pitch DotSize + DotSpacing, and the frame's width for the style.
  ///@{
  int Pitch() const { return FDotSize + FDotSpacing; }
  int FrameWidth() const;
  ///@}

  /// One glyph with its first dot column at (X, Y); returns its width in pixels.
  static int PaintChar(host::TCanvas* c, const TRDCharMatrix& m, int X, int Y, uint8_t ch,
                       int DotSize, int DotSpacing, host::TColor On, host::TColor Off,
                       host::TColor Back, bool FixedWidth);
  /// A text from (X, Y): in rdbmOn the gap before each glyph is a stripe of
  /// Back over the canvas's height. BitLength := final x - X + 1. Glyphs
  /// outside the canvas's clip are skipped.
  static void PaintString(host::TCanvas* c, const TRDCharMatrix& m, int X, int Y,
                          const std::string& s, int DotSize, int DotSpacing, host::TColor On,
                          host::TColor Off, host::TColor Back, TRDBlockMode Mode, bool Proportional,
                          int& BitLength);

  /// From another TRasterLab: FrameStyle, Text, ColorLabBakG, ColorDotOn, the
  /// line colours and ColorScheme.
  void Assign(host::TPersistent* Source) override;
  /// Calls Dest->Assign(this) when Dest is of this class; else the host's assignment.
  void AssignTo(host::TPersistent* Dest) override;
  /// The class name, for the host's streaming and type checks.
  std::string ClassName() const override { return "TRasterLab"; }

 protected:
  /// The host control's paint, input and notification handlers, as
  /// this control answers them.
  ///@{
  void Paint() override;
  void CMFontChanged(host::TMessage& Message) override;
  ///@}

 private:
  // a + b without running past the int range: a huge increment or a scroll
  // offset pushed to its limit must not wrap round to the other side.
  static int SaturatedSum(int a, int b) {
    const int64_t v = int64_t(a) + b;
    return v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : int(v);
  }
  // settings (ZEL_RasterLab.cpp)
  std::string FText = "Text";
  int FDotSize = 3;
  int FDotSpacing = 1;
  int FPosX = 1;
  int FPosY = 1;
  bool FProportional = true;
  TRDBlockMode FCharBlockMode = rdbmOn;
  TRasterColors FColors;
  bool FAutoHeight = false;
  bool FAutoCenter = false;
  TRDCharMatrix FCharMatrix;
  TRasterRun FRun;
  void Relayout();         // rebuilds the run from text, font, pitch
  void ApplyAutoSizing();  // AutoHeight and AutoCenter, when on
  void ChangeDots(int& field, int v);
  bool Designing() const;

  // painting (ZEL_RasterLab_paint.cpp)
  static void PaintRun(host::TCanvas* c, const TRDCharMatrix& m, const TRasterRun& run, int X,
                       int Y, int DotSize, int DotSpacing, const TRasterColors& colors,
                       TRDBlockMode Mode);
  void PaintBackground(host::TCanvas* c);
  void PaintBorderGround(host::TCanvas* c);
  void PaintRaster(host::TCanvas* c, int ox, int oy);

  // scrolling (ZEL_RasterLab_input.cpp)
  TRDScrollMode FScrollMode = rdsmOff;
  int FScrollInterval = 100;
  int FScrollIncrement = 1;
  bool FScrollLoop = true;
  int FScrollX = 0;
  int FScrollY = 0;
  bool FTimerEnabled = false;
  host::TNotifyEvent FOnScrollTimer, FOnScrollLoopRestart;
  std::unique_ptr<host::TWindowTimer> FTimer;
  void RestartTimer();
  void Tick();
  void ScrollStep();
  void LoopRestart();
};

}  // namespace zel
