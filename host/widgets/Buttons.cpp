#include "host/widgets/Buttons.h"

#include <algorithm>

#include "host/ui/Forms.h"
#include "host/widgets/Look.h"

namespace host {

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) {
  // The button clicks itself on release (see MouseUp), so no click events of
  // the base: a press dragged off and back must not click twice.
  SetControlStyle(
      TControlStyle((ControlStyle() | csCaptureMouse | csDoubleClicks) & ~csClickEvents));
  SetParentColor(true);
  SetBounds(0, 0, 23, 22);
}

TSpeedButton::~TSpeedButton() = default;

// --- properties

void TSpeedButton::SetAllowAllUp(bool v) {
  if (v == FAllowAllUp) return;
  FAllowAllUp = v;
  UpdateExclusive();
}

void TSpeedButton::SetGroupIndex(int v) {
  if (v == FGroupIndex) return;
  FGroupIndex = v;
  UpdateExclusive();
}

void TSpeedButton::SetDown(bool v) {
  if (FGroupIndex == 0) v = false;
  if (v == FDown) return;
  if (FDown && !FAllowAllUp) return;
  FDown = v;
  if (Enabled()) FState = v ? bsExclusive : bsUp;
  Invalidate();
  if (v) UpdateExclusive();
}

void TSpeedButton::SetFlat(bool v) {
  if (v == FFlat) return;
  FFlat = v;
  Invalidate();
}

void TSpeedButton::SetGlyph(TBitmap* v) {
  if (!v || v->Empty())
    FGlyph.reset();
  else {
    if (!FGlyph) FGlyph = std::make_unique<TBitmap>();
    FGlyph->Assign(v);
    // A strip of square images says how many it holds.
    const int w = FGlyph->Width(), h = FGlyph->Height();
    if (h > 0 && w % h == 0 && w / h >= 1 && w / h <= 4) FNumGlyphs = w / h;
  }
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(TNumGlyphs v) {
  v = std::clamp(v, 1, 4);
  if (v == FNumGlyphs) return;
  FNumGlyphs = v;
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout v) {
  if (v == FLayout) return;
  FLayout = v;
  Invalidate();
}

void TSpeedButton::SetMargin(int v) {
  v = std::max(v, -1);
  if (v == FMargin) return;
  FMargin = v;
  Invalidate();
}

void TSpeedButton::SetSpacing(int v) {
  if (v == FSpacing) return;
  FSpacing = v;
  Invalidate();
}

// --- groups

void TSpeedButton::UpdateExclusive() {
  if (FGroupIndex == 0 || !Parent()) return;
  TMessage m{CM_BUTTONPRESSED, WPARAM(FGroupIndex), LPARAM(this), 0};
  Parent()->Broadcast(m);
}

void TSpeedButton::CMButtonPressed(TMessage& Message) {
  if (int(Message.WParam) != FGroupIndex) return;
  TSpeedButton* sender = GroupMessageSender<TSpeedButton>(this, Message);
  if (!sender || sender == this) return;
  if (sender->Down() && FDown) {
    FDown = false;
    if (Enabled()) FState = bsUp;
    Invalidate();
  }
  FAllowAllUp = sender->AllowAllUp();
}

void TSpeedButton::DefaultHandler(TMessage& Message) {
  if (Message.Msg == CM_BUTTONPRESSED) CMButtonPressed(Message);
  if (Message.Msg == CM_DIALOGCHAR) CMDialogChar(Message);
}

// --- mouse

void TSpeedButton::Click() { TGraphicControl::Click(); }

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !Enabled()) return;
  if (!FDown) {
    FState = bsDown;
    Invalidate();
  }
  FDragging = true;
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!FDragging) return;
  const bool inside = ClientRect().Contains(X, Y);
  const TButtonState state = FDown ? bsExclusive : inside ? bsDown : bsUp;
  if (state == FState) return;
  FState = state;
  Invalidate();
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!FDragging) return;
  FDragging = false;
  // The pointer must really be over the button: a release reported at an inside
  // point after the mouse has left (a hook ending the press on leave) is no click.
  const bool doClick = ClientRect().Contains(X, Y) && FMouseInControl;
  if (FGroupIndex == 0) {
    if (Enabled()) FState = bsUp;
    Invalidate();
  } else if (doClick) {
    ToggleDown();
  } else {
    if (Enabled()) FState = FDown ? bsExclusive : bsUp;
    Invalidate();
  }
  if (doClick) Click();
}

void TSpeedButton::ToggleDown() {
  SetDown(!FDown);
  // A latched button whose group keeps it down goes back to its latched look.
  if (FDown && Enabled()) FState = bsExclusive;
  Invalidate();
}

void TSpeedButton::CMDialogChar(TMessage& Message) {
  // The caption's "&x" accelerator presses the button as a click would.
  if (!Enabled() || !Visible() || !IsAccel(char32_t(Message.WParam), Caption())) return;
  if (FGroupIndex != 0) ToggleDown();
  Click();
  Message.Result = 1;
}

void TSpeedButton::WMLButtonDblClk(TWMMouse& Message) {
  TGraphicControl::WMLButtonDblClk(Message);
  if (FDown) DblClick();
}

void TSpeedButton::CMMouseEnter(TMessage& Message) {
  TGraphicControl::CMMouseEnter(Message);
  if (FMouseInControl || !Enabled()) return;
  FMouseInControl = true;
  if (FFlat) Invalidate();
}

void TSpeedButton::CMMouseLeave(TMessage& Message) {
  TGraphicControl::CMMouseLeave(Message);
  if (!FMouseInControl) return;
  FMouseInControl = false;
  // A held button shows up as soon as the pointer is off it.
  if (FDragging && Enabled()) FState = FDown ? bsExclusive : bsUp;
  Invalidate();
}

void TSpeedButton::CMEnabledChanged(TMessage& Message) {
  if (!Enabled()) {
    FState = bsDisabled;
    FDragging = false;
    FMouseInControl = false;
  } else {
    FState = FDown ? bsExclusive : bsUp;
  }
  TGraphicControl::CMEnabledChanged(Message);
}

// --- painting

namespace {

TFaceState FaceOf(TButtonState state, bool flat, bool hot) {
  const bool down = state == bsDown || state == bsExclusive;
  if (flat) return down ? fsFlatDown : hot ? fsHot : fsFlatUp;
  return state == bsDown ? fsPressed : state == bsExclusive ? fsLatched : fsUp;
}

// Gray level of a colour, 0..255, weighted as the eye sees it.
int Luma(TColor c) { return (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100; }

}  // namespace

void TSpeedButton::DrawGlyph(TCanvas* c, int x, int y) {
  TBitmap* g = FGlyph.get();
  const int w = g->Width() / FNumGlyphs, h = g->Height();
  const TColor transparent = g->Canvas()->Pixels(0, h - 1);
  const int part = int(FState) < FNumGlyphs ? int(FState) : 0;
  if (FState == bsDisabled && FNumGlyphs < 2) {
    // No disabled image: the dark parts of the glyph, embossed.
    const TColor light = ColorToRGB(clBtnHighlight), shadow = ColorToRGB(clBtnShadow);
    for (int pass = 0; pass < 2; ++pass)
      for (int py = 0; py < h; ++py)
        for (int px = 0; px < w; ++px) {
          const TColor p = g->Canvas()->Pixels(px, py);
          if (p == transparent || Luma(p) >= 192) continue;
          if (pass == 0)
            c->SetPixels(x + px + 1, y + py + 1, light);
          else
            c->SetPixels(x + px, y + py, shadow);
        }
    return;
  }
  TBitmap piece(w, h);
  piece.Canvas()->CopyRect(Rect(0, 0, w, h), g->Canvas(), Rect(part * w, 0, part * w + w, h));
  piece.SetTransparent(true);
  piece.SetTransparentColor(transparent);
  c->Draw(x, y, &piece);
}

void TSpeedButton::Paint() {
  TCanvas* c = Canvas();
  const TRect r = ClientRect();
  const TRect content =
      DrawButtonFace(c, r, FaceOf(FState, FFlat, FMouseInControl && Enabled()), Color());
  // A latched flat button keeps the dithered face that says "down".
  if (FFlat && FState == bsExclusive)
    FillDithered(c, OffsetRect(content, -1, -1), Color(), clBtnHighlight);
  c->SetFont(Font());
  const std::string& caption = Caption();
  const int gw = FGlyph ? FGlyph->Width() / FNumGlyphs : 0;
  const int gh = FGlyph ? FGlyph->Height() : 0;
  const int tw = caption.empty() ? 0 : c->TextWidth(caption);
  const int th = caption.empty() ? 0 : c->TextHeight(caption);
  const int gap = (gw > 0 && tw > 0) ? FSpacing : 0;
  const bool across = FLayout == blGlyphLeft || FLayout == blGlyphRight;
  const int total = across ? gw + gap + tw : gh + gap + th;
  const int room = across ? content.Width() : content.Height();
  const int start =
      (FMargin < 0 ? (room - total) / 2 : FMargin) + (across ? content.Left : content.Top);
  const bool glyphFirst = FLayout == blGlyphLeft || FLayout == blGlyphTop;
  const int glyphAt = glyphFirst ? start : start + (across ? tw : th) + gap;
  const int textAt = glyphFirst ? start + (across ? gw : gh) + gap : start;
  if (FGlyph) {
    if (across)
      DrawGlyph(c, glyphAt, content.Top + (content.Height() - gh) / 2);
    else
      DrawGlyph(c, content.Left + (content.Width() - gw) / 2, glyphAt);
  }
  if (caption.empty()) return;
  TRect text = across ? Rect(textAt, content.Top, textAt + tw, content.Bottom)
                      : Rect(content.Left, textAt, content.Right, textAt + th);
  const uint32_t flags = DT_SINGLELINE | DT_CENTER | DT_VCENTER;
  c->Brush()->SetStyle(bsClear);
  if (Enabled())
    DrawText(c, caption, text, flags);
  else
    DrawDisabledText(c, caption, text, flags);
}

}  // namespace host
