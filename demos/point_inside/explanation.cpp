// point_inside's explanation: the three inside tests in the labels' order, each walking its
// edges or fan triangles as the method does, then its verdict. p is the point being judged.
#include <geometry/walks.h>
#include <viewer/explanation.h>

#include <algorithm>
#include <cmath>

#include "point_inside.h"

namespace point_inside {

using namespace geometry;
using viewer::explainNumber;

namespace {

constexpr float arcRadius = 0.1f;  // the angle's arc around p
constexpr int arcSegments = 24;
constexpr float normalLength = 0.2f;  // m drawn this long from its edge's middle

const Vector3& corner(std::size_t i) { return polygon.at(i)->position; }
std::string name(std::size_t i) { return viewer::nameOf(corner(i)); }
std::string edge(std::size_t from, std::size_t to) { return "edge from " + name(from) + " to " + name(to); }
std::string triangle(std::size_t b, std::size_t c) { return "triangle " + name(0) + ", " + name(b) + ", " + name(c); }

// The rays from p to the edge's ends a and b, and the arc of the angle between them.
std::function<void()> drawAngle(const Vector3& p, const Vector3& a, const Vector3& b) {
  return [=] {
    viewer::drawSegment(p, a, viewer::explainFirst, 2);
    viewer::drawSegment(p, b, viewer::explainFirst, 2);
    Vector3 da = a - p, db = b - p;
    da.normalize();
    db.normalize();
    const float turn = da.x * db.y - da.y * db.x < 0 ? -1.0f : 1.0f;
    const double angle = std::acos(std::clamp(static_cast<double>(dot(da, db)), -1.0, 1.0));
    std::vector<Vector3> arc;
    for (int k = 0; k <= arcSegments; ++k) {
      const double phi = angle * k / arcSegments;
      const float c = static_cast<float>(std::cos(phi)), s = static_cast<float>(std::sin(phi)) * turn;
      arc.push_back(p + Vector3{da.x * c - da.y * s, da.y * c + da.x * s, 0} * arcRadius);
    }
    viewer::drawStrip(arc, viewer::explainHighlight, 2);
  };
}

// The edge's line across the window and its outward normal m, from the edge's middle.
std::function<void()> drawEdgePlane(const EdgePlaneStep& step) {
  const Vector3 a = corner(step.from), b = corner(step.to);
  Vector3 m = step.normal;
  m.normalize();
  const Vector3 middle = (a + b) * 0.5f, tip = middle + m * normalLength;
  return [=] {
    viewer::drawLineAcross(b, a - b, viewer::explainSecond, 1.5f);
    viewer::drawSegment(middle, tip, viewer::explainHighlight, 2.5f);
    viewer::drawMarks({tip}, viewer::explainHighlight, 7);
  };
}

std::function<void()> drawTriangle(std::size_t b, std::size_t c) {
  return [corners = std::vector<Vector3>{corner(0), corner(b), corner(c)}] {
    viewer::drawLoop(corners, viewer::explainFirst, 3);
  };
}

void sumAngles(viewer::Explanation& steps, const Vector3& p) {
  AngleStep last;
  const bool inside = insideSumAnglesWalked(polygon, p, insideTol, [&](const AngleStep& step) {
    steps.push_back({"sum angles, " + edge(step.from, step.to) + ": seen under " + explainNumber(step.angle) +
                         ", sum " + explainNumber(step.sum),
                     drawAngle(p, corner(step.from), corner(step.to))});
    last = step;
  });
  const std::string tol = explainNumber(insideTol);
  steps.push_back({"sum angles: the sum " + explainNumber(last.sum) + " differs from 2\u03c0 by " +
                       explainNumber(last.offTurn) +
                       (inside ? ", less than " + tol + ": inside" : ", not less than " + tol + ": outside"),
                   nullptr});
}

void edgePlanes(viewer::Explanation& steps, const Vector3& p) {
  const std::string allowance = explainNumber(edgePlaneAllowance);
  std::string beyond;
  const bool inside = insideEdgePlanesWalked(polygon, p, [&](const EdgePlaneStep& step) {
    steps.push_back({"edge planes, " + edge(step.from, step.to) + ": m \u00b7 (p \u2212 " + name(step.to) +
                         ") = " + explainNumber(step.value) +
                         (step.beyond ? ", more than " + allowance : ", at most " + allowance),
                     drawEdgePlane(step)});
    if (step.beyond) beyond = "the " + edge(step.from, step.to);
  });
  steps.push_back({inside ? "edge planes: within every edge: inside" : "edge planes: beyond " + beyond + ": outside",
                   inside ? std::function<void()>{} : steps.back().draw});
}

void barycentric(viewer::Explanation& steps, const Vector3& p) {
  const std::string below = explainNumber(-barycentricEps);
  FanStep holding;
  const bool inside = insideBarycentricWalked(polygon, p, barycentricEps, [&](const FanStep& step) {
    std::string text = "barycentric, " + triangle(step.b, step.c) + ": v = " + explainNumber(step.v);
    if (step.belowV)
      text += ", below " + below + ": next triangle";
    else
      text += ", u = " + explainNumber(step.u) + ", u + v = " + explainNumber(step.sum) +
              (step.inside ? ": inside" : ": next triangle");
    steps.push_back({text, drawTriangle(step.b, step.c)});
    if (step.inside) holding = step;
  });
  if (inside)
    steps.push_back({"barycentric: inside " + triangle(holding.b, holding.c) + ": inside", steps.back().draw});
  else
    steps.push_back({"barycentric: in no triangle: outside", nullptr});
}

}  // namespace

viewer::Explanation explain() {
  const Vector3 p{viewer::cursor.x, viewer::cursor.y, 0};
  viewer::Explanation steps;
  sumAngles(steps, p);
  edgePlanes(steps, p);
  barycentric(steps, p);
  return steps;
}

}  // namespace point_inside
