// plane_cut's explanation: the program's cut walked on a copy of the square: each corner inside
// or outside, each edge from the closing one with what it keeps, drops or makes, then the cut.
// Orange is what the cut keeps, blue what it drops, pink the edge being walked.
#include <geometry/walks.h>
#include <viewer/viewer.h>

#include <map>

#include "plane_cut.h"

namespace plane_cut {

using namespace geometry;
using viewer::explainNumber;

namespace {

constexpr float cornerMark = 14;  // over the figure's corners, which are 16
constexpr float newPointMark = 11;
constexpr float edgeWidth = 3;

// The square's refs with their store link turned to `scratch`: the walk registers the records
// it makes in the store of the refs, so the program's store does not grow with every frame.
Polygon copyOnto(const Polygon& polygon, VertexStore& scratch) {
  Polygon copy;
  copy.plane = polygon.plane;
  for (VertexRef ref : polygon) {
    ref.store = &scratch;
    copy.addVertex(ref);
  }
  return copy;
}

// The walk's vertices by name: the square's corners as the page names them, the new points
// X1, X2, ... in the order the walk makes them.
class Names {
 public:
  std::string made(const Vertex* record) {
    made_.push_back(record);
    return of(record);
  }
  std::string of(const Vertex* record) const {
    for (std::size_t i = 0; i < made_.size(); ++i) {
      if (made_[i] != record) continue;
      std::string name = "X";  // appended, since g++ 12 warns wrongly of "X" + a string
      name += std::to_string(i + 1);
      return name;
    }
    return viewer::nameOf(record->position);
  }
  std::string list(const Polygon& piece) const {
    if (piece.size() == 0) return "empty";
    std::string out;
    for (const VertexRef& ref : piece) {
      if (!out.empty()) out += ", ";
      out += of(ref.vertex);
    }
    return out;
  }

 private:
  std::vector<const Vertex*> made_;
};

const char* placeOf(bool inside) { return inside ? "inside" : "outside"; }
viewer::Color colourOf(bool kept) { return kept ? viewer::explainFirst : viewer::explainSecond; }

std::string edgeText(const CutStep& step, Names& names) {
  const std::string to = names.of(step.to);
  std::string text = "edge from " + names.of(step.from) + " to " + to + ", " + placeOf(step.fromInside) + " to " +
                     placeOf(step.toInside) + ": ";
  const std::string fate = step.toInside ? to + " kept" : to + " dropped";
  if (!step.crosses) return text + fate;
  const std::string t = "(t = " + explainNumber(step.t) + ")";
  if (!step.made) return text + "the crossing falls in the band " + t + ": " + fate;
  text += "new point " + names.made(step.made) + " at " + viewer::explainPoint(step.made->position) + " " + t;
  return text + (step.toInside ? ", then " + fate : " in place of " + to);
}

}  // namespace

viewer::Explanation explain() {
  VertexStore scratch;
  Polygon piece = copyOnto(square, scratch);
  // The corners come first, the edges after; each corner is the end of one edge, which says
  // whether the cut sees it inside.
  std::vector<CutStep> walk;
  std::map<const Vertex*, bool> inside;
  cutSquare(piece, [&](const CutStep& step) {
    walk.push_back(step);
    if (step.kind == CutStep::Edge) inside[step.to] = step.toInside;
  });

  Names names;
  viewer::Explanation steps;
  for (const CutStep& step : walk) {
    if (step.kind == CutStep::Corner) {
      const bool in = inside[step.corner];
      steps.push_back(
          {names.of(step.corner) + ": distance " + explainNumber(step.distance) + ": " + placeOf(in),
           [at = step.corner->position, colour = colourOf(in)] { viewer::drawMarks({at}, colour, cornerMark); }});
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
  if (piece.size() > 0)
    outline = [corners = viewer::positionsOf(piece)] {
      viewer::drawLoop(corners, viewer::explainFirst, edgeWidth);
      viewer::drawMarks(corners, viewer::explainFirst, newPointMark);
    };
  steps.push_back({"the cut: " + names.list(piece), outline});
  return steps;
}

}  // namespace plane_cut
