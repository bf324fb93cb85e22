// The point of a polygon, interior and outline together, nearest to a point in space: given
// step by step first; the operation runs its form in lanes (lanes/), which gives the same bits.
#include <geometry/contract.h>
#include <geometry/polygon.h>

#include "lanes/lane_width.h"
#include "step_by_step.h"

namespace geometry {
namespace {

template <class Observe>
Vector3 nearestWalk(const Polygon& polygon, const Vector3& q, const Observe& observe) {
  // 1. q dropped perpendicularly onto the plane: if the fan holds the foot, that is the answer
  // (the outline belongs to the interior).
  const Vector3 foot = q - polygon.plane.normal * polygon.plane.signedDistance(q);
  if constexpr (Observe::on) {
    // The observer also sees the fan triangle that held the foot.
    NearestStep step;
    step.foot = foot;
    const FanObserver holding = [&step](const FanStep& triangle) {
      if (triangle.inside) step.triangle = triangle;
    };
    step.inFan = insideBarycentricWalked(polygon, foot, 0, holding);
    observe(step);
    if (step.inFan) return foot;
  } else if (insideBarycentricWalked(polygon, foot, 0)) {
    return foot;
  }
  // 2. Else the nearest of the edges' nearest points; a later edge wins only when strictly
  // nearer, and the first edge is taken whatever its distance. Distances are measured from q
  // itself, so each carries the same height above the plane; q's part along the normal is
  // perpendicular to every edge and does not change t.
  const std::size_t n = polygon.size();
  float best = 0;
  Vector3 result;
  for (std::size_t i = 0; i < n; ++i) {
    const Vector3 a = polygon.at(i)->position;
    const Vector3 b = polygon.at((i + 1) % n)->position;
    const Vector3 e = b - a;
    // An edge of no length (a corner dragged onto its neighbour) would give 0 / 0; its only point is a.
    const float edgeSquared = e.lengthSquared();
    const float t = edgeSquared > 0 ? dot(q - a, e) / edgeSquared : 0;
    const NearestStep::End end = t <= 0 ? NearestStep::From : t >= 1 ? NearestStep::To : NearestStep::Between;
    const Vector3 c = end == NearestStep::From ? a : end == NearestStep::To ? b : a + e * t;
    const float d2 = (q - c).lengthSquared();
    const bool nearest = i == 0 || d2 < best;
    if constexpr (Observe::on) {
      NearestStep step;
      step.kind = NearestStep::Edge;
      step.from = i;
      step.to = (i + 1) % n;
      step.t = t;
      step.end = end;
      step.candidate = c;
      step.distanceSquared = d2;
      step.nearest = nearest;
      observe(step);
    }
    if (nearest) {
      best = d2;
      result = c;
    }
  }
  return result;
}

}  // namespace

Vector3 Polygon::closestPoint(const Vector3& q) const {
  if (size() < 2) contractViolation("Polygon::closestPoint", "fewer than two vertices");
  return closestPointInLanes(*this, q);
}

Vector3 closestPointWalked(const Polygon& polygon, const Vector3& q, const NearestObserver& observe) {
  if (polygon.size() < 2) contractViolation("closestPointWalked", "fewer than two vertices");
  return observedBy(observe, [&](const auto& o) { return nearestWalk(polygon, q, o); });
}

}  // namespace geometry
