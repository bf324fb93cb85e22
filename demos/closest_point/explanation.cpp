// closest_point's explanation: the walk of closestPoint for the pointer raised to queryHeight.
// Its foot on the plane is the answer where a fan triangle holds it; else each edge offers its
// nearest point to the pointer, and the nearest of them wins.
#include <geometry/walks.h>
#include <viewer/explanation.h>

#include "closest_point.h"

namespace closest_point {

using namespace geometry;
using viewer::explainNumber;
using viewer::explainPoint;

namespace {

const Vector3& corner(std::size_t i) { return polygon.at(i)->position; }
std::string name(std::size_t i) { return viewer::nameOf(corner(i)); }
std::string edge(std::size_t from, std::size_t to) { return "edge from " + name(from) + " to " + name(to); }

std::string candidateName(const NearestStep& step) {
  if (step.end == NearestStep::From) return name(step.from);
  if (step.end == NearestStep::To) return name(step.to);
  return "the point " + explainPoint(step.candidate);
}

// The foot alone, where no fan triangle holds it.
std::function<void()> drawFoot(const Vector3& foot) {
  return [foot] { viewer::drawMarks({foot}, viewer::explainFirst, 9); };
}

// The fan triangle (corner 0, b, c) that holds the foot, and the foot.
std::function<void()> drawHolding(const Vector3& foot, std::size_t b, std::size_t c) {
  return [foot, corners = std::vector<Vector3>{corner(0), corner(b), corner(c)}] {
    viewer::drawLoop(corners, viewer::explainFirst, 3);
    viewer::drawMarks({foot}, viewer::explainHighlight, 9);
  };
}

// The edge, the segment from the foot to this edge's candidate, the candidate, and the nearest so far.
std::function<void()> drawEdgeStep(const Vector3& foot, const NearestStep& step, const Vector3& nearest) {
  return [foot, nearest, a = corner(step.from), b = corner(step.to), candidate = step.candidate] {
    viewer::drawSegment(a, b, viewer::explainSecond, 3);
    viewer::drawSegment(foot, candidate, viewer::explainFirst, 1.5f);
    viewer::drawMarks({foot, candidate}, viewer::explainFirst, 7);
    viewer::drawMarks({nearest}, viewer::explainHighlight, 11);
  };
}

}  // namespace

viewer::Explanation explain() {
  const Vector3 q{viewer::cursor.x, viewer::cursor.y, queryHeight};
  viewer::Explanation steps;
  Vector3 foot;
  bool footWins = false;
  NearestStep best;
  const Vector3 result = closestPointWalked(polygon, q, [&](const NearestStep& step) {
    if (step.kind == NearestStep::Foot) {
      foot = step.foot;
      const std::string text =
          "foot point " + explainPoint(foot) + " of the pointer raised to height " + explainNumber(queryHeight) + ": ";
      if (!step.inFan) {
        steps.push_back({text + "in no triangle of the fan: the outline decides", drawFoot(foot)});
        return;
      }
      footWins = true;
      const std::size_t b = step.triangle.b, c = step.triangle.c;
      steps.push_back(
          {text + "in triangle " + name(0) + ", " + name(b) + ", " + name(c) + " of the fan: it is the closest point",
           drawHolding(foot, b, c)});
      steps.push_back(
          {"closest point " + explainPoint(foot) + ": the foot point",
           [corners = viewer::positionsOf(polygon)] { viewer::drawLoop(corners, viewer::explainHighlight, 3); }});
      return;
    }
    if (step.nearest) best = step;
    steps.push_back({edge(step.from, step.to) + ": t = " + explainNumber(step.t) + ", so " + candidateName(step) +
                         ", squared distance " + explainNumber(step.distanceSquared) +
                         (step.nearest ? ": nearest so far" : ""),
                     drawEdgeStep(foot, step, best.candidate)});
  });
  if (footWins) return steps;
  // The outline decided: the winning corner, or the winning edge.
  const std::string text = "closest point " + explainPoint(result);
  if (best.end == NearestStep::Between)
    steps.push_back(
        {text + ", on the " + edge(best.from, best.to), [result, a = corner(best.from), b = corner(best.to)] {
           viewer::drawSegment(a, b, viewer::explainHighlight, 4);
           viewer::drawMarks({result}, viewer::explainHighlight, 11);
         }});
  else
    steps.push_back(
        {text + ": " + candidateName(best), [result] { viewer::drawMarks({result}, viewer::explainHighlight, 14); }});
  return steps;
}

}  // namespace closest_point
