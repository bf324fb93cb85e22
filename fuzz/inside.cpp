// Fuzz target: the three inside tests (barycentric, edge planes, angle sum). Edge planes and
// barycentric, which judge four edges or triangles at a time, give the step-by-step walks' answers.
#include <geometry/walks.h>

#include "decode.h"

using namespace fuzz;

namespace {

// True when the fan triangle (0, i - 1, i) has finite coordinates for its own corners: then
// its corner i has v = 1 and u = 0 exactly, and corner 0 has u = v = 0.
bool regularFanTriangle(const Polygon& polygon, std::size_t i) {
  const Vector3 a = polygon.at(0)->position;
  const Vector3 e1 = polygon.at(i - 1)->position - a;
  const Vector3 e2 = polygon.at(i)->position - a;
  const float k = 1 / e1.lengthSquared();
  const Vector3 perp = e2 - e1 * (dot(e2, e1) * k);
  const float den = dot(e2, perp);
  return std::isfinite(k) && k > 0 && std::isfinite(perp.x) && std::isfinite(perp.y) && std::isfinite(perp.z) &&
         std::isfinite(den) && den != 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Decoder in(data, size);
  VertexStore store;
  Polygon polygon = in.polygon(store);
  if (in.byte() & 1)
    polygon.computePlane(in.tolerance());
  else
    polygon.plane = in.plane();
  const Vector3 p = in.point();
  const float eps = in.tolerance();
  const float tol = in.tolerance();
  const std::size_t n = polygon.size();

  const bool sumAngles = polygon.insideSumAngles(p, tol);
  if (n == 0) check(!sumAngles, "insideSumAngles: inside an empty polygon");
  if (n == 0) return 0;  // the other two need vertices
  if (n == 1 && tol <= 4) check(!sumAngles, "insideSumAngles: inside a single vertex");

  // Far away from a finite polygon every edge is seen under a tiny angle.
  const float far = 1e4f * (extent(polygon) + 1);
  const Vector3 centre = polygon.centrePosition();
  if (moderate(polygon) && tol <= 6)
    check(!polygon.insideSumAngles({centre.x + far, centre.y, centre.z}, tol), "insideSumAngles: inside far away");

  // The edges are the same whichever vertex comes first.
  const bool edgePlanes = polygon.insideEdgePlanes(p, tol);
  check(edgePlanes == insideEdgePlanesWalked(polygon, p), "insideEdgePlanes: not the walk's answer");
  check(edgePlanes == rotated(polygon, in.byte() % n).insideEdgePlanes(p, tol),
        "insideEdgePlanes: the answer depends on the first vertex");
  if (n == 1) check(edgePlanes, "insideEdgePlanes: outside a single vertex");

  if (n < 2) return 0;
  const bool barycentric = polygon.insideBarycentric(p, eps);
  check(barycentric == insideBarycentricWalked(polygon, p, eps), "insideBarycentric: not the walk's answer");
  if (n == 2) check(!barycentric, "insideBarycentric: inside two vertices");
  if (!(eps >= 0)) return 0;
  // The apex, if any fan triangle is regular, and one fan corner, if its triangle is.
  bool regular = false;
  for (std::size_t i = 2; i < n && !regular; ++i) regular = regularFanTriangle(polygon, i);
  if (regular)
    check(polygon.insideBarycentric(polygon.at(0)->position, eps), "insideBarycentric: the fan's apex is outside");
  const std::size_t corner = 2 + in.byte() % (n - 1);
  if (corner < n && regularFanTriangle(polygon, corner))
    check(polygon.insideBarycentric(polygon.at(corner)->position, eps), "insideBarycentric: a fan corner is outside");
  return 0;
}
