// Three ways to tell whether a point lies inside a polygon: barycentric
// coordinates over a fan of triangles, one plane per edge, and the angle sum.
#include <geometry/contract.h>
#include <geometry/polygon.h>

#include <algorithm>
#include <cmath>

#include "corner_lanes.h"

namespace geometry {
namespace {

constexpr float edgePlaneAllowance = 0.01f;
constexpr float fullTurn = 2 * 3.14159265f;  // twice the float pi: 6.2831855

Vector3 directionFrom(const Vector3& p, const Vector3& to) {
  Vector3 d = to - p;
  d.normalize();
  return d;
}

}  // namespace

// The fan of triangles (a, previous corner, corner) from the polygon's first vertex, four
// triangles at a time: lane i holds the triangle that ends at corner first + i. The point is
// inside as soon as one triangle holds it, so the triangles can be judged side by side.
bool Polygon::insideBarycentric(const Vector3& p, float eps) const {
  if (size() < 2) contractViolation("Polygon::insideBarycentric", "fewer than two vertices");
  const std::size_t n = size();
  if (n == 2) return false;
  const Points a = splat(vertices[0]->position);
  const Points w = splat(p) - a;
  const lanes::Floats one = lanes::splat(1), low = lanes::splat(-eps), high = lanes::splat(1 + eps);
  Points before = splat(vertices[1]->position);
  for (std::size_t first = 2; first < n; first += lanes::width) {
    const Points cur = corners(*this, first);
    const Points e1 = predecessors(before, cur) - a;
    const Points e2 = cur - a;
    before = cur;
    // w = p - a is split as u * e1 + v * e2 plus a part off the triangle's plane.
    // perp, the part of e2 perpendicular to e1, sees no e1, so it gives v alone;
    // what is left of w after v * e2 then gives u along e1.
    const lanes::Floats k = one / lengthSquared(e1);
    const Points perp = e2 - e1 * (dot(e2, e1) * k);
    const lanes::Floats v = dot(w, perp) / dot(e2, perp);
    const lanes::Floats u = dot(w - e2 * v, e1) * k;
    // A not-a-number coordinate, from a triangle of no area, fails this test.
    const lanes::Mask holds = ~(v < low) & (u >= low) & (u + v <= high);
    if (lanes::anyTrue(holds & lanes::below(n - first))) return true;
  }
  return false;
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
