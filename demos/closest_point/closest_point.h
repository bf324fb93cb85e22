// closest_point: a draggable square and a green dot at its point nearest to the mouse cursor.
#pragma once

#include <geometry/polygon.h>

namespace closest_point {

extern geometry::Polygon polygon;
extern geometry::VertexStore vertexStore;

/// Builds the square, then runs the window; 0 if the event loop returns.
int run(int argc, char** argv);

}  // namespace closest_point
