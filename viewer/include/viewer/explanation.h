// The explanation of a program's method, drawn over its figure one step at a time: the steps a
// program's explain() returns, how their texts write numbers, points and vertices, and what
// their drawings draw with. On the desktop it stays closed.
//
// A program's explanation (its explanation.cpp) walks its method with an observer (the
// geometry library's walks.h) and turns each step into one ExplanationStep: a sentence complete on
// its own, with every number from the step and every constant of the program put in with
// explainNumber, and a drawing that captures the values it draws, so that a step drawn later
// still shows what its text says. The verdict comes last.
#pragma once

#include <viewer/viewer.h>

#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

namespace viewer {

/// One step of the explanation of a program's method: what it says, and what it draws over the figure.
struct ExplanationStep {
  std::string text;
  std::function<void()> draw;  ///< GL calls in scene coordinates; may be empty
};

/// The explanation's step drawn over the figure, counted from 0; -1 while the explanation is
/// closed, as it always is on the desktop.
extern int explainedStep;
/// The explanation as the last display computed it (empty while it is closed).
extern Explanation explanation;

/// The last drawing step of a display: while the explanation is open, its steps computed anew
/// for the figure as it is, explainedStep kept below their count, and that step drawn over the
/// figure, with the colour, sizes and enables it sets given back after. Nothing while it is closed.
void drawExplanation();

/// A number as the explanation writes it: rounded to four decimals, trailing zeros and a
/// trailing point dropped, -0 as 0, and NaN, inf and -inf.
std::string explainNumber(float value);
/// A point as the explanation writes it: "(x, y)".
std::string explainPoint(const Vector3& p);

/// The names of a walk's vertices: the named points as the page names them, the new points X1,
/// X2, ... in the order the walk made them.
class StepNames {
 public:
  /// Names a record the walk has just made.
  std::string made(const geometry::Vertex* record);
  std::string of(const geometry::Vertex* record) const;
  /// A piece's vertices in its order, "X1, corner 1, ...", or "empty".
  std::string list(const geometry::Polygon& piece) const;

 private:
  std::vector<const geometry::Vertex*> made_;
};

/// Colours of what an explanation draws, readable on the black screen and on white paper.
inline constexpr Color explainFirst{1, 0.55f, 0};        ///< orange: the first polygon's part, the current item
inline constexpr Color explainSecond{0.3f, 0.6f, 1};     ///< blue: the second polygon's part, the other items
inline constexpr Color explainHighlight{1, 0.3f, 0.8f};  ///< pink: what the step found

/// A line through `through` along `direction`, reaching beyond the window both ways.
void drawLineAcross(const Vector3& through, const Vector3& direction, Color color, float width);
/// The segment from a to b.
void drawSegment(const Vector3& a, const Vector3& b, Color color, float width);
/// Points of the given size.
void drawMarks(std::span<const Vector3> points, Color color, float size);
inline void drawMarks(std::initializer_list<Vector3> points, Color color, float size) {
  drawMarks({points.begin(), points.size()}, color, size);
}
/// The open line through the points, in order.
void drawStrip(std::span<const Vector3> points, Color color, float width);
/// The outline through the corners, closed, in a colour and width of its own.
void drawLoop(std::span<const Vector3> corners, Color color, float width);
inline void drawLoop(std::initializer_list<Vector3> corners, Color color, float width) {
  drawLoop({corners.begin(), corners.size()}, color, width);
}
/// A polygon's corner positions, in order: what a drawing captures of a polygon.
std::vector<Vector3> positionsOf(const geometry::Polygon& polygon);

}  // namespace viewer
