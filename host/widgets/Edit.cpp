// TCustomEdit and TCustomMemo: lines, keys, mouse, clipboard, caret, scrolling
// and painting over the text model of TextBuffer.h.
#include <algorithm>

#include "host/backend/Backend.h"
#include "host/gfx/FontFace.h"
#include "host/gfx/Utf8.h"
#include "host/ui/Clipbrd.h"
#include "host/widgets/Menus.h"
#include "host/widgets/StdCtrls.h"

namespace host {

namespace {

constexpr int kMargin = 2;  // pixels between the border and the text
// A third press this soon and this near after a double click selects the line;
// the same limits as the loop's double click.
constexpr int64_t kTripleClickMs = 500;
constexpr int kTripleClickPx = 4;

bool HasBar(TScrollStyle s, TScrollBarKind kind) {
  return s == ssBoth || s == (kind == sbVertical ? ssVertical : ssHorizontal);
}

}  // namespace

bool FocusByMouse(TWinControl* c) {
  if (c->Focused()) return true;
  if (!c->CanFocus()) return false;
  c->SetFocus();
  return c->Focused();
}

TCustomEdit::TCustomEdit(TComponent* AOwner) : TCustomControl(AOwner) {
  SetColor(clWindow);
  SetTabStop(true);
  SetCursor(crIBeam);
  SetControlStyle(TControlStyle(ControlStyle() | csOpaque));
  // The bars move the view only; the caret stays where it is.
  FVertBar.SetOnScroll([this](TScrollCode, int64_t& pos) {
    FTopLine = int(std::clamp(pos, FVertBar.Min(), FVertBar.Max()));
    Invalidate();
  });
  FHorzBar.SetOnScroll([this](TScrollCode, int64_t& pos) {
    FScrollX = int(std::clamp(pos, FHorzBar.Min(), FHorzBar.Max()));
    Invalidate();
  });
  SetBounds(0, 0, 121, 21);
  AdjustHeight();
}

// Out of line: the edit menu's class is complete here.
TCustomEdit::~TCustomEdit() = default;

// --- properties

void TCustomEdit::SetReadOnly(bool v) {
  if (v == FReadOnly) return;
  FReadOnly = v;
  Invalidate();
}

void TCustomEdit::SetMaxLength(int v) {
  FMaxLength = std::max(v, 0);
  FBuffer.SetMaxLength(FMaxLength);
}

void TCustomEdit::SetAutoSize(bool v) {
  if (v == FAutoSize) return;
  FAutoSize = v;
  AdjustHeight();
}

void TCustomEdit::SetBorderStyle(TBorderStyle v) {
  if (v != bsNone) v = bsSingle;
  if (v == FBorderStyle) return;
  FBorderStyle = v;
  Rewrap();
  AdjustHeight();
  Invalidate();
}

void TCustomEdit::SetPasswordChar(char32_t v) {
  if (v == FPasswordChar) return;
  FPasswordChar = v;
  LayoutChanged();  // every width changed
  EnsureCaretVisible();
}

std::string TCustomEdit::Shown(int from, int to) const {
  if (!Masked()) return FBuffer.Slice(from, to);
  std::string mask, out;
  AppendUtf8(mask, FPasswordChar);
  const int n = std::max(0, std::min(to, CharCount()) - std::max(from, 0));
  for (int i = 0; i < n; ++i) out += mask;
  return out;
}

void TCustomEdit::SetHideSelection(bool v) {
  if (v == FHideSelection) return;
  FHideSelection = v;
  Invalidate();
}

void TCustomEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (FAutoSize && !MultiLine())
    AHeight = LineHeight() + (FBorderStyle == bsSingle ? 4 : 0) + 2 * kMargin;
  const bool resized = AWidth != Width() || AHeight != Height();
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (resized) Rewrap();
}

void TCustomEdit::Rewrap() {
  LayoutChanged();
  FTopLine = std::clamp(FTopLine, 0, std::max(0, int(Lines().size()) - VisibleLines()));
  EnsureCaretVisible();
}

void TCustomEdit::AdjustHeight() { SetBounds(Left(), Top(), Width(), Height()); }

// --- lines

void TCustomEdit::LayoutChanged() {
  FLinesValid = false;
  Invalidate();
}

const std::vector<TCustomEdit::Line>& TCustomEdit::Lines() {
  if (FLinesValid) return FLineCache;
  FLineCache.clear();
  const bool wrap = Wraps();
  const int width = TextArea().Width();
  const std::string& s = FBuffer.Text();
  int start = 0;
  // Hard lines, each wrapped into visual lines when asked.
  for (size_t i = MultiLine() ? s.find('\n') : std::string::npos;; i = s.find('\n', i + 1)) {
    const int end = i == std::string::npos ? CharCount() : FBuffer.CharOffset(i);
    if (wrap)
      WrapLine(start, end, width, FLineCache);
    else
      FLineCache.push_back(Line{start, end - start});
    if (i == std::string::npos) break;
    start = end + 1;
  }
  FLinesValid = true;
  FWidest = -1;
  return FLineCache;
}

int TCustomEdit::CharWidth(int pos) { return Font()->Face().TextWidth(Shown(pos, pos + 1)); }

// Breaks the characters [from, to) (one hard line) into lines no wider than
// width: after the last blank that fits, or inside a word that is wider than
// the whole width. Blanks at a break hang past the edge rather than start the
// next line, and the line's Length leaves them out, so End stops before them.
void TCustomEdit::WrapLine(int from, int to, int width, std::vector<Line>& out) {
  int start = from, x = 0;
  int blankAt = -1;  // where the last run of blanks on this line begins
  int wordAt = -1;   // the first character after that run
  for (int p = from; p < to; ++p) {
    const int w = CharWidth(p);
    if (FBuffer.CharAt(p) == ' ' || FBuffer.CharAt(p) == '\t') {
      if (wordAt != p) blankAt = p;
      wordAt = p + 1;
      x += w;
      continue;
    }
    if (x + w > width && p > start) {
      const bool atBlank = wordAt > start;
      out.push_back(Line{start, (atBlank ? blankAt : p) - start});
      start = atBlank ? wordAt : p;
      x = 0;
      for (int q = start; q < p; ++q) x += CharWidth(q);
      blankAt = wordAt = -1;
    }
    x += w;
  }
  out.push_back(Line{start, to - start});
}

int TCustomEdit::LineOf(const std::vector<Line>& lines, int pos) const {
  // The last line starting at or before pos.
  const auto it = std::upper_bound(lines.begin() + 1, lines.end(), pos,
                                   [](int p, const Line& l) { return p < l.Start; });
  return int(it - lines.begin()) - 1;
}

int TCustomEdit::CaretLine() {
  const std::vector<Line>& lines = Lines();
  const int caret = FBuffer.Caret();
  const int i = LineOf(lines, caret);
  // A caret at a break inside a word shows at the end of the upper line when
  // it got there from that line (End, or a click past its end).
  const bool softBreak = i > 0 && lines[size_t(i)].Start == caret &&
                         lines[size_t(i - 1)].Start + lines[size_t(i - 1)].Length == caret;
  return softBreak && FCaretAtLineEnd ? i - 1 : i;
}

int TCustomEdit::LineHeight() const {
  return const_cast<TCustomEdit*>(this)->Font()->Face().CellHeight();
}

int TCustomEdit::VisibleLines() const { return std::max(1, TextArea().Height() / LineHeight()); }

TRect TCustomEdit::InnerRect() const {
  const TRect c = ClientRect();
  const int border = FBorderStyle == bsSingle ? 2 : 0;
  return Rect(c.Left + border, c.Top + border, c.Right - border, c.Bottom - border);
}

TRect TCustomEdit::BarRect(TScrollBarKind kind) const {
  if (!HasBar(FScrollStyle, kind)) return TRect{};
  const TRect in = InnerRect();
  const int t = TWindowScrollBar::kThickness;
  // Where both show, the square in the corner belongs to neither.
  const int right = HasBar(FScrollStyle, sbVertical) ? std::max(in.Left, in.Right - t) : in.Right;
  const int bottom =
      HasBar(FScrollStyle, sbHorizontal) ? std::max(in.Top, in.Bottom - t) : in.Bottom;
  return kind == sbVertical ? Rect(right, in.Top, in.Right, bottom)
                            : Rect(in.Left, bottom, right, in.Bottom);
}

TRect TCustomEdit::TextArea() const {
  TRect r = InnerRect();
  if (HasBar(FScrollStyle, sbVertical)) r.Right = BarRect(sbVertical).Left;
  if (HasBar(FScrollStyle, sbHorizontal)) r.Bottom = BarRect(sbHorizontal).Top;
  r.Left += kMargin;
  r.Right -= kMargin;
  if (MultiLine()) r.Top += 1;
  return r;
}

int TCustomEdit::XOfPos(const Line& line, int pos) {
  return Font()->Face().TextWidth(Shown(line.Start, pos));
}

int TCustomEdit::PosAtX(const Line& line, int x) {
  int acc = 0, k = 0;
  for (; k < line.Length; ++k) {
    const int w = CharWidth(line.Start + k);
    if (x < acc + (w + 1) / 2) break;
    acc += w;
  }
  return line.Start + k;
}

int TCustomEdit::LineAt(int y) {
  if (!MultiLine()) return 0;
  const int rel = y - TextArea().Top;
  const int index = FTopLine + (rel < 0 ? -1 : rel / LineHeight());
  return std::clamp(index, 0, int(Lines().size()) - 1);
}

int TCustomEdit::PositionAt(int x, int y) {
  return PosAtX(Lines()[size_t(LineAt(y))], x - TextArea().Left + FScrollX);
}

void TCustomEdit::MoveCaretToPoint(int x, int y, bool extend) {
  MoveCaretToX(LineAt(y), x - TextArea().Left + FScrollX, extend);
}

void TCustomEdit::MoveCaretToX(int line, int x, bool extend) {
  const Line& l = Lines()[size_t(line)];
  const int pos = PosAtX(l, x);
  MoveCaret(pos, extend, pos == l.Start + l.Length);
}

// --- selection

void TCustomEdit::SetSelStart(int v) { MoveCaret(v, false); }

void TCustomEdit::SetSelLength(int v) {
  FBuffer.SetSelLength(v);
  SelectionChanged();
}

void TCustomEdit::SetSelText(const std::string& s) {
  FBuffer.ReplaceSelection(Filter(s));
  // The program's edit is not recorded, so the recorded ones no longer fit.
  FUndo.Clear();
  Commit();
}

void TCustomEdit::SelectAll() {
  FBuffer.SelectAll();
  SelectionChanged();
}

void TCustomEdit::UserSelectAll() {
  SelectAll();
  OfferPrimary();
}

void TCustomEdit::OfferPrimary() {
  if (SelLength() > 0 && !Masked()) PrimarySelection()->SetAsText(SelText());
}

void TCustomEdit::SelectionChanged() {
  FUndo.BreakRun();
  EnsureCaretVisible();
  RestartBlink();
  Invalidate();
}

void TCustomEdit::ClearSelection() {
  if (SelLength() > 0) UserReplace("");
}

void TCustomEdit::MoveCaret(int pos, bool extend, bool atLineEnd) {
  FBuffer.SetCaret(pos, extend);
  FCaretAtLineEnd = atLineEnd;
  FUndo.BreakRun();
  EnsureCaretVisible();
  RestartBlink();
  Invalidate();
}

// --- editing

std::string TCustomEdit::Filter(std::string s) const {
  if (!MultiLine()) return s.substr(0, s.find_first_of("\r\n"));
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r') {
      out += '\n';
      if (i + 1 < s.size() && s[i + 1] == '\n') ++i;
    } else {
      out += s[i];
    }
  }
  return out;
}

bool TCustomEdit::UserReplace(const std::string& text, bool typing) {
  const std::string filtered = Filter(text);
  return UserEdit([&](TTextBuffer& b) { return b.InsertText(filtered); }, typing);
}

void TCustomEdit::DeleteChar(bool forward) {
  UserEdit([forward](TTextBuffer& b) { return b.DeleteChar(forward); }, false);
}

bool TCustomEdit::UserEdit(const std::function<bool(TTextBuffer&)>& edit, bool typing) {
  if (FReadOnly) return false;
  const TUndoHistory::TSelection before{FBuffer.Anchor(), FBuffer.Caret()};
  if (!edit(FBuffer)) return false;
  // Text() still holds the text before the edit until Commit hands it over.
  FUndo.Record(Text(), before, FBuffer, typing);
  FModified = true;
  Commit();
  return true;
}

void TCustomEdit::Undo() {
  if (!FReadOnly && FUndo.Undo(FBuffer)) HistoryStepped();
}

void TCustomEdit::Redo() {
  if (!FReadOnly && FUndo.Redo(FBuffer)) HistoryStepped();
}

void TCustomEdit::HistoryStepped() {
  FModified = true;
  FCaretAtLineEnd = false;
  Commit();
}

void TCustomEdit::Commit() {
  if (FBuffer.Text() == Text()) {  // nothing to report: only the caret moved
    MoveCaret(FBuffer.Caret(), false);
    return;
  }
  FOwnEdit = true;
  SetText(FBuffer.Text());  // CMTextChanged reports the change
}

void TCustomEdit::CMTextChanged(TMessage& Message) {
  const bool own = FOwnEdit;
  FOwnEdit = false;
  FLinesValid = false;
  if (!own) {  // the program's text: the caret to the start, the view to the top
    FBuffer.SetText(Text());
    FScrollX = FTopLine = 0;
    FUndo.Clear();
  }
  FDesiredX = -1;
  EnsureCaretVisible();
  RestartBlink();
  TCustomControl::CMTextChanged(Message);
  Change();
}

void TCustomEdit::Change() {
  if (FOnChange) FOnChange(this);
}

void TCustomEdit::CopyToClipboard() {
  if (SelLength() > 0 && !Masked()) Clipboard()->SetAsText(SelText());
}

// A password box cuts nothing: the cut text would not reach the clipboard.
void TCustomEdit::CutToClipboard() {
  if (FReadOnly || SelLength() == 0 || Masked()) return;
  CopyToClipboard();
  UserReplace("");
}

void TCustomEdit::PasteFromClipboard() {
  if (Clipboard()->HasFormat(CF_TEXT)) UserReplace(Clipboard()->AsText());
}

// --- keys

void TCustomEdit::WMGetDlgCode(TMessage& Message) {
  Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
  if (TakesReturn() && Message.WParam == VK_RETURN) Message.Result |= DLGC_WANTALLKEYS;
  if (TakesTab()) Message.Result |= DLGC_WANTTAB;
}

bool TCustomEdit::HandleUndoKey(Word key, TShiftState shift) {
  const TShiftState mods = shift & (ssShift | ssCtrl | ssAlt);
  if (key == 'Z' && mods == ssCtrl) {
    Undo();
    return true;
  }
  if ((key == 'Y' && mods == ssCtrl) || (key == 'Z' && mods == (ssCtrl | ssShift))) {
    Redo();
    return true;
  }
  return false;
}

bool TCustomEdit::HandleClipboardKey(Word key, TShiftState shift) {
  const bool ctrl = shift & ssCtrl, sh = shift & ssShift;
  if (shift & ssAlt) return false;
  if (ctrl && !sh) {
    switch (key) {
      case 'C':
      case VK_INSERT:
        CopyToClipboard();
        return true;
      case 'X':
        CutToClipboard();
        return true;
      case 'V':
        PasteFromClipboard();
        return true;
      case 'A':
        UserSelectAll();
        return true;
      default:
        return false;
    }
  }
  if (sh && !ctrl && key == VK_INSERT) {
    PasteFromClipboard();
    return true;
  }
  if (sh && !ctrl && key == VK_DELETE) {
    CutToClipboard();
    return true;
  }
  return false;
}

bool TCustomEdit::HandleMoveKey(Word key, TShiftState shift) {
  const bool extend = shift & ssShift, ctrl = shift & ssCtrl;
  const std::vector<Line>& lines = Lines();
  const int current = CaretLine();
  const Line line = lines[size_t(current)];
  if (!MultiLine() && key == VK_UP) key = VK_LEFT;
  if (!MultiLine() && key == VK_DOWN) key = VK_RIGHT;
  if (key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT) {
    if (!MultiLine()) return false;
    const int step = (key == VK_PRIOR || key == VK_NEXT) ? VisibleLines() : 1;
    const int dir = (key == VK_UP || key == VK_PRIOR) ? -1 : 1;
    const int target = std::clamp(current + dir * step, 0, int(lines.size()) - 1);
    const int x = FDesiredX >= 0 ? FDesiredX : XOfPos(line, FBuffer.Caret());
    if (step > 1) ScrollLines(dir * step);
    MoveCaretToX(target, x, extend);
    FDesiredX = x;
    return true;
  }
  int pos;
  switch (key) {
    case VK_LEFT:
      if (!extend && SelLength() > 0)
        pos = SelStart();
      else
        pos = !ctrl ? FBuffer.Caret() - 1 : Masked() ? 0 : FBuffer.WordLeft(FBuffer.Caret());
      break;
    case VK_RIGHT:
      if (!extend && SelLength() > 0)
        pos = SelStart() + SelLength();
      else
        pos = !ctrl      ? FBuffer.Caret() + 1
              : Masked() ? CharCount()
                         : FBuffer.WordRight(FBuffer.Caret());
      break;
    case VK_HOME:
      pos = ctrl ? 0 : line.Start;
      break;
    case VK_END:
      pos = ctrl ? CharCount() : line.Start + line.Length;
      break;
    default:
      return false;
  }
  FDesiredX = -1;
  MoveCaret(pos, extend, key == VK_END && !ctrl);
  return true;
}

void TCustomEdit::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  const TShiftState mods = Shift & (ssShift | ssCtrl | ssAlt);
  if (Key == VK_APPS || (Key == VK_F10 && mods == ssShift)) {
    const TPoint at = ClientToScreen(CaretPoint());
    Perform(WM_CONTEXTMENU, 0, PointToLParam(at.x, at.y + LineHeight()));
    return;
  }
  if (HandleUndoKey(Key, Shift) || HandleClipboardKey(Key, Shift)) return;
  if (HandleMoveKey(Key, Shift)) {
    if (Shift & ssShift) OfferPrimary();
    return;
  }
  if (Key == VK_DELETE && !mods) DeleteChar(true);
}

void TCustomEdit::KeyPress(char32_t& Key) {
  TCustomControl::KeyPress(Key);
  switch (Key) {
    case 0:
      return;
    case U'\b':
      DeleteChar(false);
      return;
    case U'\r':
    case U'\n':
      if (TakesReturn()) UserReplace("\n", true);
      return;
    case U'\t':
      if (TakesTab()) UserReplace("\t", true);
      return;
    default:
      break;
  }
  if (Key < 32 || Key == 127) return;  // control codes (Ctrl+letter) type nothing
  std::string s;
  AppendUtf8(s, Key);
  UserReplace(s, true);
}

// --- focus, caret, scrolling

void TCustomEdit::RestartBlink() {
  // A caret that cannot blink still shows, steady: nothing to report.
  if (Focused() && !(ComponentState() & csDesigning)) FBlinker.Restart();
}

void TCustomEdit::WMSetFocus(TMessage&) {
  RestartBlink();
  Invalidate();
}

void TCustomEdit::WMKillFocus(TMessage&) {
  FBlinker.Stop();
  FSelecting = false;
  Invalidate();
}

void TCustomEdit::DoEnter() {
  if (FAutoSelect && !FMouseFocusing && !MultiLine()) SelectAll();
  TCustomControl::DoEnter();
}

void TCustomEdit::EnsureCaretVisible() {
  const std::vector<Line>& lines = Lines();
  const int index = CaretLine();
  const Line& line = lines[size_t(index)];
  if (Wraps()) {
    FScrollX = 0;  // wrapped lines fit the width
  } else {
    const int w = std::max(1, TextArea().Width());
    const int x = XOfPos(line, FBuffer.Caret());
    if (x < FScrollX)
      FScrollX = std::max(0, x - w / 4);
    else if (x >= FScrollX + w)
      FScrollX = x - (3 * w) / 4;
    const int lineWidth = XOfPos(line, line.Start + line.Length);
    FScrollX = std::clamp(FScrollX, 0, std::max(0, lineWidth + 1 - (3 * w) / 4));
  }
  if (MultiLine()) {
    const int visible = VisibleLines();
    if (index < FTopLine)
      FTopLine = index;
    else if (index >= FTopLine + visible)
      FTopLine = index - visible + 1;
  }
  UpdateScrollBars();
}

void TCustomEdit::ScrollLines(int delta) {
  const int count = int(Lines().size());
  FTopLine = std::clamp(FTopLine + delta, 0, std::max(0, count - VisibleLines()));
  UpdateScrollBars();
  Invalidate();
}

// --- scroll bars

void TCustomEdit::SetScrollStyle(TScrollStyle v) {
  if (v == FScrollStyle) return;
  FScrollStyle = v;
  Rewrap();  // the text area changed
}

int TCustomEdit::WidestLine() {
  const std::vector<Line>& lines = Lines();
  if (FWidest >= 0) return FWidest;
  FWidest = 0;
  for (const Line& l : lines) FWidest = std::max(FWidest, XOfPos(l, l.Start + l.Length));
  return FWidest;
}

void TCustomEdit::UpdateScrollBars() {
  FVertBar.SetBounds(BarRect(sbVertical));
  FHorzBar.SetBounds(BarRect(sbHorizontal));
  if (FVertBar.Shown()) {
    const int page = VisibleLines();
    FVertBar.SetParams(FTopLine, 0, std::max(int(Lines().size()) - page, 0), page);
  }
  if (FHorzBar.Shown()) {
    // The caret after the widest line needs one pixel beyond it; wrapped
    // lines fit, and the bar has nothing to scroll.
    const int page = std::max(1, TextArea().Width());
    const int range = Wraps() ? 0 : WidestLine() + 1 - page;
    FHorzBar.SetParams(FScrollX, 0, std::max(range, FScrollX), page);
    FHorzBar.SetSmallChange(std::max(1, Font()->Face().TextWidth("0")));
  }
}

bool TCustomEdit::BarMouseDown(int x, int y) {
  if (FScrollStyle == ssNone) return false;
  UpdateScrollBars();
  if (FVertBar.MouseDown(x, y) || FHorzBar.MouseDown(x, y)) return true;
  return CornerRect().Contains(x, y);  // takes the press and does nothing
}

TRect TCustomEdit::CornerRect() const {
  if (FScrollStyle != ssBoth) return TRect{};
  return Rect(BarRect(sbVertical).Left, BarRect(sbHorizontal).Top, InnerRect().Right,
              InnerRect().Bottom);
}

void TCustomEdit::PaintScrollBars() {
  if (FScrollStyle == ssNone) return;
  TCanvas* c = Canvas();  // a fresh binding: the text clip must not apply
  FVertBar.Paint(c);
  FHorzBar.Paint(c);
  c->Brush()->SetColor(clBtnFace);
  c->FillRect(CornerRect());
}

bool TCustomEdit::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  if (!MultiLine() || WheelDelta == 0) return false;
  int notches = WheelDelta / 120;
  if (notches == 0) notches = WheelDelta > 0 ? 1 : -1;
  ScrollLines(-3 * notches);
  return true;
}

void TCustomEdit::CMFontChanged(TMessage& Message) {
  TCustomControl::CMFontChanged(Message);
  Rewrap();
  AdjustHeight();
}

void TCustomEdit::CMEnabledChanged(TMessage& Message) {
  TCustomControl::CMEnabledChanged(Message);
  Invalidate();
}

// --- mouse

void TCustomEdit::WMLButtonDown(TWMMouse& Message) {
  if (BarMouseDown(Message.XPos, Message.YPos)) {
    TCustomControl::WMLButtonDown(Message);
    return;
  }
  FMouseFocusing = true;
  FocusByMouse(this);
  FMouseFocusing = false;
  FDesiredX = -1;
  const bool triple = IsTripleClick(Message.XPos, Message.YPos);
  FDblClickTime = -1;
  if (triple) {
    SelectUnitAt(suLine, PositionAt(Message.XPos, Message.YPos));
  } else {
    FUnit = suChar;
    MoveCaretToPoint(Message.XPos, Message.YPos, KeysToShiftState(Message.Keys) & ssShift);
  }
  FSelecting = true;
  TCustomControl::WMLButtonDown(Message);
}

void TCustomEdit::WMLButtonDblClk(TWMMouse& Message) {
  if (BarMouseDown(Message.XPos, Message.YPos)) {  // a quick second press on a bar
    TCustomControl::WMLButtonDblClk(Message);
    return;
  }
  FocusByMouse(this);
  SelectUnitAt(suWord, PositionAt(Message.XPos, Message.YPos));
  FDblClickTime = CurrentBackend().Now();
  FDblClickPos = Point(Message.XPos, Message.YPos);
  FSelecting = true;
  TCustomControl::WMLButtonDblClk(Message);
}

// Also on the word the double click selected: after the view scrolled, the
// same point shows other text, and the press is a click of its own.
bool TCustomEdit::IsTripleClick(int x, int y) {
  if (FDblClickTime < 0 || CurrentBackend().Now() - FDblClickTime > kTripleClickMs) return false;
  if (std::abs(x - FDblClickPos.x) > kTripleClickPx ||
      std::abs(y - FDblClickPos.y) > kTripleClickPx)
    return false;
  const int pos = PositionAt(x, y);
  return FUnit == suWord && pos >= FUnitFrom && pos <= FUnitTo;
}

std::pair<int, int> TCustomEdit::UnitAt(TSelectUnit unit, int pos) const {
  // Hidden text shows no words: a double click takes all of it.
  if (unit == suWord && !Masked()) return FBuffer.WordAt(pos);
  if (unit != suChar) return MultiLine() ? FBuffer.LineAt(pos) : std::pair(0, CharCount());
  return {pos, pos};
}

void TCustomEdit::SelectUnitAt(TSelectUnit unit, int pos) {
  FUnit = unit;
  std::tie(FUnitFrom, FUnitTo) = UnitAt(unit, pos);
  FBuffer.Select(FUnitFrom, FUnitTo);
  SelectionChanged();
  OfferPrimary();
}

// A drag after a double or triple click: the clicked unit stays selected and
// the selection grows by whole units towards the pointer.
void TCustomEdit::ExtendByUnits(int pos) {
  if (pos > FUnitTo)  // the unit left of the boundary the pointer is nearest
    FBuffer.Select(FUnitFrom, UnitAt(FUnit, pos - 1).second);
  else if (pos < FUnitFrom)
    FBuffer.Select(FUnitTo, UnitAt(FUnit, pos).first);
  else
    FBuffer.Select(FUnitFrom, FUnitTo);
  SelectionChanged();
}

void TCustomEdit::WMMouseMove(TWMMouse& Message) {
  if (FVertBar.MouseMove(Message.XPos, Message.YPos) ||
      FHorzBar.MouseMove(Message.XPos, Message.YPos)) {
    // the bar has the press
  } else if (FSelecting && (Message.Keys & MK_LBUTTON)) {
    if (FUnit == suChar)
      MoveCaretToPoint(Message.XPos, Message.YPos, true);
    else
      ExtendByUnits(PositionAt(Message.XPos, Message.YPos));
  }
  TCustomControl::WMMouseMove(Message);
}

void TCustomEdit::WMLButtonUp(TWMMouse& Message) {
  FVertBar.MouseUp(Message.XPos, Message.YPos);
  FHorzBar.MouseUp(Message.XPos, Message.YPos);
  // A drag's selection is offered once, when it is made.
  if (FSelecting) OfferPrimary();
  FSelecting = false;
  TCustomControl::WMLButtonUp(Message);
}

bool TCustomEdit::OnScrollBars(int x, int y) const {
  return BarRect(sbVertical).Contains(x, y) || BarRect(sbHorizontal).Contains(x, y) ||
         CornerRect().Contains(x, y);
}

void TCustomEdit::WMRButtonDown(TWMMouse& Message) {
  if (!OnScrollBars(Message.XPos, Message.YPos)) {
    FMouseFocusing = true;
    FocusByMouse(this);
    FMouseFocusing = false;
    const int pos = PositionAt(Message.XPos, Message.YPos);
    const bool inSelection = SelLength() > 0 && pos >= SelStart() && pos <= FBuffer.SelEnd();
    if (!inSelection) MoveCaretToPoint(Message.XPos, Message.YPos, false);
  }
  TCustomControl::WMRButtonDown(Message);
}

void TCustomEdit::WMMButtonDown(TWMMouse& Message) {
  if (!FReadOnly && !OnScrollBars(Message.XPos, Message.YPos)) {
    FMouseFocusing = true;
    FocusByMouse(this);
    FMouseFocusing = false;
    MoveCaretToPoint(Message.XPos, Message.YPos, false);
    if (PrimarySelection()->HasFormat(CF_TEXT)) UserReplace(PrimarySelection()->AsText());
  }
  TCustomControl::WMMButtonDown(Message);
}

// --- the edit menu

void TCustomEdit::DoContextPopup(TPoint MousePos, bool& Handled) {
  TCustomControl::DoContextPopup(MousePos, Handled);
  if (Handled || PopupMenu()) return;  // the control's own menu goes first
  Handled = true;
  ShowEditMenu(ClientToScreen(MousePos));
}

void TCustomEdit::BuildEditMenu() {
  // The platform's standard edit menu, in its order; a line runs nothing.
  const std::pair<const char*, void (TCustomEdit::*)()> items[] = {
      {"&Undo", &TCustomEdit::Undo},
      {"-", nullptr},
      {"Cu&t", &TCustomEdit::CutToClipboard},
      {"&Copy", &TCustomEdit::CopyToClipboard},
      {"&Paste", &TCustomEdit::PasteFromClipboard},
      {"&Delete", &TCustomEdit::ClearSelection},
      {"-", nullptr},
      {"Select &All", &TCustomEdit::UserSelectAll},
  };
  FEditMenu = std::make_unique<TPopupMenu>(nullptr);
  for (const auto& [caption, run] : items) {
    auto* item = new TMenuItem(FEditMenu.get());
    item->SetCaption(caption);
    if (run) item->SetOnClick([this, run = run](TObject*) { (this->*run)(); });
    FEditMenu->Items()->Add(item);
  }
}

void TCustomEdit::EnableEditMenu() {
  const bool selected = SelLength() > 0, writable = !FReadOnly;
  const bool enabled[] = {CanUndo(),
                          true,
                          selected && writable && !Masked(),
                          selected && !Masked(),
                          writable && Clipboard()->HasFormat(CF_TEXT),
                          selected && writable,
                          true,
                          CharCount() > 0};
  for (int i = 0; i < FEditMenu->Items()->Count(); ++i)
    FEditMenu->Items()->Items(i)->SetEnabled(enabled[i]);
}

void TCustomEdit::ShowEditMenu(TPoint screen) {
  if (!FEditMenu) BuildEditMenu();
  EnableEditMenu();
  FEditMenu->SetPopupComponent(this);
  FEditMenu->Popup(screen.x, screen.y);
}

// --- painting

void TCustomEdit::Paint() {
  TCanvas* c = Canvas();
  TRect r = Rect(0, 0, Width(), Height());
  if (FBorderStyle == bsSingle) DrawSunkenEdge(c, r);
  c->Brush()->SetColor(Enabled() ? Color() : clBtnFace);
  c->FillRect(r);
  const TRect area = TextArea();
  c->IntersectClip(Rect(area.Left, r.Top, area.Right, r.Bottom));
  c->SetFont(Font());
  const TColor textColor = Enabled() ? Font()->Color() : clGrayText;
  c->Font()->SetColor(textColor);

  const std::vector<Line>& lines = Lines();
  const int lh = LineHeight();
  const int y0 = TextTop();
  const int x0 = area.Left - FScrollX;
  const int selFrom = SelStart(), selTo = SelStart() + SelLength();
  const bool showSel = selTo > selFrom && (Focused() || !FHideSelection);
  FontFace& face = Font()->Face();
  for (int i = FTopLine; i < int(lines.size()); ++i) {
    const int y = y0 + (i - FTopLine) * lh;
    if (y >= r.Bottom) break;
    const Line& line = lines[size_t(i)];
    const int lineEnd = line.Start + line.Length;
    const std::string text = Shown(line.Start, lineEnd);
    c->Brush()->SetStyle(bsClear);
    c->TextOut(x0, y, text);
    if (!showSel) continue;
    // What lies between this line and the next: a line break, or the blanks
    // a wrap left hanging (selected, they light up as blanks do).
    const int tail = i + 1 < int(lines.size()) ? lines[size_t(i + 1)].Start : lineEnd;
    const bool hardBreak = tail > lineEnd && FBuffer.CharAt(tail - 1) == '\n';
    const int s0 = std::max(selFrom, line.Start);
    const int s1 = std::min(selTo, hardBreak ? tail - 1 : tail);
    // A selected line break shows as a blank's width of highlight.
    const bool breakSelected = hardBreak && selTo >= tail && selFrom < tail;
    if (s0 >= s1 && !breakSelected) continue;
    const int xa = x0 + face.TextWidth(Shown(line.Start, s0));
    int xb = x0 + face.TextWidth(Shown(line.Start, std::max(s0, s1)));
    if (breakSelected) xb += face.TextWidth(" ");
    c->Brush()->SetColor(clHighlight);
    c->Font()->SetColor(clHighlightText);
    c->TextRect(Rect(xa, y, xb, y + lh), x0, y, text);
    c->Font()->SetColor(textColor);
  }
  if (Focused() && FBlinker.Visible()) {
    const TPoint p = CaretPoint();
    c->Brush()->SetColor(clWindowText);
    c->FillRect(Rect(p.x, p.y, p.x + 1, p.y + lh));
  }
  PaintScrollBars();
}

int TCustomEdit::TextTop() const {
  const TRect area = TextArea();
  return MultiLine() ? area.Top : area.Top + (area.Height() - LineHeight()) / 2;
}

TPoint TCustomEdit::CaretPoint() {
  const int line = CaretLine();
  return Point(TextArea().Left - FScrollX + XOfPos(Lines()[size_t(line)], FBuffer.Caret()),
               TextTop() + (line - FTopLine) * LineHeight());
}

// --- the memo

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner) {
  SetAutoSize(false);
  SetBounds(0, 0, 185, 89);
}

void TCustomMemo::SetWordWrap(bool v) {
  if (v == FWordWrap) return;
  FWordWrap = v;
  Rewrap();
}

std::vector<std::string> TMemoStrings::Get() const { return SplitLines(FMemo->Text()); }

void TMemoStrings::Put(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\n" : "") + lines[i];
  FMemo->SetText(text);
}

int TMemoStrings::Count() const { return int(Get().size()); }

std::string TMemoStrings::Strings(int i) const {
  const std::vector<std::string> lines = Get();
  return i >= 0 && i < int(lines.size()) ? lines[size_t(i)] : "";
}

void TMemoStrings::SetStrings(int i, const std::string& s) {
  std::vector<std::string> lines = Get();
  if (i < 0 || i >= int(lines.size())) return;
  // A line holds no line break: text after one would become lines of its own.
  lines[size_t(i)] = s.substr(0, s.find_first_of("\r\n"));
  Put(lines);
}

void TMemoStrings::Insert(int i, const std::string& s) {
  std::vector<std::string> lines = Get();
  if (i < 0 || i > int(lines.size())) return;
  lines.insert(lines.begin() + i, s.substr(0, s.find_first_of("\r\n")));
  Put(lines);
}

void TMemoStrings::Delete(int i) {
  std::vector<std::string> lines = Get();
  if (i < 0 || i >= int(lines.size())) return;
  lines.erase(lines.begin() + i);
  Put(lines);
}

void TMemoStrings::Clear() { FMemo->SetText(""); }

void TMemoStrings::SetText(const std::string& s) { Put(SplitLines(s)); }

}  // namespace host
