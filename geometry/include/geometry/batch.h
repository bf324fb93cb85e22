// Many queries against one polygon at once: each answer is, bit for bit, what the single
// operation gives for that point or offset. The polygon's own work (edge planes, fan triangles,
// edges, axes) is done once per call, and the points go through it side by side in lanes.
#pragma once

#include <geometry/polygon.h>

#include <span>

namespace geometry {

/// inside[i] = polygon.insideSumAngles(points[i], tol). inside has the points' length.
void insideSumAnglesEach(const Polygon& polygon, std::span<const Vector3> points, float tol, std::span<bool> inside);
/// inside[i] = polygon.insideEdgePlanes(points[i], tol); tol is unused there too. Needs one vertex;
/// inside has the points' length.
void insideEdgePlanesEach(const Polygon& polygon, std::span<const Vector3> points, float tol, std::span<bool> inside);
/// inside[i] = polygon.insideBarycentric(points[i], eps). Needs two vertices; inside has the points' length.
void insideBarycentricEach(const Polygon& polygon, std::span<const Vector3> points, float eps, std::span<bool> inside);
/// closest[i] = polygon.closestPoint(queries[i]). Needs two vertices; closest has the queries' length.
void closestPointEach(const Polygon& polygon, std::span<const Vector3> queries, std::span<Vector3> closest);
/// overlap[i] = polygon.overlaps(other moved by offsets[i] as translate moves it, tol), other being
/// a copy with records of its own: a record that other links twice moves twice, and polygon stays
/// where it is, also where it links records of other. other itself stays as it is. overlap has the
/// offsets' length.
void overlapsEach(const Polygon& polygon, const Polygon& other, std::span<const Vector3> offsets, float tol,
                  std::span<bool> overlap);

}  // namespace geometry
