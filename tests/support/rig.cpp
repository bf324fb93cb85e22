#include "rig.h"

#include <GL/glut.h>
#include <gtest/gtest.h>
#include <viewer/explanation.h>
#include <viewer/viewer.h>

#include <cmath>
#include <random>

namespace rig {
namespace {

struct Recording {
  WindowState window;
  std::vector<Call> calls;
  std::vector<Primitive> primitives;
  std::vector<Label> labels;
  bool inPrimitive = false;
  std::vector<WindowState> attributeStack;  // glPushAttrib's saves of the whole window state
  int swaps = 0;
  bool mainLoopEntered = false;
  void (*display)() = nullptr;
  void (*reshape)(int, int) = nullptr;
  void (*mouse)(int, int, int, int) = nullptr;
  void (*motion)(int, int) = nullptr;
  void (*passive)(int, int) = nullptr;
};

Recording& rec() {
  static Recording r;
  return r;
}

void record(const char* name, std::vector<double> args = {}, std::string text = {}) {
  rec().calls.push_back({name, std::move(args), std::move(text)});
}

void addVertex(float x, float y, float z) {
  Recording& r = rec();
  if (!r.inPrimitive)
    ADD_FAILURE() << "glVertex outside glBegin/glEnd";
  else
    r.primitives.back().vertices.push_back({{x, y, z}, r.window.color});
}

void setEnabled(GLenum cap, bool on) {
  if (cap == GL_BLEND) rec().window.blend = on;
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const Color& c) {
  return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

std::vector<geometry::Vector3> Primitive::positions() const {
  std::vector<geometry::Vector3> out;
  for (const DrawnVertex& v : vertices) out.push_back(v.position);
  return out;
}

std::vector<std::string> Frame::labelTexts() const {
  std::vector<std::string> out;
  for (const Label& l : labels) out.push_back(l.text);
  return out;
}

std::vector<Primitive> Frame::ofMode(GLenum mode) const {
  std::vector<Primitive> out;
  for (const Primitive& p : primitives)
    if (p.mode == mode) out.push_back(p);
  return out;
}

const WindowState& window() { return rec().window; }
const std::vector<Call>& callsSinceDisplay() { return rec().calls; }
void clearCalls() { rec().calls.clear(); }

int pixelX(float sceneX, int width) { return static_cast<int>(std::lround((sceneX + 1.0) * width / 2)); }
int pixelY(float sceneY, int height) { return static_cast<int>(std::lround((1.0 - sceneY) * height / 2)); }

std::vector<Pixel> mapPixels(int count, int width, int height) {
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> x(0, width - 1), y(0, height - 1);
  std::vector<Pixel> pixels;
  for (int i = 0; i < count; ++i) pixels.push_back({x(random), y(random)});
  for (int i = 0; i < width; ++i) pixels.push_back({i, height / 2});
  return pixels;
}

Program::Program(int (*entry)(int, char**)) {
  static bool started = false;
  if (started) {
    ADD_FAILURE() << "a process can start its program only once; run each test as its own process (ctest does)";
    return;
  }
  started = true;
  static char name[] = "program_under_test";
  static char* argv[] = {name, nullptr};
  exitCode_ = entry(1, argv);
  EXPECT_TRUE(rec().mainLoopEntered) << "the program never entered the event loop";
  EXPECT_NE(rec().display, nullptr);
  startCalls_ = rec().calls;
  rec().calls.clear();
}

bool Program::hasPassiveMotion() const { return rec().passive != nullptr; }

void Program::reshape(int width, int height) {
  width_ = width;
  height_ = height;
  rec().reshape(width, height);
}

void Program::press(int button, int x, int y) { rec().mouse(button, GLUT_DOWN, x, y); }
void Program::release(int button, int x, int y) { rec().mouse(button, GLUT_UP, x, y); }
void Program::click(int button, int x, int y) {
  press(button, x, y);
  release(button, x, y);
}
void Program::dragFromTo(int x0, int y0, int x1, int y1) {
  press(GLUT_LEFT_BUTTON, x0, y0);
  drag(x1, y1);
  release(GLUT_LEFT_BUTTON, x1, y1);
}
void Program::drag(int x, int y) { rec().motion(x, y); }
void Program::hover(int x, int y) {
  if (rec().passive) rec().passive(x, y);
}

void Program::clickAt(int button, geometry::Vector2 p) { click(button, pixelX(p.x, width_), pixelY(p.y, height_)); }
void Program::dragAt(geometry::Vector2 p) { drag(pixelX(p.x, width_), pixelY(p.y, height_)); }
void Program::dragFromToAt(geometry::Vector2 from, geometry::Vector2 to) {
  dragFromTo(pixelX(from.x, width_), pixelY(from.y, height_), pixelX(to.x, width_), pixelY(to.y, height_));
}
void Program::hoverAt(geometry::Vector2 p) { hover(pixelX(p.x, width_), pixelY(p.y, height_)); }

Frame Program::display() {
  Recording& r = rec();
  r.calls.clear();
  r.primitives.clear();
  r.labels.clear();
  r.swaps = 0;
  r.window.redisplayRequests = 0;
  r.display();
  EXPECT_FALSE(r.inPrimitive) << "display ended inside glBegin/glEnd";
  Frame frame{r.calls, r.primitives, r.labels, r.swaps};
  r.calls.clear();
  return frame;
}

Frame Program::displayExplained(int step) {
  viewer::explainedStep = step;
  Frame frame = display();
  viewer::explainedStep = -1;
  return frame;
}

std::vector<std::string> Program::stepTexts() const {
  std::vector<std::string> texts;
  for (const viewer::ExplanationStep& step : viewer::explanation) texts.push_back(step.text);
  return texts;
}

}  // namespace rig

// The stand-in entry points. They keep the little GL state the tests look at.
using rig::rec;
using rig::record;

extern "C" {

void* glutBitmap8By13 = nullptr;

void glClear(GLbitfield mask) { record("glClear", {double(mask)}); }
void glColor3f(GLfloat r, GLfloat g, GLfloat b) {
  record("glColor3f", {r, g, b});
  rec().window.color = {r, g, b};
}
void glBegin(GLenum mode) {
  record("glBegin", {double(mode)});
  auto& r = rec();
  if (r.inPrimitive) ADD_FAILURE() << "glBegin inside glBegin/glEnd";
  r.inPrimitive = true;
  r.primitives.push_back({mode, r.window.pointSize, r.window.lineWidth, r.window.blend, {}});
}
void glEnd() {
  record("glEnd");
  if (!rec().inPrimitive) ADD_FAILURE() << "glEnd without glBegin";
  rec().inPrimitive = false;
}
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
  record("glVertex3f", {x, y, z});
  rig::addVertex(x, y, z);
}
void glVertex2f(GLfloat x, GLfloat y) {
  record("glVertex2f", {x, y});
  rig::addVertex(x, y, 0);
}
void glEnable(GLenum cap) {
  record("glEnable", {double(cap)});
  rig::setEnabled(cap, true);
}
void glDisable(GLenum cap) {
  record("glDisable", {double(cap)});
  rig::setEnabled(cap, false);
}
void glBlendFunc(GLenum s, GLenum d) { record("glBlendFunc", {double(s), double(d)}); }
void glPolygonMode(GLenum face, GLenum mode) { record("glPolygonMode", {double(face), double(mode)}); }
void glPointSize(GLfloat size) {
  record("glPointSize", {size});
  if (rec().inPrimitive) ADD_FAILURE() << "glPointSize inside glBegin/glEnd";
  rec().window.pointSize = size;
}
void glLineWidth(GLfloat width) {
  record("glLineWidth", {width});
  if (rec().inPrimitive) ADD_FAILURE() << "glLineWidth inside glBegin/glEnd";
  rec().window.lineWidth = width;
}
void glPushAttrib(GLbitfield mask) {
  record("glPushAttrib", {double(mask)});
  rec().attributeStack.push_back(rec().window);
}
void glPopAttrib() {
  record("glPopAttrib");
  auto& r = rec();
  if (r.attributeStack.empty()) {
    ADD_FAILURE() << "glPopAttrib without glPushAttrib";
    return;
  }
  const rig::WindowState& saved = r.attributeStack.back();
  r.window.color = saved.color;
  r.window.pointSize = saved.pointSize;
  r.window.lineWidth = saved.lineWidth;
  r.window.blend = saved.blend;
  r.attributeStack.pop_back();
}
void glViewport(GLint x, GLint y, GLsizei w, GLsizei h) {
  record("glViewport", {double(x), double(y), double(w), double(h)});
}
void glMatrixMode(GLenum mode) { record("glMatrixMode", {double(mode)}); }
void glLoadIdentity() { record("glLoadIdentity"); }
void glRasterPos2f(GLfloat x, GLfloat y) {
  record("glRasterPos2f", {x, y});
  rec().labels.push_back({"", x, y, rec().window.color});
}

void glutInit(int* argc, char** argv) { record("glutInit", {double(*argc)}, argv[0]); }
void glutInitDisplayMode(unsigned int mode) {
  record("glutInitDisplayMode", {double(mode)});
  rec().window.displayMode = mode;
}
void glutInitWindowSize(int w, int h) {
  record("glutInitWindowSize", {double(w), double(h)});
  rec().window.initWidth = w;
  rec().window.initHeight = h;
}
int glutCreateWindow(const char* title) {
  record("glutCreateWindow", {}, title);
  rec().window.title = title;
  return 1;
}
void glutDisplayFunc(void (*f)()) {
  record("glutDisplayFunc");
  rec().display = f;
}
void glutReshapeFunc(void (*f)(int, int)) {
  record("glutReshapeFunc");
  rec().reshape = f;
}
void glutMouseFunc(void (*f)(int, int, int, int)) {
  record("glutMouseFunc");
  rec().mouse = f;
}
void glutMotionFunc(void (*f)(int, int)) {
  record("glutMotionFunc");
  rec().motion = f;
}
void glutPassiveMotionFunc(void (*f)(int, int)) {
  record("glutPassiveMotionFunc");
  rec().passive = f;
}
void glutMainLoop() {
  record("glutMainLoop");
  rec().mainLoopEntered = true;
}
void glutPostRedisplay() {
  record("glutPostRedisplay");
  ++rec().window.redisplayRequests;
}
void glutSwapBuffers() {
  record("glutSwapBuffers");
  ++rec().swaps;
}
void glutBitmapCharacter(void* font, int c) {
  record("glutBitmapCharacter", {double(c)});
  if (font != GLUT_BITMAP_8_BY_13) ADD_FAILURE() << "text drawn in a font other than the 8x13 bitmap";
  if (rec().labels.empty())
    ADD_FAILURE() << "glutBitmapCharacter before any glRasterPos2f";
  else
    rec().labels.back().text.push_back(static_cast<char>(c));
}

}  // extern "C"
