// The GLUT calls of the shell, for the browser: one canvas is the window, the
// canvas's pointer events drive the callbacks, and a redisplay request is served
// on the next animation frame. Nothing runs while no redisplay is asked for.
#include <GL/glut.h>
#include <emscripten.h>
#include <emscripten/html5.h>

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

EM_BOOL frame(double /*time*/, void*) {
  glut.redisplay = false;
  if (glut.display) glut.display();
  return EM_FALSE;  // one frame per request
}

// Asks for one animation frame, unless one is already on its way.
void requestFrame() {
  if (glut.redisplay) return;
  glut.redisplay = true;
  emscripten_request_animation_frame(frame, nullptr);
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
  web_create_window(title, glut.width, glut.height);
  return 1;
}
void glutDisplayFunc(void (*f)()) { glut.display = f; }
void glutReshapeFunc(void (*f)(int, int)) { glut.reshape = f; }
void glutMouseFunc(void (*f)(int, int, int, int)) { glut.mouse = f; }
void glutMotionFunc(void (*f)(int, int)) { glut.motion = f; }
void glutPassiveMotionFunc(void (*f)(int, int)) { glut.passive = f; }
void glutPostRedisplay() { requestFrame(); }
void glutSwapBuffers() { webSwapBuffers(); }
void glutBitmapCharacter(void*, int c) { webBitmapCharacter(c); }

void glutMainLoop() {
  web_listen();
  // As a new window is shown: a reshape, then a display.
  if (glut.reshape) glut.reshape(glut.width, glut.height);
  requestFrame();
  // Hands control to the browser's events for good: like the desktop loop, this never returns.
  emscripten_exit_with_live_runtime();
}

// Entry points for the canvas's events, in window pixels from the top left.
EMSCRIPTEN_KEEPALIVE void web_mouse(int button, int state, int x, int y) {
  if (glut.mouse) glut.mouse(button, state, x, y);
}
EMSCRIPTEN_KEEPALIVE void web_motion(int buttonHeld, int x, int y) {
  void (*f)(int, int) = buttonHeld ? glut.motion : glut.passive;
  if (f) f(x, y);
}
/// The same window shown at a new size or device pixel ratio: only a redraw.
EMSCRIPTEN_KEEPALIVE void web_refresh() { requestFrame(); }

}  // extern "C"
