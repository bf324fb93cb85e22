// Three ways to tell whether a point lies inside a polygon: barycentric
// coordinates over a fan of triangles, one plane per edge, and the angle sum.
#include <geometry/contract.h>
#include <geometry/polygon.h>

#include <algorithm>
#include <cmath>

#include "lane_kernels.h"
#include "lane_width.h"

namespace geometry {
namespace {

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
  using F = lanes::Floats4;
  if (size() < 2) contractViolation("Polygon::insideBarycentric", "fewer than two vertices");
  const std::size_t n = size();
  if (n == 2) return false;
  const Points<F> a = splat<F>(vertices[0]->position);
  const Points<F> w = splat<F>(p) - a;
  Points<F> before = splat<F>(vertices[1]->position);
  for (std::size_t first = 2; first < n; first += lanes::widthOf<F>) {
    const Points<F> cur = corners<F>(*this, first);
    const lanes::MaskOf<F> holds = fanHolds(a, w, predecessors(before, cur), cur, eps);
    before = cur;
    if (lanes::anyTrue(holds & lanes::below<F>(n - first))) return true;
  }
  return false;
}

// The tolerance argument is unused: every caller passes 0.01, the fixed allowance.
bool Polygon::insideEdgePlanes(const Vector3& p, float /*tol*/) const {
  if (vertices.empty()) contractViolation("Polygon::insideEdgePlanes", "polygon is empty");
  return insideEdgePlanesInLanes(*this, p);
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
