// The point of a polygon, interior and outline together, nearest to a point in space: given
// step by step first; the operation runs its form in lanes (lanes/), which gives the same bits.
#include <geometry/contract.h>
#include <geometry/polygon.h>

#include "lanes/lane_width.h"
#include "step_by_step.h"

namespace geometry {
namespace stepByStep {

Vector3 closestPoint(const Polygon& polygon, const Vector3& q) {
  // 1. q dropped perpendicularly onto the plane: if the fan holds the foot, that is the answer
  // (the outline belongs to the interior).
  const Vector3 foot = q - polygon.plane.normal * polygon.plane.signedDistance(q);
  if (insideBarycentric(polygon, foot, 0)) return foot;
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
    const Vector3 c = t <= 0 ? a : t >= 1 ? b : a + e * t;
    const float d2 = (q - c).lengthSquared();
    if (i == 0 || d2 < best) {
      best = d2;
      result = c;
    }
  }
  return result;
}

}  // namespace stepByStep

Vector3 Polygon::closestPoint(const Vector3& q) const {
  if (size() < 2) contractViolation("Polygon::closestPoint", "fewer than two vertices");
  return closestPointInLanes(*this, q);
}

}  // namespace geometry
