// Building and reading polygons in tests.
#pragma once

#include <geometry/polygon.h>
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <sstream>
#include <vector>

namespace geometry {
inline std::ostream& operator<<(std::ostream& out, const Vector3& v) {
  return out << "(" << v.x << ", " << v.y << ", " << v.z << ")";
}
inline bool operator==(const Vector3& a, const Vector3& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }
}  // namespace geometry

namespace shapes {

using geometry::Polygon;
using geometry::Vector3;
using geometry::VertexStore;

/// A polygon whose corners are new records in store, in the given order.
inline Polygon makePolygon(VertexStore& store, const std::vector<Vector3>& corners) {
  Polygon p;
  for (const Vector3& c : corners) p.addVertex(geometry::VertexRef(geometry::Vertex(c.x, c.y, c.z), store));
  return p;
}

/// The clockwise unit square the programs start from.
inline Polygon startSquare(VertexStore& store) {
  return makePolygon(store, {{-0.5f, -0.5f, 0}, {-0.5f, 0.5f, 0}, {0.5f, 0.5f, 0}, {0.5f, -0.5f, 0}});
}

inline std::vector<Vector3> positions(const Polygon& p) {
  std::vector<Vector3> out;
  for (const geometry::VertexRef& ref : p) out.push_back(ref->position);
  return out;
}

/// Element-wise comparison of point lists within tol.
inline ::testing::AssertionResult near(const std::vector<Vector3>& actual, const std::vector<Vector3>& expected,
                                       float tol = 1e-5f) {
  auto show = [](const std::vector<Vector3>& v) {
    std::ostringstream s;
    for (const Vector3& p : v) s << p << " ";
    return s.str();
  };
  bool ok = actual.size() == expected.size();
  for (std::size_t i = 0; ok && i < actual.size(); ++i)
    ok = std::abs(actual[i].x - expected[i].x) <= tol && std::abs(actual[i].y - expected[i].y) <= tol &&
         std::abs(actual[i].z - expected[i].z) <= tol;
  if (ok) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "got " << show(actual) << "\nwant " << show(expected);
}

inline ::testing::AssertionResult near(const Vector3& actual, const Vector3& expected, float tol = 1e-5f) {
  return near(std::vector<Vector3>{actual}, std::vector<Vector3>{expected}, tol);
}

}  // namespace shapes
