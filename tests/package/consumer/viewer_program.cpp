// A program of one's own on the installed viewer: a draggable square. Only built.
#include <GL/glut.h>
#include <viewer/viewer.h>

namespace {

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
  return viewer::runViewer(argc, argv, viewer::closestPointSettings, store, {display, viewer::onDrag});
}
