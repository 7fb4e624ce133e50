// TRotLab: the turned text and the frame.
#include <cmath>
#include <cstdint>
#include <numbers>

#include "foundation/Zel_captionbox.h"
#include "host/ui/Themes.h"
#include "labels/ZEL_RotLab.h"

namespace zel {

using namespace host;

TPoint RotatedTextOrigin(int PosX, int PosY, int Width, int Height, int Angle,
                         TAlignment Alignment) {
  const double hw = Width / 2, hh = Height / 2;
  const double a = Angle / 180.0 * std::numbers::pi;
  const double k = Alignment == taLeftJustify ? 0 : Alignment == taRightJustify ? 2 : 1;
  return Point(PosX + int(Round(-k * hw * std::cos(a) - hh * std::sin(a))),
               PosY + int(Round(k * hw * std::sin(a) - hh * std::cos(a))));
}

int32_t RotatedEscapement(int Angle) {
  const int64_t tenths = int64_t(Angle) * 10;
  if (tenths >= INT32_MIN && tenths <= INT32_MAX) return int32_t(tenths);
  return (Angle % 360) * 10;
}

// The canvas takes the label's font turned by TextAngle, at the quality
// AntiAlias asks for.
void TRotLab::SelectRotatedFont(TCanvas* c) {
  c->SetFont(Font());
  LOGFONTW lf;
  GetObjectW(c->Font()->Handle(), sizeof(lf), &lf);
  lf.lfEscapement = lf.lfOrientation = RotatedEscapement(FTextAngle);
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = FAntiAlias ? ANTIALIASED_QUALITY : NONANTIALIASED_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH;
  if (HFONT h = CreateFontIndirectW(&lf)) c->Font()->SetHandle(h);
}

TPoint TRotLab::TextOrigin() {
  TCanvas* c = Canvas();
  SelectRotatedFont(c);
  const std::string text = Caption();
  return RotatedTextOrigin(FPosX, FPosY, c->TextWidth(text), c->TextHeight(text), FTextAngle,
                           FAlignment);
}

void TRotLab::DoDrawText(TRect&, uint32_t Flags) {
  // Nothing to measure: the label's size is its own, not the text's.
  if (Flags & DT_CALCRECT) return;
  TCanvas* c = Canvas();
  const TPoint at = TextOrigin();
  if (StyleServices()->Enabled() && (StyleElements() & seFont))
    c->Font()->SetColor(StyleServices()->GetStyleFontColor(sfPanelTextNormal));
  c->Brush()->SetStyle(bsClear);
  const std::string text = Caption();
  if (!Enabled()) {
    c->Font()->SetColor(clBtnHighlight);
    c->TextOut(at.x + 1, at.y + 1, text);
    c->Font()->SetColor(clBtnShadow);
  }
  c->TextOut(at.x, at.y, text);
}

void TRotLab::PaintFrame(TCanvas* c) {
  const TCustomStyleServices* ss = StyleServices();
  TFrameColors colors = ClassicFrameColors();
  if (ss->Enabled() && (StyleElements() & seBorder)) {
    c->Brush()->SetColor(ss->GetStyleColor(scGrid));
    colors = StyleFrameColors(ss, ss->GetStyleColor(scBorder));
  }
  DrawBoxFrame(c, FFrameStyle, Rect(0, 0, Width() - 1, Height() - 1), colors);
}

void TRotLab::Paint() {
  if (!Parent() || !Visible()) return;
  TCustomLabel::Paint();
  PaintFrame(Canvas());
}

}  // namespace zel
