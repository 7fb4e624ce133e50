#include "host/widgets/TreeView.h"

#include <algorithm>

#include "host/gfx/Utf8.h"
#include "host/widgets/Look.h"
#include "host/widgets/StdCtrls.h"

namespace host {

namespace {

constexpr int kTextGap = 3;  // between the indent columns and the text box
constexpr int kButtonHalf = 4;

bool InSubtree(const TTreeNode* root, const TTreeNode* n) {
  return n && (n == root || n->HasAsParent(root));
}

char32_t FoldCase(char32_t c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; }

char32_t FirstChar(const std::string& s) {
  size_t i = 0;
  return s.empty() ? 0 : NextCodePoint(s, i);
}

// The in-place editor: keeps Return and Escape for itself.
class TTreeEditor : public TEdit {
 public:
  TTreeEditor(TComponent* owner, std::function<void(bool)> done)
      : TEdit(owner), FDone(std::move(done)) {}

 protected:
  void WMGetDlgCode(TMessage& m) override {
    TEdit::WMGetDlgCode(m);
    m.Result |= DLGC_WANTALLKEYS;
  }
  void KeyDown(Word& Key, TShiftState Shift) override {
    if (Key == VK_RETURN || Key == VK_ESCAPE) {
      auto done = FDone;
      const bool keep = Key == VK_RETURN;
      Key = 0;
      done(keep);
      return;
    }
    TEdit::KeyDown(Key, Shift);
  }
  void KeyPress(char32_t& Key) override {
    if (Key == '\r' || Key == 27)
      Key = 0;
    else
      TEdit::KeyPress(Key);
  }
  void WMKillFocus(TMessage& m) override {
    TEdit::WMKillFocus(m);
    if (Visible()) FDone(true);  // clicking elsewhere keeps the text
  }

 private:
  std::function<void(bool)> FDone;
};

}  // namespace

// --- TCustomTreeView

TCustomTreeView::TCustomTreeView(TComponent* AOwner) : TCustomControl(AOwner) {
  SetColor(clWindow);
  SetTabStop(true);
  SetControlStyle(TControlStyle(ControlStyle() | csOpaque));
  SetBounds(Left(), Top(), 121, 97);
}

TCustomTreeView::~TCustomTreeView() {
  // The editor and the nodes go while the tree they report to is whole.
  FEditNode = nullptr;
  delete FEditor;
  FItems.FRoots.clear();
}

TRect TCustomTreeView::ClientRect() const {
  const int b = FBorderStyle == bsSingle ? 2 : 0;
  return Rect(b, b, std::max(b, Width() - b), std::max(b, Height() - b));
}

TRect TCustomTreeView::ScrollRect() const {
  if (!FScroll.Active()) return TRect{};
  return TWindowScrollBar::EdgeStrip(ClientRect(), sbVertical);
}

TRect TCustomTreeView::ListRect() const {
  TRect c = ClientRect();
  if (FScroll.Active()) c.Right = ScrollRect().Left;
  return c;
}

int TCustomTreeView::ItemHeight() const { return Canvas()->TextHeight("Ag") + 3; }

int TCustomTreeView::VisibleRows() const {
  return std::max(1, ClientRect().Height() / std::max(1, ItemHeight()));
}

void TCustomTreeView::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  UpdateScroll();
}

void TCustomTreeView::CreateWnd() { TCustomControl::CreateWnd(); }

std::vector<TTreeNode*> TCustomTreeView::VisibleNodes() const {
  std::vector<TTreeNode*> rows;
  TTreeNode* n = FItems.Root(0);
  while (n) {
    rows.push_back(n);
    if (n->FExpanded && !n->FChildren.empty()) {
      n = n->FChildren.front().get();
      continue;
    }
    while (n && !n->GetNextSibling()) n = n->FParent;
    if (n) n = n->GetNextSibling();
  }
  return rows;
}

int TCustomTreeView::RowOf(TTreeNode* node) const {
  const auto rows = VisibleNodes();
  auto it = std::find(rows.begin(), rows.end(), node);
  return it == rows.end() ? -1 : int(it - rows.begin());
}

// The bar scrolls by rows and shows only while there are more than fit.
void TCustomTreeView::UpdateScroll() {
  const bool had = FScroll.Active();
  FScroll.SetRows(int(VisibleNodes().size()), VisibleRows());
  FScroll.SetBounds(ScrollRect());
  if (had != FScroll.Active()) Invalidate();
}

void TCustomTreeView::StructureChanged() {
  UpdateScroll();
  Invalidate();
}

void TCustomTreeView::ScrollTo(int top) {
  if (FScroll.SetPosition(top)) Invalidate();
}

void TCustomTreeView::MakeVisible(TTreeNode* node) {
  UpdateScroll();
  const int row = RowOf(node);
  if (row >= 0 && FScroll.MakeRowVisible(row)) Invalidate();
}

TTreeNode* TCustomTreeView::TopItem() const {
  const auto rows = VisibleNodes();
  const int top = FirstRow();
  return top < int(rows.size()) ? rows[size_t(top)] : nullptr;
}

void TCustomTreeView::SetTopItem(TTreeNode* Node) {
  UpdateScroll();
  const int row = RowOf(Node);
  if (row >= 0) ScrollTo(row);
}

void TCustomTreeView::NodeRemoving(TTreeNode* node) {
  if (InSubtree(node, FHot)) FHot = nullptr;
  if (InSubtree(node, FEditNode)) EndEdit(false);
  std::erase_if(FSelection, [&](TTreeNode* n) { return InSubtree(node, n); });
  if (InSubtree(node, FSelected)) FSelected = nullptr;
}

TTreeNode* TCustomTreeView::Selections(int i) const {
  if (i < 0 || i >= SelectionCount()) return nullptr;
  return FSelection[size_t(i)];
}

bool TCustomTreeView::CanChange(TTreeNode* Node) {
  bool allow = true;
  if (FOnChanging) FOnChanging(this, Node, allow);
  return allow;
}

void TCustomTreeView::Change(TTreeNode* Node) {
  if (FOnChange) FOnChange(this, Node);
}

void TCustomTreeView::SetSelected(TTreeNode* Node) {
  if (Node && Node->FOwner != &FItems) return;
  if (Node == FSelected && (!FMultiSelect || FSelection.size() <= 1)) return;
  if (!CanChange(Node)) return;
  for (TTreeNode* n : FSelection) n->FInSelection = false;
  FSelection.clear();
  if (Node) {
    std::vector<TTreeNode*> chain;
    for (TTreeNode* p = Node->FParent; p; p = p->FParent) chain.push_back(p);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) SetExpandedState(*it, true);
    if (FMultiSelect) {
      FSelection.push_back(Node);
      Node->FInSelection = true;
    }
  }
  FSelected = Node;
  if (Node) MakeVisible(Node);
  Invalidate();
  Change(Node);
}

void TCustomTreeView::ToggleMultiSelected(TTreeNode* node) {
  if (node->FInSelection) {
    node->FInSelection = false;
    std::erase(FSelection, node);
  } else {
    node->FInSelection = true;
    FSelection.push_back(node);
  }
  Invalidate();
}

void TCustomTreeView::SelectNode(TTreeNode* node, TShiftState shift) {
  if (!node) return;
  if (FMultiSelect && (shift & ssCtrl)) {
    ToggleMultiSelected(node);
    if (node->FInSelection && FSelected != node && CanChange(node)) {
      FSelected = node;
      Change(node);
    }
    return;
  }
  if (FMultiSelect && (shift & ssShift) && FSelected) {
    // The rows from the focused node to this one join the selection.
    const auto rows = VisibleNodes();
    int a = RowOf(FSelected), b = RowOf(node);
    if (a > b) std::swap(a, b);
    for (int r = std::max(a, 0); r <= b; ++r)
      if (!rows[size_t(r)]->FInSelection) ToggleMultiSelected(rows[size_t(r)]);
    if (CanChange(node)) {
      FSelected = node;
      MakeVisible(node);
      Change(node);
    }
    return;
  }
  SetSelected(node);
}

bool TCustomTreeView::CanExpand(TTreeNode* Node) {
  bool allow = true;
  if (FOnExpanding) FOnExpanding(this, Node, allow);
  return allow;
}

void TCustomTreeView::Expand(TTreeNode* Node) {
  if (FOnExpanded) FOnExpanded(this, Node);
}

bool TCustomTreeView::CanCollapse(TTreeNode* Node) {
  bool allow = true;
  if (FOnCollapsing) FOnCollapsing(this, Node, allow);
  return allow;
}

void TCustomTreeView::Collapse(TTreeNode* Node) {
  if (FOnCollapsed) FOnCollapsed(this, Node);
}

void TCustomTreeView::SetExpandedState(TTreeNode* node, bool expand) {
  if (!node || node->FExpanded == expand) return;
  if (expand) {
    if (!node->HasChildren() || !CanExpand(node)) return;
    if (node->FChildren.empty()) {
      // Nothing turned up (a lazily read folder without sub-folders): the
      // button goes away instead of opening an empty branch.
      node->FHasChildren = false;
      Invalidate();
      return;
    }
    node->FExpanded = true;
    StructureChanged();
    Expand(node);
    return;
  }
  if (!CanCollapse(node)) return;
  node->FExpanded = false;
  StructureChanged();
  if (FSelected && FSelected->HasAsParent(node)) SetSelected(node);
  Collapse(node);
}

void TCustomTreeView::FullExpand() {
  for (TTreeNode* n = FItems.Root(0); n; n = n->GetNext()) n->Expand(false);
}

void TCustomTreeView::FullCollapse() {
  for (int i = 0; i < FItems.RootCount(); ++i) FItems.Root(i)->Collapse(true);
}

bool TCustomTreeView::HasButtonColumn(const TTreeNode* node) const {
  return FShowRoot || node->FParent;
}

int TCustomTreeView::NodeLeft(const TTreeNode* node) const {
  const int depth = node->Level() + (FShowRoot ? 1 : 0);
  return ListRect().Left + depth * FIndent + kTextGap;
}

TRect TCustomTreeView::NodeRect(TTreeNode* Node, bool TextOnly) const {
  const int row = Node ? RowOf(Node) - FirstRow() : -1;
  if (row < 0 || row >= VisibleRows() + 1) return TRect{};
  const TRect list = ListRect();
  const int h = ItemHeight();
  const int y = list.Top + row * h;
  if (!TextOnly) return Rect(list.Left, y, list.Right, y + h);
  const int x = NodeLeft(Node);
  return Rect(x - 2, y, x + Canvas()->TextWidth(Node->FText) + 2, y + h);
}

TTreeNode* TCustomTreeView::GetNodeAt(int X, int Y) const {
  const TRect list = ListRect();
  if (!list.Contains(X, Y)) return nullptr;
  const int row = (Y - list.Top) / ItemHeight() + FirstRow();
  const auto rows = VisibleNodes();
  return row < int(rows.size()) ? rows[size_t(row)] : nullptr;
}

THitTest TCustomTreeView::GetHitTestInfoAt(int X, int Y) const {
  const TRect list = ListRect();
  if (Y < list.Top) return htAbove;
  if (Y >= list.Bottom) return htBelow;
  TTreeNode* n = GetNodeAt(X, Y);
  if (!n) return htNowhere;
  const TRect text = NodeRect(n, true);
  if (X >= text.Right) return htOnRight;
  if (X >= text.Left) return htOnItem;
  if (FShowButtons && n->HasChildren() && HasButtonColumn(n)) {
    const int cx = text.Left + 2 - kTextGap - FIndent / 2 - 1;
    if (std::abs(X - cx) <= kButtonHalf + 1) return htOnButton;
  }
  return htOnIndent;
}

// --- painting

void TCustomTreeView::PaintButton(TCanvas* c, int cx, int cy, bool expanded) {
  const TRect box =
      Rect(cx - kButtonHalf, cy - kButtonHalf, cx + kButtonHalf + 1, cy + kButtonHalf + 1);
  c->Brush()->SetColor(clWindow);
  c->FillRect(box);
  c->Brush()->SetColor(clGray);
  c->FrameRect(box);
  c->Brush()->SetColor(clWindowText);
  c->FillRect(Rect(cx - 2, cy, cx + 3, cy + 1));
  if (!expanded) c->FillRect(Rect(cx, cy - 2, cx + 1, cy + 3));
}

namespace {
// Dotted lines: every other pixel, on a grid fixed to the control so rows join up.
void DotH(TCanvas* c, int x0, int x1, int y) {
  for (int x = x0; x < x1; ++x)
    if (((x + y) & 1) == 0) c->SetPixels(x, y, ColorToRGB(clGray));
}
void DotV(TCanvas* c, int x, int y0, int y1) {
  for (int y = y0; y < y1; ++y)
    if (((x + y) & 1) == 0) c->SetPixels(x, y, ColorToRGB(clGray));
}
}  // namespace

void TCustomTreeView::PaintLines(TCanvas* c, TTreeNode* node, int y, int h) {
  const int cy = y + h / 2;
  const int textX = NodeLeft(node);
  const int cx = textX - kTextGap - FIndent / 2 - 1;
  const bool column = HasButtonColumn(node);
  if (FShowLines && column) {
    const bool firstRoot = !node->FParent && node->Index() == 0;
    DotV(c, cx, firstRoot ? cy : y, node->GetNextSibling() ? y + h : cy + 1);
    DotH(c, cx, textX - 1, cy);
    // The ancestors' lines run on past this row to their next siblings.
    for (TTreeNode* a = node->FParent; a && HasButtonColumn(a); a = a->FParent)
      if (a->GetNextSibling()) DotV(c, NodeLeft(a) - kTextGap - FIndent / 2 - 1, y, y + h);
  }
  if (FShowButtons && column && node->HasChildren()) PaintButton(c, cx, cy, node->FExpanded);
}

void TCustomTreeView::PaintRow(TCanvas* c, TTreeNode* node, int y, int h) {
  PaintLines(c, node, y, h);
  const TRect text =
      Rect(NodeLeft(node) - 2, y, NodeLeft(node) + c->TextWidth(node->FText) + 2, y + h);
  const bool sel = node->Selected();
  const bool focused = Focused();
  TColor fore = Enabled() ? Font()->Color() : clGrayText;
  if (sel && (focused || !FHideSelection)) {
    c->Brush()->SetColor(focused ? clHighlight : clBtnFace);
    c->FillRect(text);
    if (focused) fore = clHighlightText;
  }
  c->Brush()->SetStyle(bsClear);
  c->Font()->Assign(Font());
  if (FHotTrack && node == FHot) {
    c->Font()->SetStyle(TFontStyles(c->Font()->Style() | fsUnderline));
    if (!sel) fore = clHotLight;
  }
  c->Font()->SetColor(fore);
  c->TextOut(text.Left + 2, y + (h - c->TextHeight(node->FText)) / 2, node->FText);
  c->Font()->Assign(Font());
  if (node == FSelected && focused) DrawFocusRect(c, text);
}

void TCustomTreeView::Paint() {
  TCanvas* c = Canvas();
  c->Font()->Assign(Font());
  TRect frame = Rect(0, 0, Width(), Height());
  if (FBorderStyle == bsSingle) DrawSunkenEdge(c, frame);
  const TRect list = ListRect();
  c->Brush()->SetColor(Color());
  c->FillRect(list);
  c->IntersectClip(list);
  const auto rows = VisibleNodes();
  const int h = ItemHeight();
  for (int r = FirstRow(), y = list.Top; r < int(rows.size()) && y < list.Bottom; ++r, y += h)
    PaintRow(c, rows[size_t(r)], y, h);
  FScroll.Paint(Canvas());  // a fresh binding: the list clip must not apply
}

// --- input

void TCustomTreeView::WMGetDlgCode(TMessage& Message) {
  Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
}

void TCustomTreeView::MoveSelection(int rowDelta, TShiftState shift) {
  const auto rows = VisibleNodes();
  if (rows.empty()) return;
  int row = FSelected ? RowOf(FSelected) : -1;
  row = std::clamp(row < 0 ? 0 : row + rowDelta, 0, int(rows.size()) - 1);
  SelectNode(rows[size_t(row)], shift & ssShift);
  MakeVisible(rows[size_t(row)]);
}

void TCustomTreeView::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  const int page = std::max(1, VisibleRows() - 1);
  const int big = 1 << 30;
  switch (Key) {
    case VK_UP:
      MoveSelection(-1, Shift);
      break;
    case VK_DOWN:
      MoveSelection(1, Shift);
      break;
    case VK_PRIOR:
      MoveSelection(-page, Shift);
      break;
    case VK_NEXT:
      MoveSelection(page, Shift);
      break;
    case VK_HOME:
      MoveSelection(-big, Shift);
      break;
    case VK_END:
      MoveSelection(big, Shift);
      break;
    case VK_LEFT:
      if (!FSelected) break;
      if (FSelected->FExpanded)
        SetExpandedState(FSelected, false);
      else if (FSelected->FParent)
        SelectNode(FSelected->FParent, 0);
      break;
    case VK_RIGHT:
      if (!FSelected) break;
      if (!FSelected->FExpanded)
        SetExpandedState(FSelected, true);
      else if (FSelected->Count() > 0)
        SelectNode(FSelected->Item(0), 0);
      break;
    case VK_F2:
      StartEdit();
      break;
    case VK_SPACE:
      if (FMultiSelect && (Shift & ssCtrl) && FSelected) ToggleMultiSelected(FSelected);
      break;
    default:
      return;
  }
  Key = 0;
}

void TCustomTreeView::KeyPress(char32_t& Key) {
  TCustomControl::KeyPress(Key);
  if (Key == 0) return;
  if (Key == '+' || Key == '-' || Key == '*') {
    if (FSelected) {
      if (Key == '-')
        SetExpandedState(FSelected, false);
      else
        FSelected->Expand(Key == '*');
    }
    Key = 0;
    return;
  }
  if (Key < ' ') return;
  // Type-ahead: the next row whose text starts with the character.
  const auto rows = VisibleNodes();
  const int n = int(rows.size());
  const int from = FSelected ? RowOf(FSelected) : -1;
  for (int k = 1; k <= n; ++k) {
    TTreeNode* cand = rows[size_t((from + k + n) % n)];
    if (FoldCase(FirstChar(cand->FText)) == FoldCase(Key)) {
      SelectNode(cand, 0);
      break;
    }
  }
  Key = 0;
}

void TCustomTreeView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  EndEdit(true);
  FocusByMouse(this);
  if (ScrollRect().Contains(X, Y)) {
    if (Button == mbLeft) FScroll.MouseDown(X, Y);
    TCustomControl::MouseDown(Button, Shift, X, Y);
    return;
  }
  TTreeNode* node = GetNodeAt(X, Y);
  const THitTest hit = GetHitTestInfoAt(X, Y);
  if (Button == mbLeft && node) {
    if (hit == htOnButton)
      SetExpandedState(node, !node->FExpanded);
    else if (hit == htOnItem && (Shift & ssDouble))
      SetExpandedState(node, !node->FExpanded);
    else if (hit == htOnItem)
      SelectNode(node, Shift);
  } else if (Button == mbRight && node && hit == htOnItem && !(FMultiSelect && node->Selected())) {
    SelectNode(node, 0);
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomTreeView::MouseMove(TShiftState Shift, int X, int Y) {
  if (FScroll.MouseMove(X, Y)) {
    // the bar has the press
  } else if (FHotTrack) {
    TTreeNode* hot = GetHitTestInfoAt(X, Y) == htOnItem ? GetNodeAt(X, Y) : nullptr;
    if (hot != FHot) {
      FHot = hot;
      Invalidate();
    }
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomTreeView::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) FScroll.MouseUp(X, Y);
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TCustomTreeView::CMMouseLeave(TMessage& Message) {
  if (FHot) {
    FHot = nullptr;
    Invalidate();
  }
  TCustomControl::CMMouseLeave(Message);
}

void TCustomTreeView::CMFontChanged(TMessage& Message) {
  TCustomControl::CMFontChanged(Message);
  UpdateScroll();
}

bool TCustomTreeView::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  if (TCustomControl::DoMouseWheelDown(Shift, MousePos)) return true;
  ScrollTo(FirstRow() + 3);
  return true;
}

bool TCustomTreeView::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  if (TCustomControl::DoMouseWheelUp(Shift, MousePos)) return true;
  ScrollTo(FirstRow() - 3);
  return true;
}

// --- label editing

void TCustomTreeView::StartEdit() {
  if (FReadOnly || !FSelected || FEditNode) return;
  bool allow = true;
  if (FOnEditing) FOnEditing(this, FSelected, allow);
  if (!allow) return;
  MakeVisible(FSelected);
  const TRect r = NodeRect(FSelected, true);
  if (!FEditor) {
    // One editor, made on first use and kept hidden between edits, so that
    // ending an edit from inside the editor's own key handler frees nothing.
    FEditor = new TTreeEditor(this, [this](bool keep) { EndEdit(keep); });
    FEditor->SetBorderStyle(bsNone);
    FEditor->SetParent(this);
  }
  FEditNode = FSelected;
  FEditor->SetBounds(r.Left, r.Top, std::max(r.Width() + 40, 60), r.Height());
  FEditor->SetText(FEditNode->FText);
  FEditor->Show();
  FEditor->SelectAll();
  if (FEditor->CanFocus()) FEditor->SetFocus();
}

void TCustomTreeView::EndEdit(bool keep) {
  if (!FEditNode) return;
  TTreeNode* node = FEditNode;
  FEditNode = nullptr;
  std::string s = FEditor->Text();
  const bool hadFocus = FEditor->Focused();
  FEditor->Hide();
  if (hadFocus && CanFocus()) SetFocus();
  if (keep) {
    if (FOnEdited) FOnEdited(this, node, s);
    node->SetText(s);
  }
  Invalidate();
}

// --- properties

void TCustomTreeView::SetReadOnly(bool v) {
  FReadOnly = v;
  if (v) EndEdit(false);
}

void TCustomTreeView::SetMultiSelect(bool v) {
  if (v == FMultiSelect) return;
  FMultiSelect = v;
  for (TTreeNode* n : FSelection) n->FInSelection = false;
  FSelection.clear();
  if (v && FSelected) {
    FSelection.push_back(FSelected);
    FSelected->FInSelection = true;
  }
  Invalidate();
}

#define ZEL_TREE_FLAG(Setter, Field)     \
  void TCustomTreeView::Setter(bool v) { \
    if (v == Field) return;              \
    Field = v;                           \
    Invalidate();                        \
  }
ZEL_TREE_FLAG(SetShowButtons, FShowButtons)
ZEL_TREE_FLAG(SetShowLines, FShowLines)
ZEL_TREE_FLAG(SetShowRoot, FShowRoot)
ZEL_TREE_FLAG(SetHotTrack, FHotTrack)
ZEL_TREE_FLAG(SetHideSelection, FHideSelection)
#undef ZEL_TREE_FLAG

void TCustomTreeView::SetIndent(int v) {
  v = std::max(v, 2 * kButtonHalf + 3);
  if (v == FIndent) return;
  FIndent = v;
  Invalidate();
}

void TCustomTreeView::SetBorderStyle(TBorderStyle v) {
  if (v == FBorderStyle) return;
  FBorderStyle = v;
  UpdateScroll();
  Invalidate();
}

long SetWindowTheme(HWND, const char*, const char*) { return 0; }

}  // namespace host
