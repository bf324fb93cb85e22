// The lane-parallel forms of the inside tests, closestPoint and overlaps, in the width of lanes
// chosen for this processor when the program loads.
#pragma once

#include <geometry/polygon.h>

#include <span>

namespace geometry {

/// True when closestPoint runs in eight lanes for a polygon of more than four corners, and overlaps
/// for two polygons of more than eight between them: set when the program loads, on a desktop
/// processor that has them. Until then, and where it is false, they run in four. Tests and
/// benchmarks clear it to try four lanes too.
extern bool wideLanes;

/// As Polygon::insideBarycentric, for a polygon with at least three corners.
bool insideBarycentricInLanes(const Polygon& polygon, const Vector3& p, float eps);
/// As Polygon::insideEdgePlanes, for a polygon with at least one corner.
bool insideEdgePlanesInLanes(const Polygon& polygon, const Vector3& p);
/// As Polygon::closestPoint, for a polygon with at least two corners.
Vector3 closestPointInLanes(const Polygon& polygon, const Vector3& q);
/// As Polygon::overlaps, every corner projected on every axis, for two polygons with at least one corner each.
bool overlapsInLanes(const Polygon& p, const Polygon& q, float tol);
/// The same, each axis judged first by an upper bound of its gap from one corner of each polygon.
bool boundedOverlapsInLanes(const Polygon& p, const Polygon& q, float tol);

// The batch forms' lanes (batch_kernels.h), on what batch.cpp prepared from the polygon.
struct EdgePlanesPrepared;
struct FanPrepared;
struct NearestPrepared;
struct AnglesPrepared;
struct OverlapPrepared;
void insideEdgePlanesEachInLanes(const EdgePlanesPrepared& edges, std::span<const Vector3> points,
                                 std::span<bool> inside);
void insideBarycentricEachInLanes(const FanPrepared& fan, std::span<const Vector3> points, float eps,
                                  std::span<bool> inside);
void closestPointEachInLanes(const NearestPrepared& polygon, std::span<const Vector3> queries,
                             std::span<Vector3> closest);
void insideSumAnglesEachInLanes(const AnglesPrepared& polygon, std::span<const Vector3> points, float tol,
                                std::span<bool> inside);
void overlapsEachInLanes(const OverlapPrepared& pair, std::span<const Vector3> offsets, float tol,
                         std::span<bool> overlap);

}  // namespace geometry
