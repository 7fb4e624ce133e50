// In-place editing of the report list: which cells open the editor, what it
// shows, what Enter stores, and the edit-text events.
#include <gtest/gtest.h>

#include "host/ui/Forms.h"
#include "tests/replist/RLViewFixture.h"

using namespace zeltest;
using zel::cmBox;

namespace {

struct TEditEvent {
  int Col, Row;
  std::string Value;
};

class RLEditTest : public rltest::RLViewTest {
 protected:
  rltest::TCountingView* V = nullptr;
  std::vector<TEditEvent> Gets, Sets;

  void SetUp() override {
    RLViewTest::SetUp();
    V = View({{"alpha", "1.5", "x"}, {"beta", "2.5", "y"}, {"gamma", "3.5", "z"}});
    V->SetColumnEditable(1, true);
    V->SetColumnEditable(2, true);
    V->SetOnGetEditText([this](host::TObject*, int c, int r, std::string& v) {
      Gets.push_back({c, r, v});
    });
    V->SetOnSetEditText([this](host::TObject*, int c, int r, const std::string& v) {
      Sets.push_back({c, r, v});
    });
  }
  // Clicks the cell and types over its text, then presses Enter.
  void TypeInto(int c, int r, const std::string& text) {
    ClickCell(V, c, r);
    TypeText(Form(), text);
    PressKey(Form(), host::VK_RETURN);
    Pump();
  }
  bool Editing() const {
    return V->EditorMode() && V->InplaceEditor() && V->InplaceEditor()->Visible();
  }
};

}  // namespace

TEST_F(RLEditTest, TypingIntoAnEditableCellUnderRowSelectionStoresTheText) {
  ASSERT_TRUE(V->Options() & host::goRowSelect);
  TypeInto(1, 2, "delta");
  EXPECT_EQ(V->Elem(1, 2), "delta");
  EXPECT_EQ(V->Elem(1, 1), "alpha");
  EXPECT_FALSE(Editing()) << "Enter ends the edit";
}

TEST_F(RLEditTest, EachEditEventFiresOnceWithTheDataRow) {
  TypeInto(2, 3, "7");
  ASSERT_EQ(Gets.size(), 1u);
  EXPECT_EQ(Gets[0].Col, V->GridColOf(2));
  EXPECT_EQ(Gets[0].Row, 3);
  EXPECT_EQ(Gets[0].Value, "3.5");
  ASSERT_EQ(Sets.size(), 1u);
  EXPECT_EQ(Sets[0].Row, 3);
  EXPECT_EQ(Sets[0].Value, "7");
}

TEST_F(RLEditTest, OnGetEditTextChangesWhatTheEditorStartsWith) {
  V->SetOnGetEditText([](host::TObject*, int, int, std::string& v) { v = "[" + v + "]"; });
  ClickCell(V, 1, 1);
  PressKey(Form(), host::VK_RETURN);  // opens the editor on the cell's text
  ASSERT_TRUE(Editing());
  EXPECT_EQ(V->InplaceEditor()->Text(), "[alpha]");
}

TEST_F(RLEditTest, ReadOnlyColumnsAndDisabledRowsDoNotOpenTheEditor) {
  TypeInto(3, 1, "q");
  EXPECT_EQ(V->Elem(3, 1), "x");
  V->SetRowEnabled(2, false);
  TypeInto(1, 2, "q");
  EXPECT_EQ(V->Elem(1, 2), "beta");
  EXPECT_TRUE(Sets.empty());
}

TEST_F(RLEditTest, EscapeGivesUpTheEdit) {
  ClickCell(V, 1, 1);
  TypeText(Form(), "zzz");
  PressKey(Form(), host::VK_ESCAPE);
  Pump();
  EXPECT_EQ(V->Elem(1, 1), "alpha");
  EXPECT_TRUE(Sets.empty());
}

TEST_F(RLEditTest, EveryColumnFormatEditsAsPlainText) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"[s][100]", "free text"},
      {"[f][60]", "2,5"},
      {"[i][60]rix3", "0042"},
      {"[h][60]", "FF"},
      {"[l:5][120]low|mid|high", "mid"},
      {"[c][120]red|blue", "teal"},
      {"[ddd.MM.yyyy][90]", "24.12.2025"}};
  int row = 1;
  for (const auto& [format, text] : cases) {
    V->SetColumnFormat(1, format);
    TypeInto(1, row, text);
    EXPECT_EQ(V->Elem(1, row), text) << format;
    row = row % 3 + 1;
  }
}

TEST_F(RLEditTest, CheckCellsKeepTheirStateAndAnEmptyOneStaysUnchecked) {
  V->SetColumnCheckMode(1, cmBox);
  V->SetElemChecked(1, 1, true);
  V->SetElem(1, 2, "");
  V->RLData()->Strings()->SetString(1, 2, "");  // an empty cell has no flag
  V->SetShowEmptyCheckBoxes(false);             // the click on the box does nothing
  TypeInto(1, 1, "on");
  TypeInto(1, 2, "new");
  EXPECT_EQ(V->RLData()->Strings()->GetString(1, 1), "Xon");
  EXPECT_EQ(V->RLData()->Strings()->GetString(1, 2), " new");
  EXPECT_FALSE(V->ElemChecked(1, 2));
}

TEST_F(RLEditTest, AutoAdvanceMovesOnAfterAnEdit) {
  V->SetAutoAdvance(true);
  TypeInto(1, 1, "one");
  EXPECT_EQ(V->Elem(1, 1), "one");
  EXPECT_TRUE(V->RowSelected(2));
}

TEST_F(RLEditTest, TheRowDialogTakesOverACellOpenInPlace) {
  ClickCell(V, 1, 1);
  TypeText(Form(), "half");
  std::string shown;
  host::Application->SetModalHook([&](host::TForm* f) {
    auto* e = static_cast<host::TControl*>(f->FindComponent("runtime_rlre_Edit1"));
    shown = e->Text();
    e->SetText("from dialog");
    f->SetModalResult(host::mrOk);
  });
  V->EditRowEntries(1, 0, 0);
  host::Application->SetModalHook(nullptr);
  PressKey(Form(), host::VK_RETURN);
  EXPECT_EQ(shown, "half");
  EXPECT_EQ(V->Elem(1, 1), "from dialog");
}

TEST_F(RLEditTest, PasswordColumnsStayMaskedWhileEdited) {
  V->SetColumnIsPwd(2, true);
  ClickCell(V, 2, 1);
  PressKey(Form(), host::VK_RETURN);
  ASSERT_TRUE(Editing());
  EXPECT_EQ(V->InplaceEditor()->PasswordChar(), U'*');
  PressKey(Form(), host::VK_ESCAPE);
  ClickCell(V, 1, 1);
  PressKey(Form(), host::VK_RETURN);
  ASSERT_TRUE(Editing());
  EXPECT_EQ(V->InplaceEditor()->PasswordChar(), 0u) << "the same editor, now on a plain column";
}
