#include "framework/frame_timer.h"

#include "framework/clock.h"

bool frame_timer::due() {
  const std::int64_t now = now_ns();
  if (now < origin + next) return false;
  next = (now - origin + period - 1) / period * period;
  return true;
}
