// A program of one's own on the installed viewer: a draggable square. Only built.
#include <GL/glut.h>
#include <viewer/viewer.h>

namespace {

// A 640 x 480 window; the mouse picks and drags, and is followed with no button held.
// clang-format off
constexpr viewer::ViewerSettings settings{
    .windowWidth = 640, .windowHeight = 480, .reshapeSetsWhite = true, .reshapeEnablesBlend = true,
    .reshapeSetsPointSize = true, .pickRadius = 0.05f, .pickableEntries = viewer::allEntries,
    .redisplayAfterButton = true, .redisplayAfterIdleDrag = true, .passiveMotion = true};
// clang-format on

geometry::VertexStore store;
geometry::Polygon square;

void display() {
  glClear(GL_COLOR_BUFFER_BIT);
  glBegin(GL_LINE_LOOP);
  square.emitVertices();
  glEnd();
  glutSwapBuffers();
}

}  // namespace

int main(int argc, char** argv) {
  viewer::addCorners(square, store, viewer::unitSquare);
  return viewer::runViewer(argc, argv, settings, store, {display, viewer::onDrag});
}
