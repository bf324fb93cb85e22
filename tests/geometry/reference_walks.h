// The step-by-step walks that the one-pass split and cut replaced, inserting into and erasing
// from the middle of the vertex sequence as they go. The operations must match them exactly.
#pragma once

#include <geometry/polygon.h>

/// Polygon::split done literally: same pieces, same new records in the same order.
void referenceSplit(geometry::Polygon& p, const geometry::Plane& cutter, geometry::Polygon& other, geometry::Side side,
                    float eps);
/// Polygon::cut done literally: same kept piece, same new records in the same order.
void referenceCut(geometry::Polygon& p, const geometry::Plane& cutter, geometry::Side side, float eps);
