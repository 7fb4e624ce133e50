#include "host/grid/GridAxis.h"

#include <algorithm>

namespace host {

void TGridAxis::SetCount(int n) {
  n = std::max(n, 0);
  if (n == FCount) return;
  FCount = n;
  FSizes.erase(FSizes.lower_bound(n), FSizes.end());
  Changed();
}

void TGridAxis::SetDefaultSize(int v) {
  FDefault = std::max(v, 0);
  FSizes.clear();
  FTree.clear();
  FTree.shrink_to_fit();
  Changed();
}

int TGridAxis::Size(int i) const {
  if (i < 0 || i >= FCount) return 0;
  auto it = FSizes.find(i);
  return it == FSizes.end() ? FDefault : it->second;
}

void TGridAxis::SetSize(int i, int v) {
  if (i < 0 || i >= FCount) return;
  v = std::max(v, 0);
  const int old = Size(i);
  if (v == old) return;
  if (v == FDefault)
    FSizes.erase(i);
  else
    FSizes[i] = v;
  // A tree that is stale or not made yet is built on the next query instead.
  if (!FTreeValid || FTree.empty()) {
    Changed();
    return;
  }
  const int64_t d = Delta(v) - Delta(old);
  for (size_t b = size_t(i >> kBlockBits) + 1; b < FTree.size(); b += b & (~b + 1)) FTree[b] += d;
}

void TGridAxis::SetLineWidth(int w) {
  w = std::max(w, 0);
  if (w == FLine) return;
  FLine = w;
  Changed();
}

int TGridAxis::Extent(int i) const {
  int s = Size(i);
  return s > 0 ? s + FLine : 0;
}

// Linear build: each node passes its sum on to its parent once.
void TGridAxis::BuildTree() const {
  FTreeValid = true;
  FTree.clear();
  if (FSizes.empty()) return;
  const size_t blocks = (size_t(FCount) + kBlock - 1) >> kBlockBits;
  FTree.assign(blocks + 1, 0);
  for (auto [i, s] : FSizes) FTree[size_t(i >> kBlockBits) + 1] += Delta(s);
  for (size_t b = 1; b <= blocks; ++b) {
    const size_t parent = b + (b & (~b + 1));
    if (parent <= blocks) FTree[parent] += FTree[b];
  }
}

const std::vector<int64_t>& TGridAxis::Tree() const {
  if (!FTreeValid) BuildTree();
  return FTree;
}

int64_t TGridAxis::BlocksDelta(int b) const {
  const std::vector<int64_t>& t = Tree();
  int64_t sum = 0;
  for (size_t k = std::min(size_t(b), t.empty() ? 0 : t.size() - 1); k > 0; k &= k - 1) sum += t[k];
  return sum;
}

int64_t TGridAxis::Offset(int i) const {
  i = std::clamp(i, 0, FCount);
  int64_t off = int64_t(i) * DefaultExtent();
  if (Tree().empty()) return off;
  const int b = i >> kBlockBits;
  off += BlocksDelta(b);
  for (auto it = FSizes.lower_bound(b << kBlockBits); it != FSizes.end() && it->first < i; ++it)
    off += Delta(it->second);
  return off;
}

// The Fenwick descent: whole blocks only, so the walk never counts past the
// last cell. Block lengths are never negative, so the sums grow with b.
int TGridAxis::WholeBlocksUpTo(int64_t off, int64_t& length) const {
  const std::vector<int64_t>& t = Tree();
  const size_t whole = size_t(FCount) >> kBlockBits;
  const int64_t blockLength = int64_t(kBlock) * DefaultExtent();
  size_t pos = 0;
  length = 0;
  size_t step = 1;
  while (step * 2 <= whole) step *= 2;
  for (; whole > 0 && step > 0; step /= 2) {
    const size_t next = pos + step;
    if (next > whole) continue;
    const int64_t l = length + int64_t(step) * blockLength + t[next];
    if (l <= off) {
      pos = next;
      length = l;
    }
  }
  return int(pos);
}

int TGridAxis::IndexAt(int64_t off) const {
  if (off < 0) return 0;
  const int64_t def = DefaultExtent();
  if (Tree().empty()) return def > 0 ? int(std::min<int64_t>(off / def, FCount)) : FCount;
  int64_t at = 0;
  int cur = WholeBlocksUpTo(off, at) << kBlockBits;
  const int end = int(std::min<int64_t>(int64_t(cur) + kBlock, FCount));
  // Within the block: runs of default cells in one step, sized cells one by one.
  auto run = [&](int to) {
    const int64_t n = to - cur;
    if (def == 0 || at + n * def <= off) {
      at += n * def;
      cur = to;
      return true;
    }
    cur += int((off - at) / def);
    return false;
  };
  for (auto it = FSizes.lower_bound(cur); it != FSizes.end() && it->first < end; ++it) {
    if (!run(it->first)) return cur;
    const int64_t e = Delta(it->second) + def;
    if (at + e > off) return cur;
    at += e;
    ++cur;
  }
  run(end);
  return cur;
}

int TGridAxis::FirstAtOrAfter(int64_t off) const {
  if (off <= 0) return 0;
  // Offsets are whole pixels: the first at or after `off` follows the last
  // one before it.
  return std::min(IndexAt(off - 1) + 1, FCount);
}

int TGridAxis::ShownAtOrAfter(int i) const {
  if (i < 0) i = 0;
  if (i >= FCount) return FCount;
  // A hidden run shares the offset of the shown cell after it.
  return Size(i) > 0 ? i : IndexAt(Offset(i));
}

int TGridAxis::ShownAtOrBefore(int i) const {
  if (i >= FCount) i = FCount - 1;
  if (i < 0) return -1;
  if (Size(i) > 0) return i;
  // The first cell starting where i starts follows the last shown one.
  return FirstAtOrAfter(Offset(i)) - 1;
}

}  // namespace host
