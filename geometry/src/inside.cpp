// Three ways to tell whether a point lies inside a polygon: barycentric
// coordinates over a fan of triangles, one plane per edge, and the angle sum.
#include <geometry/contract.h>
#include <geometry/polygon.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "corner_lanes.h"

namespace geometry {
namespace {

constexpr float edgePlaneAllowance = 0.01f;
constexpr float fullTurn = 2 * 3.14159265f;  // twice the float pi: 6.2831855

// Walks the fan of triangles (a, previous corner, corner) from the polygon's first
// vertex; fires at the first triangle that holds the point.
struct FanTriangleTest {
  Vector3 a;
  Vector3 previous;
  Vector3 p;
  float eps;

  bool operator()(const VertexRef& ref) {
    const Vector3& cur = ref->position;
    const Vector3 e1 = previous - a;
    const Vector3 e2 = cur - a;
    previous = cur;
    // w = p - a is split as u * e1 + v * e2 plus a part off the triangle's plane.
    // perp, the part of e2 perpendicular to e1, sees no e1, so it gives v alone;
    // what is left of w after v * e2 then gives u along e1.
    const float k = 1 / e1.lengthSquared();
    const Vector3 perp = e2 - e1 * (dot(e2, e1) * k);
    const Vector3 w = p - a;
    const float v = dot(w, perp) / dot(e2, perp);
    if (v < -eps) return false;
    const float u = dot(w - e2 * v, e1) * k;
    // A not-a-number coordinate, from a triangle of no area, fails this test.
    return u >= -eps && u + v <= 1 + eps;
  }
};

Vector3 directionFrom(const Vector3& p, const Vector3& to) {
  Vector3 d = to - p;
  d.normalize();
  return d;
}

}  // namespace

bool Polygon::insideBarycentric(const Vector3& p, float eps) const {
  if (size() < 2) contractViolation("Polygon::insideBarycentric", "fewer than two vertices");
  if (size() == 2) return false;
  FanTriangleTest test{vertices[0]->position, vertices[1]->position, p, eps};
  return std::find_if(vertices.begin() + 2, vertices.end(), std::ref(test)) != vertices.end();
}

// The tolerance argument is unused: every caller passes 0.01, the fixed allowance.
// Four edges at a time, from the closing one on: lane i holds the edge that ends at corner
// first + i. The answer is "inside" unless some edge has the point beyond its plane, so the
// edges can be judged side by side; a block that finds one ends the test.
bool Polygon::insideEdgePlanes(const Vector3& p, float /*tol*/) const {
  if (vertices.empty()) contractViolation("Polygon::insideEdgePlanes", "polygon is empty");
  const std::size_t n = size();
  const Points normal = splat(plane.normal);
  const Points point = splat(p);
  Points before = splat(vertices.back()->position);
  for (std::size_t first = 0; first < n; first += lanes::width) {
    const Points cur = corners(*this, first);
    const Points previous = predecessors(before, cur);
    before = cur;
    // cross(normal, edge) points out of a polygon wound counter-clockwise about the
    // normal. It is not normalised: the allowance shrinks as the edge grows.
    const Points out = cross(normal, previous - cur);
    const lanes::Mask beyond = dot(out, point - cur) > lanes::splat(edgePlaneAllowance);
    if (lanes::anyTrue(beyond & lanes::below(n - first))) return false;
  }
  return true;
}

bool Polygon::insideSumAngles(const Vector3& p, float tol) const {
  if (vertices.empty()) return false;
  Vector3 previous = directionFrom(p, vertices.back()->position);
  float sum = 0;
  for (const VertexRef& ref : vertices) {
    const Vector3 cur = directionFrom(p, ref->position);
    // Two unit vectors of one direction can give a dot product just past 1; clamped,
    // their angle is 0 instead of not-a-number. The arccosine is taken in double, so
    // the result does not hang on the last bit of a float arccosine.
    const float cosine = std::clamp(dot(cur, previous), -1.0f, 1.0f);
    sum += static_cast<float>(std::acos(static_cast<double>(cosine)));
    previous = cur;
  }
  return std::fabs(sum - fullTurn) < tol;
}

}  // namespace geometry
