// The point of a polygon, interior and outline together, nearest to a point in space.
#include <geometry/contract.h>
#include <geometry/polygon.h>

namespace geometry {
namespace {

constexpr float footTolerance = 0;  // the outline belongs to the interior
constexpr float farAway = 1e10f;

}  // namespace

Vector3 Polygon::closestPoint(const Vector3& q) const {
  if (size() < 2) contractViolation("Polygon::closestPoint", "fewer than two vertices");
  // Dropped perpendicularly onto the plane, q lands either in the polygon (then that is the answer) or outside.
  const Vector3 foot = q - plane.normal * plane.signedDistance(q);
  if (insideBarycentric(foot, footTolerance)) return foot;

  // The nearest point of each edge; distances are measured from q itself, so each carries the same height
  // above the plane. A later edge wins only when strictly nearer, so of equal candidates the lowest index stays.
  const std::size_t n = size();
  float best = farAway;
  Vector3 result;
  for (std::size_t i = 0; i < n; ++i) {
    const Vector3 a = at(i)->position;
    const Vector3 b = at((i + 1) % n)->position;
    const Vector3 e = b - a;
    // q's part along the normal is perpendicular to every edge and does not change t. An edge of no length
    // (a corner dragged onto its neighbour) would give 0 / 0; its only point is a.
    const float edgeSquared = e.lengthSquared();
    const float t = edgeSquared > 0 ? dot(q - a, e) / edgeSquared : 0;
    const Vector3 c = t <= 0 ? a : t >= 1 ? b : a + e * t;
    const float d2 = (q - c).lengthSquared();
    // The first edge is always taken, so the starting distance never limits the search.
    if (d2 < best || i == 0) {
      best = d2;
      result = c;
    }
  }
  return result;
}

}  // namespace geometry
