// The report list's row edit dialog, driven headless through the modal hook
// as a user would: look at the fields, change them, press OK or Cancel.
#include <gtest/gtest.h>

#include "host/ui/FormatSettings.h"
#include "host/widgets/Buttons.h"
#include "host/widgets/ComboBox.h"
#include "host/widgets/DateTimePicker.h"
#include "host/widgets/StdCtrls.h"
#include "numeric/ZEL_NumIOLegacy.h"
#include "replist/ZEL_replist_dialog.h"
#include "tests/replist/RLViewFixture.h"

using namespace zeltest;
using host::TForm;

namespace {

class RLDialogTest : public rltest::RLViewTest {
 protected:
  rltest::TCountingView* V = nullptr;

  void SetUp() override {
    RLViewTest::SetUp();
    host::SetNowForTesting(host::EncodeDate(2026, 5, 4) + 0.5);
    V = View({{"Probe A", "mid", "24.12.2025", "x"}, {"", "", "", ""}});
    const char* heads[] = {"Name", "Level", "Due", "Other"};
    const char* formats[] = {"[s][100]", "[l:5][120]low|mid|high", "[ddd.MM.yyyy][90]", "[q][50]"};
    for (int c = 1; c <= 4; ++c)
      V->SetHeader(c, heads[c - 1]), V->SetColumnFormat(c, formats[c - 1]);
  }
  void TearDown() override {
    host::Application->SetModalHook(nullptr);
    host::ClearNowForTesting();
    RLViewTest::TearDown();
  }
  // Runs the dialog on `row` with `user` acting inside it.
  int Edit(int row, const std::function<void(TForm*)>& user) {
    host::Application->SetModalHook(user);
    return V->EditRowEntries(row, 100, 50);
  }
  template <class T>
  static T* Field(TForm* f, const std::string& name) {
    auto* c = dynamic_cast<T*>(f->FindComponent(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
  }
  static void Press(TForm* f, const std::string& button) {
    auto* b = Field<host::TControl>(f, button);
    Click(b, b->Width() / 2, b->Height() / 2);
  }
  static int RuntimeComponents(TForm* f) {
    int n = 0;
    for (int i = 0; i < f->ComponentCount(); ++i)
      n += f->Components(i)->Name().find("runtime_rlre_") != std::string::npos;
    return n;
  }
};

}  // namespace

TEST(RLFieldFormat, ReadsTypeMarkWidthAndRest) {
  const zel::TRLFieldFormat f = zel::ParseFieldFormat("[#l:5][120]low|mid");
  EXPECT_TRUE(f.ReadOnly);
  EXPECT_EQ(f.Letter(), 'l');
  EXPECT_EQ(f.DropDownLines(), 5);
  EXPECT_EQ(f.Width, 120);
  EXPECT_EQ(f.Rest, "low|mid");
  EXPECT_EQ(zel::ParseFieldFormat("[ddd.MM.yyyy][]x").DateFormat(), "dd.MM.yyyy");
  EXPECT_EQ(zel::ParseFieldFormat("[ddd.MM.yyyy][]x").Width, 200);
  EXPECT_EQ(zel::ParseFieldFormat("").Letter(), 's');
  EXPECT_EQ(zel::ParseFieldFormat("[s][-4]").Width, 200);
  EXPECT_EQ(zel::ParseFieldFormat("[s][99999999999]").Width, zel::kMaxFieldWidth);
}

TEST_F(RLDialogTest, BuildsOneLabelledFieldPerFormatOnAFormOfItsOwn) {
  const int result = Edit(1, [&](TForm* f) {
    EXPECT_EQ(f->Caption(), "Editing Row 1");
    EXPECT_EQ(f->BorderStyle(), host::bsDialog);
    EXPECT_EQ(f->Left(), 100);
    EXPECT_EQ(f->Top(), 50);
    auto* label = Field<host::TLabel>(f, "runtime_rlre_Label2");
    EXPECT_EQ(label->Caption(), "Level:");
    EXPECT_EQ(label->Alignment(), host::taRightJustify);
    int w = 0;  // the widest header
    for (const char* h : {"Name", "Level", "Due", "Other"})
      w = std::max(w, f->Canvas()->TextWidth(h));
    w += 8;
    EXPECT_EQ(label->Width(), w);
    EXPECT_EQ(label->Top(), 45 + 25 + 3);
    auto* name = Field<host::TEdit>(f, "runtime_rlre_Edit1");
    EXPECT_EQ(name->Text(), "Probe A");
    EXPECT_EQ(name->Left(), w + 12);
    EXPECT_EQ(name->Top(), 45);
    EXPECT_EQ(name->Width(), 100);
    EXPECT_EQ(name->Tag(), 1);
    auto* level = Field<host::TComboBox>(f, "runtime_rlre_CBox2");
    EXPECT_EQ(level->Style(), host::csDropDownList);
    EXPECT_EQ(level->Items()->Count(), 3);
    EXPECT_EQ(level->DropDownCount(), 5);
    EXPECT_EQ(level->ItemIndex(), 1);
    auto* due = Field<host::TDateTimePicker>(f, "runtime_rlre_DtPick3");
    EXPECT_EQ(due->DateTime(), host::EncodeDate(2025, 12, 24));
    EXPECT_EQ(due->Format(), "dd.MM.yyyy");
    EXPECT_NE(f->FindComponent("runtime_rlre_Label4"), nullptr);
    EXPECT_EQ(RuntimeComponents(f), 4 + 3 + 2) << "no field for an unknown letter";
    const int widest = 120 + w;
    EXPECT_EQ(f->Width(), widest + 28);
    EXPECT_EQ(f->Height(), 4 * 25 + 45 + 38);
    auto* ok = Field<host::TSpeedButton>(f, "runtime_rlre_OK");
    auto* cancel = Field<host::TSpeedButton>(f, "runtime_rlre_Cancel");
    EXPECT_EQ(ok->Caption(), "OK");
    EXPECT_EQ(cancel->Caption(), "Cancel");
    EXPECT_EQ(ok->BoundsRect(), host::TRect(widest - 154, 4, widest - 154 + 81, 33));
    EXPECT_EQ(cancel->BoundsRect(), host::TRect(widest - 69, 4, widest - 69 + 81, 33));
    Press(f, "runtime_rlre_Cancel");
  });
  EXPECT_EQ(result, host::mrCancel);
}

TEST_F(RLDialogTest, OKWritesEveryFieldBackInOneChange) {
  int changes = 0;
  V->SetOnChange([&](host::TObject*) { ++changes; });
  const int result = Edit(1, [&](TForm* f) {
    Field<host::TEdit>(f, "runtime_rlre_Edit1")->SetText("Probe B");
    Field<host::TComboBox>(f, "runtime_rlre_CBox2")->SetItemIndex(2);
    Field<host::TDateTimePicker>(f, "runtime_rlre_DtPick3")
        ->SetDateTime(host::EncodeDate(2026, 1, 2));
    Press(f, "runtime_rlre_OK");
  });
  EXPECT_EQ(result, host::mrOk);
  EXPECT_EQ(Column(V, 1)[0], "Probe B");
  EXPECT_EQ(V->Elem(2, 1), "high");
  EXPECT_EQ(V->Elem(3, 1), "02.01.2026");
  EXPECT_EQ(V->Elem(4, 1), "x");
  EXPECT_EQ(changes, 1);
}

TEST_F(RLDialogTest, CancelAndOtherResultsWriteNothing) {
  for (int r : {host::mrCancel, host::mrAbort}) {
    const int result = Edit(1, [&](TForm* f) {
      Field<host::TEdit>(f, "runtime_rlre_Edit1")->SetText("changed");
      f->SetModalResult(r);
    });
    EXPECT_EQ(result, r);
    EXPECT_EQ(V->Elem(1, 1), "Probe A");
  }
}

TEST_F(RLDialogTest, EnterInAFieldClosesWithOKAndTheOwnFormIsFreed) {
  const int before = V->ComponentCount();
  const int result = Edit(1, [&](TForm* f) {
    auto* name = Field<host::TEdit>(f, "runtime_rlre_Edit1");
    name->SetFocus();
    name->SetText("");
    TypeText(f, "typed");
    PressKey(f, host::VK_RETURN);
  });
  EXPECT_EQ(result, host::mrOk);
  EXPECT_EQ(V->Elem(1, 1), "typed");
  EXPECT_EQ(V->ComponentCount(), before);
  V->SetColumnFormat(4, "[e][60]");
  for (const char* field : {"runtime_rlre_CBox2", "runtime_rlre_DtPick3", "runtime_rlre_NumIO4"}) {
    EXPECT_EQ(Edit(1,
                   [&](TForm* f) {
                     Field<host::TWinControl>(f, field)->SetFocus();
                     PressKey(f, host::VK_RETURN);
                   }),
              host::mrOk)
        << field;
  }
}

TEST_F(RLDialogTest, CallerCaptionsAndEmptyCellDefaults) {
  V->SetColumnFormat(1, "[s][80]$pwd$8");
  V->SetColumnIsPwd(1, true);
  V->SetColumnFormat(3, "[ddd.MM.yyyy][90]01.07.2024");
  Edit(2, [&](TForm* f) {
    EXPECT_EQ(Field<host::TEdit>(f, "runtime_rlre_Edit1")->Text().size(), 8u);
    EXPECT_EQ(Field<host::TEdit>(f, "runtime_rlre_Edit1")->PasswordChar(), U'*');
    EXPECT_EQ(Field<host::TDateTimePicker>(f, "runtime_rlre_DtPick3")->DateTime(),
              host::EncodeDate(2024, 7, 1));
    f->SetModalResult(host::mrCancel);
  });
  host::Application->SetModalHook([&](TForm* f) {
    EXPECT_EQ(f->Caption(), "Zeile");
    EXPECT_EQ(Field<host::TSpeedButton>(f, "runtime_rlre_OK")->Caption(), "Ja");
    EXPECT_EQ(Field<host::TSpeedButton>(f, "runtime_rlre_Cancel")->Caption(), "Nein");
    f->SetModalResult(host::mrCancel);
  });
  V->EditRowEntries(2, 0, 0, "Zeile", "Ja", "Nein");
}

TEST_F(RLDialogTest, ReadOnlyFieldsAreGreyDisabledAndStillWrittenBack) {
  V->SetColumnFormat(1, "[#s][100]");
  Edit(1, [&](TForm* f) {
    auto* name = Field<host::TEdit>(f, "runtime_rlre_Edit1");
    EXPECT_FALSE(name->Enabled());
    EXPECT_EQ(name->Color(), 0xE0E0E0u);
    EXPECT_EQ(name->Font()->Color(), 0x808080u);
    EXPECT_EQ(name->Width(), 100);
    name->SetText("by program");
    Press(f, "runtime_rlre_OK");
  });
  EXPECT_EQ(V->Elem(1, 1), "by program");
}

TEST_F(RLDialogTest, AListWithoutTheCellTextSelectsNothingAndOKEmptiesTheCell) {
  V->SetElem(2, 1, "extreme");
  Edit(1, [&](TForm* f) {
    EXPECT_EQ(Field<host::TComboBox>(f, "runtime_rlre_CBox2")->ItemIndex(), -1);
    Press(f, "runtime_rlre_OK");
  });
  EXPECT_EQ(V->Elem(2, 1), "");
}

TEST_F(RLDialogTest, AnEditableComboShowsTheCellText) {
  V->SetColumnFormat(2, "[c:8][120]red|green");
  V->SetElem(2, 1, "teal");
  Edit(1, [&](TForm* f) {
    auto* cb = Field<host::TComboBox>(f, "runtime_rlre_CBox2");
    EXPECT_EQ(cb->Style(), host::csDropDown);
    EXPECT_EQ(cb->Text(), "teal");
    EXPECT_EQ(cb->DropDownCount(), 8);
    f->SetModalResult(host::mrOk);
  });
  EXPECT_EQ(V->Elem(2, 1), "teal");
}

TEST_F(RLDialogTest, OnRequestEditFormatIsAskedPerColumnBeforeItsField) {
  std::vector<std::pair<int, int>> asked;
  V->SetOnRequestEditFormat([&](host::TObject*, int col, int row, std::string& format) {
    asked.push_back({col, row});
    if (col == 4) format = "[s][60]spare";
  });
  Edit(2, [&](TForm* f) {
    EXPECT_EQ(Field<host::TEdit>(f, "runtime_rlre_Edit4")->Text(), "spare");
    f->SetModalResult(host::mrCancel);
  });
  EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{1, 2}, {2, 2}, {3, 2}, {4, 2}}));
}

TEST_F(RLDialogTest, ContainerFormTakesTheFieldsWithoutButtonsAndCanBeUsedAgain) {
  TForm container(nullptr);
  container.SetCaption("Mine");
  container.SetBounds(0, 0, 50, 40);
  for (int round = 0; round < 2; ++round) {
    host::Application->SetModalHook([&](TForm* f) {
      EXPECT_EQ(f, &container);
      EXPECT_EQ(f->Caption(), "");
      EXPECT_EQ(f->FindComponent("runtime_rlre_OK"), nullptr);
      auto* name = Field<host::TEdit>(f, "runtime_rlre_Edit1");
      EXPECT_EQ(name->Top(), 30);
      EXPECT_GT(name->Left(), 20 + 12);
      EXPECT_GE(f->Height(), 4 * 25 + 38);
      name->SetText("round " + std::to_string(round));
      char32_t enter = U'\r';
      name->OnKeyPress()(name, enter);
    });
    EXPECT_EQ(V->EditRowEntries(1, &container, 20, 30), host::mrOk);
    EXPECT_EQ(V->Elem(1, 1), "round " + std::to_string(round));
    EXPECT_EQ(RuntimeComponents(&container), 0);
  }
}

TEST_F(RLDialogTest, AnExceptionWhileBuildingLeavesNoEditorsBehind) {
  TForm container(nullptr);
  V->SetOnRequestEditFormat([&](host::TObject*, int col, int, std::string&) {
    if (col == 3) throw std::runtime_error("no format");
  });
  host::Application->SetModalHook([&](TForm* f) { f->SetModalResult(host::mrOk); });
  EXPECT_THROW(V->EditRowEntries(1, &container, 0, 0), std::runtime_error);
  EXPECT_EQ(RuntimeComponents(&container), 0);
  const int owned = V->ComponentCount();
  EXPECT_THROW(V->EditRowEntries(1, 0, 0), std::runtime_error);
  EXPECT_EQ(V->ComponentCount(), owned) << "the own form is freed too";
  V->SetOnRequestEditFormat(nullptr);
  EXPECT_EQ(V->EditRowEntries(1, &container, 0, 0), host::mrOk);
  EXPECT_EQ(V->Elem(1, 1), "Probe A");
}

TEST_F(RLDialogTest, AnUnreadableDateIsWrittenBackOnlyWhenTheUserSetsIt) {
  V->SetElem(3, 1, "sometime");
  Edit(1, [&](TForm* f) { Press(f, "runtime_rlre_OK"); });
  EXPECT_EQ(V->Elem(3, 1), "sometime");
  Edit(2, [&](TForm* f) { Press(f, "runtime_rlre_OK"); });
  EXPECT_EQ(V->Elem(3, 2), "") << "never the date of value 0";
  Edit(2, [&](TForm* f) {
    auto* p = Field<host::TDateTimePicker>(f, "runtime_rlre_DtPick3");
    EXPECT_EQ(p->DateTime(), host::EncodeDate(2026, 5, 4)) << "starts at today";
    p->SetDateTime(host::EncodeDate(2026, 5, 6));
    Press(f, "runtime_rlre_OK");
  });
  EXPECT_EQ(V->Elem(3, 2), "06.05.2026");
}

TEST_F(RLDialogTest, DatesSurviveARoundTripThroughTheDialog) {
  V->SetColumnFormat(3, "[dhh:mm tt][80]");
  for (const char* text : {"07:30 AM", "07:30 PM", "12:05 AM"}) {
    V->SetElem(3, 1, text);
    Edit(1, [&](TForm* f) { Press(f, "runtime_rlre_OK"); });
    EXPECT_EQ(V->Elem(3, 1), text);
  }
  V->SetElem(3, 1, "07:30 pm");
  Edit(1, [&](TForm* f) {
    EXPECT_EQ(Field<host::TDateTimePicker>(f, "runtime_rlre_DtPick3")->DateTime(),
              host::EncodeTime(19, 30, 0, 0));
    f->SetModalResult(host::mrCancel);
  });
}

TEST_F(RLDialogTest, AssignCarriesTheFormatRequestHandler) {
  int asked = 0;
  V->SetOnRequestEditFormat([&](host::TObject*, int, int, std::string&) { ++asked; });
  auto* copy = Make<zel::TReportListView>(0, 0, 100, 100);
  copy->Assign(V);
  host::Application->SetModalHook([](TForm* f) { f->SetModalResult(host::mrCancel); });
  copy->EditRowEntries(1, 0, 0);
  EXPECT_EQ(asked, copy->NrOfColumns());
}

TEST_F(RLDialogTest, NumberColumnsGetNumericEditsWithRowDefaults) {
  V->SetNrOfRows(5);
  V->SetColumnFormat(1, "[i][60]rix3");
  V->SetColumnFormat(2, "[h][60]rix2");
  V->SetColumnFormat(3, "[f][60]");
  V->SetColumnFormat(4, "[e][60]");
  V->SetElem(3, 5, "2.5");
  V->SetElem(4, 5, "1e5");
  Edit(5, [&](TForm* f) {
    const std::pair<const char*, zel::TInFormat> kinds[] = {
        {"runtime_rlre_NumIO1", zel::itInt},
        {"runtime_rlre_NumIO2", zel::itHex},
        {"runtime_rlre_NumIO3", zel::itFloat},
        {"runtime_rlre_NumIO4", zel::itDynamic}};
    for (const auto& [name, format] : kinds) {
      auto* n = Field<zel::TNumIO>(f, name);
      EXPECT_EQ(n->InputFormat(), format) << name;
      EXPECT_EQ(n->DecPlaceSep(), zel::dpsEither) << name;
      EXPECT_EQ(n->RangeHigh(), 1.7E308);
      EXPECT_EQ(n->RangeLow(), -1.7E308);
    }
    EXPECT_EQ(Field<zel::TNumIO>(f, "runtime_rlre_NumIO1")->Text(), "005");
    EXPECT_EQ(Field<zel::TNumIO>(f, "runtime_rlre_NumIO2")->Text(), "05");
    f->SetModalResult(host::mrOk);
  });
  EXPECT_EQ(V->Elem(1, 5), "005");
  EXPECT_EQ(V->Elem(3, 5), "2.5");
  EXPECT_EQ(V->Elem(4, 5), "1e5");
}

TEST_F(RLDialogTest, ANumberCellWithAPointSurvivesACommaLocale) {
  host::TFormatSettings saved = host::FormatSettings();
  host::FormatSettings().DecimalSeparator = ',';
  V->SetColumnFormat(2, "[f][60]");
  V->SetElem(2, 1, "2.5");
  V->SetElem(2, 2, "3,25");
  for (int row : {1, 2}) {
    Edit(row, [&](TForm* f) {
      auto* n = Field<zel::TNumIO>(f, "runtime_rlre_NumIO2");
      n->SetFocus();
      PressKey(f, host::VK_END);
      TypeText(f, "x1");  // the letter is refused, the digit taken
      PressKey(f, host::VK_RETURN);
    });
  }
  host::FormatSettings() = saved;
  EXPECT_EQ(V->Elem(2, 1), "2.51");
  EXPECT_EQ(V->Elem(2, 2), "3,251");
}

TEST_F(RLDialogTest, TypingIntoANumberFieldIsChecked) {
  V->SetColumnFormat(2, "[i][60]");
  V->SetElem(2, 1, "12");
  Edit(1, [&](TForm* f) {
    auto* n = Field<zel::TNumIO>(f, "runtime_rlre_NumIO2");
    n->SetFocus();
    n->SelectAll();
    TypeText(f, "-7a");
    PressKey(f, host::VK_RETURN);
  });
  EXPECT_EQ(V->Elem(2, 1), "-7");
}
