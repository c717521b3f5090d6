// Update regions and presenting, shared by the painting calls, window placement
// and the message queue.
#pragma once

#include "platform/portable/gdi32/region.h"
#include "platform/portable/user32/window_registry.h"

namespace portable {

// Adds `area` (client coordinates, clipped to the client area) to the update
// region of a visible window; a hidden window's update region stays empty.
void invalidate(window& w, region area, bool erase);
// The first window (in the order of creation) that is visible, matches the
// filter (null: any) and has a non-empty update region; null when none has.
HWND window_to_paint(HWND filter);

}  // namespace portable
