// The "Instruments" page's band of on/off buttons: every glyph style on and
// off, enabled and disabled; two groups (one keeps a button on, one may be all
// off); a momentary lamp button; captions round a glyph; a user glyph set.
#include <algorithm>

#include "apps/gallery/Pages.h"
#include "instruments/ZEL_onoffbut.h"

namespace {

using namespace zel;

constexpr int kBandWidth = 1300;

const char* const kStyleNames[kNumOnOffStyles] = {"user",
                                                  "check box",
                                                  "radio button",
                                                  "slide top/bottom",
                                                  "slide left/right",
                                                  "colour slide t/b",
                                                  "colour slide l/r",
                                                  "LED red/green",
                                                  "arrow top/right",
                                                  "arrow up/down",
                                                  "arrow left/right",
                                                  "pedestrian light",
                                                  "bevelled LED",
                                                  "smiley",
                                                  "smiley red/green",
                                                  "bulb",
                                                  "lamp button",
                                                  "HD left",
                                                  "HD right",
                                                  "power",
                                                  "lever",
                                                  "padlock",
                                                  "star",
                                                  "tick/cross"};

TOnOffBut* AddButton(host::TWinControl* p, TOnOffButStyle s, int x, int y, int w, int h) {
  auto* b = gallery::Add<TOnOffBut>(p, x, y, w, h);
  b->SetButtonStyle(s);
  return b;
}

// A style's four states side by side under its name; returns the width taken.
int AddStyleCell(host::TWinControl* p, TOnOffButStyle s, int x, int y) {
  gallery::Caption(p, x, y, kStyleNames[s]);
  int used = 0;
  for (bool enabled : {true, false})
    for (bool on : {true, false}) {
      auto* b = AddButton(p, s, x + used, y + 18, 0, 0);
      b->SetFrameStyle(frNone);
      b->SetTransparent(true);
      b->SetBounds(x + used, y + 18, b->GlyphWidth() + 4, b->GlyphHeight() + 4);
      b->SetOnOff(on);
      b->SetEnabled(enabled);
      used += b->Width();
    }
  return std::max(used, 120);
}

// A user glyph set drawn here: a filled and an empty diamond.
void GiveUserGlyphs(TOnOffBut* b) {
  host::TBitmap img(48, 48);
  host::TCanvas* c = img.Canvas();
  c->Brush()->SetColor(kOnOffKeyColor);
  c->FillRect(host::Rect(0, 0, 48, 48));
  const host::TColor fills[2][2] = {{host::RGB(200, 40, 160), host::clWhite},
                                    {host::RGB(170, 150, 170), host::RGB(235, 235, 235)}};
  for (int row = 0; row < 2; ++row)
    for (int col = 0; col < 2; ++col) {
      const int x = col * 24, y = row * 24;
      c->Pen()->SetColor(row ? host::clGray : host::clBlack);
      c->Brush()->SetColor(fills[row][col]);
      c->Polygon({{x + 12, y + 1}, {x + 22, y + 12}, {x + 12, y + 22}, {x + 1, y + 12}});
    }
  b->SetUserGlyph(&img);
}

int BuildStyleSheet(host::TWinControl* p, int top) {
  gallery::Caption(p, 16, top, "On/off buttons: every style on and off, enabled and disabled");
  int x = 16, y = top + 24, rowHeight = 0;
  for (int i = oobsCheckbox; i <= oobsUser5; ++i) {
    auto s = TOnOffButStyle(i);
    TOnOffBut probe(nullptr);
    probe.SetButtonStyle(s);
    const int cellWidth = std::max(4 * (probe.GlyphWidth() + 4), 120);
    if (x + cellWidth > kBandWidth) {
      x = 16;
      y += rowHeight + 26;
      rowHeight = 0;
    }
    x += AddStyleCell(p, s, x, y) + 24;
    rowHeight = std::max(rowHeight, probe.GlyphHeight() + 4);
  }
  return y + rowHeight + 30;
}

void BuildGroups(host::TWinControl* p, int top) {
  gallery::Caption(p, 16, top, "Group 1: one channel always on");
  gallery::Caption(p, 260, top, "Group 2: may be all off");
  const char* const channels[] = {"Channel A", "Channel B", "Channel C"};
  for (int i = 0; i < 3; ++i) {
    auto* radio = AddButton(p, oobsRadioBut, 16, top + 22 + i * 30, 200, 28);
    radio->SetAutoCenter(false);
    radio->SetLeftSpace(8);
    radio->SetTopSpace(6);
    radio->SetRightText(channels[i]);
    radio->SetOnOff(i == 0);
    radio->SetAllowAllOff(false);
    radio->SetGroupIndex(1);
    auto* led = AddButton(p, oobsBeveledLed, 260, top + 22 + i * 30, 200, 28);
    led->SetAutoCenter(false);
    led->SetLeftSpace(8);
    led->SetTopSpace(4);
    led->SetRightText(std::string("Heater ") + char('1' + i));
    led->SetOnOff(false);
    led->SetGroupIndex(2);
  }
  gallery::Caption(p, 500, top, "Momentary (speed-button mode)");
  auto* lamp = AddButton(p, oobsButLamp, 500, top + 22, 220, 50);
  lamp->SetMode(oobmSpeedBut);
  lamp->SetRightText("hold to test");
  lamp->SetAutoCenter(false);
  lamp->SetLeftSpace(8);
  lamp->SetTopSpace(12);
  gallery::Caption(p, 760, top, "Captions round a glyph");
  auto* light = AddButton(p, oobsTrafficLPed, 760, top + 22, 220, 80);
  light->SetLeftText("Wait");
  light->SetRightText("Walk");
  light->SetTopText("Crossing");
  light->SetBottomText("press the light");
  light->SetMouseAction(oomaPlain);
  gallery::Caption(p, 1020, top, "User glyphs");
  auto* user = AddButton(p, oobsUser, 1020, top + 22, 140, 50);
  GiveUserGlyphs(user);
  user->SetRightText("mine");
}

const bool registered = gallery::RegisterPage({"Instruments", [](host::TWinControl* parent) {
                                                 BuildGroups(parent, BuildStyleSheet(parent, 8));
                                               }});

}  // namespace
