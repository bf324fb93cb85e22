// point_inside: three inside tests judging the point under the cursor against a draggable square.
#pragma once

#include <geometry/polygon.h>
#include <viewer/map.h>
#include <viewer/viewer.h>

namespace point_inside {

extern geometry::Polygon polygon;  ///< the square, counter-clockwise about its normal (0, 0, 1)
extern geometry::VertexStore vertexStore;

/// The tolerances of the inside tests, which the explanation quotes too.
inline constexpr float insideTol = 0.01f;   ///< of the angle sum
inline constexpr float barycentricEps = 0;  ///< of the fan's coordinates

/// The steps by which the program's method reaches its answer for the figure as it is now (explanation.cpp).
viewer::Explanation explain();

/// Every window pixel classed by the program's answer with the pointer there (map.cpp).
void map(viewer::MapClasses& classes);

/// Builds the square, then runs the window; 0 if the event loop returns.
int run(int argc, char** argv);

}  // namespace point_inside
