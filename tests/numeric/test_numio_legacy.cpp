// TNumIO on a headless form: typing as a user types (accepted, put back with a
// beep, where the caret goes), ranges, the separator settings, the value
// property in every format and the conversion.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "host/ui/FormatSettings.h"
#include "numeric/ZEL_NumIO.h"
#include "tests/support/Headless.h"

using namespace zel;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

class NumIOLegacyTest : public zeltest::HeadlessTest {
 protected:
  // A focused, empty box in the format with the range -1000..1000 and Beep on.
  TNumIO* Box(TInFormat f, double lo = -1000, double hi = 1000) {
    auto* n = Make<TNumIO>(10, 10, 150, 24);
    n->SetInputFormat(f);
    n->SetRangeHigh(hi);  // the high bound first: a run-time box starts at 0..0
    n->SetRangeLow(lo);
    n->SetBeep(true);
    n->SetOnChange([this](host::TObject*) { ++Changes; });
    n->SetFocus();
    zeltest::Pump();
    return n;
  }
  void Type(const std::string& s) { zeltest::TypeText(Form(), s); }
  void Key(host::Word k) { zeltest::PressKey(Form(), k); }
  int Beeps() { return zeltest::Headless().BeepCount(); }
  // Types s one character at a time and expects each step accepted.
  void TypeAccepted(TNumIO* n, const std::string& s) {
    const std::string before = n->Text();
    for (size_t i = 0; i < s.size(); ++i) {
      Type(s.substr(i, 1));
      EXPECT_EQ(n->Text(), before + s.substr(0, i + 1)) << "after typing " << s.substr(0, i + 1);
    }
  }
  int Changes = 0;
};

}  // namespace

TEST_F(NumIOLegacyTest, FloatAcceptsANumberTypedStepByStepAndPutsBackALetter) {
  TNumIO* n = Box(itFloat);
  TypeAccepted(n, "12.5");
  EXPECT_EQ(Changes, 4);
  EXPECT_EQ(Beeps(), 0);
  Type("x");
  EXPECT_EQ(n->Text(), "12.5");
  EXPECT_EQ(n->CaretPos(), 4);
  EXPECT_EQ(Beeps(), 1);
  EXPECT_EQ(zeltest::Headless().LastBeepType(), 0u);  // the default sound
  EXPECT_EQ(Changes, 4);                              // a refused change is not reported
  Key(host::VK_LEFT);
  Key(host::VK_LEFT);
  Type("e");  // no exponent in itFloat
  EXPECT_EQ(n->Text(), "12.5");
  EXPECT_EQ(n->CaretPos(), 2);
  EXPECT_DOUBLE_EQ(n->GetLabValue(), 12.5);
}

TEST_F(NumIOLegacyTest, ExpAcceptsAnExponentWhileItIsTyped) {
  TNumIO* n = Box(itExp, -1e9, 1e9);
  TypeAccepted(n, "1e-3");
  EXPECT_DOUBLE_EQ(n->GetLabValue(), 0.001);
  n->SetEditText("1");
  n->SetSelStart(1);
  Type("e5");
  EXPECT_DOUBLE_EQ(n->GetLabValue(), 100000);
  Type("e");  // a second exponent
  EXPECT_EQ(n->Text(), "1e5");
  EXPECT_EQ(Beeps(), 1);
}

TEST_F(NumIOLegacyTest, IntTakesANegativeNumberFromTheLeftAndRefusesAPoint) {
  TNumIO* n = Box(itInt);
  TypeAccepted(n, "-42");
  EXPECT_DOUBLE_EQ(n->GetLabValue(), -42);
  Type(".");
  EXPECT_EQ(n->Text(), "-42");
  EXPECT_EQ(Beeps(), 1);
}

TEST_F(NumIOLegacyTest, IntRefusesWhatLeavesThe32BitRange) {
  TNumIO* n = Box(itInt, -3e9, 3e9);
  n->SetEditText("214748364");
  n->SetSelStart(9);
  Type("7");
  EXPECT_EQ(n->Text(), "2147483647");
  Type("0");
  EXPECT_EQ(n->Text(), "2147483647");
  n->SetEditText("-214748364");
  n->SetSelStart(10);
  Type("8");
  EXPECT_DOUBLE_EQ(n->GetLabValue(), -2147483648.0);
  Type("0");
  EXPECT_EQ(n->Text(), "-2147483648");
  double v = 5;
  EXPECT_FALSE(n->ConvertNumString("99999999999999999999", v));
  EXPECT_FALSE(n->ConvertNumString("2147483648", v));
}

TEST_F(NumIOLegacyTest, BaseFormatsTakeTheirDigitsOnly) {
  struct Case {
    TInFormat Format;
    std::string Typed, Refused;
    double Value;
  };
  for (const Case& c :
       {Case{itHex, "fF", "g", 255}, Case{itOct, "17", "8", 15}, Case{itBin, "101", "2", 5}}) {
    TNumIO* n = Box(c.Format);
    Type(c.Typed);
    EXPECT_EQ(n->Text(), c.Typed);
    EXPECT_DOUBLE_EQ(n->GetLabValue(), c.Value);
    Type(c.Refused);
    EXPECT_EQ(n->Text(), c.Typed);
  }
  EXPECT_EQ(Beeps(), 3);
}

TEST_F(NumIOLegacyTest, BaseFormatsRefuseMoreThan32BitsButReadAllOfThem) {
  TNumIO* n = Box(itHex, -1e10, 1e10);
  n->SetEditText("0FFFFFFF");
  n->SetSelStart(8);
  Type("F");
  EXPECT_EQ(n->Text(), "0FFFFFFFF");  // leading zeros cost nothing
  EXPECT_DOUBLE_EQ(n->GetLabValue(), -1);
  n->SetEditText("FFFFFFFF");
  n->SetSelStart(8);
  Type("0");
  EXPECT_EQ(n->Text(), "FFFFFFFF");
}

TEST_F(NumIOLegacyTest, DynamicReadsPrefixedIntegersAndDecimals) {
  TNumIO* n = Box(itDynamic);
  struct Case {
    std::string Text;
    double Value;
  };
  for (const Case& c :
       {Case{"$1f", 31}, Case{"%101", 5}, Case{"&17", 15}, Case{"-2.5e1", -25}, Case{"$", 0}}) {
    n->SetEditText("");
    Type(c.Text);
    EXPECT_EQ(n->Text(), c.Text);
    EXPECT_DOUBLE_EQ(n->GetLabValue(), c.Value) << c.Text;
  }
  Type("g");
  EXPECT_EQ(n->Text(), "$");
}

TEST_F(NumIOLegacyTest, FixPointCutsAThirdDecimalAndKeepsItsSeparator) {
  TNumIO* n = Box(itFixPoint);
  n->SetLabValue(1.5);
  EXPECT_EQ(n->Text(), "1.50");
  n->SetSelStart(4);
  Type("7");
  EXPECT_EQ(n->Text(), "1.50");
  EXPECT_EQ(Beeps(), 0);
  n->SetSelStart(3);
  Key(host::VK_DELETE);  // "1.5" is written back with its decimals
  EXPECT_EQ(n->Text(), "1.50");
  n->SetSelStart(1);
  Type(".");  // a second separator: put back, caret at the separator
  EXPECT_EQ(n->Text(), "1.50");
  EXPECT_EQ(n->CaretPos(), 1);
  EXPECT_EQ(Beeps(), 1);
  n->SelectAll();
  Type("3");  // no separator left
  EXPECT_EQ(n->Text(), "1.50");
  EXPECT_EQ(Beeps(), 2);
}

TEST_F(NumIOLegacyTest, FixPointBoxThatAcceptedNothingYetTakesItsFirstDigits) {
  TNumIO* n = Box(itFixPoint);
  Type("3");
  EXPECT_EQ(n->Text(), "3.00");
  EXPECT_EQ(n->CaretPos(), 1);
  Type("2");
  EXPECT_EQ(n->Text(), "32.00");
}

TEST_F(NumIOLegacyTest, FixPointUnderTheCommaSettingEditsCommaTexts) {
  TNumIO* n = Box(itFixPoint);
  n->SetDecPlaceSep(dpsComma);
  n->SetLabValue(2.25);
  EXPECT_EQ(n->Text(), "2,25");
  n->SetSelStart(0);
  Type("1");
  EXPECT_EQ(n->Text(), "12,25");
  EXPECT_DOUBLE_EQ(n->GetLabValue(), 12.25);
  n->SetSelStart(5);
  Type("9");
  EXPECT_EQ(n->Text(), "12,25");
  EXPECT_EQ(Beeps(), 0);
  n->SelectAll();
  Type(".");  // no separator here
  EXPECT_EQ(n->Text(), "12,25");
  EXPECT_EQ(Beeps(), 1);
}

TEST_F(NumIOLegacyTest, ValuesOutsideTheRangeAreRefusedExceptZero) {
  TNumIO* n = Box(itFloat, 1, 5);
  Type("5");
  EXPECT_EQ(n->Text(), "5");  // the bound itself is inside
  Type("0");
  EXPECT_EQ(n->Text(), "5");
  EXPECT_EQ(Beeps(), 1);
  n->SelectAll();
  Type("0");
  EXPECT_EQ(n->Text(), "0");  // outside, but 0 is always accepted
  Type(".9");
  EXPECT_EQ(n->Text(), "0.");
  EXPECT_EQ(Beeps(), 2);
  n->SetRangeLow(-5);
  n->SelectAll();
  Type("-5");
  EXPECT_EQ(n->Text(), "-5");
}

TEST_F(NumIOLegacyTest, RangeDefaultsDependOnWhereTheBoxIsMade) {
  auto* runtime = Make<TNumIO>(0, 0, 100, 20);
  EXPECT_EQ(runtime->RangeLow(), 0);
  EXPECT_EQ(runtime->RangeHigh(), 0);
  EXPECT_EQ(runtime->InputFormat(), itDynamic);
  EXPECT_EQ(runtime->DecPlaceSep(), dpsLocale);
  EXPECT_EQ(runtime->FixPointDecPlaces(), 2);
  EXPECT_FALSE(runtime->Beep());
  Form()->SetDesigning(true);
  auto* designed = Make<TNumIO>(0, 30, 100, 20);
  Form()->SetDesigning(false);
  EXPECT_EQ(designed->RangeLow(), -std::numeric_limits<double>::max());
  EXPECT_EQ(designed->RangeHigh(), std::numeric_limits<double>::max());
}

TEST_F(NumIOLegacyTest, ABoundWrittenPastTheOtherSwapsThem) {
  TNumIO* n = Box(itFloat, 0, 10);
  n->SetRangeLow(20);
  EXPECT_EQ(n->RangeLow(), 10);
  EXPECT_EQ(n->RangeHigh(), 20);
  n->SetRangeHigh(5);
  EXPECT_EQ(n->RangeLow(), 5);
  EXPECT_EQ(n->RangeHigh(), 10);
  n->SetRangeHigh(kNaN);
  EXPECT_EQ(n->RangeHigh(), 10);
}

TEST_F(NumIOLegacyTest, SetLabValueWritesEachFormat) {
  struct Case {
    TInFormat Format;
    double Value;
    std::string Text;
    double ReadBack;
  };
  TNumIO* n = Box(itFloat);
  for (const Case& c : {
           Case{itFloat, 3.14159, "3.14159000", 3.14159},
           Case{itFixPoint, 3.14159, "3.14", 3.14},
           Case{itInt, 41.6, "42", 42},
           Case{itHex, 255, "000000FF", 255},
           Case{itHex, -1, "FFFFFFFF", -1},
           Case{itOct, 8, "00000010", 8},
           Case{itOct, -1, "37777777777", -1},  // every bit written
           Case{itBin, 5, "00000101", 5},
           Case{itBin, 256, "100000000", 256},
           Case{itExp, 100000, " 1.00000E+05", 100000},
           Case{itDynamic, -0.5, "-5.00000E-01", -0.5},
           Case{itDynamic, 1e150, "************", 0},
           Case{itInt, kNaN, "0", 0},
           Case{itHex, kInf, "00000000", 0},
           Case{itOct, -kInf, "00000000", 0},
           Case{itBin, kNaN, "00000000", 0},
       }) {
    n->SetInputFormat(c.Format);
    Changes = 0;
    n->SetLabValue(c.Value);
    EXPECT_EQ(n->Text(), c.Text) << int(c.Format) << " " << c.Value;
    EXPECT_DOUBLE_EQ(n->GetLabValue(), c.ReadBack) << c.Text;
    EXPECT_EQ(n->LastAcceptedText(), c.Text);
    EXPECT_EQ(Changes, 0);  // the control's own text changes are not reported
  }
}

TEST_F(NumIOLegacyTest, SeparatorSettingsChooseWhatCounts) {
  TNumIO* n = Box(itFloat);
  struct Case {
    TDecPSep Sep;
    bool Point, Comma;
  };
  for (const Case& c :
       {Case{dpsPoint, true, false}, Case{dpsComma, false, true}, Case{dpsEither, true, true}}) {
    n->SetDecPlaceSep(c.Sep);
    double v = 0;
    EXPECT_EQ(n->ConvertNumString("1.5", v), c.Point) << int(c.Sep);
    EXPECT_EQ(n->ConvertNumString("1,5", v), c.Comma) << int(c.Sep);
  }
  host::TFormatSettings& fs = host::FormatSettings();
  const char saved = fs.DecimalSeparator;
  fs.DecimalSeparator = ',';
  n->SetDecPlaceSep(dpsLocale);
  double v = 0;
  EXPECT_TRUE(n->ConvertNumString("1,5", v));
  EXPECT_FALSE(n->ConvertNumString("1.5", v));
  n->SetLabValue(0.25);
  EXPECT_EQ(n->Text(), "0,25000000");
  fs.DecimalSeparator = saved;
}

TEST_F(NumIOLegacyTest, GetLabValueReadsEitherCharacterUnderEverySetting) {
  TNumIO* n = Box(itFloat);
  for (TDecPSep sep : {dpsPoint, dpsComma, dpsEither}) {
    n->SetDecPlaceSep(sep);
    for (const char* text : {"2,5", "2.5"}) {
      n->SetEditText(text);
      EXPECT_DOUBLE_EQ(n->GetLabValue(), 2.5) << text << " " << int(sep);
    }
    n->SetEditText("2,");
    EXPECT_DOUBLE_EQ(n->GetLabValue(), 2);
  }
  n->SetEditText("abc");
  EXPECT_EQ(n->GetLabValue(), 0);
}

TEST_F(NumIOLegacyTest, ConvertNumStringWantsTheWholeText) {
  TNumIO* n = Box(itExp);
  double v = 7;
  EXPECT_FALSE(n->ConvertNumString("", v));
  EXPECT_EQ(v, 7);  // untouched
  EXPECT_TRUE(n->ConvertNumString("   ", v));
  EXPECT_EQ(v, 0);
  EXPECT_TRUE(n->ConvertNumString("  12", v));
  EXPECT_EQ(v, 12);
  EXPECT_FALSE(n->ConvertNumString("1 2", v));
  EXPECT_FALSE(n->ConvertNumString("12abc", v));
  EXPECT_FALSE(n->ConvertNumString("e5", v));
  EXPECT_TRUE(n->ConvertNumString("1E+", v));
  EXPECT_EQ(v, 1);
  EXPECT_TRUE(n->ConvertNumString("-", v));
  EXPECT_EQ(v, 0);
}

TEST_F(NumIOLegacyTest, SetEditTextWithTheCurrentTextLeavesTheNextEditChecked) {
  TNumIO* n = Box(itFloat);
  Type("12");
  n->SetEditText("12");  // no change follows
  Type("x");
  EXPECT_EQ(n->Text(), "12");
  EXPECT_EQ(Beeps(), 1);
}

TEST_F(NumIOLegacyTest, SetEditTextIsWhatARefusedChangePutsBack) {
  TNumIO* n = Box(itFloat);
  Type("12");
  n->SetEditText("7");
  EXPECT_EQ(Changes, 2);
  n->SetSelStart(1);
  Type("x");
  EXPECT_EQ(n->Text(), "7");
}

TEST_F(NumIOLegacyTest, TheCaretNeverMovesBeforeTheStart) {
  TNumIO* n = Box(itFloat);
  Type("5");
  n->SetSelStart(0);
  Type("x");
  EXPECT_EQ(n->Text(), "5");
  EXPECT_EQ(n->CaretPos(), 0);
  n->SetSelStart(1);
  Key(host::VK_BACK);  // an empty text is no number
  EXPECT_EQ(n->Text(), "5");
  EXPECT_EQ(n->CaretPos(), 0);
}

TEST_F(NumIOLegacyTest, ChangingTheFormatChecksTheTextAfresh) {
  TNumIO* n = Box(itFloat);
  Type("1.5");
  n->SetInputFormat(itInt);
  EXPECT_EQ(n->Text(), "");  // nothing is accepted any more
  n->SetInputFormat(itFloat);
  Type("8");
  n->SetRangeHigh(5);
  EXPECT_EQ(n->Text(), "");
}

TEST_F(NumIOLegacyTest, ASettingTheProgramWritesPutsBackWithoutABeep) {
  TNumIO* n = Box(itFloat);
  Type("1.5");
  n->SetInputFormat(itHex);
  EXPECT_EQ(n->Text(), "");
  EXPECT_EQ(Beeps(), 0);
}

TEST_F(NumIOLegacyTest, NoBeepUnlessBeepIsSet) {
  TNumIO* n = Box(itInt);
  n->SetBeep(false);
  Type("1x");
  EXPECT_EQ(n->Text(), "1");
  EXPECT_EQ(Beeps(), 0);
}

TEST_F(NumIOLegacyTest, AssignCopiesTheSettings) {
  TNumIO* a = Box(itHex, 3, 9);
  a->SetDecPlaceSep(dpsComma);
  auto* b = Make<TNumIO>(0, 40, 100, 20);
  b->Assign(a);
  EXPECT_EQ(b->InputFormat(), itHex);
  EXPECT_EQ(b->RangeLow(), 3);
  EXPECT_EQ(b->RangeHigh(), 9);
  EXPECT_EQ(b->DecPlaceSep(), dpsComma);
  EXPECT_TRUE(b->Beep());
  b->SetFixPointDecPlaces(0);
  EXPECT_EQ(b->FixPointDecPlaces(), 1);
  b->SetFixPointDecPlaces(20);
  EXPECT_EQ(b->FixPointDecPlaces(), 8);
}
