// The lane-parallel forms of insideEdgePlanes, closestPoint and overlaps, in the width of lanes
// chosen for this processor when the program loads.
#pragma once

#include <geometry/polygon.h>

namespace geometry {

/// True when the operations below run in eight lanes where a polygon has more than four
/// corners: set when the program loads, on a desktop processor that has them. Until then, and
/// where it is false, they run in four. Tests clear it to try the four-lane forms too.
extern bool wideLanes;

/// As Polygon::insideEdgePlanes, for a polygon with at least one corner.
bool insideEdgePlanesInLanes(const Polygon& polygon, const Vector3& p);
/// As Polygon::closestPoint, for a polygon with at least two corners.
Vector3 closestPointInLanes(const Polygon& polygon, const Vector3& q);
/// As Polygon::overlaps, for two polygons with at least one corner each.
bool overlapsInLanes(const Polygon& p, const Polygon& q, float tol);

}  // namespace geometry
