// Splits the unit square down the middle with the installed geometry library;
// exits 1 with a line on stderr if the halves are wrong.
#include <geometry/polygon.h>

#include <cstdio>

using namespace geometry;

int main() {
  VertexStore store;
  Polygon square;
  constexpr float corners[][2] = {{-0.5f, -0.5f}, {-0.5f, 0.5f}, {0.5f, 0.5f}, {0.5f, -0.5f}};
  for (const auto& corner : corners) square.addVertex(VertexRef(Vertex(corner[0], corner[1], 0), store));
  square.computePlane(0.01f);

  // The plane x = 0 keeps the right half and moves the left half into `left`; both
  // halves gain the two crossings at (0, +-0.5), which the store registers.
  Polygon left;
  square.split(Plane{{1, 0, 0}, 0}, left, Front, 0.05f);
  const Vector3 rightCentre = square.centrePosition(), leftCentre = left.centrePosition();
  if (square.size() == 4 && left.size() == 4 && store.size() == 6 &&
      (rightCentre - Vector3{0.25f, 0, 0}).length() < 1e-6f && (leftCentre - Vector3{-0.25f, 0, 0}).length() < 1e-6f)
    return 0;
  std::fprintf(stderr, "split_square: halves of %zu and %zu corners centred at x = %g and %g, store of %zu\n",
               square.size(), left.size(), rightCentre.x, leftCentre.x, store.size());
  return 1;
}
