// Three ways to tell whether a point lies inside a polygon: barycentric coordinates over a fan
// of triangles, one plane per edge, and the angle sum, each given step by step first; the first
// two operations run their forms in lanes (lanes/), which give the same answers.
#include <geometry/contract.h>
#include <geometry/polygon.h>

#include <algorithm>
#include <cmath>

#include "lanes/lane_width.h"
#include "step_by_step.h"

namespace geometry {
namespace {

constexpr float fullTurn = 2 * 3.14159265f;  // twice the float pi: 6.2831855
// For a triangle or a quadrilateral the walk of one or two fan triangles is faster than a block of lanes.
constexpr std::size_t smallestFanInLanes = 5;

Vector3 directionFrom(const Vector3& p, const Vector3& to) {
  Vector3 d = to - p;
  d.normalize();
  return d;
}

}  // namespace

namespace {

// The fan of triangles (a, previous, cur) from vertex 0; inside as soon as one holds the point.
template <class Observe>
bool fanWalk(const Polygon& polygon, const Vector3& point, float eps, const Observe& observe) {
  const Vector3 a = polygon.at(0)->position;
  Vector3 previous = polygon.at(1)->position;
  const std::size_t n = polygon.size();
  if (n <= 2) return false;
  for (std::size_t i = 2; i < n; ++i) {
    const Vector3& cur = polygon.at(i)->position;
    const Vector3 e1 = previous - a;
    const Vector3 e2 = cur - a;
    previous = cur;
    // w = point - a is split as u * e1 + v * e2 plus a part off the triangle's plane. perp, the
    // part of e2 perpendicular to e1, sees no e1, so it gives v alone; what is left of w after
    // v * e2 then gives u along e1. A triangle of no area gives not-a-number, which fails below.
    const float k = 1 / e1.lengthSquared();
    const Vector3 perp = e2 - e1 * (dot(e2, e1) * k);
    const Vector3 w = point - a;
    const float v = dot(w, perp) / dot(e2, perp);
    if (v < -eps) {
      observe(FanStep{.b = i - 1, .c = i, .v = v, .belowV = true});
      continue;
    }
    const float u = dot(w - e2 * v, e1) * k;
    const bool inside = u >= -eps && u + v <= 1 + eps;
    observe(FanStep{.b = i - 1, .c = i, .v = v, .u = u, .sum = u + v, .inside = inside});
    if (inside) return true;
  }
  return false;
}

// One plane per edge, from the closing edge on; outside at the first edge the point lies beyond.
template <class Observe>
bool edgePlanesWalk(const Polygon& polygon, const Vector3& point, const Observe& observe) {
  Vector3 previous = polygon.back()->position;
  std::size_t from = polygon.size() - 1, to = 0;
  for (const VertexRef& ref : polygon) {
    const Vector3& cur = ref->position;
    // cross(normal, edge) points out of a polygon wound counter-clockwise about the normal. It
    // is not normalised, so the allowance shrinks as the edge grows.
    const Vector3 out = cross(polygon.plane.normal, previous - cur);
    previous = cur;
    const float value = dot(out, point - cur);
    observe(EdgePlaneStep{.from = from, .to = to, .normal = out, .value = value, .beyond = value > edgePlaneAllowance});
    if (value > edgePlaneAllowance) return false;
    from = to++;
  }
  return true;
}

// The angles under which the edges are seen from the point, from the closing edge on, add up to
// a full turn when the point is inside.
template <class Observe>
bool sumAnglesWalk(const Polygon& polygon, const Vector3& point, float tol, const Observe& observe) {
  if (polygon.size() == 0) return false;
  Vector3 previous = directionFrom(point, polygon.back()->position);
  float sum = 0;
  std::size_t from = polygon.size() - 1, to = 0;
  for (const VertexRef& ref : polygon) {
    const Vector3 cur = directionFrom(point, ref->position);
    // Two unit vectors of one direction can give a dot product just past 1; clamped,
    // their angle is 0 instead of not-a-number. The arccosine is taken in double, so
    // the result does not hang on the last bit of a float arccosine.
    const float cosine = std::clamp(dot(cur, previous), -1.0f, 1.0f);
    const float angle = static_cast<float>(std::acos(static_cast<double>(cosine)));
    sum += angle;
    previous = cur;
    observe(AngleStep{.from = from, .to = to, .angle = angle, .sum = sum, .offTurn = std::fabs(sum - fullTurn)});
    from = to++;
  }
  return std::fabs(sum - fullTurn) < tol;
}

}  // namespace

bool Polygon::insideBarycentric(const Vector3& p, float eps) const {
  if (size() < 2) contractViolation("Polygon::insideBarycentric", "fewer than two vertices");
  if (size() < smallestFanInLanes) return fanWalk(*this, p, eps, Silent{});
  return insideBarycentricInLanes(*this, p, eps);
}

// The tolerance argument is unused: every caller passes 0.01, the fixed allowance.
bool Polygon::insideEdgePlanes(const Vector3& p, float /*tol*/) const {
  if (vertices.empty()) contractViolation("Polygon::insideEdgePlanes", "polygon is empty");
  return insideEdgePlanesInLanes(*this, p);
}

bool Polygon::insideSumAngles(const Vector3& p, float tol) const { return sumAnglesWalk(*this, p, tol, Silent{}); }

bool insideBarycentricWalked(const Polygon& polygon, const Vector3& point, float eps, const FanObserver& observe) {
  if (polygon.size() < 2) contractViolation("insideBarycentricWalked", "fewer than two vertices");
  return observedBy(observe, [&](const auto& o) { return fanWalk(polygon, point, eps, o); });
}

bool insideEdgePlanesWalked(const Polygon& polygon, const Vector3& point, const EdgePlaneObserver& observe) {
  if (polygon.size() == 0) contractViolation("insideEdgePlanesWalked", "polygon is empty");
  return observedBy(observe, [&](const auto& o) { return edgePlanesWalk(polygon, point, o); });
}

bool insideSumAnglesWalked(const Polygon& polygon, const Vector3& point, float tol, const AngleObserver& observe) {
  return observedBy(observe, [&](const auto& o) { return sumAnglesWalk(polygon, point, tol, o); });
}

}  // namespace geometry
