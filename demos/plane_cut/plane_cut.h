// plane_cut: a square cut by a draggable line, keeping the part on the line's front side.
#pragma once

#include <geometry/polygon.h>
#include <geometry/walks.h>
#include <viewer/viewer.h>

#include <vector>

namespace plane_cut {

extern geometry::VertexStore vertexStore;
extern geometry::Polygon square;
extern geometry::Polygon cutPolygon;  ///< the square as cut by the line's plane
extern geometry::Vertex handleA;      ///< the cutting line's two end points
extern geometry::Vertex handleB;
/// The steps of the cut that made cutPolygon, in walk order, for the explanation.
extern std::vector<geometry::CutStep> cutSteps;

/// The steps by which the program's method reaches its answer for the figure as it is now (explanation.cpp).
viewer::Explanation explain();

/// Builds the square and the first cut, then runs the window; 0 if the event loop returns.
int run(int argc, char** argv);

}  // namespace plane_cut
