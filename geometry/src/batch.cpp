// The batch forms: the lengths checked, the polygon's part of each operation prepared once, as the
// single operation computes it, and the queries run through it in lanes (lanes/batch_kernels.h).
#include <geometry/batch.h>
#include <geometry/contract.h>

#include <algorithm>

#include "lanes/batch_kernels.h"
#include "lanes/lane_width.h"

namespace geometry {
namespace {

void checkLengths(const char* operation, std::size_t in, std::size_t out) {
  if (in != out) contractViolation(operation, "output length differs from the input's");
}

std::vector<Vector3> positionsOf(const Polygon& polygon) {
  std::vector<Vector3> result;
  result.reserve(polygon.size());
  for (const VertexRef& ref : polygon) result.push_back(ref->position);
  return result;
}

// fanWalk's triangles, with what depends on the triangle alone.
FanPrepared fanOf(const Polygon& polygon) {
  FanPrepared fan;
  fan.apex = polygon.at(0)->position;
  for (std::size_t i = 2; i < polygon.size(); ++i) {
    const Vector3 e1 = polygon.at(i - 1)->position - fan.apex;
    const Vector3 e2 = polygon.at(i)->position - fan.apex;
    const float k = 1 / e1.lengthSquared();
    const Vector3 perp = e2 - e1 * (dot(e2, e1) * k);
    fan.e1.push_back(e1);
    fan.e2.push_back(e2);
    fan.perp.push_back(perp);
    fan.k.push_back(k);
    fan.den.push_back(dot(e2, perp));
  }
  return fan;
}

}  // namespace

void insideSumAnglesEach(const Polygon& polygon, std::span<const Vector3> points, float tol, std::span<bool> inside) {
  checkLengths("insideSumAnglesEach", points.size(), inside.size());
  if (polygon.size() == 0) {
    std::fill(inside.begin(), inside.end(), false);
    return;
  }
  insideSumAnglesEachInLanes(AnglesPrepared{positionsOf(polygon)}, points, tol, inside);
}

// The tolerance argument is unused, as it is by insideEdgePlanes: the allowance is fixed.
void insideEdgePlanesEach(const Polygon& polygon, std::span<const Vector3> points, float /*tol*/,
                          std::span<bool> inside) {
  checkLengths("insideEdgePlanesEach", points.size(), inside.size());
  if (polygon.size() == 0) contractViolation("insideEdgePlanesEach", "polygon is empty");
  EdgePlanesPrepared edges;
  Vector3 previous = polygon.back()->position;
  for (const VertexRef& ref : polygon) {
    const Vector3& cur = ref->position;
    edges.out.push_back(cross(polygon.plane.normal, previous - cur));
    edges.end.push_back(cur);
    previous = cur;
  }
  edges.flat = std::all_of(edges.out.begin(), edges.out.end(), [](const Vector3& out) { return out.z == 0; }) &&
               std::all_of(edges.end.begin(), edges.end.end(), [](const Vector3& end) {
                 return end.z <= EdgePlanesPrepared::zReach && end.z >= -EdgePlanesPrepared::zReach;
               });
  insideEdgePlanesEachInLanes(edges, points, inside);
}

void insideBarycentricEach(const Polygon& polygon, std::span<const Vector3> points, float eps, std::span<bool> inside) {
  checkLengths("insideBarycentricEach", points.size(), inside.size());
  if (polygon.size() < 2) contractViolation("insideBarycentricEach", "fewer than two vertices");
  insideBarycentricEachInLanes(fanOf(polygon), points, eps, inside);
}

void closestPointEach(const Polygon& polygon, std::span<const Vector3> queries, std::span<Vector3> closest) {
  checkLengths("closestPointEach", queries.size(), closest.size());
  if (polygon.size() < 2) contractViolation("closestPointEach", "fewer than two vertices");
  NearestPrepared prepared{polygon.plane.normal, polygon.plane.d, fanOf(polygon), {}, {}, {}, {}};
  const std::size_t n = polygon.size();
  for (std::size_t i = 0; i < n; ++i) {
    const Vector3 a = polygon.at(i)->position;
    const Vector3 b = polygon.at((i + 1) % n)->position;
    const Vector3 e = b - a;
    prepared.a.push_back(a);
    prepared.b.push_back(b);
    prepared.e.push_back(e);
    prepared.edgeSquared.push_back(e.lengthSquared());
  }
  closestPointEachInLanes(prepared, queries, closest);
}

void overlapsEach(const Polygon& polygon, const Polygon& other, std::span<const Vector3> offsets, float tol,
                  std::span<bool> overlap) {
  checkLengths("overlapsEach", offsets.size(), overlap.size());
  if (polygon.size() == 0 || other.size() == 0) {
    std::fill(overlap.begin(), overlap.end(), false);
    return;
  }
  OverlapPrepared pair;
  pair.pCorners = positionsOf(polygon);
  pair.qCorners = positionsOf(other);
  pair.qNormal = other.plane.normal;
  for (const VertexRef& ref : other)
    pair.qLinks.push_back(static_cast<std::size_t>(
        std::count_if(other.begin(), other.end(), [&](const VertexRef& r) { return r.vertex == ref.vertex; })));
  // polygon's axes as separatedByAxesOf makes them, each with polygon's extent along it.
  auto add = [&](const Vector3& axis, const Vector3& origin) {
    Projection extent;
    extent.start(axis, origin, pair.pCorners[0]);
    for (std::size_t i = 1; i < pair.pCorners.size(); ++i) extent.add(pair.pCorners[i]);
    pair.axis.push_back(axis);
    pair.origin.push_back(origin);
    pair.pMin.push_back(extent.min);
    pair.pMax.push_back(extent.max);
  };
  const Vector3& normal = polygon.plane.normal;
  Vector3 start = pair.pCorners.back();
  add(normal, start);
  for (const Vector3& corner : pair.pCorners) {
    Vector3 axis = cross(corner - start, normal);
    axis.normalize();
    if (axis.lengthSquared() < degenerateAxis) continue;
    add(axis, start);
    start = corner;
  }
  overlapsEachInLanes(pair, offsets, tol, overlap);
}

}  // namespace geometry
