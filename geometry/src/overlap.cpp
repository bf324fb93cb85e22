// Overlap of two convex polygons by separating axes, and the centre and
// translation of a polygon that let a program move it as a whole.
#include <geometry/polygon.h>

#include "corner_lanes.h"

namespace geometry {
namespace {

// An edge normal shorter than this after normalising is zero: the edge has no
// length or runs along the plane's normal.
constexpr float degenerateAxis = 0.5f;

// The candidate axes of one polygon, each with the origin its projections are measured
// from, by coordinate: axis x, y, z, then origin x, y, z.
class Axes {
 public:
  explicit Axes(std::size_t capacity) : columns(capacity) {}

  std::size_t size() const { return count; }
  void clear() { count = 0; }
  void add(const Vector3& axis, const Vector3& origin) {
    const float values[] = {axis.x, axis.y, axis.z, origin.x, origin.y, origin.z};
    for (std::size_t c = 0; c < 6; ++c) columns[c][count] = values[c];
    ++count;
  }
  /// Fills the lanes after the last axis, up to whole lanes, with copies of it.
  void pad() {
    for (std::size_t k = count; k % lanes::width != 0; ++k)
      for (std::size_t c = 0; c < 6; ++c) columns[c][k] = columns[c][count - 1];
  }
  /// Axes first to first + 3 (after pad(), lanes past size() repeat the last axis).
  Points axis(std::size_t first) const { return load(0, first); }
  Points origin(std::size_t first) const { return load(3, first); }

 private:
  Points load(std::size_t c, std::size_t first) const {
    return {lanes::load(columns[c] + first), lanes::load(columns[c + 1] + first), lanes::load(columns[c + 2] + first)};
  }

  std::size_t count = 0;
  lanes::Columns<6> columns;
};

// The axes of p: its face normal from its last corner, then the in-plane normal of each
// edge from where the edge starts, beginning with the closing edge. A degenerate edge is
// skipped and the next edge starts where the skipped one did.
void collectAxes(const Polygon& p, const CornerColumns& corners, Axes& axes) {
  const Vector3& normal = p.plane.normal;
  axes.add(normal, p.back()->position);
  // Four edges at a time, each from the corner before its end: right as long as no edge is
  // skipped. A skip moves every later start, which a lane cannot know in advance, so a
  // polygon with a degenerate edge takes its axes one by one.
  const std::size_t n = corners.size();
  const Points normals = splat(normal);
  const lanes::Floats zero = lanes::splat(0), one = lanes::splat(1), degenerate = lanes::splat(degenerateAxis);
  for (std::size_t first = 0; first < n; first += lanes::width) {
    const Points start = corners.load(first);
    Points axis = cross(corners.load(first + 1) - start, normals);
    // normalize(), lane by lane: a vector of length 0 stays as it is.
    const lanes::Floats length = lanes::sqrt(lengthSquared(axis));
    axis = select(length == zero, axis, axis * (one / length));
    if (lanes::anyTrue((lengthSquared(axis) < degenerate) & lanes::below(n - first))) {
      axes.clear();
      axes.add(normal, p.back()->position);
      Vector3 from = p.back()->position;
      for (const VertexRef& ref : p) {
        Vector3 edgeAxis = cross(ref->position - from, normal);
        edgeAxis.normalize();
        if (edgeAxis.lengthSquared() < degenerateAxis) continue;
        axes.add(edgeAxis, from);
        from = ref->position;
      }
      return;
    }
    for (std::size_t i = 0; i < lanes::width && first + i < n; ++i) axes.add(lane(axis, i), lane(start, i));
  }
}

// Projects every corner on four axes at once, each lane on its own axis, corner by corner
// in the polygon's order, as Projection::start and add do.
struct Extents {
  lanes::Floats min, max;

  Extents(const CornerColumns& corners, const Points& axis, const Points& origin) {
    min = max = dot(axis, corners.splatCorner(0) - origin);
    for (std::size_t i = 1; i < corners.size(); ++i) {
      const lanes::Floats q = dot(axis, corners.splatCorner(i) - origin);
      min = lanes::lowerOf(min, q);
      max = lanes::higherOf(max, q);
    }
  }
};

// True when an axis of p shows a gap of at least tol between the two extents, p's taken
// first as the walk did (with a not-a-number gap the order decides). A block of four axes
// that finds one ends the test.
bool separatedByAxesOf(const Polygon& p, const CornerColumns& pCorners, const CornerColumns& qCorners, float tol) {
  Axes axes(pCorners.size() + 1);
  collectAxes(p, pCorners, axes);
  axes.pad();
  const lanes::Floats tolerance = lanes::splat(tol);
  for (std::size_t first = 0; first < axes.size(); first += lanes::width) {
    const Points axis = axes.axis(first);
    const Points origin = axes.origin(first);
    const Extents a(pCorners, axis, origin);
    const Extents b(qCorners, axis, origin);
    // Space between the two extents: negative when they overlap, 0 when they touch.
    const lanes::Floats gap = lanes::max(b.min - a.max, a.min - b.max);
    if (lanes::anyTrue((gap >= tolerance) & lanes::below(axes.size() - first))) return true;
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

// Every axis is judged on its own, with nothing carried from one to the next but the starts of
// the edges, so judging them side by side gives the walk's answer.
bool Polygon::overlaps(const Polygon& other, float tol) const {
  if (size() == 0 || other.size() == 0) return false;
  const CornerColumns mine(*this), others(other);
  return !separatedByAxesOf(*this, mine, others, tol) && !separatedByAxesOf(other, others, mine, tol);
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
