// Overlap of two convex polygons by separating axes, given step by step first, and the centre
// and translation of a polygon that let a program move it as a whole.
#include <geometry/polygon.h>

#include <algorithm>

#include "lanes/lane_width.h"
#include "step_by_step.h"

namespace geometry {

void Projection::start(const Vector3& axis, const Vector3& origin, const Vector3& p) {
  this->axis = axis;
  this->origin = origin;
  min = max = dot(axis, p - origin);
}

void Projection::add(const Vector3& p) {
  const float q = dot(axis, p - origin);
  if (q < min) min = q;
  if (q > max) max = q;
}

namespace {

Projection project(const Polygon& p, const Vector3& axis, const Vector3& origin) {
  Projection extent;
  extent.start(axis, origin, p.at(0)->position);
  for (std::size_t i = 1; i < p.size(); ++i) extent.add(p.at(i)->position);
  return extent;
}

// Whether p's face normal or one of its edge normals shows a gap of at least tol between the
// projections of p and q. The edges start with the closing one; a degenerate edge (no length,
// or along the normal) gives no axis, and the next edge starts where it did. pIsSecond says
// which of the operation's polygons p is, for the observer.
template <class Observe>
bool separatedByAxesOf(const Polygon& p, const Polygon& q, float tol, bool pIsSecond, const Observe& observe) {
  AxisStep step;
  step.ofSecond = pIsSecond;
  auto separates = [&](const Vector3& axis, const Vector3& origin) {
    const Projection a = project(p, axis, origin);
    const Projection b = project(q, axis, origin);
    // Negative when the two overlap on the axis, 0 when they touch.
    const float gap = std::max(b.min - a.max, a.min - b.max);
    if constexpr (Observe::on) {
      step.first = pIsSecond ? b : a;
      step.second = pIsSecond ? a : b;
      step.gap = gap;
      step.separates = gap >= tol;
      observe(step);
    }
    return gap >= tol;
  };
  const Vector3& normal = p.plane.normal;
  Vector3 start = p.back()->position;
  step.face = true;
  if (separates(normal, start)) return true;
  step.face = false;
  step.from = p.size() - 1;
  for (const VertexRef& ref : p) {
    Vector3 axis = cross(ref->position - start, normal);
    axis.normalize();
    if (axis.lengthSquared() < degenerateAxis) {
      if constexpr (Observe::on) {
        AxisStep none;
        none.ofSecond = pIsSecond;
        none.from = step.from;
        none.to = step.to;
        none.skipped = true;
        observe(none);
      }
    } else {
      if (separates(axis, start)) return true;
      start = ref->position;
      step.from = step.to;
    }
    ++step.to;
  }
  return false;
}

template <class Observe>
bool overlapsWalk(const Polygon& p, const Polygon& q, float tol, const Observe& observe) {
  if (p.size() == 0 || q.size() == 0) return false;
  return !separatedByAxesOf(p, q, tol, false, observe) && !separatedByAxesOf(q, p, tol, true, observe);
}

// Up to this many corners between the two, projecting all of them on every axis costs less than
// bounding each axis's gap first.
constexpr std::size_t largestAllCorners = 32;

}  // namespace

// Small polygons have every corner projected on every axis, in lanes; larger ones have each axis's
// gap bounded first.
bool Polygon::overlaps(const Polygon& other, float tol) const {
  if (size() == 0 || other.size() == 0) return false;
  if (size() + other.size() <= largestAllCorners) return overlapsInLanes(*this, other, tol);
  return boundedOverlapsInLanes(*this, other, tol);
}

bool overlapsWalked(const Polygon& p, const Polygon& q, float tol, const AxisObserver& observe) {
  return observedBy(observe, [&](const auto& o) { return overlapsWalk(p, q, tol, o); });
}

// An empty polygon has no centre to average towards; it is put at zero rather
// than at 0 * (1 / 0), which is not a number.
Vertex Polygon::centreVertex() const {
  if (vertices.empty()) return Vertex();
  Vertex sum;
  for (const VertexRef& ref : vertices) sum = sum + *ref;
  return sum * (1.0f / static_cast<float>(vertices.size()));
}

Vector3 Polygon::centrePosition() const {
  if (vertices.empty()) return {};
  Vector3 sum;
  for (const VertexRef& ref : vertices) sum = sum + ref->position;
  return sum * (1.0f / static_cast<float>(vertices.size()));
}

void Polygon::translate(const Vector3& offset) {
  for (const VertexRef& ref : vertices) ref->position = ref->position + offset;
}

}  // namespace geometry
