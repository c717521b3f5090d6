// The desktop: the program's module, the quit flag, the cursor balance, the
// message pump, and the conversions between desktop coordinates (y upward from
// the bottom of the virtual screen) and the platform's screen coordinates (y
// downward). The window keeps a pointer to it.
#pragma once

#include <cstdint>

#include "framework/monitor.h"
#include "platform/win32.h"

class waiter;

class desktop {
 public:
  desktop();

  // Dispatches every queued message. On the quit message it sets
  // quit_requested and returns at once; otherwise, once the queue is empty, it
  // asks the waiter to wake on the next message.
  void pump_messages(waiter& w);

  POINT to_screen_point(double x, double y) const;
  RECT to_screen_rect(const desktop_rect& r) const;
  desktop_rect from_screen_rect(const RECT& r) const;
  // The monitor holding a desktop point; the primary one when none does.
  monitor monitor_at(double x, double y);

  HINSTANCE instance;
  bool quit_requested = false;
  // Shows (+1) minus hides (-1) made through ShowCursor; restored on exit.
  std::int32_t cursor_count = 0;
};

// The row just below the virtual screen, in screen coordinates: desktop y is
// measured upward from it. Read anew at every use, since monitors come and go.
std::int32_t virtual_screen_bottom();
