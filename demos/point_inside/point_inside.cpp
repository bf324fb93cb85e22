// point_inside: the verdicts of three inside tests for the point under the cursor, side by side.
// Mouse: moving it moves the point; left button picks a corner and drags it; middle or right button drops it.
#include "point_inside.h"

#include <GL/glut.h>
#include <viewer/explanation.h>
#include <viewer/viewer.h>

namespace point_inside {

using namespace geometry;
using viewer::drawLabel;

// The program's state. No global's constructor or destructor uses another, so their order is free.
Polygon polygon;
VertexStore vertexStore;

namespace {

// How the shell treats this program: window size, reshape, picking and redisplays.
// clang-format off
constexpr viewer::ViewerSettings settings{
    .windowWidth = 640, .windowHeight = 480, .reshapeSetsWhite = true, .reshapeEnablesBlend = false,
    .reshapeSetsPointSize = true, .pickRadius = 0.05f, .pickableEntries = viewer::allEntries,
    .redisplayAfterButton = true, .redisplayAfterIdleDrag = true, .passiveMotion = true};
// clang-format on

// The points that make up the figure, in store order, as the page names them.
constexpr const char* pointNames[] = {"corner 1", "corner 2", "corner 3", "corner 4"};

constexpr float shapeTol = 0.01f;

void display() {
  // 1. Frame
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_BLEND);

  // 2. Outline, in the white left by the reshape or the previous frame
  viewer::drawOutline(polygon);

  // 3. Corners
  glColor3f(1, 0, 0);
  viewer::drawCorners(polygon);

  // 4. Labels, opaque and white: the shape, then each test's verdict on the cursor
  glDisable(GL_BLEND);
  glColor3f(1, 1, 1);
  const Vector3 p{viewer::cursor.x, viewer::cursor.y, 0};
  drawLabel(0, polygon.isConvex(shapeTol) ? "convex" : "non-convex");
  drawLabel(1, polygon.insideSumAngles(p, insideTol) ? "inside (sum angles)" : "outside (sum angles)");
  drawLabel(2, polygon.insideEdgePlanes(p, insideTol) ? "inside (edge planes)" : "outside (edge planes)");
  drawLabel(3, polygon.insideBarycentric(p, barycentricEps) ? "inside (barycentric)" : "outside (barycentric)");

  // 5. The explanation's current step over the figure, where the page has it open
  viewer::drawExplanation();

  glutSwapBuffers();
}

}  // namespace

int run(int argc, char** argv) {
  viewer::addCorners(polygon, vertexStore, viewer::unitSquare);
  polygon.computePlane(shapeTol);  // the clockwise square gives normal (0, 0, -1)
  polygon.flip();                  // counter-clockwise from the bottom right corner, normal (0, 0, 1)
  return viewer::runViewer(argc, argv, settings, vertexStore, {display, viewer::onDrag, nullptr, explain, map}, pointNames);
}

}  // namespace point_inside
