// Fuzz target: the batch forms give, point by point and offset by offset, the single operations'
// answers (closest points in the same bits), in four lanes or in eight; overlapsEach leaves the
// other polygon as it was.
#include <geometry/batch.h>

#include <deque>
#include <memory>

#include "decode.h"
#include "lanes/lane_width.h"

using namespace fuzz;

namespace {

// bool storage the forms write through a span.
struct Answers {
  std::unique_ptr<bool[]> values;
  std::span<bool> span;
  explicit Answers(std::size_t n) : values(new bool[n + 1]), span(values.get(), n) {}
};

// A copy of q with records of its own in `owned` (one per record q links), moved by offset as
// translate moves q. Refs would make records that last until the process ends.
Polygon movedCopy(const Polygon& q, const Vector3& offset, VertexStore& store, std::deque<Vertex>& owned) {
  Polygon moved;
  moved.plane = q.plane;
  for (std::size_t i = 0; i < q.size(); ++i) {
    std::size_t k = 0;
    while (k < i && q.at(k).vertex != q.at(i).vertex) ++k;
    moved.addVertex(k < i ? moved.at(k) : VertexRef::linking(owned.emplace_back(*q.at(i)), store));
  }
  moved.translate(offset);
  return moved;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Decoder in(data, size);
  VertexStore store;
  Polygon polygon = in.polygon(store);
  Polygon other = in.polygon(store);
  for (Polygon* p : {&polygon, &other}) {
    if (in.byte() & 1)
      p->computePlane(in.tolerance());
    else
      p->plane = in.plane();
  }
  const float eps = in.tolerance();
  const float tol = in.tolerance();
  std::vector<Vector3> points(in.byte() % 20);
  for (Vector3& p : points) p = in.point();
  const bool wide = geometry::wideLanes;
  geometry::wideLanes = wide && (in.byte() & 1);

  const std::size_t n = polygon.size();
  Answers inside(points.size());
  geometry::insideSumAnglesEach(polygon, points, tol, inside.span);
  for (std::size_t i = 0; i < points.size(); ++i)
    check(inside.span[i] == polygon.insideSumAngles(points[i], tol), "insideSumAnglesEach: not the single answer");
  if (n >= 1) {
    geometry::insideEdgePlanesEach(polygon, points, tol, inside.span);
    for (std::size_t i = 0; i < points.size(); ++i)
      check(inside.span[i] == polygon.insideEdgePlanes(points[i], tol), "insideEdgePlanesEach: not the single answer");
  }
  if (n >= 2) {
    geometry::insideBarycentricEach(polygon, points, eps, inside.span);
    for (std::size_t i = 0; i < points.size(); ++i)
      check(inside.span[i] == polygon.insideBarycentric(points[i], eps),
            "insideBarycentricEach: not the single answer");
    std::vector<Vector3> closest(points.size());
    geometry::closestPointEach(polygon, points, closest);
    for (std::size_t i = 0; i < points.size(); ++i)
      check(sameBits(closest[i], polygon.closestPoint(points[i])), "closestPointEach: not the single answer's bits");
  }

  std::vector<Vector3> before;
  for (const VertexRef& ref : other) before.push_back(ref->position);
  geometry::overlapsEach(polygon, other, points, tol, inside.span);
  for (std::size_t i = 0; i < other.size(); ++i)
    check(sameBits(other.at(i)->position, before[i]), "overlapsEach: the other polygon moved");
  for (std::size_t i = 0; i < points.size(); ++i) {
    VertexStore own;
    std::deque<Vertex> records;
    check(inside.span[i] == polygon.overlaps(movedCopy(other, points[i], own, records), tol),
          "overlapsEach: not the single answer");
  }
  geometry::wideLanes = wide;
  return 0;
}
