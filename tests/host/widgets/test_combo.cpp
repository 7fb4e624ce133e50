// The combo box: choosing by mouse and keys with its events in order, the
// drop-down list window, type-ahead, sorting, the edit box, owner drawing.
#include "host/widgets/ComboBox.h"
#include "host/widgets/StdCtrls.h"
#include "tests/support/Headless.h"

using namespace host;
using namespace zeltest;

namespace {

class Combo : public HeadlessTest {
 protected:
  TComboBox* Box(TComboBoxStyle style) {
    auto* b = Make<TComboBox>(10, 10, 120, 0);
    b->SetStyle(style);
    for (const char* s : {"alpha", "beta", "gamma", "delta", "epsilon"}) b->Items()->Add(s);
    b->SetOnClick([this](TObject*) { Log.push_back("click"); });
    b->SetOnChange([this, b](TObject*) { Log.push_back("change:" + b->Text()); });
    b->SetOnDropDown([this](TObject*) { Log.push_back("drop"); });
    b->SetOnCloseUp([this](TObject*) { Log.push_back("close"); });
    return b;
  }
  // The centre of list row i.
  void ClickRow(TComboBox* b, int i) {
    const TRect r = b->ListItemRect(i);
    Click(b->ListControl(), (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }
  std::vector<std::string> Log;
};

using Strings = std::vector<std::string>;

TEST_F(Combo, MouseChoiceClosesTheListThenClicksAndChanges) {
  auto* b = Box(csDropDownList);
  Click(static_cast<TControl*>(b), 30, 8);
  ASSERT_TRUE(b->DroppedDown());
  TControl* list = b->ListControl();
  TForm* popup = GetParentForm(list);
  ASSERT_NE(popup, Form());  // a window of its own, just below the box
  EXPECT_EQ(list->ClientToScreen(Point(0, 0)), b->ClientToScreen(Point(0, b->Height())));
  EXPECT_EQ(list->Height(), 5 * b->ItemHeight() + 2);
  EXPECT_TRUE(Form()->Active());  // the keyboard stays with the box's form
  ClickRow(b, 2);
  EXPECT_FALSE(b->DroppedDown());
  EXPECT_FALSE(popup->Visible());
  EXPECT_EQ(b->ItemIndex(), 2);
  EXPECT_EQ(b->Text(), "gamma");
  EXPECT_EQ(Log, (Strings{"drop", "close", "click", "change:gamma"}));
  // Choosing the same item again changes nothing.
  Log.clear();
  Click(static_cast<TControl*>(b), 30, 8);
  ClickRow(b, 2);
  EXPECT_EQ(Log, (Strings{"drop", "close"}));
}

TEST_F(Combo, KeysStepTheClosedBoxAndDriveTheOpenList) {
  auto* b = Box(csDropDownList);
  b->SetFocus();
  PressKey(Form(), VK_DOWN);  // nothing chosen yet: the first item
  PressKey(Form(), VK_DOWN);
  EXPECT_EQ(b->ItemIndex(), 1);
  PressKey(Form(), VK_END);
  PressKey(Form(), VK_DOWN);  // already last: no event
  EXPECT_EQ(Log,
            (Strings{"click", "change:alpha", "click", "change:beta", "click", "change:epsilon"}));
  Log.clear();
  PressKey(Form(), VK_F4);
  ASSERT_TRUE(b->DroppedDown());
  PressKey(Form(), VK_UP);  // moves the highlight only
  PressKey(Form(), VK_UP);
  EXPECT_EQ(b->ItemIndex(), 4);
  PressKey(Form(), VK_ESCAPE);  // drops it
  EXPECT_FALSE(b->DroppedDown());
  EXPECT_EQ(b->ItemIndex(), 4);
  PressKey(Form(), VK_DOWN, ssAlt);
  PressKey(Form(), VK_HOME);
  PressKey(Form(), VK_RETURN);  // takes it, and is not the form's Return
  EXPECT_EQ(b->ItemIndex(), 0);
  EXPECT_EQ(Log, (Strings{"drop", "close", "drop", "close", "click", "change:alpha"}));
}

TEST_F(Combo, TypeAheadFindsByPrefixAndCyclesOnARepeatedLetter) {
  auto* b = Box(csDropDownList);
  b->Items()->Add("gadget");
  b->SetFocus();
  TypeText(Form(), "g");
  EXPECT_EQ(b->Text(), "gamma");
  TypeText(Form(), "g");  // the same letter again: the next item with it
  EXPECT_EQ(b->Text(), "gadget");
  Advance(2000);  // a pause starts a new search
  TypeText(Form(), "de");
  EXPECT_EQ(b->Text(), "delta");
  Advance(2000);
  TypeText(Form(), "z");  // nothing matches: no change
  EXPECT_EQ(b->Text(), "delta");
}

TEST_F(Combo, ProgramWritesFireNothingAndTrackTheItems) {
  auto* b = Box(csDropDownList);
  b->SetItemIndex(3);
  EXPECT_EQ(b->Text(), "delta");
  b->SetText("beta");  // a list style selects the item of that text
  EXPECT_EQ(b->ItemIndex(), 1);
  b->SetText("nope");
  EXPECT_EQ(b->ItemIndex(), -1);
  EXPECT_EQ(b->Text(), "");
  b->SetItemIndex(3);
  b->Items()->Delete(0);  // the chosen item moves up with the list
  EXPECT_EQ(b->ItemIndex(), 2);
  b->Items()->Delete(2);
  EXPECT_EQ(b->ItemIndex(), -1);
  b->SetItemIndex(99);
  EXPECT_EQ(b->ItemIndex(), -1);
  EXPECT_TRUE(Log.empty());
}

TEST_F(Combo, SortedBoxKeepsItemsInOrderIgnoringCase) {
  auto* b = Make<TComboBox>(10, 10, 120, 0);
  b->Items()->Add("pear");
  b->Items()->Add("Apple");
  b->SetItemIndex(0);
  b->SetSorted(true);
  EXPECT_EQ(b->Items()->Strings(0), "Apple");
  EXPECT_EQ(b->ItemIndex(), 1);  // still the pear
  EXPECT_EQ(b->Items()->Add("banana"), 1);
  EXPECT_EQ(b->Items()->Text(), "Apple\nbanana\npear\n");
}

TEST_F(Combo, EditStyleTypesTextAndChoosesFromTheList) {
  auto* b = Box(csDropDown);
  b->SetFocus();
  TypeText(Form(), "gam");
  EXPECT_EQ(b->Text(), "gam");
  EXPECT_EQ(b->ItemIndex(), -1);
  EXPECT_EQ(Log.back(), "change:gam");
  TypeText(Form(), "ma");
  EXPECT_EQ(b->ItemIndex(), 2);  // the text is an item now
  Log.clear();
  // A click in the text does not open the list; the button does.
  Click(static_cast<TControl*>(b), 20, 8);
  EXPECT_FALSE(b->DroppedDown());
  Click(static_cast<TControl*>(b), b->Width() - 8, 8);
  ASSERT_TRUE(b->DroppedDown());
  ClickRow(b, 4);
  EXPECT_EQ(b->Text(), "epsilon");
  EXPECT_EQ(Log, (Strings{"drop", "close", "click", "change:epsilon"}));
  b->SetText("free text");  // kept as it is in an edit style
  EXPECT_EQ(b->Text(), "free text");
  EXPECT_EQ(b->ItemIndex(), -1);
}

TEST_F(Combo, TabEntersAndLeavesTheEditBoxBothWays) {
  auto* before = Make<TEdit>(10, 60, 50, 21);
  auto* b = Box(csDropDown);
  auto* after = Make<TEdit>(70, 60, 50, 21);
  before->SetFocus();
  PressKey(Form(), VK_TAB);
  TWinControl* inBox = Form()->ActiveControl();
  EXPECT_TRUE(b->ContainsControl(inBox));
  PressKey(Form(), VK_TAB);
  EXPECT_EQ(Form()->ActiveControl(), after);
  PressKey(Form(), VK_TAB, ssShift);
  EXPECT_EQ(Form()->ActiveControl(), inBox);
  PressKey(Form(), VK_TAB, ssShift);
  EXPECT_EQ(Form()->ActiveControl(), before);
}

TEST_F(Combo, PressOutsideClosesTheListAndIsSpent) {
  auto* b = Box(csDropDownList);
  auto* button = Make<TButton>(10, 80, 60, 25);
  int clicks = 0;
  button->SetOnClick([&](TObject*) { ++clicks; });
  Click(static_cast<TControl*>(b), 30, 8);
  ASSERT_TRUE(b->DroppedDown());
  Click(Form(), 20, 90);
  EXPECT_FALSE(b->DroppedDown());
  EXPECT_EQ(clicks, 0);
  Click(Form(), 20, 90);  // with the list gone, the button works again
  EXPECT_EQ(clicks, 1);
  // A box freed while its list is open leaves no popup and no input filter behind.
  Click(static_cast<TControl*>(b), 30, 8);
  const int forms = Screen->FormCount();
  delete b;
  EXPECT_EQ(Screen->FormCount(), forms - 1);
  Click(Form(), 20, 90);
  EXPECT_EQ(clicks, 2);
}

TEST_F(Combo, LongListScrollsWithWheelAndKeys) {
  auto* b = Box(csDropDownList);
  for (int i = 0; i < 20; ++i) b->Items()->Add("item" + std::to_string(i));
  b->SetDropDownCount(6);
  b->SetFocus();
  PressKey(Form(), VK_F4);
  TControl* list = b->ListControl();
  EXPECT_EQ(list->Height(), 6 * b->ItemHeight() + 2);
  EXPECT_EQ(b->ListItemRect(0).Top, 1);
  Wheel(GetParentForm(list), 10, 10, -120);  // three rows down
  EXPECT_EQ(b->ListItemRect(3).Top, 1);
  PressKey(Form(), VK_END);  // the last item comes into view
  EXPECT_EQ(b->ListItemRect(24).Bottom, 6 * b->ItemHeight() + 1);
  PressKey(Form(), VK_RETURN);
  EXPECT_EQ(b->Text(), "item19");
}

TEST_F(Combo, TheListsScrollBarDragsStepsAndRepeatsWithoutClosing) {
  auto* b = Box(csDropDownList);
  for (int i = 0; i < 15; ++i) b->Items()->Add("item" + std::to_string(i));
  b->SetDropDownCount(6);  // 20 items, 6 rows: positions 0..14
  b->SetFocus();
  PressKey(Form(), VK_F4);
  TControl* list = b->ListControl();
  const int x = list->Width() - 9;
  Drag(list, x, 20, x, list->Height() + 50);  // the thumb, down past the end
  EXPECT_EQ(b->ListItemRect(14).Top, 1);
  EXPECT_TRUE(b->DroppedDown());
  MouseDown(GetParentForm(list), x, 5);  // the up arrow, held
  EXPECT_EQ(b->ListItemRect(13).Top, 1);
  Advance(400);
  EXPECT_EQ(b->ListItemRect(12).Top, 1);
  MouseUp(GetParentForm(list), x, 5);
  EXPECT_TRUE(b->DroppedDown());
  ClickRow(b, 13);
  EXPECT_EQ(b->Text(), "item8");
}

TEST_F(Combo, OwnerDrawingCallsOncePerVisibleItemWithTheListCanvas) {
  auto* b = Box(csOwnerDrawFixed);
  b->SetItemHeight(20);
  b->SetDropDownCount(3);
  std::vector<std::pair<int, TOwnerDrawState>> calls;
  b->SetOnDrawItem([&](TWinControl* c, int i, const TRect& r, TOwnerDrawState st) {
    calls.push_back({i, st});
    TCanvas* canvas = static_cast<TComboBox*>(c)->Canvas();
    canvas->Brush()->SetColor(clRed);
    canvas->FillRect(r);
  });
  b->SetItemIndex(1);
  Pump();
  ASSERT_EQ(calls.size(), 1u);  // the closed box shows its item
  EXPECT_EQ(calls[0].first, 1);
  EXPECT_TRUE(calls[0].second & odComboBoxEdit);
  EXPECT_EQ(b->Height(), 26);
  calls.clear();
  Click(static_cast<TControl*>(b), 30, 8);
  Pump();
  std::vector<int> drawn;
  for (auto& [i, st] : calls)
    if (!(st & odComboBoxEdit)) drawn.push_back(i);
  EXPECT_EQ(drawn, (std::vector<int>{0, 1, 2}));
  for (auto& [i, st] : calls)
    if (i == 1 && !(st & odComboBoxEdit)) {
      EXPECT_TRUE(st & odSelected);
    }
  // The handler drew on the list window, in its rows.
  const TRect r = b->ListItemRect(2);
  EXPECT_EQ(PixelAt(b->ListControl(), r.Left + 3, r.Top + 3), clRed);
}

TEST_F(Combo, ListWorksInsideAModalDialog) {
  auto dialog = std::make_unique<TForm>(nullptr);
  auto* b = new TComboBox(dialog.get());
  b->SetParent(dialog.get());
  b->SetBounds(10, 10, 100, 0);
  b->Items()->Add("one");
  b->Items()->Add("two");
  Application->SetModalHook([&](TForm* f) {
    Click(static_cast<TControl*>(b), b->Width() - 8, 8);
    ASSERT_TRUE(b->DroppedDown());
    const TRect r = b->ListItemRect(1);
    Click(b->ListControl(), 10, (r.Top + r.Bottom) / 2);
    f->SetModalResult(mrOk);
  });
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_EQ(b->Text(), "two");
}

// A box whose DropDown asks a question first, as an owner-drawn colour list does.
class TAskingBox : public TComboBox {
 public:
  using TComboBox::TComboBox;
  TModalResult Answer = mrNone;

 protected:
  void DropDown() override {
    TForm question(nullptr);
    auto* yes = new TButton(&question);
    yes->SetParent(&question);
    yes->SetBounds(10, 10, 80, 25);
    yes->SetModalResult(mrYes);
    Answer = question.ShowModal();
    TComboBox::DropDown();
  }
};

TEST_F(Combo, ModalDialogFromDropDownGetsTheMouse) {
  auto* b = Make<TAskingBox>(10, 10, 120, 0);
  b->SetStyle(csDropDownList);
  b->Items()->Add("one");
  Application->SetModalHook([](TForm* f) { Click(f, 20, 20); });  // on the button
  Click(static_cast<TControl*>(b), 30, 8);
  EXPECT_EQ(b->Answer, mrYes);
  EXPECT_TRUE(b->DroppedDown());
}

}  // namespace
