// insideEdgePlanes, insideBarycentric's fan, closestPoint and overlaps with several edges, fan
// triangles or axes side by side, one per lane, for lanes of type F (four or eight floats).
// Each lane does the step-by-step walk's float operations in the walk's order, and the walk's
// decisions (first edge on ties, skipped axes, early exits) are taken in its order, so that
// every answer has the bits the walk gives it.
#pragma once

#include <geometry/polygon.h>

#include <algorithm>
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
//
// Two non-empty polygons overlap unless a face or edge normal of either shows a gap of at least tol
// between their projections; which axis shows it first changes nothing in the answer. Both forms
// take the axes of each polygon as it makes them, the polygon whose axis it is (own) first, as
// the walk does.

// The projection of a corner, as Projection::start and add compute it.
inline float projectionOf(const Vector3& corner, const Vector3& axis, const Vector3& origin) {
  return dot(axis, corner - origin);
}
template <class F>
LANES_INLINE F projectionOf(const Vector3& corner, const Points<F>& axis, const Points<F>& origin) {
  return dot(axis, splat<F>(corner) - origin);
}

// The extent of p's corners along each lane's axis, as Projection::start and add give it.
template <class F>
struct Extents {
  F min, max;
};
template <class F>
LANES_INLINE Extents<F> extents(const Polygon& p, const Points<F>& axis, const Points<F>& origin) {
  auto corner = p.begin();
  const F q0 = projectionOf(corner->vertex->position, axis, origin);
  Extents<F> e{q0, q0};
  for (++corner; corner != p.end(); ++corner) {
    const F q = projectionOf(corner->vertex->position, axis, origin);
    e.min = lanes::lowerOf(e.min, q);
    e.max = lanes::higherOf(e.max, q);
  }
  return e;
}

// The walk's decision on one axis, or on each lane's: every corner of both projected, the gap taken
// with own's extent first (which decides when a side is not a number). A lone axis (a face
// normal, or an edge's where the edges go one by one) is first judged by a bound from the first
// corners, which rules out the face normals of two polygons in one plane at once. An extent
// starts at its first corner and only widens, so where both first projections are finite, the
// other's minimum is at most its first and own's maximum at least its first, neither side can be
// not-a-number, and float subtraction rounds monotonically: the gap is at most the difference of
// the two first projections, either way round.
struct AllCorners {
  float tol;

  void see(const Vector3&) {}
  template <class F>
  LANES_INLINE void see(const Points<F>&) {}

  bool separates(const Polygon& own, const Polygon& other, const Vector3& axis, const Vector3& origin) const {
    const float ownFirst = projectionOf(own.begin()->vertex->position, axis, origin);
    const float otherFirst = projectionOf(other.begin()->vertex->position, axis, origin);
    if (std::isfinite(ownFirst) && std::isfinite(otherFirst) &&
        !(std::max(otherFirst - ownFirst, ownFirst - otherFirst) >= tol))
      return false;
    return separates(own, other, splat<lanes::Floats4>(axis), splat<lanes::Floats4>(origin), 1);
  }
  template <class F>
  LANES_INLINE bool separates(const Polygon& own, const Polygon& other, const Points<F>& axis, const Points<F>& origin,
                              std::size_t live) const {
    const Extents<F> a = extents(own, axis, origin), b = extents(other, axis, origin);
    const F gap = lanes::higherOf(b.min - a.max, a.min - b.max);
    return lanes::anyTrue((gap >= lanes::splat<F>(tol)) & lanes::below<F>(live));
  }
};

// The corner of a polygon that stands out most along an axis, the furthest (largest projection)
// or the hindmost (smallest), kept from one axis to the next. The extreme corners of a convex
// polygon turn monotonically as its axes go round, so each is found by stepping on from where it
// was: forwards while the projection does not fall back, or else backwards, at most once round.
// For other shapes it may stop short of the extreme, which only weakens the bound it gives.
template <bool furthest>
struct ExtremeCorner {
  const Polygon& polygon;
  std::size_t index = 0;

  const Vector3& corner(std::size_t i) const {
    return (polygon.begin() + static_cast<std::ptrdiff_t>(i))->vertex->position;
  }
  const Vector3& position() const { return corner(index); }

  // Steps by a sixteenth of the polygon first, then corner by corner: a subsequence of a convex
  // polygon's corners is convex too, so the long steps reach its extreme, and the short ones the
  // polygon's own from there. A candidate far behind catches up in a few steps.
  float climb(const Vector3& axis, const Vector3& origin) {
    const std::size_t n = polygon.size();
    float here = projectionOf(corner(index), axis, origin);
    const std::size_t longStride = n / longSteps;
    for (const std::size_t stride : {longStride > 1 ? longStride : 0, std::size_t{1}}) {
      if (stride == 0) continue;
      // Forwards by stride, or else backwards (forwards by n - stride), at most once round.
      for (const std::size_t step : {stride, n - stride}) {
        std::size_t steps = 0;
        for (; steps * stride < n; ++steps) {
          const std::size_t next = index + step < n ? index + step : index + step - n;
          const float q = projectionOf(corner(next), axis, origin);
          if (!(furthest ? q >= here : q <= here)) break;
          index = next;
          here = q;
        }
        if (steps > 0) break;
      }
    }
    return here;
  }

  static constexpr std::size_t longSteps = 16;
};

// The walk's decision, taken only where an upper bound of the gap does not rule the axis out.
// The bound comes from one corner of each polygon: a minimum is at most any one projection, a
// maximum at least any one, and float subtraction rounds monotonically, so candidate(q, hindmost)
// - candidate(p, furthest) is at least q's minimum less p's maximum, and likewise the other way.
// Where both stay below tol the axis cannot separate. Where one reaches tol its candidates are
// stepped on to this axis's extremes; where it still reaches tol, every corner is projected. The
// candidates stay put until then: for overlapping convex polygons most axes are ruled out by
// corners found some axes before, and every stepping goes on from the last, so the whole test
// costs O(n + m).
//
// The bounds hold where every value is a number: where a corner or a normal is too large for that
// (a product or a length could overflow) or is not finite, the test gives way to the method. It
// looks at each corner as the axes are made; an axis found to separate is always right, since
// every corner was projected on it as the walk does, but "no axis separates" stands only where
// everything was moderate.
struct BoundedGaps {
  const Polygon& p;
  const Polygon& q;
  float tol;
  bool moderate = true;

  static constexpr float largestModerate = 1e9f;
  static bool isModerate(float x) { return x <= largestModerate && x >= -largestModerate; }
  void see(const Vector3& v) { moderate = moderate && isModerate(v.x) && isModerate(v.y) && isModerate(v.z); }
  template <class F>
  LANES_INLINE static lanes::MaskOf<F> isModerate(F x) {
    return (x <= lanes::splat<F>(largestModerate)) & (x >= lanes::splat<F>(-largestModerate));
  }
  template <class F>
  LANES_INLINE void see(const Points<F>& v) {
    moderate = moderate && !lanes::anyTrue(~(isModerate(v.x) & isModerate(v.y) & isModerate(v.z)));
  }
  ExtremeCorner<true> pFurthest{p}, qFurthest{q};
  ExtremeCorner<false> pHindmost{p}, qHindmost{q};

  bool separates(const Polygon& own, const Polygon& other, const Vector3& axis, const Vector3& origin) {
    float ahead = projectionOf(qHindmost.position(), axis, origin) - projectionOf(pFurthest.position(), axis, origin);
    float behind = projectionOf(pHindmost.position(), axis, origin) - projectionOf(qFurthest.position(), axis, origin);
    if (ahead >= tol) ahead = qHindmost.climb(axis, origin) - pFurthest.climb(axis, origin);
    if (behind >= tol) behind = pHindmost.climb(axis, origin) - qFurthest.climb(axis, origin);
    return std::max(ahead, behind) >= tol && AllCorners{tol}.separates(own, other, axis, origin);
  }

  // The lanes' bounds side by side; a lane whose bound reaches tol is judged alone, after which
  // the new candidates may rule out the lanes after it, so their bounds are taken again.
  template <class F>
  LANES_INLINE bool separates(const Polygon& own, const Polygon& other, const Points<F>& axis, const Points<F>& origin,
                              std::size_t live) {
    for (std::size_t lane = 0;; ++lane) {
      const F bound = lanes::higherOf(
          projectionOf(qHindmost.position(), axis, origin) - projectionOf(pFurthest.position(), axis, origin),
          projectionOf(pHindmost.position(), axis, origin) - projectionOf(qFurthest.position(), axis, origin));
      const lanes::MaskOf<F> reaching =
          (bound >= lanes::splat<F>(tol)) & lanes::below<F>(live) & (lanes::indices<F>(0) >= static_cast<int>(lane));
      if (!lanes::anyTrue(reaching)) return false;
      while (!reaching[lane]) ++lane;
      if (separates(own, other, geometry::lane(axis, lane), geometry::lane(origin, lane))) return true;
    }
  }
};

// Whether own's face normal or one of its edge normals separates the two, as judge decides per
// axis. The edges go in blocks, from the closing edge on, each from the corner before its end:
// right as long as no edge is skipped. A degenerate edge (no length, or along the normal) gives
// no axis and moves the start of every later edge, which a lane cannot know in advance, so from
// the block that holds one the edges go one by one, as the walk takes them.
template <class F, class Judge>
LANES_INLINE bool separatedByAxesOf(const Polygon& own, const Polygon& other, Judge& judge) {
  constexpr std::size_t width = lanes::widthOf<F>;
  const Vector3& normal = own.plane.normal;
  judge.see(normal);
  if (judge.separates(own, other, normal, lastCorner(own))) return true;
  const std::size_t n = own.size();
  const Points<F> normals = splat<F>(normal);
  const F zero = lanes::splat<F>(0), one = lanes::splat<F>(1), degenerate = lanes::splat<F>(degenerateAxis);
  Points<F> before = splat<F>(lastCorner(own));
  for (std::size_t first = 0; first < n; first += width) {
    const Points<F> end = corners<F>(own, first);
    judge.see(end);
    const Points<F> from = predecessors(before, end);
    before = end;
    Points<F> axis = cross(end - from, normals);
    // normalize(), lane by lane: a vector of length 0 stays as it is.
    const F length = lanes::sqrt(lengthSquared(axis));
    axis = select(length == zero, axis, axis * (one / length));
    const std::size_t live = n - first < width ? n - first : width;
    if (lanes::anyTrue((lengthSquared(axis) < degenerate) & lanes::below<F>(live))) {
      Vector3 start = lane(from, 0);
      for (auto corner = own.begin() + static_cast<std::ptrdiff_t>(first); corner != own.end(); ++corner) {
        const Vector3& cur = corner->vertex->position;
        judge.see(cur);
        Vector3 edgeAxis = cross(cur - start, normal);
        edgeAxis.normalize();
        if (edgeAxis.lengthSquared() < degenerateAxis) continue;
        if (judge.separates(own, other, edgeAxis, start)) return true;
        start = cur;
      }
      return false;
    }
    if (judge.separates(own, other, axis, from, live)) return true;
  }
  return false;
}

template <class F>
LANES_INLINE bool overlapsIn(const Polygon& p, const Polygon& q, float tol) {
  AllCorners judge{tol};
  return !separatedByAxesOf<F>(p, q, judge) && !separatedByAxesOf<F>(q, p, judge);
}
template <class F>
LANES_INLINE bool boundedOverlapsIn(const Polygon& p, const Polygon& q, float tol) {
  BoundedGaps judge{p, q, tol};
  if (separatedByAxesOf<F>(p, q, judge) || separatedByAxesOf<F>(q, p, judge)) return false;
  return judge.moderate || overlapsWalked(p, q, tol);
}

}  // namespace geometry
