// poly_overlap: two rectangles tested for overlap by separating axes; a red line warns when one is not convex.
// Mouse: left button picks a corner (reshaping its polygon) or a green centre handle (moving the whole
// polygon) and drags it; middle or right button drops it.
#include "poly_overlap.h"

#include <GL/glut.h>
#include <viewer/explanation.h>
#include <viewer/viewer.h>

namespace poly_overlap {

using namespace geometry;
using viewer::drawLabel;

// The program's state. No global's constructor or destructor uses another, so their order is free.
VertexStore vertexStore;
Polygon polyA;
Polygon polyB;
Vertex* centreA = nullptr;
Vertex* centreB = nullptr;

namespace {

// How the shell treats this program: window size, reshape, picking and redisplays.
// clang-format off
constexpr viewer::ViewerSettings settings{
    .windowWidth = 640, .windowHeight = 480, .reshapeSetsWhite = false, .reshapeEnablesBlend = true,
    .reshapeSetsPointSize = true, .pickRadius = 0.05f, .pickableEntries = viewer::allEntries,
    .redisplayAfterButton = false, .redisplayAfterIdleDrag = false, .passiveMotion = false};
// clang-format on

// The points that make up the figure, in store order, as the page names them.
constexpr const char* pointNames[] = {"A corner 1", "A corner 2", "A corner 3", "A corner 4", "B corner 1",
                                      "B corner 2", "B corner 3", "B corner 4", "A handle",   "B handle"};

constexpr float shapeTol = 0.01f;
constexpr Vector2 cornersA[] = {{-0.75f, -0.5f}, {-0.75f, 0.5f}, {0.25f, 0.5f}, {0.25f, -0.5f}};
constexpr Vector2 cornersB[] = {{-0.25f, -0.25f}, {-0.25f, 0.25f}, {0.75f, 0.25f}, {0.75f, -0.25f}};

void build(Polygon& polygon, const Vector2 (&corners)[4]) {
  viewer::addCorners(polygon, vertexStore, corners);
  polygon.computePlane(shapeTol);  // clockwise corners give normal (0, 0, -1)
}

// A handle carries its polygon along by the step it is about to make to the cursor.
void carry(Polygon& polygon, const Vertex& handle) {
  const Vector3 cursor{viewer::cursor.x, viewer::cursor.y, 0};
  polygon.translate(cursor - handle.position);
}

// Each handle at its polygon's centre: after a corner moved, the handle follows the corners' new average.
void recomputeHandles() {
  centreA->setPosition(polyA.centrePosition());
  centreB->setPosition(polyB.centrePosition());
}

void onOverlapDrag(int x, int y) {
  viewer::cursor = viewer::toScene(x, y);
  if (viewer::selected == &centreA->position)
    carry(polyA, *centreA);
  else if (viewer::selected == &centreB->position)
    carry(polyB, *centreB);
  viewer::finishDrag(viewer::moveSelectedToCursor());
}

void display() {
  // 1. Frame
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glColor3f(1, 1, 1);
  glEnable(GL_BLEND);

  // 2. Both outlines in white
  viewer::drawOutline(polyA);
  viewer::drawOutline(polyB);

  // 3. The eight corners in red
  glColor3f(1, 0, 0);
  viewer::drawCorners(polyA, polyB);

  // 4. Handles in green
  glColor3f(0, 1, 0);
  viewer::drawPoints({centreA->position, centreB->position});

  // 5. Labels: the convexity warning in red (drawn empty when there is none), the overlap in white
  glColor3f(1, 0, 0);
  const bool convex = polyA.isConvex(shapeTol) && polyB.isConvex(shapeTol);
  drawLabel(0, convex ? "" : "one of polys is non-convex!");
  glColor3f(1, 1, 1);
  glDisable(GL_BLEND);
  drawLabel(1, polyA.overlaps(polyB, overlapTol) ? "overlap" : "do not overlap");

  // 6. The explanation's current step over the figure, where the page has it open
  viewer::drawExplanation();

  glutSwapBuffers();
}

}  // namespace

int run(int argc, char** argv) {
  build(polyA, cornersA);
  build(polyB, cornersB);
  centreA = VertexRef(polyA.centreVertex(), vertexStore).vertex;
  centreB = VertexRef(polyB.centreVertex(), vertexStore).vertex;
  return viewer::runViewer(argc, argv, settings, vertexStore, {display, onOverlapDrag, recomputeHandles, explain, map},
                           pointNames);
}

}  // namespace poly_overlap
