#include <geometry/plane.h>

namespace geometry {

Plane Plane::fromDirections(const Vector3& u, const Vector3& v, const Vector3& p) {
  // cross(v, u), not cross(u, v): with v = +z this turns u a quarter turn counter-clockwise.
  Plane plane;
  plane.normal = cross(v, u);
  plane.normal.normalize();
  plane.d = -dot(plane.normal, p);
  return plane;
}

Side Plane::classify(const Vector3& p, float eps) const {
  const float s = signedDistance(p);
  if (s > eps) return Front;
  if (s < -eps) return Back;
  return On;
}

}  // namespace geometry
