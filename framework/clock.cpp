#include "framework/clock.h"

#include "platform/win32.h"

namespace {
bool scale_computed = false;
double ns_per_tick = 0.0;
}  // namespace

std::int64_t now_ns() {
  // The frequency is fixed at boot, so it is read once.
  if (!scale_computed) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    ns_per_tick = 1e9 / static_cast<double>(frequency.QuadPart);
    scale_computed = true;
  }
  LARGE_INTEGER count;
  QueryPerformanceCounter(&count);
  return static_cast<std::int64_t>(static_cast<double>(count.QuadPart) * ns_per_tick);
}
