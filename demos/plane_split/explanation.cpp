// plane_split's explanation: the steps of the program's own split, as its last recomputation
// walked it: each corner's side, each crossing with the new point it made, then the two pieces. Orange is the front and
// the magenta piece, blue the back and the violet piece, pink what lies on the line.
#include <geometry/walks.h>
#include <viewer/explanation.h>

#include <map>

#include "plane_split.h"

namespace plane_split {

using namespace geometry;
using viewer::explainNumber;

namespace {

constexpr float cornerMark = 14;  // over the figure's corners, which are 16
constexpr float newPointMark = 11;
constexpr float edgeWidth = 3;

viewer::Color colourOf(Side side) {
  return side == Front ? viewer::explainFirst : side == Back ? viewer::explainSecond : viewer::explainHighlight;
}

const char* wordOf(Side side) { return side == Front ? "front" : side == Back ? "back" : "on the line"; }

// A piece's outline and corners in its colour; nothing for an empty piece.
std::function<void()> drawPieceStep(const Polygon& piece, viewer::Color colour) {
  if (piece.size() == 0) return nullptr;
  return [corners = viewer::positionsOf(piece), colour] {
    viewer::drawLoop(corners, colour, edgeWidth);
    viewer::drawMarks(corners, colour, newPointMark);
  };
}

}  // namespace

viewer::Explanation explain() {
  viewer::StepNames names;
  std::map<const Vertex*, Side> sides;
  viewer::Explanation steps;
  for (const SplitStep& step : splitSteps) {
    if (step.kind == SplitStep::Corner) {
      sides[step.corner] = step.side;
      steps.push_back({names.of(step.corner) + ": distance " + explainNumber(step.distance) + ": " + wordOf(step.side),
                       [at = step.corner->position, colour = colourOf(step.side)] {
                         viewer::drawMarks({at}, colour, cornerMark);
                       }});
      continue;
    }
    // The edge in its two ends' colours, meeting at the new point.
    const std::string from = names.of(step.from), to = names.of(step.to), made = names.made(step.made);
    const Vector3 a = step.from->position, b = step.to->position, x = step.made->position;
    steps.push_back({"the edge from " + from + " to " + to + " crosses the line at t = " + explainNumber(step.t) +
                         ": new point " + made + " at " + viewer::explainPoint(x),
                     [a, b, x, ca = colourOf(sides[step.from]), cb = colourOf(sides[step.to])] {
                       viewer::drawSegment(a, x, ca, edgeWidth);
                       viewer::drawSegment(x, b, cb, edgeWidth);
                       viewer::drawMarks({x}, viewer::explainHighlight, newPointMark);
                     }});
  }
  steps.push_back({"magenta: " + names.list(magentaPiece), drawPieceStep(magentaPiece, viewer::explainFirst)});
  steps.push_back({"violet: " + names.list(violetPiece), drawPieceStep(violetPiece, viewer::explainSecond)});
  return steps;
}

}  // namespace plane_split
