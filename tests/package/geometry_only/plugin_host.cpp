// Calls the shared library's check; exits 1 with a line on stderr if it fails.
#include <cstdio>

extern "C" int squarePluginCheck();

int main() {
  if (squarePluginCheck() == 0) return 0;
  std::fprintf(stderr, "plugin_host: the square's plane or shape is wrong in the shared library\n");
  return 1;
}
