// X11 protocol errors. Xlib's default handler ends the process (exit code 1)
// on any error, and SDL leaves it in place; a request that names a window the
// server has just destroyed (SDL answering the window manager, say, as a window
// goes away) is such an error and harmless. The host installs a handler that
// reports the error and carries on, before SDL starts its video: SDL saves the
// handler it finds and puts it back when video stops, and an error still queued
// then is reported to that one.
#pragma once

namespace portable {

// Xlib's handler is process-wide and needs no display, so this is harmless
// whatever SDL's video driver turns out to be.
void tolerate_x11_errors();

}  // namespace portable
