// The desktop: the program's module, the quit flag, the cursor balance, and the
// message pump. The window keeps a pointer to it.
#pragma once

#include <cstdint>

#include "platform/win32.h"

class waiter;

class desktop {
 public:
  desktop();

  // Dispatches every queued message. On the quit message it sets
  // quit_requested and returns at once; otherwise, once the queue is empty, it
  // asks the waiter to wake on the next message.
  void pump_messages(waiter& w);

  HINSTANCE instance;
  bool quit_requested = false;
  // Shows (+1) minus hides (-1) made through ShowCursor; restored on exit.
  std::int32_t cursor_count = 0;
};
