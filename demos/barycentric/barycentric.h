// barycentric: the barycentric coordinates u and v of the cursor in a draggable triangle.
#pragma once

#include <geometry/vector.h>

#include <vector>

namespace barycentric {

extern std::vector<geometry::Vector3> triangle;  ///< the corners T0 (top), T1 (lower right), T2 (lower left)

/// Builds the triangle, then runs the window; 0 if the event loop returns.
int run(int argc, char** argv);

}  // namespace barycentric
