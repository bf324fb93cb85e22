// barycentric: the barycentric coordinates u and v of the cursor in a draggable triangle.
#pragma once

#include <geometry/vector.h>
#include <viewer/viewer.h>

#include <vector>

namespace barycentric {

extern std::vector<geometry::Vector3> triangle;  ///< the corners T0 (top), T1 (lower right), T2 (lower left)

/// A point's coordinates in the triangle, with every value computed on the way to them.
struct Coordinates {
  geometry::Vector3 e1, e2;  ///< T1 - T0 and T2 - T0
  float s = 0;               ///< 1 / (e1 . e1)
  float k = 0;               ///< (e2 . e1) s, the part of e2 along e1
  geometry::Vector3 perp;    ///< e2 - k e1, orthogonal to e1
  geometry::Vector3 w;       ///< P - T0 = v e1 + u e2
  float u = 0;               ///< the weight of T2
  float v = 0;               ///< the weight of T1

  /// u + v at double precision, as its value line shows it.
  double sum() const { return double(u) + double(v); }
  /// Each value line is white while its value keeps P inside; a NaN fails its test.
  bool uInside() const { return u >= 0; }
  bool vInside() const { return v >= 0; }
  bool sumInside() const { return sum() <= 1; }
  /// P lies in the triangle, edges included: all three value lines are white.
  bool inside() const { return uInside() && vInside() && sumInside(); }
};

/// The coordinates of p in the triangle as it is now, as the display computes and draws them.
Coordinates coordinatesOf(const geometry::Vector3& p);

/// The steps by which the program's method reaches its answer for the figure as it is now (explanation.cpp).
viewer::Explanation explain();

/// Builds the triangle, then runs the window; 0 if the event loop returns.
int run(int argc, char** argv);

}  // namespace barycentric
