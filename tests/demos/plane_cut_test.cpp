// The plane_cut program, driven through its registered callbacks.
#include "plane_cut.h"

#include <GL/glut.h>
#include <gtest/gtest.h>

#include "rig.h"
#include "shapes.h"

namespace {

using namespace geometry;
using namespace plane_cut;
using shapes::near;
using shapes::positions;

const Vector3 c0{-0.5f, -0.5f, 0}, c1{-0.5f, 0.5f, 0}, c2{0.5f, 0.5f, 0}, c3{0.5f, -0.5f, 0};
const Vector3 x1{-1 / 3.f, -0.5f, 0}, x2{1 / 3.f, 0.5f, 0};

class PlaneCutProgram : public ::testing::Test {
 protected:
  PlaneCutProgram() : program(plane_cut::run) { program.reshape(640, 480); }

  rig::Program program;
};

TEST_F(PlaneCutProgram, StartsWithTheFrontQuadrilateralInBlue) {
  EXPECT_TRUE(near(positions(cutPolygon), {x1, c0, c1, x2}));
  EXPECT_EQ(vertexStore.size(), 8u);
  const rig::Frame frame = program.display();
  ASSERT_EQ(frame.labelTexts(),
            (std::vector<std::string>{"convex", "cut convex", "cut has 4 vertices", "cut is not tiny"}));
  EXPECT_EQ(frame.labels[3].y, 0.8f);
  EXPECT_EQ(frame.labels[3].color, rig::white);

  // Square (in the white the reshape left), red corners, line and band, the cut's points and outline, handles.
  const std::vector<rig::Primitive>& p = frame.primitives;
  ASSERT_EQ(p.size(), 6u);
  const struct {
    GLenum mode;
    rig::Color color;
    float size;  // point size or line width
  } drawn[] = {{GL_POLYGON, rig::white, 4}, {GL_POINTS, rig::red, 16},     {GL_LINES, rig::white, 1.5f},
               {GL_POINTS, rig::blue, 8},   {GL_POLYGON, rig::blue, 1.5f}, {GL_POINTS, rig::green, 8}};
  for (std::size_t i = 0; i < p.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(p[i].mode, drawn[i].mode);
    EXPECT_EQ(p[i].vertices[0].color, drawn[i].color);
    EXPECT_EQ(drawn[i].mode == GL_POINTS ? p[i].pointSize : p[i].lineWidth, drawn[i].size);
  }
  EXPECT_EQ(p[0].positions(), (std::vector<Vector3>{c0, c1, c2, c3}));
  EXPECT_EQ(p[2].vertices[2].color, rig::grey);
  EXPECT_TRUE(near(p[3].positions(), {x1, c0, c1, x2}));
  EXPECT_TRUE(near(p[4].positions(), {x1, c0, c1, x2}));
  EXPECT_EQ(p[5].positions(), (std::vector<Vector3>{{0.2f, 0.3f, 0}, {-0.2f, -0.3f, 0}}));
}

TEST_F(PlaneCutProgram, TheLineDecidesWhatIsKept) {
  // Each row moves handleB, then handleA; the front is on the left looking from handleB to handleA.
  struct Row {
    const char* name;
    Vector2 b, a;
    std::vector<Vector3> cut;
  } rows[] = {
      {"whole square in front", {0.9f, -0.75f}, {0.9f, 0.75f}, {c0, c1, c2, c3}},
      {"whole square behind", {-0.9f, -0.75f}, {-0.9f, 0.75f}, {}},
      {"along the diagonal", {-0.7f, -0.7f}, {0.7f, 0.7f}, {c0, c1, c2}},
      {"handles on top of each other", {-0.7f, -0.7f}, {-0.7f, -0.7f}, {c0, c1, c2, c3}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    program.dragFromToAt({handleB.position.x, handleB.position.y}, row.b);
    const std::size_t storeBefore = vertexStore.size();
    program.dragFromToAt({handleA.position.x, handleA.position.y}, row.a);
    EXPECT_EQ(vertexStore.size(), storeBefore) << "no edge crosses the line with both ends beyond 0.05";
    EXPECT_TRUE(near(positions(cutPolygon), row.cut));
    const std::string count = "cut has " + std::to_string(row.cut.size()) + " vertices";
    const char* tiny = row.cut.empty() ? "cut is tiny" : "cut is not tiny";
    EXPECT_EQ(program.display().labelTexts(), (std::vector<std::string>{"convex", "cut convex", count, tiny}));
  }
}

TEST_F(PlaneCutProgram, WithNothingSelectedADragNeitherMovesNorRedraws) {
  // A left click on empty space, or a middle or right click after picking handleA.
  for (int button : {GLUT_LEFT_BUTTON, GLUT_MIDDLE_BUTTON, GLUT_RIGHT_BUTTON}) {
    SCOPED_TRACE(button);
    program.clickAt(GLUT_LEFT_BUTTON, {0.2f, 0.3f});
    program.clickAt(button, {0.9f, -0.9f});
    program.dragAt({0.9f, 0.9f});
    EXPECT_EQ(handleA.position, (Vector3{0.2f, 0.3f, 0}));
    EXPECT_EQ(vertexStore.size(), 8u);
  }
  EXPECT_EQ(rig::window().redisplayRequests, 0);
}

TEST_F(PlaneCutProgram, OldCrossingsInTheStoreAreNeverPicked) {
  // handleA onto the top edge at pixel (427, 120); one pixel to its left the start-up
  // crossing (1/3, 0.5), still in the store, is nearer than handleA.
  program.dragFromTo(384, 168, 427, 120);
  program.click(GLUT_LEFT_BUTTON, 426, 120);
  program.drag(427, 60);
  EXPECT_TRUE(near(handleA.position, {0.334375f, 0.75f, 0}));
  EXPECT_TRUE(near(vertexStore.begin()[7]->position, x2));
}

TEST_F(PlaneCutProgram, ExplainsTheCutAtStartUpAndWithCornersOnTheLine) {
  const struct {
    const char* name;
    Vector2 b, a;  // handleB, then handleA, dragged there first
    std::vector<std::string> steps;
  } rows[] = {
      {"start-up",
       {-0.2f, -0.3f},
       {0.2f, 0.3f},
       {"corner 1: distance 0.1387: inside", "corner 2: distance 0.6934: inside", "corner 3: distance -0.1387: outside",
        "corner 4: distance -0.6934: outside",
        "edge from corner 4 to corner 1, outside to inside: new point X1 at (-0.3333, -0.5) (t = 0.1667), then "
        "corner 1 kept",
        "edge from corner 1 to corner 2, inside to inside: corner 2 kept",
        "edge from corner 2 to corner 3, inside to outside: new point X2 at (0.3333, 0.5) (t = 0.1667) in place of "
        "corner 3",
        "edge from corner 3 to corner 4, outside to outside: corner 4 dropped", "the cut: X1, corner 1, corner 2, X2"}},
      {"along the diagonal",
       {-0.7f, -0.7f},
       {0.7f, 0.7f},
       {"corner 1: distance 0: inside", "corner 2: distance 0.7071: inside", "corner 3: distance 0: inside",
        "corner 4: distance -0.7071: outside",
        "edge from corner 4 to corner 1, outside to inside: the crossing falls in the band (t = 0): corner 1 kept",
        "edge from corner 1 to corner 2, inside to inside: corner 2 kept",
        "edge from corner 2 to corner 3, inside to inside: corner 3 kept",
        "edge from corner 3 to corner 4, inside to outside: the crossing falls in the band (t = 1): corner 4 dropped",
        "the cut: corner 1, corner 2, corner 3"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    program.dragFromToAt({handleB.position.x, handleB.position.y}, row.b);
    program.dragFromToAt({handleA.position.x, handleA.position.y}, row.a);
    const std::size_t stored = vertexStore.size();
    const rig::Frame frame = program.displayExplained(static_cast<int>(row.steps.size()) - 1);
    EXPECT_EQ(program.stepTexts(), row.steps);
    EXPECT_EQ(vertexStore.size(), stored) << "explaining registers nothing in the program's store";
    // The last step outlines the program's own cut.
    EXPECT_EQ(frame.ofMode(GL_LINE_LOOP).back().positions(), positions(cutPolygon));
  }
}

// The explanation reads the cut that the drag made: explained frames make no vertex record
// anywhere, also on a crossed square, whose cut makes the most.
TEST_F(PlaneCutProgram, ExplainedFramesMakeNoVertexRecords) {
  // A bow tie, cut by a level line through both of its lobes.
  program.dragFromToAt({0.5f, 0.5f}, {0.5f, -0.4f});
  program.dragFromToAt({0.5f, -0.5f}, {0.5f, 0.4f});
  program.dragFromToAt({0.2f, 0.3f}, {0.9f, 0.1f});
  program.dragFromToAt({-0.2f, -0.3f}, {-0.9f, 0.1f});
  const std::size_t records = VertexRef::recordsMade(), stored = vertexStore.size();
  for (int frame = 0; frame < 1000; ++frame) program.displayExplained(frame % 13);
  EXPECT_EQ(VertexRef::recordsMade(), records);
  EXPECT_EQ(vertexStore.size(), stored);
  const std::vector<std::string> steps = program.stepTexts();
  EXPECT_EQ(
      std::count_if(steps.begin(), steps.end(), [](const std::string& s) { return s.find("new point") != s.npos; }), 4);
}

}  // namespace
