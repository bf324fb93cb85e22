// One-sided cut of a polygon by a plane: what lies on the removed side goes, the rest stays.
#include <geometry/polygon.h>

#include <cmath>

namespace geometry {

void Polygon::cut(const Plane& cutter, Side side, float eps) {
  if (size() == 0) return;
  // Everything not on the removed side is kept, so a vertex within eps of the plane always stays.
  const Side removed = side == Front ? Back : Front;
  auto inside = [&](const VertexRef& ref) { return cutter.classify(ref->position, eps) != removed; };

  // prev is always the input vertex as it was read, also once its place has been
  // taken by an intersection vertex or erased. The first edge is the closing one.
  VertexRef prev = back();
  bool prevInside = inside(prev);
  for (std::size_t i = 0; i < size();) {
    const VertexRef cur = at(i);
    const bool curInside = inside(cur);
    bool crossed = false;

    if (curInside != prevInside) {
      // The signed distance reaches zero at t = dCur / (dCur - dPrev) of the way from
      // cur to prev, and e is eps as a fraction of that span: t lies strictly between
      // e and 1 - e when both ends are farther than eps from the plane. Otherwise the
      // inside end lies within eps of the plane and itself marks the boundary.
      const float dCur = cutter.signedDistance(cur->position);
      const float dPrev = cutter.signedDistance(prev->position);
      const float r = 1.0f / (dCur - dPrev);
      const float t = r * dCur;
      const float e = std::abs(r * eps);
      crossed = e < t && t < 1 - e;
      if (crossed) {
        VertexRef crossing = cur;
        crossing.assignNew(*prev * t + *cur * (1.0f - t));
        if (curInside)
          insert(i++, crossing);
        else
          vertices[i] = crossing;  // in the outside vertex's place
      }
    }

    if (curInside || crossed)
      ++i;
    else
      erase(i);  // the next input vertex moves up to i
    prevInside = curInside;
    prev = cur;
  }
}

}  // namespace geometry
