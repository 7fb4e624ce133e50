// The text model on its own: positions over multibyte text, the selection in
// both directions, clamping, length limits and the put-back of refused edits.
#include <gtest/gtest.h>

#include <algorithm>

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

}  // namespace
