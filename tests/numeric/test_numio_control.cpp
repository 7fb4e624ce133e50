// TNumIO2 on a headless form: value model through the control, keyboard and
// mouse sequences, buttons, gauge, caret timer and paint geometry.
#include <gtest/gtest.h>

#include "host/ui/Clipbrd.h"
#include "host/ui/FormatSettings.h"
#include "host/ui/Windows.h"
#include "numeric/ZEL_NumIO.h"
#include "tests/support/Headless.h"

using namespace zel;
using host::RGB;
using host::TColor;
using zeltest::PressKey;

namespace {

class NumIOTest : public zeltest::HeadlessTest {
 protected:
  TNumIO2* Make(int top = 10) {
    auto* n = HeadlessTest::Make<TNumIO2>(10, top, 160, 28);
    n->SetName("NumIO" + std::to_string(top));
    n->SetOnChange([this](host::TObject*) { ++Changes; });
    return n;
  }
  // A focused control with Beep on.
  TNumIO2* Focused() {
    TNumIO2* n = Make();
    n->SetBeep(true);
    n->SetFocus();
    zeltest::Pump();
    return n;
  }
  void Type(const std::string& s) { zeltest::TypeText(Form(), s); }
  void Key(host::Word k, host::TShiftState s = 0) { PressKey(Form(), k, s); }
  int Beeps() { return zeltest::Headless().BeepCount(); }
  int Changes = 0;
};

}  // namespace

TEST_F(NumIOTest, ValueModelThroughTheControl) {
  TNumIO2* n = Make();
  n->SetValue(3.14159);
  EXPECT_EQ(n->Text(), "3.14");
  EXPECT_DOUBLE_EQ(n->Value(), 3.14);
  n->SetText("12abc");  // fails the itFloat check: ignored
  EXPECT_EQ(n->Text(), "3.14");
  n->SetInputFormat(itExp);
  EXPECT_EQ(n->Text(), " 3.14000E+00");
  n->SetText("12abc");
  EXPECT_EQ(n->Text(), "12abc");
  EXPECT_DOUBLE_EQ(n->Value(), 12);
  n->SetInputFormat(itHex);
  EXPECT_EQ(n->Text(), "0000000C");
  n->SetInputFormat(itFloat);
  n->SetFixPointDecPlaces(0);
  EXPECT_EQ(n->FixPointDecPlaces(), 2);
  n->SetFixPointDecPlaces(99);
  EXPECT_EQ(n->FixPointDecPlaces(), 15);
  EXPECT_EQ(n->Text(), "12.000000000000000");
  n->SetRangeLow(2000);
  EXPECT_EQ(n->RangeHigh(), 2000);
  n->SetRangeHigh(-5);
  EXPECT_EQ(n->RangeLow(), -5);
  EXPECT_EQ(Changes, 0);
}

TEST_F(NumIOTest, IntegerValueAndItsOverflow) {
  TNumIO2* n = Make();
  n->SetInputFormat(itExp);
  n->SetText("2.5");
  EXPECT_EQ(n->GetNioIntValue(), 2);
  n->SetText("3E9");
  try {
    n->GetNioIntValue();
    FAIL() << "no overflow raised";
  } catch (const EZELNumIO2Error& e) {
    EXPECT_STREQ(e.what(), "Component \"NumIO10\": integer overflow");
  }
  EXPECT_EQ(n->Text(), "3E9");
}

TEST_F(NumIOTest, TypingBuildsTheNumberAndRefusesBadKeys) {
  TNumIO2* n = Focused();
  Type("12.5");
  EXPECT_EQ(n->Text(), "12.5");
  EXPECT_EQ(Changes, 4);
  EXPECT_EQ(Beeps(), 0);
  Key('G');
  Key('E');  // a letter the format refuses
  EXPECT_EQ(n->Text(), "12.5");
  EXPECT_EQ(Changes, 4);
  EXPECT_EQ(Beeps(), 2);
  EXPECT_EQ(zeltest::Headless().LastBeepType(), 0xFFFFu);
  n->SetBeep(false);
  Key('G');
  EXPECT_EQ(Beeps(), 2);
}

TEST_F(NumIOTest, LoneSignsAndEmptyBufferAreAccepted) {
  TNumIO2* n = Focused();
  Key(host::VK_SUBTRACT);
  EXPECT_EQ(n->Text(), "-");
  Key(host::VK_BACK);
  EXPECT_EQ(n->Text(), "");
  Key(host::VK_OEM_PLUS, host::ssShift);
  EXPECT_EQ(n->Text(), "+");
  EXPECT_EQ(Changes, 3);
  EXPECT_EQ(Beeps(), 0);
}

TEST_F(NumIOTest, CaretKeysAndDeletion) {
  TNumIO2* n = Focused();
  n->SetText("123");
  Key(host::VK_END);
  EXPECT_EQ(n->CaretPos(), 3);
  Key(host::VK_LEFT);
  Key(host::VK_BACK);
  EXPECT_EQ(n->Text(), "13");
  Key(host::VK_DELETE);
  EXPECT_EQ(n->Text(), "1");
  Key(host::VK_HOME);
  Key(host::VK_LEFT);
  EXPECT_EQ(n->CaretPos(), 0);
  Key(host::VK_DOWN);
  Key(host::VK_DOWN);
  EXPECT_EQ(n->CaretPos(), 1);
  // Deleting a selection that empties the buffer writes the value 0.
  n->SetSelBegin(0);
  n->SetSelEnd(1);
  Key(host::VK_DELETE);
  EXPECT_EQ(n->Text(), "0.00");
  EXPECT_EQ(Changes, 3);
}

TEST_F(NumIOTest, TypingReplacesTheSelection) {
  TNumIO2* n = Focused();
  n->SetText("1234");
  n->SetSelBegin(1);
  n->SetSelEnd(3);
  Type("9");
  EXPECT_EQ(n->Text(), "194");
  EXPECT_EQ(n->CaretPos(), 2);
}

TEST_F(NumIOTest, FixPointOverwritesDecimals) {
  TNumIO2* n = Focused();
  n->SetInputFormat(itFixPoint);
  n->SetText("12.34");
  n->SetSelBegin(2);
  Key(host::VK_RIGHT);  // behind the separator: the next digit is selected
  EXPECT_EQ(n->SelBegin(), 3);
  EXPECT_EQ(n->SelEnd(), 4);
  Type("9");
  EXPECT_EQ(n->Text(), "12.94");
  Key(host::VK_HOME);
  Type("5");
  EXPECT_EQ(n->Text(), "512.94");
  Type("1");
  EXPECT_EQ(n->Text(), "5112.94");
  Key(host::VK_OEM_PERIOD);  // a second separator is refused
  EXPECT_EQ(n->Text(), "5112.94");
  EXPECT_EQ(Beeps(), 1);
}

TEST_F(NumIOTest, ShiftDigitsTypePrefixesOfTheDynamicFormat) {
  TNumIO2* n = Focused();
  n->SetInputFormat(itDynamic);
  n->SetText("1");
  Key(host::VK_END);
  Key('F');
  EXPECT_EQ(n->Text(), "1F");
  Key(host::VK_HOME);
  Key('4', host::ssShift);
  EXPECT_EQ(n->Text(), "$1F");
  EXPECT_DOUBLE_EQ(n->Value(), 31);
  Key(host::VK_HOME);
  Key(host::VK_DELETE);
  Key('5', host::ssShift);  // refused: F is no binary digit
  EXPECT_EQ(n->Text(), "1F");
}

TEST_F(NumIOTest, ClipboardKeysAndReadOnly) {
  TNumIO2* n = Focused();
  n->SetText("123.5");
  n->SetSelBegin(1);
  n->SetSelEnd(3);
  Key('C', host::ssCtrl);
  EXPECT_EQ(host::Clipboard()->AsText(), "23");
  Key('X', host::ssCtrl);
  EXPECT_EQ(n->Text(), "1.5");
  Key(host::VK_END);
  Key('V', host::ssCtrl);
  EXPECT_EQ(n->Text(), "1.523");
  EXPECT_EQ(n->CaretPos(), 5);
  host::Clipboard()->SetAsText("x");
  Key('V', host::ssCtrl);  // the result fails the check: refused
  EXPECT_EQ(n->Text(), "1.523");
  Key('Z', host::ssCtrl);
  EXPECT_EQ(Beeps(), 2);

  n->SetReadOnly(true);
  n->SetSelBegin(0);
  n->SetSelEnd(2);
  Key('C', host::ssCtrl);
  EXPECT_EQ(host::Clipboard()->AsText(), "1.");
  Type("7");
  Key(host::VK_BACK);
  Key('X', host::ssCtrl);
  EXPECT_EQ(n->Text(), "1.523");
  EXPECT_FALSE(n->CaretVisible());
}

TEST_F(NumIOTest, TabMovesTheFocusAndKeyPreviewReachesTheParent) {
  struct Recorder : host::TCustomControl {
    using TCustomControl::TCustomControl;
    std::vector<host::WPARAM> Seen;
    void WndProc(host::TMessage& m) override {
      if (m.Msg == 0xBD00) Seen.push_back(m.WParam);
      TCustomControl::WndProc(m);
    }
  };
  auto* panel = HeadlessTest::Make<Recorder>(0, 0, 200, 100);
  auto* a = new TNumIO2(Form());
  a->SetParent(panel);
  a->SetBounds(0, 0, 160, 28);
  auto* b = new TNumIO2(Form());
  b->SetParent(panel);
  b->SetBounds(0, 40, 160, 28);
  a->SetFocus();
  Key('1');
  EXPECT_TRUE(panel->Seen.empty());
  Form()->SetKeyPreview(true);
  Key('2');
  EXPECT_EQ(panel->Seen, std::vector<host::WPARAM>{'2'});
  Key(host::VK_TAB);
  EXPECT_TRUE(b->Focused());
  Key('3');
  EXPECT_EQ(a->Text(), "12");
  EXPECT_EQ(b->Text(), "3");
}

TEST_F(NumIOTest, SettersClamp) {
  TNumIO2* n = Make();
  n->SetButWidth(100);
  EXPECT_EQ(n->ButWidth(), 50);
  n->SetButWidth(2);
  EXPECT_EQ(n->ButWidth(), 8);
  n->SetButSpace(70);
  EXPECT_EQ(n->ButSpace(), 50);
  n->SetHeight(10);
  EXPECT_EQ(n->Height(), 18);
  EXPECT_EQ(n->ButHeight(), 18);
  n->SetHeight(40);
  n->SetButHeight(60);
  EXPECT_EQ(n->ButHeight(), 40);
  n->SetGaugeHeight(1);
  EXPECT_EQ(n->GaugeHeight(), 3);
  n->SetGaugeHeight(50);
  EXPECT_EQ(n->GaugeHeight(), 40 - 3 - 18);
  n->SetGaugeWidth(500);
  EXPECT_EQ(n->GaugeWidth(), 160 - 35);
  n->SetLeftSpace(-4);
  EXPECT_EQ(n->LeftSpace(), 0);
  n->SetText("12345");
  n->SetSelEnd(99);
  EXPECT_EQ(n->SelEnd(), 5);
  n->SetSelBegin(7);
  EXPECT_EQ(n->SelBegin(), 5);
  n->SetSelBegin(2);
  n->SetSelEnd(1);
  EXPECT_EQ(n->SelBegin(), 1);
  EXPECT_EQ(n->CaretPos(), 1);
}

TEST_F(NumIOTest, ButtonsStepByIncrementOrPivots) {
  TNumIO2* n = Make();
  n->SetButVisible(true);
  n->SetValue(10);
  const TNumIO2::TLayout L = n->Layout();
  const int bx = (L.UpButton.Left + L.UpButton.Right) / 2;
  const int upY = (L.UpButton.Top + L.UpButton.Bottom) / 2;
  const int downY = (L.DownButton.Top + L.DownButton.Bottom) / 2;
  zeltest::Click(n, bx, upY);
  EXPECT_DOUBLE_EQ(n->Value(), 11);
  zeltest::Click(n, bx, downY);
  zeltest::Click(n, bx, downY);
  EXPECT_DOUBLE_EQ(n->Value(), 9);
  EXPECT_EQ(Changes, 3);
  n->SetValue(0.5);
  zeltest::Click(n, bx, downY);  // limited to the range
  EXPECT_DOUBLE_EQ(n->Value(), 0);

  n->ButtonPivots = {0, 10, 20};
  n->SetValue(10);
  zeltest::Click(n, bx, upY);
  EXPECT_DOUBLE_EQ(n->Value(), 20);
  n->SetValue(10);
  zeltest::Click(n, bx, downY);
  EXPECT_DOUBLE_EQ(n->Value(), 0);
  n->SetValue(12);
  zeltest::Click(n, bx, downY);
  EXPECT_DOUBLE_EQ(n->Value(), 10);
  n->SetValue(20);
  zeltest::Click(n, bx, upY);
  EXPECT_DOUBLE_EQ(n->Value(), 20);
}

TEST_F(NumIOTest, GaugeClickAndDrag) {
  TNumIO2* n = Make();
  n->SetHeight(40);
  n->SetGaugeVisible(true);
  double dragged = -1;
  int gaugeEvents = 0;
  n->SetOnGaugeChange([&](host::TObject*, host::TShiftState, double v) {
    dragged = v;
    ++gaugeEvents;
  });
  const host::TRect g = n->Layout().Gauge;
  const int y = (g.Top + g.Bottom) / 2;
  zeltest::MouseDown(Form(), 10 + g.Left, 10 + y);
  EXPECT_DOUBLE_EQ(n->Value(), 0);
  EXPECT_EQ(Changes, 0);
  zeltest::MouseUp(Form(), 10 + g.Left, 10 + y);
  EXPECT_EQ(Changes, 1);
  zeltest::Click(n, g.Right, y);
  EXPECT_DOUBLE_EQ(n->Value(), 1000);
  zeltest::Drag(n, g.Left, y, g.Left + g.Width() / 2, y);
  EXPECT_DOUBLE_EQ(n->Value(), 500);
  EXPECT_DOUBLE_EQ(dragged, 500);
  EXPECT_GE(gaugeEvents, 1);
  EXPECT_EQ(Changes, 3);

  n->ButtonPivots = {0, 100, 900};
  zeltest::Click(n, g.Left + 60, y);  // 731.7 lies nearest to 900
  EXPECT_DOUBLE_EQ(n->Value(), 900);
}

TEST_F(NumIOTest, MouseSetsCaretAndDragsSelection) {
  TNumIO2* n = Make();
  n->SetAlignment(host::taLeftJustify);
  n->SetText("1111");
  for (int i = 0; i <= 4; ++i) EXPECT_EQ(n->XCoordsToCharPos(n->CharPosToXCoords(i)), i) << i;
  EXPECT_EQ(n->XCoordsToCharPos(0), 0);
  EXPECT_EQ(n->XCoordsToCharPos(1000), 4);
  zeltest::Click(n, n->CharPosToXCoords(1), 10);
  EXPECT_EQ(n->CaretPos(), 1);
  EXPECT_TRUE(n->Focused());
  EXPECT_TRUE(n->CaretVisible());
  zeltest::Drag(n, n->CharPosToXCoords(1), 10, n->CharPosToXCoords(3), 10);
  EXPECT_EQ(n->SelBegin(), 1);
  EXPECT_EQ(n->SelEnd(), 3);
  for (host::TAlignment a : {host::taRightJustify, host::taCenter}) {
    n->SetAlignment(a);
    for (int i = 0; i <= 4; ++i) EXPECT_EQ(n->XCoordsToCharPos(n->CharPosToXCoords(i)), i);
  }
}

TEST_F(NumIOTest, CaretBlinksOnlyWhileFocused) {
  TNumIO2* a = Make(10);
  TNumIO2* b = Make(50);
  a->SetFocus();
  EXPECT_TRUE(a->CaretVisible());
  zeltest::Advance(499);
  EXPECT_TRUE(a->CaretVisible());
  zeltest::Advance(1);
  EXPECT_FALSE(a->CaretVisible());
  zeltest::Advance(500);
  EXPECT_TRUE(a->CaretVisible());
  b->SetFocus();
  zeltest::Advance(500);
  EXPECT_FALSE(a->CaretVisible());
  zeltest::Advance(2000);
  EXPECT_FALSE(a->CaretVisible());
  // The timer of the unfocused control is gone.
  EXPECT_FALSE(host::KillTimer(a->TimerWindow(), 1));
  EXPECT_TRUE(host::KillTimer(b->TimerWindow(), 1));
}

// A key shows a blinked-off caret at once and keeps the rhythm the focus set;
// ReadOnly ends the blinking, and leaving it starts the blinking anew.
TEST_F(NumIOTest, KeysShowTheCaretWithoutRestartingTheBlink) {
  TNumIO2* n = Focused();
  zeltest::Advance(700);
  ASSERT_FALSE(n->CaretVisible());
  Key('1');
  EXPECT_TRUE(n->CaretVisible());
  zeltest::Advance(300);
  EXPECT_FALSE(n->CaretVisible());  // restarted by the key it would show until 1200
  zeltest::Advance(500);
  EXPECT_TRUE(n->CaretVisible());
  n->SetReadOnly(true);
  EXPECT_FALSE(n->CaretVisible());
  EXPECT_FALSE(host::KillTimer(n->TimerWindow(), 1));
  zeltest::Advance(250);
  n->SetReadOnly(false);
  EXPECT_TRUE(n->CaretVisible());
  zeltest::Advance(499);
  EXPECT_TRUE(n->CaretVisible());
  zeltest::Advance(1);
  EXPECT_FALSE(n->CaretVisible());
}

TEST_F(NumIOTest, NoTimerAvailable) {
  TNumIO2* n = Make();
  host::FailNextSetTimers(1);
  try {
    n->SetFocus();
    FAIL() << "no error raised";
  } catch (const EZELNumIO2Error& e) {
    EXPECT_STREQ(e.what(), "Component \"NumIO10\": no timer available");
  }
  host::FailNextSetTimers(1);
  EXPECT_THROW(TNumIO2 lost(nullptr), EZELNumIO2Error);
}

TEST_F(NumIOTest, SeparatorSettingKeepsWrittenBuffersEditable) {
  TNumIO2* n = Focused();
  for (TDecPSep sep : {dpsLocale, dpsPoint, dpsComma, dpsEither}) {
    for (TInFormat f : {itExp, itFloat, itFixPoint}) {
      n->SetDecPlaceSep(sep);
      n->SetInputFormat(f);
      n->SetValue(2.5);
      EXPECT_TRUE(n->CheckValidity(n->Text())) << int(sep) << " " << int(f) << n->Text();
      EXPECT_DOUBLE_EQ(n->Value(), 2.5);
      n->SetSelBegin(0);
      Type("1");
      EXPECT_NE(n->Text().find('1'), std::string::npos) << int(sep) << " " << int(f);
      n->SetInputFormat(itInt);
    }
  }
  n->SetInputFormat(itFloat);
  n->SetDecPlaceSep(dpsEither);
  n->SetValue(1.5);
  n->SetDecPlaceSep(dpsComma);
  EXPECT_EQ(n->Text(), "1,50");
  n->SetDecPlaceSep(dpsPoint);
  EXPECT_EQ(n->Text(), "1.50");
  n->SetDecPlaceSep(dpsEither);
  EXPECT_EQ(n->Text(), "1.50");
  // The locale setting follows the host's separator.
  host::FormatSettings().DecimalSeparator = ',';
  n->SetDecPlaceSep(dpsLocale);
  EXPECT_EQ(n->Text(), "1,50");
  n->SetValue(3.25);
  EXPECT_EQ(n->Text(), "3,25");
  host::FormatSettings().DecimalSeparator = '.';
}

TEST_F(NumIOTest, AssignCopiesTheListedSettingsOnly) {
  TNumIO2* a = Make(10);
  TNumIO2* b = Make(50);
  a->SetInputFormat(itExp);
  a->SetText("42");
  a->SetSelEnd(1);
  a->SetRangeHigh(50);
  a->SetColorWarnBG(host::clAqua);
  a->SetDecPlaceSep(dpsComma);
  a->SetButVisible(true);
  a->SetGaugeVisible(true);
  b->Assign(a);
  EXPECT_EQ(b->InputFormat(), itExp);
  EXPECT_EQ(b->Text(), "42");
  EXPECT_EQ(b->SelEnd(), 1);
  EXPECT_EQ(b->RangeHigh(), 50);
  EXPECT_EQ(b->ColorWarnBG(), host::clAqua);
  EXPECT_EQ(b->DecPlaceSep(), dpsComma);
  EXPECT_FALSE(b->ButVisible());
  EXPECT_FALSE(b->GaugeVisible());
}

TEST_F(NumIOTest, MovingTheCaretKeepsTheSelectionForTheNextCharacter) {
  TNumIO2* n = Focused();
  n->SetText("1234");
  n->SetSelBegin(1);
  n->SetSelEnd(3);
  Key(host::VK_HOME);
  EXPECT_EQ(n->CaretPos(), 0);
  EXPECT_EQ(n->SelBegin(), 1);
  EXPECT_EQ(n->SelEnd(), 3);
  Type("9");  // replaces the selection, not inserted at the caret
  EXPECT_EQ(n->Text(), "194");
  EXPECT_EQ(n->CaretPos(), 2);

  // A paste goes in at the caret and leaves the selection alone.
  n->SetText("12");
  n->SetSelBegin(0);
  n->SetSelEnd(1);
  host::Clipboard()->SetAsText("5");
  Key('V', host::ssCtrl);
  EXPECT_EQ(n->Text(), "152");
  EXPECT_EQ(n->CaretPos(), 2);
  EXPECT_EQ(n->SelBegin(), 0);
  EXPECT_EQ(n->SelEnd(), 1);
}

TEST_F(NumIOTest, TheCaretTimerRunsFromConstructionWithTheCaretHidden) {
  TNumIO2* n = Make();
  EXPECT_FALSE(n->CaretVisible());
  zeltest::Click(n, n->CharPosToXCoords(0), n->Layout().CaretTop);
  EXPECT_TRUE(n->CaretVisible());
  TNumIO2* idle = Make(50);
  EXPECT_FALSE(idle->CaretVisible());
  EXPECT_TRUE(host::KillTimer(idle->TimerWindow(), 1));
}

TEST_F(NumIOTest, GaugeDragReachesOnePixelBeyondItsEnds) {
  TNumIO2* n = Make();
  n->SetHeight(40);
  n->SetGaugeVisible(true);
  n->SetValue(500);
  const host::TRect g = n->Layout().Gauge;
  const int y = 10 + (g.Top + g.Bottom) / 2;   // form coordinates
  zeltest::Click(Form(), 10 + g.Left - 1, y);  // a press must hit the gauge itself
  EXPECT_DOUBLE_EQ(n->Value(), 500);
  zeltest::MouseDown(Form(), 10 + g.Left + 10, y);
  zeltest::MouseMove(Form(), 10 + g.Right + 2, y, host::ssLeft);
  EXPECT_LT(n->Value(), 1000);
  zeltest::MouseMove(Form(), 10 + g.Right + 1, y, host::ssLeft);
  EXPECT_DOUBLE_EQ(n->Value(), 1000);
  zeltest::MouseMove(Form(), 10 + g.Left - 1, y, host::ssLeft);
  EXPECT_DOUBLE_EQ(n->Value(), 0);
  zeltest::MouseUp(Form(), 10 + g.Left - 1, y);
}

// --- paint geometry

TEST_F(NumIOTest, LayoutOfTheBoxButtonsAndGauge) {
  TNumIO2* n = Make();
  TNumIO2::TLayout L = n->Layout();
  // Defaults: LeftSpace 35, TextBoxWidth 80, 160 x 28, sunken frame.
  EXPECT_EQ(L.GaugeBand, 0);
  EXPECT_EQ(L.TextBox, host::Rect(35, 0, 117, 27));
  EXPECT_EQ(L.TextClip, host::Rect(38, 2, 114, 25));
  EXPECT_EQ(L.CaretTop, 3);
  EXPECT_EQ(L.CaretBottom, 25);
  // Buttons 18 wide after a gap of 3, the upper half (middle row included) up.
  EXPECT_EQ(L.Buttons, host::Rect(118, 0, 137, 27));
  EXPECT_EQ(L.ButtonSplit, 14);
  EXPECT_EQ(L.UpButton, host::Rect(119, 1, 136, 15));
  EXPECT_EQ(L.DownButton, host::Rect(119, 15, 136, 28));
  const int rightText = L.Captions.RightCaption.X;
  n->SetButVisible(true);
  EXPECT_EQ(n->Layout().Captions.RightCaption.X, rightText + 18 + 3);
  EXPECT_EQ(n->Layout().Captions.BoxRight, 115);  // the zones ignore the buttons

  n->SetHeight(40);
  n->SetGaugeVisible(true);
  L = n->Layout();
  EXPECT_EQ(L.GaugeBand, 8 + 3 + 1);
  EXPECT_EQ(L.Gauge, host::Rect(35, 31, 117, 39));
  EXPECT_EQ(L.TextBox.Bottom, 40 - 12 - 1);
  EXPECT_EQ(L.CaretBottom, 40 - 12 - 3);
  EXPECT_TRUE(L.InTextRows(27));
  EXPECT_FALSE(L.InTextRows(28));
  EXPECT_FALSE(L.InTextRows(0));
  EXPECT_FALSE(L.OnGauge(60, 28, 0));
  EXPECT_TRUE(L.OnGauge(60, 29, 0));
}

TEST_F(NumIOTest, TextBoxFrameAndWarningBackground) {
  TNumIO2* n = Make();
  n->SetText("");
  const TColor grey = RGB(128, 128, 128);
  auto at = [&](int x, int y) { return zeltest::PixelAt(n, x, y); };
  // The outline of the box with sunken inner edges, the outer edges on its
  // right and bottom borders.
  const host::TRect b = n->Layout().TextBox;
  EXPECT_EQ(at(b.Left, 10), grey);
  EXPECT_EQ(at(b.Right - 1, 10), grey);
  EXPECT_EQ(at(60, b.Top), grey);
  EXPECT_EQ(at(60, b.Bottom - 1), grey);
  EXPECT_EQ(at(b.Left + 1, 10), host::clBlack);
  EXPECT_EQ(at(60, b.Top + 1), host::clBlack);
  EXPECT_EQ(at(b.Right, 10), host::clWhite);
  EXPECT_EQ(at(60, b.Bottom), host::clWhite);
  EXPECT_EQ(at(60, 10), host::clWhite);  // ColorBoxBG
  EXPECT_EQ(at(20, 10), host::ColorToRGB(host::clBtnFace));

  n->SetValue(1500);
  EXPECT_EQ(at(b.Left + 5, 4), RGB(240, 255, 136));
  bool red = false;
  const host::TRect clip = n->Layout().TextClip;
  for (int x = clip.Left; x < clip.Right; ++x)
    for (int y = clip.Top; y < clip.Bottom; ++y) red = red || at(x, y) == host::clRed;
  EXPECT_TRUE(red);

  n->SetFrameStyle(frRaised);
  EXPECT_EQ(at(b.Left + 1, 10), host::clWhite);
  EXPECT_EQ(at(b.Right, 10), host::clBlack);
  n->SetFrameStyle(frSimple);
  EXPECT_EQ(n->Layout().TextBox.Bottom, b.Bottom + 1);
  EXPECT_EQ(at(60, b.Bottom), grey);  // the plain outline reaches the bottom row

  n->SetEnabled(false);
  EXPECT_EQ(at(b.Left + 5, 4), host::clSilver);
}

TEST_F(NumIOTest, GaugeFillWidth) {
  TNumIO2* n = Make();
  n->SetHeight(40);
  n->SetGaugeVisible(true);
  n->SetGaugeFrameStyle(frNone);
  n->SetValue(250);  // 82 * 0.25 = 20.5, rounded to even: 20 columns
  const host::TRect g = n->Layout().Gauge;
  EXPECT_EQ(n->Layout().GaugeFill, g.Left + 20);
  const int y = (g.Top + g.Bottom) / 2;
  auto at = [&](int x) { return zeltest::PixelAt(n, x, y); };
  EXPECT_EQ(at(g.Left), RGB(0, 0, 128));
  EXPECT_EQ(at(g.Left + 19), RGB(0, 0, 128));
  EXPECT_EQ(at(g.Left + 20), host::clSilver);
  EXPECT_EQ(at(g.Right - 1), host::clSilver);
  n->SetValue(-5);
  EXPECT_EQ(at(g.Left), host::clSilver);
  n->SetValue(5000);
  EXPECT_EQ(at(g.Right - 1), RGB(0, 0, 128));
  n->SetGaugeFrameStyle(frLowered);
  EXPECT_EQ(zeltest::PixelAt(n, 60, g.Top), RGB(128, 128, 128));  // outline row y1
  EXPECT_EQ(at(g.Left + 1), host::clBlack);                       // inner left edge
  EXPECT_EQ(at(g.Right), host::clWhite);                          // outer right edge
}

TEST_F(NumIOTest, CaretAndInvertedSelection) {
  TNumIO2* n = Make();
  n->SetText("111");
  n->SetFocus();
  n->SetSelBegin(2);
  const int caretX = n->CharPosToXCoords(2) - 1;
  const TNumIO2::TLayout L = n->Layout();
  EXPECT_EQ(zeltest::PixelAt(n, caretX, L.CaretTop), host::clBlack);
  EXPECT_EQ(zeltest::PixelAt(n, caretX, L.CaretBottom - 1), host::clBlack);
  EXPECT_EQ(zeltest::PixelAt(n, caretX, L.CaretBottom), host::clWhite);
  zeltest::Advance(500);
  EXPECT_EQ(zeltest::PixelAt(n, caretX, 3), host::clWhite);

  n->SetSelBegin(1);
  n->SetSelEnd(3);
  const int x1 = n->CharPosToXCoords(1), x2 = n->CharPosToXCoords(3), top = L.CaretTop;
  zeltest::Advance(500);                                   // caret shown again, at x2 - 1
  EXPECT_EQ(zeltest::PixelAt(n, x1, top), host::clBlack);  // white inverted
  EXPECT_EQ(zeltest::PixelAt(n, x1 - 1, top), host::clWhite);
  EXPECT_EQ(zeltest::PixelAt(n, x2, top), host::clWhite);
  EXPECT_EQ(zeltest::PixelAt(n, x1, top - 1), host::clWhite);
  // Unfocused with HideSelection the selection is not shown.
  Make(50)->SetFocus();
  n->Invalidate();
  EXPECT_EQ(zeltest::PixelAt(n, x1, top), host::clWhite);
  n->SetHideSelection(false);
  EXPECT_EQ(zeltest::PixelAt(n, x1, top), host::clBlack);
}
