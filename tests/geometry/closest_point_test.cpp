// The closest point of a polygon to a point in space.
#include <geometry/polygon.h>
#include <gtest/gtest.h>

#include <vector>

#include "shapes.h"

namespace {

using geometry::Vector3;

TEST(PolygonClosestPoint, Table) {
  const std::vector<Vector3> square{{-0.5f, -0.5f, 0}, {-0.5f, 0.5f, 0}, {0.5f, 0.5f, 0}, {0.5f, -0.5f, 0}};
  // The square with (-0.5, 0.5) moved onto (-0.5, -0.5): edge 0 has no length.
  const std::vector<Vector3> collapsed{square[0], square[0], square[2], square[3]};
  // An arrowhead with its notch at (0, 0): from a wing, the fan has a triangle across the notch;
  // from the tip, (0, 2) is as near to (1, 1) on edges 0 and 1 as to (-1, 1) on edges 2 and 3.
  const std::vector<Vector3> arrow{{1, 1, 0}, {0, 0, 0}, {-1, 1, 0}, {0, -1, 0}};
  const std::vector<Vector3> arrowFromTip{arrow[3], arrow[0], arrow[1], arrow[2]};
  const std::vector<Vector3> segment{{0, 0, 0}, {1, 0, 0}};
  const struct {
    const char* name;
    const std::vector<Vector3>& corners;
    Vector3 q, expected;
  } rows[] = {
      {"inside: the foot point", square, {0.2f, 0.3f, 10}, {0.2f, 0.3f, 0}},
      {"on the outline", square, {-0.5f, 0, 10}, {-0.5f, 0, 0}},
      {"beyond an edge", square, {0.9f, 0.1f, 10}, {0.5f, 0.1f, 0}},
      {"beyond a corner", square, {0.9f, 0.9f, 10}, {0.5f, 0.5f, 0}},
      {"far away in the plane", square, {-3, 0, 0}, {-0.5f, 0, 0}},
      {"zero-length edge", collapsed, {-0.875f, 0, 10}, {-0.4375f, -0.4375f, 0}},
      {"non-convex: in a fan triangle across the notch", arrow, {0, 0.5f, 10}, {0, 0.5f, 0}},
      {"equally near: the lowest edge wins", arrowFromTip, {0, 2, 0}, {1, 1, 0}},
      {"two vertices: the segment", segment, {0.25f, 1, 10}, {0.25f, 0, 0}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    geometry::VertexStore store;
    geometry::Polygon polygon = shapes::makePolygon(store, row.corners);
    polygon.plane = {{0, 0, -1}, 0};  // what computePlane gives the square
    EXPECT_TRUE(shapes::near(polygon.closestPoint(row.q), row.expected));
  }
}

}  // namespace
