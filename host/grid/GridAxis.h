// One axis of a grid, its columns or its rows: how many cells there are, the
// size of each and the pixel offset where each starts.
//
// Sizes that differ from the default are kept sparsely, so a hundred million
// rows cost nothing until some are resized, and offsets are 64-bit because such
// an axis is far longer than an int can count in pixels. A cell of size 0 is
// hidden: it takes no space, not even for its grid line.
//
// Offsets. A program may size (or hide) every one of a million rows, asking
// for offsets in between (the grid clamps its scroll position after each
// set), so a set must not cost a pass over all sized cells. The cells are
// grouped in blocks of kBlock; a Fenwick tree over the blocks sums how much
// each block differs from its default length. A set updates the tree in
// O(log blocks); an offset is the tree's sum up to the cell's block plus the
// sized cells before it within that block. Changes that touch every cell
// (count, default, line width) only mark the tree stale; it is rebuilt once,
// on the next query, and not made at all while no cell is sized.
#pragma once

#include <cstdint>
#include <map>
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
  // The first shown cell at or after i (Count when none), and the last shown
  // cell at or before i (-1 when none): how keys step over hidden cells.
  int ShownAtOrAfter(int i) const;
  int ShownAtOrBefore(int i) const;

 private:
  static constexpr int kBlockBits = 8;
  static constexpr int kBlock = 1 << kBlockBits;

  int FCount = 0;
  int FDefault = 0;
  int FLine = 0;
  std::map<int, int> FSizes;  // cells whose size is not the default
  // 1-based Fenwick tree over the blocks: Extent - default extent, summed over
  // the sized cells of each block. Empty while no cell is sized.
  mutable std::vector<int64_t> FTree;
  mutable bool FTreeValid = true;

  int DefaultExtent() const { return FDefault > 0 ? FDefault + FLine : 0; }
  int64_t Delta(int size) const { return (size > 0 ? size + FLine : 0) - DefaultExtent(); }
  void Changed() { FTreeValid = false; }
  void BuildTree() const;
  const std::vector<int64_t>& Tree() const;
  // Sum of the deltas of blocks 0..b-1.
  int64_t BlocksDelta(int b) const;
  // The largest count of whole blocks whose length ends at or before `off`,
  // with that length.
  int WholeBlocksUpTo(int64_t off, int64_t& length) const;
};

}  // namespace host
