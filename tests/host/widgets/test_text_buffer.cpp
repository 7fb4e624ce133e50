// The text model on its own: positions over multibyte text, the selection in
// both directions, clamping, length limits and the put-back of refused edits;
// and the undo history that records its edits.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "host/widgets/TextBuffer.h"

using namespace host;

namespace {

// "ä" and "€" are two and three bytes, "𝄞" four.
const std::string kMixed =
    "a\xC3\xA4\xE2\x82\xAC\xF0\x9D\x84\x9E"
    "b";

TEST(TextBuffer, PositionsCountCharactersAndMapToTheirBytes) {
  TTextBuffer b(kMixed);
  EXPECT_EQ(b.Length(), 5);
  EXPECT_EQ(b.ByteOffset(0), 0u);
  EXPECT_EQ(b.ByteOffset(2), 3u);
  EXPECT_EQ(b.ByteOffset(4), 10u);
  EXPECT_EQ(b.ByteOffset(5), kMixed.size());
  EXPECT_EQ(b.CharOffset(3), 2);
  EXPECT_EQ(b.CharOffset(4), 2);  // inside "€": that character
  EXPECT_EQ(b.CharOffset(kMixed.size()), 5);
  EXPECT_EQ(b.Slice(1, 3), "\xC3\xA4\xE2\x82\xAC");
  EXPECT_EQ(b.CharAt(3), U'\U0001D11E');
}

TEST(TextBuffer, OutOfRangePositionsClampAndNeverThrow) {
  TTextBuffer b(kMixed);
  EXPECT_EQ(b.ByteOffset(-3), 0u);
  EXPECT_EQ(b.ByteOffset(99), kMixed.size());
  EXPECT_EQ(b.CharOffset(999), 5);
  EXPECT_EQ(b.Slice(4, 1), "");
  EXPECT_EQ(b.Slice(-5, 99), kMixed);
  EXPECT_EQ(b.CharAt(-1), 0u);
  EXPECT_EQ(b.CharAt(5), 0u);
  b.SetCaret(50);
  EXPECT_EQ(b.Caret(), 5);
  b.Select(-7, 2);
  EXPECT_EQ(b.SelStart(), 0);
  EXPECT_EQ(b.SelLength(), 2);
  b.SetSelStart(1);
  b.SetSelLength(2147483647);  // must not wrap round
  EXPECT_EQ(b.SelEnd(), 5);
  b.SetSelLength(-4);
  EXPECT_EQ(b.SelLength(), 0);
}

TEST(TextBuffer, MalformedBytesCountAsOneCharacterEach) {
  TTextBuffer b(
      "x\xE2\x82"
      "y\xFF");
  EXPECT_EQ(b.Length(), 5);
  b.SetCaret(3);
  EXPECT_TRUE(b.DeleteChar(false));  // removes one stray byte, not a sequence
  EXPECT_EQ(b.Text(),
            "x\xE2"
            "y\xFF");
  EXPECT_EQ(b.Caret(), 2);
}

TEST(TextBuffer, TheSelectionKeepsItsAnchorInBothDirections) {
  TTextBuffer b("hello world");
  b.SetCaret(6);
  b.SetCaret(2, true);  // extended to the left
  EXPECT_EQ(b.Anchor(), 6);
  EXPECT_EQ(b.SelStart(), 2);
  EXPECT_EQ(b.SelLength(), 4);
  EXPECT_EQ(b.SelText(), "llo ");
  b.SetCaret(9, true);  // across the anchor to the right
  EXPECT_EQ(b.SelStart(), 6);
  EXPECT_EQ(b.SelText(), "wor");
  b.ReplaceSelection("W");
  EXPECT_EQ(b.Text(), "hello Wld");
  EXPECT_EQ(b.Caret(), 7);
  EXPECT_EQ(b.SelLength(), 0);
}

TEST(TextBuffer, EditsReplaceTheSelectionAndPutTheCaretAfterThem) {
  TTextBuffer b("\xC3\xA4\xC3\xB6");  // "äö"
  b.SetCaret(1);
  EXPECT_TRUE(b.InsertText("\xE2\x82\xAC"));
  EXPECT_EQ(b.Text(), "\xC3\xA4\xE2\x82\xAC\xC3\xB6");
  EXPECT_EQ(b.Caret(), 2);
  EXPECT_TRUE(b.DeleteChar(true));
  EXPECT_EQ(b.Text(), "\xC3\xA4\xE2\x82\xAC");
  EXPECT_FALSE(b.DeleteChar(true));  // nothing after the caret
  b.SetCaret(0);
  EXPECT_FALSE(b.DeleteChar(false));
  b.SelectAll();
  EXPECT_TRUE(b.DeleteChar(false));  // Backspace removes the selection
  EXPECT_EQ(b.Text(), "");
  EXPECT_FALSE(b.InsertText(""));
  b.ReplaceRange(3, -1, "ab");  // clamped to an insertion at the end
  EXPECT_EQ(b.Text(), "ab");
  EXPECT_EQ(b.Caret(), 2);
}

TEST(TextBuffer, MaxLengthCutsUserInsertsAtWholeCharacters) {
  TTextBuffer b("ab");
  b.SetMaxLength(4);
  b.SetCaret(2);
  EXPECT_TRUE(b.InsertText("\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC"));
  EXPECT_EQ(b.Text(), "ab\xE2\x82\xAC\xE2\x82\xAC");
  EXPECT_FALSE(b.InsertText("x"));  // full: nothing changes
  b.Select(0, 2);                   // a selection makes room
  EXPECT_EQ(b.Fit("xyz"), "xy");
  b.ReplaceSelection("program text is not cut");
  EXPECT_EQ(b.Length(), 25);
  b.SetCaret(0);
  EXPECT_FALSE(b.InsertText("x"));  // over the limit already: no room at all
  EXPECT_EQ(FirstChars("\xC3\xA4\xC3\xB6", 1), "\xC3\xA4");
  EXPECT_EQ(FirstChars("ab", 9), "ab");
  EXPECT_EQ(CharCount(kMixed), 5);
}

TEST(TextBuffer, ARefusedEditIsPutBackWithCaretAndSelection) {
  TTextBuffer b("12.5");
  b.Select(4, 1);  // selected backwards
  const auto digitsAndOnePoint = [](const TTextBuffer& t) {
    return std::count(t.Text().begin(), t.Text().end(), '.') <= 1;
  };
  // "2.5" becomes "3.4": one point, accepted.
  EXPECT_TRUE(b.TryEdit([](TTextBuffer& t) { t.InsertText("3.4"); }, digitsAndOnePoint));
  EXPECT_EQ(b.Text(), "13.4");
  EXPECT_EQ(b.Caret(), 4);
  b.Select(1, 3);
  EXPECT_FALSE(b.TryEdit([](TTextBuffer& t) { t.InsertText(".."); }, digitsAndOnePoint));
  EXPECT_EQ(b.Text(), "13.4");
  EXPECT_EQ(b.Anchor(), 1);
  EXPECT_EQ(b.Caret(), 3);
  const TTextBuffer::TCheckpoint cp = b.Checkpoint();
  b.SetText("\xE2\x82\xAC\xE2\x82\xAC");
  b.Restore(cp);
  EXPECT_EQ(b.Length(), 4);  // the character index came back with the text
  EXPECT_EQ(b.SelText(), "3.");
}

TEST(TextBuffer, WordMovesStopAtWordsAndLineBreaks) {
  TTextBuffer b("one  tw\xC3\xB6\nthree");
  EXPECT_EQ(b.WordRight(0), 5);
  EXPECT_EQ(b.WordRight(5), 8);  // stops before the line break
  EXPECT_EQ(b.WordLeft(8), 5);
  EXPECT_EQ(b.WordLeft(5), 0);
  EXPECT_EQ(b.WordLeft(9), 5);  // back over the line break
  b.SelectWordAt(6);
  EXPECT_EQ(b.SelText(), "tw\xC3\xB6");
  b.SelectWordAt(3);
  EXPECT_EQ(b.SelText(), "  ");
  b.SelectWordAt(99);
  EXPECT_EQ(b.SelText(), "three");
}

TEST(TextBuffer, LineAtGivesTheHardLineWithoutItsBreak) {
  TTextBuffer b("one\ntw\xC3\xB6\n\nlast");
  EXPECT_EQ(b.LineAt(0), std::make_pair(0, 3));
  EXPECT_EQ(b.LineAt(3), std::make_pair(0, 3));  // at the break: the line it ends
  EXPECT_EQ(b.LineAt(5), std::make_pair(4, 7));
  EXPECT_EQ(b.LineAt(8), std::make_pair(8, 8));  // an empty line
  EXPECT_EQ(b.LineAt(99), std::make_pair(9, 13));
}

// Edits made on a buffer and recorded the way the edit box records them.
class History : public ::testing::Test {
 protected:
  TTextBuffer B;
  TUndoHistory H;
  void Edit(const std::function<void(TTextBuffer&)>& edit, bool typing = false) {
    const std::string before = B.Text();
    const TUndoHistory::TSelection sel{B.Anchor(), B.Caret()};
    edit(B);
    H.Record(before, sel, B, typing);
  }
  void Type(const std::string& s) {
    for (char ch : s) Edit([ch](TTextBuffer& b) { b.InsertText(std::string(1, ch)); }, true);
  }
};

TEST_F(History, ARunStartsWithTheSelectionItReplacedAndANewEditDropsTheRedo) {
  Type("one two");
  B.Select(7, 4);  // "two", selected backwards
  Type("22");
  EXPECT_EQ(B.Text(), "one 22");
  ASSERT_TRUE(H.Undo(B));  // the replacing character and the one after it
  EXPECT_EQ(B.Text(), "one two");
  EXPECT_EQ(B.Anchor(), 7);
  EXPECT_EQ(B.Caret(), 4);
  ASSERT_TRUE(H.Undo(B));
  EXPECT_EQ(B.Text(), "");
  ASSERT_TRUE(H.Redo(B));
  Edit([](TTextBuffer& b) { b.InsertText("!"); });
  EXPECT_FALSE(H.CanRedo());
  EXPECT_EQ(B.Text(), "one two!");
}

TEST_F(History, UndoIsByteExactOverMalformedText) {
  // A lone lead byte, then a character joined to it by the edit.
  B.SetText("a\xE2z");
  B.SetCaret(2);
  Edit([](TTextBuffer& b) { b.InsertText("\x82\xAC"); });
  Edit([](TTextBuffer& b) { b.ReplaceRange(0, 1, "\xC3"); });
  H.Undo(B);
  H.Undo(B);
  EXPECT_EQ(B.Text(), "a\xE2z");
  H.Redo(B);
  H.Redo(B);
  EXPECT_EQ(B.Text(), std::string("\xC3\xE2\x82\xAC") + "z");
}

TEST_F(History, TheOldestEntriesGoBeyondTheLimits) {
  for (size_t i = 0; i < TUndoHistory::kLimit + 5; ++i) {
    Edit([](TTextBuffer& b) { b.InsertText("x"); });  // not typing: an entry each
  }
  size_t undone = 0;
  while (H.Undo(B)) ++undone;
  EXPECT_EQ(undone, TUndoHistory::kLimit);
  EXPECT_EQ(B.Text(), "xxxxx");
  // One edit larger than the byte budget still undoes; the ones before it go.
  H.Clear();
  Edit([](TTextBuffer& b) { b.InsertText("a"); });
  Edit([](TTextBuffer& b) { b.InsertText(std::string(TUndoHistory::kByteLimit, 'b')); });
  ASSERT_TRUE(H.Undo(B));
  EXPECT_EQ(B.Text(), "xxxxxa");
  EXPECT_FALSE(H.CanUndo());
}

}  // namespace
