// The tree view's node model: TTreeNode and TTreeNodes. The nodes own their
// children; TTreeNodes owns the roots and keeps an index of every node in
// order. The model belongs to one tree view (TreeView.h) and tells it about
// every change: texts and expand buttons repaint it, a changed structure
// rescrolls it, and a deleted node leaves its selection, hot node and editor.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/gfx/Persistent.h"

namespace host {

class TTreeNodes;
class TCustomTreeView;

// One node. Nodes belong to their tree's TTreeNodes, which creates and frees
// them; a node pointer stays valid until the node (or an ancestor) is deleted.
class TTreeNode : public TPersistent {
 public:
  TTreeNodes* Owner() const { return FOwner; }
  TCustomTreeView* TreeView() const;

  const std::string& Text() const { return FText; }
  void SetText(const std::string& s);
  // The application's value; the tree never looks at it.
  void* Data() const { return FData; }
  void SetData(void* d) { FData = d; }

  TTreeNode* Parent() const { return FParent; }
  TTreeNode* GetParent() const { return FParent; }
  int Count() const { return int(FChildren.size()); }
  TTreeNode* Item(int i) const;  // nullptr out of range
  TTreeNode* GetFirstChild() const { return Item(0); }
  TTreeNode* GetLastChild() const { return Item(Count() - 1); }
  TTreeNode* GetNextSibling() const;
  TTreeNode* GetPrevSibling() const;
  // The next node in index order (children first), nullptr after the last.
  TTreeNode* GetNext() const;
  // True when the node shows an expand button: it has children, or the
  // program said it has (before they are read, as lazy trees do).
  bool HasChildren() const { return FHasChildren || !FChildren.empty(); }
  void SetHasChildren(bool v);

  bool Expanded() const { return FExpanded; }
  // Expands or collapses through the tree's events (OnExpanding may refuse,
  // or fill the children first).
  void SetExpanded(bool v);
  void Expand(bool Recurse);
  void Collapse(bool Recurse);
  // True when every ancestor is expanded (the node has a row on screen).
  bool IsVisible() const;

  bool Selected() const;
  // Makes the node the tree's selection (true), or drops it from it (false).
  void SetSelected(bool v);
  bool Focused() const;

  void DeleteChildren();
  void Delete();

  int Index() const;          // among its siblings
  int AbsoluteIndex() const;  // in the whole tree, parents before children
  int Level() const;          // 0 for a root node
  // True when Value is this node's parent, grandparent or further up.
  bool HasAsParent(const TTreeNode* Value) const;
  std::string ClassName() const override { return "TTreeNode"; }

 private:
  friend class TTreeNodes;
  friend class TCustomTreeView;
  explicit TTreeNode(TTreeNodes* owner) : FOwner(owner) {}
  TTreeNodes* FOwner;
  TTreeNode* FParent = nullptr;
  std::vector<std::unique_ptr<TTreeNode>> FChildren;
  std::string FText;
  void* FData = nullptr;
  bool FHasChildren = false;
  bool FExpanded = false;
  bool FInSelection = false;  // member of a multiple selection
  // Where the node last was among its siblings. Walking siblings asks for
  // indexes all the time; with the hint a walk over a branch of many
  // thousand nodes stays linear. A stale hint only costs one search.
  mutable size_t FIndexHint = 0;
};

// The nodes of a tree, in the order the tree shows them when all is expanded.
class TTreeNodes : public TPersistent {
 public:
  explicit TTreeNodes(TCustomTreeView* owner) : FOwner(owner) {}
  ~TTreeNodes() override;
  TCustomTreeView* Owner() const { return FOwner; }

  void Clear();
  // A new node as the last sibling of `Sibling` (a root when nullptr).
  TTreeNode* Add(TTreeNode* Sibling, const std::string& S);
  TTreeNode* AddObject(TTreeNode* Sibling, const std::string& S, void* Ptr);
  // A new node as the first sibling of `Sibling`.
  TTreeNode* AddFirst(TTreeNode* Sibling, const std::string& S);
  // A new last (or first) child of Parent (a root when nullptr).
  TTreeNode* AddChild(TTreeNode* Parent, const std::string& S);
  TTreeNode* AddChildObject(TTreeNode* Parent, const std::string& S, void* Ptr);
  TTreeNode* AddChildFirst(TTreeNode* Parent, const std::string& S);
  // A new node just before `Sibling` (the last root when nullptr).
  TTreeNode* Insert(TTreeNode* Sibling, const std::string& S);
  void Delete(TTreeNode* Node);

  // Every node, roots and children alike.
  int Count() const { return int(Index().size()); }
  int GetCount() const { return Count(); }
  TTreeNode* Item(int i) const { return GetNodeFromIndex(i); }
  TTreeNode* GetNodeFromIndex(int i) const;  // nullptr out of range
  TTreeNode* GetFirstNode() const { return GetNodeFromIndex(0); }
  int RootCount() const { return int(FRoots.size()); }
  TTreeNode* Root(int i) const;

  // Repaints only once EndUpdate balances every BeginUpdate.
  void BeginUpdate();
  void EndUpdate();
  std::string ClassName() const override { return "TTreeNodes"; }

 private:
  friend class TTreeNode;
  friend class TCustomTreeView;
  TCustomTreeView* FOwner;
  std::vector<std::unique_ptr<TTreeNode>> FRoots;
  mutable std::vector<TTreeNode*> FIndex;  // all nodes in order, rebuilt on demand
  mutable bool FIndexValid = true;
  int FUpdateCount = 0;

  const std::vector<TTreeNode*>& Index() const;
  std::vector<std::unique_ptr<TTreeNode>>& SiblingsOf(TTreeNode* parent);
  TTreeNode* InsertAt(TTreeNode* parent, size_t pos, const std::string& s, void* data);
  void Changed();
};

}  // namespace host
