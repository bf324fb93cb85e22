// split's and cut's one pass over the corners, written once over an observer type: the
// operations walk with Unobserved, which compiles away, and splitWalked and cutWalked with
// Reported, which hands each step to a CutObserver.
#pragma once

#include <geometry/polygon.h>
#include <geometry/walks.h>

namespace geometry {

/// Polygon's friend: the walks of split (in split.cpp) and cut (in cut.cpp).
struct PieceWalks {
  template <class Observer>
  static void split(Polygon& polygon, const Plane& cutter, Polygon& other, Side side, float eps, Observer& observe);
  template <class Observer>
  static void cut(Polygon& polygon, const Plane& cutter, Side side, float eps, Observer& observe);
};

/// Sees no step.
struct Unobserved {
  template <class ClassOf>
  void corners(const Polygon&, const Plane&, const ClassOf&) {}
  void crossing(const Vertex*, const Vertex*, float, const Vertex*) {}
  void edge(const Vertex*, const Vertex*, bool, bool, float, const Vertex*) {}
};

/// Hands every step to observe.
struct Reported {
  const CutObserver& observe;

  /// Each corner in the polygon's order, with the class the walk gives it (classOf).
  template <class ClassOf>
  void corners(const Polygon& polygon, const Plane& cutter, const ClassOf& classOf) {
    for (const VertexRef& ref : polygon)
      observe(CutStep{.kind = CutStep::Corner,
                      .corner = ref.vertex,
                      .distance = cutter.signedDistance(ref->position),
                      .side = classOf(ref)});
  }
  /// split: an edge from one side to the other, and the record made where it crosses.
  void crossing(const Vertex* from, const Vertex* to, float t, const Vertex* made) {
    observe(CutStep{.kind = CutStep::Edge, .from = from, .to = to, .crosses = true, .t = t, .made = made});
  }
  /// cut: any edge; t and made are set only where the ends' sides differ.
  void edge(const Vertex* from, const Vertex* to, bool fromInside, bool toInside, float t, const Vertex* made) {
    observe(CutStep{.kind = CutStep::Edge,
                    .from = from,
                    .to = to,
                    .fromInside = fromInside,
                    .toInside = toInside,
                    .crosses = fromInside != toInside,
                    .t = t,
                    .made = made});
  }
};

}  // namespace geometry
