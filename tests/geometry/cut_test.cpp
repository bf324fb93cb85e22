// One-sided cut of a polygon by a plane.
#include <geometry/polygon.h>
#include <gtest/gtest.h>

#include "shapes.h"

namespace {

using namespace geometry;
using shapes::near;
using shapes::positions;

const Plane xPlane{{1, 0, 0}, 0};  // Front where x > eps
constexpr float eps = 0.05f;

TEST(PolygonCut, KeepsAllButTheRemovedSide) {
  const Plane diagonal = Plane::fromDirections({0.4f, 0.6f, 0}, {0, 0, 1}, {0.2f, 0.3f, 0});
  const Vector3 f1{1, -1, 0}, f2{1, 1, 0}, b1{-1, -1, 0}, b2{-1, 1, 0}, o1{0, -1, 0}, o2{0, 1, 0}, on{eps, 0, 0};
  const Vector3 c0{-0.5f, -0.5f, 0}, c1{-0.5f, 0.5f, 0}, c2{0.5f, 0.5f, 0}, c3{0.5f, -0.5f, 0};
  const Vector3 x1{-1 / 3.f, -0.5f, 0}, x2{1 / 3.f, 0.5f, 0}, at04{0.04f, 0.5f, 0}, at04b{0.04f, -0.5f, 0};
  struct Row {
    const char* name;
    std::vector<Vector3> input;
    Side side;
    Plane plane;
    std::vector<Vector3> kept;
    std::size_t newRecords;
  } rows[] = {
      {"empty", {}, Front, xPlane, {}, 0},
      {"all on the kept side", {f1, f2, {2, 0, 0}}, Front, xPlane, {f1, f2, {2, 0, 0}}, 0},
      {"all on the plane", {o1, o2, on}, Front, xPlane, {o1, o2, on}, 0},
      {"kept side and plane", {o1, f2, o2}, Front, xPlane, {o1, f2, o2}, 0},
      {"all removed", {b1, b2, {-2, 0, 0}}, Front, xPlane, {}, 0},
      {"one vertex kept", {f1}, Front, xPlane, {f1}, 0},
      {"one vertex removed", {b1}, Front, xPlane, {}, 0},
      // No crossing between 0.04 and -0.3: the vertices at 0.04 bound the cut themselves.
      {"vertices at 0.04 next to one at -0.3",
       {f2, at04, {-0.3f, 0.5f, 0}, at04b},
       Front,
       xPlane,
       {f2, at04, at04b},
       0},
      {"any side but Front removes the front", {b1, b2, f1}, On, xPlane, {{0, -1, 0}, b1, b2, {0, 0, 0}}, 2},
      {"a zero plane keeps everything", {b1, f1}, Back, Plane{}, {b1, f1}, 0},
      // The closing edge's crossing comes first; a crossing into a removed vertex takes its place.
      {"worked example, front", {c0, c1, c2, c3}, Front, diagonal, {x1, c0, c1, x2}, 2},
      {"worked example, back", {c0, c1, c2, c3}, Back, diagonal, {x1, x2, c2, c3}, 2},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    VertexStore store;
    Polygon p = shapes::makePolygon(store, row.input);
    p.cut(row.plane, row.side, eps);
    EXPECT_TRUE(near(positions(p), row.kept));
    ASSERT_EQ(store.size(), row.input.size() + row.newRecords);
    for (std::size_t i = 0; i < row.input.size(); ++i) EXPECT_EQ(store.begin()[i]->position, row.input[i]);
  }
}

TEST(PolygonCut, CrossingInterpolatesEveryAttribute) {
  VertexStore store;
  Polygon p;
  for (float x : {0.75f, -0.25f}) {  // kept, removed
    Vertex v(x, 0, 0);
    float* f = reinterpret_cast<float*>(&v);
    for (int i = 3; i < 26; ++i) f[i] = 40 * x + i;
    p.addVertex(VertexRef(v, store));
  }
  p.cut(xPlane, Front, eps);

  // Both edges cross at x = 0, where each attribute, linear in x along the edge, is its index.
  ASSERT_EQ(store.size(), 4u);
  for (const Vertex* made : {store.begin()[2], store.begin()[3]}) {
    const float* f = reinterpret_cast<const float*>(made);
    for (int i = 0; i < 26; ++i) EXPECT_NEAR(f[i], i < 3 ? 0 : i, 1e-5f) << "float " << i;
  }
}

}  // namespace
