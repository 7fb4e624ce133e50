// Modal dialogs driven headless through the modal hook (buttons, Return and
// Escape), and the colour dialog: HLS scale, RGB and HLS entry, palettes,
// custom colours, OK and Cancel, and the accelerators of its captions.
#include "host/widgets/Dialogs.h"
#include "host/widgets/StdCtrls.h"
#include "tests/support/Headless.h"

using namespace host;
using namespace zeltest;

namespace {

template <class T>
T* Find(TForm* f, const std::string& name) {
  auto* c = dynamic_cast<T*>(f->FindComponent(name));
  EXPECT_NE(c, nullptr) << name;
  return c;
}

// A small dialog: a name edit, OK (default) and Cancel (cancel).
struct SampleDialog {
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
  TEdit* Name;
  SampleDialog() {
    Form->SetBorderStyle(bsDialog);
    Form->SetPosition(poScreenCenter);
    Form->SetBounds(0, 0, 240, 100);
    Name = Add<TEdit>("NameEdit", 8, 8, 220, 21);
    Add<TButton>("OKButton", 70, 50, 75, 25)->SetModalResult(mrOk);
    Find<TButton>(Form.get(), "OKButton")->SetDefault(true);
    auto* cancel = Add<TButton>("CancelButton", 150, 50, 75, 25);
    cancel->SetModalResult(mrCancel);
    cancel->SetCancel(true);
  }
  template <class T>
  T* Add(const std::string& name, int x, int y, int w, int h) {
    T* c = new T(Form.get());
    c->SetName(name);
    c->SetParent(Form.get());
    c->SetBounds(x, y, w, h);
    return c;
  }
};

class Dialog : public HeadlessTest {};

TEST_F(Dialog, ButtonsReturnAndEscapeEndTheModalLoop) {
  SampleDialog d;
  Application->SetModalHook([](TForm* f) {
    Find<TEdit>(f, "NameEdit")->SetText("Ada");
    Click(static_cast<TControl*>(Find<TButton>(f, "OKButton")), 5, 5);
  });
  EXPECT_EQ(d.Form->ShowModal(), mrOk);
  EXPECT_EQ(d.Name->Text(), "Ada");
  EXPECT_FALSE(d.Form->Visible());
  EXPECT_EQ(Application->ModalLevel(), 0);

  Application->SetModalHook([](TForm* f) { PressKey(f, VK_ESCAPE); });
  EXPECT_EQ(d.Form->ShowModal(), mrCancel);
  Application->SetModalHook([](TForm* f) {
    Find<TEdit>(f, "NameEdit")->SetFocus();
    PressKey(f, VK_END);
    TypeText(f, "x");  // the edit has the focus: Return still reaches OK
    PressKey(f, VK_RETURN);
  });
  EXPECT_EQ(d.Form->ShowModal(), mrOk);
  EXPECT_EQ(d.Name->Text(), "Adax");
  Application->SetModalHook(
      [](TForm* f) { Click(static_cast<TControl*>(Find<TButton>(f, "CancelButton")), 5, 5); });
  EXPECT_EQ(d.Form->ShowModal(), mrCancel);
}

TEST(HLS, KnownColoursAndRoundTrip) {
  const THLS red = ColorToHLS(clRed);
  EXPECT_EQ(red.Hue, 0);
  EXPECT_EQ(red.Sat, 240);
  EXPECT_EQ(red.Lum, 120);
  EXPECT_EQ(ColorToHLS(clLime).Hue, 80);
  EXPECT_EQ(ColorToHLS(clBlue).Hue, 160);
  const THLS grey = ColorToHLS(clGray);
  EXPECT_EQ(grey.Sat, 0);
  EXPECT_EQ(grey.Lum, 120);
  EXPECT_EQ(ColorToHLS(clWhite).Lum, 240);
  EXPECT_EQ(ColorToHLS(clBtnFace).Lum, ColorToHLS(ColorToRGB(clBtnFace)).Lum);
  // Every colour survives the trip within the scale's rounding.
  for (TColor c : {clRed, clNavy, clOlive, clTeal, TColor(0x123456), TColor(0xFEDCBA)}) {
    const TColor back = HLSToColor(ColorToHLS(c));
    for (int shift : {0, 8, 16})
      EXPECT_NEAR(int((back >> shift) & 0xFF), int((c >> shift) & 0xFF), 3) << std::hex << c;
  }
  EXPECT_EQ(HLSToColor({0, 240, 120}), clRed);
  EXPECT_EQ(HLSToColor({500, -3, 999}), clWhite);  // out-of-range values are clamped
}

class ColorDialog : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    D = new TColorDialog(Application);  // owned by this test's application
  }
  TColorDialog* D = nullptr;
};

TEST_F(ColorDialog, RgbEntryRoundTripsThroughOk) {
  D->SetColor(clBtnFace);  // a system colour starts as its RGB value
  Application->SetModalHook([](TForm* f) {
    EXPECT_EQ(Find<TEdit>(f, "RedEdit")->Text(), "212");
    EXPECT_EQ(f->Caption(), "Color");
    Find<TEdit>(f, "RedEdit")->SetText("10");
    Find<TEdit>(f, "GreenEdit")->SetText("20");
    Find<TEdit>(f, "BlueEdit")->SetText("300");  // clamped to 255
    EXPECT_EQ(Find<TControl>(f, "Preview")->Color(), RGB(10, 20, 255));
    const THLS hls = ColorToHLS(RGB(10, 20, 255));
    EXPECT_EQ(Find<TEdit>(f, "HueEdit")->Text(), std::to_string(hls.Hue));
    PressKey(f, VK_RETURN);
  });
  EXPECT_TRUE(D->Execute());
  EXPECT_EQ(D->Color(), RGB(10, 20, 255));
}

TEST_F(ColorDialog, HlsEntryAndPaletteClickAndCancel) {
  D->SetColor(clBlack);
  Application->SetModalHook([](TForm* f) {
    Find<TEdit>(f, "HueEdit")->SetText("80");
    Find<TEdit>(f, "SatEdit")->SetText("240");
    Find<TEdit>(f, "LumEdit")->SetText("120");
    EXPECT_EQ(Find<TEdit>(f, "GreenEdit")->Text(), "255");
    EXPECT_EQ(Find<TEdit>(f, "RedEdit")->Text(), "0");
    Find<TEdit>(f, "LumEdit")->SetText("abc");  // not a number: nothing moves
    EXPECT_EQ(Find<TEdit>(f, "GreenEdit")->Text(), "255");
    PressKey(f, VK_RETURN);
  });
  EXPECT_TRUE(D->Execute());
  EXPECT_EQ(D->Color(), clLime);
  // A click on the first basic colour, then Cancel: nothing changes.
  Application->SetModalHook([](TForm* f) {
    Click(Find<TControl>(f, "BasicColors"), 12, 10);
    EXPECT_EQ(Find<TEdit>(f, "RedEdit")->Text(), "255");
    EXPECT_EQ(Find<TEdit>(f, "GreenEdit")->Text(), "128");
    Click(Find<TControl>(f, "CancelButton"), 5, 5);
  });
  EXPECT_FALSE(D->Execute());
  EXPECT_EQ(D->Color(), clLime);
}

TEST_F(ColorDialog, CustomColoursOutliveOneShowing) {
  D->SetColor(clTeal);
  Application->SetModalHook([](TForm* f) {
    Click(Find<TControl>(f, "AddCustomButton"), 5, 5);
    Click(Find<TControl>(f, "OKButton"), 5, 5);
  });
  EXPECT_TRUE(D->Execute());
  EXPECT_EQ(D->CustomColor(0), clTeal);
  EXPECT_EQ(D->CustomColor(1), clWhite);
  EXPECT_EQ(D->CustomColor(16), clWhite);
  D->SetColor(clBlack);
  Application->SetModalHook([](TForm* f) {
    Click(Find<TControl>(f, "CustomColors"), 12, 10);  // the saved teal
    Click(Find<TControl>(f, "OKButton"), 5, 5);
  });
  EXPECT_TRUE(D->Execute());
  EXPECT_EQ(D->Color(), clTeal);
}

TEST_F(ColorDialog, AcceleratorsReachTheirFieldsAndButton) {
  D->SetColor(clNavy);
  Application->SetModalHook([](TForm* f) {
    const std::pair<Word, const char*> fields[] = {
        {'R', "RedEdit"}, {'G', "GreenEdit"}, {'U', "BlueEdit"},    {'E', "HueEdit"},
        {'S', "SatEdit"}, {'L', "LumEdit"},   {'B', "BasicColors"}, {'C', "CustomColors"}};
    for (auto [key, name] : fields) {
      PressKey(f, key, ssAlt);
      EXPECT_EQ(f->ActiveControl(), Find<TControl>(f, name)) << name;
    }
    PressKey(f, 'A', ssAlt);  // Add to Custom Colors
    EXPECT_EQ(f->ActiveControl(), Find<TControl>(f, "AddCustomButton"));
    Click(Find<TControl>(f, "OKButton"), 5, 5);
  });
  EXPECT_TRUE(D->Execute());
  EXPECT_EQ(D->CustomColor(0), clNavy);
}

TEST_F(ColorDialog, NoTwoCaptionsShareAnAccelerator) {
  Application->SetModalHook([](TForm* f) {
    for (char32_t key = 'a'; key <= 'z'; ++key) {
      int owners = 0;
      for (int i = 0; i < f->ComponentCount(); ++i)
        if (auto* c = dynamic_cast<TControl*>(f->Components(i)))
          owners += IsAccel(key, c->Caption());
      EXPECT_LE(owners, 1) << char(key);
    }
    PressKey(f, VK_ESCAPE);
  });
  EXPECT_FALSE(D->Execute());
}

}  // namespace
