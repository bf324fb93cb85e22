// Split of a polygon by a plane.
#include <geometry/polygon.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "shapes.h"

namespace {

using namespace geometry;
using shapes::makePolygon;
using shapes::near;
using shapes::positions;
using shapes::startSquare;

const Plane xPlane{{1, 0, 0}, 0};  // Front where x > eps
constexpr float eps = 0.05f;

float area(const Polygon& p) {
  float twice = 0;
  for (std::size_t i = 0; i < p.size(); ++i) {
    const Vector3& a = p.at(i)->position;
    const Vector3& b = p.at((i + 1) % p.size())->position;
    twice += a.x * b.y - b.x * a.y;
  }
  return std::abs(twice) / 2;
}

TEST(PolygonSplit, WorkedExampleGivesTwoQuadrilateralsSharingTheCrossings) {
  VertexStore store;
  Polygon p = startSquare(store);
  p.computePlane(0.01f);
  const Plane cutter = Plane::fromDirections({0.4f, 0.6f, 0}, {0, 0, 1}, {0.2f, 0.3f, 0});
  Polygon q;
  p.split(cutter, q, Front, eps);

  const Vector3 x1{-1 / 3.f, -0.5f, 0}, x2{1 / 3.f, 0.5f, 0};
  EXPECT_TRUE(near(positions(p), {x1, {-0.5f, -0.5f, 0}, {-0.5f, 0.5f, 0}, x2}));
  EXPECT_TRUE(near(positions(q), {x1, x2, {0.5f, 0.5f, 0}, {0.5f, -0.5f, 0}}));
  EXPECT_EQ(store.size(), 6u);
  EXPECT_EQ(p.at(0).vertex, q.at(0).vertex) << "one record for X1, linked from both pieces";
  EXPECT_EQ(p.at(3).vertex, q.at(1).vertex);
  EXPECT_EQ(q.plane.normal, p.plane.normal);
  EXPECT_EQ(p.plane.normal, (Vector3{0, 0, -1})) << "the split leaves the plane alone";
}

TEST(PolygonSplit, PreparationStopsEarly) {
  const Vector3 f1{1, -1, 0}, f2{1, 1, 0}, b1{-1, -1, 0}, b2{-1, 1, 0}, o1{0, -1, 0}, o2{0, 1, 0}, o3{0.05f, 0, 0};
  struct Row {
    const char* name;
    std::vector<Vector3> input, kept, other;
  } rows[] = {
      {"empty", {}, {}, {}},
      {"all on the kept side", {f1, f2, {2, 0, 0}}, {f1, f2, {2, 0, 0}}, {}},
      {"all on the other side", {b1, b2, {-2, 0, 0}}, {}, {b1, b2, {-2, 0, 0}}},
      {"all on the plane", {o1, o2, o3}, {o1, o2, o3}, {}},
      {"one vertex on the plane", {o3}, {o3}, {}},
      {"only the first vertex off the plane, kept side", {f1, o1, o2, o3}, {f1, o1, o2, o3}, {}},
      {"only the first vertex off the plane, other side", {b1, o1, o2, o3}, {}, {b1, o1, o2, o3}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    VertexStore store;
    Polygon p = makePolygon(store, row.input);
    p.plane = {{0, 0, 1}, 0.5f};
    Polygon q = makePolygon(store, {{9, 9, 9}});
    const std::size_t storeBefore = store.size();
    p.split(xPlane, q, Front, eps);
    EXPECT_EQ(positions(p), row.kept);
    EXPECT_EQ(positions(q), row.other);
    EXPECT_EQ(q.plane.normal, (Vector3{0, 0, 1}));
    EXPECT_EQ(q.plane.d, 0.5f);
    EXPECT_EQ(store.size(), storeBefore) << "no crossing, no new record";
  }
}

TEST(PolygonSplit, RunsOnThePlaneGoWhereTheBoundaryGoes) {
  struct Row {
    const char* name;
    std::vector<Vector3> input, kept, other;
    std::size_t newRecords;
  } rows[] = {
      {"touching from the kept side", {{1, -1, 0}, {0, 0, 0}, {1, 1, 0}}, {{1, -1, 0}, {0, 0, 0}, {1, 1, 0}}, {}, 0},
      {"touching from the far side", {{-1, -1, 0}, {0, 0, 0}, {-1, 1, 0}}, {}, {{-1, -1, 0}, {0, 0, 0}, {-1, 1, 0}}, 0},
      {"corner on the plane between the sides",
       {{1, -1, 0}, {0, 1, 0}, {-1, -1, 0}},
       {{0, -1, 0}, {1, -1, 0}, {0, 1, 0}},
       {{0, -1, 0}, {0, 1, 0}, {-1, -1, 0}},
       1},
      {"a vertex at 0.04 bounds both pieces unchanged",
       {{0.5f, -0.5f, 0}, {0.04f, 0, 0}, {-0.3f, 0.5f, 0}, {-0.3f, -0.5f, 0}},
       {{0, -0.5f, 0}, {0.5f, -0.5f, 0}, {0.04f, 0, 0}},
       {{0, -0.5f, 0}, {0.04f, 0, 0}, {-0.3f, 0.5f, 0}, {-0.3f, -0.5f, 0}},
       1},
      // Not a convex input: the two on-plane vertices go whole to the piece on the side
      // before them, so the far piece keeps (0, -0.5) and its outline doubles back.
      {"non-convex run of two",
       {{0, 0, 0}, {0, -0.5f, 0}, {0.5f, 0.5f, 0}, {-0.5f, 0.5f, 0}},
       {{0, -0.5f, 0}, {0.5f, 0.5f, 0}, {0, 0.5f, 0}},
       {{0, 0, 0}, {0, -0.5f, 0}, {0, 0.5f, 0}, {-0.5f, 0.5f, 0}},
       1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    VertexStore store;
    Polygon p = makePolygon(store, row.input);
    Polygon q;
    p.split(xPlane, q, Front, eps);
    EXPECT_TRUE(near(positions(p), row.kept));
    EXPECT_TRUE(near(positions(q), row.other));
    EXPECT_EQ(store.size(), row.input.size() + row.newRecords);
  }
}

TEST(PolygonSplit, KeepingTheBackSideSwapsThePieces) {
  VertexStore store;
  Polygon front = startSquare(store);
  Polygon back = front;
  Polygon q1, q2;
  const Plane cutter{{1, 0, 0}, -0.25f};  // x = 0.25
  front.split(cutter, q1, Front, eps);
  back.split(cutter, q2, Back, eps);
  EXPECT_NEAR(area(front), 0.25f, 1e-6f);
  EXPECT_NEAR(area(q1), 0.75f, 1e-6f);
  EXPECT_NEAR(area(back), 0.75f, 1e-6f);
  EXPECT_NEAR(area(q2), 0.25f, 1e-6f);
}

TEST(PolygonSplit, CrossingInterpolatesEveryAttribute) {
  VertexStore store;
  auto withAttributes = [](float x, float y, float base) {
    Vertex v(x, y, 0);
    float* f = reinterpret_cast<float*>(&v);
    for (int i = 3; i < 26; ++i) f[i] = base + i;
    return v;
  };
  Polygon p;
  p.addVertex(VertexRef(withAttributes(0.75f, -1, 10), store));   // Front
  p.addVertex(VertexRef(withAttributes(-0.25f, -1, 50), store));  // Back
  p.addVertex(VertexRef(withAttributes(-0.25f, 1, 90), store));   // Back
  Polygon q;
  p.split(xPlane, q, Front, eps);
  ASSERT_EQ(store.size(), 5u);

  // The walk meets the closing edge first; the crossing on the edge from the first
  // to the second vertex comes next and lies three quarters of the way along it.
  const Vertex& made = *store.begin()[4];
  EXPECT_NEAR(made.position.x, 0, 1e-6f);
  EXPECT_FLOAT_EQ(made.position.y, -1);
  const float* f = reinterpret_cast<const float*>(&made);
  for (int i = 3; i < 26; ++i) EXPECT_NEAR(f[i], (10 + i) * 0.25f + (50 + i) * 0.75f, 1e-4f) << "float " << i;
  auto links = [&](const Polygon& piece) {
    return std::any_of(piece.begin(), piece.end(), [&](const VertexRef& r) { return r.vertex == &made; });
  };
  EXPECT_TRUE(links(p));
  EXPECT_TRUE(links(q));
}

TEST(PolygonSplit, PiecesOfAConvexPolygonCoverItOnTheirOwnSides) {
  for (int angle = 0; angle < 360; angle += 15) {
    for (float offset : {-0.6f, -0.45f, -0.2f, 0.0f, 0.3f, 0.5f}) {
      SCOPED_TRACE("angle " + std::to_string(angle) + " offset " + std::to_string(offset));
      VertexStore store;
      Polygon p =
          makePolygon(store, {{-0.5f, -0.5f, 0}, {-0.5f, 0.5f, 0}, {0.2f, 0.7f, 0}, {0.5f, 0.5f, 0}, {0.5f, -0.5f, 0}});
      const float area0 = area(p);
      const float a = angle * 3.14159265f / 180;
      const Plane cutter{{std::cos(a), std::sin(a), 0}, offset};
      Polygon q;
      p.split(cutter, q, Front, eps);
      EXPECT_NEAR(area(p) + area(q), area0, 1e-5f);
      for (const VertexRef& v : p) EXPECT_GE(cutter.signedDistance(v->position), -eps);
      for (const VertexRef& v : q) EXPECT_LE(cutter.signedDistance(v->position), eps);
    }
  }
}

TEST(PolygonSplit, SideOnKeepsThePolygonWhole) {
  VertexStore store;
  Polygon p = startSquare(store);
  const std::vector<Vector3> before = positions(p);
  Polygon q = makePolygon(store, {{9, 9, 9}});
  for (int side : {int(On), 7, -1}) {
    SCOPED_TRACE(side);
    p.split(xPlane, q, static_cast<Side>(side), eps);
    EXPECT_EQ(positions(p), before);
    EXPECT_EQ(q.size(), 0u);
    EXPECT_EQ(store.size(), 5u);
  }
}

}  // namespace
