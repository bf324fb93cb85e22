// The step-by-step walks, built on Polygon's public operations.
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

bool referenceInsideBarycentric(const Polygon& p, const Vector3& point, float eps) {
  if (p.size() == 2) return false;
  const Vector3 a = p.at(0)->position;
  Vector3 previous = p.at(1)->position;
  for (std::size_t i = 2; i < p.size(); ++i) {
    const Vector3& cur = p.at(i)->position;
    const Vector3 e1 = previous - a;
    const Vector3 e2 = cur - a;
    previous = cur;
    const float k = 1 / e1.lengthSquared();
    const Vector3 perp = e2 - e1 * (dot(e2, e1) * k);
    const Vector3 w = point - a;
    const float v = dot(w, perp) / dot(e2, perp);
    if (v < -eps) continue;
    const float u = dot(w - e2 * v, e1) * k;
    if (u >= -eps && u + v <= 1 + eps) return true;
  }
  return false;
}

bool referenceInsideEdgePlanes(const Polygon& p, const Vector3& point) {
  Vector3 previous = p.back()->position;
  for (const VertexRef& ref : p) {
    const Vector3& cur = ref->position;
    const Vector3 out = cross(p.plane.normal, previous - cur);
    previous = cur;
    if (dot(out, point - cur) > 0.01f) return false;
  }
  return true;
}

Vector3 referenceClosestPoint(const Polygon& p, const Vector3& q) {
  const Vector3 foot = q - p.plane.normal * p.plane.signedDistance(q);
  if (referenceInsideBarycentric(p, foot, 0)) return foot;
  const std::size_t n = p.size();
  float best = 1e10f;
  Vector3 result;
  for (std::size_t i = 0; i < n; ++i) {
    const Vector3 a = p.at(i)->position;
    const Vector3 b = p.at((i + 1) % n)->position;
    const Vector3 e = b - a;
    const float edgeSquared = e.lengthSquared();
    const float t = edgeSquared > 0 ? dot(q - a, e) / edgeSquared : 0;
    const Vector3 c = t <= 0 ? a : t >= 1 ? b : a + e * t;
    const float d2 = (q - c).lengthSquared();
    if (d2 < best || i == 0) {
      best = d2;
      result = c;
    }
  }
  return result;
}

namespace {

Projection project(const Polygon& p, const Vector3& axis, const Vector3& origin) {
  Projection extent;
  extent.start(axis, origin, p.at(0)->position);
  for (std::size_t i = 1; i < p.size(); ++i) extent.add(p.at(i)->position);
  return extent;
}

bool separatedByAxesOf(const Polygon& p, const Polygon& q, float tol) {
  auto separates = [&](const Vector3& axis, const Vector3& origin) {
    const Projection a = project(p, axis, origin);
    const Projection b = project(q, axis, origin);
    return std::max(b.min - a.max, a.min - b.max) >= tol;
  };
  const Vector3& normal = p.plane.normal;
  Vector3 start = p.back()->position;
  if (separates(normal, start)) return true;
  for (const VertexRef& ref : p) {
    Vector3 axis = cross(ref->position - start, normal);
    axis.normalize();
    if (axis.lengthSquared() < 0.5f) continue;
    if (separates(axis, start)) return true;
    start = ref->position;
  }
  return false;
}

}  // namespace

bool referenceOverlaps(const Polygon& p, const Polygon& q, float tol) {
  if (p.size() == 0 || q.size() == 0) return false;
  return !separatedByAxesOf(p, q, tol) && !separatedByAxesOf(q, p, tol);
}
