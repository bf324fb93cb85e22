// The plane_split program, driven through its registered callbacks.
#include "plane_split.h"

#include <GL/glut.h>
#include <gtest/gtest.h>
#include <viewer/viewer.h>

#include <algorithm>

#include "rig.h"
#include "shapes.h"

namespace {

using namespace geometry;
using plane_split::handleA;
using plane_split::handleB;
using plane_split::inputPolygon;
using plane_split::magentaPiece;
using plane_split::vertexStore;
using plane_split::violetPiece;
using shapes::near;
using shapes::positions;

const Vector3 c0{-0.5f, -0.5f, 0}, c1{-0.5f, 0.5f, 0}, c2{0.5f, 0.5f, 0}, c3{0.5f, -0.5f, 0};
const Vector3 x1{-1 / 3.f, -0.5f, 0}, x2{1 / 3.f, 0.5f, 0};

class PlaneSplitProgram : public ::testing::Test {
 protected:
  PlaneSplitProgram() : program(plane_split::run) { program.reshape(640, 480); }

  std::vector<std::string> labels() { return program.display().labelTexts(); }

  rig::Program program;
};

TEST_F(PlaneSplitProgram, StartsWithTwoQuadrilateralsAndSevenLabels) {
  EXPECT_TRUE(near(positions(magentaPiece), {x1, c0, c1, x2}));
  EXPECT_TRUE(near(positions(violetPiece), {x1, x2, c2, c3}));
  EXPECT_EQ(vertexStore.size(), 8u);
  EXPECT_EQ(vertexStore.begin()[4], &handleA) << "the handles themselves are registered";
  EXPECT_EQ(vertexStore.begin()[5], &handleB);

  const rig::Frame frame = program.display();
  const std::vector<std::string> expected = {"convex",
                                             "magenta convex",
                                             "violet convex",
                                             "magenta has 4 vertices",
                                             "violet has 4 vertices",
                                             "magenta is not tiny",
                                             "violet is not tiny"};
  ASSERT_EQ(frame.labelTexts(), expected);
  const float rows[] = {0.95f, 0.9f, 0.85f, 0.8f, 0.75f, 0.7f, 0.65f};
  for (std::size_t i = 0; i < frame.labels.size(); ++i) {
    SCOPED_TRACE(frame.labels[i].text);
    EXPECT_EQ(frame.labels[i].x, -1);
    EXPECT_EQ(frame.labels[i].y, rows[i]);
    EXPECT_EQ(frame.labels[i].color, rig::white);
  }
  EXPECT_EQ(frame.swaps, 1);
}

TEST_F(PlaneSplitProgram, DrawsSquareLinePiecesAndHandlesInOrder) {
  const rig::Frame frame = program.display();
  const std::vector<rig::Primitive>& p = frame.primitives;
  ASSERT_EQ(p.size(), 8u);

  EXPECT_EQ(p[0].mode, unsigned(GL_POLYGON));
  EXPECT_EQ(p[0].lineWidth, 4);
  EXPECT_EQ(p[0].positions(), (std::vector<Vector3>{c0, c1, c2, c3}));
  EXPECT_EQ(p[0].vertices[0].color, rig::white);

  // Corners in red, then the first again in orange and the second in yellow.
  EXPECT_EQ(p[1].mode, unsigned(GL_POINTS));
  EXPECT_EQ(p[1].pointSize, 16);
  EXPECT_EQ(p[1].positions(), (std::vector<Vector3>{c0, c1, c2, c3, c0, c1}));
  EXPECT_EQ(p[1].vertices[3].color, rig::red);
  EXPECT_EQ(p[1].vertices[4].color, rig::orange);
  EXPECT_EQ(p[1].vertices[5].color, rig::yellow);

  // The line through the handles, 5 units either way from handleA, and its band 0.05 to either side.
  EXPECT_EQ(p[2].mode, unsigned(GL_LINES));
  EXPECT_EQ(p[2].lineWidth, 1.5f);
  const Vector3 dir{-0.5547002f, -0.8320503f, 0}, band{-0.8320503f * 0.05f, 0.5547002f * 0.05f, 0};
  const Vector3 s = Vector3{0.2f, 0.3f, 0} - dir * 5, e = s + dir * 10;
  EXPECT_TRUE(near(p[2].positions(), {s, e, s + band, e + band, s - band, e - band}, 1e-5f));
  EXPECT_EQ(p[2].vertices[1].color, rig::white);
  EXPECT_EQ(p[2].vertices[2].color, rig::grey);
  EXPECT_EQ(p[2].vertices[5].color, rig::grey);

  struct Piece {
    const char* name;
    const rig::Primitive &points, &outline;
    rig::Color color;
    float pointSize;
    std::vector<Vector3> corners;
  } pieces[] = {{"magenta", p[3], p[4], rig::cyan, 12, {x1, c0, c1, x2}},
                {"violet", p[5], p[6], rig::magenta, 8, {x1, x2, c2, c3}}};
  for (const Piece& piece : pieces) {
    SCOPED_TRACE(piece.name);
    EXPECT_EQ(piece.points.mode, unsigned(GL_POINTS));
    EXPECT_EQ(piece.points.pointSize, piece.pointSize);
    EXPECT_TRUE(near(piece.points.positions(), piece.corners));
    EXPECT_EQ(piece.outline.mode, unsigned(GL_POLYGON));
    EXPECT_EQ(piece.outline.lineWidth, 1.5f);
    EXPECT_TRUE(near(piece.outline.positions(), piece.corners));
    EXPECT_EQ(piece.outline.vertices[0].color, piece.color);
  }

  EXPECT_EQ(p[7].mode, unsigned(GL_POINTS));
  EXPECT_EQ(p[7].positions(), (std::vector<Vector3>{{0.2f, 0.3f, 0}, {-0.2f, -0.3f, 0}}));
  EXPECT_EQ(p[7].vertices[0].color, rig::green);
  EXPECT_EQ(p[7].pointSize, 8);
  for (const rig::Primitive& each : p) EXPECT_TRUE(each.blend) << "shapes are blended";
  EXPECT_FALSE(rig::window().blend) << "labels are not";
}

TEST_F(PlaneSplitProgram, HandleOntoHandleLeavesTheWholeSquareMagenta) {
  program.dragFromToAt({0.2f, 0.3f}, {-0.2f, -0.3f});
  ASSERT_EQ(handleA.position, handleB.position);
  EXPECT_EQ(positions(magentaPiece), (std::vector<Vector3>{c0, c1, c2, c3}));
  const rig::Frame frame = program.display();
  EXPECT_EQ(frame.labelTexts(),
            (std::vector<std::string>{"convex", "magenta convex", "violet convex", "magenta has 4 vertices",
                                      "violet has 0 vertices", "magenta is not tiny", "violet is tiny"}));
  for (const Vector3& v : frame.primitives[2].positions()) EXPECT_TRUE(near(v, {-0.2f, -0.3f, 0}));
}

TEST_F(PlaneSplitProgram, LinePastTheSquareGivesItToOneSide) {
  // Looking from handleB up to handleA, the front (magenta) side is on the left, the west.
  program.dragFromToAt({0.2f, 0.3f}, {0.9f, 0.75f});
  program.dragFromToAt({-0.2f, -0.3f}, {0.9f, -0.75f});
  EXPECT_EQ(positions(magentaPiece), (std::vector<Vector3>{c0, c1, c2, c3}));
  EXPECT_EQ(violetPiece.size(), 0u);

  program.dragFromToAt({0.9f, 0.75f}, {-0.9f, 0.75f});
  program.dragFromToAt({0.9f, -0.75f}, {-0.9f, -0.75f});
  EXPECT_EQ(magentaPiece.size(), 0u);
  EXPECT_EQ(positions(violetPiece), (std::vector<Vector3>{c0, c1, c2, c3}));
  const std::vector<std::string> l = labels();
  EXPECT_EQ(l[3], "magenta has 0 vertices");
  EXPECT_EQ(l[4], "violet has 4 vertices");
  EXPECT_EQ(l[5], "magenta is tiny");
}

TEST_F(PlaneSplitProgram, CornersWithinTheBandBelongToBothPiecesUnchanged) {
  // A line 0.025 above the diagonal from c0 to c2: both of those corners are within 0.05 of it.
  program.dragFromToAt({0.2f, 0.3f}, {0.7f, 0.725f});
  program.dragFromToAt({-0.2f, -0.3f}, {-0.7f, -0.675f});
  EXPECT_EQ(positions(magentaPiece), (std::vector<Vector3>{c0, c1, c2}));
  EXPECT_EQ(positions(violetPiece), (std::vector<Vector3>{c0, c2, c3}));
  EXPECT_EQ(magentaPiece.at(0).vertex, inputPolygon.at(0).vertex);
  EXPECT_EQ(violetPiece.at(1).vertex, inputPolygon.at(2).vertex);
}

TEST_F(PlaneSplitProgram, OnlyCornersAndHandlesArePickedStrictlyWithinTheRadius) {
  // (-0.35, 0.5) is exactly 0.15 from the corner c1: not picked; one pixel nearer it is.
  program.click(GLUT_LEFT_BUTTON, 208, 120);
  program.drag(200, 100);
  EXPECT_EQ(inputPolygon.at(1)->position, c1);
  EXPECT_EQ(rig::window().redisplayRequests, 1) << "a drag with nothing selected still redraws";
  program.click(GLUT_LEFT_BUTTON, 207, 120);
  program.dragAt({-0.6f, 0.6f});
  EXPECT_TRUE(near(inputPolygon.at(1)->position, {-0.6f, 0.6f, 0}));

  // Intersection vertices in the store are never picked.
  const Vertex* crossing = vertexStore.begin()[6];
  const Vector3 before = crossing->position;
  program.clickAt(GLUT_LEFT_BUTTON, {before.x, before.y});
  program.dragAt({0, 0.9f});
  EXPECT_EQ(crossing->position, before);
}

TEST_F(PlaneSplitProgram, EqualDistanceGoesToTheCornerBeforeTheHandle) {
  program.dragFromToAt({0.2f, 0.3f}, {0.5f, 0.25f});
  program.clickAt(GLUT_LEFT_BUTTON, {0.5f, 0.375f});  // 0.125 from c2 and from handleA
  program.dragAt({0.75f, 0.75f});
  EXPECT_TRUE(near(inputPolygon.at(2)->position, {0.75f, 0.75f, 0}));
  EXPECT_TRUE(near(handleA.position, {0.5f, 0.25f, 0}));
}

TEST_F(PlaneSplitProgram, MiddleOrRightButtonDropsTheSelection) {
  for (int button : {GLUT_MIDDLE_BUTTON, GLUT_RIGHT_BUTTON}) {
    SCOPED_TRACE(button);
    program.clickAt(GLUT_LEFT_BUTTON, {0.2f, 0.3f});
    program.click(button, 0, 0);
    program.dragAt({0.9f, 0.9f});
    EXPECT_TRUE(near(handleA.position, {0.2f, 0.3f, 0}));
  }
  EXPECT_EQ(rig::window().redisplayRequests, 2) << "button events alone request no redisplay";
}

TEST_F(PlaneSplitProgram, EveryDragStepRecordsTheNewCrossingsInTheStore) {
  program.press(GLUT_LEFT_BUTTON, 384, 168);  // handleA
  EXPECT_EQ(vertexStore.size(), 8u) << "picking alone splits nothing";
  program.dragAt({0.15f, 0.3f});
  EXPECT_EQ(vertexStore.size(), 10u);
  program.dragAt({0.1f, 0.3f});
  EXPECT_EQ(vertexStore.size(), 12u);
  for (const Vertex* newest : {vertexStore.begin()[10], vertexStore.begin()[11]}) {
    auto links = [&](const Polygon& piece) {
      return std::any_of(piece.begin(), piece.end(), [&](const VertexRef& r) { return r.vertex == newest; });
    };
    EXPECT_TRUE(links(magentaPiece) && links(violetPiece)) << "both pieces use the newest crossings";
  }
}

TEST_F(PlaneSplitProgram, RestoringAStateRedoesItsSplit) {
  // handleA and handleB cut off the corner c2: a triangle in front, five corners behind.
  program.dragFromToAt({0.2f, 0.3f}, {0.5f, 0.2f});
  program.dragFromToAt({-0.2f, -0.3f}, {0.2f, 0.5f});
  const viewer::ViewerState saved = viewer::readState();
  const rig::Frame before = program.display();
  ASSERT_EQ(before.labelTexts()[3], "magenta has 3 vertices");

  program.dragFromToAt({0.2f, 0.5f}, {-0.8f, -0.8f});
  program.dragFromToAt({-0.5f, 0.5f}, {-0.6f, 0.3f});
  ASSERT_NE(program.display().labelTexts(), before.labelTexts());
  ASSERT_TRUE(viewer::setState(saved));
  const rig::Frame after = program.display();
  EXPECT_EQ(after.labelTexts(), before.labelTexts());
  ASSERT_EQ(after.primitives.size(), before.primitives.size());
  for (std::size_t i = 0; i < after.primitives.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(after.primitives[i].mode, before.primitives[i].mode);
    EXPECT_EQ(after.primitives[i].positions(), before.primitives[i].positions()) << "bit for bit";
  }
}

TEST_F(PlaneSplitProgram, ExplainsTheSplitAtStartUpAndWithCornersOnTheLine) {
  const struct {
    const char* name;
    Vector2 b, a;  // handleB, then handleA, dragged there first
    std::vector<std::string> steps;
  } rows[] = {
      {"start-up",
       {-0.2f, -0.3f},
       {0.2f, 0.3f},
       {"corner 1: distance 0.1387: front", "corner 2: distance 0.6934: front", "corner 3: distance -0.1387: back",
        "corner 4: distance -0.6934: back",
        "the edge from corner 4 to corner 1 crosses the line at t = 0.1667: new point X1 at (-0.3333, -0.5)",
        "the edge from corner 2 to corner 3 crosses the line at t = 0.1667: new point X2 at (0.3333, 0.5)",
        "magenta: X1, corner 1, corner 2, X2", "violet: X1, X2, corner 3, corner 4"}},
      {"along the diagonal",
       {-0.7f, -0.7f},
       {0.7f, 0.7f},
       {"corner 1: distance 0: on the line", "corner 2: distance 0.7071: front", "corner 3: distance 0: on the line",
        "corner 4: distance -0.7071: back", "magenta: corner 1, corner 2, corner 3",
        "violet: corner 1, corner 3, corner 4"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    program.dragFromToAt({handleB.position.x, handleB.position.y}, row.b);
    program.dragFromToAt({handleA.position.x, handleA.position.y}, row.a);
    const std::size_t stored = vertexStore.size();
    const rig::Frame frame = program.displayExplained(static_cast<int>(row.steps.size()) - 2);
    EXPECT_EQ(program.stepTexts(), row.steps);
    EXPECT_EQ(vertexStore.size(), stored) << "explaining registers nothing in the program's store";
    // The magenta step outlines the program's own magenta piece.
    EXPECT_EQ(frame.ofMode(GL_LINE_LOOP).back().positions(), positions(magentaPiece));
  }
}

// The explanation reads the split that the drag made: explained frames make no vertex record
// anywhere, also on a crossed square, whose split makes the most.
TEST_F(PlaneSplitProgram, ExplainedFramesMakeNoVertexRecords) {
  // A bow tie, cut by a level line through both of its lobes.
  program.dragFromToAt({0.5f, 0.5f}, {0.5f, -0.4f});
  program.dragFromToAt({0.5f, -0.5f}, {0.5f, 0.4f});
  program.dragFromToAt({0.2f, 0.3f}, {0.9f, 0.1f});
  program.dragFromToAt({-0.2f, -0.3f}, {-0.9f, 0.1f});
  const std::size_t records = VertexRef::recordsMade(), stored = vertexStore.size();
  for (int frame = 0; frame < 1000; ++frame) program.displayExplained(frame % 12);
  EXPECT_EQ(VertexRef::recordsMade(), records);
  EXPECT_EQ(vertexStore.size(), stored);
  const std::vector<std::string> steps = program.stepTexts();
  EXPECT_EQ(
      std::count_if(steps.begin(), steps.end(), [](const std::string& s) { return s.find("new point") != s.npos; }), 4);
}

}  // namespace
