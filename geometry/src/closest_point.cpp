// The point of a polygon, interior and outline together, nearest to a point in space.
#include <geometry/contract.h>
#include <geometry/polygon.h>

#include "lane_width.h"

namespace geometry {

// The steps, side by side in lanes, are in closestPointIn (lane_kernels.h).
Vector3 Polygon::closestPoint(const Vector3& q) const {
  if (size() < 2) contractViolation("Polygon::closestPoint", "fewer than two vertices");
  return closestPointInLanes(*this, q);
}

}  // namespace geometry
