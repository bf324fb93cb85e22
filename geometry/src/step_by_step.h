// The polygon operations' methods as designed, one fan triangle, edge or axis at a time, in
// the operations' own files. The faster forms (lanes/, and the bounded overlap test) must give
// exactly their answers, bit for bit; the tests, fuzz targets and benchmarks compare with these.
// Each takes an optional observer, called at every step with the values the method computed
// there (walks.h).
#pragma once

#include <geometry/polygon.h>
#include <geometry/walks.h>

#include <functional>

namespace geometry {

/// A method walks with one of these: Report hands each step to an observer, Silent sees nothing
/// and compiles away, so that the walk without an observer is the method alone.
template <class Step>
struct Report {
  static constexpr bool on = true;
  const std::function<void(const Step&)>& observe;
  void operator()(const Step& step) const { observe(step); }
};
struct Silent {
  static constexpr bool on = false;
  template <class Step>
  void operator()(const Step&) const {}
};

/// insideEdgePlanes' fixed allowance beyond an edge's plane (divided by the edge's length, in distance).
constexpr float edgePlaneAllowance = 0.01f;
/// An edge normal shorter than this after normalising is zero: the edge has no length or runs
/// along the plane's normal, and gives no axis.
constexpr float degenerateAxis = 0.5f;

namespace stepByStep {

/// Polygon::insideBarycentric, for a polygon of at least two corners.
bool insideBarycentric(const Polygon& polygon, const Vector3& p, float eps, const FanObserver* observe = nullptr);
/// Polygon::insideEdgePlanes, for a polygon of at least one corner.
bool insideEdgePlanes(const Polygon& polygon, const Vector3& p, const EdgePlaneObserver* observe = nullptr);
/// Polygon::insideSumAngles; false for an empty polygon.
bool insideSumAngles(const Polygon& polygon, const Vector3& p, float tol, const AngleObserver* observe = nullptr);
/// Polygon::closestPoint, for a polygon of at least two corners.
Vector3 closestPoint(const Polygon& polygon, const Vector3& q, const NearestObserver* observe = nullptr);
/// Polygon::overlaps.
bool overlaps(const Polygon& p, const Polygon& q, float tol, const AxisObserver* observe = nullptr);

}  // namespace stepByStep
}  // namespace geometry
