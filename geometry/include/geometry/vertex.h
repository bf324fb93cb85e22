// The vertex record that polygons refer to: a position and further attribute
// groups, all of which take part in every vertex operation.
#pragma once

#include <geometry/vector.h>

#include <array>
#include <cstddef>
#include <type_traits>

namespace geometry {

/// 26 floats: position, attrib3, attrib4, then four attribute sets.
struct Vertex {
  Vector3 position;
  Vector3 attrib3;
  Vector4 attrib4;
  std::array<Vector4, 4> attribSets;

  Vertex() = default;
  /// Position (x, y, z); the other 23 floats are 0.
  Vertex(float x, float y, float z) : position{x, y, z} {}

  /// Replaces the position and keeps the attribute groups; returns a copy of the result.
  Vertex setPosition(const Vector3& p) {
    position = p;
    return *this;
  }
};

/// Every one of the 26 floats multiplied by s.
Vertex operator*(const Vertex& v, float s);
/// Every one of the 26 floats added.
Vertex operator+(const Vertex& v, const Vertex& w);

static_assert(sizeof(Vertex) == 26 * sizeof(float), "a vertex is exactly 26 floats");
static_assert(std::is_trivially_copyable_v<Vertex>, "copying a vertex copies its floats");
static_assert(std::is_standard_layout_v<Vertex>);
static_assert(offsetof(Vertex, attrib3) == 3 * sizeof(float) && offsetof(Vertex, attrib4) == 6 * sizeof(float) &&
                  offsetof(Vertex, attribSets) == 10 * sizeof(float),
              "the field order of a vertex is fixed");

}  // namespace geometry
