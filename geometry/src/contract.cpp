#include <geometry/contract.h>

#include <cstdio>
#include <cstdlib>

namespace geometry {

void contractViolation(const char* operation, const char* problem) {
  std::fprintf(stderr, "%s: %s\n", operation, problem);
  std::abort();
}

}  // namespace geometry
