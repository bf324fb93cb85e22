// Fuzz target: split of a polygon by a plane into two pieces.
#include <algorithm>
#include <map>

#include "decode.h"

using namespace fuzz;

namespace {

// How often each record occurs in a list of records.
std::map<const Vertex*, int> counts(const std::vector<const Vertex*>& list) {
  std::map<const Vertex*, int> result;
  for (const Vertex* v : list) ++result[v];
  return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Decoder in(data, size);
  VertexStore store;
  Polygon kept = in.polygon(store);
  kept.plane = in.plane();
  const Plane cutter = in.plane();
  const Side side = in.side();
  const float eps = in.tolerance();
  Polygon other = in.polygon(store);  // split must clear it
  const Plane ownPlane = kept.plane;
  const std::vector<const Vertex*> input = records(kept);
  const std::size_t storeBefore = store.size();
  const bool newOnPlane = newVerticesClassifyOn(kept, cutter, eps);

  kept.split(cutter, other, side, eps);

  check(samePlane(kept.plane, ownPlane) && samePlane(other.plane, ownPlane), "split: both pieces carry the plane");
  const std::map<const Vertex*, int> before = counts(input);
  const std::map<const Vertex*, int> inKept = counts(records(kept));
  const std::map<const Vertex*, int> inOther = counts(records(other));
  auto count = [](const std::map<const Vertex*, int>& m, const Vertex* v) {
    const auto it = m.find(v);
    return it == m.end() ? 0 : it->second;
  };

  // A record that is not an input record is new: made by this split, registered once, and
  // shared by both pieces as their common boundary point.
  std::size_t fresh = 0;
  for (const auto* pieces : {&inKept, &inOther})
    for (const auto& [v, n] : *pieces) {
      if (before.count(v)) continue;
      if (pieces == &inKept) ++fresh;
      check(std::find(store.begin() + storeBefore, store.end(), v) != store.end(),
            "split: a piece vertex is neither an input vertex nor a new store entry");
      check(count(inKept, v) == 1 && count(inOther, v) == 1, "split: a new vertex is not in each piece once");
    }
  check(store.size() - storeBefore == fresh, "split: the store grew by other than the new vertices");

  // Off the plane, an input vertex ends in exactly one piece, the one for its side.
  for (const auto& [v, n] : before) {
    const Side s = cutter.classify(v->position, eps);
    if (s == geometry::On) continue;
    check(count(inKept, v) + count(inOther, v) == n, "split: an input vertex off the plane is not in one piece");
    if (side == geometry::Front || side == geometry::Back)
      check(count(s == side ? inOther : inKept, v) == 0, "split: a vertex is in the piece of the other side");
  }
  if (side != geometry::Front && side != geometry::Back)
    check(records(kept) == input && other.size() == 0,
          "split: a side that is neither Front nor Back changed something");
  if (newOnPlane)
    for (auto it = store.begin() + storeBefore; it != store.end(); ++it)
      check(cutter.classify((*it)->position, eps) == geometry::On, "split: a new vertex is off the plane");
  return 0;
}
