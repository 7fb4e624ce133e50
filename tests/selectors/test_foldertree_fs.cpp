// The folder tree's file-system side on its own: what a scan lists and in which
// order, the path and name rules, and folder creation and removal on a real
// scratch folder.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "selectors/ZEL_FolderTree.h"
#include "tests/selectors/test_foldertree_sandbox.h"

using namespace zel;
using zeltest::TFolderSandbox;

namespace {

using Names = std::vector<std::string>;

Names NamesOf(const TFolderList& l) {
  Names n;
  for (const auto& e : l) n.push_back(e.Name);
  return n;
}

TEST(FolderScan, ListsVisibleFoldersOnlyFoldingCaseAndProbesForSubFolders) {
  TFolderSandbox box;
  ASSERT_TRUE(box.Ok());
  for (const char* d : {"Gamma", "Beta/x", "alpha/.cache", "a", "A", ".hidden/y"}) box.Dir(d);
  box.File("readme.txt");
  box.File("Gamma/only-a-file");
  TFolderList list;
  ASSERT_TRUE(ScanFolder(box.Path(), list));
  EXPECT_EQ(NamesOf(list), (Names{"A", "a", "alpha", "Beta", "Gamma"}));
  // Only Beta holds a listed folder; alpha's only sub-folder is hidden.
  for (const auto& e : list) EXPECT_EQ(e.HasSubFolders, e.Name == "Beta") << e.Name;
}

TEST(FolderScan, FollowsLinksToFoldersAndSkipsWhatCannotBeExamined) {
  TFolderSandbox box;
  ASSERT_TRUE(box.Ok());
  box.Dir("real/inner");
  std::filesystem::create_directory_symlink(box.Path("real"), box.Path("link"));
  std::filesystem::create_symlink(box.Path("nowhere"), box.Path("dangling"));
  std::filesystem::create_symlink(box.Path("loop"), box.Path("loop"));
  TFolderList list;
  ASSERT_TRUE(ScanFolder(box.Path(), list));
  EXPECT_EQ(list, (TFolderList{{"link", true}, {"real", true}}));
}

TEST(FolderScan, LeavesTheListAloneWhenThePathCannotBeRead) {
  TFolderSandbox box;
  ASSERT_TRUE(box.Ok());
  box.File("plain");
  const TFolderList before{{"kept", false}};
  TFolderList list = before;
  EXPECT_FALSE(ScanFolder(box.Path("missing"), list));
  EXPECT_FALSE(ScanFolder(box.Path("plain"), list));
  EXPECT_FALSE(ScanFolder("", list));
  EXPECT_EQ(list, before);
  // A readable empty folder is a success with an empty list.
  box.Dir("empty");
  EXPECT_TRUE(ScanFolder(box.Path("empty"), list));
  EXPECT_TRUE(list.empty());
}

TEST(FolderScan, TreatsAFolderItMayNotReadAsUnreadable) {
  // Root reads every folder whatever its mode, so denial cannot be staged here.
  if (::geteuid() == 0) GTEST_SKIP() << "running as root: permissions are not enforced";
  TFolderSandbox box;
  ASSERT_TRUE(box.Ok());
  box.Dir("locked/inside");
  ::chmod(box.Path("locked").c_str(), 0);
  TFolderList list;
  ASSERT_TRUE(ScanFolder(box.Path(), list));
  EXPECT_EQ(list, (TFolderList{{"locked", false}}));
  EXPECT_FALSE(ScanFolder(box.Path("locked"), list));
  ::chmod(box.Path("locked").c_str(), 0700);
}

TEST(FolderSort, GivesOneOrderWhateverTheOrderNamesArriveIn) {
  TFolderList list{{"b", false}, {"B", true}, {"a", false}, {"A", false}, {"_", false}};
  const Names expected{"_", "A", "a", "B", "b"};
  std::sort(list.begin(), list.end(),
            [](const TFolderEntry& x, const TFolderEntry& y) { return x.Name < y.Name; });
  do {
    TFolderList copy = list;
    SortFolderNames(copy);
    ASSERT_EQ(NamesOf(copy), expected);
    EXPECT_TRUE(copy[3].HasSubFolders);  // flags travel with their names
  } while (std::next_permutation(
      list.begin(), list.end(),
      [](const TFolderEntry& x, const TFolderEntry& y) { return x.Name < y.Name; }));
}

TEST(FolderPaths, NormalisesSeparatorsDotsAndRelativePaths) {
  EXPECT_EQ(NormalizeFolderPath("/a//b/./c/../"), "/a/b/");
  EXPECT_EQ(NormalizeFolderPath("/a/b"), "/a/b/");
  EXPECT_EQ(NormalizeFolderPath("/../.."), "/");
  EXPECT_EQ(NormalizeFolderPath("/../x"), "/x/");
  EXPECT_EQ(NormalizeFolderPath("/"), "/");
  EXPECT_EQ(NormalizeFolderPath(""), "");
  const std::string cwd = std::filesystem::current_path().string();
  EXPECT_EQ(NormalizeFolderPath("sub/.."), cwd == "/" ? "/" : cwd + "/");
}

TEST(FolderNames, SplitsNestedNamesAndStripsOuterSeparators) {
  std::vector<std::string> parts;
  ASSERT_TRUE(SplitSubFolderName("a/b", parts));
  EXPECT_EQ(parts, (Names{"a", "b"}));
  ASSERT_TRUE(SplitSubFolderName("/tmp/x/", parts));
  EXPECT_EQ(parts, (Names{"tmp", "x"}));
  ASSERT_TRUE(SplitSubFolderName("\\run\\\\01", parts));
  EXPECT_EQ(parts, (Names{"run", "01"}));
  ASSERT_TRUE(SplitSubFolderName("Messung 3 (ä)", parts));
  EXPECT_EQ(parts, (Names{"Messung 3 (ä)"}));
}

TEST(FolderNames, RefusesNamesThatLeaveTheFolderOrCannotBeShown) {
  const Names refused{"../x", "a/../../x", "..", "x|y", "a\tb",    "x\"y",  "<x",
                      "x>",   "",          "/",  "\\/", ".hidden", "a/./b", std::string("a\0b", 3)};
  for (const std::string& bad : refused) {
    std::vector<std::string> parts{"untouched"};
    EXPECT_FALSE(SplitSubFolderName(bad, parts)) << bad;
    EXPECT_EQ(parts, (Names{"untouched"})) << bad;
  }
}

TEST(FolderChanges, CreatesMissingParentsAndAcceptsAnExistingFolder) {
  TFolderSandbox box;
  ASSERT_TRUE(box.Ok());
  EXPECT_TRUE(CreateFolderPath(box.Path("a/b/c/")));
  EXPECT_TRUE(std::filesystem::is_directory(box.Path("a/b/c")));
  EXPECT_TRUE(CreateFolderPath(box.Path("a/b")));
  box.File("plain");
  EXPECT_FALSE(CreateFolderPath(box.Path("plain")));
  EXPECT_FALSE(CreateFolderPath(box.Path("plain/sub")));
}

TEST(FolderChanges, RemovesOnlyEmptyRealFolders) {
  TFolderSandbox box;
  ASSERT_TRUE(box.Ok());
  box.Dir("full/child");
  box.Dir("target");
  box.File("plain");
  std::filesystem::create_directory_symlink(box.Path("target"), box.Path("link"));
  box.Dir("empty");
  const auto before = box.Listing();
  EXPECT_FALSE(RemoveEmptyFolder(box.Path("full/")));
  EXPECT_FALSE(RemoveEmptyFolder(box.Path("link/")));
  EXPECT_FALSE(RemoveEmptyFolder(box.Path("plain")));
  EXPECT_FALSE(RemoveEmptyFolder(box.Path("missing/")));
  EXPECT_EQ(box.Listing(), before);
  EXPECT_TRUE(RemoveEmptyFolder(box.Path("empty/")));
  EXPECT_FALSE(box.Exists("empty"));
}

}  // namespace
