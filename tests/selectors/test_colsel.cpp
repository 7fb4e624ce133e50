// TColSel: the slots and palettes, selecting by colour, choosing in the list,
// type-ahead, and redefining a slot through the colour dialog.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/Zel_zelcolors.h"
#include "selectors/ZEL_Colsel.h"
#include "tests/selectors/ColorDialogDriver.h"
#include "tests/support/Headless.h"

using namespace zel;
using host::TColor;

namespace {

using Strings = std::vector<std::string>;

class ColSelTest : public zeltest::HeadlessTest {
 protected:
  TColSel* Sel() {
    if (!FSel) {
      FSel = Make<TColSel>(10, 10, 160, 0);
      FSel->SetOnChange([this](host::TObject*) { Log.push_back("change"); });
      FSel->SetOnColorNameChange([this](host::TObject*, std::string& name) {
        Log.push_back("name:" + name);
        name = Rename.empty() ? name : Rename;
      });
    }
    return FSel;
  }
  Strings ItemStrings() {
    Strings r;
    for (int i = 0; i < Sel()->Items()->Count(); ++i) r.push_back(Sel()->Items()->Strings(i));
    return r;
  }
  // Presses the box at x, half-way down.
  void PressBoxAt(int x) {
    zeltest::Advance(1000);
    zeltest::Click(static_cast<host::TControl*>(Sel()), x, Sel()->Height() / 2);
  }
  Strings Log;
  std::string Rename;
  zeltest::ColorDialogDriver Driver;

 private:
  TColSel* FSel = nullptr;
};

}  // namespace

TEST_F(ColSelTest, ABoxMadeAtRunTimeHasItsSlotsButAnEmptyListUntilItIsFilled) {
  EXPECT_EQ(Sel()->NumColors(), 20);
  EXPECT_EQ(Sel()->Items()->Count(), 0);
  EXPECT_EQ(Sel()->GetArrayColor(20), PredefinedColors[19].Color);
  EXPECT_EQ(Sel()->GetArrayColorName(1), "clBlack");
  EXPECT_EQ(Sel()->GetSelColorID(), "");  // nothing shown yet
  Sel()->SetNumColors(3);
  EXPECT_EQ(ItemStrings(), (Strings{"clGreen", "clMaroon", "clBlack"}));
  EXPECT_EQ(Sel()->ItemIndex(), 0);
  EXPECT_EQ(Sel()->GetSelColorID(), "clBlack");
}

TEST_F(ColSelTest, ABoxLoadedFromAFormFillsItsListWhenLoadingEnds) {
  Sel()->BeginLoading();
  Sel()->SetSelColor(host::clGreen);  // slot 3, streamed before the list exists
  EXPECT_EQ(Sel()->Items()->Count(), 0);
  Sel()->EndLoading();
  EXPECT_EQ(Sel()->Items()->Count(), 20);
  EXPECT_EQ(Sel()->ItemIndex(), 2);
  EXPECT_EQ(Sel()->GetSelColorID(), "clGreen");
}

TEST_F(ColSelTest, EachPaletteFillsItsSlotsFromThePredefinedColours) {
  struct Case {
    void (TColSel::*Load)();
    int Count, First;
  };
  for (const Case& c :
       {Case{&TColSel::LoadBasicVGAPalette, 16, 0}, Case{&TColSel::LoadExtendedPalette, 20, 0},
        Case{&TColSel::LoadStandardPalette, 47, 0},
        Case{&TColSel::LoadWindowsSystemPalette, 27, 20}}) {
    SCOPED_TRACE(c.Count);
    Sel()->SetSelColor(host::clWhite);
    Log.clear();
    (Sel()->*c.Load)();
    EXPECT_EQ(Sel()->NumColors(), c.Count);
    ASSERT_EQ(Sel()->Items()->Count(), c.Count);
    EXPECT_EQ(Sel()->ItemIndex(), 0);
    EXPECT_EQ(int(Log.size()), c.Count);  // every slot was offered for renaming
    for (int i = 1; i <= c.Count; ++i) {
      const TColor want = PredefinedColors[size_t(c.First + i - 1)].Color;
      EXPECT_EQ(Sel()->GetArrayColor(i), want);
      EXPECT_EQ(Sel()->GetArrayColorName(i), host::ColorToString(want));
      EXPECT_EQ(Sel()->Items()->Strings(c.Count - i), host::ColorToString(want));
    }
    EXPECT_EQ(Sel()->GetArrayColor(c.Count + 1), 0u);
  }
  EXPECT_EQ(Sel()->GetArrayColorName(1), "clScrollBar");
}

TEST_F(ColSelTest, TheNameHandlerNamesTheSlotsOfAPalette) {
  Rename = "mine";
  Sel()->LoadBasicVGAPalette();
  EXPECT_EQ(Sel()->GetArrayColorName(16), "mine");
  EXPECT_EQ(Sel()->Items()->Strings(0), "mine");
}

TEST_F(ColSelTest, SlotNumbersOutsideTheOfferedSlotsReadEmptyAndAreIgnored) {
  Sel()->LoadBasicVGAPalette();
  for (int i : {0, 17, -3}) {
    EXPECT_EQ(Sel()->GetArrayColor(i), 0u);
    EXPECT_EQ(Sel()->GetArrayColorName(i), "");
    EXPECT_FALSE(Sel()->GetArrayAllowEdit(i));
    Sel()->SetArrayColor(i, 0x123456);
    Sel()->SetArrayColorName(i, "x");
    Sel()->SetArrayAllowEdit(i, true);
  }
  EXPECT_TRUE(Log.size() == 16u);  // only the palette's own renames
  // Slot 17 kept its colour behind the offered ones and comes back.
  Sel()->SetNumColors(17);
  EXPECT_EQ(Sel()->GetArrayColor(17), PredefinedColors[16].Color);
  EXPECT_FALSE(Sel()->GetArrayAllowEdit(17));
}

TEST_F(ColSelTest, NumColorsOutsideOneToFortySevenIsIgnoredAndAChangeSelectsSlotOne) {
  Sel()->LoadStandardPalette();
  Sel()->SetSelColor(host::clRed);
  Sel()->SetNumColors(0);
  Sel()->SetNumColors(48);
  EXPECT_EQ(Sel()->NumColors(), 47);
  EXPECT_EQ(Sel()->SelColor(), host::clRed);
  Sel()->SetNumColors(47);
  EXPECT_EQ(Sel()->SelColor(), host::clBlack);
  EXPECT_EQ(Sel()->ItemIndex(), 0);
}

TEST_F(ColSelTest, SelColorSelectsTheFirstSlotOfTheSameRgbValue) {
  Sel()->LoadWindowsSystemPalette();
  Sel()->SetSelColor(host::clWhite);  // clWindow is white
  EXPECT_EQ(Sel()->GetSelColorID(), "clWindow");
  EXPECT_EQ(Sel()->SelColor(), host::clWindow);
  EXPECT_EQ(Sel()->ItemIndex(), 5);
  EXPECT_TRUE(Log.size() == 27u);  // nothing renamed
}

TEST_F(ColSelTest, SelColorOfAnUnlistedColourRecolorsTheSelectedSlot) {
  Sel()->LoadBasicVGAPalette();
  Sel()->SetSelColor(host::clNavy);
  Log.clear();
  Sel()->SetSelColor(0x123456);
  EXPECT_EQ(Log, (Strings{"name:$00123456"}));
  EXPECT_EQ(Sel()->NumColors(), 16);
  EXPECT_EQ(Sel()->GetArrayColor(5), TColor(0x123456));
  EXPECT_EQ(Sel()->GetSelColorID(), "$00123456");
  // A system colour is named by its RGB value.
  Rename = "Panel";
  Sel()->SetSelColor(host::clInfoBk);
  EXPECT_EQ(Log.back(), "name:" + host::ColorToString(host::ColorToRGB(host::clInfoBk)));
  EXPECT_EQ(Sel()->GetSelColorID(), "Panel");
}

TEST_F(ColSelTest, SetArrayColorNamesTheColourAndSetArrayColorNameRenamesOnly) {
  Sel()->LoadBasicVGAPalette();
  Log.clear();
  Sel()->SetArrayColor(3, host::clRed);
  EXPECT_EQ(Log, (Strings{"name:clRed"}));
  Sel()->SetArrayColorName(3, "Alarm");
  EXPECT_EQ(Sel()->GetArrayColorName(3), "Alarm");
  EXPECT_EQ(Sel()->GetArrayColor(3), host::clRed);
  EXPECT_EQ(Log.size(), 1u);
}

TEST_F(ColSelTest, ChoosingInTheListSelectsTheSlotDrawnThere) {
  Sel()->LoadBasicVGAPalette();
  PressBoxAt(100);
  ASSERT_TRUE(Sel()->DroppedDown());
  const host::TRect r = Sel()->ListItemRect(3);
  zeltest::Click(Sel()->ListControl(), 80, (r.Top + r.Bottom) / 2);
  EXPECT_FALSE(Sel()->DroppedDown());
  EXPECT_EQ(Sel()->SelColor(), host::clOlive);  // slot 4, not the fourth string
  EXPECT_EQ(Sel()->GetSelColorID(), "clOlive");
  EXPECT_EQ(Log.back(), "change");
  zeltest::PressKey(Form(), host::VK_DOWN);
  EXPECT_EQ(Sel()->SelColor(), host::clNavy);
}

TEST_F(ColSelTest, TypeAheadFindsTheNamesAsTheListShowsThem) {
  Sel()->LoadBasicVGAPalette();
  Sel()->SetFocus();
  zeltest::TypeText(Form(), "clr");
  EXPECT_EQ(Sel()->GetSelColorID(), "clRed");
  zeltest::Advance(2000);
  zeltest::TypeText(Form(), "clg");
  EXPECT_EQ(Sel()->GetSelColorID(), "clGreen");  // the next one down the list, wrapping
  zeltest::TypeText(Form(), "ra");
  EXPECT_EQ(Sel()->GetSelColorID(), "clGray");
}

TEST_F(ColSelTest, APressOnTheBarOfAnEditableSlotRedefinesItThroughTheDialog) {
  Sel()->LoadBasicVGAPalette();
  Sel()->SetSelColor(host::clTeal);
  Sel()->SetArrayAllowEdit(7, true);
  Sel()->SetOnDropDown([this](host::TObject*) { Log.push_back("drop"); });
  Sel()->SetOnChange([this](host::TObject*) { Log.push_back("change:" + Sel()->GetSelColorID()); });
  Log.clear();
  Rename = "Tank";
  Driver.Choose(0x4080C0);
  zeltest::MouseMove(Sel(), 20, 8);
  PressBoxAt(20);
  EXPECT_EQ(Driver.Shown(), 1);
  EXPECT_EQ(Driver.Opened(), host::clTeal);
  EXPECT_EQ(Sel()->GetArrayColor(7), TColor(0x4080C0));
  EXPECT_EQ(Sel()->GetSelColorID(), "Tank");
  // OnChange already finds the new colour's name, then the handler renames it.
  EXPECT_EQ(Log, (Strings{"change:$004080C0", "name:$004080C0", "drop"}));
  EXPECT_TRUE(Sel()->DroppedDown());  // the list follows the dialog
}

TEST_F(ColSelTest, ACancelledDialogLeavesTheSlotAlone) {
  Sel()->LoadBasicVGAPalette();
  Sel()->SetAllColorEditFlags();
  Log.clear();
  Driver.Cancel();
  PressBoxAt(20);
  EXPECT_EQ(Driver.Shown(), 1);
  EXPECT_EQ(Sel()->SelColor(), host::clBlack);
  EXPECT_TRUE(Log.empty());
}

TEST_F(ColSelTest, OnlyAPressOnTheBarOfAnEditableSlotOpensTheDialog) {
  Sel()->LoadBasicVGAPalette();
  Driver.Cancel();
  PressBoxAt(20);  // slot 1 is not editable
  EXPECT_EQ(Driver.Shown(), 0);
  PressBoxAt(20);  // closes the list
  Sel()->SetArrayAllowEdit(1, true);
  PressBoxAt(40);  // past the bar
  EXPECT_EQ(Driver.Shown(), 0);
  PressBoxAt(40);
  Sel()->SetColorBarWidth(50);
  PressBoxAt(40);  // a wider bar reaches further
  EXPECT_EQ(Driver.Shown(), 1);
}

TEST_F(ColSelTest, TheKeyboardOpensTheListNotTheDialog) {
  Sel()->LoadBasicVGAPalette();
  Sel()->SetAllColorEditFlags();
  Driver.Cancel();
  Sel()->SetFocus();
  zeltest::MouseMove(Sel(), 10, 8);
  EXPECT_TRUE(Sel()->MouseOverBar());
  zeltest::PressKey(Form(), host::VK_F4);
  EXPECT_TRUE(Sel()->DroppedDown());
  zeltest::PressKey(Form(), host::VK_ESCAPE);
  zeltest::PressKey(Form(), host::VK_DOWN, host::ssAlt);
  EXPECT_TRUE(Sel()->DroppedDown());
  Sel()->SetDroppedDown(false);
  Sel()->SetDroppedDown(true);  // nor does the program
  EXPECT_EQ(Driver.Shown(), 0);
}

TEST_F(ColSelTest, ThePointerLeavingTheBoxForgetsTheBar) {
  Sel()->LoadBasicVGAPalette();
  zeltest::MouseMove(Sel(), 10, 8);
  EXPECT_TRUE(Sel()->MouseOverBar());
  zeltest::MouseMove(Form(), 190, 110);
  EXPECT_FALSE(Sel()->MouseOverBar());
}
