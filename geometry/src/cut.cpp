// One-sided cut of a polygon by a plane: what lies on the removed side goes, the rest stays.
#include <geometry/polygon.h>

#include <cmath>

#include "step_by_step.h"

namespace geometry {

template <class Observe>
void PieceWalks::cut(Polygon& polygon, const Plane& cutter, Side side, float eps, const Observe& observe) {
  if (polygon.size() == 0) return;
  // Everything not on the removed side is kept, so a vertex within eps of the plane always stays.
  const Side removed = side == Front ? Back : Front;
  auto inside = [&](const VertexRef& ref) { return cutter.classify(ref->position, eps) != removed; };
  if constexpr (Observe::on)
    for (const VertexRef& ref : polygon)
      observe(CutStep{.corner = ref.vertex, .distance = cutter.signedDistance(ref->position), .inside = inside(ref)});

  // The kept sequence is built in one pass and swapped in at the end. Each input vertex
  // gives [crossing, cur] when inside after a crossing, [cur] when inside otherwise,
  // [crossing] in its place when outside after a crossing, and nothing otherwise.
  // prev is always the input vertex as it was read. The first edge is the closing one.
  std::vector<VertexRef> kept;
  kept.reserve(polygon.size());
  VertexRef prev = polygon.back();
  bool prevInside = inside(prev);
  for (const VertexRef& cur : polygon.vertices) {
    const bool curInside = inside(cur);
    float t = 0;
    const Vertex* made = nullptr;

    if (curInside != prevInside) {
      // The signed distance reaches zero at t = dCur / (dCur - dPrev) of the way from
      // cur to prev, and e is eps as a fraction of that span: t lies strictly between
      // e and 1 - e when both ends are farther than eps from the plane. Otherwise the
      // inside end lies within eps of the plane and itself marks the boundary.
      const float dCur = cutter.signedDistance(cur->position);
      const float dPrev = cutter.signedDistance(prev->position);
      const float r = 1.0f / (dCur - dPrev);
      t = r * dCur;
      const float e = std::abs(r * eps);
      if (e < t && t < 1 - e) {
        VertexRef crossing = cur;
        crossing.assignNew(*prev * t + *cur * (1.0f - t));
        made = crossing.vertex;
        kept.push_back(crossing);
      }
    }
    observe(CutStep{.kind = CutStep::Edge,
                    .from = prev.vertex,
                    .to = cur.vertex,
                    .fromInside = prevInside,
                    .toInside = curInside,
                    .t = t,
                    .made = made});

    if (curInside) kept.push_back(cur);
    prevInside = curInside;
    prev = cur;
  }
  polygon.vertices.swap(kept);
}

void Polygon::cut(const Plane& cutter, Side side, float eps) { PieceWalks::cut(*this, cutter, side, eps, Silent{}); }

void cutWalked(Polygon& polygon, const Plane& cutter, Side side, float eps, const CutObserver& observe) {
  observedBy(observe, [&](const auto& o) { PieceWalks::cut(polygon, cutter, side, eps, o); });
}

}  // namespace geometry
