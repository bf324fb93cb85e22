// barycentric's explanation: the program's own computation of the pointer's coordinates, one
// value at a time, each step drawing the vectors it computes; the last shades the three
// triangles the pointer makes with the sides, whose areas are the three weights. Pink is what a
// step computes, orange is u (T2's weight), blue v (T1's) and, where they are not pink, the
// vectors a step uses.
#include <viewer/explanation.h>

#include <cmath>

#include "barycentric.h"

namespace barycentric {

using namespace geometry;
using viewer::explainNumber;
using viewer::explainPoint;

namespace {

constexpr float vectorWidth = 3;
constexpr float contextWidth = 1.5f;
constexpr float tipMark = 7;
constexpr int hatchLines = 12;  // per shaded triangle

bool isFinite(const Vector3& v) { return std::isfinite(v.x) && std::isfinite(v.y); }

// A vector from tail to tip, with a mark at its tip; a degenerate triangle's non-finite one is not drawn.
void drawVector(const Vector3& tail, const Vector3& tip, viewer::Color colour, float width = vectorWidth) {
  if (!isFinite(tail) || !isFinite(tip)) return;
  viewer::drawSegment(tail, tip, colour, width);
  viewer::drawMarks({tip}, colour, tipMark);
}

// The triangle (p, a, b) outlined and hatched with lines parallel to ab, drawn as one zigzag
// whose turns run along the sides pa and pb.
void shade(const Vector3& p, const Vector3& a, const Vector3& b, viewer::Color colour) {
  if (!isFinite(p) || !isFinite(a) || !isFinite(b)) return;
  std::vector<Vector3> zigzag;
  for (int i = 1; i <= hatchLines; ++i) {
    const float f = static_cast<float>(i) / (hatchLines + 1);
    const Vector3 onA = p + (a - p) * f, onB = p + (b - p) * f;
    zigzag.push_back(i % 2 ? onA : onB);
    zigzag.push_back(i % 2 ? onB : onA);
  }
  viewer::drawStrip(zigzag, colour, 1);
  viewer::drawLoop({p, a, b}, colour, 2);
}

}  // namespace

viewer::Explanation explain() {
  const Vector3 p{viewer::cursor.x, viewer::cursor.y, 0};
  const Coordinates c = coordinatesOf(p);
  const Vector3 t0 = triangle[0], t1 = triangle[1], t2 = triangle[2];
  const Vector3 alongE2 = t0 + c.e2 * c.u, alongE1 = t0 + c.e1 * c.k;
  // From the same double sum as the value line of u + v, so its sign agrees with that line's colour.
  const float weightT0 = static_cast<float>(1 - c.sum());
  const viewer::Color now = viewer::explainHighlight, used = viewer::explainSecond;
  const viewer::Color ofU = viewer::explainFirst, ofV = viewer::explainSecond;
  return {
      {"e1 = T1 \u2212 T0 = " + explainPoint(c.e1), [=] { drawVector(t0, t1, now); }},
      {"e2 = T2 \u2212 T0 = " + explainPoint(c.e2), [=] { drawVector(t0, t2, now); }},
      {"s = 1 / (e1 \u00b7 e1) = " + explainNumber(c.s), [=] { drawVector(t0, t1, now); }},
      {"k = (e2 \u00b7 e1) s = " + explainNumber(c.k) + ", perp = e2 \u2212 k e1 = " + explainPoint(c.perp),
       [=] {
         drawVector(t0, t2, used, contextWidth);
         drawVector(t0, alongE1, used);
         drawVector(alongE1, t2, now, contextWidth);
         drawVector(t0, t0 + c.perp, now);
       }},
      {"w = P \u2212 T0 = " + explainPoint(c.w), [=] { drawVector(t0, p, now); }},
      {"u = (w \u00b7 perp) / (perp \u00b7 e2) = " + explainNumber(c.u) + ", the weight of T2",
       [=] {
         drawVector(t0, p, used, contextWidth);
         drawVector(t0, t0 + c.perp, used, contextWidth);
         drawVector(t0, alongE2, ofU);
       }},
      {"v = ((w \u2212 u e2) \u00b7 e1) s = " + explainNumber(c.v) + ", the weight of T1",
       [=] {
         drawVector(t0, alongE2, ofU, contextWidth);
         drawVector(alongE2, alongE2 + c.e1 * c.v, ofV);
       }},
      {"1 \u2212 u \u2212 v = " + explainNumber(weightT0) +
           ", the weight of T0: " + (c.inside() ? "inside" : "outside"),
       [=] {
         shade(p, t0, t1, ofU);
         shade(p, t2, t0, ofV);
         shade(p, t1, t2, now);
       }},
  };
}

}  // namespace barycentric
