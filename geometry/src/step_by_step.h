// The one observer idiom of the walks (walks.h): each method is written once, as a template over
// its observer, and run with Report, which hands every step to the caller's observer, or with
// Silent, which sees nothing and compiles away, so that the walk without an observer is the method
// alone. The faster forms (lanes/, and the bounded overlap test) must give exactly the walks'
// answers, bit for bit; the tests, fuzz targets and benchmarks compare with these.
#pragma once

#include <geometry/polygon.h>
#include <geometry/walks.h>

#include <functional>

namespace geometry {

/// Hands each step to an observer. Work that only the observer needs goes under `if constexpr (Observe::on)`.
template <class Step>
struct Report {
  static constexpr bool on = true;
  const std::function<void(const Step&)>& observe;
  void operator()(const Step& step) const { observe(step); }
};
/// Sees no step.
struct Silent {
  static constexpr bool on = false;
  template <class Step>
  void operator()(const Step&) const {}
};

/// Runs walk(Report{observe}) where there is an observer, else walk(Silent{}).
template <class Step, class Walk>
auto observedBy(const std::function<void(const Step&)>& observe, const Walk& walk) {
  return observe ? walk(Report<Step>{observe}) : walk(Silent{});
}

/// An edge normal shorter than this after normalising is zero: the edge has no length or runs
/// along the plane's normal, and gives no axis.
constexpr float degenerateAxis = 0.5f;

/// Polygon's friend: the walks of split (in split.cpp) and cut (in cut.cpp), which rebuild a
/// polygon's vertex sequence in place.
struct PieceWalks {
  template <class Observe>
  static void split(Polygon& polygon, const Plane& cutter, Polygon& other, Side side, float eps,
                    const Observe& observe);
  template <class Observe>
  static void cut(Polygon& polygon, const Plane& cutter, Side side, float eps, const Observe& observe);
};

}  // namespace geometry
