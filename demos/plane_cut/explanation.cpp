// plane_cut's explanation: the steps of the program's own cut, as its last recomputation walked
// it: each corner inside or outside, each edge from the closing one with what it keeps, drops or
// makes, then the cut.
// Orange is what the cut keeps, blue what it drops, pink the edge being walked.
#include <geometry/walks.h>
#include <viewer/explanation.h>

#include <vector>

#include "plane_cut.h"

namespace plane_cut {

using namespace geometry;
using viewer::explainNumber;

namespace {

constexpr float cornerMark = 14;  // over the figure's corners, which are 16
constexpr float newPointMark = 11;
constexpr float edgeWidth = 3;

const char* placeOf(bool inside) { return inside ? "inside" : "outside"; }
viewer::Color colourOf(bool kept) { return kept ? viewer::explainFirst : viewer::explainSecond; }

std::string edgeText(const CutStep& step, viewer::StepNames& names) {
  const std::string to = names.of(step.to);
  std::string text = "edge from " + names.of(step.from) + " to " + to + ", " + placeOf(step.fromInside) + " to " +
                     placeOf(step.toInside) + ": ";
  const std::string fate = step.toInside ? to + " kept" : to + " dropped";
  if (!step.crosses()) return text + fate;
  const std::string t = "(t = " + explainNumber(step.t) + ")";
  if (!step.made) return text + "the crossing falls in the band " + t + ": " + fate;
  text += "new point " + names.made(step.made) + " at " + viewer::explainPoint(step.made->position) + " " + t;
  return text + (step.toInside ? ", then " + fate : " in place of " + to);
}

}  // namespace

viewer::Explanation explain() {
  viewer::StepNames names;
  viewer::Explanation steps;
  for (const CutStep& step : cutSteps) {
    if (step.kind == CutStep::Corner) {
      steps.push_back(
          {names.of(step.corner) + ": distance " + explainNumber(step.distance) + ": " + placeOf(step.inside),
           [at = step.corner->position, colour = colourOf(step.inside)] {
             viewer::drawMarks({at}, colour, cornerMark);
           }});
      continue;
    }
    std::vector<Vector3> made;
    if (step.made) made.push_back(step.made->position);
    steps.push_back(
        {edgeText(step, names), [a = step.from->position, b = step.to->position, kept = step.toInside, made] {
           viewer::drawSegment(a, b, viewer::explainHighlight, edgeWidth);
           viewer::drawMarks({b}, colourOf(kept), cornerMark);
           if (!made.empty()) viewer::drawMarks(made, viewer::explainFirst, newPointMark);
         }});
  }
  std::function<void()> outline;
  if (cutPolygon.size() > 0)
    outline = [corners = viewer::positionsOf(cutPolygon)] {
      viewer::drawLoop(corners, viewer::explainFirst, edgeWidth);
      viewer::drawMarks(corners, viewer::explainFirst, newPointMark);
    };
  steps.push_back({"the cut: " + names.list(cutPolygon), outline});
  return steps;
}

}  // namespace plane_cut
