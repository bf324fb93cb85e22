// poly_overlap: two convex polygons, each movable by its centre handle, tested for overlap.
#pragma once

#include <geometry/polygon.h>
#include <viewer/map.h>
#include <viewer/viewer.h>

namespace poly_overlap {

extern geometry::VertexStore vertexStore;
extern geometry::Polygon polyA;
extern geometry::Polygon polyB;
extern geometry::Vertex* centreA;  ///< polyA's handle, in the store after the eight corners
extern geometry::Vertex* centreB;  ///< polyB's handle, the last entry of the store

/// The gap along an axis that separates the polygons, which the explanation quotes too.
inline constexpr float overlapTol = 0.01f;

/// The steps by which the program's method reaches its answer for the figure as it is now (explanation.cpp).
viewer::Explanation explain();

/// Every window pixel classed by the program's answer with the pointer there (map.cpp).
void map(viewer::MapClasses& classes);

/// Builds the two rectangles and their handles, then runs the window; 0 if the event loop returns.
int run(int argc, char** argv);

}  // namespace poly_overlap
