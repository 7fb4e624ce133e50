// The folder tree: construction, the lazy reading of folders on expansion,
// selection by path, creating and removing folders, and the colour and look
// properties.
#include "selectors/ZEL_FolderTree.h"

#include "foundation/Zel_filesys.h"
#include "foundation/Zel_stringl.h"
#include "host/ui/Forms.h"

namespace zel {

using host::TTreeNode;

namespace {

void* LoadedMarker() { return reinterpret_cast<void*>(TFolderTree::kLoadedMarker); }

// The hourglass for as long as a folder is being read.
class TBusyCursor {
 public:
  TBusyCursor() : FSaved(host::Screen->Cursor()) { host::Screen->SetCursor(host::crHourGlass); }
  ~TBusyCursor() { host::Screen->SetCursor(FSaved); }
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;

 private:
  host::TCursor FSaved;
};

}  // namespace

TFolderTree::TFolderTree(host::TComponent* AOwner) : host::TCustomTreeView(AOwner) {
  SetMultiSelect(false);
  SetReadOnly(true);
  SetDoubleBuffered(true);
  // Until a form's loading sets it, the colour to come back to is the default.
  FSavedColor = Color();
}

// --- window, loading and look

void TFolderTree::CreateWnd() {
  host::TCustomTreeView::CreateWnd();
  if (FOldTreeStyle) ApplyTheme();
  Reset();
}

void TFolderTree::Loaded() {
  host::TCustomTreeView::Loaded();
  // A stored black means "never set" in older forms: show a white tree.
  if (Color() == host::clBlack) SetColor(host::clWhite);
  FSavedColor = Color();
  FullCollapse();
}

void TFolderTree::ApplyTheme() {
  if (HandleAllocated()) host::SetWindowTheme(Handle(), "", FOldTreeStyle ? "" : "Explorer");
}

void TFolderTree::SetOldTreeStyle(bool v) {
  if (v == FOldTreeStyle) return;
  FOldTreeStyle = v;
  ApplyTheme();
}

void TFolderTree::SetColor(host::TColor c) {
  FSavedColor = c;
  host::TCustomTreeView::SetColor(c);
}

void TFolderTree::SetEnabled(bool e) {
  host::TCustomTreeView::SetColor(e ? FSavedColor : host::clBtnFace);
  host::TCustomTreeView::SetEnabled(e);
}

// --- the tree and its lazy reading

void TFolderTree::BuildTree() {
  host::TTreeNodes* items = Items();
  items->Clear();
  TTreeNode* root = items->Add(nullptr, kRoot);
  items->AddChild(root, kPlaceholder);
}

void TFolderTree::Reset() {
  const std::string before = FCurrentDir;
  FCurrentDir = kRoot;
  BuildTree();
  FullCollapse();
  DirChanged(before);
}

std::string TFolderTree::PathOfNode(TTreeNode* Node) const {
  if (!Node) return "";
  std::string path = Node->Text();
  for (TTreeNode* p = Node->Parent(); p; p = p->Parent())
    path = EnsureTrailingBkSlash(p->Text()) + path;
  return EnsureTrailingBkSlash(path);
}

void TFolderTree::LoadDirNamesAndSort(const std::string& Path, TFolderList& List) const {
  ScanFolder(Path, List);
}

bool TFolderTree::GetSubDirs(const std::string& Path, TFolderList& DirList) const {
  if (!DirExists(Path)) return false;
  LoadDirNamesAndSort(Path, DirList);
  return !DirList.empty();
}

bool TFolderTree::GetSubDirs(TTreeNode* Node, TFolderList& DirList) const {
  return Node && GetSubDirs(PathOfNode(Node), DirList);
}

void TFolderTree::LoadNode(TTreeNode* Node) {
  if (Node->Data() == LoadedMarker()) return;
  TBusyCursor busy;
  TFolderList names;
  LoadDirNamesAndSort(PathOfNode(Node), names);
  host::TTreeNodes* items = Items();
  // One repaint for the whole branch, however many folders it holds.
  items->BeginUpdate();
  Node->DeleteChildren();
  if (!names.empty()) Node->SetData(LoadedMarker());
  for (const TFolderEntry& e : names) {
    TTreeNode* child = items->AddChild(Node, e.Name);
    if (e.HasSubFolders) items->AddChild(child, kPlaceholder);
  }
  items->EndUpdate();
}

bool TFolderTree::CanExpand(TTreeNode* Node) {
  if (!(ComponentState() & host::csDesigning)) LoadNode(Node);
  return true;
}

// --- selection and the current directory

void TFolderTree::DirChanged(const std::string& Before) {
  if (FCurrentDir != Before && FDirEventsHeld == 0 && FOnDirChanged) FOnDirChanged(this);
}

void TFolderTree::Change(TTreeNode* Node) {
  Click();
  const std::string before = FCurrentDir;
  if (TTreeNode* sel = Selected()) FCurrentDir = PathOfNode(sel);
  host::TCustomTreeView::Change(Node);
  DirChanged(before);
}

TTreeNode* TFolderTree::FindChild(TTreeNode* Parent, const std::string& Name) const {
  for (int i = 0; i < Parent->Count(); ++i)
    if (Parent->Item(i)->Text() == Name) return Parent->Item(i);
  for (int i = 0; i < Parent->Count(); ++i)
    if (CompareFolded(Parent->Item(i)->Text(), Name) == 0) return Parent->Item(i);
  return nullptr;
}

bool TFolderTree::SelectPath(const std::string& Path) {
  // The window's creation resets the tree: it must come first, or it would
  // undo a selection made by a program before the control was first shown.
  HandleNeeded();
  const std::string path = NormalizeFolderPath(Path);
  if (path.empty() || !DirExists(path)) return false;
  BuildTree();
  TTreeNode* node = Items()->Root(0);
  std::vector<std::string> parts;
  Tokenize(path, "/", parts);
  bool whole = true;
  for (size_t i = 0;; ++i) {
    LoadNode(node);
    node->Expand(false);
    if (i == parts.size()) break;
    TTreeNode* child = FindChild(node, parts[i]);
    if (!child) {
      whole = false;
      break;
    }
    node = child;
  }
  SetSelected(node);
  if (CanFocus()) SetFocus();
  return whole && Selected() == node;
}

void TFolderTree::RefreshTree() {
  HandleNeeded();
  const std::string before = FCurrentDir;
  {
    // The climb may select several folders on the way; only its end counts.
    ++FDirEventsHeld;
    struct TRelease {
      int& n;
      ~TRelease() { --n; }
    } release{FDirEventsHeld};
    std::string dir = FCurrentDir;
    while (!dir.empty() && !SelectPath(dir)) dir = ParentDir(dir);
  }
  DirChanged(before);
}

// --- creating and removing folders

bool TFolderTree::MakeSubFolder(const std::string& FolderName) {
  TTreeNode* sel = Selected();
  std::vector<std::string> parts;
  if (!sel || !SplitSubFolderName(FolderName, parts)) return false;
  const std::string base = PathOfNode(sel);
  // A selected folder deleted meanwhile is not brought back as a side effect.
  if (!DirExists(base)) return false;
  std::string target = base;
  for (const std::string& p : parts) target += p + "/";
  return CreateFolderPath(target) && SelectPath(target);
}

bool TFolderTree::RemoveSelectedFolder() {
  TTreeNode* sel = Selected();
  if (!sel || !sel->Parent()) return false;
  TTreeNode* parent = sel->Parent();
  const std::string parentPath = PathOfNode(parent);
  const bool removed = RemoveEmptyFolder(PathOfNode(sel));
  if (removed) parent->SetData(nullptr);
  host::Application->ProcessMessages();
  if (removed) SelectPath(parentPath);
  return removed;
}

}  // namespace zel
