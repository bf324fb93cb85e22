// closest_point's map: each pixel classed by the feature of the square that holds the closest
// point of the pointer raised to queryHeight there, as the explanation's last step names it, with
// the in-plane distance from the pointer to that point.
#include <geometry/walks.h>

#include "closest_point.h"

namespace closest_point {

using namespace geometry;

namespace {

std::vector<Vector3> queries;  // reused from one map to the next

}  // namespace

// Classes: the foot point, then corner i (1 + i), then the edge from corner i to corner i + 1
// (1 + n + i), the order in which the walk takes the edges.
void map(viewer::MapClasses& classes) {
  const std::size_t n = polygon.size();
  std::vector<std::string> names{"the foot point"};
  for (std::size_t i = 0; i < n; ++i) names.push_back(viewer::nameOf(polygon.at(i)->position));
  for (std::size_t i = 0; i < n; ++i)
    names.push_back("the edge from " + names[1 + i] + " to " + names[1 + (i + 1) % n]);
  viewer::startMap(classes, std::move(names));
  viewer::scenePoints(queries, queryHeight);
  classes.distance.resize(queries.size());
  for (std::size_t i = 0; i < queries.size(); ++i) {
    std::uint8_t feature = 0;
    const Vector3 closest = closestPointWalked(polygon, queries[i], [&](const NearestStep& step) {
      if (step.kind == NearestStep::Foot || !step.nearest) return;
      const std::size_t corner = step.end == NearestStep::From ? step.from : step.to;
      feature = static_cast<std::uint8_t>(step.end == NearestStep::Between ? 1 + n + step.from : 1 + corner);
    });
    classes.classOf[i] = feature;
    classes.distance[i] = Vector2{queries[i].x - closest.x, queries[i].y - closest.y}.length();
  }
  viewer::countClasses(classes);
}

}  // namespace closest_point
