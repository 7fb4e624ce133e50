// The classic light look shared by every widget (and by the grid, menus and
// combo boxes built on them): 3-D edges in the button-face palette, button
// faces, check-box squares, the dotted focus rectangle, and multi-line text
// output with alignment, word wrap and accelerator prefixes.
//
// All colours are system colours resolved through ColorToRGB, so the widgets
// share one scheme. Rectangles follow the canvas rules: Right and Bottom are
// exclusive.
#pragma once

#include <cstdint>
#include <string>

#include "host/gfx/Graphics.h"

namespace host {

enum TCheckBoxState : uint8_t { cbUnchecked, cbChecked, cbGrayed };

// Draws `width` rings just inside `r`: top and left edges in `topLeft`, bottom
// and right in `bottomRight`; then shrinks `r` by `width` on every side, so
// frames can be stacked from the outside in.
void Frame3D(TCanvas* c, TRect& r, TColor topLeft, TColor bottomRight, int width = 1);

// The two-ring edges of the classic look; each shrinks `r` by 2.
// Raised: an up button or a raised panel border.
void DrawRaisedEdge(TCanvas* c, TRect& r);
// Sunken: the client edge of edits, memos, list boxes and check-box squares.
void DrawSunkenEdge(TCanvas* c, TRect& r);
// Pressed: a push button held down (dark outer ring, shadow inner ring).
void DrawPressedEdge(TCanvas* c, TRect& r);

// How a button face is shown.
enum TFaceState : uint8_t {
  fsUp,        // raised
  fsPressed,   // held down by the mouse or the space bar
  fsLatched,   // stays down (a speed button that is Down): sunken, dithered face
  fsHot,       // a flat button under the mouse: thin raised edge
  fsFlatDown,  // a flat button held or latched: thin sunken edge
  fsFlatUp     // a flat button at rest: no edge at all
};
// Draws the edge and face of a button over `r` and returns the area left for
// its content. Flat faces are not filled: the parent shows through them. A pressed or latched face
// moves the content one pixel right and down, so callers just draw into the returned rectangle.
TRect DrawButtonFace(TCanvas* c, const TRect& r, TFaceState state, TColor face = clBtnFace);

// The face of a latched button: face colour and white in a checkerboard.
void FillDithered(TCanvas* c, const TRect& r, TColor a, TColor b);

// The dotted focus rectangle: every other pixel of the outline inverted, so
// drawing it twice removes it.
void DrawFocusRect(TCanvas* c, const TRect& r);

// The classic solid arrow triangle, centred in `r`. `size` is its depth in
// pixels from base to tip; the base is 2 * size - 1 pixels wide (size 4: the
// 7-pixel arrow of scroll bars and combo boxes, size 3: the 5-pixel arrow of
// spin buttons). The tip row starts size / 2 pixels before the centre, so an
// up and a down arrow in the same rectangle cover the same rows. Enabled, it
// is drawn in `color`; disabled, it is embossed like disabled text:
// clBtnHighlight one pixel right and down, then clBtnShadow on top.
enum TArrowDirection : uint8_t { adUp, adDown, adLeft, adRight };
void DrawArrow(TCanvas* c, const TRect& r, TArrowDirection d, int size, TColor color, bool enabled);

// A button face with a down arrow: the drop-down button of a combo box or a
// date picker.
void DrawDropDownButton(TCanvas* c, const TRect& r, bool pressed, bool enabled);
// The pair of spin buttons (up above, down below) of an up-down field.
void DrawSpinButtons(TCanvas* c, const TRect& up, const TRect& down, bool enabled);

// The 13 x 13 check-box square with its top-left at (x, y).
constexpr int kCheckBoxSize = 13;
void DrawCheckBox(TCanvas* c, int x, int y, TCheckBoxState state, bool enabled);

// Text in a rectangle with the canvas font, as the platform's DrawText does it:
// DT_LEFT/CENTER/RIGHT, DT_VCENTER/DT_BOTTOM (single line), DT_SINGLELINE,
// DT_WORDBREAK (breaks at blanks; a word wider than the rectangle keeps its own
// line), DT_EXPANDTABS, DT_NOPREFIX ("&x" underlines x, "&&" is "&" otherwise),
// DT_NOCLIP. With DT_CALCRECT nothing is drawn: `r` grows or shrinks to the
// text (Right to the widest line, Bottom to the last line). Returns the height
// of the text. The brush decides whether text cells are filled, as in TextOut.
int DrawText(TCanvas* c, const std::string& text, TRect& r, uint32_t flags);

// DrawText as a disabled control shows it: once in the highlight colour one
// pixel right and down, then in the shadow colour on top.
void DrawDisabledText(TCanvas* c, const std::string& text, TRect r, uint32_t flags);

}  // namespace host
