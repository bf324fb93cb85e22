// insideEdgePlanes, insideBarycentric, closestPoint and overlaps, which judge several edges or axes side by
// side (overlaps after bounding each axis's gap), against the library's step-by-step methods, on
// random polygons: the same answers, also at the largest gap and one ulp either side of it, and
// the same bits of every closest point (any not-a-number equal to any other).
#include <geometry/polygon.h>
#include <geometry/walks.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <sstream>
#include <string>

#include "lanes/lane_width.h"

namespace {

using namespace geometry;

constexpr int caseCount = 2500;
constexpr std::size_t maxVertices = 144;
constexpr unsigned seed = 20261216;
constexpr float inf = std::numeric_limits<float>::infinity();

// Polygons, points and tolerances from a fixed seed, with what steers the walks made
// common: lattice coordinates (exact ties between edges and between axes), repeated corners
// and so edges of no length, convex outlines, and huge, tiny, infinite and not-a-number values.
class CaseMaker {
 public:
  explicit CaseMaker(unsigned s) : rng(s) {}

  Polygon polygon(VertexStore& store) {
    Polygon p;
    const std::size_t n = 1 + below(chance(0.2f) ? maxVertices : 16);
    const bool convex = chance(0.5f);
    const float radius = 0.25f + static_cast<float>(below(4)) / 4, centreX = number(), centreY = number();
    for (std::size_t i = 0; i < n; ++i) {
      if (i > 0 && chance(0.1f)) {
        p.addVertex(chance(0.5f) ? p.at(i - 1) : VertexRef(*p.at(below(i)), store));
        continue;
      }
      const double angle = -6.283185307179586 * static_cast<double>(i) / static_cast<double>(n);
      Vector3 c = convex ? Vector3{centreX + radius * static_cast<float>(std::cos(angle)),
                                   centreY + radius * static_cast<float>(std::sin(angle)), 0}
                         : Vector3{number(), number(), 0};
      if (chance(0.1f)) c.z = number();
      p.addVertex(VertexRef(Vertex(c.x, c.y, c.z), store));
    }
    switch (below(6)) {
      case 0:
        p.plane = {{0, 0, chance(0.5f) ? 1.0f : -1.0f}, 0};
        break;
      case 1:
        p.plane = {{number(), number(), number()}, number()};
        break;
      default:
        p.computePlane(0.01f);
        if (chance(0.5f)) p.flip();
    }
    return p;
  }

  Vector3 point() { return {number(), number(), chance(0.5f) ? 0 : number()}; }

  float tolerance() {
    const float odd[] = {0.01f, 0.01f, 0.01f, 0, 0.5f, -inf, std::numeric_limits<float>::quiet_NaN()};
    return odd[below(std::size(odd))];
  }

 private:
  std::mt19937 rng;

  bool chance(float p) { return static_cast<float>(rng() >> 8) / 16777216.0f < p; }
  std::size_t below(std::size_t n) { return rng() % n; }

  float number() {
    if (chance(0.03f)) {
      const float odd[] = {std::numeric_limits<float>::quiet_NaN(), inf, -inf, 3e38f, -1e20f, 1e-38f, -1e-45f, -0.0f};
      return odd[below(std::size(odd))];
    }
    if (chance(0.5f)) return static_cast<float>(static_cast<int>(below(9)) - 4) / 4;  // the lattice
    return static_cast<float>(rng() >> 8) / 8388608.0f - 1;                           // [-1, 1)
  }
};

bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b)); }
bool sameBits(const Vector3& a, const Vector3& b) {
  return sameBits(a.x, b.x) && sameBits(a.y, b.y) && sameBits(a.z, b.z);
}

// The largest tol at which p.overlaps(q, tol) is false, that is the largest gap on any axis as
// the operation computes it, found by halving the floats in their order (overlaps is false
// exactly up to it). Searched with the operation; checked against the walk at it and one ulp
// either side, where a wrong bound or a wrong gap would show.
float decisiveGap(const Polygon& p, const Polygon& q) {
  auto toKey = [](float f) {
    std::int32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits >= 0 ? std::int64_t{bits} : -std::int64_t{bits & 0x7fffffff};
  };
  auto toFloat = [](std::int64_t key) {
    const std::uint32_t bits =
        key >= 0 ? static_cast<std::uint32_t>(key) : 0x80000000u | static_cast<std::uint32_t>(-key);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
  };
  std::int64_t separated = toKey(-inf), joined = toKey(inf);
  while (joined - separated > 1) {
    const std::int64_t mid = separated + (joined - separated) / 2;
    (p.overlaps(q, toFloat(mid)) ? joined : separated) = mid;
  }
  return toFloat(separated);
}

std::string describe(int index, const Polygon& p) {
  std::ostringstream s;
  s.precision(9);
  s << "case " << index << ": normal " << p.plane.normal.x << " " << p.plane.normal.y << " " << p.plane.normal.z << ", "
    << p.size() << " vertices:";
  for (const VertexRef& ref : p)
    s << " (" << ref->position.x << ", " << ref->position.y << ", " << ref->position.z << ")";
  return s.str();
}

void checkAgainstTheWalks() {
  CaseMaker make(seed);
  int inside = 0, onOutline = 0, overlapping = 0;
  for (int c = 0; c < caseCount; ++c) {
    VertexStore store;
    const Polygon p = make.polygon(store);
    const Polygon q = make.polygon(store);
    for (int k = 0; k < 4; ++k) {
      const Vector3 point = make.point();
      const bool want = insideEdgePlanesWalked(p, point);
      ASSERT_EQ(p.insideEdgePlanes(point, 0.01f), want)
          << "insideEdgePlanes at " << point.x << " " << point.y << " " << point.z << " in " << describe(c, p);
      inside += want;
      if (p.size() < 2) continue;
      const float eps = k == 0 ? 0.01f : 0;
      ASSERT_EQ(p.insideBarycentric(point, eps), insideBarycentricWalked(p, point, eps))
          << "insideBarycentric at " << point.x << " " << point.y << " " << point.z << " in " << describe(c, p);
      const Vector3 nearest = closestPointWalked(p, point);
      const Vector3 got = p.closestPoint(point);
      ASSERT_TRUE(sameBits(got, nearest))
          << "closestPoint of " << point.x << " " << point.y << " " << point.z << ": " << got.x << " " << got.y << " "
          << got.z << ", the walk " << nearest.x << " " << nearest.y << " " << nearest.z << " in " << describe(c, p);
      onOutline += !insideBarycentricWalked(p, point - p.plane.normal * p.plane.signedDistance(point), 0);
    }
    const float tol = make.tolerance();
    const bool want = overlapsWalked(p, q, tol);
    ASSERT_EQ(p.overlaps(q, tol), want) << "overlaps with tol " << tol << " of " << describe(c, p) << "\nand "
                                        << describe(c, q);
    overlapping += want;
    if (c % 4 == 0 && p.size() > 0 && q.size() > 0) {
      const float gap = decisiveGap(p, q);
      for (const float near : {gap, std::nextafter(gap, inf), std::nextafter(gap, -inf)})
        ASSERT_EQ(p.overlaps(q, near), overlapsWalked(p, q, near))
            << "overlaps with tol " << near << " (the largest gap " << gap << ") of " << describe(c, p) << "\nand "
            << describe(c, q);
    }
  }
  // The cases should reach both answers of each test, and the outline stage of closestPoint.
  EXPECT_GT(inside, caseCount / 5);
  EXPECT_LT(inside, caseCount * 3);
  EXPECT_GT(onOutline, caseCount);
  EXPECT_GT(overlapping, caseCount / 10);
  EXPECT_LT(overlapping, caseCount * 9 / 10);
}

// In four lanes, and in the wide lanes where this processor has them.
TEST(LanesEquivalence, InsideClosestPointAndOverlapsMatchTheStepByStepWalks) {
  const bool wide = wideLanes;
  for (const bool useWide : {false, wide}) {
    SCOPED_TRACE(useWide ? "wide lanes" : "four lanes");
    wideLanes = useWide;
    checkAgainstTheWalks();
    if (testing::Test::HasFatalFailure()) break;
  }
  wideLanes = wide;
}

}  // namespace
