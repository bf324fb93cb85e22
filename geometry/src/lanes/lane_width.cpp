// The one place where the width of the lanes is chosen. Four lanes are the baseline every
// target has. On x86-64 desktops with AVX2 closestPoint and overlaps are compiled again in eight
// lanes, inside functions marked for that instruction set, and chosen at run time for polygons
// of more than four corners (for overlaps, more than eight between the two); so are the batch
// forms (batch_kernels.h), for every polygon, one query per lane. No other function
// contains an AVX2 instruction, so nothing runs one before the choice is made. AVX2 does not
// bring fused multiply-add (that is an instruction set of its own, and contraction is off
// anyway), so each lane rounds as before. The benchmark keeps only the forms that pay: eight
// lanes gain nothing for insideEdgePlanes, and four lanes in AVX2's encoding nothing anywhere.
#include "lane_width.h"

#include "batch_kernels.h"
#include "lane_kernels.h"

namespace geometry {

#if defined(__x86_64__) && !defined(__EMSCRIPTEN__)
#define WIDE_LANES_BUILT 1
#define WIDE __attribute__((target("avx2")))

namespace {

bool processorHasWideLanes() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2");
}

[[gnu::noinline]] WIDE Vector3 closestPointWide(const Polygon& polygon, const Vector3& q) {
  return closestPointIn<lanes::Floats8>(polygon, q);
}
[[gnu::noinline]] WIDE bool overlapsWide(const Polygon& p, const Polygon& q, float tol) {
  return overlapsIn<lanes::Floats8>(p, q, tol);
}
[[gnu::noinline]] WIDE bool boundedOverlapsWide(const Polygon& p, const Polygon& q, float tol) {
  return boundedOverlapsIn<lanes::Floats8>(p, q, tol);
}

}  // namespace

// Set when the library is loaded; until then (static constructors of other files that run first)
// it is false, and the baseline forms answer.
bool wideLanes = processorHasWideLanes();
constexpr std::size_t fourLaneCorners = 4;
#else
bool wideLanes = false;
#endif

namespace {

// The four-lane forms, each in a function of its own so that the choice below is a jump.
[[gnu::noinline]] Vector3 closestPointNarrow(const Polygon& polygon, const Vector3& q) {
  return closestPointIn<lanes::Floats4>(polygon, q);
}
[[gnu::noinline]] bool overlapsNarrow(const Polygon& p, const Polygon& q, float tol) {
  return overlapsIn<lanes::Floats4>(p, q, tol);
}
[[gnu::noinline]] bool boundedOverlapsNarrow(const Polygon& p, const Polygon& q, float tol) {
  return boundedOverlapsIn<lanes::Floats4>(p, q, tol);
}

}  // namespace

bool insideBarycentricInLanes(const Polygon& polygon, const Vector3& p, float eps) {
  return insideBarycentricIn<lanes::Floats4>(polygon, p, eps);
}

bool insideEdgePlanesInLanes(const Polygon& polygon, const Vector3& p) {
  return insideEdgePlanesIn<lanes::Floats4>(polygon, p);
}

Vector3 closestPointInLanes(const Polygon& polygon, const Vector3& q) {
#ifdef WIDE_LANES_BUILT
  if (wideLanes && polygon.size() > fourLaneCorners) return closestPointWide(polygon, q);
#endif
  return closestPointNarrow(polygon, q);
}

bool overlapsInLanes(const Polygon& p, const Polygon& q, float tol) {
#ifdef WIDE_LANES_BUILT
  if (wideLanes && p.size() + q.size() > 2 * fourLaneCorners) return overlapsWide(p, q, tol);
#endif
  return overlapsNarrow(p, q, tol);
}

bool boundedOverlapsInLanes(const Polygon& p, const Polygon& q, float tol) {
#ifdef WIDE_LANES_BUILT
  if (wideLanes && p.size() + q.size() > 2 * fourLaneCorners) return boundedOverlapsWide(p, q, tol);
#endif
  return boundedOverlapsNarrow(p, q, tol);
}

// The batch forms, each query in a lane of its own, in eight lanes where the processor has them.
namespace {

#ifdef WIDE_LANES_BUILT
[[gnu::noinline]] WIDE void insideEdgePlanesEachWide(const EdgePlanesPrepared& edges, std::span<const Vector3> points,
                                                     std::span<bool> inside) {
  insideEdgePlanesEachIn<lanes::Floats8>(edges, points, inside);
}
[[gnu::noinline]] WIDE void insideBarycentricEachWide(const FanPrepared& fan, std::span<const Vector3> points,
                                                      float eps, std::span<bool> inside) {
  insideBarycentricEachIn<lanes::Floats8>(fan, points, eps, inside);
}
[[gnu::noinline]] WIDE void closestPointEachWide(const NearestPrepared& polygon, std::span<const Vector3> queries,
                                                 std::span<Vector3> closest) {
  closestPointEachIn<lanes::Floats8>(polygon, queries, closest);
}
[[gnu::noinline]] WIDE void insideSumAnglesEachWide(const AnglesPrepared& polygon, std::span<const Vector3> points,
                                                    float tol, std::span<bool> inside) {
  insideSumAnglesEachIn<lanes::Floats8>(polygon, points, tol, inside);
}
[[gnu::noinline]] WIDE void overlapsEachWide(const OverlapPrepared& pair, std::span<const Vector3> offsets, float tol,
                                             std::span<bool> overlap) {
  overlapsEachIn<lanes::Floats8>(pair, offsets, tol, overlap);
}
#endif

}  // namespace

void insideEdgePlanesEachInLanes(const EdgePlanesPrepared& edges, std::span<const Vector3> points,
                                 std::span<bool> inside) {
#ifdef WIDE_LANES_BUILT
  if (wideLanes) return insideEdgePlanesEachWide(edges, points, inside);
#endif
  insideEdgePlanesEachIn<lanes::Floats4>(edges, points, inside);
}

void insideBarycentricEachInLanes(const FanPrepared& fan, std::span<const Vector3> points, float eps,
                                  std::span<bool> inside) {
#ifdef WIDE_LANES_BUILT
  if (wideLanes) return insideBarycentricEachWide(fan, points, eps, inside);
#endif
  insideBarycentricEachIn<lanes::Floats4>(fan, points, eps, inside);
}

void closestPointEachInLanes(const NearestPrepared& polygon, std::span<const Vector3> queries,
                             std::span<Vector3> closest) {
#ifdef WIDE_LANES_BUILT
  if (wideLanes) return closestPointEachWide(polygon, queries, closest);
#endif
  closestPointEachIn<lanes::Floats4>(polygon, queries, closest);
}

void insideSumAnglesEachInLanes(const AnglesPrepared& polygon, std::span<const Vector3> points, float tol,
                                std::span<bool> inside) {
#ifdef WIDE_LANES_BUILT
  if (wideLanes) return insideSumAnglesEachWide(polygon, points, tol, inside);
#endif
  insideSumAnglesEachIn<lanes::Floats4>(polygon, points, tol, inside);
}

void overlapsEachInLanes(const OverlapPrepared& pair, std::span<const Vector3> offsets, float tol,
                         std::span<bool> overlap) {
#ifdef WIDE_LANES_BUILT
  if (wideLanes) return overlapsEachWide(pair, offsets, tol, overlap);
#endif
  overlapsEachIn<lanes::Floats4>(pair, offsets, tol, overlap);
}

}  // namespace geometry
