// point_inside's map: each pixel classed by the three tests' verdicts there, all alike or the
// one that differs from the other two.
#include <geometry/batch.h>

#include <memory>

#include "point_inside.h"

namespace point_inside {

using namespace geometry;

namespace {

// Reused from one map to the next; the verdicts are plain bools, which the batch forms take as spans.
std::vector<Vector3> points;
std::unique_ptr<bool[]> verdicts;
std::size_t verdictsSize = 0;

// The class of the verdicts (sum angles, edge planes, barycentric) as 4 s + 2 e + b.
constexpr std::uint8_t classOfVerdicts[] = {1, 4, 3, 5, 2, 6, 7, 0};

}  // namespace

void map(viewer::MapClasses& classes) {
  viewer::startMap(classes, {"inside for all three", "outside for all three", "inside for sum angles only",
                             "inside for edge planes only", "inside for barycentric only",
                             "outside for sum angles only", "outside for edge planes only",
                             "outside for barycentric only"});
  viewer::scenePoints(points);
  const std::size_t n = points.size();
  if (verdictsSize < 3 * n) {
    verdicts = std::make_unique<bool[]>(3 * n);
    verdictsSize = 3 * n;
  }
  const std::span<bool> sum(verdicts.get(), n), edge(verdicts.get() + n, n), fan(verdicts.get() + 2 * n, n);
  insideSumAnglesEach(polygon, points, insideTol, sum);
  insideEdgePlanesEach(polygon, points, insideTol, edge);
  insideBarycentricEach(polygon, points, barycentricEps, fan);
  for (std::size_t i = 0; i < n; ++i) classes.classOf[i] = classOfVerdicts[4 * sum[i] + 2 * edge[i] + fan[i]];
  viewer::countClasses(classes);
}

}  // namespace point_inside
