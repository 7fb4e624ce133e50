#include "foundation/Zel_matrix.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <string>

namespace zel {

namespace {

// Far below what std::vector could address, but beyond any table a lab front-end
// keeps in memory; a size above it is a caller's mistake, not a request to try.
constexpr int64_t kMaxCells = int64_t(1) << 31;

}  // namespace

template <typename T>
void ReshapeFlat(std::vector<T>& v, int OldCols, int OldRows, int NewCols, int NewRows, T Fill,
                 const char* What) {
  const int64_t cells = int64_t(NewCols) * int64_t(NewRows);
  if (cells > kMaxCells)
    throw EZELMatrixError(std::string(What) + ": not enough memory for " + std::to_string(NewCols) +
                          " x " + std::to_string(NewRows) + " cells");
  try {
    if (NewCols == OldCols) {
      // Rows are contiguous: a row count change keeps every remaining row in place.
      v.resize(size_t(cells), Fill);
      return;
    }
    std::vector<T> out(size_t(cells), Fill);
    const int keepCols = std::min(OldCols, NewCols);
    const int keepRows = std::min(OldRows, NewRows);
    for (int r = 0; r < keepRows; ++r)
      std::copy_n(v.begin() + int64_t(r) * OldCols, keepCols, out.begin() + int64_t(r) * NewCols);
    v.swap(out);
  } catch (const std::bad_alloc&) {
    throw EZELMatrixError(std::string(What) + ": not enough memory for " + std::to_string(NewCols) +
                          " x " + std::to_string(NewRows) + " cells");
  }
}

template void ReshapeFlat<double>(std::vector<double>&, int, int, int, int, double, const char*);
template void ReshapeFlat<uint8_t>(std::vector<uint8_t>&, int, int, int, int, uint8_t, const char*);
template void ReshapeFlat<int>(std::vector<int>&, int, int, int, int, int, const char*);

namespace {

// Resizes a matrix's cells and then its counts, so a failure changes neither.
template <typename T>
void ResizeCells(std::vector<T>& v, int& cols, int& rows, int NewCols, int NewRows, int MinRows,
                 const char* What) {
  NewCols = std::max(1, NewCols);
  NewRows = std::max(MinRows, NewRows);
  ReshapeFlat(v, cols, rows, NewCols, NewRows, T{}, What);
  cols = NewCols;
  rows = NewRows;
}

}  // namespace

void TMatrix::Resize(int NrCols, int NrRows) {
  ResizeCells(FVals, FNrCols, FNrRows, NrCols, NrRows, 1, "Matrix");
}

void TMatrix::SetElem(int Col, int Row, double Value) {
  if (Inside(Col, Row)) FVals[Index(Col, Row)] = Value;
}

void TMatrix::Fill(double Value) {
  std::fill(FVals.begin(), FVals.end(), Value);
  if (FOnChange) FOnChange();
}

void TIntMatrix::Resize(int NrCols, int NrRows) {
  ResizeCells(FVals, FNrCols, FNrRows, NrCols, NrRows, 0, "Integer matrix");
}

int TIntMatrix::GetVal(int Col, int Row) const {
  if (Col < 1 || Col > FNrCols || Row < 1 || Row > FNrRows) return 0;
  return FVals[size_t(Row - 1) * size_t(FNrCols) + size_t(Col - 1)];
}

void TIntMatrix::SetVal(int Col, int Row, int Value) {
  if (Col < 1 || Col > FNrCols || Row < 1 || Row > FNrRows) return;
  FVals[size_t(Row - 1) * size_t(FNrCols) + size_t(Col - 1)] = Value;
}

}  // namespace zel
