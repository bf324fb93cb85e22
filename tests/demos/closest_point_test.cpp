// The closest_point program, driven through its registered callbacks.
#include "closest_point.h"

#include <GL/glut.h>
#include <gtest/gtest.h>

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

}  // namespace
