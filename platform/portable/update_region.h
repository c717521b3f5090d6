// Update regions and presenting, shared by the painting calls, window placement
// and the message queue.
#pragma once

#include "platform/portable/region.h"
#include "platform/portable/window_registry.h"

namespace portable {

// Adds `area` (client coordinates, clipped to the client area) to the update
// region of a visible window; a hidden window's update region stays empty.
void invalidate(window& w, region area, bool erase);
// The first window (in the order of creation) that is visible, matches the
// filter (null: any) and has a non-empty update region; null when none has.
HWND window_to_paint(HWND filter);

// Marks pixels of the window (client coordinates) to be presented.
void mark_drawn(window& w, const region& area);
// Hands each window's drawn pixels to the host, once per batch of drawing: the
// program's pixels reach the screen before it waits or reads its messages.
void present_drawn();

}  // namespace portable
