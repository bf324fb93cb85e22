// plane_cut: a square cut by the line through two handles, keeping the part in front of it.
// Mouse: left button picks a corner or a handle and drags it; middle or right button drops it.
#include "plane_cut.h"

#include <GL/glut.h>
#include <viewer/explanation.h>
#include <viewer/viewer.h>

#include <cstdio>

namespace plane_cut {

using namespace geometry;
using viewer::drawLabel;

// The program's state. No global's constructor or destructor uses another, so their order is free.
VertexStore vertexStore;
Polygon square;
Polygon cutPolygon;
Vertex handleA(0.2f, 0.3f, 0);
Vertex handleB(-0.2f, -0.3f, 0);
std::vector<CutStep> cutSteps;

namespace {

// How the shell treats this program: window size, reshape, picking and redisplays.
// clang-format off
constexpr viewer::ViewerSettings settings{
    .windowWidth = 640, .windowHeight = 480, .reshapeSetsWhite = true, .reshapeEnablesBlend = true,
    .reshapeSetsPointSize = false, .pickRadius = 0.15f, .pickableEntries = 6,
    .redisplayAfterButton = false, .redisplayAfterIdleDrag = false, .passiveMotion = false};
// clang-format on

// The points that make up the figure, in store order, as the page names them.
constexpr const char* pointNames[] = {"corner 1", "corner 2", "corner 3", "corner 4", "line end A", "line end B"};

constexpr float cutEps = 0.05f;  // also the half width of the band drawn around the line
constexpr Side keptSide = Front;
constexpr float shapeTol = 0.01f;
constexpr Vector3 drawingPlaneNormal{0, 0, 1};

// Cuts a fresh copy of the square, keeping the front side and the band, at start-up and after
// every move of a corner or a handle. The cut's steps are kept for the explanation, so that
// explaining it makes no vertex records of its own.
void recomputeCut() {
  // The plane through the line, upright on the drawing plane. Its normal is A - B turned a
  // quarter counter-clockwise: the front is on the left looking from handleB towards handleA.
  const Plane cutter = Plane::fromDirections(handleA.position - handleB.position, drawingPlaneNormal, handleA.position);
  cutPolygon = square;
  cutSteps.clear();
  cutWalked(cutPolygon, cutter, keptSide, cutEps, [](const CutStep& step) { cutSteps.push_back(step); });
}

void display() {
  // 1. Frame
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_BLEND);

  // 2. Square outline, in the white left by the reshape and by the previous frame's labels
  glLineWidth(4);
  viewer::drawOutline(square);

  // 3. Its corners
  glColor3f(1, 0, 0);
  glPointSize(16);
  viewer::drawCorners(square);

  // 4. Cutting line and the two lines bounding its tolerance band (offset along the plane's normal)
  viewer::drawCuttingLine(handleA.position, handleB.position, cutEps);

  // 5. The cut, points and outline
  viewer::drawPiece(cutPolygon, {0, 0, 1}, 8);

  // 6. Handles
  glColor3f(0, 1, 0);
  viewer::drawPoints({handleA.position, handleB.position});

  // 7. Labels, opaque and white
  glDisable(GL_BLEND);
  glColor3f(1, 1, 1);
  char text[32];
  drawLabel(0, square.isConvex(shapeTol) ? "convex" : "non-convex");
  drawLabel(1, cutPolygon.isConvex(shapeTol) ? "cut convex" : "cut non-convex");
  std::snprintf(text, sizeof text, "cut has %d vertices", static_cast<int>(cutPolygon.size()));
  drawLabel(2, text);
  drawLabel(3, cutPolygon.isTiny(shapeTol) ? "cut is tiny" : "cut is not tiny");

  // 8. The explanation's current step over the figure, where the page has it open
  viewer::drawExplanation();

  glutSwapBuffers();
}

}  // namespace

int run(int argc, char** argv) {
  viewer::addCorners(square, vertexStore, viewer::unitSquare);
  square.computePlane(shapeTol);  // the clockwise square gives normal (0, 0, -1)
  vertexStore.append(handleA);
  vertexStore.append(handleB);
  recomputeCut();
  return viewer::runViewer(argc, argv, settings, vertexStore, {display, viewer::onDrag, recomputeCut, explain},
                           pointNames);
}

}  // namespace plane_cut
