// The closest point of a polygon to a point in space.
#include <geometry/polygon.h>
#include <gtest/gtest.h>

#include <vector>

#include "shapes.h"

namespace {

using namespace geometry;
using shapes::makePolygon;
using shapes::near;

struct Query {
  const char* name;
  Vector3 q;
  Vector3 expected;
};

void expectClosest(const Polygon& polygon, const std::vector<Query>& rows) {
  for (const Query& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_TRUE(near(polygon.closestPoint(row.q), row.expected));
  }
}

TEST(PolygonClosestPoint, SquareTable) {
  VertexStore store;
  Polygon square = shapes::startSquare(store);
  ASSERT_TRUE(square.computePlane(0.01f));
  expectClosest(square, {
                            {"inside: the foot point", {0.2f, 0.3f, 10}, {0.2f, 0.3f, 0}},
                            {"on the outline: accepted by the inside test", {-0.5f, 0, 10}, {-0.5f, 0, 0}},
                            {"beyond an edge", {0.9f, 0.1f, 10}, {0.5f, 0.1f, 0}},
                            {"beyond a corner", {0.9f, 0.9f, 10}, {0.5f, 0.5f, 0}},
                            {"far away in the plane", {-3, 0, 0}, {-0.5f, 0, 0}},
                        });
}

TEST(PolygonClosestPoint, NonConvexFollowsTheFanAndTiesGoToTheLowestEdge) {
  // An arrowhead with its notch at (0, 0); the fan from (1, 1) has a triangle across the notch.
  VertexStore store;
  Polygon arrow = makePolygon(store, {{1, 1, 0}, {0, 0, 0}, {-1, 1, 0}, {0, -1, 0}});
  arrow.plane = {{0, 0, 1}, 0};
  expectClosest(arrow, {{"in the notch, inside a fan triangle", {0, 0.5f, 10}, {0, 0.5f, 0}}});

  // The same arrowhead from its tip: (0, 2) is as far from (1, 1), reached by edges 0 and 1,
  // as from (-1, 1), reached by edges 2 and 3.
  Polygon fromTip = makePolygon(store, {{0, -1, 0}, {1, 1, 0}, {0, 0, 0}, {-1, 1, 0}});
  fromTip.plane = arrow.plane;
  expectClosest(fromTip, {{"equally near corners: the lowest edge wins", {0, 2, 0}, {1, 1, 0}}});
}

TEST(PolygonClosestPoint, SegmentsAndZeroLengthEdges) {
  VertexStore store;
  const Polygon segment = makePolygon(store, {{0, 0, 0}, {1, 0, 0}});
  expectClosest(segment, {
                             {"segment, above its middle", {0.25f, 0, 3}, {0.25f, 0, 0}},
                             {"segment, past its end", {2, 1, 0}, {1, 0, 0}},
                         });
  const Polygon point = makePolygon(store, {{0.5f, 0.5f, 0}, {0.5f, 0.5f, 0}});
  expectClosest(point, {{"both edges of no length", {-1, 2, 10}, {0.5f, 0.5f, 0}}});

  // The square with its corner (-0.5, 0.5) moved onto (-0.5, -0.5): edge 0 has no length
  // and contributes that corner; the diagonal edge 1 is nearer.
  Polygon square = shapes::startSquare(store);
  ASSERT_TRUE(square.computePlane(0.01f));
  square.at(1)->setPosition({-0.5f, -0.5f, 0});
  EXPECT_EQ(square.closestPoint({-0.875f, 0, 10}), (Vector3{-0.4375f, -0.4375f, 0}));
}

}  // namespace
