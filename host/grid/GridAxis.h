// One axis of a grid, its columns or its rows: how many cells there are, the
// size of each and the pixel offset where each starts.
//
// Sizes that differ from the default are kept sparsely, so a hundred million
// rows cost nothing until some are resized, and offsets are 64-bit because such
// an axis is far longer than an int can count in pixels. A cell of size 0 is
// hidden: it takes no space, not even for its grid line.
#pragma once

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace host {

class TGridAxis {
 public:
  int Count() const { return FCount; }
  // Sizes set for cells at or beyond the new count are forgotten.
  void SetCount(int n);
  int DefaultSize() const { return FDefault; }
  // Forgets every individual size: all cells take the new default.
  void SetDefaultSize(int v);
  // 0 outside 0..Count-1.
  int Size(int i) const;
  // Ignored outside 0..Count-1; negative sizes become 0.
  void SetSize(int i, int v);
  // Pixels of grid line after each shown cell.
  int LineWidth() const { return FLine; }
  void SetLineWidth(int w);

  // Pixels cell i takes with its line (0 for a hidden or absent cell).
  int Extent(int i) const;
  // Start of cell i counted from the start of cell 0; Offset(Count()) is the
  // whole length. i is clamped to 0..Count.
  int64_t Offset(int i) const;
  // The largest i in 0..Count with Offset(i) <= off: the cell holding pixel
  // `off` (Count when off lies at or beyond the end; hidden cells never win).
  int IndexAt(int64_t off) const;
  // The smallest i in 0..Count with Offset(i) >= off.
  int FirstAtOrAfter(int64_t off) const;

 private:
  int FCount = 0;
  int FDefault = 0;
  int FLine = 0;
  std::map<int, int> FSizes;  // cells whose size is not the default
  // (cell, sum of Extent - default extent over the cells in FSizes up to and
  // including it), rebuilt on demand after a change.
  mutable std::vector<std::pair<int, int64_t>> FPrefix;
  mutable bool FPrefixValid = true;
  int DefaultExtent() const { return FDefault > 0 ? FDefault + FLine : 0; }
  void Changed() { FPrefixValid = false; }
  void BuildPrefix() const;
};

}  // namespace host
