// The "Labels" page: rotated labels at several angles and anchors, and raster
// labels in every frame style, with the built-in and a sampled font, four of
// them scrolling, one in each direction.
#include "apps/gallery/Pages.h"
#include "labels/ZEL_RasterLab.h"
#include "labels/ZEL_RotLab.h"

namespace {

using namespace zel;

TRotLab* AddRotLab(host::TWinControl* p, int x, int angle, const std::string& caption) {
  TRotLab* l = gallery::Add<TRotLab>(p, x, 26, 150, 150);
  l->SetCaption(caption);
  l->SetTextAngle(angle);
  return l;
}

void BuildRotatedLabels(host::TWinControl* p) {
  gallery::Caption(p, 8, 4, "Rotated labels: the caption turned about its anchor");
  AddRotLab(p, 8, 0, "0 degrees");
  TRotLab* up = AddRotLab(p, 166, 90, "90, reads upwards");
  up->SetTransparent(false);
  up->SetColor(host::clWhite);
  TRotLab* slant = AddRotLab(p, 324, 30, "30, no smoothing");
  slant->SetAntiAlias(false);
  slant->SetFrameStyle(frRaised);
  TRotLab* down = AddRotLab(p, 482, 270, "270, reads down");
  down->Font()->SetColor(host::clNavy);
  down->SetFrameStyle(frSimple);
  TRotLab* left = AddRotLab(p, 640, 45, "left end at anchor");
  left->SetAutoCenter(false);
  left->SetPosX(14);
  left->SetPosY(136);
  left->SetAlignment(host::taLeftJustify);
  left->SetFrameStyle(frEmbossed);
  TRotLab* flip = AddRotLab(p, 798, 180, "upside down");
  flip->Font()->SetStyle(host::fsBold);
  flip->SetFrameStyle(frEngraved);
  TRotLab* right = AddRotLab(p, 956, -30, "right end");
  right->SetAutoCenter(false);
  right->SetPosX(140);
  right->SetPosY(75);
  right->SetAlignment(host::taRightJustify);
  right->SetTransparent(false);
  right->SetColor(host::RGB(255, 250, 220));
  AddRotLab(p, 1114, -60, "disabled")->SetEnabled(false);
}

TRasterLab* AddRasterLab(host::TWinControl* p, int x, int y, int w, const std::string& text,
                         TFrameStyle frame) {
  TRasterLab* l = gallery::Add<TRasterLab>(p, x, y, w, 0);
  l->SetFrameStyle(frame);
  l->SetText(text);
  l->SetPosX(2);
  l->SetPosY(2);
  l->SetAutoHeight(true);
  return l;
}

// The built-in font in each frame style and block mode, a sampled host font.
void BuildRasterLooks(host::TWinControl* p) {
  gallery::Caption(p, 8, 4, "Raster labels: frame styles 1 to 5, block modes, fonts");
  AddRasterLab(p, 8, 26, 420, "Simple frame 230 V", frSimple);
  TRasterLab* red = AddRasterLab(p, 8, 84, 420, "Sunken -12.5 dB", frLowered);
  red->SetColorDotOn(host::RGB(255, 50, 30));
  red->SetColorDotOff(host::RGB(70, 20, 16));
  TRasterLab* amber =
      AddRasterLab(p, 8, 142, 420, "Raised \xC3\x84\xC3\xB6\xC3\xBC \xC3\xA9\xC3\xA7", frRaised);
  amber->SetCharBlockMode(rdbmRaster);
  amber->SetColorDotOn(host::RGB(255, 176, 0));
  amber->SetColorDotOff(host::RGB(72, 52, 16));
  TRasterLab* ridge = AddRasterLab(p, 460, 26, 420, "Ridge, no blocks", frEmbossed);
  ridge->SetCharBlockMode(rdbmOff);
  TRasterLab* groove = AddRasterLab(p, 460, 84, 420, "Groove gjpqy", frEngraved);
  groove->SetDotSize(2);
  groove->SetAutoCenter(true);
  TRasterLab* sampled = AddRasterLab(p, 460, 142, 420,
                                     "Sampled 21.5\xC2\xB0"
                                     "C",
                                     frLowered);
  sampled->SetDotSize(2);
  sampled->Font()->SetName("DejaVu Sans");
  sampled->Font()->SetSize(12);
  TRasterLab* tiny = AddRasterLab(p, 912, 26, 300, "DotSize 1, fixed width", frLowered);
  tiny->SetDotSize(1);
  tiny->SetDotSpacing(0);
  tiny->SetProportional(false);
  TRasterLab* blue = AddRasterLab(p, 912, 60, 300, "Blue 42", frSimple);
  blue->SetDotSize(4);
  blue->SetColorDotOn(host::RGB(90, 170, 255));
  blue->SetColorDotOff(host::RGB(20, 34, 60));
}

void BuildRasterScrolling(host::TWinControl* p) {
  gallery::Caption(p, 8, 4, "Scrolling on the label's own timer: left, right, up, down");
  const struct {
    TRDScrollMode Mode;
    const char* Text;
    int X, Width;
  } rows[] = {{rdsmLeft, "Scrolling left ... measurement running ... ", 8, 420},
              {rdsmRight, "Scrolling right >>>", 460, 420},
              {rdsmUp, "1.25 bar", 912, 200},
              {rdsmDown, "3.0 Hz", 1124, 200}};
  for (const auto& r : rows) {
    TRasterLab* l = AddRasterLab(p, r.X, 26, r.Width, r.Text, frLowered);
    l->SetScrollInterval(r.Mode == rdsmUp || r.Mode == rdsmDown ? 80 : 40);
    l->SetScrollMode(r.Mode);
  }
}

const bool registered = gallery::RegisterPage({"Labels", BuildRotatedLabels}) &&
                        gallery::RegisterPage({"Labels", BuildRasterLooks}) &&
                        gallery::RegisterPage({"Labels", BuildRasterScrolling});

}  // namespace
