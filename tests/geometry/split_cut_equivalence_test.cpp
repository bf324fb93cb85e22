// The one-pass split and cut against the step-by-step walks they replace, on random
// polygons: same links in the same order, same new records bit for bit, same planes.
#include <geometry/polygon.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "reference_walks.h"
#include "shapes.h"

namespace {

using namespace geometry;

constexpr int caseCount = 3000;
constexpr std::size_t maxVertices = 40;
constexpr unsigned seed = 20261208;

// Polygons, planes, sides and tolerances from a fixed seed, with what steers the walks
// made common: distances of exactly 0 and ±eps and just beyond, runs of them, repeated
// vertices (the same record again, or an equal copy), and non-finite coordinates.
class CaseMaker {
 public:
  explicit CaseMaker(unsigned s) : rng(s) {}

  float eps() { return chance(0.5f) ? 0.0f : 0.05f; }

  Side side() {
    static const int others[] = {On, 7, -1};
    if (chance(0.8f)) return chance(0.5f) ? Front : Back;
    return static_cast<Side>(others[below(3)]);
  }

  // Mostly an axis plane through the origin, on which the chosen coordinates are exact distances.
  Plane plane() {
    const float sign = chance(0.5f) ? 1.0f : -1.0f;
    switch (below(8)) {
      case 0:
        return {};  // every vertex On
      case 1:
        return {{unit() - 0.5f, unit() - 0.5f, unit() - 0.5f}, coordinate(0.05f, 0.1f)};
      case 2:
      case 3: {
        Vector3 normal{unit() - 0.5f, unit() - 0.5f, 0};
        normal.normalize();
        return {normal, unit() - 0.5f};
      }
      case 4:
        return {{0, sign, 0}, 0};
      default:
        return {{sign, 0, 0}, 0};
    }
  }

  Polygon polygon(VertexStore& store, float eps) {
    Polygon p;
    p.plane = plane();
    const std::size_t n = below(maxVertices + 1);
    static const float onShares[] = {0.1f, 0.5f, 0.9f};
    const float onShare = onShares[below(3)];
    for (std::size_t i = 0; i < n; ++i) {
      if (i > 0 && chance(0.1f)) {
        const VertexRef earlier = p.at(chance(0.5f) ? i - 1 : below(i));
        p.addVertex(chance(0.5f) ? earlier : VertexRef(*earlier, store));
        continue;
      }
      Vertex v(coordinate(eps, onShare), coordinate(eps, onShare), chance(0.8f) ? 0 : coordinate(eps, onShare));
      if (chance(0.3f)) {
        float* f = reinterpret_cast<float*>(&v);
        for (int k = 3; k < 26; ++k) f[k] = unit() * 4 - 2;
      }
      p.addVertex(VertexRef(v, store));
    }
    return p;
  }

  bool chance(float p) { return unit() < p; }

 private:
  std::mt19937 rng;

  std::size_t below(std::size_t n) { return rng() % n; }
  float unit() { return static_cast<float>(rng() >> 8) / 16777216.0f; }  // [0, 1)

  float coordinate(float eps, float onShare) {
    constexpr float inf = std::numeric_limits<float>::infinity();
    if (chance(0.03f)) {
      const float odd[] = {std::numeric_limits<float>::quiet_NaN(), inf, -inf, 3e38f, -1e-38f};
      return odd[below(5)];
    }
    if (chance(onShare)) {
      const float close[] = {
          0, -0.0f, eps, -eps, eps / 2, -eps / 2, std::nextafter(eps, inf), -std::nextafter(eps, inf)};
      return close[below(8)];
    }
    return unit() * 2 - 1;
  }
};

// A piece as the records it links, in order: an older record by its address, a record
// the operation made by its place among the records it registered.
using Links = std::vector<std::pair<const Vertex*, std::size_t>>;

struct Outcome {
  Links kept, other;
  std::vector<Vertex> made;
  Plane keptPlane, otherPlane;
  bool oneStore = true;  // every ref, the new ones included, registers in the test's store

  bool operator==(const Outcome& o) const {
    auto same = [](const auto& a, const auto& b) { return std::memcmp(&a, &b, sizeof a) == 0; };
    if (kept != o.kept || other != o.other || made.size() != o.made.size() || oneStore != o.oneStore) return false;
    for (std::size_t i = 0; i < made.size(); ++i)
      if (!same(made[i], o.made[i])) return false;
    return same(keptPlane, o.keptPlane) && same(otherPlane, o.otherPlane);
  }
};

// Reads the pieces and the records registered since `before`, the count the store had before the operation.
Outcome outcome(const VertexStore& store, std::size_t before, const Polygon& kept, const Polygon& other) {
  Outcome out;
  std::unordered_map<const Vertex*, std::size_t> made;
  for (auto it = store.begin() + before; it != store.end(); ++it) {
    made.emplace(*it, out.made.size());
    out.made.push_back(**it);
  }
  auto links = [&](const Polygon& piece, Links& to) {
    for (const VertexRef& ref : piece) {
      const auto found = made.find(ref.vertex);
      to.emplace_back(found == made.end() ? ref.vertex : nullptr, found == made.end() ? 0 : found->second);
      out.oneStore = out.oneStore && ref.store == &store;
    }
  };
  links(kept, out.kept);
  links(other, out.other);
  out.keptPlane = kept.plane;
  out.otherPlane = other.plane;
  return out;
}

std::string describe(int index, const Polygon& input, const Plane& cutter, Side side, float eps) {
  std::ostringstream s;
  s.precision(9);
  s << "case " << index << ": side " << int(side) << ", eps " << eps << ", plane " << cutter.normal << " " << cutter.d
    << ", vertices";
  for (const VertexRef& ref : input) s << " " << ref->position;
  return s.str();
}

TEST(SplitCutEquivalence, SplitMatchesTheStepByStepWalk) {
  CaseMaker make(seed);
  int crossingCases = 0;
  for (int c = 0; c < caseCount; ++c) {
    VertexStore store;
    const float eps = make.eps();
    const Polygon input = make.polygon(store, eps);
    const Plane cutter = make.plane();
    const Side side = make.side();
    const bool intoItself = make.chance(0.02f);
    const Polygon stale = shapes::makePolygon(store, {{9, 9, 9}});  // to be cleared and given the plane
    Polygon refKept = input, refOther = stale, fastKept = input, fastOther = stale;

    std::size_t before = store.size();
    referenceSplit(refKept, cutter, intoItself ? refKept : refOther, side, eps);
    const Outcome want = outcome(store, before, refKept, refOther);
    before = store.size();
    fastKept.split(cutter, intoItself ? fastKept : fastOther, side, eps);
    const Outcome got = outcome(store, before, fastKept, fastOther);
    if (!(got == want)) {
      ADD_FAILURE() << "split differs from the walk in " << describe(c, input, cutter, side, eps);
      return;
    }
    crossingCases += !want.made.empty() && !want.kept.empty();
  }
  EXPECT_GT(crossingCases, caseCount / 10) << "the cases should cross the plane often";
}

TEST(SplitCutEquivalence, CutMatchesTheStepByStepWalk) {
  CaseMaker make(seed + 1);
  int crossingCases = 0;
  for (int c = 0; c < caseCount; ++c) {
    VertexStore store;
    const float eps = make.eps();
    const Polygon input = make.polygon(store, eps);
    const Plane cutter = make.plane();
    const Side side = make.side();
    Polygon ref = input, fast = input;

    std::size_t before = store.size();
    referenceCut(ref, cutter, side, eps);
    const Outcome want = outcome(store, before, ref, Polygon());
    before = store.size();
    fast.cut(cutter, side, eps);
    const Outcome got = outcome(store, before, fast, Polygon());
    if (!(got == want)) {
      ADD_FAILURE() << "cut differs from the walk in " << describe(c, input, cutter, side, eps);
      return;
    }
    crossingCases += !want.made.empty();
  }
  EXPECT_GT(crossingCases, caseCount / 10) << "the cases should cross the plane often";
}

}  // namespace
