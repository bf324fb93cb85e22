#include <geometry/vector.h>

#include <cmath>

namespace geometry {

float Vector2::length() const { return std::sqrt(x * x + y * y); }

float Vector3::length() const { return std::sqrt(lengthSquared()); }

void Vector3::normalize() {
  const float len = length();
  // Only an exact zero is left alone; a not-a-number length goes on and spreads.
  if (len == 0.0f) return;
  const float k = 1.0f / len;
  x *= k;
  y *= k;
  z *= k;
}

}  // namespace geometry
