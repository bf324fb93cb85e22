// The GL 1.x calls of the shell and the programs, for the browser: the state they
// set is kept here, and each primitive is handed at glEnd to the canvas side
// (library.js and src/canvas/) in window pixels, with the colour of each vertex;
// so is each label, from its raster position on, character by character.
#include <GL/gl.h>

#include <cmath>
#include <vector>

#include "web_canvas.h"

namespace {

struct GlState {
  float color[3] = {1, 1, 1};
  float pointSize = 1;
  float lineWidth = 1;
  int viewport[4] = {0, 0, 0, 0};
  bool inPrimitive = false;
  GLenum mode = 0;
  std::vector<float> vertices;  // x, y in window pixels (origin bottom left), r, g, b
  bool rasterValid = false;
};

GlState gl;

// What glPushAttrib keeps: the colour, the sizes (enables and blending need nothing here).
struct Attributes {
  float color[3];
  float pointSize;
  float lineWidth;
};
std::vector<Attributes> attributeStack;

// Scene coordinates are normalised device coordinates: the matrices are always identity.
float windowX(float x) { return gl.viewport[0] + (x + 1) * 0.5f * gl.viewport[2]; }
float windowY(float y) { return gl.viewport[1] + (y + 1) * 0.5f * gl.viewport[3]; }

// The whole window pixel at which a bitmap drawn from raster coordinate v (axis 0 x, 1 y) starts,
// as the desktop's GL finds it: the viewport transform as scale and offset, in float, then the
// floor of the position nudged up by 1e-4, so that a position a rounding error short of a pixel
// boundary still starts on that pixel.
float bitmapOrigin(float v, int axis) {
  const float half = static_cast<float>(gl.viewport[2 + axis]) / 2;
  return std::floor(v * half + (static_cast<float>(gl.viewport[axis]) + half) + 1e-4f);
}

}  // namespace

extern "C" {

void glClear(GLbitfield) { web_clear(); }
void glColor3f(GLfloat r, GLfloat g, GLfloat b) {
  gl.color[0] = r;
  gl.color[1] = g;
  gl.color[2] = b;
}
void glBegin(GLenum mode) {
  gl.inPrimitive = true;
  gl.mode = mode;
  gl.vertices.clear();
}
void glEnd() {
  gl.inPrimitive = false;
  const int count = static_cast<int>(gl.vertices.size() / 5);
  if (count > 0) web_draw(static_cast<int>(gl.mode), gl.vertices.data(), count, gl.pointSize, gl.lineWidth);
}
void glVertex3f(GLfloat x, GLfloat y, GLfloat /*z: the scene is flat and depth is never tested*/) {
  if (!gl.inPrimitive) return;
  gl.vertices.insert(gl.vertices.end(), {windowX(x), windowY(y), gl.color[0], gl.color[1], gl.color[2]});
}
void glVertex2f(GLfloat x, GLfloat y) { glVertex3f(x, y, 0); }
// Blending, smoothing and the blend function need nothing here: every colour is
// opaque, and the canvas draws points round and lines smooth anyway.
void glEnable(GLenum) {}
void glDisable(GLenum) {}
void glBlendFunc(GLenum, GLenum) {}
// Polygons are always drawn as outlines, the only mode the shell sets.
void glPolygonMode(GLenum, GLenum) {}
void glPointSize(GLfloat size) { gl.pointSize = size; }
void glPushAttrib(GLbitfield) {
  attributeStack.push_back({{gl.color[0], gl.color[1], gl.color[2]}, gl.pointSize, gl.lineWidth});
}
void glPopAttrib() {
  if (attributeStack.empty()) return;  // GL's stack underflow: an error that changes nothing
  const Attributes& a = attributeStack.back();
  glColor3f(a.color[0], a.color[1], a.color[2]);
  gl.pointSize = a.pointSize;
  gl.lineWidth = a.lineWidth;
  attributeStack.pop_back();
}
void glLineWidth(GLfloat width) { gl.lineWidth = width; }
void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  gl.viewport[0] = x;
  gl.viewport[1] = y;
  gl.viewport[2] = width;
  gl.viewport[3] = height;
}
void glMatrixMode(GLenum) {}
void glLoadIdentity() {}
void glRasterPos2f(GLfloat x, GLfloat y) {
  // As in GL, a raster position outside the clip volume is invalid and its text is not drawn.
  gl.rasterValid = x >= -1 && x <= 1 && y >= -1 && y <= 1;
  if (gl.rasterValid) web_label(bitmapOrigin(x, 0), bitmapOrigin(y, 1), gl.color[0], gl.color[1], gl.color[2]);
}

}  // extern "C"

void webBitmapCharacter(int c) {
  if (gl.rasterValid) web_character(c);
}

void webSwapBuffers() { web_swap(); }
