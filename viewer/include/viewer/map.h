// The map of a program's answers: every window pixel classed by what the program answers with
// the pointer at that pixel, as toScene maps it there. The buffers are sized by the window and
// kept from one map to the next.
#pragma once

#include <viewer/viewer.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace viewer {

struct MapClasses {
  std::vector<std::string> names;     ///< the classes' texts, in the program's order
  std::vector<std::uint8_t> classOf;  ///< windowWidth * windowHeight, row-major from the top-left pixel
  std::vector<std::size_t> counts;    ///< pixels per class, one per name
  std::vector<float> distance;        ///< per pixel, where the program measures one; else empty
};

/// toScene of every window pixel at height z, row-major from the top-left pixel, into points.
void scenePoints(std::vector<Vector3>& points, float z = 0);
/// Takes the names, sizes classOf to the window and zeroes the counts.
void startMap(MapClasses& map, std::vector<std::string> names);
/// The class's index in map.names, appended if it is not there yet.
std::uint8_t classNamed(MapClasses& map, const std::string& name);
/// The counts from classOf.
void countClasses(MapClasses& map);

}  // namespace viewer
