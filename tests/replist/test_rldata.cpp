#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/ui/Clipbrd.h"
#include "replist/ZEL_replist.h"

using namespace zel;

namespace {

using Strings = std::vector<std::string>;

// A table of rows x columns whose cells are given row by row.
void Load(TRLData& t, const std::vector<Strings>& rows) {
  t.SetNrOfColumns(int(rows.at(0).size()));
  t.SetNrOfRows(int(rows.size()));
  for (size_t r = 0; r < rows.size(); ++r)
    for (size_t c = 0; c < rows[r].size(); ++c) t.SetElem(int(c) + 1, int(r) + 1, rows[r][c]);
}

Strings ColumnTexts(const TRLData& t, int c) {
  Strings out;
  for (int r = 1; r <= t.NrOfRows(); ++r) out.push_back(t.Elem(c, r));
  return out;
}

Strings StoredColumn(const TRLData& t, int c) {
  Strings out;
  for (int r = 1; r <= t.NrOfRows(); ++r) out.push_back(t.Strings()->GetString(c, r));
  return out;
}

}  // namespace

TEST(RLData, NewTableAndColumnCountChanges) {
  TRLData t(nullptr);
  EXPECT_EQ(t.NrOfColumns(), 1);
  EXPECT_EQ(t.NrOfRows(), 0);
  EXPECT_EQ(t.Header(1), "C-1");
  EXPECT_EQ(t.CommonHeader(), "ZEL Report Listview");
  EXPECT_EQ(t.LastSortColumn(), -1);
  EXPECT_TRUE(t.LastSortOrder());
  EXPECT_EQ(t.FeedbackNumCells(), 1);

  t.SetNrOfColumns(2);
  t.SetHeader(1, "Name");
  t.SetHeader(2, std::string(60, 'h'));
  t.SetNrOfColumns(4);
  EXPECT_EQ(t.Header(1), "Name");
  EXPECT_EQ(t.Header(2), std::string(50, 'h'));
  EXPECT_EQ(t.Header(3), "C-3");
  EXPECT_EQ(t.Header(4), "C-4");
  t.SetNrOfColumns(0);
  EXPECT_EQ(t.NrOfColumns(), 1);
  t.SetNrOfRows(-5);
  EXPECT_EQ(t.NrOfRows(), 0);
  t.SetNrOfRows(299);  // 299 x (1 + 1) cells
  EXPECT_EQ(t.FeedbackNumCells(), 598);
  EXPECT_EQ(t.FeedbackStep(), 6);
}

TEST(RLData, CellsOutsideTheTableAreIgnored) {
  TRLData t(nullptr);
  Load(t, {{"a", "b"}});
  t.SetElem(0, 1, "hidden");
  t.SetElem(3, 1, "x");
  t.SetElem(1, 2, "x");
  EXPECT_EQ(t.Elem(0, 1), "hidden");
  EXPECT_EQ(t.Elem(3, 1), "");
  EXPECT_EQ(t.Elem(1, 0), "");
  EXPECT_FALSE(t.ElemChecked(9, 9));
  EXPECT_EQ(t.AsNumber(9, 9), 0);
}

TEST(RLData, SwitchingCheckModesConvertsTheFlags) {
  TRLData t(nullptr);
  Load(t, {{"a"}, {""}, {"b"}});
  int changes = 0;
  t.Strings()->SetOnChange([&](host::TObject*) { ++changes; });
  t.SetColumnCheckMode(1, cmBox);
  EXPECT_EQ(changes, 1);  // one notification for the whole conversion
  EXPECT_EQ(StoredColumn(t, 1), (Strings{" a", "", " b"}));
  EXPECT_EQ(ColumnTexts(t, 1), (Strings{"a", "", "b"}));
  EXPECT_TRUE(t.IsCheckedColumn(1));

  t.SetElemChecked(1, 1, true);
  t.SetElemChecked(1, 2, true);  // an empty cell becomes the flag alone
  EXPECT_EQ(StoredColumn(t, 1), (Strings{"Xa", "X", " b"}));
  EXPECT_EQ(t.Elem(1, 2), "");
  t.SetElem(1, 1, "new");  // the flag stays
  EXPECT_EQ(t.Strings()->GetString(1, 1), "Xnew");

  t.SetColumnCheckMode(1, cmRadio);  // box to radio unchecks every cell
  EXPECT_EQ(t.CountCheckedElemsInCol(1), 0);
  EXPECT_FALSE(t.IsCheckedColumn(1));
  t.SetColumnCheckMode(1, cmNone);
  EXPECT_EQ(StoredColumn(t, 1), (Strings{"new", "", "b"}));
  t.SetElemChecked(1, 1, true);  // not a check column: nothing happens
  EXPECT_EQ(t.Strings()->GetString(1, 1), "new");
}

TEST(RLData, RadioColumnKeepsOneCheck) {
  TRLData t(nullptr);
  Load(t, {{"a", "x"}, {"b", "y"}, {"c", "z"}});
  t.SetColumnCheckMode(1, cmRadio);
  t.SetColumnCheckMode(2, cmBox);
  t.SetElemChecked(1, 1, true);
  t.SetElemChecked(1, 3, true);
  EXPECT_FALSE(t.ElemChecked(1, 1));
  EXPECT_TRUE(t.ElemChecked(1, 3));
  EXPECT_EQ(t.FirstCheckedElemInCol(1), 3);
  EXPECT_EQ(t.CountCheckedElemsInCol(1), 1);

  t.SetAllCheckmarksOfCol(1, true);  // a radio column cannot be all checked
  EXPECT_EQ(t.CountCheckedElemsInCol(1), 1);
  t.SetAllCheckmarksOfCol(1, false);
  EXPECT_EQ(t.CountCheckedElemsInCol(1), 0);

  t.SetRowAttrib(2, 64);  // disabled
  t.SetAllCheckmarksOfCol(2, true, true);
  EXPECT_EQ(t.CountCheckedElemsInCol(2), 2);
  EXPECT_FALSE(t.ElemChecked(2, 2));
  t.InvertAllCheckmarksOfCol(2);
  EXPECT_EQ(t.FirstCheckedElemInCol(2), 2);
  EXPECT_EQ(t.FirstCheckedElemInRow(2), 2);
  EXPECT_EQ(t.CountCheckedElemsInRow(2), 1);
  EXPECT_EQ(t.FirstCheckedElemInRow(1), 0);
}

TEST(RLData, AsNumberReadsLongNumbers) {
  TRLData t(nullptr);
  t.SetNrOfRows(3);
  t.SetElem(1, 1, "1" + std::string(99, '0'));            // 100 characters
  t.SetElem(1, 2, " +0," + std::string(200, '5') + " ");  // a comma, a sign, blanks
  t.SetElem(1, 3, std::string(250, '0') + "1e999");       // too large for a double
  EXPECT_DOUBLE_EQ(t.AsNumber(1, 1), 1e99);
  EXPECT_DOUBLE_EQ(t.AsNumber(1, 2), 5.0 / 9.0);
  EXPECT_THROW(t.AsNumber(1, 3), EZELDStructError);
}

TEST(RLData, AsNumberReadsDecimalTextOrRaises) {
  TRLData t(nullptr);
  t.SetNrOfColumns(2);
  t.SetNrOfRows(4);
  t.SetElem(1, 1, " 3,5 ");
  t.SetElem(1, 2, "-1.25e2");
  t.SetElem(1, 3, "\t7");
  t.SetElem(2, 4, "abc");
  EXPECT_DOUBLE_EQ(t.AsNumber(1, 1), 3.5);
  EXPECT_DOUBLE_EQ(t.AsNumber(1, 2), -125);
  EXPECT_EQ(t.AsNumber(1, 4), 0);
  try {
    t.AsNumber(2, 4);
    FAIL() << "no exception";
  } catch (const EZELDStructError& e) {
    EXPECT_STREQ(e.what(), "Class TRLData: invalid numeric string: [2,4]: abc");
  }
  EXPECT_THROW(t.AsNumber(1, 3), EZELDStructError);  // only spaces are trimmed
  t.SetElem(2, 1, "1,000.5");
  EXPECT_THROW(t.AsNumber(2, 1), EZELDStructError);
  t.SetElem(2, 1, "nan");
  EXPECT_THROW(t.AsNumber(2, 1), EZELDStructError);
  t.SetColumnCheckMode(2, cmBox);
  t.SetElemChecked(2, 4, true);
  try {
    t.AsNumber(2, 4);
  } catch (const EZELDStructError& e) {
    EXPECT_STREQ(e.what(), "Class TRLData: invalid numeric string: [2,4]: Xabc");
  }
}

TEST(RLData, DefaultValueFollowsTheColumnFormat) {
  TRLData t(nullptr);
  t.SetNrOfColumns(2);
  auto def = [&](const std::string& fmt, int row) {
    t.SetColumnFormat(1, fmt);
    return t.DefaultValue(1, row);
  };
  EXPECT_EQ(def("[i][60]rix4", 7), "0007");
  EXPECT_EQ(def("[i][60]rix2", 123), "23");
  EXPECT_EQ(def("[i][60]rix0", 5), "5");
  EXPECT_EQ(def("[#i][]rix3", 5), "005");
  EXPECT_EQ(def("[h][]rix2", 255), "FF");
  EXPECT_EQ(def("[h][]rix2", 256), "00");
  EXPECT_EQ(def("[h][]RIX12", 26), "0000001A");
  EXPECT_EQ(def("[f][]rix2", 3), "3.00");
  EXPECT_EQ(def("[i][]42", 3), "42");
  EXPECT_EQ(def("[c][120]red|green|blue", 1), "red");
  EXPECT_EQ(def("[l:8][]one", 1), "one");
  EXPECT_EQ(def("[dd.mm.yyyy][]01.02.2024", 1), "01.02.2024");
  EXPECT_EQ(def("[s][80]plain", 1), "plain");
  EXPECT_EQ(def("[s][80]", 1), "");
  EXPECT_EQ(def("[x][80]what", 1), "");
  EXPECT_EQ(def("", 1), "");
  const std::string p1 = def("[s][80]$pwd$8", 1);
  const std::string p2 = t.DefaultValue(1, 1);
  EXPECT_EQ(p1.size(), 8u);
  EXPECT_NE(p1, p2);
  EXPECT_EQ(def("[s][]$PWD$99999999999", 1).size(), 255u);  // counts are bounded
  EXPECT_EQ(t.DefaultValue(3, 1), "");
}

TEST(RLData, RemovingTheOnlyRowOrColumnBlanksIt) {
  TRLData t(nullptr);
  Load(t, {{"a", "b"}});
  t.SetElem(0, 1, "h");
  t.RemoveRow(1);
  EXPECT_EQ(t.NrOfRows(), 0);
  t.SetNrOfRows(1);
  EXPECT_EQ(t.Elem(0, 1), "");
  EXPECT_EQ(t.Elem(1, 1), "");

  Load(t, {{"a", "b"}, {"c", "d"}});
  t.SetHeader(2, "Second");
  t.RemoveColumn(1);
  EXPECT_EQ(t.NrOfColumns(), 1);
  EXPECT_EQ(t.Header(1), "Second");
  EXPECT_EQ(ColumnTexts(t, 1), (Strings{"b", "d"}));
  t.RemoveColumn(1);
  EXPECT_EQ(t.NrOfColumns(), 0);
  EXPECT_EQ(t.Header(1), "");
  t.SetNrOfColumns(1);
  EXPECT_EQ(ColumnTexts(t, 1), (Strings{"", ""}));
  EXPECT_EQ(t.Header(1), "C-1");
}

TEST(RLData, InsertColumnShiftsHeadersFormatsAndModes) {
  TRLData t(nullptr);
  Load(t, {{"a", "b"}});
  t.SetHeader(2, "B");
  t.SetColumnFormat(2, "[i][]");
  t.SetColumnCheckMode(2, cmBox);
  t.InsertColumn(2);
  EXPECT_EQ(t.NrOfColumns(), 3);
  EXPECT_EQ(t.Header(2), "");
  EXPECT_EQ(t.ColumnCheckMode(2), cmNone);
  EXPECT_EQ(t.Header(3), "B");
  EXPECT_EQ(t.ColumnFormat(3), "[i][]");
  EXPECT_EQ(t.ColumnCheckMode(3), cmBox);
  EXPECT_EQ(t.Elem(3, 1), "b");
  t.InsertColumn(4);  // cannot append
  EXPECT_EQ(t.NrOfColumns(), 3);
}

TEST(RLData, ColumnIndexSearchesFromTheLastColumn) {
  TRLData t(nullptr);
  t.SetNrOfColumns(3);
  t.SetHeader(1, "Name");
  t.SetHeader(2, "NAME");
  t.SetHeader(3, "Größe");
  EXPECT_EQ(t.ColumnIndex("name", false), 2);
  EXPECT_EQ(t.ColumnIndex("AM", true), 2);
  EXPECT_EQ(t.ColumnIndex("GRÖSSE", false), 3);
  EXPECT_EQ(t.ColumnIndex("nam", false), -1);
}

TEST(RLData, RowOperationsAndEmptyRows) {
  TRLData t(nullptr);
  Load(t, {{"a", ""}, {"", ""}, {"", ""}, {"d", "e"}});
  t.SetColumnCheckMode(2, cmBox);
  t.SetElemChecked(2, 2, true);  // checked but empty text: still empty
  t.SetElem(0, 3, "hidden");     // column 0 keeps row 3
  t.SetRowAttrib(4, 128);
  t.CopyRow(4, 1);
  EXPECT_EQ(t.Elem(1, 1), "d");
  EXPECT_EQ(t.RowAttrib(1), 128);
  t.RemoveEmptyRows();
  EXPECT_EQ(t.NrOfRows(), 3);
  EXPECT_EQ(t.Elem(0, 2), "hidden");
  t.InsertRow(1);
  EXPECT_EQ(t.NrOfRows(), 4);
  EXPECT_EQ(ColumnTexts(t, 1), (Strings{"", "d", "", "d"}));
  t.InsertRow(5);  // out of range
  EXPECT_EQ(t.NrOfRows(), 4);
}

TEST(RLData, FillKeepsCheckStates) {
  TRLData t(nullptr);
  Load(t, {{"a", "x"}, {"b", ""}, {"c", "z"}});
  t.SetColumnCheckMode(2, cmBox);
  t.SetElemChecked(2, 1, true);
  t.Fill("f");
  EXPECT_EQ(ColumnTexts(t, 1), (Strings{"f", "f", "f"}));
  EXPECT_EQ(StoredColumn(t, 2), (Strings{"Xf", " f", " f"}));
}

TEST(RLData, ClearResetsColumnsButKeepsDimensions) {
  TRLData t(nullptr);
  Load(t, {{"a", "b"}});
  t.SetHeader(1, "H");
  t.SetColumnFormat(1, "[i][]");
  t.SetColumnCheckMode(2, cmBox);
  t.Clear();
  EXPECT_EQ(t.NrOfColumns(), 2);
  EXPECT_EQ(t.NrOfRows(), 1);
  EXPECT_EQ(t.Header(1), "C-1");
  EXPECT_EQ(t.ColumnFormat(1), "");
  EXPECT_EQ(t.ColumnCheckMode(2), cmNone);
  EXPECT_EQ(t.Elem(1, 1), "");
}

TEST(RLData, SortOrdersACheckColumnByStateThenByText) {
  TRLData t(nullptr);
  Load(t, {{"10", "b"}, {"9", "a"}, {"x", "c"}, {"y", "a"}, {"z", ""}});
  t.SetColumnCheckMode(2, cmBox);
  t.SetElemChecked(2, 1, true);  // "Xb"
  t.SetElemChecked(2, 4, true);  // "Xa"
  t.Sort(2, -1, true);
  EXPECT_EQ(ColumnTexts(t, 1), (Strings{"z", "9", "x", "y", "10"}));  // "", a, c | a, b
  EXPECT_EQ(t.LastSortColumn(), 2);
  t.Sort(2, -1, false);
  EXPECT_EQ(ColumnTexts(t, 1), (Strings{"10", "y", "x", "9", "z"}));
  EXPECT_FALSE(t.LastSortOrder());
  // As a secondary column the same rule breaks the ties of the primary one.
  Load(t, {{"k", "b"}, {"k", "a"}, {"j", "c"}});
  t.SetColumnCheckMode(2, cmRadio);
  t.SetElemChecked(2, 2, true);
  t.Sort(1, 2, true);
  EXPECT_EQ(ColumnTexts(t, 2), (Strings{"c", "b", "a"}));
  t.Sort(1, -1, false);
  EXPECT_EQ(ColumnTexts(t, 1), (Strings{"k", "k", "j"}));
  t.UnSort();
  EXPECT_EQ(t.LastSortColumn(), -1);
  EXPECT_EQ(ColumnTexts(t, 2), (Strings{"b", "a", "c"}));
}

// Checked numbers tell the rule apart from a plain text sort of the stored
// cells: "X10" sorts before "X9" as text, after it as check state and number.
TEST(RLData, CheckRuleFollowsTheColumnThroughStructuralChanges) {
  TRLData t(nullptr);
  Load(t, {{"p", "10"}, {"q", "9"}});
  t.SetColumnCheckMode(2, cmBox);
  t.SetAllCheckmarksOfCol(2, true);
  t.InsertColumn(1);               // the check column is now column 3
  t.Strings()->Sort(3, -1, true);  // the store itself knows the rule
  EXPECT_EQ(ColumnTexts(t, 3), (Strings{"9", "10"}));
  t.UnSort();
  t.RemoveColumn(1);
  t.Sort(2, -1, true);
  EXPECT_EQ(ColumnTexts(t, 2), (Strings{"9", "10"}));

  TRLData copy(nullptr);
  copy.Assign(&t);
  copy.Strings()->UnSort();
  copy.Sort(2, -1, true);
  EXPECT_EQ(ColumnTexts(copy, 2), (Strings{"9", "10"}));

  t.Clear();  // every column back to plain text
  t.UnSort();
  t.SetElem(2, 1, "X10");
  t.SetElem(2, 2, "X9");
  t.Sort(2, -1, true);
  EXPECT_EQ(ColumnTexts(t, 2), (Strings{"X10", "X9"}));
}

TEST(RLData, SortKeyHookStaysWiredAndSeesTheStoredText) {
  TRLData t(nullptr);
  ASSERT_TRUE(t.Strings()->OnBeforeSortExchange());  // wired from the start
  Load(t, {{"10", "b"}, {"9", "a"}, {"x", "c"}});
  t.SetColumnCheckMode(2, cmBox);
  t.SetElemChecked(2, 1, true);
  std::vector<std::string> seen, keys;
  t.SetOnBeforeSortExchange([&](host::TObject* sender, const std::string& text, std::string& key) {
    EXPECT_EQ(sender, &t);
    seen.push_back(text);
    keys.push_back(key);
    if (key == "c") key = "0";  // "c" sorts first among the unchecked
  });
  t.Sort(2, -1, true);
  EXPECT_EQ(seen, (Strings{"Xb", " a", " c"}));  // stored text, storage order
  EXPECT_EQ(keys, (Strings{"b", "a", "c"}));     // the key starts as the visible text
  EXPECT_EQ(ColumnTexts(t, 2), (Strings{"c", "a", "b"}));
  ASSERT_TRUE(t.Strings()->OnBeforeSortExchange());  // Sort left the wiring alone
  seen.clear();
  t.Strings()->Sort(1, -1, true);  // a sort of the store reaches the handler too
  EXPECT_EQ(seen, (Strings{"10", "9", "x"}));
  t.SetOnBeforeSortExchange(nullptr);
  t.Sort(2, -1, true);
  EXPECT_EQ(ColumnTexts(t, 2), (Strings{"a", "c", "b"}));
  ASSERT_TRUE(t.Strings()->OnBeforeSortExchange());
}

TEST(RLData, RemovingARowFromASortedTableKeepsTheOrder) {
  TRLData t(nullptr);
  Load(t, {{"c"}, {"a"}, {"d"}, {"b"}});
  t.Sort(1, -1, true);
  t.RemoveRow(2);  // "b"
  EXPECT_EQ(ColumnTexts(t, 1), (Strings{"a", "c", "d"}));
  t.UnSort();  // the order was committed
  EXPECT_EQ(ColumnTexts(t, 1), (Strings{"a", "c", "d"}));
}

TEST(RLData, AssignKeepsStorageOrderAndTheSortedView) {
  TRLData a(nullptr);
  Load(a, {{"b", "1"}, {"c", "2"}, {"a", "3"}});
  a.SetHeader(1, "Letter");
  a.SetColumnFormat(2, "[i][]");
  a.SetColumnCheckMode(2, cmBox);
  a.SetComment("note");
  a.SetDataID("id");
  a.SetRowAttrib(3, 64);
  a.Sort(1, -1, true);

  TRLData b(nullptr);
  int changes = 0;
  b.Strings()->SetOnChange([&](host::TObject*) { ++changes; });
  b.Assign(&a);
  EXPECT_GT(changes, 0);  // the view's wiring on b survives
  EXPECT_EQ(ColumnTexts(b, 1), (Strings{"a", "b", "c"}));
  EXPECT_EQ(b.RowAttrib(1), 64);
  EXPECT_EQ(b.LastSortColumn(), 1);
  EXPECT_EQ(b.Header(1), "Letter");
  EXPECT_EQ(b.ColumnFormat(2), "[i][]");
  EXPECT_EQ(b.ColumnCheckMode(2), cmBox);
  EXPECT_EQ(b.Comment(), "note");
  EXPECT_EQ(b.DataID(), "id");
  b.UnSort();
  EXPECT_EQ(ColumnTexts(b, 1), (Strings{"b", "c", "a"}));

  TRLData c(nullptr);
  a.AssignTo(&c);
  EXPECT_EQ(c.NrOfRows(), 3);
  EXPECT_THROW(c.Assign(nullptr), host::EConvertError);
}

TEST(RLData, ClipboardCopyTakesTheHiddenColumn) {
  TRLData t(nullptr);
  Load(t, {{"a"}, {"b"}});
  t.SetElem(0, 1, "h1");
  t.SetElem(0, 2, "h2");
  t.CopyToClipBoard(0, 1, 1, 2, false, ';');
  EXPECT_EQ(host::Clipboard()->AsText(), "h1;a\nh2;b\n");
  t.CopyToClipBoard(0, 2, 1, 2, true, false);
  EXPECT_EQ(host::Clipboard()->AsText(), "   C-1 \n\nh2 b   \n");
}

TEST(RLData, ClipboardCopyInBothForms) {
  TRLData t(nullptr);
  Load(t, {{"a", "b"}, {"c", "d"}});
  t.SetHeader(1, "H1");
  t.SetHeader(2, "H2");
  t.CopyToClipBoard(1, 1, 2, 2, true, true);
  EXPECT_EQ(host::Clipboard()->AsText(), "H1\tH2\n\na\tb\nc\td\n");
  t.CopyToClipBoard(1, 2, 2, 2, false, ';');
  EXPECT_EQ(host::Clipboard()->AsText(), "c;d\n");

  Load(t, {{"long text", "é"}, {"x", "yy"}});
  t.SetHeader(1, "H");
  t.SetHeader(2, "Head");
  t.SetColumnCheckMode(2, cmBox);  // the flag widens the column by one
  t.CopyToClipBoard(1, 1, 2, 2, true, false);
  // Widths 9 and 4 (" yy" and "Head"), each field one wider.
  EXPECT_EQ(host::Clipboard()->AsText(),
            "H         Head \n\n"
            "long text é    \n"
            "x         yy   \n");
}
