// The point of a polygon, interior and outline together, nearest to a point in space.
#include <geometry/contract.h>
#include <geometry/polygon.h>

#include <cmath>
#include <limits>

#include "corner_lanes.h"

namespace geometry {
namespace {

constexpr float footTolerance = 0;  // the outline belongs to the interior

}  // namespace

Vector3 Polygon::closestPoint(const Vector3& q) const {
  if (size() < 2) contractViolation("Polygon::closestPoint", "fewer than two vertices");
  // Dropped perpendicularly onto the plane, q lands either in the polygon (then that is the answer) or outside.
  const Vector3 foot = q - plane.normal * plane.signedDistance(q);
  if (insideBarycentric(foot, footTolerance)) return foot;

  // The nearest point of each edge, four edges at a time: lane i holds the edge from corner
  // first + i to the corner after it. Distances are measured from q itself, so each carries the
  // same height above the plane.
  const std::size_t n = size();
  const Points query = splat(q);
  const lanes::Floats zero = lanes::splat(0), one = lanes::splat(1);
  // Each lane keeps the nearest of its own edges, the earliest of equals, and which edge that was.
  lanes::Floats best = lanes::splat(std::numeric_limits<float>::infinity());
  Points bestPoint{};
  lanes::Ints bestEdge = lanes::Ints{-1, -1, -1, -1};
  float firstDistance = 0;
  Vector3 firstPoint;
  Points a = corners(*this, 0);
  for (std::size_t first = 0; first < n; first += lanes::width) {
    const Points after = corners(*this, first + lanes::width);
    const Points b = successors(a, after);
    const Points e = b - a;
    // q's part along the normal is perpendicular to every edge and does not change t. An edge of no length
    // (a corner dragged onto its neighbour) would give 0 / 0; its only point is a.
    const lanes::Floats edgeSquared = lengthSquared(e);
    const lanes::Floats t = lanes::select(edgeSquared > zero, dot(query - a, e) / edgeSquared, zero);
    const Points c = select(t <= zero, a, select(t >= one, b, a + e * t));
    const lanes::Floats d2 = lengthSquared(query - c);
    if (first == 0) {
      firstDistance = d2[0];
      firstPoint = lane(c, 0);
    }
    const lanes::Mask nearer = (d2 < best) & lanes::below(n - first);
    best = lanes::select(nearer, d2, best);
    bestPoint = select(nearer, c, bestPoint);
    bestEdge = lanes::select(nearer, lanes::indices(static_cast<int>(first)), bestEdge);
    a = after;
  }

  // The walk takes the first edge whatever its distance, then a later edge only when strictly nearer.
  // So the answer is the lowest edge of least distance; or the first edge when its distance is not a
  // number, which nothing is less than (and which no lane took).
  float nearest = firstDistance;
  Vector3 result = firstPoint;
  int resultEdge = 0;
  if (std::isnan(nearest)) return result;
  for (std::size_t i = 0; i < lanes::width; ++i) {
    if (bestEdge[i] < 0) continue;
    if (best[i] < nearest || (best[i] == nearest && bestEdge[i] < resultEdge)) {
      nearest = best[i];
      result = lane(bestPoint, i);
      resultEdge = bestEdge[i];
    }
  }
  return result;
}

}  // namespace geometry
