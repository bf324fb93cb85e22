// insideEdgePlanes, insideBarycentric's fan, closestPoint and overlaps with several edges, fan
// triangles or axes side by side, one per lane, for lanes of type F (four or eight floats).
// Each lane does the step-by-step walk's float operations in the walk's order, and the walk's
// decisions (first edge on ties, skipped axes, early exits) are taken in its order, so that
// every answer has the bits the walk gives it.
#pragma once

#include <geometry/polygon.h>

#include <cmath>
#include <cstddef>
#include <cstring>
#include <limits>
#include <vector>

#include "../step_by_step.h"
#include "corner_lanes.h"

namespace geometry {

// ---- insideEdgePlanes ----

// Edges side by side, from the closing one on: lane i holds the edge that ends at corner
// first + i. The answer is "inside" unless some edge has the point beyond its plane, so the
// edges can be judged side by side; a block that finds one ends the test.
template <class F>
LANES_INLINE bool insideEdgePlanesIn(const Polygon& polygon, const Vector3& p) {
  constexpr std::size_t width = lanes::widthOf<F>;
  const std::size_t n = polygon.size();
  // A point outside is often beyond the closing edge already, where the walk stopped at once.
  // Where that edge alone is cheaper than a block, it is judged first.
  if (n > width) {
    const Vector3& cur = polygon.begin()->vertex->position;
    if (dot(cross(polygon.plane.normal, lastCorner(polygon) - cur), p - cur) > edgePlaneAllowance) return false;
  }
  const Points<F> normal = splat<F>(polygon.plane.normal);
  const Points<F> point = splat<F>(p);
  Points<F> before = splat<F>(lastCorner(polygon));
  for (std::size_t first = 0; first < n; first += width) {
    const Points<F> cur = corners<F>(polygon, first);
    const Points<F> previous = predecessors(before, cur);
    before = cur;
    // cross(normal, edge) points out of a polygon wound counter-clockwise about the
    // normal. It is not normalised: the allowance shrinks as the edge grows.
    const Points<F> out = cross(normal, previous - cur);
    const lanes::MaskOf<F> beyond = dot(out, point - cur) > lanes::splat<F>(edgePlaneAllowance);
    if (lanes::anyTrue(beyond & lanes::below<F>(n - first))) return false;
  }
  return true;
}

// ---- insideBarycentric's fan ----

// The fan of triangles (apex, previous corner, corner) from the polygon's first corner: which of
// the triangles that end at the corners in cur, whose predecessors are in previous, hold the
// point at w = point - apex, each widened by eps. Lanes of no triangle are to be masked off.
template <class F>
LANES_INLINE lanes::MaskOf<F> fanHolds(const Points<F>& apex, const Points<F>& w, const Points<F>& previous,
                                       const Points<F>& cur, float eps) {
  const Points<F> e1 = previous - apex;
  const Points<F> e2 = cur - apex;
  // w is split as u * e1 + v * e2 plus a part off the triangle's plane. perp, the part of e2
  // perpendicular to e1, sees no e1, so it gives v alone; what is left of w after v * e2 then
  // gives u along e1.
  const F k = lanes::splat<F>(1) / lengthSquared(e1);
  const Points<F> perp = e2 - e1 * (dot(e2, e1) * k);
  const F v = dot(w, perp) / dot(e2, perp);
  const F u = dot(w - e2 * v, e1) * k;
  // A not-a-number coordinate, from a triangle of no area, fails this test.
  const F low = lanes::splat<F>(-eps);
  return ~(v < low) & (u >= low) & (u + v <= lanes::splat<F>(1 + eps));
}

// The fan of a polygon of at least three corners, four triangles at a time: lane i holds the
// triangle that ends at corner first + i. The point is inside as soon as one triangle holds it.
template <class F>
LANES_INLINE bool insideBarycentricIn(const Polygon& polygon, const Vector3& p, float eps) {
  const std::size_t n = polygon.size();
  const Points<F> a = splat<F>(polygon.begin()->vertex->position);
  const Points<F> w = splat<F>(p) - a;
  Points<F> before = splat<F>((polygon.begin() + 1)->vertex->position);
  for (std::size_t first = 2; first < n; first += lanes::widthOf<F>) {
    const Points<F> cur = corners<F>(polygon, first);
    const lanes::MaskOf<F> holds = fanHolds(a, w, predecessors(before, cur), cur, eps);
    before = cur;
    if (lanes::anyTrue(holds & lanes::below<F>(n - first))) return true;
  }
  return false;
}

// ---- closestPoint ----

// The nearest point to q of a polygon of at least two corners: its foot on the plane when the
// fan holds the foot, else the nearest point of the outline, the lowest edge on ties. Both are
// worked out in one pass over the corners, a block of them at a time: lane i holds the fan
// triangle and the outline edge that end and start at corner first + i. A block whose fan holds
// the foot ends the pass, as the fan test ended the walk.
template <class F>
LANES_INLINE Vector3 closestPointIn(const Polygon& polygon, const Vector3& q) {
  constexpr std::size_t width = lanes::widthOf<F>;
  const std::size_t n = polygon.size();
  // Dropped perpendicularly onto the plane, q lands either in the polygon (then that is the answer) or outside.
  const Vector3 foot = q - polygon.plane.normal * polygon.plane.signedDistance(q);
  const Points<F> apex = splat<F>(polygon.begin()->vertex->position);
  const Points<F> w = splat<F>(foot) - apex;
  const float footTolerance = 0;  // the outline belongs to the interior

  const Points<F> query = splat<F>(q);
  const F zero = lanes::splat<F>(0), one = lanes::splat<F>(1);
  // Each lane keeps the nearest of its own edges, the earliest of equals, and which edge that was.
  F best = lanes::splat<F>(std::numeric_limits<float>::infinity());
  Points<F> bestPoint{};
  lanes::MaskOf<F> bestEdge = lanes::splatInts<F>(-1);
  Points<F> before = splat<F>(lastCorner(polygon));
  Points<F> cur = corners<F>(polygon, 0);
  float firstDistance = 0;
  Vector3 firstPoint;
  for (std::size_t first = 0; first < n; first += width) {
    // The corners after this block, of which the edges here need the first. In the last block
    // that is corner 0, if a live lane needs it at all.
    const Points<F> after = first + width < n ? corners<F>(polygon, first + width) : apex;
    const lanes::MaskOf<F> live = lanes::below<F>(n - first);
    // The fan has a triangle at each corner from the third on.
    const lanes::MaskOf<F> triangle = live & (lanes::indices<F>(static_cast<int>(first)) >= 2);
    if (lanes::anyTrue(fanHolds(apex, w, predecessors(before, cur), cur, footTolerance) & triangle)) return foot;

    // The nearest point of each edge, from a = cur to b. Distances are measured from q itself,
    // so each carries the same height above the plane. q's part along the normal is
    // perpendicular to every edge and does not change t. An edge of no length (a corner
    // dragged onto its neighbour) would give 0 / 0; its only point is a.
    const Points<F>& a = cur;
    const Points<F> b = successors(cur, after);
    const Points<F> e = b - a;
    const F edgeSquared = lengthSquared(e);
    const F t = lanes::select(edgeSquared > zero, dot(query - a, e) / edgeSquared, zero);
    const Points<F> c = select(t <= zero, a, select(t >= one, b, a + e * t));
    const F d2 = lengthSquared(query - c);
    if (first == 0) {
      firstDistance = d2[0];
      firstPoint = lane(c, 0);
    }
    const lanes::MaskOf<F> nearer = (d2 < best) & live;
    best = lanes::select(nearer, d2, best);
    bestPoint = select(nearer, c, bestPoint);
    bestEdge = lanes::selectInts(nearer, lanes::indices<F>(static_cast<int>(first)), bestEdge);
    before = cur;
    cur = after;
  }

  // The walk takes the first edge whatever its distance, then a later edge only when strictly nearer.
  // So the answer is the lowest edge of least distance; or the first edge when its distance is not a
  // number, which nothing is less than (and which no lane took).
  float nearest = firstDistance;
  Vector3 result = firstPoint;
  int resultEdge = 0;
  if (std::isnan(nearest)) return result;
  for (std::size_t i = 0; i < width; ++i) {
    if (bestEdge[i] < 0) continue;
    if (best[i] < nearest || (best[i] == nearest && bestEdge[i] < resultEdge)) {
      nearest = best[i];
      result = lane(bestPoint, i);
      resultEdge = bestEdge[i];
    }
  }
  return result;
}

// ---- overlaps ----

// The candidate axes of both polygons by coordinate, each with the origin its projections are
// measured from and whether it is the first polygon's: axis x, y, z, origin x, y, z, then the flag.
// On the stack for two polygons of up to about 70 corners each, on the heap beyond.
template <class F>
class Axes {
 public:
  static constexpr std::size_t width = lanes::widthOf<F>;

  explicit Axes(std::size_t most) : stride(most + 2 * width) {
    if (stride > inPlace) {
      spill.resize(7 * stride);
      base = spill.data();
    }
  }
  Axes(const Axes&) = delete;
  Axes& operator=(const Axes&) = delete;

  std::size_t size() const { return count; }
  void truncate(std::size_t to) { count = to; }
  void add(const Vector3& axis, const Vector3& origin, bool ofFirst) {
    const float values[] = {axis.x, axis.y, axis.z, origin.x, origin.y, origin.z};
    for (std::size_t c = 0; c < 6; ++c) column(c)[count] = values[c];
    const int flag = ofFirst ? -1 : 0;
    std::memcpy(column(6) + count, &flag, sizeof flag);
    ++count;
  }
  /// The first `live` lanes of axis and origin as the next axes (all lanes are written).
  LANES_INLINE void add(const Points<F>& axis, const Points<F>& origin, std::size_t live, bool ofFirst) {
    const F values[] = {axis.x, axis.y, axis.z, origin.x, origin.y, origin.z};
    for (std::size_t c = 0; c < 6; ++c) std::memcpy(column(c) + count, &values[c], sizeof(F));
    const lanes::MaskOf<F> flags = lanes::splatInts<F>(ofFirst ? -1 : 0);
    std::memcpy(column(6) + count, &flags, sizeof flags);
    count += live;
  }
  /// Fills the lanes after the last axis, up to whole blocks, with copies of it.
  void pad() {
    for (std::size_t k = count; k % width != 0; ++k)
      for (std::size_t c = 0; c < 7; ++c) column(c)[k] = column(c)[count - 1];
  }
  /// Axes first to first + width - 1 (after pad(), lanes past size() repeat the last axis).
  LANES_INLINE Points<F> axis(std::size_t first) const { return load(0, first); }
  LANES_INLINE Points<F> origin(std::size_t first) const { return load(3, first); }
  LANES_INLINE lanes::MaskOf<F> ofFirst(std::size_t first) const {
    lanes::MaskOf<F> m;
    std::memcpy(&m, column(6) + first, sizeof m);
    return m;
  }

 private:
  static constexpr std::size_t inPlace = 160;

  float* column(std::size_t c) { return base + c * stride; }
  const float* column(std::size_t c) const { return base + c * stride; }
  LANES_INLINE F loadColumn(std::size_t c, std::size_t first) const {
    F v;
    std::memcpy(&v, column(c) + first, sizeof v);
    return v;
  }
  LANES_INLINE Points<F> load(std::size_t c, std::size_t first) const {
    return {loadColumn(c, first), loadColumn(c + 1, first), loadColumn(c + 2, first)};
  }

  std::size_t stride;
  std::size_t count = 0;
  float local[7 * inPlace];
  std::vector<float> spill;
  float* base = local;
};

// Adds the axes of p: its face normal from its last corner, then the in-plane normal of each
// edge from where the edge starts, beginning with the closing edge. A degenerate edge is
// skipped and the next edge starts where the skipped one did.
template <class F>
LANES_INLINE void collectAxes(const Polygon& p, Axes<F>& axes, bool ofFirst) {
  constexpr std::size_t width = lanes::widthOf<F>;
  const std::size_t start = axes.size();
  const Vector3& normal = p.plane.normal;
  axes.add(normal, lastCorner(p), ofFirst);
  // Edges side by side, each from the corner before its end: right as long as no edge is
  // skipped. A skip moves every later start, which a lane cannot know in advance, so a
  // polygon with a degenerate edge takes its axes one by one.
  const std::size_t n = p.size();
  const Points<F> normals = splat<F>(normal);
  const F zero = lanes::splat<F>(0), one = lanes::splat<F>(1), degenerate = lanes::splat<F>(degenerateAxis);
  Points<F> before = splat<F>(lastCorner(p));
  for (std::size_t first = 0; first < n; first += width) {
    const Points<F> end = corners<F>(p, first);
    const Points<F> from = predecessors(before, end);
    before = end;
    Points<F> axis = cross(end - from, normals);
    // normalize(), lane by lane: a vector of length 0 stays as it is.
    const F length = lanes::sqrt(lengthSquared(axis));
    axis = select(length == zero, axis, axis * (one / length));
    if (lanes::anyTrue((lengthSquared(axis) < degenerate) & lanes::below<F>(n - first))) {
      axes.truncate(start);
      axes.add(normal, lastCorner(p), ofFirst);
      Vector3 edgeStart = lastCorner(p);
      for (const VertexRef& ref : p) {
        Vector3 edgeAxis = cross(ref->position - edgeStart, normal);
        edgeAxis.normalize();
        if (edgeAxis.lengthSquared() < degenerateAxis) continue;
        axes.add(edgeAxis, edgeStart, ofFirst);
        edgeStart = ref->position;
      }
      return;
    }
    axes.add(axis, from, n - first < width ? n - first : width, ofFirst);
  }
}

// The extent of p's corners along each lane's axis, corner by corner in the polygon's order,
// as Projection::start and add do.
template <class F>
struct Extents {
  F min, max;
};
template <class F>
LANES_INLINE Extents<F> extents(const Polygon& p, const Points<F>& axis, const Points<F>& origin) {
  auto corner = p.begin();
  const F q0 = dot(axis, splat<F>(corner->vertex->position) - origin);
  Extents<F> e{q0, q0};
  for (++corner; corner != p.end(); ++corner) {
    const F q = dot(axis, splat<F>(corner->vertex->position) - origin);
    e.min = lanes::lowerOf(e.min, q);
    e.max = lanes::higherOf(e.max, q);
  }
  return e;
}

// Separating axes: the polygons (both non-empty) overlap unless a face or edge normal of either
// shows a gap of at least tol between their extents. Every axis is judged on its own, with
// nothing carried from one to the next but the starts of the edges, so the axes of both
// polygons are judged side by side, mixed in blocks; a block that finds a gap ends the test.
template <class F>
LANES_INLINE bool overlapsIn(const Polygon& p, const Polygon& q, float tol) {
  constexpr std::size_t width = lanes::widthOf<F>;
  Axes<F> axes(p.size() + q.size() + 2);
  collectAxes(p, axes, true);
  collectAxes(q, axes, false);
  axes.pad();  // the copies in the last block judge an axis again, with its answer
  const F tolerance = lanes::splat<F>(tol);
  for (std::size_t first = 0; first < axes.size(); first += width) {
    const Points<F> axis = axes.axis(first);
    const Points<F> origin = axes.origin(first);
    const Extents<F> a = extents(p, axis, origin);
    const Extents<F> b = extents(q, axis, origin);
    // Space between the two extents: negative when they overlap, 0 when they touch. The walk
    // takes the extent of the axis's own polygon first, which decides when a side is not a number.
    const F pFirst = lanes::max(b.min - a.max, a.min - b.max);
    const F qFirst = lanes::max(a.min - b.max, b.min - a.max);
    const F gap = lanes::select(axes.ofFirst(first), pFirst, qFirst);
    if (lanes::anyTrue(gap >= tolerance)) return false;
  }
  return true;
}

}  // namespace geometry
