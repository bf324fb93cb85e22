// The shape tests of a polygon: its supporting plane, convexity and tininess.
#include <geometry/polygon.h>

#include <algorithm>
#include <functional>

namespace geometry {
namespace {

bool isZero(const Vector3& v) { return v.x == 0 && v.y == 0 && v.z == 0; }

// Walks the corners comparing each edge direction with the one before; fires at
// the first corner that turns the wrong way about the normal by more than tol.
// A corner listed twice in a row gives no direction of its own (a zero one): the
// walk keeps the previous direction, so the corner after it is still compared
// with a real edge.
struct ConvexWalk {
  Vector3 previousPoint;
  Vector3 previousDirection;
  Vector3 normal;
  float tol;

  bool operator()(const VertexRef& ref) {
    const Vector3& p = ref->position;
    Vector3 dir = previousPoint - p;
    dir.normalize();
    if (isZero(dir)) {
      previousPoint = p;
      return false;
    }
    // For unit directions this is the sine of the turn at the corner, measured about the normal.
    const float turn = dot(cross(normal, previousDirection), dir - previousDirection);
    if (turn < -tol) return true;
    previousPoint = p;
    previousDirection = dir;
    return false;
  }
};

// Counts edges at least tol long, starting with the closing edge; fires at the third.
struct LongEdgeCounter {
  Vector3 previousPoint;
  int count;
  float tol;

  bool operator()(const VertexRef& ref) {
    const Vector3& p = ref->position;
    if ((previousPoint - p).length() >= tol) {
      if (count == 2) return true;
      ++count;
    }
    previousPoint = p;
    return false;
  }
};

}  // namespace

bool Polygon::computePlane(float tol) {
  const std::size_t n = size();
  if (n < 3) return false;
  const float tol2 = tol * tol;
  for (std::size_t i = 1; i < n; ++i) {
    const Vector3& corner = vertices[i]->position;
    const Vector3 e1 = vertices[i - 1]->position - corner;
    if (e1.lengthSquared() < tol2) continue;
    // Candidates are every vertex but i - 1 and i: first those after i, then those before i - 1.
    auto tryCandidate = [&](std::size_t j) {
      const Vector3 e2 = vertices[j]->position - corner;
      if (e2.lengthSquared() < tol2) return false;
      Vector3 c = cross(e2, e1);
      if (c.length() < tol) return false;
      c.normalize();
      plane.normal = c;
      plane.d = -dot(c, corner);
      return true;
    };
    for (std::size_t j = i + 1; j < n; ++j)
      if (tryCandidate(j)) return true;
    for (std::size_t j = 0; j + 3 <= i; ++j)
      if (tryCandidate(j)) return true;
  }
  return false;
}

bool Polygon::isConvex(float tol) const {
  const std::size_t n = size();
  if (n < 3) return true;
  // The walk's direction on arriving at vertex 0: that of the last corner, or where that is
  // zero, of the nearest corner before it whose direction is not.
  Vector3 start;
  for (std::size_t k = n; k-- > 0 && isZero(start);) {
    start = vertices[k > 0 ? k - 1 : n - 1]->position - vertices[k]->position;
    start.normalize();
  }
  ConvexWalk walk{vertices[n - 1]->position, start, plane.normal, tol};
  return std::find_if(vertices.begin(), vertices.end(), std::ref(walk)) == vertices.end();
}

bool Polygon::isTiny(float tol) const {
  if (size() < 3) return true;
  LongEdgeCounter counter{back()->position, 0, tol};
  return std::find_if(vertices.begin(), vertices.end(), std::ref(counter)) == vertices.end();
}

}  // namespace geometry
