// Fuzz target: the point of a polygon nearest to a point in space.
//
// Three kinds of input: any polygon with any plane (only finiteness is checked, for finite
// input with a normal of at most unit components); a polygon in z = 0 with the exact plane
// z = 0 (normal (0, 0, 1) or (0, 0, -1)); and a polygon in z = 0 with the plane computePlane
// finds. With the polygon in its plane the foot point is no farther from the query than any
// point of the plane, and an outline point no farther than the nearest vertex, up to rounding.
// For every input the result has the bits of the step-by-step walk's (any not-a-number alike).
#include <geometry/walks.h>

#include "decode.h"

using namespace fuzz;

namespace {

double distance(const Vector3& a, const Vector3& b) {
  const double x = double{a.x} - b.x;
  const double y = double{a.y} - b.y;
  const double z = double{a.z} - b.z;
  return std::sqrt(x * x + y * y + z * z);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Decoder in(data, size);
  VertexStore store;
  const std::uint8_t kind = in.byte() % 3;
  const bool flat = kind != 0;
  Polygon polygon = in.polygon(store, flat);
  if (kind == 0) {
    polygon.plane = in.plane();
  } else {
    polygon.plane = {{0, 0, in.byte() & 1 ? -1.0f : 1.0f}, 0};
    if (kind == 2) polygon.computePlane(in.tolerance());
  }
  const Vector3 q = in.point();
  if (polygon.size() < 2) return 0;  // the precondition

  const Vector3 result = polygon.closestPoint(q);
  check(sameBits(result, closestPointWalked(polygon, q)), "closestPoint: not the walk's point");
  const Vector3& n = polygon.plane.normal;
  const bool unitScale = std::fabs(n.x) <= 1.001f && std::fabs(n.y) <= 1.001f && std::fabs(n.z) <= 1.001f;
  if (!moderate(polygon) || !moderate(q) || !moderate(polygon.plane.d) || !unitScale) return 0;
  check(std::isfinite(result.x) && std::isfinite(result.y) && std::isfinite(result.z),
        "closestPoint: not finite for finite input");
  if (!flat) return 0;
  if (kind == 1) check(result.z == 0, "closestPoint: off the polygon's plane");

  // The foot point lies |normal|^2 |q.z| from q: no farther than any vertex only for a normal
  // of unit length up to rounding, which computePlane gives unless the cross product it
  // normalises is so small that its squared length loses precision.
  if (polygon.plane.normal.lengthSquared() > 1 + 1e-6f) return 0;
  double nearest = distance(q, polygon.at(0)->position);
  for (const VertexRef& ref : polygon) nearest = std::fmin(nearest, distance(q, ref->position));
  // Rounding of the candidate point on an edge, relative to the coordinates; and an edge so
  // short that its squared length underflows, measured in absolute terms.
  const double scale = std::fmax(extent(polygon), std::fmax(std::fabs(q.x), std::fmax(std::fabs(q.y), std::fabs(q.z))));
  check(distance(q, result) <= nearest + 1e-5 * scale + 1e-18, "closestPoint: farther than the nearest vertex");
  return 0;
}
