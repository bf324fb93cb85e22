// poly_overlap's explanation: the separating-axis walk of A.overlaps(B, overlapTol) as it goes, one
// step per axis checked or edge skipped, then the verdict. An edge axis is drawn across the
// window through the walk's origin, with each polygon's shadow on it and the gap between them.
#include <geometry/walks.h>
#include <viewer/explanation.h>

#include <algorithm>

#include "poly_overlap.h"

namespace poly_overlap {

using namespace geometry;
using viewer::explainNumber;

namespace {

constexpr float shadowOffset = 0.015f;  // each shadow beside the axis line, A's on one side, B's on the other

const Polygon& owner(const AxisStep& step) { return step.ofSecond ? polyB : polyA; }
const Vector3& from(const AxisStep& step) { return owner(step).at(step.from)->position; }
const Vector3& to(const AxisStep& step) { return owner(step).at(step.to)->position; }

std::string edgeName(const AxisStep& step) {
  return "the edge from " + viewer::nameOf(from(step)) + " to " + viewer::nameOf(to(step));
}

// A shadow [min, max] on its axis, drawn `side` offsets beside the axis line.
void drawShadow(const Projection& shadow, viewer::Color color, float side) {
  const Vector3 beside = Vector3{-shadow.axis.y, shadow.axis.x, 0} * (side * shadowOffset);
  const Vector3 a = shadow.origin + shadow.axis * shadow.min + beside;
  const Vector3 b = shadow.origin + shadow.axis * shadow.max + beside;
  viewer::drawSegment(a, b, color, 4);
  viewer::drawMarks({a, b}, color, 6);
}

// The edge that gave the axis, the axis across the window, both shadows on it, and the gap (or
// where they overlap) between them.
std::function<void()> drawAxis(const AxisStep& step) {
  const Vector3 a = from(step), b = to(step);
  return [step, a, b] {
    viewer::drawSegment(a, b, viewer::explainHighlight, 4);
    viewer::drawLineAcross(step.origin(), step.axis(), viewer::explainHighlight, 1);
    drawShadow(step.first, viewer::explainFirst, 1);
    drawShadow(step.second, viewer::explainSecond, -1);
    const float lower = std::min(step.first.max, step.second.max);
    const float upper = std::max(step.first.min, step.second.min);
    const Vector3 gapFrom = step.origin() + step.axis() * lower, gapTo = step.origin() + step.axis() * upper;
    viewer::drawSegment(gapFrom, gapTo, viewer::explainHighlight, 2);
    viewer::drawMarks({gapFrom, gapTo}, viewer::explainHighlight, 8);
  };
}

// The face's polygon outlined in its colour.
std::function<void()> drawFace(const AxisStep& step) {
  const viewer::Color color = step.ofSecond ? viewer::explainSecond : viewer::explainFirst;
  return [corners = viewer::positionsOf(owner(step)), color] { viewer::drawLoop(corners, color, 3); };
}

// The edge that has no normal.
std::function<void()> drawSkipped(const AxisStep& step) {
  return [a = from(step), b = to(step)] { viewer::drawSegment(a, b, viewer::explainHighlight, 4); };
}

}  // namespace

viewer::Explanation explain() {
  const std::string tol = explainNumber(overlapTol);
  viewer::Explanation steps;
  int axes = 0;
  int separating = 0;
  overlapsWalked(polyA, polyB, overlapTol, [&](const AxisStep& step) {
    if (step.skipped) {
      steps.push_back({edgeName(step) + " has no normal: skipped", drawSkipped(step)});
      return;
    }
    ++axes;
    std::string text = "axis " + std::to_string(axes) + ", the normal ";
    if (step.face)
      text += std::string("of ") + (step.ofSecond ? "B" : "A") + "'s plane";
    else
      text += viewer::explainPoint(step.axis()) + " of " + edgeName(step);
    text += ": A from " + explainNumber(step.first.min) + " to " + explainNumber(step.first.max) + ", B from " +
            explainNumber(step.second.min) + " to " + explainNumber(step.second.max) + ", gap " +
            explainNumber(step.gap);
    text += step.separates ? ", at least " + tol + ": this axis separates them" : ", less than " + tol;
    if (step.separates) separating = axes;
    steps.push_back({text, step.face ? drawFace(step) : drawAxis(step)});
  });
  if (separating)
    steps.push_back({"axis " + std::to_string(separating) + " separates them: do not overlap", steps.back().draw});
  else
    steps.push_back({"no axis separates them: overlap", nullptr});
  return steps;
}

}  // namespace poly_overlap
