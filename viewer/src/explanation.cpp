// The explanation of a program's method, drawn over its figure one step at a time, and the
// way its steps write numbers and points.
#include <GL/glut.h>
#include <viewer/explanation.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace viewer {

int explainedStep = -1;
Explanation explanation;

namespace {
constexpr float acrossHalfLength = 5;  // beyond the window's corners from any point in it

void drawLines(GLenum mode, std::span<const Vector3> points, Color color, float width) {
  glColor3f(color.r, color.g, color.b);
  glLineWidth(width);
  glBegin(mode);
  for (const Vector3& p : points) emitVertex(p);
  glEnd();
}
}  // namespace

void drawExplanation() {
  if (explainedStep < 0 || !activeCallbacks.explain) {
    explanation.clear();
    return;
  }
  explanation = activeCallbacks.explain();
  if (explanation.empty()) return;
  explainedStep = std::min(explainedStep, static_cast<int>(explanation.size()) - 1);
  const ExplanationStep& step = explanation[static_cast<std::size_t>(explainedStep)];
  if (!step.draw) return;
  glPushAttrib(GL_CURRENT_BIT | GL_ENABLE_BIT | GL_POINT_BIT | GL_LINE_BIT);
  step.draw();
  glPopAttrib();
}

std::string explainNumber(float value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
  char text[64];
  std::snprintf(text, sizeof text, "%.4f", static_cast<double>(value));
  std::string out = text;
  out.erase(out.find_last_not_of('0') + 1);
  if (out.back() == '.') out.pop_back();
  return out == "-0" ? "0" : out;
}

std::string explainPoint(const Vector3& p) {
  std::string out = "(";  // appended, since g++ 12 warns wrongly of "(" + a string
  out += explainNumber(p.x);
  out += ", ";
  out += explainNumber(p.y);
  out += ")";
  return out;
}

void drawLineAcross(const Vector3& through, const Vector3& direction, Color color, float width) {
  Vector3 d = direction;
  d.normalize();
  drawSegment(through - d * acrossHalfLength, through + d * acrossHalfLength, color, width);
}

void drawSegment(const Vector3& a, const Vector3& b, Color color, float width) {
  const Vector3 ends[] = {a, b};
  drawLines(GL_LINES, ends, color, width);
}

void drawMarks(std::span<const Vector3> points, Color color, float size) {
  glColor3f(color.r, color.g, color.b);
  glPointSize(size);
  glBegin(GL_POINTS);
  for (const Vector3& p : points) emitVertex(p);
  glEnd();
}

void drawStrip(std::span<const Vector3> points, Color color, float width) {
  drawLines(GL_LINE_STRIP, points, color, width);
}

void drawLoop(std::span<const Vector3> corners, Color color, float width) {
  drawLines(GL_LINE_LOOP, corners, color, width);
}

std::vector<Vector3> positionsOf(const geometry::Polygon& polygon) {
  std::vector<Vector3> out;
  for (const geometry::VertexRef& ref : polygon) out.push_back(ref->position);
  return out;
}

std::string StepNames::made(const geometry::Vertex* record) {
  made_.push_back(record);
  return of(record);
}

std::string StepNames::of(const geometry::Vertex* record) const {
  const auto found = std::find(made_.begin(), made_.end(), record);
  if (found == made_.end()) return nameOf(record->position);
  std::string name = "X";  // appended, since g++ 12 warns wrongly of "X" + a string
  name += std::to_string(found - made_.begin() + 1);
  return name;
}

std::string StepNames::list(const geometry::Polygon& piece) const {
  if (piece.size() == 0) return "empty";
  std::string out;
  for (const geometry::VertexRef& ref : piece) {
    if (!out.empty()) out += ", ";
    out += of(ref.vertex);
  }
  return out;
}

}  // namespace viewer
