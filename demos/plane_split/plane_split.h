// plane_split: a square split by a draggable line into a front ("magenta") and a back ("violet") piece.
#pragma once

#include <geometry/polygon.h>

namespace plane_split {

extern geometry::Polygon inputPolygon;
extern geometry::Polygon magentaPiece;  ///< the piece in front of the cutting plane
extern geometry::Polygon violetPiece;   ///< the piece behind it
extern geometry::VertexStore vertexStore;
extern geometry::Vertex handleA;  ///< the cutting line's two end points
extern geometry::Vertex handleB;

/// Builds the square and the first split, then runs the window; 0 if the event loop returns.
int run(int argc, char** argv);

}  // namespace plane_split
