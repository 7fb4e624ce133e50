// TTextBuffer: positions over UTF-8, selection, edits and put-back.
#include "host/widgets/TextBuffer.h"

#include <algorithm>

#include "host/gfx/Utf8.h"

namespace host {

namespace {

bool IsBlank(char32_t c) { return c == ' ' || c == '\t' || c == '\n'; }

bool IsAscii(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char b) { return (uint8_t(b) & 0x80) == 0; });
}

}  // namespace

int CharCount(std::string_view s) {
  if (IsAscii(s)) return int(s.size());
  int n = 0;
  for (size_t i = 0; i < s.size(); ++n) NextCodePoint(s, i);
  return n;
}

std::string FirstChars(std::string_view s, int n) {
  size_t i = 0;
  for (int k = 0; k < n && i < s.size(); ++k) NextCodePoint(s, i);
  return std::string(s.substr(0, i));
}

// --- text and positions

void TTextBuffer::SetText(std::string text) {
  FText = std::move(text);
  Reindex();
  FAnchor = FCaret = 0;
}

void TTextBuffer::Reindex() {
  FStarts.clear();
  if (IsAscii(FText)) {
    FLength = int(FText.size());
    return;
  }
  FStarts.reserve(FText.size() + 1);
  for (size_t i = 0; i < FText.size();) {
    FStarts.push_back(i);
    NextCodePoint(FText, i);
  }
  FStarts.push_back(FText.size());
  FLength = int(FStarts.size()) - 1;
}

size_t TTextBuffer::ByteOffset(int pos) const {
  pos = Clamp(pos);
  return FStarts.empty() ? size_t(pos) : FStarts[size_t(pos)];
}

int TTextBuffer::CharOffset(size_t b) const {
  if (b >= FText.size()) return FLength;
  if (FStarts.empty()) return int(b);
  // The last character start at or before b.
  return int(std::upper_bound(FStarts.begin(), FStarts.end(), b) - FStarts.begin()) - 1;
}

std::string TTextBuffer::Slice(int from, int to) const {
  from = Clamp(from);
  to = std::max(Clamp(to), from);
  const size_t a = ByteOffset(from);
  return FText.substr(a, ByteOffset(to) - a);
}

char32_t TTextBuffer::CharAt(int pos) const {
  if (pos < 0 || pos >= FLength) return 0;
  size_t i = ByteOffset(pos);
  return NextCodePoint(FText, i);
}

// --- selection

void TTextBuffer::SetCaret(int pos, bool extend) {
  FCaret = Clamp(pos);
  if (!extend) FAnchor = FCaret;
}

void TTextBuffer::Select(int anchor, int caret) {
  FAnchor = Clamp(anchor);
  FCaret = Clamp(caret);
}

void TTextBuffer::SetSelLength(int n) {
  const int start = SelStart();
  // Adding in 64 bits: a huge n must clamp to the end, not wrap round.
  Select(start, int(std::min<int64_t>(int64_t(start) + std::max(n, 0), FLength)));
}

// --- edits

void TTextBuffer::ReplaceRange(int from, int to, std::string_view s) {
  from = Clamp(from);
  to = std::max(Clamp(to), from);
  const size_t a = ByteOffset(from), b = ByteOffset(to);
  FText.replace(a, b - a, s);
  Reindex();
  // Counted after the splice: bytes of s may join with their neighbours into
  // a different number of characters than s has alone.
  FAnchor = FCaret = CharOffset(a + s.size());
}

void TTextBuffer::ReplaceSelection(std::string_view s) { ReplaceRange(SelStart(), SelEnd(), s); }

std::string TTextBuffer::Fit(std::string_view s) const {
  if (FMaxLength == 0) return std::string(s);
  const int room = FMaxLength - (FLength - SelLength());
  return FirstChars(s, std::max(room, 0));
}

bool TTextBuffer::InsertText(std::string_view s) {
  const std::string fit = Fit(s);
  if (fit.empty() && SelLength() == 0) return false;
  ReplaceSelection(fit);
  return true;
}

bool TTextBuffer::DeleteChar(bool forward) {
  if (SelLength() > 0) {
    ReplaceSelection("");
    return true;
  }
  const int from = forward ? FCaret : FCaret - 1;
  if (from < 0 || from >= FLength) return false;
  ReplaceRange(from, from + 1, "");
  return true;
}

// --- put-back

void TTextBuffer::Restore(const TCheckpoint& c) {
  FText = c.Text;
  Reindex();
  Select(c.Anchor, c.Caret);
}

bool TTextBuffer::TryEdit(const std::function<void(TTextBuffer&)>& edit,
                          const std::function<bool(const TTextBuffer&)>& accept) {
  const TCheckpoint before = Checkpoint();
  edit(*this);
  if (accept(*this)) return true;
  Restore(before);
  return false;
}

// --- words

int TTextBuffer::WordLeft(int pos) const {
  pos = Clamp(pos);
  while (pos > 0 && IsBlank(CharAt(pos - 1))) --pos;
  while (pos > 0 && !IsBlank(CharAt(pos - 1))) --pos;
  return pos;
}

int TTextBuffer::WordRight(int pos) const {
  pos = Clamp(pos);
  while (pos < FLength && !IsBlank(CharAt(pos))) ++pos;
  while (pos < FLength && IsBlank(CharAt(pos)) && CharAt(pos) != '\n') ++pos;
  return pos;
}

std::pair<int, int> TTextBuffer::WordAt(int pos) const {
  if (FLength == 0) return {0, 0};
  pos = std::clamp(pos, 0, FLength - 1);
  const bool blank = IsBlank(CharAt(pos));
  const auto same = [&](int i) { return IsBlank(CharAt(i)) == blank && CharAt(i) != '\n'; };
  int from = pos, to = pos;
  while (from > 0 && same(from - 1)) --from;
  while (to < FLength && same(to)) ++to;
  return {from, std::max(to, from)};
}

void TTextBuffer::SelectWordAt(int pos) {
  if (FLength == 0) return;
  const auto [from, to] = WordAt(pos);
  Select(from, to);
}

std::pair<int, int> TTextBuffer::LineAt(int pos) const {
  pos = Clamp(pos);
  const size_t b = ByteOffset(pos);
  const size_t start = b == 0 ? std::string::npos : FText.rfind('\n', b - 1);
  const size_t end = FText.find('\n', b);
  return {start == std::string::npos ? 0 : CharOffset(start + 1),
          end == std::string::npos ? FLength : CharOffset(end)};
}

// --- undo history

void TUndoHistory::Record(const std::string& before, TSelection sel, const TTextBuffer& buffer,
                          bool typing) {
  const std::string& after = buffer.Text();
  if (before == after) return;
  // The changed span: what lies between the common start and the common end.
  const size_t shorter = std::min(before.size(), after.size());
  size_t head = 0;
  while (head < shorter && before[head] == after[head]) ++head;
  size_t tail = 0;
  while (tail < shorter - head &&
         before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
    ++tail;
  TEntry e;
  e.Offset = head;
  e.Removed = before.substr(head, before.size() - tail - head);
  e.Inserted = after.substr(head, after.size() - tail - head);
  e.Before = sel;
  e.After = {buffer.Anchor(), buffer.Caret()};
  FRedo.clear();
  if (typing && Extends(e)) {
    FUndo.back().Inserted += e.Inserted;
    FUndo.back().After = e.After;
    FBytes += e.Inserted.size();
  } else {
    Push(std::move(e));
  }
  FRunOpen = typing;
}

// A typed character right after the run's last one, taking nothing out.
bool TUndoHistory::Extends(const TEntry& e) const {
  if (!FRunOpen || FUndo.empty() || !e.Removed.empty()) return false;
  const TEntry& last = FUndo.back();
  return e.Offset == last.Offset + last.Inserted.size();
}

void TUndoHistory::Push(TEntry e) {
  FBytes += e.Removed.size() + e.Inserted.size();
  FUndo.push_back(std::move(e));
  while (FUndo.size() > 1 && (FUndo.size() > kLimit || FBytes > kByteLimit)) {
    FBytes -= FUndo.front().Removed.size() + FUndo.front().Inserted.size();
    FUndo.pop_front();
  }
}

void TUndoHistory::Apply(TTextBuffer& buffer, size_t offset, size_t length, const std::string& with,
                         TSelection sel) {
  std::string text = buffer.Text();
  text.replace(std::min(offset, text.size()), length, with);
  buffer.SetText(std::move(text));
  buffer.Select(sel.Anchor, sel.Caret);
}

bool TUndoHistory::Undo(TTextBuffer& buffer) {
  FRunOpen = false;
  if (FUndo.empty()) return false;
  TEntry e = std::move(FUndo.back());
  FUndo.pop_back();
  FBytes -= e.Removed.size() + e.Inserted.size();
  Apply(buffer, e.Offset, e.Inserted.size(), e.Removed, e.Before);
  FRedo.push_back(std::move(e));
  return true;
}

bool TUndoHistory::Redo(TTextBuffer& buffer) {
  FRunOpen = false;
  if (FRedo.empty()) return false;
  TEntry e = std::move(FRedo.back());
  FRedo.pop_back();
  Apply(buffer, e.Offset, e.Removed.size(), e.Inserted, e.After);
  Push(std::move(e));
  return true;
}

void TUndoHistory::Clear() {
  FUndo.clear();
  FRedo.clear();
  FBytes = 0;
  FRunOpen = false;
}

}  // namespace host
