// Overlap of two convex polygons by separating axes, and the centre and
// translation of a polygon that let a program move it as a whole.
#include <geometry/polygon.h>

#include "lane_width.h"

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

// The steps, side by side in lanes, are in overlapsIn (lane_kernels.h).
bool Polygon::overlaps(const Polygon& other, float tol) const {
  if (size() == 0 || other.size() == 0) return false;
  return overlapsInLanes(*this, other, tol);
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
