// TCustomEdit and TCustomMemo: lines, keys, mouse, clipboard, caret, scrolling
// and painting over the text model of TextBuffer.h.
#include <algorithm>
#include <cstdlib>

#include "host/gfx/FontFace.h"
#include "host/gfx/Utf8.h"
#include "host/ui/Clipbrd.h"
#include "host/widgets/StdCtrls.h"

namespace host {

namespace {

constexpr int kMargin = 2;  // pixels between the border and the text

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
  SetBounds(0, 0, 121, 21);
  AdjustHeight();
}

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
  AdjustHeight();
  Invalidate();
}

void TCustomEdit::SetHideSelection(bool v) {
  if (v == FHideSelection) return;
  FHideSelection = v;
  Invalidate();
}

void TCustomEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (FAutoSize && !MultiLine())
    AHeight = LineHeight() + (FBorderStyle == bsSingle ? 4 : 0) + 2 * kMargin;
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TCustomEdit::AdjustHeight() { SetBounds(Left(), Top(), Width(), Height()); }

// --- lines

std::vector<TCustomEdit::Line> TCustomEdit::Lines() const {
  std::vector<Line> lines(1);
  if (!MultiLine()) {
    lines[0].Length = CharCount();
    return lines;
  }
  const std::string& s = Text();
  for (size_t i = s.find('\n'); i != std::string::npos; i = s.find('\n', i + 1)) {
    const int pos = FBuffer.CharOffset(i);
    lines.back().Length = pos - lines.back().Start;
    lines.push_back(Line{pos + 1, 0});
  }
  lines.back().Length = CharCount() - lines.back().Start;
  return lines;
}

int TCustomEdit::LineOf(const std::vector<Line>& lines, int pos) const {
  int i = 0;
  while (i + 1 < int(lines.size()) && lines[size_t(i + 1)].Start <= pos) ++i;
  return i;
}

int TCustomEdit::LineHeight() const {
  return const_cast<TCustomEdit*>(this)->Font()->Face().CellHeight();
}

int TCustomEdit::VisibleLines() const { return std::max(1, TextArea().Height() / LineHeight()); }

TRect TCustomEdit::TextArea() const {
  TRect r = ClientRect();
  const int border = FBorderStyle == bsSingle ? 2 : 0;
  r = Rect(r.Left + border + kMargin, r.Top + border, r.Right - border - kMargin,
           r.Bottom - border);
  if (MultiLine()) r.Top += 1;
  return r;
}

int TCustomEdit::XOfPos(const std::vector<Line>& lines, int pos) {
  const Line& line = lines[size_t(LineOf(lines, pos))];
  return Font()->Face().TextWidth(Slice(line.Start, pos));
}

int TCustomEdit::PosAtX(const Line& line, int x) {
  const std::string text = Slice(line.Start, line.Start + line.Length);
  FontFace& face = Font()->Face();
  int acc = 0, k = 0;
  std::string one;
  for (size_t i = 0; i < text.size(); ++k) {
    one.clear();
    AppendUtf8(one, NextCodePoint(text, i));
    const int w = face.TextWidth(one);
    if (x < acc + (w + 1) / 2) break;
    acc += w;
  }
  return line.Start + k;
}

int TCustomEdit::PositionAt(int x, int y) {
  const std::vector<Line> lines = Lines();
  const TRect area = TextArea();
  int index = 0;
  if (MultiLine()) {
    const int rel = y - area.Top;
    index = FTopLine + (rel < 0 ? -1 : rel / LineHeight());
    index = std::clamp(index, 0, int(lines.size()) - 1);
  }
  return PosAtX(lines[size_t(index)], x - area.Left + FScrollX);
}

// --- selection

void TCustomEdit::SetSelStart(int v) { MoveCaret(v, false); }

void TCustomEdit::SetSelLength(int v) {
  FBuffer.SetSelLength(v);
  SelectionChanged();
}

void TCustomEdit::SetSelText(const std::string& s) {
  FBuffer.ReplaceSelection(Filter(s));
  Commit();
}

void TCustomEdit::SelectAll() {
  FBuffer.SelectAll();
  SelectionChanged();
}

void TCustomEdit::SelectionChanged() {
  EnsureCaretVisible();
  Invalidate();
}

void TCustomEdit::ClearSelection() {
  if (SelLength() > 0) UserReplace("");
}

void TCustomEdit::MoveCaret(int pos, bool extend) {
  FBuffer.SetCaret(pos, extend);
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

bool TCustomEdit::UserReplace(const std::string& text) {
  if (FReadOnly || !FBuffer.InsertText(Filter(text))) return false;
  FModified = true;
  Commit();
  return true;
}

void TCustomEdit::DeleteChar(bool forward) {
  if (FReadOnly || !FBuffer.DeleteChar(forward)) return;
  FModified = true;
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
  if (!own) {  // the program's text: the caret to the start, the view to the top
    FBuffer.SetText(Text());
    FScrollX = FTopLine = 0;
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
  if (SelLength() > 0) Clipboard()->SetAsText(SelText());
}

void TCustomEdit::CutToClipboard() {
  if (FReadOnly || SelLength() == 0) return;
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
        SelectAll();
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
  const std::vector<Line> lines = Lines();
  const Line& line = lines[size_t(LineOf(lines, FBuffer.Caret()))];
  if (!MultiLine() && key == VK_UP) key = VK_LEFT;
  if (!MultiLine() && key == VK_DOWN) key = VK_RIGHT;
  if (key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT) {
    if (!MultiLine()) return false;
    const int step = (key == VK_PRIOR || key == VK_NEXT) ? VisibleLines() : 1;
    const int dir = (key == VK_UP || key == VK_PRIOR) ? -1 : 1;
    const int target =
        std::clamp(LineOf(lines, FBuffer.Caret()) + dir * step, 0, int(lines.size()) - 1);
    const int x = FDesiredX >= 0 ? FDesiredX : XOfPos(lines, FBuffer.Caret());
    if (step > 1) ScrollLines(dir * step);
    MoveCaret(PosAtX(lines[size_t(target)], x), extend);
    FDesiredX = x;
    return true;
  }
  int pos;
  switch (key) {
    case VK_LEFT:
      if (!extend && SelLength() > 0)
        pos = SelStart();
      else
        pos = ctrl ? FBuffer.WordLeft(FBuffer.Caret()) : FBuffer.Caret() - 1;
      break;
    case VK_RIGHT:
      if (!extend && SelLength() > 0)
        pos = SelStart() + SelLength();
      else
        pos = ctrl ? FBuffer.WordRight(FBuffer.Caret()) : FBuffer.Caret() + 1;
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
  MoveCaret(pos, extend);
  return true;
}

void TCustomEdit::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  if (HandleClipboardKey(Key, Shift) || HandleMoveKey(Key, Shift)) return;
  if (Key == VK_DELETE && !(Shift & (ssShift | ssCtrl | ssAlt))) DeleteChar(true);
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
      if (TakesReturn()) UserReplace("\n");
      return;
    case U'\t':
      if (TakesTab()) UserReplace("\t");
      return;
    default:
      break;
  }
  if (Key < 32 || Key == 127) return;  // control codes (Ctrl+letter) type nothing
  std::string s;
  AppendUtf8(s, Key);
  UserReplace(s);
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
  const std::vector<Line> lines = Lines();
  const TRect area = TextArea();
  const int w = std::max(1, area.Width());
  const int x = XOfPos(lines, FBuffer.Caret());
  if (x < FScrollX)
    FScrollX = std::max(0, x - w / 4);
  else if (x >= FScrollX + w)
    FScrollX = x - (3 * w) / 4;
  const int index = LineOf(lines, FBuffer.Caret());
  const Line& line = lines[size_t(index)];
  const int lineWidth = Font()->Face().TextWidth(Slice(line.Start, line.Start + line.Length));
  FScrollX = std::clamp(FScrollX, 0, std::max(0, lineWidth + 1 - (3 * w) / 4));
  if (!MultiLine()) return;
  const int visible = VisibleLines();
  if (index < FTopLine)
    FTopLine = index;
  else if (index >= FTopLine + visible)
    FTopLine = index - visible + 1;
}

void TCustomEdit::ScrollLines(int delta) {
  const int count = int(Lines().size());
  FTopLine = std::clamp(FTopLine + delta, 0, std::max(0, count - VisibleLines()));
  Invalidate();
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
  AdjustHeight();
}

void TCustomEdit::CMEnabledChanged(TMessage& Message) {
  TCustomControl::CMEnabledChanged(Message);
  Invalidate();
}

// --- mouse

void TCustomEdit::WMLButtonDown(TWMMouse& Message) {
  FMouseFocusing = true;
  FocusByMouse(this);
  FMouseFocusing = false;
  FDesiredX = -1;
  MoveCaret(PositionAt(Message.XPos, Message.YPos), KeysToShiftState(Message.Keys) & ssShift);
  FSelecting = true;
  TCustomControl::WMLButtonDown(Message);
}

void TCustomEdit::WMLButtonDblClk(TWMMouse& Message) {
  FocusByMouse(this);
  FBuffer.SelectWordAt(PositionAt(Message.XPos, Message.YPos));
  SelectionChanged();
  FSelecting = false;
  TCustomControl::WMLButtonDblClk(Message);
}

void TCustomEdit::WMMouseMove(TWMMouse& Message) {
  if (FSelecting && (Message.Keys & MK_LBUTTON))
    MoveCaret(PositionAt(Message.XPos, Message.YPos), true);
  TCustomControl::WMMouseMove(Message);
}

void TCustomEdit::WMLButtonUp(TWMMouse& Message) {
  FSelecting = false;
  TCustomControl::WMLButtonUp(Message);
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

  const std::vector<Line> lines = Lines();
  const int lh = LineHeight();
  const int y0 = MultiLine() ? area.Top : area.Top + (area.Height() - lh) / 2;
  const int x0 = area.Left - FScrollX;
  const int selFrom = SelStart(), selTo = SelStart() + SelLength();
  const bool showSel = selTo > selFrom && (Focused() || !FHideSelection);
  FontFace& face = Font()->Face();
  for (int i = FTopLine; i < int(lines.size()); ++i) {
    const int y = y0 + (i - FTopLine) * lh;
    if (y >= r.Bottom) break;
    const Line& line = lines[size_t(i)];
    const int lineEnd = line.Start + line.Length;
    const std::string text = Slice(line.Start, lineEnd);
    c->Brush()->SetStyle(bsClear);
    c->TextOut(x0, y, text);
    if (!showSel) continue;
    const int s0 = std::max(selFrom, line.Start), s1 = std::min(selTo, lineEnd);
    // A selected line break shows as a blank's width of highlight.
    const bool breakSelected = selTo > lineEnd && selFrom <= lineEnd && i + 1 < int(lines.size());
    if (s0 >= s1 && !breakSelected) continue;
    const int xa = x0 + face.TextWidth(Slice(line.Start, s0));
    int xb = x0 + face.TextWidth(Slice(line.Start, std::max(s0, s1)));
    if (breakSelected) xb += face.TextWidth(" ");
    c->Brush()->SetColor(clHighlight);
    c->Font()->SetColor(clHighlightText);
    c->TextRect(Rect(xa, y, xb, y + lh), x0, y, text);
    c->Font()->SetColor(textColor);
  }
  if (Focused() && FBlinker.Visible()) {
    const int line = LineOf(lines, FBuffer.Caret());
    const int x = x0 + XOfPos(lines, FBuffer.Caret());
    const int y = y0 + (line - FTopLine) * lh;
    c->Brush()->SetColor(clWindowText);
    c->FillRect(Rect(x, y, x + 1, y + lh));
  }
}

// --- the memo

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner) {
  SetAutoSize(false);
  SetBounds(0, 0, 185, 89);
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
