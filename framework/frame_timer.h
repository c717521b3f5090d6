// A fixed-period schedule of frames on the grid origin + k * period.
#pragma once

#include <cstdint>

struct frame_timer {
  std::int64_t period;  // ns between frames; positive while the timer is enabled
  std::int64_t origin;  // clock time of frame 0; -1 = not started
  std::int64_t next;    // offset from origin of the next frame

  // True when the next frame is due; it then moves `next` to the first grid
  // point at or after now. Frames missed while the loop was busy are skipped,
  // not made up.
  bool due();
  std::int64_t next_frame_time() const { return origin + next; }
};
