// The batch forms against the single operations, point by point, on random polygons (repeated
// corners, one or two corners, off-plane corners, huge, infinite and not-a-number values) and
// runs of points whose lengths leave every remainder of a block of lanes; and the lanes'
// arccosine against the library's own, rounded to float.
#include <geometry/batch.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "lanes/batch_kernels.h"
#include "lanes/lane_width.h"

namespace {

using namespace geometry;

constexpr int caseCount = 1500;
constexpr float inf = std::numeric_limits<float>::infinity();
constexpr float nan = std::numeric_limits<float>::quiet_NaN();

class Maker {
 public:
  std::mt19937 rng{20261211};

  std::size_t below(std::size_t n) { return rng() % n; }
  bool chance(float p) { return static_cast<float>(rng() >> 8) / 16777216.0f < p; }
  float number() {
    if (chance(0.03f)) {
      const float odd[] = {nan, inf, -inf, 3e38f, -1e20f, 1e-38f, -0.0f};
      return odd[below(std::size(odd))];
    }
    if (chance(0.5f)) return static_cast<float>(static_cast<int>(below(9)) - 4) / 4;  // a lattice: exact ties
    return static_cast<float>(rng() >> 8) / 8388608.0f - 1;
  }
  Vector3 point() { return {number(), number(), chance(0.7f) ? 0 : number()}; }

  // Up to 12 corners, convex or not, with repeats; the plane computed, flipped, or arbitrary.
  Polygon polygon(VertexStore& store, std::size_t fewest) {
    Polygon p;
    const std::size_t n = fewest + below(13 - fewest);
    const bool convex = chance(0.5f);
    for (std::size_t i = 0; i < n; ++i) {
      if (i > 0 && chance(0.1f)) {
        p.addVertex(p.at(below(i)));
        continue;
      }
      const double angle = -6.283185307179586 * static_cast<double>(i) / static_cast<double>(n);
      const Vector3 c = convex ? Vector3{0.5f * static_cast<float>(std::cos(angle)),
                                         0.5f * static_cast<float>(std::sin(angle)), chance(0.1f) ? number() : 0}
                               : point();
      p.addVertex(VertexRef(Vertex(c.x, c.y, c.z), store));
    }
    if (chance(0.2f)) {
      p.plane = {{number(), number(), number()}, number()};
    } else {
      p.plane = {{0, 0, -1}, 0};
      p.computePlane(0.01f);
      if (chance(0.5f)) p.flip();
    }
    return p;
  }
  std::vector<Vector3> points() {
    std::vector<Vector3> out(below(14));
    for (Vector3& p : out) p = point();
    return out;
  }
  float tolerance() {
    const float odd[] = {0.01f, 0.01f, 0.05f, 0, -0.0f, 0.5f, -inf, nan};
    return odd[below(std::size(odd))];
  }
};

// Runs check in four lanes, then in eight where the processor has them.
template <class Check>
void inEachWidth(const Check& check) {
  const bool wide = wideLanes;
  for (const bool w : {false, true}) {
    if (w && !wide) break;
    wideLanes = w;
    SCOPED_TRACE(w ? "eight lanes" : "four lanes");
    check();
    if (::testing::Test::HasFatalFailure()) break;
  }
  wideLanes = wide;
}

bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b)); }
bool sameBits(const Vector3& a, const Vector3& b) {
  return sameBits(a.x, b.x) && sameBits(a.y, b.y) && sameBits(a.z, b.z);
}

TEST(BatchTest, InsideFormsAnswerAsTheSingleOperations) {
  inEachWidth([] {
    Maker make;
    for (int c = 0; c < caseCount; ++c) {
      VertexStore store;
      const Polygon polygon = make.polygon(store, c % 10 == 0 ? 0 : 2);
      const std::vector<Vector3> points = make.points();
      const float tol = make.tolerance();
      std::vector<char> inside(points.size() + 1, 2);  // one more, which no form may write
      std::span<bool> out(reinterpret_cast<bool*>(inside.data()), points.size());
      auto expectEach = [&](const char* form, auto single) {
        for (std::size_t i = 0; i < points.size(); ++i)
          ASSERT_EQ(inside[i], single(points[i]) ? 1 : 0) << form << ", case " << c << ", point " << i;
        ASSERT_EQ(inside.back(), 2) << form;
      };
      insideSumAnglesEach(polygon, points, tol, out);
      expectEach("insideSumAnglesEach", [&](const Vector3& p) { return polygon.insideSumAngles(p, tol); });
      if (polygon.size() < 1) continue;
      insideEdgePlanesEach(polygon, points, tol, out);
      expectEach("insideEdgePlanesEach", [&](const Vector3& p) { return polygon.insideEdgePlanes(p, tol); });
      if (polygon.size() < 2) continue;
      insideBarycentricEach(polygon, points, tol, out);
      expectEach("insideBarycentricEach", [&](const Vector3& p) { return polygon.insideBarycentric(p, tol); });
    }
  });
}

TEST(BatchTest, ClosestPointsHaveTheSingleOperationsBits) {
  inEachWidth([] {
    Maker make;
    for (int c = 0; c < caseCount; ++c) {
      VertexStore store;
      const Polygon polygon = make.polygon(store, 2);
      const std::vector<Vector3> queries = make.points();
      std::vector<Vector3> closest(queries.size());
      closestPointEach(polygon, queries, closest);
      for (std::size_t i = 0; i < queries.size(); ++i)
        ASSERT_TRUE(sameBits(closest[i], polygon.closestPoint(queries[i]))) << "case " << c << ", query " << i;
    }
  });
}

TEST(BatchTest, OverlapsAsOfTheOtherTranslatedAndLeaveItAsItWas) {
  inEachWidth([] {
    Maker make;
    for (int c = 0; c < caseCount; ++c) {
      VertexStore store;
      const Polygon polygon = make.polygon(store, c % 10 == 0 ? 0 : 1);
      const Polygon other = make.polygon(store, c % 10 == 5 ? 0 : 1);
      std::vector<Vector3> offsets = make.points();
      for (Vector3& o : offsets) o = o * (make.chance(0.5f) ? 1.0f : 0.3f);
      const float tol = make.tolerance();
      std::vector<Vector3> before;
      for (const VertexRef& ref : other) before.push_back(ref->position);
      std::vector<char> overlap(offsets.size());
      overlapsEach(polygon, other, offsets, tol, std::span(reinterpret_cast<bool*>(overlap.data()), offsets.size()));
      for (std::size_t i = 0; i < other.size(); ++i) ASSERT_TRUE(sameBits(other.at(i)->position, before[i]));
      for (std::size_t i = 0; i < offsets.size(); ++i) {
        // A copy with records of its own (a repeated corner keeps one record, so it moves once).
        VertexStore own;
        Polygon moved = other;
        moved.clear();
        std::vector<const Vertex*> originals;
        for (const VertexRef& ref : other) {
          std::size_t k = 0;
          while (k < originals.size() && originals[k] != ref.vertex) ++k;
          if (k < originals.size()) {
            moved.addVertex(moved.at(k));
          } else {
            moved.addVertex(VertexRef(*ref, own));
          }
          originals.push_back(ref.vertex);
        }
        moved.translate(offsets[i]);
        ASSERT_EQ(overlap[i], polygon.overlaps(moved, tol) ? 1 : 0) << "case " << c << ", offset " << i;
      }
    }
  });
}

float libraryArccosine(float c) { return static_cast<float>(std::acos(static_cast<double>(c))); }

void expectLibraryArccosines(const float* c) {
  const lanes::Floats4 f = acosToFloat(lanes::load(c));
  for (std::size_t k = 0; k < 4; ++k) ASSERT_TRUE(sameBits(f[k], libraryArccosine(c[k]))) << c[k];
}

// Every stride-th float of [-1, 1] by bits, both signs, and the neighbourhoods of -1, -0.5, 0.5 and 1.
void checkArccosines(std::uint32_t stride) {
  for (std::uint32_t bits = 0; bits <= 0x3f800000u; bits += 2 * stride) {
    const std::uint32_t b[4] = {bits, bits | 0x80000000u, bits + stride, (bits + stride) | 0x80000000u};
    float c[4];
    std::memcpy(c, b, sizeof c);
    for (float& x : c) x = std::fmax(-1.0f, std::fmin(1.0f, x));
    ASSERT_NO_FATAL_FAILURE(expectLibraryArccosines(c));
  }
  for (const float edge : {-1.0f, -0.5f, 0.5f, 1.0f}) {
    float c[4] = {edge, edge, edge, edge};
    for (int i = 0; i < 1024; ++i) {
      for (float& x : c) x = std::nextafter(x, 0.0f);
      std::swap(c[0], c[3]);
      ASSERT_NO_FATAL_FAILURE(expectLibraryArccosines(c));
    }
  }
  const float odd[4] = {nan, -nan, 0, -0.0f};
  expectLibraryArccosines(odd);
}

TEST(BatchTest, LaneArccosineRoundsAsTheLibrarysOwn) { checkArccosines(997); }
// Every float of [-1, 1]; a minute or so.
TEST(BatchTest, DISABLED_LaneArccosineRoundsAsTheLibrarysOwnEverywhere) { checkArccosines(1); }

}  // namespace
