// plane_split: a square split by a draggable line into a front ("magenta") and a back ("violet") piece.
#pragma once

#include <geometry/polygon.h>
#include <geometry/walks.h>
#include <viewer/viewer.h>

#include <vector>

namespace plane_split {

extern geometry::Polygon inputPolygon;
extern geometry::Polygon magentaPiece;  ///< the piece in front of the cutting plane
extern geometry::Polygon violetPiece;   ///< the piece behind it
extern geometry::VertexStore vertexStore;
extern geometry::Vertex handleA;  ///< the cutting line's two end points
extern geometry::Vertex handleB;
/// The steps of the split that made the two pieces, in walk order, for the explanation.
extern std::vector<geometry::SplitStep> splitSteps;

/// The steps by which the program's method reaches its answer for the figure as it is now (explanation.cpp).
viewer::Explanation explain();

/// Builds the square and the first split, then runs the window; 0 if the event loop returns.
int run(int argc, char** argv);

}  // namespace plane_split
