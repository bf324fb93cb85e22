// point_inside: three inside tests judging the point under the cursor against a draggable square.
#pragma once

#include <geometry/polygon.h>

namespace point_inside {

extern geometry::Polygon polygon;  ///< the square, counter-clockwise about its normal (0, 0, 1)
extern geometry::VertexStore vertexStore;

/// Builds the square, then runs the window; 0 if the event loop returns.
int run(int argc, char** argv);

}  // namespace point_inside
