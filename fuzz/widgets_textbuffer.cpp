// Drives the text model with arbitrary bytes as text and arbitrary edits,
// moves and put-backs. Nothing may crash, positions stay within the text, the
// character index always matches the text, the length limit holds for user
// edits, and a refused edit puts everything back exactly.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "host/widgets/TextBuffer.h"

using namespace host;

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// The buffer's own view of itself against a recount from the text.
void CheckInvariants(const TTextBuffer& b) {
  Check(b.Length() == CharCount(b.Text()));
  Check(b.Caret() >= 0 && b.Caret() <= b.Length());
  Check(b.Anchor() >= 0 && b.Anchor() <= b.Length());
  Check(b.ByteOffset(b.Length()) == b.Text().size());
  Check(b.CharOffset(b.ByteOffset(b.Caret())) == b.Caret());
  Check(b.Slice(0, b.SelStart()) + b.SelText() + b.Slice(b.SelEnd(), b.Length()) == b.Text());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  TTextBuffer b;
  b.SetMaxLength(data[0] % 16);
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (size_t i = 1; i < size;) {
    const uint8_t op = data[i++];
    const int arg = int(op >> 3) - 4;  // also a little outside the text
    const std::string_view piece = bytes.substr(i, op % 5);
    switch (op & 7) {
      case 0: {
        const int before = b.Length(), kept = before - b.SelLength();
        const bool changed = b.InsertText(piece);
        if (b.MaxLength() > 0 && changed) Check(b.Length() <= std::max(b.MaxLength(), kept));
        i += piece.size();
        break;
      }
      case 1:
        b.ReplaceRange(arg, arg + op % 3, piece);
        i += piece.size();
        break;
      case 2:
        b.DeleteChar(op & 8);
        break;
      case 3:
        b.SetCaret(arg, op & 128);
        break;
      case 4:
        b.SetSelStart(arg);
        b.SetSelLength(op % 7);
        break;
      case 5: {  // an edit the validator refuses leaves no trace
        const TTextBuffer::TCheckpoint before = b.Checkpoint();
        Check(!b.TryEdit([&](TTextBuffer& t) { t.ReplaceSelection(piece); },
                         [](const TTextBuffer&) { return false; }));
        Check(b.Text() == before.Text && b.Anchor() == before.Anchor && b.Caret() == before.Caret);
        i += piece.size();
        break;
      }
      case 6:
        b.SetCaret(op & 8 ? b.WordLeft(arg) : b.WordRight(arg), true);
        break;
      default:
        b.SelectWordAt(arg);
        break;
    }
    CheckInvariants(b);
  }
  return 0;
}
