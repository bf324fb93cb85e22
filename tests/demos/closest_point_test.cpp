// The closest_point program, driven through its registered callbacks.
#include "closest_point.h"

#include <GL/glut.h>
#include <gtest/gtest.h>

#include "rig.h"
#include "shapes.h"

namespace {

using namespace geometry;
using closest_point::polygon;
using shapes::near;

const Vector3 c0{-0.5f, -0.5f, 0}, c1{-0.5f, 0.5f, 0}, c2{0.5f, 0.5f, 0}, c3{0.5f, -0.5f, 0};

class ClosestPointProgram : public ::testing::Test {
 protected:
  ClosestPointProgram() : program(closest_point::run) { program.reshape(640, 480); }

  /// Where the next frame draws the green dot.
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
  const std::vector<rig::Primitive>& p = frame.primitives;
  ASSERT_EQ(p.size(), 3u);
  EXPECT_EQ(p[0].mode, unsigned(GL_POLYGON));
  EXPECT_EQ(p[0].positions(), (std::vector<Vector3>{c0, c1, c2, c3}));
  EXPECT_EQ(p[0].vertices[0].color, rig::white);
  EXPECT_EQ(p[1].mode, unsigned(GL_POINTS));
  EXPECT_EQ(p[1].positions(), (std::vector<Vector3>{c0, c1, c2, c3}));
  EXPECT_EQ(p[1].vertices[0].color, rig::red);
  EXPECT_EQ(p[2].mode, unsigned(GL_POINTS));
  EXPECT_EQ(p[2].positions(), (std::vector<Vector3>{{0, 0, 0}}));
  EXPECT_EQ(p[2].vertices[0].color, rig::green);
  for (const rig::Primitive& each : p) {
    EXPECT_TRUE(each.blend) << "shapes are blended";
    EXPECT_EQ(each.pointSize, 8);
  }

  ASSERT_EQ(frame.labels.size(), 1u);
  EXPECT_EQ(frame.labels[0].text, "convex");
  EXPECT_EQ(frame.labels[0].x, -1);
  EXPECT_EQ(frame.labels[0].y, 0.95f);
  EXPECT_EQ(frame.labels[0].color, rig::white);
  EXPECT_FALSE(rig::window().blend) << "the label is not";
  EXPECT_EQ(frame.swaps, 1);
}

TEST_F(ClosestPointProgram, DotFollowsTheCursorInsideAndTheOutlineOutside) {
  ASSERT_TRUE(program.hasPassiveMotion());
  const struct {
    const char* name;
    Vector2 cursor;
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
  // The edge between the two corners has no length; the dot lands on the diagonal edge.
  program.dragFromToAt({-0.5f, 0.5f}, {-0.5f, -0.5f});
  ASSERT_EQ(polygon.at(1)->position, c0);
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
