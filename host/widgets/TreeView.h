// The tree view: the rows of its nodes (TreeNodes.h) with expand buttons and
// dotted lines, lazy filling through OnExpanding, selection events, keyboard
// and mouse, and a vertical scroll bar for long trees.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/ui/Controls.h"
#include "host/widgets/ScrollBar.h"
#include "host/widgets/TreeNodes.h"

namespace host {

class TEdit;

using TTVExpandingEvent =
    std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)>;
using TTVCollapsingEvent =
    std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowCollapse)>;
using TTVExpandedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVChangingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)>;
using TTVEditingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowEdit)>;
using TTVEditedEvent = std::function<void(TObject* Sender, TTreeNode* Node, std::string& S)>;

// Parts of a row, as GetHitTestInfoAt reports them.
enum THitTest : uint8_t {
  htNowhere,
  htOnButton,
  htOnIndent,
  htOnItem,
  htOnRight,
  htAbove,
  htBelow
};

// A tree of text nodes. Unless ReadOnly, F2 edits the selected node's text in
// place (OnEditing may refuse, OnEdited may change the new text): Return or
// leaving the editor keeps it, Escape drops it.
class TCustomTreeView : public TCustomControl {
 public:
  explicit TCustomTreeView(TComponent* AOwner);
  ~TCustomTreeView() override;

  TTreeNodes* Items() { return &FItems; }
  TTreeNode* Selected() const { return FSelected; }
  TTreeNode* GetSelected() const { return FSelected; }
  // Selects a node (nullptr clears the selection) through OnChanging/OnChange;
  // the node's ancestors expand and the view scrolls to it.
  void SetSelected(TTreeNode* Node);
  // With MultiSelect: the selected nodes in the order they were selected.
  int SelectionCount() const { return int(FSelection.size()); }
  TTreeNode* Selections(int i) const;

  void FullExpand();
  void FullCollapse();
  // The node whose row holds client point (X, Y), or nullptr.
  TTreeNode* GetNodeAt(int X, int Y) const;
  THitTest GetHitTestInfoAt(int X, int Y) const;
  // The first row shown.
  TTreeNode* TopItem() const;
  void SetTopItem(TTreeNode* Node);
  // The rectangle of a node's row (TextOnly: of its text), empty when hidden.
  TRect NodeRect(TTreeNode* Node, bool TextOnly) const;
  bool IsEditing() const { return FEditNode != nullptr; }

  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool v);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool v);
  bool ShowButtons() const { return FShowButtons; }
  void SetShowButtons(bool v);
  bool ShowLines() const { return FShowLines; }
  void SetShowLines(bool v);
  // Buttons and lines for the root nodes too.
  bool ShowRoot() const { return FShowRoot; }
  void SetShowRoot(bool v);
  // Pixels a level moves its children to the right.
  int Indent() const { return FIndent; }
  void SetIndent(int v);
  // Underlines the node under the mouse.
  bool HotTrack() const { return FHotTrack; }
  void SetHotTrack(bool v);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool v);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle v);  // bsSingle (sunken edge) or bsNone
  // The height of a row: the font's line height plus a little air.
  int ItemHeight() const;

  const TTVExpandingEvent& OnExpanding() const { return FOnExpanding; }
  void SetOnExpanding(TTVExpandingEvent e) { FOnExpanding = std::move(e); }
  const TTVExpandedEvent& OnExpanded() const { return FOnExpanded; }
  void SetOnExpanded(TTVExpandedEvent e) { FOnExpanded = std::move(e); }
  const TTVCollapsingEvent& OnCollapsing() const { return FOnCollapsing; }
  void SetOnCollapsing(TTVCollapsingEvent e) { FOnCollapsing = std::move(e); }
  const TTVExpandedEvent& OnCollapsed() const { return FOnCollapsed; }
  void SetOnCollapsed(TTVExpandedEvent e) { FOnCollapsed = std::move(e); }
  const TTVChangingEvent& OnChanging() const { return FOnChanging; }
  void SetOnChanging(TTVChangingEvent e) { FOnChanging = std::move(e); }
  const TTVChangedEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TTVChangedEvent e) { FOnChange = std::move(e); }
  const TTVEditingEvent& OnEditing() const { return FOnEditing; }
  void SetOnEditing(TTVEditingEvent e) { FOnEditing = std::move(e); }
  const TTVEditedEvent& OnEdited() const { return FOnEdited; }
  void SetOnEdited(TTVEditedEvent e) { FOnEdited = std::move(e); }

  TRect ClientRect() const override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  std::string ClassName() const override { return "TCustomTreeView"; }

 protected:
  // The hooks behind the events; descendants override them and call the base.
  virtual bool CanExpand(TTreeNode* Node);
  virtual void Expand(TTreeNode* Node);
  virtual bool CanCollapse(TTreeNode* Node);
  virtual void Collapse(TTreeNode* Node);
  virtual bool CanChange(TTreeNode* Node);
  // Runs after the selection changed; fires OnChange.
  virtual void Change(TTreeNode* Node);

  void CreateWnd() override;
  void Paint() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char32_t& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void WMGetDlgCode(TMessage& Message) override;
  void WMSetFocus(TMessage& Message) override { Invalidate(); }
  void WMKillFocus(TMessage& Message) override { Invalidate(); }
  void CMMouseLeave(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;

 private:
  friend class TTreeNode;
  friend class TTreeNodes;
  TTreeNodes FItems{this};
  TTreeNode* FSelected = nullptr;
  std::vector<TTreeNode*> FSelection;  // MultiSelect: every selected node
  TTreeNode* FHot = nullptr;           // under the mouse (HotTrack)
  bool FReadOnly = false;
  bool FMultiSelect = false;
  bool FShowButtons = true;
  bool FShowLines = true;
  bool FShowRoot = true;
  int FIndent = 19;
  bool FHotTrack = false;
  bool FHideSelection = true;
  TBorderStyle FBorderStyle = bsSingle;
  TWindowScrollBar FScroll{this, sbVertical};  // positions are rows
  TEdit* FEditor = nullptr;
  TTreeNode* FEditNode = nullptr;
  TTVExpandingEvent FOnExpanding;
  TTVExpandedEvent FOnExpanded, FOnCollapsed;
  TTVCollapsingEvent FOnCollapsing;
  TTVChangingEvent FOnChanging;
  TTVChangedEvent FOnChange;
  TTVEditingEvent FOnEditing;
  TTVEditedEvent FOnEdited;

  // The rows on screen order: every node whose ancestors are all expanded.
  std::vector<TTreeNode*> VisibleNodes() const;
  int RowOf(TTreeNode* node) const;                         // among VisibleNodes, -1 when hidden
  int VisibleRows() const;                                  // rows that fit the client height
  int FirstRow() const { return int(FScroll.Position()); }  // the row at the top
  TRect ListRect() const;  // the client area left of the scroll bar
  TRect ScrollRect() const;
  int NodeLeft(const TTreeNode* node) const;  // x of the node's text
  bool HasButtonColumn(const TTreeNode* node) const;
  void UpdateScroll();
  void ScrollTo(int top);
  void MakeVisible(TTreeNode* node);
  void SelectNode(TTreeNode* node, TShiftState shift);
  // what the node model (TreeNodes.cpp) calls, besides FSelected and SetSelected
  void NodeRemoving(TTreeNode* node);  // before a node and its subtree go
  void StructureChanged();
  void ToggleMultiSelected(TTreeNode* node);
  void SetExpandedState(TTreeNode* node, bool expand);
  void MoveSelection(int rowDelta, TShiftState shift);
  void PaintRow(TCanvas* c, TTreeNode* node, int y, int rowHeight);
  void PaintLines(TCanvas* c, TTreeNode* node, int y, int rowHeight);
  void PaintButton(TCanvas* c, int cx, int cy, bool expanded);
  void StartEdit();
  void EndEdit(bool keep);
};

// The tree view as a form places it.
class TTreeView : public TCustomTreeView {
 public:
  explicit TTreeView(TComponent* AOwner) : TCustomTreeView(AOwner) {}
  std::string ClassName() const override { return "TTreeView"; }
};

// Sets the visual theme of a window. This host draws one classic look, so the
// call is accepted and changes nothing; it returns 0 (success) as the platform does.
long SetWindowTheme(HWND Wnd, const char* SubAppName, const char* SubIdList);

}  // namespace host
