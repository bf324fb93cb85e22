// plane_split: a square split by the line through two handles into a magenta and a violet piece.
// Mouse: left button picks a corner or a handle and drags it; middle or right button drops it.
#include "plane_split.h"

#include <GL/glut.h>
#include <viewer/explanation.h>
#include <viewer/viewer.h>

#include <cstdio>

namespace plane_split {

using namespace geometry;
using viewer::drawLabel;
using viewer::emitVertex;

// The program's state. No global's constructor or destructor uses another, so their order is free.
Polygon inputPolygon;
Polygon magentaPiece;
Polygon violetPiece;
VertexStore vertexStore;
Vertex handleA(0.2f, 0.3f, 0);
Vertex handleB(-0.2f, -0.3f, 0);
std::vector<SplitStep> splitSteps;

namespace {

// How the shell treats this program: window size, reshape, picking and redisplays.
// clang-format off
constexpr viewer::ViewerSettings settings{
    .windowWidth = 640, .windowHeight = 480, .reshapeSetsWhite = false, .reshapeEnablesBlend = true,
    .reshapeSetsPointSize = false, .pickRadius = 0.15f, .pickableEntries = 6,
    .redisplayAfterButton = false, .redisplayAfterIdleDrag = true, .passiveMotion = false};
// clang-format on

// The points that make up the figure, in store order, as the page names them.
constexpr const char* pointNames[] = {"corner 1", "corner 2", "corner 3", "corner 4", "line end A", "line end B"};

constexpr float splitEps = 0.05f;  // also the half width of the band drawn around the line
constexpr Side magentaSide = Front;
constexpr float shapeTol = 0.01f;
constexpr Vector3 drawingPlaneNormal{0, 0, 1};

// Splits a fresh copy of the square, the magenta piece keeping the front, at start-up and after
// every move of a corner or a handle. The split's steps are kept for the explanation, so that
// explaining it makes no vertex records of its own.
void recomputeSplit() {
  // The plane through the line, upright on the drawing plane. Its normal is A - B turned a
  // quarter counter-clockwise: the front is on the left looking from handleB towards handleA.
  const Plane cutter = Plane::fromDirections(handleA.position - handleB.position, drawingPlaneNormal, handleA.position);
  magentaPiece = inputPolygon;
  splitSteps.clear();
  splitWalked(magentaPiece, cutter, violetPiece, magentaSide, splitEps,
              [](const SplitStep& step) { splitSteps.push_back(step); });
}

void display() {
  // 1. Frame
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_BLEND);

  // 2. Input square outline
  glColor3f(1, 1, 1);
  glLineWidth(4);
  viewer::drawOutline(inputPolygon);

  // 3. Its corners, the first in orange and the second in yellow on top
  glColor3f(1, 0, 0);
  glPointSize(16);
  glBegin(GL_POINTS);
  inputPolygon.emitVertices();
  glColor3f(1, 0.5f, 0);
  emitVertex(inputPolygon.at(0)->position);
  glColor3f(1, 1, 0);
  emitVertex(inputPolygon.at(1)->position);
  glEnd();

  // 4. Cutting line and the two lines bounding its tolerance band (offset along the plane's normal)
  viewer::drawCuttingLine(handleA.position, handleB.position, splitEps);

  // 5. and 6. The two pieces
  viewer::drawPiece(magentaPiece, {0, 1, 1}, 12);
  viewer::drawPiece(violetPiece, {1, 0, 1}, 8);

  // 7. Handles
  glColor3f(0, 1, 0);
  viewer::drawPoints({handleA.position, handleB.position});

  // 8. Labels, opaque and white
  glDisable(GL_BLEND);
  glColor3f(1, 1, 1);
  char text[32];
  drawLabel(0, inputPolygon.isConvex(shapeTol) ? "convex" : "non-convex");
  drawLabel(1, magentaPiece.isConvex(shapeTol) ? "magenta convex" : "magenta non-convex");
  drawLabel(2, violetPiece.isConvex(shapeTol) ? "violet convex" : "violet non-convex");
  std::snprintf(text, sizeof text, "magenta has %d vertices", static_cast<int>(magentaPiece.size()));
  drawLabel(3, text);
  std::snprintf(text, sizeof text, "violet has %d vertices", static_cast<int>(violetPiece.size()));
  drawLabel(4, text);
  drawLabel(5, magentaPiece.isTiny(shapeTol) ? "magenta is tiny" : "magenta is not tiny");
  drawLabel(6, violetPiece.isTiny(shapeTol) ? "violet is tiny" : "violet is not tiny");

  // 9. The explanation's current step over the figure, where the page has it open
  viewer::drawExplanation();

  glutSwapBuffers();
}

}  // namespace

int run(int argc, char** argv) {
  viewer::addCorners(inputPolygon, vertexStore, viewer::unitSquare);
  inputPolygon.computePlane(shapeTol);  // the clockwise square gives normal (0, 0, -1)
  vertexStore.append(handleA);
  vertexStore.append(handleB);
  recomputeSplit();
  return viewer::runViewer(argc, argv, settings, vertexStore, {display, viewer::onDrag, recomputeSplit, explain},
                           pointNames);
}

}  // namespace plane_split
