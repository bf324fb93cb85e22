// Points in lanes: four positions by coordinate, with Vector3's operations done lane by
// lane in Vector3's order, and the ways a polygon's corners are loaded into them.
#pragma once

#include <geometry/polygon.h>

#include <cstddef>

#include "lanes.h"

namespace geometry {

/// Up to four points, one per lane.
struct Points {
  lanes::Floats x, y, z;
};

inline Points splat(const Vector3& v) { return {lanes::splat(v.x), lanes::splat(v.y), lanes::splat(v.z)}; }

inline Points operator-(const Points& a, const Points& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Points operator+(const Points& a, const Points& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Points operator*(const Points& a, lanes::Floats s) { return {a.x * s, a.y * s, a.z * s}; }
inline lanes::Floats dot(const Points& a, const Points& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline lanes::Floats lengthSquared(const Points& a) { return a.x * a.x + a.y * a.y + a.z * a.z; }
inline Points cross(const Points& a, const Points& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline Points select(lanes::Mask m, const Points& a, const Points& b) {
  return {lanes::select(m, a.x, b.x), lanes::select(m, a.y, b.y), lanes::select(m, a.z, b.z)};
}

/// The point in lane i.
inline Vector3 lane(const Points& p, std::size_t i) { return {p.x[i], p.y[i], p.z[i]}; }

/// Corners first to first + 3 of p, counted round the polygon (p not empty). Each record's
/// position and the float after it are loaded as one row of four, and the rows turned into columns.
inline Points corners(const Polygon& p, std::size_t first) {
  static_assert(offsetof(Vertex, position) == 0 && sizeof(Vertex) >= 4 * sizeof(float));
  const std::size_t n = p.size();
  auto row = [&](std::size_t i) {
    std::size_t k = first + i;
    while (k >= n) k -= n;  // callers pass first below n + 4, so a few turns at most
    return lanes::load(reinterpret_cast<const float*>(p.begin()[static_cast<std::ptrdiff_t>(k)].vertex));
  };
  Points out;
  lanes::columns(row(0), row(1), row(2), row(3), out.x, out.y, out.z);
  return out;
}

/// Lane 3 of before, then lanes 0 to 2 of a: each point's predecessor when before holds the points before a.
inline Points predecessors(const Points& before, const Points& a) {
  return {lanes::shiftedUp(before.x, a.x), lanes::shiftedUp(before.y, a.y), lanes::shiftedUp(before.z, a.z)};
}

/// Lanes 1 to 3 of a, then lane 0 of after: each point's successor when after holds the points after a.
inline Points successors(const Points& a, const Points& after) {
  return {lanes::shiftedDown(a.x, after.x), lanes::shiftedDown(a.y, after.y), lanes::shiftedDown(a.z, after.z)};
}

/// A polygon's corner positions by coordinate, gathered once for the many lanes that read them:
/// the last corner at index 0, corner i at index i + 1, then copies of the last corner up to
/// whole lanes, so that loads at 0 .. size() - 1 give each edge's start and at 1 .. size() its end;
/// and each corner once more, spread over four lanes, for the loops that take one corner at a time.
class CornerColumns {
 public:
  explicit CornerColumns(const Polygon& p)
      : n(p.size()), columns(p.size() + 1 + lanes::width), spread(p.size() * lanes::width) {
    float* x = columns[0];
    float* y = columns[1];
    float* z = columns[2];
    std::size_t i = 1;
    for (const VertexRef& ref : p) {
      x[i] = ref->position.x;
      y[i] = ref->position.y;
      z[i] = ref->position.z;
      ++i;
    }
    for (std::size_t k : {std::size_t{0}, n + 1, n + 2, n + 3, n + 4}) {
      x[k] = x[n];
      y[k] = y[n];
      z[k] = z[n];
    }
    for (std::size_t c = 0; c < 3; ++c)
      for (std::size_t k = 0; k < n * lanes::width; ++k) spread[c][k] = columns[c][k / lanes::width + 1];
  }

  std::size_t size() const { return n; }
  /// Corner i - 1 at i (the last corner at 0), and the three after it.
  Points load(std::size_t i) const {
    return {lanes::load(columns[0] + i), lanes::load(columns[1] + i), lanes::load(columns[2] + i)};
  }
  /// Corner i in every lane.
  Points splatCorner(std::size_t i) const {
    const std::size_t at = i * lanes::width;
    return {lanes::load(spread[0] + at), lanes::load(spread[1] + at), lanes::load(spread[2] + at)};
  }

 private:
  std::size_t n;
  lanes::Columns<3> columns;
  lanes::Columns<3, 68 * lanes::width> spread;
};

}  // namespace geometry
