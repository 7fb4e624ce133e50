#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/Zel_datatable.h"

using zel::TDataTable;

namespace {

// A table whose value at (c, r) is 10 * c + r and whose column and row names
// say where they started, so moves are visible.
void Number(TDataTable& t, int cols, int rows) {
  t.Resize(cols, rows);
  for (int c = 1; c <= cols; ++c) {
    t.SetColName(c, "c" + std::to_string(c));
    t.SetColAttrib(c, uint8_t(c));
    for (int r = 1; r <= rows; ++r) t.SetElem(c, r, 10 * c + r);
  }
  for (int r = 1; r <= rows; ++r) t.SetRowName(r, "r" + std::to_string(r));
}

std::vector<double> Row(const TDataTable& t, int r) {
  std::vector<double> v;
  for (int c = 1; c <= t.NrOfColumns(); ++c) v.push_back(t.GetElem(c, r));
  return v;
}

using V = std::vector<double>;

}  // namespace

TEST(DataTable, ResizeKeepsCellsStatesAndNamesAndReportsOldAndNewSize) {
  TDataTable t;
  Number(t, 3, 2);
  t.SetCellState(3, 2, 64);
  std::vector<int> dims;
  t.SetOnDimensionChanged([&](host::TObject*, int oc, int orr, int nc, int nr) {
    dims = {oc, orr, nc, nr};
  });
  t.Resize(4, 3);
  EXPECT_EQ(dims, (std::vector<int>{3, 2, 4, 3}));
  EXPECT_EQ(t.GetElem(3, 2), 32);
  EXPECT_EQ(t.GetCellState(3, 2), 64);
  EXPECT_EQ(t.GetColName(3), "c3");
  EXPECT_EQ(t.GetElem(4, 3), 0);
  t.Resize(0, 0);
  EXPECT_EQ(t.NrOfColumns(), 1);
  EXPECT_EQ(t.NrOfRows(), 1);
  EXPECT_EQ(t.GetElem(1, 1), 11);
}

TEST(DataTable, InsertAndRemoveMoveCellsWithTheirHeadings) {
  TDataTable t;
  Number(t, 3, 3);
  t.SetCellState(2, 2, 16);
  t.InsertRow(2);
  EXPECT_EQ(Row(t, 1), (V{11, 21, 31}));
  EXPECT_EQ(Row(t, 2), (V{0, 0, 0}));
  EXPECT_EQ(Row(t, 3), (V{12, 22, 32}));
  EXPECT_EQ(t.GetCellState(2, 3), 16);
  EXPECT_EQ(t.GetRowName(3), "r2");
  t.InsertColumn(1);
  EXPECT_EQ(Row(t, 3), (V{0, 12, 22, 32}));
  EXPECT_EQ(t.GetColAttrib(2), 1);
  EXPECT_EQ(t.GetCellState(3, 3), 16);
  t.InsertColumn(t.NrOfColumns() + 1);  // appends
  EXPECT_EQ(t.NrOfColumns(), 5);
  t.RemoveColumn(1);
  t.RemoveColumn(4);
  t.RemoveRow(2);
  EXPECT_EQ(Row(t, 2), (V{12, 22, 32}));
  EXPECT_EQ(t.GetCellState(2, 2), 16);
  EXPECT_EQ(t.GetColName(1), "c1");
}

TEST(DataTable, TheLastRowOrColumnIsNeverRemovedAndBadIndexesAreIgnored) {
  TDataTable t;
  Number(t, 1, 1);
  int calls = 0;
  t.SetOnDimensionChanged([&](host::TObject*, int, int, int, int) { ++calls; });
  t.RemoveColumn(1);
  t.RemoveRow(1);
  t.InsertRow(3);
  t.InsertColumn(0);
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(t.GetElem(1, 1), 11);
}

TEST(DataTable, MirrorReversesCellsAndHeadings) {
  TDataTable t;
  Number(t, 3, 2);
  t.SetCellState(1, 1, 128);
  t.MirrorColumns();
  EXPECT_EQ(Row(t, 1), (V{31, 21, 11}));
  EXPECT_EQ(t.GetCellState(3, 1), 128);
  EXPECT_EQ(t.GetColName(1), "c3");
  t.MirrorRows();
  EXPECT_EQ(Row(t, 1), (V{32, 22, 12}));
  EXPECT_EQ(t.GetRowName(1), "r2");
  EXPECT_EQ(t.GetCellState(3, 2), 128);
}

TEST(DataTable, StateOperationsTouchOnlyTheirBits) {
  TDataTable t;
  t.Resize(2, 1);
  t.SetCellState(1, 1, 64 | 16 | 2);
  t.SetCellState(2, 1, 128 | 1);
  t.ExchangeMarkings();
  EXPECT_EQ(t.GetCellState(1, 1), 128 | 16 | 2);
  EXPECT_EQ(t.GetCellState(2, 1), 64 | 1);
  t.InvertCellStates(16);
  EXPECT_EQ(t.GetCellState(1, 1), 128 | 2);
  EXPECT_EQ(t.GetCellState(2, 1), 64 | 16 | 1);
  EXPECT_EQ(t.CountCellStates(64), 1);
  t.UnmarkAllCells();
  EXPECT_EQ(t.GetCellState(1, 1), 2);
  EXPECT_EQ(t.GetCellState(2, 1), 16 | 1);
  EXPECT_FALSE(t.GetIsNumber(1, 1));
  EXPECT_FALSE(t.GetIsNumber(3, 1));
  t.SetCellState(1, 1, 16 | 4);
  EXPECT_TRUE(t.GetIsNumber(1, 1));
}

TEST(DataTable, FillMarkedCellsReturnsTheCellsWrittenAndNotifiesOnce) {
  TDataTable t;
  t.Resize(3, 3);
  t.ElemMatrix().Fill(1);
  t.SetCellState(1, 1, 64);
  t.SetCellState(2, 3, 128);
  t.SetCellState(3, 3, 2);
  int changes = 0;
  t.SetOnDataChanged([&](host::TObject*) { ++changes; });
  EXPECT_EQ(t.FillMarkedCells(9, 64 | 128), 2);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(t.GetElem(1, 1), 9);
  EXPECT_EQ(t.GetElem(2, 3), 9);
  EXPECT_EQ(t.GetElem(3, 3), 1);
  EXPECT_EQ(t.FillMarkedCells(5, 0), 0);
  EXPECT_EQ(t.FillMarkedCells(5, 32), 0);
  EXPECT_EQ(changes, 1) << "nothing written, nothing to report";
}

TEST(DataTable, ClearResetsContentButKeepsSizeAndScales) {
  TDataTable t;
  Number(t, 2, 2);
  t.SetCellState(1, 1, 255);
  t.SetFComment("run 4");
  t.SetMScaleType(2, zel::mstNominal);
  t.SetNominalID(2, 1, "red");
  t.Clear();
  EXPECT_EQ(t.NrOfColumns(), 2);
  EXPECT_EQ(t.GetElem(2, 2), 0);
  EXPECT_EQ(t.GetCellState(1, 1), 0);
  EXPECT_EQ(t.GetColName(1), "");
  EXPECT_EQ(t.GetRowName(2), "");
  EXPECT_EQ(t.GetColAttrib(2), 0);
  EXPECT_EQ(t.Comment(), "");
  EXPECT_EQ(t.GetMScaleType(2), zel::mstNominal);
  EXPECT_EQ(t.GetNominalID(2, 1), "red");
}

TEST(DataTable, NamesAreCutAtFiftyCharactersWithoutSplittingOne) {
  TDataTable t;
  std::string name;
  for (int i = 0; i < 60; ++i) name += "\xC3\xA4";  // ä
  t.SetColName(1, name);
  EXPECT_EQ(t.GetColName(1), name.substr(0, 100));
  t.SetRowName(2, "x");  // outside
  EXPECT_EQ(t.GetRowName(2), "");
  EXPECT_EQ(t.GetColAttrib(0), 0);
}

TEST(DataTable, CategoriesOfANominalColumn) {
  TDataTable t;
  t.Resize(2, 1);
  t.SetMScaleType(1, zel::mstNominal);
  t.SetMScaleType(1, 200);  // not a scale type: ignored
  EXPECT_EQ(t.GetMScaleType(1), zel::mstNominal);
  EXPECT_TRUE(zel::IsCategorical(t.GetMScaleType(1)));
  t.SetNominalID(1, 3, "Yellowish-green");
  t.SetNominalID(1, 151, "no");
  EXPECT_EQ(t.GetNominalID(1, 3), "Yellowish-");
  EXPECT_EQ(t.GetNominalID(1, 2), "");
  EXPECT_EQ(t.GetNominalID(1, 151), "");
  EXPECT_EQ(t.OrdinalOfNominalID(1, "yellowish-", true), 3);
  EXPECT_EQ(t.OrdinalOfNominalID(1, "yellowish-", false), 0);
  t.InsertColumn(1);
  EXPECT_EQ(t.GetNominalID(2, 3), "Yellowish-") << "categories travel with their column";
}

TEST(DataTable, SortExchangesReplayToTheSortedOrder) {
  TDataTable t;
  t.Resize(4, 2);
  const double keys[] = {3, 1, 4, 2};
  for (int c = 1; c <= 4; ++c) {
    t.SetElem(c, 1, keys[c - 1]);
    t.SetColName(c, std::to_string(int(keys[c - 1])));
  }
  t.SetCellState(3, 1, 2);  // an empty cell sorts last
  std::vector<std::string> replay = {"3", "1", "4", "2"};
  int percent = -1;
  t.SetOnSortExchange([&](host::TObject*, int kind, int a, int b) {
    EXPECT_EQ(kind, 1);
    std::swap(replay[size_t(a - 1)], replay[size_t(b - 1)]);
  });
  t.SetOnPercentDone([&](host::TObject*, int p) { percent = p; });
  t.SortCols(1, true, 1, 1, 4, 2, true);
  EXPECT_EQ(Row(t, 1), (V{1, 2, 3, 4}));
  EXPECT_EQ(t.GetCellState(4, 1), 2);
  EXPECT_EQ(replay, (std::vector<std::string>{"1", "2", "3", "4"}));
  for (int c = 1; c <= 4; ++c) EXPECT_EQ(t.GetColName(c), replay[size_t(c - 1)]);
  EXPECT_EQ(percent, 100);
}

TEST(DataTable, DetachNotificationsClearsOnlyThoseOfTheOwner) {
  TDataTable t;
  int a = 0, b = 0;
  const int ownerA = 0, ownerB = 0;
  t.SetOnDataChanged([&](host::TObject*) { ++a; }, &ownerA);
  t.SetOnSetupChanged([&](host::TObject*) { ++b; }, &ownerB);
  t.SetOnDimensionChanged([&](host::TObject*, int, int, int, int) { ++a; }, &ownerA);
  t.DetachNotifications(&ownerA);
  t.SetElem(1, 1, 1);
  t.Resize(2, 2);
  t.SetColName(1, "x");
  EXPECT_EQ(a, 0);
  EXPECT_EQ(b, 1);
}

TEST(DataTable, AssignCopiesEverythingButTheNotifications) {
  TDataTable a, b;
  Number(a, 3, 2);
  a.SetCellState(2, 2, 64);
  a.SetFComment("src");
  a.SetMScaleType(1, zel::mstOrdinal);
  a.SetNominalID(1, 2, "low");
  int dimCalls = 0;
  b.SetOnDimensionChanged([&](host::TObject*, int, int, int, int) { ++dimCalls; });
  b.Assign(a);
  EXPECT_EQ(dimCalls, 1);
  EXPECT_EQ(Row(b, 2), Row(a, 2));
  EXPECT_EQ(b.GetCellState(2, 2), 64);
  EXPECT_EQ(b.GetColName(3), "c3");
  EXPECT_EQ(b.Comment(), "src");
  EXPECT_EQ(b.GetNominalID(1, 2), "low");
  EXPECT_FALSE(a.OnDimensionChanged());
  TDataTable small;
  small.Resize(2, 1);
  small.SetCellState(2, 1, 128);
  b.AssignCellStates(small);
  EXPECT_EQ(b.GetCellState(2, 1), 128);
  EXPECT_EQ(b.GetCellState(2, 2), 64) << "cells the source lacks keep their states";
}

TEST(DataTable, ExchangeMarkingsSwapsOnlyTheMarkBitsOfEveryCell) {
  TDataTable t;
  t.Resize(5, 3);  // 15 cells: whole words of eight and a tail
  for (int r = 1; r <= 3; ++r)
    for (int c = 1; c <= 5; ++c) t.SetCellState(c, r, uint8_t(17 * (5 * (r - 1) + c)));
  t.ExchangeMarkings();
  for (int r = 1; r <= 3; ++r)
    for (int c = 1; c <= 5; ++c) {
      const uint8_t before = uint8_t(17 * (5 * (r - 1) + c));
      const uint8_t want =
          uint8_t((before & 63) | ((before & 64) ? 128 : 0) | ((before & 128) ? 64 : 0));
      EXPECT_EQ(t.GetCellState(c, r), want) << c << "," << r;
    }
}

TEST(DataTable, ASortMovesOnlyTheCellsOfItsBlock) {
  TDataTable t;
  Number(t, 2, 4);
  t.SetElem(1, 2, 99);                      // column 1: 11, 99, 13, 14
  t.SortRows(1, false, 1, 1, 1, 3, false);  // rows 1..3, column 1 only, descending
  EXPECT_EQ(t.GetElem(1, 1), 99);
  EXPECT_EQ(t.GetElem(1, 2), 13);
  EXPECT_EQ(t.GetElem(1, 3), 11);
  EXPECT_EQ(t.GetElem(1, 4), 14) << "outside the rows";
  EXPECT_EQ(t.GetElem(2, 1), 21) << "outside the columns";
  EXPECT_EQ(t.GetRowName(1), "r1") << "headings stay without IncludeHeaders";
  t.SetRowAttrib(1, 5);
  t.SetRowAttrib(4, 1);
  t.SortRowAttributes(true, 1, 1, 2, 99);  // a block past the table is cut to it
  EXPECT_EQ(t.GetRowAttrib(1), 0);
  EXPECT_EQ(t.GetRowAttrib(4), 5);
  EXPECT_EQ(t.GetRowName(4), "r1");
  EXPECT_EQ(t.GetElem(2, 4), 21);
}
