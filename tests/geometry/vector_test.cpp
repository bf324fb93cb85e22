// Vectors, vertex records and planes.
#include <geometry/plane.h>
#include <geometry/vertex.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "shapes.h"

namespace {

using namespace geometry;
using shapes::near;

// The 26 floats of a vertex, in record order.
std::vector<float> floatsOf(const Vertex& v) {
  std::vector<float> out(26);
  std::memcpy(out.data(), &v, sizeof v);
  return out;
}

Vertex vertexWithFloats(float first, float step) {
  std::vector<float> f(26);
  for (int i = 0; i < 26; ++i) f[i] = first + step * i;
  Vertex v;
  std::memcpy(static_cast<void*>(&v), f.data(), sizeof v);
  return v;
}

TEST(Vector3, NormalizeLeavesExactZeroAndScalesTheRest) {
  Vector3 zero{0, 0, 0};
  zero.normalize();
  EXPECT_EQ(zero, (Vector3{0, 0, 0}));

  Vector3 v{3, 0, 4};
  v.normalize();
  EXPECT_TRUE(near(v, {0.6f, 0, 0.8f}, 1e-7f));

  // A not-a-number length is not zero: it goes on and spreads, it does not stop silently.
  Vector3 bad{std::numeric_limits<float>::quiet_NaN(), 0, 0};
  bad.normalize();
  EXPECT_TRUE(std::isnan(bad.x));
}

TEST(Vector3, CrossIsRightHanded) {
  EXPECT_EQ(cross({1, 0, 0}, {0, 1, 0}), (Vector3{0, 0, 1}));
  EXPECT_EQ(cross({0, 1, 0}, {1, 0, 0}), (Vector3{0, 0, -1}));
  EXPECT_EQ(cross({0, 0, 1}, {1, 0, 0}), (Vector3{0, 1, 0}));
}

TEST(Vertex, BuiltFromAPositionHasZeroAttributes) {
  const std::vector<float> f = floatsOf(Vertex(0.2f, 0.3f, 0));
  EXPECT_EQ(f[0], 0.2f);
  EXPECT_EQ(f[1], 0.3f);
  for (int i = 2; i < 26; ++i) EXPECT_EQ(f[i], 0) << "float " << i;
}

TEST(Vertex, HalfAndHalfIsTheMidpointInEveryFloat) {
  const Vertex v = vertexWithFloats(1, 1);   // 1, 2, ..., 26
  const Vertex w = vertexWithFloats(3, -2);  // 3, 1, -1, ...
  const std::vector<float> mid = floatsOf(v * 0.5f + w * 0.5f);
  const std::vector<float> a = floatsOf(v), b = floatsOf(w);
  for (int i = 0; i < 26; ++i) EXPECT_FLOAT_EQ(mid[i], (a[i] + b[i]) / 2) << "float " << i;
}

TEST(Vertex, SetPositionKeepsAttributes) {
  Vertex v = vertexWithFloats(1, 1);
  const Vertex copy = v.setPosition({7, 8, 9});
  const std::vector<float> f = floatsOf(v);
  EXPECT_EQ(f[0], 7);
  EXPECT_EQ(f[1], 8);
  EXPECT_EQ(f[2], 9);
  for (int i = 3; i < 26; ++i) EXPECT_EQ(f[i], i + 1) << "float " << i;
  EXPECT_EQ(floatsOf(copy), f);
}

TEST(Plane, FromDirectionsTurnsTheFirstDirectionCounterClockwise) {
  const Plane p = Plane::fromDirections({0.4f, 0.6f, 0}, {0, 0, 1}, {0.2f, 0.3f, 0});
  EXPECT_TRUE(near(p.normal, {-0.83205f, 0.55470f, 0}));
  EXPECT_NEAR(p.d, 0, 1e-7f);
  EXPECT_EQ(p.classify({0.2f, 0.3f, 0}, 0.05f), On);
  EXPECT_EQ(p.classify({-0.2f, -0.3f, 0}, 0.05f), On);
  EXPECT_EQ(p.classify({-1, 0, 0}, 0.05f), Front);
}

TEST(Plane, ParallelDirectionsGiveAZeroPlaneThatHoldsEveryPoint) {
  const Plane p = Plane::fromDirections({1, 2, 0}, {2, 4, 0}, {5, 5, 5});
  EXPECT_EQ(p.normal, (Vector3{0, 0, 0}));
  EXPECT_EQ(p.d, 0);
  EXPECT_EQ(p.classify({100, -3, 7}, 0), On);
}

TEST(Plane, ClassifyBandIsClosed) {
  const Plane p{{1, 0, 0}, 0};
  struct Row {
    const char* name;
    float x;
    Side side;
  } rows[] = {
      {"exactly eps", 0.05f, On},        {"just above eps", 0.0500001f, Front},
      {"exactly minus eps", -0.05f, On}, {"below minus eps", -0.06f, Back},
      {"on the plane", 0, On},           {"not a number", std::numeric_limits<float>::quiet_NaN(), On},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(p.classify({row.x, 0, 0}, 0.05f), row.side);
  }
  EXPECT_EQ(Front, 0);
  EXPECT_EQ(Back, 1);
  EXPECT_EQ(On, 2);
}

}  // namespace
