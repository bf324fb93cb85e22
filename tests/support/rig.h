// A recording stand-in for the GL and GLUT entry points, linked into test
// executables in place of the real libraries, and a driver that starts a program
// and calls its registered callbacks as GLUT would.
#pragma once

#include <GL/gl.h>
#include <geometry/vector.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace rig {

struct Color {
  float r, g, b;
  bool operator==(const Color&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Color& c);

inline constexpr Color white{1, 1, 1};
inline constexpr Color red{1, 0, 0};
inline constexpr Color green{0, 1, 0};
inline constexpr Color blue{0, 0, 1};
inline constexpr Color yellow{1, 1, 0};
inline constexpr Color orange{1, 0.5f, 0};
inline constexpr Color cyan{0, 1, 1};
inline constexpr Color magenta{1, 0, 1};
inline constexpr Color grey{0.5f, 0.5f, 0.5f};

/// One GL or GLUT call with its numeric arguments (and its text, for a window title).
struct Call {
  std::string name;
  std::vector<double> args;
  std::string text;
};

struct DrawnVertex {
  geometry::Vector3 position;
  Color color;
};

/// A glBegin/glEnd pair with the state in force when it began.
struct Primitive {
  GLenum mode;
  float pointSize;
  float lineWidth;
  bool blend;
  std::vector<DrawnVertex> vertices;

  std::vector<geometry::Vector3> positions() const;
};

/// Text drawn from one glRasterPos2f: position, the colour current there, the characters that followed.
struct Label {
  std::string text;
  float x, y;
  Color color;
};

/// What one display callback drew.
struct Frame {
  std::vector<Call> calls;
  std::vector<Primitive> primitives;
  std::vector<Label> labels;
  int swaps = 0;

  std::vector<std::string> labelTexts() const;
  /// The primitives of one mode (GL_POINTS, GL_LINES, GL_POLYGON, ...), in drawing order.
  std::vector<Primitive> ofMode(GLenum mode) const;
};

/// The whole window, as the recording sees it.
struct WindowState {
  std::string title;
  int initWidth = 0, initHeight = 0;
  unsigned displayMode = 0;
  int redisplayRequests = 0;  ///< glutPostRedisplay calls since the last display
  Color color{1, 1, 1};
  float pointSize = 1, lineWidth = 1;
  bool blend = false;
};
const WindowState& window();

/// All calls since the last display, the last clearCalls, or the start.
const std::vector<Call>& callsSinceDisplay();
void clearCalls();

/// Pixel of a scene point in a window of the given size (the inverse of the shell's mapping).
int pixelX(float sceneX, int width = 640);
int pixelY(float sceneY, int height = 480);

/// Pixels of a width x height window to check a map at: `count` at random (the same each run),
/// then every pixel of the middle row, which crosses the figures the programs start from.
struct Pixel {
  int x, y;
};
std::vector<Pixel> mapPixels(int count = 300, int width = 640, int height = 480);

/// A program started through its entry function, driven through the callbacks it registered.
/// A process can start one program once (its globals are built once): ctest runs each test on its own.
class Program {
 public:
  explicit Program(int (*entry)(int argc, char** argv));

  int exitCode() const { return exitCode_; }
  /// The GL and GLUT calls made from the entry function up to the event loop.
  const std::vector<Call>& startCalls() const { return startCalls_; }
  bool hasPassiveMotion() const;

  void reshape(int width, int height);
  void press(int button, int x, int y);
  void release(int button, int x, int y);
  /// Press and release at one pixel.
  void click(int button, int x, int y);
  /// Left press at (x0, y0), motion to (x1, y1), release there.
  void dragFromTo(int x0, int y0, int x1, int y1);
  /// Motion with a button held.
  void drag(int x, int y);
  /// Motion with no button held.
  void hover(int x, int y);
  /// Runs the display callback and returns what it drew.
  Frame display();
  /// The same with the explanation open at `step` (from 0), which is closed again after.
  Frame displayExplained(int step = 0);
  /// The explanation's step texts as the last display with it open computed them.
  std::vector<std::string> stepTexts() const;

  /// Scene-coordinate versions of the pointer calls, for a window of the current size.
  void clickAt(int button, geometry::Vector2 scene);
  void dragAt(geometry::Vector2 scene);
  void dragFromToAt(geometry::Vector2 from, geometry::Vector2 to);
  void hoverAt(geometry::Vector2 scene);

 private:
  int exitCode_ = -1;
  std::vector<Call> startCalls_;
  int width_ = 640, height_ = 480;
};

}  // namespace rig
