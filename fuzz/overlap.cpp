// Fuzz target: overlap of two polygons by separating axes, and moving one of them by
// its centre as the overlap program's drag does.
//
// The swap check: a.overlaps(b) tests a's axes and then b's, each with the projection of
// the axis owner taken first and its own vertex as the origin; b.overlaps(a) runs exactly
// the same axis checks in the other order. Both answers are the "or" of the same float
// computations, so they must be equal for every input, a gap of exactly tol, zero normals,
// non-convex polygons and not-a-number included: no tolerance band is needed. Turning a
// normal round negates every projection of its axes exactly, which leaves every gap as it
// was; the gap is the larger of two differences, and a not-a-number difference makes that
// depend on the order, so this is checked for finite input only, where none arises.
//
// For every input the answer is the step-by-step walk's, also where tol is the largest gap on
// any axis, or one ulp either side of it (the operation bounds each axis's gap before it
// projects every corner, and a bound that fell short would show there).
#include <geometry/walks.h>

#include <algorithm>
#include <cstdint>
#include <limits>

#include "decode.h"

using namespace fuzz;

namespace {

constexpr float inf = std::numeric_limits<float>::infinity();

// Floats as integers in their order (both zeros as one), and back.
std::int64_t orderOf(float f) {
  std::int32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  return bits >= 0 ? std::int64_t{bits} : -std::int64_t{bits & 0x7fffffff};
}
float fromOrder(std::int64_t key) {
  const std::uint32_t bits =
      key >= 0 ? static_cast<std::uint32_t>(key) : 0x80000000u | static_cast<std::uint32_t>(-key);
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

Plane turned(const Plane& plane) { return {{-plane.normal.x, -plane.normal.y, -plane.normal.z}, -plane.d}; }

// Bit-equal positions, so that a not-a-number coordinate compares equal to itself.
bool samePosition(const Vector3& a, const Vector3& b) { return std::memcmp(&a, &b, sizeof(Vector3)) == 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Decoder in(data, size);
  VertexStore store;
  Polygon a = in.polygon(store);
  Polygon b = in.polygon(store);
  for (Polygon* p : {&a, &b}) {
    if (in.byte() & 1)
      p->computePlane(in.tolerance());
    else
      p->plane = in.plane();
  }
  const float tol = in.tolerance();

  const bool overlap = a.overlaps(b, tol);
  check(overlap == overlapsWalked(a, b, tol), "overlaps: not the walk's answer");
  if ((in.byte() & 3) == 0 && a.size() > 0 && b.size() > 0) {
    // overlaps is false exactly up to the largest gap: halve the floats in their order.
    std::int64_t separated = orderOf(-inf), joined = orderOf(inf);
    while (joined - separated > 1) {
      const std::int64_t mid = separated + (joined - separated) / 2;
      (a.overlaps(b, fromOrder(mid)) ? joined : separated) = mid;
    }
    const float gap = fromOrder(separated);
    for (const float near : {gap, std::nextafter(gap, inf), std::nextafter(gap, -inf)})
      check(a.overlaps(b, near) == overlapsWalked(a, b, near), "overlaps: not the walk's answer at the largest gap");
  }
  check(overlap == b.overlaps(a, tol), "overlaps: the answer changes with the polygons swapped");
  if (a.size() == 0 || b.size() == 0) check(!overlap, "overlaps: an empty polygon overlaps");
  // Each axis projects a polygon onto itself with a gap of min - max <= 0 (or not a number).
  // Two more whole tests, for half of the inputs.
  const bool more = in.byte() & 1;
  if (more && a.size() > 0 && !(tol <= 0)) check(a.overlaps(a, tol), "overlaps: a polygon does not overlap itself");
  if (more && moderate(a) && moderate(b) && moderate(a.plane.normal) && moderate(b.plane.normal)) {
    Polygon c = a;
    c.plane = turned(a.plane);
    check(c.overlaps(b, tol) == overlap, "overlaps: the answer changes with a normal turned round");
  }

  // Drag a by its centre to a target, as the overlap program does: the centre follows, up
  // to rounding, unless a record occurs twice in a and so moves twice.
  const Vector3 target = in.point();
  const Vector3 centre = a.centrePosition();
  if (a.size() == 0) check(samePosition(centre, {}), "centrePosition: an empty polygon's centre is not zero");
  std::vector<Vector3> before;
  for (const VertexRef& ref : a) before.push_back(ref->position);
  a.translate({0, 0, 0});
  for (std::size_t i = 0; i < a.size(); ++i) {
    const Vector3 p = a.at(i)->position;
    const Vector3 q = before[i];
    check((p.x == q.x || std::isnan(q.x)) && (p.y == q.y || std::isnan(q.y)) && (p.z == q.z || std::isnan(q.z)),
          "translate: a zero offset moved a vertex");
  }
  std::vector<const Vertex*> links = records(a);
  std::sort(links.begin(), links.end());
  const bool distinct = std::adjacent_find(links.begin(), links.end()) == links.end();
  const float extentBefore = extent(a);
  a.translate(target - centre);
  if (a.size() > 0 && distinct && moderate(a) && moderate(target) && moderate(centre)) {
    const Vector3 moved = a.centrePosition();
    const float slack =
        1e-4f * (extentBefore + extent(a) + std::fabs(target.x) + std::fabs(target.y) + std::fabs(target.z)) + 1e-30f;
    check(std::fabs(moved.x - target.x) <= slack && std::fabs(moved.y - target.y) <= slack &&
              std::fabs(moved.z - target.z) <= slack,
          "translate: the centre did not follow the offset");
  }
  return 0;
}
