/// @file
/// TFolderTree: a read-only tree of the file system's folders, read lazily.
///
/// The tree starts as the root "/" with one placeholder child ("Child") so the
/// root shows an expand button. Expanding a node reads its folder once: the
/// placeholder goes, one node per sub-folder comes (sorted, each with its own
/// placeholder when it has sub-folders in turn) and the node carries the loaded
/// marker in its Data until the tree is rebuilt. Nothing below a folder is read
/// before it is expanded, except the probe that stops at its first sub-folder.
///
/// The current directory is the path of the selected folder, always ending in
/// "/". It changes through Reset, a selection change and RefreshTree, and
/// OnDirChanged reports each change once.
///
/// Folders whose names start with "." are hidden: they are neither listed nor
/// counted by the has-sub-folders probe, and MakeSubFolder refuses to create
/// them (they would vanish from the tree they were made in).
///
/// Names on this system are case-sensitive. The listing order folds case
/// (alpha, Beta, Gamma) and puts names that differ only in case in byte order
/// ("A" before "a"); paths are matched exactly, and folded only when no node
/// matches exactly (a case-insensitive volume reached through a differently
/// written path).
///
/// Every file-system call goes through std::filesystem with error codes: a
/// folder that cannot be read lists as empty, and an operation that fails
/// returns false. Nothing here throws for a file-system failure.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "host/widgets/TreeView.h"

namespace zel {

// --- the file system as the tree sees it (ZEL_FolderTree_fs.cpp)

/// One sub-folder found by the folder scan.
struct TFolderEntry {
  std::string Name;            ///< the folder's name, without a path
  bool HasSubFolders = false;  ///< it holds at least one listed folder itself
  bool operator==(const TFolderEntry&) const = default;  ///< same name and flag
};
/// The sub-folders of one folder, sorted by name.
using TFolderList = std::vector<TFolderEntry>;

/// Negative, zero or positive as a sorts before, with or after b when ASCII
/// letters are folded to lower case (other bytes compare as they are).
int CompareFolded(const std::string& a, const std::string& b);
/// True for a name the tree lists: not empty and not starting with ".".
bool IsListedFolderName(const std::string& Name);
/// Orders the list as the tree shows it: by name with ASCII letters folded,
/// and names equal when folded in byte order. The sort is stable.
void SortFolderNames(TFolderList& List);
/// Reads the listed sub-folders of Path (with or without a trailing "/"), probes
/// each for sub-folders of its own and sorts them. False, with List untouched,
/// when Path cannot be read; otherwise List is replaced.
bool ScanFolder(const std::string& Path, TFolderList& List);
/// Path made absolute (against the process's working folder), with "." and ".."
/// resolved and repeated separators merged, ending in "/". "" for an empty path
/// or when the working folder is unknown.
std::string NormalizeFolderPath(const std::string& Path);
/// Splits the name of a new sub-folder into its components. Backslashes count as
/// separators too, and separators at either end or repeated are dropped, so
/// "/tmp/x" gives {"tmp", "x"}. False (Parts untouched) for a name that is empty
/// after that, holds a control character or one of " < > |, or has a component
/// that starts with "." (which covers "." and "..", so nothing can be created
/// outside the folder the name is appended to).
bool SplitSubFolderName(const std::string& FolderName, std::vector<std::string>& Parts);
/// Creates Path with every missing parent. True when Path is a folder afterwards
/// (also when it already was one).
bool CreateFolderPath(const std::string& Path);
/// Removes the folder Path when it is empty. False for a non-empty folder, a
/// symbolic link, a file, a missing path or any other failure.
bool RemoveEmptyFolder(const std::string& Path);

// --- the control (ZEL_FolderTree.cpp)

/// A read-only tree of the file system's folders, read lazily as nodes expand.
class TFolderTree : public host::TCustomTreeView {
 public:
  /// The Data of a node whose sub-folders have been read.
  static constexpr uintptr_t kLoadedMarker = 0xA5F016ED;
  /// The text of the placeholder child of a node not read yet.
  static constexpr const char* kPlaceholder = "Child";
  static constexpr const char* kRoot = "/";  ///< the text and path of the root node

  /// Creates the control with its defaults; AOwner frees it.
  explicit TFolderTree(host::TComponent* AOwner);

  /// Path of the selected folder, ending in "/"; "" before the window exists.
  const std::string& CurrentDir() const { return FCurrentDir; }
  /// The current directory becomes the root, the tree is rebuilt and collapsed.
  void Reset();
  /// The folder path a node stands for, ending in "/"; "" for no node.
  std::string PathOfNode(host::TTreeNode* Node) const;
  /// False when Path is no folder; otherwise DirList holds its sub-folders and
  /// the result says whether there is at least one.
  bool GetSubDirs(const std::string& Path, TFolderList& DirList) const;
  /// The same for the folder of Node; false for no node.
  bool GetSubDirs(host::TTreeNode* Node, TFolderList& DirList) const;
  /// The folder scan (ScanFolder); List is left as it was when Path cannot be read.
  void LoadDirNamesAndSort(const std::string& Path, TFolderList& List) const;
  /// Rebuilds the tree, reads the folders along Path and selects the deepest
  /// node found. True only when every component of the (normalised) path had a
  /// node and that node is now selected; a path through a hidden folder selects
  /// the last listed folder on the way and gives false.
  bool SelectPath(const std::string& Path);
  /// Re-reads the tree at the current directory, or at its nearest existing
  /// ancestor when it has gone; OnDirChanged fires once when the directory moved.
  void RefreshTree();
  /// Creates FolderName (components separated by "/") inside the selected folder
  /// and selects it. An existing folder is selected too. False when nothing is
  /// selected, the selected folder is gone, the name is refused
  /// (SplitSubFolderName) or the folder cannot be created or selected.
  bool MakeSubFolder(const std::string& FolderName);
  /// Removes the selected folder when it is empty and selects its parent. False
  /// for no selection, the root, a folder that is not empty or any failure.
  bool RemoveSelectedFolder();

  ///@{
  /// Classic tree look (true) or the platform's explorer look.
  bool OldTreeStyle() const { return FOldTreeStyle; }
  void SetOldTreeStyle(bool v);
  ///@}
  ///@{
  /// Raised when the selected folder (CurrentDir) changes.
  const host::TNotifyEvent& OnDirChanged() const { return FOnDirChanged; }
  void SetOnDirChanged(host::TNotifyEvent e) { FOnDirChanged = std::move(e); }
  ///@}
  /// The tree answers expansion itself; the event is not the application's.
  void SetOnExpanding(host::TTVExpandingEvent) = delete;

  /// The colour shown while enabled; a disabled tree shows clBtnFace.
  void SetColor(host::TColor c) override;
  /// A disabled tree shows clBtnFace instead of its colour, which comes back when
  /// enabled again.
  void SetEnabled(bool e) override;
  /// The class name, for the host's streaming and type checks.
  std::string ClassName() const override { return "TFolderTree"; }

 protected:
  /// The host control's paint, input and notification handlers, as
  /// this control answers them.
  ///@{
  bool CanExpand(host::TTreeNode* Node) override;
  void Change(host::TTreeNode* Node) override;
  void CreateWnd() override;
  void Loaded() override;
  ///@}

 private:
  std::string FCurrentDir;
  host::TColor FSavedColor;
  bool FOldTreeStyle = true;
  int FDirEventsHeld = 0;  // RefreshTree reports its outcome once, at the end
  host::TNotifyEvent FOnDirChanged;

  void BuildTree();
  // Reads a node's folder unless it carries the loaded marker.
  void LoadNode(host::TTreeNode* Node);
  host::TTreeNode* FindChild(host::TTreeNode* Parent, const std::string& Name) const;
  void ApplyTheme();
  void DirChanged(const std::string& Before);
};

}  // namespace zel
