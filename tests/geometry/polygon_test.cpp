// The vertex store, vertex handles, and the polygon with its shape tests.
#include <GL/gl.h>
#include <geometry/batch.h>
#include <geometry/polygon.h>
#include <geometry/walks.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "rig.h"
#include "shapes.h"

namespace {

using namespace geometry;
using shapes::makePolygon;
using shapes::near;
using shapes::positions;
using shapes::startSquare;

std::vector<Vertex*> entries(const VertexStore& store) { return {store.begin(), store.end()}; }

TEST(VertexRef, CreatesAndRegistersNewRecords) {
  VertexStore store;
  VertexRef ref(Vertex(1, 2, 3), store);
  EXPECT_EQ(ref.store, &store);
  EXPECT_EQ(entries(store), std::vector<Vertex*>{ref.vertex});
  EXPECT_EQ(ref->position, (Vector3{1, 2, 3}));

  Vertex* const first = ref.vertex;
  ref.assignNew(Vertex(4, 5, 6));
  EXPECT_NE(ref.vertex, first);
  EXPECT_EQ(first->position, (Vector3{1, 2, 3})) << "the old record is untouched";
  EXPECT_EQ(entries(store), (std::vector<Vertex*>{first, ref.vertex}));
}

TEST(VertexRef, AssignmentKeepsTheStoreLinkAndCopyTakesBoth) {
  VertexStore a, b;
  VertexRef inA(Vertex(1, 0, 0), a);
  VertexRef inB(Vertex(2, 0, 0), b);
  const VertexRef copy(inB);
  EXPECT_EQ(copy.store, &b);
  EXPECT_EQ(copy.vertex, inB.vertex);

  inA = inB;
  EXPECT_EQ(inA.vertex, inB.vertex);
  EXPECT_EQ(inA.store, &a);
}

TEST(VertexStore, RecordsNeverMoveAsTheStoreGrows) {
  VertexStore store;
  VertexRef first(Vertex(1, 1, 0), store);
  Vertex* const record = first.vertex;
  for (int i = 0; i < 5000; ++i) VertexRef(Vertex(float(i), 0, 0), store);
  EXPECT_EQ(first.vertex, record);
  EXPECT_EQ(*store.begin(), record);
  EXPECT_EQ(record->position, (Vector3{1, 1, 0}));
  EXPECT_EQ(store.size(), 5001u);

  Vertex kept(9, 9, 0);
  store.append(kept);
  EXPECT_EQ(*(store.end() - 1), &kept) << "a program's own record is registered, not copied";
}

TEST(Polygon, InsertAndEraseKeepOrder) {
  VertexStore store;
  Polygon p = makePolygon(store, {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}});
  const Polygon q = makePolygon(store, {{7, 0, 0}, {8, 0, 0}, {9, 0, 0}});
  p.insert(1, q.at(0));
  EXPECT_TRUE(near(positions(p), {{0, 0, 0}, {7, 0, 0}, {1, 0, 0}, {2, 0, 0}}));
  p.insert(4, q, 1, 3);
  EXPECT_TRUE(near(positions(p), {{0, 0, 0}, {7, 0, 0}, {1, 0, 0}, {2, 0, 0}, {8, 0, 0}, {9, 0, 0}}));
  p.erase(0);
  p.erase(1, 3);
  EXPECT_TRUE(near(positions(p), {{7, 0, 0}, {8, 0, 0}, {9, 0, 0}}));
  p.insert(1, p, 0, 3);
  EXPECT_TRUE(near(positions(p), {{7, 0, 0}, {7, 0, 0}, {8, 0, 0}, {9, 0, 0}, {8, 0, 0}, {9, 0, 0}}));
  EXPECT_EQ(p.back().vertex, q.at(2).vertex);
  p.clear();
  EXPECT_EQ(p.size(), 0u);
}

TEST(Polygon, AssignmentSharesVerticesAndCopiesThePlane) {
  VertexStore store;
  Polygon a = startSquare(store);
  ASSERT_TRUE(a.computePlane(0.01f));
  Polygon b = makePolygon(store, {{5, 5, 5}});
  b = a;
  ASSERT_EQ(b.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(b.at(i).vertex, a.at(i).vertex);
  EXPECT_EQ(b.plane.normal, a.plane.normal);
  EXPECT_EQ(store.size(), 5u) << "assignment makes no new records";

  a.at(2)->setPosition({0.7f, 0.7f, 0});
  EXPECT_EQ(b.at(2)->position, (Vector3{0.7f, 0.7f, 0}));
}

TEST(Polygon, SelfAssignmentLeavesItUnchanged) {
  VertexStore store;
  Polygon a = startSquare(store);
  a.computePlane(0.01f);
  const std::vector<Vector3> before = positions(a);
  Polygon& alias = a;
  a = alias;
  EXPECT_EQ(positions(a), before);
  EXPECT_EQ(a.plane.normal, (Vector3{0, 0, -1}));
}

TEST(Polygon, SwapVerticesKeepsPlanes) {
  VertexStore store;
  Polygon a = startSquare(store);
  Polygon b = makePolygon(store, {{0, 0, 0}, {0, 0, 1}, {0, 1, 0}});
  a.computePlane(0.01f);
  b.computePlane(0.01f);
  const Plane planeA = a.plane, planeB = b.plane;
  a.swapVertices(b);
  EXPECT_EQ(a.size(), 3u);
  EXPECT_EQ(b.size(), 4u);
  EXPECT_EQ(a.plane.normal, planeA.normal);
  EXPECT_EQ(b.plane.normal, planeB.normal);
}

TEST(PolygonComputePlane, NormalFollowsTheWinding) {
  VertexStore store;
  Polygon clockwise = startSquare(store);
  ASSERT_TRUE(clockwise.computePlane(0.01f));
  EXPECT_EQ(clockwise.plane.normal, (Vector3{0, 0, -1}));
  EXPECT_EQ(clockwise.plane.d, 0);

  Polygon counter = makePolygon(store, {{-0.5f, -0.5f, 0}, {0.5f, -0.5f, 0}, {0.5f, 0.5f, 0}, {-0.5f, 0.5f, 0}});
  ASSERT_TRUE(counter.computePlane(0.01f));
  EXPECT_EQ(counter.plane.normal, (Vector3{0, 0, 1}));

  Polygon lifted = makePolygon(store, {{0, 0, 2}, {0, 1, 2}, {1, 1, 2}});
  ASSERT_TRUE(lifted.computePlane(0.01f));
  EXPECT_FLOAT_EQ(lifted.plane.signedDistance({5, 5, 2}), 0);
}

TEST(PolygonComputePlane, SkipsAShortFirstEdge) {
  VertexStore store;
  // The first edge is shorter than tol. Taken anyway, corner 1 with the long edge to
  // corner 2 would give normal (0, 0, -1); corner 2, the first that qualifies, gives +z.
  Polygon p = makePolygon(store, {{0, 0, 0}, {0, 0.005f, 0}, {4, 0, 0}, {4, 4, 0}});
  ASSERT_TRUE(p.computePlane(0.01f));
  EXPECT_EQ(p.plane.normal, (Vector3{0, 0, 1}));

  Polygon spaced = makePolygon(store, {{0, 0, 0}, {0.001f, 0, 0}, {1, 0, 0}, {1, 1, 0}});
  ASSERT_TRUE(spaced.computePlane(0.01f));
  EXPECT_EQ(spaced.plane.normal, (Vector3{0, 0, 1}));
}

TEST(PolygonComputePlane, FailsAndKeepsThePlaneWhenDegenerate) {
  VertexStore store;
  struct Row {
    const char* name;
    Polygon polygon;
  } rows[] = {
      {"empty", Polygon()},
      {"one vertex", makePolygon(store, {{0, 0, 0}})},
      {"two vertices", makePolygon(store, {{0, 0, 0}, {1, 0, 0}})},
      {"collinear", makePolygon(store, {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}})},
      {"all within tol", makePolygon(store, {{0, 0, 0}, {0.001f, 0, 0}, {0, 0.001f, 0}})},
  };
  for (Row& row : rows) {
    SCOPED_TRACE(row.name);
    row.polygon.plane = {{0, 1, 0}, 3};
    EXPECT_FALSE(row.polygon.computePlane(0.01f));
    EXPECT_EQ(row.polygon.plane.normal, (Vector3{0, 1, 0}));
    EXPECT_EQ(row.polygon.plane.d, 3);
  }
}

std::vector<Vector3> withRepeat(std::vector<Vector3> corners, std::size_t i) {
  corners.insert(corners.begin() + static_cast<std::ptrdiff_t>(i), corners[i]);
  return corners;
}

TEST(PolygonShape, ConvexAndTinyTable) {
  VertexStore store;
  // Clockwise about (0, 0, -1) but for corner 2, which is pushed in towards the centre.
  const std::vector<Vector3> reflexPentagon{
      {-0.5f, -0.5f, 0}, {-0.5f, 0.5f, 0}, {0, 0.1f, 0}, {0.5f, 0.5f, 0}, {0.5f, -0.5f, 0}};
  const Plane clockwisePlane{{0, 0, -1}, 0};
  struct Row {
    const char* name;
    Polygon polygon;
    bool convex;
    bool tiny;
  } rows[] = {
      {"empty", Polygon(), true, true},
      {"one vertex", makePolygon(store, {{0, 0, 0}}), true, true},
      {"two vertices", makePolygon(store, {{0, 0, 0}, {1, 0, 0}}), true, true},
      {"clockwise square", startSquare(store), true, false},
      {"counter-clockwise square against the clockwise plane",
       makePolygon(store, {{-0.5f, -0.5f, 0}, {0.5f, -0.5f, 0}, {0.5f, 0.5f, 0}, {-0.5f, 0.5f, 0}}), false, false},
      {"corner pushed past the diagonal",
       makePolygon(store, {{-0.5f, -0.5f, 0}, {-0.5f, 0.5f, 0}, {-0.2f, -0.2f, 0}, {0.5f, -0.5f, 0}}), false, false},
      {"collinear corner passes",
       makePolygon(store, {{-0.5f, -0.5f, 0}, {-0.5f, 0.5f, 0}, {0.5f, 0.5f, 0}, {0.5f, 0, 0}, {0.5f, -0.5f, 0}}), true,
       false},
      {"triangle with long edges", makePolygon(store, {{0, 0, 0}, {0, 0.01f, 0}, {0.01f, 0, 0}}), true, false},
      {"quadrilateral with two short edges", makePolygon(store, {{0, 0, 0}, {0, 1, 0}, {0.005f, 1, 0}, {0.005f, 0, 0}}),
       true, true},
      {"all corners on one point", makePolygon(store, {{1, 1, 0}, {1, 1, 0}, {1, 1, 0}}), true, true},
      {"reflex pentagon", makePolygon(store, reflexPentagon), false, false},
      {"reflex pentagon, reflex corner listed twice", makePolygon(store, withRepeat(reflexPentagon, 2)), false, false},
      {"reflex pentagon, last corner listed twice", makePolygon(store, withRepeat(reflexPentagon, 4)), false, false},
      {"square, a corner listed twice", makePolygon(store, withRepeat(positions(startSquare(store)), 1)), true, false},
  };
  for (Row& row : rows) {
    SCOPED_TRACE(row.name);
    row.polygon.plane = clockwisePlane;
    EXPECT_EQ(row.polygon.isConvex(0.01f), row.convex);
    EXPECT_EQ(row.polygon.isTiny(0.01f), row.tiny);
  }
}

TEST(PolygonShape, EdgeOfExactlyTolCountsAsLong) {
  VertexStore store;
  // Three edges of length exactly 0.5 (0.5 is exact in float); the fourth is short.
  Polygon p = makePolygon(store, {{0, 0, 0}, {0, 0.5f, 0}, {0.5f, 0.5f, 0}, {0.5f, 0.001f, 0}, {0.5f, 0, 0}});
  EXPECT_FALSE(p.isTiny(0.5f));
  EXPECT_TRUE(p.isTiny(0.5000001f));
}

TEST(PolygonShape, ConvexityUsesTheStoredPlaneNotTheCorners) {
  VertexStore store;
  Polygon p = startSquare(store);
  p.computePlane(0.01f);
  EXPECT_TRUE(p.isConvex(0.01f));
  p.plane.normal = {0, 0, 1};
  EXPECT_FALSE(p.isConvex(0.01f));
}

TEST(PolygonEmit, OneVertexCallPerCornerInOrder) {
  VertexStore store;
  const Polygon p = makePolygon(store, {{1, 2, 3}, {4, 5, 6}});
  glBegin(GL_LINE_LOOP);
  p.emitVertices();
  glEnd();
  std::vector<rig::Call> vertexCalls;
  for (const rig::Call& c : rig::callsSinceDisplay())
    if (c.name == "glVertex3f") vertexCalls.push_back(c);
  ASSERT_EQ(vertexCalls.size(), 2u);
  EXPECT_EQ(vertexCalls[0].args, (std::vector<double>{1, 2, 3}));
  EXPECT_EQ(vertexCalls[1].args, (std::vector<double>{4, 5, 6}));
}

using PolygonContractDeathTest = ::testing::Test;

TEST_F(PolygonContractDeathTest, ViolationsStopWithAOneLineMessage) {
  VertexStore store;
  const Polygon square = startSquare(store);
  Polygon empty;
  EXPECT_DEATH_IF_SUPPORTED(square.at(4), "^Polygon::at: index out of range\n$");
  EXPECT_DEATH_IF_SUPPORTED(empty.back(), "^Polygon::back: polygon is empty\n$");
  EXPECT_DEATH_IF_SUPPORTED(empty.erase(0), "Polygon::erase");
  EXPECT_DEATH_IF_SUPPORTED(empty.insert(1, square.at(0)), "Polygon::insert");
  EXPECT_DEATH_IF_SUPPORTED(empty.insert(0, square, 2, 5), "Polygon::insert");
  const Polygon one = makePolygon(store, {{0, 0, 0}});
  EXPECT_DEATH_IF_SUPPORTED(one.insideBarycentric({0, 0, 0}, 0),
                            "^Polygon::insideBarycentric: fewer than two vertices\n$");
  EXPECT_DEATH_IF_SUPPORTED(empty.insideEdgePlanes({0, 0, 0}, 0.01f),
                            "^Polygon::insideEdgePlanes: polygon is empty\n$");
  EXPECT_DEATH_IF_SUPPORTED(one.closestPoint({0, 0, 0}), "^Polygon::closestPoint: fewer than two vertices\n$");
  EXPECT_DEATH_IF_SUPPORTED(insideBarycentricWalked(one, {0, 0, 0}, 0, nullptr), "^insideBarycentricWalked: fewer");
  EXPECT_DEATH_IF_SUPPORTED(insideEdgePlanesWalked(empty, {0, 0, 0}, nullptr), "^insideEdgePlanesWalked: polygon is");
  EXPECT_DEATH_IF_SUPPORTED(closestPointWalked(one, {0, 0, 0}, nullptr), "^closestPointWalked: fewer");
  const Vector3 two[2];
  bool answers[1];
  EXPECT_DEATH_IF_SUPPORTED(insideEdgePlanesEach(square, two, 0.01f, answers),
                            "^insideEdgePlanesEach: output length differs from the input's\n$");
  EXPECT_DEATH_IF_SUPPORTED(insideBarycentricEach(one, {}, 0, {}), "^insideBarycentricEach: fewer than two");
  EXPECT_DEATH_IF_SUPPORTED(overlapsEach(square, square, two, 0.01f, answers), "^overlapsEach: output length");
}

}  // namespace
