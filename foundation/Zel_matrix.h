/// @file
/// Matrices of the math library: TMatrix, the double values behind a data table,
/// and TIntMatrix, a small integer table (the mini calendar keeps its holidays in
/// one). Both store their cells in one flat array, row after row, so a bulk
/// operation is one pass over contiguous memory and a row count change keeps the
/// rows that remain without moving them.
///
/// Indexes are 1-based. Out-of-range indexes are ignored on write and read as 0;
/// they never throw. Only a size that cannot be allocated raises EZELMatrixError.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "foundation/Zel_zelbase.h"

namespace zel {

/// Raised when a matrix cannot take the requested size.
class EZELMatrixError : public EZELError {
 public:
  using EZELError::EZELError;
};

/// A rectangle of doubles, NrOfColumns x NrOfRows (at least 1 x 1).
class TMatrix : public host::TObject {
 public:
  TMatrix() = default;
  TMatrix(int NrCols, int NrRows) { Resize(NrCols, NrRows); }

  int NrOfColumns() const { return FNrCols; }
  int NrOfRows() const { return FNrRows; }
  /// Keeps the cells that lie in both the old and the new size; new cells are 0.
  /// Counts below 1 count as 1.
  void Resize(int NrCols, int NrRows);

  ///@{
  double Elem(int Col, int Row) const { return Inside(Col, Row) ? FVals[Index(Col, Row)] : 0.0; }
  void SetElem(int Col, int Row, double Value);
  ///@}
  /// Sets every value; one change notification.
  void Fill(double Value);

  /// Called after Fill (a matrix owned by a data table forwards it to the
  /// table's data-changed notification). Single values do not call it: the
  /// owner of a matrix notifies for those itself.
  void SetOnChange(std::function<void()> h) { FOnChange = std::move(h); }

  bool Inside(int Col, int Row) const {
    return Col >= 1 && Col <= FNrCols && Row >= 1 && Row <= FNrRows;
  }
  /// The flat position of a cell known to be inside.
  size_t Index(int Col, int Row) const {
    return size_t(Row - 1) * size_t(FNrCols) + size_t(Col - 1);
  }
  /// The values, row after row (for bulk work by the data table).
  std::vector<double>& Values() { return FVals; }
  const std::vector<double>& Values() const { return FVals; }

  /// The class name, for the host's streaming and type checks.
  std::string ClassName() const override { return "TMatrix"; }

 private:
  int FNrCols = 1, FNrRows = 1;
  std::vector<double> FVals = std::vector<double>(1, 0.0);
  std::function<void()> FOnChange;
};

/// A rectangle of integers. Unlike TMatrix it may have 0 rows (an empty list of
/// entries that grows row by row).
class TIntMatrix : public host::TObject {
 public:
  TIntMatrix() = default;
  TIntMatrix(int NrCols, int NrRows) { Resize(NrCols, NrRows); }

  int NrOfColumns() const { return FNrCols; }
  int NrOfRows() const { return FNrRows; }
  /// Keeps the overlapping cells; new cells are 0. Columns below 1 count as 1,
  /// rows below 0 as 0.
  void Resize(int NrCols, int NrRows);
  /// Changes only the row count, keeping the content of the rows that remain.
  void SetNRows(int n) { Resize(FNrCols, n); }

  ///@{
  int GetVal(int Col, int Row) const;
  void SetVal(int Col, int Row, int Value);
  ///@}

  /// The class name, for the host's streaming and type checks.
  std::string ClassName() const override { return "TIntMatrix"; }

 private:
  int FNrCols = 1, FNrRows = 0;
  std::vector<int> FVals;
};

/// Reshapes a row-after-row array of OldCols x OldRows cells into NewCols x
/// NewRows, keeping the overlapping cells and filling new ones with Fill. Raises
/// EZELMatrixError (What names the container) when the size cannot be held.
template <typename T>
void ReshapeFlat(std::vector<T>& v, int OldCols, int OldRows, int NewCols, int NewRows, T Fill,
                 const char* What);

}  // namespace zel
