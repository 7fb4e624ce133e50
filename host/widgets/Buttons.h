// TSpeedButton: a graphic button with a caption and a glyph that can latch
// down alone or in a group.
#pragma once

#include <memory>
#include <string>

#include "host/ui/Controls.h"

namespace host {

// The sender of a group message (CM_BUTTONPRESSED) as a T, or nullptr. Anything
// may broadcast the message, so LParam is trusted only once it is found among the
// receiver's siblings, and then only when that sibling really is a T: buttons of
// different classes that share a GroupIndex never take each other's messages.
template <class T>
T* GroupMessageSender(const TControl* receiver, const TMessage& Message) {
  const TWinControl* parent = receiver->Parent();
  if (!parent) return nullptr;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (LPARAM(c) == Message.LParam) return dynamic_cast<T*>(c);
  }
  return nullptr;
}

enum TButtonState : uint8_t { bsUp, bsDisabled, bsDown, bsExclusive };
enum TButtonLayout : uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
using TNumGlyphs = int;

// A button without a window (it never takes the focus). A press shows it down
// (bsDown); the release with the pointer over it clicks it. Leaving the button
// while it is held raises it, and a release reported after the pointer left
// (say, by a descendant that ends the press on leave) does not click. With a GroupIndex it latches:
// Down stays on (bsExclusive) and the other speed buttons of the same group on the same parent come
// up; AllowAllUp lets a second click raise the last one.
//
// Glyph holds NumGlyphs images side by side, for the up, disabled, down and
// latched states; its bottom-left pixel is the transparent colour. A disabled
// button without its own image shows the glyph embossed.
class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* AOwner);
  ~TSpeedButton() override;

  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool v);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int v);
  // Only a button with a GroupIndex can be down; a group without AllowAllUp
  // keeps its down button down.
  bool Down() const { return FDown; }
  void SetDown(bool v);
  bool Flat() const { return FFlat; }
  void SetFlat(bool v);
  TBitmap* Glyph() const { return FGlyph.get(); }
  // Copies the bitmap (nullptr removes the glyph).
  void SetGlyph(TBitmap* v);
  TNumGlyphs NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(TNumGlyphs v);  // 1 to 4
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout v);
  // Pixels from the edge to the glyph; -1 centres glyph and caption together.
  int Margin() const { return FMargin; }
  void SetMargin(int v);
  // Pixels between glyph and caption.
  int Spacing() const { return FSpacing; }
  void SetSpacing(int v);
  // The state as drawn: bsUp, bsDisabled, bsDown (held) or bsExclusive (latched).
  TButtonState State() const { return FState; }
  // True while the mouse is over a flat button (it shows its edge).
  bool MouseInControl() const { return FMouseInControl; }

  void Click() override;
  std::string ClassName() const override { return "TSpeedButton"; }

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void WMLButtonDblClk(TWMMouse& Message) override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;
  void CMEnabledChanged(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;

 private:
  bool FAllowAllUp = false;
  int FGroupIndex = 0;
  bool FDown = false;
  bool FFlat = false;
  std::unique_ptr<TBitmap> FGlyph;
  TNumGlyphs FNumGlyphs = 1;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
  TButtonState FState = bsUp;
  bool FDragging = false;
  bool FMouseInControl = false;
  void UpdateExclusive();
  void CMButtonPressed(TMessage& Message);
  void CMDialogChar(TMessage& Message);
  // A grouped button's press: down if up, up if its group allows that.
  void ToggleDown();
  void DrawGlyph(TCanvas* c, int x, int y);
};

}  // namespace host
