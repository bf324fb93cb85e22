// The poly_overlap program, driven through its registered callbacks.
#include "poly_overlap.h"

#include <GL/glut.h>
#include <gtest/gtest.h>

#include "rig.h"
#include "shapes.h"

namespace {

using namespace geometry;
using poly_overlap::centreA;
using poly_overlap::centreB;
using poly_overlap::polyA;
using poly_overlap::polyB;
using poly_overlap::vertexStore;
using shapes::near;
using shapes::positions;

const std::vector<Vector3> startA = {{-0.75f, -0.5f, 0}, {-0.75f, 0.5f, 0}, {0.25f, 0.5f, 0}, {0.25f, -0.5f, 0}};
const std::vector<Vector3> startB = {{-0.25f, -0.25f, 0}, {-0.25f, 0.25f, 0}, {0.75f, 0.25f, 0}, {0.75f, -0.25f, 0}};

class PolyOverlapProgram : public ::testing::Test {
 protected:
  PolyOverlapProgram() : program(poly_overlap::run) { program.reshape(640, 480); }

  /// The warning line and the overlap line, checked for place and colour.
  std::pair<std::string, std::string> labels() {
    const rig::Frame frame = program.display();
    EXPECT_EQ(frame.labels.size(), 2u);
    if (frame.labels.size() != 2) return {};
    const rig::Label &warning = frame.labels[0], &overlap = frame.labels[1];
    EXPECT_TRUE(warning.x == -1 && warning.y == 0.95f && warning.color == rig::red);
    EXPECT_TRUE(overlap.x == -1 && overlap.y == 0.9f && overlap.color == rig::white);
    return {warning.text, overlap.text};
  }

  rig::Program program;
};

TEST_F(PolyOverlapProgram, StartsWithTwoOverlappingRectanglesAndTheirHandles) {
  ASSERT_EQ(vertexStore.size(), 10u);
  EXPECT_EQ(vertexStore.begin()[8], centreA);
  EXPECT_EQ(vertexStore.begin()[9], centreB);

  const rig::Frame frame = program.display();
  const std::vector<rig::Primitive>& p = frame.primitives;
  ASSERT_EQ(p.size(), 4u);
  struct Row {
    const char* name;
    const rig::Primitive& drawn;
    GLenum mode;
    rig::Color color;
    std::vector<Vector3> points;
  } rows[] = {
      {"outline A", p[0], GL_POLYGON, rig::white, startA},
      {"outline B", p[1], GL_POLYGON, rig::white, startB},
      {"corners",
       p[2],
       GL_POINTS,
       rig::red,
       {startA[0], startA[1], startA[2], startA[3], startB[0], startB[1], startB[2], startB[3]}},
      {"handles", p[3], GL_POINTS, rig::green, {{-0.25f, 0, 0}, {0.25f, 0, 0}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.drawn.mode, row.mode);
    EXPECT_EQ(row.drawn.positions(), row.points);
    EXPECT_EQ(row.drawn.vertices.back().color, row.color);
    EXPECT_EQ(row.drawn.pointSize, 8);
    EXPECT_TRUE(row.drawn.blend);
  }
  EXPECT_EQ(labels(), std::make_pair(std::string(), std::string("overlap")));
  EXPECT_FALSE(rig::window().blend) << "labels are not blended";
}

TEST_F(PolyOverlapProgram, HandleCarriesItsPolygonAlong) {
  program.dragFromToAt({0.25f, 0}, {0.8f, 0});
  std::vector<Vector3> movedB;
  for (const Vector3& c : startB) movedB.push_back(c + Vector3{0.55f, 0, 0});
  EXPECT_TRUE(near(positions(polyB), movedB));
  EXPECT_TRUE(near(centreB->position, {0.8f, 0, 0}));
  EXPECT_EQ(positions(polyA), startA);
  EXPECT_EQ(labels().second, "do not overlap") << "a gap of 0.05";
}

TEST_F(PolyOverlapProgram, NonConvexPolygonIsWarnedAboutAndStillTested) {
  program.dragFromToAt({0.25f, 0.5f}, {-0.5f, -0.25f});
  EXPECT_TRUE(near(polyA.at(2)->position, {-0.5f, -0.25f, 0}));
  EXPECT_TRUE(near(centreA->position, {-0.4375f, -0.1875f, 0})) << "the average of the four corners";
  EXPECT_EQ(centreB->position, (Vector3{0.25f, 0, 0}));
  // The shapes no longer meet, but no axis of the reflex polygon separates them.
  EXPECT_EQ(labels(), std::make_pair(std::string("one of polys is non-convex!"), std::string("overlap")));
  EXPECT_EQ(positions(polyB), startB);
}

TEST_F(PolyOverlapProgram, CornerWinsOverAHandleAtEqualDistance) {
  // polyB's corner (-0.25, 0.25) moved to 10 pixels above centreA, then a click halfway between them.
  program.dragFromTo(240, 180, 240, 230);
  program.click(GLUT_LEFT_BUTTON, 240, 235);
  program.dragAt({-0.25f, 0.5f});
  EXPECT_TRUE(near(polyB.at(1)->position, {-0.25f, 0.5f, 0}));
  EXPECT_EQ(positions(polyA), startA);
  EXPECT_EQ(centreA->position, (Vector3{-0.25f, 0, 0}));
}

TEST_F(PolyOverlapProgram, DragWithNothingPickedRequestsNoRedisplay) {
  program.clickAt(GLUT_LEFT_BUTTON, {0.25f, 0.06f});  // 0.06 from centreB
  program.dragAt({0.5f, 0.5f});
  EXPECT_EQ(rig::window().redisplayRequests, 0);
  EXPECT_EQ(positions(polyB), startB);
  EXPECT_EQ(centreB->position, (Vector3{0.25f, 0, 0}));
}

}  // namespace
