// The polygon operations' methods walked step by step, as designed: each walk calls its observer
// once per step, in walk order, with the values the method computed there, and ends in the
// operation's own answer, bit for bit. Without an observer a walk is the method alone, which the
// fast forms (the Polygon operations) are tested against; with one, it is what an explanation
// shows.
//
// A new walk: a step record here with what the method computes at each step (and nothing it does
// not), a `…Walked` function beside the operation, written once as a template over the observer
// (Report or Silent, in the library's step_by_step.h) with `if constexpr (Observe::on)` around
// whatever only the observer needs, and a table test that the walk ends in the operation's answer.
#pragma once

#include <geometry/polygon.h>

#include <cstddef>
#include <functional>

namespace geometry {

/// One axis of the overlap walk: a face normal, an edge normal, or an edge skipped for having none.
struct AxisStep {
  bool ofSecond = false;  ///< the face or edge belongs to the second polygon (the argument)
  bool face = false;      ///< the face normal; otherwise the edge from corner `from` to corner `to`
  std::size_t from = 0;   ///< indices into the polygon that gave the axis
  std::size_t to = 0;
  bool skipped = false;    ///< the edge has no normal; the fields below are not set
  Projection first;        ///< the first polygon's projection (the one the operation is called on)
  Projection second;       ///< the second polygon's, on the same axis from the same origin
  float gap = 0;           ///< max(second.min - first.max, first.min - second.max); negative while they overlap
  bool separates = false;  ///< gap >= tol: the walk ends here

  /// The axis, a unit vector.
  const Vector3& axis() const { return first.axis; }
  /// Where the projections are measured from.
  const Vector3& origin() const { return first.origin; }
};
using AxisObserver = std::function<void(const AxisStep&)>;

/// One edge of the angle sum: the angle under which it is seen and the sum so far.
struct AngleStep {
  std::size_t from = 0;
  std::size_t to = 0;
  float angle = 0;
  float sum = 0;
  float offTurn = 0;  ///< |sum - 2 pi| as the method compares it, 2 pi being twice the float pi
};
using AngleObserver = std::function<void(const AngleStep&)>;

/// One edge plane: m = cross(normal, corner from - corner to) and m . (p - corner to).
struct EdgePlaneStep {
  std::size_t from = 0;
  std::size_t to = 0;
  Vector3 normal;       ///< m, outward for the stored winding, as long as the edge
  float value = 0;      ///< m . (p - corner to)
  bool beyond = false;  ///< value > edgePlaneAllowance: outside, and the walk ends here
};
using EdgePlaneObserver = std::function<void(const EdgePlaneStep&)>;

/// One fan triangle (corner 0, corner b, corner c) of the barycentric walk.
struct FanStep {
  std::size_t b = 0;
  std::size_t c = 0;
  float v = 0;
  bool belowV = false;  ///< v < -eps: u is not computed and the walk goes on
  float u = 0;
  float sum = 0;        ///< u + v
  bool inside = false;  ///< the triangle holds the point: the walk ends here
};
using FanObserver = std::function<void(const FanStep&)>;

/// A step of closestPoint: first the foot on the plane, then, where the fan does not hold it, each edge.
struct NearestStep {
  enum Kind { Foot, Edge } kind = Foot;
  // Foot:
  Vector3 foot;
  bool inFan = false;  ///< the foot is the answer
  FanStep triangle;    ///< the fan triangle holding it, where inFan
  // Edge, from corner `from` to corner `to`:
  std::size_t from = 0;
  std::size_t to = 0;
  float t = 0;                                   ///< along the edge, before clamping; 0 for an edge of no length
  enum End { From, Between, To } end = Between;  ///< the candidate: a corner or a point between
  Vector3 candidate;
  float distanceSquared = 0;  ///< from q to the candidate
  bool nearest = false;       ///< it becomes the result so far
};
using NearestObserver = std::function<void(const NearestStep&)>;

/// A step of split: a corner classified, or an edge that crosses from one side to the other.
struct SplitStep {
  enum Kind { Corner, Crossing } kind = Corner;
  // Corner:
  const Vertex* corner = nullptr;
  float distance = 0;  ///< signed distance from the plane
  Side side = On;      ///< its class with eps
  // Crossing, from corner `from` to corner `to` (records of the input):
  const Vertex* from = nullptr;
  const Vertex* to = nullptr;
  float t = 0;                   ///< the crossing's weight of corner `from`
  const Vertex* made = nullptr;  ///< the new vertex record at the crossing, in both pieces
};
using SplitObserver = std::function<void(const SplitStep&)>;

/// A step of cut: a corner classified, or an edge walked.
struct CutStep {
  enum Kind { Corner, Edge } kind = Corner;
  // Corner:
  const Vertex* corner = nullptr;
  float distance = 0;   ///< signed distance from the plane
  bool inside = false;  ///< not beyond eps on the removed side: the cut keeps it
  // Edge, from corner `from` to corner `to` (records of the input):
  const Vertex* from = nullptr;
  const Vertex* to = nullptr;
  bool fromInside = false;  ///< the ends as the cut sees them
  bool toInside = false;
  float t = 0;  ///< where the ends differ: the crossing's weight of corner `from`
  const Vertex* made =
      nullptr;  ///< the new vertex record, or nullptr where none was made (no crossing, or in the band)

  /// The edge leaves or enters what the cut keeps.
  bool crosses() const { return fromInside != toInside; }
};
using CutObserver = std::function<void(const CutStep&)>;

// An empty observer sees nothing: the walk is then the method alone.

/// p.overlaps(q, tol), walked axis by axis.
bool overlapsWalked(const Polygon& p, const Polygon& q, float tol, const AxisObserver& observe = {});
/// insideSumAngles(point, tol), walked edge by edge; false for an empty polygon.
bool insideSumAnglesWalked(const Polygon& polygon, const Vector3& point, float tol, const AngleObserver& observe = {});
/// insideEdgePlanes(point, 0.01), walked edge by edge from the closing edge; needs one corner.
bool insideEdgePlanesWalked(const Polygon& polygon, const Vector3& point, const EdgePlaneObserver& observe = {});
/// insideBarycentric(point, eps), walked triangle by triangle; needs two corners.
bool insideBarycentricWalked(const Polygon& polygon, const Vector3& point, float eps, const FanObserver& observe = {});
/// closestPoint(q), walked; needs two corners.
Vector3 closestPointWalked(const Polygon& polygon, const Vector3& q, const NearestObserver& observe = {});
/// polygon.split(cutter, other, side, eps), with first one Corner step per corner in the polygon's
/// order, then one Crossing step per crossing in walk order. Same pieces, same bits, same new records.
void splitWalked(Polygon& polygon, const Plane& cutter, Polygon& other, Side side, float eps,
                 const SplitObserver& observe = {});
/// polygon.cut(cutter, side, eps), with one Corner step per corner in the polygon's order, then one
/// Edge step per edge in walk order, from the closing edge.
void cutWalked(Polygon& polygon, const Plane& cutter, Side side, float eps, const CutObserver& observe = {});

}  // namespace geometry
