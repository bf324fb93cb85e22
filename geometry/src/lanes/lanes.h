// Floats side by side, four or eight, on the compilers' vector extensions: each lane does what
// a float would, with the same IEEE operation, so a result computed in a lane has the bits it has
// computed alone. Nothing here reassociates, fuses or approximates.
//
// Every function is forced inline: eight floats are only ever worked on inside the functions
// compiled for the wide instruction set (lane_width.cpp), so the helpers must become part of
// them rather than be called with a vector argument across a boundary the two instruction sets
// pass differently.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstring>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The eight-float type is only passed between inlined helpers; the warning about how a call
// would pass it, were one made, does not apply.
#pragma GCC diagnostic ignored "-Wpsabi"

#define LANES_INLINE inline __attribute__((always_inline))

namespace lanes {

/// Four floats; +, -, * and / act lane by lane.
typedef float Floats4 __attribute__((vector_size(16)));
/// Eight floats, for processors with wide vector registers.
typedef float Floats8 __attribute__((vector_size(32)));

/// The number of lanes of F.
template <class F>
constexpr std::size_t widthOf = sizeof(F) / sizeof(float);
/// Ints as wide as F. Comparing two F gives one as a mask: all bits set in a lane where the
/// comparison holds, 0 elsewhere.
template <class F>
using MaskOf = decltype(F{} < F{});

/// The vector of type V whose lane i is value(i), built as one initializer list (which the
/// compilers turn into a broadcast or a constant, not a store per lane).
template <class V, class Value, std::size_t... I>
LANES_INLINE V build(Value value, std::index_sequence<I...>) {
  return V{value(I)...};
}
template <class V, class Value>
LANES_INLINE V build(Value value) {
  return build<V>(value, std::make_index_sequence<sizeof(V) / 4>());
}

/// Lane `lane` of v in every lane of an F.
template <class F, std::size_t lane, class V, std::size_t... I>
LANES_INLINE F broadcast(V v, std::index_sequence<I...>) {
  return __builtin_shufflevector(v, v, (lane + I * 0)...);
}
template <class F, std::size_t lane, class V>
LANES_INLINE F broadcast(V v) {
  return broadcast<F, lane>(v, std::make_index_sequence<widthOf<F>>());
}

/// x in every lane.
template <class F>
LANES_INLINE F splat(float x) {
  return broadcast<F, 0>(Floats4{x});
}
/// x in every lane, as ints.
template <class F>
LANES_INLINE MaskOf<F> splatInts(int x) {
  return build<MaskOf<F>>([x](std::size_t) { return x; });
}
/// first, first + 1, and so on.
template <class F>
LANES_INLINE MaskOf<F> indices(int first) {
  return build<MaskOf<F>>([first](std::size_t i) { return first + static_cast<int>(i); });
}

/// Lanes i with i < count set.
template <class F>
LANES_INLINE MaskOf<F> below(std::size_t count) {
  const int n = static_cast<int>(count < widthOf<F> ? count : widthOf<F>);
  return indices<F>(0) < n;
}

/// a where m is set, b elsewhere; the bits of the chosen float are kept.
template <class F>
LANES_INLINE F select(MaskOf<F> m, F a, F b) {
  return (F)(((MaskOf<F>)a & m) | ((MaskOf<F>)b & ~m));
}
template <class M>
LANES_INLINE M selectInts(M m, M a, M b) {
  return (a & m) | (b & ~m);
}

// Written as choices on a comparison, these compile to the processors' minimum and maximum
// instructions, which choose exactly so: the first operand where it compares less (greater),
// else the second, whatever the second is.

/// Lane by lane, q where q < m, else m: a not-a-number q never enters, and a not-a-number m stays.
template <class F>
LANES_INLINE F lowerOf(F m, F q) {
  return q < m ? q : m;
}
/// Lane by lane, q where q > m, else m: as std::max(m, q), a not-a-number m stays.
template <class F>
LANES_INLINE F higherOf(F m, F q) {
  return q > m ? q : m;
}

/// Lanes 0 to 3 and lanes 4 to 7 of a, and back.
LANES_INLINE Floats4 lowHalf(Floats8 a) { return __builtin_shufflevector(a, a, 0, 1, 2, 3); }
LANES_INLINE Floats4 highHalf(Floats8 a) { return __builtin_shufflevector(a, a, 4, 5, 6, 7); }
LANES_INLINE Floats8 join(Floats4 low, Floats4 high) {
  return __builtin_shufflevector(low, high, 0, 1, 2, 3, 4, 5, 6, 7);
}

/// The last lane of before, then all but the last lane of a: a moved up one lane.
// In two steps for four lanes, which SSE2 has single instructions for.
LANES_INLINE Floats4 shiftedUp(Floats4 before, Floats4 a) {
  const Floats4 joint = __builtin_shufflevector(before, a, 3, 3, 4, 4);  // before[3] before[3] a[0] a[0]
  return __builtin_shufflevector(joint, a, 0, 2, 5, 6);
}
LANES_INLINE Floats8 shiftedUp(Floats8 before, Floats8 a) {
  return __builtin_shufflevector(before, a, 7, 8, 9, 10, 11, 12, 13, 14);
}
/// All but the first lane of a, then the first lane of after: a moved down one lane.
LANES_INLINE Floats4 shiftedDown(Floats4 a, Floats4 after) {
  const Floats4 joint = __builtin_shufflevector(a, after, 3, 3, 4, 4);  // a[3] a[3] after[0] after[0]
  return __builtin_shufflevector(a, joint, 1, 2, 4, 6);
}
LANES_INLINE Floats8 shiftedDown(Floats8 a, Floats8 after) {
  return __builtin_shufflevector(a, after, 1, 2, 3, 4, 5, 6, 7, 8);
}

/// The correctly rounded square root in each lane, as std::sqrt gives it for one float.
LANES_INLINE Floats4 sqrt(Floats4 a) {
#if defined(__SSE2__)
  return (Floats4)_mm_sqrt_ps((__m128)a);
#else
  for (std::size_t i = 0; i < 4; ++i) a[i] = std::sqrt(a[i]);
  return a;
#endif
}
LANES_INLINE Floats8 sqrt(Floats8 a) { return join(sqrt(lowHalf(a)), sqrt(highHalf(a))); }

/// True when some lane of m is set.
LANES_INLINE bool anyTrue(MaskOf<Floats4> m) {
#if defined(__SSE2__)
  return _mm_movemask_ps((__m128)m) != 0;
#else
  return (m[0] | m[1] | m[2] | m[3]) != 0;
#endif
}
LANES_INLINE bool anyTrue(MaskOf<Floats8> m) {
  return anyTrue(__builtin_shufflevector(m, m, 0, 1, 2, 3) | __builtin_shufflevector(m, m, 4, 5, 6, 7));
}

/// The first three columns of the four rows r0 to r3: x = (r0[0], r1[0], r2[0], r3[0]), y the
/// second column, z the third. Only moves floats, so their bits stay.
LANES_INLINE void columns(Floats4 r0, Floats4 r1, Floats4 r2, Floats4 r3, Floats4& x, Floats4& y, Floats4& z) {
  const Floats4 low01 = __builtin_shufflevector(r0, r1, 0, 4, 1, 5);   // r0[0] r1[0] r0[1] r1[1]
  const Floats4 low23 = __builtin_shufflevector(r2, r3, 0, 4, 1, 5);   // r2[0] r3[0] r2[1] r3[1]
  const Floats4 high01 = __builtin_shufflevector(r0, r1, 2, 6, 3, 7);  // r0[2] r1[2] ...
  const Floats4 high23 = __builtin_shufflevector(r2, r3, 2, 6, 3, 7);
  x = __builtin_shufflevector(low01, low23, 0, 1, 4, 5);
  y = __builtin_shufflevector(low01, low23, 2, 3, 6, 7);
  z = __builtin_shufflevector(high01, high23, 0, 1, 4, 5);
}

/// Four floats from memory that need no alignment.
LANES_INLINE Floats4 load(const float* from) {
  Floats4 v;
  std::memcpy(&v, from, sizeof v);
  return v;
}

}  // namespace lanes
