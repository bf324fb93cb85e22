// The GLUT calls of the shell, for the browser: one canvas is the window, the
// canvas's pointer events drive the callbacks, and redisplay requests are served
// once per animation frame.
#include <GL/glut.h>
#include <emscripten.h>

#include "web_canvas.h"

namespace {

struct Glut {
  int width = 300, height = 300;
  bool redisplay = false;
  void (*display)() = nullptr;
  void (*reshape)(int, int) = nullptr;
  void (*mouse)(int, int, int, int) = nullptr;
  void (*motion)(int, int) = nullptr;
  void (*passive)(int, int) = nullptr;
};

Glut glut;

void frame() {
  if (!glut.redisplay || !glut.display) return;
  glut.redisplay = false;
  glut.display();
}

}  // namespace

extern "C" {

void* glutBitmap8By13 = nullptr;

void glutInit(int*, char**) {}
void glutInitDisplayMode(unsigned int) {}  // always double-buffered RGB
void glutInitWindowSize(int width, int height) {
  glut.width = width;
  glut.height = height;
}
int glutCreateWindow(const char* title) {
  web_create_window(title, &glut.width, &glut.height);
  return 1;
}
void glutDisplayFunc(void (*f)()) { glut.display = f; }
void glutReshapeFunc(void (*f)(int, int)) { glut.reshape = f; }
void glutMouseFunc(void (*f)(int, int, int, int)) { glut.mouse = f; }
void glutMotionFunc(void (*f)(int, int)) { glut.motion = f; }
void glutPassiveMotionFunc(void (*f)(int, int)) { glut.passive = f; }
void glutPostRedisplay() { glut.redisplay = true; }
void glutSwapBuffers() { webSwapBuffers(); }
void glutBitmapCharacter(void*, int c) { webBitmapCharacter(c); }

void glutMainLoop() {
  web_listen();
  // As a new window is shown: a reshape, then a display.
  if (glut.reshape) glut.reshape(glut.width, glut.height);
  glut.redisplay = true;
  // Hands control to the browser for good: like the desktop loop, this never returns.
  emscripten_set_main_loop(frame, 0, 1);
}

// Entry points for the canvas's events, in window (CSS) pixels from the top left.
EMSCRIPTEN_KEEPALIVE void web_mouse(int button, int state, int x, int y) {
  if (glut.mouse) glut.mouse(button, state, x, y);
}
EMSCRIPTEN_KEEPALIVE void web_motion(int buttonHeld, int x, int y) {
  void (*f)(int, int) = buttonHeld ? glut.motion : glut.passive;
  if (f) f(x, y);
}
EMSCRIPTEN_KEEPALIVE void web_resize(int width, int height) {
  glut.width = width;
  glut.height = height;
  if (glut.reshape) glut.reshape(width, height);
  glut.redisplay = true;
}
/// The same window at a new device pixel ratio: only a redraw.
EMSCRIPTEN_KEEPALIVE void web_refresh() { glut.redisplay = true; }

}  // extern "C"
