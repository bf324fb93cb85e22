// The step-by-step walks of split and cut, built on Polygon's public operations.
#include "reference_walks.h"

#include <algorithm>
#include <cmath>

using namespace geometry;

void referenceSplit(Polygon& p, const Plane& cutter, Polygon& other, Side side, float eps) {
  other.plane = p.plane;
  other.clear();
  if (p.size() == 0) return;
  if (side != Front && side != Back) return;
  const Side opposite = side == Front ? Back : Front;
  auto sideOf = [&](const VertexRef& ref) { return cutter.classify(ref->position, eps); };

  // Rotate so that the last vertex is off the plane.
  VertexRef prev = p.back();
  Side prevSide = sideOf(prev);
  if (prevSide == On) {
    const std::size_t n = p.size();
    if (n == 1) return;
    std::size_t m = n - 2;
    while (m > 0 && sideOf(p.at(m)) == On) --m;
    const Side mSide = sideOf(p.at(m));
    if (mSide == On) return;
    if (m == 0) {
      if (mSide != side) p.swapVertices(other);
      return;
    }
    Polygon rotated;
    rotated.insert(0, p, m + 1, n);
    rotated.insert(rotated.size(), p, 0, m + 1);
    p.swapVertices(rotated);
    prev = p.back();
    prevSide = mSide;
  }

  for (std::size_t i = 0; i < p.size();) {
    VertexRef cur = p.at(i);
    Side curSide = sideOf(cur);
    std::size_t next = i + 1;

    if (curSide != prevSide && curSide != On && prevSide != On) {
      const float dCur = cutter.signedDistance(cur->position);
      const float dPrev = cutter.signedDistance(prev->position);
      const float t = dCur * (1.0f / (dCur - dPrev));
      VertexRef crossing = cur;
      crossing.assignNew(*prev * t + *cur * (1.0f - t));
      p.insert(i, crossing);
      cur = crossing;
      curSide = On;
    }

    if (curSide != On) {
      if (curSide != side) {
        other.addVertex(cur);
        p.erase(i);
        next = i;
      }
    } else {
      const std::size_t start = i;
      std::size_t last = i;
      Side runSide = On;
      for (std::size_t k = i + 1; k < p.size(); ++k) {
        runSide = sideOf(p.at(k));
        if (runSide != On) break;
        cur = p.at(k);
        last = k;
      }
      if (prevSide != side) {
        other.insert(other.size(), p, start, last + 1);
        if (runSide == side) {
          p.erase(start, last);
          next = start + 1;
        } else {
          p.erase(start, last + 1);
          next = start;
        }
      } else {
        if (runSide == opposite) other.addVertex(cur);
        next = last + 1;
      }
    }

    prevSide = curSide;
    prev = cur;
    i = next;
  }
}

void referenceCut(Polygon& p, const Plane& cutter, Side side, float eps) {
  if (p.size() == 0) return;
  const Side removed = side == Front ? Back : Front;
  auto inside = [&](const VertexRef& ref) { return cutter.classify(ref->position, eps) != removed; };

  VertexRef prev = p.back();
  bool prevInside = inside(prev);
  for (std::size_t i = 0; i < p.size();) {
    const VertexRef cur = p.at(i);
    const bool curInside = inside(cur);
    bool crossed = false;

    if (curInside != prevInside) {
      const float dCur = cutter.signedDistance(cur->position);
      const float dPrev = cutter.signedDistance(prev->position);
      const float r = 1.0f / (dCur - dPrev);
      const float t = r * dCur;
      const float e = std::abs(r * eps);
      crossed = e < t && t < 1 - e;
      if (crossed) {
        VertexRef crossing = cur;
        crossing.assignNew(*prev * t + *cur * (1.0f - t));
        if (curInside) {
          p.insert(i++, crossing);
        } else {
          p.erase(i);  // the crossing takes the outside vertex's place
          p.insert(i, crossing);
        }
      }
    }

    if (curInside || crossed)
      ++i;
    else
      p.erase(i);
    prevInside = curInside;
    prev = cur;
  }
}
