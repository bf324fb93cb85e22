// The step-by-step walks that faster operations replaced: split and cut, inserting into and
// erasing from the middle of the vertex sequence as they go, and the inside tests, closest
// point and overlap test one edge or axis at a time. The fast operations must match them exactly.
#pragma once

#include <geometry/polygon.h>

/// Polygon::split done literally: same pieces, same new records in the same order.
void referenceSplit(geometry::Polygon& p, const geometry::Plane& cutter, geometry::Polygon& other, geometry::Side side,
                    float eps);
/// Polygon::cut done literally: same kept piece, same new records in the same order.
void referenceCut(geometry::Polygon& p, const geometry::Plane& cutter, geometry::Side side, float eps);
/// Polygon::insideBarycentric done one fan triangle at a time, stopping at the first that holds the point.
bool referenceInsideBarycentric(const geometry::Polygon& p, const geometry::Vector3& point, float eps);
/// Polygon::insideEdgePlanes done one edge at a time, stopping at the first edge the point lies beyond.
bool referenceInsideEdgePlanes(const geometry::Polygon& p, const geometry::Vector3& point);
/// Polygon::closestPoint done one edge at a time, a later edge winning only when strictly nearer.
geometry::Vector3 referenceClosestPoint(const geometry::Polygon& p, const geometry::Vector3& q);
/// Polygon::overlaps done one axis and one corner at a time, stopping at the first axis that separates.
bool referenceOverlaps(const geometry::Polygon& p, const geometry::Polygon& q, float tol);
