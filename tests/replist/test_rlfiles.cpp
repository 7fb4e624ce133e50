#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "replist/ZEL_replist.h"
#include "tests/support/Bounded.h"

using namespace zel;
namespace fs = std::filesystem;

namespace {

// A fresh folder per test, removed afterwards.
class RLFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("zel_rlfiles_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  size_t FilesInDir() const {
    return size_t(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
  }
  fs::path dir_;
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// Texts that break naive writers and readers.
const std::vector<std::string>& HostileTexts() {
  static const std::vector<std::string> texts = {
      "plain",
      "quote \" and 'apostrophe'",
      "comma, semicolon; tab\there",
      "line\nbreak and\r\nCRLF and lone\rCR",
      "<b>markup</b> & <replist tamarisk id=\"x\"> </replist>",
      "   ",
      " leading and trailing ",
      "Grüße, 日本語, emoji \xF0\x9F\x98\x80",
      "control \x01\x1F chars",
      std::string(255, 'x'),
      "\"",
      "",
  };
  return texts;
}

// A table holding every hostile text in a check column, a plain column and the
// hidden column, with headers, formats and texts of the same kind.
void FillHostile(TRLData& t) {
  const auto& texts = HostileTexts();
  t.SetNrOfColumns(3);
  t.SetNrOfRows(int(texts.size()));
  for (int r = 1; r <= t.NrOfRows(); ++r) {
    t.SetElem(0, r, texts[size_t(r - 1)]);
    t.SetElem(1, r, texts[size_t(r - 1)]);
    t.SetElem(3, r, std::to_string(r));
  }
  t.SetColumnCheckMode(2, cmBox);
  t.SetColumnCheckMode(3, cmRadio);
  for (int r = 1; r <= t.NrOfRows(); ++r) {
    t.SetElem(2, r, texts[size_t(texts.size() - size_t(r))]);
    t.SetElemChecked(2, r, r % 2 == 0);
  }
  t.SetElemChecked(3, 4, true);
  t.SetHeader(1, "Name \"quoted\" <&>");
  t.SetHeader(2, "Ünïcödé");
  t.SetColumnFormat(1, "[c:8][120]a|b<c>");
  t.SetCommonHeader("Common & <header>");
  t.SetComment("comment\nwith two lines\r\nand \"quotes\"");
}

void ExpectSameTable(const TRLData& a, const TRLData& b) {
  ASSERT_EQ(a.NrOfColumns(), b.NrOfColumns());
  ASSERT_EQ(a.NrOfRows(), b.NrOfRows());
  EXPECT_EQ(a.CommonHeader(), b.CommonHeader());
  EXPECT_EQ(a.Comment(), b.Comment());
  for (int c = 1; c <= a.NrOfColumns(); ++c) {
    EXPECT_EQ(a.Header(c), b.Header(c));
    EXPECT_EQ(a.ColumnFormat(c), b.ColumnFormat(c));
    EXPECT_EQ(a.ColumnCheckMode(c), b.ColumnCheckMode(c));
  }
  for (int r = 1; r <= a.NrOfRows(); ++r)
    for (int c = 0; c <= a.NrOfColumns(); ++c)
      EXPECT_EQ(a.Strings()->GetString(c, r), b.Strings()->GetString(c, r)) << c << "," << r;
}

}  // namespace

TEST_F(RLFiles, XmlRoundTripKeepsHostileText) {
  TRLData a(nullptr);
  FillHostile(a);
  a.SaveAsXMLFile(Path("list.xml"), "Sales \"2024\"");
  EXPECT_EQ(FilesInDir(), 1u);  // no temporary left behind

  TRLData b(nullptr);
  ASSERT_TRUE(b.LoadFromXMLFile(Path("list.xml"), ""));
  ExpectSameTable(a, b);
  EXPECT_EQ(b.DataID(), "Sales \"2024\"");
  EXPECT_TRUE(CheckIfValidReplist(Path("list.xml"), "sales \"2024\""));

  TRLData c(nullptr);
  std::ostringstream out;
  a.WriteToXMLStream(out, false, "s");
  std::istringstream in(out.str());
  ASSERT_TRUE(c.ReadFromXMLStream(in, "S"));
  ExpectSameTable(a, c);
  TRLData d(nullptr);
  ASSERT_TRUE(d.ReadFromXMLString(out.str(), ""));
  ExpectSameTable(a, d);
}

TEST_F(RLFiles, SavedFileIsWellFormedAndSavesTheDisplayedOrder) {
  TRLData a(nullptr);
  a.SetNrOfRows(3);
  a.SetElem(1, 1, "b");
  a.SetElem(1, 2, "c");
  a.SetElem(1, 3, "a");
  a.Sort(1, -1, true);
  a.SaveAsXMLFile(Path("s.xml"), "x");
  const std::string text = ReadFile(Path("s.xml"));
  EXPECT_EQ(
      text.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<replist format=\"tamarisk\"", 0),
      0u);
  TRLData b(nullptr);
  ASSERT_TRUE(b.LoadFromXMLFile(Path("s.xml"), "x"));
  EXPECT_EQ(b.Elem(1, 1), "a");
  EXPECT_EQ(b.Elem(1, 3), "c");
  EXPECT_EQ(b.LastSortColumn(), -1);
}

TEST_F(RLFiles, SeveralListsPerFile) {
  TRLData a(nullptr), b(nullptr);
  a.SetNrOfRows(1);
  a.SetElem(1, 1, "first");
  b.SetNrOfColumns(2);
  b.SetNrOfRows(2);
  b.SetElem(2, 2, "second");
  {
    std::ofstream f(Path("multi.xml"));
    a.WriteToOpenXMLFile(f, true, "a");
    b.WriteToOpenXMLFile(f, false, "b");
  }
  TRLData t(nullptr);
  ASSERT_TRUE(t.LoadFromXMLFile(Path("multi.xml"), "B"));
  EXPECT_EQ(t.Elem(2, 2), "second");
  ASSERT_TRUE(t.LoadFromXMLFile(Path("multi.xml"), ""));
  EXPECT_EQ(t.Elem(1, 1), "first");
  EXPECT_FALSE(t.LoadFromXMLFile(Path("multi.xml"), "c"));
  EXPECT_EQ(t.Elem(1, 1), "first");  // unchanged

  std::ifstream f(Path("multi.xml"));
  ASSERT_TRUE(t.ReadFromOpenXMLFile(f, ""));
  EXPECT_EQ(t.DataID(), "a");
  ASSERT_TRUE(t.ReadFromOpenXMLFile(f, ""));
  EXPECT_EQ(t.DataID(), "b");
  EXPECT_EQ(t.NrOfColumns(), 2);
  EXPECT_FALSE(t.ReadFromOpenXMLFile(f, ""));
  EXPECT_EQ(t.DataID(), "b");

  EXPECT_TRUE(CheckIfValidReplist(Path("multi.xml"), "b"));
  EXPECT_FALSE(CheckIfValidReplist(Path("multi.xml"), "c"));
}

TEST_F(RLFiles, CheckIfValidReplistLineRule) {
  const std::string sales = "header line\nsecond\n  <REPLIST Format=\"TAMARISK\" id=\" Sales \">\n";
  WriteFile(Path("sales.xml"), sales);
  EXPECT_TRUE(CheckIfValidReplist(Path("sales.xml"), ""));
  EXPECT_TRUE(CheckIfValidReplist(Path("sales.xml"), "sales"));
  EXPECT_TRUE(CheckIfValidReplist(Path("sales.xml"), "SALES"));
  EXPECT_FALSE(CheckIfValidReplist(Path("sales.xml"), "sales2"));
  WriteFile(Path("nomark.xml"), "<replist id=\"sales\">\ntamarisk\n");
  EXPECT_FALSE(CheckIfValidReplist(Path("nomark.xml"), ""));
  WriteFile(Path("empty.xml"), "");
  EXPECT_FALSE(CheckIfValidReplist(Path("empty.xml"), ""));
  EXPECT_THROW(CheckIfValidReplist(Path("missing.xml"), ""), EZELRLDataError);

  std::istringstream empty("");
  EXPECT_FALSE(CheckIfValidReplist(empty, ""));
  std::istringstream two("<replist tamarisk id=\"a\">\r\n<replist tamarisk id=\"b\">\nrest\n");
  EXPECT_TRUE(CheckIfValidReplist(two, "b"));
  std::string next;
  std::getline(two, next);
  EXPECT_EQ(next, "rest");  // stopped right after the matching line
}

TEST_F(RLFiles, TruncatedMalformedOrForeignFilesLeaveTheTableUnchanged) {
  TRLData a(nullptr);
  FillHostile(a);
  std::ostringstream out;
  a.WriteToXMLStream(out, true, "t");
  const std::string whole = out.str();

  TRLData t(nullptr);
  t.SetNrOfRows(1);
  t.SetElem(1, 1, "keep me");
  int changes = 0;
  t.Strings()->SetOnChange([&](host::TObject*) { ++changes; });
  for (size_t cut = 0; cut + 1 < whole.size(); cut += 7)
    EXPECT_FALSE(t.ReadFromXMLString(whole.substr(0, cut), "")) << "cut at " << cut;
  const std::vector<std::string> bad = {
      "<replist format=\"tamarisk\">\n<numcols>1</numcols>\n</replist>\n",  // no row count
      "<replist format=\"tamarisk\">\n<numcols>1</numcols><numrows>1</numrows><cell c=\"2\" "
      "r=\"1\">x</cell>\n</replist>\n",
      "<replist format=\"tamarisk\">\n<numcols>1</numcols><numrows>1</numrows><cell c=\"1\" "
      "r=\"0\">x</cell>\n</replist>\n",
      "<replist format=\"tamarisk\">\n<numcols>x</numcols><numrows>1</numrows>\n</replist>\n",
      "<replist "
      "format=\"tamarisk\">\n<numcols>100000</numcols><numrows>100000</numrows>\n</replist>\n",
      // No rows still means one row of a hundred million cells.
      "<replist "
      "format=\"tamarisk\">\n<numcols>100000000</numcols><numrows>0</numrows>\n</replist>\n",
      "<replist format=\"tamarisk\">\n<numcols>1</numcols><numrows>1</numrows><cell c=\"1\" "
      "r=\"1\">x</cel>\n</replist>\n",
      "<replist format=\"tamarisk\">\n<numcols>1</numcols><numrows>1</numrows><checkedcolumn "
      "c=\"1\">7</checkedcolumn>\n</replist>\n",
      "<?xml version=\"1.0\"?><html><body>not a list</body></html>\n",
  };
  for (const auto& text : bad) EXPECT_FALSE(t.ReadFromXMLString(text, "")) << text;
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(t.NrOfRows(), 1);
  EXPECT_EQ(t.Elem(1, 1), "keep me");
  EXPECT_FALSE(t.LoadFromXMLFile(Path("missing.xml"), ""));
  // A later version's unknown tags are skipped.
  EXPECT_TRUE(t.ReadFromXMLString(
      "<replist format=\"tamarisk\">\n<numcols>1</numcols><numrows>1</numrows><colour>red</colour>"
      "<cell c=\"1\" r=\"1\">ok</cell>\n</replist>\n",
      ""));
  EXPECT_EQ(t.Elem(1, 1), "ok");
}

// The atomic replace itself is tested with FileIO; here only that its failures
// reach the caller as EZELRLDataError (or ExportCSV's -1) and leave no debris.
TEST_F(RLFiles, FailedSaveKeepsThePreviousFile) {
  TRLData a(nullptr);
  a.SetNrOfRows(2);
  a.Fill("z");
  fs::create_directory(Path("sub.xml"));  // a rename over a folder fails
  EXPECT_THROW(a.SaveAsXMLFile(Path("sub.xml"), ""), EZELRLDataError);
  EXPECT_EQ(a.ExportCSV(Path("sub.xml"), csvComma, true, false, 1, 1, 1, 2), -1);
  EXPECT_TRUE(fs::is_directory(Path("sub.xml")));
  EXPECT_EQ(FilesInDir(), 1u);  // no temporaries left
  try {
    a.SaveAsXMLFile(Path("no/such/x.xml"), "");
    ADD_FAILURE() << "saved into a missing folder";
  } catch (const EZELRLDataError& e) {
    EXPECT_EQ(std::string(e.what()),
              "Cannot write \"" + Path("no/such/x.xml") + "\": " + std::strerror(ENOENT));
  }
}

TEST_F(RLFiles, CsvRoundTripWithEveryDelimiter) {
  TRLData a(nullptr);
  const auto& texts = HostileTexts();
  a.SetNrOfColumns(3);
  a.SetNrOfRows(int(texts.size()));
  a.SetHeader(2, "Head, \"two\"");
  for (int r = 1; r <= a.NrOfRows(); ++r) {
    a.SetElem(1, r, texts[size_t(r - 1)]);
    a.SetElem(2, r, "x" + std::to_string(r));
    a.SetElem(3, r, texts[texts.size() - size_t(r)]);
  }
  for (const TCSVDelimiters d : {csvComma, csvSemicolon, csvTab, csvSpace}) {
    ASSERT_EQ(a.ExportCSV(Path("t.csv"), d, true, false, 1, 1, 3, 99), a.NrOfRows());
    TRLData b(nullptr);
    ASSERT_EQ(b.ImportCSV(Path("t.csv"), d, true), a.NrOfRows()) << int(d);
    ASSERT_EQ(b.NrOfColumns(), 3);
    EXPECT_EQ(b.Header(2), "Head, \"two\"");
    for (int r = 1; r <= a.NrOfRows(); ++r)
      for (int c = 1; c <= 3; ++c)
        EXPECT_EQ(b.Elem(c, r), a.Elem(c, r)) << int(d) << " " << c << "," << r;
  }
  // A single column with an empty cell must not lose the row.
  ASSERT_EQ(a.ExportCSV(Path("one.csv"), csvComma, false, true, 2, 1, 2, 3), 3);
  a.SetElem(2, 2, "");
  ASSERT_EQ(a.ExportCSV(Path("one.csv"), csvComma, false, false, 2, 1, 2, 3), 3);
  EXPECT_EQ(ReadFile(Path("one.csv")), "x1\r\n\"\"\r\nx3\r\n");
  TRLData b(nullptr);
  EXPECT_EQ(b.ImportCSV(Path("one.csv"), csvComma, false), 3);
  EXPECT_EQ(b.Elem(1, 2), "");
  EXPECT_EQ(b.Elem(1, 3), "x3");
}

TEST_F(RLFiles, CsvImportHandlesRaggedAndBrokenInput) {
  WriteFile(Path("rag.csv"),
            "\xEF\xBB\xBF"
            "a,b\nc\n\"d\"x,e,f,\n");
  TRLData t(nullptr);
  ASSERT_EQ(t.ImportCSV(Path("rag.csv"), csvComma, false), 3);
  EXPECT_EQ(t.NrOfColumns(), 4);
  EXPECT_EQ(t.Elem(1, 1), "a");
  EXPECT_EQ(t.Elem(2, 2), "");
  EXPECT_EQ(t.Elem(1, 3), "dx");
  EXPECT_EQ(t.Elem(3, 3), "f");
  EXPECT_EQ(t.Header(4), "C-4");

  WriteFile(Path("open.csv"), "a,b\n\"unclosed,c\n");
  EXPECT_EQ(t.ImportCSV(Path("open.csv"), csvComma, false), -1);
  EXPECT_EQ(t.ImportCSV(Path("missing.csv"), csvComma, false), -1);
  EXPECT_EQ(t.NrOfRows(), 3);
  EXPECT_EQ(t.Elem(1, 3), "dx");
  std::string wide(100000, ',');
  WriteFile(Path("bomb.csv"), wide + "\n" + std::string(200, '\n'));
  EXPECT_EQ(t.ImportCSV(Path("bomb.csv"), csvComma, false), -1);
  EXPECT_EQ(t.NrOfColumns(), 4);
}

TEST_F(RLFiles, LoadLinesFromFileFillsOneColumn) {
  WriteFile(Path("lines.txt"), "one\r\ntwo\n\nfour");
  TRLData t(nullptr);
  t.SetNrOfColumns(2);
  t.SetNrOfRows(2);
  t.SetColumnCheckMode(2, cmBox);
  t.SetElem(2, 2, "old");
  t.SetElemChecked(2, 2, true);
  EXPECT_EQ(t.LoadLinesFromFile(2, 2, Path("lines.txt")), 4);
  EXPECT_EQ(t.NrOfRows(), 5);
  EXPECT_EQ(t.Elem(2, 2), "one");
  EXPECT_TRUE(t.ElemChecked(2, 2));
  EXPECT_EQ(t.Elem(2, 4), "");
  EXPECT_EQ(t.Elem(2, 5), "four");
  EXPECT_EQ(t.LoadLinesFromFile(3, 1, Path("lines.txt")), 0);
  EXPECT_EQ(t.LoadLinesFromFile(1, 1, Path("missing.txt")), -1);
  EXPECT_EQ(t.NrOfRows(), 5);
}

TEST_F(RLFiles, HtmlExportEscapesAndAppliesTheLayout) {
  TRLData t(nullptr);
  t.SetNrOfColumns(3);
  t.SetNrOfRows(2);
  t.SetHeader(1, "A<1>");
  t.SetHeader(2, "B");
  t.SetHeader(3, "C");
  t.SetElem(1, 1, "x & y");
  t.SetElem(3, 1, "\"q\"");
  t.SetElem(2, 2, "link");
  t.SetColumnCheckMode(2, cmBox);
  t.SetElemChecked(2, 2, true);
  std::vector<std::string> hooked;
  t.SetOnBeforeHTMLExport([&](host::TObject*, std::string& text, int c, int r) {
    hooked.push_back(std::to_string(c) + "," + std::to_string(r) + ":" + text);
    if (c == 2 && r == 2) text = "<a href=\"#\">" + text + "</a>";
  });
  t.ExportHTMLTable(Path("t.html"), 1, 1, 3, 2, {3, 2, 9}, 2, 3, 4, true, "hd", "", "tab \"x\"");
  const std::string html = ReadFile(Path("t.html"));
  EXPECT_NE(html.find("border-spacing: 3px; border: 2px solid;"), std::string::npos);
  EXPECT_NE(html.find("padding: 4px;"), std::string::npos);
  EXPECT_NE(html.find("<table id=\"zel-replist\" class=\"tab &quot;x&quot;\">"), std::string::npos);
  EXPECT_NE(html.find("<tr><th class=\"hd\">C</th><th class=\"hd\">B</th></tr>"),
            std::string::npos);
  EXPECT_NE(html.find("<tr><td>&quot;q&quot;</td><td>\u2610 </td></tr>"), std::string::npos);
  EXPECT_NE(html.find("<td><a href=\"#\">\u2611 link</a></td>"), std::string::npos);
  EXPECT_EQ(html.find("A&lt;1&gt;"), std::string::npos);  // column 1 not selected
  EXPECT_EQ(hooked, (std::vector<std::string>{"3,0:C", "2,0:B", "3,1:&quot;q&quot;", "2,1:\u2610 ",
                                              "3,2:", "2,2:\u2611 link"}));
  t.ExportHTMLTable(Path("all.html"), 1, 1, 3, 1, {}, 0, 0, 0, false, "", "", "");
  EXPECT_NE(ReadFile(Path("all.html")).find("<tr><td>x &amp; y</td>"), std::string::npos);
  EXPECT_THROW(t.ExportHTMLTable(Path("no/such/t.html"), 1, 1, 3, 2, {}, 0, 0, 0, true, "", "", ""),
               EZELRLDataError);
}

// Every loader given a folder, a FIFO without a writer or an endless device:
// each returns its failure at once (bounded by the harness, not timed), says
// why, and leaves the table as it was.
TEST_F(RLFiles, LoadersRefuseFoldersFifosAndDevices) {
  ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
  const std::vector<std::pair<std::string, std::string>> inputs = {
      {dir_.string(), std::strerror(EISDIR)},
      {Path("fifo"), "not a regular file"},
      {"/dev/zero", "not a regular file"},
  };
  using TLoader = std::function<int(TRLData&, const std::string&)>;
  const std::vector<std::pair<const char*, TLoader>> loaders = {
      {"LoadFromXMLFile",
       [](TRLData& t, const std::string& f) { return int(t.LoadFromXMLFile(f, "")); }},
      {"ImportCSV",
       [](TRLData& t, const std::string& f) { return t.ImportCSV(f, csvComma, true); }},
      {"LoadLinesFromFile",
       [](TRLData& t, const std::string& f) { return t.LoadLinesFromFile(1, 1, f); }},
  };
  for (const auto& [path, reason] : inputs) {
    for (const auto& [name, load] : loaders) {
      auto t = std::make_shared<TRLData>(nullptr);
      t->SetNrOfRows(1);
      t->SetElem(1, 1, "keep me");
      auto result = std::make_shared<int>(1);
      ASSERT_TRUE(testsupport::ReturnsWithin([t, result, load = load, path = path] {
        *result = load(*t, path);
      })) << name
          << " blocked on " << path;
      EXPECT_LE(*result, 0) << name << " " << path;
      EXPECT_EQ(t->LastError(), "Cannot read \"" + path + "\": " + reason) << name;
      EXPECT_EQ(t->Elem(1, 1), "keep me");
    }
    auto thrown = std::make_shared<std::string>();
    ASSERT_TRUE(testsupport::ReturnsWithin([thrown, path = path] {
      try {
        CheckIfValidReplist(path, "");
      } catch (const EZELRLDataError& e) {
        *thrown = e.what();
      }
    })) << "CheckIfValidReplist blocked on "
        << path;
    EXPECT_EQ(*thrown, "Cannot open \"" + path + "\": " + reason);
  }
}

TEST_F(RLFiles, FailuresSayWhichFileAndWhy) {
  TRLData t(nullptr);
  t.SetName("Sales");
  EXPECT_FALSE(t.LoadFromXMLFile(Path("none.xml"), ""));
  EXPECT_EQ(t.LastError(), "Cannot read \"" + Path("none.xml") + "\": " + std::strerror(ENOENT));
  WriteFile(Path("other.xml"), "<replist format=\"tamarisk\" id=\"a\">\n</replist>\n");
  EXPECT_FALSE(t.LoadFromXMLFile(Path("other.xml"), "b"));
  EXPECT_EQ(t.LastError(), "Cannot read a report list from \"" + Path("other.xml") +
                               "\": no report list with id \"b\"");
  WriteFile(Path("open.csv"), "a,\"unclosed\n");
  EXPECT_EQ(t.ImportCSV(Path("open.csv"), csvComma, false), -1);
  EXPECT_EQ(t.LastError(),
            "Cannot import \"" + Path("open.csv") + "\": a quoted field is not closed");
  t.SetNrOfRows(1);
  EXPECT_EQ(t.ExportCSV(Path("no/dir.csv"), csvComma, false, false, 1, 1, 1, 1), -1);
  EXPECT_EQ(t.LastError(), "Cannot write \"" + Path("no/dir.csv") + "\": " + std::strerror(ENOENT));
  EXPECT_EQ(t.ExportCSV(Path("ok.csv"), csvComma, false, false, 1, 1, 1, 1), 1);
  EXPECT_EQ(t.LastError(), "");  // cleared by the next operation

  std::ofstream full("/dev/full");
  ASSERT_TRUE(full.is_open());
  try {
    t.WriteToOpenXMLFile(full, true, "q1");
    ADD_FAILURE() << "a write to a full device succeeded";
  } catch (const EZELRLDataError& e) {
    EXPECT_EQ(std::string(e.what()),
              "Component \"Sales\": cannot write the list \"q1\" to the "
              "open file: " +
                  std::string(std::strerror(ENOSPC)));
    EXPECT_EQ(t.LastError(), e.what());
  }
}

TEST_F(RLFiles, ASaveThroughALinkKeepsTheLinkAndClearsStaleTemporaries) {
  TRLData a(nullptr);
  a.SetNrOfRows(1);
  a.SetElem(1, 1, "new");
  fs::create_directory(Path("store"));
  WriteFile(Path("store/list.xml"), "old");
  fs::create_symlink("store/list.xml", Path("link.xml"));
  WriteFile(Path("store/list.xml.~999999999-0"), "left by a killed save");
  a.SaveAsXMLFile(Path("link.xml"), "");
  EXPECT_TRUE(fs::is_symlink(Path("link.xml")));
  TRLData b(nullptr);
  ASSERT_TRUE(b.LoadFromXMLFile(Path("store/list.xml"), "")) << b.LastError();
  EXPECT_EQ(b.Elem(1, 1), "new");
  EXPECT_EQ(std::distance(fs::directory_iterator(Path("store")), {}), 1);
}

// The reader takes every list start that CheckIfValidReplist takes: the root's
// name and its id attribute compare without case, and the end tag repeats the
// name as written.
TEST_F(RLFiles, ListStartsInAnyLetterCaseAreRead) {
  const std::string upper =
      "<?xml version=\"1.0\"?>\n<REPLIST FORMAT=\"TAMARISK\" ID=\"Up\">\n<numcols>1</numcols>"
      "<numrows>1</numrows><cell c=\"1\" r=\"1\">u</cell>\n</REPLIST >\n"
      "<Replist format=\"tamarisk\" id=\"mixed\">\n<numcols>1</numcols><numrows>1</numrows>"
      "<cell c=\"1\" r=\"1\">m</cell>\n</Replist>\n";
  WriteFile(Path("upper.xml"), upper);
  for (const char* id : {"up", "MIXED"}) {
    EXPECT_TRUE(CheckIfValidReplist(Path("upper.xml"), id)) << id;
    TRLData t(nullptr);
    ASSERT_TRUE(t.LoadFromXMLFile(Path("upper.xml"), id)) << id << ": " << t.LastError();
    EXPECT_EQ(t.Elem(1, 1), id[0] == 'u' ? "u" : "m");
    EXPECT_EQ(FoldCase(t.DataID()), FoldCase(id));
  }
  std::istringstream in(upper);
  TRLData t(nullptr);
  ASSERT_TRUE(t.ReadFromOpenXMLFile(in, "")) << t.LastError();
  EXPECT_EQ(t.Elem(1, 1), "u");
  ASSERT_TRUE(t.ReadFromOpenXMLFile(in, "")) << t.LastError();
  EXPECT_EQ(t.Elem(1, 1), "m");
  // A close tag of another name does not end the list.
  EXPECT_FALSE(
      t.ReadFromXMLString("<REPLIST tamarisk>\n<numcols>1</numcols><numrows>1</numrows>"
                          "\n</replist>\n",
                          ""));
}

// The writer puts the counts first; a list written by hand may not.
TEST_F(RLFiles, CountsMayFollowTheCells) {
  TRLData t(nullptr);
  ASSERT_TRUE(
      t.ReadFromXMLString("<replist format=\"tamarisk\">\n<cell c=\"2\" r=\"3\">late</cell>"
                          "<colname c=\"2\">H</colname><numrows>3</numrows>"
                          "<numcols>2</numcols>\n</replist>\n",
                          ""))
      << t.LastError();
  EXPECT_EQ(t.NrOfRows(), 3);
  EXPECT_EQ(t.Elem(2, 3), "late");
  EXPECT_EQ(t.Header(2), "H");
  EXPECT_FALSE(t.ReadFromXMLString(
      "<replist format=\"tamarisk\">\n<cell c=\"1\" r=\"1\">x</cell>\n</replist>\n", ""));
  EXPECT_NE(t.LastError().find("count is missing"), std::string::npos) << t.LastError();
  EXPECT_EQ(t.Elem(2, 3), "late");
}
