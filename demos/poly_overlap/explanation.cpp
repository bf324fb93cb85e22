// poly_overlap's explanation: the separating-axis walk of A.overlaps(B, 0.01) as it goes, one
// step per axis checked or edge skipped, then the verdict. An edge axis is drawn across the
// window through the walk's origin, with each polygon's shadow on it and the gap between them.
#include <geometry/walks.h>
#include <viewer/viewer.h>

#include "poly_overlap.h"

namespace poly_overlap {

using namespace geometry;
using viewer::explainNumber;

namespace {

constexpr float overlapTol = 0.01f;
constexpr float shadowOffset = 0.015f;  // each shadow beside the axis line, A's on one side, B's on the other

const Polygon& owner(const AxisStep& step) { return step.ofSecond ? polyB : polyA; }

std::string edgeName(const AxisStep& step) {
  const Polygon& p = owner(step);
  return "the edge from " + viewer::nameOf(p.at(step.from)->position) + " to " + viewer::nameOf(p.at(step.to)->position);
}

// A shadow [min, max] on the axis, drawn `side` offsets beside the axis line.
void drawShadow(const AxisStep& step, const Projection& shadow, viewer::Color color, float side) {
  const Vector3 beside = Vector3{-step.axis.y, step.axis.x, 0} * (side * shadowOffset);
  const Vector3 from = step.origin + step.axis * shadow.min + beside;
  const Vector3 to = step.origin + step.axis * shadow.max + beside;
  viewer::drawSegment(from, to, color, 4);
  viewer::drawMarks({from, to}, color, 6);
}

// The axis across the window, both shadows on it, the gap (or where they overlap) between them,
// and the edge that gave it.
void drawAxis(const AxisStep& step) {
  const Polygon& p = owner(step);
  viewer::drawSegment(p.at(step.from)->position, p.at(step.to)->position, viewer::explainHighlight, 4);
  viewer::drawLineAcross(step.origin, step.axis, viewer::explainHighlight, 1);
  drawShadow(step, step.first, viewer::explainFirst, 1);
  drawShadow(step, step.second, viewer::explainSecond, -1);
  const float lower = std::min(step.first.max, step.second.max);
  const float upper = std::max(step.first.min, step.second.min);
  const Vector3 a = step.origin + step.axis * lower, b = step.origin + step.axis * upper;
  viewer::drawSegment(a, b, viewer::explainHighlight, 2);
  viewer::drawMarks({a, b}, viewer::explainHighlight, 8);
}

}  // namespace

viewer::Explanation explain() {
  viewer::Explanation steps;
  int axes = 0;
  int separating = 0;
  overlapsWalked(polyA, polyB, overlapTol, [&](const AxisStep& step) {
    const char* polygon = step.ofSecond ? "B" : "A";
    if (step.skipped) {
      const Polygon& p = owner(step);
      const Vector3 a = p.at(step.from)->position, b = p.at(step.to)->position;
      steps.push_back({edgeName(step) + " has no normal: skipped",
                       [a, b] { viewer::drawSegment(a, b, viewer::explainHighlight, 4); }});
      return;
    }
    ++axes;
    std::string text = "axis " + std::to_string(axes) + ", the normal ";
    if (step.face)
      text += std::string("of ") + polygon + "'s plane";
    else
      text += viewer::explainPoint(step.axis) + " of " + edgeName(step);
    text += ": A from " + explainNumber(step.first.min) + " to " + explainNumber(step.first.max) + ", B from " +
            explainNumber(step.second.min) + " to " + explainNumber(step.second.max) + ", gap " +
            explainNumber(step.gap);
    text += step.separates ? ", at least 0.01: this axis separates them" : ", less than 0.01";
    if (step.separates) separating = axes;
    std::function<void()> draw;
    if (step.face) {
      const viewer::Color color = step.ofSecond ? viewer::explainSecond : viewer::explainFirst;
      draw = [step, color] { viewer::drawLoop(viewer::positionsOf(owner(step)), color, 3); };
    } else {
      draw = [step] { drawAxis(step); };
    }
    steps.push_back({text, draw});
  });
  if (separating)
    steps.push_back({"axis " + std::to_string(separating) + " separates them: do not overlap", steps.back().draw});
  else
    steps.push_back({"no axis separates them: overlap", nullptr});
  return steps;
}

}  // namespace poly_overlap
