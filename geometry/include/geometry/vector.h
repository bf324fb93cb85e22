// Small single-precision vectors: Vector2 and Vector3 for points and directions,
// Vector4 for the attribute groups of a vertex.
#pragma once

namespace geometry {

/// Two floats; used for scene positions of the mouse.
struct Vector2 {
  float x = 0;
  float y = 0;

  /// Square root of x*x + y*y.
  float length() const;
};

/// Three floats x, y, z: a point or a direction.
struct Vector3 {
  float x = 0;
  float y = 0;
  float z = 0;

  /// Square root of the float sum of squares, rounded to float.
  float length() const;
  /// x*x + y*y + z*z, no square root.
  float lengthSquared() const { return x * x + y * y + z * z; }
  /// Scales to unit length in place; a vector of length exactly 0 is left unchanged.
  void normalize();
};

inline Vector3 operator-(const Vector3& a, const Vector3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vector3 operator+(const Vector3& a, const Vector3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vector3 operator*(const Vector3& a, float s) { return {a.x * s, a.y * s, a.z * s}; }
inline Vector3 operator*(float s, const Vector3& a) { return a * s; }

/// a.x*b.x + a.y*b.y + a.z*b.z.
inline float dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

/// Right-handed: cross((1,0,0), (0,1,0)) = (0,0,1).
inline Vector3 cross(const Vector3& a, const Vector3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

/// Four floats with no meaning of their own: one attribute group of a vertex.
struct Vector4 {
  float x = 0;
  float y = 0;
  float z = 0;
  float w = 0;
};

inline Vector4 operator+(const Vector4& a, const Vector4& b) { return {a.x + b.x, a.y + b.y, a.z + b.z, a.w + b.w}; }
inline Vector4 operator*(const Vector4& a, float s) { return {a.x * s, a.y * s, a.z * s, a.w * s}; }

}  // namespace geometry
