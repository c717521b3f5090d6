// The check every fuzz target makes: a broken expectation is reported and
// ends the run with a crash, so that libFuzzer saves the input that caused it.
#pragma once

#include <cstdio>
#include <cstdlib>

inline void require(bool holds, const char* expectation) {
  if (holds) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", expectation);
  std::abort();
}
