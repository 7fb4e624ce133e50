// The edit box and the memo, driven by keys and mouse as a user would: typing,
// deleting, selecting, clipboard keys, read-only, length limits, change events,
// UTF-8 caret steps, focus selection, scrolling and the blinking caret; undo,
// the edit menu, word and line clicks, and the PRIMARY selection.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "host/gfx/FontFace.h"
#include "host/ui/Clipbrd.h"
#include "host/widgets/Menus.h"
#include "host/widgets/StdCtrls.h"
#include "tests/support/Headless.h"

using namespace host;
using namespace zeltest;

namespace {

class Edit : public HeadlessTest {
 protected:
  TEdit* E = nullptr;
  int Changes = 0;
  void SetUp() override {
    HeadlessTest::SetUp();
    E = Make<TEdit>(10, 10, 120, 21);
    E->SetOnChange([this](TObject*) { ++Changes; });
    E->SetFocus();
    Pump();
  }
  void Type(const std::string& s) { TypeText(Form(), s); }
  void Key(Word k, TShiftState s = 0) { PressKey(Form(), k, s); }
  int TextX(const std::string& prefix) { return 4 + E->Font()->Face().TextWidth(prefix); }
};

TEST_F(Edit, TypingEditsAtTheCaretAndReportsEveryChange) {
  Type("hello");
  EXPECT_EQ(E->Text(), "hello");
  EXPECT_EQ(Changes, 5);
  Key(VK_LEFT);
  Key(VK_LEFT);
  Type("X");
  EXPECT_EQ(E->Text(), "helXlo");
  EXPECT_EQ(E->SelStart(), 4);
  Key(VK_BACK);
  Key(VK_DELETE);
  EXPECT_EQ(E->Text(), "helo");
  Key(VK_HOME);
  Key(VK_DELETE);
  Key(VK_BACK);  // nothing before the caret: no change
  EXPECT_EQ(E->Text(), "elo");
  Key(VK_END);
  Key(VK_DELETE);  // nothing after it
  EXPECT_EQ(Changes, 5 + 1 + 2 + 1);
  // Setting the text from the program reports too, and puts the caret first.
  E->SetText("new");
  EXPECT_EQ(Changes, 10);
  EXPECT_EQ(E->SelStart(), 0);
  E->SetText("new");
  EXPECT_EQ(Changes, 10);
}

TEST_F(Edit, ShiftKeysSelectAndTypingReplacesTheSelection) {
  Type("one two three");
  Key(VK_HOME);
  Key(VK_RIGHT, ssShift | ssCtrl);
  EXPECT_EQ(E->SelText(), "one ");
  Key(VK_RIGHT, ssShift);
  EXPECT_EQ(E->SelStart(), 0);
  EXPECT_EQ(E->SelLength(), 5);
  Type("1");
  EXPECT_EQ(E->Text(), "1wo three");
  Key(VK_END, ssShift);
  EXPECT_EQ(E->SelText(), "wo three");
  Key(VK_LEFT);  // collapses to the start of the selection
  EXPECT_EQ(E->SelLength(), 0);
  EXPECT_EQ(E->SelStart(), 1);
  Key(VK_HOME, ssShift);  // backwards from the caret
  EXPECT_EQ(E->SelText(), "1");
  Key(VK_BACK);
  EXPECT_EQ(E->Text(), "wo three");
  E->SetSelStart(3);
  E->SetSelLength(100);
  EXPECT_EQ(E->SelText(), "three");
  E->SetSelText("3");
  EXPECT_EQ(E->Text(), "wo 3");
}

TEST_F(Edit, ClipboardKeys) {
  Type("alpha beta");
  Key('A', ssCtrl);
  Key('C', ssCtrl);
  EXPECT_EQ(Clipboard()->AsText(), "alpha beta");
  Key(VK_HOME);
  Key(VK_RIGHT, ssShift | ssCtrl);
  Key('X', ssCtrl);
  EXPECT_EQ(Clipboard()->AsText(), "alpha ");
  EXPECT_EQ(E->Text(), "beta");
  Key(VK_END);
  Key('V', ssCtrl);
  EXPECT_EQ(E->Text(), "betaalpha ");
  Key(VK_HOME, ssShift);
  Key(VK_INSERT, ssCtrl);
  EXPECT_EQ(Clipboard()->AsText(), "betaalpha ");
  Key(VK_DELETE, ssShift);
  EXPECT_EQ(E->Text(), "");
  Key(VK_INSERT, ssShift);
  Key(VK_INSERT, ssShift);
  EXPECT_EQ(E->Text(), "betaalpha betaalpha ");
  // One line only: a pasted text stops at its first line break.
  Clipboard()->SetAsText("first\r\nsecond");
  E->SelectAll();
  Key('V', ssCtrl);
  EXPECT_EQ(E->Text(), "first");
}

TEST_F(Edit, ReadOnlyRefusesEveryEditButCopies) {
  E->SetText("fixed");
  Changes = 0;
  E->SetReadOnly(true);
  Clipboard()->SetAsText("pasted");
  Key(VK_END);
  Type("x");
  Key(VK_BACK);
  Key(VK_HOME);
  Key(VK_DELETE);
  Key('V', ssCtrl);
  Key('A', ssCtrl);
  Key('X', ssCtrl);
  EXPECT_EQ(E->Text(), "fixed");
  EXPECT_EQ(Changes, 0);
  EXPECT_FALSE(E->Modified());
  EXPECT_EQ(Clipboard()->AsText(), "pasted");
  Key('C', ssCtrl);
  EXPECT_EQ(Clipboard()->AsText(), "fixed");
}

TEST_F(Edit, MaxLengthCountsCharactersAndNeverSplitsOne) {
  E->SetMaxLength(4);
  Type("\xC3\xA4\xC3\xB6");                                        // two two-byte characters
  Clipboard()->SetAsText("\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC");  // three euro signs
  Key('V', ssCtrl);
  EXPECT_EQ(E->Text(), "\xC3\xA4\xC3\xB6\xE2\x82\xAC\xE2\x82\xAC");
  Type("z");
  EXPECT_EQ(E->Text(), "\xC3\xA4\xC3\xB6\xE2\x82\xAC\xE2\x82\xAC");
  // Typing over a selection is within the limit.
  Key(VK_LEFT, ssShift);
  Type("z");
  EXPECT_EQ(E->Text(),
            "\xC3\xA4\xC3\xB6\xE2\x82\xAC"
            "z");
  // The program may set a longer text.
  E->SetText("longer than four");
  EXPECT_EQ(E->Text(), "longer than four");
}

TEST_F(Edit, CaretStepsByCharacters) {
  Type(
      "a\xC3\xA9\xE2\x82\xAC"
      "b");
  EXPECT_EQ(E->SelStart(), 4);
  Key(VK_LEFT);
  Key(VK_LEFT, ssShift);
  EXPECT_EQ(E->SelText(), "\xE2\x82\xAC");
  Key(VK_LEFT);
  Key(VK_BACK);
  EXPECT_EQ(E->Text(),
            "a\xE2\x82\xAC"
            "b");
  EXPECT_EQ(E->SelStart(), 1);
  // Malformed bytes are characters of their own and survive editing.
  E->SetText(
      std::string("x\xFF"
                  "y"));
  Key(VK_END);
  Key(VK_BACK);
  EXPECT_EQ(E->Text(), std::string("x\xFF"));
  Key(VK_BACK);
  EXPECT_EQ(E->Text(), "x");
}

TEST_F(Edit, MouseSetsTheCaretAndSelects) {
  E->SetText("click here please");
  const int y = 10;
  Click(E, TextX("click h") + 1, y);
  EXPECT_EQ(E->SelStart(), 7);
  EXPECT_EQ(E->SelLength(), 0);
  Click(E, TextX("click here") + 1, y, mbLeft, ssShift);
  EXPECT_EQ(E->SelText(), "ere");
  Drag(E, TextX("c"), y, TextX("click"), y);
  EXPECT_EQ(E->SelText(), "lick");
  DblClick(E, TextX("click he"), y);
  EXPECT_EQ(E->SelText(), "here");
  // Dragging past the end selects to the end.
  Drag(E, TextX("click here "), y, 400, y);
  EXPECT_EQ(E->SelText(), "please");
}

TEST_F(Edit, AutoSelectOnTabButNotOnClick) {
  TEdit* other = Make<TEdit>(10, 50, 120, 21);
  other->SetText("every word");
  Key(VK_TAB);
  ASSERT_TRUE(other->Focused());
  EXPECT_EQ(other->SelText(), "every word");
  Key(VK_TAB);
  ASSERT_TRUE(E->Focused());
  Click(other, TextX("eve"), 10);
  EXPECT_EQ(other->SelLength(), 0);
  EXPECT_EQ(other->SelStart(), 3);
  other->SetAutoSelect(false);
  Key(VK_TAB);
  Key(VK_TAB);
  EXPECT_EQ(other->SelLength(), 0);
}

TEST_F(Edit, AutoSizeFollowsFontAndBorder) {
  const int line = E->Font()->Face().CellHeight();
  EXPECT_EQ(E->Height(), line + 8);
  E->SetHeight(60);
  EXPECT_EQ(E->Height(), line + 8);
  E->Font()->SetSize(14);
  EXPECT_EQ(E->Height(), E->Font()->Face().CellHeight() + 8);
  E->SetBorderStyle(bsNone);
  EXPECT_EQ(E->Height(), E->Font()->Face().CellHeight() + 4);
  E->SetAutoSize(false);
  E->SetHeight(60);
  EXPECT_EQ(E->Height(), 60);
}

// Columns of the control whose every pixel of the text line is the text colour:
// only the caret draws such a column.
// `top` is the row the caret starts at; by default that of a single-line edit.
std::vector<int> CaretColumns(TCustomEdit* e, int top = -1) {
  std::vector<int> found;
  const int lh = e->Font()->Face().CellHeight();
  if (top < 0) top = (e->Height() - lh) / 2;
  for (int x = 0; x < e->Width(); ++x) {
    bool full = true;
    for (int y = top; y < top + lh && full; ++y) full = PixelAt(e, x, y) == clBlack;
    if (full) found.push_back(x);
  }
  return found;
}

TEST_F(Edit, CaretBlinksAndLongTextScrollsToKeepItVisible) {
  Type("abc");
  auto at = CaretColumns(E);
  ASSERT_EQ(at.size(), 1u);
  EXPECT_EQ(at[0], TextX("abc"));
  Advance(500);
  EXPECT_TRUE(CaretColumns(E).empty());
  Advance(500);
  EXPECT_EQ(CaretColumns(E).size(), 1u);
  // Focus elsewhere: no caret.
  TEdit* other = Make<TEdit>(10, 50, 120, 21);
  other->SetFocus();
  EXPECT_TRUE(CaretColumns(E).empty());
  E->SetFocus();
  E->SetText(std::string(60, 'w'));
  Key(VK_END);
  at = CaretColumns(E);
  ASSERT_EQ(at.size(), 1u);
  EXPECT_GT(at[0], 4);
  EXPECT_LT(at[0], E->Width() - 3);
  Key(VK_HOME);
  at = CaretColumns(E);
  ASSERT_EQ(at.size(), 1u);
  EXPECT_EQ(at[0], 4);
}

TEST_F(Edit, WithoutATimerTheCaretStaysSteady) {
  TEdit* other = Make<TEdit>(10, 50, 120, 21);
  other->SetFocus();
  FailNextSetTimers(100);  // no timer for the whole focus change
  E->SetFocus();
  ASSERT_TRUE(E->Focused());
  EXPECT_EQ(CaretColumns(E).size(), 1u);
  Advance(500);
  EXPECT_EQ(CaretColumns(E).size(), 1u);
  FailNextSetTimers(0);
  Type("a");  // the next edit gets a timer again and blinks
  Advance(500);
  EXPECT_TRUE(CaretColumns(E).empty());
}

TEST_F(Edit, HideSelectionWhenUnfocused) {
  const TColor highlight = ColorToRGB(clHighlight);
  E->SetText("selected");
  E->SelectAll();
  EXPECT_EQ(PixelAt(E, 5, 4), highlight);
  TEdit* other = Make<TEdit>(10, 50, 120, 21);
  other->SetFocus();
  EXPECT_EQ(PixelAt(E, 5, 4), clWhite);
  E->SetHideSelection(false);
  EXPECT_EQ(PixelAt(E, 5, 4), highlight);
}

// A descendant that checks every change, as a numeric edit does: a refused
// change puts back the last accepted text and steps the caret left.
class DigitsEdit : public TCustomEdit {
 public:
  explicit DigitsEdit(TComponent* o) : TCustomEdit(o) {}
  std::string Accepted;
  int Reported = 0;

 protected:
  void Change() override {
    if (FInternal) return;
    if (Text().find_first_not_of("0123456789") == std::string::npos) {
      Accepted = Text();
      ++Reported;
      TCustomEdit::Change();
      return;
    }
    const int caret = SelStart();
    FInternal = true;
    SetText(Accepted);
    FInternal = false;
    SetSelStart(caret - 1);
  }

 private:
  bool FInternal = false;
};

TEST_F(Edit, ADescendantCanRefuseAChangeFromInsideChange) {
  auto* d = Make<DigitsEdit>(10, 50, 120, 21);
  d->SetFocus();
  TypeText(Form(), "12");
  Key(VK_LEFT);
  TypeText(Form(), "x");
  EXPECT_EQ(d->Text(), "12");
  EXPECT_EQ(d->SelStart(), 1);
  TypeText(Form(), "5");
  EXPECT_EQ(d->Text(), "152");
  EXPECT_EQ(d->Reported, 3);
}

class Memo : public HeadlessTest {
 protected:
  TMemo* M = nullptr;
  void SetUp() override {
    HeadlessTest::SetUp();
    M = Make<TMemo>(10, 10, 150, 60);
    M->SetFocus();
    Pump();
  }
  void Key(Word k, TShiftState s = 0) { PressKey(Form(), k, s); }
};

TEST_F(Memo, ReturnStartsALineAndUpDownKeepTheColumn) {
  TypeText(Form(), "abcdefgh\nab\nabcdefgh");
  EXPECT_EQ(M->Text(), "abcdefgh\nab\nabcdefgh");
  ASSERT_EQ(M->Lines()->Count(), 3);
  EXPECT_EQ(M->Lines()->Strings(1), "ab");
  Key(VK_HOME);
  for (int i = 0; i < 5; ++i) Key(VK_RIGHT);
  Key(VK_UP);  // "ab" is shorter: the caret stops at its end
  EXPECT_EQ(M->SelStart(), 11);
  Key(VK_UP);  // and comes back to the fifth column on a longer line
  EXPECT_EQ(M->SelStart(), 5);
  Key(VK_DOWN, ssShift);
  Key(VK_DOWN, ssShift);
  EXPECT_EQ(M->SelText(), "fgh\nab\nabcde");
  Key(VK_END, ssCtrl);
  EXPECT_EQ(M->SelStart(), 20);
  // Backspace at a line start joins the lines.
  Key(VK_HOME);
  Key(VK_BACK);
  EXPECT_EQ(M->Lines()->Strings(1), "ababcdefgh");
}

TEST_F(Memo, LinesEditTheText) {
  M->Lines()->Add("one");
  M->Lines()->Add("three");
  M->Lines()->Insert(1, "two");
  EXPECT_EQ(M->Text(), "one\ntwo\nthree");
  M->Lines()->SetStrings(0, "ONE");
  M->Lines()->Delete(2);
  M->Lines()->Delete(7);  // out of range: ignored
  EXPECT_EQ(M->Text(), "ONE\ntwo");
  EXPECT_EQ(M->Lines()->Text(), "ONE\ntwo\n");
  M->Lines()->SetText("a\r\nb\rc\n");
  EXPECT_EQ(M->Text(), "a\nb\nc");
  EXPECT_EQ(M->Lines()->Strings(5), "");
  // Pasted Windows line ends become plain ones.
  Clipboard()->SetAsText("x\r\ny");
  Key('V', ssCtrl);
  EXPECT_EQ(M->Text(), "x\nya\nb\nc");
}

TEST_F(Memo, WithoutWantReturnsTheDefaultButtonTakesReturn) {
  auto* ok = Make<TButton>(10, 80, 60, 24);
  ok->SetDefault(true);
  ok->SetModalResult(mrOk);
  int clicks = 0;
  ok->SetOnClick([&](TObject*) { ++clicks; });
  M->SetFocus();
  Key(VK_RETURN);
  EXPECT_EQ(M->Text(), "\n");
  EXPECT_EQ(clicks, 0);
  M->SetWantReturns(false);
  Key(VK_RETURN);
  EXPECT_EQ(M->Text(), "\n");
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(Form()->ModalResult(), mrOk);
}

TEST_F(Memo, ScrollsVerticallyToTheCaret) {
  std::string text;
  for (int i = 0; i < 20; ++i) text += "line " + std::to_string(i) + "\n";
  M->SetText(text);
  Key(VK_END, ssCtrl);
  // The view followed the caret: the top line shown is a later one.
  Click(M, 5, 5);
  const int top = M->SelStart();
  EXPECT_GT(top, 0);
  Wheel(Form(), 50, 30, 120 * 20);
  Click(M, 5, 5);
  EXPECT_EQ(M->SelStart(), 0);
  Wheel(Form(), 50, 30, -120);
  Click(M, 5, 5);
  EXPECT_EQ(M->SelStart(), int(std::string("line 0\nline 1\nline 2\n").size()));
  // Page Down moves by the lines the view shows ("line N" and its break: 7 characters).
  const int visible = (M->Height() - 5) / M->Font()->Face().CellHeight();
  Key(VK_NEXT);
  EXPECT_EQ(M->SelStart(), (3 + visible) * 7);
}

// --- word wrap

class WrapMemo : public Memo {
 protected:
  int W(const std::string& s) { return M->Font()->Face().TextWidth(s); }
  // Makes the text area (inside border and margins) exactly `w` pixels wide.
  void AreaWidth(int w) { M->SetBounds(10, 10, w + 8, 60); }
  int LineTop(int i) { return 3 + i * M->Font()->Face().CellHeight(); }
};

TEST_F(WrapMemo, LongLinesWrapAtBlanksAndHomeEndWorkOnTheShownLine) {
  M->SetText("aaa bbb ccc ddd");
  AreaWidth(W("aaa bbb "));  // "aaa bbb c" does not fit
  ASSERT_TRUE(M->WordWrap());
  EXPECT_EQ(M->Lines()->Count(), 1);  // wrapping leaves the text alone
  Key(VK_END);
  EXPECT_EQ(M->SelStart(), 7);  // before the blank the line breaks at
  Key(VK_DOWN);
  EXPECT_EQ(M->SelStart(), 15);
  Key(VK_HOME);
  EXPECT_EQ(M->SelStart(), 8);
  Key(VK_END, ssShift);
  EXPECT_EQ(M->SelText(), "ccc ddd");
  Key(VK_UP);
  EXPECT_EQ(M->SelStart(), 7);
  // A click on the second shown line lands there.
  Click(M, 4 + W("cc"), LineTop(1) + 2);
  EXPECT_EQ(M->SelStart(), 10);
}

TEST_F(WrapMemo, AWordWiderThanTheWidthBreaksAndTheCaretKeepsToItsLine) {
  M->SetText(std::string(12, 'w'));
  AreaWidth(W("wwwww") + 1);
  Key(VK_END);
  EXPECT_EQ(M->SelStart(), 5);
  // At the break the caret shows at the end of the upper line, not the start
  // of the lower one.
  auto at = CaretColumns(M, LineTop(0));
  ASSERT_EQ(at.size(), 1u);
  EXPECT_EQ(at[0], 4 + W("wwwww"));
  EXPECT_TRUE(CaretColumns(M, LineTop(1)).empty());
  Key(VK_DOWN);
  EXPECT_EQ(M->SelStart(), 10);
  Key(VK_RIGHT);  // stepping onto the break from the left shows it below
  Key(VK_LEFT);
  Key(VK_LEFT);
  at = CaretColumns(M, LineTop(1));
  ASSERT_EQ(at.size(), 1u);
  EXPECT_EQ(at[0], 4 + W("wwww"));
  Key(VK_END, ssCtrl);
  EXPECT_EQ(M->SelStart(), 12);
  EXPECT_EQ(CaretColumns(M, LineTop(2)).size(), 1u);
}

TEST_F(WrapMemo, ResizingWrapsAnewAndWithoutWrapLinesRunOn) {
  M->SetText("aaa bbb ccc");
  AreaWidth(W("aaa "));
  Key(VK_DOWN);
  Key(VK_END);
  EXPECT_EQ(M->SelStart(), 7);
  AreaWidth(W("aaa bbb ccc") + 1);  // all fits now: one line
  Key(VK_HOME);
  EXPECT_EQ(M->SelStart(), 0);
  Key(VK_END);
  EXPECT_EQ(M->SelStart(), 11);
  AreaWidth(W("aaa "));
  M->SetWordWrap(false);
  Key(VK_HOME);
  Key(VK_END);
  EXPECT_EQ(M->SelStart(), 11);
  Key(VK_DOWN);  // a single line: nowhere to go
  EXPECT_EQ(M->SelStart(), 11);
}

TEST_F(WrapMemo, AFontChangeWrapsAnew) {
  M->SetText("aaa bbb ccc");
  AreaWidth(W("aaa bbb c"));
  Key(VK_END);
  ASSERT_EQ(M->SelStart(), 7);
  M->Font()->SetSize(M->Font()->Size() * 2);  // now only "aaa" fits a line
  Key(VK_HOME, ssCtrl);
  Key(VK_END);
  EXPECT_EQ(M->SelStart(), 3);
}

TEST_F(WrapMemo, SelectedHangingBlanksLightUp) {
  M->SetText("aaa     bbb");
  AreaWidth(W("aaa  "));
  M->SelectAll();
  // The blanks after "aaa" hang past the break; selected, they are lit up to
  // the edge of the text area like the rest.
  EXPECT_EQ(PixelAt(M, 4 + W("aaa  ") - 1, LineTop(0) + 2), ColorToRGB(clHighlight));
  Key(VK_HOME);
  Key(VK_DOWN);
  EXPECT_EQ(M->SelStart(), 8);
}

}  // namespace

namespace {

// --- scroll bars

class BarMemo : public Memo {
 protected:
  const TWindowScrollBar& Vert() { return M->ScrollBar(sbVertical); }
  const TWindowScrollBar& Horz() { return M->ScrollBar(sbHorizontal); }
  // Form coordinates of the middle of a rectangle of the memo.
  int FX(const TRect& r) { return M->Left() + (r.Left + r.Right) / 2; }
  int FY(const TRect& r) { return M->Top() + (r.Top + r.Bottom) / 2; }
  void Press(const TRect& r) { MouseDown(Form(), FX(r), FY(r)); }
  void Release(const TRect& r) { MouseUp(Form(), FX(r), FY(r)); }
  void SetLines(int n) {
    std::string text;
    for (int i = 0; i < n; ++i) text += (i ? "\n" : "") + std::string("line ") + std::to_string(i);
    M->SetText(text);
  }
  int TopLineShown() {  // the line a click at the top of the text lands on
    Click(M, 5, 4);
    return LineOfCaret();
  }
  int LineOfCaret() {
    const std::string before = M->Text().substr(0, size_t(M->SelStart()));
    return int(std::count(before.begin(), before.end(), '\n'));
  }
};

TEST_F(BarMemo, TheVerticalBarSitsInsideTheBorderAndNarrowsTheText) {
  EXPECT_FALSE(Vert().Shown());
  M->SetScrollBars(ssVertical);
  ASSERT_TRUE(Vert().Shown());
  EXPECT_FALSE(Horz().Shown());
  EXPECT_EQ(Vert().Bounds(), Rect(M->Width() - 2 - 16, 2, M->Width() - 2, M->Height() - 2));
  EXPECT_FALSE(Vert().Active());  // nothing to scroll yet
  // Wrapping follows the narrower text area.
  const int w = M->Font()->Face().TextWidth("aaa ");
  M->SetBounds(10, 10, w + 8 + 16, 60);
  M->SetText("aaa bbb");
  Key(VK_END);
  EXPECT_EQ(M->SelStart(), 3);
  M->SetScrollBars(ssNone);
  EXPECT_FALSE(Vert().Shown());
}

TEST_F(BarMemo, BarWheelAndCaretMoveTheSameView) {
  M->SetScrollBars(ssVertical);
  SetLines(20);
  const int page = int(Vert().PageSize());
  ASSERT_TRUE(Vert().Active());
  EXPECT_EQ(Vert().Max(), 20 - page);
  Key(VK_END, ssCtrl);  // the view follows the caret, and the bar the view
  EXPECT_EQ(Vert().Position(), 20 - page);
  Press(Vert().Layout().LineBack);
  Release(Vert().Layout().LineBack);
  EXPECT_EQ(Vert().Position(), 19 - page);
  EXPECT_EQ(LineOfCaret(), 19);  // the bar scrolls the view, not the caret
  EXPECT_EQ(TopLineShown(), 19 - page);
  Wheel(Form(), 50, 30, 120);
  EXPECT_EQ(Vert().Position(), 16 - page);
  EXPECT_EQ(TopLineShown(), 16 - page);
  // Dragging the thumb to the top shows the first line.
  const TRect thumb = Vert().Layout().Thumb;
  Drag(Form(), FX(thumb), FY(thumb), FX(thumb), M->Top() - 40);
  EXPECT_EQ(Vert().Position(), 0);
  EXPECT_EQ(TopLineShown(), 0);
}

TEST_F(BarMemo, AHeldArrowKeepsScrolling) {
  M->SetScrollBars(ssVertical);
  SetLines(40);
  const TRect down = Vert().Layout().LineForward;
  Press(down);
  EXPECT_EQ(Vert().Position(), 1);
  Advance(400 + 50 * 4);
  EXPECT_EQ(Vert().Position(), 6);
  Release(down);
  Advance(500);
  EXPECT_EQ(Vert().Position(), 6);
  EXPECT_EQ(TopLineShown(), 6);
}

TEST_F(BarMemo, TheHorizontalBarScrollsLongLinesWhenTheyDoNotWrap) {
  M->SetScrollBars(ssBoth);
  M->SetText(std::string(80, 'w') + "\nshort");
  EXPECT_FALSE(Horz().Active());  // wrapped: every line fits
  M->SetWordWrap(false);
  ASSERT_TRUE(Horz().Active());
  const int area = int(Horz().PageSize());
  const int widest = M->Font()->Face().TextWidth(std::string(80, 'w'));
  EXPECT_EQ(Horz().Max(), widest + 1 - area);
  Press(Horz().Layout().PageForward);
  Release(Horz().Layout().PageForward);
  EXPECT_EQ(Horz().Position(), area);
  // A click now lands as far into the line as the view was scrolled.
  Click(M, 4, 4);
  EXPECT_EQ(M->SelStart(),
            (area + M->Font()->Face().TextWidth("w") / 2) / M->Font()->Face().TextWidth("w"));
  // Both bars leave the corner to neither: it shows the face colour.
  const TRect v = Vert().Bounds(), h = Horz().Bounds();
  EXPECT_EQ(PixelAt(M, (v.Left + v.Right) / 2, (h.Top + h.Bottom) / 2), ColorToRGB(clBtnFace));
}

}  // namespace

// --- undo

TEST_F(Edit, CtrlZUndoesATypingRunAtOnceAndCtrlYRedoes) {
  Type("abc");
  Key(VK_LEFT);  // a caret move ends the run
  Type("XY");
  EXPECT_EQ(E->Text(), "abXYc");
  Changes = 0;
  E->SetModified(false);
  Key('Z', ssCtrl);
  EXPECT_EQ(E->Text(), "abc");
  EXPECT_EQ(E->SelStart(), 2);  // the caret came back with the text
  EXPECT_EQ(Changes, 1);
  EXPECT_TRUE(E->Modified());
  Key('Z', ssCtrl);
  EXPECT_EQ(E->Text(), "");
  EXPECT_FALSE(E->CanUndo());
  Key('Z', ssCtrl);  // nothing more: no change
  EXPECT_EQ(Changes, 2);
  Key('Y', ssCtrl);
  Key('Z', ssCtrl | ssShift);
  EXPECT_EQ(E->Text(), "abXYc");
  EXPECT_EQ(E->SelStart(), 4);
}

TEST_F(Edit, PasteCutAndDeleteAreStepsOfTheirOwn) {
  Type("one");
  Clipboard()->SetAsText(" two");
  Key('V', ssCtrl);
  Type("!");
  Key(VK_BACK);
  Key(VK_BACK);
  Key(VK_HOME, ssShift);
  Key('X', ssCtrl);
  EXPECT_EQ(E->Text(), "");
  Key('Z', ssCtrl);
  EXPECT_EQ(E->SelText(), "one tw");  // the cut text came back selected
  for (const char* text : {"one two", "one two!", "one two", "one"}) {
    Key('Z', ssCtrl);
    EXPECT_EQ(E->Text(), text);
  }
}

TEST_F(Edit, TextSetByTheProgramClearsTheHistoryAndReadOnlyDoesNotUndo) {
  Type("abc");
  E->SetText("program");
  EXPECT_FALSE(E->CanUndo());
  Key('Z', ssCtrl);
  EXPECT_EQ(E->Text(), "program");
  Key(VK_END);
  Type("s");
  E->SetSelText("!");  // the program's edit too
  EXPECT_FALSE(E->CanUndo());
  Type("x");
  E->SetReadOnly(true);
  EXPECT_FALSE(E->CanUndo());
  E->Undo();
  Key('Z', ssCtrl);
  EXPECT_EQ(E->Text(), "programs!x");
  E->SetReadOnly(false);
  E->Undo();
  EXPECT_EQ(E->Text(), "programs!");
  E->ClearUndo();
  EXPECT_FALSE(E->CanUndo());
}

TEST_F(Memo, UndoBringsBackLinesAndTheirSelection) {
  TypeText(Form(), "one\ntwo");
  Key(VK_HOME, ssShift);
  Key(VK_DELETE);
  Key(VK_BACK);
  EXPECT_EQ(M->Text(), "one");
  Key('Z', ssCtrl);
  Key('Z', ssCtrl);
  EXPECT_EQ(M->Text(), "one\ntwo");
  EXPECT_EQ(M->SelText(), "two");
  Key('Z', ssCtrl);  // the typing, line break included, was one run
  EXPECT_EQ(M->Text(), "");
}

// --- the edit menu

class EditMenu : public Edit {
 protected:
  std::vector<std::string> Shown;  // "caption" or "caption (off)" for each item
  std::function<void()> Act;       // what the user does in the open menu
  int Opened = 0;
  void SetUp() override {
    Edit::SetUp();
    TPopupMenu::SetIdleHook([this](TPopupMenu* menu) {
      if (!Act) return false;
      ++Opened;
      Shown.clear();
      for (int i = 0; i < menu->Items()->Count(); ++i) {
        const TMenuItem* item = menu->Items()->Items(i);
        Shown.push_back(item->Caption() + (item->Enabled() ? "" : " (off)"));
      }
      auto act = std::move(Act);
      Act = nullptr;
      act();
      return true;
    });
  }
  void TearDown() override {
    TPopupMenu::SetIdleHook(nullptr);
    Edit::TearDown();
  }
  void RightClick(const std::string& prefix, std::function<void()> act) {
    Act = std::move(act);
    Click(E, TextX(prefix), 10, mbRight);
  }
  void Choose(const std::string& accel) {
    Act = nullptr;
    TypeText(Form(), accel);
  }
};

TEST_F(EditMenu, ARightClickShowsTheStandardMenuEnabledByState) {
  Clipboard()->Clear();
  RightClick("", [&] { PressKey(Form(), VK_ESCAPE); });
  EXPECT_EQ(Shown,
            (std::vector<std::string>{"&Undo (off)", "-", "Cu&t (off)", "&Copy (off)",
                                      "&Paste (off)", "&Delete (off)", "-", "Select &All (off)"}));
  Type("some text");
  Key(VK_HOME, ssShift | ssCtrl);
  Clipboard()->SetAsText("clip");
  RightClick("so", [&] { PressKey(Form(), VK_ESCAPE); });
  EXPECT_EQ(Shown, (std::vector<std::string>{"&Undo", "-", "Cu&t", "&Copy", "&Paste", "&Delete",
                                             "-", "Select &All"}));
  EXPECT_EQ(E->SelText(), "some text");  // the press inside the selection kept it
  E->SetReadOnly(true);
  RightClick("so", [&] { PressKey(Form(), VK_ESCAPE); });
  EXPECT_EQ(Shown, (std::vector<std::string>{"&Undo (off)", "-", "Cu&t (off)", "&Copy",
                                             "&Paste (off)", "&Delete (off)", "-", "Select &All"}));
}

TEST_F(EditMenu, ItsItemsActOnTheEdit) {
  Type("alpha beta");
  DblClick(E, TextX("alpha b"), 10);
  RightClick("alpha be", [&] { Choose("t"); });
  EXPECT_EQ(E->Text(), "alpha ");
  EXPECT_EQ(Clipboard()->AsText(), "beta");
  RightClick("alpha", [&] { Choose("p"); });  // outside the selection: the caret moved first
  EXPECT_EQ(E->Text(), "alphabeta ");
  RightClick("", [&] { Choose("u"); });
  EXPECT_EQ(E->Text(), "alpha ");
  RightClick("", [&] { Choose("a"); });
  EXPECT_EQ(E->SelText(), "alpha ");
  RightClick("al", [&] { Choose("d"); });
  EXPECT_EQ(E->Text(), "");
  EXPECT_EQ(Opened, 5);
}

TEST_F(EditMenu, TheKeyboardOpensItAndAPopupMenuOfTheEditsOwnWins) {
  Type("x");
  Act = [&] { PressKey(Form(), VK_ESCAPE); };
  Key(VK_F10, ssShift);
  EXPECT_EQ(Opened, 1);
  Act = [&] { PressKey(Form(), VK_ESCAPE); };
  Key(0x5D);  // the menu key
  EXPECT_EQ(Opened, 2);
  auto* own = new TPopupMenu(Form());
  auto* item = new TMenuItem(own);
  item->SetCaption("&Mine");
  own->Items()->Add(item);
  E->SetPopupMenu(own);
  RightClick("", [&] { PressKey(Form(), VK_ESCAPE); });
  EXPECT_EQ(Shown, std::vector<std::string>{"&Mine"});
}

TEST_F(EditMenu, APasswordBoxShowsMasksAndGivesNothingAway) {
  E->SetPasswordChar(U'*');
  Type("pass word");
  Clipboard()->SetAsText("clip");
  PrimarySelection()->SetAsText("primary");
  // The caret stands where the masks show it: a click after three of them.
  Click(E, TextX("***") + 1, 10);
  EXPECT_EQ(E->SelStart(), 3);
  DblClick(E, TextX("*"), 10);  // no words to see: all of it
  EXPECT_EQ(E->SelLength(), 9);
  Key('C', ssCtrl);
  Key('X', ssCtrl);
  EXPECT_EQ(E->Text(), "pass word");
  EXPECT_EQ(Clipboard()->AsText(), "clip");
  EXPECT_EQ(PrimarySelection()->AsText(), "primary");
  RightClick("*", [&] { PressKey(Form(), VK_ESCAPE); });
  EXPECT_EQ(Shown[2], "Cu&t (off)");
  EXPECT_EQ(Shown[3], "&Copy (off)");
  EXPECT_EQ(Shown[5], "&Delete");
}

// --- selecting with clicks, and PRIMARY

TEST_F(Edit, ATripleClickSelectsTheLineAndADragAfterADoubleClickExtendsByWords) {
  E->SetText("one two three four");
  DblClick(E, TextX("one t"), 10);
  EXPECT_EQ(E->SelText(), "two");
  Click(E, TextX("one t"), 10);  // the third press: the whole single line
  EXPECT_EQ(E->SelText(), "one two three four");
  Advance(1000);
  Click(E, TextX("one t"), 10);  // later: a plain click again
  EXPECT_EQ(E->SelLength(), 0);
  Advance(1000);
  // Press, release, press (the double click), then drag into "three".
  const int x = 10 + TextX("one t");
  MouseDown(Form(), x, 20);
  MouseUp(Form(), x, 20);
  MouseDown(Form(), x, 20);
  MouseMove(Form(), 10 + TextX("one two th"), 20, ssLeft);
  EXPECT_EQ(E->SelText(), "two three");
  MouseMove(Form(), 10 + TextX("o"), 20, ssLeft);  // back before the word clicked
  EXPECT_EQ(E->SelText(), "one two");
  MouseUp(Form(), 10 + TextX("o"), 20);
  EXPECT_EQ(PrimarySelection()->AsText(), "one two");
}

TEST_F(Memo, ATripleClickSelectsTheMemosLine) {
  M->SetText("first line\nsecond line\nthird");
  const int y = 3 + M->Font()->Face().CellHeight() + 2;  // on the second line
  DblClick(M, 10, y);
  Click(M, 10, y);
  EXPECT_EQ(M->SelText(), "second line");
}

TEST_F(Edit, TheUsersSelectionIsOfferedAsPrimaryButNotTheProgramsOne) {
  PrimarySelection()->SetAsText("elsewhere");
  E->SetText("pick me");
  E->SelectAll();  // by the program
  E->SetSelStart(0);
  E->SetSelLength(4);
  EXPECT_EQ(PrimarySelection()->AsText(), "elsewhere");
  Key(VK_END);
  Key(VK_LEFT, ssShift);
  Key(VK_LEFT, ssShift);
  EXPECT_EQ(PrimarySelection()->AsText(), "me");
  Drag(E, TextX(""), 10, TextX("pick"), 10);
  EXPECT_EQ(PrimarySelection()->AsText(), "pick");
  Key('A', ssCtrl);
  EXPECT_EQ(PrimarySelection()->AsText(), "pick me");
  Click(E, TextX("p"), 10);  // an empty selection offers nothing
  EXPECT_EQ(PrimarySelection()->AsText(), "pick me");
}

TEST_F(Edit, AMiddleClickPastesPrimaryAtThePointAsAPaste) {
  E->SetText("ab");
  PrimarySelection()->SetAsText("XY\nnext line");
  Changes = 0;
  Click(E, TextX("a"), 10, mbMiddle);
  EXPECT_EQ(E->Text(), "aXYb");  // one line of it, at the click
  EXPECT_EQ(E->SelStart(), 3);
  EXPECT_EQ(Changes, 1);
  Key('Z', ssCtrl);
  EXPECT_EQ(E->Text(), "ab");
  E->SetMaxLength(3);
  Click(E, TextX("ab"), 10, mbMiddle);
  EXPECT_EQ(E->Text(), "abX");
  E->SetReadOnly(true);
  Click(E, TextX(""), 10, mbMiddle);
  EXPECT_EQ(E->Text(), "abX");
}
