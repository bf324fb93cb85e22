// closest_point: a draggable square and a green dot at its point nearest to the mouse cursor.
#pragma once

#include <geometry/polygon.h>
#include <viewer/map.h>
#include <viewer/viewer.h>

namespace closest_point {

extern geometry::Polygon polygon;
extern geometry::VertexStore vertexStore;

/// The query stands this high above the drawing plane; only its foot point counts. The
/// explanation quotes it too.
inline constexpr float queryHeight = 10;

/// The steps by which the program's method reaches its answer for the figure as it is now (explanation.cpp).
viewer::Explanation explain();

/// Every window pixel classed by the program's answer with the pointer there (map.cpp).
void map(viewer::MapClasses& classes);

/// Builds the square, then runs the window; 0 if the event loop returns.
int run(int argc, char** argv);

}  // namespace closest_point
