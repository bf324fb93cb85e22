// Points in lanes: one position per lane by coordinate, with Vector3's operations done lane by
// lane in Vector3's order, and the way a polygon's corners are loaded into them.
#pragma once

#include <geometry/polygon.h>

#include <cstddef>

#include "lanes.h"

namespace geometry {

/// As many points as F has lanes, one per lane.
template <class F>
struct Points {
  F x, y, z;
};

template <class F>
LANES_INLINE Points<F> splat(const Vector3& v) {
  return {lanes::splat<F>(v.x), lanes::splat<F>(v.y), lanes::splat<F>(v.z)};
}

template <class F>
LANES_INLINE Points<F> operator-(const Points<F>& a, const Points<F>& b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
template <class F>
LANES_INLINE Points<F> operator+(const Points<F>& a, const Points<F>& b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
template <class F>
LANES_INLINE Points<F> operator*(const Points<F>& a, F s) {
  return {a.x * s, a.y * s, a.z * s};
}
template <class F>
LANES_INLINE F dot(const Points<F>& a, const Points<F>& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
template <class F>
LANES_INLINE F lengthSquared(const Points<F>& a) {
  return a.x * a.x + a.y * a.y + a.z * a.z;
}
template <class F>
LANES_INLINE Points<F> cross(const Points<F>& a, const Points<F>& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
template <class F>
LANES_INLINE Points<F> select(lanes::MaskOf<F> m, const Points<F>& a, const Points<F>& b) {
  return {lanes::select(m, a.x, b.x), lanes::select(m, a.y, b.y), lanes::select(m, a.z, b.z)};
}

/// The point in lane i.
template <class F>
LANES_INLINE Vector3 lane(const Points<F>& p, std::size_t i) {
  return {p.x[i], p.y[i], p.z[i]};
}

/// The last corner of p (not empty).
LANES_INLINE const Vector3& lastCorner(const Polygon& p) { return (p.end() - 1)->vertex->position; }

/// Corner `first` of p and the three after it, counted round the polygon (p not empty). Each
/// record's position and the float after it are loaded as one row of four, and the rows turned
/// into columns.
LANES_INLINE Points<lanes::Floats4> fourCorners(const Polygon& p, std::size_t first) {
  static_assert(offsetof(Vertex, position) == 0 && sizeof(Vertex) >= 4 * sizeof(float));
  const std::size_t n = p.size();
  const VertexRef* refs = &*p.begin();
  auto row = [&](std::size_t k) __attribute__((always_inline)) {
    return lanes::load(reinterpret_cast<const float*>(refs[k < n ? k : k % n].vertex));
  };
  const lanes::Floats4 rows[4] = {row(first), row(first + 1), row(first + 2), row(first + 3)};
  Points<lanes::Floats4> out;
  lanes::columns(rows[0], rows[1], rows[2], rows[3], out.x, out.y, out.z);
  return out;
}

/// Corners first to first + width - 1 of p, counted round the polygon (p not empty).
template <class F>
LANES_INLINE Points<F> corners(const Polygon& p, std::size_t first);
template <>
LANES_INLINE Points<lanes::Floats4> corners(const Polygon& p, std::size_t first) {
  return fourCorners(p, first);
}
template <>
LANES_INLINE Points<lanes::Floats8> corners(const Polygon& p, std::size_t first) {
  const Points<lanes::Floats4> low = fourCorners(p, first), high = fourCorners(p, first + 4);
  return {lanes::join(low.x, high.x), lanes::join(low.y, high.y), lanes::join(low.z, high.z)};
}

/// The last lane of before, then all but the last lane of a: each point's predecessor when
/// before holds the points before a.
template <class F>
LANES_INLINE Points<F> predecessors(const Points<F>& before, const Points<F>& a) {
  return {lanes::shiftedUp(before.x, a.x), lanes::shiftedUp(before.y, a.y), lanes::shiftedUp(before.z, a.z)};
}

/// All but the first lane of a, then the first lane of after: each point's successor when after
/// holds the points after a.
template <class F>
LANES_INLINE Points<F> successors(const Points<F>& a, const Points<F>& after) {
  return {lanes::shiftedDown(a.x, after.x), lanes::shiftedDown(a.y, after.y), lanes::shiftedDown(a.z, after.z)};
}

}  // namespace geometry
