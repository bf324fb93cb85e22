// The three inside tests and flip.
#include <geometry/polygon.h>
#include <gtest/gtest.h>

#include "shapes.h"

namespace {

using namespace geometry;
using shapes::makePolygon;
using shapes::positions;

constexpr float tol = 0.01f;

struct Verdicts {
  const char* name;
  Vector3 p;
  bool sumAngles, edgePlanes, barycentric;
};

void expectVerdicts(const Polygon& polygon, const std::vector<Verdicts>& rows) {
  for (const Verdicts& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(polygon.insideSumAngles(row.p, tol), row.sumAngles);
    EXPECT_EQ(polygon.insideEdgePlanes(row.p, tol), row.edgePlanes);
    EXPECT_EQ(polygon.insideBarycentric(row.p, 0), row.barycentric);
  }
}

// The square as point_inside shows it: built clockwise, then flipped to run
// counter-clockwise from the bottom right corner with the normal (0, 0, 1).
Polygon flippedSquare(VertexStore& store) {
  Polygon square = shapes::startSquare(store);
  square.computePlane(tol);
  square.flip();
  return square;
}

TEST(PolygonInside, SquareTable) {
  VertexStore store;
  const Polygon square = flippedSquare(store);
  ASSERT_EQ(positions(square),
            (std::vector<Vector3>{{0.5f, -0.5f, 0}, {0.5f, 0.5f, 0}, {-0.5f, 0.5f, 0}, {-0.5f, -0.5f, 0}}));
  ASSERT_EQ(square.plane.normal, (Vector3{0, 0, 1}));
  expectVerdicts(square, {
                             {"centre, on the fan's diagonal", {0, 0, 0}, true, true, true},
                             {"on an edge", {0.5f, 0, 0}, true, true, true},
                             {"on a corner: the sum is 3/2 pi", {0.5f, 0.5f, 0}, false, true, true},
                             {"0.001 beyond an edge", {0.501f, 0, 0}, true, true, false},
                             {"0.005 beyond an edge", {0.505f, 0, 0}, false, true, false},
                             {"0.02 beyond an edge", {0.52f, 0, 0}, false, false, false},
                             {"off the plane: two tests judge the projection", {0, 0, 1}, false, true, true},
                         });
}

TEST(PolygonInside, NonConvexPolygonsSplitTheVerdicts) {
  // An arrowhead, counter-clockwise, with its notch at (0, 0); the fan from (1, 1) has
  // one triangle across the notch, outside the outline.
  VertexStore store;
  Polygon arrow = makePolygon(store, {{1, 1, 0}, {0, 0, 0}, {-1, 1, 0}, {0, -1, 0}});
  arrow.plane = {{0, 0, 1}, 0};
  expectVerdicts(arrow, {
                            {"in the notch, outside the outline", {0, 0.5f, 0}, false, false, true},
                            {"inside, beyond the line of an edge at the notch", {0.5f, 0.2f, 0}, false, false, true},
                            {"inside, in front of every edge", {0, -0.5f, 0}, true, true, true},
                        });
}

TEST(PolygonInside, EdgePlanesNeedTheNormalOfTheWinding) {
  VertexStore store;
  Polygon square = flippedSquare(store);
  const Plane counterClockwise = square.plane;
  square.flip();
  square.plane = counterClockwise;  // corners clockwise, normal still (0, 0, 1)
  expectVerdicts(square, {{"centre", {0, 0, 0}, true, false, true}});
}

TEST(PolygonInside, FewVertices) {
  VertexStore store;
  Polygon one = makePolygon(store, {{0.5f, 0.5f, 0}});
  Polygon two = makePolygon(store, {{0, 0, 0}, {1, 0, 0}});
  const Polygon empty;
  for (const Vector3& p : {Vector3{0, 0, 0}, Vector3{0.5f, 0.5f, 0}, Vector3{7, -3, 2}}) {
    EXPECT_TRUE(one.insideEdgePlanes(p, tol)) << "the only edge has no length";
    EXPECT_FALSE(one.insideSumAngles(p, tol));
    EXPECT_FALSE(empty.insideSumAngles(p, tol));
    EXPECT_FALSE(two.insideBarycentric(p, 0));
  }
}

TEST(PolygonInside, CoincidentCornersKeepTheAngleSumInRange) {
  // point_inside's square with the corner (0.5, 0.5) dragged onto (-0.5, 0.5): the two
  // directions to that corner are the same vector, whose dot product can round past 1.
  VertexStore store;
  Polygon triangle = flippedSquare(store);
  triangle.at(1)->setPosition({-0.5f, 0.5f, 0});
  int tried = 0;
  for (int i = 2; i < 40; ++i)
    for (int j = 1; j < i; ++j, ++tried) {
      const Vector3 p{0.5f - i / 40.f, -0.5f + j / 40.f, 0};  // x + y < 0: inside
      ASSERT_TRUE(triangle.insideSumAngles(p, tol)) << p;
    }
  EXPECT_EQ(tried, 741);
}

TEST(PolygonFlip, TwiceRestoresAndFewVerticesChangeOnlyThePlane) {
  VertexStore store;
  Polygon pentagon = makePolygon(store, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0.5f, 2, 0}, {0, 1, 0}});
  pentagon.plane = {{0, 0, 1}, -0.25f};
  const std::vector<Vector3> corners = positions(pentagon);
  pentagon.flip();
  EXPECT_EQ(positions(pentagon), (std::vector<Vector3>{corners[4], corners[3], corners[2], corners[1], corners[0]}));
  EXPECT_EQ(pentagon.plane.normal, (Vector3{0, 0, -1}));
  EXPECT_EQ(pentagon.plane.d, 0.25f);
  pentagon.flip();
  EXPECT_EQ(positions(pentagon), corners);
  EXPECT_EQ(pentagon.plane.normal, (Vector3{0, 0, 1}));

  Polygon one = makePolygon(store, {{3, 4, 0}});
  one.plane = {{1, 0, 0}, 2};
  one.flip();
  EXPECT_EQ(positions(one), (std::vector<Vector3>{{3, 4, 0}}));
  EXPECT_EQ(one.plane.normal, (Vector3{-1, 0, 0}));
  EXPECT_EQ(one.plane.d, -2);
}

}  // namespace
