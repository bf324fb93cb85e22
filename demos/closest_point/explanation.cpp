// closest_point's explanation: the walk of closestPoint for the pointer raised to height 10.
// Its foot on the plane is the answer where a fan triangle holds it; else each edge offers its
// nearest point to the pointer, and the nearest of them wins.
#include <geometry/walks.h>
#include <viewer/viewer.h>

#include "closest_point.h"

namespace closest_point {

using namespace geometry;
using viewer::explainNumber;
using viewer::explainPoint;

namespace {

constexpr float queryHeight = 10;

const Vector3& corner(std::size_t i) { return polygon.at(i)->position; }
std::string name(std::size_t i) { return viewer::nameOf(corner(i)); }
std::string edge(std::size_t from, std::size_t to) { return "edge from " + name(from) + " to " + name(to); }

std::string candidateName(const NearestStep& step) {
  if (step.end == NearestStep::From) return name(step.from);
  if (step.end == NearestStep::To) return name(step.to);
  return "the point " + explainPoint(step.candidate);
}

// The foot, the segment from it to this edge's candidate, the candidate, and the nearest so far.
void drawEdgeStep(const Vector3& foot, const NearestStep& step, const Vector3& nearest) {
  viewer::drawSegment(corner(step.from), corner(step.to), viewer::explainSecond, 3);
  viewer::drawSegment(foot, step.candidate, viewer::explainFirst, 1.5f);
  viewer::drawMarks({foot, step.candidate}, viewer::explainFirst, 7);
  viewer::drawMarks({nearest}, viewer::explainHighlight, 11);
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
      std::string text = "foot point " + explainPoint(foot) + " of the pointer raised to height 10: ";
      if (!step.inFan) {
        steps.push_back({text + "in no triangle of the fan: the outline decides",
                         [foot] { viewer::drawMarks({foot}, viewer::explainFirst, 9); }});
        return;
      }
      footWins = true;
      const std::size_t b = step.triangle.b, c = step.triangle.c;
      steps.push_back({text + "in triangle " + name(0) + ", " + name(b) + ", " + name(c) +
                           " of the fan: it is the closest point",
                       [foot, b, c] {
                         viewer::drawLoop({corner(0), corner(b), corner(c)}, viewer::explainFirst, 3);
                         viewer::drawMarks({foot}, viewer::explainHighlight, 9);
                       }});
      steps.push_back({"closest point " + explainPoint(foot) + ": the foot point", [] {
                         viewer::drawLoop(viewer::positionsOf(polygon), viewer::explainHighlight, 3);
                       }});
      return;
    }
    if (step.nearest) best = step;
    const Vector3 nearest = best.candidate;
    steps.push_back({edge(step.from, step.to) + ": t = " + explainNumber(step.t) + ", so " + candidateName(step) +
                         ", squared distance " + explainNumber(step.distanceSquared) +
                         (step.nearest ? ": nearest so far" : ""),
                     [foot, step, nearest] { drawEdgeStep(foot, step, nearest); }});
  });
  if (footWins) return steps;
  // The outline decided: the winning corner, or the winning edge.
  std::string text = "closest point " + explainPoint(result);
  if (best.end == NearestStep::Between) {
    const std::size_t from = best.from, to = best.to;
    steps.push_back({text + ", on the " + edge(from, to), [from, to, result] {
                       viewer::drawSegment(corner(from), corner(to), viewer::explainHighlight, 4);
                       viewer::drawMarks({result}, viewer::explainHighlight, 11);
                     }});
  } else {
    steps.push_back({text + ": " + candidateName(best),
                     [result] { viewer::drawMarks({result}, viewer::explainHighlight, 14); }});
  }
  return steps;
}

}  // namespace closest_point
