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
#include <string>
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
  /// Position of entry i, which must be below size().
  Vector3* at(std::size_t i) const;
  /// pickVertex over the first `count` entries (fewer if the source is shorter).
  Vector3* pick(std::size_t count, Vector2 cursor, float radius) const;

 private:
  const geometry::VertexStore* store = nullptr;
  std::vector<Vector3>* points = nullptr;
};

struct ExplanationStep;
/// The steps of an explanation, in walk order (explanation.h).
using Explanation = std::vector<ExplanationStep>;
struct MapClasses;

/// The callbacks a program hands to the shell.
struct ViewerCallbacks {
  void (*display)();
  void (*drag)(int x, int y);
  /// What follows from the points' positions (a split, a cut, the handles), run after every move
  /// of a point and after a restore; nullptr where the display computes everything itself.
  void (*recompute)() = nullptr;
  /// The steps by which the program's method reaches its answer for the figure as it is now, in
  /// walk order; nullptr where the program explains nothing.
  Explanation (*explain)() = nullptr;
  /// Classes every window pixel by the program's answer with the pointer there, into the map's
  /// reused buffers (map.h); nullptr where the program has no map.
  void (*map)(MapClasses&) = nullptr;
};

/// The figure as a value: the named points' positions in store order, then the cursor.
struct ViewerState {
  std::vector<Vector2> points;  ///< (x, y) of each named point; every named point lies at z = 0
  Vector2 cursor;
};

// Viewer state, one set per program.
extern int windowWidth;                  ///< current window width in pixels, following every reshape
extern int windowHeight;                 ///< current window height in pixels
extern Vector2 cursor;                   ///< last mouse position seen by any mouse callback, in scene coordinates
extern Vector3* selected;                ///< position of the point being dragged, or nullptr
extern ViewerSettings activeSettings;    ///< the running program's settings
extern ViewerCallbacks activeCallbacks;  ///< the running program's callbacks
extern PickSource pickable;              ///< the running program's pickable points
/// Names of the points that make up the figure: the first pointNames.size() pickable entries, in store order.
extern std::span<const char* const> pointNames;
/// Touch allowance for picking, in window pixels; 0 (a mouse or a pen) picks within the program's radius alone.
extern float pickReach;
/// The cursor's name beside the named points.
inline constexpr const char* cursorName = "pointer";
/// Pixel (x, y), top-left origin, in scene coordinates (-1..1 both ways, y up).
/// While the window has no area the mapping means nothing, and the last cursor is returned.
Vector2 toScene(int x, int y);
/// The window pixel nearest to a scene point (toScene's inverse, rounded); false if there is none
/// (a window without area, or a coordinate that is not finite or beyond the range of int).
bool toPixel(Vector2 scene, int& x, int& y);
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
/// The end of every drag step: the program's recomputation if a point moved, then a redisplay
/// unless nothing moved and the settings want none after an idle drag.
void finishDrag(bool moved);

void onReshape(int width, int height);
/// Left button (press or release) picks, middle and right drop the selection, other codes keep it.
void onMouse(int button, int state, int x, int y);
/// Moves the selected point to the mouse and finishes the drag step.
void onDrag(int x, int y);
/// Follows the mouse; nothing is picked or moved.
void onHover(int x, int y);

/// The named points' positions and the cursor, as they are now.
ViewerState readState();
/// Writes each named point at (x, y, 0) and the cursor as given, runs the recomputation and asks
/// for a redisplay; `selected` keeps its target. False, and nothing changed, for a count other
/// than the names' or a coordinate that is not finite.
bool setState(const ViewerState& state);
/// Named point i (below pointNames.size()) to window pixel (x, y) as a drag there would take it:
/// `selected` becomes that point, then the program's own drag callback runs.
void movePoint(std::size_t i, int x, int y);
/// The cursor to window pixel (x, y) through the passive-motion callback; nothing where the program has none.
void moveCursor(int x, int y);
/// toPixel of named point i, or of the cursor for i == pointNames.size(); false beyond that too.
bool pointPixel(std::size_t i, int& x, int& y);
/// Index of the named point that `selected` links, or -1.
int selectedPoint();
/// The name of the named point whose position this is (the same record, not merely the same
/// place), as the page names it; "" for any other.
std::string nameOf(const Vector3& position);

/// Opens the "zembrola" window with the program's settings and runs the event loop; 0 if the loop ever returns.
/// The names, which must outlive the run, are those of the first pickable entries.
int runViewer(int argc, char** argv, const ViewerSettings& settings, PickSource source,
              const ViewerCallbacks& callbacks, std::span<const char* const> names = {});

}  // namespace viewer
