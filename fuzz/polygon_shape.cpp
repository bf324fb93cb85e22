// Fuzz target: a polygon's plane, convexity and tininess.
#include <algorithm>

#include "decode.h"

using namespace fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Decoder in(data, size);
  VertexStore store;
  const bool flat = in.byte() & 1;
  Polygon polygon = in.polygon(store, flat);
  polygon.plane = in.plane();
  const float tol = in.tolerance();
  const float wider = in.tolerance();
  const std::size_t n = polygon.size();

  const Plane before = polygon.plane;
  const bool found = polygon.computePlane(tol);
  if (n < 3) check(!found, "computePlane: a plane from fewer than three vertices");
  if (!found) check(samePlane(polygon.plane, before), "computePlane: failed but changed the plane");
  if (found && std::isfinite(polygon.plane.d)) {
    // d is minus the normal's dot product with the corner the plane was taken at.
    const bool throughCorner = std::any_of(polygon.begin(), polygon.end(), [&](const VertexRef& ref) {
      return polygon.plane.signedDistance(ref->position) == 0;
    });
    check(throughCorner, "computePlane: the plane misses every corner");
  }
  if (found && moderate(polygon) && tol >= 1e-18f) {
    const float length = polygon.plane.normal.length();
    check(std::fabs(length - 1) <= 1e-5f, "computePlane: the normal is not of unit length");
    if (flat)
      check(polygon.plane.normal.x == 0 && polygon.plane.normal.y == 0 &&
                std::all_of(polygon.begin(), polygon.end(),
                            [&](const VertexRef& ref) { return polygon.plane.signedDistance(ref->position) == 0; }),
            "computePlane: a polygon in z = 0 gets another plane");
  }

  // Both tests look at every corner or edge once, so where the walk starts does not matter;
  // and each fires at a value beyond tol, so a larger tolerance cannot fire where tol did not.
  const bool convex = polygon.isConvex(tol);
  const bool tiny = polygon.isTiny(tol);
  if (n < 3) check(convex && tiny, "isConvex, isTiny: false below three vertices");
  if (n > 0) {
    const Polygon other = rotated(polygon, in.byte() % n);
    check(other.isConvex(tol) == convex, "isConvex: the answer depends on the first vertex");
    check(other.isTiny(tol) == tiny, "isTiny: the answer depends on the first vertex");
    // A corner listed twice in a row counts as listed once, where the corners are finite (an
    // infinite corner less itself is not a number, not a zero direction) and at least three
    // (below three the count alone answers).
    Polygon repeated = polygon;
    const std::size_t at = in.byte() % n;
    repeated.insert(at, polygon.at(at));
    if (n >= 3 && moderate(polygon))
      check(repeated.isConvex(tol) == convex, "isConvex: a repeated corner changes the answer");
  }
  if (wider >= tol) {
    if (convex) check(polygon.isConvex(wider), "isConvex: false for a larger tolerance");
    if (tiny) check(polygon.isTiny(wider), "isTiny: false for a larger tolerance");
  }
  return 0;
}
