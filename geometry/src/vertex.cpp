#include <geometry/vertex.h>

namespace geometry {

Vertex operator*(const Vertex& v, float s) {
  Vertex r;
  r.position = v.position * s;
  r.attrib3 = v.attrib3 * s;
  r.attrib4 = v.attrib4 * s;
  for (std::size_t i = 0; i < r.attribSets.size(); ++i) r.attribSets[i] = v.attribSets[i] * s;
  return r;
}

Vertex operator+(const Vertex& v, const Vertex& w) {
  Vertex r;
  r.position = v.position + w.position;
  r.attrib3 = v.attrib3 + w.attrib3;
  r.attrib4 = v.attrib4 + w.attrib4;
  for (std::size_t i = 0; i < r.attribSets.size(); ++i) r.attribSets[i] = v.attribSets[i] + w.attribSets[i];
  return r;
}

}  // namespace geometry
