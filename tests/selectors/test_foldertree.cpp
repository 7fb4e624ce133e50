// The folder tree on a form over a scratch folder: lazy reading, selection by
// path, creating and removing folders, refreshing after changes made outside,
// events and colours.
#include <filesystem>

#include "selectors/ZEL_FolderTree.h"
#include "tests/selectors/test_foldertree_sandbox.h"
#include "tests/support/Headless.h"

using namespace host;
using namespace zel;
using namespace zeltest;

namespace {

using Names = std::vector<std::string>;

class FolderTree : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    ASSERT_TRUE(Box.Ok());
    for (const char* d : {"Beta/x", "alpha", "Gamma", "Data", "data", ".hidden/inner"}) Box.Dir(d);
    Box.File("Gamma/notes.txt");
    Form()->SetBounds(0, 0, 300, 400);
    T = Make<TFolderTree>(0, 0, 300, 400);
    T->SetOnDirChanged([this](TObject*) { Log.push_back("dir:" + T->CurrentDir()); });
  }
  static Names Children(TTreeNode* n) {
    Names names;
    for (int i = 0; i < n->Count(); ++i) names.push_back(n->Item(i)->Text());
    return names;
  }
  // The node of a path below the sandbox, as the tree has it now.
  TTreeNode* NodeOf(const std::string& rel) {
    for (int i = 0; i < T->Items()->Count(); ++i)
      if (T->PathOfNode(T->Items()->Item(i)) == Box.Path(rel)) return T->Items()->Item(i);
    return nullptr;
  }
  TFolderSandbox Box;
  TFolderTree* T = nullptr;
  Names Log;
};

TEST_F(FolderTree, StartsAtTheRootWithOnlyAPlaceholderRead) {
  EXPECT_EQ(T->CurrentDir(), "/");
  ASSERT_EQ(T->Items()->Count(), 2);
  TTreeNode* root = T->Items()->Item(0);
  EXPECT_EQ(root->Text(), "/");
  EXPECT_EQ(Children(root), (Names{"Child"}));
  EXPECT_EQ(root->Data(), nullptr);
  EXPECT_EQ(T->PathOfNode(root), "/");
  EXPECT_TRUE(T->ReadOnly());
  EXPECT_FALSE(T->MultiSelect());
}

TEST_F(FolderTree, ListsSubFoldersInOrderAndShowsButtonsOnlyWhereFoldersAre) {
  ASSERT_TRUE(T->SelectPath(Box.Path()));
  TTreeNode* sandbox = T->Selected();
  EXPECT_EQ(Children(sandbox), (Names{"alpha", "Beta", "Data", "data", "Gamma"}));
  EXPECT_EQ(sandbox->Data(), reinterpret_cast<void*>(TFolderTree::kLoadedMarker));
  EXPECT_EQ(Children(NodeOf("Beta/")), (Names{"Child"}));
  EXPECT_FALSE(NodeOf("Gamma/")->HasChildren());  // only a file inside
  EXPECT_FALSE(NodeOf("alpha/")->HasChildren());
}

TEST_F(FolderTree, GetSubDirsSaysWhetherAFolderHoldsListedFolders) {
  TFolderList list;
  EXPECT_TRUE(T->GetSubDirs(Box.Path(), list));
  EXPECT_EQ(list.size(), 5u);
  EXPECT_FALSE(T->GetSubDirs(Box.Path("Gamma"), list));
  EXPECT_TRUE(list.empty());
  list = {{"kept", false}};
  EXPECT_FALSE(T->GetSubDirs(Box.Path("Gamma/notes.txt"), list));
  EXPECT_FALSE(T->GetSubDirs(nullptr, list));
  EXPECT_EQ(list, (TFolderList{{"kept", false}}));
  ASSERT_TRUE(T->SelectPath(Box.Path()));
  EXPECT_TRUE(T->GetSubDirs(NodeOf("Beta/"), list));
  EXPECT_EQ(list, (TFolderList{{"x", false}}));
}

TEST_F(FolderTree, ReadsAFolderOnlyWhenItIsExpanded) {
  ASSERT_TRUE(T->SelectPath(Box.Path()));
  TTreeNode* beta = NodeOf("Beta/");
  // Made after the listing: it shows, so Beta had not been read before.
  Box.Dir("Beta/late");
  beta->Expand(false);
  EXPECT_EQ(Children(beta), (Names{"late", "x"}));
  // Once read, a folder is not read again until the tree is rebuilt.
  Box.Dir("Beta/later");
  beta->Collapse(false);
  beta->Expand(false);
  EXPECT_EQ(Children(beta), (Names{"late", "x"}));
}

TEST_F(FolderTree, ExpandingAFolderThatWentAwayShowsNothingAndKeepsGoing) {
  ASSERT_TRUE(T->SelectPath(Box.Path()));
  TTreeNode* beta = NodeOf("Beta/");
  std::filesystem::remove_all(Box.Path("Beta"));
  beta->Expand(false);
  EXPECT_EQ(beta->Count(), 0);
  EXPECT_FALSE(beta->HasChildren());
  EXPECT_FALSE(beta->Expanded());
}

TEST_F(FolderTree, SelectPathNormalisesAndReportsTheWholePathFound) {
  EXPECT_TRUE(T->SelectPath(Box.Path("Beta//./x/../x")));
  EXPECT_EQ(T->CurrentDir(), Box.Path("Beta/x/"));
  EXPECT_EQ(T->Selected()->Text(), "x");
  EXPECT_TRUE(T->Focused());
  // A hidden folder has no node: the walk stops above it and says so.
  EXPECT_FALSE(T->SelectPath(Box.Path(".hidden/inner")));
  EXPECT_EQ(T->CurrentDir(), Box.Path());
  // A path that does not exist changes nothing.
  EXPECT_FALSE(T->SelectPath(Box.Path("missing")));
  EXPECT_FALSE(T->SelectPath(""));
  EXPECT_EQ(T->CurrentDir(), Box.Path());
}

TEST_F(FolderTree, ASelectionMadeBeforeTheTreeIsShownSurvivesShowing) {
  auto* early = new TFolderTree(Form());
  ASSERT_TRUE(early->SelectPath(Box.Path("Beta")));
  early->SetParent(Form());
  early->SetBounds(0, 0, 100, 100);
  Pump();
  EXPECT_EQ(early->CurrentDir(), Box.Path("Beta/"));
  EXPECT_EQ(early->Selected()->Text(), "Beta");
}

TEST_F(FolderTree, ActsOnTheFolderNamedNotOnOneDifferingInCase) {
  ASSERT_TRUE(T->SelectPath(Box.Path("data")));
  EXPECT_EQ(T->Selected()->Text(), "data");
  ASSERT_TRUE(T->SelectPath(Box.Path("Data")));
  EXPECT_EQ(T->Selected()->Text(), "Data");
  EXPECT_TRUE(T->RemoveSelectedFolder());
  EXPECT_FALSE(Box.Exists("Data"));
  EXPECT_TRUE(Box.Exists("data"));
}

TEST_F(FolderTree, MakeSubFolderCreatesNestedFoldersAndSelectsTheLast) {
  ASSERT_TRUE(T->SelectPath(Box.Path("alpha")));
  EXPECT_TRUE(T->MakeSubFolder("a/b"));
  EXPECT_TRUE(std::filesystem::is_directory(Box.Path("alpha/a/b")));
  EXPECT_EQ(T->CurrentDir(), Box.Path("alpha/a/b/"));
  // A rooted name is taken inside the selected folder, not at the disk's root.
  ASSERT_TRUE(T->SelectPath(Box.Path("alpha")));
  EXPECT_TRUE(T->MakeSubFolder("/tmp/x"));
  EXPECT_TRUE(std::filesystem::is_directory(Box.Path("alpha/tmp/x")));
  EXPECT_EQ(T->CurrentDir(), Box.Path("alpha/tmp/x/"));
}

TEST_F(FolderTree, MakeSubFolderSelectsAnExistingFolderAsSuccess) {
  ASSERT_TRUE(T->SelectPath(Box.Path()));
  const auto before = Box.Listing();
  EXPECT_TRUE(T->MakeSubFolder("Beta/x"));
  EXPECT_EQ(T->CurrentDir(), Box.Path("Beta/x/"));
  EXPECT_EQ(Box.Listing(), before);
}

TEST_F(FolderTree, MakeSubFolderRefusesNamesAndCreatesNothing) {
  ASSERT_TRUE(T->SelectPath(Box.Path("Beta/x")));
  const auto before = Box.Listing();
  for (const char* bad : {"../x", "a/../../x", "x|y", "a\tb", "", "//", ".secret"})
    EXPECT_FALSE(T->MakeSubFolder(bad)) << bad;
  EXPECT_EQ(Box.Listing(), before);
  EXPECT_EQ(T->CurrentDir(), Box.Path("Beta/x/"));
  // A file in the way is a failure, not a success.
  Box.File("Beta/x/plain");
  EXPECT_FALSE(T->MakeSubFolder("plain/sub"));
}

TEST_F(FolderTree, MakeSubFolderNeedsASelectedFolderThatStillExists) {
  T->Reset();
  EXPECT_FALSE(T->MakeSubFolder("new"));
  ASSERT_TRUE(T->SelectPath(Box.Path("alpha")));
  std::filesystem::remove(Box.Path("alpha"));
  EXPECT_FALSE(T->MakeSubFolder("new"));
  EXPECT_FALSE(Box.Exists("alpha"));
}

TEST_F(FolderTree, RemoveSelectedFolderRemovesOnlyEmptyFoldersBelowTheRoot) {
  T->Reset();
  EXPECT_FALSE(T->RemoveSelectedFolder());  // nothing selected
  ASSERT_TRUE(T->SelectPath("/"));
  EXPECT_FALSE(T->RemoveSelectedFolder());  // the root
  ASSERT_TRUE(T->SelectPath(Box.Path("Beta")));
  const auto before = Box.Listing();
  EXPECT_FALSE(T->RemoveSelectedFolder());  // not empty
  EXPECT_EQ(Box.Listing(), before);
  EXPECT_EQ(T->CurrentDir(), Box.Path("Beta/"));
  ASSERT_TRUE(T->SelectPath(Box.Path("Beta/x")));
  EXPECT_TRUE(T->RemoveSelectedFolder());
  EXPECT_FALSE(Box.Exists("Beta/x"));
  EXPECT_EQ(T->CurrentDir(), Box.Path("Beta/"));
  EXPECT_EQ(T->Selected()->Count(), 0);
}

TEST_F(FolderTree, RefreshTreeClimbsToTheNearestFolderLeftAndReportsOnce) {
  ASSERT_TRUE(T->SelectPath(Box.Path("Beta/x")));
  std::filesystem::remove_all(Box.Path("Beta"));
  Log.clear();
  T->RefreshTree();
  EXPECT_EQ(T->CurrentDir(), Box.Path());
  EXPECT_EQ(Log, (Names{"dir:" + Box.Path()}));
}

TEST_F(FolderTree, RefreshTreeShowsFoldersMadeOutsideAndStaysPut) {
  ASSERT_TRUE(T->SelectPath(Box.Path()));
  Box.Dir("Delta");
  Log.clear();
  T->RefreshTree();
  EXPECT_EQ(Children(T->Selected()), (Names{"alpha", "Beta", "Data", "data", "Delta", "Gamma"}));
  EXPECT_TRUE(Log.empty());
}

TEST_F(FolderTree, ClickingAFolderReportsClickChangeAndThenTheNewDirectory) {
  ASSERT_TRUE(T->SelectPath(Box.Path()));
  T->SetOnClick([this](TObject*) { Log.push_back("click"); });
  T->SetOnChange([this](TObject*, TTreeNode* n) { Log.push_back("change:" + n->Text()); });
  Log.clear();
  TTreeNode* beta = NodeOf("Beta/");
  T->SetTopItem(beta);  // this machine's other folders may fill the view
  const TRect r = T->NodeRect(beta, true);
  Click(static_cast<TControl*>(T), r.Left + 3, (r.Top + r.Bottom) / 2);
  ASSERT_GE(Log.size(), 3u);
  EXPECT_EQ(Names(Log.begin(), Log.begin() + 3),
            (Names{"click", "change:Beta", "dir:" + Box.Path("Beta/")}));
  // Selecting the same folder again is no change of directory.
  Log.clear();
  ASSERT_TRUE(T->SelectPath(Box.Path("Beta")));
  EXPECT_EQ(std::count(Log.begin(), Log.end(), "dir:" + Box.Path("Beta/")), 0);
}

TEST_F(FolderTree, ResetGoesBackToTheRootAndReportsTheChange) {
  ASSERT_TRUE(T->SelectPath(Box.Path()));
  Log.clear();
  T->Reset();
  EXPECT_EQ(T->CurrentDir(), "/");
  EXPECT_EQ(T->Items()->Count(), 2);
  EXPECT_EQ(Log, (Names{"dir:/"}));
  T->Reset();
  EXPECT_EQ(Log.size(), 1u);
}

TEST_F(FolderTree, DisablingShowsButtonFaceAndEnablingRestoresTheColour) {
  // Created at run time, never loaded: re-enabling brings back the default.
  const TColor initial = T->Color();
  T->SetEnabled(false);
  EXPECT_EQ(T->Color(), clBtnFace);
  T->SetEnabled(true);
  EXPECT_EQ(T->Color(), initial);
  T->SetColor(clYellow);
  T->SetEnabled(false);
  T->SetEnabled(true);
  EXPECT_EQ(T->Color(), clYellow);
}

TEST_F(FolderTree, ABlackColourStoredInAFormLoadsAsWhite) {
  auto* loaded = new TFolderTree(Form());
  loaded->BeginLoading();
  loaded->SetColor(clBlack);
  loaded->EndLoading();
  EXPECT_EQ(loaded->Color(), clWhite);
  loaded->SetEnabled(false);
  loaded->SetEnabled(true);
  EXPECT_EQ(loaded->Color(), clWhite);
}

}  // namespace
