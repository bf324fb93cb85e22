// The barycentric program, driven through its registered callbacks.
#include "barycentric.h"

#include <GL/glut.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "rig.h"
#include "shapes.h"

namespace {

using namespace geometry;
using barycentric::triangle;
using shapes::near;

// The corners as the float angles, sines and cosines give them, printed with %.9g.
const Vector3 t0{0, 0.7f, 0}, t1{0.606217742f, -0.350000024f, 0}, t2{-0.606217802f, -0.349999934f, 0};
const rig::Color w = rig::white, r = rig::red;

class BarycentricProgram : public ::testing::Test {
 protected:
  BarycentricProgram() : program(barycentric::run) { program.reshape(640, 640); }

  /// The frame drawn with the cursor at pixel (x, y); its labels 5 to 7 are the lines of u, v and u + v.
  rig::Frame hover(int x, int y) { return program.hover(x, y), program.display(); }
  static double value(const rig::Label& line) { return std::strtod(&line.text[line.text.rfind('=') + 1], nullptr); }
  static std::vector<Vector3> arrow(const rig::Frame& f, int i) { return f.ofMode(GL_LINE_STRIP)[i].positions(); }

  rig::Program program;
};

TEST_F(BarycentricProgram, StartsWithEqualWeightsAndArrowsFromT0ToTheCursorAtTheCentre) {
  EXPECT_EQ(triangle, (std::vector<Vector3>{t0, t1, t2}));
  const rig::Frame f = program.display();
  ASSERT_EQ(f.labelTexts(), (std::vector<std::string>{"edge1", "edge2", "perp", "edge2.u", "edge1.v", "u = 0.33333",
                                                      "v = 0.33333", "u + v = 0.66667"}));
  for (const rig::Label& label : f.labels) EXPECT_EQ(label.color, rig::white);
  const float lineY[] = {0.95f, 0.9f, 0.85f};
  for (int i = 5; i < 8; ++i) EXPECT_TRUE(f.labels[i].x == -1 && f.labels[i].y == lineY[i - 5]) << f.labels[i].text;

  // At the centre u = v = 1/3; perp is e2 less half of e1.
  const Vector3 alongE2{-0.2020726f, 0.35f, 0};
  const Vector3 ends[][2] = {{t0, t1}, {t0, t2}, {t0, {-0.9093267f, 0.175f, 0}}, {t0, alongE2}, {alongE2, {}}};
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(f.labels[i].text);
    const std::vector<Vector3> strip = arrow(f, i);
    ASSERT_EQ(strip.size(), 5u) << "shaft, then the closed head back to the tip";
    EXPECT_TRUE(near({strip[0], strip[1], strip[4]}, {ends[i][0], ends[i][1], ends[i][1]}));
    // The head: 0.05 back from the tip, 0.035 wide, across the shaft.
    const Vector3 across = strip[2] - strip[3];
    EXPECT_NEAR((strip[1] - (strip[2] + strip[3]) * 0.5f).length(), 0.05f, 1e-6f);
    EXPECT_NEAR(across.length(), 0.035f, 1e-6f);
    EXPECT_NEAR(dot(across, strip[1] - strip[0]), 0, 1e-6f);
    EXPECT_TRUE(near({f.labels[i].x, f.labels[i].y, 0}, (ends[i][0] + ends[i][1]) * 0.5f));
  }
}

TEST_F(BarycentricProgram, ValueLinesReadTheWeightsAndRedden) {
  const struct {
    const char* name;
    int x, y;
    double u, v;  // NAN: not checked
    rig::Color uColour, vColour, sumColour;
  } rows[] = {{"on T0", 320, 96, 0, 0, w, w, w},
              {"by T1", 513, 431, 0, 1, w, w, w},  // the pixel diagonally inwards from the corner
              {"by T2", 127, 431, 1, 0, w, w, w},
              {"inside", 320, 416, NAN, NAN, w, w, w},
              {"across T1-T2", 320, 448, NAN, NAN, w, w, r},
              {"across T0-T1", 480, 224, NAN, NAN, r, w, w},
              {"across T0-T2", 160, 224, NAN, NAN, w, r, w}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const rig::Frame f = hover(row.x, row.y);
    const rig::Label &u = f.labels[5], &v = f.labels[6], &sum = f.labels[7];
    EXPECT_EQ((std::vector<rig::Color>{u.color, v.color, sum.color}),
              (std::vector<rig::Color>{row.uColour, row.vColour, row.sumColour}));
    EXPECT_TRUE(near(arrow(f, 4)[1], {row.x / 320.f - 1, 1 - row.y / 320.f, 0})) << "edge1.v ends at the cursor";
    if (std::isnan(row.u)) continue;
    EXPECT_NEAR(value(u), row.u, 5e-3);
    EXPECT_NEAR(value(v), row.v, 5e-3);
    EXPECT_NEAR(value(sum), row.u + row.v, 5e-3);
  }
}

TEST_F(BarycentricProgram, ZeroLengthArrowsLoseTheirHeadsAndNonFiniteOnesVanish) {
  const rig::Frame onT0 = hover(320, 96);  // u = v = 0: edge2.u and edge1.v run from T0 to T0
  for (int i : {3, 4}) {
    EXPECT_EQ(arrow(onT0, i), (std::vector<Vector3>{t0, t0})) << i;
    EXPECT_TRUE(onT0.labels[i].x == t0.x && onT0.labels[i].y == t0.y) << i;
  }

  program.dragFromTo(514, 432, 320, 96);  // T1 onto T0: perp, u and v are not numbers
  ASSERT_EQ(triangle[1], t0);
  const rig::Frame f = program.display();
  for (const rig::Call& call : f.calls)
    for (double arg : call.args) EXPECT_TRUE(std::isfinite(arg)) << call.name;
  ASSERT_EQ(f.labelTexts().size(), 5u) << "only edge1, without a head, and edge2 remain";
  EXPECT_EQ(arrow(f, 0), (std::vector<Vector3>{t0, t0}));
  for (int i = 2; i < 5; ++i) EXPECT_TRUE(std::isnan(value(f.labels[i])) && f.labels[i].color == r) << i;
}

TEST_F(BarycentricProgram, PicksStrictlyWithinTheRadiusAndTheEarlierCornerOfATie) {
  program.dragFromTo(320, 96, 312, 160);  // T0 to (-0.025, 0.5)
  program.display();
  program.click(GLUT_LEFT_BUTTON, 328, 160);  // (0.025, 0.5), exactly 0.05 from T0
  program.drag(400, 400);
  EXPECT_EQ(triangle[0], (Vector3{-0.025f, 0.5f, 0}));
  EXPECT_EQ(rig::window().redisplayRequests, 1) << "a drag with nothing selected still redraws";

  program.dragFromTo(514, 432, 328, 160);     // T1 to (0.025, 0.5)
  program.click(GLUT_LEFT_BUTTON, 320, 160);  // 0.025 from both
  program.drag(320, 200);
  EXPECT_EQ(triangle[0], (Vector3{0, 0.375f, 0}));
  EXPECT_EQ(triangle[1], (Vector3{0.025f, 0.5f, 0}));
}

TEST_F(BarycentricProgram, ExplainsTheProgramsOwnValuesAndItsVerdictFollowsTheLinesColours) {
  program.hover(320, 96);  // on T0
  const rig::Frame onT0 = program.displayExplained(7);
  EXPECT_EQ(
      program.stepTexts(),
      (std::vector<std::string>{
          "e1 = T1 \u2212 T0 = (0.6062, -1.05)", "e2 = T2 \u2212 T0 = (-0.6062, -1.05)",
          "s = 1 / (e1 \u00b7 e1) = 0.6803", "k = (e2 \u00b7 e1) s = 0.5, perp = e2 \u2212 k e1 = (-0.9093, -0.525)",
          "w = P \u2212 T0 = (0, 0)", "u = (w \u00b7 perp) / (perp \u00b7 e2) = 0, the weight of T2",
          "v = ((w \u2212 u e2) \u00b7 e1) s = 0, the weight of T1",
          "1 \u2212 u \u2212 v = 1, the weight of T0: inside"}));
  EXPECT_EQ(onT0.ofMode(GL_LINE_LOOP).size(), 3u) << "the three triangles of the weights";

  // Inside, then across each side in turn.
  const int pixels[][2] = {{320, 416}, {320, 448}, {480, 224}, {160, 224}};
  for (const auto& pixel : pixels) {
    SCOPED_TRACE(::testing::Message() << "pixel " << pixel[0] << ", " << pixel[1]);
    program.hover(pixel[0], pixel[1]);
    const rig::Frame f = program.displayExplained(7);
    const bool white = f.labels[5].color == w && f.labels[6].color == w && f.labels[7].color == w;
    EXPECT_EQ(program.stepTexts().back().ends_with(": inside"), white) << program.stepTexts().back();
  }
}

}  // namespace
