// A plane as unit normal and offset, and the three-way side of a point against it.
#pragma once

#include <geometry/vector.h>

namespace geometry {

/// Side of a point against a plane; the values are fixed because callers pass them as integers.
enum Side : int {
  Front = 0,  ///< signed distance > eps
  Back = 1,   ///< signed distance < -eps
  On = 2,     ///< within [-eps, eps], or not a number
};

/// Points p with dot(normal, p) + d = 0.
struct Plane {
  Vector3 normal;
  float d = 0;

  /// Plane containing directions u and v through p; normal = normalised cross(v, u), zero if u and v are parallel.
  static Plane fromDirections(const Vector3& u, const Vector3& v, const Vector3& p);

  /// dot(normal, p), without d.
  float normalDot(const Vector3& p) const { return dot(normal, p); }
  /// dot(normal, p) + d.
  float signedDistance(const Vector3& p) const { return normalDot(p) + d; }
  /// Front above eps, Back below -eps, On otherwise (both bounds included).
  Side classify(const Vector3& p, float eps) const;
};

}  // namespace geometry
