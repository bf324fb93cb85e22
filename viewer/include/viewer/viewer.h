// The shell every program runs in: one window, scene coordinates equal to
// normalised device coordinates, text labels, and mouse pick-and-drag of points.
#pragma once

#include <geometry/polygon.h>
#include <geometry/vector.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>
#include <vector>

namespace viewer {

using geometry::Vector2;
using geometry::Vector3;

/// Number of pickable entries meaning "the whole store, however far it grows".
inline constexpr std::size_t allEntries = SIZE_MAX;

/// Everything in which the shell's behaviour differs between programs; each program keeps its own, beside its code.
struct ViewerSettings {
  int windowWidth;              ///< initial window width, pixels
  int windowHeight;             ///< initial window height, pixels
  bool reshapeSetsWhite;        ///< reshape sets the current colour to white
  bool reshapeEnablesBlend;     ///< reshape enables GL_BLEND
  bool reshapeSetsPointSize;    ///< reshape sets the point size to 8
  float pickRadius;             ///< a point is picked only strictly nearer than this
  std::size_t pickableEntries;  ///< the first entries of the store that can be picked
  bool redisplayAfterButton;    ///< a mouse-button event requests a redisplay
  bool redisplayAfterIdleDrag;  ///< a drag with nothing selected still requests a redisplay
  bool passiveMotion;           ///< mouse motion without a button is followed
};

/// Accumulates the entry nearest to the cursor in the xy-plane, strictly within the starting radius.
/// It never fires: a find-first search over it visits every entry, and of equal distances the first stays.
struct NearestPick {
  float best;
  Vector3* found;
  float cursorX;
  float cursorY;

  bool operator()(geometry::Vertex* vertex) { return (*this)(vertex->position); }
  bool operator()(Vector3& position) {
    const float distance = Vector2{cursorX - position.x, cursorY - position.y}.length();
    if (distance < best) {
      best = distance;
      found = &position;
    }
    return false;
  }
};

/// The nearest entry of [first, last) within radius of cursor, as a link to its position; nullptr if none.
/// Entries are vertex links of a store or plain positions.
template <class Iterator>
Vector3* pickVertex(Iterator first, Iterator last, Vector2 cursor, float radius) {
  NearestPick pick{radius, nullptr, cursor.x, cursor.y};
  std::find_if(first, last, std::ref(pick));
  return pick.found;
}

/// What the mouse picks from: a program's vertex store, or a list of plain positions.
/// It refers to the live sequence, so entries added later become pickable too.
class PickSource {
 public:
  PickSource() = default;
  PickSource(const geometry::VertexStore& store) : store(&store) {}
  PickSource(std::vector<Vector3>& points) : points(&points) {}

  std::size_t size() const;
  /// pickVertex over the first `count` entries (fewer if the source is shorter).
  Vector3* pick(std::size_t count, Vector2 cursor, float radius) const;

 private:
  const geometry::VertexStore* store = nullptr;
  std::vector<Vector3>* points = nullptr;
};

/// The display and motion callbacks a program hands to the shell.
struct ViewerCallbacks {
  void (*display)();
  void (*drag)(int x, int y);
};

// Viewer state, one set per program.
extern int windowWidth;                ///< current window width in pixels, following every reshape
extern int windowHeight;               ///< current window height in pixels
extern Vector2 cursor;                 ///< last mouse position seen by any mouse callback, in scene coordinates
extern Vector3* selected;              ///< position of the point being dragged, or nullptr
extern ViewerSettings activeSettings;  ///< the running program's settings
extern PickSource pickable;            ///< the running program's pickable points

/// Pixel (x, y), top-left origin, in scene coordinates (-1..1 both ways, y up).
/// While the window has no area the mapping means nothing, and the last cursor is returned.
Vector2 toScene(int x, int y);
/// Raster position (x, y) in the current colour, then the text in the 8x13 bitmap font.
void drawText(float x, float y, const char* text);
/// The same at (position.x, position.y); z is ignored.
void drawText(const Vector3& position, const char* text);
/// The square most programs start from, clockwise from its lower left corner.
inline constexpr Vector2 unitSquare[] = {{-0.5f, -0.5f}, {-0.5f, 0.5f}, {0.5f, 0.5f}, {0.5f, -0.5f}};
/// Appends to polygon a new vertex record at (x, y, 0) for each corner, in order, registered in store.
void addCorners(geometry::Polygon& polygon, geometry::VertexStore& store, std::span<const Vector2> corners);
/// One glVertex3f of a single point (a handle, a query result).
void emitVertex(const Vector3& position);

// The drawing steps that displays share. Each is the same few GL calls a display
// would make itself, so a display reads as its numbered steps.

/// A colour as glColor3f takes it.
struct Color {
  float r, g, b;
};
/// The polygon as one GL_POLYGON, which the reshape's polygon mode draws as an outline.
void drawOutline(const geometry::Polygon& polygon);
/// The same for plain corner positions.
void drawOutline(std::span<const Vector3> corners);
/// The polygon's corners as one GL_POINTS primitive, in order.
void drawCorners(const geometry::Polygon& polygon);
/// The corners of both polygons, first then second, as one GL_POINTS primitive.
void drawCorners(const geometry::Polygon& first, const geometry::Polygon& second);
/// Single points (handles, query results, plain corners) as one GL_POINTS primitive.
void drawPoints(std::span<const Vector3> points);
inline void drawPoints(std::initializer_list<Vector3> points) { drawPoints({points.begin(), points.size()}); }
/// A computed piece in its colour: points of the given size at its corners, then its outline.
void drawPiece(const geometry::Polygon& piece, Color color, float pointSize);
/// The label on text row `row` of the top left corner: left-aligned at x = -1, the first
/// row at y = 0.95 and each further row 0.05 lower.
void drawLabel(int row, const char* text);
/// The cutting line through handles a and b, white, reaching 5 units either way from a, and the two grey
/// lines halfWidth to either side that bound its tolerance band; line width 1.5, all at z = 0.
void drawCuttingLine(const Vector3& a, const Vector3& b, float halfWidth);
/// Moves the selected point to (cursor.x, cursor.y, 0); false if nothing is selected.
bool moveSelectedToCursor();

void onReshape(int width, int height);
/// Left button (press or release) picks, middle and right drop the selection, other codes keep it.
void onMouse(int button, int state, int x, int y);
/// Moves the selected point to the mouse.
void onDrag(int x, int y);
/// Follows the mouse; nothing is picked or moved.
void onHover(int x, int y);

/// Opens the "zembrola" window with the program's settings and runs the event loop; 0 if the loop ever returns.
int runViewer(int argc, char** argv, const ViewerSettings& settings, PickSource source,
              const ViewerCallbacks& callbacks);

}  // namespace viewer
