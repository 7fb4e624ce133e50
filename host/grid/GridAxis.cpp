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
  if (v == FDefault)
    FSizes.erase(i);
  else
    FSizes[i] = v;
  Changed();
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

void TGridAxis::BuildPrefix() const {
  FPrefix.clear();
  FPrefix.reserve(FSizes.size());
  int64_t sum = 0;
  int def = DefaultExtent();
  for (auto [i, s] : FSizes) {
    sum += (s > 0 ? s + FLine : 0) - def;
    FPrefix.emplace_back(i, sum);
  }
  FPrefixValid = true;
}

int64_t TGridAxis::Offset(int i) const {
  i = std::clamp(i, 0, FCount);
  if (!FPrefixValid) BuildPrefix();
  int64_t off = int64_t(i) * DefaultExtent();
  // The last individually sized cell before i carries the sum of all deltas.
  auto it = std::lower_bound(FPrefix.begin(), FPrefix.end(), i,
                             [](const std::pair<int, int64_t>& p, int v) { return p.first < v; });
  if (it != FPrefix.begin()) off += std::prev(it)->second;
  return off;
}

int TGridAxis::IndexAt(int64_t off) const {
  int lo = 0, hi = FCount;  // Offset(lo) <= off holds for lo = 0 when off >= 0
  if (off < 0) return 0;
  while (lo < hi) {
    int mid = lo + (hi - lo + 1) / 2;
    if (Offset(mid) <= off)
      lo = mid;
    else
      hi = mid - 1;
  }
  return lo;
}

int TGridAxis::FirstAtOrAfter(int64_t off) const {
  int lo = 0, hi = FCount;
  while (lo < hi) {
    int mid = lo + (hi - lo) / 2;
    if (Offset(mid) >= off)
      hi = mid;
    else
      lo = mid + 1;
  }
  return lo;
}

}  // namespace host
