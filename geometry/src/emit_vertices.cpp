// Kept apart from the other polygon operations so that code which never draws
// links without a GL library.
#include <GL/gl.h>
#include <geometry/polygon.h>

namespace geometry {

void Polygon::emitVertices() const {
  for (const VertexRef& ref : vertices) glVertex3f(ref->position.x, ref->position.y, ref->position.z);
}

}  // namespace geometry
