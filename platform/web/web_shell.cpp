// The shell's figure as the page's script sees it: the named points and the cursor, their
// state as pairs of floats, keyboard moves, the touch allowance, the explanation's steps and the
// map of the program's answers.
// Indices from the page are checked here; point count (one past the last named point) stands
// for the cursor.
#include <GL/glut.h>
#include <emscripten.h>
#include <viewer/explanation.h>
#include <viewer/map.h>
#include <viewer/viewer.h>

#include <cmath>

namespace {

int pointCount() { return static_cast<int>(viewer::pointNames.size()); }

bool isNamedPoint(int i) { return i >= 0 && i < pointCount(); }

// The last map computed, its buffers kept from one map to the next.
viewer::MapClasses answers;

int mapClassCount() { return static_cast<int>(answers.names.size()); }

}  // namespace

extern "C" {

/// Number of named points, the cursor not counted.
EMSCRIPTEN_KEEPALIVE int web_point_count() { return pointCount(); }

/// Name of point i; the cursor's for i == count, "" beyond.
EMSCRIPTEN_KEEPALIVE const char* web_point_name(int i) {
  if (isNamedPoint(i)) return viewer::pointNames[static_cast<std::size_t>(i)];
  return i == pointCount() ? viewer::cursorName : "";
}

/// 1 where the program follows passive motion, so that the cursor is a point of its own.
EMSCRIPTEN_KEEPALIVE int web_has_cursor() { return viewer::activeSettings.passiveMotion ? 1 : 0; }

/// Writes count + 1 pairs (x, y) to out, the named points then the cursor; returns count + 1.
EMSCRIPTEN_KEEPALIVE int web_read_state(float* out) {
  const viewer::ViewerState state = viewer::readState();
  for (const viewer::Vector2& p : state.points) {
    *out++ = p.x;
    *out++ = p.y;
  }
  out[0] = state.cursor.x;
  out[1] = state.cursor.y;
  return pointCount() + 1;
}

/// Sets the figure from count + 1 pairs; 1 if done, 0 if refused (another count, a value not finite).
EMSCRIPTEN_KEEPALIVE int web_write_state(const float* in, int pairs) {
  if (pairs != pointCount() + 1) return 0;
  viewer::ViewerState state;
  for (int i = 0; i < pointCount(); ++i) state.points.push_back({in[2 * i], in[2 * i + 1]});
  state.cursor = {in[2 * pointCount()], in[2 * pointCount() + 1]};
  return viewer::setState(state) ? 1 : 0;
}

/// The touch allowance, in window pixels, for the button events that follow; the page sets 0 again
/// once the touch is lifted, since the release picks too. Negative or not finite counts as 0.
EMSCRIPTEN_KEEPALIVE void web_set_pick_reach(float windowPixels) {
  viewer::pickReach = std::isfinite(windowPixels) && windowPixels > 0 ? windowPixels : 0;
}

/// Nearest window pixel of point i (i == count: the cursor); 1 if there is one, else 0 and nothing written.
EMSCRIPTEN_KEEPALIVE int web_point_pixel(int i, int* x, int* y) {
  int px = 0, py = 0;
  if (i < 0 || !viewer::pointPixel(static_cast<std::size_t>(i), px, py)) return 0;
  *x = px;
  *y = py;
  return 1;
}

/// The keyboard move of point i to window pixel (x, y), as a drag there; i == count moves the
/// cursor as passive motion would. Any other index does nothing.
EMSCRIPTEN_KEEPALIVE void web_move_point(int i, int x, int y) {
  if (isNamedPoint(i))
    viewer::movePoint(static_cast<std::size_t>(i), x, y);
  else if (i == pointCount())
    viewer::moveCursor(x, y);
}

/// Index of the named point selected, or -1.
EMSCRIPTEN_KEEPALIVE int web_selected_point() { return viewer::selectedPoint(); }

/// 1 where the program explains its method step by step.
EMSCRIPTEN_KEEPALIVE int web_has_explanation() { return viewer::activeCallbacks.explain ? 1 : 0; }

/// Opens the explanation at step (from 0; the display keeps it below the step count), or closes it
/// for a negative step, and asks for the frame that shows it.
EMSCRIPTEN_KEEPALIVE void web_explain(int step) {
  viewer::explainedStep = step < 0 ? -1 : step;
  glutPostRedisplay();
}

/// The step the last frame drew, from 0; -1 while the explanation is closed.
EMSCRIPTEN_KEEPALIVE int web_explained_step() { return viewer::explainedStep; }

/// The number of steps the last frame computed.
EMSCRIPTEN_KEEPALIVE int web_step_count() { return static_cast<int>(viewer::explanation.size()); }

/// Step k's text as the last frame computed it; "" beyond the steps.
EMSCRIPTEN_KEEPALIVE const char* web_step_text(int k) {
  if (k < 0 || k >= web_step_count()) return "";
  return viewer::explanation[static_cast<std::size_t>(k)].text.c_str();
}

/// 1 where the program maps its answers over the window.
EMSCRIPTEN_KEEPALIVE int web_has_map() { return viewer::activeCallbacks.map ? 1 : 0; }

/// Computes the map for the figure as it is now; returns its class count, 0 where the program has no map.
EMSCRIPTEN_KEEPALIVE int web_compute_map() {
  if (!viewer::activeCallbacks.map) return 0;
  viewer::activeCallbacks.map(answers);
  return mapClassCount();
}

/// The last map's class count.
EMSCRIPTEN_KEEPALIVE int web_map_class_count() { return mapClassCount(); }

/// Class k's text; "" beyond the classes.
EMSCRIPTEN_KEEPALIVE const char* web_map_class_name(int k) {
  return k >= 0 && k < mapClassCount() ? answers.names[static_cast<std::size_t>(k)].c_str() : "";
}

/// Pixels of class k; 0 beyond the classes. A window's pixel count fits in a double exactly.
EMSCRIPTEN_KEEPALIVE double web_map_class_pixels(int k) {
  return k >= 0 && k < mapClassCount() ? static_cast<double>(answers.counts[static_cast<std::size_t>(k)]) : 0;
}

/// The class of each window pixel, one byte each, row-major from the top left; valid until the next map.
EMSCRIPTEN_KEEPALIVE const std::uint8_t* web_map_pixels() { return answers.classOf.data(); }

}  // extern "C"
