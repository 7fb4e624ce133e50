#include "foundation/Zel_captionbox.h"

#include "host/ui/Themes.h"

namespace zel {

using namespace host;

const char* const kTextHeightProbe = "(8g]}\xC3\x9C\xC3\x84\xC2\xA7";

int CenteredTextTop(TCanvas* c, int bandHeight) {
  return CenteredTextTop(bandHeight, c->TextHeight(kTextHeightProbe));
}

TFrameLineColors FrameLineColors(TColorScheme Scheme) {
  if (Scheme == csmFixed) return TFrameLineColors{};
  return TFrameLineColors{clBlack, clBtnShadow, clBtnHighlight};
}

bool StoreColorScheme(TColorScheme s, TColorScheme& Scheme, TColor& GrayLine, TColor& WhiteLine) {
  if (s == Scheme) return false;
  Scheme = s;
  const TFrameLineColors lines = FrameLineColors(s);
  GrayLine = lines.Gray;
  WhiteLine = lines.White;
  return true;
}

TFrameColors FrameColorsOf(const TFrameLineColors& Lines) {
  TFrameColors f;
  f.Light = Lines.White;
  f.Shadow = Lines.Gray;
  f.Dark = Lines.Black;
  return f;
}

TFrameColors StyleFrameColors(const TCustomStyleServices* Style, TColor Fifth) {
  return TFrameColors{Style->GetSystemColor(cl3DLight), Style->GetSystemColor(clBtnHighlight),
                      Style->GetSystemColor(clBtnShadow), Style->GetSystemColor(cl3DDkShadow),
                      Fifth};
}

TColor BoxOutlineColor(TFrameStyle Style, const TFrameLineColors& Lines, TColor BoxColor) {
  if (Style == frNone) return BoxColor;
  return Style == frEmbossed ? Lines.White : Lines.Gray;
}

void FillBox(TCanvas* c, const TRect& r, TColor outline, TColor fill) {
  c->Pen()->SetColor(outline);
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(fill);
  c->Rectangle(r.Left, r.Top, r.Right, r.Bottom);
}

void DrawBoxFrame(TCanvas* c, TFrameStyle Style, const TRect& box, const TFrameColors& colors) {
  DrawFrame(c, Style, box.Left, box.Top, box.Right, box.Bottom, colors.Light, colors.Silver,
            colors.Shadow, colors.Dark, colors.Fifth);
}

void DrawCaption(TCanvas* c, const std::string& s, TCaptionPlace at, int y, bool enabled,
                 TColor ink, TColor light, bool greyPass) {
  c->Brush()->SetStyle(bsClear);
  if (enabled) {
    c->Font()->SetColor(ink);
    c->TextOut(at.X, y, s);
  } else {
    c->Font()->SetColor(light);
    c->TextOut(at.ShadowX, y + 1, s);
    if (greyPass) {
      c->Font()->SetColor(RGB(128, 128, 128));
      c->TextOut(at.X, y, s);
    }
  }
  c->Brush()->SetStyle(bsSolid);
}

// --- layout

namespace {

int LeftCaptionX(TAlignment a, int zoneEnd, int w) {
  if (a == taLeftJustify) return 7;
  if (a == taRightJustify) return zoneEnd - w - 5;
  return (zoneEnd - w) / 2;
}

int RightCaptionX(TAlignment a, int zoneStart, int width, int w) {
  if (a == taLeftJustify) return zoneStart + 7;
  if (a == taRightJustify) return width - w - 6;
  return (width - (zoneStart + w)) / 2 + zoneStart + 1;
}

TCaptionPlace PlaceWithShadow(int x) { return TCaptionPlace{x, x + 1}; }

}  // namespace

TCaptionZone TCaptionBoxLayout::ZoneAt(int X) const {
  if (X > BoxRight) return czRightText;
  return X > BoxLeft ? czBox : czLeftText;
}

int TCaptionBoxLayout::BoxTextX(int w) const {
  if (Alignment == taLeftJustify) return BoxLeft + 4;
  if (Alignment == taRightJustify) return BoxRight - w - 2;
  return BoxLeft + 2 + (BoxRight - BoxLeft - w) / 2;
}

TCaptionBoxLayout CaptionBoxLayout(const TCaptionBoxMetrics& m) {
  TCaptionBoxLayout l;
  l.TextTop = CenteredTextTop(m.BandHeight, m.ProbeHeight);
  l.BoxLeft = m.LeftSpace;
  l.BoxRight = m.LeftSpace + m.BoxWidth;
  l.Alignment = m.Alignment;
  l.LeftCaption = PlaceWithShadow(LeftCaptionX(m.LeftTextAlignment, m.LeftSpace, m.LeftTextWidth));
  l.RightCaption = PlaceWithShadow(
      RightCaptionX(m.RightTextAlignment, l.BoxRight + m.RightGap, m.Width, m.RightTextWidth));
  return l;
}

// --- the properties

template <class TBase>
void TFramedControl<TBase>::SetColorScheme(TColorScheme s) {
  if (StoreColorScheme(s, FColorScheme, FColGrayLine, FColWhiteLine)) Redraw();
}

template <class TBase>
std::unique_ptr<TBitmap> TFramedControl<TBase>::OffscreenBitmap() {
  if (this->Width() <= 0 || this->Height() <= 0) return nullptr;
  auto bmp = std::make_unique<TBitmap>(this->Width(), this->Height());
  bmp->Canvas()->SetFont(this->Font());
  return bmp;
}

template <class TBase>
void TFramedControl<TBase>::AssignFrame(const TFramedControl& src) {
  FFrameStyle = src.FFrameStyle;
  FColorScheme = src.FColorScheme;
  FColBlackLine = src.FColBlackLine;
  FColGrayLine = src.FColGrayLine;
  FColWhiteLine = src.FColWhiteLine;
}

template <class TBase>
void TCaptionBoxControl<TBase>::SetEnabled(bool e) {
  if (e == this->Enabled()) return;
  TBase::SetEnabled(e);
  this->Refresh();
}

template <class TBase>
TCaptionBoxMetrics TCaptionBoxControl<TBase>::CaptionMetrics(TCanvas* c, int boxWidth,
                                                             int bandHeight, int rightGap) const {
  TCaptionBoxMetrics m;
  m.Width = this->Width();
  m.BandHeight = bandHeight;
  m.ProbeHeight = c->TextHeight(kTextHeightProbe);
  m.LeftSpace = FLeftSpace;
  m.BoxWidth = boxWidth;
  m.RightGap = rightGap;
  m.LeftTextWidth = c->TextWidth(FLeftText);
  m.RightTextWidth = c->TextWidth(FRightText);
  m.Alignment = FAlignment;
  m.LeftTextAlignment = FLeftTextAlignment;
  m.RightTextAlignment = FRightTextAlignment;
  return m;
}

template <class TBase>
void TCaptionBoxControl<TBase>::AssignCaptionBox(const TCaptionBoxControl& src) {
  this->AssignFrame(src);
  FLeftText = src.FLeftText;
  FRightText = src.FRightText;
  FLeftSpace = src.FLeftSpace;
  FAlignment = src.FAlignment;
  FLeftTextAlignment = src.FLeftTextAlignment;
  FRightTextAlignment = src.FRightTextAlignment;
  FColorOutText = src.FColorOutText;
}

template class TFramedControl<TGraphicControl>;
template class TFramedControl<TCustomControl>;
template class TCaptionBoxControl<TGraphicControl>;
template class TCaptionBoxControl<TCustomControl>;

}  // namespace zel
