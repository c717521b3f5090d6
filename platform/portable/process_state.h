// Everything the subset keeps for the process, in one object: installing a host
// replaces it with a fresh one, so each test starts from a clean process. Nothing
// in it calls the host when it goes away: the host that made the native
// windows may already be gone. The captures of open wave devices are the
// host's objects, made to be closed safely after it.
#pragma once

#include "platform/portable/dc_table.h"
#include "platform/portable/display_modes.h"
#include "platform/portable/drawdib_handle.h"
#include "platform/portable/font_cache.h"
#include "platform/portable/gdi_objects.h"
#include "platform/portable/key_state.h"
#include "platform/portable/message_queue.h"
#include "platform/portable/wave_in_device.h"
#include "platform/portable/window_class.h"
#include "platform/portable/window_registry.h"

namespace portable {

struct process_state {
  thread_queue queue;
  window_table windows;
  class_table classes;
  gdi_table gdi;
  dc_table dcs;
  // As the input messages the program has retrieved left the keys (GetKeyState).
  key_state keys;
  // As the host's events left them, for the MK_ flags of new mouse messages.
  key_state keys_now;
  display_modes display;
  font_cache fonts;
  // ShowCursor's display counter: the cursor shows while it is 0 or more.
  int cursor_display_count = 0;
  wave_in_table wave_in_devices;
  drawdib_table drawdib_handles;
};

process_state& process();
void reset_process_state();

}  // namespace portable
