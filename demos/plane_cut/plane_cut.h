// plane_cut: a square cut by a draggable line, keeping the part on the line's front side.
#pragma once

#include <geometry/polygon.h>
#include <geometry/walks.h>
#include <viewer/viewer.h>

namespace plane_cut {

extern geometry::VertexStore vertexStore;
extern geometry::Polygon square;
extern geometry::Polygon cutPolygon;  ///< the square as cut by the line's plane
extern geometry::Vertex handleA;      ///< the cutting line's two end points
extern geometry::Vertex handleB;

/// Cuts `piece`, a copy of the square, by the line's plane as the program does, keeping the front
/// side and the band. Each step goes to observe where one is given.
void cutSquare(geometry::Polygon& piece, const geometry::CutObserver& observe = {});

/// The steps by which the program's method reaches its answer for the figure as it is now (explanation.cpp).
viewer::Explanation explain();

/// Builds the square and the first cut, then runs the window; 0 if the event loop returns.
int run(int argc, char** argv);

}  // namespace plane_cut
