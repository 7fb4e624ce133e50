// TOnOffBut: construction, setters, glyph sets, Assign.
#include "instruments/ZEL_onoffbut.h"

#include <algorithm>
#include <exception>

#include "foundation/Zel_captionbox.h"

namespace zel {

using namespace host;

namespace {

// Indexed by TOnOffButStyle.
constexpr const char* kStyleResources[kNumOnOffStyles] = {
    nullptr,      "CHECKBOX",    "RADIOBUT", "SLIDETOPBOT", "SLIDELFTRGT", "COLSLIDETB",
    "COLSLIDELR", "LEDREDGREEN", "ARROWTR",  "ARROWUD",     "ARROWLR",     "TRAFFICLGT",
    "BEVELEDLED", "SMILEYS",     "SMILEYRG", "BULB",        "BUTLAMP",     "HDLEFT",
    "HDRIGHT",    "USER1",       "USER2",    "USER3",       "USER4",       "USER5"};

// The smallest user image that still holds four glyphs of a pixel each.
constexpr int kMinUserImage = 2;

void CopyGlyphs(const TOnOffGlyphs& src, TOnOffGlyphs& dst) {
  for (int s = 0; s < 2; ++s)
    for (int e = 0; e < 2; ++e) dst[s][e].Assign(const_cast<TBitmap*>(&src[s][e]));
}

}  // namespace

const char* OnOffStyleResource(TOnOffButStyle s) {
  return unsigned(s) < unsigned(kNumOnOffStyles) ? kStyleResources[s] : nullptr;
}

void ExtractGlyphs(TBitmap& src, TOnOffGlyphs& dst) {
  const int gw = src.Width() / 2, gh = src.Height() / 2;
  // [state][enabled] -> the quadrant's top-left corner
  const struct {
    int State, Enabled, X, Y;
  } quadrants[] = {{1, 1, 0, 0}, {0, 1, gw, 0}, {1, 0, 0, gh}, {0, 0, gw, gh}};
  for (const auto& q : quadrants) {
    TBitmap& g = dst[q.State][q.Enabled];
    g.SetSize(gw, gh);
    g.Canvas()->CopyRect(Rect(0, 0, gw, gh), src.Canvas(), Rect(q.X, q.Y, q.X + gw, q.Y + gh));
  }
}

TOnOffBut::TOnOffBut(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(0, 0, 100, 50);
  DrawUserPlaceholders();
  LoadGlyphs();
  SetOnResize([this](TObject*) { ProcessResize(); });
}

void TOnOffBut::DrawUserPlaceholders() {
  for (auto& state : FUserImg)
    for (TBitmap& b : state) b.SetSize(20, 20);
  TCanvas* off = FUserImg[0][1].Canvas();
  off->MoveTo(0, 0);
  off->LineTo(20, 20);
  off->MoveTo(19, 0);
  off->LineTo(-1, 20);
  FUserImg[1][1].Canvas()->Ellipse(5, 5, 15, 15);
}

// The user set has a size of its own, unlike what the glyph size of the style
// shown before would give: hit-testing and centring follow the images shown.
void TOnOffBut::LoadGlyphs() {
  if (const char* name = OnOffStyleResource(FButtonStyle)) {
    TBitmap sheet;
    sheet.LoadFromResourceName(name);
    ExtractGlyphs(sheet, FButImg);
  } else {
    CopyGlyphs(FUserImg, FButImg);
  }
  FGlyphWidth = FButImg[1][1].Width();
  FGlyphHeight = FButImg[1][1].Height();
}

void TOnOffBut::SetUserGlyph(TBitmap* Img) {
  if (!Img || Img->Width() < kMinUserImage || Img->Height() < kMinUserImage)
    throw EZELError(ComponentMessage(
        Name(),
        "user glyph image is empty (it needs at least 2 x 2 pixels, one glyph a quadrant)"));
  ExtractGlyphs(*Img, FUserImg);
  if (FButtonStyle != oobsUser) return;
  LoadGlyphs();
  if (FAutoCenter) AdjustAutoCenter();
  Invalidate();
}

void TOnOffBut::LoadUserGlyph(const std::string& FileName) {
  TBitmap img;
  try {
    img.LoadFromFile(FileName);
  } catch (const std::exception& e) {
    throw EZELError(
        ComponentMessage(Name(), "cannot read user glyph file \"" + FileName + "\": " + e.what()));
  }
  SetUserGlyph(&img);
}

void TOnOffBut::Redraw() {
  if (FTransparent)
    Invalidate();
  else
    Paint();
}

void TOnOffBut::SetOnOff(bool v) {
  if (v == FOnOff) return;
  if (FGroupIndex != 0 && !FAllowAllOff && !v) return;
  FOnOff = v;
  Redraw();
  if (FOnOff) UpdateExclusive();
}

void TOnOffBut::SetButtonStyle(TOnOffButStyle s) {
  if (s == FButtonStyle || unsigned(s) >= unsigned(kNumOnOffStyles)) return;
  FButtonStyle = s;
  LoadGlyphs();
  if (FAutoCenter) AdjustAutoCenter();
  Invalidate();
}

void TOnOffBut::SetMode(TOOButMode m) {
  FMode = m;
  if (m == oobmSpeedBut) FOnOff = false;
  Invalidate();
}

void TOnOffBut::SetGroupIndex(int v) {
  if (v == FGroupIndex) return;
  FGroupIndex = v;
  UpdateExclusive();
}

void TOnOffBut::SetAllowAllOff(bool v) {
  if (v == FAllowAllOff) return;
  FAllowAllOff = v;
  UpdateExclusive();
}

void TOnOffBut::SetAutoCenter(bool v) {
  if (v == FAutoCenter) return;
  FAutoCenter = v;
  if (v) AdjustAutoCenter();
  Redraw();
}

void TOnOffBut::SetLeftSpace(int v) { SetSpace(FLeftSpace, v, Width()); }

void TOnOffBut::SetTopSpace(int v) { SetSpace(FTopSpace, v, Height()); }

void TOnOffBut::SetSpace(int& space, int v, int limit) {
  if (v == space || v < 0) return;
  if (FAutoCenter)
    AdjustAutoCenter();
  else
    space = std::min(v, limit);
  Invalidate();
}

void TOnOffBut::SetTransparent(bool v) {
  if (v == FTransparent) return;
  FTransparent = v;
  Invalidate();
}

void TOnOffBut::SetColorScheme(TColorScheme s) {
  if (StoreColorScheme(s, FColorScheme, FColGrayLine, FColWhiteLine)) Invalidate();
}

void TOnOffBut::SetEnabled(bool e) {
  TGraphicControl::SetEnabled(e);
  Invalidate();
}

void TOnOffBut::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TOnOffBut*>(Source);
  if (!src) {
    TGraphicControl::Assign(Source);
    return;
  }
  if (src == this) return;
  FLeftSpace = src->FLeftSpace;
  FTopSpace = src->FTopSpace;
  FAutoCenter = src->FAutoCenter;
  FLeftText = src->FLeftText;
  FTopText = src->FTopText;
  FRightText = src->FRightText;
  FBottomText = src->FBottomText;
  FLeftTextAlignment = src->FLeftTextAlignment;
  FTopTextAlignment = src->FTopTextAlignment;
  FRightTextAlignment = src->FRightTextAlignment;
  FBottomTextAlignment = src->FBottomTextAlignment;
  FFrameStyle = src->FFrameStyle;
  FColorBackgnd = src->FColorBackgnd;
  FColBlackLine = src->FColBlackLine;
  FColGrayLine = src->FColGrayLine;
  FColWhiteLine = src->FColWhiteLine;
  FColorScheme = src->FColorScheme;
  FOnOff = src->FOnOff;
  CopyGlyphs(src->FButImg, FButImg);
  CopyGlyphs(src->FUserImg, FUserImg);
  FButtonStyle = src->FButtonStyle;
  FMouseAction = src->FMouseAction;
  FColorText = src->FColorText;
  FGlyphWidth = src->FGlyphWidth;
  FGlyphHeight = src->FGlyphHeight;
  FTransparent = src->FTransparent;
  TGraphicControl::SetEnabled(src->Enabled());
  Invalidate();
}

void TOnOffBut::AssignTo(TPersistent* Dest) {
  if (auto* dst = dynamic_cast<TOnOffBut*>(Dest))
    dst->Assign(this);
  else
    TGraphicControl::AssignTo(Dest);
}

}  // namespace zel
