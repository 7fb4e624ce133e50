// Copy modes, stretched copies and the canvas image members (Draw, StretchDraw,
// CopyRect).
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <type_traits>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "host/gfx/Graphics.h"
#include "host/gfx/Raster.h"

namespace host {

using raster::kRgbMask;
using raster::PixelOf;
using raster::Target;

namespace {

__extension__ typedef unsigned __int128 Wide;

[[noreturn]] void RefuseRop(TCopyMode rop) {
  char code[16];
  std::snprintf(code, sizeof code, "$%08X", static_cast<unsigned>(rop));
  throw EInvalidOperation(std::string("Unsupported copy mode ") + code);
}

// Calls visit with the operation of a copy mode by its boolean formula, a
// generic op(d, s, p) of destination, source and pattern. Anything else is
// refused up front, before a single pixel changes.
template <class Visit>
decltype(auto) WithRop(TCopyMode rop, Visit&& visit) {
  switch (rop) {
    case cmBlackness:
      return visit([](auto d, auto, auto) { return d ^ d; });
    case cmDstInvert:
      return visit([](auto d, auto, auto) { return ~d; });
    case cmMergeCopy:
      return visit([](auto, auto s, auto p) { return s & p; });
    case cmMergePaint:
      return visit([](auto d, auto s, auto) { return ~s | d; });
    case cmNotSrcCopy:
      return visit([](auto, auto s, auto) { return ~s; });
    case cmNotSrcErase:
      return visit([](auto d, auto s, auto) { return ~(s | d); });
    case cmPatCopy:
      return visit([](auto d, auto, auto p) { return (d ^ d) | p; });
    case cmPatInvert:
      return visit([](auto d, auto, auto p) { return p ^ d; });
    case cmPatPaint:
      return visit([](auto d, auto s, auto p) { return p | ~s | d; });
    case cmSrcAnd:
      return visit([](auto d, auto s, auto) { return s & d; });
    case cmSrcCopy:
      return visit([](auto, auto s, auto) { return s; });
    case cmSrcErase:
      return visit([](auto d, auto s, auto) { return s & ~d; });
    case cmSrcInvert:
      return visit([](auto d, auto s, auto) { return s ^ d; });
    case cmSrcPaint:
      return visit([](auto d, auto s, auto) { return s | d; });
    case cmWhiteness:
      return visit([](auto d, auto, auto) { return d | ~d; });
    default:
      RefuseRop(rop);
  }
}

bool RopUsesSource(TCopyMode rop) {
  return rop != cmBlackness && rop != cmWhiteness && rop != cmDstInvert && rop != cmPatCopy &&
         rop != cmPatInvert;
}

// Pixels a copy reads from, in the logical coordinates of their owner.
struct SourceImage {
  const TPixel* bits = nullptr;
  int stride = 0;
  int ox = 0, oy = 0;
  TRect readable;  // logical; outside it nothing can be read
  const TPixel* Ptr(int x, int y) const {
    return bits + size_t(y + oy) * size_t(stride) + size_t(x + ox);
  }
  TPixel At(int x, int y) const { return *Ptr(x, y) & kRgbMask; }
};

SourceImage SourceOf(const TCanvas& c) {
  return SourceImage{c.Surface().Bits, c.Surface().Stride, c.Origin().x, c.Origin().y,
                     c.ClipRect()};
}

// Where destination steps 0..|n|-1 along one axis land, and which source pixels
// each one takes with what weight. A negative length walks from the start pixel
// toward smaller coordinates, so opposite signs mirror.
struct Axis {
  int64_t k0 = 0, k1 = -1;          // destination steps inside the clip
  std::vector<int> dest;            // coordinate of each step
  std::vector<uint32_t> first;      // taps of step k: first[k]..first[k+1]-1
  std::vector<int> tapCoord;        // source coordinate of a tap
  std::vector<uint64_t> tapWeight;  // its share, in units of 1/total
  std::vector<uint8_t> valid;       // every tap of the step is readable
  uint64_t total = 1;

  size_t Steps() const { return dest.size(); }
};

Axis BuildAxis(int d0, int dn, int clipLo, int clipHi, int s0, int sn, int readLo, int readHi,
               bool average) {
  Axis a;
  const int64_t adn = std::llabs(int64_t(dn)), asn = std::llabs(int64_t(sn));
  const int64_t dsign = dn < 0 ? -1 : 1, ssign = sn < 0 ? -1 : 1;
  // Steps whose destination coordinate d0 + dsign*k lies in [clipLo, clipHi).
  a.k0 = std::max<int64_t>(0, dsign > 0 ? clipLo - int64_t(d0) : int64_t(d0) - (clipHi - 1));
  a.k1 = std::min<int64_t>(adn - 1, dsign > 0 ? clipHi - 1 - int64_t(d0) : int64_t(d0) - clipLo);
  if (a.k0 > a.k1 || asn == 0) return Axis{};
  // Source pixel j spans [j*adn, (j+1)*adn), destination step k spans
  // [k*asn, (k+1)*asn); dividing both by their gcd keeps the weights small.
  const int64_t g = std::gcd(adn, asn);
  const int64_t su = adn / g, du = asn / g;
  a.total = average ? uint64_t(du) : 1;
  const size_t steps = size_t(a.k1 - a.k0 + 1);
  a.dest.reserve(steps);
  a.valid.reserve(steps);
  a.first.reserve(steps + 1);
  // A step covers du / su source pixels, touching at most one more.
  const size_t taps = average ? size_t(std::min<int64_t>(du / su + 2, asn)) : 1;
  a.tapCoord.reserve(steps * taps);
  a.tapWeight.reserve(steps * taps);
  a.first.push_back(0);
  for (int64_t k = a.k0; k <= a.k1; ++k) {
    a.dest.push_back(int(d0 + dsign * k));
    bool ok = true;
    auto addTap = [&](int64_t j, uint64_t w) {
      const int64_t sc = s0 + ssign * j;
      ok = ok && sc >= readLo && sc < readHi;
      if (ok) {
        a.tapCoord.push_back(int(sc));
        a.tapWeight.push_back(w);
      }
    };
    if (!average) {
      addTap(((2 * k + 1) * asn) / (2 * adn), 1);  // the pixel under the step's centre
    } else {
      const int64_t lo = k * du, hi = (k + 1) * du;
      for (int64_t j = lo / su; j * su < hi && ok; ++j)
        addTap(j, uint64_t(std::min(hi, (j + 1) * su) - std::max(lo, j * su)));
    }
    a.valid.push_back(ok);
    a.first.push_back(uint32_t(a.tapCoord.size()));
  }
  return a;
}

// The stretched source colour of destination step (kx, ky): the area-weighted
// mean of its taps, rounded to nearest. Acc must hold 255 * total_x * total_y.
template <class Acc>
TPixel Sample(const SourceImage& src, const Axis& ax, const Axis& ay, size_t kx, size_t ky) {
  if (ax.first[kx + 1] - ax.first[kx] == 1 && ay.first[ky + 1] - ay.first[ky] == 1)
    return src.At(ax.tapCoord[ax.first[kx]], ay.tapCoord[ay.first[ky]]);
  Acc sum[3] = {0, 0, 0};
  for (uint32_t ty = ay.first[ky]; ty < ay.first[ky + 1]; ++ty) {
    for (uint32_t tx = ax.first[kx]; tx < ax.first[kx + 1]; ++tx) {
      const TPixel s = src.At(ax.tapCoord[tx], ay.tapCoord[ty]);
      const Acc w = Acc(ax.tapWeight[tx]) * ay.tapWeight[ty];
      sum[0] += Acc(s & 0xFF) * w;
      sum[1] += Acc((s >> 8) & 0xFF) * w;
      sum[2] += Acc((s >> 16) & 0xFF) * w;
    }
  }
  const Acc total = Acc(ax.total) * ay.total;
  TPixel out = 0;
  for (int c = 0; c < 3; ++c) out |= TPixel((sum[c] + total / 2) / total) << (8 * c);
  return out;
}

struct CopyJob {
  TCopyMode rop = cmSrcCopy;
  bool average = false;          // HALFTONE rather than nearest pixel
  const TPixel* skip = nullptr;  // a source colour left out (transparent bitmaps)
  bool usesSource = true;
};

// What a copy stores over destination d for (masked) source s: the copy mode's
// result, or d itself where s is the left-out colour.
template <class Op, bool Keyed>
struct PixelWriter {
  Op op;
  TPixel pattern;
  TPixel key;
  template <class P>
  P operator()(P d, P s) const {
    const P v = op(d, s, pattern) & kRgbMask;
    if constexpr (Keyed) return raster::KeepKey(s, key, d, v);
    return v;
  }
};

// Pointers to the destination pixel of each step: row bases plus column offsets.
struct StepPixels {
  std::vector<size_t> cols;

  StepPixels(const Axis& ax, int ox) {
    cols.reserve(ax.Steps());
    for (int x : ax.dest) cols.push_back(size_t(x + ox));
  }
};

const TPixel* SourceRow(const SourceImage& src, int y) {
  return src.bits + size_t(y + src.oy) * size_t(src.stride);
}
TPixel* TargetRow(const Target& t, int y) { return t.bits + size_t(y + t.oy) * size_t(t.stride); }

template <class Acc, class Write>
void RunCopy(const Target& t, const SourceImage& src, const Axis& ax, const Axis& ay,
             const Write& write, const CopyJob& job) {
  for (size_t ky = 0; ky < ay.Steps(); ++ky) {
    if (!ay.valid[ky]) continue;
    for (size_t kx = 0; kx < ax.Steps(); ++kx) {
      if (!ax.valid[kx]) continue;
      const TPixel s = job.usesSource ? Sample<Acc>(src, ax, ay, kx, ky) : 0;
      TPixel& d = t.At(ax.dest[kx], ay.dest[ky]);
      d = write(d, s);
    }
  }
}

// The spacing of the source columns of consecutive steps when it is the same
// small step everywhere (an unscaled row or a reduction by 2 or 3), else 0.
size_t EvenTapSpacing(const std::vector<size_t>& scols) {
  if (scols.size() < 2 || scols[1] <= scols[0]) return 0;
  const size_t f = scols[1] - scols[0];
  for (size_t k = 1; k < scols.size(); ++k)
    if (scols[k] != scols[k - 1] + f) return 0;
  return f <= 3 ? f : 0;
}

#ifdef __SSE2__
// The pixels p[0], p[F], p[2F], p[3F] (top byte cleared), read as whole
// vectors and picked by lane rather than gathered one by one.
template <int F>
raster::Pixels4 EveryFth(const TPixel* p) {
  auto load = [p](int i) {
    return _mm_castsi128_ps(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)));
  };
  __m128 v;
  if constexpr (F == 1) {
    v = load(0);
  } else if constexpr (F == 2) {
    v = _mm_shuffle_ps(load(0), load(4), _MM_SHUFFLE(2, 0, 2, 0));
  } else {
    const __m128 a = load(0), b = load(4), c = load(8);
    const __m128 ab = _mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 2, 3, 0));  // a0 a3 b2 b2
    const __m128 bc = _mm_shuffle_ps(b, c, _MM_SHUFFLE(1, 1, 2, 2));  // b2 b2 c1 c1
    v = _mm_shuffle_ps(ab, bc, _MM_SHUFFLE(2, 0, 1, 0));              // a0 a3 b2 c1
  }
  return raster::Pixels4(_mm_castps_si128(v)) & kRgbMask;
}

// Stores the steps of a row whose taps are every F-th pixel from s, four at a
// time, as far as the vector loads stay within the taps (the last tap may be
// the last pixel of the surface); returns the steps done.
template <int F, class Write>
size_t NearestEvery(TPixel* d, const TPixel* s, size_t n, const Write& write) {
  size_t k = 0;
  // The loads of steps k..k+3 end at pixel (k+4)F - 1, the last tap at (n-1)F.
  for (; (k + 4) * F <= (n - 1) * F + 1; k += 4)
    raster::Store4(d + k, write(raster::Load4(d + k), EveryFth<F>(s + k * F)));
  return k;
}

template <class Write>
size_t NearestEvery(size_t f, TPixel* d, const TPixel* s, size_t n, const Write& write) {
  switch (f) {
    case 1:
      return NearestEvery<1>(d, s, n, write);
    case 2:
      return NearestEvery<2>(d, s, n, write);
    case 3:
      return NearestEvery<3>(d, s, n, write);
    default:
      return 0;
  }
}
#else
template <class Write>
size_t NearestEvery(size_t, TPixel*, const TPixel*, size_t, const Write&) {
  return 0;
}
#endif

// Nearest-pixel stretching: one tap a step, read through precomputed offsets.
template <class Write>
void RunNearest(const Target& t, const SourceImage& src, const Axis& ax, const Axis& ay,
                const Write& write) {
  const StepPixels dcols(ax, t.ox);
  std::vector<size_t> scols(ax.Steps());
  for (size_t kx = 0; kx < ax.Steps(); ++kx)
    if (ax.valid[kx]) scols[kx] = size_t(ax.tapCoord[ax.first[kx]] + src.ox);
  // Usually every column is readable and the steps run left to right: then a
  // row is a plain loop over consecutive pixels.
  const bool simple = std::all_of(ax.valid.begin(), ax.valid.end(), [](uint8_t v) { return v; }) &&
                      (ax.Steps() < 2 || ax.dest[1] > ax.dest[0]);
  // Evenly spaced taps are picked from whole vectors.
  const size_t spacing = simple ? EvenTapSpacing(scols) : 0;
  for (size_t ky = 0; ky < ay.Steps(); ++ky) {
    if (!ay.valid[ky]) continue;
    const TPixel* srow = SourceRow(src, ay.tapCoord[ay.first[ky]]);
    TPixel* drow = TargetRow(t, ay.dest[ky]);
    if (simple) {
      TPixel* d = drow + dcols.cols[0];
      const size_t* sc = scols.data();
      size_t kx = spacing ? NearestEvery(spacing, d, srow + sc[0], ax.Steps(), write) : 0;
      // Otherwise four gathered source pixels at a time through the vector copy mode.
      for (; kx + 4 <= ax.Steps(); kx += 4) {
        const raster::Pixels4 s4 =
            raster::Pixels4{srow[sc[kx]], srow[sc[kx + 1]], srow[sc[kx + 2]], srow[sc[kx + 3]]} &
            kRgbMask;
        raster::Store4(d + kx, write(raster::Load4(d + kx), s4));
      }
      for (; kx < ax.Steps(); ++kx) d[kx] = write(d[kx], srow[sc[kx]] & kRgbMask);
      continue;
    }
    for (size_t kx = 0; kx < ax.Steps(); ++kx) {
      if (!ax.valid[kx]) continue;
      TPixel& d = drow[dcols.cols[kx]];
      d = write(d, srow[scols[kx]] & kRgbMask);
    }
  }
}

// A pixel's three channels in 32-bit lanes (the fourth lane zero).
using Lanes = raster::Pixels4;

// n / d (truncated) without a division: n times a fixed-point reciprocal of d
// rounded up, exact for every n below 2^bits. With bits <= 31 the product
// stays within 64 bits.
class Divider {
 public:
  Divider(uint64_t d, int bits) {
    while ((uint64_t(1) << FLog) < d) ++FLog;
    FPowerOfTwo = (uint64_t(1) << FLog) == d;
    FShift = bits + FLog;
    FMul = uint64_t(((Wide(1) << FShift) + d - 1) / d);
  }
  uint32_t operator()(uint32_t n) const { return uint32_t((n * FMul) >> FShift); }
  bool PowerOfTwo() const { return FPowerOfTwo; }
  int Log() const { return FLog; }
  // The three channel lanes divided and packed into a pixel.
  template <class L>
  TPixel Pixel(L n) const {
    if (FPowerOfTwo) {
      n >>= FLog;  // an exact division, all lanes at once
#ifdef __SSE2__
      __m128i words;  // 16-bit lanes, each below 256
      if constexpr (sizeof(L) == 16) {
        words = _mm_packs_epi32(__m128i(n), __m128i(n));
      } else {
        int64_t bits;
        std::memcpy(&bits, &n, sizeof bits);
        words = _mm_cvtsi64_si128(bits);
      }
      return TPixel(_mm_cvtsi128_si32(_mm_packus_epi16(words, words)));
#endif
      return TPixel(n[0]) | TPixel(n[1]) << 8 | TPixel(n[2]) << 16;
    }
    return (*this)(n[0]) | (*this)(n[1]) << 8 | (*this)(n[2]) << 16;
  }

 private:
  int FLog = 0;
  bool FPowerOfTwo = false;
  int FShift = 0;
  uint64_t FMul = 0;
};

int BitWidth(uint64_t v) {
  int n = 0;
  while (v >> n) ++n;
  return n;
}

// A pixel's channels in 16-bit lanes, for sums that stay below 2^16: twice
// the pixels a register holds.
typedef uint16_t NarrowLanes __attribute__((vector_size(8)));

#ifdef __SSE2__
// col[0] += w * first pixel, col[1] += w * second (or = when `assign`), from
// two pixels in 16-bit lanes; `weight` is w in every 16-bit lane. A 32-bit
// product is assembled from its two 16-bit halves.
void AddPair(Lanes* col, __m128i two, uint32_t w, __m128i weight, bool assign) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i lo = w == 1 ? two : _mm_mullo_epi16(two, weight);
  const __m128i hi = w == 1 ? zero : _mm_mulhi_epu16(two, weight);
  const Lanes a = Lanes(_mm_unpacklo_epi16(lo, hi)), b = Lanes(_mm_unpackhi_epi16(lo, hi));
  col[0] = assign ? a : col[0] + a;
  col[1] = assign ? b : col[1] + b;
}
void AddPair(NarrowLanes* col, __m128i two, uint32_t w, __m128i weight, bool assign) {
  __m128i* at = reinterpret_cast<__m128i*>(col);
  const __m128i product = w == 1 ? two : _mm_mullo_epi16(two, weight);
  _mm_storeu_si128(at, assign ? product : _mm_add_epi16(_mm_loadu_si128(at), product));
}
#endif

// col[i] += w * (the channels of src[i]) for n pixels, or = for the first row
// of a sum (`assign`); the caller makes sure the sums fit the lanes. The wide
// path needs w to fit 16 bits.
template <class L>
void AccumulateChannels(L* col, const TPixel* src, size_t n, uint32_t w, bool assign) {
  using Lane = std::remove_reference_t<decltype(L{}[0])>;
  size_t i = 0;
#ifdef __SSE2__
  if (w < 0x10000) {
    const __m128i zero = _mm_setzero_si128(), rgb = _mm_set1_epi32(int(kRgbMask));
    const __m128i weight = _mm_set1_epi16(short(w));
    for (; i + 4 <= n; i += 4) {
      const __m128i v =
          _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i)), rgb);
      AddPair(col + i, _mm_unpacklo_epi8(v, zero), w, weight, assign);
      AddPair(col + i + 2, _mm_unpackhi_epi8(v, zero), w, weight, assign);
    }
  }
#endif
  for (; i < n; ++i) {
    const TPixel p = src[i];
    const L c = L{Lane(p & 0xFF), Lane((p >> 8) & 0xFF), Lane((p >> 16) & 0xFF), 0} * Lane(w);
    col[i] = assign ? c : col[i] + c;
  }
}

// The number of taps of every step when each takes that many consecutive
// source columns at weight one, left to right (an integer reduction); else 0.
size_t UniformFactor(const Axis& ax) {
  if (ax.Steps() == 0 || ax.tapCoord.empty()) return 0;
  const size_t f = ax.first[1] - ax.first[0];
  for (size_t k = 0; k < ax.Steps(); ++k)
    if (!ax.valid[k] || ax.first[k + 1] - ax.first[k] != f) return 0;
  for (size_t tx = 0; tx < ax.tapCoord.size(); ++tx)
    if (ax.tapWeight[tx] != 1 || (tx > 0 && ax.tapCoord[tx] != ax.tapCoord[tx - 1] + 1)) return 0;
  return f;
}

// Calls emit(k, sum) with the sum of col[k*f] .. col[k*f + f - 1] for each of
// `steps` steps. Narrow lanes add two steps a register and hand four steps at
// a time to emit4(k, sums of k and k+1, sums of k+2 and k+3).
template <class L, class Emit, class Emit4>
void SumSteps(const L* col, size_t steps, size_t f, Emit emit, Emit4 emit4) {
  size_t k = 0;
#ifdef __SSE2__
  if constexpr (sizeof(L) == 8) {
    auto load = [](const L* p) { return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)); };
    auto pair = [&](const L* a) {
      __m128i sum = _mm_setzero_si128();
      for (size_t j = 0; j < f; ++j)
        sum = _mm_add_epi16(sum, _mm_unpacklo_epi64(load(a + j), load(a + f + j)));
      return sum;
    };
    for (; k + 4 <= steps; k += 4) emit4(k, pair(col + k * f), pair(col + (k + 2) * f));
  }
#else
  (void)emit4;
#endif
  for (; k < steps; ++k) {
    L sum{};
    for (size_t j = 0; j < f; ++j) sum += col[k * f + j];
    emit(k, sum);
  }
}

// The rounded mean of 2x2 blocks: d[k] from pixels 2k and 2k+1 of rows a and
// b, straight from the rows in 16-bit lanes, four steps at a time.
template <class Write>
void HalveRow(TPixel* d, const TPixel* a, const TPixel* b, size_t n, const Write& write) {
  size_t k = 0;
#ifdef __SSE2__
  const __m128i zero = _mm_setzero_si128(), two = _mm_set1_epi16(2);
  const __m128i rgb = _mm_set1_epi32(int(kRgbMask));
  auto load = [](const TPixel* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); };
  // Two steps from four pixels of each row: the columns added, then the
  // pixel pairs, in 16-bit lanes (the top bytes sum along and are dropped).
  auto twoSteps = [&](const TPixel* pa, const TPixel* pb) {
    const __m128i ra = load(pa), rb = load(pb);
    const __m128i p01 = _mm_add_epi16(_mm_unpacklo_epi8(ra, zero), _mm_unpacklo_epi8(rb, zero));
    const __m128i p23 = _mm_add_epi16(_mm_unpackhi_epi8(ra, zero), _mm_unpackhi_epi8(rb, zero));
    const __m128i sum = _mm_add_epi16(_mm_unpacklo_epi64(p01, p23), _mm_unpackhi_epi64(p01, p23));
    return _mm_srli_epi16(_mm_add_epi16(sum, two), 2);
  };
  for (; k + 4 <= n; k += 4) {
    const __m128i lo = twoSteps(a + 2 * k, b + 2 * k), hi = twoSteps(a + 2 * k + 4, b + 2 * k + 4);
    const raster::Pixels4 s4 = raster::Pixels4(_mm_and_si128(_mm_packus_epi16(lo, hi), rgb));
    raster::Store4(d + k, write(raster::Load4(d + k), s4));
  }
#endif
  for (; k < n; ++k) {
    TPixel mean = 0;
    for (int c = 0; c < 24; c += 8) {
      auto at = [c](const TPixel* p) { return (p[0] >> c & 0xFF) + (p[1] >> c & 0xFF); };
      mean |= ((at(a + 2 * k) + at(b + 2 * k) + 2) >> 2) << c;
    }
    d[k] = write(d[k], mean);
  }
}

// Whether destination row ky of an area average takes two adjacent source
// rows whole.
bool TwoWholeRows(const Axis& ay, size_t ky) {
  const uint32_t t = ay.first[ky];
  return ay.first[ky + 1] - t == 2 && ay.tapWeight[t] == 1 && ay.tapWeight[t + 1] == 1 &&
         std::abs(ay.tapCoord[t + 1] - ay.tapCoord[t]) == 1;
}

// Area-averaged stretching, separable: each destination row first sums its
// source rows column by column, then each step sums its columns, all three
// channels at once in lanes L. The integer sums are those of the step-by-step
// mean, so the rounding is the same. The caller makes sure that 255.5 * total
// fits the lanes (and 31 bits).
template <class L, class Write>
void RunAverage(const Target& t, const SourceImage& src, const Axis& ax, const Axis& ay,
                const Write& write) {
  using Lane = std::remove_reference_t<decltype(L{}[0])>;
  const uint64_t total = ax.total * ay.total;
  const Divider divide(total, BitWidth(255 * total + total / 2));
  const auto [lo, hi] = std::minmax_element(ax.tapCoord.begin(), ax.tapCoord.end());
  const int x0 = *lo;
  std::vector<L> col(size_t(*hi - x0 + 1));
  const StepPixels dcols(ax, t.ox);
  const bool unitX =
      std::all_of(ax.tapWeight.begin(), ax.tapWeight.end(), [](uint64_t w) { return w == 1; });
  const Lane half = Lane(total / 2);
  const L rounding{half, half, half, 0};
  // An integer reduction sums its columns step by step in one sweep.
  const size_t factor = UniformFactor(ax);
  // Narrow sums of a power-of-two total into steps left to right go out four
  // pixels at a time.
  [[maybe_unused]] const bool packed =
      sizeof(L) == 8 && divide.PowerOfTwo() && (ax.Steps() < 2 || ax.dest[1] > ax.dest[0]);
#ifdef __SSE2__
  const __m128i roundingPair = _mm_set_epi16(0, short(half), short(half), short(half), 0,
                                             short(half), short(half), short(half));
  const __m128i shift = _mm_cvtsi32_si128(divide.Log());
#endif
  // Halving both ways reads its 2x2 blocks straight from the rows.
  const bool halveX = factor == 2 && (ax.Steps() < 2 || ax.dest[1] > ax.dest[0]);
  for (size_t ky = 0; ky < ay.Steps(); ++ky) {
    if (!ay.valid[ky]) continue;
    if (halveX && TwoWholeRows(ay, ky)) {
      const uint32_t ty = ay.first[ky];
      HalveRow(TargetRow(t, ay.dest[ky]) + dcols.cols[0],
               SourceRow(src, ay.tapCoord[ty]) + src.ox + x0,
               SourceRow(src, ay.tapCoord[ty + 1]) + src.ox + x0, ax.Steps(), write);
      continue;
    }
    for (uint32_t ty = ay.first[ky]; ty < ay.first[ky + 1]; ++ty)
      AccumulateChannels(col.data(), SourceRow(src, ay.tapCoord[ty]) + src.ox + x0, col.size(),
                         uint32_t(ay.tapWeight[ty]), ty == ay.first[ky]);
    TPixel* drow = TargetRow(t, ay.dest[ky]);
    if (factor > 0) {
      auto one = [&](size_t kx, L sum) {
        TPixel& d = drow[dcols.cols[kx]];
        d = write(d, divide.Pixel(sum + rounding));
      };
#ifdef __SSE2__
      auto four = [&](size_t kx, __m128i a, __m128i b) {
        if (!packed) {
          L sums[4];
          std::memcpy(&sums[0], &a, sizeof a);
          std::memcpy(&sums[2], &b, sizeof b);
          for (size_t i = 0; i < 4; ++i) one(kx + i, sums[i]);
          return;
        }
        // Rounded, divided and packed, four pixels through the copy mode at once.
        a = _mm_srl_epi16(_mm_add_epi16(a, roundingPair), shift);
        b = _mm_srl_epi16(_mm_add_epi16(b, roundingPair), shift);
        TPixel* d = drow + dcols.cols[kx];
        raster::Store4(d, write(raster::Load4(d), raster::Pixels4(_mm_packus_epi16(a, b))));
      };
#else
      auto four = nullptr;  // no wide registers: every step goes through `one`
#endif
      SumSteps(col.data(), ax.Steps(), factor, one, four);
      continue;
    }
    for (size_t kx = 0; kx < ax.Steps(); ++kx) {
      if (!ax.valid[kx]) continue;
      L sum = rounding;
      for (uint32_t tx = ax.first[kx]; tx < ax.first[kx + 1]; ++tx) {
        const L& c = col[size_t(ax.tapCoord[tx] - x0)];
        sum += unitX ? c : c * Lane(ax.tapWeight[tx]);
      }
      const TPixel s = divide.Pixel(sum);
      TPixel& d = drow[dcols.cols[kx]];
      d = write(d, s);
    }
  }
}

// Source pixels that the destination also holds are copied aside first, so
// that copying a canvas onto itself reads the original pixels.
SourceImage Detach(const SourceImage& src, const TRect& area, std::vector<TPixel>& store) {
  const TRect r = IntersectRect(area, src.readable);
  const size_t w = size_t(r.Width());
  store.resize(w * size_t(r.Height()));
  for (int y = r.Top; y < r.Bottom; ++y)
    std::memcpy(&store[size_t(y - r.Top) * w], src.Ptr(r.Left, y), w * sizeof(TPixel));
  return SourceImage{store.data(), r.Width(), -r.Left, -r.Top, r};
}

// Logical rectangle covered by `n` steps from `start` (negative n walks back).
void StepRange(int start, int n, int& lo, int& hi) {
  lo = n < 0 ? start + n + 1 : start;
  hi = n < 0 ? start + 1 : start + n;
}

// Copies without scaling or mirroring, row by row and four pixels at a time; a
// plain source copy is a straight block move. A copy mode without a source
// reads nothing and sees a black source, as the stepping copy does.
template <class Write>
void CopyUnscaled(const Target& t, const SourceImage& src, int dx, int dy, int sx, int sy, int w,
                  int h, const Write& write, const CopyJob& job) {
  TRect area = IntersectRect(Rect(dx, dy, dx + w, dy + h), t.clip);
  if (job.usesSource) area = IntersectRect(area, OffsetRect(src.readable, dx - sx, dy - sy));
  const bool move = job.rop == cmSrcCopy && job.skip == nullptr;
  const size_t n = area.IsEmpty() ? 0 : size_t(area.Width());
  for (int y = area.Top; y < area.Bottom; ++y) {
    TPixel* d = &t.At(area.Left, y);
    const TPixel* sp = job.usesSource ? src.Ptr(area.Left - dx + sx, y - dy + sy) : d;
    if (move)
      raster::CopyPixelRun(d, sp, n);
    else if (job.usesSource)
      raster::TransformSpan(d, sp, n, [&](auto dv, auto sv) { return write(dv, sv & kRgbMask); });
    else
      raster::TransformSpan(d, d, n, [&](auto dv, auto) { return write(dv, dv ^ dv); });
  }
}

template <class Write>
void CopyPixelsWith(const Target& t, int dx, int dy, int dw, int dh, SourceImage src, int sx,
                    int sy, int sw, int sh, const Write& write, const CopyJob& job) {
  const bool unscaled = dw == sw && dh == sh && dw > 0 && dh > 0;
  std::vector<TPixel> store;
  if (job.usesSource && src.bits == t.bits) {
    TRect area;
    StepRange(sx, sw, area.Left, area.Right);
    StepRange(sy, sh, area.Top, area.Bottom);
    src = Detach(src, area, store);
  }
  if (unscaled) {
    CopyUnscaled(t, src, dx, dy, sx, sy, dw, dh, write, job);
    return;
  }
  const Axis ax = BuildAxis(dx, dw, t.clip.Left, t.clip.Right, sx, sw, src.readable.Left,
                            src.readable.Right, job.average);
  const Axis ay = BuildAxis(dy, dh, t.clip.Top, t.clip.Bottom, sy, sh, src.readable.Top,
                            src.readable.Bottom, job.average);
  if (ax.Steps() == 0 || ay.Steps() == 0) return;
  const double range = 255.0 * double(ax.total) * double(ay.total);
  if (job.usesSource && !job.average)
    RunNearest(t, src, ax, ay, write);
  else if (job.usesSource && !ax.tapCoord.empty() && range < 65280)  // sums within 16 bits
    RunAverage<NarrowLanes>(t, src, ax, ay, write);
  else if (job.usesSource && !ax.tapCoord.empty() && range < 2.1e9)  // sums within 31 bits
    RunAverage<Lanes>(t, src, ax, ay, write);
  else if (range < 1.8e19)
    RunCopy<uint64_t>(t, src, ax, ay, write, job);
  else
    RunCopy<Wide>(t, src, ax, ay, write, job);
}

void CopyPixels(TCanvas& dst, int dx, int dy, int dw, int dh, const SourceImage& source, int sx,
                int sy, int sw, int sh, CopyJob job) {
  const Target t(dst);
  const TPixel pattern = PixelOf(dst.Brush()->Color());
  SourceImage src = source;
  job.usesSource = RopUsesSource(job.rop);
  if (!job.usesSource) {
    // Nothing is read: let the axes map the destination onto itself.
    sx = 0, sy = 0, sw = std::abs(dw), sh = std::abs(dh);
    src.readable = Rect(0, 0, sw, sh);
  }
  WithRop(job.rop, [&](auto op) {
    using Op = decltype(op);
    if (job.skip != nullptr)
      CopyPixelsWith(t, dx, dy, dw, dh, src, sx, sy, sw, sh,
                     PixelWriter<Op, true>{op, pattern, *job.skip}, job);
    else
      CopyPixelsWith(t, dx, dy, dw, dh, src, sx, sy, sw, sh, PixelWriter<Op, false>{op, pattern, 0},
                     job);
  });
}

}  // namespace

TPixel ApplyRop(TCopyMode rop, TPixel d, TPixel s, TPixel p) {
  return WithRop(rop, [&](auto op) { return TPixel(op(d, s, p) & kRgbMask); });
}

bool StretchBlt(TCanvas* dst, int dx, int dy, int dw, int dh, TCanvas* src, int sx, int sy, int sw,
                int sh, TCopyMode rop, TStretchMode mode) {
  WithRop(rop, [](auto) {});  // an unknown copy mode is an error, not a silent no-op
  if (dst == nullptr || dw == 0 || dh == 0) return false;
  const bool needsSource = RopUsesSource(rop);
  if (needsSource && (src == nullptr || sw == 0 || sh == 0)) return false;
  CopyJob job;
  job.rop = rop;
  job.average = mode == HALFTONE;
  CopyPixels(*dst, dx, dy, dw, dh, needsSource ? SourceOf(*src) : SourceImage{}, sx, sy, sw, sh,
             job);
  return true;
}

namespace {
SourceImage SourceOf(TBitmap& bmp) {
  const TSurface s = bmp.Surface();
  return SourceImage{s.Bits, s.Stride, 0, 0, Rect(0, 0, s.Width, s.Height)};
}

// The colour a transparent bitmap leaves out: its own setting, or the colour of
// its bottom-left pixel.
TPixel TransparentKey(const TBitmap& bmp) {
  if (bmp.TransparentColor() != clDefault) return PixelOf(bmp.TransparentColor());
  return bmp.ScanLine(bmp.Height() - 1)[0] & kRgbMask;
}

void DrawBitmap(TCanvas& dst, const TRect& r, TBitmap* src, TCopyMode rop) {
  if (src == nullptr || src->Empty()) return;
  CopyJob job;
  job.rop = rop;
  TPixel key = 0;
  if (src->Transparent()) {
    key = TransparentKey(*src);
    job.skip = &key;
  }
  CopyPixels(dst, r.Left, r.Top, r.Width(), r.Height(), SourceOf(*src), 0, 0, src->Width(),
             src->Height(), job);
}
}  // namespace

void TCanvas::Draw(int x, int y, TBitmap* src) {
  if (src == nullptr) return;
  DrawBitmap(*this, Rect(x, y, x + src->Width(), y + src->Height()), src, FCopyMode);
}

void TCanvas::StretchDraw(const TRect& dst, TBitmap* src) {
  DrawBitmap(*this, dst, src, FCopyMode);
}

void TCanvas::CopyRect(const TRect& dst, TCanvas* src, const TRect& srcRect) {
  if (src == nullptr) return;
  CopyJob job;
  job.rop = FCopyMode;
  CopyPixels(*this, dst.Left, dst.Top, dst.Width(), dst.Height(), SourceOf(*src), srcRect.Left,
             srcRect.Top, srcRect.Width(), srcRect.Height(), job);
}

}  // namespace host
