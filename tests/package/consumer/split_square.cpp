// Splits the unit square down the middle with the installed geometry library and
// checks both pieces; exits 1 with a line on stderr if one is wrong.
#include <geometry/polygon.h>

#include <cstdio>

using namespace geometry;

namespace {

bool check(bool ok, const char* what) {
  if (!ok) std::fprintf(stderr, "split_square: %s\n", what);
  return ok;
}

bool near(const Vector3& a, const Vector3& b) { return (a - b).length() < 1e-6f; }

}  // namespace

int main() {
  VertexStore store;
  Polygon square;
  constexpr float corners[][2] = {{-0.5f, -0.5f}, {-0.5f, 0.5f}, {0.5f, 0.5f}, {0.5f, -0.5f}};
  for (const auto& corner : corners) square.addVertex(VertexRef(Vertex(corner[0], corner[1], 0), store));
  if (!check(square.computePlane(0.01f), "no plane")) return 1;

  // The plane x = 0 keeps the right half and moves the left half into `left`; both
  // pieces gain the two crossings at (0, +-0.5), which the store registers.
  Polygon left;
  square.split(Plane{{1, 0, 0}, 0}, left, Front, 0.05f);
  const bool ok = check(square.size() == 4 && left.size() == 4, "each half should have 4 corners") &&
                  check(store.size() == 6, "the store should hold 4 corners and 2 crossings") &&
                  check(near(square.centrePosition(), {0.25f, 0, 0}), "right half off centre") &&
                  check(near(left.centrePosition(), {-0.25f, 0, 0}), "left half off centre");
  return ok ? 0 : 1;
}
