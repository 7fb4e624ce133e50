// The standard controls: single-line edit and memo, label, push button and
// check box, all drawn in the classic look of Look.h.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/ui/Forms.h"
#include "host/ui/Windows.h"
#include "host/widgets/CaretBlinker.h"
#include "host/widgets/Classes.h"
#include "host/widgets/Look.h"
#include "host/widgets/ScrollBar.h"
#include "host/widgets/TextBuffer.h"

namespace host {

// Which scroll bars a control shows.
enum TScrollStyle : uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };

// An editable text box. Positions (SelStart, SelLength, the caret) count
// characters, not bytes, so the caret always stands between two characters of
// the UTF-8 text. Text() and SetText() are TControl's; every change of the text,
// by the user or the program, runs Change (OnChange).
//
// The text, caret and selection live in a TTextBuffer that always holds the
// same text as Text(): an edit is made on the buffer and then handed to
// SetText, so that CM_TEXTCHANGED and Change see every edit alike.
//
// Undo keeps several levels (a TUndoHistory), as users of today expect, rather
// than the platform's single level where a second Ctrl+Z redoes: Ctrl+Z
// undoes, Ctrl+Y or Ctrl+Shift+Z redoes, and a run of typed characters goes at
// once (a caret move, a delete or a paste ends the run). Only the user's edits
// are recorded; text the program sets (Text, SelText, Lines) clears the
// history, as on the platform.
//
// The mouse works as Linux users know it: a double click selects a word and a
// drag after it extends by words, a third click selects the line; a right
// click opens the standard edit menu unless the control has a PopupMenu of its
// own (Shift+F10 and the menu key open it at the caret). What the user selects
// is offered as the PRIMARY selection, and a middle click pastes PRIMARY.
class TCustomEdit : public TCustomControl {
 public:
  explicit TCustomEdit(TComponent* AOwner);
  ~TCustomEdit() override;

  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool v);
  // Most characters the user may type or paste; 0 means no limit. Text set by
  // the program is not cut.
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int v);
  // Select the whole text when the focus arrives by keyboard (not by a click).
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool v) { FAutoSelect = v; }
  // Keeps the height at the font's line height plus the border.
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool v);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle v);  // bsSingle (sunken 3-D edge) or bsNone
  // Hide the selection while the control has no focus.
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool v);
  // Shown for every character of a single-line edit instead of the text
  // (a password box); 0 shows the text. A memo ignores it.
  char32_t PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(char32_t v);
  // Set by every user edit; the program clears it.
  bool Modified() const { return FModified; }
  void SetModified(bool v) { FModified = v; }

  int SelStart() const { return FBuffer.SelStart(); }
  // Collapses the selection to position v (clamped to the text).
  void SetSelStart(int v);
  int SelLength() const { return FBuffer.SelLength(); }
  // Selects v characters from SelStart (clamped); the caret goes to their end.
  void SetSelLength(int v);
  std::string SelText() const { return FBuffer.SelText(); }
  // Replaces the selection as a paste would, but regardless of ReadOnly and
  // MaxLength: the program's own edit.
  void SetSelText(const std::string& s);
  // The caret's position: the end of the selection that moves.
  int CaretPos() const { return FBuffer.Caret(); }
  void SelectAll();
  void ClearSelection();
  void Clear() { SetText(""); }
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();

  // Undoes the user's last edit (text, caret and selection come back); a
  // read-only edit undoes nothing, and CanUndo is false there.
  bool CanUndo() const { return !FReadOnly && FUndo.CanUndo(); }
  void Undo();
  // Makes the last undone edit again, until the user edits anew.
  bool CanRedo() const { return !FReadOnly && FUndo.CanRedo(); }
  void Redo();
  void ClearUndo() { FUndo.Clear(); }

  // The memo's scroll bars (empty bounds where none shows); their Layout is
  // where the parts lie.
  const TWindowScrollBar& ScrollBar(TScrollBarKind kind) const {
    return kind == sbVertical ? FVertBar : FHorzBar;
  }

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent e) { FOnChange = std::move(e); }

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  // A memo scrolls three lines a wheel notch (after OnMouseWheel had its say).
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
  std::string ClassName() const override { return "TCustomEdit"; }

 protected:
  // Runs after every change of the text; fires OnChange. A descendant that
  // checks the text overrides it and calls the base to report the change.
  virtual void Change();
  // Several lines (the memo) or one.
  virtual bool MultiLine() const { return false; }
  // Long lines of a multi-line edit wrap at the width of the text area.
  virtual bool WrapsWords() const { return false; }
  // The scroll bars shown inside the border (the memo's ScrollBars).
  TScrollStyle ScrollStyle() const { return FScrollStyle; }
  void SetScrollStyle(TScrollStyle v);
  // After something the line layout depends on changed (the wrap, the width):
  // lines are laid out anew, the view keeps the caret in sight.
  void Rewrap();
  // True when Return types a line break (memo).
  virtual bool TakesReturn() const { return false; }
  virtual bool TakesTab() const { return false; }

  void Paint() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char32_t& Key) override;
  void DoEnter() override;
  void WMSetFocus(TMessage& Message) override;
  void WMKillFocus(TMessage& Message) override;
  void WMGetDlgCode(TMessage& Message) override;
  void WMLButtonDown(TWMMouse& Message) override;
  void WMLButtonDblClk(TWMMouse& Message) override;
  void WMLButtonUp(TWMMouse& Message) override;
  // A right press focuses and moves the caret, unless it lands in the
  // selection (which the menu's Cut and Copy then act on).
  void WMRButtonDown(TWMMouse& Message) override;
  // Pastes the PRIMARY selection at the point.
  void WMMButtonDown(TWMMouse& Message) override;
  void WMMouseMove(TWMMouse& Message) override;
  // Shows the standard edit menu when neither OnContextPopup nor a PopupMenu
  // of the control's own takes the right click.
  void DoContextPopup(TPoint MousePos, bool& Handled) override;
  void CMTextChanged(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  void CMEnabledChanged(TMessage& Message) override;

  // The area the text is drawn in (inside the border and margins).
  TRect TextArea() const;
  // The character position nearest a client point.
  int PositionAt(int x, int y);
  // The text model: what descendants read positions and offsets from.
  const TTextBuffer& Buffer() const { return FBuffer; }

 private:
  struct Line {
    int Start = 0;   // character position of the first character
    int Length = 0;  // characters, without the line break
  };
  bool FReadOnly = false;
  int FMaxLength = 0;
  bool FAutoSelect = true;
  bool FAutoSize = true;
  TBorderStyle FBorderStyle = bsSingle;
  bool FHideSelection = true;
  bool FModified = false;
  char32_t FPasswordChar = 0;
  TTextBuffer FBuffer;
  bool FOwnEdit = false;  // the text change in progress comes from FBuffer
  int FScrollX = 0;       // pixels of the text scrolled out at the left
  int FTopLine = 0;       // first line shown (memo)
  int FDesiredX = -1;     // x the caret keeps on Up and Down
  // The caret at a wrap inside a word shows at the end of the upper line.
  bool FCaretAtLineEnd = false;
  std::vector<Line> FLineCache;  // what Lines() computed, until the layout changes
  bool FLinesValid = false;
  int FWidest = -1;  // pixels of the widest line, -1 until measured
  TScrollStyle FScrollStyle = ssNone;
  // Shown (non-empty bounds) as FScrollStyle asks; they scroll the view, not
  // the caret.
  TWindowScrollBar FHorzBar{this, sbHorizontal};
  TWindowScrollBar FVertBar{this, sbVertical};
  bool FSelecting = false;      // the left button drags a selection
  bool FMouseFocusing = false;  // focus arriving by a click: no AutoSelect
  // What a drag selects whole: characters, the words after a double click,
  // the lines after a triple click; [FUnitFrom, FUnitTo) is the unit clicked.
  enum TSelectUnit : uint8_t { suChar, suWord, suLine };
  TSelectUnit FUnit = suChar;
  int FUnitFrom = 0, FUnitTo = 0;
  int64_t FDblClickTime = -1;  // when and where the last double click was
  TPoint FDblClickPos;
  TUndoHistory FUndo;
  std::unique_ptr<TPopupMenu> FEditMenu;  // made on the first right click
  TCaretBlinker FBlinker{[this] { Invalidate(); }};
  TNotifyEvent FOnChange;

  // The lines as shown: split at line breaks and, when wrapping, at the width.
  const std::vector<Line>& Lines();
  void WrapLine(int from, int to, int width, std::vector<Line>& out);
  int CharWidth(int pos);
  void LayoutChanged();
  bool Wraps() const { return MultiLine() && WrapsWords(); }
  int LineOf(const std::vector<Line>& lines, int pos) const;
  // The line the caret shows on.
  int CaretLine();
  // The line under client y (clamped to the lines).
  int LineAt(int y);
  int LineHeight() const;
  int VisibleLines() const;
  // x of a position within its line (text coordinates, unscrolled).
  int XOfPos(const Line& line, int pos);
  int PosAtX(const Line& line, int x);
  int CharCount() const { return FBuffer.Length(); }
  // The characters [from, to) as they show: with a PasswordChar, one mask
  // character for each.
  std::string Shown(int from, int to) const;
  // A single-line edit with a PasswordChar hides its text: nothing of it is
  // copied, offered as PRIMARY, or given away by word boundaries.
  bool Masked() const { return FPasswordChar != 0 && !MultiLine(); }

  // Edits in the user's name: false (nothing happens) when read-only. Each
  // is recorded for Undo; `typing` lets consecutive characters share an entry.
  bool UserReplace(const std::string& s, bool typing = false);
  bool UserEdit(const std::function<bool(TTextBuffer&)>& edit, bool typing);
  // Hands an edit made on FBuffer to the control's text.
  void Commit();
  // After Undo or Redo changed FBuffer.
  void HistoryStepped();
  void DeleteChar(bool forward);
  void MoveCaret(int pos, bool extend, bool atLineEnd = false);
  // To the position nearest x (text coordinates) on a line, or a client point.
  void MoveCaretToX(int line, int x, bool extend);
  void MoveCaretToPoint(int x, int y, bool extend);
  // After the selection changed without an edit.
  void SelectionChanged();
  // Offers a non-empty selection the user made as the PRIMARY selection.
  void OfferPrimary();
  void UserSelectAll();
  // Selects the word or line at pos and makes drags extend by such units.
  void SelectUnitAt(TSelectUnit unit, int pos);
  std::pair<int, int> UnitAt(TSelectUnit unit, int pos) const;
  void ExtendByUnits(int pos);
  bool IsTripleClick(int x, int y);
  bool OnScrollBars(int x, int y) const;
  // The standard edit menu: made once, its items enabled for the moment.
  void ShowEditMenu(TPoint screen);
  void BuildEditMenu();
  void EnableEditMenu();
  // The caret's top-left in client coordinates, and the first line's top.
  TPoint CaretPoint();
  int TextTop() const;
  bool HandleUndoKey(Word key, TShiftState shift);
  bool HandleClipboardKey(Word key, TShiftState shift);
  bool HandleMoveKey(Word key, TShiftState shift);
  void ScrollLines(int delta);
  // Inside the border: the text area's box before the margins, and the bars.
  TRect InnerRect() const;
  TRect BarRect(TScrollBarKind kind) const;
  TRect CornerRect() const;  // between two bars
  // Gives the bars the view's range and position, after every change of either.
  void UpdateScrollBars();
  int WidestLine();
  bool BarMouseDown(int x, int y);
  void PaintScrollBars();
  void EnsureCaretVisible();
  void RestartBlink();
  void AdjustHeight();
  std::string Filter(std::string s) const;
};

// A single-line edit box.
class TEdit : public TCustomEdit {
 public:
  explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
  std::string ClassName() const override { return "TEdit"; }
};

class TCustomMemo;

// A memo's Lines: a view of its text, one string per line.
class TMemoStrings : public TStrings {
 public:
  explicit TMemoStrings(TCustomMemo* memo) : FMemo(memo) {}
  int Count() const override;
  std::string Strings(int i) const override;
  void SetStrings(int i, const std::string& s) override;
  void Insert(int i, const std::string& s) override;
  void Delete(int i) override;
  void Clear() override;
  void SetText(const std::string& s) override;

 private:
  TCustomMemo* FMemo;
  std::vector<std::string> Get() const;
  void Put(const std::vector<std::string>& lines);
};

// A text box of several lines; lines are separated by "\n" in Text. Up, Down,
// Page Up and Page Down move between lines, the view scrolls to the caret.
class TCustomMemo : public TCustomEdit {
 public:
  explicit TCustomMemo(TComponent* AOwner);
  TStrings* Lines() { return &FLines; }
  // Return types a line break; when off the form gets Return (default button).
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool v) { FWantReturns = v; }
  // Tab types a tab character instead of moving the focus.
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool v) { FWantTabs = v; }
  // Lines longer than the width wrap: at a blank, or inside a word wider than
  // the whole width. Resizing wraps anew; on by default.
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v);
  // The wheel scrolls with or without a vertical bar; a bar is greyed while
  // there is nothing to scroll.
  TScrollStyle ScrollBars() const { return ScrollStyle(); }
  void SetScrollBars(TScrollStyle v) { SetScrollStyle(v); }
  std::string ClassName() const override { return "TCustomMemo"; }

 protected:
  bool MultiLine() const override { return true; }
  bool TakesReturn() const override { return FWantReturns; }
  bool TakesTab() const override { return FWantTabs; }
  bool WrapsWords() const override { return FWordWrap; }

 private:
  TMemoStrings FLines{this};
  bool FWantReturns = true;
  bool FWantTabs = false;
  bool FWordWrap = true;
};

class TMemo : public TCustomMemo {
 public:
  explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
  std::string ClassName() const override { return "TMemo"; }
};

enum TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };

// A caption drawn on its parent. Paint fills the background (unless
// Transparent) and hands the text to DoDrawText, which a descendant may replace;
// AutoSize asks DoDrawText with DT_CALCRECT for the size of the text.
class TCustomLabel : public TGraphicControl {
 public:
  explicit TCustomLabel(TComponent* AOwner);

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout v);
  bool Transparent() const { return FTransparent; }
  virtual void SetTransparent(bool v);
  // Width and height follow the caption (the right edge stays put when the
  // text is right-aligned). With WordWrap only the height follows.
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool v);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v);
  // "&x" underlines x and makes Alt+x focus FocusControl (x alone too while the
  // focus is on a control that types no characters, such as a button).
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool v);
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* c) { FFocusControl = c; }

  std::string ClassName() const override { return "TCustomLabel"; }

 protected:
  void Paint() override;
  // Draws (or with DT_CALCRECT measures into Rect) the caption with the canvas.
  virtual void DoDrawText(TRect& Rect, uint32_t Flags);
  // Resizes to the text when AutoSize is on.
  virtual void AdjustBounds();
  void Loaded() override;
  void CMTextChanged(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;

 private:
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FTransparent = false;
  bool FAutoSize = true;
  bool FWordWrap = false;
  bool FShowAccelChar = true;
  TWinControl* FFocusControl = nullptr;
  uint32_t DrawFlags() const;
  void Changed();
};

class TLabel : public TCustomLabel {
 public:
  explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
  std::string ClassName() const override { return "TLabel"; }
};

// A push button. Default buttons take Return, Cancel buttons Escape; a click on
// a button with a ModalResult sets its form's ModalResult (ending ShowModal).
class TButton : public TCustomControl {
 public:
  explicit TButton(TComponent* AOwner);
  bool Default() const { return FDefault; }
  void SetDefault(bool v);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool v) { FCancel = v; }
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult v) { FModalResult = v; }
  // The button as shown: held down by the mouse (inside) or the space bar.
  bool Pressed() const { return FPressed && FPressInside; }
  void Click() override;
  // Return and Escape for the default and cancel buttons; the "&x" accelerator
  // of the caption focuses and clicks the button.
  void WndProc(TMessage& Message) override;
  std::string ClassName() const override { return "TButton"; }

 protected:
  void Paint() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void WMLButtonDown(TWMMouse& Message) override;
  void WMLButtonUp(TWMMouse& Message) override;
  void WMMouseMove(TWMMouse& Message) override;
  void WMSetFocus(TMessage& Message) override { Invalidate(); }
  void WMKillFocus(TMessage& Message) override;

 private:
  bool FDefault = false;
  bool FCancel = false;
  TModalResult FModalResult = mrNone;
  bool FPressed = false;
  bool FPressInside = false;
  void CMDialogKey(TMessage& Message);
};

// A check box with a caption, drawn over its parent's background. Every change
// of State (by the user or the program) fires OnClick, as on the platform.
class TCheckBox : public TCustomControl {
 public:
  explicit TCheckBox(TComponent* AOwner);
  TCheckBoxState State() const { return FState; }
  void SetState(TCheckBoxState v);
  bool Checked() const { return FState == cbChecked; }
  void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }
  // Lets clicks pass through the grey state: unchecked, grey, checked.
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool v) { FAllowGrayed = v; }
  // taRightJustify: the caption right of the box (the usual); taLeftJustify: left of it.
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  // The "&x" accelerator of the caption focuses and toggles the box.
  void WndProc(TMessage& Message) override;
  std::string ClassName() const override { return "TCheckBox"; }

 protected:
  // Moves to the next state as a click does.
  virtual void Toggle();
  void Paint() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void WMLButtonDown(TWMMouse& Message) override;
  void WMLButtonUp(TWMMouse& Message) override;
  void WMSetFocus(TMessage& Message) override { Invalidate(); }
  void WMKillFocus(TMessage& Message) override { Invalidate(); }

 private:
  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
  TAlignment FAlignment = taRightJustify;
  bool FSpaceDown = false;
};

// Gives the focus to `c` when a click lands on it, as a click on a windowed
// control does on the platform; false when it cannot take the focus.
bool FocusByMouse(TWinControl* c);

}  // namespace host
