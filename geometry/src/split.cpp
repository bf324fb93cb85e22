// Split of a polygon by a plane into the piece on one side and the piece on the other.
#include <geometry/polygon.h>

#include "step_by_step.h"

namespace geometry {

template <class Observe>
void PieceWalks::split(Polygon& polygon, const Plane& cutter, Polygon& other, Side side, float eps,
                       const Observe& observe) {
  other.plane = polygon.plane;
  other.clear();
  if (polygon.size() == 0) return;
  // No piece lies "on" the plane: for any side but Front or Back there is nothing
  // to keep apart, so the polygon stays whole and the other piece empty.
  if (side != Front && side != Back) return;
  const Side opposite = side == Front ? Back : Front;
  auto sideOf = [&](const VertexRef& ref) { return cutter.classify(ref->position, eps); };
  if constexpr (Observe::on)
    for (const VertexRef& ref : polygon)
      observe(SplitStep{.corner = ref.vertex, .distance = cutter.signedDistance(ref->position), .side = sideOf(ref)});

  // Make the last vertex an off-plane one, so that the side before every run of
  // on-plane vertices is known when the run is met and no run wraps round the end.
  // The walk reads the vertices from `first` round to the one before it, so the
  // rotation moves nothing.
  const std::size_t n = polygon.size();
  std::size_t first = 0;
  VertexRef prev = polygon.back();
  Side prevSide = sideOf(prev);
  if (prevSide == On) {
    if (n == 1) return;
    std::size_t m = n - 2;
    while (m > 0 && sideOf(polygon.at(m)) == On) --m;
    const Side mSide = sideOf(polygon.at(m));
    if (mSide == On) return;  // the whole polygon lies on the plane
    if (m == 0) {
      if (mSide != side) polygon.swapVertices(other);
      return;
    }
    first = m + 1;
    prev = polygon.at(m);
    prevSide = mSide;
  }
  const std::vector<VertexRef>& vertices = polygon.vertices;
  auto input = [&](std::size_t k) -> const VertexRef& { return vertices[k < n - first ? first + k : k - (n - first)]; };

  // Both pieces are built in one pass over the input and the kept one is swapped in at the end.
  std::vector<VertexRef> kept;
  kept.reserve(n);
  for (std::size_t k = 0; k < n;) {
    VertexRef cur = input(k);
    Side curSide = sideOf(cur);

    // An edge between Front and Back gets a new on-plane vertex, which forms a run
    // of its own in front of cur; cur is then visited again, after it.
    const bool crossed = curSide != prevSide && curSide != On && prevSide != On;
    if (crossed) {
      // With t = dCur / (dCur - dPrev), the weighted sum prev * t + cur * (1 - t)
      // has signed distance 0 and carries every attribute.
      const float dCur = cutter.signedDistance(cur->position);
      const float dPrev = cutter.signedDistance(prev->position);
      const float t = dCur * (1.0f / (dCur - dPrev));
      VertexRef crossing = cur;
      crossing.assignNew(*prev * t + *cur * (1.0f - t));
      observe(SplitStep{
          .kind = SplitStep::Crossing, .from = prev.vertex, .to = cur.vertex, .t = t, .made = crossing.vertex});
      cur = crossing;
    } else if (curSide != On) {
      (curSide == side ? kept : other.vertices).push_back(cur);
      prevSide = curSide;
      prev = cur;
      ++k;
      continue;
    }

    // A run of on-plane vertices, input [k, end) or the crossing alone; what happens to
    // it depends on prevSide and runSide, the sides before and after it (runSide stays
    // On if the run reaches the end).
    std::size_t end = k;
    Side runSide = curSide;
    if (!crossed) {
      while (end < n && (runSide = sideOf(input(end))) == On) ++end;
      cur = input(end - 1);
    }
    auto appendRun = [&](std::vector<VertexRef>& piece) {
      if (crossed) piece.push_back(cur);
      for (std::size_t j = k; j < end; ++j) piece.push_back(input(j));
    };
    if (prevSide != side) {
      // The boundary comes from the far side (entering the kept side, or touching the plane).
      appendRun(other.vertices);
      if (runSide == side) kept.push_back(cur);  // the last on-plane vertex bounds the kept piece
    } else {
      // The kept piece keeps the run; if the boundary leaves the kept side here, the far piece starts with its end.
      appendRun(kept);
      if (runSide == opposite) other.vertices.push_back(cur);
    }

    prevSide = On;
    prev = cur;
    k = end;
  }
  polygon.vertices.swap(kept);
}

void Polygon::split(const Plane& cutter, Polygon& other, Side side, float eps) {
  PieceWalks::split(*this, cutter, other, side, eps, Silent{});
}

void splitWalked(Polygon& polygon, const Plane& cutter, Polygon& other, Side side, float eps,
                 const SplitObserver& observe) {
  observedBy(observe, [&](const auto& o) { PieceWalks::split(polygon, cutter, other, side, eps, o); });
}

}  // namespace geometry
