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
const int t0X = 320, t0Y = 96;  // the pixel exactly on T0

class BarycentricProgram : public ::testing::Test {
 protected:
  BarycentricProgram() : program(barycentric::run) { program.reshape(640, 640); }

  rig::Program program;
};

/// An arrow as drawn: its label and its line strip (shaft, then head).
struct Arrow {
  rig::Label label;
  std::vector<Vector3> strip;
};

std::vector<Arrow> arrows(const rig::Frame& frame) {
  std::vector<Arrow> out;
  const std::vector<rig::Primitive> strips = frame.ofMode(GL_LINE_STRIP);
  for (std::size_t i = 0; i < strips.size() && i < frame.labels.size(); ++i)
    out.push_back({frame.labels[i], strips[i].positions()});
  return out;
}

/// The three value lines, the last labels of a frame.
std::vector<rig::Label> valueLines(const rig::Frame& frame) {
  if (frame.labels.size() < 3) return {};
  return {frame.labels.end() - 3, frame.labels.end()};
}

double valueOf(const rig::Label& line) { return std::strtod(line.text.c_str() + line.text.rfind('=') + 1, nullptr); }

bool isFinite(const Vector3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

TEST_F(BarycentricProgram, StartsWithTheExactTriangleAndTheCursorAtItsCentre) {
  EXPECT_EQ(triangle, (std::vector<Vector3>{t0, t1, t2}));
  EXPECT_EQ(rig::window().initWidth, 640);
  EXPECT_EQ(rig::window().initHeight, 640);
  EXPECT_TRUE(program.hasPassiveMotion());

  const rig::Frame frame = program.display();
  const std::vector<rig::Primitive>& p = frame.primitives;
  ASSERT_EQ(p.size(), 8u);
  EXPECT_EQ(p[0].mode, unsigned(GL_POLYGON));
  EXPECT_EQ(p[0].positions(), triangle);
  EXPECT_EQ(p[0].vertices[0].color, rig::white);
  EXPECT_EQ(p[1].mode, unsigned(GL_POINTS));
  EXPECT_EQ(p[1].positions(), triangle);
  EXPECT_EQ(p[1].vertices[2].color, rig::red);
  EXPECT_EQ(p[1].pointSize, 8);
  EXPECT_EQ(p[2].positions(), (std::vector<Vector3>{{0, 0, 0}})) << "the cursor point";
  EXPECT_EQ(p[2].vertices[0].color, rig::yellow);
  for (const rig::Primitive& each : p) EXPECT_TRUE(each.blend);
  EXPECT_FALSE(rig::window().blend);

  const std::vector<std::string> expected = {"edge1",   "edge2",       "perp",        "edge2.u",
                                             "edge1.v", "u = 0.33333", "v = 0.33333", "u + v = 0.66667"};
  ASSERT_EQ(frame.labelTexts(), expected);
  const float rows[] = {0.95f, 0.9f, 0.85f};
  const std::vector<rig::Label> lines = valueLines(frame);
  for (std::size_t i = 0; i < 3; ++i) {
    const rig::Label& line = lines[i];
    SCOPED_TRACE(line.text);
    EXPECT_EQ(line.x, -1);
    EXPECT_EQ(line.y, rows[i]);
    EXPECT_EQ(line.color, rig::white);
  }
  for (const rig::Label& label : frame.labels) EXPECT_EQ(label.color, rig::white);
  EXPECT_EQ(frame.swaps, 1);
}

TEST_F(BarycentricProgram, ArrowsLeadFromT0ToTheCursorWithLabelsAtTheirMiddles) {
  // At the centre u = v = 1/3; perp is e2 less half of e1.
  const Vector3 alongE2{-0.2020726f, 0.35f, 0}, cursor{0, 0, 0};
  const struct Row {
    const char* label;
    Vector3 tail, tip;
  } rows[] = {{"edge1", t0, t1},
              {"edge2", t0, t2},
              {"perp", t0, {-0.9093267f, 0.175f, 0}},
              {"edge2.u", t0, alongE2},
              {"edge1.v", alongE2, cursor}};
  const std::vector<Arrow> drawn = arrows(program.display());
  ASSERT_EQ(drawn.size(), 5u);
  for (std::size_t i = 0; i < 5; ++i) {
    const Row& row = rows[i];
    const Arrow& arrow = drawn[i];
    SCOPED_TRACE(row.label);
    EXPECT_EQ(arrow.label.text, row.label);
    EXPECT_TRUE(near(Vector3{arrow.label.x, arrow.label.y, 0}, (row.tail + row.tip) * 0.5f));
    ASSERT_EQ(arrow.strip.size(), 5u);
    EXPECT_TRUE(near({arrow.strip[0], arrow.strip[1], arrow.strip[4]}, {row.tail, row.tip, row.tip}));

    // The head: a base 0.05 back from the tip along the shaft, 0.035 wide across it.
    Vector3 dir = row.tip - row.tail;
    dir.normalize();
    const Vector3 base = (arrow.strip[2] + arrow.strip[3]) * 0.5f, across = arrow.strip[2] - arrow.strip[3];
    EXPECT_TRUE(near(base, row.tip - dir * 0.05f));
    EXPECT_NEAR(across.length(), 0.035f, 1e-6f);
    EXPECT_NEAR(dot(across, dir), 0, 1e-6f);
  }
}

TEST_F(BarycentricProgram, CursorOnACornerReadsItsWeights) {
  const struct Row {
    const char* name;
    int x, y;
    double u, v;
  } rows[] = {{"T0", t0X, t0Y, 0, 0}, {"T1", 514, 432, 0, 1}, {"T2", 126, 432, 1, 0}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    program.hover(row.x, row.y);
    const std::vector<rig::Label> lines = valueLines(program.display());
    ASSERT_EQ(lines.size(), 3u);
    // Off T0 the nearest pixel is within 1/640 of the corner.
    EXPECT_NEAR(valueOf(lines[0]), row.u, 1e-4);
    EXPECT_NEAR(valueOf(lines[1]), row.v, 1e-4);
    EXPECT_NEAR(valueOf(lines[2]), row.u + row.v, 1e-4);
  }
  program.hover(t0X, t0Y);
  const std::vector<rig::Label> lines = valueLines(program.display());
  EXPECT_EQ(lines[0].text, "u = 0.00000");
  EXPECT_EQ(lines[1].text, "v = 0.00000");
  EXPECT_EQ(lines[2].text, "u + v = 0.00000");
  for (const rig::Label& line : lines) EXPECT_EQ(line.color, rig::white);
}

TEST_F(BarycentricProgram, CrossingAnEdgeTurnsItsOwnLineRed) {
  const rig::Color w = rig::white, r = rig::red;
  const struct Row {
    const char* name;
    Vector2 at;
    rig::Color u, v, sum;
  } rows[] = {{"inside", {0, -0.3f}, w, w, w},
              {"across T1-T2", {0, -0.4f}, w, w, r},
              {"across T0-T1", {0.5f, 0.3f}, r, w, w},
              {"across T0-T2", {-0.5f, 0.3f}, w, r, w}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    program.hoverAt(row.at);
    const std::vector<rig::Label> lines = valueLines(program.display());
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].color, row.u);
    EXPECT_EQ(lines[1].color, row.v);
    EXPECT_EQ(lines[2].color, row.sum);
    EXPECT_TRUE(near(arrows(program.display())[4].strip[1], {row.at.x, row.at.y, 0})) << "edge1.v ends at the cursor";
  }
}

TEST_F(BarycentricProgram, ZeroLengthArrowsHaveLabelAndShaftButNoHead) {
  program.hover(t0X, t0Y);  // u = v = 0: "edge2.u" and "edge1.v" both run from T0 to T0
  const std::vector<Arrow> drawn = arrows(program.display());
  ASSERT_EQ(drawn.size(), 5u);
  for (const Arrow& arrow : {drawn[3], drawn[4]}) {
    SCOPED_TRACE(arrow.label.text);
    EXPECT_EQ(arrow.strip, (std::vector<Vector3>{t0, t0}));
    EXPECT_EQ(arrow.label.x, t0.x);
    EXPECT_EQ(arrow.label.y, t0.y);
  }
  EXPECT_EQ(drawn[0].strip.size(), 5u);
}

TEST_F(BarycentricProgram, DegenerateTriangleSendsNothingNonFiniteToGl) {
  program.dragFromTo(514, 432, t0X, t0Y);  // T1 onto T0
  ASSERT_EQ(triangle[1], t0);
  const rig::Frame frame = program.display();
  for (const rig::Primitive& p : frame.primitives)
    for (const Vector3& v : p.positions()) EXPECT_TRUE(isFinite(v)) << v;
  for (const rig::Label& label : frame.labels) EXPECT_TRUE(std::isfinite(label.x) && std::isfinite(label.y));

  // perp, u and v are not numbers: only the arrows along the two edges remain, edge1 without a head.
  const std::vector<Arrow> drawn = arrows(frame);
  ASSERT_EQ(frame.labels.size(), 5u);
  EXPECT_EQ(drawn[0].label.text, "edge1");
  EXPECT_EQ(drawn[0].strip, (std::vector<Vector3>{t0, t0}));
  EXPECT_EQ(drawn[1].label.text, "edge2");
  EXPECT_EQ(drawn[1].strip.size(), 5u);
  for (const rig::Label& line : valueLines(frame)) {
    SCOPED_TRACE(line.text);
    EXPECT_TRUE(std::isnan(valueOf(line)));
    EXPECT_EQ(line.color, rig::red);
  }
}

TEST_F(BarycentricProgram, PicksStrictlyWithinTheRadiusAndTheEarlierCornerOfATie) {
  program.dragFromTo(t0X, t0Y, 312, 160);  // T0 to (-0.025, 0.5)
  ASSERT_EQ(triangle[0], (Vector3{-0.025f, 0.5f, 0}));
  program.display();

  program.click(GLUT_LEFT_BUTTON, 328, 160);  // (0.025, 0.5): exactly 0.05 from T0
  EXPECT_EQ(rig::window().redisplayRequests, 0) << "button events alone request no redisplay";
  program.drag(400, 400);
  EXPECT_EQ(triangle[0], (Vector3{-0.025f, 0.5f, 0}));
  EXPECT_EQ(rig::window().redisplayRequests, 1) << "a drag with nothing selected still redraws";
  EXPECT_EQ(program.display().ofMode(GL_POINTS)[1].positions(), (std::vector<Vector3>{{0.25f, -0.25f, 0}}));

  program.dragFromTo(514, 432, 328, 160);     // T1 to (0.025, 0.5)
  program.click(GLUT_LEFT_BUTTON, 320, 160);  // 0.025 from both T0 and T1
  program.drag(320, 200);
  EXPECT_EQ(triangle[0], (Vector3{0, 0.375f, 0}));
  EXPECT_EQ(triangle[1], (Vector3{0.025f, 0.5f, 0}));
}

}  // namespace
