// Preconditions that hold in every build type.
#pragma once

namespace geometry {

/// Prints "<operation>: <problem>" as one line on stderr and aborts.
[[noreturn]] void contractViolation(const char* operation, const char* problem);

}  // namespace geometry
