// The polygon operations on the programs' own shapes and on convex polygons of 16 and 64
// corners, the same questions answered by Boost.Geometry and by the step-by-step walks that
// the lane-parallel operations replaced, in the same run, and split and cut by polygon size.
// Names: op/<operation>/<shape>[/<point>], boost/<query>/<shape>[/<point>],
// walk/<operation>/<shape>[/<point>], scale/<operation>/<n>.
#include <benchmark/benchmark.h>
#include <geometry/polygon.h>

// Boost 1.74's rescale policy trips g++'s maybe-uninitialized check (its factor is set on every path).
#pragma GCC diagnostic push
#if !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <boost/geometry.hpp>
#pragma GCC diagnostic pop
#ifdef HAVE_BOX2D
#include <box2d/b2_distance.h>
#include <box2d/box2d.h>
#endif
#include <geometry/walks.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "lanes/lane_width.h"

namespace {

using namespace geometry;
namespace bg = boost::geometry;
using BoostPoint = bg::model::d2::point_xy<float>;
using BoostPolygon = bg::model::polygon<BoostPoint>;

// The programs' arguments.
constexpr float shapeTol = 0.01f;
constexpr float sideEps = 0.05f;
constexpr float barycentricEps = 0;
constexpr float queryHeight = 10;  // closest_point's query stands this far above the drawing plane
constexpr Vector3 drawingPlaneNormal{0, 0, 1};
constexpr Vector3 handleA{0.2f, 0.3f, 0};
constexpr Vector3 handleB{-0.2f, -0.3f, 0};
constexpr float halfPlaneReach = 10;  // the half-plane polygon given to Boost reaches this far from the line

// The points the tests are put to: inside every shape (all edges are walked), and beyond the square's right edge.
struct Query {
  const char* name;
  Vector3 point;
};
constexpr Query queries[] = {{"inside", {0.2f, 0.1f, 0}}, {"outside", {0.9f, 0.1f, 0}}};

// split and cut add two vertex records per call to a pool that is never released. Small
// polygons run in batches of about batchVertices vertices and a fixed number of calls, about
// smallRunVertices vertices walked per repetition; from batchVertices on, each call is long
// enough for the usual run time to keep the pool small.
constexpr std::int64_t batchVertices = 1024;
constexpr std::int64_t smallRunVertices = std::int64_t{1} << 18;
constexpr std::int64_t scaleSizes[] = {4, 64, 1024, 16384, 131072};
constexpr std::int64_t polygonSizes[] = {8, 16, 64};
constexpr Vector3 secondPolygonOffset{0.3f, 0.1f, 0};  // the second of two overlapping n-gons
// overlaps on pairs of n-gons that overlap (moved by secondPolygonOffset) and that stand just apart.
constexpr std::int64_t overlapSizes[] = {8, 16, 64, 1024};
constexpr float apartGap = 0.015f;  // between the two along the normal of edge n / 4, just over tol

Polygon makePolygon(VertexStore& store, const std::vector<Vector3>& corners) {
  Polygon p;
  for (const Vector3& c : corners) p.addVertex(VertexRef(Vertex(c.x, c.y, c.z), store));
  return p;
}

std::vector<Vector3> positionsOf(const Polygon& p) {
  std::vector<Vector3> result;
  for (const VertexRef& ref : p) result.push_back(ref->position);
  return result;
}

// A convex polygon of n corners on the circle of radius 0.5 about the origin, clockwise.
std::vector<Vector3> circle(std::int64_t n) {
  std::vector<Vector3> corners;
  for (std::int64_t i = 0; i < n; ++i) {
    const double angle = 0.1 - 2 * 3.141592653589793 * static_cast<double>(i) / static_cast<double>(n);
    corners.push_back({static_cast<float>(0.5 * std::cos(angle)), static_cast<float>(0.5 * std::sin(angle)), 0});
  }
  return corners;
}

// The shapes of the programs, built once, in place (polygons link their store).
struct Shapes {
  VertexStore store;
  Polygon square;        // plane_split, plane_cut, closest_point: clockwise, normal (0, 0, -1)
  Polygon insideSquare;  // point_inside: the same flipped, counter-clockwise about (0, 0, 1)
  Polygon rectangleA;    // poly_overlap's two rectangles
  Polygon rectangleB;
  Polygon triangle;  // barycentric's corners, clockwise from the top
  // Per size of polygonSizes: an n-gon on the circle of radius 0.5 (clockwise, like square) and
  // the same counter-clockwise (like insideSquare).
  std::vector<Polygon> gons, insideGons;
  Plane cutter = Plane::fromDirections(handleA - handleB, drawingPlaneNormal, handleA);

  Shapes() {
    const std::vector<Vector3> squareCorners{{-0.5f, -0.5f, 0}, {-0.5f, 0.5f, 0}, {0.5f, 0.5f, 0}, {0.5f, -0.5f, 0}};
    square = makePolygon(store, squareCorners);
    square.computePlane(shapeTol);
    insideSquare = makePolygon(store, squareCorners);
    insideSquare.computePlane(shapeTol);
    insideSquare.flip();
    rectangleA = makePolygon(store, {{-0.75f, -0.5f, 0}, {-0.75f, 0.5f, 0}, {0.25f, 0.5f, 0}, {0.25f, -0.5f, 0}});
    rectangleA.computePlane(shapeTol);
    rectangleB = makePolygon(store, {{-0.25f, -0.25f, 0}, {-0.25f, 0.25f, 0}, {0.75f, 0.25f, 0}, {0.75f, -0.25f, 0}});
    rectangleB.computePlane(shapeTol);
    std::vector<Vector3> corners;
    for (int i = 0; i < 3; ++i) {
      const float angle = 3.1415927f * static_cast<float>(2 * i) / 3;
      corners.push_back({0.7f * static_cast<float>(std::sin(static_cast<double>(angle))),
                         0.7f * static_cast<float>(std::cos(static_cast<double>(angle))), 0});
    }
    triangle = makePolygon(store, corners);
    for (const std::int64_t n : polygonSizes) {
      for (std::vector<Polygon>* list : {&gons, &insideGons}) {
        list->push_back(makePolygon(store, circle(n)));
        list->back().computePlane(shapeTol);
      }
      insideGons.back().flip();
    }
  }
};

const Shapes& shapes() {
  static const Shapes s;
  return s;
}

// Pairs of n-gons for overlaps, by name: "<n>-gons" overlapping, "<n>-gons-apart" with a gap of
// apartGap along the normal of the edge that ends at corner n / 4, so the walk stops a quarter of
// the way through the first polygon's edges (the edge opposite gives the same axis). The planes are set rather than
// computed: the edges of the 1,024-gon are shorter than the tolerance of computePlane.
struct OverlapPair {
  std::string name;
  Polygon a, b;
};

const std::vector<OverlapPair>& overlapPairs() {
  static VertexStore store;
  static const std::vector<OverlapPair> pairs = [] {
    std::vector<OverlapPair> out;
    const Plane clockwise{{0, 0, -1}, 0};
    for (const std::int64_t n : overlapSizes) {
      const double half = 3.141592653589793 / static_cast<double>(n);
      const double normalAngle = 0.1 - 2 * half * (static_cast<double>(n / 4) - 0.5);
      const double distance = 2 * 0.5 * std::cos(half) + apartGap;
      const Vector3 apart{static_cast<float>(distance * std::cos(normalAngle)),
                          static_cast<float>(distance * std::sin(normalAngle)), 0};
      for (auto [suffix, offset] : {std::pair{"", secondPolygonOffset}, std::pair{"-apart", apart}}) {
        std::vector<Vector3> moved = circle(n);
        for (Vector3& c : moved) c = c + offset;
        OverlapPair pair{std::to_string(n) + "-gons" + suffix, makePolygon(store, circle(n)),
                         makePolygon(store, moved)};
        pair.a.plane = pair.b.plane = clockwise;
        out.push_back(std::move(pair));
      }
    }
    return out;
  }();
  return pairs;
}

BoostPoint toBoost(const Vector3& p) { return {p.x, p.y}; }

BoostPolygon toBoost(const Polygon& polygon) {
  BoostPolygon out;
  for (const VertexRef& ref : polygon) bg::append(out, toBoost(ref->position));
  bg::correct(out);  // clockwise and closed, as Boost's default polygon wants
  return out;
}

// The part of the plane in front of the cutter (the side cut keeps), as a large rectangle.
BoostPolygon frontHalfPlane(const Plane& cutter) {
  Vector3 along = handleA - handleB;
  along.normalize();
  const Vector3 a = handleA - along * halfPlaneReach;
  const Vector3 b = handleA + along * halfPlaneReach;
  const Vector3 up = cutter.normal * halfPlaneReach;
  BoostPolygon out;
  for (const Vector3& p : {a, b, b + up, a + up}) bg::append(out, toBoost(p));
  bg::correct(out);
  return out;
}

template <class Fn>
void add(const std::string& name, Fn fn) {
  benchmark::RegisterBenchmark(name.c_str(), fn);
}

// One call per iteration; the point is hidden from the optimiser so that no call is hoisted.
template <class Fn>
void addQuery(const std::string& name, const Vector3& point, Fn fn) {
  add(name, [point, fn](benchmark::State& state) {
    Vector3 p = point;
    for (auto _ : state) {
      benchmark::DoNotOptimize(p);
      benchmark::DoNotOptimize(fn(p));
    }
  });
}

// split or cut (op) on fresh copies of source: every iteration first copies source into a
// batch of polygons (not timed), then runs op on each copy (timed). The JSON gets the calls
// per iteration and the vertex count, from which the report takes ns per call and per vertex.
template <class Op>
void addOnCopies(const std::string& name, std::vector<Vector3> corners, Op op) {
  const auto n = static_cast<std::int64_t>(corners.size());
  const std::int64_t batch = std::max<std::int64_t>(1, batchVertices / n);
  benchmark::internal::Benchmark* run =
      benchmark::RegisterBenchmark(name.c_str(), [corners, op, n, batch](benchmark::State& state) {
        VertexStore store;
        Polygon source = makePolygon(store, corners);
        source.plane = shapes().square.plane;
        std::vector<Polygon> copies(static_cast<std::size_t>(batch));
        for (auto _ : state) {
          state.PauseTiming();
          for (Polygon& copy : copies) copy = source;
          state.ResumeTiming();
          for (Polygon& copy : copies) op(copy);
        }
        state.counters["calls"] = static_cast<double>(batch);
        state.counters["vertices"] = static_cast<double>(n);
      });
  if (batch > 1) run->Iterations(smallRunVertices / n / batch);
}

void splitFront(Polygon& p, const Plane& cutter) {
  static Polygon other;
  p.split(cutter, other, Front, sideEps);
  benchmark::DoNotOptimize(other.size());
}

void cutFront(Polygon& p, const Plane& cutter) {
  p.cut(cutter, Front, sideEps);
  benchmark::DoNotOptimize(p.size());
}

void registerOperations() {
  const Shapes& s = shapes();
  add("op/computePlane/square", [](benchmark::State& state) {
    Polygon p = shapes().square;
    for (auto _ : state) benchmark::DoNotOptimize(p.computePlane(shapeTol));
  });
  add("op/isConvex/square", [&s](benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(s.square.isConvex(shapeTol));
  });
  add("op/isTiny/square", [&s](benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(s.square.isTiny(shapeTol));
  });
  for (const Query& q : queries) {
    const std::string at = std::string("/") + q.name;
    addQuery("op/insideSumAngles/square" + at, q.point,
             [&s](const Vector3& p) { return s.insideSquare.insideSumAngles(p, shapeTol); });
    addQuery("op/insideEdgePlanes/square" + at, q.point,
             [&s](const Vector3& p) { return s.insideSquare.insideEdgePlanes(p, shapeTol); });
    addQuery("op/insideBarycentric/square" + at, q.point,
             [&s](const Vector3& p) { return s.insideSquare.insideBarycentric(p, barycentricEps); });
    addQuery("op/insideBarycentric/triangle" + at, q.point,
             [&s](const Vector3& p) { return s.triangle.insideBarycentric(p, barycentricEps); });
    addQuery("op/closestPoint/square" + at, q.point + drawingPlaneNormal * queryHeight,
             [&s](const Vector3& p) { return s.square.closestPoint(p); });
  }
  const std::vector<Vector3> squareCorners = {{-0.5f, -0.5f, 0}, {-0.5f, 0.5f, 0}, {0.5f, 0.5f, 0}, {0.5f, -0.5f, 0}};
  addOnCopies("op/split/square", squareCorners, [&s](Polygon& p) { splitFront(p, s.cutter); });
  addOnCopies("op/cut/square", squareCorners, [&s](Polygon& p) { cutFront(p, s.cutter); });
  add("op/overlaps/rectangles", [&s](benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(s.rectangleA.overlaps(s.rectangleB, shapeTol));
  });
  add("op/centrePosition/rectangle", [&s](benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(s.rectangleA.centrePosition());
  });
  add("op/centreVertex/rectangle", [&s](benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(s.rectangleA.centreVertex());
  });
  // translate and flip change their polygon: each works on records of its own, not the shared shapes'.
  add("op/translate/rectangle", [](benchmark::State& state) {
    static VertexStore store;
    Polygon p = makePolygon(store, positionsOf(shapes().rectangleA));
    const Vector3 offset{0.01f, 0, 0};
    for (auto _ : state) {
      p.translate(offset);
      benchmark::ClobberMemory();
    }
  });
  add("op/flip/square", [](benchmark::State& state) {
    static VertexStore store;
    Polygon p = makePolygon(store, positionsOf(shapes().square));
    p.plane = shapes().square.plane;
    for (auto _ : state) {
      p.flip();
      benchmark::ClobberMemory();
    }
  });
}

std::string gonName(std::size_t i) { return std::to_string(polygonSizes[i]) + "-gon"; }

// Each operation's forms on the shapes: the step-by-step method (step/), the lanes held at four
// (four/, the baseline and the browser's width) and the form the operation chooses (op/, on the
// programs' shapes registered above).
template <class Fn>
void addInFourLanes(const std::string& name, const Vector3& point, Fn fn) {
  add(name, [point, fn](benchmark::State& state) {
    const bool wide = wideLanes;
    wideLanes = false;
    Vector3 p = point;
    for (auto _ : state) {
      benchmark::DoNotOptimize(p);
      benchmark::DoNotOptimize(fn(p));
    }
    wideLanes = wide;
  });
}

void addForms(const std::string& at, const Polygon& insidePolygon, const Polygon& polygon, bool withOp) {
  for (const Query& q : queries) {
    const std::string where = at + "/" + q.name;
    const Vector3 above = q.point + drawingPlaneNormal * queryHeight;
    auto edgePlanes = [&insidePolygon](const Vector3& p) { return insidePolygon.insideEdgePlanes(p, shapeTol); };
    auto barycentric = [&insidePolygon](const Vector3& p) {
      return insidePolygon.insideBarycentric(p, barycentricEps);
    };
    auto closest = [&polygon](const Vector3& p) { return polygon.closestPoint(p); };
    if (withOp) {
      addQuery("op/insideEdgePlanes" + where, q.point, edgePlanes);
      addQuery("op/insideBarycentric" + where, q.point, barycentric);
      addQuery("op/closestPoint" + where, above, closest);
    }
    addInFourLanes("four/insideEdgePlanes" + where, q.point, edgePlanes);
    addInFourLanes("four/closestPoint" + where, above, closest);
    addQuery("step/insideEdgePlanes" + where, q.point,
             [&insidePolygon](const Vector3& p) { return insideEdgePlanesWalked(insidePolygon, p); });
    addQuery("step/insideBarycentric" + where, q.point,
             [&insidePolygon](const Vector3& p) { return insideBarycentricWalked(insidePolygon, p, barycentricEps); });
    addQuery("step/closestPoint" + where, above,
             [&polygon](const Vector3& p) { return closestPointWalked(polygon, p); });
  }
}

void addOverlapForms(const std::string& shape, const Polygon& a, const Polygon& b, bool withOp) {
  if (withOp)
    add("op/overlaps/" + shape, [&a, &b](benchmark::State& state) {
      for (auto _ : state) benchmark::DoNotOptimize(a.overlaps(b, shapeTol));
    });
  addInFourLanes("four/overlaps/" + shape, {}, [&a, &b](const Vector3&) { return a.overlaps(b, shapeTol); });
  // The two lane forms of overlaps, whichever the operation chooses for this pair.
  add("all/overlaps/" + shape, [&a, &b](benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(overlapsInLanes(a, b, shapeTol));
  });
  add("bounded/overlaps/" + shape, [&a, &b](benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(boundedOverlapsInLanes(a, b, shapeTol));
  });
  add("step/overlaps/" + shape, [&a, &b](benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(overlapsWalked(a, b, shapeTol));
  });
}

void registerPolygonsAndForms() {
  const Shapes& s = shapes();
  addForms("/square", s.insideSquare, s.square, false);
  for (const Query& q : queries) {
    addQuery(std::string("step/insideBarycentric/triangle/") + q.name, q.point,
             [&s](const Vector3& p) { return insideBarycentricWalked(s.triangle, p, barycentricEps); });
  }
  addOverlapForms("rectangles", s.rectangleA, s.rectangleB, false);
  for (std::size_t i = 0; i < std::size(polygonSizes); ++i)
    addForms("/" + gonName(i), s.insideGons[i], s.gons[i], true);
  for (const OverlapPair& pair : overlapPairs()) addOverlapForms(pair.name, pair.a, pair.b, true);
}

void registerBoost() {
  const Shapes& s = shapes();
  static const BoostPolygon square = toBoost(s.square);
  static const BoostPolygon triangle = toBoost(s.triangle);
  static const BoostPolygon rectangleA = toBoost(s.rectangleA);
  static const BoostPolygon rectangleB = toBoost(s.rectangleB);
  static const BoostPolygon halfPlane = frontHalfPlane(s.cutter);
  for (const Query& q : queries) {
    const std::string at = std::string("/") + q.name;
    addQuery("boost/within/square" + at, q.point, [](const Vector3& p) { return bg::within(toBoost(p), square); });
    addQuery("boost/covered_by/square" + at, q.point,
             [](const Vector3& p) { return bg::covered_by(toBoost(p), square); });
    addQuery("boost/within/triangle" + at, q.point, [](const Vector3& p) { return bg::within(toBoost(p), triangle); });
    addQuery("boost/covered_by/triangle" + at, q.point,
             [](const Vector3& p) { return bg::covered_by(toBoost(p), triangle); });
    addQuery("boost/distance/square" + at, q.point, [](const Vector3& p) { return bg::distance(toBoost(p), square); });
  }
  add("boost/intersects/rectangles", [](benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(bg::intersects(rectangleA, rectangleB));
  });
  static std::vector<BoostPolygon> gons;
  for (std::size_t i = 0; i < std::size(polygonSizes); ++i) gons.push_back(toBoost(s.gons[i]));
  for (std::size_t i = 0; i < std::size(polygonSizes); ++i) {
    const BoostPolygon& gon = gons[i];
    for (const Query& q : queries) {
      const std::string at = "/" + gonName(i) + "/" + q.name;
      addQuery("boost/within" + at, q.point, [&gon](const Vector3& p) { return bg::within(toBoost(p), gon); });
      addQuery("boost/covered_by" + at, q.point, [&gon](const Vector3& p) { return bg::covered_by(toBoost(p), gon); });
      addQuery("boost/distance" + at, q.point, [&gon](const Vector3& p) { return bg::distance(toBoost(p), gon); });
    }
  }
  static std::vector<std::pair<BoostPolygon, BoostPolygon>> pairs;
  for (const OverlapPair& pair : overlapPairs()) pairs.emplace_back(toBoost(pair.a), toBoost(pair.b));
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    const auto& [a, b] = pairs[i];
    add("boost/intersects/" + overlapPairs()[i].name, [&a, &b](benchmark::State& state) {
      for (auto _ : state) benchmark::DoNotOptimize(bg::intersects(a, b));
    });
  }
  add("boost/intersection/square", [](benchmark::State& state) {
    bg::model::multi_polygon<BoostPolygon> out;
    for (auto _ : state) {
      out.clear();
      bg::intersection(square, halfPlane, out);
      benchmark::DoNotOptimize(out.data());
    }
  });
}

#ifdef HAVE_BOX2D
// The same questions put to Box2D, on the shapes it takes (up to eight corners): TestPoint of a
// polygon shape, b2Distance from a one-point proxy, and b2TestOverlap of two polygon shapes. Each
// query starts afresh (no simplex cache kept from the last), as a one-off question would.
b2PolygonShape toBox2d(const Polygon& polygon) {
  std::vector<b2Vec2> corners;
  for (const VertexRef& ref : polygon) corners.emplace_back(ref->position.x, ref->position.y);
  b2PolygonShape shape;
  shape.Set(corners.data(), static_cast<int32>(corners.size()));
  return shape;
}

void registerBox2d() {
  const Shapes& s = shapes();
  static std::vector<std::pair<std::string, b2PolygonShape>> shapesByName;
  shapesByName.emplace_back("square", toBox2d(s.square));
  shapesByName.emplace_back("8-gon", toBox2d(s.gons[0]));
  static b2Transform identity;
  identity.SetIdentity();
  for (const auto& [name, shape] : shapesByName) {
    for (const Query& q : queries) {
      const std::string at = "/" + name + "/" + q.name;
      const b2PolygonShape& polygon = shape;
      addQuery("box2d/TestPoint" + at, q.point,
               [&polygon](const Vector3& p) { return polygon.TestPoint(identity, b2Vec2(p.x, p.y)); });
      addQuery("box2d/b2Distance" + at, q.point, [&polygon](const Vector3& p) {
        const b2Vec2 point(p.x, p.y);
        b2DistanceInput input;
        input.proxyA.Set(&polygon, 0);
        input.proxyB.Set(&point, 1, 0);
        input.transformA = input.transformB = identity;
        input.useRadii = false;
        b2SimplexCache cache;
        cache.count = 0;
        b2DistanceOutput output;
        b2Distance(&output, &cache, &input);
        return output.pointA.x + output.pointA.y;
      });
    }
  }
  static std::vector<std::pair<std::string, std::pair<b2PolygonShape, b2PolygonShape>>> pairs;
  pairs.push_back({"rectangles", {toBox2d(s.rectangleA), toBox2d(s.rectangleB)}});
  for (const OverlapPair& pair : overlapPairs())
    if (pair.a.size() <= b2_maxPolygonVertices) pairs.push_back({pair.name, {toBox2d(pair.a), toBox2d(pair.b)}});
  for (const auto& [name, shapes] : pairs) {
    const auto& [a, b] = shapes;
    add("box2d/b2TestOverlap/" + name, [&a = a, &b = b](benchmark::State& state) {
      for (auto _ : state) benchmark::DoNotOptimize(b2TestOverlap(&a, 0, &b, 0, identity, identity));
    });
  }
}
#endif

// A circle approximation crossed through its centre by a line parallel to the programs' cutting line.
void registerScaling() {
  static const Plane throughCentre = Plane::fromDirections(handleA - handleB, drawingPlaneNormal, Vector3{});
  for (const std::int64_t n : scaleSizes) {
    addOnCopies("scale/split/" + std::to_string(n), circle(n), [](Polygon& p) { splitFront(p, throughCentre); });
    addOnCopies("scale/cut/" + std::to_string(n), circle(n), [](Polygon& p) { cutFront(p, throughCentre); });
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::AddCustomContext("wide_lanes", wideLanes ? "yes" : "no");
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  registerOperations();
  registerPolygonsAndForms();
  registerBoost();
#ifdef HAVE_BOX2D
  registerBox2d();
#endif
  registerScaling();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
