// The display mode the program has set for full screen, and the rule that makes
// a window full screen while it is in effect.
#pragma once

#include "platform/portable/user32/window_registry.h"

namespace portable {

struct display_modes {
  // ChangeDisplaySettingsW with CDS_FULLSCREEN is in effect.
  bool full_screen_mode = false;
};

// A visible borderless popup that covers a whole monitor while the full-screen
// mode is in effect is full screen; the host is told whenever that changes.
void update_full_screen(window& w);

// The frame Windows would draw around a window of this style: the host's frame
// extents for a caption, border or sizing frame, nothing otherwise.
RECT frame_of(DWORD style);

}  // namespace portable
