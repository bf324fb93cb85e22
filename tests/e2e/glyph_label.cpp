// glyph_label: every printable ASCII character in one label, drawn through the shell's drawText,
// once from a raster position on whole pixels, once in red from one between pixels, and once in
// green from one a hair below whole pixels, which GL's rounding takes to those pixels. The
// end-to-end test of the bitmap font compares what the desktop and the page draw of it.
#include <GL/glut.h>
#include <viewer/viewer.h>

#include <string>

namespace {

constexpr viewer::ViewerSettings settings{
    .windowWidth = 800, .windowHeight = 96, .reshapeSetsWhite = true, .reshapeEnablesBlend = false,
    .reshapeSetsPointSize = false, .pickRadius = 0, .pickableEntries = 0,
    .redisplayAfterButton = false, .redisplayAfterIdleDrag = false, .passiveMotion = false};

std::string printable() {
  std::string all;
  for (char c = ' '; c <= '~'; ++c) all += c;
  return all;
}

void display() {
  static const std::string all = printable();
  glClear(GL_COLOR_BUFFER_BIT);
  glColor3f(1, 1, 1);
  viewer::drawText(-1, 0.7f, all.c_str());
  glColor3f(1, 0, 0);
  viewer::drawText(-0.9876f, 0.1234f, all.c_str());
  glColor3f(0, 1, 0);
  viewer::drawText(-0.99500007f, -0.6041677f, all.c_str());
  glutSwapBuffers();
}

}  // namespace

int main(int argc, char** argv) {
  return viewer::runViewer(argc, argv, settings, viewer::PickSource(), {display, viewer::onDrag}, {});
}
