// The text model shared by every control that edits text: UTF-8 text, a caret
// and a selection counted in characters, and the edits a user makes.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace host {

// UTF-8 text with a caret and a selection. Every position counts characters
// (code points; a malformed byte counts as one character, as the decoder of
// Utf8.h reads it), so the caret always stands between two characters and no
// edit can split one.
//
// The selection runs between the anchor (the end that stays put) and the caret
// (the end that moves); SelStart and SelLength give it the other way round.
// Invariant: 0 <= Anchor, Caret <= Length(). Every position handed in is
// clamped to the text, never refused.
//
// Edits replace the selection and leave the caret after what they put in.
// MaxLength limits only the edits made in the user's name (InsertText); the
// program's own edits (SetText, ReplaceSelection, ReplaceRange) are not cut.
//
// A validating control takes a Checkpoint before an edit and Restores it when
// it refuses the result (TryEdit does both), so a refused key leaves text,
// caret and selection exactly as they were.
class TTextBuffer {
 public:
  // What Restore puts back.
  struct TCheckpoint {
    std::string Text;
    int Anchor = 0;
    int Caret = 0;
  };

  TTextBuffer() = default;
  explicit TTextBuffer(std::string text) { SetText(std::move(text)); }

  const std::string& Text() const { return FText; }
  // Replaces the whole text; caret and anchor go to 0.
  void SetText(std::string text);
  // Characters of the text.
  int Length() const { return FLength; }

  int Caret() const { return FCaret; }
  int Anchor() const { return FAnchor; }
  int SelStart() const { return FCaret < FAnchor ? FCaret : FAnchor; }
  int SelLength() const { return FCaret < FAnchor ? FAnchor - FCaret : FCaret - FAnchor; }
  int SelEnd() const { return SelStart() + SelLength(); }
  std::string SelText() const { return Slice(SelStart(), SelEnd()); }

  // Moves the caret; without extend the selection collapses onto it.
  void SetCaret(int pos, bool extend = false);
  // Selects from anchor to caret (either order).
  void Select(int anchor, int caret);
  // Collapses the selection to pos.
  void SetSelStart(int pos) { SetCaret(pos); }
  // Selects n characters from SelStart; the caret goes to their end.
  void SetSelLength(int n);
  void SelectAll() { Select(0, FLength); }

  // Most characters InsertText lets the text reach; 0 means no limit.
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int v) { FMaxLength = v < 0 ? 0 : v; }

  // The program's edit: replaces the selection with s, caret after it.
  void ReplaceSelection(std::string_view s);
  // Replaces the characters [from, to) with s, caret after it.
  void ReplaceRange(int from, int to, std::string_view s);
  // The user's edit: replaces the selection with as much of s as MaxLength
  // allows (whole characters). False when nothing changed.
  bool InsertText(std::string_view s);
  // Backspace (forward = false) or Delete: removes the selection, or else the
  // character before or after the caret. False when nothing changed.
  bool DeleteChar(bool forward);
  // s cut to what InsertText would put in place of the selection.
  std::string Fit(std::string_view s) const;

  TCheckpoint Checkpoint() const { return {FText, FAnchor, FCaret}; }
  void Restore(const TCheckpoint& c);
  // Runs edit, then asks accept about the result; a refused edit is put back.
  // Returns accept's answer.
  bool TryEdit(const std::function<void(TTextBuffer&)>& edit,
               const std::function<bool(const TTextBuffer&)>& accept);

  // Byte offset of character position pos (clamped): where it starts in Text().
  size_t ByteOffset(int pos) const;
  // Character position of the character holding byte offset b (clamped); an
  // offset inside a character gives that character's position.
  int CharOffset(size_t b) const;
  // The characters [from, to) (clamped).
  std::string Slice(int from, int to) const;
  // The character at pos; 0 outside the text.
  char32_t CharAt(int pos) const;

  // Word moves as Ctrl+Left and Ctrl+Right make them: to the start of the word
  // before pos, and past the word after pos and the blanks behind it (not past
  // a line break).
  int WordLeft(int pos) const;
  int WordRight(int pos) const;
  // Selects the word, or the run of blanks, at pos (a double click), never
  // across a line break.
  void SelectWordAt(int pos);
  // The characters [first, second) SelectWordAt would select; (0, 0) in an
  // empty text.
  std::pair<int, int> WordAt(int pos) const;
  // The hard line holding pos, without its line break (a triple click).
  std::pair<int, int> LineAt(int pos) const;

 private:
  std::string FText;
  // Byte offset of every character start plus FText.size(); empty while the
  // text is plain ASCII, where positions and offsets are the same.
  std::vector<size_t> FStarts;
  int FLength = 0;
  int FAnchor = 0;
  int FCaret = 0;
  int FMaxLength = 0;

  int Clamp(int pos) const { return pos < 0 ? 0 : pos > FLength ? FLength : pos; }
  void Reindex();
};

// The undo and redo history of a text edited in a TTextBuffer.
//
// Each entry keeps only what an edit changed: the bytes it took out, the bytes
// it put in, and where, with the selection before and after. So the history of
// a long text costs what its edits cost, not a copy of the text an edit, and it
// stays byte-exact even over malformed UTF-8. An edit is recorded after it
// happened, from the text before and the buffer after (Record finds the changed
// span itself), so any edit path can be recorded alike.
//
// Typed characters that follow each other make one entry (a run), undone at
// once; BreakRun ends a run (a caret move, a click), and every edit that is not
// typing stands alone. Entries beyond kLimit, or beyond kByteLimit bytes in
// all, are forgotten oldest first; the newest always stays. A new edit drops
// what could be redone.
class TUndoHistory {
 public:
  static constexpr size_t kLimit = 100;
  static constexpr size_t kByteLimit = size_t(1) << 20;

  struct TSelection {
    int Anchor = 0;
    int Caret = 0;
  };

  // The edit that turned `before` (with selection `sel`) into buffer's text.
  // Nothing is recorded when the text did not change.
  void Record(const std::string& before, TSelection sel, const TTextBuffer& buffer, bool typing);
  bool CanUndo() const { return !FUndo.empty(); }
  bool CanRedo() const { return !FRedo.empty(); }
  // Puts the buffer back to before the last edit, its selection too; false
  // when there is nothing to undo. The buffer must hold the text the history
  // last saw (the control clears the history when the program sets the text).
  bool Undo(TTextBuffer& buffer);
  bool Redo(TTextBuffer& buffer);
  void Clear();
  void BreakRun() { FRunOpen = false; }

 private:
  struct TEntry {
    size_t Offset = 0;  // byte offset of the change
    std::string Removed, Inserted;
    TSelection Before, After;
  };
  std::deque<TEntry> FUndo;
  std::vector<TEntry> FRedo;
  size_t FBytes = 0;  // Removed and Inserted bytes of the undo entries
  bool FRunOpen = false;

  bool Extends(const TEntry& e) const;
  void Push(TEntry e);
  static void Apply(TTextBuffer& buffer, size_t offset, size_t length, const std::string& with,
                    TSelection sel);
};

// Characters in UTF-8 text, counted as TTextBuffer counts them.
int CharCount(std::string_view s);
// The first n characters of s (all of it when shorter).
std::string FirstChars(std::string_view s, int n);

}  // namespace host
