// Overlap of two convex polygons, and the centre and translation of a polygon.
#include <geometry/polygon.h>
#include <gtest/gtest.h>

#include <cmath>

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
  const std::vector<Vector3> a = rectangle(-0.75f, -0.5f, 0.25f, 0.5f);
  const std::vector<Vector3> square = rectangle(-0.5f, -0.5f, 0.5f, 0.5f);
  const std::vector<Vector3> none;
  struct Row {
    const char* name;
    std::vector<Vector3> p, q;
    bool overlap;
    float tol = 0.01f;
    bool planes = true;  // false: both planes stay all zero
  } rows[] = {
      {"squares sharing an area", a, rectangle(-0.25f, -0.25f, 0.75f, 0.25f), true},
      {"facing sides 0.5 apart", square, rectangle(1, -0.5f, 2, 0.5f), false},
      {"touching along an edge", square, rectangle(0.5f, -0.25f, 1.5f, 0.25f), true},
      {"touching at a corner", square, rectangle(0.5f, 0.5f, 1.5f, 1.5f), true},
      {"gap 0.005", a, rectangle(0.255f, -0.5f, 1.25f, 0.5f), true},
      {"gap 0.02", a, rectangle(0.27f, -0.5f, 1.25f, 0.5f), false},
      {"gap of exactly tol", square, rectangle(1, -0.5f, 2, 0.5f), false, 0.5f},
      {"gap just under tol", square, rectangle(1, -0.5f, 2, 0.5f), true, std::nextafter(0.5f, 1.0f)},
      {"empty this", none, square, false},
      {"empty other", square, none, false},
      {"repeated vertex, overlapping",
       {{-0.5f, -0.5f, 0}, {-0.5f, 0.5f, 0}, {-0.5f, 0.5f, 0}, {0.5f, 0.5f, 0}},
       rectangle(0, 0, 1, 1),
       true},
      {"repeated vertex, apart",
       {{-0.5f, -0.5f, 0}, {-0.5f, -0.5f, 0}, {-0.5f, 0.5f, 0}, {0.5f, 0.5f, 0}},
       rectangle(0.25f, -0.5f, 1, -0.25f),
       false},
      {"no planes: no axis separates, however far", square, rectangle(5, 5, 6, 6), true, 0.01f, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    VertexStore store;
    Polygon p = makePolygon(store, row.p), q = makePolygon(store, row.q);
    if (row.planes) {
      p.computePlane(0.01f);
      q.computePlane(0.01f);
    }
    EXPECT_EQ(p.overlaps(q, row.tol), row.overlap);
    EXPECT_EQ(q.overlaps(p, row.tol), row.overlap) << "swapped";
    p.plane.normal = p.plane.normal * -1;
    EXPECT_EQ(p.overlaps(q, row.tol), row.overlap) << "this normal flipped";
    EXPECT_EQ(q.overlaps(p, row.tol), row.overlap) << "other normal flipped";
  }
}

TEST(PolygonOverlap, OnePlaneMissingLeavesTheOtherPolygonsAxes) {
  VertexStore store;
  Polygon withoutPlane = makePolygon(store, rectangle(-0.5f, -0.5f, 0.5f, 0.5f));
  Polygon near = makePolygon(store, rectangle(0.25f, -0.25f, 1, 0.25f));
  Polygon far = makePolygon(store, rectangle(0.75f, -0.25f, 1.5f, 0.25f));
  near.computePlane(0.01f);
  far.computePlane(0.01f);
  EXPECT_TRUE(withoutPlane.overlaps(near, 0.01f));
  EXPECT_TRUE(near.overlaps(withoutPlane, 0.01f));
  EXPECT_FALSE(withoutPlane.overlaps(far, 0.01f)) << "far's own edge normals separate";
  EXPECT_FALSE(far.overlaps(withoutPlane, 0.01f));
}

TEST(PolygonOverlap, TiltedPolygonsSeparateAlongADiagonalEdgeNormal) {
  // Two triangles whose bounding boxes overlap but whose facing hypotenuses are about 0.14 apart.
  VertexStore store;
  Polygon lower = makePolygon(store, {{0, 0, 0}, {0, 1, 0}, {1, 0, 0}});
  Polygon upper = makePolygon(store, {{1.1f, 1.1f, 0}, {1.1f, 0.1f, 0}, {0.1f, 1.1f, 0}});
  lower.computePlane(0.01f);
  upper.computePlane(0.01f);
  EXPECT_FALSE(lower.overlaps(upper, 0.01f));
  EXPECT_TRUE(lower.overlaps(upper, 0.15f));
}

TEST(PolygonCentre, EmptyPolygonIsCentredAtZero) {
  const Polygon empty;
  const Vertex centre = empty.centreVertex();
  const float* f = reinterpret_cast<const float*>(&centre);
  for (int i = 0; i < 26; ++i) EXPECT_EQ(f[i], 0) << "float " << i;
  EXPECT_EQ(empty.centrePosition(), (Vector3{0, 0, 0}));
}

TEST(PolygonCentre, AveragesEveryFloatAndTranslateMovesOnlyPositions) {
  VertexStore store;
  Polygon p = makePolygon(store, rectangle(-0.75f, -0.5f, 0.25f, 0.5f));
  for (std::size_t i = 0; i < p.size(); ++i) {
    float* f = reinterpret_cast<float*>(p.at(i).vertex);
    for (int k = 3; k < 26; ++k) f[k] = float(i * 100 + k);
  }
  const Vertex centre = p.centreVertex();
  EXPECT_EQ(centre.position, (Vector3{-0.25f, 0, 0}));
  EXPECT_EQ(p.centrePosition(), (Vector3{-0.25f, 0, 0}));
  const float* f = reinterpret_cast<const float*>(&centre);
  for (int k = 3; k < 26; ++k) EXPECT_FLOAT_EQ(f[k], 150 + k) << "float " << k;

  const Polygon sharing = p;
  p.translate({0.5f, -0.25f, 0});
  EXPECT_EQ(positions(sharing), rectangle(-0.25f, -0.75f, 0.75f, 0.25f)) << "the records themselves move";
  EXPECT_EQ(p.at(3).vertex->attribSets[3].w, 325) << "attributes stay";
}

}  // namespace
