// Polygons as ordered handles into a shared store of vertex records, and the
// polygon operations of the programs.
#pragma once

#include <geometry/plane.h>
#include <geometry/vertex.h>

#include <cstddef>
#include <vector>

namespace geometry {

/// insideEdgePlanes' fixed allowance beyond an edge's plane (divided by the edge's length, in distance).
inline constexpr float edgePlaneAllowance = 0.01f;

/// Append-only list of links to vertex records, in registration order. It never
/// destroys or moves a record, so every link into it stays valid as it grows.
class VertexStore {
 public:
  using const_iterator = std::vector<Vertex*>::const_iterator;

  /// Registers a record that lives elsewhere (and must outlive the store's use).
  void append(Vertex& vertex) { entries.push_back(&vertex); }
  std::size_t size() const { return entries.size(); }
  const_iterator begin() const { return entries.begin(); }
  const_iterator end() const { return entries.end(); }

 private:
  std::vector<Vertex*> entries;
};

/// Handle to one vertex record plus the store in which it registers the records it creates.
/// Records made through a ref live until the program ends, in one pool for the whole
/// process, which is not safe to grow from two threads at once.
struct VertexRef {
  Vertex* vertex;
  VertexStore* store;

  /// Creates a new record holding a copy of v and registers it in s.
  VertexRef(const Vertex& v, VertexStore& s);
  /// A ref to a record kept elsewhere, whose new records go to s; registers nothing.
  static VertexRef linking(Vertex& record, VertexStore& s) { return VertexRef(&record, &s); }
  /// Copies both links; no new record.
  VertexRef(const VertexRef& other) = default;
  /// Copies only the vertex link: the store link stays, as refs assigned to one another share a store.
  VertexRef& operator=(const VertexRef& other) {
    vertex = other.vertex;
    return *this;
  }

  /// Creates a new record holding a copy of v, registers it in store and links it; the old record is untouched.
  void assignNew(const Vertex& v);
  /// How many records refs have made so far, in the whole process.
  static std::size_t recordsMade();

  /// The linked record, read and written in place.
  Vertex& operator*() const { return *vertex; }
  Vertex* operator->() const { return vertex; }

 private:
  VertexRef(Vertex* record, VertexStore* s) : vertex(record), store(s) {}
};

/// Extent [min, max] of points along an axis, measured from an origin: the
/// projection of p is dot(axis, p - origin).
struct Projection {
  float min = 0;
  float max = 0;
  Vector3 axis;
  Vector3 origin;

  /// Takes axis and origin and makes p's projection both min and max.
  void start(const Vector3& axis, const Vector3& origin, const Vector3& p);
  /// Widens [min, max] to include p's projection.
  void add(const Vector3& p);
};

/// Ordered corners (handles into a store) plus a supporting plane. Consecutive
/// corners are joined by an edge, and the last joins the first. All refs of a polygon,
/// and of the polygons it is assigned from or to, belong to one store: assigning a ref
/// keeps its store link, so records made by split and cut go to the store of the ref they
/// start from.
class Polygon {
 public:
  using const_iterator = std::vector<VertexRef>::const_iterator;

  /// The supporting plane; its normal fixes the orientation that isConvex expects.
  Plane plane;

  Polygon() = default;
  Polygon(const Polygon& other) = default;
  /// Copies the plane and shares the other's vertices (the refs are copied, not the records).
  Polygon& operator=(const Polygon& other);

  std::size_t size() const { return vertices.size(); }
  const_iterator begin() const { return vertices.begin(); }
  const_iterator end() const { return vertices.end(); }
  /// The ref at i < size(); stops the program otherwise (no wrap-around).
  const VertexRef& at(std::size_t i) const;
  /// The last ref; stops the program on an empty polygon.
  const VertexRef& back() const;

  void addVertex(const VertexRef& ref) { vertices.push_back(ref); }
  /// Inserts ref before position pos (pos <= size()).
  void insert(std::size_t pos, const VertexRef& ref);
  /// Inserts source's refs [first, last) before position pos, keeping their order.
  void insert(std::size_t pos, const Polygon& source, std::size_t first, std::size_t last);
  /// Removes the ref at pos, keeping the order of the rest.
  void erase(std::size_t pos);
  /// Removes the refs [first, last), keeping the order of the rest.
  void erase(std::size_t first, std::size_t last);
  /// Removes all refs; the plane stays.
  void clear() { vertices.clear(); }
  /// Exchanges the vertex sequences; the planes stay where they are.
  void swapVertices(Polygon& other) { vertices.swap(other.vertices); }

  /// Takes the plane of the first corner with two edges at least tol long and not parallel; false if none (plane kept).
  bool computePlane(float tol);
  /// False if a corner turns the wrong way about the stored plane's normal by more than tol; true below 3 vertices.
  /// A corner listed twice in a row counts as listed once.
  bool isConvex(float tol) const;
  /// True when fewer than three edges (the closing edge included) are at least tol long.
  bool isTiny(float tol) const;
  /// One glVertex3f per corner position, in order; the caller opens and closes the primitive.
  void emitVertices() const;

  /// Keeps the piece on `side` of the plane and moves the piece on the other side
  /// into `other`; vertices within eps of the plane, and new vertices where edges
  /// cross it, bound both pieces.
  void split(const Plane& cutter, Polygon& other, Side side, float eps);
  /// Keeps all but what lies beyond eps on the removed side (Back for Front, else Front); adds a vertex per crossing.
  void cut(const Plane& cutter, Side side, float eps);

  /// Inside some triangle of the fan from vertex 0, each widened by eps (outlines included);
  /// judges p's projection onto each triangle's plane. Needs two vertices; false below three.
  bool insideBarycentric(const Vector3& p, float eps) const;
  /// Not beyond any edge's plane, upright on the polygon along the stored normal, by more than
  /// 0.01 divided by the edge's length (the edge normal is not normalised). Needs one vertex;
  /// true for exactly one. tol is unused: the allowance is fixed.
  bool insideEdgePlanes(const Vector3& p, float tol) const;
  /// The unsigned angles under which the edges are seen from p add up to less than tol from a full turn.
  bool insideSumAngles(const Vector3& p, float tol) const;
  /// The same outline the other way round: vertex order reversed, plane negated.
  void flip();
  /// Nearest point to q: its foot on the plane if inside, else on the outline (lowest edge on ties). Needs 2 vertices.
  /// Inside is insideBarycentric's fan from vertex 0, so for a non-convex polygon the foot can be
  /// returned where a fan triangle reaches beyond the outline.
  Vector3 closestPoint(const Vector3& q) const;
  /// False if one is empty or a face or edge normal of either separates them by at least tol; assumes both convex.
  bool overlaps(const Polygon& other, float tol) const;
  /// Average of the corner records in all 26 floats; all zeros for an empty polygon.
  Vertex centreVertex() const;
  /// Average of the corner positions; (0, 0, 0) for an empty polygon.
  Vector3 centrePosition() const;
  /// Adds offset to every corner position in place (shared records move for every polygon that links them).
  void translate(const Vector3& offset);

 private:
  std::vector<VertexRef> vertices;

  // split's and cut's walks, with or without an observer of their steps.
  friend struct PieceWalks;
};

}  // namespace geometry
