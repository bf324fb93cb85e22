// poly_overlap's map: each pixel classed by what A.overlaps(B, overlapTol) answers once B's handle
// has been dragged there in one motion: overlap, or the first axis of the walk that separates them.
#include <geometry/walks.h>

#include <algorithm>
#include <limits>

#include "poly_overlap.h"

namespace poly_overlap {

using namespace geometry;

namespace {

// Reused from one map to the next: the pixels' scene points, and B moved, in records of its own.
std::vector<Vector3> cursors;
std::vector<Vertex> movedRecords;
VertexStore movedStore;

// Which axis a step took, as the classes after "overlap" hold them.
struct Axis {
  bool ofSecond, face;
  std::size_t from, to;
  bool operator==(const Axis&) const = default;
};
std::vector<Axis> axes;

std::string axisName(const AxisStep& step) {
  const Polygon& owner = step.ofSecond ? polyB : polyA;
  if (step.face) return std::string("separated by the normal of ") + (step.ofSecond ? "B" : "A") + "'s plane";
  return "separated by the normal of the edge from " + viewer::nameOf(owner.at(step.from)->position) + " to " +
         viewer::nameOf(owner.at(step.to)->position);
}

// The class of the step's axis, added with its name if it is new.
std::uint8_t classOf(viewer::MapClasses& classes, const AxisStep& step) {
  const Axis axis{step.ofSecond, step.face, step.face ? 0 : step.from, step.face ? 0 : step.to};
  const auto found = std::find(axes.begin(), axes.end(), axis);
  if (found != axes.end()) return static_cast<std::uint8_t>(1 + (found - axes.begin()));
  axes.push_back(axis);
  return viewer::classNamed(classes, axisName(step));
}

}  // namespace

// Classes: overlap, then every axis the walk takes for the figure as it is, in walk order (no
// tolerance is met, so the walk visits them all). An axis that a move alone brings about (an
// edge close to no length) is added after them where it first separates.
void map(viewer::MapClasses& classes) {
  viewer::startMap(classes, {"overlap"});
  axes.clear();
  overlapsWalked(polyA, polyB, std::numeric_limits<float>::infinity(), [&](const AxisStep& step) {
    if (!step.skipped) classOf(classes, step);
  });
  movedRecords.clear();
  for (const VertexRef& ref : polyB) movedRecords.push_back(*ref);
  Polygon moved;
  moved.plane = polyB.plane;
  for (Vertex& record : movedRecords) moved.addVertex(VertexRef::linking(record, movedStore));

  viewer::scenePoints(cursors);
  for (std::size_t i = 0; i < cursors.size(); ++i) {
    // B carried by the step its handle makes to the cursor, as the drag carries it.
    for (std::size_t c = 0; c < movedRecords.size(); ++c) movedRecords[c].position = polyB.at(c)->position;
    moved.translate(cursors[i] - centreB->position);
    AxisStep separating;
    const bool overlap = overlapsWalked(polyA, moved, overlapTol, [&](const AxisStep& step) {
      if (step.separates) separating = step;
    });
    classes.classOf[i] = overlap ? 0 : classOf(classes, separating);
  }
  viewer::countClasses(classes);
}

}  // namespace poly_overlap
