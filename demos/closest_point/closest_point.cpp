// closest_point: a square and a green dot at its point nearest to the mouse cursor, which
// sits under the cursor inside the square and runs along the outline outside it.
// Mouse: left button picks a corner and drags it; middle or right button drops it.
#include "closest_point.h"

#include <GL/glut.h>
#include <viewer/explanation.h>
#include <viewer/viewer.h>

namespace closest_point {

using namespace geometry;
using viewer::drawLabel;

// The program's state. No global's constructor or destructor uses another, so their order is free.
Polygon polygon;
VertexStore vertexStore;

namespace {

// How the shell treats this program: window size, reshape, picking and redisplays.
// clang-format off
constexpr viewer::ViewerSettings settings{
    .windowWidth = 640, .windowHeight = 480, .reshapeSetsWhite = true, .reshapeEnablesBlend = true,
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

  // 2. Outline, in the white left by the reshape and by the end of every frame
  viewer::drawOutline(polygon);

  // 3. Corners
  glColor3f(1, 0, 0);
  viewer::drawCorners(polygon);

  // 4. The closest point to the cursor
  glColor3f(0, 1, 0);
  const Vector3 nearest = polygon.closestPoint({viewer::cursor.x, viewer::cursor.y, queryHeight});
  viewer::drawPoints({nearest});

  // 5. Label, opaque and white
  glColor3f(1, 1, 1);
  glDisable(GL_BLEND);
  drawLabel(0, polygon.isConvex(shapeTol) ? "convex" : "non-convex");

  // 6. The explanation's current step over the figure, where the page has it open
  viewer::drawExplanation();

  glutSwapBuffers();
}

}  // namespace

int run(int argc, char** argv) {
  viewer::addCorners(polygon, vertexStore, viewer::unitSquare);
  // The clockwise square gives normal (0, 0, -1). Drags keep every corner at z = 0,
  // so the plane stays right and is never computed again.
  polygon.computePlane(shapeTol);
  return viewer::runViewer(argc, argv, settings, vertexStore, {display, viewer::onDrag, nullptr, explain, map}, pointNames);
}

}  // namespace closest_point
