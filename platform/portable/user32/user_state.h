// user32's part of the process state. Whenever the program enters the platform,
// what it drew is presented.
#pragma once

#include "platform/portable/seam/process_state.h"
#include "platform/portable/user32/display_modes.h"
#include "platform/portable/user32/key_state.h"
#include "platform/portable/user32/message_queue.h"
#include "platform/portable/user32/window_class.h"
#include "platform/portable/user32/window_registry.h"

namespace portable {

struct user_state : process_part {
  thread_queue queue;
  window_table windows;
  class_table classes;
  // As the input messages the program has retrieved left the keys (GetKeyState).
  key_state keys;
  // As the host's events left them, for the MK_ flags of new mouse messages.
  key_state keys_now;
  display_modes display;
  // ShowCursor's display counter: the cursor shows while it is 0 or more.
  int cursor_display_count = 0;

  void on_platform_entered() override;
};

inline user_state& user_process() { return process_part_of<user_state>(); }

}  // namespace portable
