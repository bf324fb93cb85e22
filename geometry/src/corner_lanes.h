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
    while (k >= n) k -= n;  // a few turns at most: callers pass first below n + 3
    return lanes::load(reinterpret_cast<const float*>(p.begin()[static_cast<std::ptrdiff_t>(k)].vertex));
  };
  Points out;
  lanes::columns(row(0), row(1), row(2), row(3), out.x, out.y, out.z);
  return out;
}

/// A polygon's corner positions by coordinate, gathered once for the many lanes that read them:
/// the last corner at index 0, corner i at index i + 1, then copies of the last corner up to
/// whole lanes, so that loads at 0 .. size() - 1 give each edge's start and at 1 .. size() its end.
class CornerColumns {
 public:
  explicit CornerColumns(const Polygon& p) : n(p.size()), columns(p.size() + 1 + lanes::width) {
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
  }

  std::size_t size() const { return n; }
  /// Corner i - 1 at i (the last corner at 0), and the three after it.
  Points load(std::size_t i) const {
    return {lanes::load(columns[0] + i), lanes::load(columns[1] + i), lanes::load(columns[2] + i)};
  }
  /// Corner i in every lane.
  Points splatCorner(std::size_t i) const {
    return {lanes::splat(columns[0][i + 1]), lanes::splat(columns[1][i + 1]), lanes::splat(columns[2][i + 1])};
  }

 private:
  std::size_t n;
  lanes::Columns<3> columns;
};

}  // namespace geometry
