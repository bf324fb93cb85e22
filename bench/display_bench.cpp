// One program's display callback as a whole, run through the recording stand-in;
// with DRAGS_RECOMPUTE also the time and the heap kept per drag event of a handle.
// PROGRAM names the program's namespace; every global allocation is counted.
#include <GL/glut.h>
#include <benchmark/benchmark.h>
#include <geometry/polygon.h>
#include <malloc.h>
#include <viewer/viewer.h>

#include <cstdlib>
#include <new>

#include "rig.h"

namespace PROGRAM {
int run(int argc, char** argv);
#ifdef DRAGS_RECOMPUTE
extern geometry::VertexStore vertexStore;
#endif
}  // namespace PROGRAM

namespace {

// Bytes as the allocator hands them out (malloc_usable_size), so its rounding is included.
struct HeapCount {
  long long allocations = 0;
  long long bytes = 0;
};
HeapCount heap;

void* allocate(std::size_t size) {
  void* p = std::malloc(size == 0 ? 1 : size);
  if (!p) throw std::bad_alloc();
  ++heap.allocations;
  heap.bytes += static_cast<long long>(malloc_usable_size(p));
  return p;
}

void release(void* p) noexcept {
  if (!p) return;
  heap.bytes -= static_cast<long long>(malloc_usable_size(p));
  std::free(p);
}

// A handle's start, (0.2, 0.3), and a spot beside it: the line keeps crossing two opposite
// edges of the square, so every drag event makes two new vertex records.
constexpr geometry::Vector2 handleStart{0.2f, 0.3f};
constexpr geometry::Vector2 dragSpots[] = {{0.25f, 0.3f}, {0.2f, 0.3f}};
// Calls recorded between displays pile up in the stand-in; they are dropped this often.
constexpr long long dragsBetweenClears = 1024;

rig::Program& program() {
  static rig::Program p = [] {
    rig::Program started(PROGRAM::run);
    started.reshape(viewer::windowWidth, viewer::windowHeight);
    // The cursor off the centre, inside the figures: every inside test walks all its edges.
    started.hoverAt({0.2f, 0.1f});
    return started;
  }();
  return p;
}

void display(benchmark::State& state) {
  rig::Program& p = program();
  for (auto _ : state) benchmark::DoNotOptimize(p.display());
}
BENCHMARK(display);

#ifdef DRAGS_RECOMPUTE
// Pixels of the drag spots; the button stays held, so each event is one motion callback.
int spotX(int i) { return rig::pixelX(dragSpots[i].x, viewer::windowWidth); }
int spotY(int i) { return rig::pixelY(dragSpots[i].y, viewer::windowHeight); }

// Per event: time, heap bytes kept, allocations (one of them the stand-in's record of the
// redisplay request, freed again when the calls are cleared) and new store entries.
void dragHandle(benchmark::State& state) {
  rig::Program& p = program();
  p.press(GLUT_LEFT_BUTTON, rig::pixelX(handleStart.x), rig::pixelY(handleStart.y));
  // A first round lets the stand-in's call list reach its size.
  for (long long i = 0; i < dragsBetweenClears; ++i) p.drag(spotX(i % 2), spotY(i % 2));
  rig::clearCalls();

  const HeapCount before = heap;
  const std::size_t entriesBefore = PROGRAM::vertexStore.size();
  long long events = 0;
  for (auto _ : state) {
    const int i = static_cast<int>(events % 2);
    p.drag(spotX(i), spotY(i));
    if (++events % dragsBetweenClears == 0) rig::clearCalls();
  }
  rig::clearCalls();
  p.release(GLUT_LEFT_BUTTON, spotX(0), spotY(0));
  const auto perEvent = [&](long long count) { return static_cast<double>(count) / static_cast<double>(events); };
  state.counters["retained_bytes"] = perEvent(heap.bytes - before.bytes);
  state.counters["allocations"] = perEvent(heap.allocations - before.allocations);
  state.counters["new_entries"] = perEvent(static_cast<long long>(PROGRAM::vertexStore.size() - entriesBefore));
  state.counters["record_bytes"] = sizeof(geometry::Vertex);
  state.counters["link_bytes"] = sizeof(geometry::Vertex*);
}
BENCHMARK(dragHandle);
#endif

}  // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, std::size_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t) noexcept { release(p); }

BENCHMARK_MAIN();
