#include <geometry/contract.h>
#include <geometry/polygon.h>

#include <algorithm>
#include <deque>

namespace geometry {
namespace {

// Vertex records are created one by one and must never move or die while the
// program runs. A deque grown at its end keeps its elements in place; it is
// reached through a static for the whole process, so leak checkers see it as live.
std::deque<Vertex>& pool() {
  static std::deque<Vertex>& records = *new std::deque<Vertex>;
  return records;
}

Vertex* newRecord(const Vertex& v) { return &pool().emplace_back(v); }

}  // namespace

std::size_t VertexRef::recordsMade() { return pool().size(); }

VertexRef::VertexRef(const Vertex& v, VertexStore& s) : vertex(newRecord(v)), store(&s) { store->append(*vertex); }

void VertexRef::assignNew(const Vertex& v) {
  vertex = newRecord(v);
  store->append(*vertex);
}

Polygon& Polygon::operator=(const Polygon& other) {
  // Done literally on itself, clearing first would empty the polygon.
  if (this == &other) return *this;
  plane = other.plane;
  vertices.clear();
  for (const VertexRef& ref : other.vertices) vertices.push_back(ref);
  return *this;
}

const VertexRef& Polygon::at(std::size_t i) const {
  if (i >= vertices.size()) contractViolation("Polygon::at", "index out of range");
  return vertices[i];
}

const VertexRef& Polygon::back() const {
  if (vertices.empty()) contractViolation("Polygon::back", "polygon is empty");
  return vertices.back();
}

void Polygon::insert(std::size_t pos, const VertexRef& ref) {
  if (pos > vertices.size()) contractViolation("Polygon::insert", "position out of range");
  vertices.insert(vertices.begin() + pos, ref);
}

void Polygon::insert(std::size_t pos, const Polygon& source, std::size_t first, std::size_t last) {
  if (pos > vertices.size()) contractViolation("Polygon::insert", "position out of range");
  if (first > last || last > source.vertices.size()) contractViolation("Polygon::insert", "source range out of range");
  if (&source == this) {
    // Inserting a range of ourselves would read elements the insertion shifts.
    const std::vector<VertexRef> copy(source.vertices.begin() + first, source.vertices.begin() + last);
    vertices.insert(vertices.begin() + pos, copy.begin(), copy.end());
    return;
  }
  vertices.insert(vertices.begin() + pos, source.vertices.begin() + first, source.vertices.begin() + last);
}

void Polygon::erase(std::size_t pos) {
  if (pos >= vertices.size()) contractViolation("Polygon::erase", "position out of range");
  vertices.erase(vertices.begin() + pos);
}

void Polygon::erase(std::size_t first, std::size_t last) {
  if (first > last || last > vertices.size()) contractViolation("Polygon::erase", "range out of range");
  vertices.erase(vertices.begin() + first, vertices.begin() + last);
}

void Polygon::flip() {
  plane.normal = {-plane.normal.x, -plane.normal.y, -plane.normal.z};
  plane.d = -plane.d;
  std::reverse(vertices.begin(), vertices.end());
}

}  // namespace geometry
