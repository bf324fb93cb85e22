// The buffers of a program's map and the pixels' scene points.
#include <viewer/map.h>

#include <algorithm>
#include <cstdlib>

namespace viewer {

namespace {

std::size_t pixelCount() {
  return windowWidth > 0 && windowHeight > 0 ? static_cast<std::size_t>(windowWidth) * windowHeight : 0;
}

}  // namespace

void scenePoints(std::vector<Vector3>& points, float z) {
  points.resize(pixelCount());
  std::size_t i = 0;
  for (int y = 0; y < windowHeight; ++y)
    for (int x = 0; x < windowWidth; ++x, ++i) {
      const Vector2 p = toScene(x, y);
      points[i] = {p.x, p.y, z};
    }
}

void startMap(MapClasses& map, std::vector<std::string> names) {
  map.names = std::move(names);
  map.classOf.resize(pixelCount());
  map.counts.assign(map.names.size(), 0);
}

std::uint8_t classNamed(MapClasses& map, const std::string& name) {
  const auto found = std::find(map.names.begin(), map.names.end(), name);
  if (found != map.names.end()) return static_cast<std::uint8_t>(found - map.names.begin());
  // classOf holds a class in one byte.
  if (map.names.size() > UINT8_MAX) std::abort();
  map.names.push_back(name);
  map.counts.push_back(0);
  return static_cast<std::uint8_t>(map.names.size() - 1);
}

void countClasses(MapClasses& map) {
  map.counts.assign(map.names.size(), 0);
  for (const std::uint8_t c : map.classOf) ++map.counts[c];
}

}  // namespace viewer
