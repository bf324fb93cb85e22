// Fuzz target: one-sided cut of a polygon by a plane.
#include <algorithm>

#include "decode.h"

using namespace fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Decoder in(data, size);
  VertexStore store;
  Polygon polygon = in.polygon(store);
  polygon.plane = in.plane();
  const Plane cutter = in.plane();
  const Side side = in.side();
  const float eps = in.tolerance();
  const Plane ownPlane = polygon.plane;
  const std::vector<const Vertex*> input = records(polygon);
  const std::size_t storeBefore = store.size();
  const Side removed = side == geometry::Front ? geometry::Back : geometry::Front;
  const bool newOnPlane = newVerticesClassifyOn(polygon, cutter, eps);

  polygon.cut(cutter, side, eps);

  check(samePlane(polygon.plane, ownPlane), "cut: the plane changed");
  // The input vertices that stay are exactly those not on the removed side, in their order.
  std::vector<const Vertex*> expected;
  for (const Vertex* v : input)
    if (cutter.classify(v->position, eps) != removed) expected.push_back(v);
  const std::vector<const Vertex*> output = records(polygon);
  std::vector<const Vertex*> stayed;
  std::size_t fresh = 0;
  for (const Vertex* v : output) {
    if (std::find(input.begin(), input.end(), v) != input.end()) {
      stayed.push_back(v);
      continue;
    }
    ++fresh;
    check(std::find(store.begin() + storeBefore, store.end(), v) != store.end(),
          "cut: a vertex is neither an input vertex nor a new store entry");
    check(std::count(output.begin(), output.end(), v) == 1, "cut: a new vertex occurs twice");
    if (newOnPlane) check(cutter.classify(v->position, eps) == geometry::On, "cut: a new vertex is off the plane");
  }
  check(stayed == expected, "cut: the kept input vertices are not those off the removed side, in order");
  check(store.size() - storeBefore == fresh, "cut: the store grew by other than the new vertices");
  return 0;
}
