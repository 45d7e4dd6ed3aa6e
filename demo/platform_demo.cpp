// Shows that the platform layer links and answers; grows as the platform does.
#include <win32.h>

#include <cstdio>

int main() {
  std::puts("TORVEX NT Benchmarks: platform layer ready.");
  return 0;
}
