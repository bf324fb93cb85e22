// The poly_overlap program, driven through its registered callbacks.
#include "poly_overlap.h"

#include <GL/glut.h>
#include <gtest/gtest.h>
#include <viewer/map.h>
#include <viewer/viewer.h>

#include <algorithm>

#include "rig.h"
#include "shapes.h"

namespace {

using namespace geometry;
using namespace poly_overlap;
using shapes::near;
using shapes::positions;
using Labels = std::vector<std::string>;

const std::vector<Vector3> startA = {{-0.75f, -0.5f, 0}, {-0.75f, 0.5f, 0}, {0.25f, 0.5f, 0}, {0.25f, -0.5f, 0}};
const std::vector<Vector3> startB = {{-0.25f, -0.25f, 0}, {-0.25f, 0.25f, 0}, {0.75f, 0.25f, 0}, {0.75f, -0.25f, 0}};
const Vector3 handleA{-0.25f, 0, 0}, handleB{0.25f, 0, 0};

class PolyOverlapProgram : public ::testing::Test {
 protected:
  PolyOverlapProgram() : program(poly_overlap::run) { program.reshape(640, 480); }

  rig::Program program;
};

TEST_F(PolyOverlapProgram, StartsWithTwoOverlappingRectanglesAndTheirHandles) {
  ASSERT_EQ(vertexStore.size(), 10u);
  EXPECT_TRUE(vertexStore.begin()[8] == centreA && vertexStore.begin()[9] == centreB) << "after the eight corners";

  const rig::Frame frame = program.display();
  std::vector<Vector3> corners = startA;
  corners.insert(corners.end(), startB.begin(), startB.end());
  const std::vector<rig::Primitive>& p = frame.primitives;
  ASSERT_EQ(p.size(), 4u);
  EXPECT_TRUE(p[0].mode == GL_POLYGON && p[0].positions() == startA && p[0].vertices[0].color == rig::white);
  EXPECT_TRUE(p[1].mode == GL_POLYGON && p[1].positions() == startB && p[1].vertices[0].color == rig::white);
  EXPECT_TRUE(p[2].mode == GL_POINTS && p[2].positions() == corners && p[2].vertices[7].color == rig::red);
  EXPECT_TRUE(p[3].mode == GL_POINTS && p[3].positions() == (std::vector<Vector3>{handleA, handleB}) &&
              p[3].vertices[1].color == rig::green);
  EXPECT_TRUE(p[3].pointSize == 8 && p[3].blend);

  ASSERT_EQ(frame.labelTexts(), (Labels{"", "overlap"}));
  EXPECT_TRUE(frame.labels[0].x == -1 && frame.labels[0].y == 0.95f && frame.labels[0].color == rig::red);
  EXPECT_TRUE(frame.labels[1].x == -1 && frame.labels[1].y == 0.9f && frame.labels[1].color == rig::white);
  EXPECT_FALSE(rig::window().blend) << "labels are not blended";
}

TEST_F(PolyOverlapProgram, HandleCarriesItsPolygonAlong) {
  program.dragFromToAt({0.25f, 0}, {0.8f, 0});
  std::vector<Vector3> movedB;
  for (const Vector3& c : startB) movedB.push_back(c + Vector3{0.55f, 0, 0});
  EXPECT_TRUE(near(positions(polyB), movedB));
  EXPECT_TRUE(near(centreB->position, {0.8f, 0, 0}));
  EXPECT_EQ(positions(polyA), startA);
  EXPECT_EQ(program.display().labelTexts(), (Labels{"", "do not overlap"})) << "a gap of 0.05";
}

TEST_F(PolyOverlapProgram, ReflexPolygonIsWarnedAboutAndStillTested) {
  program.dragFromToAt({0.25f, 0.5f}, {-0.5f, -0.25f});
  EXPECT_TRUE(near(polyA.at(2)->position, {-0.5f, -0.25f, 0}));
  EXPECT_TRUE(near(centreA->position, {-0.4375f, -0.1875f, 0})) << "the average of the four corners";
  EXPECT_EQ(centreB->position, handleB);
  // The shapes no longer meet, but no axis of the reflex polygon separates them.
  EXPECT_EQ(program.display().labelTexts(), (Labels{"one of polys is non-convex!", "overlap"}));
}

TEST_F(PolyOverlapProgram, CornerWinsOverAHandleAtEqualDistance) {
  // polyB's corner (-0.25, 0.25) moved to 10 pixels above centreA, then a click halfway between them.
  program.dragFromTo(240, 180, 240, 230);
  program.click(GLUT_LEFT_BUTTON, 240, 235);
  program.dragAt({-0.25f, 0.5f});
  EXPECT_TRUE(near(polyB.at(1)->position, {-0.25f, 0.5f, 0}));
  EXPECT_EQ(centreA->position, handleA);
}

TEST_F(PolyOverlapProgram, DragWithNothingPickedRequestsNoRedisplay) {
  program.clickAt(GLUT_LEFT_BUTTON, {0.25f, 0.06f});  // 0.058 from centreB
  program.dragAt({0.5f, 0.5f});
  EXPECT_EQ(rig::window().redisplayRequests, 0);
  EXPECT_EQ(positions(polyB), startB);
  EXPECT_EQ(centreB->position, handleB);
}

TEST_F(PolyOverlapProgram, RestoringTheStartUpStateGivesTheStartUpFigure) {
  const viewer::ViewerState start = viewer::readState();
  ASSERT_EQ(start.points.size(), 10u) << "eight corners, two handles";
  const rig::Frame before = program.display();
  program.dragFromToAt({0.25f, 0.5f}, {-0.5f, -0.25f});
  program.dragFromToAt({0.25f, 0}, {0.8f, 0.4f});
  ASSERT_TRUE(viewer::setState(start));
  const rig::Frame after = program.display();
  EXPECT_EQ(after.labelTexts(), before.labelTexts());
  ASSERT_EQ(after.primitives.size(), before.primitives.size());
  for (std::size_t i = 0; i < after.primitives.size(); ++i)
    EXPECT_EQ(after.primitives[i].positions(), before.primitives[i].positions()) << i;
}

TEST_F(PolyOverlapProgram, ExplainsTheAxesAtStartUpAndWhereTheyAreMovedApart) {
  const rig::Frame closed = program.display();
  program.displayExplained(1);
  const std::vector<std::string> steps = program.stepTexts();
  ASSERT_EQ(steps.size(), 11u) << "ten axes, then the verdict";
  EXPECT_EQ(steps[0], "axis 1, the normal of A's plane: A from 0 to 0, B from 0 to 0, gap 0, less than 0.01");
  EXPECT_EQ(steps[1],
            "axis 2, the normal (0, -1) of the edge from A corner 4 to A corner 1: A from -1 to 0, B from -0.75 to "
            "-0.25, gap -0.75, less than 0.01");
  EXPECT_EQ(steps[2],
            "axis 3, the normal (-1, 0) of the edge from A corner 1 to A corner 2: A from -1 to 0, B from -1.5 to "
            "-0.5, gap -0.5, less than 0.01");
  EXPECT_EQ(steps[5].substr(0, 30), "axis 6, the normal of B's plan");
  EXPECT_EQ(steps[10], "no axis separates them: overlap");
  // Closed again, the figure is the designed one, call for call.
  const rig::Frame again = program.display();
  EXPECT_EQ(again.calls.size(), closed.calls.size());

  // B's handle dragged right, 0.15 clear of A: the third axis, A's edge from corner 1 to corner 2, separates them.
  program.dragFromToAt({handleB.x, handleB.y}, {0.9f, 0});
  program.displayExplained(0);
  EXPECT_EQ(program.stepTexts(),
            (std::vector<std::string>{
                steps[0], steps[1],
                "axis 3, the normal (-1, 0) of the edge from A corner 1 to A corner 2: A from -1 to 0, B from -2.15 "
                "to -1.15, gap 0.15, at least 0.01: this axis separates them",
                "axis 3 separates them: do not overlap"}));
}

// The class the program itself gives with B's handle dragged to the pixel in one motion: overlap,
// or the axis the explanation's verdict names, written as the map writes it.
std::string answerWithBDraggedTo(rig::Program& program, const rig::Pixel& pixel) {
  viewer::movePoint(9, pixel.x, pixel.y);
  program.displayExplained();
  const std::vector<std::string> steps = program.stepTexts();
  if (steps.back() == "no axis separates them: overlap") {
    EXPECT_TRUE(polyA.overlaps(polyB, overlapTol));
    return "overlap";
  }
  EXPECT_FALSE(polyA.overlaps(polyB, overlapTol));
  // "axis K separates them: ..." and "axis K, the normal [(x, y) ]of ...: A from ..."
  const std::string axis = steps.back().substr(0, steps.back().find(' ', 5));
  const auto step = std::find_if(steps.begin(), steps.end(), [&](const std::string& s) {
    return s.starts_with(axis + ", the normal ");
  });
  std::string of = step->substr(axis.size() + 13);
  if (of.starts_with("(")) of = of.substr(of.find(") ") + 2);
  return "separated by the normal " + of.substr(0, of.find(':'));
}

// The map against the program's own drag of B's handle at sampled pixels, with the figure put back
// after each: as it starts, with a corner of B dropped on its neighbour (an edge of no length, which
// the walk skips), then B moved, then a corner of A moved (tilted edges). Each figure has the axis
// its change brings.
TEST_F(PolyOverlapProgram, MapClassesEachPixelAsDraggingBsHandleThereAnswers) {
  const struct {
    const char* figure;
    Vector2 from, to;
    std::string axis;
  } rows[] = {
      {"as it starts", {0, 0.9f}, {0, 0.9f}, "A corner 4 to A corner 1"},
      {"a corner of B on its neighbour", {-0.25f, 0.25f}, {-0.25f, -0.25f}, "B corner 1 to B corner 3"},
      {"B moved", {0.25f, -0.125f}, {0.4f, 0.45f}, "B corner 1 to B corner 3"},
      {"a corner of A moved", {0.25f, 0.5f}, {0.4f, 0.75f}, "A corner 2 to A corner 3"},
  };
  viewer::MapClasses map;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.figure);
    program.dragFromToAt(row.from, row.to);
    const viewer::ViewerState figure = viewer::readState();
    viewer::setState(figure);  // each handle at its polygon's centre, as after every drag
    ASSERT_EQ(viewer::activeCallbacks.map, poly_overlap::map);
    poly_overlap::map(map);
    EXPECT_NE(std::find(map.names.begin(), map.names.end(), "separated by the normal of the edge from " + row.axis),
              map.names.end());
    for (const rig::Pixel& pixel : rig::mapPixels()) {
      EXPECT_EQ(map.names[map.classOf[pixel.y * 640 + pixel.x]], answerWithBDraggedTo(program, pixel))
          << pixel.x << ", " << pixel.y;
      viewer::setState(figure);
    }
  }
}

TEST_F(PolyOverlapProgram, MapAtTheStartIsSeparatedByTwoOfAsEdgesAlone) {
  viewer::MapClasses map;
  poly_overlap::map(map);
  // Every axis the walk takes, in walk order, A's first: its face, then its edges from the closing one.
  std::vector<std::string> names{"overlap"};
  for (const char* polygon : {"A", "B"}) {
    const std::string corner = std::string(polygon) + " corner ";
    names.push_back(std::string("separated by the normal of ") + polygon + "'s plane");
    for (const char* edge : {"4 to @1", "1 to @2", "2 to @3", "3 to @4"}) {
      std::string text = "separated by the normal of the edge from " + corner + edge;
      names.push_back(text.replace(text.find('@'), 1, corner));
    }
  }
  EXPECT_EQ(map.names, names);
  EXPECT_EQ(map.counts, (std::vector<std::size_t>{205860, 0, 73600, 27740, 0, 0, 0, 0, 0, 0, 0}));
}

}  // namespace
