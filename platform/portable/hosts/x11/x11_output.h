// Showing a window's pixels on X11 without SDL's window surface. Through that
// surface every present is a copy into it, a shared-memory image and a round
// trip to the server, and a scroll sends every moved pixel again; a picture
// that scrolls many times a second pays for all of it each time. Here pixels go
// straight from the subset's picture in one request (XPutImage), with no wait
// for the server, and a scroll is a copy inside the server (XCopyArea). The
// requests go out together when the program next waits or sleeps.
//
// Where part of what is to scroll is not there to copy (another window covers
// it and no compositor keeps the window's pixels), the server says so with a
// GraphicsExpose event; the host then presents the whole window again. The
// server also says, with NoExpose, when nothing was missing; that news would
// wake the program once for every scroll. So scrolls ask for either only
// while the window is not known to be fully visible (VisibilityNotify). SDL
// hands such events over only as SDL_SYSWMEVENT, which the host lets through
// for these alone.
#pragma once

#include "platform/portable/hosts/sdl/native_output.h"

namespace portable {

// The SDL host's operations where SDL's video driver is X11. A window whose
// pixels are not 32-bit 0x00RRGGBB words is left to SDL's surface.
const native_video& x11_video();

}  // namespace portable
