#include <GL/glut.h>
#include <geometry/contract.h>
#include <viewer/viewer.h>

#include <cmath>
#include <limits>

namespace viewer {

int windowWidth = 640;
int windowHeight = 480;
Vector2 cursor;
Vector3* selected = nullptr;
ViewerSettings activeSettings{};  // replaced by runViewer with the program's own
ViewerCallbacks activeCallbacks{};
PickSource pickable;
std::span<const char* const> pointNames;
float pickReach = 0;

namespace {
constexpr float reshapePointSize = 8;
constexpr float cuttingLineHalfLength = 5;  // beyond the window's corners whatever the handles

void drawPrimitive(GLenum mode, std::span<const Vector3> positions) {
  glBegin(mode);
  for (const Vector3& p : positions) emitVertex(p);
  glEnd();
}

// The reach is in window pixels, the radius in scene units, and a scene unit is windowWidth / 2
// pixels across but windowHeight / 2 up. Converted through the shorter side, the radius covers
// at least the reach in every direction (more along the longer side).
float pickRadiusWithReach() {
  const int shorter = std::min(windowWidth, windowHeight);
  if (!std::isfinite(pickReach) || pickReach <= 0 || shorter <= 0) return activeSettings.pickRadius;
  return std::max(activeSettings.pickRadius, static_cast<float>(pickReach * 2.0 / shorter));
}

bool isFinite(Vector2 p) { return std::isfinite(p.x) && std::isfinite(p.y); }

// The nearest whole number to v, if an int holds it.
bool toInt(double v, int& out) {
  const double rounded = std::round(v);
  if (!(rounded >= std::numeric_limits<int>::min() && rounded <= std::numeric_limits<int>::max())) return false;
  out = static_cast<int>(rounded);
  return true;
}
}  // namespace

std::size_t PickSource::size() const {
  if (store) return store->size();
  if (points) return points->size();
  return 0;
}

Vector3* PickSource::at(std::size_t i) const {
  if (i >= size()) geometry::contractViolation("PickSource::at", "index out of range");
  return store ? &store->begin()[static_cast<std::ptrdiff_t>(i)]->position : &(*points)[i];
}

Vector3* PickSource::pick(std::size_t count, Vector2 at, float radius) const {
  const auto n = static_cast<std::ptrdiff_t>(std::min(count, size()));
  if (store) return pickVertex(store->begin(), store->begin() + n, at, radius);
  if (points) return pickVertex(points->begin(), points->begin() + n, at, radius);
  return nullptr;
}

Vector2 toScene(int x, int y) {
  // A minimised window reports a zero size; mapping through it would put an
  // infinite or not-a-number position on whatever is being dragged.
  if (windowWidth == 0 || windowHeight == 0) return cursor;
  return {static_cast<float>(x * 2.0 / windowWidth - 1), static_cast<float>(1 - y * 2.0 / windowHeight)};
}

bool toPixel(Vector2 scene, int& x, int& y) {
  if (windowWidth == 0 || windowHeight == 0) return false;
  return toInt((scene.x + 1.0) * windowWidth / 2, x) && toInt((1.0 - scene.y) * windowHeight / 2, y);
}

void drawText(float x, float y, const char* text) {
  glRasterPos2f(x, y);
  for (const char* c = text; *c; ++c) glutBitmapCharacter(GLUT_BITMAP_8_BY_13, *c);
}

void drawText(const Vector3& position, const char* text) { drawText(position.x, position.y, text); }

void emitVertex(const Vector3& position) { glVertex3f(position.x, position.y, position.z); }

void drawOutline(const geometry::Polygon& polygon) {
  glBegin(GL_POLYGON);
  polygon.emitVertices();
  glEnd();
}

void drawOutline(std::span<const Vector3> corners) { drawPrimitive(GL_POLYGON, corners); }

void drawCorners(const geometry::Polygon& polygon) {
  glBegin(GL_POINTS);
  polygon.emitVertices();
  glEnd();
}

void drawCorners(const geometry::Polygon& first, const geometry::Polygon& second) {
  glBegin(GL_POINTS);
  first.emitVertices();
  second.emitVertices();
  glEnd();
}

void drawPoints(std::span<const Vector3> points) { drawPrimitive(GL_POINTS, points); }

void drawPiece(const geometry::Polygon& piece, Color color, float pointSize) {
  glColor3f(color.r, color.g, color.b);
  glPointSize(pointSize);
  drawCorners(piece);
  drawOutline(piece);
}

void drawLabel(int row, const char* text) {
  // One rounding of the exact hundredths: row k gives the same float as the literal
  // 0.95f, 0.9f, 0.85f, ..., which 0.95f - 0.05f * k does not (rows 2 and 3 differ).
  drawText(-1, static_cast<float>(95 - 5 * row) / 100, text);
}

void addCorners(geometry::Polygon& polygon, geometry::VertexStore& store, std::span<const Vector2> corners) {
  for (const Vector2& c : corners) polygon.addVertex(geometry::VertexRef(geometry::Vertex(c.x, c.y, 0), store));
}

void drawCuttingLine(const Vector3& a, const Vector3& b, float halfWidth) {
  Vector3 dir = b - a;
  dir.normalize();  // handles on top of each other leave it zero: everything collapses onto a
  const Vector3 start = a - dir * cuttingLineHalfLength;
  const Vector3 end = start + dir * (2 * cuttingLineHalfLength);
  const Vector3 band = Vector3{dir.y, -dir.x, 0} * halfWidth;
  glColor3f(1, 1, 1);
  glLineWidth(1.5f);
  glBegin(GL_LINES);
  emitVertex(start);
  emitVertex(end);
  glColor3f(0.5f, 0.5f, 0.5f);
  emitVertex(start + band);
  emitVertex(end + band);
  emitVertex(start - band);
  emitVertex(end - band);
  glEnd();
}

bool moveSelectedToCursor() {
  if (!selected) return false;
  *selected = {cursor.x, cursor.y, 0};
  return true;
}

void finishDrag(bool moved) {
  if (moved && activeCallbacks.recompute) activeCallbacks.recompute();
  if (moved || activeSettings.redisplayAfterIdleDrag) glutPostRedisplay();
}

void onReshape(int width, int height) {
  windowWidth = width;
  windowHeight = height;
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  if (activeSettings.reshapeSetsWhite) glColor3f(1, 1, 1);
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  glEnable(GL_POINT_SMOOTH);
  glEnable(GL_LINE_SMOOTH);
  if (activeSettings.reshapeEnablesBlend) glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  if (activeSettings.reshapeSetsPointSize) glPointSize(reshapePointSize);
}

void onMouse(int button, int /*state: press and release act alike*/, int x, int y) {
  cursor = toScene(x, y);
  if (button == GLUT_LEFT_BUTTON)
    selected = pickable.pick(activeSettings.pickableEntries, cursor, pickRadiusWithReach());
  else if (button == GLUT_MIDDLE_BUTTON || button == GLUT_RIGHT_BUTTON)
    selected = nullptr;
  if (activeSettings.redisplayAfterButton) glutPostRedisplay();
}

void onDrag(int x, int y) {
  cursor = toScene(x, y);
  finishDrag(moveSelectedToCursor());
}

void onHover(int x, int y) {
  cursor = toScene(x, y);
  glutPostRedisplay();
}

ViewerState readState() {
  ViewerState state{{}, cursor};
  for (std::size_t i = 0; i < pointNames.size(); ++i) {
    const Vector3& p = *pickable.at(i);
    state.points.push_back({p.x, p.y});
  }
  return state;
}

bool setState(const ViewerState& state) {
  if (state.points.size() != pointNames.size() || !isFinite(state.cursor) ||
      !std::all_of(state.points.begin(), state.points.end(), isFinite))
    return false;
  for (std::size_t i = 0; i < state.points.size(); ++i) *pickable.at(i) = {state.points[i].x, state.points[i].y, 0};
  cursor = state.cursor;
  if (activeCallbacks.recompute) activeCallbacks.recompute();
  glutPostRedisplay();
  return true;
}

void movePoint(std::size_t i, int x, int y) {
  if (i >= pointNames.size()) geometry::contractViolation("movePoint", "no such named point");
  selected = pickable.at(i);
  activeCallbacks.drag(x, y);
}

void moveCursor(int x, int y) {
  if (activeSettings.passiveMotion) onHover(x, y);
}

bool pointPixel(std::size_t i, int& x, int& y) {
  if (i > pointNames.size()) return false;
  if (i == pointNames.size()) return toPixel(cursor, x, y);
  const Vector3& p = *pickable.at(i);
  return toPixel({p.x, p.y}, x, y);
}

namespace {
// Index of the named point whose position `position` links, or -1.
int namedIndex(const Vector3* position) {
  for (std::size_t i = 0; i < pointNames.size(); ++i)
    if (pickable.at(i) == position) return static_cast<int>(i);
  return -1;
}
}  // namespace

int selectedPoint() { return namedIndex(selected); }

std::string nameOf(const Vector3& position) {
  const int i = namedIndex(&position);
  return i < 0 ? "" : pointNames[static_cast<std::size_t>(i)];
}

}  // namespace viewer
