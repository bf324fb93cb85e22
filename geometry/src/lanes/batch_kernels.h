// The batch forms (batch.h) in lanes of type F: one query per lane, each lane doing the single
// operation's float operations in its order on what the polygon's part prepared once. A lane
// never looks at another, so a block's answers are the single operations' answers; where the
// single operation stops early, the lanes go on and keep the first decision, which changes no bit.
#pragma once

#include <geometry/polygon.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "../step_by_step.h"
#include "corner_lanes.h"

namespace geometry {

// ---- What each form prepares from the polygon, once per call ----

/// insideEdgePlanes' edges, from the closing one on: the unnormalised outward normal and the end corner.
struct EdgePlanesPrepared {
  std::vector<Vector3> out, end;
  /// Every normal without z and every end's z within +-zReach: see insideEdgePlanesEachIn.
  bool flat = false;
  static constexpr float zReach = 1e38f;
};

/// insideBarycentric's fan triangles (apex, corner i - 1, corner i), i from 2 on.
struct FanPrepared {
  Vector3 apex;
  std::vector<Vector3> e1, e2, perp;
  std::vector<float> k, den;
};

/// closestPoint's plane, fan and edges (corner i to corner i + 1, round the polygon).
struct NearestPrepared {
  Vector3 normal;
  float d = 0;
  FanPrepared fan;
  std::vector<Vector3> a, b, e;
  std::vector<float> edgeSquared;
};

/// insideSumAngles' corners, the last first (the closing edge starts there).
struct AnglesPrepared {
  std::vector<Vector3> corners;
};

/// overlaps of polygon p with q moved: p's axes with their origins and p's extent on each, which no
/// offset changes, and q's normal and corners before the move.
struct OverlapPrepared {
  std::vector<Vector3> axis, origin;
  std::vector<float> pMin, pMax;
  std::vector<Vector3> pCorners, qCorners;
  // How often q links each corner's record: translate adds the offset to a record once per link.
  std::vector<std::size_t> qLinks;
  Vector3 qNormal;
};

// ---- Points in and answers out ----

/// Four points stored one after another, turned into columns; only moves floats.
LANES_INLINE Points<lanes::Floats4> fourPoints(const Vector3* p) {
  static_assert(sizeof(Vector3) == 3 * sizeof(float));
  const float* f = &p->x;
  const lanes::Floats4 r0 = lanes::load(f), r1 = lanes::load(f + 4), r2 = lanes::load(f + 8);
  // r0 = x0 y0 z0 x1, r1 = y1 z1 x2 y2, r2 = z2 x3 y3 z3
  const lanes::Floats4 x = __builtin_shufflevector(r0, r1, 0, 3, 6, 6);
  const lanes::Floats4 y = __builtin_shufflevector(r0, r1, 1, 4, 7, 7);
  const lanes::Floats4 z = __builtin_shufflevector(r0, r1, 2, 5, 5, 5);
  return {__builtin_shufflevector(x, r2, 0, 1, 2, 5), __builtin_shufflevector(y, r2, 0, 1, 2, 6),
          __builtin_shufflevector(z, r2, 0, 1, 4, 7)};
}

template <class F>
LANES_INLINE Points<F> loadPoints(const Vector3* p);
template <>
LANES_INLINE Points<lanes::Floats4> loadPoints(const Vector3* p) {
  return fourPoints(p);
}
template <>
LANES_INLINE Points<lanes::Floats8> loadPoints(const Vector3* p) {
  const Points<lanes::Floats4> low = fourPoints(p), high = fourPoints(p + 4);
  return {lanes::join(low.x, high.x), lanes::join(low.y, high.y), lanes::join(low.z, high.z)};
}

/// Runs block(points, first, live) on the inputs a block of lanes at a time; the last block is
/// filled up with copies of the last input, whose answers are not kept.
template <class F, class Block>
LANES_INLINE void inBlocks(std::span<const Vector3> in, const Block& block) {
  constexpr std::size_t width = lanes::widthOf<F>;
  const std::size_t n = in.size();
  std::size_t first = 0;
  for (; first + width <= n; first += width) block(loadPoints<F>(in.data() + first), first, width);
  if (first == n) return;
  Vector3 padded[width];
  for (std::size_t i = 0; i < width; ++i) padded[i] = in[std::min(first + i, n - 1)];
  block(loadPoints<F>(padded), first, n - first);
}

template <class F>
LANES_INLINE void store(lanes::MaskOf<F> m, std::span<bool> out, std::size_t first, std::size_t live) {
  for (std::size_t i = 0; i < live; ++i) out[first + i] = m[i] != 0;
}

/// True when every lane of m is set.
template <class F>
LANES_INLINE bool allTrue(lanes::MaskOf<F> m) {
  return !lanes::anyTrue(~m);
}

// ---- insideEdgePlanes ----

template <class F>
LANES_INLINE void insideEdgePlanesEachIn(const EdgePlanesPrepared& edges, std::span<const Vector3> points,
                                         std::span<bool> inside) {
  const F allowance = lanes::splat<F>(edgePlaneAllowance);
  const std::size_t n = edges.out.size();
  const F reach = lanes::splat<F>(EdgePlanesPrepared::zReach);
  inBlocks<F>(
      points, [&](const Points<F>& p, std::size_t first, std::size_t live) __attribute__((always_inline)) {
        lanes::MaskOf<F> beyond = lanes::splatInts<F>(0);
        // Where no normal has a z and both z of every difference are within zReach, the product
        // of z is 0 times a finite number, a zero; adding it can change only the sign of a zero
        // sum, which the comparison does not see. So the sum of x and y alone decides.
        if (edges.flat && allTrue<F>((p.z <= reach) & (p.z >= -reach))) {
          for (std::size_t i = 0; i < n; ++i) {
            const Vector3& out = edges.out[i];
            const Vector3& end = edges.end[i];
            beyond |= lanes::splat<F>(out.x) * (p.x - lanes::splat<F>(end.x)) +
                          lanes::splat<F>(out.y) * (p.y - lanes::splat<F>(end.y)) >
                      allowance;
            if (allTrue<F>(beyond)) break;
          }
        } else {
          for (std::size_t i = 0; i < n; ++i) {
            beyond |= dot(splat<F>(edges.out[i]), p - splat<F>(edges.end[i])) > allowance;
            if (allTrue<F>(beyond)) break;
          }
        }
        store<F>(~beyond, inside, first, live);
      });
}

// ---- insideBarycentric ----

// Which lanes' points (w = point - apex) some fan triangle holds, each widened by eps, as fanWalk judges it.
template <class F>
LANES_INLINE lanes::MaskOf<F> fanHoldsEach(const FanPrepared& fan, const Points<F>& w, float eps) {
  const F low = lanes::splat<F>(-eps), high = lanes::splat<F>(1 + eps);
  lanes::MaskOf<F> holds = lanes::splatInts<F>(0);
  for (std::size_t i = 0; i < fan.k.size(); ++i) {
    const F v = dot(w, splat<F>(fan.perp[i])) / lanes::splat<F>(fan.den[i]);
    const F u = dot(w - splat<F>(fan.e2[i]) * v, splat<F>(fan.e1[i])) * lanes::splat<F>(fan.k[i]);
    holds |= ~(v < low) & (u >= low) & (u + v <= high);
    if (allTrue<F>(holds)) break;
  }
  return holds;
}

template <class F>
LANES_INLINE void insideBarycentricEachIn(const FanPrepared& fan, std::span<const Vector3> points, float eps,
                                          std::span<bool> inside) {
  const Points<F> apex = splat<F>(fan.apex);
  inBlocks<F>(
      points, [&](const Points<F>& p, std::size_t first, std::size_t live)
                  __attribute__((always_inline)) { store<F>(fanHoldsEach(fan, p - apex, eps), inside, first, live); });
}

// ---- closestPoint ----

template <class F>
LANES_INLINE void closestPointEachIn(const NearestPrepared& polygon, std::span<const Vector3> queries,
                                     std::span<Vector3> closest) {
  const Points<F> normal = splat<F>(polygon.normal), apex = splat<F>(polygon.fan.apex);
  const F d = lanes::splat<F>(polygon.d), zero = lanes::splat<F>(0), one = lanes::splat<F>(1);
  const std::size_t n = polygon.a.size();
  inBlocks<F>(
      queries, [&](const Points<F>& q, std::size_t first, std::size_t live) __attribute__((always_inline)) {
        const Points<F> foot = q - normal * (dot(normal, q) + d);
        const lanes::MaskOf<F> inFan = fanHoldsEach(polygon.fan, foot - apex, 0);
        Points<F> result = foot;
        if (!allTrue<F>(inFan)) {
          // The first edge is taken whatever its distance, a later one only when strictly nearer.
          F best{};
          Points<F> nearest{};
          for (std::size_t i = 0; i < n; ++i) {
            const Points<F> a = splat<F>(polygon.a[i]), b = splat<F>(polygon.b[i]), e = splat<F>(polygon.e[i]);
            const F edgeSquared = lanes::splat<F>(polygon.edgeSquared[i]);
            const F t = lanes::select(edgeSquared > zero, dot(q - a, e) / edgeSquared, zero);
            const Points<F> c = select(t <= zero, a, select(t >= one, b, a + e * t));
            const F d2 = lengthSquared(q - c);
            const lanes::MaskOf<F> nearer = i == 0 ? lanes::splatInts<F>(-1) : d2 < best;
            best = lanes::select(nearer, d2, best);
            nearest = select(nearer, c, nearest);
          }
          result = select(inFan, foot, nearest);
        }
        for (std::size_t i = 0; i < live; ++i) closest[first + i] = lane(result, i);
      });
}

// ---- insideSumAngles ----

/// Two doubles, in which the arccosines are taken (one SSE2 register), and their masks.
typedef double Doubles2 __attribute__((vector_size(16)));
typedef long long Longs2 __attribute__((vector_size(16)));
typedef float Floats2 __attribute__((vector_size(8)));

LANES_INLINE Doubles2 choose(Longs2 m, Doubles2 a, Doubles2 b) {
  return (Doubles2)(((Longs2)a & m) | ((Longs2)b & ~m));
}

LANES_INLINE Doubles2 sqrtEach(Doubles2 a) {
#if defined(__SSE2__)
  return (Doubles2)_mm_sqrt_pd((__m128d)a);
#else
  for (std::size_t i = 0; i < 2; ++i) a[i] = std::sqrt(a[i]);
  return a;
#endif
}

/// The arccosine of each x in [-1, 1], to a relative error far below 2^-40: through the arcsine
/// of x up to |x| = 0.5, and of the half-angle's sine sqrt((1 - |x|) / 2) beyond, where 1 - |x|
/// and the halving are exact.
LANES_INLINE Doubles2 arccosine(Doubles2 x) {
  // asin(t) = t + t * p(z) / q(z) with z = t * t, on [0, 0.5].
  constexpr double p0 = 1.66666666666666657415e-01, p1 = -3.25565818622400915405e-01, p2 = 2.01212532134862925881e-01,
                   p3 = -4.00555345006794114027e-02, p4 = 7.91534994289814532176e-04, p5 = 3.47933107596021167570e-05;
  constexpr double q1 = -2.40339491173441421878e+00, q2 = 2.02094576023350569471e+00, q3 = -6.88283971605453293030e-01,
                   q4 = 7.70381505559019352791e-02;
  constexpr double pi = 3.141592653589793, halfPi = 1.5707963267948966;
  const Longs2 sign = (Longs2)x & (Longs2){LLONG_MIN, LLONG_MIN};
  const Doubles2 ax = (Doubles2)((Longs2)x ^ sign);
  const Longs2 small = (Longs2)(ax <= 0.5);
  const Doubles2 half = (1.0 - ax) * 0.5;
  const Doubles2 z = choose(small, x * x, half);
  const Doubles2 t = choose(small, ax, sqrtEach(half));
  const Doubles2 p = z * (p0 + z * (p1 + z * (p2 + z * (p3 + z * (p4 + z * p5)))));
  const Doubles2 q = 1.0 + z * (q1 + z * (q2 + z * (q3 + z * q4)));
  const Doubles2 asinT = t + t * (p / q);
  const Doubles2 signedAsin = (Doubles2)((Longs2)asinT ^ sign);  // asin(x) for |x| <= 0.5
  const Doubles2 twice = 2.0 * asinT;                            // acos(|x|) beyond 0.5
  return choose(small, halfPi - signedAsin, choose((Longs2)(sign != 0), pi - twice, twice));
}

LANES_INLINE Floats2 toFloats(Doubles2 a) { return __builtin_convertvector(a, Floats2); }
LANES_INLINE lanes::Floats4 join(Floats2 low, Floats2 high) { return __builtin_shufflevector(low, high, 0, 1, 2, 3); }

/// The arccosine of each c in [-1, 1] (or not a number), rounded to float, as
/// static_cast<float>(std::acos(static_cast<double>(c))) gives it. The library's std::acos errs by
/// less than a double's ulp, and the lanes' arccosine by far less than 2^-40 (relative): so when
/// every double within 2^-39 of the lanes' value rounds to one float, the library's arccosine,
/// which lies there, rounds to it too. A lane where that does not hold (about one float of [-1, 1]
/// in 90,000, and not-a-number) takes std::acos itself.
LANES_INLINE lanes::Floats4 acosToFloat(lanes::Floats4 c) {
  const Doubles2 low = arccosine(__builtin_convertvector(__builtin_shufflevector(c, c, 0, 1), Doubles2));
  const Doubles2 high = arccosine(__builtin_convertvector(__builtin_shufflevector(c, c, 2, 3), Doubles2));
  lanes::Floats4 f = join(toFloats(low), toFloats(high));
  const Doubles2 lowMargin = low * 0x1p-39, highMargin = high * 0x1p-39;
  const lanes::MaskOf<lanes::Floats4> proven = (join(toFloats(low - lowMargin), toFloats(high - highMargin)) == f) &
                                               (join(toFloats(low + lowMargin), toFloats(high + highMargin)) == f);
  if (!lanes::anyTrue(~proven)) return f;
  for (std::size_t i = 0; i < 4; ++i)
    if (!proven[i]) f[i] = static_cast<float>(std::acos(static_cast<double>(c[i])));
  return f;
}

LANES_INLINE lanes::Floats8 acosToFloat(lanes::Floats8 c) {
  return lanes::join(acosToFloat(lanes::lowHalf(c)), acosToFloat(lanes::highHalf(c)));
}

/// Direction from p to `to`, normalised as Vector3::normalize does: a length of exactly 0 leaves it.
template <class F>
LANES_INLINE Points<F> directionsFrom(const Points<F>& p, const Vector3& to) {
  const Points<F> d = splat<F>(to) - p;
  const F length = lanes::sqrt(lengthSquared(d));
  return select(length == lanes::splat<F>(0), d, d * (lanes::splat<F>(1) / length));
}

template <class F>
LANES_INLINE void insideSumAnglesEachIn(const AnglesPrepared& polygon, std::span<const Vector3> points, float tol,
                                        std::span<bool> inside) {
  const F turn = lanes::splat<F>(fullTurn), minusOne = lanes::splat<F>(-1), one = lanes::splat<F>(1);
  const std::vector<Vector3>& corners = polygon.corners;
  inBlocks<F>(
      points, [&](const Points<F>& p, std::size_t first, std::size_t live) __attribute__((always_inline)) {
        Points<F> previous = directionsFrom(p, corners.back());
        F sum = lanes::splat<F>(0);
        for (const Vector3& corner : corners) {
          const Points<F> cur = directionsFrom(p, corner);
          const F cosine = dot(cur, previous);
          // As std::clamp(cosine, -1, 1): not-a-number stays.
          const F clamped = lanes::select(cosine < minusOne, minusOne, lanes::select(one < cosine, one, cosine));
          sum += acosToFloat(clamped);
          previous = cur;
        }
        const F off = (F)((lanes::MaskOf<F>)(sum - turn) & 0x7fffffff);
        store<F>(off < lanes::splat<F>(tol), inside, first, live);
      });
}

// ---- overlaps ----

/// Each lane's q moved by its offset against p's axes, then each lane's moved q's axes against p,
/// as separatedByAxesOf takes them: which lanes some axis separates by at least tol.
template <class F>
LANES_INLINE lanes::MaskOf<F> separatedEach(const OverlapPrepared& pair, const Points<F>& offset, float tol,
                                            Points<F>* moved) {
  const F tolerance = lanes::splat<F>(tol);
  const std::size_t m = pair.qCorners.size();
  for (std::size_t j = 0; j < m; ++j) {
    moved[j] = splat<F>(pair.qCorners[j]);
    for (std::size_t k = 0; k < pair.qLinks[j]; ++k) moved[j] = moved[j] + offset;
  }
  lanes::MaskOf<F> separated = lanes::splatInts<F>(0);
  // p's own axes: p's extent is prepared; q's is taken corner by corner, as Projection::add does.
  for (std::size_t i = 0; i < pair.axis.size(); ++i) {
    const Points<F> axis = splat<F>(pair.axis[i]), origin = splat<F>(pair.origin[i]);
    F qMin = dot(axis, moved[0] - origin), qMax = qMin;
    for (std::size_t j = 1; j < m; ++j) {
      const F x = dot(axis, moved[j] - origin);
      qMin = lanes::lowerOf(qMin, x);
      qMax = lanes::higherOf(qMax, x);
    }
    const F pMin = lanes::splat<F>(pair.pMin[i]), pMax = lanes::splat<F>(pair.pMax[i]);
    separated |= lanes::higherOf(qMin - pMax, pMin - qMax) >= tolerance;
    if (allTrue<F>(separated)) return separated;
  }
  // The moved q's axes, q's extent first. An edge that gives no axis in a lane leaves that lane's start.
  const Points<F> normal = splat<F>(pair.qNormal);
  const F zero = lanes::splat<F>(0), one = lanes::splat<F>(1), degenerate = lanes::splat<F>(degenerateAxis);
  auto separates = [&](const Points<F>& axis, const Points<F>& origin) __attribute__((always_inline)) {
    F qMin = dot(axis, moved[0] - origin), qMax = qMin;
    for (std::size_t j = 1; j < m; ++j) {
      const F x = dot(axis, moved[j] - origin);
      qMin = lanes::lowerOf(qMin, x);
      qMax = lanes::higherOf(qMax, x);
    }
    F pMin = dot(axis, splat<F>(pair.pCorners[0]) - origin), pMax = pMin;
    for (std::size_t j = 1; j < pair.pCorners.size(); ++j) {
      const F x = dot(axis, splat<F>(pair.pCorners[j]) - origin);
      pMin = lanes::lowerOf(pMin, x);
      pMax = lanes::higherOf(pMax, x);
    }
    return lanes::higherOf(pMin - qMax, qMin - pMax) >= tolerance;
  };
  Points<F> start = moved[m - 1];
  separated |= separates(normal, start);
  for (std::size_t j = 0; j < m && !allTrue<F>(separated); ++j) {
    Points<F> axis = cross(moved[j] - start, normal);
    const F length = lanes::sqrt(lengthSquared(axis));
    axis = select(length == zero, axis, axis * (one / length));
    const lanes::MaskOf<F> none = lengthSquared(axis) < degenerate;
    if (!allTrue<F>(none)) separated |= separates(axis, start) & ~none;
    start = select(none, start, moved[j]);
  }
  return separated;
}

template <class F>
LANES_INLINE void overlapsEachIn(const OverlapPrepared& pair, std::span<const Vector3> offsets, float tol,
                                 std::span<bool> overlap) {
  // The moved corners, in storage aligned for F by hand: the allocator of the build's baseline
  // instruction set need not align for the wide lanes.
  std::vector<float> storage((pair.qCorners.size() * 3 + 1) * lanes::widthOf<F>);
  Points<F>* moved = reinterpret_cast<Points<F>*>((reinterpret_cast<std::uintptr_t>(storage.data()) + sizeof(F) - 1) /
                                                  sizeof(F) * sizeof(F));
  inBlocks<F>(
      offsets, [&](const Points<F>& o, std::size_t first, std::size_t live) __attribute__((always_inline)) {
        store<F>(~separatedEach(pair, o, tol, moved), overlap, first, live);
      });
}

}  // namespace geometry
