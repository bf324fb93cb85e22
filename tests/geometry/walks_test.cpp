// The observed walks of the polygon operations: on random figures each ends in the operation's
// own answer, bit for bit, and its last step says so; and the overlap walk's steps on the
// figures poly_overlap starts from.
#include <geometry/walks.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "shapes.h"

namespace {

using namespace geometry;

constexpr int caseCount = 1500;

// Bit for bit, but any not-a-number equals any other: the lanes may carry another one.
bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b)); }
bool sameBits(const Vector3& a, const Vector3& b) {
  return sameBits(a.x, b.x) && sameBits(a.y, b.y) && sameBits(a.z, b.z);
}

// Polygons of up to 12 corners, convex or not, on a lattice (exact ties) or anywhere in
// [-1, 1), with repeated corners and now and then a value that is not finite.
class Figures {
 public:
  explicit Figures(unsigned seed) : rng(seed) {}

  Polygon polygon(VertexStore& store) {
    const std::size_t n = 1 + rng() % 12;
    const bool convex = chance(0.5f);
    const Vector3 centre = point();
    Polygon p;
    for (std::size_t i = 0; i < n; ++i) {
      const double angle = -6.283185307179586 * static_cast<double>(i) / static_cast<double>(n);
      Vector3 c =
          convex ? centre + Vector3{static_cast<float>(std::cos(angle)) / 2, static_cast<float>(std::sin(angle)) / 2, 0}
                 : point();
      if (i > 0 && chance(0.1f)) c = p.at(i - 1)->position;
      p.addVertex(VertexRef(Vertex(c.x, c.y, c.z), store));
    }
    p.computePlane(0.01f);
    if (chance(0.3f)) p.flip();
    return p;
  }

  Vector3 point() { return {number(), number(), chance(0.8f) ? 0 : number()}; }
  Plane plane() {
    Vector3 normal{number(), number(), 0};
    normal.normalize();
    return {normal, number()};
  }
  bool chance(float p) { return static_cast<float>(rng() >> 8) / 16777216.0f < p; }

 private:
  std::mt19937 rng;

  float number() {
    if (chance(0.02f)) return chance(0.5f) ? std::numeric_limits<float>::infinity() : std::nanf("");
    if (chance(0.5f)) return static_cast<float>(static_cast<int>(rng() % 9) - 4) / 4;
    return static_cast<float>(rng() >> 8) / 8388608.0f - 1;
  }
};

TEST(PolygonWalks, OverlapInsideAndClosestPointEndInTheOperationsAnswers) {
  Figures make(20261220);
  for (int c = 0; c < caseCount; ++c) {
    SCOPED_TRACE(c);
    VertexStore store;
    const Polygon p = make.polygon(store), q = make.polygon(store);
    const Vector3 point = make.point();

    std::vector<AxisStep> axes;
    const bool overlap = overlapsWalked(p, q, 0.01f, [&](const AxisStep& s) { axes.push_back(s); });
    ASSERT_EQ(overlap, p.overlaps(q, 0.01f));
    ASSERT_FALSE(axes.empty());
    for (std::size_t i = 0; i + 1 < axes.size(); ++i) ASSERT_FALSE(axes[i].separates) << "step " << i;
    ASSERT_EQ(axes.back().separates, !overlap);

    std::vector<AngleStep> angles;
    const bool sumAngles = insideSumAnglesWalked(p, point, 0.01f, [&](const AngleStep& s) { angles.push_back(s); });
    ASSERT_EQ(sumAngles, p.insideSumAngles(point, 0.01f));
    ASSERT_EQ(angles.size(), p.size());
    ASSERT_EQ(angles.back().offTurn < 0.01f, sumAngles);

    std::vector<EdgePlaneStep> planes;
    const bool edgePlanes = insideEdgePlanesWalked(p, point, [&](const EdgePlaneStep& s) { planes.push_back(s); });
    ASSERT_EQ(edgePlanes, p.insideEdgePlanes(point, 0.01f));
    ASSERT_EQ(planes.back().beyond, !edgePlanes);

    if (p.size() < 2) continue;
    std::vector<FanStep> fan;
    const bool barycentric = insideBarycentricWalked(p, point, 0.01f, [&](const FanStep& s) { fan.push_back(s); });
    ASSERT_EQ(barycentric, p.insideBarycentric(point, 0.01f));
    ASSERT_EQ(!fan.empty() && fan.back().inside, barycentric);

    std::vector<NearestStep> nearest;
    const Vector3 closest = closestPointWalked(p, point, [&](const NearestStep& s) { nearest.push_back(s); });
    ASSERT_TRUE(sameBits(closest, p.closestPoint(point)));
    ASSERT_EQ(nearest.front().kind, NearestStep::Foot);
    if (nearest.front().inFan) {
      ASSERT_EQ(nearest.size(), 1u);
      ASSERT_TRUE(nearest.front().triangle.inside);
      ASSERT_TRUE(sameBits(nearest.front().foot, closest));
    } else {
      ASSERT_EQ(nearest.size(), 1 + p.size());
      const Vector3* last = nullptr;
      for (const NearestStep& s : nearest)
        if (s.kind == NearestStep::Edge && s.nearest) last = &s.candidate;
      ASSERT_TRUE(last && sameBits(*last, closest));
    }
  }
}

// Split and cut walked and as the operation, on copies of one polygon: the same pieces bit for
// bit. The walk classifies every corner first, and a corner off the plane lies in the piece of its
// side. Split's edges join corners on opposite sides, cut's are all edges from the closing one;
// the records they report made are the new corners.
TEST(PolygonWalks, SplitAndCutMakeTheOperationsPieces) {
  Figures make(20261221);
  for (int c = 0; c < caseCount; ++c) {
    SCOPED_TRACE(c);
    VertexStore store;
    const Polygon input = make.polygon(store);
    const std::size_t n = input.size();
    const Plane cutter = make.plane();
    const float eps = make.chance(0.5f) ? 0 : 0.05f;
    const bool split = make.chance(0.5f);
    const Side side = make.chance(0.5f) ? Front : Back;

    Polygon operation = input, walked = input, operationOther, walkedOther;
    std::vector<SplitStep> splitSteps;
    std::vector<CutStep> cutSteps;
    if (split) {
      operation.split(cutter, operationOther, side, eps);
    } else {
      operation.cut(cutter, side, eps);
    }
    const std::size_t before = store.size();
    if (split) {
      splitWalked(walked, cutter, walkedOther, side, eps, [&](const SplitStep& s) { splitSteps.push_back(s); });
    } else {
      cutWalked(walked, cutter, side, eps, [&](const CutStep& s) { cutSteps.push_back(s); });
    }
    const std::size_t made = store.size() - before;
    for (const auto& [got, want] : {std::pair{&walked, &operation}, std::pair{&walkedOther, &operationOther}}) {
      const std::vector<Vector3> a = shapes::positions(*got), b = shapes::positions(*want);
      ASSERT_TRUE(std::equal(a.begin(), a.end(), b.begin(), b.end(),
                             [](const Vector3& x, const Vector3& y) { return std::memcmp(&x, &y, sizeof x) == 0; }));
    }

    std::unordered_set<const Vertex*> kept, other;
    for (const VertexRef& ref : walked) kept.insert(ref.vertex);
    for (const VertexRef& ref : walkedOther) other.insert(ref.vertex);
    std::size_t reportedMade = 0;
    if (split) {
      std::unordered_map<const Vertex*, Side> sideOf;
      ASSERT_GE(splitSteps.size(), n);
      for (std::size_t i = 0; i < n; ++i) {
        const SplitStep& s = splitSteps[i];
        ASSERT_TRUE(s.kind == SplitStep::Corner && s.corner == input.at(i).vertex) << "corner " << i;
        sideOf[s.corner] = s.side;
        if (s.side == On) continue;
        ASSERT_EQ(kept.count(s.corner), s.side == side ? 1u : 0u) << "corner " << i;
        ASSERT_EQ(other.count(s.corner), s.side != side ? 1u : 0u) << "corner " << i;
      }
      for (std::size_t k = n; k < splitSteps.size(); ++k) {
        const SplitStep& s = splitSteps[k];
        ASSERT_EQ(s.kind, SplitStep::Crossing) << "step " << k;
        ASSERT_TRUE(s.made && kept.count(s.made) && other.count(s.made)) << "step " << k;
        ASSERT_TRUE(sideOf.at(s.from) != On && sideOf.at(s.to) != On && sideOf.at(s.from) != sideOf.at(s.to))
            << "step " << k;
        ++reportedMade;
      }
    } else {
      std::unordered_map<const Vertex*, bool> insideOf;
      ASSERT_EQ(cutSteps.size(), 2 * n);
      for (std::size_t i = 0; i < n; ++i) {
        const CutStep& s = cutSteps[i];
        ASSERT_TRUE(s.kind == CutStep::Corner && s.corner == input.at(i).vertex) << "corner " << i;
        ASSERT_EQ(s.inside, cutter.classify(s.corner->position, eps) != (side == Front ? Back : Front))
            << "corner " << i;
        ASSERT_EQ(kept.count(s.corner), s.inside ? 1u : 0u) << "corner " << i;
        insideOf[s.corner] = s.inside;
      }
      for (std::size_t k = n; k < cutSteps.size(); ++k) {
        const CutStep& s = cutSteps[k];
        ASSERT_EQ(s.kind, CutStep::Edge) << "step " << k;
        ASSERT_TRUE(s.from == input.at((k - 1) % n).vertex && s.to == input.at(k - n).vertex) << "step " << k;
        ASSERT_TRUE(s.fromInside == insideOf.at(s.from) && s.toInside == insideOf.at(s.to)) << "step " << k;
        ASSERT_TRUE(!s.made || (s.crosses() && kept.count(s.made))) << "step " << k;
        reportedMade += s.made != nullptr;
      }
    }
    ASSERT_EQ(reportedMade, made);
  }
}

// The steps as "A face, A 3-0, ..., B 2-3", a skipped edge in brackets.
std::string describe(const std::vector<AxisStep>& steps) {
  std::ostringstream out;
  for (const AxisStep& s : steps) {
    out << (&s == &steps.front() ? "" : ", ") << (s.ofSecond ? "B " : "A ");
    if (s.face)
      out << "face";
    else
      out << (s.skipped ? "(" : "") << s.from << "-" << s.to << (s.skipped ? ")" : "");
  }
  return out.str();
}

// poly_overlap's start-up rectangles, B moved along x, A also with a corner listed twice.
TEST(PolygonWalks, OverlapStepsOfTheStartUpRectangles) {
  const Vector3 a0{-0.75f, -0.5f, 0}, a1{-0.75f, 0.5f, 0}, a2{0.25f, 0.5f, 0}, a3{0.25f, -0.5f, 0};
  struct Row {
    const char* name;
    std::vector<Vector3> a;
    float shiftB;
    const char* steps;
    float lastGap;
  } rows[] = {
      {"overlapping",
       {a0, a1, a2, a3},
       0,
       "A face, A 3-0, A 0-1, A 1-2, A 2-3, B face, B 3-0, B 0-1, B 1-2, B 2-3",
       -0.5f},
      {"apart, A's left edge separates", {a0, a1, a2, a3}, 0.75f, "A face, A 3-0, A 0-1", 0.25f},
      {"repeated corner: no axis, the next edge starts where it did",
       {a0, a1, a1, a2, a3},
       0,
       "A face, A 4-0, A 0-1, A (1-2), A 1-3, A 3-4, B face, B 3-0, B 0-1, B 1-2, B 2-3",
       -0.5f},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    VertexStore store;
    Polygon a = shapes::makePolygon(store, row.a);
    Polygon b =
        shapes::makePolygon(store, {{-0.25f, -0.25f, 0}, {-0.25f, 0.25f, 0}, {0.75f, 0.25f, 0}, {0.75f, -0.25f, 0}});
    a.computePlane(0.01f);
    b.computePlane(0.01f);
    b.translate({row.shiftB, 0, 0});
    std::vector<AxisStep> steps;
    overlapsWalked(a, b, 0.01f, [&](const AxisStep& s) { steps.push_back(s); });
    EXPECT_EQ(describe(steps), row.steps);
    EXPECT_EQ(steps.back().gap, row.lastGap);

    // The closing edge, measured from A's last corner.
    const AxisStep& s = steps.at(1);
    EXPECT_EQ(s.axis(), (Vector3{0, -1, 0}));
    EXPECT_EQ(s.origin(), (Vector3{0.25f, -0.5f, 0}));
    EXPECT_EQ(s.second.axis, s.axis());
    EXPECT_EQ(s.second.origin, s.origin());
    EXPECT_EQ(s.first.min, -1);
    EXPECT_EQ(s.first.max, 0);
    EXPECT_EQ(s.second.min, -0.75f);
    EXPECT_EQ(s.second.max, -0.25f);
    EXPECT_EQ(s.gap, -0.75f);
  }
}

}  // namespace
