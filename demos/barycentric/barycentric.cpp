// barycentric: the cursor's barycentric coordinates u and v in a triangle, as numbers and as the
// labelled arrows they are built from. Mouse: the figure follows the pointer; left button picks a
// corner and drags it; middle or right button drops it.
#include "barycentric.h"

#include <GL/glut.h>
#include <viewer/explanation.h>
#include <viewer/viewer.h>

#include <cmath>
#include <cstdio>

namespace barycentric {

using namespace geometry;
using viewer::drawLabel;
using viewer::drawText;

std::vector<Vector3> triangle;

namespace {

// How the shell treats this program: window size, reshape, picking and redisplays.
// clang-format off
constexpr viewer::ViewerSettings settings{
    .windowWidth = 640, .windowHeight = 640, .reshapeSetsWhite = false, .reshapeEnablesBlend = false,
    .reshapeSetsPointSize = true, .pickRadius = 0.05f, .pickableEntries = viewer::allEntries,
    .redisplayAfterButton = false, .redisplayAfterIdleDrag = true, .passiveMotion = true};
// clang-format on

// The points that make up the figure, in store order, as the page names them.
constexpr const char* pointNames[] = {"corner T0", "corner T1", "corner T2"};

constexpr float pi = 3.1415927f;
constexpr float cornerDistance = 0.7f;  // from the centre (0, 0)
constexpr float arrowHeadLength = 0.05f;
constexpr float arrowHeadWidth = 0.7f;  // relative: the head's half width is 0.05 * 0.7 / 2

bool isFinite(const Vector3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

void emitXY(const Vector3& v) { glVertex2f(v.x, v.y); }

// The label at the shaft's midpoint, the shaft, then the outline of a closed triangular head:
// tip, one corner of its base, the other, back to the tip. A degenerate triangle gives
// non-finite ends: such an arrow is not drawn at all. An arrow of zero length has no
// direction for its head and is drawn as label and shaft only.
void drawArrow(const char* label, const Vector3& tail, const Vector3& tip, float headLength, float headWidth) {
  const Vector3 shaft = tip - tail;
  if (!isFinite(tail) || !isFinite(shaft)) return;  // a finite shaft from a finite tail means a finite tip
  drawText(tail + shaft * 0.5f, label);
  glBegin(GL_LINE_STRIP);
  emitXY(tail);
  emitXY(tip);
  const float len = shaft.length();
  if (len > 0) {
    const Vector3 base = tip + (tail - tip) * (headLength / len);
    const Vector3 t = tip - base;
    const Vector3 n = Vector3{-t.y, t.x, 0} * (headWidth * 0.5f);
    emitXY(base + n);
    emitXY(base - n);
    emitXY(tip);
  }
  glEnd();
}

// One value line, white or red. The buffer holds the widest finite value, about 40 digits in %.5f.
void drawValue(int row, const char* format, double value, bool inside) {
  if (inside)
    glColor3f(1, 1, 1);
  else
    glColor3f(1, 0, 0);
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  drawLabel(row, text);
}

void display() {
  // 1. Frame
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glColor3f(1, 1, 1);
  glEnable(GL_BLEND);

  // 2. Triangle outline
  viewer::drawOutline(triangle);

  // 3. Its corners in red
  glColor3f(1, 0, 0);
  viewer::drawPoints(triangle);

  // 4. The cursor in yellow
  glColor3f(1, 1, 0);
  glBegin(GL_POINTS);
  glVertex2f(viewer::cursor.x, viewer::cursor.y);
  glEnd();

  // 5. and 6. The arrows, white: the last one ends at the cursor up to rounding
  glColor3f(1, 1, 1);
  const Vector3& t0 = triangle[0];
  const Coordinates c = coordinatesOf({viewer::cursor.x, viewer::cursor.y, 0});
  const Vector3 alongE2 = t0 + c.e2 * c.u;
  drawArrow("edge1", t0, triangle[1], arrowHeadLength, arrowHeadWidth);
  drawArrow("edge2", t0, triangle[2], arrowHeadLength, arrowHeadWidth);
  drawArrow("perp", t0, t0 + c.perp, arrowHeadLength, arrowHeadWidth);
  drawArrow("edge2.u", t0, alongE2, arrowHeadLength, arrowHeadWidth);
  drawArrow("edge1.v", alongE2, alongE2 + c.e1 * c.v, arrowHeadLength, arrowHeadWidth);

  // 7. The values, each red where it puts the cursor outside the triangle; a NaN (a degenerate
  // triangle's) fails its comparison and is red too
  drawValue(0, "u = %.5f", c.u, c.uInside());
  drawValue(1, "v = %.5f", c.v, c.vInside());
  drawValue(2, "u + v = %.5f", c.sum(), c.sumInside());

  // 8. Blending off
  glDisable(GL_BLEND);

  // 9. The explanation's current step over the figure, where the page has it open
  viewer::drawExplanation();

  glutSwapBuffers();
}

}  // namespace

// With w = P - T0 = v e1 + u e2: perp, e2 less its part along e1, is orthogonal to e1,
// so w . perp = u (e2 . perp); what is left of w after u e2 is v e1.
Coordinates coordinatesOf(const Vector3& p) {
  const Vector3& t0 = triangle[0];
  Coordinates c;
  c.e1 = triangle[1] - t0;
  c.e2 = triangle[2] - t0;
  c.s = 1 / c.e1.lengthSquared();
  c.k = dot(c.e2, c.e1) * c.s;
  c.perp = c.e2 - c.e1 * c.k;
  c.w = p - t0;
  c.u = dot(c.w, c.perp) * (1 / dot(c.perp, c.e2));
  const Vector3 r = c.w - c.e2 * c.u;
  c.v = dot(r, c.e1) * c.s;
  return c;
}

int run(int argc, char** argv) {
  // Clockwise from the top. The angle, its sine and its cosine are each rounded to float,
  // so the corners are the same in every build.
  for (int i = 0; i < 3; ++i) {
    const float angle = pi * static_cast<float>(2 * i) / 3;
    const auto sine = static_cast<float>(std::sin(static_cast<double>(angle)));
    const auto cosine = static_cast<float>(std::cos(static_cast<double>(angle)));
    triangle.push_back({cornerDistance * sine, cornerDistance * cosine, 0});
  }
  return viewer::runViewer(argc, argv, settings, triangle, {display, viewer::onDrag, nullptr, explain}, pointNames);
}

}  // namespace barycentric
