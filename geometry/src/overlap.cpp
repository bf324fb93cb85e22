// Overlap of two convex polygons by separating axes, and the centre and
// translation of a polygon that let a program move it as a whole.
#include <geometry/polygon.h>

#include <algorithm>

namespace geometry {
namespace {

// An edge normal shorter than this after normalising is zero: the edge has no
// length or runs along the plane's normal.
constexpr float degenerateAxis = 0.5f;

// Walks the refs directly: the callers never pass an empty polygon, and a checked
// lookup per vertex costs more than the projection itself.
Projection project(const Polygon& p, const Vector3& axis, const Vector3& origin) {
  Projection extent;
  auto ref = p.begin();
  extent.start(axis, origin, (*ref)->position);
  for (++ref; ref != p.end(); ++ref) extent.add((*ref)->position);
  return extent;
}

// Space between the two extents along axis: negative when they overlap, 0 when they touch.
bool separates(const Polygon& p, const Polygon& q, const Vector3& axis, const Vector3& origin, float tol) {
  const Projection a = project(p, axis, origin);
  const Projection b = project(q, axis, origin);
  return std::max(b.min - a.max, a.min - b.max) >= tol;
}

// The axes of p: its face normal, then the in-plane normal of each edge, starting
// with the closing edge. A degenerate edge is skipped and the next edge starts
// where the skipped one did.
bool separatedByAxesOf(const Polygon& p, const Polygon& q, float tol) {
  const Vector3& normal = p.plane.normal;
  Vector3 start = p.back()->position;
  if (separates(p, q, normal, start, tol)) return true;
  for (const VertexRef& ref : p) {
    Vector3 axis = cross(ref->position - start, normal);
    axis.normalize();
    if (axis.lengthSquared() < degenerateAxis) continue;
    if (separates(p, q, axis, start, tol)) return true;
    start = ref->position;
  }
  return false;
}

}  // namespace

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

bool Polygon::overlaps(const Polygon& other, float tol) const {
  if (size() == 0 || other.size() == 0) return false;
  return !separatedByAxesOf(*this, other, tol) && !separatedByAxesOf(other, *this, tol);
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
