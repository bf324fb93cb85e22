// Overlap of two convex polygons, and the centre and translation of a polygon.
#include <geometry/polygon.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "shapes.h"

namespace {

using namespace geometry;
using shapes::makePolygon;
using shapes::positions;

// Clockwise, as the programs list their corners.
std::vector<Vector3> rectangle(float left, float bottom, float right, float top) {
  return {{left, bottom, 0}, {left, top, 0}, {right, top, 0}, {right, bottom, 0}};
}

TEST(PolygonOverlap, GapOfAtLeastTolAlongSomeAxisSeparates) {
  const std::vector<Vector3> a = rectangle(-0.75f, -0.5f, 0.25f, 0.5f), square = rectangle(-0.5f, -0.5f, 0.5f, 0.5f);
  const std::vector<Vector3> repeated = {{-0.5f, -0.5f, 0}, {-0.5f, 0.5f, 0}, {-0.5f, 0.5f, 0}, {0.5f, 0.5f, 0}};
  struct Row {
    const char* name;
    std::vector<Vector3> p, q;
    bool overlap;
    float tol = 0.01f;
    bool pPlane = true;  // false: p's normal stays all zero
  } rows[] = {
      {"squares sharing an area", a, rectangle(-0.25f, -0.25f, 0.75f, 0.25f), true},
      {"facing sides 0.5 apart", square, rectangle(1, -0.5f, 2, 0.5f), false},
      {"touching along an edge", square, rectangle(0.5f, -0.25f, 1.5f, 0.25f), true},
      {"touching at a corner", square, rectangle(0.5f, 0.5f, 1.5f, 1.5f), true},
      {"gap 0.005, along sides 4 long", a, rectangle(0.255f, -2, 4.255f, 2), true},
      {"gap 0.02", a, rectangle(0.27f, -0.5f, 1.25f, 0.5f), false},
      {"gap of exactly tol", square, rectangle(1, -0.5f, 2, 0.5f), false, 0.5f},
      {"empty this", {}, square, false},
      {"empty other", square, {}, false},
      {"repeated vertex, overlapping", repeated, rectangle(0, 0, 1, 1), true},
      {"repeated vertex, apart", repeated, rectangle(0.25f, -0.5f, 1, -0.25f), false},
      {"zero normal, overlapping", square, rectangle(0.25f, -0.25f, 1, 0.25f), true, 0.01f, false},
      {"zero normal, the other's axes separate", square, rectangle(0.75f, -0.25f, 1.5f, 0.25f), false, 0.01f, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    VertexStore store;
    Polygon p = makePolygon(store, row.p), q = makePolygon(store, row.q);
    if (row.pPlane) p.computePlane(0.01f);
    q.computePlane(0.01f);
    for (const char* normal : {"as computed", "flipped"}) {
      SCOPED_TRACE(normal);
      EXPECT_EQ(p.overlaps(q, row.tol), row.overlap);
      EXPECT_EQ(q.overlaps(p, row.tol), row.overlap) << "swapped";
      p.plane.normal = p.plane.normal * -1;
    }
  }
}

TEST(PolygonCentre, EmptyPolygonIsCentredAtZero) {
  const Vertex centre = Polygon().centreVertex();
  const float* f = reinterpret_cast<const float*>(&centre);
  EXPECT_TRUE(std::all_of(f, f + 26, [](float x) { return x == 0; })) << "no not-a-number from 0 * (1 / 0)";
  EXPECT_EQ(Polygon().centrePosition(), (Vector3{0, 0, 0}));
}

TEST(PolygonCentre, AveragesEveryFloatAndTranslateMovesOnlyPositions) {
  VertexStore store;
  Polygon p = makePolygon(store, rectangle(-0.75f, -0.5f, 0.25f, 0.5f));
  for (std::size_t i = 0; i < p.size(); ++i) p.at(i)->attrib3.x = p.at(i)->attribSets[3].w = float(i);
  const Vertex centre = p.centreVertex();
  EXPECT_EQ(p.centrePosition(), (Vector3{-0.25f, 0, 0}));
  EXPECT_TRUE(centre.position == p.centrePosition() && centre.attrib3.x == 1.5f && centre.attribSets[3].w == 1.5f);

  const Polygon sharing = p;
  p.translate({0.5f, -0.25f, 0});
  EXPECT_EQ(positions(sharing), rectangle(-0.25f, -0.75f, 0.75f, 0.25f)) << "the records themselves move";
  EXPECT_EQ(p.at(3)->attribSets[3].w, 3) << "attributes stay";
}

}  // namespace
