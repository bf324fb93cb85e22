// Turns a fuzzer's input bytes into polygons, planes, sides and tolerances, and the
// checks the fuzz targets share. Every read past the end of the input gives 0.
//
// Byte layout (what a hand-made seed writes):
//   number:    selector s, then by s % 16: 0 -> 0, 1 -> -0, 2..6 -> int8 / 4,
//              7 -> a number decoded before (index byte), 8 -> huge (byte: which, sign),
//              9 -> tiny (byte), 10 -> +-infinity (byte: sign), 11 -> not a number,
//              12, 13 -> int16 (two bytes, little end first) / 1024, 14, 15 -> raw float (4 bytes)
//   point:     x, y, z as numbers (z is 0 and not read for a flat polygon)
//   polygon:   count byte (% 65 vertices), then per vertex a kind byte: kind % 8 == 0 -> the
//              record of an earlier vertex again (index byte), 1 -> a new record at an earlier
//              vertex's position (index byte), otherwise a point
//   plane:     kind byte: % 4 == 0 -> through a point (point) along a line (point) upright on
//              z = 0, as the programs build it; 1 -> normal +-x, +-y or +-z (byte) and d (number);
//              otherwise normal (point) and d (number)
//   side:      byte % 4: 0 Front, 1 Back, 2 On, 3 -> any integer (4 bytes)
//   tolerance: byte % 4: 0 -> 0.05, 1 -> 0.01, otherwise a number
#pragma once

#include <geometry/polygon.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <limits>
#include <vector>

namespace fuzz {

using geometry::Plane;
using geometry::Polygon;
using geometry::Side;
using geometry::Vector3;
using geometry::Vertex;
using geometry::VertexRef;
using geometry::VertexStore;

constexpr std::size_t maxVertices = 64;
// Coordinates up to this size keep every product of the operations (cross products of
// edges, their squared lengths) inside the float range; beyond it overflow to infinity
// is float arithmetic, not a fault, so the invariants for finite input are checked below it.
constexpr float moderateLimit = 1e9f;

/// Prints "invariant failed: <what>" and aborts when ok is false.
inline void check(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "invariant failed: %s\n", what);
  std::abort();
}

inline bool moderate(float x) { return std::fabs(x) <= moderateLimit; }  // false for not-a-number
inline bool moderate(const Vector3& p) { return moderate(p.x) && moderate(p.y) && moderate(p.z); }
inline bool moderate(const Polygon& polygon) {
  for (const VertexRef& ref : polygon)
    if (!moderate(ref->position)) return false;
  return true;
}

/// Largest absolute coordinate of the polygon's positions.
inline float extent(const Polygon& polygon) {
  float m = 0;
  for (const VertexRef& ref : polygon)
    m = std::fmax(
        m, std::fmax(std::fabs(ref->position.x), std::fmax(std::fabs(ref->position.y), std::fabs(ref->position.z))));
  return m;
}

/// True when every vertex a split or cut of polygon by cutter makes must classify On with
/// eps: for moderate input a new vertex lies on the plane up to rounding, so it does for
/// an eps well above the rounding error of its signed distance.
inline bool newVerticesClassifyOn(const Polygon& polygon, const Plane& cutter, float eps) {
  const float scale =
      (std::fabs(cutter.normal.x) + std::fabs(cutter.normal.y) + std::fabs(cutter.normal.z)) * extent(polygon) +
      std::fabs(cutter.d);
  return moderate(polygon) && moderate(cutter.normal) && moderate(cutter.d) && eps >= 1e-4f * scale + 1e-30f &&
         eps <= moderateLimit;
}

/// The bits of a plane, so that planes holding not-a-number compare as copies.
inline bool samePlane(const Plane& a, const Plane& b) { return std::memcmp(&a, &b, sizeof(Plane)) == 0; }

/// Equal bits, or both not a number (whose payload follows the compiler's operand order).
inline bool sameBits(float a, float b) {
  return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}
inline bool sameBits(const Vector3& a, const Vector3& b) {
  return sameBits(a.x, b.x) && sameBits(a.y, b.y) && sameBits(a.z, b.z);
}

/// The records a polygon links, in order.
inline std::vector<const Vertex*> records(const Polygon& polygon) {
  std::vector<const Vertex*> result;
  for (const VertexRef& ref : polygon) result.push_back(ref.vertex);
  return result;
}

/// The same outline starting at vertex r <= size().
inline Polygon rotated(const Polygon& polygon, std::size_t r) {
  Polygon result;
  result.plane = polygon.plane;
  result.insert(0, polygon, r, polygon.size());
  result.insert(result.size(), polygon, 0, r);
  return result;
}

class Decoder {
 public:
  Decoder(const std::uint8_t* data, std::size_t size) : data(data), size(size) {}

  std::uint8_t byte() { return pos < size ? data[pos++] : 0; }

  float number() {
    const std::uint8_t s = byte() % 16;
    float x = 0;
    if (s == 1) {
      x = -0.0f;
    } else if (s >= 2 && s <= 6) {
      x = static_cast<float>(static_cast<std::int8_t>(byte())) / 4;
    } else if (s == 7) {
      const std::uint8_t i = byte();
      x = seen.empty() ? 0 : seen[i % seen.size()];
    } else if (s == 8) {
      static constexpr float huge[] = {1e6f, 1e9f, 1e15f, 1e20f, 1e30f, 3e38f, std::numeric_limits<float>::max()};
      const std::uint8_t b = byte();
      x = withSign(huge[(b >> 1) % std::size(huge)], b);
    } else if (s == 9) {
      static constexpr float tiny[] = {1e-6f,
                                       1e-9f,
                                       1e-20f,
                                       1e-30f,
                                       std::numeric_limits<float>::min(),
                                       1e-40f,
                                       std::numeric_limits<float>::denorm_min()};
      const std::uint8_t b = byte();
      x = withSign(tiny[(b >> 1) % std::size(tiny)], b);
    } else if (s == 10) {
      x = withSign(std::numeric_limits<float>::infinity(), byte());
    } else if (s == 11) {
      x = std::numeric_limits<float>::quiet_NaN();
    } else if (s == 12 || s == 13) {
      const std::uint16_t low = byte();
      const std::uint16_t high = byte();
      x = static_cast<float>(static_cast<std::int16_t>(low | high << 8)) / 1024;
    } else if (s >= 14) {
      std::uint8_t bits[4] = {byte(), byte(), byte(), byte()};
      std::memcpy(&x, bits, sizeof x);
    }
    seen.push_back(x);
    return x;
  }

  Vector3 point(bool flat = false) {
    const float x = number();
    const float y = number();
    return {x, y, flat ? 0.0f : number()};
  }

  /// 0 to 64 vertices whose records the decoder keeps, registered in store as a program
  /// registers vertices it keeps itself; repeats share a record or copy a position.
  Polygon polygon(VertexStore& store, bool flat = false) {
    Polygon result;
    const std::size_t n = byte() % (maxVertices + 1);
    for (std::size_t i = 0; i < n; ++i) {
      const std::uint8_t kind = byte() % 8;
      if (kind == 0 && i > 0) {
        result.addVertex(result.at(byte() % i));
        continue;
      }
      const Vector3 p = kind == 1 && i > 0 ? result.at(byte() % i)->position : point(flat);
      Vertex& record = owned.emplace_back(p.x, p.y, p.z);
      store.append(record);
      result.addVertex(VertexRef::linking(record, store));
    }
    return result;
  }

  Plane plane() {
    const std::uint8_t kind = byte() % 4;
    if (kind == 0) {
      const Vector3 p = point();
      const Vector3 q = point();
      return Plane::fromDirections(q - p, {0, 0, 1}, p);
    }
    if (kind == 1) {
      const std::uint8_t b = byte();
      Vector3 normal;
      float& axis = (b >> 1) % 3 == 0 ? normal.x : (b >> 1) % 3 == 1 ? normal.y : normal.z;
      axis = withSign(1, b);
      return {normal, number()};
    }
    const Vector3 normal = point();
    return {normal, number()};
  }

  Side side() {
    const std::uint8_t b = byte() % 4;
    if (b < 3) return static_cast<Side>(b);
    const std::uint32_t any =
        byte() | std::uint32_t{byte()} << 8 | std::uint32_t{byte()} << 16 | std::uint32_t{byte()} << 24;
    return static_cast<Side>(static_cast<std::int32_t>(any));
  }

  float tolerance() {
    const std::uint8_t b = byte() % 4;
    return b == 0 ? 0.05f : b == 1 ? 0.01f : number();
  }

 private:
  static float withSign(float x, std::uint8_t b) { return b & 1 ? -x : x; }

  // A ref whose two links are then set: VertexRef only makes refs that bring a new record.
  const std::uint8_t* data;
  std::size_t size;
  std::size_t pos = 0;
  std::vector<float> seen;
  std::deque<Vertex> owned;  // a deque never moves its elements
};

}  // namespace fuzz
