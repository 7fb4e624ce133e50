// The folder tree's band on the "Selectors" page: a tree of the whole disk,
// opened at a small demo folder the gallery makes in the temp folder, with
// buttons that create a folder (named in the edit box beside them) inside the
// selected one and remove the selected folder when it is empty.
//
// Headless, the picture must be the same on every machine, so the tree keeps
// only the nodes on the way to the demo folder and the demo folders themselves:
// the rest of the disk (and whatever else lives in the temp folder) is cut away.
#include <filesystem>
#include <string>
#include <vector>

#include "apps/gallery/Pages.h"
#include "host/backend/Backend.h"
#include "selectors/ZEL_FolderTree.h"

namespace {

using namespace host;
using gallery::Add;
using gallery::Caption;

namespace fs = std::filesystem;

// The demo folders, below the demo root.
const char* const kDemoFolders[] = {"measurements/2026/run-01", "measurements/2026/run-02",
                                    "measurements/2025/run-17", "calibration/probe-A",
                                    "calibration/probe-b",      "reports"};

std::string DemoRoot() {
  std::error_code ec;
  fs::path tmp = fs::temp_directory_path(ec);
  if (ec) tmp = "/tmp";
  return (tmp / "zel-gallery-folders").string() + "/";
}

// Makes the folders that are missing; folders made by earlier sessions stay.
void MakeDemoFolders(const std::string& root) {
  for (const char* d : kDemoFolders) zel::CreateFolderPath(root + d);
}

// True when the node lies on the way to the demo root, or is one of its demo
// folders (or the placeholder that gives one its expand button).
bool KeptForPicture(zel::TFolderTree* tree, TTreeNode* node, const std::string& root) {
  if (node->Text() == zel::TFolderTree::kPlaceholder) return true;
  const std::string path = tree->PathOfNode(node);
  if (root.compare(0, path.size(), path) == 0) return true;
  for (const char* d : kDemoFolders) {
    const std::string demo = root + d + "/";
    if (demo.compare(0, path.size(), path) == 0) return true;
  }
  return false;
}

void PruneForPicture(zel::TFolderTree* tree, TTreeNode* node, const std::string& root) {
  for (int i = node->Count() - 1; i >= 0; --i) {
    TTreeNode* child = node->Item(i);
    if (KeptForPicture(tree, child, root))
      PruneForPicture(tree, child, root);
    else
      child->Delete();
  }
}

class TFolderBand {
 public:
  explicit TFolderBand(TWinControl* p) : P(p), FRoot(DemoRoot()) {}

  void Build() {
    Caption(P, 16, 8, "Folder tree")->Font()->SetStyle(fsBold);
    FTree = Add<zel::TFolderTree>(P, 16, 30, 320, 260);
    FTree->SetHideSelection(false);  // the selection shows while the buttons have the focus
    // Wide enough for a deep path: an auto-sized label would be cut at the
    // band's edge, which is set by what the page holds when it is built.
    FStatus = Caption(P, 350, 150, "");
    FStatus->SetAutoSize(false);
    FStatus->SetBounds(350, 150, 700, 17);
    FStatus->Font()->SetColor(clNavy);
    FTree->SetOnDirChanged([status = FStatus, tree = FTree](TObject*) {
      status->SetCaption("Selected: " + tree->CurrentDir());
    });
    Buttons();
    MakeDemoFolders(FRoot);
    FTree->SelectPath(FRoot + "measurements/2026");
    if (CurrentBackend().Name() == "headless") {
      PruneForPicture(FTree, FTree->Items()->Item(0), FRoot);
      FStatus->SetCaption("Selected: <temp>/zel-gallery-folders/measurements/2026/");
    }
  }

 private:
  TWinControl* P;
  std::string FRoot;
  zel::TFolderTree* FTree = nullptr;
  TLabel* FStatus = nullptr;

  void Buttons() {
    Caption(P, 350, 34, "Name of the new folder (a/b makes two):");
    auto* name = Add<TEdit>(P, 350, 54, 200, 23);
    name->SetText("run-03");
    auto* make = Add<TButton>(P, 560, 53, 100, 25);
    make->SetCaption("New folder");
    auto* remove = Add<TButton>(P, 560, 90, 100, 25);
    remove->SetCaption("Remove");
    Caption(P, 350, 120, "Remove takes away the selected folder if it is empty.");
    make->SetOnClick([tree = FTree, name, status = FStatus](TObject*) {
      if (!tree->MakeSubFolder(name->Text()))
        status->SetCaption("Could not create \"" + name->Text() + "\" here.");
    });
    remove->SetOnClick([tree = FTree, status = FStatus](TObject*) {
      const std::string dir = tree->CurrentDir();
      if (!tree->RemoveSelectedFolder())
        status->SetCaption("Could not remove " + dir + " (the root, or not empty).");
    });
  }
};

const bool registered =
    gallery::RegisterPage({"Selectors", [](TWinControl* parent) { TFolderBand(parent).Build(); }});

}  // namespace
