// The node model. Changes that show go to the owning tree view through its
// private hooks (it is a friend of both classes): selection, expansion and
// the removal of nodes that the view may point at.
#include "host/widgets/TreeNodes.h"

#include <algorithm>

#include "host/widgets/TreeView.h"

namespace host {

// --- TTreeNode

TCustomTreeView* TTreeNode::TreeView() const { return FOwner->Owner(); }

void TTreeNode::SetText(const std::string& s) {
  if (s == FText) return;
  FText = s;
  TreeView()->Invalidate();
}

TTreeNode* TTreeNode::Item(int i) const {
  if (i < 0 || i >= Count()) return nullptr;
  return FChildren[size_t(i)].get();
}

TTreeNode* TTreeNode::GetNextSibling() const {
  const auto& sib = FOwner->SiblingsOf(FParent);
  const int i = Index();
  return i + 1 < int(sib.size()) ? sib[size_t(i + 1)].get() : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const {
  const auto& sib = FOwner->SiblingsOf(FParent);
  const int i = Index();
  return i > 0 ? sib[size_t(i - 1)].get() : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
  if (!FChildren.empty()) return FChildren.front().get();
  for (const TTreeNode* n = this; n; n = n->FParent)
    if (TTreeNode* s = n->GetNextSibling()) return s;
  return nullptr;
}

void TTreeNode::SetHasChildren(bool v) {
  if (v == FHasChildren) return;
  FHasChildren = v;
  TreeView()->Invalidate();
}

void TTreeNode::SetExpanded(bool v) { TreeView()->SetExpandedState(this, v); }

void TTreeNode::Expand(bool Recurse) {
  SetExpanded(true);
  if (!Recurse) return;
  for (int i = 0; i < Count(); ++i) Item(i)->Expand(true);
}

void TTreeNode::Collapse(bool Recurse) {
  if (Recurse)
    for (int i = 0; i < Count(); ++i) Item(i)->Collapse(true);
  SetExpanded(false);
}

bool TTreeNode::IsVisible() const {
  for (const TTreeNode* p = FParent; p; p = p->FParent)
    if (!p->FExpanded) return false;
  return true;
}

bool TTreeNode::Selected() const {
  // With several selected nodes membership counts; the focused node may be out.
  const TCustomTreeView* tv = TreeView();
  return tv->FMultiSelect ? FInSelection : tv->FSelected == this;
}

void TTreeNode::SetSelected(bool v) {
  TCustomTreeView* tv = TreeView();
  if (v) {
    tv->SetSelected(this);
  } else if (tv->FMultiSelect && FInSelection && tv->FSelected != this) {
    tv->ToggleMultiSelected(this);
  } else if (tv->FSelected == this) {
    tv->SetSelected(nullptr);
  }
}

bool TTreeNode::Focused() const { return TreeView()->FSelected == this; }

void TTreeNode::DeleteChildren() {
  TCustomTreeView* tv = TreeView();
  const bool selInside = tv->FSelected && tv->FSelected->HasAsParent(this);
  for (auto& c : FChildren) tv->NodeRemoving(c.get());
  FChildren.clear();
  FHasChildren = false;
  FExpanded = false;
  FOwner->Changed();
  if (selInside) {
    tv->FSelected = this;
    tv->Change(this);
  }
}

void TTreeNode::Delete() { FOwner->Delete(this); }

int TTreeNode::Index() const {
  const auto& sib = FOwner->SiblingsOf(FParent);
  if (FIndexHint < sib.size() && sib[FIndexHint].get() == this) return int(FIndexHint);
  for (size_t i = 0; i < sib.size(); ++i)
    if (sib[i].get() == this) {
      FIndexHint = i;
      return int(i);
    }
  return -1;
}

int TTreeNode::AbsoluteIndex() const {
  const auto& all = FOwner->Index();
  auto it = std::find(all.begin(), all.end(), this);
  return it == all.end() ? -1 : int(it - all.begin());
}

bool TTreeNode::HasAsParent(const TTreeNode* Value) const {
  for (const TTreeNode* p = FParent; p; p = p->FParent)
    if (p == Value) return true;
  return false;
}

int TTreeNode::Level() const {
  int l = 0;
  for (const TTreeNode* p = FParent; p; p = p->FParent) ++l;
  return l;
}

// --- TTreeNodes

TTreeNodes::~TTreeNodes() = default;

std::vector<std::unique_ptr<TTreeNode>>& TTreeNodes::SiblingsOf(TTreeNode* parent) {
  return parent ? parent->FChildren : FRoots;
}

TTreeNode* TTreeNodes::InsertAt(TTreeNode* parent, size_t pos, const std::string& s, void* data) {
  auto& sib = SiblingsOf(parent);
  std::unique_ptr<TTreeNode> node(new TTreeNode(this));
  node->FParent = parent;
  node->FText = s;
  node->FData = data;
  TTreeNode* raw = node.get();
  pos = std::min(pos, sib.size());
  raw->FIndexHint = pos;
  sib.insert(sib.begin() + std::ptrdiff_t(pos), std::move(node));
  Changed();
  return raw;
}

TTreeNode* TTreeNodes::Add(TTreeNode* Sibling, const std::string& S) {
  return AddObject(Sibling, S, nullptr);
}

TTreeNode* TTreeNodes::AddObject(TTreeNode* Sibling, const std::string& S, void* Ptr) {
  TTreeNode* parent = Sibling ? Sibling->FParent : nullptr;
  return InsertAt(parent, SiblingsOf(parent).size(), S, Ptr);
}

TTreeNode* TTreeNodes::AddFirst(TTreeNode* Sibling, const std::string& S) {
  return InsertAt(Sibling ? Sibling->FParent : nullptr, 0, S, nullptr);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* Parent, const std::string& S) {
  return AddChildObject(Parent, S, nullptr);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* Parent, const std::string& S, void* Ptr) {
  return InsertAt(Parent, SiblingsOf(Parent).size(), S, Ptr);
}

TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* Parent, const std::string& S) {
  return InsertAt(Parent, 0, S, nullptr);
}

TTreeNode* TTreeNodes::Insert(TTreeNode* Sibling, const std::string& S) {
  if (!Sibling) return InsertAt(nullptr, FRoots.size(), S, nullptr);
  return InsertAt(Sibling->FParent, size_t(Sibling->Index()), S, nullptr);
}

void TTreeNodes::Delete(TTreeNode* Node) {
  if (!Node || Node->FOwner != this) return;
  TCustomTreeView* tv = FOwner;
  // The selection moves to a neighbour, as the platform does.
  TTreeNode* replacement = nullptr;
  const bool selInside =
      tv->FSelected == Node || (tv->FSelected && tv->FSelected->HasAsParent(Node));
  if (selInside) {
    replacement = Node->GetNextSibling();
    if (!replacement) replacement = Node->GetPrevSibling();
    if (!replacement) replacement = Node->FParent;
  }
  tv->NodeRemoving(Node);
  auto& sib = SiblingsOf(Node->FParent);
  const int i = Node->Index();
  sib.erase(sib.begin() + i);
  Changed();
  if (selInside) {
    tv->FSelected = replacement;
    tv->Change(replacement);
  }
}

void TTreeNodes::Clear() {
  for (auto& r : FRoots) FOwner->NodeRemoving(r.get());
  FRoots.clear();
  FOwner->FSelected = nullptr;
  Changed();
}

const std::vector<TTreeNode*>& TTreeNodes::Index() const {
  if (!FIndexValid) {
    FIndex.clear();
    TTreeNode* n = FRoots.empty() ? nullptr : FRoots.front().get();
    for (; n; n = n->GetNext()) FIndex.push_back(n);
    FIndexValid = true;
  }
  return FIndex;
}

TTreeNode* TTreeNodes::GetNodeFromIndex(int i) const {
  const auto& all = Index();
  if (i < 0 || i >= int(all.size())) return nullptr;
  return all[size_t(i)];
}

TTreeNode* TTreeNodes::Root(int i) const {
  if (i < 0 || i >= RootCount()) return nullptr;
  return FRoots[size_t(i)].get();
}

void TTreeNodes::BeginUpdate() { ++FUpdateCount; }

void TTreeNodes::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) FOwner->StructureChanged();
}

void TTreeNodes::Changed() {
  FIndexValid = false;
  if (FUpdateCount == 0) FOwner->StructureChanged();
}

}  // namespace host
