// The framework's clock: nanoseconds on the performance counter's scale.
#pragma once

#include <cstdint>

// Monotonic; the epoch is arbitrary. -1 is never a time, so it marks "none".
std::int64_t now_ns();
