// A shared library with the geometry archive linked in: the unit square's plane and shape.
#include <geometry/polygon.h>

using namespace geometry;

/// 0 when the unit square gets its plane, is convex and is not tiny.
extern "C" int squarePluginCheck() {
  VertexStore store;
  Polygon square;
  constexpr float corners[][2] = {{-0.5f, -0.5f}, {-0.5f, 0.5f}, {0.5f, 0.5f}, {0.5f, -0.5f}};
  for (const auto& corner : corners) square.addVertex(VertexRef(Vertex(corner[0], corner[1], 0), store));
  return square.computePlane(0.01f) && square.isConvex(0.01f) && !square.isTiny(0.01f) ? 0 : 1;
}
