// Four floats side by side, on the compilers' vector extensions: each lane does what a
// float would, with the same IEEE operation, so a result computed in a lane has the bits
// it has computed alone. Nothing here reassociates, fuses or approximates.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lanes {

constexpr std::size_t width = 4;

/// Four floats; +, -, * and / act lane by lane.
typedef float Floats __attribute__((vector_size(4 * width)));
/// Four ints. Comparing Floats gives them as a mask: all bits set in a lane where the comparison holds, 0 elsewhere.
typedef int Ints __attribute__((vector_size(4 * width)));
using Mask = Ints;

/// x in every lane.
inline Floats splat(float x) { return Floats{x, x, x, x}; }

/// first, first + 1, first + 2, first + 3.
inline Ints indices(int first) { return Ints{first, first + 1, first + 2, first + 3}; }

/// Lanes i with i < count set.
inline Mask below(std::size_t count) {
  const Mask index{0, 1, 2, 3};
  const int n = static_cast<int>(count < width ? count : width);
  return index < Mask{n, n, n, n};
}

/// a where m is set, b elsewhere; the bits of the chosen float are kept.
inline Floats select(Mask m, Floats a, Floats b) { return (Floats)(((Mask)a & m) | ((Mask)b & ~m)); }
inline Ints select(Mask m, Ints a, Ints b) { return (a & m) | (b & ~m); }

// The x86 minimum and maximum instructions choose exactly so: the first operand where it compares
// less (greater), else the second, whatever the second is.

/// Lane by lane, q where q < m, else m: a not-a-number q never enters, and a not-a-number m stays.
inline Floats lowerOf(Floats m, Floats q) {
#if defined(__SSE2__)
  return (Floats)_mm_min_ps((__m128)q, (__m128)m);
#else
  return select(q < m, q, m);
#endif
}
/// Lane by lane, q where q > m, else m.
inline Floats higherOf(Floats m, Floats q) {
#if defined(__SSE2__)
  return (Floats)_mm_max_ps((__m128)q, (__m128)m);
#else
  return select(q > m, q, m);
#endif
}
/// Lane by lane as std::max(a, b): b where a < b, else a (a not-a-number a is kept).
inline Floats max(Floats a, Floats b) { return higherOf(a, b); }

/// Lane 3 of before, then lanes 0 to 2 of a: a moved up one lane, with before's last lane coming in.
inline Floats shiftedUp(Floats before, Floats a) {
  const Floats joint = __builtin_shufflevector(before, a, 3, 3, 4, 4);  // before[3] before[3] a[0] a[0]
  return __builtin_shufflevector(joint, a, 0, 2, 5, 6);
}
/// Lanes 1 to 3 of a, then lane 0 of after: a moved down one lane, with after's first lane coming in.
inline Floats shiftedDown(Floats a, Floats after) {
  const Floats joint = __builtin_shufflevector(a, after, 3, 3, 4, 4);  // a[3] a[3] after[0] after[0]
  return __builtin_shufflevector(a, joint, 1, 2, 4, 6);
}

/// The correctly rounded square root in each lane, as std::sqrt gives it for one float.
inline Floats sqrt(Floats a) {
#if defined(__SSE2__)
  return (Floats)_mm_sqrt_ps((__m128)a);
#else
  for (std::size_t i = 0; i < width; ++i) a[i] = std::sqrt(a[i]);
  return a;
#endif
}

/// True when some lane of m is set.
inline bool anyTrue(Mask m) {
#if defined(__SSE2__)
  return _mm_movemask_ps((__m128)m) != 0;
#else
  return (m[0] | m[1] | m[2] | m[3]) != 0;
#endif
}

/// The lowest set lane of m, or width when none is set.
inline std::size_t firstTrue(Mask m) {
  for (std::size_t i = 0; i < width; ++i)
    if (m[i]) return i;
  return width;
}

/// The first three columns of the four rows r0 to r3: x = (r0[0], r1[0], r2[0], r3[0]), y the
/// second column, z the third. Only moves floats, so their bits stay.
inline void columns(Floats r0, Floats r1, Floats r2, Floats r3, Floats& x, Floats& y, Floats& z) {
  const Floats low01 = __builtin_shufflevector(r0, r1, 0, 4, 1, 5);   // r0[0] r1[0] r0[1] r1[1]
  const Floats low23 = __builtin_shufflevector(r2, r3, 0, 4, 1, 5);   // r2[0] r3[0] r2[1] r3[1]
  const Floats high01 = __builtin_shufflevector(r0, r1, 2, 6, 3, 7);  // r0[2] r1[2] ...
  const Floats high23 = __builtin_shufflevector(r2, r3, 2, 6, 3, 7);
  x = __builtin_shufflevector(low01, low23, 0, 1, 4, 5);
  y = __builtin_shufflevector(low01, low23, 2, 3, 6, 7);
  z = __builtin_shufflevector(high01, high23, 0, 1, 4, 5);
}

/// Four floats from memory that need no alignment.
inline Floats load(const float* from) {
  Floats v;
  std::memcpy(&v, from, sizeof v);
  return v;
}

/// `count` columns of floats of one length, rounded up to whole lanes: on the stack up to
/// inPlace floats a column (68: a polygon of 64 corners with its extra lanes), on the heap beyond.
template <std::size_t count, std::size_t inPlace = 68>
class Columns {
 public:
  explicit Columns(std::size_t length) : stride((length + width - 1) / width * width) {
    if (stride > inPlace) {
      spill.resize(count * stride);
      base = spill.data();
    }
  }
  Columns(const Columns&) = delete;
  Columns& operator=(const Columns&) = delete;

  float* operator[](std::size_t column) { return base + column * stride; }
  const float* operator[](std::size_t column) const { return base + column * stride; }

 private:
  std::size_t stride;
  float local[count * inPlace];
  std::vector<float> spill;
  float* base = local;
};

}  // namespace lanes
