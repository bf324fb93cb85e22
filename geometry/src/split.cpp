// Split of a polygon by a plane into the piece on one side and the piece on the other.
#include <geometry/polygon.h>

namespace geometry {

void Polygon::split(const Plane& cutter, Polygon& other, Side side, float eps) {
  other.plane = plane;
  other.clear();
  if (size() == 0) return;
  // No piece lies "on" the plane: for any side but Front or Back there is nothing
  // to keep apart, so the polygon stays whole and the other piece empty.
  if (side != Front && side != Back) return;
  const Side opposite = side == Front ? Back : Front;
  auto sideOf = [&](const VertexRef& ref) { return cutter.classify(ref->position, eps); };

  // Make the last vertex an off-plane one, so that the side before every run of
  // on-plane vertices is known when the run is met and no run wraps round the end.
  VertexRef prev = back();
  Side prevSide = sideOf(prev);
  if (prevSide == On) {
    const std::size_t n = size();
    if (n == 1) return;
    std::size_t m = n - 2;
    while (m > 0 && sideOf(at(m)) == On) --m;
    const Side mSide = sideOf(at(m));
    if (mSide == On) return;  // the whole polygon lies on the plane
    if (m == 0) {
      if (mSide != side) swapVertices(other);
      return;
    }
    Polygon rotated;
    rotated.insert(0, *this, m + 1, n);
    rotated.insert(rotated.size(), *this, 0, m + 1);
    swapVertices(rotated);
    prev = back();
    prevSide = mSide;
  }

  for (std::size_t i = 0; i < size();) {
    VertexRef cur = at(i);
    Side curSide = sideOf(cur);
    std::size_t next = i + 1;

    if (curSide != prevSide && curSide != On && prevSide != On) {
      // The edge crosses the plane. With t = dCur / (dCur - dPrev), the weighted
      // sum prev * t + cur * (1 - t) has signed distance 0 and carries every attribute.
      const float dCur = cutter.signedDistance(cur->position);
      const float dPrev = cutter.signedDistance(prev->position);
      const float t = dCur * (1.0f / (dCur - dPrev));
      VertexRef crossing = cur;
      crossing.assignNew(*prev * t + *cur * (1.0f - t));
      insert(i, crossing);
      cur = crossing;
      curSide = On;
    }

    if (curSide != On) {
      if (curSide != side) {
        other.addVertex(cur);
        erase(i);
        next = i;
      }
    } else {
      // A run of on-plane vertices; what happens to it depends on the sides before and after.
      const std::size_t start = i;
      std::size_t last = i;
      Side runSide = On;
      for (std::size_t k = i + 1; k < size(); ++k) {
        runSide = sideOf(at(k));
        if (runSide != On) break;
        cur = at(k);
        last = k;
      }
      if (prevSide != side) {
        // The boundary comes from the far side (entering the kept side, or touching the plane).
        other.insert(other.size(), *this, start, last + 1);
        if (runSide == side) {
          erase(start, last);  // the last on-plane vertex stays as the kept piece's boundary
          next = start + 1;
        } else {
          erase(start, last + 1);
          next = start;
        }
      } else {
        // The kept piece keeps the run; if the boundary leaves the kept side here, the far piece starts with its end.
        if (runSide == opposite) other.addVertex(cur);
        next = last + 1;
      }
    }

    prevSide = curSide;
    prev = cur;
    i = next;
  }
}

}  // namespace geometry
