// Time measured on the performance counter. On the scripted host that is virtual
// time, so a test that waits costs nothing real there.
#pragma once

#include "platform/win32.h"

class stopwatch {
 public:
  stopwatch() { QueryPerformanceCounter(&start); }

  double elapsed_ms() const {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 /
           static_cast<double>(frequency.QuadPart);
  }

 private:
  LARGE_INTEGER start;
};

// Windows counts a timeout in ticks of its system timer (15.625 ms by default),
// so a wait may end up to one tick before the time asked for.
constexpr double timer_tick_ms = 15.625;
// However loaded the machine, a wait that has not ended this long after its
// timeout is taken as hanging.
constexpr double late_ms = 2000.0;
