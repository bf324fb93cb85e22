// The point_inside program, driven through its registered callbacks.
#include "point_inside.h"

#include <GL/glut.h>
#include <gtest/gtest.h>
#include <viewer/map.h>
#include <viewer/viewer.h>

#include <algorithm>

#include "rig.h"
#include "shapes.h"

namespace {

using namespace geometry;
using point_inside::polygon;
using shapes::positions;

const std::vector<Vector3> flippedSquare{{0.5f, -0.5f, 0}, {0.5f, 0.5f, 0}, {-0.5f, 0.5f, 0}, {-0.5f, -0.5f, 0}};

class PointInsideProgram : public ::testing::Test {
 protected:
  PointInsideProgram() : program(point_inside::run) { program.reshape(640, 480); }

  std::vector<std::string> labels() { return program.display().labelTexts(); }

  rig::Program program;
};

TEST_F(PointInsideProgram, StartsWithTheFlippedSquareAndTheCentreInsideForAll) {
  EXPECT_EQ(positions(polygon), flippedSquare);
  EXPECT_EQ(polygon.plane.normal, (Vector3{0, 0, 1}));
  EXPECT_TRUE(program.hasPassiveMotion());

  const rig::Frame frame = program.display();
  const std::vector<std::string> expected{"convex", "inside (sum angles)", "inside (edge planes)",
                                          "inside (barycentric)"};
  ASSERT_EQ(frame.labelTexts(), expected);
  const float rows[] = {0.95f, 0.9f, 0.85f, 0.8f};
  for (std::size_t i = 0; i < frame.labels.size(); ++i) {
    SCOPED_TRACE(frame.labels[i].text);
    EXPECT_EQ(frame.labels[i].x, -1);
    EXPECT_EQ(frame.labels[i].y, rows[i]);
    EXPECT_EQ(frame.labels[i].color, rig::white);
  }

  ASSERT_EQ(frame.primitives.size(), 2u);
  const rig::Primitive &outline = frame.primitives[0], &corners = frame.primitives[1];
  EXPECT_EQ(outline.mode, unsigned(GL_POLYGON));
  EXPECT_EQ(outline.positions(), flippedSquare);
  EXPECT_EQ(outline.vertices[0].color, rig::white) << "the colour the reshape left";
  EXPECT_EQ(corners.mode, unsigned(GL_POINTS));
  EXPECT_EQ(corners.positions(), flippedSquare);
  EXPECT_EQ(corners.vertices[0].color, rig::red);
  EXPECT_EQ(corners.pointSize, 8);
  EXPECT_TRUE(outline.blend && corners.blend);
  EXPECT_FALSE(rig::window().blend) << "labels are not blended";
  EXPECT_EQ(frame.swaps, 1);
}

TEST_F(PointInsideProgram, HoverTable) {
  struct Row {
    const char* name;
    int x, y;
    std::vector<std::string> labels;
  } rows[] = {
      {"exactly on the corner (0.5, 0.5)",
       480,
       120,
       {"convex", "outside (sum angles)", "inside (edge planes)", "inside (barycentric)"}},
      {"0.003125 right of the edge x = 0.5",
       481,
       240,
       {"convex", "outside (sum angles)", "inside (edge planes)", "outside (barycentric)"}},
      {"well outside", 600, 240, {"convex", "outside (sum angles)", "outside (edge planes)", "outside (barycentric)"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    program.hover(row.x, row.y);
    EXPECT_EQ(rig::window().redisplayRequests, 1);
    EXPECT_EQ(labels(), row.labels);
  }
}

TEST_F(PointInsideProgram, DraggedClockwiseReadsNonConvexAndOutsideTheEdgePlanes) {
  // The top right and bottom left corners change places: the outline now runs
  // clockwise while the normal stays (0, 0, 1).
  program.dragFromToAt({0.5f, 0.5f}, {-0.6f, -0.6f});
  program.dragFromToAt({-0.5f, -0.5f}, {0.6f, 0.6f});
  program.hoverAt({0, 0});
  EXPECT_EQ(labels(), (std::vector<std::string>{"non-convex", "inside (sum angles)", "outside (edge planes)",
                                                "inside (barycentric)"}));
}

TEST_F(PointInsideProgram, EachTestsLastStepGivesItsLabelsVerdict) {
  const geometry::Vector2 points[] = {{0, 0}, {0.5f, 0}, {0.5f, 0.5f}, {0.501f, 0}, {0.505f, 0}, {0.52f, 0}};
  const char* tests[] = {"sum angles:", "edge planes:", "barycentric:"};
  for (const geometry::Vector2& p : points) {
    SCOPED_TRACE(::testing::Message() << "p = (" << p.x << ", " << p.y << ")");
    viewer::cursor = p;
    const std::vector<std::string> labels = program.displayExplained().labelTexts();
    const std::vector<std::string> steps = program.stepTexts();
    for (int t = 0; t < 3; ++t) {
      const auto verdict = std::find_if(steps.begin(), steps.end(), [&](const std::string& s) {
        return s.starts_with(tests[t]);
      });
      ASSERT_NE(verdict, steps.end()) << tests[t];
      EXPECT_EQ(verdict->ends_with(": inside"), labels[t + 1].starts_with("inside")) << *verdict;
    }
  }
  viewer::cursor = {0.501f, 0};
  program.displayExplained();
  const std::vector<std::string> steps = program.stepTexts();
  ASSERT_EQ(steps.size(), 13u) << "four edges and a verdict, four planes and a verdict, two triangles and a verdict";
  EXPECT_EQ(steps[0], "sum angles, edge from corner 1 to corner 4: seen under 1.1055, sum 1.1055");
  EXPECT_EQ(steps[5], "edge planes, edge from corner 1 to corner 4: m \u00b7 (p \u2212 corner 4) = -0.5, at most 0.01");
  EXPECT_EQ(steps[10], "barycentric, triangle corner 4, corner 3, corner 2: v = -0.001, below 0: next triangle");
  EXPECT_EQ(steps[12], "barycentric: in no triangle: outside");
}

TEST_F(PointInsideProgram, FlipTwiceRestoresTheSquare) {
  const Plane plane = polygon.plane;
  polygon.flip();
  polygon.flip();
  EXPECT_EQ(positions(polygon), flippedSquare);
  EXPECT_EQ(polygon.plane.normal, plane.normal);
  EXPECT_EQ(polygon.plane.d, plane.d);
}

// The map against the three single tests at toScene of sampled pixels, on the square as it starts,
// then with a corner pulled across the opposite edge (a crossed outline), then with a corner dropped
// on its neighbour as well.
TEST_F(PointInsideProgram, MapClassesEachPixelByTheThreeVerdictsThere) {
  const struct {
    const char* figure;
    geometry::Vector2 from, to;
  } rows[] = {
      {"as it starts", {0, 0}, {0, 0}},
      {"crossed", {0.5f, 0.5f}, {0.5f, -0.9f}},
      {"a corner on its neighbour", {-0.5f, 0.5f}, {-0.5f, -0.5f}},
  };
  const char* tests[] = {"sum angles", "edge planes", "barycentric"};
  viewer::MapClasses map;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.figure);
    program.dragFromToAt(row.from, row.to);
    ASSERT_EQ(viewer::activeCallbacks.map, point_inside::map);
    point_inside::map(map);
    ASSERT_EQ(map.classOf.size(), 640u * 480u);
    for (const rig::Pixel& pixel : rig::mapPixels()) {
      const Vector2 c = viewer::toScene(pixel.x, pixel.y);
      const Vector3 p{c.x, c.y, 0};
      const bool inside[] = {polygon.insideSumAngles(p, point_inside::insideTol),
                             polygon.insideEdgePlanes(p, point_inside::insideTol),
                             polygon.insideBarycentric(p, point_inside::barycentricEps)};
      const int insides = inside[0] + inside[1] + inside[2];
      std::string expected = insides == 3 ? "inside for all three" : "outside for all three";
      if (insides == 1 || insides == 2) {
        const bool odd = insides == 1;  // the verdict only one test gives
        const int t = static_cast<int>(std::find(inside, inside + 3, odd) - inside);
        expected = std::string(odd ? "inside" : "outside") + " for " + tests[t] + " only";
      }
      EXPECT_EQ(map.names[map.classOf[pixel.y * 640 + pixel.x]], expected) << pixel.x << ", " << pixel.y;
    }
  }
}

TEST_F(PointInsideProgram, MapAtTheStartDisagreesInABandOutsideTheEdgesAndAtTheCorners) {
  viewer::MapClasses map;
  point_inside::map(map);
  const std::vector<std::string> names{"inside for all three",         "outside for all three",
                                       "inside for sum angles only",   "inside for edge planes only",
                                       "inside for barycentric only",  "outside for sum angles only",
                                       "outside for edge planes only", "outside for barycentric only"};
  EXPECT_EQ(map.names, names);
  EXPECT_EQ(map.counts, (std::vector<std::size_t>{77357, 227085, 0, 2754, 0, 4, 0, 0}));
}

}  // namespace
