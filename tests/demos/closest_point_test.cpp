// The closest_point program, driven through its registered callbacks.
#include "closest_point.h"

#include <GL/glut.h>
#include <gtest/gtest.h>
#include <viewer/map.h>

#include "rig.h"
#include "shapes.h"

namespace {

using geometry::Vector3;
using shapes::near;

class ClosestPointProgram : public ::testing::Test {
 protected:
  ClosestPointProgram() : program(closest_point::run) { program.reshape(640, 480); }

  /// The position of the green dot, the one point drawn after the corners.
  Vector3 greenDot() {
    const std::vector<rig::Primitive> points = program.display().ofMode(GL_POINTS);
    if (points.size() != 2 || points[1].vertices.size() != 1) {
      ADD_FAILURE() << "expected the corners, then one dot";
      return {};
    }
    EXPECT_EQ(points[1].vertices[0].color, rig::green);
    return points[1].vertices[0].position;
  }

  rig::Program program;
};

TEST_F(ClosestPointProgram, StartsWithTheDotAtTheCentre) {
  const rig::Frame frame = program.display();
  const std::vector<Vector3> corners{{-0.5f, -0.5f, 0}, {-0.5f, 0.5f, 0}, {0.5f, 0.5f, 0}, {0.5f, -0.5f, 0}};
  ASSERT_EQ(frame.primitives.size(), 3u);
  EXPECT_EQ(frame.primitives[0].mode, unsigned(GL_POLYGON));
  EXPECT_EQ(frame.primitives[0].positions(), corners);
  EXPECT_EQ(frame.primitives[0].vertices[0].color, rig::white);
  EXPECT_EQ(frame.primitives[1].positions(), corners);
  EXPECT_EQ(frame.primitives[1].vertices[0].color, rig::red);
  EXPECT_EQ(greenDot(), (Vector3{0, 0, 0}));
  ASSERT_EQ(frame.labels.size(), 1u);
  EXPECT_EQ(frame.labels[0].text, "convex");
  EXPECT_EQ(frame.labels[0].y, 0.95f);
  EXPECT_EQ(frame.labels[0].color, rig::white);
}

TEST_F(ClosestPointProgram, DotFollowsTheCursorInsideAndTheOutlineOutside) {
  const struct {
    const char* name;
    geometry::Vector2 cursor;
    Vector3 dot;
  } rows[] = {
      {"inside: under the cursor", {0.2f, 0.3f}, {0.2f, 0.3f, 0}},
      {"on the outline", {-0.5f, 0.1f}, {-0.5f, 0.1f, 0}},
      {"beyond an edge", {0.875f, 0.1f}, {0.5f, 0.1f, 0}},
      {"beyond a corner", {-0.9f, 0.9f}, {-0.5f, 0.5f, 0}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    program.hoverAt(row.cursor);
    EXPECT_EQ(rig::window().redisplayRequests, 1);
    EXPECT_TRUE(near(greenDot(), row.dot));
  }
}

TEST_F(ClosestPointProgram, CornerOntoItsNeighbourKeepsTheDotOnTheOutline) {
  program.dragFromToAt({-0.5f, 0.5f}, {-0.5f, -0.5f});  // the edge between them has no length
  program.hover(40, 240);
  EXPECT_EQ(greenDot(), (Vector3{-0.4375f, -0.4375f, 0}));
}

TEST_F(ClosestPointProgram, CornerPastTheDiagonalMakesItNonConvex) {
  program.dragFromToAt({-0.5f, 0.5f}, {0.25f, -0.25f});
  EXPECT_EQ(program.display().labelTexts(), std::vector<std::string>{"non-convex"});
  // The notch lies in the fan triangle from the first corner, so the dot stays under the cursor.
  program.hoverAt({0.2f, 0});
  EXPECT_TRUE(near(greenDot(), {0.2f, 0, 0}));
}

TEST_F(ClosestPointProgram, ExplainsTheWalkAtTheDesignsPoints) {
  const struct {
    geometry::Vector2 cursor;
    std::vector<std::string> steps;
  } rows[] = {
      {{0.9f, 0.1f},
       {"foot point (0.9, 0.1) of the pointer raised to height 10: in no triangle of the fan: the outline decides",
        "edge from corner 1 to corner 2: t = 0.6, so the point (-0.5, 0.1), squared distance 101.96: nearest so far",
        "edge from corner 2 to corner 3: t = 1.4, so corner 3, squared distance 100.32: nearest so far",
        "edge from corner 3 to corner 4: t = 0.4, so the point (0.5, 0.1), squared distance 100.16: nearest so far",
        "edge from corner 4 to corner 1: t = -0.4, so corner 4, squared distance 100.52",
        "closest point (0.5, 0.1), on the edge from corner 3 to corner 4"}},
      {{0.9f, 0.9f},
       {"foot point (0.9, 0.9) of the pointer raised to height 10: in no triangle of the fan: the outline decides",
        "edge from corner 1 to corner 2: t = 1.4, so corner 2, squared distance 102.12: nearest so far",
        "edge from corner 2 to corner 3: t = 1.4, so corner 3, squared distance 100.32: nearest so far",
        "edge from corner 3 to corner 4: t = -0.4, so corner 3, squared distance 100.32",
        "edge from corner 4 to corner 1: t = -0.4, so corner 4, squared distance 102.12",
        "closest point (0.5, 0.5): corner 3"}},
      {{0.2f, 0.3f},
       {"foot point (0.2, 0.3) of the pointer raised to height 10: in triangle corner 1, corner 2, corner 3 of the "
        "fan: it is the closest point",
        "closest point (0.2, 0.3): the foot point"}},
  };
  for (const auto& row : rows) {
    program.hoverAt(row.cursor);
    const std::size_t last = row.steps.size() - 1;
    const rig::Frame frame = program.displayExplained(static_cast<int>(last));
    EXPECT_EQ(program.stepTexts(), row.steps);
    // The last step draws its mark over the designed figure and gives the colour and sizes back.
    EXPECT_GT(frame.primitives.size(), 3u);
    EXPECT_EQ(rig::window().pointSize, 8);
  }
}

// The map against the explanation's last step, which names the feature holding the closest point,
// and against closestPoint for the distance, at sampled pixels: on the square as it starts, with a
// corner pulled across the opposite edge (crossed), then with a corner dropped on its neighbour too.
TEST_F(ClosestPointProgram, MapClassesEachPixelAsTheExplanationNamesItsClosestPoint) {
  const struct {
    const char* figure;
    geometry::Vector2 from, to;
  } rows[] = {
      {"as it starts", {0, 0}, {0, 0}},
      {"crossed", {0.5f, 0.5f}, {0.5f, -0.9f}},
      {"a corner on its neighbour", {-0.5f, 0.5f}, {-0.5f, -0.5f}},
  };
  viewer::MapClasses map;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.figure);
    program.dragFromToAt(row.from, row.to);
    ASSERT_EQ(viewer::activeCallbacks.map, closest_point::map);
    closest_point::map(map);
    ASSERT_EQ(map.distance.size(), 640u * 480u);
    for (const rig::Pixel& pixel : rig::mapPixels()) {
      program.hover(pixel.x, pixel.y);
      program.displayExplained();
      // "closest point (x, y): the foot point", "...: corner 3" or "..., on the edge from corner 3 to corner 4"
      const std::string last = program.stepTexts().back();
      const std::size_t after = last.find(')') + 1;
      const std::string feature = last.substr(after + (last.compare(after, 5, ", on ") == 0 ? 5 : 2));
      const std::size_t i = static_cast<std::size_t>(pixel.y) * 640 + pixel.x;
      EXPECT_EQ(map.names[map.classOf[i]], feature) << pixel.x << ", " << pixel.y;
      const geometry::Vector2 p = viewer::cursor;
      const Vector3 c = closest_point::polygon.closestPoint({p.x, p.y, closest_point::queryHeight});
      EXPECT_EQ(map.distance[i], (geometry::Vector2{p.x - c.x, p.y - c.y}.length())) << pixel.x << ", " << pixel.y;
    }
  }
}

TEST_F(ClosestPointProgram, MapAtTheStartHasTheFootInsideAndEachCornerAndEdgeBeyond) {
  viewer::MapClasses map;
  closest_point::map(map);
  const std::vector<std::string> names{"the foot point",
                                       "corner 1",
                                       "corner 2",
                                       "corner 3",
                                       "corner 4",
                                       "the edge from corner 1 to corner 2",
                                       "the edge from corner 2 to corner 3",
                                       "the edge from corner 3 to corner 4",
                                       "the edge from corner 4 to corner 1"};
  EXPECT_EQ(map.names, names);
  EXPECT_EQ(map.counts, (std::vector<std::size_t>{77361, 19319, 19480, 19359, 19199, 38240, 38280, 38001, 37961}));
}

}  // namespace
